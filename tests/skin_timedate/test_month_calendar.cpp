// The month calendar: stepping months and years, the first grid column for
// every first day of the week, the day hit test, clicks through mouse
// messages, and the drawing by pixel probes on a fixture skin.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "DateRules.h"
#include "Form.h"
#include "SkinMonthCalendar.h"
#include "SkinSpeedButton.h"
#include <memory>
#include <string>

using namespace CtlFixture;

namespace {

const TColor cNumber = 0xFF00FF, cTitle = 0xFFFF00, cTile = 0x204080;

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    std::unique_ptr<TspSkinData> Skin = NewSkin();
    TspSkinMonthCalendar* C;
    Scene()
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 320, 260);
        C = new TspSkinMonthCalendar(Form.get());
        C->SetParent(Form.get());
        C->SetBounds(10, 10, 280, 220);
        C->HandleNeeded();
    }
    // A "panel" record on the fixture picture and, when asked, a "stdlabel" one.
    void Bind(bool WithLabel, bool WithBackground = false)
    {
        if (WithBackground) Skin->ActivePictures.push_back(NewPicture(8, 8, cTile));
        auto rec = std::make_unique<TspDataSkinPanelControl>("panel");
        rec->PictureIndex = 0;
        rec->SkinRect = LookRect(0);
        rec->LeftTopPoint = TPoint(10, 5);
        rec->RightTopPoint = TPoint(50, 5);
        rec->LeftBottomPoint = TPoint(10, 15);
        rec->RightBottomPoint = TPoint(50, 15);
        rec->ClientRect = TRect(10, 5, 50, 15);
        if (WithBackground) rec->BGPictureIndex = 2;
        Skin->CtrlList.push_back(std::move(rec));
        if (WithLabel) {
            auto l = std::make_unique<TspDataSkinStdLabelControl>("stdlabel");
            l->Font.Color = cNumber;
            l->ActiveFontColor = cTitle;
            Skin->CtrlList.push_back(std::move(l));
        }
        C->SetSkinData(Skin.get());
    }
    TPoint Centre(int Row, int Col)
    {
        const TRect r = C->CellRect(Row, Col);
        return TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
};

TDateTime D(int Y, int M, int Day) { return Spdates::EncodeDate(Y, M, Day); }

int Count(TBitmap* B, const TRect& R, TColor Colour)
{
    int n = 0;
    for (int y = R.top; y < R.bottom; ++y)
        for (int x = R.left; x < R.right; ++x)
            if (Probe(B, x, y) == Colour) ++n;
    return n;
}

TEST(MonthCalendar, StepsMonthsAndYearsWithinTheirBounds)
{
    enum Step { NextM, PriorM, NextY, PriorY };
    struct Case {
        int Y, M, Day;
        Step S;
        int EY, EM, EDay;
    } cases[] = {
        {2005, 1, 31, NextM, 2005, 2, 28},  {2004, 1, 31, NextM, 2004, 2, 29},  {2004, 2, 29, PriorY, 2003, 2, 28},
        {2005, 1, 15, PriorM, 2004, 12, 15}, {2004, 12, 15, NextM, 2005, 1, 15}, {9999, 6, 15, NextY, 9999, 6, 15},
        {1761, 6, 15, PriorY, 1761, 6, 15}, {9999, 12, 15, NextM, 9999, 1, 15}, {1761, 1, 15, PriorM, 1761, 12, 15},
        {2004, 3, 31, PriorM, 2004, 2, 29}, {1762, 5, 1, PriorY, 1761, 5, 1},
    };
    Scene s;
    int clicks = 0;
    s.C->OnClick = [&](TObject*) { ++clicks; };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Y) + "-" + std::to_string(c.M) + "-" + std::to_string(c.Day) + " step " +
                     std::to_string(c.S));
        s.C->SetDate(D(c.Y, c.M, c.Day) + 0.5);
        clicks = 0;
        switch (c.S) {
        case NextM: s.C->NextMButtonClick(nullptr); break;
        case PriorM: s.C->PriorMButtonClick(nullptr); break;
        case NextY: s.C->NextYButtonClick(nullptr); break;
        case PriorY: s.C->PriorYButtonClick(nullptr); break;
        }
        int y, m, d;
        Spdates::DecodeDate(s.C->GetDate(), y, m, d);
        EXPECT_EQ(y, c.EY);
        EXPECT_EQ(m, c.EM);
        EXPECT_EQ(d, c.EDay);
        EXPECT_EQ(clicks, 1);
    }
}

TEST(MonthCalendar, FirstColumnIsRightForEveryFirstDayOfTheWeek)
{
    // 1 February 2026 is a Sunday, 1 January 2022 a Saturday.
    struct Case {
        int Y, M, Weekday;
    } cases[] = {{2026, 2, 0}, {2022, 1, 6}, {2026, 1, 4}};
    Scene s;
    for (const auto& c : cases)
        for (int f = 0; f < 7; ++f) {
            s.C->SetDate(D(c.Y, c.M, 10));
            s.C->SetFirstDayOfWeek(static_cast<TspDaysOfWeek>(f));
            EXPECT_EQ(s.C->FirstColumn(), ((c.Weekday - f) + 7) % 7) << c.Y << "-" << c.M << " first " << f;
        }
}

TEST(MonthCalendar, HitTestFindsDaysAndNothingElse)
{
    Scene s;
    EXPECT_EQ(s.C->DayNumFromPoint(140, 150), 0);   // nothing drawn yet, nothing hit
    s.C->SetDate(D(2022, 1, 15));                    // starts in the last column, fills six rows
    Snapshot(s.C);
    ASSERT_GT(s.C->CellRect(1, 0).Width(), 0);
    const TRect r = s.C->CalendarRect();
    const TRect second = s.C->CellRect(2, 0);
    struct Case {
        TPoint P;
        int Day;
    } cases[] = {
        {s.Centre(1, 6), 1},   {s.Centre(1, 0), 0},   {s.Centre(6, 1), 31},  {s.Centre(6, 2), 0},
        {s.Centre(0, 3), 0},   {TPoint(s.C->GetWidth() / 2, r.top + 5), 0}, {TPoint(-5, 50), 0},
        {TPoint(second.left, second.top), 2},    {TPoint(second.right - 1, second.bottom - 1), 2},
        {TPoint(second.right, second.top), 3},   {TPoint(second.left, second.bottom), 9},
    };
    for (const auto& c : cases) EXPECT_EQ(s.C->DayNumFromPoint(c.P.x, c.P.y), c.Day) << c.P.x << "," << c.P.y;
    s.C->SetFirstDayOfWeek(Mon);
    Snapshot(s.C);
    EXPECT_EQ(s.C->DayNumFromPoint(s.Centre(1, 5).x, s.Centre(1, 5).y), 1);
    EXPECT_EQ(s.C->DayNumFromPoint(s.Centre(6, 0).x, s.Centre(6, 0).y), 31);
    EXPECT_EQ(s.C->DayNumFromPoint(s.Centre(6, 1).x, s.Centre(6, 1).y), 0);
    EXPECT_EQ(s.C->DayNumFromPoint(s.Centre(5, 6).x, s.Centre(5, 6).y), 30);
}

TEST(MonthCalendar, ALeftClickOnADaySelectsItAndOthersChangeNothing)
{
    Scene s;
    s.Form->Show();
    s.C->SetDate(D(2022, 1, 15) + 0.75);
    Snapshot(s.C);
    int clicks = 0;
    s.C->OnNumberClick = [&](TObject*) { ++clicks; };
    auto click = [&](TPoint P, bool Right) {
        const LPARAM at = MAKELPARAM(P.x, P.y);
        SendMessageA(s.C->GetHandle(), Right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, Right ? MK_RBUTTON : MK_LBUTTON, at);
        SendMessageA(s.C->GetHandle(), Right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
    };
    const TDateTime before = s.C->GetDate();
    click(s.Centre(1, 0), false);    // blank cell
    click(s.Centre(0, 2), false);    // weekday row
    click(TPoint(s.C->GetWidth() / 2, s.C->CalendarRect().top + 5), false);   // title
    click(s.Centre(3, 3), true);     // right button on a day
    EXPECT_EQ(s.C->GetDate(), before);
    EXPECT_EQ(clicks, 0);
    click(s.Centre(3, 3), false);    // row 3, column 3: day 12
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(s.C->GetDate(), D(2022, 1, 12));   // the time of day is dropped
}

TEST(MonthCalendar, SkinColoursByPixelProbes)
{
    // On the panel's own piece, and on a panel that tiles a background picture.
    for (bool background : {false, true}) {
        SCOPED_TRACE(background ? "background picture" : "panel piece");
        Scene s;
        s.Bind(true, background);
        ASSERT_TRUE(s.C->Skinned());
        EXPECT_EQ(s.C->NumberColor(), cNumber);
        EXPECT_EQ(s.C->TitleColor(), cTitle);
        s.C->SetDate(D(2026, 2, 11));
        auto shot = Snapshot(s.C);
        SaveArtefact(shot.get(), background ? "calendar-fixture-tiled" : "calendar-fixture");
        const TRect r = s.C->CalendarRect();
        // 1 February 2026 is a Sunday: day 11 is row 2, column 3.
        const TRect sel = s.C->CellRect(2, 3);
        EXPECT_EQ(Probe(shot.get(), sel.left, (sel.top + sel.bottom) / 2), cTitle);
        EXPECT_EQ(Probe(shot.get(), sel.right - 1, (sel.top + sel.bottom) / 2), cTitle);
        EXPECT_GT(Count(shot.get(), s.C->CellRect(1, 0), cNumber), 0);   // day 1
        EXPECT_GT(Count(shot.get(), s.C->CellRect(4, 6), cNumber), 0);   // day 28
        EXPECT_EQ(Count(shot.get(), s.C->CellRect(5, 0), cNumber), 0);   // after the month: blank
        EXPECT_GT(Count(shot.get(), TRect(r.left, r.top + 2, r.right, r.top + 22), cTitle), 0);   // title
        EXPECT_GT(Count(shot.get(), TRect(r.left, r.top + 33, r.right, s.C->GridTop()), cTitle), 0);   // weekdays
        EXPECT_EQ(Probe(shot.get(), (r.left + r.right) / 2, s.C->GridTop()), cTitle);   // the separator line
        // A blank cell shows the panel's own look.
        const TRect blank = s.C->CellRect(6, 3);
        EXPECT_EQ(Probe(shot.get(), blank.left + 2, blank.top + 2), background ? cTile : cNormal);
    }
}

TEST(MonthCalendar, WithoutALabelElementTheKeptColoursAreUsed)
{
    Scene s;
    s.Bind(false);
    ASSERT_TRUE(s.C->Skinned());
    EXPECT_EQ(s.C->NumberColor(), 0);
    EXPECT_EQ(s.C->TitleColor(), 0);
    s.C->SetDate(D(2026, 2, 11));
    auto shot = Snapshot(s.C);
    const TRect sel = s.C->CellRect(2, 3);
    EXPECT_EQ(Probe(shot.get(), sel.left, (sel.top + sel.bottom) / 2), 0);
    EXPECT_GT(Count(shot.get(), s.C->CellRect(1, 0), 0), 0);
}

TEST(MonthCalendar, ButtonsSitInTheTopCornersOfTheClientArea)
{
    Scene s;
    const TRect r = s.C->CalendarRect();
    const int lefts[4] = {r.left + 1, r.left + 25, r.right - 48, r.right - 24};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(s.C->Button(i)->GetLeft(), lefts[i]) << i;
        EXPECT_EQ(s.C->Button(i)->GetTop(), r.top + 1) << i;
        EXPECT_EQ(s.C->Button(i)->GetWidth(), 23);
    }
    s.C->SetCaptionMode(true);
    EXPECT_EQ(s.C->Button(0)->GetTop(), s.C->CalendarRect().top + 1);
    EXPECT_GT(s.C->CalendarRect().top, r.top);
}

}  // namespace
