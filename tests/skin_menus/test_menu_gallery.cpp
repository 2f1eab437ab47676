// Open menus with our two skins: a level with a hot item, a divider, a checked, a
// disabled and a parent item, and its open submenu, saved under artefacts/ for
// a person to look at and probed against the skin's own pictures.
#include "MenuFixture.h"
#include "SkinObjects.h"
#include "SkinPlatform.h"
#include "SkinTestKit.h"

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

TEST(MenuGallery, BothSkinsDrawLevelsFromTheirPictures)
{
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
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
        // The parent's submenu opened beside it (Right on the parent item).
        for (int i = 0; i < 3; ++i) s.Key(VK_DOWN);   // over the divider and the disabled item
        s.Key(VK_RIGHT);
        ASSERT_EQ(s.Engine->GetLevelCount(), 2);
        PumpUntil([&] { return !l->GetMorphTimerRunning() && !s.Level(1)->GetMorphTimerRunning(); }, 2000);
        auto shot = ScreenOf(l);
        SaveArtefact(shot.get(), std::string("menu-") + name);
        auto sub = ScreenOf(s.Level(1));
        SaveArtefact(sub.get(), std::string("menu-") + name + "-submenu");

        // A fixed corner piece of the frame, inside any rounded mask.
        TBitmap* frame = skin->ActivePictures[skin->PopupWindow->WindowPictureIndex].get();
        EXPECT_EQ(Probe(shot.get(), 10, 10), Probe(frame, 10, 10));
        // The left end of a normal item and of the open (hot) parent item, as in the item picture.
        TspDataSkinMenuItem* rec = l->GetItemData();
        TBitmap* pic = l->GetItemPicture();
        const TspSkinMenuItem* normal = l->GetItem(1);
        const TspSkinMenuItem* open = l->GetItem(5);
        ASSERT_TRUE(open->Down);
        const int dy = rec->SkinRect.Height() / 2;
        EXPECT_EQ(Probe(shot.get(), normal->ObjectRect.left + 3, normal->ObjectRect.top + dy),
                  Probe(pic, rec->SkinRect.left + 3, rec->SkinRect.top + dy));
        EXPECT_EQ(Probe(shot.get(), open->ObjectRect.left + 3, open->ObjectRect.top + dy),
                  Probe(pic, rec->ActiveSkinRect.left + 3, rec->ActiveSkinRect.top + dy));
        // The submenu's first item is hot.
        const TspSkinMenuItem* first = s.Level(1)->GetItem(0);
        EXPECT_EQ(Probe(sub.get(), first->ObjectRect.left + 3, first->ObjectRect.top + dy),
                  Probe(pic, rec->ActiveSkinRect.left + 3, rec->ActiveSkinRect.top + dy));
        s.Engine->Hide();
    }
}

}  // namespace
