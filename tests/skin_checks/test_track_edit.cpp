// The track edit: value to text, typed numbers clamped on Enter and on leaving
// (not on every key), numbers too long for 32 bits, the wheel, and the drop-down
// track bar: its place, the thumb moving the value, and what closes it.
#include "test_gtest.h"
#include "Form.h"
#include "SkinTrackEdit.h"
#include "WaitUntil.h"
#include <memory>
#include <string>

namespace {

struct TrackScene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinTrackEdit* E;
    TspSkinTrackEdit* Other;
    int Changes = 0;
    TrackScene()
    {
        SetCursorPos(700, 700);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(100, 100, 300, 200);
        E = new TspSkinTrackEdit(Form.get());
        E->SetParent(Form.get());
        E->SetBounds(10, 10, 120, 20);
        E->SetMaxValue(255);
        E->OnChange = [this](TObject*) { ++Changes; };
        Other = new TspSkinTrackEdit(Form.get());
        Other->SetParent(Form.get());
        Other->SetBounds(10, 60, 120, 20);
        Form->Show();
        PumpUntilIdle();
        E->SetFocus();
        PumpUntilIdle();
    }
    void Retype(const std::string& Keys)
    {
        E->SelectAll();
        E->Perform(WM_CHAR, 8, 1);
        for (char c : Keys) E->Perform(WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    void Wheel(int Delta) { E->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(Delta)), 0); }
};

TEST(SkinTrackEdit, ValueToTextClamped)
{
    TrackScene s;
    EXPECT_EQ(s.E->GetText(), "0");
    struct Case { int Min, Max, Set, Value; const char* Text; };
    const Case cases[] = {{0, 255, 300, 255, "255"}, {0, 255, -4, 0, "0"}, {10, 20, 15, 15, "15"},
                          {5, 5, -70, -70, "-70"}};   // equal bounds: no range
    for (const Case& c : cases) {
        s.E->SetMinValue(c.Min);
        s.E->SetMaxValue(c.Max);
        s.E->SetValue(c.Set);
        EXPECT_EQ(s.E->GetValue(), c.Value);
        EXPECT_EQ(s.E->GetText(), c.Text);
    }
}

TEST(SkinTrackEdit, TypedNumbersClampOnEnterAndOnLeavingNotOnEveryKey)
{
    TrackScene s;
    struct Case { int Min, Max; const char* Keys; const char* Typed; int Value; const char* Committed; bool Leave; };
    const Case cases[] = {
        {10, 100, "50", "50", 50, "50", false},         // "5" on the way stays 5
        {0, 255, "300", "300", 255, "255", false},
        {0, 255, "300", "300", 255, "255", true},
        {0, 255, "-7", "-7", 0, "0", true},
        {0, 255, "1x2", "12", 12, "12", false},          // a refused letter
        // Beyond 32 bits the text converts no more: the value stays where "999" put it.
        {0, 255, "99999999999", "99999999999", 255, "255", false},
        {0, 255, "-", "-", 255, "255", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Keys);
        s.E->SetMinValue(c.Min);
        s.E->SetMaxValue(c.Max);
        s.E->SetFocus();
        s.Retype(c.Keys);
        EXPECT_EQ(s.E->GetText(), c.Typed);
        EXPECT_EQ(s.E->GetValue(), c.Value);
        if (c.Leave) {
            s.Other->SetFocus();
            PumpUntilIdle();
        } else {
            s.E->Perform(WM_CHAR, 13, 1);
        }
        EXPECT_EQ(s.E->GetText(), c.Committed);
        EXPECT_EQ(s.E->GetValue(), c.Value);
    }
}

TEST(SkinTrackEdit, WheelStepsAndStopsAtTheEnds)
{
    TrackScene s;
    s.E->SetValue(254);
    s.Wheel(-WHEEL_DELTA);   // towards the user: up
    EXPECT_EQ(s.E->GetValue(), 255);
    s.Wheel(-WHEEL_DELTA);
    EXPECT_EQ(s.E->GetValue(), 255);
    EXPECT_EQ(s.E->GetText(), "255");
    s.Wheel(WHEEL_DELTA);
    EXPECT_EQ(s.E->GetValue(), 254);
}

TEST(SkinTrackEdit, DropPointLinesUpAndStaysOnTheScreen)
{
    struct Case { TPoint Edit; int EditW, BarW; TspTrackBarPopupKind Kind; TPoint Expect; };
    const Case cases[] = {
        {TPoint(300, 100), 50, 200, tbpLeft, TPoint(150, 120)},    // right edges line up
        {TPoint(100, 100), 50, 200, tbpLeft, TPoint(0, 120)},      // moved right to the screen's edge
        {TPoint(300, 100), 50, 200, tbpRight, TPoint(300, 120)},
        {TPoint(700, 100), 50, 200, tbpRight, TPoint(600, 120)},   // moved left to the screen's edge
        {TPoint(300, 590), 50, 50, tbpRight, TPoint(300, 570)},    // above the edit at the bottom
    };
    for (const Case& c : cases)
        EXPECT_EQ(TspSkinTrackEdit::DropPoint(c.Edit, c.EditW, 20, c.BarW, 20, c.Kind, 800, 600), c.Expect);
}

TEST(SkinTrackEdit, TheDroppedBarMovesTheValueAndClosesKeepingIt)
{
    TrackScene s;
    s.E->SetValue(10);
    s.E->ButtonClick(s.E);
    PumpUntilIdle();
    TspSkinPopupTrackBar* bar = s.E->GetTrackBar();
    ASSERT_TRUE(s.E->TrackBarShown());
    EXPECT_TRUE(IsWindowVisible(bar->GetHandle()));
    RECT er, br;
    GetWindowRect(s.E->GetHandle(), &er);
    GetWindowRect(bar->GetHandle(), &br);
    EXPECT_EQ(br.left, er.left);
    EXPECT_EQ(br.top, er.top + s.E->GetHeight());
    EXPECT_EQ(br.right - br.left, s.E->GetWidth());
    EXPECT_EQ(bar->GetValue(), 10);
    EXPECT_EQ(bar->GetMaxValue(), 255);
    EXPECT_EQ(GetFocus(), s.E->GetHandle());
    // The thumb dragged along: every new value reaches the text and OnChange.
    const TRect th = bar->ThumbRect();
    const int y = th.top + th.Height() / 2;
    s.Changes = 0;
    bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(th.left + 1, y));
    bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(th.left + 21, y));
    const int mid = s.E->GetValue();
    EXPECT_GT(mid, 10);
    EXPECT_EQ(s.E->GetText(), std::to_string(mid));
    bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(th.left + 5000, y));   // past the end: clamped
    bar->Perform(WM_LBUTTONUP, 0, PointToLParam(th.left + 5000, y));
    EXPECT_EQ(s.E->GetValue(), 255);
    EXPECT_EQ(s.E->GetText(), "255");
    EXPECT_EQ(s.Changes, 2);
    // The wheel moves the open bar, and the edit with it.
    s.Wheel(WHEEL_DELTA);
    EXPECT_EQ(bar->GetValue(), 254);
    EXPECT_EQ(s.E->GetValue(), 254);
    // Escape closes and keeps the value.
    s.E->Perform(WM_CHAR, 27, 1);
    EXPECT_FALSE(s.E->TrackBarShown());
    EXPECT_EQ(s.E->GetValue(), 254);
    // Leaving the field closes it too.
    s.E->ButtonClick(s.E);
    ASSERT_TRUE(s.E->TrackBarShown());
    s.Other->SetFocus();
    PumpUntilIdle();
    EXPECT_FALSE(s.E->TrackBarShown());
    EXPECT_FALSE(IsWindowVisible(bar->GetHandle()));
    EXPECT_EQ(s.E->GetText(), "254");
}

}  // namespace
