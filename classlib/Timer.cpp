#include "Timer.h"
#include "Application.h"
#include "UtilWindow.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner)
{
    FWindowHandle = AllocateHWnd([this](TMessage& m) { WndProc(m); });
    UpdateTimer();
}

TTimer::~TTimer()
{
    FEnabled = false;
    UpdateTimer();
    DeallocateHWnd(FWindowHandle);
}

void TTimer::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_TIMER) {
        try {
            Timer();
        } catch (...) {
            Application->HandleException(this);
        }
        return;
    }
    Message.Result = DefWindowProcA(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TTimer::UpdateTimer()
{
    KillTimer(FWindowHandle, 1);
    if (FInterval && FEnabled && !SetTimer(FWindowHandle, 1, FInterval, nullptr))
        throw EOutOfMemory("Not enough timers available");
}

void TTimer::SetEnabled(bool Value)
{
    if (Value == FEnabled) return;
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(UINT Value)
{
    if (Value == FInterval) return;
    FInterval = Value;
    UpdateTimer();
}

void TTimer::Timer()
{
    if (FEnabled && OnTimer) OnTimer(this);
}
