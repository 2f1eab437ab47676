#include "test_gtest.h"
#include "CustomZlibStream.h"
#include "skin_data_fixtures.h"
#include <algorithm>
#include <cstring>
#include <random>

using skinfix::StreamBytes;

namespace {

std::vector<char> Pattern(size_t n, unsigned seed)
{
    // Half random, half repeated: compressible but not trivially.
    std::mt19937 rng(seed);
    std::vector<char> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = (i / 64) % 2 ? static_cast<char>(rng()) : static_cast<char>(i % 7);
    return v;
}

std::vector<char> Pack(const std::vector<char>& Data, TCompressionLevel Level = TCompressionLevel::clMax)
{
    TMemoryStream out;
    {
        TCompressionStream c(Level, &out);
        if (!Data.empty()) c.WriteBuffer(Data.data(), static_cast<long>(Data.size()));
        c.Finish();
    }
    return StreamBytes(out);
}

std::vector<char> Unpack(const std::vector<char>& Block, long long Cap = MaxInflatedSize, bool* Whole = nullptr)
{
    TMemoryStream src, dst;
    if (!Block.empty()) src.WriteBuffer(Block.data(), static_cast<long>(Block.size()));
    bool whole = DeCompressStream(&dst, &src, Cap);
    if (Whole) *Whole = whole;
    return StreamBytes(dst);
}

// True when Part is the first Part.size() bytes of Whole.
bool IsPrefix(const std::vector<char>& Part, const std::vector<char>& Whole)
{
    return Part.size() <= Whole.size() && std::equal(Part.begin(), Part.end(), Whole.begin());
}

} // namespace

TEST(ZlibStreams, RoundTripAtEveryLevelAndBufferEdge)
{
    const size_t sizes[] = {0, 1, 4095, 4096, 4097, 3 * 4096 + 17, 200000};
    const TCompressionLevel levels[] = {TCompressionLevel::clNone, TCompressionLevel::clFastest,
                                        TCompressionLevel::clDefault, TCompressionLevel::clMax};
    for (size_t n : sizes)
        for (auto level : levels) {
            auto data = Pattern(n, static_cast<unsigned>(n));
            auto block = Pack(data, level);
            EXPECT_EQ(Unpack(block), data) << "size " << n << " level " << static_cast<int>(level);
            // Checked by zlib's own one-shot decoder as well, independent of our filter.
            std::vector<unsigned char> check(n + 1);
            uLongf got = static_cast<uLongf>(check.size());
            ASSERT_EQ(uncompress(check.data(), &got, reinterpret_cast<const Bytef*>(block.data()),
                                 static_cast<uLong>(block.size())),
                      Z_OK);
            EXPECT_EQ(got, n);
        }
}

TEST(ZlibStreams, WholeStreamRoutinesTakeTheirArgumentsInOppositeOrder)
{
    auto data = Pattern(10000, 3);
    TMemoryStream plain, packed, back;
    plain.WriteBuffer(data.data(), static_cast<long>(data.size()));
    plain.SetPosition(1234);      // CompressStream takes the whole source regardless
    CompressStream(&plain, &packed);
    DeCompressStream(&back, &packed);
    EXPECT_EQ(StreamBytes(back), data);
    // Swapped, the "compressed" side is the plain text: not a zlib stream.
    TMemoryStream wrong;
    EXPECT_THROW(DeCompressStream(&wrong, &plain), EDecompressionError);
}

TEST(ZlibStreams, EmptySourceMakesACompleteStreamThatInflatesToNothing)
{
    auto block = Pack({});
    EXPECT_GE(block.size(), 8u);    // header, empty final block, checksum
    EXPECT_TRUE(Unpack(block).empty());
}

TEST(ZlibStreams, LevelNoneKeepsTheBytesVisible)
{
    std::string text = "plain text stays plain inside a stored block";
    auto block = Pack(std::vector<char>(text.begin(), text.end()), TCompressionLevel::clNone);
    EXPECT_NE(std::string(block.begin(), block.end()).find(text), std::string::npos);
}

TEST(ZlibStreams, CompressionFilterPositionIsTheInputCountAndOtherOperationsFail)
{
    TMemoryStream out;
    TCompressionStream c(TCompressionLevel::clDefault, &out);
    auto data = Pattern(5000, 1);
    c.WriteBuffer(data.data(), 5000);
    EXPECT_EQ(c.GetPosition(), 5000);
    EXPECT_THROW(c.GetSize(), ECompressionError);
    EXPECT_THROW(c.Seek(10, soBeginning), ECompressionError);
    char b;
    EXPECT_THROW(c.Read(&b, 1), ECompressionError);
    EXPECT_GT(c.GetCompressionRate(), 0.0);
}

TEST(ZlibStreams, UnfinishedFilterLeavesTheStreamIncomplete)
{
    auto data = Pattern(20000, 2);
    TMemoryStream out;
    auto* c = new TCompressionStream(TCompressionLevel::clMax, &out);
    c->WriteBuffer(data.data(), static_cast<long>(data.size()));
    auto partial = StreamBytes(out);
    bool whole = true;
    EXPECT_TRUE(IsPrefix(Unpack(partial, MaxInflatedSize, &whole), data));
    EXPECT_FALSE(whole);
    delete c;    // finishing in the destructor completes it
    EXPECT_EQ(Unpack(StreamBytes(out), MaxInflatedSize, &whole), data);
    EXPECT_TRUE(whole);
}

TEST(ZlibStreams, DecompressionSeeksForwardAndRestartsButNeverBack)
{
    auto data = Pattern(20000, 4);
    auto block = Pack(data);
    TMemoryStream src;
    src.WriteBuffer(block.data(), static_cast<long>(block.size()));
    src.SetPosition(0);
    TDecompressionStream d(&src);
    char buf[100];
    d.ReadBuffer(buf, 100);
    EXPECT_EQ(std::memcmp(buf, data.data(), 100), 0);
    EXPECT_EQ(d.Seek(5000, soCurrent), 5100);
    d.ReadBuffer(buf, 10);
    EXPECT_EQ(std::memcmp(buf, data.data() + 5100, 10), 0);
    EXPECT_EQ(d.Seek(9000, soBeginning), 9000);
    d.ReadBuffer(buf, 10);
    EXPECT_EQ(std::memcmp(buf, data.data() + 9000, 10), 0);
    EXPECT_THROW(d.Seek(-1, soCurrent), EDecompressionError);
    EXPECT_THROW(d.Seek(100, soBeginning), EDecompressionError);
    EXPECT_THROW(d.Seek(0, soEnd), EDecompressionError);
    EXPECT_EQ(d.Seek(0, soBeginning), 0);
    d.ReadBuffer(buf, 100);
    EXPECT_EQ(std::memcmp(buf, data.data(), 100), 0);
    EXPECT_THROW(d.Write(buf, 1), EDecompressionError);
    // Skipping past the end is a short read.
    EXPECT_THROW(d.Seek(30000, soBeginning), EReadError);
}

TEST(ZlibStreams, RestartGoesBackToWhereTheBlockStarts)
{
    auto data = Pattern(3000, 5);
    auto block = Pack(data);
    TMemoryStream src;
    src.WriteBuffer("HEADER", 6);
    src.WriteBuffer(block.data(), static_cast<long>(block.size()));
    src.SetPosition(6);
    TDecompressionStream d(&src);
    char a[50], b[50];
    d.ReadBuffer(a, 50);
    d.Seek(0, soBeginning);
    d.ReadBuffer(b, 50);
    EXPECT_EQ(std::memcmp(a, b, 50), 0);
    EXPECT_EQ(std::memcmp(a, data.data(), 50), 0);
}

TEST(ZlibStreams, UnderlyingStreamMovedBetweenReadsIsPutBack)
{
    auto data = Pattern(50000, 6);
    auto block = Pack(data);
    TMemoryStream src;
    src.WriteBuffer(block.data(), static_cast<long>(block.size()));
    src.SetPosition(0);
    TDecompressionStream d(&src);
    std::vector<char> out(data.size());
    d.ReadBuffer(out.data(), 10000);
    src.SetPosition(3);
    d.ReadBuffer(out.data() + 10000, static_cast<long>(data.size() - 10000));
    EXPECT_EQ(out, data);
}

TEST(ZlibStreams, DamagedInputIsAnErrorCutInputGivesWhatItHoldsAndTrailingBytesAreNotRead)
{
    auto data = Pattern(30000, 7);
    auto block = Pack(data);
    enum TOutcome { Whole, Cut, Fails };
    struct Case {
        const char* What;
        std::vector<char> Block;
        TOutcome Outcome;
    };
    std::vector<Case> cases;
    cases.push_back({"whole", block, Whole});
    auto trailing = block;
    for (int i = 0; i < 5000; ++i) trailing.push_back(static_cast<char>(i));
    cases.push_back({"trailing bytes", trailing, Whole});
    cases.push_back({"cut in the middle", std::vector<char>(block.begin(), block.begin() + block.size() / 2), Cut});
    cases.push_back({"checksum cut", std::vector<char>(block.begin(), block.end() - 2), Cut});
    cases.push_back({"empty", {}, Cut});
    auto flipped = block;
    flipped[block.size() / 3] ^= 0x55;
    cases.push_back({"flipped byte", flipped, Fails});
    auto badsum = block;
    badsum.back() ^= 1;
    cases.push_back({"bad checksum", badsum, Fails});
    // A header that asks for a preset dictionary (FDICT set, check bits fixed).
    std::vector<char> dict = {0x78, static_cast<char>(0xBB), 0, 0, 0, 1, 0x03, 0x00};
    cases.push_back({"preset dictionary", dict, Fails});
    for (auto& c : cases) {
        SCOPED_TRACE(c.What);
        bool whole = false;
        switch (c.Outcome) {
        case Fails:
            EXPECT_THROW(Unpack(c.Block), EDecompressionError);
            break;
        case Whole:
            EXPECT_EQ(Unpack(c.Block, MaxInflatedSize, &whole), data);
            EXPECT_TRUE(whole);
            break;
        case Cut: {
            auto part = Unpack(c.Block, MaxInflatedSize, &whole);
            EXPECT_FALSE(whole);
            EXPECT_TRUE(IsPrefix(part, data));
            // The bytes before the cut come out, not nothing.
            if (c.Block.size() > block.size() / 4) {
                EXPECT_GT(part.size(), data.size() / 4);
            }
            break;
        }
        }
    }
}

TEST(ZlibStreams, InflatedSizeIsBounded)
{
    std::vector<char> zeros(1 << 20, 0);
    auto block = Pack(zeros);
    EXPECT_LT(block.size(), 5000u);
    EXPECT_THROW(Unpack(block, 64 * 1024), EDecompressionError);
    EXPECT_EQ(Unpack(block, 1 << 20).size(), zeros.size());
}

TEST(ZlibStreams, ProgressIsCalledOncePerBufferMoved)
{
    auto data = Pattern(100000, 9);
    TMemoryStream out;
    int written = 0;
    {
        TCompressionStream c(TCompressionLevel::clNone, &out);
        c.OnProgress = [&](TObject* Sender) {
            EXPECT_EQ(Sender, &c);
            ++written;
        };
        c.WriteBuffer(data.data(), static_cast<long>(data.size()));
        c.Finish();
    }
    // Stored data does not shrink: one call per full 4096-byte buffer written while
    // data comes in (the buffers of the finish are not reported).
    const int full = static_cast<int>(out.GetSize() / 4096);
    EXPECT_LE(written, full);
    EXPECT_GE(written, full - 2);
    out.SetPosition(0);
    TDecompressionStream d(&out);
    int read = 0;
    d.OnProgress = [&](TObject*) { ++read; };
    std::vector<char> back(data.size());
    d.ReadBuffer(back.data(), static_cast<long>(back.size()));
    EXPECT_EQ(back, data);
    EXPECT_GE(read, static_cast<int>(data.size() / 4096));
}
