#include "SkinButtonLabel.h"
#include "AliveToken.h"
#include "SkinData.h"

TspSkinButtonLabel::TspSkinButtonLabel(TComponent* AOwner)
    : TGraphicControl(AOwner), FDefaultFont(std::make_unique<TFont>()), FGlyph(std::make_unique<TBitmap>())
{
    FControlStyle |= csSetCaption;
    FControlStyle &= ~csOpaque;
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->SetStyle(0);
    FWidth = 100;
    FHeight = 50;
}

TspSkinButtonLabel::~TspSkinButtonLabel() = default;

void TspSkinButtonLabel::SetSkinData(TspSkinData* Value)
{
    FSD.Set(Value);
    if (FSD) ChangeSkinData();
}

void TspSkinButtonLabel::ChangeSkinData()
{
    FIndex = FLook.Lookup(FSD, SkinDataName);
    Repaint();
}

void TspSkinButtonLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (FSD.Removed(AComponent, Operation)) FIndex = -1;
}

void TspSkinButtonLabel::SetDefaultFont(TFont* Value)
{
    FDefaultFont->Assign(Value);
    Repaint();
}

void TspSkinButtonLabel::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    Repaint();
}

void TspSkinButtonLabel::SetNumGlyphs(int Value)
{
    FNumGlyphs = Value < 1 ? 1 : (Value > 4 ? 4 : Value);
    Repaint();
}

void TspSkinButtonLabel::SetMargin(int Value)
{
    if (Value == FMargin || Value < -1) return;
    FMargin = Value;
    Repaint();
}

void TspSkinButtonLabel::SetSpacing(int Value)
{
    if (Value == FSpacing) return;
    FSpacing = Value;
    Repaint();
}

void TspSkinButtonLabel::SetLayout(TspButtonLayout Value)
{
    if (Value == FLayout) return;
    FLayout = Value;
    Repaint();
}

int TspSkinButtonLabel::GlyphCell() const
{
    if (FDown && FMouseIn && FNumGlyphs >= 3) return 3;
    if (FMouseIn && FNumGlyphs == 4) return 4;
    if (!GetEnabled() && FNumGlyphs >= 2) return 2;
    return 1;
}

void TspSkinButtonLabel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FDown = true;
    Repaint();
    TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TspSkinButtonLabel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FDown = false;
    Repaint();
    TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TspSkinButtonLabel::CMMouseEnter(TMessage& Message)
{
    TGraphicControl::CMMouseEnter(Message);
    if (IsDesigning()) return;
    FMouseIn = true;
    Repaint();
}

void TspSkinButtonLabel::CMMouseLeave(TMessage& Message)
{
    TGraphicControl::CMMouseLeave(Message);
    if (IsDesigning()) return;
    FMouseIn = false;
    Repaint();
}

void TspSkinButtonLabel::Paint()
{
    TCanvas* c = GetCanvas();
    TFont* f = c->GetFont();
    if (FIndex == -1) {
        f->Assign(FDefaultFont.get());
        if (FMouseIn) f->SetColor(DefaultActiveFontColor);
    } else {
        if (UseSkinFont)
            FLook.ApplyTo(f);
        else
            f->Assign(FDefaultFont.get());
        f->SetColor(FMouseIn ? FLook.ActiveFontColor : FLook.Font.Color);
    }
    c->GetBrush()->SetStyle(bsClear);
    Skinctrls::DrawGlyphAndText(c, GetClientRect(), FMargin, FSpacing, FLayout, GetText(), FGlyph.get(), FNumGlyphs,
                                GlyphCell(), FDown);
}
