// TBevel: a window-less box, frame or line, lowered or raised.
#pragma once
#include "GraphicControl.h"

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* AOwner);
    TBevelShape GetShape() const { return FShape; }
    void SetShape(TBevelShape Value);
    TBevelStyle GetStyle() const { return FStyle; }
    void SetStyle(TBevelStyle Value);
protected:
    void Paint() override;
private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};
