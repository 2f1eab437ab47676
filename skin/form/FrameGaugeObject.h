// TspSkinGaugeObject: a gauge on the frame, filled from its start to its value.
#pragma once
#include "ActiveSkinObject.h"
#include "FrameValueEvents.h"

class TspSkinGaugeObject : public TspActiveSkinObject {
public:
    TspSkinGaugeObject(TspFormFrame* AForm, TspDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool Forced) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void SetValue(int V);
    void SimplySetValue(int V);
    TPoint CalcProgressPos() const;

    TPoint ProgressPos, PrevProgressPos;
    int Value = 0;
    int MinValue = 0, MaxValue = 0;
    TGaugeKind Kind = gkHorizontal;
};
