// Drawing routines shared by the skinned page and tab controls: a tab bitmap
// turned a quarter turn either way (side tabs), a tab's image beside its text,
// and a picture piece tiled over an area.
#pragma once
#include "Types.h"
#include <string>

class TBitmap;
class TCanvas;
class TCustomImageList;

namespace Skintabs {

// Draws B turned a quarter turn counter-clockwise (its top row becomes the left
// column, read upwards) with its top-left corner at (X, Y).
void DrawRotate90_1(TCanvas* Cnvs, TBitmap* B, int X, int Y);
// The same, clockwise: the top row becomes the right column, read downwards.
void DrawRotate90_2(TCanvas* Cnvs, TBitmap* B, int X, int Y);
// The image ImageIndex of IL and the text, side by side and centred in W x H.
void DrawTabImageAndText(TCanvas* Cnvs, int W, int H, const std::string& Text, TCustomImageList* IL,
                         int ImageIndex, bool Enabled);
// Tiles the piece S of Picture over D from D's top-left corner, the last column and
// row cut to D. A piece with nothing inside the picture tiles nothing.
void TilePiece(TCanvas* Cnvs, const TRect& D, TBitmap* Picture, const TRect& S);

}  // namespace Skintabs
