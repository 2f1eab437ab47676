#include "SkinButtonBase.h"
#include "ActnList.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"

template <class TBase>
TspSkinButtonBase<TBase>::TspSkinButtonBase(TComponent* AOwner) : TBase(AOwner), FGlyph(std::make_unique<TBitmap>())
{
}

template <class TBase>
TspSkinButtonBase<TBase>::~TspSkinButtonBase()
{
    Skinctrls::DropTimer(FMorphTimer);
    Skinctrls::DropTimer(FRepeatTimer);
}

template <class TBase>
bool TspSkinButtonBase<TBase>::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return dynamic_cast<const TspDataSkinButtonControl*>(Rec) != nullptr;
}

template <class TBase>
void TspSkinButtonBase<TBase>::GetSkinData()
{
    TBase::GetSkinData();
    if (!this->Skinned()) {
        FFace.Morphing = false;
        return;
    }
    FFace.Read(static_cast<const TspDataSkinButtonControl*>(this->CurrentRecord()));
}

template <class TBase>
void TspSkinButtonBase<TBase>::ChangeSkinData()
{
    StopMorph();
    TBase::ChangeSkinData();
    if (FFace.Morphing && this->Skinned() && MorphGoal()) FMorphKf = 1;
}

template <class TBase>
int TspSkinButtonBase<TBase>::GlyphCell(bool ADown, bool AMouseIn) const
{
    if (ADown && AMouseIn && FNumGlyphs >= 3) return 3;
    if (AMouseIn && FNumGlyphs == 4) return 4;
    if (!this->IsEnabled() && FNumGlyphs >= 2) return 2;
    return 1;
}

template <class TBase>
TCanvas* TspSkinButtonBase<TBase>::PaintSkinLook(TBitmap* B, const TRect& R, bool ADown, bool AMouseIn)
{
    this->CreateSkinControlImage(B, this->FElement.Picture, R);
    TCanvas* c = B->GetCanvas();
    TColor color = !this->IsEnabled() ? FFace.DisabledFontColor
                                      : (ADown && AMouseIn ? FFace.DownFontColor
                                                           : (AMouseIn ? FFace.ActiveFontColor : FFace.Font.Color));
    this->ApplySkinFont(c, FFace.Font, color);
    return c;
}

template <class TBase>
TCanvas* TspSkinButtonBase<TBase>::PaintDefaultLook(TBitmap* B, bool Down, bool Hot)
{
    TBase::CreateControlDefaultImage(B);
    TCanvas* c = B->GetCanvas();
    const TRect r(0, 0, this->GetWidth(), this->GetHeight());
    c->GetBrush()->SetStyle(bsSolid);
    Sputils::DrawPlainFace(c, r, LookState(Down, Hot));
    c->GetFont()->Assign(this->FDefaultFont.get());
    if (!this->IsEnabled()) c->GetFont()->SetColor(clBtnShadow);
    return c;
}

// ---- transition ----

template <class TBase>
void TspSkinButtonBase<TBase>::ReDrawControl()
{
    if (FFace.Morphing && this->Skinned())
        StartMorph();
    else
        this->Repaint();
}

template <class TBase>
void TspSkinButtonBase<TBase>::ShowMouseIn()
{
    if (FDown) {
        if (FFace.Morphing) FMorphKf = 1;
        this->Repaint();
    } else {
        ReDrawControl();
    }
}

template <class TBase>
void TspSkinButtonBase<TBase>::StartMorph()
{
    if (FMorphTimer) return;
    FMorphTimer = std::make_unique<TTimer>(nullptr);
    FMorphTimer->SetInterval(20);
    FMorphTimer->OnTimer = [this](TObject*) { DoMorph(); };
    FMorphTimer->SetEnabled(true);
}

template <class TBase>
void TspSkinButtonBase<TBase>::StopMorph()
{
    Skinctrls::DropTimer(FMorphTimer);
}

template <class TBase>
void TspSkinButtonBase<TBase>::DoMorph()
{
    const bool goalActive = MorphGoal();
    if (!this->Skinned() || !FFace.Morphing) {
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
    this->Repaint();
}

template <class TBase>
void TspSkinButtonBase<TBase>::CMEnabledChanged(TMessage& Message)
{
    TBase::CMEnabledChanged(Message);
    if (FFace.Morphing) {
        StopMorph();
        FMorphKf = 0;
    }
    FMouseIn = false;
    this->Repaint();
}

template <class TBase>
void TspSkinButtonBase<TBase>::CMTextChanged(TMessage& Message)
{
    TBase::CMTextChanged(Message);
    if (this->Skinned() || this->IsDesigning() || this->DrawDefault) this->Repaint();
}

// ---- groups, repeat ----

template <class TBase>
void TspSkinButtonBase<TBase>::SetDown(bool Value)
{
    FDown = Value;
    if (FFace.Morphing) {
        FMorphKf = 1;
        if (Value)
            StopMorph();
        else
            StartMorph();
    }
    this->Repaint();
    if (FGroupIndex != 0 && FDown && !AllowAllUp) DoAllUp();
}

template <class TBase>
void TspSkinButtonBase<TBase>::DoAllUp()
{
    TWinControl* p = this->GetParent();
    if (!p) return;
    for (int i = 0; i < p->GetControlCount(); ++i) {
        auto* b = dynamic_cast<TspSkinButtonBase*>(p->GetControl(i));
        if (b && b != this && b->FGroupIndex == FGroupIndex && b->FDown) b->SetDown(false);
    }
}

template <class TBase>
void TspSkinButtonBase<TBase>::PressDown()
{
    if (!FDown) {
        auto alive = this->FAlive.Watch();
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

template <class TBase>
void TspSkinButtonBase<TBase>::ReleaseUp(bool AnyRepeat)
{
    if (FGroupIndex == 0) {
        if (FMouseIn) {
            SetDown(false);
            if (RepeatMode) StopRepeat();
            ButtonClick();
        } else {
            FDown = false;
            if (RepeatMode || AnyRepeat) StopRepeat();
        }
    } else if (FDown && AllowAllUp && FDownAtPress && FMouseIn) {
        SetDown(false);
        ButtonClick();
    }
}

template <class TBase>
void TspSkinButtonBase<TBase>::StartRepeat()
{
    Skinctrls::DropTimer(FRepeatTimer);
    FRepeatTimer = std::make_unique<TTimer>(nullptr);
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetInterval(RepeatInterval > 0 ? RepeatInterval : 1);
    FRepeatTimer->OnTimer = [this](TObject*) { ButtonClick(); };
    FRepeatTimer->SetEnabled(true);
}

template <class TBase>
void TspSkinButtonBase<TBase>::StopRepeat()
{
    Skinctrls::DropTimer(FRepeatTimer);
}

// ---- setters ----

template <class TBase>
void TspSkinButtonBase<TBase>::SetLayout(TspButtonLayout Value)
{
    if (FLayout == Value) return;
    FLayout = Value;
    this->Repaint();
}

template <class TBase>
void TspSkinButtonBase<TBase>::SetSpacing(int Value)
{
    if (FSpacing == Value) return;
    FSpacing = Value;
    this->Repaint();
}

template <class TBase>
void TspSkinButtonBase<TBase>::SetMargin(int Value)
{
    if (Value == FMargin || Value < -1) return;
    FMargin = Value;
    this->Repaint();
}

template <class TBase>
void TspSkinButtonBase<TBase>::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    FGlyphFromAction = false;
    this->Repaint();
}

template <class TBase>
void TspSkinButtonBase<TBase>::SetNumGlyphs(int Value)
{
    FNumGlyphs = Value < 1 ? 1 : (Value > 4 ? 4 : Value);
    this->Repaint();
}

template <class TBase>
void TspSkinButtonBase<TBase>::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TBase::ActionChange(Sender, CheckDefaults);
    if (auto* a = dynamic_cast<TCustomAction*>(Sender)) ActionImageChange(a->GetImageIndex());
}

template <class TBase>
TControlActionLink* TspSkinButtonBase<TBase>::CreateActionLink()
{
    return new TspActionLink(this, [this](int Index) { ActionImageChange(Index); }, nullptr);
}

template <class TBase>
void TspSkinButtonBase<TBase>::ActionImageChange(int Index)
{
    Skinctrls::FollowActionImage(this->GetAction(), Index, FGlyph.get(), FGlyphFromAction);
    this->Repaint();
}

template class TspSkinButtonBase<TspSkinCustomControl>;
template class TspSkinButtonBase<TspGraphicSkinCustomControl>;
