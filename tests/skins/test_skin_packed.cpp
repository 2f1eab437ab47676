// The packed skins as the build leaves them: each .skn of the program's SKINS folder
// and the default skin inside the program's resources hold exactly the generated
// pictures and description. Read here with zlib alone, apart from the engine's reader.
#include "test_gtest.h"
#include "SkinBuilder.h"
#include "Streams.h"
#include <zlib.h>
#include <cstring>

namespace {

std::vector<uint8_t> ReadFile(const std::string& path)
{
    TMemoryStream m;
    m.LoadFromFile(path);
    const uint8_t* p = static_cast<const uint8_t*>(m.Memory());
    return std::vector<uint8_t>(p, p + m.GetSize());
}

uint32_t U32(const std::vector<uint8_t>& v, size_t at)
{
    return uint32_t(v[at]) | uint32_t(v[at + 1]) << 8 | uint32_t(v[at + 2]) << 16 | uint32_t(v[at + 3]) << 24;
}

std::vector<uint8_t> Inflate(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> out;
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return out;
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = uInt(size);
    uint8_t buf[65536];
    int rc;
    do {
        z.next_out = buf;
        z.avail_out = sizeof buf;
        rc = inflate(&z, Z_NO_FLUSH);
        out.insert(out.end(), buf, buf + (sizeof buf - z.avail_out));
    } while (rc == Z_OK);
    inflateEnd(&z);
    EXPECT_EQ(rc, Z_STREAM_END);
    EXPECT_EQ(z.avail_in, 0u) << "bytes after the zlib stream";
    return out;
}

// One BMP file image of the stored skin stream compared pixel by pixel with the
// picture the generator drew; returns the offset after the image.
size_t ExpectPicture(const std::vector<uint8_t>& s, size_t at, const Skingen::SkinCanvas& c, const std::string& what)
{
    EXPECT_LE(at + 54, s.size()) << what;
    if (at + 54 > s.size())
        return s.size();
    EXPECT_EQ(s[at], 'B');
    EXPECT_EQ(s[at + 1], 'M');
    uint32_t fileSize = U32(s, at + 2), offBits = U32(s, at + 10);
    int w = int(U32(s, at + 18)), h = int(U32(s, at + 22));
    int bits = s[at + 28] | s[at + 29] << 8;
    EXPECT_EQ(w, c.Width()) << what;
    EXPECT_EQ(std::abs(h), c.Height()) << what;
    EXPECT_LE(at + fileSize, s.size()) << what;
    if (w != c.Width() || std::abs(h) != c.Height() || at + fileSize > s.size())
        return s.size();
    if (bits == 24) {
        size_t stride = (size_t(w) * 3 + 3) & ~size_t(3);
        int wrong = 0;
        for (int y = 0; y < c.Height(); ++y) {
            size_t row = at + offBits + stride * size_t(h > 0 ? c.Height() - 1 - y : y);
            for (int x = 0; x < w; ++x) {
                uint32_t got = uint32_t(s[row + 3 * x + 2]) | uint32_t(s[row + 3 * x + 1]) << 8 |
                               uint32_t(s[row + 3 * x]) << 16;
                wrong += got != c.Pixel(x, y);
            }
        }
        EXPECT_EQ(wrong, 0) << what << ": pixels differ";
    } else {
        ADD_FAILURE() << what << ": " << bits << " bits per pixel";
    }
    return at + fileSize;
}

void ExpectStoredStream(const std::vector<uint8_t>& s, const Skingen::BuiltSkin& skin)
{
    ASSERT_GE(s.size(), 4u);
    int kind = int(U32(s, 0));
    ASSERT_EQ(kind, 2) << "both writers write kind 2 with all five main pictures";
    size_t at = 4;
    for (int i = 0; i < 5; ++i) {
        ASSERT_LT(at, s.size());
        uint8_t empty = s[at++];
        EXPECT_EQ(empty != 0, skin.Main[i].FileName.empty()) << "main picture " << i;
        if (!empty)
            at = ExpectPicture(s, at, skin.Main[i].Canvas, skin.Main[i].FileName);
    }
    ASSERT_LE(at + 4, s.size());
    int count = int(U32(s, at));
    at += 4;
    ASSERT_EQ(count, int(skin.Active.size())) << "active pictures";
    for (const auto& p : skin.Active)
        at = ExpectPicture(s, at, p.Canvas, p.FileName);
    ASSERT_LE(at, s.size());
    std::string text(s.begin() + at, s.end());
    EXPECT_EQ(text, skin.Description.Render());
}

class PackedSkin : public ::testing::TestWithParam<int> {
protected:
    Skingen::BuiltSkin Skin() const
    {
        return Skingen::BuildSkin(GetParam() == 0 ? Skingen::Korvel2Style() : Skingen::SarnicStyle());
    }
};

TEST_P(PackedSkin, SknFileHoldsTheGeneratedSkin)
{
    Skingen::BuiltSkin skin = Skin();
    std::vector<uint8_t> file = ReadFile(std::string(SKINS_DIR) + "\\" + skin.Name + ".skn");
    ASSERT_GE(file.size(), 8u);
    EXPECT_EQ(int(U32(file, 0)), 2);
    ASSERT_EQ(size_t(U32(file, 4)), file.size() - 8) << "byte count of the compressed block";
    ExpectStoredStream(Inflate(file.data() + 8, file.size() - 8), skin);
}

INSTANTIATE_TEST_SUITE_P(Skins, PackedSkin, ::testing::Values(0, 1));

// A named RCDATA resource of a program file, read as Windows reads it.
bool FindResource(const std::string& program, const std::string& name, std::vector<uint8_t>& data)
{
    HMODULE file = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!file) return false;
    HRSRC res = FindResourceA(file, name.c_str(), MAKEINTRESOURCEA(10));
    HGLOBAL loaded = res ? LoadResource(file, res) : nullptr;
    const auto* bytes = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    if (bytes) data.assign(bytes, bytes + SizeofResource(file, res));
    FreeLibrary(file);
    return bytes != nullptr;
}

TEST(PackedSkins, ProgramCarriesTheDefaultSkin)
{
    std::vector<uint8_t> stored;
    ASSERT_TRUE(FindResource(ORVANTA_EXE, "KORVEL2SKN", stored));
    EXPECT_EQ(stored, ReadFile(std::string(SKINS_DIR) + "\\Korvel2.skn"));
}

} // namespace
