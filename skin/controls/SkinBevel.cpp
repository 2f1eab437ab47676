#include "SkinBevel.h"
#include "SkinData.h"

TspSkinBevel::TspSkinBevel(TComponent* AOwner) : TBevel(AOwner) {}

void TspSkinBevel::SetSkinData(TspSkinData* Value)
{
    FSD.Set(Value);
    ChangeSkinData();
}

void TspSkinBevel::ChangeSkinData()
{
    FIndex = FSD ? FSD->FindControlElement(SkinDataName) : -1;
    if (FIndex == -1) {
        FLightColor = clBtnHighlight;
        FDarkColor = clBtnShadow;
    } else if (const auto* r = dynamic_cast<const TspDataSkinBevel*>(FSD->ControlRecord(FIndex))) {
        FLightColor = r->LightColor;
        FDarkColor = r->DarkColor;
    }
    Repaint();
}

void TspSkinBevel::SetDividerMode(bool Value)
{
    FDividerMode = Value;
    Repaint();
}

void TspSkinBevel::Notification(TComponent* AComponent, TOperation Operation)
{
    TBevel::Notification(AComponent, Operation);
    if (FSD.Removed(AComponent, Operation)) {
        FIndex = -1;
        FLightColor = clBtnHighlight;
        FDarkColor = clBtnShadow;
    }
}

void TspSkinBevel::Paint()
{
    TCanvas* c = GetCanvas();
    TPen* pen = c->GetPen();
    const int w = GetWidth(), h = GetHeight();
    if (IsDesigning() && GetShape() == bsSpacer) {
        pen->SetStyle(psDot);
        pen->SetMode(pmXor);
        pen->SetColor(0xFFD8CE);
        c->GetBrush()->SetStyle(bsClear);
        c->Rectangle(TRect(0, 0, w, h));
        return;
    }
    pen->SetStyle(psSolid);
    pen->SetMode(pmCopy);
    pen->SetColor(clBlack);
    pen->SetWidth(1);
    c->GetBrush()->SetStyle(bsSolid);
    TColor c1 = GetStyle() == bsLowered ? FDarkColor : FLightColor;
    TColor c2 = GetStyle() == bsLowered ? FLightColor : FDarkColor;
    auto line = [&](TColor col, int x1, int y1, int x2, int y2) {
        pen->SetColor(col);
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    auto stroke = [&](const TRect& r, TColor a, TColor b) {
        line(a, r.left, r.bottom, r.left, r.top);
        c->LineTo(r.right, r.top);
        line(b, r.right, r.top, r.right, r.bottom);
        c->LineTo(r.left, r.bottom);
    };
    if (FDividerMode) {
        switch (GetShape()) {
        case bsTopLine:
        case bsBottomLine: stroke(TRect(2, h / 2 - 1, w - 2, h / 2), c1, c2); break;
        case bsSpacer: break;
        default: stroke(TRect(w / 2 - 1, 2, w / 2, h - 2), c1, c2); break;
        }
        return;
    }
    switch (GetShape()) {
    case bsBox: stroke(TRect(0, 0, w - 1, h - 1), c1, c2); break;
    case bsFrame:
        stroke(TRect(1, 1, w - 1, h - 1), c2, c2);
        stroke(TRect(0, 0, w - 2, h - 2), c1, c1);
        break;
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
