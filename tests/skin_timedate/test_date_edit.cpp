// The date edit: its mask and checks for the locale's order, typing a date
// through WM_CHAR, impossible dates refused, the text put back on leaving,
// and the drop-down calendar opened, closed and picked from.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "DateRules.h"
#include "Form.h"
#include "SkinDateEdit.h"
#include "SkinPlatform.h"
#include "SkinSpeedButton.h"
#include "WaitUntil.h"
#include <memory>
#include <string>

using namespace CtlFixture;

namespace {

// Replaces the process's date settings for one test.
struct FormatGuard {
    TspDateFormat Saved = Spdates::Settings();
    FormatGuard(const char* Fmt, char Sep)
    {
        Spdates::Settings().ShortDateFormat = Fmt;
        Spdates::Settings().DateSeparator = Sep;
    }
    ~FormatGuard() { Spdates::Settings() = Saved; }
};

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinDateEdit* E;
    int Changes = 0;
    Scene()
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(100, 100, 300, 100);
        E = new TspSkinDateEdit(Form.get());
        E->SetParent(Form.get());
        E->SetBounds(10, 10, 150, 21);
        E->HandleNeeded();
        E->OnDateChange = [this](TObject*) { ++Changes; };
    }
    void Type(const std::string& S)
    {
        for (char c : S) E->Perform(WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    void Start()
    {
        E->SetSelStart(0);
        E->SetSelLength(0);
    }
};

TDateTime D(int Y, int M, int Day) { return Spdates::EncodeDate(Y, M, Day); }

TEST(DateEdit, MaskFollowsTheLocaleOrder)
{
    struct Case {
        const char* Fmt;
        char Sep;
        const char* Mask;
        const char* Blank;
    } cases[] = {
        {"d.M.yyyy", '.', "!99/99/0000;1; ", "  .  .    "},
        {"M/d/yyyy", '/', "!99/99/0000;1; ", "  /  /    "},
        {"yyyy-MM-dd", '-', "!0000/99/99;1; ", "    -  -  "},
        {"dd-MMM-yyyy", '-', "!99/LLL/0000;1; ", "  -   -    "},
        {"d/M/yy", '/', "!99/99/00;1; ", "  /  /  "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Fmt);
        FormatGuard g(c.Fmt, c.Sep);
        Scene s;
        EXPECT_EQ(s.E->GetDateMask(), c.Mask);
        EXPECT_EQ(s.E->GetText(), c.Blank);
    }
}

TEST(DateEdit, ValidTextRules)
{
    struct Case {
        const char* Fmt;
        char Sep;
        const char* Text;
        bool Valid;
    } cases[] = {
        {"d.M.yyyy", '.', "31.12.2004", true},  {"d.M.yyyy", '.', "31.02.2004", true},   // not checked by month
        {"d.M.yyyy", '.', "32.01.2004", false}, {"d.M.yyyy", '.', "01.13.2004", false},
        {"d.M.yyyy", '.', "00.01.2004", false}, {"d.M.yyyy", '.', "01.00.2004", false},
        {"d.M.yyyy", '.', "01.01.0000", false}, {"d.M.yyyy", '.', "1 .01.2004", false},
        {"d.M.yyyy", '.', "01.01.", false},     {"d.M.yyyy", '.', "ab.01.2004", false},
        {"M/d/yyyy", '/', "12/31/2004", true},  {"M/d/yyyy", '/', "13/01/2004", false},
        {"M/d/yyyy", '/', "01/32/2004", false}, {"d/M/yy", '/', "31/12/99", true},
        {"d/M/yy", '/', "31/12/100", false},   {"d/M/yy", '/', "01/01/00", true},   // 2000
        {"dd-MMM-yyyy", '-', "05-Mar-2004", true}, {"dd-MMM-yyyy", '-', "05-mar-2004", true},
        {"dd-MMM-yyyy", '-', "05-Xyz-2004", false}, {"dd-MMM-yyyy", '-', "32-Mar-2004", false},
        {"dd-MMM-yyyy", '-', "05-03-2004", false},  {"dd-MMM-yyyy", '-', "05-March-2004", false},
    };
    for (const auto& c : cases) {
        FormatGuard g(c.Fmt, c.Sep);
        Scene s;
        EXPECT_EQ(s.E->IsValidText(c.Text), c.Valid) << c.Fmt << " " << c.Text;
    }
}

TEST(DateEdit, TypingACompleteDateSetsItOnce)
{
    FormatGuard g("d.M.yyyy", '.');
    Scene s;
    s.E->SetDate(D(2001, 2, 3));
    EXPECT_EQ(s.E->GetText(), "03.02.2001");
    s.Changes = 0;
    s.E->SetText("  .  .    ");
    s.Start();
    s.Type("3112200");
    EXPECT_EQ(s.E->GetText(), "31.12.200 ");
    EXPECT_EQ(s.Changes, 0);
    EXPECT_EQ(s.E->GetDate(), D(2001, 2, 3));
    s.Type("4");
    EXPECT_EQ(s.E->GetText(), "31.12.2004");
    EXPECT_EQ(s.E->GetDate(), D(2004, 12, 31));
    EXPECT_EQ(s.Changes, 1);
    s.Type("5");   // no place left
    EXPECT_EQ(s.E->GetText(), "31.12.2004");
}

TEST(DateEdit, MonthFirstAndNamedMonthDatesAreRead)
{
    {
        FormatGuard g("M/d/yyyy", '/');
        Scene s;
        s.Start();
        s.Type("12312004");
        EXPECT_EQ(s.E->GetDate(), D(2004, 12, 31));
    }
    {
        FormatGuard g("dd-MMM-yyyy", '-');
        Scene s;
        s.Start();
        s.Type("05mAr2004");
        EXPECT_EQ(s.E->GetText(), "05-mAr-2004");
        EXPECT_EQ(s.E->GetDate(), D(2004, 3, 5));
        s.E->SetDate(D(2010, 11, 9));
        EXPECT_EQ(s.E->GetText(), "09-Nov-2010");
        EXPECT_EQ(s.E->DecodeMonth("nov"), 11);
        EXPECT_EQ(s.E->DecodeMonth("Xyz"), 1);
        EXPECT_FALSE(s.E->IsMonth("Xyz"));
    }
}

TEST(DateEdit, ImpossibleOrOutOfRangeDatesAreRefusedAndTheTextReturnsOnLeaving)
{
    FormatGuard g("d.M.yyyy", '.');
    for (const char* typed : {"31022004", "32012004", "01132004", "29022003"}) {
        SCOPED_TRACE(typed);
        Scene s;
        s.E->SetDate(D(2001, 2, 3));
        s.Changes = 0;
        s.E->SetText("  .  .    ");
        s.Start();
        s.Type(typed);   // nothing may escape the window procedure
        EXPECT_EQ(s.E->GetDate(), D(2001, 2, 3));
        EXPECT_EQ(s.Changes, 0);
        s.E->Perform(WM_KILLFOCUS, 0, 0);
        EXPECT_EQ(s.E->GetText(), "03.02.2001");
    }
}

// Inside the work area (a task bar of 40 at the bottom of a 1024 x 768 screen):
// below the edit, or above it where the work area ends; never past either side.
TEST(DateEdit, DropPointBelowOrAboveTheEditInsideTheWorkArea)
{
    struct Case {
        int X, Y, EditH, CalW, CalH, EX, EY;
    } cases[] = {{10, 100, 21, 180, 150, 10, 121},  {10, 600, 21, 180, 150, 10, 450},
                 {10, 560, 21, 180, 150, 10, 410},  // fits the screen, not the work area
                 {-20, 300, 21, 180, 150, 0, 321},  {900, 300, 21, 180, 150, 844, 321}};
    const TRect work(0, 0, 1024, 728);
    for (const auto& c : cases) {
        const TPoint p = TspSkinDateEdit::DropPoint(TPoint(c.X, c.Y), c.EditH, c.CalW, c.CalH, work);
        EXPECT_EQ(p.x, c.EX) << c.X;
        EXPECT_EQ(p.y, c.EY) << c.Y;
    }
}

TEST(DateEdit, DropDownOpensBelowAndKeysOrTheButtonCloseItWithoutTakingItsDate)
{
    FormatGuard g("d.M.yyyy", '.');
    Scene s;
    s.Form->Show();
    s.E->SetDate(D(2022, 1, 15));
    s.E->SetFocus();
    s.E->ButtonClick(nullptr);
    ASSERT_TRUE(s.E->CalendarShown());
    RECT er, cr;
    GetWindowRect(s.E->GetHandle(), &er);
    GetWindowRect(s.E->GetCalendar()->GetHandle(), &cr);
    EXPECT_EQ(cr.left, er.left);
    EXPECT_EQ(cr.top, er.top + s.E->GetHeight());
    EXPECT_EQ(cr.right - cr.left, 200);
    EXPECT_EQ(GetActiveWindow(), s.Form->GetHandle());
    s.E->GetCalendar()->NextMButtonClick(nullptr);   // the calendar moves, the edit's text stays
    s.E->Perform(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_FALSE(s.E->CalendarShown());
    EXPECT_EQ(s.E->GetText(), "15.01.2022");
    s.E->ButtonClick(nullptr);
    EXPECT_TRUE(s.E->CalendarShown());
    s.E->ButtonClick(nullptr);
    EXPECT_FALSE(s.E->CalendarShown());
}

TEST(DateEdit, CancelModeFromElsewhereClosesTheCalendarButNotFromItself)
{
    Scene s;
    s.Form->Show();
    auto* other = new TspSkinEdit(s.Form.get());
    other->SetParent(s.Form.get());
    s.E->DropDown();
    s.E->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(static_cast<TControl*>(s.E->GetCalendar())));
    EXPECT_TRUE(s.E->CalendarShown());
    s.E->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(static_cast<TControl*>(s.E->GetCalendar()->Button(2))));
    EXPECT_TRUE(s.E->CalendarShown());
    s.E->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(static_cast<TControl*>(other)));
    EXPECT_FALSE(s.E->CalendarShown());
}

TEST(DateEdit, TranslucentCalendarOnlyWhereTheSystemHasIt)
{
    Scene s;
    s.Form->Show();
    s.E->CalendarAlphaBlend = true;
    s.E->CalendarAlphaBlendValue = 200;
    s.E->CalendarAlphaBlendAnimation = true;
    s.E->DropDown();
    HWND h = s.E->GetCalendar()->GetHandle();
    const LONG layered = Sputils::CheckW2KWXP() ? WS_EX_LAYERED : 0;
    EXPECT_EQ(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_LAYERED, layered);
    s.E->CloseUp(false);
    EXPECT_EQ(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
}

TEST(DateEdit, AClickOnADayInTheCalendarSetsTheDateAndClosesIt)
{
    FormatGuard g("d.M.yyyy", '.');
    Scene s;
    s.Form->Show();
    s.E->SetDate(D(2026, 2, 20));
    s.E->DropDown();
    ASSERT_TRUE(s.E->CalendarShown());
    TspPopupCalendar* cal = s.E->GetCalendar();
    Snapshot(cal);   // lays the grid out
    s.Changes = 0;
    // 1 February 2026 is a Sunday: day 11 is row 2, column 3.
    const TRect cell = cal->CellRect(2, 3);
    const LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    SendMessageA(cal->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(cal->GetHandle(), WM_LBUTTONUP, 0, at);
    EXPECT_FALSE(s.E->CalendarShown());
    EXPECT_EQ(s.E->GetDate(), D(2026, 2, 11));
    EXPECT_EQ(s.E->GetText(), "11.02.2026");
    EXPECT_GE(s.Changes, 1);
}

void Click(const TPoint& P)
{
    SetCursorPos(P.x, P.y);
    PumpUntilIdle();
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    PumpUntilIdle();
}

// Real input through the message loop: the ellipsis button drops the calendar,
// its month buttons step it without taking the focus or the activation, and a
// day picked closes it with the date in the edit.
TEST(DateEditRealInput, PickADayWithTheMouse)
{
    FormatGuard g("d.M.yyyy", '.');
    Scene s;
    s.Form->Show();
    SetForegroundWindow(s.Form->GetHandle());
    s.E->SetFocus();
    s.E->SetDate(D(2026, 1, 20));
    PumpUntilIdle();
    RECT wr;
    GetWindowRect(s.E->GetHandle(), &wr);
    s.E->CalcRects();
    const TRect b = s.E->GetButtonRect();
    Click(TPoint(wr.left + (b.left + b.right) / 2, wr.top + (b.top + b.bottom) / 2));
    ASSERT_TRUE(s.E->CalendarShown());
    TspPopupCalendar* cal = s.E->GetCalendar();
    UpdateWindow(cal->GetHandle());
    TControl* next = cal->Button(2);
    Click(cal->ClientToScreen(TPoint(next->GetLeft() + 11, next->GetTop() + 11)));
    EXPECT_TRUE(s.E->CalendarShown());
    EXPECT_EQ(GetActiveWindow(), s.Form->GetHandle());
    EXPECT_TRUE(s.E->Focused());
    int y, m, d;
    Spdates::DecodeDate(cal->GetDate(), y, m, d);
    EXPECT_EQ(m, 2);
    EXPECT_EQ(s.E->GetText(), "20.01.2026");
    UpdateWindow(cal->GetHandle());
    PumpUntilIdle();
    const TRect cell = cal->CellRect(2, 3);   // 1 February 2026 is a Sunday: day 11
    Click(cal->ClientToScreen(TPoint((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2)));
    EXPECT_FALSE(s.E->CalendarShown());
    EXPECT_EQ(s.E->GetText(), "11.02.2026");
    EXPECT_EQ(s.E->GetDate(), D(2026, 2, 11));
    EXPECT_TRUE(s.E->Focused());
    SetCursorPos(700, 700);
}

TEST(DateEdit, TodayDefaultTakesTheCurrentDate)
{
    FormatGuard g("d.M.yyyy", '.');
    Scene s;
    s.E->SetTodayDefault(true);
    SYSTEMTIME st;
    GetLocalTime(&st);
    int y, m, d;
    Spdates::DecodeDate(s.E->GetDate(), y, m, d);
    EXPECT_EQ(y, st.wYear);
    EXPECT_EQ(m, st.wMonth);
    EXPECT_EQ(d, st.wDay);
    EXPECT_TRUE(s.E->IsDateInput());
    EXPECT_GE(s.E->GetDate(), Spdates::EncodeDate(y, m, d));
}

}  // namespace
