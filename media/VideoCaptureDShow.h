// DirectShow helpers of the capture component: media type release, the
// format of a grabbed frame, filters by name, and the few capture interfaces
// that the installed headers only name.
#pragma once
#include <windows.h>
#include <dshow.h>
#include "Handles.h"
#include <string>
#include <utility>
#include <vector>

// Frees the format block and the held object of a media type (not the type itself).
void FreeMediaType(AM_MEDIA_TYPE& mt);
// Frees a media type that a DirectShow call allocated, with its fields.
void DeleteMediaType(AM_MEDIA_TYPE* mt);

// Owns an AM_MEDIA_TYPE* that a DirectShow call allocated.
class TMediaTypePtr {
public:
    TMediaTypePtr() = default;
    TMediaTypePtr(const TMediaTypePtr&) = delete;
    TMediaTypePtr& operator=(const TMediaTypePtr&) = delete;
    ~TMediaTypePtr() { DeleteMediaType(FType); }
    AM_MEDIA_TYPE** Put()
    {
        DeleteMediaType(FType);
        FType = nullptr;
        return &FType;
    }
    AM_MEDIA_TYPE* Get() const { return FType; }
    AM_MEDIA_TYPE* operator->() const { return FType; }
    explicit operator bool() const { return FType != nullptr; }
private:
    AM_MEDIA_TYPE* FType = nullptr;
};

// The bitmap header of a video format block, after checking that the block is of
// a video info kind and long enough to hold it; null otherwise.
const BITMAPINFOHEADER* FormatBitmapHeader(const AM_MEDIA_TYPE& mt);

// The bytes of the pixels of an uncompressed (BI_RGB or BI_BITFIELDS) DIB with
// this header, rows padded to 4 bytes; 0 for a header whose size cannot be known
// that way (compressed, or no width, height or depth).
size_t DibImageSize(const BITMAPINFOHEADER& h);

// The picture format of a grabbed frame as StretchDIBits wants it (with
// DIB_RGB_COLORS): the header followed by everything the header asks for, a
// colour table of every colour a 1-, 4- or 8-bit picture may use, or the three
// masks of a BI_BITFIELDS picture.
class TGrabbedFormat {
public:
    // From the grabber's connected media type; false when the type describes
    // no uncompressed picture.
    bool Assign(const AM_MEDIA_TYPE& mt);
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(FInfo.data()); }
    const BITMAPINFOHEADER& Header() const { return Info()->bmiHeader; }
    // The bytes the pixels of one frame take.
    size_t ImageBytes() const { return FImageBytes; }
    // The colour entries (or masks) behind the header.
    size_t ColorEntries() const { return (FInfo.size() - sizeof(BITMAPINFOHEADER)) / sizeof(RGBQUAD); }

private:
    std::vector<BYTE> FInfo;
    size_t FImageBytes = 0;
};

// The ANSI name of a filter; for finding our own filters by name in the graph.
HRESULT FindFilterByName(IGraphBuilder* graph, const char* name, TComPtr<IBaseFilter>& out);
HRESULT AddFilterNamed(IGraphBuilder* graph, IBaseFilter* filter, const char* name);

// Capture interfaces whose declarations the installed headers lack; the layouts
// are the published ones.
extern const IID IID_IAMVfwCompressDialogs_;
extern const IID IID_IAMTVAudio_;
extern const IID IID_IIPDVDec_;
extern const CLSID CLSID_SampleGrabber_;
extern const CLSID CLSID_NullRenderer_;

// The dialog numbers of the capture and compression dialog interfaces, in a
// namespace of their own: some headers declare them and others do not.
namespace Vfw {
enum TVfwCaptureDialogs { VfwCaptureDialog_Source = 1, VfwCaptureDialog_Format = 2, VfwCaptureDialog_Display = 4 };
enum TVfwCompressDialogs {
    VfwCompressDialog_Config = 1, VfwCompressDialog_About = 2,
    VfwCompressDialog_QueryConfig = 4, VfwCompressDialog_QueryAbout = 8
};
} // namespace Vfw

struct IAMVfwCompressDialogsI : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE ShowDialog(int dialog, HWND hwnd) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetState(LPVOID state, int* size) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetState(LPVOID state, int size) = 0;
    virtual HRESULT STDMETHODCALLTYPE SendDriverMessage(int msg, LONG p1, LONG p2) = 0;
};

// The DV video decoder's output size: display codes 1000 (full) to 1003 (DC).
struct IIPDVDecI : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetIPDisplay(int* display) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetIPDisplay(int display) = 0;
};
