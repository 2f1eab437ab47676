#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinSlider.h"

using namespace CtlFixture;

namespace {

const TColor cKey = 0xFF00FF;
const TColor cBack = 0x123456;

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinSlider* S;
    int Changes = 0, Done = 0;
    explicit Scene(int W = 121)
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 300);
        S = new TspSkinSlider(Form.get());
        S->SetParent(Form.get());
        S->SetBounds(0, 0, W, 40);   // a ruler of 109: 100 pixels of travel
        S->OnChange = [this](TObject*) { ++Changes; };
        S->OnChanged = [this](TObject*) { ++Done; };
        S->HandleNeeded();
    }
    void Press(int X, int Y) { S->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X, Y)); }
    void Move(int X, int Y) { S->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(X, Y)); }
    void Release(int X, int Y) { S->Perform(WM_LBUTTONUP, 0, PointToLParam(X, Y)); }
    void Key(WORD K) { S->Perform(WM_KEYDOWN, K, 0); }
    void Tick() { S->Perform(WM_TIMER, 1, 0); }
};

TEST(SkinSlider, ConstructedLayout)
{
    Scene s(150);
    Scene d;
    EXPECT_EQ(d.S->RulerLength(), 100);
    EXPECT_EQ(d.S->RulerRect(), TRect(6, 10, 115, 18));      // thin ruler centred on the 17-pixel thumb
    EXPECT_EQ(d.S->ThumbRect(), TRect(6, 6, 15, 23));
    EXPECT_EQ(d.S->PointsRect(), TRect(6, 24, 115, 39));
    TspSkinSlider fresh(nullptr);
    EXPECT_EQ(fresh.GetWidth(), 150);
    EXPECT_EQ(fresh.GetHeight(), 40);
    EXPECT_TRUE(fresh.GetTabStop());
    EXPECT_EQ(fresh.GetOptions(), static_cast<TspSliderOptions>(soShowFocus | soShowPoints | soSmooth));
}

struct OffsetCase {
    int Min, Max;
    bool Vertical;
    int Value, Offset;
};

TEST(SkinSlider, OffsetByValue)
{
    const OffsetCase cases[] = {
        {0, 100, false, 0, 6},    {0, 100, false, 50, 56},  {0, 100, false, 100, 106},
        {0, 200, false, 101, 56}, // 50.5: half to even
        {-50, 50, false, 0, 56},
        {0, 100, true, 0, 106},   {0, 100, true, 100, 6},   {0, 100, true, 25, 81},   // minimum at the bottom
    };
    for (const auto& c : cases) {
        Scene s;
        if (c.Vertical) {
            s.S->SetOrientation(soVertical);
            EXPECT_EQ(s.S->GetWidth(), 40);
            EXPECT_EQ(s.S->GetHeight(), 121);
            EXPECT_EQ(s.S->RulerLength(), 100);
        }
        ASSERT_TRUE(s.S->SetRange(c.Min, c.Max));
        EXPECT_EQ(s.S->GetOffsetByValue(c.Value), c.Offset) << c.Value;
        s.S->SetValue(c.Value);
        EXPECT_EQ(s.S->GetThumbOffset(), c.Offset) << c.Value;
    }
}

struct ValueCase {
    int Min, Max, Increment;
    bool Smooth;
    int Offset, Expect;
};

TEST(SkinSlider, ValueByOffset)
{
    const ValueCase cases[] = {
        {0, 100, 10, true, 6, 0},     {0, 100, 10, true, 56, 50},  {0, 100, 10, true, 57, 51},
        {0, 100, 10, true, 0, 0},     {0, 100, 10, true, 300, 100},
        {0, 100, 10, false, 57, 50},  {0, 100, 10, false, 61, 60},  {0, 100, 10, false, 60, 50},
        {50, 150, 10, true, 56, 100}, {0, 1000, 10, true, 56, 500},
    };
    for (const auto& c : cases) {
        Scene s;
        s.S->SetRange(c.Min, c.Max);
        s.S->SetIncrement(c.Increment);
        s.S->SetOptions(c.Smooth ? s.S->GetOptions() | soSmooth : s.S->GetOptions() & ~soSmooth);
        EXPECT_EQ(s.S->GetValueByOffset(c.Offset), c.Expect) << c.Offset << (c.Smooth ? " smooth" : "");
    }
}

TEST(SkinSlider, RangeAndValueRules)
{
    Scene s;
    s.S->SetValue(150);
    EXPECT_EQ(s.S->GetValue(), 100);
    EXPECT_EQ(s.Changes, 1);
    s.S->SetMinValue(100);   // Min = Max is refused
    EXPECT_EQ(s.S->GetMinValue(), 0);
    EXPECT_FALSE(s.S->SetRange(5, 5));
    EXPECT_FALSE(s.S->SetRange(9, 3));
    s.S->SetRange(0, 4);   // a range smaller than the increment shrinks it
    EXPECT_EQ(s.S->GetIncrement(), 4);
    EXPECT_EQ(s.S->GetValue(), 4);
    s.S->SetIncrement(0);
    s.S->SetIncrement(-3);
    EXPECT_EQ(s.S->GetIncrement(), 4);
}

TEST(SkinSlider, OrientationSwapsTheSize)
{
    Scene s(150);
    s.S->SetOrientation(soVertical);
    EXPECT_EQ(s.S->GetWidth(), 40);
    EXPECT_EQ(s.S->GetHeight(), 150);
    s.S->SetOrientation(soHorizontal);
    EXPECT_EQ(s.S->GetWidth(), 150);
}

struct KeyCase {
    bool Vertical;
    int From;
    WORD Key;
    int Expect;
};

TEST(SkinSlider, KeysStepToTheNextMultipleInTheirDirection)
{
    const KeyCase cases[] = {
        {false, 14, VK_RIGHT, 20}, {false, 16, VK_RIGHT, 20}, {false, 20, VK_RIGHT, 30},
        {false, 16, VK_LEFT, 10},  {false, 14, VK_LEFT, 10},  {false, 20, VK_LEFT, 10},
        {false, 95, VK_RIGHT, 100}, {false, 3, VK_LEFT, 0},   {false, 40, VK_HOME, 0},
        {false, 40, VK_END, 100},  {false, 40, VK_UP, 40},    {true, 14, VK_UP, 20},
        {true, 14, VK_DOWN, 10},   {true, 40, VK_LEFT, 40},
    };
    for (const auto& c : cases) {
        Scene s;
        if (c.Vertical) s.S->SetOrientation(soVertical);
        s.S->SetValue(c.From);
        s.Done = 0;
        s.Key(c.Key);
        EXPECT_EQ(s.S->GetValue(), c.Expect) << c.From << " key " << c.Key;
        EXPECT_EQ(s.Done, c.Expect != c.From || c.Key == VK_HOME || c.Key == VK_END ? 1 : 0) << c.Key;
    }
    Scene s;   // negative values step the same way
    s.S->SetRange(-100, 100);
    s.S->SetValue(-14);
    s.Key(VK_RIGHT);
    EXPECT_EQ(s.S->GetValue(), -10);
    s.S->SetValue(-14);
    s.Key(VK_LEFT);
    EXPECT_EQ(s.S->GetValue(), -20);
    EXPECT_EQ(s.S->Perform(WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
}

TEST(SkinSlider, DragMovesTheThumbAndSnapsWithoutSmooth)
{
    for (bool smooth : {true, false}) {
        Scene s;
        if (!smooth) s.S->SetOptions(s.S->GetOptions() & ~soSmooth);
        s.Press(8, 10);   // grab 2 pixels into the thumb
        EXPECT_TRUE(s.S->ThumbDragging());
        s.Move(8 + 37, 10);
        EXPECT_EQ(s.S->GetValue(), smooth ? 37 : 40);
        EXPECT_EQ(s.S->GetThumbOffset(), smooth ? 43 : 46);
        s.Move(500, 10);
        EXPECT_EQ(s.S->GetValue(), 100);
        EXPECT_EQ(s.Done, 0);
        s.Release(500, 10);
        EXPECT_FALSE(s.S->ThumbDragging());
        EXPECT_EQ(s.Done, 1);
    }
}

TEST(SkinSlider, PressingOnTheRulerStepsUntilTheThumbReachesTheMouse)
{
    Scene s;
    s.Press(60, 14);
    EXPECT_TRUE(s.S->RulerTracking());
    EXPECT_TRUE(s.S->TimerRunning());
    EXPECT_EQ(s.S->GetValue(), 10);   // one step at once
    const int expect[] = {20, 30, 40, 50, 50, 50};   // the thumb (56..65) reaches x 60
    for (int v : expect) {
        s.Tick();
        EXPECT_EQ(s.S->GetValue(), v);
    }
    s.Move(20, 14);   // behind the thumb: no steps back
    s.Tick();
    EXPECT_EQ(s.S->GetValue(), 50);
    EXPECT_EQ(s.Done, 0);
    s.Release(20, 14);
    EXPECT_FALSE(s.S->RulerTracking());
    EXPECT_FALSE(s.S->TimerRunning());
    EXPECT_EQ(s.Done, 1);
    s.Press(60, 35);   // below the ruler: nothing
    EXPECT_FALSE(s.S->RulerTracking());
    s.Release(60, 35);
}

TEST(SkinSlider, ReadOnlyIgnoresUserInput)
{
    Scene s;
    s.S->SetReadOnly(true);
    s.Press(8, 10);
    s.Move(60, 10);
    s.Release(60, 10);
    s.Press(60, 14);
    s.Release(60, 14);
    s.Key(VK_END);
    EXPECT_EQ(s.S->GetValue(), 0);
    EXPECT_EQ(s.Changes, 0);
    Scene t;   // turned on during a drag: the drag ends
    t.Press(8, 10);
    t.Move(30, 10);
    t.S->SetReadOnly(true);
    EXPECT_FALSE(t.S->ThumbDragging());
    t.Move(60, 10);
    EXPECT_EQ(t.S->GetValue(), 22);
}

TEST(SkinSlider, TickPointsSpreadToBeReadable)
{
    Scene s;
    EXPECT_EQ(s.S->PointValues().size(), 11u);   // every 10: 10 pixels apart
    s.S->SetRange(0, 1000);
    const auto v = s.S->PointValues();
    ASSERT_EQ(v.size(), 26u);   // every 40: 4 pixels apart
    EXPECT_EQ(v[1], 40);
    EXPECT_EQ(v[24], 960);
    EXPECT_EQ(v.back(), 1000);
}

TEST(SkinSlider, PlainLook)
{
    Scene s;
    s.S->SetColor(cBack);
    auto shot = Snapshot(s.S);
    EXPECT_EQ(Probe(shot.get(), 10, 14), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));   // thumb
    EXPECT_EQ(Probe(shot.get(), 60, 14), static_cast<TColor>(GetSysColor(COLOR_WINDOW)));    // ruler
    EXPECT_EQ(Probe(shot.get(), 60, 10), cBack);   // the ruler's key colour shows the back
    EXPECT_EQ(Probe(shot.get(), 10, 25), static_cast<TColor>(GetSysColor(COLOR_WINDOWTEXT)));  // tick at 0
    EXPECT_EQ(Probe(shot.get(), 10, 30), cBack);   // 5 long
    int drawn = 0;   // a handler of its own replaces the built-in ticks
    s.S->OnDrawPoints = [&](TObject*) { ++drawn; };
    shot = Snapshot(s.S);
    EXPECT_GT(drawn, 0);
    EXPECT_EQ(Probe(shot.get(), 10, 25), cBack);
    s.S->OnDrawPoints = nullptr;
    s.Press(8, 10);
    shot = Snapshot(s.S);
    EXPECT_EQ(Probe(shot.get(), 10, 14), static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));   // pressed state
    SaveArtefact(shot.get(), "slider-pressed");
    s.Release(8, 10);
}

// A skin picture whose pieces each have a key-coloured bottom row.
std::unique_ptr<TspSkinData> SliderSkin()
{
    auto d = std::make_unique<TspSkinData>(nullptr);
    auto pic = NewPicture(40, 40, cKey);
    Paint(pic.get(), TRect(0, 0, 40, 7), cNormal);    // ruler 40 x 8
    Paint(pic.get(), TRect(0, 10, 10, 29), cActive);  // thumb, plain state
    Paint(pic.get(), TRect(10, 10, 20, 29), cDown);   // thumb, pressed state
    d->ActivePictures.push_back(std::move(pic));
    auto r = std::make_unique<TspDataSkinSlider>("slider");
    r->PictureIndex = 0;
    r->HRulerRect = TRect(0, 0, 40, 8);
    r->HThumbRect = TRect(0, 10, 20, 30);
    r->VRulerRect = TRect(0, 0, 8, 8);
    r->VThumbRect = TRect(0, 10, 20, 30);
    r->EdgeSize = 3;
    r->BGColor = cBack;
    r->PointsColor = cEdge;
    d->CtrlList.push_back(std::move(r));
    d->Empty = false;
    return d;
}

TEST(SkinSlider, SkinnedLook)
{
    Scene s;
    auto skin = SliderSkin();
    s.S->SetSkinData(skin.get());
    ASSERT_TRUE(s.S->Skinned());
    EXPECT_EQ(s.S->ThumbRect(), TRect(6, 6, 16, 26));
    EXPECT_EQ(s.S->RulerRect(), TRect(6, 12, 115, 20));
    auto shot = Snapshot(s.S);
    EXPECT_EQ(Probe(shot.get(), 10, 15), cActive);
    EXPECT_EQ(Probe(shot.get(), 10, 25), cBack);   // the thumb's key row
    EXPECT_EQ(Probe(shot.get(), 80, 14), cNormal);
    EXPECT_EQ(Probe(shot.get(), 80, 8), cBack);
    EXPECT_EQ(Probe(shot.get(), 11, 28), cEdge);   // tick in the skin's colour
    s.Press(10, 15);
    shot = Snapshot(s.S);
    EXPECT_EQ(Probe(shot.get(), 10, 15), cDown);
    s.Release(10, 15);
    s.S->SetUseSkinThumb(false);   // the control's own pictures on the skin's back
    shot = Snapshot(s.S);
    EXPECT_EQ(Probe(shot.get(), 10, 14), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    s.S->SetSkinData(nullptr);
}

TEST(SkinSlider, DamagedPicturesNeverDivide)
{
    Scene s;
    TBitmap tiny(2, 8, pf24bit);   // no middle between the fixed ends
    s.S->SetImage(siHRuler, &tiny);
    EXPECT_TRUE(s.S->StoreImage(siHRuler));
    EXPECT_LT(2 * s.S->GetEdgeSize(), 2);
    auto shot = Snapshot(s.S);
    s.S->SetImage(siHRuler, nullptr);
    EXPECT_FALSE(s.S->StoreImage(siHRuler));
    Scene narrow(10);   // no ruler at all
    EXPECT_EQ(narrow.S->GetValueByOffset(50), 0);
    narrow.Key(VK_END);
    EXPECT_EQ(narrow.S->GetValue(), 100);
    Snapshot(narrow.S);
}

}  // namespace
