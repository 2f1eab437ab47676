#include "GraphicSkinControl.h"
#include "EffectBmp.h"
#include "SkinControls.h"
#include "SkinData.h"
#include "SkinParentImage.h"

// ---- TspGraphicSkinControl ----

TspGraphicSkinControl::TspGraphicSkinControl(TComponent* AOwner) : TGraphicControl(AOwner) {}

TspGraphicSkinControl::~TspGraphicSkinControl() = default;

void TspGraphicSkinControl::SetSkinData(TspSkinData* Value)
{
    if (FSD != Value) {
        if (FSD) FSD->RemoveFreeNotification(this);
        FSD = Value;
        if (FSD) FSD->FreeNotification(this);
    }
    if (FSD && !FSD->Empty && !IsDesigning()) ChangeSkinData();
}

void TspGraphicSkinControl::SetAlphaBlend(bool Value)
{
    FAlphaBlend = Value;
    Repaint();
}

void TspGraphicSkinControl::SetAlphaBlendValue(BYTE Value)
{
    FAlphaBlendValue = Value;
    Repaint();
}

void TspGraphicSkinControl::GetSkinData()
{
    FIndex = FSD ? FSD->FindControlElement(SkinDataName) : -1;
}

TspDataSkinControl* TspGraphicSkinControl::CurrentRecord() const
{
    return FSD ? FSD->ControlRecord(FIndex) : nullptr;
}

void TspGraphicSkinControl::ApplySkinCursor()
{
    if (!UseSkinCursor) return;
    if (FSkinCursorIndex == -1 || !FSD)
        SetCursor(crDefault);
    else
        SetCursor(static_cast<TCursor>(FSD->StartCursorIndex + FSkinCursorIndex));
}

void TspGraphicSkinControl::ChangeSkinData()
{
    GetSkinData();
    ApplySkinCursor();
    Repaint();
}

void TspGraphicSkinControl::BeforeChangeSkinData() { FIndex = -1; }

void TspGraphicSkinControl::Paint()
{
    const int w = GetWidth(), h = GetHeight();
    if (w <= 0 || h <= 0) return;
    GetSkinData();
    TBitmap b(w, h, pf24bit);
    if (Skinned())
        CreateControlSkinImage(&b);
    else if (DrawDefault)
        CreateControlDefaultImage(&b);
    else
        Sputils::GetParentImage2(this, b.GetCanvas());
    PresentImage(&b);
}

void TspGraphicSkinControl::PresentImage(TBitmap* B)
{
    if (!FAlphaBlend) {
        GetCanvas()->Draw(0, 0, B);
        return;
    }
    TBitmap back(GetWidth(), GetHeight(), pf24bit);
    Sputils::GetParentImage2(this, back.GetCanvas());
    TspEffectBmp front(B), under(&back);
    front.Morph(&under, 1.0 - FAlphaBlendValue / 255.0);
    front.Draw(GetCanvas()->GetHandle(), 0, 0);
}

void TspGraphicSkinControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSD) {
        FSD = nullptr;
        FIndex = -1;
    }
}

void TspGraphicSkinControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND: Message.Result = 1; break;   // the control paints every pixel
    case WM_MOVE:
        TGraphicControl::Dispatch(Message);
        if (FAlphaBlend) Repaint();
        break;
    default: TGraphicControl::Dispatch(Message); break;
    }
}

void TspGraphicSkinControl::CMMouseEnter(TMessage& Message)
{
    TGraphicControl::CMMouseEnter(Message);
    if (!IsDesigning() && OnMouseEnter) OnMouseEnter(this);
}

void TspGraphicSkinControl::CMMouseLeave(TMessage& Message)
{
    TGraphicControl::CMMouseLeave(Message);
    if (!IsDesigning() && OnMouseLeave) OnMouseLeave(this);
}

// ---- TspGraphicSkinCustomControl ----

TspGraphicSkinCustomControl::TspGraphicSkinCustomControl(TComponent* AOwner)
    : TspGraphicSkinControl(AOwner), FDefaultFont(std::make_unique<TFont>())
{
    FDefaultFont->OnChange = [this](TObject* Sender) { OnDefaultFontChange(Sender); };
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetStyle(0);
    FDefaultFont->SetHeight(14);
}

TspGraphicSkinCustomControl::~TspGraphicSkinCustomControl() { FDefaultFont->OnChange = nullptr; }

bool TspGraphicSkinCustomControl::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return dynamic_cast<const TspDataSkinCustomControl*>(Rec) != nullptr;
}

void TspGraphicSkinCustomControl::GetSkinData()
{
    TspGraphicSkinControl::GetSkinData();
    TspDataSkinControl* rec = CurrentRecord();
    const auto* custom = dynamic_cast<const TspDataSkinCustomControl*>(rec);
    if (!rec || !custom || !AcceptsRecord(rec) || !FElement.Read(custom, FSD, false)) {
        FIndex = -1;
        FElement.Clear();
        return;
    }
    FSkinCursorIndex = FElement.CursorIndex;
    // Every paint looks the record up again: the moved points must match the size
    // the control has now, not the element's own.
    int w = GetWidth(), h = GetHeight();
    FElement.CalcSize(w, h);
}

void TspGraphicSkinCustomControl::CalcSize(int& W, int& H)
{
    if (Skinned()) FElement.CalcSize(W, H);
}

void TspGraphicSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    GetSkinData();
    const bool fit = Skinned() && (AWidth != GetWidth() || AHeight != GetHeight());
    if (fit) {
        CalcSize(AWidth, AHeight);
        // Whatever a descendant adds to the fitted size, a skin never makes it unbounded.
        AWidth = ClampSide(AWidth);
        AHeight = ClampSide(AHeight);
    }
    TspGraphicSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (fit) Repaint();
}

void TspGraphicSkinCustomControl::ChangeSkinData()
{
    GetSkinData();
    ApplySkinCursor();
    bool sizeChanged = false;
    if (Skinned()) {
        int w = GetWidth(), h = GetHeight();
        CalcSize(w, h);
        sizeChanged = w != GetWidth() || h != GetHeight();
        if (w != GetWidth()) SetWidth(w);
        if (h != GetHeight()) SetHeight(h);
    } else {
        if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
    }
    if (!(Skinned() && sizeChanged)) Repaint();
}

void TspGraphicSkinCustomControl::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->GetCanvas();
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
}

void TspGraphicSkinCustomControl::CreateControlSkinImage(TBitmap* B)
{
    CreateSkinControlImage(B, FElement.Picture, FElement.SkinRect);
}

void TspGraphicSkinCustomControl::CreateSkinControlImage(TBitmap* B, TBitmap* Picture, const TRect& R)
{
    // A record without a usable picture or rectangle: the plain face, never
    // an uncomposed (black) bitmap.
    if (!Picture || !FElement.Compose(B, Picture, R, GetWidth(), GetHeight())) {
        CreateControlDefaultImage(B);
        return;
    }
}

void TspGraphicSkinCustomControl::ApplySkinFont(TCanvas* C, const TspSkinFontFields& Font, TColor Color)
{
    TFont* f = C->GetFont();
    if (UseSkinFont && Skinned()) {
        ApplySkinFontFields(f, Font);
        f->SetCharset(FDefaultFont->GetCharset());
    } else {
        f->Assign(FDefaultFont.get());
    }
    f->SetColor(Color);
}

void TspGraphicSkinCustomControl::OnDefaultFontChange(TObject*)
{
    DefaultFontChange();
    if (!Skinned()) Repaint();
}

void TspGraphicSkinCustomControl::SetDefaultWidth(int Value)
{
    FDefaultWidth = Value;
    if (!Skinned() && Value > 0) SetWidth(Value);
}

void TspGraphicSkinCustomControl::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (!Skinned() && Value > 0) SetHeight(Value);
}
