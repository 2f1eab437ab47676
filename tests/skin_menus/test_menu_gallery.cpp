// Open menus with our two skins: a level with a hot item, a divider, a checked, a
// disabled and a parent item, and its open submenu, saved under artefacts/ for
// a person to look at and probed against the skin's own pictures and, on flat
// copies of the skins, against the colours of each piece's own look.
#include "MenuFixture.h"
#include "SkinObjects.h"
#include "SkinPlatform.h"
#include "SkinTestKit.h"
#include <functional>

using namespace MenuFixture;

namespace {

using SkinKit::LoadSkin;
using SkinKit::Probe;
using SkinKit::SaveArtefact;

std::unique_ptr<TBitmap> ScreenOf(TspSkinPopupWindow* L)
{
    RedrawWindow(L->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpUntilIdle();
    auto shot = std::make_unique<TBitmap>(L->GetWidth(), L->GetHeight(), pf24bit);
    Sputils::GetScreenImage(L->GetLeft(), L->GetTop(), shot.get());
    return shot;
}

// The gallery's menu opened with each of our skins as Load makes it: a level
// with a hot item, a divider, a checked, a disabled and a parent item, and the
// parent's submenu opened beside it (Right on the parent item), its first item
// hot. Both levels are shot from the screen, saved as menu-<Prefix><skin>, and
// given to Check.
void ForBothSkins(const std::function<std::unique_ptr<TspSkinData>(const char*)>& Load, const std::string& Prefix,
                  const std::function<void(Scene&, TspSkinData*, TBitmap* Shot, TBitmap* Sub)>& Check)
{
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = Load(name);
        ASSERT_TRUE(skin);
        Scene s;
        AddItem(s.Menu.get(), s.Root(), "&Broadcast");
        auto* sc = AddItem(s.Menu.get(), s.Root(), "Snapshot");
        sc->SetShortCut(ShortCut('S', ssCtrl));
        AddItem(s.Menu.get(), s.Root(), "-");
        AddItem(s.Menu.get(), s.Root(), "Show chat")->SetChecked(true);
        AddItem(s.Menu.get(), s.Root(), "Pay per view")->SetEnabled(false);
        auto* more = AddItem(s.Menu.get(), s.Root(), "Skins");
        AddItem(s.Menu.get(), more, "Korvel2");
        AddItem(s.Menu.get(), more, "Sarnic");
        s.Open(s.Opener, skin.get(), 0, TPoint(260, 160));
        TspSkinPopupWindow* l = s.Level(0);
        ASSERT_TRUE(l->IsSkinned());
        ASSERT_NE(l->GetItemData(), nullptr);
        for (int i = 0; i < 3; ++i) s.Key(VK_DOWN);   // over the divider and the disabled item
        s.Key(VK_RIGHT);
        ASSERT_EQ(s.Engine->GetLevelCount(), 2);
        PumpUntil([&] { return !l->GetMorphTimerRunning() && !s.Level(1)->GetMorphTimerRunning(); }, 2000);
        auto shot = ScreenOf(l);
        SaveArtefact(shot.get(), "menu-" + Prefix + name);
        auto sub = ScreenOf(s.Level(1));
        SaveArtefact(sub.get(), "menu-" + Prefix + name + "-submenu");
        Check(s, skin.get(), shot.get(), sub.get());
        s.Engine->Hide();
    }
}

TEST(MenuGallery, BothSkinsDrawLevelsFromTheirPictures)
{
    ForBothSkins([](const char* Name) { return LoadSkin(Name); }, "",
                 [](Scene& s, TspSkinData* skin, TBitmap* shot, TBitmap* sub) {
        TspSkinPopupWindow* l = s.Level(0);
        // A fixed corner piece of the frame, inside any rounded mask.
        TBitmap* frame = skin->ActivePictures[skin->PopupWindow->WindowPictureIndex].get();
        EXPECT_EQ(Probe(shot, 10, 10), Probe(frame, 10, 10));
        // The left end of a normal item and of the open (hot) parent item, as in the item picture.
        TspDataSkinMenuItem* rec = l->GetItemData();
        TBitmap* pic = l->GetItemPicture();
        const TspSkinMenuItem* normal = l->GetItem(1);
        const TspSkinMenuItem* open = l->GetItem(5);
        ASSERT_TRUE(open->Down);
        const int dy = rec->SkinRect.Height() / 2;
        EXPECT_EQ(Probe(shot, normal->ObjectRect.left + 3, normal->ObjectRect.top + dy),
                  Probe(pic, rec->SkinRect.left + 3, rec->SkinRect.top + dy));
        EXPECT_EQ(Probe(shot, open->ObjectRect.left + 3, open->ObjectRect.top + dy),
                  Probe(pic, rec->ActiveSkinRect.left + 3, rec->ActiveSkinRect.top + dy));
        // The submenu's first item is hot.
        const TspSkinMenuItem* first = s.Level(1)->GetItem(0);
        EXPECT_EQ(Probe(sub, first->ObjectRect.left + 3, first->ObjectRect.top + dy),
                  Probe(pic, rec->ActiveSkinRect.left + 3, rec->ActiveSkinRect.top + dy));
    });
}

// Colours of the menu item record's looks and text on a flat skin, none a flat skin's colour.
const TColor cFlatItem = RGB(230, 40, 20), cFlatHotItem = RGB(20, 230, 40), cFlatDivider = RGB(40, 20, 230);
const TColor cFlatText = RGB(30, 10, 20), cFlatHotText = RGB(240, 240, 10), cFlatDisabledText = RGB(10, 240, 240);

// A flat copy of a skin (SkinKit::Flatten) that keeps its menu window's mask (the
// shape of the level), with the menu item record's normal, active and divider
// looks painted colours of their own on the record's picture, and its text
// colours of their own.
std::unique_ptr<TspSkinData> FlatMenuSkin(const char* Name)
{
    auto flat = LoadSkin(Name), real = LoadSkin(Name);
    if (!flat || !real) return nullptr;
    SkinKit::Flatten(flat.get());
    const int mask = flat->PopupWindow->MaskPictureIndex;
    if (mask >= 0) flat->ActivePictures[mask]->Assign(real->ActivePictures[mask].get());
    const int i = flat->GetIndex("menuitem");
    auto* rec = i < 0 ? nullptr : dynamic_cast<TspDataSkinMenuItem*>(flat->ObjectList[i].get());
    if (!rec) return nullptr;
    TBitmap* pic = flat->ActivePictures[rec->ActivePictureIndex].get();
    SkinKit::Paint(pic, rec->SkinRect, cFlatItem);
    SkinKit::Paint(pic, rec->ActiveSkinRect, cFlatHotItem);
    SkinKit::Paint(pic, rec->DividerRect, cFlatDivider);
    rec->Font.Color = cFlatText;
    rec->ActiveFontColor = cFlatHotText;
    rec->UnEnabledFontColor = cFlatDisabledText;
    return flat;
}

// Drawn with flat copies of our skins, each piece of a level shows its own look:
// the window's frame the flat colour of the window picture the skin names, each
// item the look of its state (the disabled and the checked item the normal look,
// the open parent and the submenu's first item the active one) and the divider
// its own; each item's text is in the colour the record names for its state.
TEST(MenuGallery, EachPieceDrawsItsOwnLookOnFlatSkins)
{
    ForBothSkins(FlatMenuSkin, "flat-", [](Scene& s, TspSkinData* flat, TBitmap* shot, TBitmap* sub) {
        // The middle of the frame's left side, left of the items.
        TBitmap* frame = flat->ActivePictures[flat->PopupWindow->WindowPictureIndex].get();
        const int side = flat->PopupWindow->ItemsRect.left / 2;
        EXPECT_EQ(Probe(shot, side, shot->GetHeight() / 2), Probe(frame, side, frame->GetHeight() / 2))
            << "the window's frame";
        struct Piece {
            const char* What;
            TBitmap* Shot;
            const TspSkinMenuItem* Item;
            TColor Look, Text;
        };
        TspSkinPopupWindow* l = s.Level(0);
        const Piece pieces[] = {{"normal item", shot, l->GetItem(0), cFlatItem, cFlatText},
                                {"item with a short cut", shot, l->GetItem(1), cFlatItem, cFlatText},
                                {"divider", shot, l->GetItem(2), cFlatDivider, 0},
                                {"checked item", shot, l->GetItem(3), cFlatItem, cFlatText},
                                {"disabled item", shot, l->GetItem(4), cFlatItem, cFlatDisabledText},
                                {"open parent item", shot, l->GetItem(5), cFlatHotItem, cFlatHotText},
                                {"hot submenu item", sub, s.Level(1)->GetItem(0), cFlatHotItem, cFlatHotText},
                                {"submenu item", sub, s.Level(1)->GetItem(1), cFlatItem, cFlatText}};
        for (const Piece& p : pieces) {
            const TRect& r = p.Item->ObjectRect;
            // The left end: clear of the check mark and the text.
            EXPECT_EQ(Probe(p.Shot, r.left + 3, (r.top + r.bottom) / 2), p.Look) << p.What;
            if (!p.Text) continue;
            int text = 0;
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) text += Probe(p.Shot, x, y) == p.Text;
            EXPECT_GE(text, 20) << p.What << ": its text is not in its state's colour";
        }
    });
}

}  // namespace
