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

// The eight points of an eight-point skin rectangle: the four corner points
// (where the edges between the fixed corners start and end) and the client
// rectangle.
struct TEightPoints {
    TPoint LeftTop, RightTop, LeftBottom, RightBottom;
    TRect Client;
    // The points of the same frame made DW wider and DH higher: the right points
    // move right, the bottom points down, and the client rectangle grows.
    TEightPoints Grown(int DW, int DH) const;
};

// Which edges are stretched over their new length; the others are repeated.
struct TEdgeStretch {
    bool Left = false, Top = false, Right = false, Bottom = false;
};

// What an eight-point image is composed from, and its size.
struct TSkinImageArgs {
    TEightPoints Skin;            // the points in the skin rectangle
    TEightPoints Target;          // where they go in the new image
    TBitmap* Source = nullptr;    // the skin picture
    TRect SourceRect;             // the skin rectangle in Source
    int Width = 0, Height = 0;    // the new image's size
    bool DrawClient = true;       // the client rectangle repeated over the new one
    TEdgeStretch Stretch;         // read by CreateSkinImageBS and CreateSkinBorderImages
};

// Eight-point image: fixed corners, edges repeated between the points, the client
// rectangle repeated over the new client rectangle when DrawClient is set.
void CreateSkinImage(TBitmap* Dest, const TSkinImageArgs& A);
// Eight-point image open to the right: no right band.
void CreateSkinImage2(TBitmap* Dest, const TSkinImageArgs& A);
// Eight-point image whose edges are each repeated or, with their flag, stretched.
void CreateSkinImageBS(TBitmap* Dest, const TSkinImageArgs& A);

// The four border strips of an eight-point frame as separate bitmaps; a strip
// whose condition fails (or that is null here) is left as it was. DrawClient is
// not read.
struct TSkinBorderImages {
    TBitmap* Left = nullptr;
    TBitmap* Top = nullptr;
    TBitmap* Right = nullptr;
    TBitmap* Bottom = nullptr;
};
void CreateSkinBorderImages(const TSkinBorderImages& Dest, const TSkinImageArgs& A);

}  // namespace Sputils
