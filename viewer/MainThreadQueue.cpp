#include "MainThreadQueue.h"
#include "Trace.h"

namespace {
const char* const kClassName = "QuendaMainThreadQueue";
const UINT kRunPending = WM_APP + 0x51;

HINSTANCE ThisModule()
{
    HMODULE m = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ThisModule), &m);
    return m;
}
} // namespace

CMainThreadQueue::CMainThreadQueue()
{
    HINSTANCE inst = ThisModule();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &CMainThreadQueue::WndProc;
    wc.hInstance = inst;
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc); // fails harmlessly when a second queue registers again
    FWnd = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, inst, nullptr);
    if (FWnd) SetWindowLongPtrA(FWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CMainThreadQueue::~CMainThreadQueue()
{
    if (FWnd) {
        SetWindowLongPtrA(FWnd, GWLP_USERDATA, 0);
        DestroyWindow(FWnd);
    }
    std::lock_guard<std::mutex> hold(FLock);
    FCalls.clear();
}

void CMainThreadQueue::Post(std::function<void()> Call)
{
    {
        std::lock_guard<std::mutex> hold(FLock);
        FCalls.push_back(std::move(Call));
    }
    if (FWnd) PostMessageA(FWnd, kRunPending, 0, 0);
}

void CMainThreadQueue::RunPending()
{
    for (;;) {
        std::function<void()> call;
        {
            std::lock_guard<std::mutex> hold(FLock);
            if (FCalls.empty()) return;
            call = std::move(FCalls.front());
            FCalls.pop_front();
        }
        call();
    }
}

LRESULT CALLBACK CMainThreadQueue::WndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == kRunPending) {
        auto* q = reinterpret_cast<CMainThreadQueue*>(GetWindowLongPtrA(Wnd, GWLP_USERDATA));
        try {
            if (q) q->RunPending();
        } catch (const std::exception& e) {
            // A failed call must not unwind through the window procedure.
            Trace::Line(Trace::Viewer, std::string("call on the GUI thread failed: ") + e.what());
        } catch (...) {
            Trace::Line(Trace::Viewer, "call on the GUI thread failed");
        }
        return 0;
    }
    return DefWindowProcA(Wnd, Msg, WParam, LParam);
}
