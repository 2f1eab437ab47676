#include "HostRun.h"
#include "TestBroadcaster.h"
#include <sstream>

namespace {

struct TFindHost {
    DWORD Process;
    HWND Found;
};

BOOL CALLBACK FindHostWindow(HWND Wnd, LPARAM Data)
{
    auto* f = reinterpret_cast<TFindHost*>(Data);
    DWORD pid = 0;
    GetWindowThreadProcessId(Wnd, &pid);
    char cls[64] = {0};
    GetClassNameA(Wnd, cls, sizeof(cls));
    if (pid == f->Process && std::string(cls) == "ViewerHostWindow") {
        f->Found = Wnd;
        return FALSE;
    }
    return TRUE;
}

struct TFindChild {
    const char* ClassName;
    HWND Found;
};

BOOL CALLBACK FindChildWindow(HWND Wnd, LPARAM Data)
{
    auto* f = reinterpret_cast<TFindChild*>(Data);
    char cls[64] = {0};
    GetClassNameA(Wnd, cls, sizeof(cls));
    if (std::string(cls) == f->ClassName) {
        f->Found = Wnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

std::string UnixPath(const std::string& Windows)
{
    std::string p = Windows;
    if (p.size() >= 2 && (p[0] == 'Z' || p[0] == 'z') && p[1] == ':') p = p.substr(2);
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
}

THostRun::~THostRun()
{
    if (FProcess.hProcess) {
        if (Running()) Kill();
        CloseHandle(FProcess.hProcess);
        CloseHandle(FProcess.hThread);
    }
}

bool THostRun::Start(const std::string& Program, const std::string& Arguments, const std::string& LogFile,
                     std::string& Error)
{
    FLogFile = LogFile;
    DeleteFileA(LogFile.c_str());
    std::string command = "\"" + Program + "\" --log \"" + LogFile + "\" " + Arguments;
    std::vector<char> line(command.begin(), command.end());
    line.push_back(0);
    // The host's lines go to the log file only, not into the test's output.
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = nul;
    si.hStdError = nul;
    BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &FProcess);
    if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
    if (!started) {
        Error = "the viewer host does not start: " + command;
        return false;
    }
    return true;
}

HWND THostRun::FindChild(HWND Parent, const char* ClassName)
{
    TFindChild f = {ClassName, nullptr};
    EnumChildWindows(Parent, FindChildWindow, reinterpret_cast<LPARAM>(&f));
    return f.Found;
}

bool THostRun::WaitForForm(DWORD Ms)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < Ms) {
        if (!FHost) {
            TFindHost f = {FProcess.dwProcessId, nullptr};
            EnumWindows(FindHostWindow, reinterpret_cast<LPARAM>(&f));
            FHost = f.Found;
        }
        if (FHost && !FForm) FForm = FindChild(FHost, "TActiveFormX");
        if (FForm && IsWindowVisible(FForm)) return true;
        if (!Running()) return false;
        TTestBroadcaster::Pump(20);
    }
    return false;
}

void THostRun::Click(int X, int Y)
{
    LPARAM at = MAKELPARAM(X, Y);
    PostMessageA(FForm, WM_MOUSEMOVE, 0, at);
    PostMessageA(FForm, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(FForm, WM_LBUTTONUP, 0, at);
}

bool THostRun::SendToHost(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    // The host's thread may be waiting for the broadcaster, whose connection
    // threads wait for this thread (Synchronize): never block on the host for
    // long, and serve those calls between the tries.
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 10000) {
        DWORD_PTR result = 0;
        if (SendMessageTimeoutA(Wnd, Msg, WParam, LParam, SMTO_NORMAL, 50, &result)) return true;
        if (!IsWindow(Wnd)) return false;
        TTestBroadcaster::Pump(10);
    }
    return false;
}

void THostRun::SetInputText(const std::string& Text)
{
    if (HWND edit = FindChild(FForm, "TEdit")) SendToHost(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Text.c_str()));
}

std::string THostRun::ChatText()
{
    HWND memo = FindChild(FForm, "TMemo");
    if (!memo) return std::string();
    char text[8192] = {0};
    if (!SendToHost(memo, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text))) return std::string();
    return text;
}

bool THostRun::Grab(int X, int Y, int Width, int Height, std::vector<uint32_t>& Pixels)
{
    if (!FForm || Width <= 0 || Height <= 0) return false;
    POINT at = {X, Y};
    ClientToScreen(FForm, &at);
    HDC screen = GetDC(nullptr);
    if (!screen) return false;
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = Width;
    bi.bmiHeader.biHeight = -Height; // rows top first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bmp && bits) {
        HGDIOBJ old = SelectObject(mem, bmp);
        ok = BitBlt(mem, 0, 0, Width, Height, screen, at.x, at.y, SRCCOPY) != 0;
        GdiFlush();
        const uint32_t* p = static_cast<const uint32_t*>(bits);
        Pixels.assign(p, p + static_cast<size_t>(Width) * Height);
        for (uint32_t& v : Pixels) v &= 0x00FFFFFF;
        SelectObject(mem, old);
    }
    if (bmp) DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

bool THostRun::PixelAt(int X, int Y, uint32_t& Rgb)
{
    std::vector<uint32_t> p;
    if (!Grab(X, Y, 1, 1, p)) return false;
    Rgb = p[0];
    return true;
}

bool THostRun::Running() { return FProcess.hProcess && WaitForSingleObject(FProcess.hProcess, 0) == WAIT_TIMEOUT; }

bool THostRun::WaitEnd(DWORD Ms)
{
    DWORD start = GetTickCount();
    while (Running()) {
        if (GetTickCount() - start >= Ms) return false;
        TTestBroadcaster::Pump(20);
    }
    return true;
}

DWORD THostRun::ExitCode()
{
    DWORD code = STILL_ACTIVE;
    if (FProcess.hProcess) GetExitCodeProcess(FProcess.hProcess, &code);
    return code;
}

void THostRun::Kill()
{
    if (!FProcess.hProcess) return;
    TerminateProcess(FProcess.hProcess, 99);
    WaitForSingleObject(FProcess.hProcess, 5000);
}

std::vector<std::string> THostRun::LogLines()
{
    std::vector<std::string> lines;
    HANDLE in = CreateFileA(FLogFile.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            0, nullptr);
    if (in == INVALID_HANDLE_VALUE) return lines;
    std::string text;
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(in, buf, sizeof(buf), &n, nullptr) && n > 0) text.append(buf, n);
    CloseHandle(in);
    std::istringstream s(text);
    std::string l;
    while (std::getline(s, l)) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        lines.push_back(l);
    }
    return lines;
}
