// What the skin engine asks of the platform: JPEG skin pictures, the running
// Windows version (which decides whether layered-window effects are used), the
// layered-window alpha, the monitor that shows a window, dates for the calendar
// controls, and length-prefixed strings on streams.
#pragma once
#include "Bitmap.h"
#include "Jpeg.h"
#include "Streams.h"
#include "Types.h"
#include <string>

namespace Sputils {

// Pictures.
bool IsJpegFile(const std::string& FileName);
// Errors of the picture library (missing file, bad JPEG data) reach the caller.
void LoadFromJpegFile(TBitmap* B, const std::string& FileName);
void LoadFromJPegImage(TBitmap* B, TJPEGImage* JI);
void LoadFromJpegStream(TBitmap* B, TStream* AStream);
void GetScreenImage(int X, int Y, TBitmap* B);

// Platform version.
void GetWindowsVersion(int& Major, int& Minor);
bool CheckWXP();
// True where the skin engine uses layered windows (translucent popups, fades).
bool CheckW2KWXP();
// The rule behind CheckW2KWXP for a given version, apart so that it can be checked
// for every version: layered windows exist from 5.0 on, so they are used from 5.0 on.
bool LayeredEffectsForVersion(int Major, int Minor);

// Layered windows and monitors.
void SetAlphaBlendTransparent(HWND WHandle, int Value);
TRect GetMonitorWorkArea(HWND W, bool WorkArea);
TRect GetPrimaryMonitorWorkArea(bool WorkArea);
bool IsMultiMonitor();

// Dates: a date-time value counts days since 30 December 1899.
int ExtractDay(double ADate);
int ExtractMonth(double ADate);
int ExtractYear(double ADate);
bool IsLeapYear(int AYear);
// 0 for a month outside 1..12.
int DaysPerMonth(int AYear, int AMonth);

// A 32-bit little-endian length followed by that many characters.
void WriteStringToStream(const std::string& Str, TStream* S);
// A length beyond what the stream still holds raises EReadError, and reads nothing.
std::string ReadStringFromStream(TStream* S);

}  // namespace Sputils
