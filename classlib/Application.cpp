#include "Application.h"
#include "Form.h"
#include "Menus.h"
#include "Screen.h"
#include "ControlCanvas.h"

// The application object lives as long as the process and is never destroyed by
// a static destructor: those run after Wine has detached user32, and a window
// call from there ends the process with exit code 0 whatever main returned.
TApplication* Application = new TApplication(nullptr);

static const char* const kHiddenClass = "TApplicationHidden";

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication()
{
    SetSyncWakeWindow(nullptr, 0);
    if (FHandle && IsWindow(FHandle)) DestroyWindow(FHandle);
}

void TApplication::Initialize()
{
    MainThreadID = GetCurrentThreadId();
    FInstance = GetModuleHandleA(nullptr);
    if (FHandle) return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &TApplication::WndProc;
    wc.hInstance = FInstance;
    wc.lpszClassName = kHiddenClass;
    RegisterClassA(&wc);
    FHandle = CreateWindowExA(0, kHiddenClass, Title.c_str(), WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              FInstance, nullptr);
    SetSyncWakeWindow(FHandle, CM_SYNCHRONIZE);
}

LRESULT CALLBACK TApplication::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    try {
        if (msg == CM_SYNCHRONIZE) {
            CheckSynchronize();
            return 0;
        }
    } catch (...) {
        Application->HandleException(Application);
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

bool TApplication::ProcessMessage(MSG& Msg)
{
    if (!PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (Msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    if (IsHintMsg(Msg)) CancelHint();
    for (auto& h : FHooks)
        if (h(Msg)) return true;
    bool handled = false;
    if (OnMessage) OnMessage(Msg, handled);
    if (handled || IsKeyMsg(Msg) || IsMDIMsg(Msg)) return true;
    TranslateMessage(&Msg);
    DispatchMessageA(&Msg);
    if (Msg.message == CM_SYNCHRONIZE && Msg.hwnd == FHandle) {
        // Timer messages come only when no posted message waits: while other
        // threads keep queueing synchronous calls there is nearly always a wake-up
        // waiting, so each batch is followed by one timer that is due (the frame
        // grab and the other timers keep their pace).
        MSG t;
        if (PeekMessageA(&t, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) DispatchMessageA(&t);
    }
    return true;
}

bool TApplication::IsMDIMsg(MSG& Msg)
{
    // The MDI keys (Ctrl+F4 closes the active child, Ctrl+F6 moves to the next).
    if (!FMainForm || FMainForm->GetFormStyle() != fsMDIForm || !FMainForm->GetClientHandle()) return false;
    if (Msg.message != WM_KEYDOWN && Msg.message != WM_SYSKEYDOWN) return false;
    return TranslateMDISysAccel(FMainForm->GetClientHandle(), &Msg) != 0;
}

bool TApplication::IsKeyMsg(MSG& Msg)
{
    if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST) return false;
    HWND wnd = GetCapture();
    if (!wnd) {
        // The nearest window of ours; others would not know the reflected messages.
        wnd = Msg.hwnd;
        while (wnd && !FindControl(wnd)) wnd = GetParent(wnd);
        if (!wnd) return false;
    } else if (!FindControl(wnd)) {
        return false;
    }
    return SendMessageA(wnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

void TApplication::Idle()
{
    UpdateMouseControl();
    if (OnIdle) {
        try { OnIdle(this); } catch (...) { HandleException(this); }
    }
    // Actions follow their OnUpdate handlers while the program waits.
    for (int i = 0; i < Screen->GetFormCount(); ++i) {
        try {
            Screen->GetForms(i)->UpdateActions();
        } catch (...) {
            HandleException(this);
        }
    }
    TControlCanvas::FreeDeviceContexts();
}

void TApplication::FormCreated(TCustomForm* Form)
{
    if (!FMainForm) FMainForm = Form;
    Form->AfterConstruction();
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FMainForm) FMainForm = nullptr;
}

void TApplication::Minimize()
{
    if (FMainForm && FMainForm->HandleAllocated()) ShowWindow(FMainForm->GetWindowHandle(), SW_MINIMIZE);
    if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore()
{
    if (FMainForm && FMainForm->HandleAllocated()) ShowWindow(FMainForm->GetWindowHandle(), SW_RESTORE);
    if (OnRestore) OnRestore(this);
}

void TApplication::ProcessMessages()
{
    MSG m;
    CheckSynchronize();
    while (ProcessMessage(m)) {
    }
    CheckSynchronize();
}

bool TApplication::HandleMessage()
{
    MSG m;
    bool got = ProcessMessage(m);
    if (!got) {
        Idle();
        if (!CheckSynchronize()) {
            HANDLE ev = SyncEventHandle();
            MsgWaitForMultipleObjects(1, &ev, FALSE, INFINITE, QS_ALLINPUT);
            CheckSynchronize();
        }
    }
    return got;
}

void TApplication::Run()
{
    if (FMainForm && ShowMainForm) {
        try {
            FMainForm->Show();
        } catch (...) {
            HandleException(this);
        }
    }
    while (!FTerminated) {
        try {
            HandleMessage();
        } catch (...) {
            HandleException(this);
        }
    }
}

void TApplication::Terminate()
{
    FTerminated = true;
    PostQuitMessage(0);
}

void TApplication::HandleException(TObject* Sender)
{
    try {
        throw;
    } catch (const EAbort&) {
    } catch (const Exception& e) {
        if (OnException) OnException(Sender, e);
        else ShowException(e);
    } catch (const std::exception& e) {
        Exception wrapped(e.what());
        if (OnException) OnException(Sender, wrapped);
        else ShowException(e);
    } catch (...) {
        Exception wrapped("Unknown exception");
        if (OnException) OnException(Sender, wrapped);
        else ShowException(wrapped);
    }
}

void TApplication::ShowException(const std::exception& E)
{
    std::string msg = E.what();
    if (!msg.empty() && msg.back() != '.') msg += '.';
    MessageBox(msg, Title.empty() ? ExtractFileName(ExeName()) : Title, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, UINT Flags)
{
    // The modal loop of the message box dispatches our hidden window's posted
    // messages, so synchronous calls are served while it is open.
    return ::MessageBoxA(GetActiveWindow(), Text.c_str(), Caption.c_str(), Flags);
}
