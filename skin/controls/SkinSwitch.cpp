#include "SkinSwitch.h"
#include "ButtonFace.h"

// ---- TspSkinSwitch ----

TspSkinSwitch::TspSkinSwitch(TComponent* AOwner) : TspFrameSkinControl(AOwner), FTimer(std::make_unique<TTimer>(nullptr))
{
    FSkinDataName = "switch";
    FTimer->SetEnabled(false);
    FTimer->SetInterval(50);
    FTimer->OnTimer = [this](TObject*) { Step(); };
    SetBounds(GetLeft(), GetTop(), 25, 50);
}

TspSkinSwitch::~TspSkinSwitch() { Skinctrls::DropTimer(FTimer); }

void TspSkinSwitch::SetState(TspSkinSwitchState Value)
{
    FState = Value;
    ChangeState();
    if (!IsDesigning() && OnChange) OnChange(this);
}

void TspSkinSwitch::ChangeState()
{
    if (!HasFrames()) {
        Repaint();
        return;
    }
    if (FFrameCount == 2)
        SetFrame(FState == swOn ? 2 : 1);
    else
        Start();
}

void TspSkinSwitch::Step()
{
    if (!HasFrames()) return;
    if (FState == swOn) {
        if (FCurrentFrame < FFrameCount)
            SetFrame(FCurrentFrame + 1);
        else
            Stop();
    } else {
        if (FCurrentFrame > 1)
            SetFrame(FCurrentFrame - 1);
        else
            Stop();
    }
}

void TspSkinSwitch::ChangeSkinData()
{
    TspFrameSkinControl::ChangeSkinData();
    if (HasFrames()) SetFrame(FState == swOn ? FFrameCount : 1);
}

void TspSkinSwitch::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && FMouseOver) SetState(FState == swOn ? swOff : swOn);
    TspFrameSkinControl::MouseUp(Button, Shift, X, Y);
}

void TspSkinSwitch::CMMouseEnter(TMessage& Message)
{
    TspFrameSkinControl::CMMouseEnter(Message);
    if (!IsDesigning()) FMouseOver = true;
}

void TspSkinSwitch::CMMouseLeave(TMessage& Message)
{
    TspFrameSkinControl::CMMouseLeave(Message);
    if (!IsDesigning()) FMouseOver = false;
}
