// The MPEG-4 video codec as a Video for Windows driver: compression and
// decompression of 24-bit RGB DIBs through libavcodec, opened by ICOpen as
// "vidc" / "Dvxx" once install.sh has registered it.
#include "Mpeg4Engine.h"
#include <windows.h>
#include <mmsystem.h>
#include <vfw.h>
#include <cstring>
#include <memory>

extern "C" {
#include <libavutil/log.h>
}

namespace {

const DWORD kHandler = mmioFOURCC('D', 'v', 'x', 'x');
// The compressed format the players announce to the decompressor, and the one
// this compressor reports; the handler code itself is accepted as well.
const DWORD kStreamFormat = mmioFOURCC('D', 'X', '5', '0');
const DWORD kDefaultQuality = 7500;

struct CodecInstance {
    DWORD Quality = kDefaultQuality;
    CMpeg4Encoder Encoder;
    CMpeg4Decoder Decoder;
    DibLayout EncodeIn;
    DibLayout DecodeOut;
};

DWORD UpperFourcc(DWORD f)
{
    DWORD r = 0;
    for (int i = 0; i < 4; ++i) {
        char c = static_cast<char>((f >> (8 * i)) & 0xFF);
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        r |= static_cast<DWORD>(static_cast<unsigned char>(c)) << (8 * i);
    }
    return r;
}

bool IsStreamFormat(DWORD compression)
{
    DWORD c = UpperFourcc(compression);
    return c == UpperFourcc(kStreamFormat) || c == UpperFourcc(kHandler);
}

bool IsRgb24(const BITMAPINFOHEADER* bi)
{
    return bi && bi->biCompression == BI_RGB && bi->biBitCount == 24 && bi->biPlanes == 1;
}

int AbsHeight(const BITMAPINFOHEADER* bi) { return bi->biHeight < 0 ? -bi->biHeight : bi->biHeight; }

DibLayout LayoutOf(const BITMAPINFOHEADER* bi) { return DibLayout{bi->biWidth, AbsHeight(bi), bi->biHeight < 0}; }

// ------------------------------------------------------------ compression

LRESULT CompressQuery(const BITMAPINFOHEADER* in, const BITMAPINFOHEADER* out)
{
    if (!IsRgb24(in) || !IsCodecFrameSize(in->biWidth, AbsHeight(in))) return ICERR_BADFORMAT;
    if (out && (!IsStreamFormat(out->biCompression) || out->biWidth != in->biWidth ||
                AbsHeight(out) != AbsHeight(in)))
        return ICERR_BADFORMAT;
    return ICERR_OK;
}

LRESULT CompressGetFormat(const BITMAPINFOHEADER* in, BITMAPINFOHEADER* out)
{
    if (!out) return sizeof(BITMAPINFOHEADER);
    if (CompressQuery(in, nullptr) != ICERR_OK) return ICERR_BADFORMAT;
    std::memset(out, 0, sizeof(*out));
    out->biSize = sizeof(BITMAPINFOHEADER);
    out->biWidth = in->biWidth;
    out->biHeight = AbsHeight(in);
    out->biPlanes = 1;
    out->biBitCount = 24;
    out->biCompression = kStreamFormat;
    // The largest frame this compressor hands out: an uncompressed picture's size.
    out->biSizeImage = static_cast<DWORD>(in->biWidth) * AbsHeight(in) * 3;
    return ICERR_OK;
}

LRESULT CompressGetSize(const BITMAPINFOHEADER* in)
{
    if (CompressQuery(in, nullptr) != ICERR_OK) return 0;
    return static_cast<LRESULT>(in->biWidth) * AbsHeight(in) * 3;
}

LRESULT CompressBegin(CodecInstance& c, const BITMAPINFOHEADER* in, const BITMAPINFOHEADER* out)
{
    LRESULT q = CompressQuery(in, out);
    if (q != ICERR_OK) return q;
    c.EncodeIn = LayoutOf(in);
    return c.Encoder.Begin(in->biWidth, AbsHeight(in)) ? ICERR_OK : ICERR_MEMORY;
}

LRESULT Compress(CodecInstance& c, ICCOMPRESS* ic, DWORD size)
{
    if (!ic || size < sizeof(ICCOMPRESS) || !ic->lpbiInput || !ic->lpInput || !ic->lpbiOutput || !ic->lpOutput)
        return ICERR_BADPARAM;
    if (!c.Encoder.Active()) return ICERR_ERROR;
    const BITMAPINFOHEADER* in = ic->lpbiInput;
    if (in->biWidth != c.EncodeIn.Width || AbsHeight(in) != c.EncodeIn.Height || !IsRgb24(in))
        return ICERR_BADFORMAT;
    // The caller's buffer is as large as the format we reported, unless it says otherwise.
    size_t capacity = ic->lpbiOutput->biSizeImage ? ic->lpbiOutput->biSizeImage
                                                  : static_cast<size_t>(CompressGetSize(in));
    int quality = ic->dwQuality == static_cast<DWORD>(ICQUALITY_DEFAULT) ? static_cast<int>(c.Quality)
                                                                          : static_cast<int>(ic->dwQuality);
    size_t written = 0;
    bool key = false;
    CMpeg4Encoder::Result r =
        c.Encoder.Encode(static_cast<const uint8_t*>(ic->lpInput), in->biHeight < 0, quality,
                         (ic->dwFlags & ICCOMPRESS_KEYFRAME) != 0, static_cast<uint8_t*>(ic->lpOutput), capacity,
                         written, key);
    if (r == CMpeg4Encoder::Result::TooLarge) return ICERR_MEMORY;
    if (r != CMpeg4Encoder::Result::Ok) return ICERR_ERROR;
    ic->lpbiOutput->biSizeImage = static_cast<DWORD>(written);
    if (ic->lpdwFlags) *ic->lpdwFlags = key ? AVIIF_KEYFRAME : 0;
    if (ic->lpckid) *ic->lpckid = TWOCCFromFOURCC(cktypeDIBcompressed);
    return ICERR_OK;
}

// ---------------------------------------------------------- decompression

LRESULT DecompressQuery(const BITMAPINFOHEADER* in, const BITMAPINFOHEADER* out)
{
    if (!in || !IsStreamFormat(in->biCompression) || !IsCodecFrameSize(in->biWidth, AbsHeight(in)))
        return ICERR_BADFORMAT;
    if (out && (!IsRgb24(out) || out->biWidth != in->biWidth || AbsHeight(out) != AbsHeight(in)))
        return ICERR_BADFORMAT;
    return ICERR_OK;
}

LRESULT DecompressGetFormat(const BITMAPINFOHEADER* in, BITMAPINFOHEADER* out)
{
    if (!out) return sizeof(BITMAPINFOHEADER);
    if (DecompressQuery(in, nullptr) != ICERR_OK) return ICERR_BADFORMAT;
    std::memset(out, 0, sizeof(*out));
    out->biSize = sizeof(BITMAPINFOHEADER);
    out->biWidth = in->biWidth;
    out->biHeight = AbsHeight(in);
    out->biPlanes = 1;
    out->biBitCount = 24;
    out->biCompression = BI_RGB;
    out->biSizeImage = static_cast<DWORD>(LayoutOf(out).Size());
    return ICERR_OK;
}

LRESULT DecompressBegin(CodecInstance& c, const BITMAPINFOHEADER* in, const BITMAPINFOHEADER* out)
{
    if (!out) return ICERR_BADFORMAT;
    LRESULT q = DecompressQuery(in, out);
    if (q != ICERR_OK) return q;
    c.DecodeOut = LayoutOf(out);
    return c.Decoder.Begin(out->biWidth, AbsHeight(out)) ? ICERR_OK : ICERR_MEMORY;
}

LRESULT Decompress(CodecInstance& c, ICDECOMPRESS* id, DWORD size)
{
    if (!id || size < sizeof(ICDECOMPRESS) || !id->lpbiInput || !id->lpInput || !id->lpbiOutput || !id->lpOutput)
        return ICERR_BADPARAM;
    if (!c.Decoder.Active()) return ICERR_ERROR;
    const BITMAPINFOHEADER* out = id->lpbiOutput;
    if (!IsRgb24(out) || out->biWidth != c.DecodeOut.Width || AbsHeight(out) != c.DecodeOut.Height)
        return ICERR_BADFORMAT;
    // The frame's length is the input format's image size: the caller must set it per frame.
    size_t length = id->lpbiInput->biSizeImage;
    return c.Decoder.Decode(static_cast<const uint8_t*>(id->lpInput), length, static_cast<uint8_t*>(id->lpOutput),
                            out->biHeight < 0)
               ? ICERR_OK
               : ICERR_ERROR;
}

// ------------------------------------------------------------ the driver

LRESULT GetInfo(ICINFO* info, DWORD size)
{
    if (!info) return sizeof(ICINFO);
    if (size < sizeof(ICINFO)) return 0;
    std::memset(info, 0, sizeof(*info));
    info->dwSize = sizeof(ICINFO);
    info->fccType = ICTYPE_VIDEO;
    info->fccHandler = kHandler;
    info->dwFlags = VIDCF_QUALITY | VIDCF_TEMPORAL | VIDCF_FASTTEMPORALC | VIDCF_FASTTEMPORALD;
    info->dwVersion = 0x00010000;
    info->dwVersionICM = ICVERSION;
    // ICINFO's strings are UTF-16 (WCHAR), not the compiler's 32-bit wchar_t. They
    // are fixed arrays inside the caller's structure: converted in place, cut to
    // the field's size, rather than through a string that would need copying.
    MultiByteToWideChar(CP_ACP, 0, "MPEG-4", -1, info->szName, 16);
    MultiByteToWideChar(CP_ACP, 0, "MPEG-4 Part 2 video codec", -1, info->szDescription, 128);
    return sizeof(ICINFO);
}

DWORD_PTR OpenInstance(const ICOPEN* open)
{
    // Opened without ICOPEN for driver configuration; otherwise only as a video codec.
    if (open && open->fccType && UpperFourcc(open->fccType) != UpperFourcc(ICTYPE_VIDEO)) return 0;
    static bool quiet = (av_log_set_level(AV_LOG_QUIET), true);
    (void)quiet;
    CodecInstance* c = new CodecInstance();
    if (open) const_cast<ICOPEN*>(open)->dwError = ICERR_OK;
    return reinterpret_cast<DWORD_PTR>(c);
}

LRESULT Dispatch(DWORD_PTR id, HDRVR drv, UINT msg, LPARAM p1, LPARAM p2)
{
    CodecInstance* c = reinterpret_cast<CodecInstance*>(id);
    auto bi = [](LPARAM p) { return reinterpret_cast<BITMAPINFOHEADER*>(p); };
    switch (msg) {
    case DRV_LOAD:
    case DRV_FREE:
    case DRV_ENABLE:
    case DRV_DISABLE:
    case DRV_INSTALL:
    case DRV_REMOVE:
        return 1;
    case DRV_OPEN:
        return static_cast<LRESULT>(OpenInstance(reinterpret_cast<const ICOPEN*>(p2)));
    case DRV_CLOSE:
        delete c;
        return 1;
    case DRV_QUERYCONFIGURE:
        return 0;
    }
    if (!c) return ICERR_BADHANDLE;
    switch (msg) {
    case ICM_GETINFO:
        return GetInfo(reinterpret_cast<ICINFO*>(p1), static_cast<DWORD>(p2));
    case ICM_GETSTATE:
        return 0;
    case ICM_SETSTATE:
        return 0;
    case ICM_GETDEFAULTQUALITY:
        if (!p1) return ICERR_BADPARAM;
        *reinterpret_cast<DWORD*>(p1) = kDefaultQuality;
        return ICERR_OK;
    case ICM_GETQUALITY:
        if (!p1) return ICERR_BADPARAM;
        *reinterpret_cast<DWORD*>(p1) = c->Quality;
        return ICERR_OK;
    case ICM_SETQUALITY: {
        DWORD q = static_cast<DWORD>(p1);
        c->Quality = q == static_cast<DWORD>(ICQUALITY_DEFAULT) ? kDefaultQuality : (q > 10000 ? 10000 : q);
        return ICERR_OK;
    }
    case ICM_GETDEFAULTKEYFRAMERATE:
        if (!p1) return ICERR_BADPARAM;
        *reinterpret_cast<DWORD*>(p1) = kKeyFrameInterval;
        return ICERR_OK;
    case ICM_COMPRESS_QUERY:
        return CompressQuery(bi(p1), bi(p2));
    case ICM_COMPRESS_GET_FORMAT:
        return CompressGetFormat(bi(p1), bi(p2));
    case ICM_COMPRESS_GET_SIZE:
        return CompressGetSize(bi(p1));
    case ICM_COMPRESS_BEGIN:
        return CompressBegin(*c, bi(p1), bi(p2));
    case ICM_COMPRESS:
        return Compress(*c, reinterpret_cast<ICCOMPRESS*>(p1), static_cast<DWORD>(p2));
    case ICM_COMPRESS_END:
        c->Encoder.End();
        return ICERR_OK;
    case ICM_DECOMPRESS_QUERY:
        return DecompressQuery(bi(p1), bi(p2));
    case ICM_DECOMPRESS_GET_FORMAT:
        return DecompressGetFormat(bi(p1), bi(p2));
    case ICM_DECOMPRESS_BEGIN:
        return DecompressBegin(*c, bi(p1), bi(p2));
    case ICM_DECOMPRESS:
        return Decompress(*c, reinterpret_cast<ICDECOMPRESS*>(p1), static_cast<DWORD>(p2));
    case ICM_DECOMPRESS_END:
        c->Decoder.End();
        return ICERR_OK;
    case ICM_CONFIGURE:
    case ICM_ABOUT:
        // No settings of its own: the program passes the quality with every frame.
        return ICERR_UNSUPPORTED;
    }
    if (msg >= DRV_USER) return ICERR_UNSUPPORTED;
    return DefDriverProc(id, drv, msg, p1, p2);
}

} // namespace

// No exception may leave the driver: the compression manager calls it from C.
extern "C" LRESULT WINAPI DriverProc(DWORD_PTR id, HDRVR drv, UINT msg, LPARAM p1, LPARAM p2)
{
    try {
        return Dispatch(id, drv, msg, p1, p2);
    } catch (...) {
        // DRV_OPEN answers an instance or 0; everything else an ICERR code.
        return msg == DRV_OPEN ? 0 : ICERR_INTERNAL;
    }
}
