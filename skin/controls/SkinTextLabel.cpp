#include "SkinTextLabel.h"
#include "SkinData.h"

TspSkinTextLabel::TspSkinTextLabel(TComponent* AOwner)
    : TGraphicControl(AOwner), FDefaultFont(std::make_unique<TFont>()), FLines(std::make_unique<TStringList>())
{
    FControlStyle |= csReplicatable;
    FControlStyle &= ~csOpaque;
    FWidth = 65;
    FHeight = 65;
    // Lines edited in place size and repaint the label as SetLines does.
    FLines->OnChange = [this](TObject*) {
        if (FAutoSize) AdjustBounds();
        Invalidate();
    };
}

TspSkinTextLabel::~TspSkinTextLabel() { FLines->OnChange = nullptr; }

void TspSkinTextLabel::SetSkinData(TspSkinData* Value)
{
    FSD.Set(Value);
    if (FSD) ChangeSkinData();
}

void TspSkinTextLabel::ChangeSkinData()
{
    FIndex = FLook.Lookup(FSD, SkinDataName);
    if (FAutoSize) AdjustBounds();
    Repaint();
}

void TspSkinTextLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (FSD.Removed(AComponent, Operation)) FIndex = -1;
}

void TspSkinTextLabel::SetLines(TStrings* Value)
{
    FLines->Assign(Value);
    if (FAutoSize) AdjustBounds();
    Repaint();
}

std::string TspSkinTextLabel::GetLabelText() const
{
    std::string s;
    for (int i = 0; i < FLines->Count(); ++i) s += FLines->Get(i) + "\r\n";
    return s;
}

void TspSkinTextLabel::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TspSkinTextLabel::SetLayout(TTextLayout Value)
{
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TspSkinTextLabel::SetAutoSize(bool Value)
{
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    AdjustBounds();
}

void TspSkinTextLabel::SetWordWrap(bool Value)
{
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TspSkinTextLabel::CMFontChanged(TMessage& Message)
{
    TGraphicControl::CMFontChanged(Message);
    AdjustBounds();
    Invalidate();
}

void TspSkinTextLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TspSkinTextLabel::DoDrawText(TCanvas* C, TRect& R, UINT Flags)
{
    FIndex = FLook.Lookup(FSD, SkinDataName);
    const std::string text = GetLabelText();
    TFont* f = C->GetFont();
    if (FIndex == -1) {
        f->Assign(UseSkinFont ? FDefaultFont.get() : GetFont());
    } else {
        if (UseSkinFont)
            FLook.ApplyTo(f);
        else
            f->Assign(GetFont());
        f->SetColor(FLook.Font.Color);
    }
    C->GetBrush()->SetStyle(bsClear);
    if (!GetEnabled() && !(Flags & DT_CALCRECT)) {
        TRect r = R;
        r.Offset(1, 1);
        f->SetColor(clBtnHighlight);
        C->DrawText(text, r, Flags);
        f->SetColor(clBtnShadow);
    }
    C->DrawText(text, R, Flags);
}

void TspSkinTextLabel::Paint()
{
    TCanvas* c = GetCanvas();
    c->GetBrush()->SetStyle(bsClear);
    TRect r = GetClientRect();
    UINT flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0);
    flags |= FAlignment == taRightJustify ? DT_RIGHT : (FAlignment == taCenter ? DT_CENTER : DT_LEFT);
    if (FLayout != tlTop) {
        TRect m = r;
        DoDrawText(c, m, flags | DT_CALCRECT);
        const int dy = GetHeight() - m.bottom;
        r.Offset(0, FLayout == tlBottom ? dy : dy / 2);
    }
    DoDrawText(c, r, flags);
}

void TspSkinTextLabel::AdjustBounds()
{
    if (IsLoading() || !FAutoSize) return;
    TRect r = GetClientRect();
    TBitmap scratch(1, 1, pf24bit);
    DoDrawText(scratch.GetCanvas(), r, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
    int x = GetLeft();
    if (FAlignment == taRightJustify) x += GetWidth() - r.right;
    SetBounds(x, GetTop(), ClampSide(r.right), ClampSide(r.bottom));
}
