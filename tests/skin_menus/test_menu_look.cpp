// How levels look: fixture skins with one flat colour per piece, probed at known
// points on the composed level and on the screen, and saved as artefacts.
#include "MenuFixture.h"
#include "Bitmap.h"
#include "SkinObjects.h"
#include "SkinPlatform.h"
#include "SkinTestKit.h"

using namespace MenuFixture;

namespace {

using SkinKit::Paint;
using SkinKit::Probe;
using SkinKit::SaveArtefact;
using SkinKit::SystemColour;

const TColor cFrame = 0x00A000, cItems = 0xA0A000, cItemNormal = 0x0000B0, cItemEdge = 0x00B0B0,
             cItemHot = 0xB00000, cText = 0xFFFFFF, cHotText = 0x00FFFF;

std::unique_ptr<TBitmap> Picture(int W, int H, TColor C)
{
    auto b = std::make_unique<TBitmap>(W, H, pf24bit);
    Paint(b.get(), TRect(0, 0, W, H), C);
    return b;
}

// A skin whose popup window picture (index 0) is a 40 x 40 frame around a 20 x 20
// items area, and whose menu item picture (index 1) holds a 100 x 20 normal look
// (5-pixel ends) over a hot look.
struct SkinFixture {
    std::unique_ptr<TspSkinData> Data{new TspSkinData(nullptr)};
    TspDataSkinMenuItem* Item = nullptr;
    explicit SkinFixture(bool WithItem = true)
    {
        auto frame = Picture(40, 40, cFrame);
        Paint(frame.get(), TRect(10, 10, 30, 30), cItems);
        Data->ActivePictures.push_back(std::move(frame));
        auto items = Picture(100, 44, cItemNormal);
        Paint(items.get(), TRect(0, 0, 5, 20), cItemEdge);
        Paint(items.get(), TRect(95, 0, 100, 20), cItemEdge);
        Paint(items.get(), TRect(0, 20, 100, 40), cItemHot);
        Paint(items.get(), TRect(0, 40, 100, 44), cItemEdge);
        Data->ActivePictures.push_back(std::move(items));
        auto& pw = Data->PopupWindow;
        if (!pw) pw.reset(new TspDataSkinPopupWindow);
        pw->WindowPictureIndex = 0;
        pw->LeftTopPoint = TPoint(10, 10);
        pw->RightTopPoint = TPoint(30, 10);
        pw->LeftBottomPoint = TPoint(10, 30);
        pw->RightBottomPoint = TPoint(30, 30);
        pw->ItemsRect = TRect(10, 10, 30, 30);
        pw->ScrollMarkerColor = 0x808080;
        pw->ScrollMarkerActiveColor = 0xFFFFFF;
        if (WithItem) {
            auto rec = std::make_unique<TspDataSkinMenuItem>("menuitem");
            rec->ActivePictureIndex = 1;
            rec->SkinRect = TRect(0, 0, 100, 20);
            rec->ActiveSkinRect = TRect(0, 20, 100, 40);
            rec->DividerRect = TRect(0, 40, 100, 44);
            rec->ItemLeftOffset = 5;
            rec->ItemRightOffset = 5;
            rec->TextRect = TRect(10, 0, 90, 20);
            rec->Font.Color = cText;
            rec->ActiveFontColor = cHotText;
            rec->UnEnabledFontColor = 0x808080;
            Item = rec.get();
            Data->ObjectList.push_back(std::move(rec));
        }
        Data->Empty = false;
    }
};

struct LookScene : Scene {
    LookScene()
    {
        AddItem(Menu.get(), Root(), "&First");
        AddItem(Menu.get(), Root(), "Second");
        AddItem(Menu.get(), Root(), "-");
        auto* more = AddItem(Menu.get(), Root(), "More");
        AddItem(Menu.get(), more, "Inner");
    }
    std::unique_ptr<TBitmap> Compose(TspSkinPopupWindow* L)
    {
        auto b = std::make_unique<TBitmap>();
        L->ComposeTo(b.get());
        return b;
    }
    // What the screen shows of the level, saved for a person to look at.
    std::unique_ptr<TBitmap> Shoot(TspSkinPopupWindow* L, const std::string& Name)
    {
        RedrawWindow(L->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        PumpUntilIdle();
        auto shot = std::make_unique<TBitmap>(L->GetWidth(), L->GetHeight(), pf24bit);
        Sputils::GetScreenImage(L->GetLeft(), L->GetTop(), shot.get());
        SaveArtefact(shot.get(), "menu-" + Name);
        return shot;
    }
};

TEST(MenuLook, SkinnedLevelFromTheWindowAndItemPictures)
{
    LookScene s;
    SkinFixture skin;
    s.Open(s.Opener, skin.Data.get());
    TspSkinPopupWindow* l = s.Level(0);
    ASSERT_TRUE(l->IsSkinned());
    ASSERT_EQ(l->GetItemData(), skin.Item);
    // Frame around the items area; items 20 high, the divider 4.
    EXPECT_EQ(l->GetHeight(), 20 + 3 * 20 + 4);
    EXPECT_EQ(l->GetItemsRect().left, 10);
    EXPECT_EQ(l->GetItemsRect().top, 10);
    EXPECT_EQ(l->GetItem(1)->ObjectRect.top, 30);
    for (int shot = 0; shot < 2; ++shot) {
        SCOPED_TRACE(shot ? "screen" : "composed");
        auto b = shot ? s.Shoot(l, "skinned") : s.Compose(l);
        const int y0 = Scene::Centre(l->GetItem(0)).y, y1 = Scene::Centre(l->GetItem(1)).y;
        const int x = l->GetItem(0)->ObjectRect.left;
        EXPECT_EQ(Probe(b.get(), 2, 2), cFrame);
        EXPECT_EQ(Probe(b.get(), l->GetWidth() - 3, l->GetHeight() - 3), cFrame);
        EXPECT_EQ(Probe(b.get(), x + 2, y1), cItemEdge);        // normal look: fixed left end
        EXPECT_EQ(Probe(b.get(), x + 7, y0), cItemHot);         // the first item is hot at the opening
        EXPECT_EQ(Probe(b.get(), x + 7, y1), cItemNormal);      // the next one is not
        EXPECT_EQ(Probe(b.get(), l->GetItem(1)->ObjectRect.right - 2, y1), cItemEdge);
        const TRect line = l->GetItem(2)->ObjectRect;
        EXPECT_EQ(Probe(b.get(), line.left + 20, line.top + 1), cItemEdge);
    }
}

TEST(MenuLook, DefaultLevelWhenTheSkinLacksAWindowPicture)
{
    struct Case {
        const char* What;
        int WindowPicture;
        TRect ItemsRect;
    } cases[] = {
        {"no skin", -2, TRect()},
        {"window picture -1", -1, TRect(10, 10, 30, 30)},
        {"window picture out of range", 9, TRect(10, 10, 30, 30)},
        {"items area outside the picture", 0, TRect(10, 10, 300, 30)},
        {"empty items area", 0, TRect(10, 10, 10, 30)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        LookScene s;
        SkinFixture skin;
        skin.Data->PopupWindow->WindowPictureIndex = c.WindowPicture;
        skin.Data->PopupWindow->ItemsRect = c.ItemsRect;
        s.Open(s.Opener, c.WindowPicture == -2 ? nullptr : skin.Data.get());
        TspSkinPopupWindow* l = s.Level(0);
        ASSERT_FALSE(l->IsSkinned());
        EXPECT_EQ(l->GetHeight(), 3 * 20 + 4 + 6);
        auto b = s.Compose(l);
        const TColor face = SystemColour(clBtnFace), window = SystemColour(clWindow);
        const int y1 = Scene::Centre(l->GetItem(1)).y, y0 = Scene::Centre(l->GetItem(0)).y;
        EXPECT_EQ(Probe(b.get(), 0, 0), SystemColour(clBtnShadow));
        EXPECT_EQ(Probe(b.get(), 8, y1), face);
        EXPECT_EQ(Probe(b.get(), l->GetWidth() - 8, y1), window);
        EXPECT_EQ(Probe(b.get(), l->GetWidth() - 8, y0), static_cast<TColor>(RGB(182, 189, 210)));
        EXPECT_EQ(Probe(b.get(), l->GetItem(0)->ObjectRect.left, y0), static_cast<TColor>(clNavy));
        if (c.WindowPicture == -2) s.Shoot(l, "default");
    }
}

TEST(MenuLook, UnusableItemRecordGivesTheDefaultItemLookNeverHeightZero)
{
    struct Case {
        const char* What;
        int PictureIndex;
        TRect SkinRect;
    } cases[] = {
        {"picture -1", -1, TRect(0, 0, 100, 20)},
        {"picture out of range", 7, TRect(0, 0, 100, 20)},
        {"empty normal look", 1, TRect(0, 0, 100, 0)},
        {"normal look outside the picture", 1, TRect(0, 30, 100, 90)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        LookScene s;
        SkinFixture skin;
        skin.Item->ActivePictureIndex = c.PictureIndex;
        skin.Item->SkinRect = c.SkinRect;
        s.Open(s.Opener, skin.Data.get());
        TspSkinPopupWindow* l = s.Level(0);
        EXPECT_TRUE(l->IsSkinned());
        EXPECT_EQ(l->GetItemData(), nullptr);
        for (int i = 0; i < l->GetItemCount(); ++i) EXPECT_GT(l->GetItem(i)->ObjectRect.Height(), 0) << i;
        EXPECT_EQ(l->GetItem(0)->ObjectRect.Height(), 20);
        EXPECT_EQ(l->GetHeight(), 20 + 3 * 20 + 4);
        // The shared record is left as the skin had it.
        EXPECT_EQ(skin.Item->SkinRect.bottom, c.SkinRect.bottom);
        EXPECT_EQ(skin.Item->ActivePictureIndex, c.PictureIndex);
        auto b = s.Compose(l);
        EXPECT_EQ(Probe(b.get(), l->GetWidth() - 14, Scene::Centre(l->GetItem(0)).y),
                  static_cast<TColor>(RGB(182, 189, 210)));
    }
}

TEST(MenuLook, SkinnedWindowWithoutItemRecordFitsDefaultItems)
{
    LookScene s;
    SkinFixture skin(false);
    s.Open(s.Opener, skin.Data.get());
    TspSkinPopupWindow* l = s.Level(0);
    EXPECT_TRUE(l->IsSkinned());
    const TspSkinMenuItem* last = l->GetItem(l->GetItemCount() - 1);
    EXPECT_LE(last->ObjectRect.bottom, l->GetItemsRect().bottom);
    EXPECT_EQ(l->GetFitCount(), l->GetItemCount());
}

TEST(MenuLook, MarksBesideTheCaption)
{
    struct Case {
        const char* What;
        const char* Name;
        bool Checked, Radio;
        bool Mark;
    } cases[] = {
        {"plain", "", false, false, false},
        {"checked tick", "", true, false, true},
        {"radio", "", true, true, true},
        {"close command", "DSF_CLOSE", false, false, true},
        {"minimise command", "DSF_MINITEM", false, false, true},
        {"roll-up command", "DSF_ROLLUP", false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        Scene s;
        AddItem(s.Menu.get(), s.Root(), "Top");
        auto* item = AddItem(s.Menu.get(), s.Root(), "Marked");
        if (*c.Name) item->SetName(c.Name);
        item->SetRadioItem(c.Radio);
        item->SetChecked(c.Checked);
        s.Open(s.Opener);
        TspSkinPopupWindow* l = s.Level(0);
        auto b = std::make_unique<TBitmap>();
        l->ComposeTo(b.get());
        const TRect r = l->GetItem(1)->ObjectRect;
        const int cy = (r.top + r.bottom) / 2;
        int dark = 0;
        const TColor text = SystemColour(clWindowText);
        for (int y = cy - 5; y <= cy + 5; ++y)
            for (int x = r.left + 2; x < r.left + 14; ++x) dark += Probe(b.get(), x, y) == text ? 1 : 0;
        EXPECT_EQ(dark > 0, c.Mark) << dark;
    }
}

TEST(MenuLook, HoverBlendsOverFiveSteps)
{
    LookScene s;
    SkinFixture skin;
    skin.Item->Morphing = true;
    s.Open(s.Opener, skin.Data.get());
    TspSkinPopupWindow* l = s.Level(0);
    ASSERT_TRUE(PumpUntil([&] { return !l->GetMorphTimerRunning(); }, 2000));
    EXPECT_EQ(l->GetItem(0)->MorphKf, 1.0);
    s.Key(VK_DOWN);
    EXPECT_TRUE(l->GetMorphTimerRunning());
    EXPECT_GT(l->GetItem(0)->MorphKf, 0.0);   // nothing jumps: the old item fades back
    ASSERT_TRUE(PumpUntil([&] { return !l->GetMorphTimerRunning(); }, 2000));
    EXPECT_EQ(l->GetItem(0)->MorphKf, 0.0);
    EXPECT_EQ(l->GetItem(1)->MorphKf, 1.0);
    auto b = s.Compose(l);
    EXPECT_EQ(Probe(b.get(), l->GetItem(1)->ObjectRect.left + 7, Scene::Centre(l->GetItem(1)).y), cItemHot);
    EXPECT_EQ(Probe(b.get(), l->GetItem(0)->ObjectRect.left + 7, Scene::Centre(l->GetItem(0)).y), cItemNormal);
}

}  // namespace

namespace {

// A small deterministic generator, so a failing case can be replayed.
struct Lcg {
    unsigned State;
    int Next(int Lo, int Hi)
    {
        State = State * 1103515245u + 12345u;
        return Lo + static_cast<int>((State >> 8) % static_cast<unsigned>(Hi - Lo + 1));
    }
    TRect Rect() { return TRect(Next(-50, 150), Next(-50, 150), Next(-50, 150), Next(-50, 150)); }
    TPoint Point() { return TPoint(Next(-60, 160), Next(-60, 160)); }
};

TEST(MenuLook, HostileSkinRecordsNeverBreakALevel)
{
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(seed);
        Lcg g{seed};
        LookScene s;
        SkinFixture skin;
        auto& pw = *skin.Data->PopupWindow;
        pw.WindowPictureIndex = g.Next(-1, 2);
        pw.MaskPictureIndex = g.Next(-1, 2);
        pw.LeftTopPoint = g.Point();
        pw.RightTopPoint = g.Point();
        pw.LeftBottomPoint = g.Point();
        pw.RightBottomPoint = g.Point();
        pw.ItemsRect = g.Next(0, 1) ? g.Rect() : TRect(10, 10, 30, 30);
        pw.TopStretch = g.Next(0, 1) != 0;
        pw.LeftStretch = g.Next(0, 1) != 0;
        auto& it = *skin.Item;
        it.ActivePictureIndex = g.Next(-1, 2);
        it.SkinRect = g.Next(0, 1) ? g.Rect() : TRect(0, 0, 100, 20);
        it.ActiveSkinRect = g.Next(0, 1) ? g.Rect() : TRect(0, 20, 100, 40);
        it.DividerRect = g.Rect();
        it.TextRect = g.Rect();
        it.ItemLeftOffset = g.Next(-20, 120);
        it.ItemRightOffset = g.Next(-20, 120);
        it.DividerLeftOffset = g.Next(-20, 120);
        it.DividerRightOffset = g.Next(-20, 120);
        it.Font.Height = g.Next(0, 1) ? g.Next(-100000, 100000) : 14;
        it.Morphing = g.Next(0, 1) != 0;
        it.MorphKind = static_cast<TMorphKind>(g.Next(0, 6));
        s.Open(s.Opener, skin.Data.get());
        ASSERT_EQ(s.Engine->GetLevelCount(), 1);
        TspSkinPopupWindow* l = s.Level(0);
        const TRect wa = s.Engine->GetWorkArea();
        EXPECT_GT(l->GetHeight(), 0);
        EXPECT_LE(l->GetHeight(), wa.Height());
        EXPECT_LE(l->GetWidth(), wa.Width());
        for (int i = 0; i < l->GetItemCount(); ++i)
            if (!l->GetItem(i)->IsDivider()) {
                EXPECT_GT(l->GetItem(i)->ObjectRect.Height(), 0) << i;
            }
        auto b = s.Compose(l);
        for (int key : {VK_DOWN, VK_DOWN, VK_UP, VK_RIGHT, VK_LEFT}) s.Key(key);
        PumpUntil([&] { return !l->GetMorphTimerRunning(); }, 1000);
        s.Compose(l);
        s.Engine->Hide();
        EXPECT_EQ(CountLevelWindows(), 0);
    }
}

TEST(MenuLook, AnItemFreedWhileShownClosesTheMenuFirst)
{
    LookScene s;
    s.Open(s.Opener);
    TMenuItem* second = s.Level(0)->GetItem(1)->MenuItem;
    delete second;
    EXPECT_FALSE(s.Engine->GetOpen());
    EXPECT_EQ(CountLevelWindows(), 0);
}

}  // namespace
