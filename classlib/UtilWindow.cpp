#include "UtilWindow.h"
#include "Application.h"
#include "Control.h"

namespace {
const char* const kUtilClass = "TPUtilWindow";

LRESULT CALLBACK UtilWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrA(Wnd, GWLP_USERDATA));
    if (!method) return DefWindowProcA(Wnd, Msg, WParam, LParam);
    TMessage m = {Msg, WParam, LParam, 0};
    try {
        (*method)(m);
    } catch (...) {
        Application->HandleException(nullptr);
        return 0;
    }
    return m.Result;
}
}

HWND AllocateHWnd(const TWndMethod& Method)
{
    HINSTANCE inst = ClasslibInstance();
    WNDCLASSA wc = {};
    if (!GetClassInfoA(inst, kUtilClass, &wc)) {
        wc.lpfnWndProc = UtilWndProc;
        wc.hInstance = inst;
        wc.lpszClassName = kUtilClass;
        RegisterClassA(&wc);
    }
    HWND h = CreateWindowExA(WS_EX_TOOLWINDOW, kUtilClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, inst, nullptr);
    if (!h) RaiseLastOSError();
    // The method gets the messages only once it is stored; until then DefWindowProc answers.
    SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TWndMethod(Method)));
    return h;
}

void DeallocateHWnd(HWND Wnd)
{
    if (!Wnd) return;
    auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrA(Wnd, GWLP_USERDATA));
    SetWindowLongPtrA(Wnd, GWLP_USERDATA, 0);
    DestroyWindow(Wnd);
    delete method;
}
