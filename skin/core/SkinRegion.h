// Masks and window regions: the black pixels of a skin mask become the region of a
// control or window, either at the mask's own size or fitted to a resized
// eight-point element (the same geometry as the skin images).
#pragma once
#include "Bitmap.h"
#include "Classes.h"
#include "GdiHandles.h"
#include "Types.h"
#include <memory>
#include <vector>

namespace Sputils {

// A pixel-addressable 24-bit top-down copy of a bitmap (3 bytes a pixel, blue
// first, rows padded to 4 bytes). An empty or unreadable bitmap gives an empty copy.
class TFBitmap : public TObject {
public:
    explicit TFBitmap(HBITMAP Bmp);
    ~TFBitmap() override;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int RowStride() const { return FRowInc; }
    int Gap() const { return FGap; }
    int Size() const { return FSize; }
    BYTE* Bits() const { return FBits; }
    BYTE* Row(int Y) const { return FRows[Y]; }
    HDC DC() const { return FDC.Get(); }
    HBITMAP Handle() const { return FHandle.Get(); }

private:
    void Initialize();

    BYTE* FBits = nullptr;
    std::vector<BYTE*> FRows;
    int FGap = 0;
    int FRowInc = 0;
    int FSize = 0;
    int FWidth = 0;
    int FHeight = 0;
    TBitmapHandle FHandle;
    TMemoryDC FDC;
    BITMAPINFO FBmpInfo{};
    BITMAPINFOHEADER FBmpHeader{};
    std::unique_ptr<TSelectGuard> FSelect;   // last: deselected before the DC and section go
};

// The region data block of the black pixels of Bmp moved by (XO, YO): a 32-byte
// header and one rectangle per horizontal run of black pixels, for ExtCreateRegion.
// Returns its size in bytes and stores it in RgnData, or returns 0 (RgnData
// untouched) for an empty bitmap. The rectangle array grows as the runs need.
DWORD CreateRgnFromBmp(TBitmap* Bmp, int XO, int YO, std::unique_ptr<BYTE[]>& RgnData);

// A window region from a skin has at most this many rectangles (runs, rows of
// equal runs counted once as the region holds them): Wine redraws and
// moves a window whose region has many rectangles in time that grows about
// quadratically (a child window of 10,000 runs: 0.3 s per redraw; of 128,000:
// 65 s), and the X server refuses a top-level shape of 128,000 rectangles
// (BadRequest, which ends the process). Our masks have a few hundred runs; a
// mask past the bound gives no region, so its element shows as its rectangle.
constexpr size_t MaxRegionRuns = 10000;

// Adds to Runs the runs of black pixels of the top-left W x H of Bmp (all of it
// when W or H is negative) moved by (XO, YO), a row equal to the one above
// growing its rectangles; only that part is copied and scanned. False, the scan
// stopped, when Runs would pass MaxRegionRuns.
bool CollectMaskRuns(TBitmap* Bmp, int XO, int YO, int W, int H, std::vector<RECT>& Runs);
// The region of the given runs (rectangles one row high, rows top first), made
// in bounded steps: at most a thousand runs per ExtCreateRegion call, the
// pieces united. No runs give an empty region. The caller owns the region.
HRGN CreateRegionFromRuns(const std::vector<RECT>& Runs, const RECT& Bounds);
// The region of the black pixels of the top-left W x H of Bmp (all of it when W
// or H is negative) moved by (XO, YO): only that part is copied and scanned.
// Null for an empty bitmap and for a mask of more than MaxRegionRuns runs. The
// caller owns the region.
HRGN CreateMaskRegion(TBitmap* Bmp, int XO, int YO, int W = -1, int H = -1);

// The region of the black pixels of Mask at (0, 0), no more of it than the
// element's W x H when those are given; 0 for an empty mask. The caller owns the region.
void CreateSkinSimplyRegion(HRGN& Rgn, TBitmap* Mask, int W = -1, int H = -1);

// The four edge strips of Mask fitted to a W-wide element with the new points and
// client rectangle (H only bounds the side strips); the strips come in the order
// top, left, right, bottom; a strip whose condition fails is left as it was.
void CreateSkinMask(const TPoint& LtPt, const TPoint& RtPt, const TPoint& LbPt, const TPoint& RbPt,
                    const TRect& ClRect, const TPoint& NewLtPt, const TPoint& NewRtPt, const TPoint& NewLbPt,
                    const TPoint& NewRbPt, const TRect& NewClRect, TBitmap* Mask, TBitmap* TopMask,
                    TBitmap* LeftMask, TBitmap* RightMask, TBitmap* BottomMask, int W, int H);

// The region of an eight-point element of size W x H: the new client rectangle
// united with the regions of the four mask strips; 0 when there is none, when
// the target is smaller than the element's fixed parts, or when the strips
// together pass MaxRegionRuns. The caller owns the region.
void CreateSkinRegion(HRGN& Rgn, const TPoint& LtPt, const TPoint& RtPt, const TPoint& LbPt, const TPoint& RbPt,
                      const TRect& ClRect, const TPoint& NewLtPt, const TPoint& NewRtPt, const TPoint& NewLbPt,
                      const TPoint& NewRbPt, const TRect& NewClRect, TBitmap* Mask, int W, int H);

}  // namespace Sputils
