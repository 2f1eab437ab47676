#include "VideoCaptureDShow.h"
#include <dvdmedia.h>
#include <cstddef>

const IID IID_IAMVfwCompressDialogs_ = {0xd8d715a3, 0x6e5e, 0x11d0, {0xb3, 0xf0, 0x00, 0xaa, 0x00, 0x37, 0x61, 0xc5}};
const IID IID_IAMTVAudio_ = {0x83ec1c30, 0x23d1, 0x11d1, {0x99, 0xe6, 0x00, 0xa0, 0xc9, 0x56, 0x02, 0x66}};
const IID IID_IIPDVDec_ = {0xb8e8bd60, 0x0bfe, 0x11d0, {0xaf, 0x91, 0x00, 0xaa, 0x00, 0xb6, 0x7a, 0x42}};

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

std::vector<WCHAR> ToWide(const std::string& s)
{
    int n = MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, nullptr, 0);
    std::vector<WCHAR> w(n > 0 ? n : 1);
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, w.data(), n);
    return w;
}

std::string FromWide(const WCHAR* w)
{
    if (!w) return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, w, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return std::string();
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w, -1, &s[0], n, nullptr, nullptr);
    s.resize(static_cast<size_t>(n - 1));
    return s;
}

HRESULT FindFilterByName(IGraphBuilder* graph, const char* name, TComPtr<IBaseFilter>& out)
{
    out.Reset();
    if (!graph) return E_POINTER;
    auto w = ToWide(name);
    return graph->FindFilterByName(w.data(), out.Put());
}

HRESULT AddFilterNamed(IGraphBuilder* graph, IBaseFilter* filter, const char* name)
{
    if (!graph || !filter) return E_POINTER;
    if (!name) return graph->AddFilter(filter, nullptr);
    auto w = ToWide(name);
    return graph->AddFilter(filter, w.data());
}
