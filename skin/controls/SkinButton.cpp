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

TspSkinButton::TspSkinButton(TComponent* AOwner) : TspSkinCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>())
{
    FSkinDataName = "button";
    SetTabStop(true);
    SetBounds(GetLeft(), GetTop(), 75, 25);
}

TspSkinButton::~TspSkinButton()
{
    Skinctrls::DropTimer(FMorphTimer);
    Skinctrls::DropTimer(FRepeatTimer);
}

bool TspSkinButton::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return dynamic_cast<const TspDataSkinButtonControl*>(Rec) != nullptr;
}

void TspSkinButton::GetSkinData()
{
    TspSkinCustomControl::GetSkinData();
    if (!Skinned()) {
        FFace.Morphing = false;
        return;
    }
    FFace.Read(static_cast<const TspDataSkinButtonControl*>(CurrentRecord()));
}

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
        TspSkinCustomControl::Paint();
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
    CreateSkinControlImage(B, FElement.Picture, R);
    TCanvas* c = B->GetCanvas();
    const bool enabled = IsEnabled();
    TColor color = !enabled ? FFace.DisabledFontColor
                            : (ADown && AMouseIn ? FFace.DownFontColor
                                                 : (AMouseIn ? FFace.ActiveFontColor : FFace.Font.Color));
    ApplySkinFont(c, FFace.Font, color);
    int cell = 1;
    if (ADown && AMouseIn && FNumGlyphs >= 3)
        cell = 3;
    else if (AMouseIn && FNumGlyphs == 4)
        cell = 4;
    else if (!enabled && FNumGlyphs >= 2)
        cell = 2;
    Skinctrls::DrawGlyphAndText(c, FElement.NewClRect, FMargin, FSpacing, FLayout, GetText(), FGlyph.get(),
                                FNumGlyphs, cell, ADown && AMouseIn);
}

void TspSkinButton::CreateControlDefaultImage(TBitmap* B)
{
    TspSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* c = B->GetCanvas();
    const TRect r(0, 0, GetWidth(), GetHeight());
    const bool down = DownLook();
    c->GetBrush()->SetStyle(bsSolid);
    Sputils::DrawPlainFace(c, r, LookState(down, FMouseIn || IsFocused()));
    c->GetFont()->Assign(FDefaultFont.get());
    if (!IsEnabled()) c->GetFont()->SetColor(clBtnShadow);
    Skinctrls::DrawGlyphAndText(c, r, FMargin, FSpacing, FLayout, GetText(), FGlyph.get(), FNumGlyphs, 1, down);
}

// ---- transition ----

void TspSkinButton::ReDrawControl()
{
    if (FFace.Morphing && Skinned())
        StartMorph();
    else
        Repaint();
}

void TspSkinButton::StartMorph()
{
    if (FMorphTimer) return;
    FMorphTimer = std::make_unique<TTimer>(nullptr);
    FMorphTimer->SetInterval(20);
    FMorphTimer->OnTimer = [this](TObject*) { DoMorph(); };
    FMorphTimer->SetEnabled(true);
}

void TspSkinButton::StopMorph() { Skinctrls::DropTimer(FMorphTimer); }

void TspSkinButton::DoMorph()
{
    const bool goalActive = FMouseIn || IsFocused();
    if (!Skinned() || !FFace.Morphing) {
        FMorphKf = goalActive ? 1 : 0;
        StopMorph();
        return;
    }
    if (goalActive && FMorphKf < 1)
        FMorphKf += 0.2;
    else if (!goalActive && FMorphKf > 0)
        FMorphKf -= 0.2;
    else {
        FMorphKf = goalActive ? 1 : 0;
        StopMorph();
    }
    Repaint();
}

// ---- click, groups, repeat ----

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

void TspSkinButton::SetDown(bool Value)
{
    FDown = Value;
    if (FFace.Morphing) {
        FMorphKf = 1;
        if (Value)
            StopMorph();
        else
            StartMorph();
    }
    Repaint();
    if (FGroupIndex != 0 && FDown && !AllowAllUp) DoAllUp();
}

void TspSkinButton::DoAllUp()
{
    TWinControl* p = GetParent();
    if (!p) return;
    for (int i = 0; i < p->GetControlCount(); ++i) {
        auto* b = dynamic_cast<TspSkinButton*>(p->GetControl(i));
        if (b && b != this && b->FGroupIndex == FGroupIndex && b->FDown) b->SetDown(false);
    }
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

void TspSkinButton::StartRepeat()
{
    Skinctrls::DropTimer(FRepeatTimer);
    FRepeatTimer = std::make_unique<TTimer>(nullptr);
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetInterval(RepeatInterval > 0 ? RepeatInterval : 1);
    FRepeatTimer->OnTimer = [this](TObject*) { RepeatTimerProc(); };
    FRepeatTimer->SetEnabled(true);
}

void TspSkinButton::StopRepeat() { Skinctrls::DropTimer(FRepeatTimer); }

void TspSkinButton::RepeatTimerProc() { ButtonClick(); }

// ---- mouse ----

void TspSkinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    TspSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!*alive || Button != mbLeft) return;
    FMousePressed = true;
    if (!FDown) {
        FMouseIn = true;
        SetDown(true);
        if (RepeatMode && FGroupIndex == 0)
            StartRepeat();
        else if (FGroupIndex != 0) {
            ButtonClick();
            if (!*alive) return;
        }
        FDownAtPress = false;
    } else if (FGroupIndex != 0) {
        FDownAtPress = true;
    }
}

void TspSkinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    if (Button == mbLeft) {
        FMousePressed = false;
        if (FGroupIndex == 0) {
            if (FMouseIn) {
                SetDown(false);
                if (RepeatMode) StopRepeat();
                ButtonClick();
            } else {
                FDown = false;
                if (RepeatMode) StopRepeat();
            }
        } else if (FDown && AllowAllUp && FDownAtPress && FMouseIn) {
            SetDown(false);
            ButtonClick();
        }
    }
    // The click may have freed the button or closed its form.
    if (*alive && HandleAllocated() && GetVisible()) TspSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TspSkinButton::CMMouseEnter(TMessage& Message)
{
    TspSkinCustomControl::CMMouseEnter(Message);
    if (IsDesigning()) return;
    FMouseIn = true;
    if ((FGroupIndex != 0 && !FDown) || (FGroupIndex == 0 && (!IsFocused() || FDown))) {
        if (FDown) {
            if (FFace.Morphing) FMorphKf = 1;
            Repaint();
        } else {
            ReDrawControl();
        }
    }
    if (FDown && RepeatMode && FGroupIndex == 0) StartRepeat();
}

void TspSkinButton::CMMouseLeave(TMessage& Message)
{
    TspSkinCustomControl::CMMouseLeave(Message);
    if (IsDesigning()) return;
    if (!(FCanFocused && FDefault && FActive && !IsFocused())) FMouseIn = false;
    if ((FGroupIndex != 0 && !FDown) || (FGroupIndex == 0 && (!IsFocused() || FDown))) ReDrawControl();
    if (FDown && RepeatMode && FRepeatTimer && FGroupIndex == 0) StopRepeat();
}

void TspSkinButton::CMEnabledChanged(TMessage& Message)
{
    TspSkinCustomControl::CMEnabledChanged(Message);
    if (FFace.Morphing) {
        StopMorph();
        FMorphKf = 0;
    }
    FMouseIn = false;
    Repaint();
}

void TspSkinButton::CMTextChanged(TMessage& Message)
{
    TspSkinCustomControl::CMTextChanged(Message);
    if (Skinned() || IsDesigning() || DrawDefault) Repaint();
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
    TspSkinCustomControl::WndProc(Message);
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
    TspSkinCustomControl::CMDialogKey(Message);
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
    TspSkinCustomControl::CMDialogChar(Message);
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
    TspSkinCustomControl::CMFocusChanged(Message);
}

void TspSkinButton::WMSetFocus(TMessage& Message)
{
    TspSkinCustomControl::WMSetFocus(Message);
    if (FCanFocused) ReDrawControl();
}

void TspSkinButton::WMKillFocus(TMessage& Message)
{
    if (RepeatMode && FRepeatTimer) StopRepeat();
    if (FGroupIndex == 0 && FDown) FDown = false;
    TspSkinCustomControl::WMKillFocus(Message);
    if (FCanFocused) ReDrawControl();
}

void TspSkinButton::CreateWnd()
{
    TspSkinCustomControl::CreateWnd();
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

void TspSkinButton::ChangeSkinData()
{
    StopMorph();
    TspSkinCustomControl::ChangeSkinData();
    if (FFace.Morphing && Skinned() && (IsFocused() || FMouseIn)) FMorphKf = 1;
}

// ---- setters ----

void TspSkinButton::SetLayout(TspButtonLayout Value)
{
    if (FLayout == Value) return;
    FLayout = Value;
    Repaint();
}

void TspSkinButton::SetSpacing(int Value)
{
    if (FSpacing == Value) return;
    FSpacing = Value;
    Repaint();
}

void TspSkinButton::SetMargin(int Value)
{
    if (Value == FMargin || Value < -1) return;
    FMargin = Value;
    Repaint();
}

void TspSkinButton::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    FGlyphFromAction = false;
    Repaint();
}

void TspSkinButton::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TspSkinCustomControl::ActionChange(Sender, CheckDefaults);
    if (auto* a = dynamic_cast<TCustomAction*>(Sender)) ActionImageChange(a->GetImageIndex());
}

TControlActionLink* TspSkinButton::CreateActionLink()
{
    return new TspActionLink(this, [this](int Index) { ActionImageChange(Index); }, nullptr);
}

void TspSkinButton::ActionImageChange(int Index)
{
    Skinctrls::FollowActionImage(GetAction(), Index, FGlyph.get(), FGlyphFromAction);
    Repaint();
}

void TspSkinButton::SetNumGlyphs(int Value)
{
    FNumGlyphs = Value < 1 ? 1 : (Value > 4 ? 4 : Value);
    Repaint();
}
