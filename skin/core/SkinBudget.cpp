#include "SkinBudget.h"
#include "StoredSkinStream.h"

namespace Skindata {

void TSkinBudget::AddPictureSlot()
{
    if (++FPictures > MaxSkinPictures)
        throw ESkinDataError("The skin has more than " + std::to_string(MaxSkinPictures) + " pictures");
}

void TSkinBudget::AddPixels(const TBitmap* Bitmap)
{
    if (Bitmap && !Bitmap->Empty()) AddPixels(Bitmap->GetWidth(), Bitmap->GetHeight());
}

void TSkinBudget::AddPixels(long long Width, long long Height)
{
    if (Width <= 0 || Height <= 0) return;
    FPixels += Width * Height;
    if (FPixels > MaxSkinPixels) throw ESkinDataError("The skin's pictures are too large together");
}

void TSkinBudget::AddFileBytes(long long Bytes)
{
    FFileBytes += Bytes > 0 ? Bytes : 0;
    if (FFileBytes > MaxFolderSkinBytes) throw ESkinDataError("The skin's files are too large together");
}

void CheckDescriptionText(const char* Text, size_t Size)
{
    if (static_cast<long long>(Size) > MaxSkinDescriptionBytes)
        throw ESkinDataError("The skin description is too large");
    long long lines = 0, keys = 0;
    bool key = false;
    for (size_t i = 0; i < Size; ++i) {
        const char c = Text[i];
        if (c == '\n' || c == '\r') {
            // CR LF ends one line.
            if (c == '\r' && i + 1 < Size && Text[i + 1] == '\n') ++i;
            ++lines;
            keys += key;
            key = false;
        } else if (c == '=') {
            key = true;
        }
    }
    if (Size > 0) {
        ++lines;
        keys += key;
    }
    if (lines > MaxSkinDescriptionLines) throw ESkinDataError("The skin description has too many lines");
    if (keys > MaxSkinDescriptionKeys) throw ESkinDataError("The skin description has too many keys");
}

void CheckCursorSlots(int Start, int Count)
{
    if (Count < 0 || Count > MaxSkinCursors) throw ESkinDataError("The skin has too many cursors");
    // Compared as a difference: Start + Count may not fit an int.
    if (Start < 1 || Start > MaxSkinCursorSlot - Count + 1)
        throw ESkinDataError("The skin's cursor slots are not valid");
}

} // namespace Skindata
