// Capture modes of the video and sound capture pins, DV decoding sizes and the
// property dialogs that the capture component can show.
#pragma once
#include <windows.h>
#include <string>

// A video mode: the media types, the picture size and depth and, in the modes of
// the list, the mode's own frame rate and the device's slowest and fastest ones.
struct TVCapMode {
    GUID MajorType;
    GUID SubType;
    int Width;
    int Height;
    int BitCount;
    double FrameRate;
    double MinFrameRate;
    double MaxFrameRate;
};

// A sound mode; only wave formats are filled.
struct TACapMode {
    GUID MajorType;
    GUID SubType;
    int SamplesPerSec;
    int BitsPerSample;
    int Channels;
    int AvgBytesPerSec;
};

enum TDVResolution { dvrDontWorry, dvrFull, dvrHalf, dvrQuater, dvrDC };
// The DV decoder's display codes: dvrFull is 1000 ... dvrDC 1003.
const int DVDisplayFull = 1000;
// The DV decoder's four sizes, in the order of dvrFull to dvrDC.
const int DVModeCount = 4;
TVCapMode DVMode(int Index);

enum TCaptureDialog {
    cdVFORMAT, cdVSOURCE, cdVDISPLAY, cdVCAPTURE, cdVCROSSBAR, cdTVTUNER, cdACAPTURE, cdACROSSBAR,
    cdTVAUDIO, cdVCAPTURE_PIN, cdVPREVIEW_PIN, cdACAPTURE_PIN, cdVCOMPRESSION, cdACOMPRESSION
};
const int CaptureDialogCount = 14;
extern const char* const DialogTitles[CaptureDialogCount];

// A set of dialogs.
class TCaptureDialogs {
public:
    bool Contains(TCaptureDialog d) const { return (FBits & (1u << d)) != 0; }
    void Include(TCaptureDialog d) { FBits |= 1u << d; }
    void Exclude(TCaptureDialog d) { FBits &= ~(1u << d); }
    void Clear() { FBits = 0; }
    bool Empty() const { return FBits == 0; }
    unsigned Bits() const { return FBits; }
private:
    unsigned FBits = 0;
};

// Same subtype, size and depth (types and rates are not compared).
bool IsEqualModes(const TVCapMode& a, const TVCapMode& b);
// Same subtype and channels; PCM also the rate and sample size, others the rate
// and the average bytes per second.
bool IsEqualModes(const TACapMode& a, const TACapMode& b);
// "640x480x16b (YUY2)", "8000Hzx16bx1", "128kBits/s, 44100Hz, 2".
std::string GetModeString(const TVCapMode& m);
std::string GetModeString(const TACapMode& m);
