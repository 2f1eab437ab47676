// The stored skin stream: what a compressed skin block inflates to. A kind word,
// the main pictures that the kind includes (each an empty flag and a BMP file
// image), the further pictures, and the description text. Reading treats the
// stream as untrusted: every length is checked against the bytes present.
#pragma once
#include "Bitmap.h"
#include "Streams.h"
#include "SysUtils.h"
#include <memory>
#include <string>
#include <vector>

// A skin that is malformed beyond what the platform's own errors describe.
class ESkinDataError : public Exception { public: using Exception::Exception; };

// Index of the five main pictures, in the order the formats and writers use.
enum TspMainPicture { mpPicture, mpInActivePicture, mpMask, mpRollUpPicture, mpRollUpMask };
constexpr int MainPictureCount = 5;

// Largest BMP image taken from a skin (file or stream); far above any real skin picture.
constexpr long long MaxSkinImageBytes = 64LL * 1024 * 1024;

namespace Skindata {

class TSkinBudget;

// Reads exactly one BMP file image from Stream into Bitmap, its length taken from
// its file header and checked against its own headers and the bytes left; the
// stream stands right after the image. EInvalidGraphic or EReadError otherwise.
// With a budget, the picture's pixels count against it before it is decoded.
void ReadBitmapImage(TStream* Stream, TBitmap* Bitmap, TSkinBudget* Budget = nullptr);
// Loads a BMP file by the same rules; with a budget its bytes count too.
void LoadBitmapFile(const std::string& FileName, TBitmap* Bitmap, TSkinBudget* Budget = nullptr);
// Raises ESkinDataError when FileName exists and is larger than any skin
// description needs to be; a description is read whole, so its size is bounded first.
void CheckSkinFileSize(const std::string& FileName);
// The whole text of a description file, checked against the description bounds;
// empty when there is no such file.
std::string ReadDescriptionFile(const std::string& FileName);
// Writes Bitmap as a BMP file image (nothing for an empty bitmap).
void WriteBitmapImage(TStream* Stream, TBitmap* Bitmap);

// True when Name is a plain file name: not empty, no path separator, no drive,
// no "..", no control characters. Picture and cursor names of a skin must be.
bool IsSafeFileName(const std::string& Name);

// Which main pictures a stored skin stream of this kind carries (kind <= 3).
bool KindIncludes(int Kind, TspMainPicture Picture);

} // namespace Skindata

// The decoded content of one stored skin stream.
class TspStoredSkinStream {
public:
    TspStoredSkinStream();
    int Kind = 2;
    std::unique_ptr<TBitmap> MainPictures[MainPictureCount];
    std::vector<std::unique_ptr<TBitmap>> ActivePictures;
    // The description text as stored (CR LF lines). Kept as one text: a
    // description is parsed straight from it, never copied line by line.
    std::string Text;
    std::vector<std::string> DescriptionLines() const;
    void SetDescriptionLines(const std::vector<std::string>& Lines);

    // Reads a whole stream from its current position. False (and nothing read
    // past the kind) when the kind is above 3; raises on any malformed part and
    // on a skin over the bounds of SkinBudget.h.
    bool ReadFrom(TStream* Stream);
    // Writes kind 2 with all five main picture entries.
    void WriteTo(TStream* Stream) const;
    // The same from pictures that someone else owns (null or empty: no picture).
    static void Write(TStream* Stream, TBitmap* const (&Main)[MainPictureCount], const std::vector<TBitmap*>& Active,
                      const std::vector<std::string>& Lines);
};
