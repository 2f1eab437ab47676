#include "Mpeg4Codec.h"
#include "MediaTrace.h"
#include "PlayerBlocks.h"
#include <cstring>

namespace {

const int32_t kMinFrameSide = 16;
const int32_t kMaxFrameSide = 2048;
// Bytes a size read needs in each layout (up to f[16], resp. f[27]).
const int32_t kShortLayoutBytes = 17;
const int32_t kLongLayoutBytes = 28;

bool IsStartCode(const uint8_t* p) { return p[0] == 0 && p[1] == 0 && p[2] == 1; }

} // namespace

CMpeg4Codec::CMpeg4Codec()
{
    FHandle = nullptr;
    std::memset(&FOutFormat, 0, sizeof FOutFormat);
    std::memset(&FInFormat, 0, sizeof FInFormat);
}

bool CMpeg4Codec::Open(int32_t width, int32_t height)
{
    Close();
    if (width <= 0 || height <= 0) return false;
    FHandle = ICOpen(ICTYPE_VIDEO, kMpeg4Handler, ICMODE_DECOMPRESS);
    if (!FHandle) return false;
    FOutFormat.biSize = sizeof(BITMAPINFOHEADER);
    FOutFormat.biWidth = width;
    FOutFormat.biHeight = height;
    FOutFormat.biPlanes = 1;
    FOutFormat.biBitCount = 24;
    FOutFormat.biCompression = BI_RGB;
    FOutFormat.biSizeImage = static_cast<DWORD>(RowBytes(width)) * static_cast<DWORD>(height);
    FInFormat = FOutFormat;
    FInFormat.biCompression = kMpeg4StreamFormat;
    if (ICDecompressBegin(FHandle, &FInFormat, &FOutFormat) != ICERR_OK) {
        // Not begun: a later ICDecompress must not reach a codec that refused the formats.
        Close();
        return false;
    }
    return true;
}

void* CMpeg4Codec::Decode(const void* frame, int32_t length)
{
    if (!FHandle || !frame || length <= 0) return nullptr;
    // The codec writes every pixel and never the row padding or the second
    // half, so a block given back holds what a fresh zero-filled one would
    // once the picture is in.
    void* block = FSpare;
    FSpare = nullptr;
    if (!block) block = HeapAllocZero(PictureBlockBytes());
    if (!block) return nullptr;
    // The codec learns the frame's length from the input format's image size.
    FInFormat.biSizeImage = static_cast<DWORD>(length);
    try {
        if (ICDecompress(FHandle, 0, &FInFormat, const_cast<void*>(frame), &FOutFormat, block) == ICERR_OK)
            return block;
    } catch (...) {
        TraceCaught("video decoder: decoding a frame");
    }
    Release(block);
    return nullptr;
}

void CMpeg4Codec::Release(void* picture)
{
    if (!picture) return;
    // Only a block of the current picture size is kept (an older size's block
    // comes back after the decoder was opened again); one spare is enough for
    // a player that shows each picture before it decodes the next.
    if (!FSpare && FHandle && HeapBlockSize(picture) == PictureBlockBytes())
        FSpare = picture;
    else
        HeapFreeBlock(picture);
}

void CMpeg4Codec::Close()
{
    if (FHandle) {
        ICDecompressEnd(FHandle);
        ICClose(FHandle);
    }
    HeapFreeBlock(FSpare);
    FSpare = nullptr;
    FHandle = nullptr;
    std::memset(&FOutFormat, 0, sizeof FOutFormat);
    std::memset(&FInFormat, 0, sizeof FInFormat);
}

bool CMpeg4Codec::IsKeyFrame(const uint8_t* f, int32_t length)
{
    return f && length >= 8 && IsStartCode(f) && f[3] <= 0x1F && IsStartCode(f + 4) && (f[7] & 0xF0) == 0x20;
}

bool CMpeg4Codec::ReadFrameSize(const uint8_t* f, int32_t length, int32_t& width, int32_t& height)
{
    if (!IsKeyFrame(f, length) || length < kShortLayoutBytes) return false;
    int32_t w, h;
    if (f[10] & 0x04) {
        // VOL control parameters present (chroma format, low delay and VBV parameters).
        if (length < kLongLayoutBytes) return false;
        w = (f[23] & 0x01) * 4096 + f[24] * 16 + f[25] / 16;
        h = (f[25] & 0x07) * 1024 + f[26] * 4 + f[27] / 64;
    } else {
        w = (f[13] & 0x0F) * 512 + f[14] * 2 + f[15] / 128;
        h = (f[15] & 0x3F) * 128 + f[16] / 2;
    }
    if (!IsPlausibleFrameSize(w, h)) return false;
    width = w;
    height = h;
    return true;
}

bool CMpeg4Codec::IsPlausibleFrameSize(int32_t width, int32_t height)
{
    return width >= kMinFrameSide && height >= kMinFrameSide && width <= kMaxFrameSide && height <= kMaxFrameSide;
}
