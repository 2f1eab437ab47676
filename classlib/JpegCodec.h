// The libjpeg calls behind TJPEGImage. This header and its source include no
// Win32 header: libjpeg's 'boolean' (an int here) would clash with the
// platform's own 'boolean' (an unsigned char), and the library's structures
// must be seen with the layout it was built with.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace JpegCodec {

struct TImage {
    int Width = 0;
    int Height = 0;
    int Components = 0;                 // 3 (BGR) or 1 (grey)
    std::vector<unsigned char> Pixels;  // rows top first, Width * Components bytes each, no padding
};

// Reads the size only. False (with Error) when the data is not a JPEG stream.
bool ReadSize(const unsigned char* Data, size_t Size, int& Width, int& Height, std::string& Error);
// Decodes at 1/ScaleDenom (1, 2, 4 or 8) of the size; Grayscale asks for one channel.
bool Decode(const unsigned char* Data, size_t Size, int ScaleDenom, bool Grayscale, TImage& Out,
            std::string& Error);
// Encodes BGR (3) or grey (1) rows at Quality 1..100.
bool Encode(const TImage& In, int Quality, bool Progressive, std::vector<unsigned char>& Out, std::string& Error);

} // namespace JpegCodec
