#include "SkinControl.h"
#include "EffectBmp.h"
#include "GdiHandles.h"
#include "SkinControls.h"
#include "SkinData.h"
#include "SkinParentImage.h"

// ---- TspSkinControl ----

TspSkinControl::TspSkinControl(TComponent* AOwner) : TCustomControl(AOwner) {}

TspSkinControl::~TspSkinControl() = default;

void TspSkinControl::SetSkinData(TspSkinData* Value)
{
    if (FSD == Value) {
        if (Value && !Value->Empty && !IsDesigning()) ChangeSkinData();
        return;
    }
    if (FSD) FSD->RemoveFreeNotification(this);
    FSD = Value;
    if (FSD) FSD->FreeNotification(this);
    if (FSD && !FSD->Empty && !IsDesigning()) ChangeSkinData();
}

void TspSkinControl::SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }

void TspSkinControl::SetAlphaBlend(bool Value)
{
    FAlphaBlend = Value;
    Repaint();
}

void TspSkinControl::SetAlphaBlendValue(BYTE Value)
{
    FAlphaBlendValue = Value;
    Repaint();
}

void TspSkinControl::GetSkinData()
{
    FIndex = FSD ? FSD->FindControlElement(FSkinDataName) : -1;
}

TspDataSkinControl* TspSkinControl::CurrentRecord() const
{
    return FSD ? FSD->ControlRecord(FIndex) : nullptr;
}

void TspSkinControl::ApplySkinCursor()
{
    if (!UseSkinCursor) return;
    if (FSkinCursorIndex == -1 || !FSD)
        SetCursor(crDefault);
    else
        SetCursor(static_cast<TCursor>(FSD->StartCursorIndex + FSkinCursorIndex));
}

void TspSkinControl::ChangeSkinData()
{
    GetSkinData();
    ApplySkinCursor();
    Repaint();
}

void TspSkinControl::BeforeChangeSkinData() { FIndex = -1; }

void TspSkinControl::Paint()
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
        Sputils::GetParentImage(this, b.GetCanvas());   // nothing of its own: show what lies behind
    PresentImage(&b);
}

void TspSkinControl::PresentImage(TBitmap* B)
{
    if (!FAlphaBlend) {
        GetCanvas()->Draw(0, 0, B);
        return;
    }
    TBitmap back(GetWidth(), GetHeight(), pf24bit);
    Sputils::GetParentImage(this, back.GetCanvas());
    TspEffectBmp front(B), under(&back);
    front.Morph(&under, 1.0 - FAlphaBlendValue / 255.0);
    front.Draw(GetCanvas()->GetHandle(), 0, 0);
}

void TspSkinControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSD) {
        FSD = nullptr;
        FIndex = -1;
    }
}

void TspSkinControl::WMEraseBkgnd(TMessage& Message)
{
    // Every pixel is painted by Paint: erasing first would only flicker.
    Message.Result = 1;
}

void TspSkinControl::WMMove(TMessage& Message)
{
    TCustomControl::WMMove(Message);
    if (FAlphaBlend) Repaint();   // the parent image under the control changed
}

void TspSkinControl::CMMouseEnter(TMessage& Message)
{
    TCustomControl::CMMouseEnter(Message);
    if (!IsDesigning() && OnMouseEnter) OnMouseEnter(this);
}

void TspSkinControl::CMMouseLeave(TMessage& Message)
{
    TCustomControl::CMMouseLeave(Message);
    if (!IsDesigning() && OnMouseLeave) OnMouseLeave(this);
}

// ---- TspSkinCustomControl ----

TspSkinCustomControl::TspSkinCustomControl(TComponent* AOwner)
    : TspSkinControl(AOwner), FDefaultFont(std::make_unique<TFont>())
{
    FDefaultFont->OnChange = [this](TObject* Sender) { OnDefaultFontChange(Sender); };
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetStyle(0);
    FDefaultFont->SetHeight(14);
}

TspSkinCustomControl::~TspSkinCustomControl()
{
    FDefaultFont->OnChange = nullptr;
}

bool TspSkinCustomControl::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return dynamic_cast<const TspDataSkinCustomControl*>(Rec) != nullptr;
}

void TspSkinCustomControl::GetSkinData()
{
    TspSkinControl::GetSkinData();
    TspDataSkinControl* rec = CurrentRecord();
    const auto* custom = dynamic_cast<const TspDataSkinCustomControl*>(rec);
    // A record of the wrong kind, or with geometry no control can have, is no
    // skin for this control: it keeps its plain look rather than an empty one,
    // and nothing of an earlier skin stays in use.
    if (!rec || !custom || !AcceptsRecord(rec) || !FElement.Read(custom, FSD, true)) {
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

void TspSkinCustomControl::CalcSize(int& W, int& H)
{
    if (Skinned()) FElement.CalcSize(W, H);
}

void TspSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    GetSkinData();
    const bool fit = Skinned() && (AWidth != GetWidth() || AHeight != GetHeight());
    if (fit) {
        CalcSize(AWidth, AHeight);
        // Whatever a descendant adds to the fitted size, a skin never makes it unbounded.
        AWidth = ClampSide(AWidth);
        AHeight = ClampSide(AHeight);
    }
    TspSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (fit) {
        SetControlRegion();
        Repaint();
    }
}

void TspSkinCustomControl::ChangeSkinData()
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
    if (!(Skinned() && sizeChanged)) {
        SetControlRegion();
        Repaint();
    }
}

void TspSkinCustomControl::SetControlRegion()
{
    if (!FElement.Mask || !Skinned()) {
        if (FRgn) {
            // Removing the region releases it: the window owned it.
            if (HandleAllocated()) SetWindowRgn(GetWindowHandle(), nullptr, TRUE);
            FRgn = nullptr;
        }
        return;
    }
    if (!HandleAllocated()) return;   // CreateWnd sets it once the window exists
    HRGN rgn = FElement.CreateRegion(GetWidth(), GetHeight());
    if (!rgn) return;
    // The window owns it from now on and frees the one it replaced.
    if (GiveWindowRegion(GetWindowHandle(), rgn)) FRgn = rgn;
}

void TspSkinCustomControl::CreateWnd()
{
    TspSkinControl::CreateWnd();
    FRgn = nullptr;
    GetSkinData();
    if (Skinned()) SetControlRegion();
}

void TspSkinCustomControl::DestroyWnd()
{
    FRgn = nullptr;   // it goes with the window
    TspSkinControl::DestroyWnd();
}

void TspSkinCustomControl::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->GetCanvas();
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
}

void TspSkinCustomControl::CreateControlSkinImage(TBitmap* B)
{
    CreateSkinControlImage(B, FElement.Picture, FElement.SkinRect);
}

void TspSkinCustomControl::CreateSkinControlImage(TBitmap* B, TBitmap* Picture, const TRect& R)
{
    // A record without a usable picture or rectangle: the plain face, never
    // an uncomposed (black) bitmap.
    if (!Picture || !FElement.Compose(B, Picture, R, GetWidth(), GetHeight())) {
        CreateControlDefaultImage(B);
        return;
    }
}

void TspSkinCustomControl::ApplySkinFont(TCanvas* C, const std::string& Name, int Height, TFontStyles Style,
                                         TColor Color)
{
    TFont* f = C->GetFont();
    if (UseSkinFont && Skinned()) {
        f->SetName(Name);
        f->SetHeight(ClampFontHeight(Height));
        f->SetStyle(Style);
        f->SetCharset(FDefaultFont->GetCharset());
    } else {
        f->Assign(FDefaultFont.get());
    }
    f->SetColor(Color);
}

void TspSkinCustomControl::SetDefaultFont(TFont* Value)
{
    FDefaultFont->Assign(Value);
}

void TspSkinCustomControl::OnDefaultFontChange(TObject*)
{
    DefaultFontChange();
    if (!Skinned()) Repaint();
}

void TspSkinCustomControl::SetDefaultWidth(int Value)
{
    FDefaultWidth = Value;
    if (!Skinned() && Value > 0) SetWidth(Value);
}

void TspSkinCustomControl::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (!Skinned() && Value > 0) SetHeight(Value);
}
