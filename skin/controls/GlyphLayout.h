// Placement of a glyph (one cell of a strip, or an image of a list) and a caption
// inside a rectangle, as every button-like skinned control draws its face.
#pragma once
#include "Bitmap.h"
#include "Canvas.h"
#include "ImgList.h"
#include <string>

enum TspButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

namespace Skinctrls {

// Margin -1 centres glyph and caption together; 0 or more is the distance from
// the edge on the glyph's side. A layout outside the four leaves the outputs.
void CalcGlyphTextLayout(int Layout, const TRect& R, int GW, int GH, int TW, int TH, int S, int M, int& TX,
                         int& TY, int& GX, int& GY);
// Cell GlyphNum (1..NumGlyphs) of Glyph with Caption, in the canvas's current font.
void DrawGlyphAndText(TCanvas* Cnvs, const TRect& R, int Margin, int Spacing, TspButtonLayout Layout,
                      const std::string& Caption, TBitmap* Glyph, int NumGlyphs, int GlyphNum, bool Down);
void DrawImageAndText(TCanvas* Cnvs, const TRect& R, int Margin, int Spacing, TspButtonLayout Layout,
                      const std::string& Caption, int ImageIndex, TCustomImageList* IL, bool Down, bool Enabled);

}  // namespace Skinctrls
