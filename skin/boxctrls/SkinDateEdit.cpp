#include "SkinDateEdit.h"
#include "Application.h"
#include "SkinDropDown.h"
#include "SkinPlatform.h"
#include "SysUtils.h"
#include "Trace.h"
#include <algorithm>
#include <cctype>

namespace {

// The number a part of digits stands for; -1 when it is empty or not all digits.
int PartNumber(const std::string& S)
{
    if (S.empty() || S.size() > 9) return -1;
    int v = 0;
    for (char c : S) {
        if (c < '0' || c > '9') return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

}  // namespace

// ---- the drop-down calendar ----

TspPopupCalendar::TspPopupCalendar(TComponent* AOwner) : TspSkinMonthCalendar(AOwner)
{
    FControlStyle |= csNoDesignVisible | csReplicatable;
    FVisible = false;
}

void TspPopupCalendar::CreateParams(TCreateParams& Params)
{
    TspSkinMonthCalendar::CreateParams(Params);
    SpDropDown::SetParams(Params, WS_POPUP, "TspPopupCalendar");
}

void TspPopupCalendar::WndProc(TMessage& Message)
{
    if (!SpDropDown::RefuseActivation(Message)) TspSkinMonthCalendar::WndProc(Message);
}

// ---- the date edit ----

TspSkinDateEdit::TspSkinDateEdit(TComponent* AOwner) : TspSkinCustomEdit(AOwner)
{
    FMonthCalendar = new TspPopupCalendar(this);
    FMonthCalendar->SetParent(this);
    FMonthCalendar->SetVisible(false);
    FMonthCalendar->OnNumberClick = [this](TObject* Sender) { CalendarClick(Sender); };
    ApplyMask();
    SetButtonMode(true);
    SetSkinDataName("buttonedit");
    OnButtonClick = [this](TObject* Sender) { ButtonClick(Sender); };
    OnEditCancelMode = [this](TControl* Sender) { CMCancelMode(Sender); };
}

TspSkinDateEdit::~TspSkinDateEdit()
{
    TspPopupCalendar* c = FMonthCalendar;
    FMonthCalendar = nullptr;
    delete c;
}

void TspSkinDateEdit::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinCustomEdit::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FMonthCalendar) FMonthCalendar = nullptr;
}

void TspSkinDateEdit::ApplyMask()
{
    // The mask's '/' is the separator the date rules split at.
    SetMaskSeparators(Spdates::Settings().DateSeparator, ':');
    SetEditMask(GetDateMask());
    FStopCheck = true;
    SetText(Mask().BlankText());
    FStopCheck = false;
}

TDateTime TspSkinDateEdit::GetDate() const { return FMonthCalendar ? FMonthCalendar->GetDate() : 0; }

void TspSkinDateEdit::SetDate(TDateTime Value)
{
    if (FMonthCalendar) FMonthCalendar->SetDate(Value);
    if (!(IsLoading() && !FTodayDefault)) SetTextFromDate(Value);
    DoDateChange();
}

void TspSkinDateEdit::SetTodayDefault(bool Value)
{
    FTodayDefault = Value;
    if (Value) SetDate(Spdates::Now());
}

void TspSkinDateEdit::Loaded()
{
    TspSkinCustomEdit::Loaded();
    ApplyMask();
    if (FTodayDefault) SetDate(Spdates::Now());
}

int TspSkinDateEdit::GetCalendarWidth() const { return FMonthCalendar ? FMonthCalendar->GetWidth() : 0; }
void TspSkinDateEdit::SetCalendarWidth(int Value)
{
    if (FMonthCalendar) FMonthCalendar->SetBounds(FMonthCalendar->GetLeft(), FMonthCalendar->GetTop(), Value, FMonthCalendar->GetHeight());
}
int TspSkinDateEdit::GetCalendarHeight() const { return FMonthCalendar ? FMonthCalendar->GetHeight() : 0; }
void TspSkinDateEdit::SetCalendarHeight(int Value)
{
    if (FMonthCalendar) FMonthCalendar->SetBounds(FMonthCalendar->GetLeft(), FMonthCalendar->GetTop(), FMonthCalendar->GetWidth(), Value);
}
TFont* TspSkinDateEdit::GetCalendarFont() const { return FMonthCalendar ? FMonthCalendar->GetDefaultFont() : nullptr; }
void TspSkinDateEdit::SetCalendarFont(TFont* Value)
{
    if (FMonthCalendar && Value) FMonthCalendar->GetDefaultFont()->Assign(Value);
}
TspDaysOfWeek TspSkinDateEdit::GetFirstDayOfWeek() const { return FMonthCalendar ? FMonthCalendar->GetFirstDayOfWeek() : Sun; }
void TspSkinDateEdit::SetFirstDayOfWeek(TspDaysOfWeek Value)
{
    if (FMonthCalendar) FMonthCalendar->SetFirstDayOfWeek(Value);
}

void TspSkinDateEdit::DoDateChange()
{
    if (OnDateChange) OnDateChange(this);
}

// ---- the date rules ----

bool TspSkinDateEdit::IsOnlyNumbers(const std::string& S)
{
    const char sep = Spdates::Settings().DateSeparator;
    return std::all_of(S.begin(), S.end(), [sep](char c) { return (c >= '0' && c <= '9') || c == sep; });
}

std::vector<std::string> TspSkinDateEdit::SplitParts(const std::string& S)
{
    const char sep = Spdates::Settings().DateSeparator;
    std::vector<std::string> parts(1);
    for (char c : S) {
        if (c == sep && parts.size() < 3) parts.emplace_back();
        else parts.back() += c;
    }
    parts.resize(3);
    return parts;
}

std::string TspSkinDateEdit::Template()
{
    return Spdates::DateToStr(Spdates::EncodeDate(9999, 12, 31));
}

TspSkinDateEdit::Roles TspSkinDateEdit::TemplateRoles()
{
    Roles r;
    const auto t = SplitParts(Template());
    for (int i = 0; i < 3; ++i) {
        if (IsOnlyNumbers(t[i])) {
            const int n = PartNumber(t[i]);
            if (n == 12) r.Month = i;
            else if (n == 31) r.Day = i;
            else if (n == 99 || n == 9999) r.Year = i;
        } else {
            r.Month = i;
            r.NamedMonth = true;
        }
    }
    return r;
}

std::string TspSkinDateEdit::GetDateMask()
{
    const auto t = SplitParts(Template());
    const Roles r = TemplateRoles();
    std::string mask = "!";
    for (int i = 0; i < 3; ++i) {
        if (i) mask += '/';
        const char c = i == r.Day ? '9' : i == r.Month ? (r.NamedMonth ? 'L' : '9') : i == r.Year ? '0' : '9';
        mask += std::string(t[static_cast<size_t>(i)].size(), c);
    }
    return mask + ";1; ";
}

std::string TspSkinDateEdit::ExtactMonth(TDateTime Date)
{
    for (const auto& p : SplitParts(Spdates::DateToStr(Date)))
        if (!IsOnlyNumbers(p)) return p;
    return std::string();
}

int TspSkinDateEdit::DecodeMonth(const std::string& S)
{
    for (int m = 1; m <= 12; ++m)
        if (SameText(ExtactMonth(Spdates::EncodeDate(9999, m, 1)), S)) return m;
    return 1;
}

bool TspSkinDateEdit::IsMonth(const std::string& S)
{
    for (int m = 1; m <= 12; ++m)
        if (SameText(ExtactMonth(Spdates::EncodeDate(9999, m, 1)), S)) return true;
    return false;
}

bool TspSkinDateEdit::IsValidText(const std::string& S)
{
    if (S.find(' ') != std::string::npos) return false;
    const std::string tmpl = Template();
    const bool tnum = IsOnlyNumbers(tmpl), snum = IsOnlyNumbers(S);
    if (tnum != snum) return false;
    const auto v = SplitParts(S), t = SplitParts(tmpl);
    if (v[0].empty() || v[1].empty() || v[2].empty()) return false;
    const Roles r = TemplateRoles();
    const std::string& year = v[static_cast<size_t>(r.Year)];
    // Year 0 does not exist, but "00" of a two-digit year is 2000.
    if (t[static_cast<size_t>(r.Year)].size() > 2 && PartNumber(year) == 0) return false;
    const int day = PartNumber(v[static_cast<size_t>(r.Day)]);
    const int yearN = PartNumber(year);
    const int tday = PartNumber(t[static_cast<size_t>(r.Day)]), tyear = PartNumber(t[static_cast<size_t>(r.Year)]);
    if (r.NamedMonth) {
        const std::string& month = v[static_cast<size_t>(r.Month)];
        return month.size() == t[static_cast<size_t>(r.Month)].size() && IsMonth(month) && day > 0 && day <= tday &&
               yearN >= 0 && yearN <= tyear;
    }
    const int month = PartNumber(v[static_cast<size_t>(r.Month)]);
    if (month <= 0 || day <= 0) return false;
    for (int i = 0; i < 3; ++i) {
        const int n = PartNumber(v[static_cast<size_t>(i)]);
        if (n < 0 || n > PartNumber(t[static_cast<size_t>(i)])) return false;
    }
    return true;
}

bool TspSkinDateEdit::MyStrToDate(const std::string& S, TDateTime& Date)
{
    const auto v = SplitParts(S);
    const Roles r = TemplateRoles();
    const int month = DecodeMonth(v[static_cast<size_t>(r.Month)]);
    const int day = PartNumber(v[static_cast<size_t>(r.Day)]);
    const int year = PartNumber(v[static_cast<size_t>(r.Year)]);
    return Spdates::TryEncodeDate(year, month, day, Date);
}

void TspSkinDateEdit::CheckValidDate()
{
    if (!FMonthCalendar) return;
    const TDateTime old = FMonthCalendar->GetDate();
    const std::string s = GetText();
    TDateTime d = 0;
    // A complete text that names no real day (31 February) is refused here:
    // the date stays, and leaving the edit puts the date's text back.
    const bool ok = IsOnlyNumbers(s) ? Spdates::TryStrToDate(s, d) : MyStrToDate(s, d);
    if (!ok) return;
    FMonthCalendar->SetDate(d);
    if (d != old) DoDateChange();
}

std::string TspSkinDateEdit::DateText(TDateTime Value)
{
    std::string s = Spdates::DateToStr(Value);
    if (Mask().Format(s) == s) return s;
    // The locale's short format may drop leading zeros ("d/M/yyyy"); the mask
    // has a fixed place for every digit, so numbers are padded to their places.
    const auto parts = SplitParts(s), places = SplitParts(Template());
    std::string out;
    for (size_t i = 0; i < 3; ++i) {
        std::string p = parts[i];
        if (PartNumber(p) >= 0)
            while (p.size() < places[i].size()) p.insert(p.begin(), '0');
        if (i) out += Spdates::Settings().DateSeparator;
        out += p;
    }
    return out;
}

void TspSkinDateEdit::SetTextFromDate(TDateTime Value)
{
    FStopCheck = true;
    SetText(DateText(Value));
    FStopCheck = false;
}

void TspSkinDateEdit::Change()
{
    TspSkinCustomEdit::Change();
    if (FStopCheck) return;
    // Change runs inside the edit's window procedure: nothing may escape it.
    try {
        if (IsValidText(GetText())) CheckValidDate();
    } catch (const std::exception&) {
        Trace::Caught(Trace::Skin, "date edit change");
    }
}

// ---- the drop-down ----

bool TspSkinDateEdit::CalendarShown() const { return FMonthCalendar && FMonthCalendar->GetVisible(); }

TPoint TspSkinDateEdit::DropPoint(const TPoint& TopLeft, int EditHeight, int CalW, int CalH, const TRect& WorkArea)
{
    int x = TopLeft.x;
    if (x + CalW > WorkArea.right) x = WorkArea.right - CalW;
    x = std::max(x, static_cast<int>(WorkArea.left));
    return TPoint(x, SpDropDown::DropTop(TopLeft.y, EditHeight, CalH, WorkArea.bottom));
}

void TspSkinDateEdit::DropDown()
{
    if (!FMonthCalendar || CalendarShown()) return;
    RECT wr;
    GetWindowRect(GetHandle(), &wr);
    const TPoint pt = DropPoint(TPoint(wr.left, wr.top), GetHeight(), FMonthCalendar->GetWidth(),
                                FMonthCalendar->GetHeight(), Sputils::GetMonitorWorkArea(GetHandle(), true));
    const bool effects = CalendarAlphaBlend && Sputils::CheckW2KWXP();
    FMonthCalendar->SetSkinData(FSD);
    HWND h = FMonthCalendar->GetHandle();
    if (effects) {
        SetWindowLongA(h, GWL_EXSTYLE, GetWindowLongA(h, GWL_EXSTYLE) | WS_EX_LAYERED);
        Sputils::SetAlphaBlendTransparent(h, 0);
        FLayered = true;
    }
    SpDropDown::ShowAt(FMonthCalendar, pt);
    if (effects) {
        Application->ProcessMessages();
        const int value = CalendarAlphaBlendValue;
        if (!CalendarAlphaBlendAnimation) {
            Sputils::SetAlphaBlendTransparent(h, value);
        } else {
            for (int a = 2;; a += 2) {
                Sputils::SetAlphaBlendTransparent(h, std::min(a, value));
                if (a >= value) break;
            }
        }
    }
}

void TspSkinDateEdit::CloseUp(bool Accept)
{
    if (!CalendarShown()) return;
    HWND h = FMonthCalendar->GetHandle();
    SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    FMonthCalendar->SetVisible(false);
    if (FLayered) {
        SetWindowLongA(h, GWL_EXSTYLE, GetWindowLongA(h, GWL_EXSTYLE) & ~WS_EX_LAYERED);
        FLayered = false;
    }
    if (Accept) {
        SetTextFromDate(FMonthCalendar->GetDate());
        DoDateChange();
        if (CanFocus()) SetFocus();
    }
}

void TspSkinDateEdit::ButtonClick(TObject*)
{
    if (CalendarShown()) CloseUp(false);
    else DropDown();
}

void TspSkinDateEdit::CalendarClick(TObject*) { CloseUp(true); }

void TspSkinDateEdit::CMCancelMode(TControl* Sender)
{
    if (!FMonthCalendar || Sender == FMonthCalendar) return;
    for (TControl* c = Sender; c; c = c->GetParent())
        if (c == FMonthCalendar) return;
    CloseUp(false);
}

void TspSkinDateEdit::WndProc(TMessage& Message)
{
    TspSkinCustomEdit::WndProc(Message);
    switch (Message.Msg) {
    case WM_KEYDOWN: CloseUp(false); break;
    case WM_KILLFOCUS:
        if (CalendarShown()) {
            if (reinterpret_cast<HWND>(Message.WParam) != FMonthCalendar->GetHandle()) CloseUp(false);
        } else if (FMonthCalendar) {
            // An unfinished or impossible entry gives way to the last valid date.
            SetTextFromDate(FMonthCalendar->GetDate());
        }
        break;
    }
}
