// Small drawing routines that the skinned controls use where no skin picture
// covers a detail (text placement, arrows, check marks, caption-button glyphs),
// and the rectangle arithmetic they share.
#pragma once
#include "Bitmap.h"
#include "Canvas.h"
#include "SkinLooks.h"
#include "Types.h"
#include <string>

// Where an arrow glyph points; adNone draws none.
enum TspArrowDirection { adNone, adLeft, adRight, adUp, adDown };

namespace Sputils {

// Text.
void CorrectTextbyWidth(TCanvas* C, std::string& S, int W);
void SPDrawText(TCanvas* Cnvs, const std::string& S, const TRect& R);
void SPDrawText2(TCanvas* Cnvs, const std::string& S, const TRect& R);
void SPDrawText3(TCanvas* Cnvs, const std::string& S, const TRect& R, int HOffset);

// Glyphs drawn with lines in the given colour.
void DrawTrackArrowImage(TCanvas* Cnvs, const TRect& R, TColor Color);
void DrawArrowImage(TCanvas* Cnvs, const TRect& R, TColor Color, TspArrowDirection Direction);
void DrawRadioImage(TCanvas* Cnvs, int X, int Y, TColor Color);
void DrawCheckImage(TCanvas* Cnvs, int X, int Y, TColor Color);
// Cell GlyphNum (from 1) of a strip of GlyphCount equal cells, drawn transparent.
void DrawGlyph(TCanvas* Cnvs, int X, int Y, TBitmap* FGlyph, int FNumGlyphs, int FGlyphNum);
void DrawCloseImage(TCanvas* C, int X, int Y, TColor Color);
void DrawRCloseImage(TCanvas* C, const TRect& R, TColor Color);
void DrawSysMenuImage(TCanvas* C, int X, int Y, TColor Color);
void DrawMinimizeImage(TCanvas* C, int X, int Y, TColor Color);
void DrawMaximizeImage(TCanvas* C, int X, int Y, TColor Color);
void DrawRestoreImage(TCanvas* C, int X, int Y, TColor Color);
void DrawRollUpImage(TCanvas* C, int X, int Y, TColor Color);
void DrawRestoreRollUpImage(TCanvas* C, int X, int Y, TColor Color);
void DrawMTImage(TCanvas* C, int X, int Y, TColor Color);
void Frm3D(TCanvas* Canvas, const TRect& Rect, TColor TopColor, TColor BottomColor);
// R filled and framed in the plain look of State (the brush keeps its style).
void DrawPlainFace(TCanvas* C, const TRect& R, TspLookState State);

// Rectangle arithmetic.
int Max(int A, int B);
int Min(int A, int B);
TRect NullRect();
bool IsNullRect(const TRect& R);
bool IsNullPoint(const TPoint& P);
bool PointInRect(const TRect& R, const TPoint& P);
bool RectInRect(const TRect& R1, const TRect& R2);
void RectToCenter(TRect& R, const TRect& Bounds);
int RectWidth(const TRect& R);
int RectHeight(const TRect& R);
bool EqRects(const TRect& R1, const TRect& R2);

}  // namespace Sputils
