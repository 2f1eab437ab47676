// Fixtures of the skin data tests: a temporary folder, flat-colour pictures and
// a small skin description made from a table, so a probe tells which piece is where.
#pragma once
#include "Bitmap.h"
#include "Streams.h"
#include <string>
#include <vector>

namespace skinfix {

// A fresh folder under the temporary path, removed with everything in it.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    const std::string& Path() const { return FPath; }   // ends with a separator
    std::string File(const std::string& Name) const { return FPath + Name; }
private:
    std::string FPath;
};

// A W x H picture in one colour (24 bits unless asked otherwise).
void PaintFlat(TBitmap& B, int W, int H, TColor Colour, TPixelFormat Format = pf24bit);
// The colour of one pixel, read through the bitmap's canvas.
TColor Probe(TBitmap& B, int X, int Y);
void SaveBmp(TBitmap& B, const std::string& FileName);
std::vector<char> ReadFileBytes(const std::string& FileName);
void WriteFileBytes(const std::string& FileName, const std::vector<char>& Bytes);
std::vector<char> StreamBytes(TMemoryStream& S);

// The pictures of the fixture skin: the main picture red 40x30, the mask
// black 40x30, the inactive picture blue 40x30, two active pictures (green
// 20x10 and yellow 8x6 at 8 bits per pixel).
struct TFixtureSkin {
    bool WithInactive = true;
    bool WithMask = true;
    int ActiveCount = 2;
    // Lines appended to the description (extra sections or keys).
    std::vector<std::string> ExtraLines;
    // Overrides of whole lines "key=value" in [PICTURES] (by key).
    std::vector<std::string> PictureOverrides;
};
// Writes skin.ini and the pictures into Dir; returns the path of skin.ini.
std::string WriteFixtureSkin(const TTempDir& Dir, const TFixtureSkin& Skin = TFixtureSkin());
// The description lines of the fixture skin.
std::vector<std::string> FixtureLines(const TFixtureSkin& Skin);

} // namespace skinfix
