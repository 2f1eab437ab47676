// Fixture pictures for the composition and mask tests: 24-bit bitmaps painted one
// flat colour per piece, so that a pixel probe tells which piece landed where.
#pragma once
#include "Bitmap.h"
#include "Canvas.h"
#include <memory>

namespace SkinFixture {

inline std::unique_ptr<TBitmap> NewPicture(int W, int H, TColor Fill)
{
    auto b = std::make_unique<TBitmap>(W, H, pf24bit);
    b->GetCanvas()->GetBrush()->SetColor(Fill);
    b->GetCanvas()->FillRect(TRect(0, 0, W, H));
    return b;
}

inline void Paint(TBitmap* B, const TRect& R, TColor C)
{
    B->GetCanvas()->GetBrush()->SetColor(C);
    B->GetCanvas()->FillRect(R);
}

inline TColor Probe(TBitmap* B, int X, int Y) { return B->GetCanvas()->GetPixel(X, Y) & 0xFFFFFF; }

}  // namespace SkinFixture
