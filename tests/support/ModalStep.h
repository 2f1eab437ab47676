// A step of a test that must run while a modal loop (a dialog, a menu) holds the
// GUI thread: Step runs every 30 ms through a window timer, which modal loops
// serve too, until it returns true (a step that throws counts as done) or
// TimeoutMs pass; then Finish runs.
#pragma once
#include "Timer.h"
#include <windows.h>
#include <functional>
#include <memory>

class TModalStep {
public:
    explicit TModalStep(std::function<bool()> Step, DWORD TimeoutMs = INFINITE, std::function<void()> Finish = nullptr)
        : FTimer(new TTimer(nullptr)), FStep(std::move(Step)), FFinish(std::move(Finish)), FStart(GetTickCount()),
          FTimeout(TimeoutMs)
    {
        FTimer->SetInterval(30);
        FTimer->OnTimer = [this](TObject*) {
            // A step that pumps messages must not run again from inside itself.
            if (FDone || FBusy) return;
            FBusy = true;
            bool done = true;
            try {
                done = FStep();
            } catch (...) {
            }
            FBusy = false;
            if (done || (FTimeout != INFINITE && GetTickCount() - FStart > FTimeout)) {
                FDone = true;
                FTimer->SetEnabled(false);
                if (FFinish) FFinish();
            }
        };
        FTimer->SetEnabled(true);
    }
    ~TModalStep() { FTimer->SetEnabled(false); }
    TModalStep(const TModalStep&) = delete;
    TModalStep& operator=(const TModalStep&) = delete;
    bool Done() const { return FDone; }

private:
    std::unique_ptr<TTimer> FTimer;
    std::function<bool()> FStep;
    std::function<void()> FFinish;
    DWORD FStart;
    DWORD FTimeout;
    bool FDone = false;
    bool FBusy = false;
};
