// TGraphicControl: a control without a window. It is painted by its parent
// (after the parent's own painting) and gets its mouse messages through it;
// Paint draws on Canvas, which lies over the control's rectangle of the parent.
#pragma once
#include "ControlCanvas.h"
#include "Control.h"

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    TCanvas* GetCanvas() const { return FCanvas.get(); }
    void Dispatch(TMessage& Message) override;
    void SetParent(TWinControl* AParent) override;
protected:
    virtual void Paint() {}
    virtual void WMPaint(TMessage& Message);
    void WMWindowPosChanged(TMessage& Message) override;
    std::unique_ptr<TControlCanvas> FCanvas;
};
