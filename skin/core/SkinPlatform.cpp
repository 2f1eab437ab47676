// Platform services of the skin engine. The monitor functions are looked up by
// name in the loaded user-interface library, once, on first use; the layered
// attribute call at each use, as the skin's callers expect nothing when it is absent.
#include "SkinPlatform.h"
#include "Canvas.h"
#include "GdiHandles.h"
#include "SysUtils.h"
#include <cmath>

namespace Sputils {

namespace {

typedef HMONITOR(WINAPI* TMonitorFromWindow)(HWND, DWORD);
typedef BOOL(WINAPI* TGetMonitorInfo)(HMONITOR, LPMONITORINFO);
typedef BOOL(WINAPI* TSetLayeredWindowAttributes)(HWND, COLORREF, BYTE, DWORD);

struct TMonitorFunctions {
    TMonitorFromWindow MonitorFromWindow = nullptr;
    TGetMonitorInfo GetMonitorInfo = nullptr;
};

const TMonitorFunctions& MonitorFunctions()
{
    static const TMonitorFunctions f = [] {
        TMonitorFunctions r;
        if (HMODULE user = GetModuleHandleA("user32.dll")) {
            r.MonitorFromWindow = reinterpret_cast<TMonitorFromWindow>(GetProcAddress(user, "MonitorFromWindow"));
            r.GetMonitorInfo = reinterpret_cast<TGetMonitorInfo>(GetProcAddress(user, "GetMonitorInfoA"));
        }
        return r;
    }();
    return f;
}

// Days since 30 December 1899 to year, month and day (proleptic Gregorian).
void DecodeDate(double ADate, int& Y, int& M, int& D)
{
    Y = M = D = 0;
    if (std::isnan(ADate) || std::fabs(ADate) > 3.0e6) return;   // beyond year 9999
    long long z = static_cast<long long>(ADate) - 25569 + 719468;   // to days since 0000-03-01
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    D = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    M = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    Y = static_cast<int>(yoe + era * 400 + (M <= 2 ? 1 : 0));
}

}  // namespace

bool IsJpegFile(const std::string& FileName)
{
    return FileName.find(".jpg") != std::string::npos || FileName.find(".jpeg") != std::string::npos;
}

void LoadFromJPegImage(TBitmap* B, TJPEGImage* JI)
{
    B->SetSize(JI->GetWidth(), JI->GetHeight());
    B->GetCanvas()->Draw(0, 0, JI);
}

void LoadFromJpegStream(TBitmap* B, TStream* AStream)
{
    TJPEGImage j;
    j.LoadFromStream(AStream);
    LoadFromJPegImage(B, &j);
}

void LoadFromJpegFile(TBitmap* B, const std::string& FileName)
{
    TFileStream fs(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromJpegStream(B, &fs);
}

void GetScreenImage(int X, int Y, TBitmap* B)
{
    if (!B || B->Empty()) return;
    TWindowDC screen(nullptr);
    BitBlt(B->GetCanvas()->GetHandle(), 0, 0, B->GetWidth(), B->GetHeight(), screen.Get(), X, Y, SRCCOPY);
}

void GetWindowsVersion(int& Major, int& Minor)
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    Major = Minor = 0;
    if (GetVersionExA(&info)) {
        Major = static_cast<int>(info.dwMajorVersion);
        Minor = static_cast<int>(info.dwMinorVersion);
    }
}

bool CheckWXP()
{
    int major, minor;
    GetWindowsVersion(major, minor);
    return major == 5 && minor == 1;
}

// Layered windows came with 5.0 and every later version has them; limiting the
// effects to 5.0..5.2 would turn them off everywhere today (Wine's prefixes report
// 6.1 or later), so they run from 5.0 on. Under X their alpha shows only with a
// compositing window manager; the calls succeed either way.
bool LayeredEffectsForVersion(int Major, int Minor)
{
    (void)Minor;
    return Major >= 5;
}

bool CheckW2KWXP()
{
    int major, minor;
    GetWindowsVersion(major, minor);
    return LayeredEffectsForVersion(major, minor);
}

void SetAlphaBlendTransparent(HWND WHandle, int Value)
{
    HMODULE user = LoadLibraryA("USER32");
    if (!user) return;
    auto set = reinterpret_cast<TSetLayeredWindowAttributes>(GetProcAddress(user, "SetLayeredWindowAttributes"));
    if (set) set(WHandle, 0, static_cast<BYTE>(Value < 0 ? 0 : Value > 255 ? 255 : Value), LWA_ALPHA);
    FreeLibrary(user);
}

bool IsMultiMonitor()
{
    const TMonitorFunctions& f = MonitorFunctions();
    return GetSystemMetrics(SM_CMONITORS) > 1 && f.MonitorFromWindow && f.GetMonitorInfo;
}

TRect GetPrimaryMonitorWorkArea(bool WorkArea)
{
    if (WorkArea) {
        RECT r{};
        if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0)) return TRect(r);
    }
    return TRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

TRect GetMonitorWorkArea(HWND W, bool WorkArea)
{
    if (!IsMultiMonitor()) return GetPrimaryMonitorWorkArea(WorkArea);
    // Where the monitor cannot be described, the primary monitor's area stands.
    TRect result = GetPrimaryMonitorWorkArea(WorkArea);
    const TMonitorFunctions& f = MonitorFunctions();
    MONITORINFO info{};
    info.cbSize = sizeof info;
    HMONITOR m = f.MonitorFromWindow(W, MONITOR_DEFAULTTONEAREST);
    if (m && f.GetMonitorInfo(m, &info)) result = WorkArea ? TRect(info.rcWork) : TRect(info.rcMonitor);
    return result;
}

int ExtractDay(double ADate)
{
    int y, m, d;
    DecodeDate(ADate, y, m, d);
    return d;
}

int ExtractMonth(double ADate)
{
    int y, m, d;
    DecodeDate(ADate, y, m, d);
    return m;
}

int ExtractYear(double ADate)
{
    int y, m, d;
    DecodeDate(ADate, y, m, d);
    return y;
}

bool IsLeapYear(int AYear)
{
    return AYear % 4 == 0 && (AYear % 100 != 0 || AYear % 400 == 0);
}

int DaysPerMonth(int AYear, int AMonth)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (AMonth < 1 || AMonth > 12) return 0;
    return days[AMonth - 1] + (AMonth == 2 && IsLeapYear(AYear) ? 1 : 0);
}

void WriteStringToStream(const std::string& Str, TStream* S)
{
    const DWORD n = static_cast<DWORD>(Str.size());
    const BYTE len[4] = {BYTE(n), BYTE(n >> 8), BYTE(n >> 16), BYTE(n >> 24)};
    S->WriteBuffer(len, 4);
    if (n) S->WriteBuffer(Str.data(), static_cast<long>(n));
}

std::string ReadStringFromStream(TStream* S)
{
    BYTE len[4];
    S->ReadBuffer(len, 4);
    const unsigned long long n = len[0] | (len[1] << 8) | (len[2] << 16) | (static_cast<unsigned long long>(len[3]) << 24);
    if (n > static_cast<unsigned long long>(S->GetSize() - S->GetPosition()))
        throw EReadError("Stream read error");
    std::string s(static_cast<size_t>(n), '\0');
    if (n) S->ReadBuffer(&s[0], static_cast<long>(n));
    return s;
}

}  // namespace Sputils
