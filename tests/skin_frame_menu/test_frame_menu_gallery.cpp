// The frame's main-menu items with our two skins. The generated skins leave
// their main-menu area empty (their programs show the menu in a menu bar), so
// the area is put into each skin's caption band here; a screenshot with one
// drop-down open is saved under artefacts/ for a person to look at.
#include "test_gtest.h"
#include "MenuFrameFixture.h"
#include "SkinPlatform.h"
#include <algorithm>

using namespace MenuFixture;

namespace {

TEST(FrameMainMenuGallery, BothSkinsDrawTheItemsFromTheirRecord)
{
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        const int index = skin->GetIndex("MAINMENUITEM");
        ASSERT_GE(index, 0);
        auto* rec = dynamic_cast<TspDataSkinMainMenuItem*>(skin->ObjectList[index].get());
        ASSERT_NE(rec, nullptr);
        const TRect cap = skin->CaptionRect;
        skin->MainMenuRect = TRect(cap.left + 50, cap.top, cap.right, cap.top + rec->SkinRect.Height());
        Scene s(480, skin.get());
        ASSERT_EQ(s.Frame->MainMenuItemCount(), 4);
        auto shot = s.Shot();
        SaveArtefact(shot.get(), std::string("frame-menu-") + name);
        // The item's fixed left end is the record's image, copied as it is.
        TBitmap* pic = skin->ActivePictures[rec->ActivePictureIndex].get();
        const TRect r = s.Item(0)->ObjectRect;
        EXPECT_EQ(Probe(shot.get(), r.left, r.top + 1), Probe(pic, rec->SkinRect.left, rec->SkinRect.top + 1));
        // One drop-down open, as the operator sees it (the caption object lies
        // over this area and would take a real click).
        s.Item(1)->MouseDown(0, 0, mbLeft);
        ASSERT_TRUE(PumpUntil([&] { return s.Open(); }, 1000));
        TspSkinPopupWindow* l = s.Engine()->GetLevel(0);
        PumpUntil([&] { return !l->GetMorphTimerRunning(); }, 2000);
        PumpUntilIdle();
        RECT wr = {}, lr = {};
        GetWindowRect(s.Wnd(), &wr);
        GetWindowRect(l->GetHandle(), &lr);
        TBitmap open(std::max(wr.right, lr.right) - wr.left, std::max(wr.bottom, lr.bottom) - wr.top, pf24bit);
        Sputils::GetScreenImage(wr.left, wr.top, &open);
        SaveArtefact(&open, std::string("frame-menu-") + name + "-open");
        const TRect r1 = s.Item(1)->ObjectRect;
        EXPECT_EQ(Probe(&open, r1.left, r1.top + 1), Probe(pic, rec->DownRect.left, rec->DownRect.top + 1));
        EXPECT_TRUE(l->IsSkinned());
        s.Engine()->Hide();
        EXPECT_TRUE(PumpUntil([&] { return s.Pressed() == -1; }, 1000));
    }
}

// Drawn with a flat copy of each skin (SkinKit::Flatten) whose form picture is
// painted one colour and whose item hot and pressed images are painted colours of
// their own: the frame shows the form picture, every item the item record's
// normal image, and the item whose drop-down is open its pressed image.
TEST(FrameMainMenuGallery, ItemsDrawTheirOwnLooks)
{
    const TColor frame = FlatColour(1000), hot = FlatColour(1001), down = FlatColour(1002);
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        Flatten(skin.get());
        const int index = skin->GetIndex("MAINMENUITEM");
        ASSERT_GE(index, 0);
        auto* rec = dynamic_cast<TspDataSkinMainMenuItem*>(skin->ObjectList[index].get());
        ASSERT_NE(rec, nullptr);
        ASSERT_TRUE(skin->Picture);
        Paint(skin->Picture.get(), TRect(0, 0, skin->Picture->GetWidth(), skin->Picture->GetHeight()), frame);
        TBitmap* pic = skin->ActivePictures[rec->ActivePictureIndex].get();
        Paint(pic, rec->ActiveSkinRect, hot);
        Paint(pic, rec->DownRect, down);
        const TColor normal =
            PictureColourAt(skin.get(), rec->ActivePictureIndex, TPoint(rec->SkinRect.left + 1, rec->SkinRect.top + 1));
        const TRect cap = skin->CaptionRect;
        skin->MainMenuRect = TRect(cap.left + 50, cap.top, cap.right, cap.top + rec->SkinRect.Height());
        Scene s(480, skin.get());
        ASSERT_EQ(s.Frame->MainMenuItemCount(), 4);
        auto itemAt = [&](int I, TColor Want) {
            const TRect& r = s.Item(I)->ObjectRect;
            return TColourProbe{"item", nullptr, TPoint(r.left + 1, r.top + 1), Want};
        };
        auto shot = s.Shot();
        SaveArtefact(shot.get(), std::string("frame-menu-flat-") + name);
        ExpectColours(shot.get(), s.Form.get(),
                      {{"left border", nullptr, TPoint(skin->ClientRect.left / 2, s.Form->GetHeight() / 2), frame},
                       itemAt(0, normal), itemAt(1, normal), itemAt(2, normal), itemAt(3, normal)});
        s.Item(1)->MouseDown(0, 0, mbLeft);
        ASSERT_TRUE(PumpUntil([&] { return s.Open(); }, 1000));
        TspSkinPopupWindow* l = s.Engine()->GetLevel(0);
        PumpUntil([&] { return !l->GetMorphTimerRunning(); }, 2000);
        PumpUntilIdle();
        auto open = s.Shot();
        SaveArtefact(open.get(), std::string("frame-menu-flat-") + name + "-open");
        ExpectColours(open.get(), s.Form.get(), {itemAt(0, normal), itemAt(1, down), itemAt(2, normal)});
        s.Engine()->Hide();
        EXPECT_TRUE(PumpUntil([&] { return s.Pressed() == -1; }, 1000));
    }
}

}  // namespace
