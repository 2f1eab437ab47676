// TSplitter: a window-less bar between aligned controls; dragging it resizes
// the control it is aligned against.
#pragma once
#include "GraphicControl.h"

class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* AOwner);
    int MinSize = 30;
    bool Beveled = false;
    TNotifyEvent OnMoved;
protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void RequestAlign() override;
private:
    TControl* FindResizeControl();
    TControl* FControl = nullptr;
    TPoint FDownPos;
    int FStartSize = 0;
    bool FDragging = false;
};
