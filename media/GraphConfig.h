// TGraphConfig: a capture set-up of TVideoCapture (devices, flags, modes, the
// video compressor's state and the capture files), as one line of comma-separated
// Name=Value pairs or as a length-prefixed stream; and the hexadecimal helpers of
// the Utils unit that write GUIDs and byte strings in it.
#pragma once
#include "Classes.h"
#include "Streams.h"
#include "VideoCaptureModes.h"
#include <string>
#include <vector>

namespace Utils {
// Every byte as two hexadecimal digits, high nibble first.
std::string BytesToStr(const std::vector<BYTE>& Bytes);
// The 16 bytes of a GUID in memory order.
std::string GUIDToStr(const GUID& G);
// (length + 1) / 2 bytes; an odd text reads as if "0" stood in front; the bytes
// from the first pair that is not two hexadecimal digits on stay 0.
std::vector<BYTE> StrToBytes(const std::string& S);
// The first 16 bytes of StrToBytes; missing bytes are 0.
GUID StrToGUID(const std::string& S);
} // namespace Utils

class TGraphConfig : public TObject {
public:
    TGraphConfig();
    // The defaults; VCompState is left as it is.
    void Clear();
    std::string SaveGraph() const;
    void RestoreGraph(const std::string& Text);
    // A 32-bit little-endian length, then the text.
    bool SaveGraphToStream(TStream* Stream) const;
    bool RestoreGraphFromStream(TStream* Stream);

    std::string VCapSource, ACapSource, VComp, AComp;
    TACapMode ACapMode;
    TVCapMode VCapMode;
    std::vector<BYTE> VCompState;
    bool WantCapture, WantPreview, WantBitmaps, WantAudio, WantDVAudio, WantAudioPreview;
    BYTE PixelFormat;          // the ordinal of TPixelFormat
    BYTE DVResolution;         // the ordinal of TDVResolution
    std::string CaptureFileName;
    bool UseTempFile;
    std::string TempCaptureFileName;
    bool DoPreallocFile;
    int PreallocFileSize;      // megabytes
};
