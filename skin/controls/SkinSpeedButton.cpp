#include "SkinSpeedButton.h"
#include "ActnList.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"
#include "SkinParentImage.h"
#include "SkinToolBar.h"
#include "WinControl.h"

TspSkinSpeedButton::TspSkinSpeedButton(TComponent* AOwner)
    : TspGraphicSkinCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>())
{
    // No click of the library's own: the button raises OnClick itself.
    SetControlStyle(csCaptureMouse | csOpaque | csDoubleClicks);
    SetSkinDataName("toolbutton");
    SetBounds(GetLeft(), GetTop(), 25, 25);
}

TspSkinSpeedButton::~TspSkinSpeedButton()
{
    Skinctrls::DropTimer(FMorphTimer);
    Skinctrls::DropTimer(FRepeatTimer);
}

bool TspSkinSpeedButton::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return dynamic_cast<const TspDataSkinButtonControl*>(Rec) != nullptr;
}

void TspSkinSpeedButton::GetSkinData()
{
    TspGraphicSkinCustomControl::GetSkinData();
    if (!Skinned()) {
        FFace.Morphing = false;
        return;
    }
    FFace.Read(static_cast<const TspDataSkinButtonControl*>(CurrentRecord()));
}

int TspSkinSpeedButton::GlyphCell(bool ADown, bool AMouseIn) const
{
    if (ADown && AMouseIn && FNumGlyphs >= 3) return 3;
    if (AMouseIn && FNumGlyphs == 4) return 4;
    if (!IsEnabled() && FNumGlyphs >= 2) return 2;
    return 1;
}

void TspSkinSpeedButton::CreateButtonImage(TBitmap* B, const TRect& R, bool ADown, bool AMouseIn)
{
    CreateSkinControlImage(B, FElement.Picture, R);
    TCanvas* c = B->GetCanvas();
    TColor color = !IsEnabled() ? FFace.DisabledFontColor
                                : (ADown && AMouseIn ? FFace.DownFontColor
                                                     : (AMouseIn ? FFace.ActiveFontColor : FFace.Font.Color));
    ApplySkinFont(c, FFace.Font, color);
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
    TspGraphicSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* c = B->GetCanvas();
    const TRect r(0, 0, GetWidth(), GetHeight());
    const bool down = FDown && (FMouseIn || FGroupIndex != 0);
    c->GetBrush()->SetStyle(bsSolid);
    Sputils::DrawPlainFace(c, r, LookState(down, FMouseIn));
    c->GetFont()->Assign(FDefaultFont.get());
    if (!IsEnabled()) c->GetFont()->SetColor(clBtnShadow);
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
            TspGraphicSkinCustomControl::Paint();
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

void TspSkinSpeedButton::StartMorph()
{
    if (FMorphTimer) return;
    FMorphTimer = std::make_unique<TTimer>(nullptr);
    FMorphTimer->SetInterval(20);
    FMorphTimer->OnTimer = [this](TObject*) { DoMorph(); };
    FMorphTimer->SetEnabled(true);
}

void TspSkinSpeedButton::StopMorph() { Skinctrls::DropTimer(FMorphTimer); }

void TspSkinSpeedButton::DoMorph()
{
    if (!Skinned() || !FFace.Morphing) {
        FMorphKf = FMouseIn ? 1 : 0;
        StopMorph();
        return;
    }
    if (FMouseIn && FMorphKf < 1)
        FMorphKf += 0.2;
    else if (!FMouseIn && FMorphKf > 0)
        FMorphKf -= 0.2;
    else {
        FMorphKf = FMouseIn ? 1 : 0;
        StopMorph();
    }
    Repaint();
}

void TspSkinSpeedButton::ChangeSkinData()
{
    StopMorph();
    TspGraphicSkinCustomControl::ChangeSkinData();
    if (FFace.Morphing && Skinned() && FMouseIn) FMorphKf = 1;
}

void TspSkinSpeedButton::CMEnabledChanged(TMessage& Message)
{
    TspGraphicSkinCustomControl::CMEnabledChanged(Message);
    if (FFace.Morphing) {
        StopMorph();
        FMorphKf = 0;
    }
    FMouseIn = false;
    Repaint();
}

void TspSkinSpeedButton::CMTextChanged(TMessage& Message)
{
    TspGraphicSkinCustomControl::CMTextChanged(Message);
    if (Skinned() || IsDesigning() || DrawDefault) Repaint();
}

// ---- click, groups, repeat ----

void TspSkinSpeedButton::ButtonClick()
{
    if (OnClick) OnClick(this);
}

void TspSkinSpeedButton::SetDown(bool Value)
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

void TspSkinSpeedButton::DoAllUp()
{
    TWinControl* p = GetParent();
    if (!p) return;
    for (int i = 0; i < p->GetControlCount(); ++i) {
        auto* b = dynamic_cast<TspSkinSpeedButton*>(p->GetControl(i));
        if (b && b != this && b->FGroupIndex == FGroupIndex && b->FDown) b->SetDown(false);
    }
}

void TspSkinSpeedButton::StartRepeat()
{
    Skinctrls::DropTimer(FRepeatTimer);
    FRepeatTimer = std::make_unique<TTimer>(nullptr);
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetInterval(RepeatInterval > 0 ? RepeatInterval : 1);
    FRepeatTimer->OnTimer = [this](TObject*) { ButtonClick(); };
    FRepeatTimer->SetEnabled(true);
}

void TspSkinSpeedButton::StopRepeat() { Skinctrls::DropTimer(FRepeatTimer); }

// ---- mouse ----

void TspSkinSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    TspGraphicSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!*alive || Button != mbLeft) return;
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

void TspSkinSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    if (Button == mbLeft) {
        if (FGroupIndex == 0) {
            if (FMouseIn) {
                SetDown(false);
                if (RepeatMode) StopRepeat();
                ButtonClick();
            } else {
                FDown = false;
                if (FRepeatTimer) StopRepeat();
            }
        } else if (FDown && AllowAllUp && FDownAtPress && FMouseIn) {
            SetDown(false);
            ButtonClick();
        }
    }
    if (*alive) TspGraphicSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TspSkinSpeedButton::CMMouseEnter(TMessage& Message)
{
    TspGraphicSkinCustomControl::CMMouseEnter(Message);
    if (IsDesigning()) return;
    FMouseIn = true;
    if (FGroupIndex == 0 || !FDown) {
        if (FDown) {
            if (FFace.Morphing) FMorphKf = 1;
            Repaint();
        } else {
            ReDrawControl();
        }
    }
    if (FDown && RepeatMode && FGroupIndex == 0) StartRepeat();
}

void TspSkinSpeedButton::CMMouseLeave(TMessage& Message)
{
    TspGraphicSkinCustomControl::CMMouseLeave(Message);
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

void TspSkinSpeedButton::SetLayout(TspButtonLayout Value)
{
    if (FLayout == Value) return;
    FLayout = Value;
    Repaint();
}

void TspSkinSpeedButton::SetSpacing(int Value)
{
    if (FSpacing == Value) return;
    FSpacing = Value;
    Repaint();
}

void TspSkinSpeedButton::SetMargin(int Value)
{
    if (Value == FMargin || Value < -1) return;
    FMargin = Value;
    Repaint();
}

void TspSkinSpeedButton::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    FGlyphFromAction = false;
    Repaint();
}

void TspSkinSpeedButton::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TspGraphicSkinCustomControl::ActionChange(Sender, CheckDefaults);
    if (auto* a = dynamic_cast<TCustomAction*>(Sender)) ActionImageChange(a->GetImageIndex());
}

TControlActionLink* TspSkinSpeedButton::CreateActionLink()
{
    return new TspActionLink(this, [this](int Index) { ActionImageChange(Index); }, nullptr);
}

void TspSkinSpeedButton::ActionImageChange(int Index)
{
    Skinctrls::FollowActionImage(GetAction(), Index, FGlyph.get(), FGlyphFromAction);
    Repaint();
}

void TspSkinSpeedButton::SetImageIndex(int Value)
{
    FImageIndex = Value;
    if (dynamic_cast<TspSkinToolBar*>(GetParent())) Repaint();
}

void TspSkinSpeedButton::SetNumGlyphs(int Value)
{
    FNumGlyphs = Value < 1 ? 1 : (Value > 4 ? 4 : Value);
    Repaint();
}
