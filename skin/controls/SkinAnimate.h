// TspSkinAnimate: a frame animation played once, cycling, or as a hover effect.
#pragma once
#include "SkinFrameControl.h"
#include "Timer.h"

class TspSkinAnimate : public TspFrameSkinControl {
public:
    explicit TspSkinAnimate(TComponent* AOwner);
    ~TspSkinAnimate() override;

    bool GetActive() const { return FActive; }
    void SetActive(bool Value);
    UINT GetTimerInterval() const { return FTimer->GetInterval(); }
    void SetTimerInterval(UINT Value) { FTimer->SetInterval(Value); }
    bool Running() const { return FTimer->GetEnabled(); }
    void Start();
    void Stop();
    void Step();

    bool CycleMode = false;
    bool ButtonMode = false;
    TNotifyEvent OnStart;
    TNotifyEvent OnStop;

protected:
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

    std::unique_ptr<TTimer> FTimer;
    bool FActive = false;
    bool FMouseOver = false;
};
