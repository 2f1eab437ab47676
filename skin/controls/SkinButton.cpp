#include "SkinButton.h"
#include "ActnList.h"
#include "Form.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"
#include "SkinParentImage.h"

namespace {

bool HasAccel(const std::string& Caption, char Key)
{
    for (size_t i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != '&') continue;
        if (Caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return toupper(static_cast<unsigned char>(Caption[i + 1])) == toupper(static_cast<unsigned char>(Key));
    }
    return false;
}
}  // namespace

TspSkinButton::TspSkinButton(TComponent* AOwner) : TspSkinButtonBase<TspSkinCustomControl>(AOwner)
{
    FSkinDataName = "button";
    SetTabStop(true);
    SetBounds(GetLeft(), GetTop(), 75, 25);
}

TspSkinButton::~TspSkinButton() = default;

bool TspSkinButton::IsFocused() { return FCanFocused && HandleAllocated() && Focused(); }

bool TspSkinButton::DownLook()
{
    return FDown && (FGroupIndex != 0 || FMouseIn || (IsFocused() && !FMousePressed));
}

void TspSkinButton::Paint()
{
    const int w = GetWidth(), h = GetHeight();
    if (w <= 0 || h <= 0) return;
    GetSkinData();
    if (!Skinned()) {
        TspSkinButtonBase::Paint();
        return;
    }
    TBitmap b(w, h, pf24bit);
    const TRect& skin = FElement.SkinRect;
    if (FFace.Morphing && FMorphKf > 0 && FMorphKf < 1 && IsEnabled()) {
        CreateButtonImage(&b, skin, false, false);
        TBitmap active(w, h, pf24bit);
        CreateButtonImage(&active, FFace.ActiveSkinRect, false, true);
        TspEffectBmp from(&b), to(&active);
        Skinctrls::MorphByKind(from, to, FFace.MorphKind, FMorphKf);
        b.SetSize(from.Width(), from.Height());
        from.Draw(b.GetCanvas()->GetHandle(), 0, 0);
    } else if (!IsEnabled() && !FFace.DisabledSkinRect.IsEmpty()) {
        CreateButtonImage(&b, FFace.DisabledSkinRect, false, false);
    } else if (DownLook()) {
        CreateButtonImage(&b, FFace.DownSkinRect, true, true);
    } else if (IsFocused() || FMouseIn || (FFace.Morphing && FMorphKf == 1)) {
        CreateButtonImage(&b, FFace.ActiveSkinRect, false, true);
    } else {
        CreateButtonImage(&b, skin, false, false);
    }
    PresentImage(&b);
}

void TspSkinButton::CreateButtonImage(TBitmap* B, const TRect& R, bool ADown, bool AMouseIn)
{
    TCanvas* c = PaintSkinLook(B, R, ADown, AMouseIn);
    Skinctrls::DrawGlyphAndText(c, FElement.NewClRect, FMargin, FSpacing, FLayout, GetText(), FGlyph.get(),
                                FNumGlyphs, GlyphCell(ADown, AMouseIn), ADown && AMouseIn);
}

void TspSkinButton::CreateControlDefaultImage(TBitmap* B)
{
    const bool down = DownLook();
    TCanvas* c = PaintDefaultLook(B, down, FMouseIn || IsFocused());
    const TRect r(0, 0, GetWidth(), GetHeight());
    Skinctrls::DrawGlyphAndText(c, r, FMargin, FSpacing, FLayout, GetText(), FGlyph.get(), FNumGlyphs, 1, down);
}

// ---- click, groups ----

void TspSkinButton::ButtonClick()
{
    if (FCanFocused) {
        if (TCustomForm* f = GetParentForm(this)) f->SetModalResult(ModalResult);
    }
    if (OnClick)
        OnClick(this);
    else if (GetAction() && !IsDesigning())
        GetAction()->Execute();
}

void TspSkinButton::SetGroupIndex(int Value)
{
    FGroupIndex = Value;
    if (Value != 0) SetCanFocused(false);
}

void TspSkinButton::SetCanFocused(bool Value)
{
    FCanFocused = Value;
    SetTabStop(Value);
}

// ---- mouse ----

void TspSkinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    TspSkinButtonBase::MouseDown(Button, Shift, X, Y);
    if (!*alive || Button != mbLeft) return;
    FMousePressed = true;
    PressDown();
}

void TspSkinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    if (Button == mbLeft) {
        FMousePressed = false;
        ReleaseUp(false);
    }
    // The click may have freed the button or closed its form.
    if (*alive && HandleAllocated() && GetVisible()) TspSkinButtonBase::MouseUp(Button, Shift, X, Y);
}

void TspSkinButton::CMMouseEnter(TMessage& Message)
{
    TspSkinButtonBase::CMMouseEnter(Message);
    if (IsDesigning()) return;
    FMouseIn = true;
    if ((FGroupIndex != 0 && !FDown) || (FGroupIndex == 0 && (!IsFocused() || FDown))) ShowMouseIn();
    if (FDown && RepeatMode && FGroupIndex == 0) StartRepeat();
}

void TspSkinButton::CMMouseLeave(TMessage& Message)
{
    TspSkinButtonBase::CMMouseLeave(Message);
    if (IsDesigning()) return;
    if (!(FCanFocused && FDefault && FActive && !IsFocused())) FMouseIn = false;
    if ((FGroupIndex != 0 && !FDown) || (FGroupIndex == 0 && (!IsFocused() || FDown))) ReDrawControl();
    if (FDown && RepeatMode && FRepeatTimer && FGroupIndex == 0) StopRepeat();
}

// ---- keys and focus ----

void TspSkinButton::WndProc(TMessage& Message)
{
    if (FCanFocused) {
        auto alive = FAlive.Watch();
        switch (Message.Msg) {
        case WM_KEYDOWN:
            if (Message.WParam == VK_SPACE) {
                SetDown(true);
                if (RepeatMode) ButtonClick();
            } else if (Message.WParam == VK_RETURN) {
                ButtonClick();
            }
            if (!*alive) return;
            break;
        case WM_KEYUP:
            if (Message.WParam == VK_SPACE) {
                SetDown(false);
                ButtonClick();
                if (!*alive) return;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!IsDesigning() && !Focused()) {
                FFocusing = true;
                ::SetFocus(GetHandle());
                FFocusing = false;
                if (!Focused()) return;   // validation elsewhere kept the focus
            }
            break;
        case CN_COMMAND:
            if (FFocusing) return;
            break;
        default: break;
        }
    }
    TspSkinButtonBase::WndProc(Message);
}

void TspSkinButton::CMDialogKey(TMessage& Message)
{
    auto alive = FAlive.Watch();
    if (Message.WParam == VK_RETURN && FActive && IsEnabled()) {
        ButtonClick();
        if (*alive) Message.Result = 1;
        return;
    }
    if (Message.WParam == VK_ESCAPE && Cancel && FCanFocused && !(KeyboardStateToShiftState() & ssShift) &&
        CanFocus()) {
        ButtonClick();
        if (*alive) Message.Result = 1;
        return;
    }
    TspSkinButtonBase::CMDialogKey(Message);
}

void TspSkinButton::CMDialogChar(TMessage& Message)
{
    if (HasAccel(GetText(), static_cast<char>(Message.WParam)) && CanFocus() && FCanFocused) {
        auto alive = FAlive.Watch();
        SetFocus();
        if (!*alive) return;
        ButtonClick();
        if (*alive) Message.Result = 1;
        return;
    }
    TspSkinButtonBase::CMDialogChar(Message);
}

void TspSkinButton::CMFocusChanged(TMessage& Message)
{
    auto* sender = reinterpret_cast<TWinControl*>(Message.LParam);
    auto* other = dynamic_cast<TspSkinButton*>(sender);
    FActive = other ? other == this : FDefault;
    if (FCanFocused && FDefault) {
        if (other && other != this) {
            FMouseIn = false;
            ReDrawControl();
        } else if (!other) {
            FMouseIn = true;
            if (FFace.Morphing) FMorphKf = 1;
            Repaint();
        }
    }
    TspSkinButtonBase::CMFocusChanged(Message);
}

void TspSkinButton::WMSetFocus(TMessage& Message)
{
    TspSkinButtonBase::WMSetFocus(Message);
    if (FCanFocused) ReDrawControl();
}

void TspSkinButton::WMKillFocus(TMessage& Message)
{
    if (RepeatMode && FRepeatTimer) StopRepeat();
    if (FGroupIndex == 0 && FDown) FDown = false;
    TspSkinButtonBase::WMKillFocus(Message);
    if (FCanFocused) ReDrawControl();
}

void TspSkinButton::CreateWnd()
{
    TspSkinButtonBase::CreateWnd();
    FActive = FDefault;
}

void TspSkinButton::SetDefault(bool Value)
{
    FDefault = Value;
    if (HandleAllocated() && FCanFocused && !IsDesigning()) {
        if (TCustomForm* f = GetParentForm(this))
            f->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(f->GetActiveControl()));
        else
            FActive = Value;
    }
    else
        FActive = Value;
}
