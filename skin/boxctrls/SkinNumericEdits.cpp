#include "SkinNumericEdits.h"
#include "Bitmap.h"
#include "ScopeGuard.h"
#include "SkinBoxControls.h"
#include "SkinData.h"
#include "SkinDefaultColors.h"
#include "SkinDrawHelpers.h"
#include "SkinImage.h"
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <locale>
#include <sstream>

// ---- the number rules ----
namespace SpNumber {

char DecimalSeparator()
{
    char buf[8] = {0};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, sizeof(buf)) > 1 && buf[0]) return buf[0];
    return '.';
}

bool IsValidChar(char Ch, const std::string& Text, TspValueType Type, bool ReadOnly)
{
    const unsigned char u = static_cast<unsigned char>(Ch);
    const char sep = DecimalSeparator();
    if (ReadOnly && (u >= 32 || Ch == 8 || Ch == '.')) return false;
    const bool isSep = Type == vtFloat && Ch == sep;
    if (!(Ch == '-' || (Ch >= '0' && Ch <= '9') || isSep || (u < 32 && Ch != 13))) return false;
    if (isSep && Text.find(sep) != std::string::npos) return false;
    if (Ch == '-' && Text.find('-') != std::string::npos) return false;
    return true;
}

bool IsNumText(const std::string& Text, TspValueType Type)
{
    if (Text.empty() || Text == "-") return false;
    const char sep = DecimalSeparator();
    int seps = 0;
    for (size_t i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        if (c >= '0' && c <= '9') continue;
        if (c == '-' && i == 0) continue;
        if (Type == vtFloat && c == sep && i > 0 && ++seps == 1) continue;
        return false;
    }
    return true;
}

bool TryConvert(const std::string& Text, TspValueType Type, double& Value)
{
    if (Text.empty() || Text.size() > 400) return false;
    errno = 0;
    char* end = nullptr;
    if (Type == vtInteger) {
        const long long v = strtoll(Text.c_str(), &end, 10);
        if (errno || *end || end == Text.c_str() || v < INT_MIN || v > INT_MAX) return false;
        Value = static_cast<double>(v);
        return true;
    }
    std::string t = Text;
    std::replace(t.begin(), t.end(), DecimalSeparator(), '.');
    // Read in the classic locale: the C library's own locale never decides the separator.
    std::istringstream in(t);
    in.imbue(std::locale::classic());
    double v = 0;
    in >> v;
    if (in.fail() || in.peek() != std::char_traits<char>::eof() || !std::isfinite(v)) return false;
    Value = v;
    return true;
}

double CheckValue(double X, double MinValue, double MaxValue)
{
    if (MinValue == MaxValue) return X;
    if (X < MinValue) return MinValue;
    if (X > MaxValue) return MaxValue;
    return X;
}

std::string FormatValue(double X, TspValueType Type, int Decimal)
{
    if (!std::isfinite(X)) X = 0;
    char buf[400];
    if (Type == vtInteger) {
        double r = std::nearbyint(X);   // the default rounding mode: half to even
        if (r == 0) r = 0;              // no "-0"
        snprintf(buf, sizeof(buf), "%.0f", r);
        return buf;
    }
    const int places = std::min(std::max(Decimal, 0), 18);
    std::ostringstream out;
    out.imbue(std::locale::classic());
    // Beyond 15 digits before the point the fixed form has no meaning left.
    if (std::fabs(X) >= 1e15) out << std::scientific << std::uppercase << std::setprecision(14) << X;
    else out << std::fixed << std::setprecision(places) << X;
    std::string s = out.str();
    std::replace(s.begin(), s.end(), '.', DecimalSeparator());
    return s;
}

std::string TextOutsideSelection(TCustomEdit* E)
{
    std::string t = E->GetText();
    if (!E->HandleAllocated()) return t;
    const int s = E->GetSelStart(), n = E->GetSelLength();
    if (s >= 0 && n > 0 && s + n <= static_cast<int>(t.size())) t.erase(s, n);
    return t;
}

}  // namespace SpNumber

// ---- TspSkinNumericEdit ----
TspSkinNumericEdit::TspSkinNumericEdit(TComponent* AOwner) : TspSkinCustomEdit(AOwner)
{
    {
        TRestore<bool> setting(FSetting, true);
        SetText("0");
    }
    TspSkinCustomEdit::SetBounds(GetLeft(), GetTop(), 120, 20);
    FSkinDataName = "edit";
}

void TspSkinNumericEdit::SetValue(double Value)
{
    FValue = CheckValue(Value);
    TRestore<bool> setting(FSetting, true);
    const std::string text = SpNumber::FormatValue(FValue, FValueType, FDecimal);
    if (text == GetText()) return;
    SetText(text);
    // The EDIT is multi-line (for its alignment styles) and reports no change for
    // text set in code: the change is announced here.
    Change();
}

void TspSkinNumericEdit::Commit()
{
    const std::string t = GetText();
    double v = 0;
    if (IsNumText(t) && SpNumber::TryConvert(t, FValueType, v) && CheckValue(v) == v) return;
    // Out of range, not a number, or not convertible: the field shows its value.
    TRestore<bool> reformatting(FReformatting, true);
    SetText(SpNumber::FormatValue(FValue, FValueType, FDecimal));
}

bool TspSkinNumericEdit::IsValidChar(char Ch)
{
    return SpNumber::IsValidChar(Ch, SpNumber::TextOutsideSelection(this), FValueType, ReadOnly);
}

void TspSkinNumericEdit::KeyPress(char& Key)
{
    if (!IsValidChar(Key)) {
        Key = 0;
        MessageBeep(0);
    }
    TspSkinCustomEdit::KeyPress(Key);
}

void TspSkinNumericEdit::Change()
{
    if (FReformatting) return;
    if (!FSetting) {
        const std::string t = GetText();
        double v = 0;
        // A text that is no number yet ("", "-") or does not convert leaves Value as it was.
        if (IsNumText(t) && SpNumber::TryConvert(t, FValueType, v)) FValue = CheckValue(v);
    }
    TspSkinCustomEdit::Change();
}

void TspSkinNumericEdit::WMChar(TMessage& Message)
{
    if (static_cast<char>(Message.WParam) == 13 && !ReadOnly) Commit();
    TspSkinCustomEdit::WMChar(Message);
}

void TspSkinNumericEdit::WMKillFocus(TMessage& Message)
{
    TspSkinCustomEdit::WMKillFocus(Message);
    if (!IsDestroying()) Commit();
}

// ---- TspSkinNumEdit ----
TspSkinNumEdit::TspSkinNumEdit(TComponent* AOwner) : TspCustomEdit(AOwner) {}

void TspSkinNumEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_UP || Key == VK_DOWN) {
        const TNotifyEvent& step = Key == VK_UP ? OnUpClick : OnDownClick;
        Key = 0;
        if (step) step(this);
        return;
    }
    TspCustomEdit::KeyDown(Key, Shift);
}

void TspSkinNumEdit::KeyPress(char& Key)
{
    if (!SpNumber::IsValidChar(Key, SpNumber::TextOutsideSelection(this), Float ? vtFloat : vtInteger, !EditorEnabled)) {
        Key = 0;
        MessageBeep(0);
    }
    TspCustomEdit::KeyPress(Key);
}

void TspSkinNumEdit::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_MOUSEWHEEL) {
        // Turned away from the user (a positive delta) lowers the value.
        const TNotifyEvent& step = static_cast<short>(HIWORD(Message.WParam)) > 0 ? OnDownClick : OnUpClick;
        if (step) step(this);
        Message.Result = 0;
        return;
    }
    TspCustomEdit::Dispatch(Message);
}

void TspSkinNumEdit::WMChar(TMessage& Message)
{
    if (static_cast<char>(Message.WParam) == 13 && OnCommit) OnCommit(this);
    TspCustomEdit::WMChar(Message);
}

void TspSkinNumEdit::WMKillFocus(TMessage& Message)
{
    TspCustomEdit::WMKillFocus(Message);
    if (!IsDestroying() && OnCommit) OnCommit(this);
}

void TspSkinNumEdit::CMMouseEnter(TMessage& Message)
{
    TspCustomEdit::CMMouseEnter(Message);
    if (OnEditMouseEnter) OnEditMouseEnter(this);
}

void TspSkinNumEdit::CMMouseLeave(TMessage& Message)
{
    TspCustomEdit::CMMouseLeave(Message);
    if (OnEditMouseLeave) OnEditMouseLeave(this);
}

// ---- TspSkinSpinEdit ----
TspSkinSpinEdit::TspSkinSpinEdit(TComponent* AOwner) : TspSkinCustomControl(AOwner)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csOpaque | csDoubleClicks);
    FEdit = new TspSkinNumEdit(this);
    FEdit->SetParent(this);
    FEdit->AutoSelect = true;
    FEdit->SetBorderStyle(bsNone);
    FEdit->SetEditTransparent(false);
    FEdit->GetFont()->Assign(GetDefaultFont());
    FEdit->FreeNotification(this);
    FEdit->OnChange = [this](TObject* S) { EditChange(S); };
    FEdit->OnUpClick = [this](TObject* S) { UpClick(S); };
    FEdit->OnDownClick = [this](TObject* S) { DownClick(S); };
    FEdit->OnCommit = [this](TObject*) { Commit(); };
    FEdit->OnKeyDown = [this](TObject*, WORD& K, TShiftState Sh) {
        if (OnEditKeyDown) OnEditKeyDown(this, K, Sh);
    };
    FEdit->OnKeyUp = [this](TObject*, WORD& K, TShiftState Sh) {
        if (OnEditKeyUp) OnEditKeyUp(this, K, Sh);
    };
    FEdit->OnKeyPress = [this](TObject*, char& K) {
        if (OnEditKeyPress) OnEditKeyPress(this, K);
    };
    FEdit->OnEnter = [this](TObject* S) { EditEnter(S); };
    FEdit->OnExit = [this](TObject* S) { EditExit(S); };
    FEdit->OnEditMouseEnter = [this](TObject* S) { EditMouseEnter(S); };
    FEdit->OnEditMouseLeave = [this](TObject* S) { EditMouseLeave(S); };
    {
        TRestore<bool> setting(FSetting, true);
        FEdit->SetText("0");
        SetText("0");
    }
    FSkinDataName = "spinedit";
    SetBounds(GetLeft(), GetTop(), 120, 20);
    CalcRects();
}

TspSkinSpinEdit::~TspSkinSpinEdit()
{
    TspSkinNumEdit* e = FEdit;
    FEdit = nullptr;
    delete e;
}

void TspSkinSpinEdit::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FEdit) FEdit = nullptr;
}

void TspSkinSpinEdit::SetValueType(TspValueType Value)
{
    if (Value == FValueType) return;
    FValueType = Value;
    if (FValueType == vtInteger) {
        FIncrement = std::nearbyint(FIncrement);
        if (FIncrement == 0) FIncrement = 1;
    }
    if (FEdit) FEdit->Float = FValueType == vtFloat;
}

void TspSkinSpinEdit::SimpleSetValue(double X)
{
    FValue = CheckValue(X);
    if (!FEdit) return;
    TRestore<bool> setting(FSetting, true);
    FEdit->SetText(SpNumber::FormatValue(FValue, FValueType, FDecimal));
    TRestore<bool> fromEdit(FFromEdit, true);
    SetText(FEdit->GetText());
}

void TspSkinSpinEdit::SetValue(double X)
{
    SimpleSetValue(X);
    Change();
}

void TspSkinSpinEdit::Change()
{
    if (OnChange) OnChange(this);
}

void TspSkinSpinEdit::UpClick(TObject*) { SetValue(FValue + FIncrement); }

void TspSkinSpinEdit::DownClick(TObject*) { SetValue(FValue - FIncrement); }

void TspSkinSpinEdit::Commit()
{
    if (!FEdit) return;
    const std::string t = FEdit->GetText();
    double v = 0;
    if (IsNumText(t) && SpNumber::TryConvert(t, FValueType, v) && CheckValue(v) == v) return;
    SimpleSetValue(FValue);
}

void TspSkinSpinEdit::EditChange(TObject*)
{
    if (!FEdit || FSetting) return;
    {
        TRestore<bool> fromEdit(FFromEdit, true);
        SetText(FEdit->GetText());
    }
    const std::string t = FEdit->GetText();
    double v = 0;
    // Clamped into Value at once; the text is written back only on leaving or Enter.
    if (!IsNumText(t) || !SpNumber::TryConvert(t, FValueType, v)) return;
    const double n = CheckValue(v);
    if (n == FValue) return;
    FValue = n;
    Change();
}

void TspSkinSpinEdit::CMTextChanged(TMessage& Message)
{
    TspSkinCustomControl::CMTextChanged(Message);
    if (FFromEdit || FSetting || !FEdit) return;
    // Text set on the spin edit itself: the editor shows it and Value follows.
    const std::string t = GetText();
    {
        TRestore<bool> setting(FSetting, true);
        FEdit->SetText(t);
    }
    double v = 0;
    if (!IsNumText(t) || !SpNumber::TryConvert(t, FValueType, v)) return;
    const double n = CheckValue(v);
    if (n != FValue) {
        FValue = n;
        Change();
    }
    if (n != v) SimpleSetValue(FValue);
}

void TspSkinSpinEdit::CMFocusChanged(TMessage& Message)
{
    TspSkinCustomControl::CMFocusChanged(Message);
    if (reinterpret_cast<TControl*>(Message.LParam) == static_cast<TControl*>(this) && FEdit && FEdit->HandleAllocated() &&
        FEdit->CanFocus())
        FEdit->SetFocus();
}

// ---- skin ----
bool TspSkinSpinEdit::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return dynamic_cast<const TspDataSkinSpinEditControl*>(Rec) != nullptr;
}

void TspSkinSpinEdit::GetSkinData()
{
    TspSkinCustomControl::GetSkinData();
    const auto* r = dynamic_cast<const TspDataSkinSpinEditControl*>(CurrentRecord());
    if (!Skinned() || !r) return;
    FActiveSkinRect = ClipToPicture(r->ActiveSkinRect, FElement.Picture);
    FSkinFont = r->Font;
    FSkinFont.Height = ClampFontHeight(FSkinFont.Height);
    FActiveFontColor = r->ActiveFontColor;
    FDisabledFontColor = r->DisabledFontColor;
    FButtonLooks[0] = r->UpButtonLooks;
    FButtonLooks[1] = r->DownButtonLooks;
    for (TspStateLooks& looks : FButtonLooks) InheritEmptyLooks(looks, lsDown);
}

namespace {

TRect InsideOf(const TRect& R, int W, int H)
{
    TRect r(std::max<LONG>(0, R.left), std::max<LONG>(0, R.top), std::min<LONG>(W, R.right), std::min<LONG>(H, R.bottom));
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

}  // namespace

void TspSkinSpinEdit::CalcRects()
{
    const int w = GetWidth(), h = GetHeight();
    TRect editRect;
    if (!Skinned()) {
        FButtons[0].R = TRect(w - 17, 2, w - 2, h / 2);
        FButtons[1].R = TRect(w - 17, h / 2, w - 2, h - 2);
        editRect = TRect(2, 2, 2 + std::max(0, w - 19), 2 + std::max(0, h - 4));
    } else {
        const int dx = w - FElement.SkinRect.Width();
        for (int i = 0; i < 2; ++i) {
            const TRect& atRest = FButtonLooks[i][lsNormal];
            FButtons[i].R = atRest;
            if (FElement.RTPoint.x < atRest.left) OffsetRect(&FButtons[i].R, dx, 0);
        }
        editRect = FElement.ClRect;
        editRect.right += dx;
    }
    // Whatever the skin says, the editor stays inside the control.
    editRect = InsideOf(editRect, w, h);
    if (FEdit) FEdit->SetBounds(editRect.left, editRect.top, editRect.Width(), editRect.Height());
}

void TspSkinSpinEdit::ApplyEditorColor()
{
    if (!FEdit) return;
    TColor c;
    if (!GetEnabled()) c = Skinned() ? FDisabledFontColor : clGrayText;
    else if (!Skinned()) c = GetDefaultFont()->GetColor();
    else c = FHot || FEditFocused ? FActiveFontColor : FSkinFont.Color;
    if (FEdit->GetFont()->GetColor() != c) FEdit->GetFont()->SetColor(c);
}

void TspSkinSpinEdit::ChangeSkinData()
{
    TspSkinCustomControl::ChangeSkinData();
    if (FEdit) {
        if (!Skinned()) {
            FEdit->GetFont()->Assign(GetDefaultFont());
        } else if (UseSkinFont) {
            ApplySkinFontFields(FEdit->GetFont(), FSkinFont);
            FEdit->GetFont()->SetColor(FSkinFont.Color);
            FEdit->GetFont()->SetCharset(GetDefaultFont()->GetCharset());
        } else {
            FEdit->GetFont()->Assign(GetDefaultFont());
            FEdit->GetFont()->SetColor(FSkinFont.Color);
        }
        FEdit->SetEditTransparent(Skinned());
    }
    if (Skinned()) SetBounds(GetLeft(), GetTop(), GetWidth(), FElement.SkinRect.Height());
    CalcRects();
    ApplyEditorColor();
    Invalidate();
}

void TspSkinSpinEdit::DefaultFontChange()
{
    if (FEdit && !Skinned()) FEdit->GetFont()->Assign(GetDefaultFont());
}

void TspSkinSpinEdit::Invalidate()
{
    TspSkinCustomControl::Invalidate();
    if (FEdit && Skinned()) FEdit->Invalidate();
}

void TspSkinSpinEdit::CreateControlSkinImage(TBitmap* B)
{
    CalcRects();
    if ((FEditFocused || FHot) && !FActiveSkinRect.IsEmpty() && FElement.Picture &&
        FActiveSkinRect.Width() > FElement.LTPoint.x + (FElement.SkinRect.Width() - FElement.RTPoint.x)) {
        const int lo = std::max(0, static_cast<int>(FElement.LTPoint.x));
        const int ro = std::max(0, FElement.SkinRect.Width() - static_cast<int>(FElement.RTPoint.x));
        Sputils::CreateHSkinImage(lo, ro, B, FElement.Picture, FActiveSkinRect, GetWidth(),
                                  FActiveSkinRect.Height());
    } else {
        TspSkinCustomControl::CreateControlSkinImage(B);
    }
    DrawButton(B->GetCanvas(), 0);
    DrawButton(B->GetCanvas(), 1);
}

void TspSkinSpinEdit::CreateControlDefaultImage(TBitmap* B)
{
    CalcRects();
    TCanvas* c = B->GetCanvas();
    TRect r(0, 0, GetWidth(), GetHeight());
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(clWindow);
    c->FillRect(r);
    c->GetBrush()->SetColor(clBtnShadow);
    c->FrameRect(r);
    InflateRect(&r, -1, -1);
    c->GetBrush()->SetColor(clBtnFace);
    c->FrameRect(r);
    DrawButton(c, 0);
    DrawButton(c, 1);
}

void TspSkinSpinEdit::DrawButton(TCanvas* C, int Index)
{
    const TSpinButton& b = FButtons[Index];
    if (b.R.Width() <= 0 || b.R.Height() <= 0) return;
    if (Skinned() && FElement.Picture) {
        // At rest the element's own picture shows the button.
        const TspLookState state = LookState(b.Down && b.MouseIn, b.MouseIn);
        if (state == lsNormal) return;
        const TRect src = ClipToPicture(FButtonLooks[Index][state], FElement.Picture);
        if (src.IsEmpty()) return;
        C->CopyRect(TRect(b.R.left, b.R.top, b.R.left + src.Width(), b.R.top + src.Height()),
                    FElement.Picture->GetCanvas(), src);
        return;
    }
    C->GetBrush()->SetStyle(bsSolid);
    TRect inner = b.R;
    if (b.MouseIn) {
        C->GetBrush()->SetColor(clPlainHotFrame);
        C->FrameRect(b.R);
        InflateRect(&inner, -1, -1);
        C->GetBrush()->SetColor(b.Down ? clPlainDownFill : clPlainHotFill);
    } else {
        C->GetBrush()->SetColor(clPlainFace);
    }
    C->FillRect(inner);
    Sputils::DrawArrowImage(C, inner, clBlack, Index == 0 ? adUp : adDown);
}

// ---- buttons and repeat ----
void TspSkinSpinEdit::TestActive(int X, int Y)
{
    FOldActiveButton = FActiveButton;
    FActiveButton = -1;
    for (int i = 0; i < 2; ++i) {
        POINT p = {X, Y};
        if (PtInRect(&FButtons[i].R, p)) {
            FActiveButton = i;
            break;
        }
    }
    if (FCapturedButton != -1 && FActiveButton != FCapturedButton) FActiveButton = -1;
    if (FActiveButton == FOldActiveButton) return;
    if (FOldActiveButton != -1) ButtonLeave(FOldActiveButton);
    if (FActiveButton != -1) ButtonEnter(FActiveButton);
}

void TspSkinSpinEdit::ButtonEnter(int I)
{
    FButtons[I].MouseIn = true;
    if (FButtons[I].Down && HandleAllocated()) SetTimer(FHandle, 1, 50, nullptr);
    Invalidate();
}

void TspSkinSpinEdit::ButtonLeave(int I)
{
    FButtons[I].MouseIn = false;
    if (FButtons[I].Down && HandleAllocated()) KillTimer(FHandle, 1);
    Invalidate();
}

void TspSkinSpinEdit::ButtonDown(int I)
{
    FButtons[I].MouseIn = true;
    FButtons[I].Down = true;
    Invalidate();
    FTimerMode = I == 0 ? 2 : 1;
    FWaitMode = true;
    if (HandleAllocated()) SetTimer(FHandle, 1, 500, nullptr);
}

void TspSkinSpinEdit::ButtonUp(int I)
{
    FButtons[I].Down = false;
    if (I != FActiveButton) FButtons[I].MouseIn = false;
    Invalidate();
    if (FButtons[I].MouseIn) {
        if (I == 0) UpClick(this);
        else DownClick(this);
    }
    StopTimer();
}

void TspSkinSpinEdit::StartTimer()
{
    if (!HandleAllocated()) return;
    KillTimer(FHandle, 1);
    SetTimer(FHandle, 1, 100, nullptr);
}

void TspSkinSpinEdit::StopTimer()
{
    if (HandleAllocated()) KillTimer(FHandle, 1);
    FTimerMode = 0;
}

void TspSkinSpinEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TestActive(X, Y);
    if (FActiveButton != -1) {
        FCapturedButton = FActiveButton;
        ButtonDown(FActiveButton);
    }
    TspSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TspSkinSpinEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FCapturedButton != -1) {
        const int i = FCapturedButton;
        FCapturedButton = -1;
        ButtonUp(i);
    }
    TspSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TspSkinSpinEdit::MouseMove(TShiftState Shift, int X, int Y)
{
    TspSkinCustomControl::MouseMove(Shift, X, Y);
    TestActive(X, Y);
}

void TspSkinSpinEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_TIMER: WMTimer(Message); break;
    default: TspSkinCustomControl::Dispatch(Message); break;
    }
}

void TspSkinSpinEdit::WMTimer(TMessage& Message)
{
    DefaultHandler(&Message);
    if (Message.WParam != 1) return;
    if (FWaitMode) {
        FWaitMode = false;
        StartTimer();
        return;
    }
    if (FTimerMode == 1) SetValue(FValue - FIncrement);
    else if (FTimerMode == 2) SetValue(FValue + FIncrement);
}

void TspSkinSpinEdit::WMSize(TMessage& Message)
{
    TspSkinCustomControl::WMSize(Message);
    CalcRects();
}

// ---- hot state and colours ----
void TspSkinSpinEdit::EditEnter(TObject*)
{
    if (OnEditEnter) OnEditEnter(this);
    FEditFocused = true;
    if (!FActiveSkinRect.IsEmpty()) Invalidate();
    ApplyEditorColor();
}

void TspSkinSpinEdit::EditExit(TObject*)
{
    if (OnEditExit) OnEditExit(this);
    FEditFocused = false;
    if (!FActiveSkinRect.IsEmpty()) Invalidate();
    ApplyEditorColor();
}

void TspSkinSpinEdit::EditMouseEnter(TObject*)
{
    FHot = true;
    if (FEditFocused) return;
    if (!FActiveSkinRect.IsEmpty()) Invalidate();
    ApplyEditorColor();
}

void TspSkinSpinEdit::EditMouseLeave(TObject*)
{
    FHot = false;
    if (FEditFocused) return;
    if (!FActiveSkinRect.IsEmpty()) Invalidate();
    ApplyEditorColor();
}

void TspSkinSpinEdit::CMMouseEnter(TMessage& Message)
{
    TspSkinCustomControl::CMMouseEnter(Message);
    TestActive(-1, -1);
    if (!FEditFocused && !FActiveSkinRect.IsEmpty()) {
        FHot = true;
        Invalidate();
    }
    ApplyEditorColor();
}

void TspSkinSpinEdit::CMMouseLeave(TMessage& Message)
{
    TspSkinCustomControl::CMMouseLeave(Message);
    for (int i = 0; i < 2; ++i)
        if (FButtons[i].MouseIn) ButtonLeave(i);
    FActiveButton = -1;
    POINT p;
    GetCursorPos(&p);
    const bool overEditor = FEdit && FEdit->HandleAllocated() && WindowFromPoint(p) == FEdit->GetWindowHandle();
    if (overEditor || FEditFocused) return;
    FHot = false;
    if (!FActiveSkinRect.IsEmpty()) Invalidate();
    ApplyEditorColor();
}

void TspSkinSpinEdit::CMEnabledChanged(TMessage& Message)
{
    TspSkinCustomControl::CMEnabledChanged(Message);
    if (FEdit) FEdit->SetEnabled(GetEnabled());
    ApplyEditorColor();
    Invalidate();
}
