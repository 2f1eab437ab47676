// The stream readers against a loopback server that sends its reply header and
// packets in awkward pieces.
#include "test_gtest.h"
#include "GetData.h"
#include "LoopbackServer.h"
#include "PlayerBlocks.h"
#include <memory>

namespace {

const std::string kHeader =
    "HTTP/1.0 200 OK\r\nDate: Thu, 01 Jan 2026 00:00:00 GMT\r\nServer: test\r\nConnection: Keep-Alive\r\n"
    "Content-type: text/html\r\nContent-Length: 1000000000\r\n\r\n";

std::string P(const std::string& payload, uint8_t flag, uint8_t spare = 0)
{
    return CServerConn::Packet(payload, flag, spare);
}

// A payload of n bytes that tells its packet apart: tag letter, then filler.
std::string Payload(char tag, size_t n)
{
    std::string s(n, static_cast<char>('a' + (tag % 20)));
    if (n) s[0] = tag;
    return s;
}

enum Kind { Video, Audio };

std::unique_ptr<CGetData> MakeReader(Kind k, int capacity)
{
    if (k == Video) return std::make_unique<CGetMpeg4Data>(capacity);
    return std::make_unique<CGetOggData>(capacity);
}

std::vector<std::string> Drain(CSyncFIFO* q)
{
    std::vector<std::string> out;
    while (void* b = q->Pop()) {
        out.emplace_back(static_cast<const char*>(b), HeapBlockSize(b));
        HeapFreeBlock(b);
    }
    return out;
}

struct SplitCase {
    const char* name;
    Kind kind;
    std::vector<std::string> chunks;   // each sent on its own, 40 ms apart
    std::vector<std::string> queued;   // payloads the reader must queue, in order
};

class ReaderSplits : public ::testing::TestWithParam<SplitCase> {};

TEST_P(ReaderSplits, QueuesExactlyThePlayablePayloads)
{
    const SplitCase& c = GetParam();
    CLoopbackServer server([&](CServerConn& conn) {
        for (const std::string& chunk : c.chunks) {
            conn.Send(chunk);
            if (!conn.Pause(40)) return;
        }
        conn.Close(); // the end of the broadcast: the reader must end, not spin
    });
    auto reader = MakeReader(c.kind, 30);
    ASSERT_TRUE(reader->Connect("127.0.0.1", server.Port()));
    reader->Resume();
    ASSERT_TRUE(PumpUntil([&] { return reader->Finished(); }, 8000)) << "reader did not end on the close";
    EXPECT_EQ(c.queued, Drain(reader->GetFIFO()));
    EXPECT_EQ(c.kind == Video ? "GET /video HTTP 1.0" : "GET /audio HTTP 1.0", server.Requests().at(0));
}

std::vector<SplitCase> SplitCases()
{
    const std::string k1 = Payload('K', 300), d1 = Payload('D', 50), d2 = Payload('E', 7), k2 = Payload('L', 4096);
    const std::string hdrA = kHeader.substr(0, 20), hdrB = kHeader.substr(20);
    const std::string crlfA = kHeader.substr(0, kHeader.size() - 3), crlfB = kHeader.substr(kHeader.size() - 3);
    return {
        {"HeaderAndFirstPacketInOneRead", Video, {kHeader + P(k1, 1) + P(d1, 0)}, {k1, d1}},
        {"HeaderInTwoReads", Video, {hdrA, hdrB, P(k1, 1)}, {k1}},
        {"BlankLineSplitAcrossReads", Audio, {crlfA, crlfB + P(k1, 1).substr(0, 3), P(k1, 1).substr(3)}, {k1}},
        {"PacketSplitInsideHeaderWord", Video, {kHeader + P(k1, 1).substr(0, 2), P(k1, 1).substr(2, 98),
                                                 P(k1, 1).substr(100) + P(d1, 0)}, {k1, d1}},
        {"UnflaggedBeforeFirstKeyAreSkipped", Video, {kHeader + P(d1, 0) + P(d2, 0), P(k1, 1) + P(d2, 0)}, {k1, d2}},
        {"FlagByteAloneCountsSpareIgnored", Video, {kHeader + P(d1, 0, 0xFF) + P(k2, 1, 0) + P(k2, 0, 0xFF)}, {k2, k2}},
        {"EmptyAndShortVideoPacketsDropped", Video, {kHeader + P("", 1) + P("abcd", 1) + P(k1, 1) + P("", 0) +
                                                     P("xyz", 0) + P(d1, 0)}, {k1, d1}},
        {"EmptyAudioKeyPacketStartsTheStream", Audio, {kHeader + P(d1, 0) + P("", 1) + P(d2, 0) + P("", 0) + P(k1, 0)},
         {d2, k1}},
        {"CloseMidPacket", Audio, {kHeader + P(k1, 1) + P(d1, 0).substr(0, 20)}, {k1}},
    };
}

INSTANTIATE_TEST_SUITE_P(Readers, ReaderSplits, ::testing::ValuesIn(SplitCases()),
                         [](const ::testing::TestParamInfo<SplitCase>& i) { return std::string(i.param.name); });

TEST(Readers, HeaderWordLayout)
{
    const uint8_t flagged[4] = {0x00, 0x10, 0x01, 0x00};
    const uint8_t plain[4] = {0x00, 0x10, 0x00, 0xFF};
    EXPECT_EQ(4096u, CGetData::PacketLength(flagged));
    EXPECT_TRUE(CGetData::PacketFlagged(flagged));
    EXPECT_EQ(4096u, CGetData::PacketLength(plain));
    EXPECT_FALSE(CGetData::PacketFlagged(plain));
}

struct RefusedCase {
    const char* name;
    std::string reply;   // what the server answers before closing ("" = nothing, stays silent if silent)
    bool silent;
};

class ReaderRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(ReaderRefused, ConnectFailsWithinTheTimeOut)
{
    const RefusedCase& c = GetParam();
    CLoopbackServer server([&](CServerConn& conn) {
        conn.Send(c.reply);
        if (c.silent) conn.Pause(8000);
        else conn.Close();
    });
    CGetMpeg4Data reader(30);
    DWORD t0 = GetTickCount();
    EXPECT_FALSE(reader.Connect("127.0.0.1", server.Port()));
    EXPECT_LT(GetTickCount() - t0, 7000u);
}

INSTANTIATE_TEST_SUITE_P(Readers, ReaderRefused,
                         ::testing::Values(RefusedCase{"ClosedWithoutReply", "", false},
                                           RefusedCase{"NotFound", "HTTP/1.0 404 Not Found\r\n\r\n", false},
                                           RefusedCase{"NotHttp", "hello\r\n\r\n", false},
                                           RefusedCase{"HeaderNeverEnds", "HTTP/1.0 200 OK\r\nX: y\r\n", true},
                                           RefusedCase{"SilentServer", "", true}),
                         [](const ::testing::TestParamInfo<RefusedCase>& i) { return std::string(i.param.name); });

TEST(Readers, NothingListening)
{
    CLoopbackServer* none = nullptr;
    int port;
    {
        CLoopbackServer s([](CServerConn&) {});
        port = s.Port();
    }
    (void)none;
    CGetOggData reader(30);
    EXPECT_FALSE(reader.Connect("127.0.0.1", port));
    EXPECT_FALSE(reader.Connect("not an address", port));
    reader.Disconnect(); // never resumed: returns without waiting
}

// Queue capacity 4 holds 3 payloads; nobody takes them.
TEST(Readers, FullQueueVideoSkipsToNextKeyFrame)
{
    std::vector<std::string> p;
    for (int i = 0; i < 8; ++i) p.push_back(Payload(static_cast<char>('A' + i), 10));
    CLoopbackServer server([&](CServerConn& conn) {
        conn.Send(kHeader + P(p[0], 1) + P(p[1], 0) + P(p[2], 0) + P(p[3], 0) /* dropped: full */ +
                  P(p[4], 0) /* skipped */ + P(p[5], 1) /* key, still no room: dropped */ + P(p[6], 0));
        conn.Pause(300);
        conn.Close();
    });
    CGetMpeg4Data reader(4);
    ASSERT_TRUE(reader.Connect("127.0.0.1", server.Port()));
    reader.Resume();
    ASSERT_TRUE(PumpUntil([&] { return reader.Finished(); }, 8000));
    EXPECT_EQ((std::vector<std::string>{p[0], p[1], p[2]}), Drain(reader.GetFIFO()));
}

TEST(Readers, FullQueueSoundDropsSinglePackets)
{
    std::vector<std::string> p;
    for (int i = 0; i < 6; ++i) p.push_back(Payload(static_cast<char>('A' + i), 10));
    CLoopbackServer server([&](CServerConn& conn) {
        conn.Send(kHeader + P(p[0], 1) + P(p[1], 0) + P(p[2], 0) + P(p[3], 0) + P(p[4], 0));
        conn.Pause(500);
        conn.Send(P(p[5], 0));
        conn.Pause(300);
        conn.Close();
    });
    CGetOggData reader(4);
    ASSERT_TRUE(reader.Connect("127.0.0.1", server.Port()));
    reader.Resume();
    // Make room once the first burst was read: the next packet is queued again.
    ASSERT_TRUE(PumpUntil([&] { return reader.GetFIFO()->GetCount() == 3 && reader.PacketsRead() == 5; }, 3000));
    void* first = reader.GetFIFO()->Pop();
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(p[0], std::string(static_cast<const char*>(first), HeapBlockSize(first)));
    HeapFreeBlock(first);
    ASSERT_TRUE(PumpUntil([&] { return reader.Finished(); }, 8000));
    EXPECT_EQ((std::vector<std::string>{p[1], p[2], p[5]}), Drain(reader.GetFIFO()));
}

TEST(Readers, DisconnectWhileBlockedInARead)
{
    CLoopbackServer server([&](CServerConn& conn) {
        conn.Send(kHeader + P(Payload('K', 20), 1));
        conn.Pause(10000); // then silence
    });
    CGetMpeg4Data reader(30);
    ASSERT_TRUE(reader.Connect("127.0.0.1", server.Port()));
    reader.Resume();
    ASSERT_TRUE(PumpUntil([&] { return reader.GetFIFO()->GetCount() == 1; }, 3000));
    DWORD t0 = GetTickCount();
    reader.Disconnect();
    EXPECT_LT(GetTickCount() - t0, 1000u);
    EXPECT_TRUE(reader.Finished());
    EXPECT_EQ(0, reader.GetFIFO()->GetCount());
    reader.Disconnect(); // a second time is harmless
}

TEST(Readers, HeaderEndAndStatus)
{
    EXPECT_EQ(0u, CStreamConnection::HeaderEnd("HTTP/1.0 200 OK\r\n"));
    EXPECT_EQ(19u, CStreamConnection::HeaderEnd("HTTP/1.0 200 OK\r\n\r\nxyz"));
    EXPECT_EQ(17u, CStreamConnection::HeaderEnd("HTTP/1.0 200 OK\n\nxyz"));
    EXPECT_TRUE(CStreamConnection::HeaderAccepted("HTTP/1.0 200 OK\r\n\r\n"));
    EXPECT_TRUE(CStreamConnection::HeaderAccepted("HTTP/1.1 200\r\n\r\n"));
    EXPECT_FALSE(CStreamConnection::HeaderAccepted("HTTP/1.0 2000 OK\r\n\r\n"));
    EXPECT_FALSE(CStreamConnection::HeaderAccepted("HTTP/1.0 404 Not Found\r\n\r\n"));
    EXPECT_FALSE(CStreamConnection::HeaderAccepted("GARBAGE 200\r\n\r\n"));
}

} // namespace
