#include "SkinControlBase.h"
#include "EffectBmp.h"
#include "GraphicSkinControl.h"
#include "SkinControl.h"
#include "SkinControls.h"
#include "SkinData.h"
#include "SkinParentImage.h"
#include <type_traits>

template <class TBase>
void TspSkinControlOf<TBase>::SetSkinData(TspSkinData* Value)
{
    FSD.Set(Value);
    if (FSD && !FSD->Empty && !this->IsDesigning()) ChangeSkinData();
}

template <class TBase>
void TspSkinControlOf<TBase>::SetAlphaBlend(bool Value)
{
    FAlphaBlend = Value;
    this->Repaint();
}

template <class TBase>
void TspSkinControlOf<TBase>::SetAlphaBlendValue(BYTE Value)
{
    FAlphaBlendValue = Value;
    this->Repaint();
}

template <class TBase>
void TspSkinControlOf<TBase>::GetSkinData()
{
    FIndex = FSD ? FSD->FindControlElement(FSkinDataName) : -1;
}

template <class TBase>
TspDataSkinControl* TspSkinControlOf<TBase>::CurrentRecord() const
{
    return FSD ? FSD->ControlRecord(FIndex) : nullptr;
}

template <class TBase>
void TspSkinControlOf<TBase>::ApplySkinCursor()
{
    if (!UseSkinCursor) return;
    if (FSkinCursorIndex == -1 || !FSD)
        this->SetCursor(crDefault);
    else
        this->SetCursor(static_cast<TCursor>(FSD->StartCursorIndex + FSkinCursorIndex));
}

template <class TBase>
void TspSkinControlOf<TBase>::ChangeSkinData()
{
    GetSkinData();
    ApplySkinCursor();
    this->Repaint();
}

template <class TBase>
void TspSkinControlOf<TBase>::Paint()
{
    const int w = this->GetWidth(), h = this->GetHeight();
    if (w <= 0 || h <= 0) return;
    GetSkinData();
    TBitmap b(w, h, pf24bit);
    if (Skinned())
        CreateControlSkinImage(&b);
    else if (DrawDefault)
        CreateControlDefaultImage(&b);
    else
        DrawParentImage(b.GetCanvas());   // nothing of its own: show what lies behind
    PresentImage(&b);
}

template <class TBase>
void TspSkinControlOf<TBase>::PresentImage(TBitmap* B)
{
    if (!FAlphaBlend) {
        this->GetCanvas()->Draw(0, 0, B);
        return;
    }
    TBitmap back(this->GetWidth(), this->GetHeight(), pf24bit);
    DrawParentImage(back.GetCanvas());
    TspEffectBmp front(B), under(&back);
    front.Morph(&under, 1.0 - FAlphaBlendValue / 255.0);
    front.Draw(this->GetCanvas()->GetHandle(), 0, 0);
}

template <class TBase>
void TspSkinControlOf<TBase>::DrawParentImage(TCanvas* Dest)
{
    if constexpr (std::is_base_of_v<TWinControl, TBase>)
        Sputils::GetParentImage(this, Dest);
    else
        Sputils::GetParentImage2(this, Dest);
}

template <class TBase>
void TspSkinControlOf<TBase>::Notification(TComponent* AComponent, TOperation Operation)
{
    TBase::Notification(AComponent, Operation);
    if (FSD.Removed(AComponent, Operation)) FIndex = -1;
}

template <class TBase>
void TspSkinControlOf<TBase>::CMMouseEnter(TMessage& Message)
{
    TBase::CMMouseEnter(Message);
    if (!this->IsDesigning() && OnMouseEnter) OnMouseEnter(this);
}

template <class TBase>
void TspSkinControlOf<TBase>::CMMouseLeave(TMessage& Message)
{
    TBase::CMMouseLeave(Message);
    if (!this->IsDesigning() && OnMouseLeave) OnMouseLeave(this);
}

// ---- the resizable element ----

template <class TSkinBase>
TspSkinCustomControlOf<TSkinBase>::TspSkinCustomControlOf(TComponent* AOwner)
    : TSkinBase(AOwner), FDefaultFont(std::make_unique<TFont>())
{
    FDefaultFont->OnChange = [this](TObject* Sender) { OnDefaultFontChange(Sender); };
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetStyle(0);
    FDefaultFont->SetHeight(14);
}

template <class TSkinBase>
TspSkinCustomControlOf<TSkinBase>::~TspSkinCustomControlOf()
{
    FDefaultFont->OnChange = nullptr;
}

template <class TSkinBase>
bool TspSkinCustomControlOf<TSkinBase>::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return dynamic_cast<const TspDataSkinCustomControl*>(Rec) != nullptr;
}

template <class TSkinBase>
void TspSkinCustomControlOf<TSkinBase>::GetSkinData()
{
    TSkinBase::GetSkinData();
    TspDataSkinControl* rec = this->CurrentRecord();
    const auto* custom = dynamic_cast<const TspDataSkinCustomControl*>(rec);
    // A record of the wrong kind, or with geometry no control can have, is no
    // skin for this control: it keeps its plain look rather than an empty one,
    // and nothing of an earlier skin stays in use.
    if (!rec || !custom || !AcceptsRecord(rec) || !FElement.Read(custom, this->FSD, HasWindow)) {
        this->FIndex = -1;
        FElement.Clear();
        return;
    }
    this->FSkinCursorIndex = FElement.CursorIndex;
    // Every paint looks the record up again: the moved points must match the size
    // the control has now, not the element's own.
    int w = this->GetWidth(), h = this->GetHeight();
    FElement.CalcSize(w, h);
}

template <class TSkinBase>
void TspSkinCustomControlOf<TSkinBase>::CalcSize(int& W, int& H)
{
    if (this->Skinned()) FElement.CalcSize(W, H);
}

template <class TSkinBase>
void TspSkinCustomControlOf<TSkinBase>::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    GetSkinData();
    const bool fit = this->Skinned() && (AWidth != this->GetWidth() || AHeight != this->GetHeight());
    if (fit) {
        CalcSize(AWidth, AHeight);
        // Whatever a descendant adds to the fitted size, a skin never makes it unbounded.
        AWidth = ClampSide(AWidth);
        AHeight = ClampSide(AHeight);
    }
    TSkinBase::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (fit) {
        SetControlRegion();
        this->Repaint();
    }
}

template <class TSkinBase>
void TspSkinCustomControlOf<TSkinBase>::ChangeSkinData()
{
    GetSkinData();
    this->ApplySkinCursor();
    bool sizeChanged = false;
    if (this->Skinned()) {
        int w = this->GetWidth(), h = this->GetHeight();
        CalcSize(w, h);
        sizeChanged = w != this->GetWidth() || h != this->GetHeight();
        if (w != this->GetWidth()) this->SetWidth(w);
        if (h != this->GetHeight()) this->SetHeight(h);
    } else {
        if (FDefaultWidth > 0) this->SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0) this->SetHeight(FDefaultHeight);
    }
    if (!(this->Skinned() && sizeChanged)) {
        SetControlRegion();
        this->Repaint();
    }
}

template <class TSkinBase>
void TspSkinCustomControlOf<TSkinBase>::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->GetCanvas();
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, this->GetWidth(), this->GetHeight()));
}

template <class TSkinBase>
void TspSkinCustomControlOf<TSkinBase>::CreateControlSkinImage(TBitmap* B)
{
    CreateSkinControlImage(B, FElement.Picture, FElement.SkinRect);
}

template <class TSkinBase>
void TspSkinCustomControlOf<TSkinBase>::CreateSkinControlImage(TBitmap* B, TBitmap* Picture, const TRect& R)
{
    // A record without a usable picture or rectangle: the plain face, never
    // an uncomposed (black) bitmap.
    if (!Picture || !FElement.Compose(B, Picture, R, this->GetWidth(), this->GetHeight())) {
        CreateControlDefaultImage(B);
        return;
    }
}

template <class TSkinBase>
void TspSkinCustomControlOf<TSkinBase>::ApplySkinFont(TCanvas* C, const TspSkinFontFields& Font, TColor Color)
{
    TFont* f = C->GetFont();
    if (UseSkinFont && this->Skinned()) {
        ApplySkinFontFields(f, Font);
        f->SetCharset(FDefaultFont->GetCharset());
    } else {
        f->Assign(FDefaultFont.get());
    }
    f->SetColor(Color);
}

template <class TSkinBase>
void TspSkinCustomControlOf<TSkinBase>::SetDefaultFont(TFont* Value)
{
    FDefaultFont->Assign(Value);
}

template <class TSkinBase>
void TspSkinCustomControlOf<TSkinBase>::OnDefaultFontChange(TObject*)
{
    DefaultFontChange();
    if (!this->Skinned()) this->Repaint();
}

template <class TSkinBase>
void TspSkinCustomControlOf<TSkinBase>::SetDefaultWidth(int Value)
{
    FDefaultWidth = Value;
    if (!this->Skinned() && Value > 0) this->SetWidth(Value);
}

template <class TSkinBase>
void TspSkinCustomControlOf<TSkinBase>::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (!this->Skinned() && Value > 0) this->SetHeight(Value);
}

template class TspSkinControlOf<TCustomControl>;
template class TspSkinControlOf<TGraphicControl>;
template class TspSkinCustomControlOf<TspSkinControl>;
template class TspSkinCustomControlOf<TspGraphicSkinControl>;
