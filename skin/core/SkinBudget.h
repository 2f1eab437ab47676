// What one skin may cost once it is decoded. The byte-level reader bounds each
// part on its own (sizes, counts, inflate limits, picture headers); a skin comes
// from anywhere, though, and small files can still ask for tens of thousands of
// pictures or a description of millions of lines. These bounds hold for the
// whole skin while it loads; a skin over any of them is refused like a damaged
// one, so the skin in use stays. Each bound is far above what real skins need:
// our shipped skins use about 60 pictures, 0.6 million pixels and 2,000 lines.
#pragma once
#include "Bitmap.h"
#include <string>

namespace Skindata {

// Further pictures of a skin. Every picture is a GDI bitmap, and a process has
// 10,000 GDI objects in all: with tens of thousands of pictures later bitmaps
// and fonts fail and nothing paints. The records index pictures freely, but one
// skin describes a few hundred elements at most.
constexpr int MaxSkinPictures = 2048;
// Decoded pixels of all pictures together, main pictures included: 64 million
// pixels is 256 MB at 32 bits, a full-screen picture at 4K forty times over.
constexpr long long MaxSkinPixels = 64LL * 1024 * 1024;
// The description text. Ours is under 100 KB; every line becomes a parsed key
// and a record field, so the text is bounded before it is parsed.
constexpr long long MaxSkinDescriptionBytes = 8LL * 1024 * 1024;
constexpr int MaxSkinDescriptionLines = 200000;
constexpr int MaxSkinDescriptionKeys = 100000;
// All files a folder skin reads together: the list may name one large picture
// file thousands of times, each within the per-file bound.
constexpr long long MaxFolderSkinBytes = 256LL * 1024 * 1024;
// Cursor slots of a folder skin: from startcursorindex up. The screen numbers
// cursors with 16 bits and keeps the negative ones for built-in cursors, so the
// last slot must stay a positive 16-bit number.
constexpr int MaxSkinCursors = 256;
constexpr int MaxSkinCursorSlot = 32767;

// Counts what one load has taken so far; each call raises ESkinDataError when
// the skin goes over a bound.
class TSkinBudget {
public:
    // A further picture is about to be read (main pictures are not counted here).
    void AddPictureSlot();
    // A decoded picture: its pixels count against the total.
    void AddPixels(const TBitmap* Bitmap);
    void AddPixels(long long Width, long long Height);
    // Bytes a folder skin read from its files.
    void AddFileBytes(long long Bytes);

    int Pictures() const { return FPictures; }
    long long Pixels() const { return FPixels; }

private:
    int FPictures = 0;
    long long FPixels = 0;
    long long FFileBytes = 0;
};

// Raises ESkinDataError when a description text of Size bytes at Text has more
// lines or keys ("name=value" lines) than a skin may.
void CheckDescriptionText(const char* Text, size_t Size);
// Raises ESkinDataError when Count cursors from slot Start would leave the slots a skin may use.
void CheckCursorSlots(int Start, int Count);

} // namespace Skindata

// Largest text height a skin may ask for, applied wherever a skin's font height
// reaches a font. Wine rasterises a font tens of thousands of pixels high for
// seconds on its first text (a height of 40000 took 10 to 16 s per draw in a
// probe), so a hostile skin would freeze every paint; no skin text needs more.
constexpr int MaxSkinFontHeight = 256;
inline int ClampFontHeight(int H)
{
    return H > MaxSkinFontHeight ? MaxSkinFontHeight : (H < -MaxSkinFontHeight ? -MaxSkinFontHeight : H);
}
