// Winsock first: its headers must precede the C library's.
#include "HttpTestKit.h"
#include "test_gtest.h"
#include "Settings.h"

using namespace httptest;

namespace {

struct Connections : ::testing::Test {
    void SetUp() override
    {
        MakeProgramFolder("socket_case");
        Settings::Write("PRICE", "0");
        Settings::Write("PASS", "");
    }
    void TearDown() override { TMyServerSendThread::SendStallTimeout = 10000; }
};

TEST_F(Connections, CloseEndsEveryConnectionThreadAndServesTheirCalls)
{
    Server srv;
    Client video(srv.Port()), audio(srv.Port()), chat(srv.Port());
    video.Send("GET /video HTTP 1.0");
    audio.Send("GET /audio HTTP 1.0");
    chat.Send("GET /chat HTTP 1.0");
    ASSERT_NE(srv.WaitStream(rkVideo), nullptr);
    ASSERT_NE(srv.WaitStream(rkAudio), nullptr);
    ASSERT_NE(srv.WaitStream(rkChat), nullptr);
    CContact* me = srv.Contact("127.0.0.1");
    ASSERT_TRUE(PumpUntil([&] { return me->Threads->GetCount() == 3; }, 2000));
    EXPECT_EQ(srv.Socket.Socket()->ActiveConnections(), 3);
    // Each stream shows itself in the online list once it is listed with the visitor.
    ASSERT_TRUE(PumpUntil([&] { return srv.Link.UpdateOnLineCalls == 3; }, 2000));
    int updates = srv.Link.UpdateOnLineCalls;

    DWORD start = GetTickCount();
    srv.Close();
    EXPECT_LT(GetTickCount() - start, 3000u);
    EXPECT_EQ(srv.Socket.Socket()->ActiveThreads(), 0);
    EXPECT_EQ(srv.Socket.Socket()->ActiveConnections(), 0);
    EXPECT_EQ(me->Threads->GetCount(), 0);
    // Each stream thread asked for the online list to drop it, on this thread.
    EXPECT_EQ(srv.Link.UpdateOnLineCalls, updates + 3);
    for (Client* c : {&video, &audio, &chat}) EXPECT_TRUE(c->WaitClosed(2000));
}

TEST_F(Connections, AVanishedPeerEndsItsThreadOnly)
{
    Server srv;
    {
        Client video(srv.Port());
        video.Send("GET /video HTTP 1.0");
        ASSERT_NE(srv.WaitStream(rkVideo), nullptr);
        video.ReadHeader();
        video.Abort();
    }
    std::string frame(8192, 'v');
    // Packets keep coming for the gone viewer until its thread notices.
    bool gone = PumpUntil(
        [&] {
            FanOut(srv.Socket.Socket(), rkVideo, frame.data(), 8192, 1, nullptr);
            return srv.Socket.Socket()->ActiveThreads() == 0;
        },
        8000);
    EXPECT_TRUE(gone);
    // The server goes on serving.
    EXPECT_NE(Exchange(srv.Port(), "GET /message?message=still+here HTTP 1.0"), "");
}

TEST_F(Connections, AQuietVanishedPeerIsNoticed)
{
    Server srv;
    {
        Client chat(srv.Port());
        chat.Send("GET /chat HTTP 1.0");
        ASSERT_NE(srv.WaitStream(rkChat), nullptr);
    }
    EXPECT_TRUE(PumpUntil([&] { return srv.Socket.Socket()->ActiveThreads() == 0; }, 8000));
    EXPECT_FALSE(srv.Contact("127.0.0.1")->IsOnline());
}

TEST_F(Connections, APeerThatStopsReadingIsDropped)
{
    TMyServerSendThread::SendStallTimeout = 1000;
    Server srv;
    Client video(srv.Port());
    int small = 4096;
    setsockopt(video.Handle(), SOL_SOCKET, SO_RCVBUF, reinterpret_cast<char*>(&small), sizeof(small));
    video.Send("GET /video HTTP 1.0");
    ASSERT_NE(srv.WaitStream(rkVideo), nullptr);
    // Never read: the server's sends stall, and it gives up.
    std::string frame(60000, 'v');
    DWORD start = GetTickCount();
    bool dropped = PumpUntil(
        [&] {
            FanOut(srv.Socket.Socket(), rkVideo, frame.data(), 60000, 1, nullptr);
            return srv.Socket.Socket()->ActiveThreads() == 0;
        },
        20000);
    EXPECT_TRUE(dropped);
    EXPECT_LT(GetTickCount() - start, 20000u);
}

TEST_F(Connections, AFailingThreadFactoryEndsTheConnectionQuietly)
{
    TServerSocket socket(nullptr);
    socket.Address = "127.0.0.1";
    int asked = 0;
    socket.OnGetThread = [&](TObject*, TServerClientWinSocket* c, TServerClientThread*& t) {
        ++asked;
        EXPECT_EQ(c->RemoteAddress(), "127.0.0.1");
        throw Exception("no thread");
    };
    socket.Open();
    EXPECT_GT(socket.Socket()->LocalPort(), 0);
    EXPECT_EQ(Exchange(socket.Socket()->LocalPort(), "GET / HTTP/1.0\r\n\r\n"), "");
    EXPECT_EQ(asked, 1);
    socket.Close();
    EXPECT_FALSE(socket.Active());
}

TEST_F(Connections, ABusyPortIsReported)
{
    Server srv;
    TServerSocket second(nullptr);
    second.Address = "127.0.0.1";
    second.Port = srv.Port();
    EXPECT_THROW(second.Open(), ESocketError);
}

} // namespace
