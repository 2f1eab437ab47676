// TspSkinSwitchObject: an on/off switch on the frame; its look is its state.
#pragma once
#include "ActiveSkinObject.h"
#include "FrameValueEvents.h"

class TspSkinSwitchObject : public TspActiveSkinObject {
public:
    TspSkinSwitchObject(TspFormFrame* AForm, TspDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool Forced) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void SetState(TSwitchState S);
    void SimpleSetState(TSwitchState S);

    TSwitchState State = swsOff;
};
