#include "SkinCanvas.h"
#include <algorithm>
#include <cstdio>

namespace Skingen {

static int Clamp8(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

Colour Shade(Colour c, int delta)
{
    return Rgb(Clamp8(int(c & 0xFF) + delta), Clamp8(int((c >> 8) & 0xFF) + delta),
               Clamp8(int((c >> 16) & 0xFF) + delta));
}

SkinCanvas::SkinCanvas(int width, int height, Colour fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), pixels_(size_t(width_) * height_, fill)
{
}

Colour SkinCanvas::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    return pixels_[size_t(y) * width_ + x];
}

void SkinCanvas::SetPixel(int x, int y, Colour c)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    pixels_[size_t(y) * width_ + x] = c;
}

void SkinCanvas::Fill(const Box& b, Colour c)
{
    int l = std::max(b.Left, 0), t = std::max(b.Top, 0);
    int r = std::min(b.Right, width_), btm = std::min(b.Bottom, height_);
    for (int y = t; y < btm; ++y)
        for (int x = l; x < r; ++x)
            pixels_[size_t(y) * width_ + x] = c;
}

void SkinCanvas::Frame(const Box& b, Colour c)
{
    if (b.Width() <= 0 || b.Height() <= 0)
        return;
    Fill(MakeBox(b.Left, b.Top, b.Right, b.Top + 1), c);
    Fill(MakeBox(b.Left, b.Bottom - 1, b.Right, b.Bottom), c);
    Fill(MakeBox(b.Left, b.Top, b.Left + 1, b.Bottom), c);
    Fill(MakeBox(b.Right - 1, b.Top, b.Right, b.Bottom), c);
}

void SkinCanvas::Bevel(const Box& b, Colour face, Colour light, Colour dark, bool sunken)
{
    if (b.Width() <= 0 || b.Height() <= 0)
        return;
    Fill(b, face);
    Colour tl = sunken ? dark : light, br = sunken ? light : dark;
    Fill(MakeBox(b.Left, b.Top, b.Right, b.Top + 1), tl);
    Fill(MakeBox(b.Left, b.Top, b.Left + 1, b.Bottom), tl);
    Fill(MakeBox(b.Left, b.Bottom - 1, b.Right, b.Bottom), br);
    Fill(MakeBox(b.Right - 1, b.Top, b.Right, b.Bottom), br);
}

void SkinCanvas::VerticalRamp(const Box& b, Colour top, Colour bottom)
{
    int h = b.Height();
    if (h <= 0)
        return;
    for (int i = 0; i < h; ++i) {
        auto mix = [&](int shift) {
            int a = int((top >> shift) & 0xFF), z = int((bottom >> shift) & 0xFF);
            return a + (z - a) * i / std::max(h - 1, 1);
        };
        Fill(MakeBox(b.Left, b.Top + i, b.Right, b.Top + i + 1), Rgb(mix(0), mix(8), mix(16)));
    }
}

void SkinCanvas::Checker(const Box& b, Colour a, Colour c, int cell)
{
    cell = std::max(cell, 1);
    for (int y = b.Top; y < b.Bottom; ++y)
        for (int x = b.Left; x < b.Right; ++x)
            SetPixel(x, y, (((x - b.Left) / cell + (y - b.Top) / cell) & 1) ? c : a);
}

void SkinCanvas::RoundCorners(const Box& b, int radius, Colour outside)
{
    for (int dy = 0; dy < radius; ++dy)
        for (int dx = 0; dx < radius; ++dx) {
            int ex = radius - dx, ey = radius - dy;   // distance from the corner circle's centre
            if (ex * ex + ey * ey <= radius * radius)
                continue;
            SetPixel(b.Left + dx, b.Top + dy, outside);
            SetPixel(b.Right - 1 - dx, b.Top + dy, outside);
            SetPixel(b.Left + dx, b.Bottom - 1 - dy, outside);
            SetPixel(b.Right - 1 - dx, b.Bottom - 1 - dy, outside);
        }
}

void SkinCanvas::Crop(int width, int height, Colour fill)
{
    SkinCanvas next(width, height, fill);
    for (int y = 0; y < std::min(height, height_); ++y)
        for (int x = 0; x < std::min(width, width_); ++x)
            next.pixels_[size_t(y) * next.width_ + x] = Pixel(x, y);
    *this = std::move(next);
}

static void Put32(std::vector<uint8_t>& v, size_t at, uint32_t x)
{
    for (int i = 0; i < 4; ++i)
        v[at + i] = uint8_t(x >> (8 * i));
}

std::vector<uint8_t> SkinCanvas::BmpImage() const
{
    const uint32_t stride = (uint32_t(width_) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = stride * uint32_t(height_);
    std::vector<uint8_t> out(54 + pixelBytes, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, 54 + pixelBytes);
    Put32(out, 10, 54);
    Put32(out, 14, 40);
    Put32(out, 18, uint32_t(width_));
    Put32(out, 22, uint32_t(height_));   // positive: rows bottom up, as the platform writes them
    out[26] = 1;                          // planes
    out[28] = 24;                         // bits per pixel
    Put32(out, 34, pixelBytes);
    Put32(out, 38, 2835);                 // 72 dpi
    Put32(out, 42, 2835);
    for (int y = 0; y < height_; ++y) {
        uint8_t* row = &out[54 + size_t(height_ - 1 - y) * stride];
        for (int x = 0; x < width_; ++x) {
            Colour c = pixels_[size_t(y) * width_ + x];
            row[3 * x] = uint8_t(c >> 16);       // blue
            row[3 * x + 1] = uint8_t(c >> 8);    // green
            row[3 * x + 2] = uint8_t(c);         // red
        }
    }
    return out;
}

bool SkinCanvas::SaveBmp(const std::string& path) const
{
    std::vector<uint8_t> img = BmpImage();
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(img.data(), 1, img.size(), f) == img.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace Skingen
