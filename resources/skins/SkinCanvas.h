// Pixel canvas of the skin generator: 24-bit pixels in plain memory, so the
// pictures come out byte for byte the same on every machine and need no display.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace Skingen {

struct Box {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
};

inline Box MakeBox(int l, int t, int r, int b) { return Box{l, t, r, b}; }

// Colours are 0x00BBGGRR, as the skin description writes them.
using Colour = uint32_t;
inline Colour Rgb(int r, int g, int b) { return Colour(r) | (Colour(g) << 8) | (Colour(b) << 16); }
Colour Shade(Colour c, int delta);   // every channel moved by delta, clamped

class SkinCanvas {
public:
    SkinCanvas() = default;
    SkinCanvas(int width, int height, Colour fill);
    int Width() const { return width_; }
    int Height() const { return height_; }
    Colour Pixel(int x, int y) const;
    void SetPixel(int x, int y, Colour c);
    void Fill(const Box& b, Colour c);                 // clipped to the canvas
    void Frame(const Box& b, Colour c);                // 1-pixel outline
    // A raised (or sunken) bevel: light top-left, dark bottom-right, face inside.
    void Bevel(const Box& b, Colour face, Colour light, Colour dark, bool sunken = false);
    // Horizontal bands shading from top to bottom, for captions and bars.
    void VerticalRamp(const Box& b, Colour top, Colour bottom);
    void Checker(const Box& b, Colour a, Colour c, int cell);
    // Cut the rectangle's corners to a rounded shape of the given radius.
    void RoundCorners(const Box& b, int radius, Colour outside);
    void Crop(int width, int height, Colour fill);     // grows or shrinks, keeping the top-left
    // A 24-bit bottom-up BMP file image.
    std::vector<uint8_t> BmpImage() const;
    bool SaveBmp(const std::string& path) const;

private:
    int width_ = 0, height_ = 0;
    std::vector<Colour> pixels_;
};

} // namespace Skingen
