#include "StoredSkinStream.h"
#include "Graphic.h"
#include "SkinBudget.h"
#include <cstring>

namespace {

int BmpStride(int Width, int Bits) { return ((Width * Bits + 31) / 32) * 4; }

[[noreturn]] void Bad() { throw EInvalidGraphic("Bitmap image is not valid"); }

// Checks the headers of one BMP file image (File holds it whole) so that the
// platform decoder only ever sees an image whose parts lie inside it.
void CheckBmpImage(const std::vector<unsigned char>& File, Skindata::TSkinBudget* Budget)
{
    BITMAPFILEHEADER fh;
    std::memcpy(&fh, File.data(), sizeof(fh));
    const size_t total = File.size();
    const unsigned char* info = File.data() + sizeof(fh);
    DWORD hsize;
    std::memcpy(&hsize, info, 4);
    if (hsize != sizeof(BITMAPCOREHEADER) && hsize != sizeof(BITMAPINFOHEADER) && hsize != sizeof(BITMAPV4HEADER) &&
        hsize != sizeof(BITMAPV5HEADER))
        Bad();
    if (sizeof(fh) + hsize > total) Bad();
    long long width, height;
    int bits, planes;
    DWORD compression = BI_RGB, clrUsed = 0;
    size_t entry = 4;
    if (hsize == sizeof(BITMAPCOREHEADER)) {
        BITMAPCOREHEADER ch;
        std::memcpy(&ch, info, sizeof(ch));
        width = ch.bcWidth;
        height = ch.bcHeight;
        bits = ch.bcBitCount;
        planes = ch.bcPlanes;
        entry = 3;
    } else {
        BITMAPINFOHEADER bih;
        std::memcpy(&bih, info, sizeof(bih));
        width = bih.biWidth;
        height = bih.biHeight;
        bits = bih.biBitCount;
        planes = bih.biPlanes;
        compression = bih.biCompression;
        clrUsed = bih.biClrUsed;
    }
    if (height < 0) height = -height;
    if (planes != 1 || width <= 0 || height <= 0 || width > 32767 || height > 32767) Bad();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) Bad();
    // Run-length and embedded formats are not used by skins; refusing them keeps
    // the pixel data length known before anything is allocated.
    if (compression != BI_RGB && !(compression == BI_BITFIELDS && (bits == 16 || bits == 32))) Bad();
    size_t colours = 0;
    if (bits <= 8) {
        if (clrUsed > (1u << bits)) Bad();
        colours = clrUsed ? clrUsed : (1u << bits);
    } else if (clrUsed > 256) {
        Bad();
    }
    size_t masks = (compression == BI_BITFIELDS && hsize == sizeof(BITMAPINFOHEADER)) ? 3 * 4 : 0;
    size_t tableEnd = sizeof(fh) + hsize + masks + (bits <= 8 ? colours * entry : 0);
    if (tableEnd > total) Bad();
    size_t offBits = fh.bfOffBits ? fh.bfOffBits : tableEnd;
    if (offBits < tableEnd || offBits > total) Bad();
    unsigned long long rows = static_cast<unsigned long long>(BmpStride(static_cast<int>(width), bits)) *
                              static_cast<unsigned long long>(height);
    if (rows > total - offBits) Bad();
    // Counted before the platform decodes it: the pixels are what a picture costs.
    if (Budget) Budget->AddPixels(width, height);
}

} // namespace

namespace Skindata {

void ReadBitmapImage(TStream* Stream, TBitmap* Bitmap, TSkinBudget* Budget)
{
    BITMAPFILEHEADER fh;
    Stream->ReadBuffer(&fh, sizeof(fh));
    if (fh.bfType != 0x4D42) Bad();
    long long left = Stream->GetSize() - Stream->GetPosition();
    long long total = fh.bfSize;
    // The file header's size is the image's length: it must cover the headers
    // and lie inside the stream.
    if (total < static_cast<long long>(sizeof(fh) + sizeof(BITMAPCOREHEADER)) || total > MaxSkinImageBytes) Bad();
    if (total - static_cast<long long>(sizeof(fh)) > left) throw EReadError("Stream read error");
    std::vector<unsigned char> file(static_cast<size_t>(total));
    std::memcpy(file.data(), &fh, sizeof(fh));
    Stream->ReadBuffer(file.data() + sizeof(fh), static_cast<long>(total - sizeof(fh)));
    CheckBmpImage(file, Budget);
    TMemoryStream image;
    image.WriteBuffer(file.data(), static_cast<long>(file.size()));
    image.SetPosition(0);
    Bitmap->LoadFromStream(&image);
}

void LoadBitmapFile(const std::string& FileName, TBitmap* Bitmap, TSkinBudget* Budget)
{
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    if (Budget) Budget->AddFileBytes(f.GetSize());
    ReadBitmapImage(&f, Bitmap, Budget);
}

void CheckSkinFileSize(const std::string& FileName)
{
    WIN32_FILE_ATTRIBUTE_DATA fa;
    if (!GetFileAttributesExA(FileName.c_str(), GetFileExInfoStandard, &fa)) return;
    unsigned long long size = (static_cast<unsigned long long>(fa.nFileSizeHigh) << 32) | fa.nFileSizeLow;
    if (size > static_cast<unsigned long long>(MaxSkinDescriptionBytes))
        throw ESkinDataError("Skin file \"" + FileName + "\" is too large");
}

std::string ReadDescriptionFile(const std::string& FileName)
{
    // No file is no description (the caller finds no sections), not an error.
    if (!FileExists(FileName)) return std::string();
    CheckSkinFileSize(FileName);
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    const long long size = f.GetSize();
    if (size > MaxSkinDescriptionBytes) throw ESkinDataError("Skin file \"" + FileName + "\" is too large");
    std::string text(static_cast<size_t>(size), '\0');
    if (!text.empty()) f.ReadBuffer(&text[0], static_cast<long>(text.size()));
    CheckDescriptionText(text.data(), text.size());
    return text;
}

void WriteBitmapImage(TStream* Stream, TBitmap* Bitmap)
{
    Bitmap->SaveToStream(Stream);
}

bool IsSafeFileName(const std::string& Name)
{
    if (Name.empty() || Name.find("..") != std::string::npos) return false;
    for (unsigned char c : Name)
        if (c == '\\' || c == '/' || c == ':' || c < 0x20) return false;
    return true;
}

bool KindIncludes(int Kind, TspMainPicture Picture)
{
    switch (Picture) {
    case mpPicture:
    case mpMask: return true;
    case mpInActivePicture: return Kind == 2 || Kind == 3;
    case mpRollUpPicture:
    case mpRollUpMask: return Kind == 1 || Kind == 2;
    }
    return false;
}

} // namespace Skindata

TspStoredSkinStream::TspStoredSkinStream()
{
    for (auto& p : MainPictures) p = std::make_unique<TBitmap>();
}

namespace {

int ReadInt32(TStream* Stream)
{
    int32_t v;
    Stream->ReadBuffer(&v, 4);
    return v;
}

void SplitLines(const std::string& Text, std::vector<std::string>& Lines)
{
    Lines.clear();
    size_t start = 0;
    const size_t n = Text.size();
    while (start < n) {
        size_t end = Text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            Lines.push_back(Text.substr(start));
            break;
        }
        Lines.push_back(Text.substr(start, end - start));
        start = end + ((Text[end] == '\r' && end + 1 < n && Text[end + 1] == '\n') ? 2 : 1);
    }
}

} // namespace

bool TspStoredSkinStream::ReadFrom(TStream* Stream)
{
    Skindata::TSkinBudget budget;
    Kind = ReadInt32(Stream);
    if (Kind > 3) return false;
    for (int i = 0; i < MainPictureCount; ++i) {
        MainPictures[i] = std::make_unique<TBitmap>();
        if (!Skindata::KindIncludes(Kind, static_cast<TspMainPicture>(i))) continue;
        unsigned char empty;
        Stream->ReadBuffer(&empty, 1);
        if (!empty) Skindata::ReadBitmapImage(Stream, MainPictures[i].get(), &budget);
    }
    int count = ReadInt32(Stream);
    ActivePictures.clear();
    if (count > Skindata::MaxSkinPictures)
        throw ESkinDataError("The skin has more than " + std::to_string(Skindata::MaxSkinPictures) + " pictures");
    // Each image needs at least its two headers: a count larger than the bytes
    // left could hold is a damaged stream, not a reason to allocate.
    long long left = Stream->GetSize() - Stream->GetPosition();
    constexpr long long minImage = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPCOREHEADER);
    if (count > 0 && count > left / minImage) throw ESkinDataError("Skin picture count is not valid");
    for (int i = 0; i < count; ++i) {
        budget.AddPictureSlot();
        auto b = std::make_unique<TBitmap>();
        Skindata::ReadBitmapImage(Stream, b.get(), &budget);
        ActivePictures.push_back(std::move(b));
    }
    // The description is bounded before it is copied out of the stream.
    left = Stream->GetSize() - Stream->GetPosition();
    if (left > Skindata::MaxSkinDescriptionBytes) throw ESkinDataError("The skin description is too large");
    Text.assign(static_cast<size_t>(left > 0 ? left : 0), '\0');
    if (!Text.empty()) Stream->ReadBuffer(&Text[0], static_cast<long>(Text.size()));
    Skindata::CheckDescriptionText(Text.data(), Text.size());
    return true;
}

std::vector<std::string> TspStoredSkinStream::DescriptionLines() const
{
    std::vector<std::string> lines;
    SplitLines(Text, lines);
    return lines;
}

void TspStoredSkinStream::SetDescriptionLines(const std::vector<std::string>& Lines)
{
    Text.clear();
    for (const auto& line : Lines) Text += line + "\r\n";
}

void TspStoredSkinStream::WriteTo(TStream* Stream) const
{
    TBitmap* main[MainPictureCount];
    for (int i = 0; i < MainPictureCount; ++i) main[i] = MainPictures[i].get();
    std::vector<TBitmap*> active;
    for (const auto& p : ActivePictures) active.push_back(p.get());
    Write(Stream, main, active, std::vector<std::string>());
    // The description as it was read: written whole, not line by line.
    if (!Text.empty()) Stream->WriteBuffer(Text.data(), static_cast<long>(Text.size()));
}

void TspStoredSkinStream::Write(TStream* Stream, TBitmap* const (&Main)[MainPictureCount],
                                const std::vector<TBitmap*>& Active, const std::vector<std::string>& Lines)
{
    int32_t kind = 2;
    Stream->WriteBuffer(&kind, 4);
    for (TBitmap* p : Main) {
        unsigned char empty = (!p || p->Empty()) ? 1 : 0;
        Stream->WriteBuffer(&empty, 1);
        if (!empty) Skindata::WriteBitmapImage(Stream, p);
    }
    int32_t count = static_cast<int32_t>(Active.size());
    Stream->WriteBuffer(&count, 4);
    for (TBitmap* p : Active) {
        if (p && !p->Empty()) {
            Skindata::WriteBitmapImage(Stream, p);
            continue;
        }
        // The count promises an image for every index; an empty picture is
        // written as one pixel so that later indexes keep their pictures.
        TBitmap dot(1, 1, pf24bit);
        Skindata::WriteBitmapImage(Stream, &dot);
    }
    for (const auto& line : Lines) {
        if (!line.empty()) Stream->WriteBuffer(line.data(), static_cast<long>(line.size()));
        Stream->WriteBuffer("\r\n", 2);
    }
}
