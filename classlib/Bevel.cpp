#include "Bevel.h"

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle |= csReplicatable;
    FWidth = 50;
    FHeight = 50;
}

void TBevel::SetShape(TBevelShape Value)
{
    if (Value == FShape) return;
    FShape = Value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    Invalidate();
}

void TBevel::Paint()
{
    TCanvas* c = GetCanvas();
    TPen* pen = c->GetPen();
    pen->SetWidth(1);
    TColor c1 = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor c2 = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    int w = FWidth, h = FHeight;
    auto line = [&](TColor col, int x1, int y1, int x2, int y2) {
        pen->SetColor(col);
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    auto bevelRect = [&](const TRect& r) {
        line(c1, r.left, r.bottom, r.left, r.top);
        c->LineTo(r.right, r.top);
        line(c2, r.right, r.top, r.right, r.bottom);
        c->LineTo(r.left, r.bottom);
    };
    switch (FShape) {
    case bsBox: bevelRect(TRect(0, 0, w - 1, h - 1)); break;
    case bsFrame: {
        std::swap(c1, c2);
        TRect r(1, 1, w - 1, h - 1);
        bevelRect(r);
        std::swap(c1, c2);
        bevelRect(TRect(0, 0, w - 2, h - 2));
        break;
    }
    case bsTopLine:
        line(c1, 0, 0, w, 0);
        line(c2, 0, 1, w, 1);
        break;
    case bsBottomLine:
        line(c1, 0, h - 2, w, h - 2);
        line(c2, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        line(c1, 0, 0, 0, h);
        line(c2, 1, 0, 1, h);
        break;
    case bsRightLine:
        line(c1, w - 2, 0, w - 2, h);
        line(c2, w - 1, 0, w - 1, h);
        break;
    case bsSpacer: break;
    }
}
