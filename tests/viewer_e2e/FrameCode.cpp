#include "FrameCode.h"

namespace FrameCode {

namespace {
const int Columns = 8, Rows = 4;

int RowBytes(int Width) { return (Width * 3 + 3) & ~3; }

bool BitAt(uint32_t Number, int Row, int Column)
{
    uint32_t byte = (Row % 2 == 0 ? Number : Number >> 8) & 0xFF;
    if (Row >= 2) byte = ~byte & 0xFF;
    return (byte >> Column) & 1;
}

int Luma(uint32_t rgb)
{
    int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return (r * 30 + g * 59 + b * 11) / 100;
}
} // namespace

std::vector<uint8_t> Picture(int Width, int Height, uint32_t Number)
{
    int stride = RowBytes(Width);
    std::vector<uint8_t> dib(static_cast<size_t>(stride) * Height, 128);
    int bw = Width / Columns, bh = Height / Rows;
    for (int top = 0; top < Rows * bh; ++top) {
        uint8_t* row = &dib[static_cast<size_t>(Height - 1 - top) * stride];
        for (int x = 0; x < Columns * bw; ++x) {
            uint8_t v = BitAt(Number, top / bh, x / bw) ? 255 : 0;
            row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = v;
        }
    }
    return dib;
}

bool Read(int Width, int Height, const std::function<uint32_t(int X, int Y)>& Pixel, uint32_t& Number)
{
    int bw = Width / Columns, bh = Height / Rows;
    uint32_t bytes[Rows] = {0, 0, 0, 0};
    for (int r = 0; r < Rows; ++r) {
        for (int c = 0; c < Columns; ++c) {
            // The middle of a block, and two points beside it: all three must agree clearly.
            int cx = c * bw + bw / 2, cy = r * bh + bh / 2;
            int l[3] = {Luma(Pixel(cx, cy)), Luma(Pixel(cx - bw / 4, cy)), Luma(Pixel(cx + bw / 4, cy - bh / 4))};
            bool one = l[0] > 192 && l[1] > 192 && l[2] > 192;
            bool zero = l[0] < 64 && l[1] < 64 && l[2] < 64;
            if (!one && !zero) return false;
            if (one) bytes[r] |= 1u << c;
        }
    }
    if ((bytes[2] ^ bytes[0]) != 0xFF || (bytes[3] ^ bytes[1]) != 0xFF) return false;
    Number = bytes[0] | (bytes[1] << 8);
    return true;
}

} // namespace FrameCode
