#include "BoxCloser.h"
#include <string>
#include <vector>

namespace BoxCloser {

namespace {

const UINT PollMs = 50;
const char* const DialogClass = "#32770";
const int MessageTextId = 0xFFFF; // the static control that holds a message box's text

struct TSeenBox {
    HWND Box;
    DWORD Since;
    bool Closed;
};

THostLog* Log = nullptr;
DWORD Look = 0;
UINT_PTR Timer = 0;
std::vector<TSeenBox> Seen;

bool IsMessageBox(HWND wnd)
{
    char cls[16] = {0};
    GetClassNameA(wnd, cls, sizeof(cls));
    return std::string(cls) == DialogClass && IsWindowVisible(wnd);
}

BOOL CALLBACK VisitWindow(HWND wnd, LPARAM now)
{
    if (!IsMessageBox(wnd)) return TRUE;
    for (TSeenBox& s : Seen) {
        if (s.Box != wnd) continue;
        if (!s.Closed && static_cast<DWORD>(now) - s.Since >= Look) {
            char caption[128] = {0}, text[512] = {0};
            GetWindowTextA(wnd, caption, sizeof(caption));
            GetDlgItemTextA(wnd, MessageTextId, text, sizeof(text));
            if (Log) Log->Line(std::string("message-box \"") + caption + "\" \"" + text + "\" closed");
            PostMessageA(wnd, WM_COMMAND, IDOK, 0);
            s.Closed = true;
        }
        return TRUE;
    }
    Seen.push_back({wnd, static_cast<DWORD>(now), false});
    return TRUE;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    // Boxes that are gone leave the list (a new box may get an old handle).
    std::vector<TSeenBox> alive;
    for (const TSeenBox& s : Seen)
        if (IsWindow(s.Box) && IsMessageBox(s.Box)) alive.push_back(s);
    Seen.swap(alive);
    EnumThreadWindows(GetCurrentThreadId(), VisitWindow, static_cast<LPARAM>(GetTickCount()));
}

} // namespace

void Start(THostLog& log, DWORD lookMs)
{
    Log = &log;
    Look = lookMs;
    if (!Timer) Timer = SetTimer(nullptr, 0, PollMs, OnTimer);
}

void Stop()
{
    if (Timer) KillTimer(nullptr, Timer);
    Timer = 0;
    Seen.clear();
    Log = nullptr;
}

} // namespace BoxCloser
