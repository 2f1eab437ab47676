#include "Splitter.h"
#include "WinControl.h"

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FAlign = alLeft;
    FAnchors = akLeft | akTop | akBottom;
    FWidth = 3;
    FHeight = 100;
    FCursor = crHSplit;
}

void TSplitter::RequestAlign()
{
    TGraphicControl::RequestAlign();
    if (FAlign == alLeft || FAlign == alRight) FCursor = crHSplit;
    else if (FAlign == alTop || FAlign == alBottom) FCursor = crVSplit;
}

TControl* TSplitter::FindResizeControl()
{
    if (!FParent) return nullptr;
    // The control on the side the splitter is aligned to, touching its edge.
    TPoint p;
    switch (FAlign) {
    case alLeft: p = TPoint(FLeft - 1, FTop); break;
    case alRight: p = TPoint(FLeft + FWidth, FTop); break;
    case alTop: p = TPoint(FLeft, FTop - 1); break;
    case alBottom: p = TPoint(FLeft, FTop + FHeight); break;
    default: return nullptr;
    }
    for (int i = 0; i < FParent->GetControlCount(); ++i) {
        TControl* c = FParent->GetControl(i);
        if (c == this || !c->GetVisible() || c->GetAlign() != FAlign) continue;
        if (c->GetBoundsRect().Contains(TPoint(p.x, c->GetTop())) && (FAlign == alLeft || FAlign == alRight))
            return c;
        if (c->GetBoundsRect().Contains(TPoint(c->GetLeft(), p.y)) && (FAlign == alTop || FAlign == alBottom))
            return c;
    }
    return nullptr;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    FControl = FindResizeControl();
    if (!FControl) return;
    FDownPos = ClientToScreen(TPoint(X, Y));
    FStartSize = (FAlign == alLeft || FAlign == alRight) ? FControl->GetWidth() : FControl->GetHeight();
    FDragging = true;
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging || !FControl) return;
    TPoint p = ClientToScreen(TPoint(X, Y));
    int delta = (FAlign == alLeft || FAlign == alRight) ? p.x - FDownPos.x : p.y - FDownPos.y;
    if (FAlign == alRight || FAlign == alBottom) delta = -delta;
    int size = FStartSize + delta;
    if (size < MinSize) size = MinSize;
    if (FAlign == alLeft || FAlign == alRight) FControl->SetWidth(size);
    else FControl->SetHeight(size);
    if (FParent) FParent->Update();
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FDragging) return;
    FDragging = false;
    FControl = nullptr;
    if (OnMoved) OnMoved(this);
}

void TSplitter::Paint()
{
    TCanvas* c = GetCanvas();
    TRect r = GetClientRect();
    c->GetBrush()->SetColor(FColor);
    c->FillRect(r);
    if (Beveled) Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
}
