// The broadcasting program's entry point.
#include "Forms.h"
#include "Log.h"
#include "Settings.h"

static LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_DESTROY) {
        Application->Terminate();
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

int WINAPI WinMain(HINSTANCE hInst, HINSTANCE, LPSTR, int show)
{
    CLog log(Settings::ProgramFolder() + "errors.log");
    MyLog = &log;
    Application->Initialize();
    Application->Title = "Orvanta_TM";
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = hInst;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = "TForm1";
    RegisterClassA(&wc);
    HWND main = CreateWindowExA(0, "TForm1", "Orvanta_TM", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 640,
                                480, nullptr, nullptr, hInst, nullptr);
    ShowWindow(main, show);
    Application->Run();
    MyLog = nullptr;
    return 0;
}
