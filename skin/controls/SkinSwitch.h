// TspSkinSwitch: a two-state switch that steps through its frames from off
// (the first frame) to on (the last) on a timer.
#pragma once
#include "SkinFrameControl.h"
#include "Timer.h"

enum TspSkinSwitchState { swOff, swOn };

class TspSkinSwitch : public TspFrameSkinControl {
public:
    explicit TspSkinSwitch(TComponent* AOwner);
    ~TspSkinSwitch() override;

    void ChangeSkinData() override;
    TspSkinSwitchState GetState() const { return FState; }
    void SetState(TspSkinSwitchState Value);
    UINT GetTimerInterval() const { return FTimer->GetInterval(); }
    void SetTimerInterval(UINT Value) { FTimer->SetInterval(Value); }
    bool Running() const { return FTimer->GetEnabled(); }
    void Start() { FTimer->SetEnabled(true); }
    void Stop() { FTimer->SetEnabled(false); }
    // One step of the animation towards the state's end frame.
    void Step();

    TNotifyEvent OnChange;

protected:
    void ChangeState();
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

    std::unique_ptr<TTimer> FTimer;
    TspSkinSwitchState FState = swOff;
    bool FMouseOver = false;
};
