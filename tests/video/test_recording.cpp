// The recording file: record layout on disk, looping reads, damaged files.
#include "test_gtest.h"
#include "Thread.h"
#include "Video.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string TempName(const char* tag)
{
    char dir[MAX_PATH], name[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, tag, 0, name);
    return name;
}

// A file removed at the end of the test.
struct TempFile {
    std::string Name;
    explicit TempFile(const char* tag) : Name(TempName(tag)) {}
    ~TempFile() { DeleteFileA(Name.c_str()); }
    std::vector<uint8_t> Bytes() const
    {
        std::vector<uint8_t> b;
        HANDLE h = CreateFileA(Name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return b;
        b.resize(GetFileSize(h, nullptr));
        DWORD got = 0;
        if (!b.empty()) ReadFile(h, b.data(), static_cast<DWORD>(b.size()), &got, nullptr);
        CloseHandle(h);
        return b;
    }
    void SetBytes(const std::vector<uint8_t>& b) const
    {
        HANDLE h = CreateFileA(Name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD put = 0;
        if (!b.empty()) WriteFile(h, b.data(), static_cast<DWORD>(b.size()), &put, nullptr);
        CloseHandle(h);
    }
};

struct Record {
    int32_t Length = 0;
    int32_t Kind = 0;
    uint8_t Flag = 0;
    std::vector<uint8_t> Payload;
};

// One CVideo::Read; false when it delivered nothing (outputs are checked untouched).
bool ReadOne(CVideo& v, Record& r)
{
    int32_t length = -7, kind = -7;
    uint8_t flag = 0xEE;
    void* payload = reinterpret_cast<void*>(0x1);
    bool ok = v.Read(length, payload, kind, flag);
    if (!ok) {
        EXPECT_EQ(length, -7);
        EXPECT_EQ(kind, -7);
        EXPECT_EQ(flag, 0xEE);
        EXPECT_EQ(payload, reinterpret_cast<void*>(0x1));
        return false;
    }
    r.Length = length;
    r.Kind = kind;
    r.Flag = flag;
    EXPECT_NE(payload, nullptr);
    r.Payload.assign(static_cast<uint8_t*>(payload), static_cast<uint8_t*>(payload) + length);
    std::free(payload);
    return true;
}

std::vector<uint8_t> Bytes(size_t n, uint8_t seed)
{
    std::vector<uint8_t> b(n);
    for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(seed + i * 7);
    return b;
}

TEST(Recording, HeaderWordLayout)
{
    struct { int32_t length, kind; uint8_t flag; uint8_t header[4]; } cases[] = {
        {4000, 3, 0, {0xA0, 0x0F, 0x00, 0x03}},
        {1234, 1, 1, {0xD2, 0x04, 0x01, 0x01}},
        {0, 3, 1, {0x00, 0x00, 0x01, 0x03}},
        {65535, 1, 0, {0xFF, 0xFF, 0x00, 0x01}},
    };
    for (auto& c : cases) {
        TempFile f("rec");
        std::vector<uint8_t> payload = Bytes(c.length, 3);
        {
            CVideo v(f.Name, true);
            ASSERT_TRUE(v.IsOpen());
            EXPECT_TRUE(v.Write(c.length, payload.data(), c.kind, c.flag));
        }
        std::vector<uint8_t> b = f.Bytes();
        ASSERT_EQ(b.size(), 4u + c.length);
        EXPECT_EQ(0, std::memcmp(b.data(), c.header, 4)) << c.length;
        EXPECT_TRUE(std::equal(payload.begin(), payload.end(), b.begin() + 4));
    }
}

TEST(Recording, ReadsInOrderAndLoopsAtTheEnd)
{
    TempFile f("rec");
    {
        CVideo v(f.Name, true);
        EXPECT_TRUE(v.Write(10, Bytes(10, 1).data(), 1, 1));
        EXPECT_TRUE(v.Write(0, nullptr, 3, 1));
        EXPECT_TRUE(v.Write(300, Bytes(300, 2).data(), 3, 0));
    }
    CVideo v(f.Name, false);
    struct { int32_t length, kind; uint8_t flag; } want[] = {{10, 1, 1}, {0, 3, 1}, {300, 3, 0}, {10, 1, 1}, {0, 3, 1}};
    for (auto& w : want) {
        Record r;
        ASSERT_TRUE(ReadOne(v, r));
        EXPECT_EQ(r.Length, w.length);
        EXPECT_EQ(r.Kind, w.kind);
        EXPECT_EQ(r.Flag, w.flag);
        if (w.length > 0) {
            EXPECT_EQ(r.Payload, Bytes(w.length, w.length == 10 ? 1 : 2));
        }
    }
}

TEST(Recording, WriterRefusesWhatTheHeaderCannotCarry)
{
    TempFile f("rec");
    std::vector<uint8_t> big(65536, 0x11);
    {
        CVideo v(f.Name, true);
        EXPECT_FALSE(v.Write(65536, big.data(), 1, 1));
        EXPECT_FALSE(v.Write(-1, big.data(), 1, 0));
        EXPECT_FALSE(v.Write(10, big.data(), 2, 0));   // chat is never recorded
        EXPECT_FALSE(v.Write(10, nullptr, 1, 0));
        EXPECT_TRUE(v.Write(3, big.data(), 1, 2));      // flag byte 2 is stored as given
    }
    std::vector<uint8_t> b = f.Bytes();
    ASSERT_EQ(b.size(), 7u);
    EXPECT_EQ(b[2], 2);
    // ... and reads back with the flag as bit 16 alone.
    CVideo v(f.Name, false);
    Record r;
    ASSERT_TRUE(ReadOne(v, r));
    EXPECT_EQ(r.Flag, 0);
    EXPECT_EQ(r.Length, 3);
}

TEST(Recording, DamagedEndsAreNeverDelivered)
{
    // Two good records (kinds 1 and 3), then a tail that is not a whole record.
    std::vector<uint8_t> good = {5, 0, 1, 1, 'a', 'b', 'c', 'd', 'e', 2, 0, 0, 3, 'x', 'y'};
    struct { const char* what; std::vector<uint8_t> tail; } cases[] = {
        {"payload cut short", {200, 0, 0, 1, 1, 2, 3}},
        {"header cut short", {4, 0}},
        {"unknown kind", {2, 0, 0, 2, 'q', 'q'}},
        {"kind zero", {0, 0, 0, 0}},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFile f("rec");
        std::vector<uint8_t> bytes = good;
        bytes.insert(bytes.end(), c.tail.begin(), c.tail.end());
        f.SetBytes(bytes);
        CVideo v(f.Name, false);
        int32_t lengths[] = {5, 2, 5, 2, 5};
        for (int32_t want : lengths) {
            Record r;
            ASSERT_TRUE(ReadOne(v, r));
            EXPECT_EQ(r.Length, want);
        }
    }
}

TEST(Recording, NothingToReadReturnsAtOnce)
{
    TempFile empty("rec");
    TempFile bad("rec");
    bad.SetBytes({7, 0, 0, 9, 1, 2});
    TempFile shortHeader("rec");
    shortHeader.SetBytes({1, 0});
    for (const TempFile* f : {&empty, &bad, &shortHeader}) {
        CVideo v(f->Name, false);
        ASSERT_TRUE(v.IsOpen());
        Record r;
        DWORD t0 = GetTickCount();
        EXPECT_FALSE(ReadOne(v, r));
        EXPECT_FALSE(ReadOne(v, r));
        EXPECT_LT(GetTickCount() - t0, 1000u);
    }
    // Files that cannot be opened give objects that do nothing.
    CVideo missing("C:\\no such folder\\x.str", false);
    CVideo unwritable("C:\\no such folder\\x.str", true);
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_FALSE(unwritable.IsOpen());
    Record r;
    EXPECT_FALSE(ReadOne(missing, r));
    EXPECT_FALSE(unwritable.Write(1, "x", 1, 0));
    CVideo unnamed("", true);
    EXPECT_FALSE(unnamed.Write(1, "x", 1, 0));
}

TEST(Recording, OpeningForWritingEmptiesTheFile)
{
    TempFile f("rec");
    f.SetBytes(Bytes(100, 9));
    { CVideo v(f.Name, true); }
    EXPECT_TRUE(f.Bytes().empty());
}

// Two writers, as the sound-input thread and the GUI thread record at once:
// every record stays whole and each writer's records keep their order.
class Writer : public TThread {
public:
    Writer(CVideo& v, int32_t kind) : TThread(true), FVideo(v), FKind(kind) {}
    static constexpr int kCount = 300;
protected:
    void Execute() override
    {
        for (int i = 0; i < kCount; ++i) {
            std::vector<uint8_t> p = Bytes(50 + (i * 13) % 900, static_cast<uint8_t>(i));
            p[0] = static_cast<uint8_t>(i);
            p[1] = static_cast<uint8_t>(i >> 8);
            FVideo.Write(static_cast<int32_t>(p.size()), p.data(), FKind, 0);
        }
    }
private:
    CVideo& FVideo;
    int32_t FKind;
};

TEST(Recording, ConcurrentWritersKeepRecordsWhole)
{
    TempFile f("rec");
    {
        CVideo v(f.Name, true);
        Writer a(v, 1), b(v, 3);
        a.Resume();
        b.Resume();
        a.WaitFor();
        b.WaitFor();
    }
    CVideo v(f.Name, false);
    int next[4] = {0, 0, 0, 0};
    for (int n = 0; n < 2 * Writer::kCount; ++n) {
        Record r;
        ASSERT_TRUE(ReadOne(v, r));
        int i = next[r.Kind]++;
        std::vector<uint8_t> want = Bytes(50 + (i * 13) % 900, static_cast<uint8_t>(i));
        want[0] = static_cast<uint8_t>(i);
        want[1] = static_cast<uint8_t>(i >> 8);
        ASSERT_EQ(r.Payload, want) << "kind " << r.Kind << " record " << i;
    }
    EXPECT_EQ(next[1], Writer::kCount);
    EXPECT_EQ(next[3], Writer::kCount);
}

} // namespace
