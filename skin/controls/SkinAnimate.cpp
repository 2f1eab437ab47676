#include "SkinAnimate.h"
#include "ButtonFace.h"

// ---- TspSkinAnimate ----

TspSkinAnimate::TspSkinAnimate(TComponent* AOwner)
    : TspFrameSkinControl(AOwner), FTimer(std::make_unique<TTimer>(nullptr))
{
    FSkinDataName = "animate";
    FTimer->SetEnabled(false);
    FTimer->SetInterval(50);
    FTimer->OnTimer = [this](TObject*) { Step(); };
    SetBounds(GetLeft(), GetTop(), 50, 50);
}

TspSkinAnimate::~TspSkinAnimate() { Skinctrls::DropTimer(FTimer); }

void TspSkinAnimate::SetActive(bool Value)
{
    FActive = Value;
    if (!HasFrames()) return;
    if (Value)
        Start();
    else
        Stop();
}

void TspSkinAnimate::Start()
{
    if (!CycleMode && !ButtonMode) FCurrentFrame = 1;
    FTimer->SetEnabled(true);
    if (OnStart) OnStart(this);
}

void TspSkinAnimate::Stop()
{
    FTimer->SetEnabled(false);
    if (OnStop) OnStop(this);
}

void TspSkinAnimate::Step()
{
    if (!HasFrames()) return;
    if (ButtonMode && !FMouseOver) {
        if (FCurrentFrame > 1)
            SetFrame(FCurrentFrame - 1);
        else
            Stop();
        return;
    }
    if (FCurrentFrame >= FFrameCount) {
        if (CycleMode)
            SetFrame(1);
        else
            Stop();
    } else {
        SetFrame(FCurrentFrame + 1);
    }
}

void TspSkinAnimate::CMMouseEnter(TMessage& Message)
{
    TspFrameSkinControl::CMMouseEnter(Message);
    if (IsDesigning() || !HasFrames()) return;
    FMouseOver = true;
    if (ButtonMode) Start();
}

void TspSkinAnimate::CMMouseLeave(TMessage& Message)
{
    TspFrameSkinControl::CMMouseLeave(Message);
    if (IsDesigning() || !HasFrames()) return;
    FMouseOver = false;
    if (ButtonMode) Start();
}
