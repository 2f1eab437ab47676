// Fixture pictures for the composition and mask tests: 24-bit bitmaps painted one
// flat colour per piece, so that a pixel probe tells which piece landed where.
#pragma once
#include "Bitmap.h"
#include "Canvas.h"
#include "SkinTestKit.h"
#include <memory>

namespace SkinFixture {

// Pictures, probes, shots and artefacts (SkinTestKit.h).
using namespace SkinKit;

}  // namespace SkinFixture
