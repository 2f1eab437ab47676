// The test-pattern camera: a DirectShow source filter that machines without a
// camera list in the video input device category. One output pin ("Capture")
// delivers RGB24 frames of a moving test picture at the chosen frame rate.
#pragma once
#include <windows.h>
#include <dshow.h>

// {3A64E357-708C-4668-BFCE-A1C3EBDFF4B1}
extern const CLSID CLSID_PatternCamera;
// The name the device enumerator lists.
extern const char* const kPatternCameraName;

// The modes offered through IAMStreamConfig, in capability order; mode 0 is the
// format a fresh filter starts with.
struct PatternMode { int Width; int Height; };
constexpr PatternMode kPatternModes[] = {{640, 480}, {320, 240}, {160, 120}};
constexpr int kPatternModeCount = sizeof(kPatternModes) / sizeof(kPatternModes[0]);
// Frame intervals in 100 ns units: 30 frames per second by default, 1 to 30 accepted.
const REFERENCE_TIME kDefaultFrameInterval = 333333;
const REFERENCE_TIME kMinFrameInterval = 333333;
const REFERENCE_TIME kMaxFrameInterval = 10000000;

// Draws frame number n into a bottom-up RGB24 buffer of w x h pixels (rows are
// w * 3 bytes; every offered width keeps them 4-byte aligned). The picture:
// - top two thirds: eight vertical bars, left to right white, yellow, cyan, green,
//   magenta, red, blue, black (full-intensity primaries);
// - bottom third on dark grey (64,64,64): a white square that moves right by
//   w/80 pixels per frame, the frame number in seven-segment digits, and along the
//   bottom h/12 rows a strip of 16 equal cells, the low 16 bits of n, most
//   significant bit left, white for 1 and black for 0.
void DrawPatternFrame(BYTE* bits, int w, int h, unsigned n);

// The media type of a mode (RGB24, FORMAT_VideoInfo) with the given frame interval.
// pbFormat is CoTaskMemAlloc'd; FreeMediaTypeFields releases it.
bool MakeModeType(int mode, REFERENCE_TIME interval, AM_MEDIA_TYPE& mt);
void FreeMediaTypeFields(AM_MEDIA_TYPE& mt);
bool CopyMediaTypeFields(AM_MEDIA_TYPE& dst, const AM_MEDIA_TYPE& src);
// The index of the mode a type describes (RGB24 video info of an offered size), or -1.
int ModeOfType(const AM_MEDIA_TYPE* mt);
// Whether a partly filled type (GUID_NULL fields are wildcards) admits a full one.
bool TypeMatches(const AM_MEDIA_TYPE* partial, const AM_MEDIA_TYPE& full);

// Objects alive in the module, for DllCanUnloadNow.
void ModuleAddRef();
void ModuleRelease();

// Creates a filter with one reference.
HRESULT CreatePatternCamera(REFIID riid, void** ppv);
