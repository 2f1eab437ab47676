#include "SkinSpeedButton.h"
#include "ActnList.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"
#include "SkinParentImage.h"
#include "SkinToolBar.h"
#include "WinControl.h"

TspSkinSpeedButton::TspSkinSpeedButton(TComponent* AOwner) : TspSkinButtonBase<TspGraphicSkinCustomControl>(AOwner)
{
    // No click of the library's own: the button raises OnClick itself.
    SetControlStyle(csCaptureMouse | csOpaque | csDoubleClicks);
    SetSkinDataName("toolbutton");
    SetBounds(GetLeft(), GetTop(), 25, 25);
}

TspSkinSpeedButton::~TspSkinSpeedButton() = default;

void TspSkinSpeedButton::CreateButtonImage(TBitmap* B, const TRect& R, bool ADown, bool AMouseIn)
{
    TCanvas* c = PaintSkinLook(B, R, ADown, AMouseIn);
    DrawContent(c, FElement.NewClRect, GlyphCell(ADown, AMouseIn), ADown && AMouseIn, true, ADown || AMouseIn);
}

void TspSkinSpeedButton::DrawContent(TCanvas* C, const TRect& R, int Cell, bool Pressed, bool HotLook, bool Hot)
{
    auto* bar = dynamic_cast<TspSkinToolBar*>(GetParent());
    if (!FGlyph->Empty() || !bar) {
        Skinctrls::DrawGlyphAndText(C, R, FMargin, FSpacing, FLayout, FaceCaption(), FGlyph.get(), FNumGlyphs, Cell,
                                    Pressed);
        return;
    }
    TCustomImageList* list = bar->GetImages();
    bool enabled = IsEnabled();
    if (!enabled && bar->GetDisabledImages()) {
        list = bar->GetDisabledImages();
        enabled = true;   // its images are the disabled look already
    } else if (HotLook && Hot && bar->GetHotImages()) {
        list = bar->GetHotImages();
    }
    // DrawImageAndText range-checks the index against the list chosen.
    Skinctrls::DrawImageAndText(C, R, FMargin, FSpacing, FLayout, FaceCaption(), FImageIndex, list, Pressed, enabled);
}

void TspSkinSpeedButton::CreateControlDefaultImage(TBitmap* B)
{
    const bool down = FDown && (FMouseIn || FGroupIndex != 0);
    TCanvas* c = PaintDefaultLook(B, down, FMouseIn);
    const TRect r(0, 0, GetWidth(), GetHeight());
    DrawContent(c, r, GlyphCell(FDown, FMouseIn), down, true, FMouseIn || FDown);
}

void TspSkinSpeedButton::PaintFlat()
{
    // Composed off screen over the image behind, so the flat button draws once.
    TBitmap b(GetWidth(), GetHeight(), pf24bit);
    Sputils::GetParentImage2(this, b.GetCanvas());
    TCanvas* c = b.GetCanvas();
    TRect r(0, 0, GetWidth(), GetHeight());
    if (Skinned()) {
        TFont* f = c->GetFont();
        ApplySkinFontFields(f, FFace.Font);
        f->SetColor(IsEnabled() ? FFace.Font.Color : FFace.DisabledFontColor);
        r = FElement.NewClRect;
    } else {
        c->GetFont()->Assign(FDefaultFont.get());
        if (!IsEnabled()) c->GetFont()->SetColor(clBtnShadow);
    }
    DrawContent(c, r, GlyphCell(FDown, FMouseIn), false, false, false);
    GetCanvas()->Draw(0, 0, &b);
}

void TspSkinSpeedButton::Paint()
{
    const int w = GetWidth(), h = GetHeight();
    if (w <= 0 || h <= 0) return;
    GetSkinData();
    const bool latched = FDown && FGroupIndex != 0;
    if (!Skinned()) {
        if ((FDown && (FMouseIn || FGroupIndex != 0)) || FMouseIn || !FFlat)
            TspSkinButtonBase::Paint();
        else
            PaintFlat();
        return;
    }
    if (FFlat && !FMouseIn && !latched) {
        PaintFlat();
        return;
    }
    TBitmap b(w, h, pf24bit);
    if (FFace.Morphing && FMorphKf > 0 && FMorphKf < 1 && IsEnabled()) {
        CreateButtonImage(&b, FElement.SkinRect, false, false);
        TBitmap active(w, h, pf24bit);
        CreateButtonImage(&active, FFace.ActiveSkinRect, false, true);
        TspEffectBmp from(&b), to(&active);
        Skinctrls::MorphByKind(from, to, FFace.MorphKind, FMorphKf);
        from.Draw(b.GetCanvas()->GetHandle(), 0, 0);
    } else if (IsEnabled() || FFace.DisabledSkinRect.IsEmpty()) {
        if (FDown && (FMouseIn || FGroupIndex != 0))
            CreateButtonImage(&b, FFace.DownSkinRect, true, true);
        else if (FMouseIn || (FFace.Morphing && FMorphKf == 1))
            CreateButtonImage(&b, FFace.ActiveSkinRect, false, true);
        else
            CreateButtonImage(&b, FElement.SkinRect, false, false);
    } else {
        CreateButtonImage(&b, FFace.DisabledSkinRect, false, false);
    }
    PresentImage(&b);
}

// ---- transition ----

void TspSkinSpeedButton::ReDrawControl()
{
    // A flat button has no transition: its idle look has no face to blend from.
    if (FFace.Morphing && Skinned() && !FFlat)
        StartMorph();
    else
        Repaint();
}

// ---- click ----

void TspSkinSpeedButton::ButtonClick()
{
    if (OnClick) OnClick(this);
}

// ---- mouse ----

void TspSkinSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    TspSkinButtonBase::MouseDown(Button, Shift, X, Y);
    if (!*alive || Button != mbLeft) return;
    PressDown();
}

void TspSkinSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    // Released off the button, a repeat stops whatever RepeatMode says now.
    if (Button == mbLeft) ReleaseUp(true);
    if (*alive) TspSkinButtonBase::MouseUp(Button, Shift, X, Y);
}

void TspSkinSpeedButton::CMMouseEnter(TMessage& Message)
{
    TspSkinButtonBase::CMMouseEnter(Message);
    if (IsDesigning()) return;
    FMouseIn = true;
    if (FGroupIndex == 0 || !FDown) ShowMouseIn();
    if (FDown && RepeatMode && FGroupIndex == 0) StartRepeat();
}

void TspSkinSpeedButton::CMMouseLeave(TMessage& Message)
{
    TspSkinButtonBase::CMMouseLeave(Message);
    if (IsDesigning()) return;
    FMouseIn = false;
    if (FGroupIndex == 0 || !FDown) ReDrawControl();
    if (FDown && RepeatMode && FRepeatTimer && FGroupIndex == 0) StopRepeat();
}

// ---- setters ----

void TspSkinSpeedButton::SetFlat(bool Value)
{
    FFlat = Value;
    TControlStyle s = GetControlStyle();
    SetControlStyle(Value ? (s & ~csOpaque) : (s | csOpaque));
    Repaint();
}

void TspSkinSpeedButton::SetShowCaption(bool Value)
{
    if (FShowCaption == Value) return;
    FShowCaption = Value;
    if (WidthWithCaption > 0 && WidthWithoutCaption > 0)
        SetWidth(Value ? WidthWithCaption : WidthWithoutCaption);
    else
        Repaint();
}

void TspSkinSpeedButton::SetImageIndex(int Value)
{
    FImageIndex = Value;
    if (dynamic_cast<TspSkinToolBar*>(GetParent())) Repaint();
}

