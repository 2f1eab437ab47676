// The budget of one skin: too many pictures, too many pixels, a description too
// large or of too many lines or keys, a folder skin reading too many bytes, and
// cursor slots out of range are refused while loading, like a damaged skin: the
// skin in use stays. Just inside each bound a skin still loads.
#include "test_gtest.h"
#include "SkinTestKit.h"
#include "SkinData.h"
#include "skin_data_fixtures.h"
#include <cstring>

using namespace skinfix;

namespace {

// A BMP file image of W x H pixels at 1 bit per pixel (all black), its file
// padded with zeros to FileSize bytes when that is larger.
std::vector<char> Bmp1(int W, int H, size_t FileSize = 0)
{
    const DWORD stride = ((W + 31) / 32) * 4;
    const DWORD offBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 8;
    size_t size = offBits + static_cast<size_t>(stride) * H;
    if (FileSize > size) size = FileSize;
    std::vector<char> v(size, 0);
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfSize = static_cast<DWORD>(size);
    fh.bfOffBits = offBits;
    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof(ih);
    ih.biWidth = W;
    ih.biHeight = H;
    ih.biPlanes = 1;
    ih.biBitCount = 1;
    ih.biCompression = BI_RGB;
    ih.biClrUsed = 2;
    std::memcpy(v.data(), &fh, sizeof(fh));
    std::memcpy(v.data() + sizeof(fh), &ih, sizeof(ih));
    std::memset(v.data() + sizeof(fh) + sizeof(ih) + 4, 0xFF, 3);   // colour 1 white
    return v;
}

void Put32(std::vector<char>& V, int32_t X)
{
    const char* p = reinterpret_cast<const char*>(&X);
    V.insert(V.end(), p, p + 4);
}

std::string Join(const std::vector<std::string>& Lines)
{
    std::string t;
    for (const auto& l : Lines) t += l + "\r\n";
    return t;
}

// A stored skin stream: Main as the main picture, Count copies of Each as the
// further pictures, then Text.
std::vector<char> Plain(const std::vector<char>& Main, int Count, const std::vector<char>& Each, const std::string& Text)
{
    std::vector<char> v;
    Put32(v, 2);
    v.push_back(0);
    v.insert(v.end(), Main.begin(), Main.end());
    for (int i = 1; i < MainPictureCount; ++i) v.push_back(1);
    Put32(v, Count);
    if (!Each.empty())
        for (int i = 0; i < Count; ++i) v.insert(v.end(), Each.begin(), Each.end());
    v.insert(v.end(), Text.begin(), Text.end());
    return v;
}

// The .skn file of a stored skin stream.
std::vector<char> Skn(const std::vector<char>& Plain)
{
    TMemoryStream packed;
    {
        TCompressionStream c(TCompressionLevel::clFastest, &packed);
        c.WriteBuffer(Plain.data(), static_cast<long>(Plain.size()));
        c.Finish();
    }
    std::vector<char> block = StreamBytes(packed);
    std::vector<char> v;
    Put32(v, 2);
    Put32(v, static_cast<int32_t>(block.size()));
    v.insert(v.end(), block.begin(), block.end());
    return v;
}

std::string Repeat(const std::string& S, size_t N)
{
    std::string r;
    r.reserve(S.size() * N);
    for (size_t i = 0; i < N; ++i) r += S;
    return r;
}

const std::vector<char> Dot = Bmp1(1, 1);

void ReplaceInFile(const std::string& Path, const std::string& From, const std::string& To)
{
    std::vector<char> b = ReadFileBytes(Path);
    std::string s(b.begin(), b.end());
    s.replace(s.find(From), From.size(), To);
    WriteFileBytes(Path, std::vector<char>(s.begin(), s.end()));
}

} // namespace

TEST(SkinBudget, StoredSkinsOverABoundAreRefusedAndTheSkinInUseStays)
{
    using namespace Skindata;
    const std::string desc = Join(FixtureLines(TFixtureSkin()));
    TspSkinData data(nullptr);
    ASSERT_TRUE(SkinKit::LoadSkn(data, Skn(Plain(Bmp1(40, 30), 2, Dot, desc))));
    ASSERT_EQ(data.ActivePictures.size(), 2u);
    struct Case {
        const char* What;
        std::vector<char> Plain;
        bool Loads;
        size_t Pictures;   // when it loads
    };
    const Case cases[] = {
        {"pictures over the bound", Plain(Bmp1(4, 4), MaxSkinPictures + 1, Dot, desc), false, 0},
        {"pictures at the bound", Plain(Bmp1(4, 4), MaxSkinPictures, Dot, desc), true, MaxSkinPictures},
        {"a count beyond the bound with nothing behind it", Plain(Bmp1(4, 4), 0x7FFFFFF0, {}, ""), false, 0},
        // 8193 x 8192 pixels: over the total on its own, refused before it is decoded.
        {"one picture of too many pixels", Plain(Bmp1(8193, 8192), 0, Dot, desc), false, 0},
        {"pictures of too many pixels together", Plain(Bmp1(6000, 6000), 1, Bmp1(6000, 6000), desc), false, 0},
        {"description too large",
         Plain(Bmp1(4, 4), 0, Dot, desc + ";" + std::string(static_cast<size_t>(MaxSkinDescriptionBytes), 'x')),
         false, 0},
        {"description of too many lines", Plain(Bmp1(4, 4), 0, Dot, desc + Repeat("\r\n", MaxSkinDescriptionLines)),
         false, 0},
        {"description of too many keys", Plain(Bmp1(4, 4), 0, Dot, desc + Repeat("a=1\r\n", MaxSkinDescriptionKeys)),
         false, 0},
        {"many keys inside the bound", Plain(Bmp1(4, 4), 2, Dot, desc + Repeat("a=1\r\n", MaxSkinDescriptionKeys / 2)),
         true, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        // The reference skin first, so that each case replaces or keeps it.
        ASSERT_TRUE(SkinKit::LoadSkn(data, Skn(Plain(Bmp1(40, 30), 2, Dot, desc))));
        const std::vector<char> file = Skn(c.Plain);
        if (c.Loads) {
            ASSERT_TRUE(SkinKit::LoadSkn(data, file));
            EXPECT_EQ(data.ActivePictures.size(), c.Pictures);
        } else {
            EXPECT_THROW(SkinKit::LoadSkn(data, file), ESkinDataError);
            EXPECT_EQ(data.ActivePictures.size(), 2u);
            EXPECT_EQ(data.Picture->GetWidth(), 40);
            EXPECT_EQ(data.SkinName, "Fixture");
            EXPECT_FALSE(data.Empty);
        }
    }
}

TEST(SkinBudget, FolderSkinNamingOneLargeFileManyTimesIsRefused)
{
    TTempDir dir;
    // One picture file of 40 MB (a 1 x 1 image and padding): each read is within
    // the bound of one file, seven of them are not within the folder skin's total.
    WriteFileBytes(dir.File("big.bmp"), Bmp1(1, 1, 40u << 20));
    TFixtureSkin fx;
    fx.ActiveCount = 0;
    fx.PictureOverrides = {"activepicturescount=7", "0=big.bmp", "1=big.bmp", "2=big.bmp", "3=big.bmp",
                           "4=big.bmp",             "5=big.bmp", "6=big.bmp"};
    const std::string ini = WriteFixtureSkin(dir, fx);
    TTempDir good;
    TspSkinData data(nullptr);
    ASSERT_TRUE(data.LoadFromFile(WriteFixtureSkin(good)));
    EXPECT_THROW(data.LoadFromFile(ini), ESkinDataError);
    EXPECT_EQ(data.ActivePictures.size(), 2u);
    // Named six times it is within the total and loads.
    ReplaceInFile(ini, "activepicturescount=7", "activepicturescount=6");
    ASSERT_TRUE(data.LoadFromFile(ini));
    EXPECT_EQ(data.ActivePictures.size(), 6u);
}

TEST(SkinBudget, CursorSlotsStayPositiveSixteenBitNumbers)
{
    struct Case {
        const char* Start;
        int Count;
        bool Loads;
    } cases[] = {
        {"32766", 2, true},         // the last slot is 32767
        {"32767", 2, false},        // would reach 32768, a negative 16-bit number
        {"2147483647", 1, false},   // the sum would overflow
        {"1", Skindata::MaxSkinCursors + 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Start) + " + " + std::to_string(c.Count));
        TTempDir d;
        TFixtureSkin fx;
        fx.ExtraLines = {"[CURSORS]", std::string("startcursorindex=") + c.Start,
                         "cursorscount=" + std::to_string(c.Count)};
        for (int i = 0; i < c.Count; ++i) fx.ExtraLines.push_back(std::to_string(i) + "=c" + std::to_string(i) + ".cur");
        TspSkinData data(nullptr);
        if (c.Loads) {
            EXPECT_TRUE(data.LoadFromFile(WriteFixtureSkin(d, fx)));
        } else {
            EXPECT_THROW(data.LoadFromFile(WriteFixtureSkin(d, fx)), ESkinDataError);
            EXPECT_TRUE(data.Empty);
        }
    }
}

// Inside a .skn the picture names are only labels: a skin made elsewhere with
// folder parts in them loads; writing it out to a folder still checks them.
TEST(SkinBudget, PictureNamesInsideAStoredSkinAreLabels)
{
    TFixtureSkin fx;
    fx.PictureOverrides = {"picture=art\\main.bmp", "mask=..\\mask.bmp", "0=C:green.bmp"};
    TspSkinData data(nullptr);
    ASSERT_TRUE(SkinKit::LoadSkn(data, Skn(Plain(Bmp1(40, 30), 2, Dot, Join(FixtureLines(fx))))));
    EXPECT_EQ(data.PictureName, "art\\main.bmp");
    EXPECT_EQ(data.MaskName, "..\\mask.bmp");
    EXPECT_EQ(data.Picture->GetWidth(), 40);
    TTempDir out;
    EXPECT_THROW(data.StoreToDisk(out.Path()), ESkinDataError);
    EXPECT_EQ(GetFileAttributesA(out.File("skin.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}
