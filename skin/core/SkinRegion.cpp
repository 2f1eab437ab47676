// Window regions from skin masks. The masks come from a skin: every strip is
// bounded by the mask it is cut from, and the run array grows as needed instead
// of overflowing a fixed table.
#include "SkinRegion.h"
#include "SkinImage.h"
#include <algorithm>
#include <cstring>

namespace Sputils {

namespace {

// A copy larger than this is refused (the mask would not fit any screen anyway).
const long long MaxFBitmapBytes = 256LL * 1024 * 1024;

}  // namespace

TFBitmap::TFBitmap(HBITMAP Bmp)
{
    BITMAP info{};
    if (!Bmp || !GetObjectA(Bmp, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight == 0) {
        Initialize();
        return;
    }
    const int w = info.bmWidth, h = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    const long long stride = static_cast<long long>(w) * 3 + w % 4;
    if (stride * h > MaxFBitmapBytes) {
        Initialize();
        return;
    }
    FWidth = w;
    FHeight = h;
    FBmpHeader.biSize = sizeof(BITMAPINFOHEADER);
    FBmpHeader.biWidth = w;
    FBmpHeader.biHeight = -h;   // rows top first
    FBmpHeader.biPlanes = 1;
    FBmpHeader.biBitCount = 24;
    FBmpHeader.biCompression = BI_RGB;
    FBmpInfo.bmiHeader = FBmpHeader;
    void* bits = nullptr;
    TWindowDC screen(nullptr);
    FHandle.Reset(CreateDIBSection(screen.Get(), &FBmpInfo, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!FHandle || !bits) {
        FHandle.Reset();
        FWidth = FHeight = 0;
        Initialize();
        return;
    }
    FBits = static_cast<BYTE*>(bits);
    // GetDIBits converts any depth (a 1-bit mask included) into our 24-bit rows.
    BITMAPINFO bi = FBmpInfo;
    if (!GetDIBits(screen.Get(), Bmp, 0, h, FBits, &bi, DIB_RGB_COLORS))
        std::memset(FBits, 0xFF, static_cast<size_t>(stride * h));   // unreadable: no black pixel
    Initialize();
}

void TFBitmap::Initialize()
{
    FGap = FWidth % 4;
    FRowInc = FWidth * 3 + FGap;
    FSize = FRowInc * FHeight;
    FRows.resize(FHeight);
    for (int y = 0; y < FHeight; ++y) FRows[y] = FBits + static_cast<size_t>(y) * FRowInc;
    if (FHandle && FDC.Get()) FSelect = std::make_unique<TSelectGuard>(FDC.Get(), FHandle.Get());
}

TFBitmap::~TFBitmap() = default;

namespace {

// Wine's ExtCreateRegion takes time that grows much faster than the number of
// rectangles in one call (30,000 runs took 7 s, 53,000 took 32 s), so a large
// mask is turned into regions of a few runs each that are then united. Measured
// on a 640 x 400 one-pixel checkerboard (128,000 runs): pieces of 1,000 runs,
// united pairwise, about 0.3 s; pieces of 10,000 runs 2.3 s, of 100 runs 2 s
// (each union costs the size of what is united so far).
constexpr size_t RunsPerRegionCall = 1000;


// The runs of black pixels of Copy's top-left W x H, moved by (XO, YO), added
// to Runs. With Coalesce, a row whose runs are those of the row above grows
// the rectangles above instead (as the platform's region would hold them);
// false as soon as the rectangles pass Limit (the scan stops there).
bool CollectRuns(const TFBitmap& Copy, int XO, int YO, int W, int H, std::vector<RECT>& Runs, bool Coalesce = false,
                 size_t Limit = static_cast<size_t>(-1))
{
    size_t prevStart = Runs.size(), prevCount = 0;
    for (int y = 0; y < H; ++y) {
        const BYTE* row = Copy.Row(y);
        const size_t start = Runs.size();
        int x = 0;
        while (x < W) {
            while (x < W && (row[x * 3] | row[x * 3 + 1] | row[x * 3 + 2]) != 0) ++x;
            if (x >= W) break;
            const int first = x;
            while (x < W && (row[x * 3] | row[x * 3 + 1] | row[x * 3 + 2]) == 0) ++x;
            Runs.push_back(RECT{first + XO, y + YO, x + XO, y + YO + 1});
        }
        const size_t count = Runs.size() - start;
        bool same = Coalesce && count > 0 && count == prevCount;
        for (size_t i = 0; same && i < count; ++i) {
            const RECT& a = Runs[prevStart + i];
            const RECT& b = Runs[start + i];
            same = a.left == b.left && a.right == b.right && a.bottom == b.top;
        }
        if (same) {
            for (size_t i = 0; i < count; ++i) ++Runs[prevStart + i].bottom;
            Runs.resize(start);
        } else {
            prevStart = start;
            prevCount = count;
        }
        if (Runs.size() > Limit) return false;
    }
    return true;
}

HRGN RegionOfRuns(const RECT* Runs, size_t Count, const RECT& Bounds)
{
    const size_t size = sizeof(RGNDATAHEADER) + Count * sizeof(RECT);
    std::unique_ptr<BYTE[]> data(new BYTE[size]());
    RGNDATAHEADER* hdr = reinterpret_cast<RGNDATAHEADER*>(data.get());
    hdr->dwSize = sizeof(RGNDATAHEADER);
    hdr->iType = RDH_RECTANGLES;
    hdr->nCount = static_cast<DWORD>(Count);
    hdr->nRgnSize = 0;
    hdr->rcBound = Bounds;
    if (Count) std::memcpy(data.get() + sizeof(RGNDATAHEADER), Runs, Count * sizeof(RECT));
    return ExtCreateRegion(nullptr, static_cast<DWORD>(size), reinterpret_cast<const RGNDATA*>(data.get()));
}

}  // namespace

DWORD CreateRgnFromBmp(TBitmap* Bmp, int XO, int YO, std::unique_ptr<BYTE[]>& RgnData)
{
    if (!Bmp || Bmp->Empty()) return 0;
    // The bitmap's own canvas may hold it selected; let go so that it can be read.
    Bmp->Dormant();
    TFBitmap copy(Bmp->GetHandle());
    if (copy.Width() <= 0 || copy.Height() <= 0) return 0;
    std::vector<RECT> runs;
    const int w = copy.Width();
    CollectRuns(copy, XO, YO, w, copy.Height(), runs);
    const size_t size = sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT);
    std::unique_ptr<BYTE[]> data(new BYTE[size]());
    RGNDATAHEADER* hdr = reinterpret_cast<RGNDATAHEADER*>(data.get());
    hdr->dwSize = sizeof(RGNDATAHEADER);
    hdr->iType = RDH_RECTANGLES;
    hdr->nCount = static_cast<DWORD>(runs.size());
    hdr->nRgnSize = 0;
    hdr->rcBound = RECT{XO, YO, XO + w, YO + copy.Height()};
    if (!runs.empty()) std::memcpy(data.get() + sizeof(RGNDATAHEADER), runs.data(), runs.size() * sizeof(RECT));
    RgnData = std::move(data);
    return static_cast<DWORD>(size);
}

HRGN CreateRegionFromRuns(const std::vector<RECT>& Runs, const RECT& Bounds)
{
    if (Runs.size() <= RunsPerRegionCall) return RegionOfRuns(Runs.data(), Runs.size(), Bounds);
    std::vector<TRegionHandle> parts;
    for (size_t i = 0; i < Runs.size(); i += RunsPerRegionCall) {
        const size_t n = std::min(RunsPerRegionCall, Runs.size() - i);
        parts.emplace_back(RegionOfRuns(Runs.data() + i, n, Bounds));
        if (!parts.back()) return nullptr;
    }
    // United pairwise, so each run takes part in a few unions only.
    while (parts.size() > 1) {
        std::vector<TRegionHandle> next;
        for (size_t i = 0; i + 1 < parts.size(); i += 2) {
            CombineRgn(parts[i].Get(), parts[i].Get(), parts[i + 1].Get(), RGN_OR);
            next.push_back(std::move(parts[i]));
        }
        if (parts.size() % 2) next.push_back(std::move(parts.back()));
        parts.swap(next);
    }
    return parts.front().Release();
}

bool CollectMaskRuns(TBitmap* Bmp, int XO, int YO, int W, int H, std::vector<RECT>& Runs)
{
    if (!Bmp || Bmp->Empty()) return true;
    const int bw = Bmp->GetWidth(), bh = Bmp->GetHeight();
    const int w = W < 0 ? bw : std::min(W, bw), h = H < 0 ? bh : std::min(H, bh);
    if (w <= 0 || h <= 0) return true;
    // Only the part the element shows is copied and scanned: a mask picture far
    // larger than its element costs no more than the element.
    std::unique_ptr<TBitmap> part;
    TBitmap* source = Bmp;
    if (w < bw || h < bh) {
        part = std::make_unique<TBitmap>(w, h, pf24bit);
        CopyPiece(part->GetCanvas(), TRect(0, 0, w, h), Bmp, TRect(0, 0, w, h));
        source = part.get();
    }
    source->Dormant();
    TFBitmap copy(source->GetHandle());
    if (copy.Width() <= 0 || copy.Height() <= 0) return true;
    return CollectRuns(copy, XO, YO, copy.Width(), copy.Height(), Runs, true, MaxRegionRuns);
}

HRGN CreateMaskRegion(TBitmap* Bmp, int XO, int YO, int W, int H)
{
    if (!Bmp || Bmp->Empty()) return nullptr;
    std::vector<RECT> runs;
    if (!CollectMaskRuns(Bmp, XO, YO, W, H, runs)) return nullptr;
    const int w = W < 0 ? Bmp->GetWidth() : std::min(W, Bmp->GetWidth());
    const int h = H < 0 ? Bmp->GetHeight() : std::min(H, Bmp->GetHeight());
    return CreateRegionFromRuns(runs, RECT{XO, YO, XO + std::max(w, 0), YO + std::max(h, 0)});
}

namespace {

// Repeats rows From..To of the source strip (columns SX0..SX1) over rows 0..NH of Dest.
void RepeatRows(TBitmap* Dest, TBitmap* Src, int SX0, int SX1, int From, int To, int NH)
{
    TCanvas* C = Dest->GetCanvas();
    const int w = Dest->GetWidth();
    for (const TTile& t : TileSpan(0, NH, To - From, 0, NH))
        CopyPiece(C, TRect(0, t.Start, w, t.Start + t.Length), Src, TRect(SX0, From, SX1, From + t.Length));
}

// One side strip (left or right) of CreateSkinMask: mask columns SX0..SX1.
void SideStrip(TBitmap* Strip, TBitmap* Mask, int SX0, int SX1, int TopY, int BottomY, int CT, int CB, int NH)
{
    Strip->SetSize(SX1 - SX0, NH);
    if (Strip->Empty()) return;
    if (BottomY - TopY != 0) RepeatRows(Strip, Mask, SX0, SX1, TopY, BottomY, NH);
    TCanvas* C = Strip->GetCanvas();
    const int w = Strip->GetWidth();
    if (TopY - CT > 0) CopyPiece(C, TRect(0, 0, w, TopY - CT), Mask, TRect(SX0, CT, SX1, TopY));
    if (CB - BottomY > 0) CopyPiece(C, TRect(0, NH - (CB - BottomY), w, NH), Mask, TRect(SX0, BottomY, SX1, CB));
}

// The top or bottom strip: mask rows SY0..SY1, the repeated part between the
// points, the fixed parts at both ends.
void EndStrip(TBitmap* Strip, TBitmap* Mask, int SY0, int SY1, int LX, int RX, int NLX, int NRX, int W)
{
    const int wM = Mask->GetWidth();
    Strip->SetSize(W, SY1 - SY0);
    if (Strip->Empty()) return;
    const int h = Strip->GetHeight();
    if (RX - LX != 0) {
        TCanvas* C = Strip->GetCanvas();
        for (const TTile& t : TileSpan(NLX, NRX, RX - LX, 0, W))
            CopyPiece(C, TRect(t.Start, 0, t.Start + t.Length, h), Mask, TRect(LX, SY0, LX + t.Length, SY1));
    }
    TCanvas* C = Strip->GetCanvas();
    CopyPiece(C, TRect(0, 0, LX, h), Mask, TRect(0, SY0, LX, SY1));
    CopyPiece(C, TRect(NRX, 0, W, h), Mask, TRect(RX, SY0, wM, SY1));
}

}  // namespace

void CreateSkinSimplyRegion(HRGN& Rgn, TBitmap* Mask, int W, int H)
{
    Rgn = CreateMaskRegion(Mask, 0, 0, W, H);
}

void CreateSkinMask(const TPoint& LtPt, const TPoint& RtPt, const TPoint& LbPt, const TPoint& RbPt,
                    const TRect& ClRect, const TPoint& NewLtPt, const TPoint& NewRtPt, const TPoint& NewLbPt,
                    const TPoint& NewRbPt, const TRect& NewClRect, TBitmap* Mask, TBitmap* TopMask,
                    TBitmap* LeftMask, TBitmap* RightMask, TBitmap* BottomMask, int W, int H)
{
    if (!Mask || Mask->Empty()) return;
    const int wM = Mask->GetWidth(), hM = Mask->GetHeight();
    // The client rectangle's sides, kept inside the mask: no strip is wider or
    // taller than the mask it is cut from.
    const int CL = std::clamp<int>(ClRect.left, 0, wM), CT = std::clamp<int>(ClRect.top, 0, hM);
    const int CR = std::clamp<int>(ClRect.right, 0, wM), CB = std::clamp<int>(ClRect.bottom, 0, hM);
    long long nh = static_cast<long long>(NewClRect.bottom) - NewClRect.top;
    // A strip never outgrows the element (nor, without a height, what GDI can address).
    nh = std::min<long long>(nh, H > 0 ? H : 32767);
    const int NH = static_cast<int>(std::max<long long>(nh, 0));
    if (LeftMask && CL > 0 && NH > 0) SideStrip(LeftMask, Mask, 0, CL, LtPt.y, LbPt.y, CT, CB, NH);
    if (RightMask && wM - CR > 0 && NH > 0) SideStrip(RightMask, Mask, CR, wM, RtPt.y, RbPt.y, CT, CB, NH);
    W = std::min(W, 32767);
    if (TopMask && W > 0 && CT > 0) EndStrip(TopMask, Mask, 0, CT, LtPt.x, RtPt.x, NewLtPt.x, NewRtPt.x, W);
    if (BottomMask && W >= 1 && hM - CB >= 1)
        EndStrip(BottomMask, Mask, CB, hM, LbPt.x, RbPt.x, NewLbPt.x, NewRbPt.x, W);
}

void CreateSkinRegion(HRGN& Rgn, const TPoint& LtPt, const TPoint& RtPt, const TPoint& LbPt, const TPoint& RbPt,
                      const TRect& ClRect, const TPoint& NewLtPt, const TPoint& NewRtPt, const TPoint& NewLbPt,
                      const TPoint& NewRbPt, const TRect& NewClRect, TBitmap* Mask, int W, int H)
{
    Rgn = nullptr;
    if (NewRtPt.x < NewLtPt.x || NewLbPt.y < NewLtPt.y) return;
    TBitmap top, left, right, bottom;
    CreateSkinMask(LtPt, RtPt, LbPt, RbPt, ClRect, NewLtPt, NewRtPt, NewLbPt, NewRbPt, NewClRect, Mask, &top, &left,
                   &right, &bottom, W, H);
    // The strips' runs together within the bound of one window region; a mask
    // past it gives no region at all (the element shows as its rectangle).
    std::vector<RECT> runs;
    struct Strip {
        TBitmap* B;
        int X, Y;
    } strips[4] = {{&top, 0, 0},
                   {&bottom, 0, NewClRect.bottom},
                   {&left, 0, NewClRect.top},
                   {&right, NewClRect.right, NewClRect.top}};
    for (const Strip& st : strips)
        if (!st.B->Empty() && !CollectMaskRuns(st.B, st.X, st.Y, -1, -1, runs)) return;
    TRegionHandle edges;
    if (!runs.empty()) edges.Reset(CreateRegionFromRuns(runs, RECT{0, 0, W, H}));
    TRegionHandle result;
    if (!TRect(NewClRect).IsEmpty())
        result.Reset(CreateRectRgn(NewClRect.left, NewClRect.top, NewClRect.right, NewClRect.bottom));
    if (edges) {
        if (!result) result = std::move(edges);
        else CombineRgn(result.Get(), result.Get(), edges.Get(), RGN_OR);
    }
    Rgn = result.Release();
}

}  // namespace Sputils
