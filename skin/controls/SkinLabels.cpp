#include "SkinLabels.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"

// ---- TspSkinStdLabel ----

TspSkinStdLabel::TspSkinStdLabel(TComponent* AOwner) : TCustomLabel(AOwner), FDefaultFont(std::make_unique<TFont>())
{
    SetTransparent(true);
}

TspSkinStdLabel::~TspSkinStdLabel() = default;

void TspSkinStdLabel::SetSkinData(TspSkinData* Value)
{
    FSD.Set(Value);
    if (FSD) ChangeSkinData();
}

void TspSkinStdLabel::GetSkinData()
{
    FIndex = FSD ? FSD->FindControlElement(SkinDataName) : -1;
    // Only a std-label record gives this label its look; any other kind (or none) leaves it plain.
    const auto* r = dynamic_cast<const TspDataSkinStdLabelControl*>(FSD ? FSD->ControlRecord(FIndex) : nullptr);
    if (!r) {
        FIndex = -1;
        return;
    }
    FSkinFont = r->Font;
}

void TspSkinStdLabel::ChangeSkinData()
{
    GetSkinData();
    // The skin's font may be larger than the one the label was sized for.
    if (GetAutoSize()) AdjustBounds();
    Repaint();
}

void TspSkinStdLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomLabel::Notification(AComponent, Operation);
    if (FSD.Removed(AComponent, Operation)) FIndex = -1;
}

void TspSkinStdLabel::DoDrawText(TRect& R, UINT Flags)
{
    GetSkinData();
    DrawTextOn(GetCanvas(), R, Flags);
}

void TspSkinStdLabel::AdjustBounds()
{
    if (!GetAutoSize() || IsLoading()) return;
    GetSkinData();
    TRect r = GetClientRect();
    r.bottom = r.top;
    if (!GetWordWrap()) r.right = r.left;
    // Measured in the font the label draws with, which the skin may give it.
    TBitmap scratch(1, 1, pf24bit);
    DrawTextOn(scratch.GetCanvas(), r, DrawTextFlags() | DT_CALCRECT);
    int x = GetLeft();
    if (GetAlignment() == taRightJustify)
        x += GetWidth() - r.Width();
    else if (GetAlignment() == taCenter)
        x += (GetWidth() - r.Width()) / 2;
    SetBounds(x, GetTop(), r.Width(), r.Height());
}

void TspSkinStdLabel::DrawTextOn(TCanvas* c, TRect& R, UINT Flags)
{
    std::string text = GetText();
    // Measuring an empty caption keeps one line's height.
    if ((Flags & DT_CALCRECT) && (text.empty() || (GetShowAccelChar() && text == "&"))) text += " ";
    if (!GetShowAccelChar()) Flags |= DT_NOPREFIX;
    TFont* f = c->GetFont();
    if (FIndex == -1) {
        f->Assign(UseSkinFont ? FDefaultFont.get() : GetFont());
    } else {
        if (UseSkinFont) {
            ApplySkinFontFields(f, FSkinFont);
        } else {
            f->Assign(GetFont());
        }
        f->SetColor(FSkinFont.Color);
    }
    c->GetBrush()->SetStyle(bsClear);
    if (!GetEnabled() && !(Flags & DT_CALCRECT)) {
        TRect r = R;
        r.Offset(1, 1);
        f->SetColor(clBtnHighlight);
        c->DrawText(text, r, Flags);
        f->SetColor(clBtnShadow);
    }
    c->DrawText(text, R, Flags);
}

// ---- TspSkinLabel ----

TspSkinLabel::TspSkinLabel(TComponent* AOwner) : TspSkinCustomControl(AOwner)
{
    FSkinDataName = "label";
    SetBounds(GetLeft(), GetTop(), 75, 21);
}

bool TspSkinLabel::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return dynamic_cast<const TspDataSkinLabelControl*>(Rec) != nullptr;
}

void TspSkinLabel::GetSkinData()
{
    TspSkinCustomControl::GetSkinData();
    if (!Skinned()) return;
    const auto* r = static_cast<const TspDataSkinLabelControl*>(CurrentRecord());
    FSkinFont = r->Font;
    if (FElement.ResizeMode == rmFixed) FAutoSize = false;   // a fixed element cannot grow
}

void TspSkinLabel::SetTextFont(TCanvas* C)
{
    TFont* f = C->GetFont();
    if (!Skinned()) {
        f->Assign(FDefaultFont.get());
        return;
    }
    ApplySkinFontFields(f, FSkinFont);
    f->SetColor(FSkinFont.Color);
    f->SetCharset(FDefaultFont->GetCharset());
}

void TspSkinLabel::DrawLabelText(TCanvas* C, const TRect& R)
{
    SetTextFont(C);
    const std::string text = GetText();
    const int th = C->TextHeight(text.empty() ? std::string("Wq") : text), tw = C->TextWidth(text);
    const int y = R.top + R.Height() / 2 - th / 2;
    int x = R.left;
    if (FAlignment == taRightJustify)
        x = R.right - tw;
    else if (FAlignment == taCenter)
        x = R.left + R.Width() / 2 - tw / 2;
    C->GetBrush()->SetStyle(bsClear);
    C->TextRect(R, x, y, text);
}

void TspSkinLabel::CreateControlSkinImage(TBitmap* B)
{
    TspSkinCustomControl::CreateControlSkinImage(B);
    DrawLabelText(B->GetCanvas(), FElement.NewClRect);
}

void TspSkinLabel::CreateControlDefaultImage(TBitmap* B)
{
    TspSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* c = B->GetCanvas();
    const TRect all(0, 0, GetWidth(), GetHeight());
    switch (FBorderStyle) {
    case TspSkinBorderStyle::bvFrame:
        c->GetBrush()->SetColor(clBtnShadow);
        c->FrameRect(all);
        break;
    case TspSkinBorderStyle::bvRaised: Sputils::Frm3D(c, all, clBtnHighlight, clBtnShadow); break;
    case TspSkinBorderStyle::bvLowered: Sputils::Frm3D(c, all, clBtnShadow, clBtnHighlight); break;
    default: break;
    }
    DrawLabelText(c, TRect(2, 2, GetWidth() - 2, GetHeight() - 2));
}

int TspSkinLabel::CalcWidthOffset()
{
    TBitmap scratch(1, 1, pf24bit);
    TCanvas* c = scratch.GetCanvas();
    if (!Skinned()) {
        c->GetFont()->Assign(FDefaultFont.get());
        return c->TextWidth(GetText()) - GetWidth() + 4;
    }
    if (FElement.ResizeMode < rmEightPoint) return 0;
    if (UseSkinFont) {
        ApplySkinFontFields(c->GetFont(), FSkinFont);
    } else {
        c->GetFont()->Assign(FDefaultFont.get());
    }
    return c->TextWidth(GetText()) - FElement.NewClRect.Width();
}

void TspSkinLabel::CalcSize(int& W, int& H)
{
    TspSkinCustomControl::CalcSize(W, H);
    if (!FAutoSize) return;
    const int d = CalcWidthOffset();
    if (d > 0) W = ClampSide(W + d);
}

void TspSkinLabel::AdjustBounds()
{
    const TAlign a = GetAlign();
    if (a == alTop || a == alBottom || a == alClient) return;
    const int d = CalcWidthOffset();
    if (d != 0) SetWidth(ClampSide(GetWidth() + d));
}

void TspSkinLabel::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    if (Value) AdjustBounds();
}

void TspSkinLabel::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    Repaint();
}

void TspSkinLabel::SetBorderStyle(TspSkinBorderStyle Value)
{
    FBorderStyle = Value;
    if (!Skinned()) Repaint();
}

void TspSkinLabel::CMTextChanged(TMessage& Message)
{
    TspSkinCustomControl::CMTextChanged(Message);
    if (FAutoSize) AdjustBounds();
    Repaint();
}
