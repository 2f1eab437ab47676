// The installed MPEG-4 video codec, opened as a decompressor, and what the
// players read from the compressed stream itself.
#pragma once
#include <windows.h>
#include <vfw.h>
#include <cstdint>

// The four-character handler code under which the codec is installed ("Dvxx").
const DWORD kMpeg4Handler = mmioFOURCC('D', 'v', 'x', 'x');
// The compression code of the frames handed to the decompressor ("DX50").
const DWORD kMpeg4StreamFormat = mmioFOURCC('D', 'X', '5', '0');

class CMpeg4Codec {
public:
    CMpeg4Codec();
    ~CMpeg4Codec() { Close(); }
    CMpeg4Codec(const CMpeg4Codec&) = delete;
    CMpeg4Codec& operator=(const CMpeg4Codec&) = delete;

    // Opens the decompressor for pictures of width x height (closing any open one).
    bool Open(int32_t width, int32_t height);
    // Decodes one compressed frame of `length` bytes into a player block
    // (twice the picture size, zero-filled when first allocated) holding the
    // picture as 24-bit DIB rows, bottom row first; null when the codec gives
    // no picture. The caller gives the block back with Release, or frees it
    // with HeapFreeBlock.
    void* Decode(const void* frame, int32_t length);
    // Takes back a picture that Decode returned, to decode the next frame into:
    // under Wine every heap block of a picture's size is mapped afresh and
    // costs page faults, many times the decoding itself.
    void Release(void* picture);
    void Close();

    bool IsOpen() const { return FHandle != nullptr; }
    int32_t Width() const { return FOutFormat.biWidth; }
    int32_t Height() const { return FOutFormat.biHeight; }
    // Bytes per row of a decoded picture (24-bit rows padded to 4 bytes, as DIBs are).
    static int32_t RowBytes(int32_t width) { return (width * 3 + 3) & ~3; }

    // True when the frame begins as a key frame does: a video object start
    // code in bytes 0-3 and a video object layer start code in bytes 4-7.
    static bool IsKeyFrame(const uint8_t* frame, int32_t length);
    // The picture size carried in a key frame's VOL header, read at the fixed
    // positions of the two layouts the compressor produces (without VOL control
    // parameters, or with them and a full set of VBV parameters). False for a
    // frame that is not a key frame, is too short for the read, or names a
    // size no broadcast uses.
    static bool ReadFrameSize(const uint8_t* frame, int32_t length, int32_t& width, int32_t& height);
    static bool IsPlausibleFrameSize(int32_t width, int32_t height);

private:
    size_t PictureBlockBytes() const { return 2 * static_cast<size_t>(FOutFormat.biSizeImage); }

    HIC FHandle;
    BITMAPINFOHEADER FOutFormat;
    BITMAPINFOHEADER FInFormat;
    // A picture block given back, of PictureBlockBytes; owned while held here.
    void* FSpare = nullptr;
};
