#include "VideoCaptureDShow.h"
#include <dvdmedia.h>
#include "SysUtils.h"
#include <algorithm>
#include <cstddef>
#include <cstring>

const IID IID_IAMVfwCompressDialogs_ = {0xd8d715a3, 0x6e5e, 0x11d0, {0xb3, 0xf0, 0x00, 0xaa, 0x00, 0x37, 0x61, 0xc5}};
const IID IID_IAMTVAudio_ = {0x83ec1c30, 0x23d1, 0x11d1, {0x99, 0xe6, 0x00, 0xa0, 0xc9, 0x56, 0x02, 0x66}};
const IID IID_IIPDVDec_ = {0xb8e8bd60, 0x0bfe, 0x11d0, {0xaf, 0x91, 0x00, 0xaa, 0x00, 0xb6, 0x7a, 0x42}};
const CLSID CLSID_SampleGrabber_ = {0xc1f400a0, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};
const CLSID CLSID_NullRenderer_ = {0xc1f400a4, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};

void FreeMediaType(AM_MEDIA_TYPE& mt)
{
    if (mt.cbFormat && mt.pbFormat) CoTaskMemFree(mt.pbFormat);
    mt.cbFormat = 0;
    mt.pbFormat = nullptr;
    if (mt.pUnk) {
        mt.pUnk->Release();
        mt.pUnk = nullptr;
    }
}

void DeleteMediaType(AM_MEDIA_TYPE* mt)
{
    if (!mt) return;
    FreeMediaType(*mt);
    CoTaskMemFree(mt);
}

const BITMAPINFOHEADER* FormatBitmapHeader(const AM_MEDIA_TYPE& mt)
{
    if (!mt.pbFormat) return nullptr;
    // The header sits at byte 48 of a VIDEOINFOHEADER and at byte 72 of a
    // VIDEOINFOHEADER2; the block must hold all of it.
    size_t offset;
    if (IsEqualGUID(mt.formattype, FORMAT_VideoInfo))
        offset = offsetof(VIDEOINFOHEADER, bmiHeader);
    else if (IsEqualGUID(mt.formattype, FORMAT_VideoInfo2))
        offset = offsetof(VIDEOINFOHEADER2, bmiHeader);
    else
        return nullptr;
    if (mt.cbFormat < offset + sizeof(BITMAPINFOHEADER)) return nullptr;
    return reinterpret_cast<const BITMAPINFOHEADER*>(mt.pbFormat + offset);
}

size_t DibImageSize(const BITMAPINFOHEADER& h)
{
    if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS) return 0;
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biBitCount == 0 || h.biPlanes > 1) return 0;
    const size_t stride = ((static_cast<size_t>(h.biWidth) * h.biBitCount + 31) / 32) * 4;
    const long long height = h.biHeight < 0 ? -static_cast<long long>(h.biHeight) : h.biHeight;
    return stride * static_cast<size_t>(height);
}

bool TGrabbedFormat::Assign(const AM_MEDIA_TYPE& mt)
{
    FInfo.clear();
    FImageBytes = 0;
    const BITMAPINFOHEADER* bih = FormatBitmapHeader(mt);
    if (!bih || bih->biSize < sizeof(BITMAPINFOHEADER)) return false;
    const size_t image = DibImageSize(*bih);
    if (image == 0) return false;
    // What the block holds behind the header (a palette, or the masks).
    const BYTE* behind = reinterpret_cast<const BYTE*>(bih) + bih->biSize;
    const BYTE* end = mt.pbFormat + mt.cbFormat;
    const size_t held = behind < end ? static_cast<size_t>(end - behind) / sizeof(RGBQUAD) : 0;

    std::vector<RGBQUAD> table;
    if (bih->biBitCount <= 8) {
        // StretchDIBits reads as many entries as biClrUsed says, or all 2^bits
        // when it is 0; a table shorter than that would be read past its end.
        const size_t full = size_t(1) << bih->biBitCount;
        const size_t count = bih->biClrUsed != 0 && bih->biClrUsed < full ? bih->biClrUsed : full;
        table.resize(count);
        for (size_t i = 0; i < count; ++i) {
            // Entries the block lacks become a grey ramp rather than undefined bytes.
            const BYTE grey = static_cast<BYTE>(count > 1 ? i * 255 / (count - 1) : 0);
            table[i] = {grey, grey, grey, 0};
        }
        if (held > 0) std::memcpy(table.data(), behind, std::min(held, count) * sizeof(RGBQUAD));
    } else if (bih->biCompression == BI_BITFIELDS) {
        // The masks; without them in the block, those of the usual layouts.
        DWORD masks[3] = {0xFF0000, 0x00FF00, 0x0000FF};
        if (bih->biBitCount == 16) {
            masks[0] = 0xF800;
            masks[1] = 0x07E0;
            masks[2] = 0x001F;
        }
        if (held >= 3) std::memcpy(masks, behind, sizeof(masks));
        table.resize(3);
        std::memcpy(table.data(), masks, sizeof(masks));
    }
    FInfo.resize(sizeof(BITMAPINFOHEADER) + table.size() * sizeof(RGBQUAD));
    BITMAPINFOHEADER header = *bih;
    header.biSize = sizeof(BITMAPINFOHEADER);
    if (bih->biBitCount <= 8) header.biClrUsed = static_cast<DWORD>(table.size());
    std::memcpy(FInfo.data(), &header, sizeof(header));
    if (!table.empty()) std::memcpy(FInfo.data() + sizeof(header), table.data(), table.size() * sizeof(RGBQUAD));
    FImageBytes = image;
    return true;
}

HRESULT FindFilterByName(IGraphBuilder* graph, const char* name, TComPtr<IBaseFilter>& out)
{
    out.Reset();
    if (!graph) return E_POINTER;
    return graph->FindFilterByName(AnsiToWide(name).c_str(), out.Put());
}

HRESULT AddFilterNamed(IGraphBuilder* graph, IBaseFilter* filter, const char* name)
{
    if (!graph || !filter) return E_POINTER;
    if (!name) return graph->AddFilter(filter, nullptr);
    return graph->AddFilter(filter, AnsiToWide(name).c_str());
}
