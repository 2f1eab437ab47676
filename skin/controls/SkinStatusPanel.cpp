#include "SkinStatusPanel.h"
#include "SkinDrawHelpers.h"

TspSkinStatusPanel::TspSkinStatusPanel(TComponent* AOwner) : TspSkinLabel(AOwner), FGlyph(std::make_unique<TBitmap>())
{
    FSkinDataName = "statuspanel";
    SetWidth(120);
}

TspSkinStatusPanel::~TspSkinStatusPanel() = default;

void TspSkinStatusPanel::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    Repaint();
}

void TspSkinStatusPanel::SetNumGlyphs(int Value)
{
    FNumGlyphs = Value == 2 ? 2 : 1;
    Repaint();
}

void TspSkinStatusPanel::CMEnabledChanged(TMessage& Message)
{
    TspSkinLabel::CMEnabledChanged(Message);
    Repaint();
}

int TspSkinStatusPanel::CellWidth() const
{
    return FGlyph && !FGlyph->Empty() ? FGlyph->GetWidth() / FNumGlyphs : 0;
}

int TspSkinStatusPanel::GlyphRoom() const { return FGlyph && !FGlyph->Empty() ? CellWidth() + 3 : 0; }

int TspSkinStatusPanel::CalcWidthOffset()
{
    TBitmap scratch(1, 1, pf24bit);
    TCanvas* c = scratch.GetCanvas();
    if (!Skinned()) {
        c->GetFont()->Assign(FDefaultFont.get());
        return c->TextWidth(GetText()) + GlyphRoom() - GetWidth() + 4;
    }
    if (FElement.ResizeMode == rmFixed) return 0;
    if (UseSkinFont) {
        ApplySkinFontFields(c->GetFont(), FSkinFont);
    } else {
        c->GetFont()->Assign(FDefaultFont.get());
    }
    return c->TextWidth(GetText()) + GlyphRoom() - FElement.NewClRect.Width();
}

void TspSkinStatusPanel::DrawPanelGlyph(TCanvas* C, int X, int Y)
{
    // A disabled panel shows cell 2, which a one-cell strip does not have: it
    // then shows its only cell rather than reading past the strip.
    const int cell = (!IsEnabled() && FNumGlyphs >= 2) ? 2 : 1;
    Sputils::DrawGlyph(C, X, Y, FGlyph.get(), FNumGlyphs, cell);
}

int TspSkinStatusPanel::TextLeft()
{
    GetSkinData();
    const int w = CellWidth();
    if (!Skinned()) return 3 + (w ? w + 2 : 0);
    return FElement.NewClRect.left + (w ? w + 2 : 0);
}

void TspSkinStatusPanel::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->GetCanvas();
    const TRect all(0, 0, GetWidth(), GetHeight());
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(clBtnFace);
    c->FillRect(all);
    switch (FBorderStyle) {
    case TspSkinBorderStyle::bvFrame: Sputils::Frm3D(c, all, clBtnShadow, clBtnShadow); break;
    case TspSkinBorderStyle::bvRaised: Sputils::Frm3D(c, all, clBtnHighlight, clBtnShadow); break;
    case TspSkinBorderStyle::bvLowered: Sputils::Frm3D(c, all, clBtnShadow, clBtnHighlight); break;
    default: break;
    }
    TRect r(3, 3, GetWidth() - 3, GetHeight() - 3);
    if (!FGlyph->Empty()) {
        DrawPanelGlyph(c, 3, B->GetHeight() / 2 - FGlyph->GetHeight() / 2);
        r.left += CellWidth() + 2;
    }
    DrawLabelText(c, r);
}

void TspSkinStatusPanel::CreateControlSkinImage(TBitmap* B)
{
    TspSkinCustomControl::CreateControlSkinImage(B);
    TCanvas* c = B->GetCanvas();
    TRect r = FElement.NewClRect;
    if (!FGlyph->Empty()) {
        DrawPanelGlyph(c, r.left, r.top + r.Height() / 2 - FGlyph->GetHeight() / 2);
        r.left += CellWidth() + 2;
    }
    DrawLabelText(c, r);
}
