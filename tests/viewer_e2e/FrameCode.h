// Test pictures that carry their frame number in large black and white
// blocks, so the number can be read back from the screen after MPEG-4
// compression, decoding and stretching: four rows of eight blocks; rows 0
// and 1 hold bits 0-7 and 8-15, rows 2 and 3 their complements (a check that
// the picture is one of ours, and whole: a screen read half-way through a
// repaint has rows of two pictures, which do not match).
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace FrameCode {

// A 24-bit bottom-up DIB (rows padded to 4 bytes) showing Number.
std::vector<uint8_t> Picture(int Width, int Height, uint32_t Number);

// Reads the number from a picture of Width x Height whose pixel (x, y) (top
// row 0) Pixel returns as 0x00RRGGBB. False when it is not one of ours (the
// buffering view, a picture in between, something else).
bool Read(int Width, int Height, const std::function<uint32_t(int X, int Y)>& Pixel, uint32_t& Number);

} // namespace FrameCode
