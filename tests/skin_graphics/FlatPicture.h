// Fixture pictures for the composition and mask tests: 24-bit bitmaps painted one
// flat colour per piece, so that a pixel probe tells which piece landed where.
#pragma once
#include "Bitmap.h"
#include "Canvas.h"
#include "SkinTestKit.h"
#include <memory>

namespace SkinFixture {

using SkinKit::NewPicture;
using SkinKit::Paint;
using SkinKit::Probe;

}  // namespace SkinFixture
