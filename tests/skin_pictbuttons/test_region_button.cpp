// The region button's window region against its idle picture, its clicks by
// mouse messages and by real mouse input, its own mouse events, the repeat while
// held, and region changes that come while it paints.
#include "test_gtest.h"
#include "RegionButtonFixture.h"
#include <string>
#include <vector>

using namespace RgnFixture;
using CtlFixture::Probe;

namespace {

void Enter(TControl* C) { C->Perform(CM_MOUSEENTER, 0, 0); }
void Leave(TControl* C) { C->Perform(CM_MOUSELEAVE, 0, 0); }
void Press(TControl* C, int X = 10, int Y = 10) { C->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X, Y)); }
void Release(TControl* C, int X = 10, int Y = 10) { C->Perform(WM_LBUTTONUP, 0, PointToLParam(X, Y)); }

TEST(RegionButton, WindowRegionIsTheIdlePictureLessItsKeyColour)
{
    auto pic = ShapedBitmap(40, 30, cIdle, 6, 4);
    for (bool modeFirst : {false, true}) {
        SCOPED_TRACE(modeFirst ? "mode, then picture" : "picture, then mode");
        Scene s;
        auto* b = s.Button;
        if (modeFirst) b->SetPaintMode(pmCrop);
        b->SetPicIdle(PictureOf(pic.get()).get());
        if (!modeFirst) b->SetPaintMode(pmCrop);
        EXPECT_TRUE(b->Cropped());
        EXPECT_EQ(b->GetWidth(), 40);
        EXPECT_EQ(b->GetHeight(), 30);
        ASSERT_TRUE(WindowRegion(b).Valid());
        EXPECT_EQ(RegionMismatches(b, pic.get()), 0);
        struct { int X, Y; bool In; } probes[] = {
            {2, 2, false}, {37, 2, false}, {2, 27, false}, {37, 27, false},   // the corners
            {20, 15, false},                                                   // the hole
            {7, 7, true}, {20, 3, true}, {39, 15, true}, {15, 15, true}, {40, 15, false}, {20, 30, false},
        };
        for (const auto& p : probes) EXPECT_EQ(Shows(b, p.X, p.Y), p.In) << p.X << "," << p.Y;

        // Back to the whole rectangle, and cut again.
        b->SetPaintMode(pmNormal);
        EXPECT_FALSE(b->Cropped());
        for (const auto& p : probes) EXPECT_EQ(Shows(b, p.X, p.Y), p.X < 40 && p.Y < 30) << p.X << "," << p.Y;
        b->SetPaintMode(pmCrop);
        EXPECT_EQ(RegionMismatches(b, pic.get()), 0);
    }
}

TEST(RegionButton, NewIdlePictureOrNewWindowKeepsTheRegionInStep)
{
    Scene s;
    auto* b = s.Button;
    b->SetPaintMode(pmCrop);
    auto first = ShapedBitmap(40, 30, cIdle, 6);
    auto second = ShapedBitmap(30, 24, cHot, 3, 6);
    // Each change hands the window a new region and the window lets the old one go;
    // a region of ours deleted behind the window's back would show here as a wrong shape.
    for (int round = 0; round < 5; ++round) {
        TBitmap* pic = round % 2 ? second.get() : first.get();
        b->SetPicIdle(PictureOf(pic).get());
        EXPECT_EQ(b->GetWidth(), pic->GetWidth());
        EXPECT_EQ(RegionMismatches(b, pic), 0) << round;
    }
    // A picture drawn on in place is a new idle picture too.
    CtlFixture::Paint(b->GetPicIdle()->GetBitmap(), TRect(0, 10, 30, 12), cKey);
    b->GetPicIdle()->GetBitmap()->Modified();
    EXPECT_FALSE(Shows(b, 15, 11));
    EXPECT_TRUE(Shows(b, 15, 9));
    // A new window is cut like the old one.
    b->SetPicIdle(PictureOf(first.get()).get());
    b->SetParent(nullptr);
    b->SetParent(s.Form.get());
    b->GetHandle();
    EXPECT_TRUE(b->Cropped());
    EXPECT_EQ(RegionMismatches(b, first.get()), 0);
}

TEST(RegionButton, ClicksByMouseMessagesOnlyWhenReleasedOverIt)
{
    Scene s;
    auto* b = s.Button;
    b->SetPicIdle(Flat(30, 20, cIdle).get());
    struct Case {
        const char* Name;
        bool Enabled;
        int ReleaseX;   // where the button goes up
        int Clicks;
    } cases[] = {
        {"released over it", true, 10, 1},
        {"released beside it", true, 45, 0},
        {"disabled", false, 10, 0},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Name);
        s.Clicks = 0;
        b->SetEnabled(k.Enabled);
        EXPECT_EQ(b->GetDisabled(), !k.Enabled);
        EXPECT_TRUE(IsWindowEnabled(b->GetHandle()));   // the flag is the button's own
        Enter(b);
        Press(b);
        EXPECT_TRUE(b->Pressed());
        Release(b, k.ReleaseX);
        EXPECT_FALSE(b->Pressed());
        Leave(b);
        EXPECT_EQ(s.Clicks, k.Clicks);
        b->Click();   // a click by code obeys the same flag
        EXPECT_EQ(s.Clicks, k.Clicks + (k.Enabled ? 1 : 0));
    }
    // The second press of a double-click is swallowed: one click.
    b->SetEnabled(true);
    s.Clicks = 0;
    Enter(b);
    Press(b);
    Release(b);
    b->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, PointToLParam(10, 10));
    Release(b);
    EXPECT_EQ(s.Clicks, 1);
}

TEST(RegionButton, OwnMouseEventsCarryTheMessage)
{
    Scene s;
    auto* b = s.Button;
    b->SetPicIdle(Flat(30, 20, cIdle).get());
    std::vector<std::string> log;
    auto record = [&log](const char* What) {
        return [&log, What](TWMMouse& M) {
            log.push_back(std::string(What) + ":" + std::to_string(M.Msg) + ":" + std::to_string(M.XPos) + "," +
                          std::to_string(M.YPos));
        };
    };
    b->OnMouseEnter = record("enter");
    b->OnMouseDown = record("down");
    b->OnMouseUp = record("up");
    b->OnMouseLeave = record("leave");
    Enter(b);
    Enter(b);   // already hot: no second event
    Press(b, 5, 6);
    Release(b, 7, 8);
    Leave(b);
    const std::vector<std::string> want = {
        "enter:" + std::to_string(CM_MOUSEENTER) + ":0,0", "down:" + std::to_string(WM_LBUTTONDOWN) + ":5,6",
        "up:" + std::to_string(WM_LBUTTONUP) + ":7,8", "leave:" + std::to_string(CM_MOUSELEAVE) + ":0,0"};
    EXPECT_EQ(log, want);
    EXPECT_EQ(s.Clicks, 1);
}

TEST(RegionButton, RepeatsWhileHeldOverItOnly)
{
    Scene s;
    auto* b = s.Button;
    b->SetPicIdle(Flat(30, 20, cIdle).get());
    b->SetAutoRepeat(true);
    Enter(b);
    Press(b);
    EXPECT_TRUE(b->Repeating());
    EXPECT_TRUE(PumpUntil([&] { return s.Clicks >= 2; }, 5000));
    Leave(b);   // off the button: the repeat rests
    EXPECT_FALSE(b->Repeating());
    const int resting = s.Clicks;
    PumpFor(400);   // no tick while the mouse is off
    EXPECT_EQ(s.Clicks, resting);
    Enter(b);   // back on it: it goes on
    EXPECT_TRUE(b->Repeating());
    EXPECT_TRUE(PumpUntil([&] { return s.Clicks > resting; }, 5000));
    const int held = s.Clicks;
    Release(b);   // the release clicks once more and ends it
    EXPECT_FALSE(b->Repeating());
    EXPECT_EQ(s.Clicks, held + 1);
    // Without AutoRepeat holding the button only clicks on release.
    b->SetAutoRepeat(false);
    s.Clicks = 0;
    Press(b);
    EXPECT_FALSE(b->Repeating());
    PumpFor(400);   // no repeat while held
    Release(b);
    EXPECT_EQ(s.Clicks, 1);
}

TEST(RegionButton, FreedByItsOwnRepeatClick)
{
    Scene s;
    auto* b = s.Button;
    b->SetPicIdle(Flat(30, 20, cIdle).get());
    b->SetAutoRepeat(true);
    bool freed = false;
    b->OnClick = [&](TObject*) {
        delete b;
        freed = true;
    };
    Enter(b);
    Press(b);
    EXPECT_TRUE(PumpUntil([&] { return freed; }, 5000));
    PumpFor(400);   // the timer that ticked goes later, and quietly   // the timer that ticked goes later, and quietly
    ReleaseCapture();
}

// A handler that changes the region while the button paints (here: its resize to
// the picture, done by the paint) must not wait for the paint to let go: the
// change follows as soon as the paint is done.
TEST(RegionButton, RegionChangeDuringItsPaintFollowsThePaint)
{
    for (bool shown : {false, true}) {
        SCOPED_TRACE(shown ? "shown" : "hidden");
        Scene s(shown);
        auto* b = s.Button;
        auto pic = ShapedBitmap(40, 30, cIdle, 6);
        b->SetPicIdle(PictureOf(pic.get()).get());
        b->SetBounds(20, 20, 5, 5);   // the next paint sizes it back
        int resizes = 0;
        b->OnResize = [&](TObject*) {
            ++resizes;
            b->SetPaintMode(pmCrop);
        };
        auto shot = CtlFixture::Snapshot(b);
        EXPECT_GE(resizes, 1);
        EXPECT_EQ(b->GetWidth(), 40);
        EXPECT_TRUE(b->Cropped());
        EXPECT_EQ(RegionMismatches(b, pic.get()), 0);
        PumpUntilIdle();
        EXPECT_EQ(Face(b, 20, 15), cIdle);
    }
}

// Real input on a shown form: hovering shows the hot picture, a click inside the
// shape clicks, a click on a cut-away corner reaches the form instead, and a
// double-click is one click.
TEST(RegionButton, RealMouseClicksInsideTheShapeOnly)
{
    Scene s(true);
    auto* b = s.Button;
    b->SetPaintMode(pmCrop);
    b->SetPicIdle(Shaped(40, 30, cIdle, 8).get());
    b->SetPicUp(Shaped(40, 30, cHot, 8).get());
    b->SetPicDown(Shaped(40, 30, cDown, 8).get());
    int formClicks = 0;
    s.Form->OnClick = [&](TObject*) { ++formClicks; };
    PumpUntilIdle();
    auto idle = CtlFixture::ScreenShot(s.Form.get());
    EXPECT_EQ(Probe(idle.get(), 20 + 20, 20 + 15), cIdle);
    EXPECT_EQ(Probe(idle.get(), 20 + 2, 20 + 2), cForm);   // the corner is cut away

    SetCursorPos(s.Form->GetLeft() + 40, s.Form->GetTop() + 35);
    EXPECT_TRUE(PumpUntil([&] { return b->Hot(); }, 2000));
    PumpUntilIdle();
    auto hot = CtlFixture::ScreenShot(s.Form.get());
    EXPECT_EQ(Probe(hot.get(), 40, 35), cHot);
    EXPECT_EQ(Probe(hot.get(), 22, 22), cForm);

    MouseClickAt(b->ClientToScreen(TPoint(20, 15)));
    EXPECT_TRUE(PumpUntil([&] { return s.Clicks == 1; }, 2000));
    MouseClickAt(b->ClientToScreen(TPoint(2, 2)));
    EXPECT_TRUE(PumpUntil([&] { return formClicks == 1; }, 2000));
    const DWORD lastClick = GetTickCount();
    EXPECT_EQ(s.Clicks, 1);

    PumpUntil([&] { return GetTickCount() - lastClick > GetDoubleClickTime(); }, GetDoubleClickTime() + 1000);   // past the double-click time
    MouseClickAt(b->ClientToScreen(TPoint(25, 15)), 2);
    EXPECT_TRUE(PumpUntil([&] { return s.Clicks >= 2; }, 2000));
    PumpUntilIdle();
    EXPECT_EQ(s.Clicks, 2);
    SetCursorPos(5, 5);
    EXPECT_TRUE(PumpUntil([&] { return !b->Hot(); }, 2000));
}

}  // namespace
