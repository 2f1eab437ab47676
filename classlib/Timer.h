// TTimer: raises OnTimer every Interval milliseconds on the thread that made
// it, through a window timer (so every message loop, modal ones too, runs it).
#pragma once
#include "Classes.h"
#include "Messages.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    UINT GetInterval() const { return FInterval; }
    void SetInterval(UINT Value);          // 0 stops the timer
    TNotifyEvent OnTimer;
protected:
    // An exception of OnTimer goes to Application->HandleException.
    virtual void Timer();
private:
    void UpdateTimer();
    void WndProc(TMessage& Message);
    HWND FWindowHandle = nullptr;
    bool FEnabled = true;
    UINT FInterval = 1000;
};
