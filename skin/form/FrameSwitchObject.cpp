#include "FrameSwitchObject.h"

// ---- TspSkinSwitchObject ----

TspSkinSwitchObject::TspSkinSwitchObject(TspFormFrame* AForm, TspDataSkinObject* AData)
    : TspActiveSkinObject(AForm, AData)
{
    Active = false;
}

void TspSkinSwitchObject::Draw(TCanvas* Cnvs, bool Forced)
{
    // The frame's reset of its objects' pointer state clears every Active flag;
    // a switch's look follows its state alone, so the state puts it back.
    const bool on = State == swsOn;
    if (Active != on) {
        Active = on;
        SetMorphKf(on ? 1 : 0);
    }
    TspActiveSkinObject::Draw(Cnvs, Forced);
}

void TspSkinSwitchObject::SetState(TSwitchState S)
{
    State = S;
    Active = S == swsOn;
    Redraw();
    if (SkinForm && SkinForm->OnSwitchChangeStateEvent) SkinForm->OnSwitchChangeStateEvent(IDName, State);
}

void TspSkinSwitchObject::SimpleSetState(TSwitchState S)
{
    State = S;
    Active = S == swsOn;
    if (S == swsOn) MorphKf = 1;
}

void TspSkinSwitchObject::MouseDown(int X, int Y, TMouseButton Button)
{
    if (Button == mbLeft) SetState(State == swsOn ? swsOff : swsOn);
    TspActiveSkinObject::MouseDown(X, Y, Button);
}

void TspSkinSwitchObject::MouseEnter()
{
    Hovered = true;
    SkinForm->MouseEnterEvent(IDName);
}

void TspSkinSwitchObject::MouseLeave()
{
    Hovered = false;
    SkinForm->MouseLeaveEvent(IDName);
}
