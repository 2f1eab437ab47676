#include "SkinMonthCalendar.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "SkinControls.h"
#include "SkinData.h"
#include "SkinSpeedButton.h"
#include <algorithm>

namespace {

const int kButtonSize = 23;

// A 16 x 16 arrow glyph on a transparent (bottom-left) background: one
// triangle for a month step, two for a year step, pointing Left or right.
std::unique_ptr<TBitmap> ArrowGlyph(bool Left, bool Double)
{
    auto b = std::make_unique<TBitmap>(16, 16, pf24bit);
    TCanvas* c = b->GetCanvas();
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(clFuchsia);
    c->FillRect(TRect(0, 0, 16, 16));
    c->GetBrush()->SetColor(clBlack);
    c->GetPen()->SetColor(clBlack);
    const int tips[2] = {Double ? 3 : 6, 9};
    for (int i = 0; i < (Double ? 2 : 1); ++i) {
        const int x = tips[i];
        TPoint p[3];
        if (Left) {
            p[0] = TPoint(x, 8);
            p[1] = TPoint(x + 4, 4);
            p[2] = TPoint(x + 4, 12);
        } else {
            p[0] = TPoint(15 - x, 8);
            p[1] = TPoint(11 - x, 4);
            p[2] = TPoint(11 - x, 12);
        }
        c->Polygon(p, 3);
    }
    return b;
}

}  // namespace

TspSkinMonthCalendar::TspSkinMonthCalendar(TComponent* AOwner) : TspSkinPanel(AOwner)
{
    SetBorderStyle(TspSkinBorderStyle::bvFrame);
    struct Spec {
        bool Left, Double;
        int Interval;
        void (TspSkinMonthCalendar::*Handler)(TObject*);
    } const specs[4] = {{true, true, 100, &TspSkinMonthCalendar::PriorYButtonClick},
                        {true, false, 250, &TspSkinMonthCalendar::PriorMButtonClick},
                        {false, false, 250, &TspSkinMonthCalendar::NextMButtonClick},
                        {false, true, 100, &TspSkinMonthCalendar::NextYButtonClick}};
    for (int i = 0; i < 4; ++i) {
        auto* b = new TspSkinSpeedButton(this);
        b->SetSkinDataName("resizebutton");
        b->SetNumGlyphs(1);
        b->SetGlyph(ArrowGlyph(specs[i].Left, specs[i].Double).get());
        b->RepeatMode = true;
        b->RepeatInterval = specs[i].Interval;
        b->SetBounds(0, 0, kButtonSize, kButtonSize);
        auto handler = specs[i].Handler;
        b->OnClick = [this, handler](TObject* Sender) { (this->*handler)(Sender); };
        b->SetParent(this);
        FButtons[i] = b;
    }
    SetBounds(GetLeft(), GetTop(), 200, 150);
    FDate = Spdates::Now();
    ArangeControls();
}

void TspSkinMonthCalendar::SetDate(TDateTime Value)
{
    FDate = Value;
    Invalidate();
}

void TspSkinMonthCalendar::SetTodayDefault(bool Value)
{
    FTodayDefault = Value;
    if (Value) SetDate(Spdates::Now());
}

void TspSkinMonthCalendar::SetFirstDayOfWeek(TspDaysOfWeek Value)
{
    FFirstDayOfWeek = Value;
    Invalidate();
}

void TspSkinMonthCalendar::Loaded()
{
    TspSkinPanel::Loaded();
    if (FTodayDefault) SetDate(Spdates::Now());
}

void TspSkinMonthCalendar::SetSkinData(TspSkinData* Value)
{
    TspSkinPanel::SetSkinData(Value);
    for (auto* b : FButtons)
        if (b) b->SetSkinData(Value);
}

void TspSkinMonthCalendar::ChangeSkinData()
{
    if (FSD && !FSD->Empty) {
        const int i = FSD->FindControlElement("stdlabel");
        if (i >= 0 && i < static_cast<int>(FSD->CtrlList.size()) && FSD->CtrlList[static_cast<size_t>(i)]) {
            if (auto* l = dynamic_cast<TspDataSkinStdLabelControl*>(FSD->CtrlList[static_cast<size_t>(i)].get())) {
                FNumberColor = l->Font.Color;
                FTitleColor = l->ActiveFontColor;
            } else {
                FNumberColor = FTitleColor = GetFont()->GetColor();
            }
        }
    }
    TspSkinPanel::ChangeSkinData();
    ArangeControls();
}

void TspSkinMonthCalendar::SetCaptionMode(bool Value)
{
    TspSkinPanel::SetCaptionMode(Value);
    ArangeControls();
    Invalidate();
}

void TspSkinMonthCalendar::SetDefaultCaptionHeight(int Value)
{
    TspSkinPanel::SetDefaultCaptionHeight(Value);
    ArangeControls();
    Invalidate();
}

void TspSkinMonthCalendar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TspSkinPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
    ArangeControls();
}

TRect TspSkinMonthCalendar::CalendarRect()
{
    TRect r(0, 0, GetWidth(), GetHeight());
    AdjustClientRect(r);
    return r;
}

void TspSkinMonthCalendar::ArangeControls()
{
    if (!FButtons[0] || !FButtons[3]) return;
    const TRect r = CalendarRect();
    const int top = r.top + 1;
    FButtons[0]->SetBounds(r.left + 1, top, FButtons[0]->GetWidth(), FButtons[0]->GetHeight());
    FButtons[1]->SetBounds(r.left + 1 + 24, top, FButtons[1]->GetWidth(), FButtons[1]->GetHeight());
    FButtons[3]->SetBounds(r.right - 24, top, FButtons[3]->GetWidth(), FButtons[3]->GetHeight());
    FButtons[2]->SetBounds(r.right - 48, top, FButtons[2]->GetWidth(), FButtons[2]->GetHeight());
}

int TspSkinMonthCalendar::DaysThisMonth() const
{
    int y, m, d;
    Spdates::DecodeDate(FDate, y, m, d);
    return Spdates::DaysInMonth(y, m);
}

int TspSkinMonthCalendar::FirstColumn() const
{
    int y, m, d;
    Spdates::DecodeDate(FDate, y, m, d);
    TDateTime first = 0;
    if (!Spdates::TryEncodeDate(y, m, 1, first)) return 0;
    // Both weekdays are 0..6, so the difference is kept in 0..6 for every first day.
    return ((Spdates::DayOfWeek(first) - static_cast<int>(FFirstDayOfWeek)) % 7 + 7) % 7;
}

TRect TspSkinMonthCalendar::CellRect(int Row, int Col)
{
    const TRect r = CalendarRect();
    const int left = r.left + 1 + Col * FColWidth;
    const int top = FGridTop + 3 + (Row - 1) * FRowHeight;
    return TRect(left, top, left + FColWidth, top + FRowHeight);
}

void TspSkinMonthCalendar::OffsetMonth(int Delta)
{
    int y, m, d;
    Spdates::DecodeDate(FDate, y, m, d);
    m += Delta;
    if (m > 12) m = 1;
    if (m < 1) m = 12;
    d = std::min(d, Spdates::DaysInMonth(y, m));
    TDateTime v = 0;
    if (Spdates::TryEncodeDate(y, m, d, v)) SetDate(v);
}

void TspSkinMonthCalendar::OffsetYear(int Delta)
{
    int y, m, d;
    Spdates::DecodeDate(FDate, y, m, d);
    y += Delta;
    if (y <= 1760 || y > 9999) return;
    d = std::min(d, Spdates::DaysInMonth(y, m));
    TDateTime v = 0;
    if (Spdates::TryEncodeDate(y, m, d, v)) SetDate(v);
}

void TspSkinMonthCalendar::NextMButtonClick(TObject*)
{
    int y, m, d;
    Spdates::DecodeDate(FDate, y, m, d);
    if (m == 12) OffsetYear(1);
    OffsetMonth(1);
    Click();
}

void TspSkinMonthCalendar::PriorMButtonClick(TObject*)
{
    int y, m, d;
    Spdates::DecodeDate(FDate, y, m, d);
    if (m == 1) OffsetYear(-1);
    OffsetMonth(-1);
    Click();
}

void TspSkinMonthCalendar::NextYButtonClick(TObject*)
{
    OffsetYear(1);
    Click();
}

void TspSkinMonthCalendar::PriorYButtonClick(TObject*)
{
    OffsetYear(-1);
    Click();
}

void TspSkinMonthCalendar::Paint()
{
    TspSkinPanel::Paint();
    // A panel with a background picture tiles it straight onto the canvas,
    // past the control image: the calendar goes on top of the tiles.
    if (BackgroundPicture()) DrawCalendar(GetCanvas());
}

void TspSkinMonthCalendar::CreateControlDefaultImage(TBitmap* B)
{
    TspSkinPanel::CreateControlDefaultImage(B);
    DrawCalendar(B->GetCanvas());
}

void TspSkinMonthCalendar::CreateControlSkinImage(TBitmap* B)
{
    TspSkinPanel::CreateControlSkinImage(B);
    DrawCalendar(B->GetCanvas());
}

void TspSkinMonthCalendar::DrawCalendar(TCanvas* C)
{
    const TspDateFormat& f = Spdates::Settings();
    TFont* font = C->GetFont();
    font->Assign(FDefaultFont.get());
    C->GetBrush()->SetStyle(bsClear);
    const TRect r = CalendarRect();
    const bool skinned = Skinned();

    const std::string title = Spdates::FormatDate("MMMM, yyyy", FDate, f);
    font->SetStyle(fsBold);
    if (skinned) font->SetColor(FTitleColor);
    C->TextOut(GetWidth() / 2 - C->TextWidth(title) / 2 - 2, r.top + 3, title);

    FColWidth = std::max(0, (r.Width() - 2) / 7);
    for (int i = 0; i < 7; ++i) {
        const std::string& name = f.ShortDayNames[(static_cast<int>(FFirstDayOfWeek) + i) % 7];
        const int left = r.left + 1 + i * FColWidth;
        C->TextOut(left + FColWidth / 2 - C->TextWidth(name) / 2, r.top + 33, name);
    }
    FGridTop = r.top + 33 + C->TextHeight("Wq") + 1;
    C->GetPen()->SetColor(font->GetColor());
    C->MoveTo(r.left + 1, FGridTop);
    C->LineTo(r.right - 1, FGridTop);

    font->SetStyle(0);
    FRowHeight = std::max(0, static_cast<int>(r.bottom - FGridTop - 4) / 6);
    if (skinned) font->SetColor(FNumberColor);
    int y, m, day;
    Spdates::DecodeDate(FDate, y, m, day);
    const int days = DaysThisMonth(), first = FirstColumn();
    for (int n = 1; n <= days; ++n) {
        const int idx = first + n - 1;
        const TRect cell = CellRect(idx / 7 + 1, idx % 7);
        const std::string s = std::to_string(n);
        C->TextOut(cell.left + FColWidth / 2 - C->TextWidth(s) / 2,
                   cell.bottom - FRowHeight / 2 - C->TextHeight(s) / 2, s);
        if (n == day) {
            C->GetPen()->SetColor(skinned ? FTitleColor : FDefaultFont->GetColor());
            C->GetBrush()->SetStyle(bsClear);
            C->Rectangle(cell);
        }
    }
}

WORD TspSkinMonthCalendar::DayNumFromPoint(int X, int Y)
{
    const TRect r = CalendarRect();
    if (X < r.left || X >= r.right || Y < r.top || Y >= r.bottom) return 0;
    if (FColWidth <= 0 || FRowHeight <= 0) return 0;
    const int first = FirstColumn(), days = DaysThisMonth();
    // Row 0 is the band right above the grid: part of the tested area, never a day.
    for (int row = 0; row <= 6; ++row)
        for (int col = 0; col < 7; ++col) {
            const TRect cell = CellRect(row, col);
            if (X < cell.left || X >= cell.right || Y < cell.top || Y >= cell.bottom) continue;
            if (row == 0) return 0;
            const int n = (row - 1) * 7 + col - first + 1;
            return (n < 1 || n > days) ? 0 : static_cast<WORD>(n);
        }
    return 0;
}

void TspSkinMonthCalendar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TspSkinPanel::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    const WORD n = DayNumFromPoint(X, Y);
    if (!n) return;
    int y, m, d;
    Spdates::DecodeDate(FDate, y, m, d);
    TDateTime v = 0;
    if (!Spdates::TryEncodeDate(y, m, n, v)) return;
    SetDate(v);
    if (OnNumberClick) OnNumberClick(this);
}
