#include "SkinTrackEdit.h"
#include "ScopeGuard.h"
#include "SkinNumericEdits.h"
#include "SkinPlatform.h"
#include "SysUtils.h"
#include <algorithm>

namespace {

// What stays of the text when the typed character replaces the selection.
std::string TextBesideSelection(TCustomEdit* E)
{
    std::string t = E->GetText();
    if (!E->HandleAllocated()) return t;
    const int s = E->GetSelStart(), n = E->GetSelLength();
    if (s >= 0 && n > 0 && s + n <= static_cast<int>(t.size())) t.erase(s, n);
    return t;
}

}  // namespace

// ---- the drop-down track bar ----

TspSkinPopupTrackBar::TspSkinPopupTrackBar(TComponent* AOwner) : TspSkinTrackBar(AOwner)
{
    FControlStyle |= csNoDesignVisible | csReplicatable;
    FSkinDataName = "htrackbar";
    FVisible = false;
}

void TspSkinPopupTrackBar::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.ExStyle = WS_EX_TOOLWINDOW;
    Params.WindowClass.style |= CS_SAVEBITS;
    if (Sputils::CheckWXP()) Params.WindowClass.style |= CS_DROPSHADOW;
    Params.WinClassName = "TspSkinPopupTrackBar";
}

void TspSkinPopupTrackBar::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_MOUSEACTIVATE) {
        Message.Result = MA_NOACTIVATE;
        return;
    }
    TspSkinTrackBar::WndProc(Message);
}

// ---- the track edit ----

TspSkinTrackEdit::TspSkinTrackEdit(TComponent* AOwner) : TspSkinCustomEdit(AOwner)
{
    SetButtonMode(true);
    {
        TRestore<bool> setting(FSetting, true);
        SetText("0");
    }
    TspSkinCustomEdit::SetBounds(GetLeft(), GetTop(), 120, 20);
    SetSkinDataName("buttonedit");
    OnButtonClick = [this](TObject* Sender) { ButtonClick(Sender); };
    OnEditCancelMode = [this](TControl* Sender) { CancelMode(Sender); };
    FTrackBar = new TspSkinPopupTrackBar(this);
    FTrackBar->SetParent(this);
    FTrackBar->SetVisible(false);
    FTrackBar->OnChange = [this](TObject* Sender) { TrackBarChange(Sender); };
}

TspSkinTrackEdit::~TspSkinTrackEdit()
{
    TspSkinPopupTrackBar* bar = FTrackBar;
    FTrackBar = nullptr;
    delete bar;
}

void TspSkinTrackEdit::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinCustomEdit::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FTrackBar) FTrackBar = nullptr;
}

bool TspSkinTrackEdit::GetJumpWhenClick() const { return FTrackBar && FTrackBar->JumpWhenClick; }

void TspSkinTrackEdit::SetJumpWhenClick(bool Value)
{
    if (FTrackBar) FTrackBar->JumpWhenClick = Value;
}

int TspSkinTrackEdit::CheckValue(int X) const
{
    if (FMinValue == FMaxValue) return X;
    return std::clamp(X, std::min(FMinValue, FMaxValue), std::max(FMinValue, FMaxValue));
}

bool TspSkinTrackEdit::IsNumText(const std::string& S) const { return SpNumber::IsNumText(S, vtInteger); }

bool TspSkinTrackEdit::IsValidChar(char Ch)
{
    return SpNumber::IsValidChar(Ch, TextBesideSelection(this), vtInteger, ReadOnly);
}

void TspSkinTrackEdit::SetValue(int Value)
{
    FValue = CheckValue(Value);
    const std::string text = IntToStr(FValue);
    if (text == GetText()) return;
    TRestore<bool> setting(FSetting, true);
    SetText(text);
    // The EDIT reports no change for text set in code: the change is announced here.
    Change();
}

void TspSkinTrackEdit::Change()
{
    if (FReformatting) return;
    if (!FSetting) {
        const std::string t = GetText();
        double v = 0;
        // A text that is no number yet ("", "-") or none that fits leaves Value as it was.
        if (IsNumText(t) && SpNumber::TryConvert(t, vtInteger, v)) FValue = CheckValue(static_cast<int>(v));
    }
    TspSkinCustomEdit::Change();
}

void TspSkinTrackEdit::Commit()
{
    const std::string t = GetText();
    double v = 0;
    if (IsNumText(t) && SpNumber::TryConvert(t, vtInteger, v) && CheckValue(static_cast<int>(v)) == v) return;
    TRestore<bool> reformatting(FReformatting, true);
    SetText(IntToStr(FValue));
}

void TspSkinTrackEdit::KeyPress(char& Key)
{
    if (Key == 27) CloseUp();
    else if (!IsValidChar(Key)) {
        Key = 0;
        MessageBeep(0);
    }
    TspSkinCustomEdit::KeyPress(Key);
}

void TspSkinTrackEdit::WMChar(TMessage& Message)
{
    if (static_cast<char>(Message.WParam) == 13 && !ReadOnly) Commit();
    TspSkinCustomEdit::WMChar(Message);
}

void TspSkinTrackEdit::WMKillFocus(TMessage& Message)
{
    TspSkinCustomEdit::WMKillFocus(Message);
    if (IsDestroying()) return;
    CloseUp();
    Commit();
}

void TspSkinTrackEdit::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_MOUSEWHEEL) {
        WMMouseWheel(Message);
        return;
    }
    TspSkinCustomEdit::WndProc(Message);
}

void TspSkinTrackEdit::WMMouseWheel(TMessage& Message)
{
    Message.Result = 0;
    // The wheel turned towards the user raises the value.
    const int step = static_cast<LONG>(Message.WParam) <= 0 ? 1 : -1;
    if (TrackBarShown()) FTrackBar->SetValue(FTrackBar->GetValue() + step);
    else SetValue(FValue + step);
}

// ---- the drop-down ----

bool TspSkinTrackEdit::TrackBarShown() const { return FTrackBar && FTrackBar->GetVisible(); }

TPoint TspSkinTrackEdit::DropPoint(const TPoint& EditLeftTop, int EditW, int EditH, int BarW, int BarH,
                                   TspTrackBarPopupKind Kind, int ScreenW, int ScreenH)
{
    TPoint anchor = EditLeftTop;
    if (Kind == tbpLeft && BarW != EditW) anchor.x = EditLeftTop.x + EditW - BarW;
    int x = anchor.x;
    if (x + BarW > ScreenW) x = ScreenW - BarW;
    else if (x < 0) x = 0;
    int y = anchor.y + EditH;
    if (ScreenH < y + BarH) y = anchor.y - BarH;
    return TPoint(x, y);
}

void TspSkinTrackEdit::DropDown()
{
    if (!FTrackBar || TrackBarShown()) return;
    FTrackBar->SetWidth(TrackBarWidth > 0 ? TrackBarWidth : GetWidth());
    FTrackBar->SetDefaultHeight(GetHeight());
    FTrackBar->SetSkinDataName(TrackBarSkinDataName);
    FTrackBar->SetSkinData(FSD);
    FTrackBar->SetMinValue(FMinValue);
    FTrackBar->SetMaxValue(FMaxValue);
    FTrackBar->SetValue(FValue);
    RECT wr;
    GetWindowRect(GetHandle(), &wr);
    const TPoint pt = DropPoint(TPoint(wr.left, wr.top), GetWidth(), GetHeight(), FTrackBar->GetWidth(),
                                FTrackBar->GetHeight(), PopupKind, GetSystemMetrics(SM_CXSCREEN),
                                GetSystemMetrics(SM_CYSCREEN));
    HWND h = FTrackBar->GetHandle();
    FTrackBar->SetVisible(true);
    SetWindowPos(h, HWND_TOP, pt.x, pt.y, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
}

void TspSkinTrackEdit::CloseUp()
{
    if (!TrackBarShown()) return;
    if (FTrackBar->HandleAllocated())
        SetWindowPos(FTrackBar->GetHandle(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    FTrackBar->SetVisible(false);
}

void TspSkinTrackEdit::ButtonClick(TObject*)
{
    if (CanFocus() && !Focused()) SetFocus();
    if (TrackBarShown()) CloseUp();
    else DropDown();
}

void TspSkinTrackEdit::TrackBarChange(TObject*)
{
    if (FTrackBar && FTrackBar->GetValue() != FValue) SetValue(FTrackBar->GetValue());
}

void TspSkinTrackEdit::CancelMode(TControl* Sender)
{
    if (!FTrackBar || Sender == FTrackBar) return;
    CloseUp();
}
