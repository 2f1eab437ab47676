// Winsock first: its headers must precede the C library's.
#include "HttpTestKit.h"
#include "test_gtest.h"
#include "Log.h"
#include "PayThread.h"
#include "PaymentService.h"
#include "Settings.h"
#include <atomic>
#include <regex>
#include <vector>

using namespace httptest;

namespace {

std::atomic<DWORD> FakeNow{0};
DWORD WINAPI FakeTick() { return FakeNow; }

const std::string kStreamHeaderTail =
    "\r\nServer: Tarvik Brannoc Ulmar/1.0.0\r\nConnection: Keep-Alive\r\nContent-type: text/html\r\n"
    "Content-Length: 1000000000\r\n\r\n";

struct Streams : ::testing::Test {
    void SetUp() override
    {
        Folder = MakeProgramFolder("stream_case");
        WriteFile(Folder + "HTML\\login.html", "login");
        WriteFile(Folder + "HTML\\viewax.html", "viewer");
        Settings::Write("PRICE", "0");
        Settings::Write("PASS", "");
        Log.reset(new CLog(Folder + "errors.log"));
        MyLog = Log.get();
        Srv.reset(new Server);
    }
    void TearDown() override
    {
        Srv.reset();
        MyLog = nullptr;
        TMyServerSendThread::TickSource = &GetTickCount;
    }
    // Opens a stream and checks its reply header.
    // Returns once the stream loop runs (the visitor's minute clock counts it).
    std::unique_ptr<Client> Open(const std::string& what, int kind)
    {
        auto live = [&] {
            CContact* me = Srv->Contact("127.0.0.1");
            TLockGuard<CMultiThreadList> hold(Srv->Contacts);
            return me ? me->LiveStreams : 0;
        };
        int before = live();
        std::unique_ptr<Client> c(new Client(Srv->Port()));
        c->Send("GET /" + what + " HTTP 1.0");
        std::string head = c->ReadHeader();
        EXPECT_TRUE(std::regex_match(head, std::regex("HTTP/1\\.0 200 OK\r\nDate: [^\r]* GMT" +
                                                      std::regex_replace(kStreamHeaderTail, std::regex("\\."), "\\."))))
            << head;
        EXPECT_NE(Srv->WaitStream(kind), nullptr);
        EXPECT_TRUE(PumpUntil([&] { return live() > before; }, 5000));
        return c;
    }
    int Push(int kind, const std::string& payload, int key)
    {
        return FanOut(Srv->Socket.Socket(), kind, payload.data(), static_cast<int32_t>(payload.size()),
                      static_cast<uint8_t>(key), nullptr);
    }
    std::string Folder;
    std::unique_ptr<CLog> Log;
    std::unique_ptr<Server> Srv;
};

TEST_F(Streams, ChatStreamGreetsAsksForThePasswordAndSendsNotices)
{
    Settings::Write("AUTOONLINE", "hello");
    Settings::Write("AUTOOFFLINE", "bye now");
    struct Case {
        const char* state;
        bool online;
        std::string greeting;   // bytes before the first packet
        const char* notice;
    } cases[] = {
        {"1", true, Le32Bytes(6) + "hello\n", "~online"},
        {"1", false, Le32Bytes(8) + "bye now\n", "~offline"},
        {"0", true, "", "~online"},
        {"2", false, "", "~offline"},
    };
    // Each case opens a new chat stream; the earlier ones stay open.
    std::vector<std::unique_ptr<Client>> open;
    for (auto& c : cases) {
        Settings::Write("AUTOONLINE_STATE", c.state);
        Settings::Write("AUTOOFFLINE_STATE", c.state);
        Srv->Link.Online = c.online;
        auto chat = Open("chat", rkChat);
        EXPECT_EQ(chat->Read(c.greeting.size()), c.greeting) << c.state << c.online;
        std::string payload;
        int key = -1;
        ASSERT_TRUE(chat->ReadPacket(payload, key)) << c.state;
        EXPECT_EQ(payload, std::string("Enter password\n", 16));
        EXPECT_EQ(key, 1);
        ASSERT_TRUE(chat->ReadPacket(payload, key, 2000)) << c.state;
        EXPECT_EQ(payload, c.notice);
        EXPECT_EQ(key, 0);
        // The operator's line to this visitor.
        Srv->Link.LinkSendText("Server: hi", Srv->Contact("127.0.0.1"));
        ASSERT_TRUE(chat->ReadPacket(payload, key, 2000));
        EXPECT_EQ(payload, "Server: hi\n");
        EXPECT_EQ(key, 1);
        open.push_back(std::move(chat));
    }
}

TEST_F(Streams, VideoAndAudioPacketsAreFramed)
{
    auto video = Open("Video", rkVideo);
    auto audio = Open("audio", rkAudio);
    std::string frame(1000, '\0');
    for (size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<char>(i * 7);
    struct Case {
        int kind;
        Client* to;
        std::string payload;
        int key;
    } cases[] = {
        {rkVideo, video.get(), frame, 1},
        {rkVideo, video.get(), frame.substr(0, 10), 0},
        {rkAudio, audio.get(), "OggS" + frame.substr(0, 300), 0},
        {rkAudio, audio.get(), "", 1},
        {rkVideo, video.get(), std::string(65535, 'm'), 1},
    };
    for (auto& c : cases) {
        EXPECT_EQ(Push(c.kind, c.payload, c.key), 1);
        std::string header = c.to->Read(4);
        ASSERT_EQ(header.size(), 4u);
        EXPECT_EQ(LE32(header), c.payload.size() + (c.key ? 65536u : 0u));
        EXPECT_EQ(c.to->Read(c.payload.size()), c.payload);
    }
    // A payload too long for a packet is dropped (logged once); the stream goes on.
    TMyServerSendThread::OversizeLogged = false;
    EXPECT_EQ(Push(rkVideo, std::string(70000, 'x'), 1), 1);
    EXPECT_EQ(Push(rkVideo, "next", 1), 1);
    std::string payload;
    int key;
    ASSERT_TRUE(video->ReadPacket(payload, key));
    EXPECT_EQ(payload, "next");
    EXPECT_NE(ReadFile(Folder + "errors.log").find("65535"), std::string::npos);
    EXPECT_EQ(Push(rkVideo, std::string(70000, 'y'), 1), 1);
    EXPECT_EQ(Push(rkVideo, "again", 1), 1);
    ASSERT_TRUE(video->ReadPacket(payload, key));
    EXPECT_EQ(payload, "again");
    std::string log = ReadFile(Folder + "errors.log");
    EXPECT_EQ(log.find("65535"), log.rfind("65535"));
}

// Packets that pile up in a queue leave together (several in one gather write);
// the bytes on the wire are exactly each packet's length word and payload, in
// order, with its key flag: also for the longest payload, for one byte, and when
// the pile is larger than one write takes.
TEST_F(Streams, APileOfQueuedPacketsArrivesByteForByteAsFramedOneByOne)
{
    auto video = Open("video", rkVideo);
    struct Packet {
        size_t Size;
        int Key;
    };
    std::vector<Packet> table = {{1, 0}, {65535, 1}, {2, 0}, {4, 1}, {65534, 0}};
    for (int i = 0; table.size() < 24; ++i) table.push_back({static_cast<size_t>(20000 + 997 * i), i % 5 == 0});
    std::string wire;
    for (size_t i = 0; i < table.size(); ++i) {
        std::string payload(table[i].Size, static_cast<char>('a' + i % 26));
        payload[0] = static_cast<char>(i);
        uint32_t word = static_cast<uint32_t>(payload.size()) + (table[i].Key ? 65536u : 0u);
        for (int b = 0; b < 4; ++b) wire += static_cast<char>((word >> (8 * b)) & 0xFF);
        wire += payload;
        EXPECT_EQ(Push(rkVideo, payload, table[i].Key), 1) << i;
    }
    std::string got = video->Read(wire.size());
    ASSERT_EQ(got.size(), wire.size());
    EXPECT_TRUE(got == wire) << "the bytes on the wire differ from the packets framed one by one";
}

TEST_F(Streams, VideoWaitsForTheBroadcastPasswordChatDoesNot)
{
    Settings::Write("PASS", "secret");
    auto video = Open("video", rkVideo);
    auto chat = Open("chat", rkChat);
    std::string payload;
    int key;
    ASSERT_TRUE(chat->ReadPacket(payload, key));
    EXPECT_EQ(payload, std::string("Enter password\n", 16));
    EXPECT_EQ(Push(rkVideo, "locked", 1), 1);
    ASSERT_TRUE(Srv->WaitDrained(rkVideo));
    EXPECT_FALSE(video->ReadPacket(payload, key, 500));
    EXPECT_EQ(Exchange(Srv->Port(), "GET /message?message=secret HTTP 1.0"), "HTTP/1.0 200 OK\r\n");
    // The chat gets an empty line instead of the password.
    do {
        ASSERT_TRUE(chat->ReadPacket(payload, key));
    } while (payload[0] == '~');
    EXPECT_EQ(payload, "\n");
    EXPECT_EQ(Push(rkVideo, "unlocked", 1), 1);
    ASSERT_TRUE(video->ReadPacket(payload, key));
    EXPECT_EQ(payload, "unlocked");
}

struct PayPerView : Streams {
    void SetUp() override
    {
        Streams::SetUp();
        Settings::Write("PRICE", "1");
        Settings::Write("PAYPAL", "owner");
        Settings::Write("PAYHOST", Service.Host());
        FakeNow = 5000000;
        TMyServerSendThread::TickSource = &FakeTick;
    }
    void Login(const std::string& user, double balance)
    {
        Service.AddUser(user, "pw", balance);
        std::string reply = Exchange(Srv->Port(), "GET /check_login?username_var=" + user +
                                                      "&submit=1&password_var=pw&end_str_var=1 HTTP/1.0\r\n\r\n");
        ASSERT_NE(reply.find("viewer"), std::string::npos) << reply;
        CContact* c = Srv->Contact("127.0.0.1");
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->Balance, balance);
        EXPECT_EQ(c->PayUser, user);
    }
    // Pushes one numbered video item at a time; true when it reached the viewer.
    bool Item(Client& c, int n, DWORD wait = 3000)
    {
        std::string want = "item" + IntToStr(n);
        EXPECT_EQ(Push(rkVideo, want, 1), 1);
        EXPECT_TRUE(Srv->WaitDrained(rkVideo));
        std::string payload;
        int key;
        if (!c.ReadPacket(payload, key, wait)) return false;
        EXPECT_EQ(payload, want);
        return true;
    }
    // The charges received, once n of them have arrived (or after a while).
    std::vector<std::string> Amounts(size_t n = 0)
    {
        PumpUntil([&] { return Service.Charges().size() >= n; }, 3000);
        std::vector<std::string> out;
        for (auto& ch : Service.Charges()) {
            EXPECT_EQ(ch.Owner, "owner");
            EXPECT_EQ(ch.Address, "127.0.0.1");
            EXPECT_TRUE(ch.Accepted);
            out.push_back(ch.Amount);
        }
        return out;
    }
    PaymentService Service;
};

TEST_F(PayPerView, PaidMinutesThenRunOutThenTrickle)
{
    Login("ann", 2);
    auto video = Open("video", rkVideo);
    DWORD t0 = FakeNow;
    int n = 0;
    EXPECT_TRUE(Item(*video, n++));
    FakeNow = t0 + 59000;
    EXPECT_TRUE(Item(*video, n++));
    EXPECT_EQ(Amounts(), std::vector<std::string>{});
    FakeNow = t0 + 60000;
    EXPECT_TRUE(Item(*video, n++));
    EXPECT_EQ(Amounts(1), std::vector<std::string>{"1"});
    FakeNow = t0 + 119000;
    EXPECT_TRUE(Item(*video, n++));
    // The paid time is used up: the last minute is charged, nothing of zero follows.
    FakeNow = t0 + 120000;
    EXPECT_FALSE(Item(*video, n++, 300));
    EXPECT_EQ(Amounts(2), (std::vector<std::string>{"1", "1"}));
    EXPECT_EQ(Service.Balance("ann"), 0);
    EXPECT_EQ(Srv->Contact("127.0.0.1")->Balance, 0);
    // One item in 150 gets through.
    int arrived = 0, last = -1;
    for (int i = 0; i < 149; ++i) {
        std::string payload = "item" + IntToStr(n);
        EXPECT_EQ(Push(rkVideo, payload, 1), 1);
        ++n;
        ASSERT_TRUE(Srv->WaitDrained(rkVideo));
    }
    std::string payload;
    int key;
    while (video->ReadPacket(payload, key, 500)) {
        ++arrived;
        last = StrToInt(payload.substr(4));
    }
    EXPECT_EQ(arrived, 1);
    EXPECT_EQ(last, n - 1);
    // Later minutes of a visitor without a balance charge nothing.
    FakeNow = t0 + 185000;
    EXPECT_FALSE(Item(*video, n++, 300));
    EXPECT_EQ(Amounts().size(), 2u);
}

// A visitor without paid time gets one chat packet in 150, as on the other streams;
// the online/offline notices pass the gate. The password prompt is the stream's
// first packet through it, so the 150th is line 149.
TEST_F(PayPerView, UnpaidChatTricklesOnePacketIn150)
{
    auto chat = Open("chat", rkChat);
    for (int i = 1; i <= 300; ++i) {
        EXPECT_EQ(Push(rkChat, "line" + IntToStr(i), 1), 1);
        ASSERT_TRUE(Srv->WaitDrained(rkChat));
    }
    std::vector<std::string> arrived;
    std::string payload;
    int key = 0;
    int notices = 0;
    while (chat->ReadPacket(payload, key, 500)) {
        if (payload[0] == '~') ++notices;
        else arrived.push_back(payload);
    }
    EXPECT_GE(notices, 1);
    EXPECT_EQ(arrived, (std::vector<std::string>{"line149", "line299"}));
}

TEST_F(PayPerView, RemainderIsChargedOncePerVisitorAndReconnectingKeepsTheMinute)
{
    Login("bob", 1.5);
    auto video = Open("video", rkVideo);
    DWORD t0 = FakeNow;
    FakeNow = t0 + 40000;
    EXPECT_TRUE(Item(*video, 1));
    // Leaving and coming back does not start a new minute.
    video.reset();
    CContact* me = Srv->Contact("127.0.0.1");
    ASSERT_TRUE(PumpUntil([&] { return me->LiveStreams == 0; }, 8000));
    FakeNow = t0 + 300000;
    video = Open("video", rkVideo);
    auto audio = Open("audio", rkAudio);
    FakeNow = t0 + 300000 + 20000;
    EXPECT_TRUE(Item(*video, 2));
    EXPECT_EQ(Amounts(1), std::vector<std::string>{"1"});
    // Half a minute later the remainder is charged once, though two streams see it.
    FakeNow = t0 + 300000 + 50000;
    EXPECT_FALSE(Item(*video, 3, 300));
    EXPECT_EQ(Push(rkAudio, "a", 0), 1);
    ASSERT_TRUE(Srv->WaitDrained(rkAudio));
    EXPECT_EQ(Amounts(2), (std::vector<std::string>{"1", "0.5"}));
    EXPECT_EQ(Service.Balance("bob"), 0);
}

TEST_F(PayPerView, LoginAndSignUpGoThroughThePaymentService)
{
    WriteFile(Folder + "HTML\\registration.html", "registration");
    auto ask = [&](const std::string& path) { return Exchange(Srv->Port(), "GET /" + path + " HTTP/1.0\r\n\r\n"); };
    auto body = [](const std::string& reply) { return reply.substr(reply.find("\r\n\r\n") + 4); };
    // Sign-up: a new user gets the login page, a taken name the registration page again.
    EXPECT_EQ(body(ask("register_new_user?username_var=Dan&password_var=pw&end_str_var=1")), "login");
    EXPECT_EQ(Service.Balance("dan"), 0);
    EXPECT_EQ(Service.Requests().back().Values["ip_var"], "127.0.0.1");
    EXPECT_EQ(body(ask("register_new_user?username_var=dan&password_var=pw&end_str_var=1")), "registration");
    // Login: a refusal (wrong password, or no balance) gives the login page again.
    EXPECT_EQ(body(ask("check_login?username_var=dan&submit=1&password_var=bad&end_str_var=1")), "login");
    EXPECT_EQ(body(ask("check_login?username_var=dan&submit=1&password_var=pw&end_str_var=1")), "login");
    Service.AddUser("dan", "pw", 5);
    EXPECT_EQ(body(ask("check_login?username_var=dan&submit=1&password_var=pw&end_str_var=1")), "viewer");
    Settings::Write("ClientType", "Java");
    WriteFile(Folder + "HTML\\view.html", "applet");
    EXPECT_EQ(body(ask("check_login?username_var=dan&submit=1&password_var=pw&end_str_var=1")), "applet");
    EXPECT_EQ(Srv->Contact("127.0.0.1")->Balance, 5);
    EXPECT_EQ(Service.Requests().back().Values["ownername_var"], "owner");
}

TEST_F(PayPerView, APriceThatIsNotPositiveChargesNothing)
{
    Login("cat", 1);
    auto video = Open("video", rkVideo);
    const char* prices[] = {"0", "-2", "abc", "nan", ""};
    DWORD t0 = FakeNow;
    int n = 0;
    for (const char* p : prices) {
        Settings::Write("PRICE", p);
        FakeNow = t0 + 61000 * (n + 1);
        EXPECT_TRUE(Item(*video, n++)) << p;
    }
    EXPECT_EQ(Amounts(), std::vector<std::string>{});
    EXPECT_EQ(Srv->Contact("127.0.0.1")->Balance, 1);
}

} // namespace
