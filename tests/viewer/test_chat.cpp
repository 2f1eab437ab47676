// The chat client: request encoding, the chat stream's texts, message requests
// and their time-outs, against a loopback server.
#include "test_gtest.h"
#include "Chat.h"
#include "Classes.h"
#include "LoopbackServer.h"
#include <algorithm>

namespace {

const std::string kHeader = "HTTP/1.0 200 OK\r\nContent-type: text/html\r\nContent-Length: 1000000000\r\n\r\n";

struct EncodeCase {
    std::string text;
    std::string encoded;
};

TEST(ChatEncoding, EscapesEveryByteOutsideTheUnreservedCharacters)
{
    const EncodeCase cases[] = {
        {"hello", "hello"},
        {"a b<c>d", "a%20b%3Cc%3Ed"},
        {"\xE9t\xE9", "%E9t%E9"},
        {"1+1=2 & more", "1%2B1%3D2%20%26%20more"},
        {"*#%", "%2A%23%25"},
        {"~al_start", "~al_start"},
        {"A-Z_a.z~09", "A-Z_a.z~09"},
        {"?/\\\"'", "%3F%2F%5C%22%27"},
        {"line\n", "line%0A"},
        {"", ""},
    };
    for (const EncodeCase& c : cases) EXPECT_EQ(c.encoded, ChatEncode(c.text)) << c.text;
    EXPECT_EQ("GET /message?message=a%20b HTTP 1.0", ChatMessageRequest("a b"));
}

// A chat stream that opens and then stays quiet.
void QuietStream(CServerConn& c)
{
    c.Send(kHeader);
    c.Pause(10000);
}

// A server with a chat stream and message requests; every message request is
// answered (or not, when SilentMessages) and recorded.
struct ChatServer {
    explicit ChatServer(std::function<void(CServerConn&)> stream, bool silentMessages = false)
        : server([stream, silentMessages](CServerConn& c) {
              if (c.Request == "GET /chat HTTP 1.0") {
                  stream(c);
              } else if (silentMessages) {
                  c.Pause(20000);
              } else {
                  c.Send("HTTP/1.0 200 OK\r\n");
                  c.Close();
              }
          })
    {
    }
    std::vector<std::string> Messages()
    {
        std::vector<std::string> out;
        for (const std::string& r : server.Requests())
            if (r != "GET /chat HTTP 1.0") out.push_back(r);
        return out;
    }
    CLoopbackServer server;
};

TEST(ChatClient, ShowsTextsAndKeepsNotices)
{
    ChatServer s([](CServerConn& c) {
        c.Send(kHeader + CServerConn::Packet("Hello\n", 0));
        c.Pause(30);
        c.SendPacket(std::string("Enter password\n", 16), 1);
        c.SendPacket("~online", 0);
        c.SendPacket("", 1);              // nothing shown
        c.SendPacket("\n", 1);            // an empty line
        std::string line = CServerConn::Packet("  Server: hi there \n", 1);
        c.Send(line.substr(0, 3));        // a header split over two sends
        c.Pause(30);
        c.Send(line.substr(3));
        c.Pause(10000);
    });
    TStringList box;
    CChat chat(&box);
    ASSERT_TRUE(chat.Connect("127.0.0.1", s.server.Port()));
    chat.Resume();
    ASSERT_TRUE(PumpUntil([&] { return box.GetCount() >= 4; }, 5000)) << box.GetText();
    EXPECT_EQ("Hello", box[0]);
    EXPECT_EQ("Enter password", box[1]);
    EXPECT_EQ("", box[2]);
    EXPECT_EQ("Server: hi there", box[3]);
    EXPECT_EQ("~online", chat.LastNotice());
    EXPECT_EQ("  Server: hi there \n", chat.LastText());
    chat.Disconnect();
    EXPECT_EQ(4, box.GetCount());
}

TEST(ChatClient, SendsEachMessageOnItsOwnConnection)
{
    ChatServer s(QuietStream);
    TStringList box;
    CChat chat(&box);
    ASSERT_TRUE(chat.Connect("127.0.0.1", s.server.Port()));
    chat.Send("");  // nothing
    chat.Send("a b<c>");
    chat.Send("~al_start");
    chat.Send("x+y=z&w");
    EXPECT_EQ(3, chat.QueuedMessages());
    chat.Resume();
    ASSERT_TRUE(PumpUntil([&] { return s.Messages().size() >= 3; }, 5000));
    EXPECT_EQ((std::vector<std::string>{"GET /message?message=a%20b%3Cc%3E HTTP 1.0",
                                        "GET /message?message=~al_start HTTP 1.0",
                                        "GET /message?message=x%2By%3Dz%26w HTTP 1.0"}),
              s.Messages());
}

TEST(ChatClient, SilentMessageServerCostsOneTimeOutPerMessage)
{
    ChatServer s(
        [](CServerConn& c) {
            c.Send(kHeader);
            c.Pause(20000);
        },
        true);
    TStringList box;
    CChat chat(&box);
    ASSERT_TRUE(chat.Connect("127.0.0.1", s.server.Port()));
    chat.Send("one");
    chat.Send("two");
    chat.Resume();
    ASSERT_TRUE(PumpUntil([&] { return s.Messages().size() >= 2; }, 9000)) << "the chat thread hung on a silent reply";
    std::vector<DWORD> times = s.server.RequestTimes();
    DWORD gap = times.back() - times[times.size() - 2];
    EXPECT_GE(gap, 4500u);
    EXPECT_LT(gap, 7000u);
    DWORD t0 = GetTickCount();
    chat.Disconnect();
    EXPECT_LT(GetTickCount() - t0, 6000u);
}

TEST(ChatClient, EndsWhenTheServerClosesTheStream)
{
    ChatServer s([](CServerConn& c) {
        c.Send(kHeader + CServerConn::Packet("bye\n", 1));
        c.Pause(100);
        c.Close();
    });
    TStringList box;
    CChat chat(&box);
    ASSERT_TRUE(chat.Connect("127.0.0.1", s.server.Port()));
    chat.Resume();
    ASSERT_TRUE(PumpUntil([&] { return chat.Finished(); }, 5000));
    ASSERT_TRUE(PumpUntil([&] { return box.GetCount() == 1; }, 1000));
    EXPECT_EQ("bye", box[0]);
}

// A server that closes the stream after part of a packet header: the chat
// thread must see the close instead of polling the few bytes for ever.
TEST(ChatClient, EndsWhenTheStreamClosesInsideAPacketHeader)
{
    for (size_t bytes = 1; bytes <= 3; ++bytes) {
        ChatServer s([bytes](CServerConn& c) {
            c.Send(kHeader + CServerConn::Packet("hi", 1).substr(0, bytes));
            c.Pause(50);
            c.Close();
        });
        TStringList box;
        CChat chat(&box);
        ASSERT_TRUE(chat.Connect("127.0.0.1", s.server.Port()));
        chat.Resume();
        EXPECT_TRUE(PumpUntil([&] { return chat.Finished(); }, 8000)) << bytes << " header bytes";
        EXPECT_EQ(0, box.GetCount());
    }
}

// Leaving the chat tells the server: "~al_disconnect" goes out, after what the
// visitor queued, even though the stream is closed at once.
TEST(ChatClient, DisconnectSendsTheNoticeAfterTheQueuedMessages)
{
    ChatServer s(QuietStream);
    TStringList box;
    CChat chat(&box);
    ASSERT_TRUE(chat.Connect("127.0.0.1", s.server.Port()));
    chat.Resume();
    ASSERT_TRUE(PumpUntil([&] { return s.server.Requests().size() >= 1; }, 5000));
    chat.Send("bye");
    chat.Disconnect();
    ASSERT_TRUE(PumpUntil([&] { return s.Messages().size() >= 2; }, 5000)) << s.Messages().size();
    // One connection each, sent in this order; the server's threads may
    // record them the other way round.
    std::vector<std::string> got = s.Messages();
    std::sort(got.begin(), got.end());
    EXPECT_EQ((std::vector<std::string>{"GET /message?message=bye HTTP 1.0",
                                        "GET /message?message=~al_disconnect HTTP 1.0"}),
              got);
    chat.Disconnect(); // a second time sends nothing more
    EXPECT_FALSE(PumpUntil([&] { return s.Messages().size() > 2; }, 300));
}

TEST(ChatClient, ConnectRefusedOrSilent)
{
    ChatServer silent([](CServerConn& c) { c.Pause(10000); });
    TStringList box;
    CChat chat(&box);
    DWORD t0 = GetTickCount();
    EXPECT_FALSE(chat.Connect("127.0.0.1", silent.server.Port()));
    EXPECT_LT(GetTickCount() - t0, 7000u);
    CChat other(&box);
    EXPECT_FALSE(other.Connect("127.0.0.1", 1)); // nothing listens there
}

TEST(ChatClient, OutgoingQueueHoldsNinetyNine)
{
    TStringList box;
    CChat chat(&box);
    for (int i = 0; i < 150; ++i) chat.Send("m" + IntToStr(i));
    EXPECT_EQ(CChat::OutgoingCapacity - 1, chat.QueuedMessages());
}

} // namespace
