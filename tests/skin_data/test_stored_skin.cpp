#include "test_gtest.h"
#include "CompressedStoredSkin.h"
#include "skin_data_fixtures.h"
#include <algorithm>
#include <cstring>

using namespace skinfix;

namespace {

std::vector<char> SknBytes(int Version, int Count, const std::vector<char>& Block)
{
    std::vector<char> v(8 + Block.size());
    std::memcpy(v.data(), &Version, 4);
    std::memcpy(v.data() + 4, &Count, 4);
    std::copy(Block.begin(), Block.end(), v.begin() + 8);
    return v;
}

// The block of the fixture skin, built through the real writer.
std::vector<char> FixtureBlock(const TTempDir& Dir)
{
    TspCompressedStoredSkin s(nullptr);
    EXPECT_TRUE(s.LoadFromIniFile(WriteFixtureSkin(Dir)));
    return StreamBytes(*s.GetCompressedStream());
}

std::vector<char> Inflate(TspCompressedStoredSkin& S)
{
    TMemoryStream m;
    S.DeCompressToStream(m);
    return StreamBytes(m);
}

} // namespace

TEST(CompressedSkinFile, HeaderCases)
{
    TTempDir dir;
    auto block = FixtureBlock(dir);
    const int n = static_cast<int>(block.size());
    enum Outcome { Loads, Ignored, Raises };
    struct Case {
        const char* What;
        int Version;
        int Count;
        size_t Bytes;    // of the block actually in the file
        Outcome Expect;
    };
    const Case cases[] = {
        {"version 2, exact", 2, n, block.size(), Loads},
        {"version 3", 3, n, block.size(), Loads},
        {"version -1", -1, n, block.size(), Loads},
        {"version 4", 4, n, block.size(), Ignored},
        {"count 0", 2, 0, block.size(), Raises},
        {"count negative", 2, -5, block.size(), Raises},
        {"count one too large", 2, n + 1, block.size(), Raises},
        {"count huge", 2, 0x7FFFFFFF, block.size(), Raises},
        {"count shorter than the block", 2, n - 10, block.size(), Raises},
        {"file cut short", 2, n, block.size() - 1, Raises},
    };
    for (const auto& c : cases) {
        std::vector<char> body(block.begin(), block.begin() + c.Bytes);
        WriteFileBytes(dir.File("case.skn"), SknBytes(c.Version, c.Count, body));
        // A good block is in place before; a refused file must not disturb it.
        TspCompressedStoredSkin s(nullptr);
        WriteFileBytes(dir.File("good.skn"), SknBytes(2, n, block));
        ASSERT_TRUE(s.LoadFromCompressFile(dir.File("good.skn")));
        auto before = Inflate(s);
        switch (c.Expect) {
        case Loads: EXPECT_TRUE(s.LoadFromCompressFile(dir.File("case.skn"))) << c.What; break;
        case Ignored: EXPECT_FALSE(s.LoadFromCompressFile(dir.File("case.skn"))) << c.What; break;
        case Raises: EXPECT_THROW(s.LoadFromCompressFile(dir.File("case.skn")), Exception) << c.What; break;
        }
        EXPECT_EQ(Inflate(s), before) << c.What;
    }
    // Bytes after the block are not read.
    auto trailing = SknBytes(2, n, block);
    trailing.insert(trailing.end(), 100, 'x');
    WriteFileBytes(dir.File("trailing.skn"), trailing);
    TspCompressedStoredSkin s(nullptr);
    EXPECT_TRUE(s.LoadFromCompressFile(dir.File("trailing.skn")));
    EXPECT_EQ(StreamBytes(*s.GetCompressedStream()), block);
    EXPECT_THROW(s.LoadFromCompressFile(dir.File("missing.skn")), EFOpenError);
    EXPECT_FALSE(s.GetEmpty());
}

TEST(CompressedSkinFile, SaveWritesHeaderAndBlockOrNothingWhenEmpty)
{
    TTempDir dir;
    TspCompressedStoredSkin empty(nullptr);
    EXPECT_TRUE(empty.GetEmpty());
    empty.SaveToCompressFile(dir.File("none.skn"));
    EXPECT_EQ(GetFileAttributesA(dir.File("none.skn").c_str()), INVALID_FILE_ATTRIBUTES);

    auto block = FixtureBlock(dir);
    TspCompressedStoredSkin s(nullptr);
    s.ReadData([&] {
        static TMemoryStream m;
        m.Clear();
        m.WriteBuffer(block.data(), static_cast<long>(block.size()));
        m.SetPosition(0);
        return &m;
    }());
    s.SaveToCompressFile(dir.File("out.skn"));
    EXPECT_EQ(ReadFileBytes(dir.File("out.skn")), SknBytes(2, static_cast<int>(block.size()), block));
    TMemoryStream data;
    s.WriteData(&data);
    EXPECT_EQ(StreamBytes(data), block);
}

TEST(CompressedSkinFile, BlockFromAFolderSkinHoldsKindTwoAndTheDescription)
{
    TTempDir dir;
    TFixtureSkin fx;
    fx.WithInactive = false;
    fx.ActiveCount = 0;
    TspCompressedStoredSkin s(nullptr);
    ASSERT_TRUE(s.LoadFromIniFile(WriteFixtureSkin(dir, fx)));
    auto plain = Inflate(s);
    ASSERT_GT(plain.size(), 8u);
    int kind;
    std::memcpy(&kind, plain.data(), 4);
    EXPECT_EQ(kind, 2);
    TMemoryStream m;
    m.WriteBuffer(plain.data(), static_cast<long>(plain.size()));
    m.SetPosition(0);
    TspStoredSkinStream content;
    ASSERT_TRUE(content.ReadFrom(&m));
    EXPECT_FALSE(content.MainPictures[mpPicture]->Empty());
    EXPECT_TRUE(content.MainPictures[mpInActivePicture]->Empty());
    EXPECT_FALSE(content.MainPictures[mpMask]->Empty());
    EXPECT_TRUE(content.MainPictures[mpRollUpPicture]->Empty());
    EXPECT_EQ(Probe(*content.MainPictures[mpPicture], 20, 15), clRed);
    EXPECT_EQ(content.ActivePictures.size(), 0u);
    EXPECT_EQ(content.DescriptionLines(), FixtureLines(fx));
    // Inactive flag set, no image after it: picture entry, flag 1, mask entry.
    size_t afterPicture = 4 + 1 + 14 + 40 + 40 * 30 * 3;   // 40x30 at 24 bits, rows of 120 bytes
    EXPECT_EQ(plain[afterPicture], 1);
    EXPECT_EQ(plain[afterPicture + 1], 0);
    EXPECT_EQ(plain[afterPicture + 2], 'B');
}

TEST(CompressedSkinFile, FolderSkinThatIsRefusedLeavesTheBlock)
{
    TTempDir dir;
    auto block = FixtureBlock(dir);
    TspCompressedStoredSkin s(nullptr);
    ASSERT_TRUE(s.LoadFromIniFile(dir.File("skin.ini")));
    // Missing section: refused, no error.
    WriteFileBytes(dir.File("bad.ini"), {'[', 'V', 'E', 'R', 'S', 'I', 'O', 'N', ']', '\n', 'a', '=', '1', '\n'});
    EXPECT_FALSE(s.LoadFromIniFile(dir.File("bad.ini")));
    EXPECT_EQ(StreamBytes(*s.GetCompressedStream()), block);
    // Picture names that leave the folder, and a missing picture: errors, block kept.
    for (const char* name : {"..\\outside.bmp", "sub/main.bmp", "C:main.bmp", "nothere.bmp"}) {
        TTempDir d2;
        TFixtureSkin fx;
        fx.PictureOverrides = {std::string("picture=") + name};
        EXPECT_THROW(s.LoadFromIniFile(WriteFixtureSkin(d2, fx)), Exception) << name;
        EXPECT_EQ(StreamBytes(*s.GetCompressedStream()), block) << name;
    }
    // A JPEG name is still read as BMP here and fails.
    TTempDir d3;
    TFixtureSkin fx;
    fx.PictureOverrides = {"picture=main.jpg"};
    std::string ini = WriteFixtureSkin(d3, fx);
    CopyFileA(d3.File("main.bmp").c_str(), d3.File("main.jpg").c_str(), FALSE);
    EXPECT_TRUE(s.LoadFromIniFile(ini));   // BMP data under a .jpg name is BMP to the stored skin
    WriteFileBytes(d3.File("main.jpg"), {'\xFF', '\xD8', '\xFF', '\xE0'});
    EXPECT_THROW(s.LoadFromIniFile(ini), Exception);
}

namespace {

// A stored skin stream of the given kind with distinct flat pictures.
std::vector<char> StreamOfKind(int Kind, int ActiveCount, const std::string& Text)
{
    TMemoryStream m;
    m.WriteBuffer(&Kind, 4);
    const TColor colours[] = {clRed, clBlue, clBlack, clGreen, clNavy};
    for (int i = 0; i < MainPictureCount; ++i) {
        if (Kind <= 3 && !Skindata::KindIncludes(Kind, static_cast<TspMainPicture>(i))) continue;
        if (Kind > 3) break;
        unsigned char flag = 0;
        m.WriteBuffer(&flag, 1);
        TBitmap b;
        PaintFlat(b, 4 + i, 3, colours[i]);
        b.SaveToStream(&m);
    }
    m.WriteBuffer(&ActiveCount, 4);
    for (int i = 0; i < ActiveCount; ++i) {
        TBitmap b;
        PaintFlat(b, 2, 2, clYellow);
        b.SaveToStream(&m);
    }
    m.WriteBuffer(Text.data(), static_cast<long>(Text.size()));
    return StreamBytes(m);
}

} // namespace

TEST(StoredSkinStream, KindsSelectTheMainPictures)
{
    struct Case {
        int Kind;
        bool Has[MainPictureCount];
    };
    const Case cases[] = {
        {-1, {true, false, true, false, false}}, {0, {true, false, true, false, false}},
        {1, {true, false, true, true, true}},    {2, {true, true, true, true, true}},
        {3, {true, true, true, false, false}},
    };
    for (const auto& c : cases) {
        auto bytes = StreamOfKind(c.Kind, 1, "[VERSION]\r\nskinname=k\r\n");
        TMemoryStream m;
        m.WriteBuffer(bytes.data(), static_cast<long>(bytes.size()));
        m.SetPosition(0);
        TspStoredSkinStream s;
        ASSERT_TRUE(s.ReadFrom(&m)) << c.Kind;
        for (int i = 0; i < MainPictureCount; ++i) {
            EXPECT_EQ(!s.MainPictures[i]->Empty(), c.Has[i]) << "kind " << c.Kind << " picture " << i;
            if (c.Has[i]) {
                EXPECT_EQ(s.MainPictures[i]->GetWidth(), 4 + i);
            }
        }
        ASSERT_EQ(s.ActivePictures.size(), 1u);
        EXPECT_EQ(s.DescriptionLines(), (std::vector<std::string>{"[VERSION]", "skinname=k"}));
    }
    auto refused = StreamOfKind(4, 0, "");
    TMemoryStream m;
    m.WriteBuffer(refused.data(), static_cast<long>(refused.size()));
    m.SetPosition(0);
    TspStoredSkinStream s;
    EXPECT_FALSE(s.ReadFrom(&m));
}

TEST(StoredSkinStream, ActiveCountZeroIsFollowedByTheTextAndHugeCountsAreRefused)
{
    auto bytes = StreamOfKind(0, 0, "[A]\r\nx=1");
    TMemoryStream m;
    m.WriteBuffer(bytes.data(), static_cast<long>(bytes.size()));
    m.SetPosition(0);
    TspStoredSkinStream s;
    ASSERT_TRUE(s.ReadFrom(&m));
    EXPECT_EQ(s.DescriptionLines(), (std::vector<std::string>{"[A]", "x=1"}));
    // Patch the count to a huge value: refused before any allocation.
    size_t countAt = bytes.size() - 8 - 4;
    int huge = 0x7FFFFFFF;
    std::memcpy(&bytes[countAt], &huge, 4);
    TMemoryStream h;
    h.WriteBuffer(bytes.data(), static_cast<long>(bytes.size()));
    h.SetPosition(0);
    EXPECT_THROW(s.ReadFrom(&h), Exception);
}

TEST(StoredSkinStream, BitmapHeadersAreCheckedAgainstTheStream)
{
    TBitmap b;
    PaintFlat(b, 5, 4, clRed, pf8bit);
    TMemoryStream good;
    b.SaveToStream(&good);
    auto img = StreamBytes(good);
    auto put32 = [](std::vector<char>& v, size_t at, int32_t x) { std::memcpy(&v[at], &x, 4); };
    auto put16 = [](std::vector<char>& v, size_t at, int16_t x) { std::memcpy(&v[at], &x, 2); };
    struct Case {
        const char* What;
        std::function<void(std::vector<char>&)> Damage;
    };
    const Case cases[] = {
        {"file size beyond the stream", [&](std::vector<char>& v) { put32(v, 2, static_cast<int32_t>(v.size() + 1)); }},
        {"file size below the headers", [&](std::vector<char>& v) { put32(v, 2, 20); }},
        {"file size negative", [&](std::vector<char>& v) { put32(v, 2, -1); }},
        {"not BM", [&](std::vector<char>& v) { v[0] = 'X'; }},
        {"header size odd", [&](std::vector<char>& v) { put32(v, 14, 41); }},
        {"width zero", [&](std::vector<char>& v) { put32(v, 18, 0); }},
        {"width huge", [&](std::vector<char>& v) { put32(v, 18, 30000); }},
        {"height huge", [&](std::vector<char>& v) { put32(v, 22, -30000); }},
        {"planes 2", [&](std::vector<char>& v) { put16(v, 26, 2); }},
        {"depth 7", [&](std::vector<char>& v) { put16(v, 28, 7); }},
        {"run-length", [&](std::vector<char>& v) { put32(v, 30, BI_RLE8); }},
        {"colours beyond depth", [&](std::vector<char>& v) { put32(v, 46, 257); }},
        {"bits offset beyond the image", [&](std::vector<char>& v) { put32(v, 10, static_cast<int32_t>(v.size() + 4)); }},
        {"bits offset inside the colour table", [&](std::vector<char>& v) { put32(v, 10, 60); }},
    };
    for (const auto& c : cases) {
        auto v = img;
        c.Damage(v);
        TMemoryStream m;
        m.WriteBuffer(v.data(), static_cast<long>(v.size()));
        m.SetPosition(0);
        TBitmap out;
        EXPECT_THROW(Skindata::ReadBitmapImage(&m, &out), Exception) << c.What;
    }
    // The good one reads exactly its own bytes, even with more behind it.
    good.WriteBuffer("tail", 4);
    good.SetPosition(0);
    TBitmap out;
    Skindata::ReadBitmapImage(&good, &out);
    EXPECT_EQ(good.GetPosition(), static_cast<long long>(img.size()));
    EXPECT_EQ(out.GetWidth(), 5);
    EXPECT_EQ(Probe(out, 2, 2), Probe(b, 2, 2));
}

TEST(StoredSkinStream, PictureNamesStayInTheirFolder)
{
    const struct {
        const char* Name;
        bool Safe;
    } cases[] = {{"main.bmp", true}, {"a b.jpg", true}, {"", false}, {"..", false}, {"..\\x.bmp", false},
                 {"../x.bmp", false}, {"sub\\x.bmp", false}, {"sub/x.bmp", false}, {"C:x.bmp", false},
                 {"x\n.bmp", false}, {"x..bmp", false}};
    for (const auto& c : cases) EXPECT_EQ(Skindata::IsSafeFileName(c.Name), c.Safe) << c.Name;
}
