// TCustomControl: a windowed control that paints itself (Paint on Canvas)
// instead of leaving it to a system window class.
#pragma once
#include "ControlCanvas.h"
#include "WinControl.h"

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas* GetCanvas() const { return FCanvas.get(); }
protected:
    void CreateParams(TCreateParams& Params) override;
    void DestroyWnd() override;
    virtual void Paint() {}
    void PaintWindow(HDC DC) override;
    void WMPaint(TMessage& Message) override;
    std::unique_ptr<TControlCanvas> FCanvas;
};
