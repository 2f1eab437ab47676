// The animation object: frames cut from a strip, playing forwards and back on
// the frame's 25 ms ticks, cycling or stopping, and its button style.
#include "test_gtest.h"
#include "ObjectsFixture.h"
#include <climits>

using namespace ObjFixture;

namespace {

// Frame i (from 1) of an 8-frame strip of 10 x 10 images at the active picture's (0, 60).
TColor FrameColor(int I) { return RGB(20 * I, 255 - 20 * I, 100); }

struct AnimScene : Scene {
    std::unique_ptr<TspDataSkinAnimate> Rec = NewRecord<TspDataSkinAnimate>("anim");
    AnimScene()
    {
        TBitmap* act = Skin->ActivePictures[0].get();
        for (int i = 1; i <= 8; ++i) Paint(act, TRect((i - 1) * 10, 60, i * 10, 70), FrameColor(i));
        Rec->SkinRect = TRect(50, 50, 60, 60);
        Rec->ActiveSkinRect = TRect(0, 60, 80, 70);
        Rec->InActiveSkinRect = TRect();
        Rec->CountFrames = 8;
        Rec->Cycle = false;
        Rec->ButtonStyle = true;
        Rec->TimerInterval = 50;
    }
};

// Ticks until the animation stops (at most Limit), returning how many it took.
int RunToStop(TspSkinAnimateObject& A, int Limit = 200)
{
    int n = 0;
    while (A.Active && n < Limit) {
        A.ChangeFrame();
        ++n;
    }
    return n;
}

TEST(AnimateObject, NonCyclingPlaysToTheLastFrameAndBackOnLeave)
{
    AnimScene s;
    TspSkinAnimateObject a(s.Frame, s.Rec.get());
    EXPECT_EQ(Look(&a), FrameColor(1));
    a.MouseEnter();
    EXPECT_TRUE(s.Frame->GetAnimationTimer()->GetEnabled());
    RunToStop(a);
    EXPECT_EQ(a.CurrentFrame, 8);
    EXPECT_EQ(Look(&a), FrameColor(8));
    a.MouseLeave();
    RunToStop(a);
    EXPECT_EQ(a.CurrentFrame, 1);
    EXPECT_EQ(Look(&a), FrameColor(1));
    a.MouseLeave();   // already left: no second event
    EXPECT_EQ(std::count(s.Events.begin(), s.Events.end(), "leave:anim"), 1);
}

TEST(AnimateObject, CyclingWrapsToTheFirstFrame)
{
    AnimScene s;
    s.Rec->Cycle = true;
    TspSkinAnimateObject a(s.Frame, s.Rec.get());
    a.MouseEnter();
    int seenLast = 0, wrapped = 0, prev = a.CurrentFrame;
    for (int i = 0; i < 40; ++i) {
        a.ChangeFrame();
        if (a.CurrentFrame == 8) ++seenLast;
        if (prev == 8 && a.CurrentFrame == 1) ++wrapped;
        prev = a.CurrentFrame;
    }
    EXPECT_TRUE(a.Active);
    EXPECT_GT(seenLast, 0);
    EXPECT_GT(wrapped, 0);
}

TEST(AnimateObject, IntervalCountsInTicksOf25Ms)
{
    struct Case {
        int Interval, TicksPerFrame;
    } cases[] = {{10, 1}, {25, 1}, {50, 2}, {60, 3}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Interval);
        AnimScene s;
        s.Rec->TimerInterval = k.Interval;
        TspSkinAnimateObject a(s.Frame, s.Rec.get());
        a.Start();
        // Seven frame changes take the animation from frame 1 to frame 8.
        EXPECT_EQ(RunToStop(a), 7 * k.TicksPerFrame);
    }
}

TEST(AnimateObject, NotButtonStyleIgnoresTheMouseButPlaysWhenStarted)
{
    AnimScene s;
    s.Rec->ButtonStyle = false;
    s.Rec->Command = cmMaximize;
    TspSkinAnimateObject a(s.Frame, s.Rec.get());
    a.MouseEnter();
    EXPECT_FALSE(a.Active);
    a.MouseDown(55, 55, mbLeft);
    a.MouseUp(55, 55, mbLeft);
    EXPECT_EQ(s.Frame->GetWindowState(), fwsNormal);
    a.Start();
    EXPECT_TRUE(a.Active);
    a.Stop();
    EXPECT_FALSE(a.Active);
    EXPECT_EQ(a.CurrentFrame, 1);
}

TEST(AnimateObject, ButtonStyleRunsItsCommand)
{
    AnimScene s;
    s.Rec->Command = cmRollUp;
    TspSkinAnimateObject a(s.Frame, s.Rec.get());
    a.MouseEnter();
    a.MouseDown(55, 55, mbLeft);
    a.MouseUp(55, 55, mbLeft);
    EXPECT_TRUE(s.Frame->GetRolledUp());
}

TEST(AnimateObject, DamagedStripDrawsSafely)
{
    AnimScene s;
    s.Rec->CountFrames = -5;
    s.Rec->ActiveSkinRect = TRect(INT_MAX - 5, 60, INT_MAX, 70);
    TspSkinAnimateObject a(s.Frame, s.Rec.get());
    EXPECT_EQ(a.countframes, 1);
    a.CurrentFrame = 1000000;
    Drawn(&a);
}

}  // namespace
