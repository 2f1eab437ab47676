#include "SkinCheckRadioBox.h"
#include "ActnList.h"
#include "Button.h"
#include "SkinData.h"
#include "SkinDefaultColors.h"
#include "SkinDrawHelpers.h"
#include "SkinParentImage.h"
#include "WinControl.h"

TspSkinCheckRadioBox::TspSkinCheckRadioBox(TComponent* AOwner) : TspSkinCustomControl(AOwner)
{
    FSkinDataName = "checkbox";
    SetTabStop(false);
    SetBounds(GetLeft(), GetTop(), 150, 25);
}

TspSkinCheckRadioBox::~TspSkinCheckRadioBox()
{
    StopMorph();
}

bool TspSkinCheckRadioBox::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return dynamic_cast<const TspDataSkinCheckRadioControl*>(Rec) != nullptr;
}

void TspSkinCheckRadioBox::GetSkinData()
{
    TspSkinCustomControl::GetSkinData();
    if (!Skinned()) {
        FMorphing = false;
        FMorphKf = 0;
        return;
    }
    const auto* r = static_cast<const TspDataSkinCheckRadioControl*>(CurrentRecord());
    FSkinFont = r->Font;
    FActiveFontColor = r->ActiveFontColor;
    FFrameFontColor = r->FrameFontColor;
    FUnEnabledFontColor = r->UnEnabledFontColor;
    FActiveSkinRect = r->ActiveSkinRect.IsEmpty() ? r->SkinRect : r->ActiveSkinRect;
    FCheckImageArea = r->CheckImageArea;
    FTextArea = r->TextArea;
    FCheck = r->CheckImageRect;
    FUnCheck = r->UnCheckImageRect;
    FActiveCheck = r->ActiveCheckImageRect.IsEmpty() ? FCheck : r->ActiveCheckImageRect;
    FActiveUnCheck = r->ActiveUnCheckImageRect.IsEmpty() ? FUnCheck : r->ActiveUnCheckImageRect;
    FDisabledCheck = r->UnEnabledCheckImageRect.IsEmpty() ? FCheck : r->UnEnabledCheckImageRect;
    FDisabledUnCheck = r->UnEnabledUnCheckImageRect.IsEmpty() ? FUnCheck : r->UnEnabledUnCheckImageRect;
    FMorphing = r->Morphing;
    FMorphKind = r->MorphKind;
    if (FFlat) {
        FMorphing = false;        // the flat look has no face to blend
        FElement.Mask = nullptr;  // and gets no window region
    }
    // Positions for the current size (every paint looks the record up again).
    int w = GetWidth(), h = GetHeight();
    CalcSize(w, h);
}

void TspSkinCheckRadioBox::CalcSize(int& W, int& H)
{
    if (FFlat) return;   // a flat control keeps any size
    TspSkinCustomControl::CalcSize(W, H);
    if (!Skinned()) return;
    const int dw = W - FElement.SkinRect.Width();
    FTextRect = FTextArea;
    FTextRect.right += dw;
    TRect r = FCheckImageArea;
    if (r.right > FTextArea.right) r.Offset(dw, 0);
    const int cw = FCheck.Width(), ch = FCheck.Height();
    FCheckImagePos = Bounds(r.left + r.Width() / 2 - cw / 2, r.top + r.Height() / 2 - ch / 2, cw, ch);
}

void TspSkinCheckRadioBox::ChangeSkinData()
{
    if (FFlat) {
        GetSkinData();
        Repaint();
        return;
    }
    StopMorph();
    TspSkinCustomControl::ChangeSkinData();
    if (FMorphing && Skinned() && MorphGoal()) FMorphKf = 1;
}

TRect TspSkinCheckRadioBox::CheckImageRect() const
{
    if (!IsEnabled()) return FChecked ? FDisabledCheck : FDisabledUnCheck;
    if (FMouseIn) return FChecked ? FActiveCheck : FActiveUnCheck;
    return FChecked ? FCheck : FUnCheck;
}

void TspSkinCheckRadioBox::DrawCheckImage(TCanvas* C, int X, int Y, const TRect& R)
{
    // Only what lies inside the picture is taken; an empty image draws nothing.
    const TRect src = ClipToPicture(R, FElement.Picture);
    if (src.IsEmpty()) return;
    TBitmap b(src.Width(), src.Height(), pf24bit);
    b.GetCanvas()->CopyRect(TRect(0, 0, src.Width(), src.Height()), FElement.Picture->GetCanvas(), src);
    b.SetTransparent(true);   // its bottom-left pixel's colour shows nothing
    C->Draw(X, Y, &b);
}

void TspSkinCheckRadioBox::CreateImage(TBitmap* B, const TRect& R, bool Active)
{
    CreateSkinControlImage(B, FElement.Picture, R);
    const TRect img = CheckImageRect();
    DrawCheckImage(B->GetCanvas(), FCheckImagePos.left,
                   FCheckImagePos.top + FCheckImagePos.Height() / 2 - img.Height() / 2, img);
    TCanvas* c = B->GetCanvas();
    ApplySkinFont(c, FSkinFont, !IsEnabled() ? FUnEnabledFontColor : (Active ? FActiveFontColor : FSkinFont.Color));
    c->GetBrush()->SetStyle(bsClear);
    Sputils::SPDrawText(c, GetText(), FTextRect);
}

void TspSkinCheckRadioBox::CreateControlDefaultImage(TBitmap* B)
{
    TspSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* c = B->GetCanvas();
    const int h = GetHeight();
    if (IsFocused() || FMouseIn) {
        c->GetBrush()->SetColor(clBtnShadow);
        c->FrameRect(TRect(0, 0, GetWidth(), h));
    }
    c->GetFont()->Assign(FDefaultFont.get());
    if (!IsEnabled()) c->GetFont()->SetColor(clBtnShadow);
    const TRect box = Bounds(3, h / 2 - 7, 14, 14);
    c->GetBrush()->SetStyle(bsClear);
    Sputils::SPDrawText(c, GetText(), TRect(19, 0, GetWidth(), h));
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(FMouseIn ? clPlainHotFrame : clPlainFrame);
    c->FrameRect(box);
    if (FChecked) {
        const TColor mark = IsEnabled() ? clBlack : clBtnShadow;
        if (FRadio)
            Sputils::DrawRadioImage(c, 7, h / 2 - 3, mark);
        else
            Sputils::DrawCheckImage(c, 7, h / 2 - 4, mark);
    }
}

void TspSkinCheckRadioBox::PaintFlat(TBitmap* B)
{
    Sputils::GetParentImage(this, B->GetCanvas());
    TCanvas* c = B->GetCanvas();
    const int h = GetHeight();
    int tx = 22;
    if (Skinned()) {
        const TRect img = CheckImageRect();
        DrawCheckImage(c, 3, h / 2 - FCheck.Height() / 2, img);
        ApplySkinFont(c, FSkinFont, IsEnabled() ? FFrameFontColor : FUnEnabledFontColor);
        tx = FCheck.Width() + 7;
    } else {
        c->GetBrush()->SetStyle(bsSolid);
        c->GetBrush()->SetColor(FMouseIn ? clPlainHotFrame : clPlainFrame);
        c->FrameRect(Bounds(3, h / 2 - 7, 14, 14));
        if (FChecked) {
            const TColor mark = IsEnabled() ? clBlack : clBtnShadow;
            if (FRadio)
                Sputils::DrawRadioImage(c, 7, h / 2 - 3, mark);
            else
                Sputils::DrawCheckImage(c, 7, h / 2 - 4, mark);
        }
        c->GetFont()->Assign(FDefaultFont.get());
        if (!IsEnabled()) c->GetFont()->SetColor(clBtnShadow);
    }
    const int th = c->TextHeight("Wq");
    const std::string text = GetText();
    TRect r(tx, h / 2 - th / 2, tx + c->TextWidth(text), h / 2 - th / 2 + th);
    TRect image;
    if (HasImage()) {
        image = Bounds(r.left, h / 2 - FImages->GetHeight() / 2, FImages->GetWidth(), FImages->GetHeight());
        FImages->Draw(c, image.left, image.top, FImageIndex, IsEnabled());
        r.Offset(FImages->GetWidth() + 5, 0);
    }
    // Limited after the image moved it: the caption never runs past the control.
    if (r.right > GetWidth() - 2) r.right = GetWidth() - 2;
    c->GetBrush()->SetStyle(bsClear);
    if (r.right > r.left) Sputils::SPDrawText(c, text, r);
    if (IsFocused()) {
        if (!text.empty())
            c->DrawFocusRect(TRect(r.left - 2, r.top - 1, r.right + 3, r.bottom + 1));
        else if (!image.IsEmpty())
            c->DrawFocusRect(TRect(image.left - 1, image.top - 1, image.right + 1, image.bottom + 1));
    }
}

bool TspSkinCheckRadioBox::HasImage() const
{
    return FImages && FImageIndex >= 0 && FImageIndex < FImages->GetCount() && FImages->GetWidth() > 0 &&
           FImages->GetHeight() > 0;
}

void TspSkinCheckRadioBox::Paint()
{
    const int w = GetWidth(), h = GetHeight();
    if (w <= 0 || h <= 0) return;
    GetSkinData();
    TBitmap b(w, h, pf24bit);
    if (FFlat) {
        PaintFlat(&b);
        GetCanvas()->Draw(0, 0, &b);
        return;
    }
    if (!Skinned()) {
        TspSkinCustomControl::Paint();
        return;
    }
    if (FMorphing && FMorphKf > 0 && FMorphKf < 1) {
        // Blended also while disabled: the transition finishes whatever the state.
        CreateImage(&b, FElement.SkinRect, false);
        TBitmap active(w, h, pf24bit);
        CreateImage(&active, FActiveSkinRect, true);
        TspEffectBmp from(&b), to(&active);
        Skinctrls::MorphByKind(from, to, FMorphKind, FMorphKf);
        from.Draw(b.GetCanvas()->GetHandle(), 0, 0);
    } else if (FMorphing ? FMorphKf >= 1 : MorphGoal()) {
        // While the skin blends, the factor alone picks the look: a paint between
        // two steps never jumps to the end of the transition and back.
        CreateImage(&b, FActiveSkinRect, true);
    } else {
        CreateImage(&b, FElement.SkinRect, false);
    }
    PresentImage(&b);
}

void TspSkinCheckRadioBox::SetChecked(bool Value)
{
    const bool became = Value && !FChecked;
    FChecked = Value;
    auto alive = FAlive.Watch();
    Repaint();
    if (FChecked && GroupIndex != 0) UnCheckAll();
    if (OnClick && (!FRadio || became)) OnClick(this);
    (void)alive;
}

void TspSkinCheckRadioBox::SetCheckState()
{
    if (!FRadio)
        SetChecked(!FChecked);
    else if (!FChecked)
        SetChecked(true);
}

void TspSkinCheckRadioBox::UnCheckAll()
{
    TWinControl* p = GetParent();
    if (!p) return;
    for (int i = 0; i < p->GetControlCount(); ++i) {
        auto* c = dynamic_cast<TspSkinCheckRadioBox*>(p->GetControl(i));
        if (c && c != this && c->GroupIndex == GroupIndex && c->FChecked) c->SetChecked(false);
    }
}

void TspSkinCheckRadioBox::SetRadio(bool Value)
{
    FRadio = Value;
    if (!Skinned() && DrawDefault) Repaint();
}

void TspSkinCheckRadioBox::SetFlat(bool Value)
{
    FFlat = Value;
    if (FFlat) {
        StopMorph();
        FMorphKf = 0;
    }
    Repaint();
}

void TspSkinCheckRadioBox::SetImages(TCustomImageList* Value)
{
    if (FImages.Set(Value)) Repaint();
}

void TspSkinCheckRadioBox::SetImageIndex(int Value)
{
    FImageIndex = Value;
    Repaint();
}

void TspSkinCheckRadioBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinCustomControl::Notification(AComponent, Operation);
    if (FImages.Removed(AComponent, Operation)) Repaint();
}

// ---- transition ----

void TspSkinCheckRadioBox::ReDrawControl()
{
    if (FMorphing && Skinned())
        StartMorph();
    else
        Repaint();
}

void TspSkinCheckRadioBox::StartMorph()
{
    if (FMorphTimer) return;
    FMorphTimer = std::make_unique<TTimer>(nullptr);
    FMorphTimer->SetInterval(20);
    FMorphTimer->OnTimer = [this](TObject*) { DoMorph(); };
    FMorphTimer->SetEnabled(true);
}

// Disabled before it goes: DropTimer stops it and frees it from the message loop,
// since a tick may be the caller.
void TspSkinCheckRadioBox::StopMorph() { Skinctrls::DropTimer(FMorphTimer); }

void TspSkinCheckRadioBox::DoMorph()
{
    const bool goal = MorphGoal();
    if (!Skinned() || !FMorphing) {
        FMorphKf = goal ? 1 : 0;
        StopMorph();
        return;
    }
    if (goal && FMorphKf < 1)
        FMorphKf += 0.2;
    else if (!goal && FMorphKf > 0)
        FMorphKf -= 0.2;
    else {
        FMorphKf = goal ? 1 : 0;
        StopMorph();
    }
    // Steps of 0.2 on a double do not land on 0 or 1 exactly: the last one does.
    if (FMorphKf > 0.999) FMorphKf = 1;
    if (FMorphKf < 0.001) FMorphKf = 0;
    Repaint();
}

void TspSkinCheckRadioBox::SetCanFocused(bool Value)
{
    FCanFocused = Value;
    SetTabStop(Value);
}

bool TspSkinCheckRadioBox::IsFocused() { return FCanFocused && HandleAllocated() && Focused(); }

void TspSkinCheckRadioBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!FMouseIn) {
        FMouseIn = true;
        ReDrawControl();
    }
    TspSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TspSkinCheckRadioBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    TspSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (*alive && Button == mbLeft && FMouseIn) SetCheckState();
}

void TspSkinCheckRadioBox::CMMouseEnter(TMessage& Message)
{
    TspSkinCustomControl::CMMouseEnter(Message);
    if (IsDesigning()) return;
    FMouseIn = true;
    ReDrawControl();
}

void TspSkinCheckRadioBox::CMMouseLeave(TMessage& Message)
{
    TspSkinCustomControl::CMMouseLeave(Message);
    if (IsDesigning()) return;
    FMouseIn = false;
    ReDrawControl();
}

void TspSkinCheckRadioBox::CMTextChanged(TMessage& Message)
{
    TspSkinCustomControl::CMTextChanged(Message);
    if (Skinned() || IsDesigning() || DrawDefault) Repaint();
}

void TspSkinCheckRadioBox::WMMove(TMessage& Message)
{
    TspSkinCustomControl::WMMove(Message);
    Invalidate();   // a flat control shows what lies under it
}

void TspSkinCheckRadioBox::WMSetFocus(TMessage& Message)
{
    TspSkinCustomControl::WMSetFocus(Message);
    if (FCanFocused) ReDrawControl();
}

void TspSkinCheckRadioBox::WMKillFocus(TMessage& Message)
{
    TspSkinCustomControl::WMKillFocus(Message);
    if (FCanFocused) ReDrawControl();
}

void TspSkinCheckRadioBox::CMDialogChar(TMessage& Message)
{
    // The underlined letter works whether or not the control takes the focus:
    // the program's check boxes never do, and a shown accelerator that does
    // nothing would be a dead promise. One that can takes the focus first.
    if (IsAccel(static_cast<WORD>(Message.WParam), GetText()) && CanFocus()) {
        auto alive = FAlive.Watch();
        if (FCanFocused) {
            SetFocus();
            if (!*alive) return;
        }
        SetCheckState();
        if (*alive) Message.Result = 1;
        return;
    }
    TspSkinCustomControl::CMDialogChar(Message);
}

void TspSkinCheckRadioBox::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TspSkinCustomControl::ActionChange(Sender, CheckDefaults);
    auto* a = dynamic_cast<TCustomAction*>(Sender);
    if (a && !(CheckDefaults && FChecked)) ActionCheckedChange(a->GetChecked());
}

TControlActionLink* TspSkinCheckRadioBox::CreateActionLink()
{
    return new TspActionLink(this, nullptr, [this](bool Value) { ActionCheckedChange(Value); });
}

void TspSkinCheckRadioBox::ActionCheckedChange(bool Value)
{
    // Only a change of the state: the action's other changes raise no click here.
    if (Value != FChecked) SetChecked(Value);
}

void TspSkinCheckRadioBox::WndProc(TMessage& Message)
{
    if (FCanFocused) {
        switch (Message.Msg) {
        case WM_KEYUP:
            if (Message.WParam == VK_SPACE && IsFocused()) {
                auto alive = FAlive.Watch();
                SetCheckState();
                if (!*alive) return;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!IsDesigning() && !Focused()) {
                ::SetFocus(GetHandle());
                if (!Focused()) return;
            }
            break;
        default: break;
        }
    }
    TspSkinCustomControl::WndProc(Message);
}
