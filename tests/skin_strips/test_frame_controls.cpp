// Frame-strip controls on a fixture skin whose frames are one flat colour each:
// the frame a value shows, the cell of a frame in the strip, the size that
// always follows the frame, switch and animation steps, and regulator dragging.
#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinFrameControls.h"
#include <climits>

using namespace CtlFixture;

namespace {

// A horizontal strip of four 20 x 10 frames at (0, 0) and a vertical strip of
// three 10 x 12 frames at (100, 0) of picture 0; picture 1 is a mask.
const TColor cH[] = {0x0000F0, 0x00F000, 0xF00000, 0xF0F000};
const TColor cV[] = {0x00F0F0, 0xF000F0, 0x808080};
const TRect HStrip(0, 0, 80, 10), VStrip(100, 0, 110, 36);

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    std::unique_ptr<TspSkinData> Skin = std::make_unique<TspSkinData>(nullptr);
    Scene()
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 200);
        auto pic = NewPicture(200, 100, 0x101010);
        for (int i = 0; i < 4; ++i) Paint(pic.get(), Bounds(i * 20, 0, 20, 10), cH[i]);
        for (int i = 0; i < 3; ++i) Paint(pic.get(), Bounds(100, i * 12, 10, 12), cV[i]);
        Skin->ActivePictures.push_back(std::move(pic));
        auto mask = NewPicture(80, 10, 0);
        Paint(mask.get(), TRect(0, 0, 4, 4), 0xFFFFFF);
        Skin->ActivePictures.push_back(std::move(mask));
        Skin->Empty = false;
    }
    ~Scene()
    {
        while (Form->GetControlCount() > 0) delete Form->GetControl(0);
    }
    template <class R> R* Add(const std::string& Name, const TRect& Strip, int Count, TFramesPlacement P)
    {
        auto r = std::make_unique<R>(Name);
        r->PictureIndex = 0;
        r->SkinRect = Strip;
        r->FramesCount = Count;
        r->FramesPlacement = P;
        auto* p = r.get();
        Skin->CtrlList.push_back(std::move(r));
        return p;
    }
    template <class C> C* Make(bool Skinned = true)
    {
        auto* c = new C(nullptr);
        c->SetParent(Form.get());
        c->SetBounds(5, 5, 70, 70);
        if (Skinned) c->SetSkinData(Skin.get());
        return c;
    }
};

// A horizontal strip of N frames of W x H, frame i filled with Colour(i).
std::unique_ptr<TBitmap> DefaultStrip(int N, int W, int H, TFramesPlacement P, TColor (*Colour)(int))
{
    auto b = NewPicture(P == fpHorizontal ? N * W : W, P == fpHorizontal ? H : N * H, 0);
    for (int i = 0; i < N; ++i)
        Paint(b.get(), P == fpHorizontal ? Bounds(i * W, 0, W, H) : Bounds(0, i * H, W, H), Colour(i + 1));
    return b;
}
TColor Shade(int I) { return RGB(30 * I, 200 - 10 * I, 60); }

// The colour of a control's top-left frame area (inside its plain face's border).
TColor Shown(TWinControl* C) { return Probe(Snapshot(C).get(), 2, 2); }

void Enter(TControl* C) { C->Perform(CM_MOUSEENTER, 0, 0); }
void Leave(TControl* C) { C->Perform(CM_MOUSELEAVE, 0, 0); }
void Press(TControl* C, int X, int Y) { C->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X, Y)); }
void Move(TControl* C, int X, int Y) { C->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(X, Y)); }
void Release(TControl* C, int X, int Y) { C->Perform(WM_LBUTTONUP, 0, PointToLParam(X, Y)); }

TEST(FrameStrip, FrameOfValueTable)
{
    struct Case {
        int Value, Min, Max, Count, Frame;
    } cases[] = {
        {50, 0, 100, 11, 6},   {100, 0, 100, 11, 11}, {0, 0, 100, 11, 1},  {3, 0, 10, 6, 2},
        {10, 0, 10, 6, 6},     {3, 0, 3, 6, 4},       // a step below 1 counts as 1
        {7, 7, 7, 5, 1},       // equal minimum and maximum
        {50, 0, 100, 1, 1},    // one frame: a divisor of 1, the whole range one step
        {100, 0, 100, 0, 2},   // (the control keeps the frame inside the strip)   {-20, -100, 0, 6, 5},
        {INT_MAX, INT_MIN, INT_MAX, 3, 3},   // no overflow at the ends of the range
        {INT_MIN, INT_MIN, INT_MAX, 3, 1},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.Value << " in " << k.Min << ".." << k.Max << " / " << k.Count);
        EXPECT_EQ(FrameOfValue(k.Value, k.Min, k.Max, k.Count), k.Frame);
    }
}

TEST(FrameStrip, SkinnedControlIsOneFrameAndShowsTheFrameCell)
{
    struct Case {
        TRect Strip;
        int Count;
        TFramesPlacement P;
        int W, H, Frames;
        const TColor* Colours;
    } cases[] = {
        {HStrip, 4, fpHorizontal, 20, 10, 4, cH},
        {VStrip, 3, fpVertical, 10, 12, 3, cV},
        {TRect(0, 0, 40, 10), 1, fpHorizontal, 20, 10, 2, cH},   // one frame in the skin is two
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Count);
        Scene s;
        s.Add<TspDataSkinFrameGauge>("framegauge", k.Strip, k.Count, k.P);
        auto* g = s.Make<TspSkinFrameGauge>();
        ASSERT_TRUE(g->Skinned());
        EXPECT_EQ(g->GetFrameCount(), k.Frames);
        EXPECT_EQ(g->GetWidth(), k.W);
        EXPECT_EQ(g->GetHeight(), k.H);
        g->SetBounds(5, 5, 90, 33);   // any other size becomes the frame's
        EXPECT_EQ(g->GetWidth(), k.W);
        EXPECT_EQ(g->GetHeight(), k.H);
        for (int n = 1; n <= k.Frames; ++n) {
            g->SetFrame(n);
            EXPECT_EQ(Shown(g), k.Colours[n - 1]) << n;
        }
        g->SetFrame(0);
        EXPECT_EQ(g->GetFrame(), 1);
        g->SetFrame(99);
        EXPECT_EQ(g->GetFrame(), k.Frames);
    }
}

TEST(FrameStrip, DamagedRecordsNeverCrashOrBorrowAnotherSkin)
{
    struct Case {
        const char* What;
        TRect Strip;
        int Count;
        int PictureIndex;
        bool Frames;
    } cases[] = {
        {"inverted strip", TRect(80, 10, 0, 0), 4, 0, false},
        {"count beyond the strip", TRect(0, 0, 8, 10), 100000, 0, true},   // 8 frames of one pixel
        {"negative count", HStrip, -5, 0, true},
        {"picture beyond the list", HStrip, 4, 7, true},
        {"strip beyond the picture", TRect(190, 90, 270, 100), 4, 0, true},
        {"huge strip", TRect(0, 0, INT_MAX, INT_MAX), 2, 0, false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.What);
        Scene s;
        auto* r = s.Add<TspDataSkinFrameGauge>("framegauge", k.Strip, k.Count, fpHorizontal);
        r->PictureIndex = k.PictureIndex;
        auto* g = s.Make<TspSkinFrameGauge>();
        EXPECT_EQ(g->HasFrames(), k.Frames);
        EXPECT_LE(g->GetWidth(), MaxSkinControlSide);
        g->SetValue(100);
        g->SetFrame(1000);
        EXPECT_LE(g->GetFrame(), std::max(g->GetFrameCount(), 1));
        Snapshot(g);   // paints without reading outside the picture
    }
    // A record of another kind: skinned, but no frames and a free size.
    Scene s;
    AddButton(s.Skin.get(), "framegauge");
    auto* g = s.Make<TspSkinFrameGauge>();
    EXPECT_TRUE(g->Skinned());
    EXPECT_FALSE(g->HasFrames());
    g->SetBounds(0, 0, 33, 44);
    EXPECT_EQ(g->GetWidth(), 33);
    EXPECT_EQ(Shown(g), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
}

TEST(FrameStrip, UnskinnedDefaultImageGivesTheFrames)
{
    struct Case {
        int Count;
        TFramesPlacement P;
        int SetCount, Frames, W, H;
    } cases[] = {
        {5, fpHorizontal, 5, 5, 12, 8},
        {4, fpVertical, 4, 4, 12, 8},
        {5, fpHorizontal, 0, 1, 60, 8},   // below 1 is 1: the whole image is the frame
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.SetCount);
        Scene s;
        auto* g = s.Make<TspSkinFrameGauge>(false);
        EXPECT_FALSE(g->HasFrames());
        g->SetBounds(0, 0, 41, 43);
        EXPECT_EQ(g->GetWidth(), 41);   // no frames: the size is free
        g->SetDefaultFramesPlacement(k.P);
        g->SetDefaultFramesCount(k.SetCount);
        auto strip = DefaultStrip(k.Count, 12, 8, k.P, Shade);
        g->SetDefaultImage(strip.get());
        EXPECT_EQ(g->GetDefaultFramesCount(), std::max(k.SetCount, 1));
        EXPECT_EQ(g->GetFrameCount(), k.Frames);
        EXPECT_EQ(g->GetWidth(), k.W);
        EXPECT_EQ(g->GetHeight(), k.H);
        EXPECT_EQ(Shown(g), Shade(1));
        if (k.Frames > 1) {
            g->SetFrame(k.Frames);
            EXPECT_EQ(Shown(g), Shade(k.Frames));
        }
    }
}

TEST(FrameStrip, PlainLookWithoutImageAndRegionFromTheMask)
{
    Scene s;
    auto* g = s.Make<TspSkinFrameGauge>(false);
    auto shot = Snapshot(g);
    EXPECT_EQ(Probe(shot.get(), 10, 10), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(Probe(shot.get(), 0, 0), static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));
    g->HandleNeeded();
    auto mask = NewPicture(10, 10, 0);
    g->SetDefaultMask(mask.get());
    EXPECT_TRUE(g->HasWindowRegion());
    // Skinned with a mask picture: the region comes from the strip mask; without one, none.
    auto* r = s.Add<TspDataSkinFrameGauge>("framegauge", HStrip, 4, fpHorizontal);
    r->MaskPictureIndex = 1;
    g->SetSkinData(s.Skin.get());
    EXPECT_TRUE(g->HasWindowRegion());
    r->MaskPictureIndex = -1;
    g->ChangeSkinData();
    EXPECT_FALSE(g->HasWindowRegion());
}

TEST(FrameGauge, ValuesInsideTheRangeOnly)
{
    Scene s;
    s.Add<TspDataSkinFrameGauge>("framegauge", HStrip, 4, fpHorizontal);
    auto* g = s.Make<TspSkinFrameGauge>();
    g->SetMaxValue(30);   // 50 above it is lowered: frame 4
    EXPECT_EQ(g->GetValue(), 30);
    EXPECT_EQ(g->GetFrame(), 4);
    struct Case {
        int Set, Value, Frame;
    } cases[] = {{10, 10, 2}, {-1, 10, 2}, {31, 10, 2}, {0, 0, 1}, {29, 29, 3}};
    for (const auto& k : cases) {
        g->SetValue(k.Set);
        EXPECT_EQ(g->GetValue(), k.Value) << k.Set;
        EXPECT_EQ(g->GetFrame(), k.Frame) << k.Set;
        EXPECT_EQ(Shown(g), cH[k.Frame - 1]) << k.Set;
    }
    g->SetMinValue(20);
    EXPECT_EQ(g->GetValue(), 29);
    g->SetMinValue(40);
    EXPECT_EQ(g->GetValue(), 40);
}

TEST(Switch, TwoFramesJumpMoreFramesStep)
{
    for (int frames : {2, 4}) {
        SCOPED_TRACE(frames);
        Scene s;
        s.Add<TspDataSkinSwitchControl>("switch", TRect(0, 0, frames * 20, 10), frames, fpHorizontal);
        auto* w = s.Make<TspSkinSwitch>();
        int changes = 0;
        w->OnChange = [&](TObject*) { ++changes; };
        EXPECT_EQ(w->GetFrame(), 1);
        w->SetState(swOn);
        EXPECT_EQ(changes, 1);
        if (frames == 2) {
            EXPECT_FALSE(w->Running());
            EXPECT_EQ(w->GetFrame(), 2);
        } else {
            EXPECT_TRUE(w->Running());
            for (int i = 2; i <= frames; ++i) {
                w->Step();
                EXPECT_EQ(w->GetFrame(), i);
            }
            w->Step();
            EXPECT_FALSE(w->Running());
            EXPECT_EQ(w->GetFrame(), frames);
        }
        EXPECT_EQ(Shown(w), cH[frames - 1]);
        w->SetState(swOff);
        for (int i = 0; i < frames + 1; ++i) w->Step();
        EXPECT_EQ(w->GetFrame(), 1);
        EXPECT_FALSE(w->Running());
    }
}

TEST(Switch, LeftClickOverItToggles)
{
    Scene s;
    s.Add<TspDataSkinSwitchControl>("switch", TRect(0, 0, 40, 10), 2, fpHorizontal);
    auto* w = s.Make<TspSkinSwitch>();
    struct Step {
        bool Over;
        UINT Down, Up;
        TspSkinSwitchState After;
    } steps[] = {
        {false, WM_LBUTTONDOWN, WM_LBUTTONUP, swOff},   // the mouse is not over it
        {true, WM_LBUTTONDOWN, WM_LBUTTONUP, swOn},
        {true, WM_RBUTTONDOWN, WM_RBUTTONUP, swOn},     // other buttons do nothing
        {true, WM_LBUTTONDOWN, WM_LBUTTONUP, swOff},
    };
    for (const auto& k : steps) {
        if (k.Over) Enter(w); else Leave(w);
        w->Perform(k.Down, k.Down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, PointToLParam(5, 5));
        w->Perform(k.Up, 0, PointToLParam(5, 5));
        EXPECT_EQ(w->GetState(), k.After);
        EXPECT_EQ(w->GetFrame(), k.After == swOn ? 2 : 1);
    }
}

TEST(Animate, OnceCycleAndButtonMode)
{
    Scene s;
    s.Add<TspDataSkinAnimateControl>("animate", HStrip, 4, fpHorizontal);
    auto* a = s.Make<TspSkinAnimate>();
    std::vector<std::string> events;
    a->OnStart = [&](TObject*) { events.push_back("start"); };
    a->OnStop = [&](TObject*) { events.push_back("stop"); };
    a->SetActive(true);
    std::vector<int> seen;
    for (int i = 0; i < 10 && a->Running(); ++i) {
        a->Step();
        seen.push_back(a->GetFrame());
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 4, 4}));
    EXPECT_EQ(events, (std::vector<std::string>{"start", "stop"}));
    // Cycling wraps from the last frame to the first.
    a->CycleMode = true;
    a->Start();
    seen.clear();
    for (int i = 0; i < 6; ++i) {
        a->Step();
        seen.push_back(a->GetFrame());
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 1, 2}));
    EXPECT_TRUE(a->Running());
    a->SetActive(false);
    EXPECT_FALSE(a->Running());
    // Button mode: forward while the mouse is over it, back to frame 1 after it leaves.
    a->CycleMode = false;
    a->ButtonMode = true;
    a->SetFrame(1);
    Enter(a);
    EXPECT_TRUE(a->Running());
    for (int i = 0; i < 6; ++i) a->Step();
    EXPECT_EQ(a->GetFrame(), 4);
    Leave(a);
    for (int i = 0; i < 6; ++i) a->Step();
    EXPECT_EQ(a->GetFrame(), 1);
    EXPECT_FALSE(a->Running());
    EXPECT_EQ(Shown(a), cH[0]);
}

TEST(Animate, WithoutFramesNothingRuns)
{
    Scene s;
    auto* a = s.Make<TspSkinAnimate>(false);
    a->SetActive(true);
    EXPECT_FALSE(a->Running());
    a->Step();
    EXPECT_EQ(a->GetFrame(), 1);
}

// Regulator of 11 frames of 60 x 40 from a default image.
struct RegulatorScene : Scene {
    std::unique_ptr<TBitmap> Strip = DefaultStrip(11, 60, 40, fpHorizontal, Shade);
    TspSkinFrameRegulator* R;
    std::vector<int> Changes;
    explicit RegulatorScene(TRegulatorKind Kind)
    {
        R = Make<TspSkinFrameRegulator>(false);
        R->SetDefaultFramesCount(11);
        R->SetDefaultImage(Strip.get());
        R->SetDefaultKind(Kind);
        R->SetValue(50);
        R->OnChange = [this](TObject*) { Changes.push_back(R->GetValue()); };
    }
};

TEST(FrameRegulator, DragStepsByKind)
{
    struct Case {
        TRegulatorKind Kind;
        TPoint To[3];
        int Values[3];
    } cases[] = {
        // rkRound: 40 div 10 = 4 pixels of x - y per step of 10.
        {rkRound, {{33, 20}, {34, 20}, {34, 30}}, {50, 60, 50}},
        // rkHorizontal: 60 div 10 = 6 pixels of x.
        {rkHorizontal, {{35, 20}, {36, 20}, {100, 20}}, {50, 60, 70}},   // one step per move, however far
        // rkVertical: 4 pixels upwards raise it.
        {rkVertical, {{30, 17}, {30, 16}, {30, 30}}, {50, 60, 50}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Kind);
        RegulatorScene s(k.Kind);
        EXPECT_EQ(s.R->GetKind(), k.Kind);
        Press(s.R, 30, 20);
        EXPECT_TRUE(s.R->Dragging());
        for (int i = 0; i < 3; ++i) {
            Move(s.R, k.To[i].x, k.To[i].y);
            EXPECT_EQ(s.R->GetValue(), k.Values[i]) << i;
        }
        EXPECT_EQ(s.R->GetFrame(), k.Values[2] / 10 + 1);
        EXPECT_EQ(Shown(s.R), Shade(k.Values[2] / 10 + 1));
        Release(s.R, 30, 20);
        EXPECT_FALSE(s.R->Dragging());
        Move(s.R, 200, 0);
        EXPECT_EQ(s.R->GetValue(), k.Values[2]);
    }
}

TEST(FrameRegulator, ClampsAtTheEndsAndReportsOnlyAcceptedValues)
{
    RegulatorScene s(rkHorizontal);
    s.R->SetValue(90);
    s.Changes.clear();
    Press(s.R, 0, 0);
    for (int x = 6; x <= 30; x += 6) Move(s.R, x, 0);
    EXPECT_EQ(s.R->GetValue(), 100);
    EXPECT_EQ(s.Changes, (std::vector<int>{100}));   // values beyond the end are refused
    Release(s.R, 30, 0);
    s.R->SetValue(101);
    s.R->SetMaxValue(80);   // lowers the value directly, without OnChange
    EXPECT_EQ(s.R->GetValue(), 80);
    EXPECT_EQ(s.Changes.size(), 1u);
}

TEST(FrameRegulator, EqualRangeAndOneFrameNeverDivideByZero)
{
    Scene s;
    auto* r = s.Make<TspSkinFrameRegulator>(false);
    auto one = NewPicture(20, 20, 0x00A0A0);
    r->SetDefaultImage(one.get());   // one frame
    r->SetMinValue(5);
    r->SetMaxValue(5);
    EXPECT_EQ(r->GetValue(), 5);
    Press(r, 10, 10);
    Move(r, 35, 0);   // past the 20-pixel step: a value step of 1, refused at the end
    Release(r, 35, 0);
    EXPECT_EQ(r->GetValue(), 5);
    EXPECT_EQ(r->GetFrame(), 1);
    EXPECT_EQ(Shown(r), static_cast<TColor>(0x00A0A0));
}

TEST(FrameRegulator, SkinKindWinsOverTheDefaultKind)
{
    Scene s;
    auto* rec = s.Add<TspDataSkinFrameRegulator>("frameregulator", HStrip, 4, fpHorizontal);
    rec->Kind = rkVertical;
    auto* r = s.Make<TspSkinFrameRegulator>();
    r->SetDefaultKind(rkHorizontal);
    r->GetSkinData();
    EXPECT_EQ(r->GetKind(), rkVertical);
    r->SetSkinData(nullptr);
    r->ChangeSkinData();
    EXPECT_EQ(r->GetKind(), rkHorizontal);
}

}  // namespace
