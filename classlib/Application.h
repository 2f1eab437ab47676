// The application object: the GUI thread's message loop, the hidden window that
// serves synchronous calls, and the default exception handler.
#pragma once
#include "Thread.h"

typedef std::function<void(TObject* Sender, const Exception& E)> TExceptionEvent;
typedef std::function<bool(MSG& Msg)> TMessageHook;    // true: the message was handled

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    // Binds the application to the calling thread (the GUI thread) and creates its hidden window.
    void Initialize();
    // The message loop; returns when Terminate was called (WM_QUIT).
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Dispatches the waiting messages and synchronous calls, then returns.
    void ProcessMessages();
    // Dispatches one message (or waits for one); false when the queue is empty.
    bool HandleMessage();
    // Reports an exception that reached a window or event handler.
    void HandleException(TObject* Sender);
    void ShowException(const std::exception& E);
    int MessageBox(const std::string& Text, const std::string& Caption, UINT Flags);

    HWND Handle() const { return FHandle; }
    HINSTANCE Instance() const { return FInstance; }
    std::string Title;
    std::string ExeName() const { return ParamStr(0); }
    TExceptionEvent OnException;
    TNotifyEvent OnIdle;
    // Hooks see each message before it is dispatched (the library's message hooks).
    void HookMainWindow(const TMessageHook& Hook) { FHooks.push_back(Hook); }

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    bool ProcessMessage(MSG& Msg);
    HWND FHandle = nullptr;
    HINSTANCE FInstance = nullptr;
    bool FTerminated = false;
    std::vector<TMessageHook> FHooks;
};

extern TApplication* Application;

// The message the hidden window receives when a synchronous call is queued.
const UINT CM_SYNCHRONIZE = WM_APP + 0x3F00;
