// Hints in our two skins: each look saved under artefacts/ for a person to
// look at, and probed against the skin's own hint picture.
#include "test_gtest.h"
#include "HintFixture.h"
#include "SkinHint.h"

using namespace hintfix;

namespace {

TEST(HintGallery, BothSkinsDrawTheirHintLook)
{
    TForm* main = nullptr;
    Application->CreateForm(main);
    auto* hint = new TspSkinHint(main);
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = std::make_unique<TspSkinData>(nullptr);
        ASSERT_TRUE(skin->LoadFromCompressedFile(std::string(SKINS_DIR) + "/" + name + ".skn"));
        hint->SetSkinData(skin.get());
        hint->ActivateHint(TPoint(100, 100), std::string("A hint in ") + name + "\non two lines");
        TspSkinHintWindow* w = hint->GetHintWindow();
        ASSERT_EQ(w->GetSkinInUse(), skin.get());
        auto shot = WindowShot(w->GetWindowHandle());
        SaveArtefact(shot.get(), std::string("hint-") + name);
        const TspDataSkinHintWindow* r = skin->HintWindow.get();
        TBitmap* pic = skin->ActivePictures.at(r->WindowPictureIndex).get();
        EXPECT_GE(shot->GetWidth(), pic->GetWidth());
        EXPECT_GE(shot->GetHeight(), pic->GetHeight());
        // The client area's first pixel and the middle of the left edge come from the picture.
        const TRect& cr = r->ClientRect;
        EXPECT_EQ(Px(shot.get(), cr.left, cr.top), Px(pic, cr.left, cr.top));
        EXPECT_EQ(Px(shot.get(), cr.left / 2, shot->GetHeight() / 2), Px(pic, cr.left / 2, pic->GetHeight() / 2));
        hint->HideHint();
        hint->SetSkinData(nullptr);
    }
    delete main;
}

}  // namespace
