// The application object: the GUI thread's message loop, the hidden window that
// serves synchronous calls, the main form, and the default exception handler.
#pragma once
#include "HintWindow.h"
#include "Thread.h"
#include "Timer.h"

class TCustomForm;

typedef std::function<void(TObject* Sender, const Exception& E)> TExceptionEvent;
typedef std::function<bool(MSG& Msg)> TMessageHook;    // true: the message was handled
typedef std::function<void(MSG& Msg, bool& Handled)> TMessageEvent;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    // Binds the application to the calling thread (the GUI thread) and creates its hidden window.
    void Initialize();
    // Creates a form owned by the application; the first one becomes the main form.
    template <class T> void CreateForm(T*& Reference)
    {
        Reference = new T(this);
        FormCreated(Reference);
    }
    TCustomForm* GetMainForm() const { return FMainForm; }
    // Shows the main form (when ShowMainForm) and runs the message loop until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Dispatches the waiting messages and synchronous calls, then returns.
    void ProcessMessages();
    // Dispatches one message, or, when there is none, runs the idle work and waits for one.
    bool HandleMessage();
    // Reports an exception that reached a window or event handler.
    void HandleException(TObject* Sender);
    void ShowException(const std::exception& E);
    int MessageBox(const std::string& Text, const std::string& Caption, UINT Flags);
    void Minimize();
    void Restore();
    // Key messages go first to the control of the focused window (shortcuts, dialog keys).
    bool IsMDIMsg(MSG& Msg);
    bool IsKeyMsg(MSG& Msg);

    HWND Handle() const { return FHandle; }
    HINSTANCE Instance() const { return FInstance; }
    std::string Title;
    bool ShowMainForm = true;
    std::string ExeName() const { return ParamStr(0); }
    TExceptionEvent OnException;
    TNotifyEvent OnIdle;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    // Sees every message the loop takes before it is dispatched.
    TMessageEvent OnMessage;
    // Hooks see each message before it is dispatched (the library's message hooks).
    void HookMainWindow(const TMessageHook& Hook) { FHooks.push_back(Hook); }

    // Hints (ApplicationHint.cpp): a control's hint shows once the mouse rested
    // on it HintPause ms (HintShortPause while another hint was showing), and
    // goes after HintHidePause ms, when the mouse leaves, on a press or a key.
    int HintPause = 500;
    int HintShortPause = 50;
    int HintHidePause = 2500;
    TColor HintColor = clInfoBk;
    bool GetShowHint() const { return FShowHint; }
    // Off frees the hint window, so the next hint makes one of HintWindowClass.
    void SetShowHint(bool Value);
    THintWindowClass HintWindowClass = HintWindowClassOf<THintWindow>();
    TShowHintEvent OnShowHint;
    // Every control hands its mouse messages here.
    void HintMouseMessage(TControl* Control, TMessage& Message);
    // Shows the hint of the control at a screen point now.
    void ActivateHint(const TPoint& CursorPos);
    // Hides the hint, and no hint comes back until the mouse goes to another control.
    void CancelHint();
    void HideHint();
    THintWindow* GetHintWindow() const { return FHintWindow.get(); }
    TControl* GetHintControl() const { return FHintControl; }
    bool GetHintActive() const { return FHintActive; }
    // A control going away is forgotten as the hint's control.
    void ControlDestroying(TControl* Control);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void FormCreated(TCustomForm* Form);
    bool ProcessMessage(MSG& Msg);
    void Idle();
    HWND FHandle = nullptr;
    HINSTANCE FInstance = nullptr;
    bool FTerminated = false;
    TCustomForm* FMainForm = nullptr;
    std::vector<TMessageHook> FHooks;

    bool IsHintMsg(const MSG& Msg) const;
    void StartHintTimer(int Pause);
    void HintWatch();
    bool FShowHint = true;
    std::unique_ptr<THintWindow> FHintWindow;
    TControl* FHintControl = nullptr;
    bool FHintActive = false;
    bool FHintSuppressed = false;
    TRect FHintCursorRect;          // screen; the hint stays while the cursor is inside
    DWORD FHintShownAt = 0;
    int FHintHideTimeout = 0;
    std::unique_ptr<TTimer> FHintShowTimer, FHintWatchTimer;
};

extern TApplication* Application;

// The message the hidden window receives when a synchronous call is queued.
const UINT CM_SYNCHRONIZE = WM_APP + 0x3F00;
