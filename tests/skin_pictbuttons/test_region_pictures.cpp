// The region button's pictures: which one shows in each state (flat-colour
// pictures of different sizes, probed), the pressed display by code, the
// transparent mode, pictures from an image list, and bad pictures.
#include "test_gtest.h"
#include "RegionButtonFixture.h"
#include "Icon.h"
#include "ImgList.h"
#include <vector>

using namespace RgnFixture;
using CtlFixture::Probe;

namespace {

void Enter(TControl* C) { C->Perform(CM_MOUSEENTER, 0, 0); }
void Leave(TControl* C) { C->Perform(CM_MOUSELEAVE, 0, 0); }
void Press(TControl* C) { C->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(10, 10)); }
void Release(TControl* C) { C->Perform(WM_LBUTTONUP, 0, PointToLParam(10, 10)); }

TEST(RegionButtonPictures, EachStateShowsItsPictureOrTheIdleOne)
{
    struct Case {
        const char* Name;
        bool Up, Down, Dsbld;   // which pictures besides the idle one are set
        TColor Hot, Pressed, Disabled;
    } cases[] = {
        {"all four", true, true, true, cHot, cDown, cDsbld},
        {"idle only", false, false, false, cIdle, cIdle, cIdle},
        {"no hot picture", false, true, true, cIdle, cDown, cDsbld},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Name);
        Scene s;
        auto* b = s.Button;
        b->SetPicIdle(Flat(30, 20, cIdle).get());
        // Pictures of their own sizes: the button takes the size of the one it shows.
        if (k.Up) b->SetPicUp(Flat(34, 22, cHot).get());
        if (k.Down) b->SetPicDown(Flat(36, 24, cDown).get());
        if (k.Dsbld) b->SetPicDsbld(Flat(32, 20, cDsbld).get());
        auto sizeOf = [](bool Set, int W, int H) { return Set ? TPoint(W, H) : TPoint(30, 20); };
        auto size = [b] { return TPoint(b->GetWidth(), b->GetHeight()); };

        EXPECT_EQ(Face(b), cIdle);
        EXPECT_EQ(size(), TPoint(30, 20));
        Enter(b);
        EXPECT_EQ(Face(b), k.Hot);
        EXPECT_EQ(size(), sizeOf(k.Up, 34, 22));
        Press(b);
        EXPECT_EQ(Face(b), k.Pressed);
        EXPECT_EQ(size(), sizeOf(k.Down, 36, 24));
        Leave(b);   // held, but away: the idle picture
        EXPECT_EQ(Face(b), cIdle);
        Enter(b);
        EXPECT_EQ(Face(b), k.Pressed);
        Release(b);
        EXPECT_EQ(Face(b), k.Hot);
        EXPECT_EQ(s.Clicks, 1);
        Leave(b);
        EXPECT_EQ(Face(b), cIdle);

        // Disabled: neither the hot nor the pressed picture ever shows.
        b->SetEnabled(false);
        EXPECT_EQ(Face(b), k.Disabled);
        Enter(b);
        EXPECT_EQ(Face(b), k.Disabled);
        Press(b);
        EXPECT_EQ(Face(b), k.Disabled);
        b->Down(0);
        EXPECT_EQ(Face(b), k.Disabled);
        Release(b);
        Leave(b);
        EXPECT_EQ(s.Clicks, 1);
        b->SetEnabled(true);
        EXPECT_EQ(Face(b), k.Pressed);   // the pressed display by code runs on
        EXPECT_TRUE(PumpUntil([b] { return !b->HeldDown(); }, 3000));
        EXPECT_EQ(Face(b), cIdle);
    }
}

TEST(RegionButtonPictures, DownByCodeShowsPressedForItsTime)
{
    for (UINT interval : {0u, 250u}) {
        SCOPED_TRACE(interval);
        Scene s;
        auto* b = s.Button;
        b->SetPicIdle(Flat(30, 20, cIdle).get());
        b->SetPicDown(Flat(30, 20, cDown).get());
        b->Down(interval);
        EXPECT_TRUE(b->HeldDown());
        EXPECT_EQ(Face(b), cDown);   // no mouse needed
        EXPECT_TRUE(PumpUntil([b] { return !b->HeldDown(); }, 3000));
        EXPECT_EQ(Face(b), cIdle);
        EXPECT_EQ(s.Clicks, 0);
    }
}

TEST(RegionButtonPictures, TransparentModeLeavesTheKeyColourOut)
{
    Scene s;
    auto* b = s.Button;
    b->SetColor(0x203040);
    b->SetPicIdle(Shaped(40, 30, cIdle, 6).get());
    EXPECT_EQ(Face(b, 2, 2), cKey);   // normal: copied unchanged
    b->SetPaintMode(pmTransparent);
    EXPECT_FALSE(b->Cropped());
    EXPECT_EQ(Face(b, 2, 2), 0x203040);
    EXPECT_EQ(Face(b, 20, 15), cIdle);
}

TEST(RegionButtonPictures, ImageListFillsTheFourPictures)
{
    Scene s;
    auto* b = s.Button;
    auto* list = new TImageList(24, 18, s.Form.get());
    const TColor colours[] = {cIdle, cHot, cDown, cDsbld};
    for (TColor c : colours) {
        auto img = CtlFixture::NewPicture(24, 18, c);
        list->Add(img.get(), nullptr);
    }
    b->SetImageList(list);
    EXPECT_EQ(b->GetImageList(), list);
    EXPECT_EQ(b->GetWidth(), 24);
    EXPECT_EQ(Face(b), cIdle);
    Enter(b);
    EXPECT_EQ(Face(b), cHot);   // image 1 is the hot picture
    Press(b);
    EXPECT_EQ(Face(b), cDown);
    Release(b);
    Leave(b);
    b->SetEnabled(false);
    EXPECT_EQ(Face(b), cDsbld);
    delete list;   // a list that goes is forgotten; the pictures stay
    EXPECT_EQ(b->GetImageList(), nullptr);
    EXPECT_EQ(Face(b), cDsbld);

    // A shorter list fills only as many pictures as it has.
    Scene t;
    TImageList two(10, 10, nullptr);
    for (TColor c : {cHot, cDown}) two.Add(CtlFixture::NewPicture(10, 10, c).get(), nullptr);
    t.Button->SetImageList(&two);
    EXPECT_EQ(Face(t.Button, 5, 5), cHot);
    EXPECT_FALSE(t.Button->GetPicDown()->GetGraphic());
    t.Button->SetImageList(nullptr);
}

// A picture of another kind (here an icon) is drawn and cut like a bitmap, and
// stays what it was.
TEST(RegionButtonPictures, AnIconPictureIsDrawnAndCutLikeABitmap)
{
    Scene s;
    auto* b = s.Button;
    auto colour = ShapedBitmap(32, 32, cIdle, 6);
    std::vector<BYTE> zeros(32 * 32 / 8, 0);
    TBitmapHandle mask(CreateBitmap(32, 32, 1, 1, zeros.data()));   // all opaque
    ICONINFO ii = {TRUE, 0, 0, mask.Get(), colour->GetHandle()};
    TIcon icon;
    icon.SetHandle(CreateIconIndirect(&ii));
    ASSERT_FALSE(icon.Empty());
    TPicture pic;
    pic.SetIcon(&icon);
    b->SetPaintMode(pmCrop);
    b->SetPicIdle(&pic);
    EXPECT_EQ(b->GetWidth(), 32);
    EXPECT_EQ(Face(b, 16, 16), cIdle);
    EXPECT_TRUE(b->Cropped());
    EXPECT_EQ(RegionMismatches(b, colour.get()), 0);
    EXPECT_NE(dynamic_cast<TIcon*>(b->GetPicIdle()->GetGraphic()), nullptr);
}

// Bad pictures: none, empty ones, one of a single colour, one larger than any
// control, one too busy to cut. None of them crashes, hangs or hides the button.
TEST(RegionButtonPictures, BadPicturesNeitherCrashNorHideTheButton)
{
    Scene s;
    auto* b = s.Button;
    for (TPaintMode mode : {pmNormal, pmCrop, pmTransparent}) {
        SCOPED_TRACE(mode);
        b->SetPaintMode(mode);
        // No picture at all, and empty bitmaps of every shape.
        TPicture none;
        b->SetPicIdle(&none);
        CtlFixture::Snapshot(b);
        for (TPoint side : {TPoint(0, 0), TPoint(0, 12), TPoint(12, 0)}) {
            TBitmap empty(side.x, side.y, pf24bit);
            b->SetPicIdle(PictureOf(&empty).get());
            b->SetPicUp(PictureOf(&empty).get());
            b->SetPicDown(PictureOf(&empty).get());
            Enter(b);
            Press(b);
            CtlFixture::Snapshot(b);
            Release(b);
            Leave(b);
            EXPECT_EQ(b->GetWidth(), 15);
            EXPECT_EQ(b->GetHeight(), 15);
            EXPECT_FALSE(b->Cropped());
            EXPECT_TRUE(Shows(b, 7, 7));
        }
    }
    // A picture of the key colour only: nothing would be left, so the window stays whole.
    b->SetPaintMode(pmCrop);
    b->SetPicIdle(Flat(20, 20, cKey).get());
    EXPECT_FALSE(b->Cropped());
    EXPECT_TRUE(Shows(b, 10, 10));
    // Cut first, then given a picture of the key colour only: whole again.
    b->SetPicIdle(Shaped(20, 20, cIdle, 4).get());
    EXPECT_TRUE(b->Cropped());
    b->SetPicIdle(Flat(20, 20, cKey).get());
    EXPECT_FALSE(b->Cropped());
    EXPECT_TRUE(Shows(b, 1, 1));
    EXPECT_TRUE(Shows(b, 10, 10));
}

TEST(RegionButtonPictures, HugeAndBusyPicturesStayBounded)
{
    Scene s;
    auto* b = s.Button;
    b->SetPaintMode(pmCrop);
    // Wider than any control may be: the button stops at the largest side.
    b->SetPicIdle(Shaped(10000, 16, cIdle, 4).get());
    EXPECT_EQ(b->GetWidth(), MaxSkinControlSide);
    EXPECT_EQ(b->GetHeight(), 16);
    EXPECT_TRUE(b->Cropped());
    EXPECT_FALSE(Shows(b, 1, 1));
    EXPECT_TRUE(Shows(b, 5000, 8));
    // Large with a simple shape: cut as usual.
    auto big = ShapedBitmap(3000, 2000, cIdle, 100, 50);
    b->SetPicIdle(PictureOf(big.get()).get());
    EXPECT_TRUE(b->Cropped());
    EXPECT_FALSE(Shows(b, 50, 50));
    EXPECT_FALSE(Shows(b, 1500, 1000));
    EXPECT_TRUE(Shows(b, 150, 150));
    EXPECT_TRUE(Shows(b, 2950, 1000));
    // One run of the key colour in every other pixel: far too busy to cut, so it is
    // left whole (and the earlier region goes) instead of holding the GUI thread.
    auto busy = CtlFixture::NewPicture(1200, 500, cIdle);
    for (int x = 0; x < 1200; x += 2) CtlFixture::Paint(busy.get(), TRect(x, 0, x + 1, 500), cKey);
    b->SetPicIdle(PictureOf(busy.get()).get());
    EXPECT_FALSE(b->Cropped());
    EXPECT_TRUE(Shows(b, 50, 50));
    EXPECT_TRUE(Shows(b, 2, 2));
}

}  // namespace
