// Composition of skin images: a rectangle cut out of a skin picture is fitted to a
// control's size by copying fixed parts and repeating (or stretching) the parts in
// between. Every routine only draws; the skinned controls compute the geometry.
#pragma once
#include "Bitmap.h"
#include "Canvas.h"
#include "Types.h"
#include <vector>

namespace Sputils {

// One repetition of a source segment of length SegLen over the span From..To:
// tile i starts at From + i * SegLen; its length is SegLen, or less for the last
// tile, which is cut to end exactly at To.
struct TTile {
    int Start;
    int Length;
};

// The tiles of a span, in drawing order. A segment of length 0 or less, or a span
// that ends before it starts, has no tiles; a tile cut to nothing is left out.
std::vector<TTile> TileSpan(int From, int To, int SegLen);
// The same, limited to the tiles that overlap Lo..Hi (a target's extent), so that a
// span from damaged geometry costs nothing outside the target.
std::vector<TTile> TileSpan(int From, int To, int SegLen, int Lo, int Hi);

// Copies Source's rectangle S (scaled when the sizes differ) to Dest's rectangle D.
// Empty or inverted rectangles draw nothing; S is first clipped to Source's picture
// (D shrinks in proportion) so that no piece reads outside the picture.
void CopyPiece(TCanvas* Dest, const TRect& D, TBitmap* Source, const TRect& S);

// Horizontal three-part image: Dest becomes AW x height of R; H is not used.
void CreateHSkinImage(int LO, int RO, TBitmap* Dest, TBitmap* Source, const TRect& R, int AW, int AH);
// Vertical three-part image: Dest becomes width of R x AH; W is not used.
void CreateVSkinImage(int TpO, int BO, TBitmap* Dest, TBitmap* Source, const TRect& R, int AW, int AH);
// Fixed left part, the middle repeated up to the right edge.
void CreateHSkinImage2(int LO, int RO, TBitmap* Dest, TBitmap* Source, const TRect& R, int AW, int AH);
// The middle repeated over the whole width.
void CreateHSkinImage3(int LO, int RO, TBitmap* Dest, TBitmap* Source, const TRect& R, int AW, int AH);

// Eight-point image: fixed corners, edges repeated between the points, the client
// rectangle repeated over the new client rectangle when DrawClient is set.
void CreateSkinImage(const TPoint& LtPt, const TPoint& RtPt, const TPoint& LbPt, const TPoint& RbPt,
                     const TRect& ClRect, const TPoint& NewLtPt, const TPoint& NewRtPt, const TPoint& NewLbPt,
                     const TPoint& NewRbPt, const TRect& NewClRect, TBitmap* Dest, TBitmap* Source,
                     const TRect& R, int AW, int AH, bool DrawClient);
// Eight-point image open to the right: no right band.
void CreateSkinImage2(const TPoint& LtPt, const TPoint& RtPt, const TPoint& LbPt, const TPoint& RbPt,
                      const TRect& ClRect, const TPoint& NewLtPt, const TPoint& NewRtPt, const TPoint& NewLbPt,
                      const TPoint& NewRbPt, const TRect& NewClRect, TBitmap* Dest, TBitmap* Source,
                      const TRect& R, int AW, int AH, bool DrawClient);
// Eight-point image whose edges are each repeated or, with their flag, stretched.
void CreateSkinImageBS(const TPoint& LtPt, const TPoint& RtPt, const TPoint& LbPt, const TPoint& RbPt,
                       const TRect& ClRect, const TPoint& NewLtPt, const TPoint& NewRtPt, const TPoint& NewLbPt,
                       const TPoint& NewRbPt, const TRect& NewClRect, TBitmap* Dest, TBitmap* Source,
                       const TRect& R, int AW, int AH, bool DrawClient, bool LeftStretch, bool TopStretch,
                       bool RightStretch, bool BottomStretch);
// The four border strips of an eight-point frame as separate bitmaps (left, top,
// right, bottom in this order); a strip whose condition fails is left as it was.
void CreateSkinBorderImages(const TPoint& LtPt, const TPoint& RtPt, const TPoint& LbPt, const TPoint& RbPt,
                            const TRect& ClRect, const TPoint& NewLtPt, const TPoint& NewRtPt,
                            const TPoint& NewLbPt, const TPoint& NewRbPt, const TRect& NewClRect,
                            TBitmap* LeftB, TBitmap* TopB, TBitmap* RightB, TBitmap* BottomB, TBitmap* Source,
                            const TRect& R, int AW, int AH, bool LeftStretch, bool TopStretch,
                            bool RightStretch, bool BottomStretch);

}  // namespace Sputils
