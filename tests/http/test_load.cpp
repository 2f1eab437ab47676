// Winsock first: its headers must precede the C library's.
#include "HttpTestKit.h"
#include "test_gtest.h"
#include "Settings.h"
#include "Thread.h"
#include <atomic>
#include <ws2tcpip.h>

using namespace httptest;

namespace {

const char* const kLogin = "<html>login page</html>\n";

// The producers' side of a broadcast: packets of every stream kind pushed into
// every connection, as fast as the fan-out takes them, while connections come and go.
class FanOutFeeder : public TThread {
public:
    explicit FanOutFeeder(TServerWinSocket* Server) : TThread(true), FServer(Server) {}
    std::atomic<long> Rounds{0};

protected:
    void Execute() override
    {
        std::string frame(3000, 'f');
        uint8_t key = 0;
        while (!Terminated()) {
            for (int32_t kind : {rkVideo, rkAudio, rkChat})
                FanOut(FServer, kind, frame.data(), static_cast<int32_t>(frame.size()), key, nullptr);
            key = static_cast<uint8_t>(++Rounds % 10 == 0);
            Sleep(1);
        }
    }

private:
    TServerWinSocket* FServer;
};

// A connection from another loopback address (the black-listed visitor's):
// it sends its request and leaves at once, unless it is kept.
SOCKET ConnectFrom(const char* source, int port, const std::string& request)
{
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return s;
    sockaddr_in from = {};
    from.sin_family = AF_INET;
    inet_pton(AF_INET, source, &from.sin_addr);
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<u_short>(port));
    inet_pton(AF_INET, "127.0.0.1", &to.sin_addr);
    if (bind(s, reinterpret_cast<sockaddr*>(&from), sizeof(from)) != 0 ||
        connect(s, reinterpret_cast<sockaddr*>(&to), sizeof(to)) != 0) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    send(s, request.data(), static_cast<int>(request.size()), 0);
    return s;
}

struct Load : ::testing::Test {
    void SetUp() override
    {
        Folder = MakeProgramFolder("load_case");
        WriteFile(Folder + "HTML\\login.html", kLogin);
        Settings::Write("PRICE", "0");
        Settings::Write("PASS", "");
    }
    std::string Folder;
};

TEST_F(Load, StreamsOpenedAndDroppedUnderTheFanOutLeaveTheServerAnswering)
{
    Server srv;
    // A black-listed visitor: each of its connections ends at once, with no reply.
    auto* black = new CContact(GuestRegistration, "127.0.0.2");
    black->BlackListed = 1;
    srv.Contacts.Add(black);

    FanOutFeeder feeder(srv.Socket.Socket());
    feeder.Resume();
    const char* const paths[] = {"video", "audio", "chat"};
    int blackTried = 0, blackOpened = 0;
    for (int round = 0; round < 12; ++round) {
        std::vector<std::unique_ptr<Client>> open;
        std::vector<SOCKET> blackOnes;
        for (int i = 0; i < 24; ++i) {
            std::unique_ptr<Client> c(new Client(srv.Port()));
            ASSERT_TRUE(c->Connected());
            c->Send(std::string("GET /") + paths[i % 3] + " HTTP 1.0");
            open.push_back(std::move(c));
            ++blackTried;
            SOCKET b = ConnectFrom("127.0.0.2", srv.Port(), std::string("GET /") + paths[i % 3] + " HTTP 1.0");
            if (b != INVALID_SOCKET) {
                ++blackOpened;
                blackOnes.push_back(b);
            }
        }
        // Some read their stream a while, some are reset at once, the rest close.
        for (size_t i = 0; i < open.size(); ++i) {
            if (i % 3 == 0) {
                EXPECT_NE(open[i]->ReadHeader(3000), "") << round << " " << i;
            } else if (i % 3 == 1) {
                open[i]->Abort();
            }
        }
        open.clear();
        // The black-listed visitor gets nothing, however its connections end.
        for (SOCKET b : blackOnes) {
            char byte;
            u_long on = 0;
            ioctlsocket(b, FIONBIO, &on);
            DWORD ms = 3000;
            setsockopt(b, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&ms), sizeof(ms));
            EXPECT_LE(recv(b, &byte, 1, 0), 0);
            closesocket(b);
        }
        // A page is still answered between the rounds.
        EXPECT_NE(Exchange(srv.Port(), "GET / HTTP/1.0\r\n\r\n").find(kLogin), std::string::npos) << round;
    }
    EXPECT_GT(blackOpened, blackTried / 2);
    // Every stream thread notices its gone viewer; the fan-out has run all along.
    EXPECT_TRUE(PumpUntil([&] { return srv.Socket.Socket()->ActiveThreads() == 0; }, 20000))
        << srv.Socket.Socket()->ActiveThreads();
    EXPECT_GT(feeder.Rounds.load(), 100);
    feeder.Terminate();
    feeder.WaitFor();
    EXPECT_EQ(srv.Socket.Socket()->ActiveConnections(), 0);
    EXPECT_NE(Exchange(srv.Port(), "GET / HTTP/1.0\r\n\r\n").find(kLogin), std::string::npos);
}

TEST_F(Load, SettingsChangedOnDiskAreSeenByNewRequests)
{
    Settings::Write("PASS", "first");
    Server srv;
    auto say = [&](const std::string& text) {
        return Exchange(srv.Port(), "GET /message?message=" + text + " HTTP 1.0") != "";
    };
    // Read through the in-memory copy: the password hides the line and marks the visitor.
    ASSERT_TRUE(say("first"));
    CContact* me = srv.Contact("127.0.0.1");
    ASSERT_NE(me, nullptr);
    EXPECT_EQ(me->Password, "first");
    // Someone else rewrites setup.ini (not through our own writes).
    Sleep(Settings::CacheCheckInterval + 50);
    WriteFile(Folder + "setup.ini", "[SETTINGS]\r\nPRICE=0\r\nPASS=second\r\n");
    Sleep(Settings::CacheCheckInterval + 50);
    ASSERT_TRUE(say("second"));
    {
        TLockGuard<CMultiThreadList> hold(srv.Contacts);
        EXPECT_EQ(me->Password, "second");
    }
    // And our own writes are seen at once.
    Settings::Write("PASS", "third");
    ASSERT_TRUE(say("third"));
    TLockGuard<CMultiThreadList> hold(srv.Contacts);
    EXPECT_EQ(me->Password, "third");
}

} // namespace
