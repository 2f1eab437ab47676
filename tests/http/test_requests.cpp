// Winsock first: its headers must precede the C library's.
#include "HttpTestKit.h"
#include "test_gtest.h"
#include "Settings.h"
#include <regex>

using namespace httptest;

namespace {

const char* const kLogin = "<html>login page</html>\n";
const char* const kRegistration = "<html>registration page</html>\n";
const char* const kIndex = "<html>index</html>\n";
const char* const kViewAx = "<html>viewer control</html>\n";
const char* const kView = "<html>applet</html>\n";

struct Requests : ::testing::Test {
    void SetUp() override
    {
        Folder = MakeProgramFolder("requests_case");
        WriteFile(Folder + "HTML\\login.html", kLogin);
        WriteFile(Folder + "HTML\\registration.html", kRegistration);
        WriteFile(Folder + "HTML\\index.html", kIndex);
        WriteFile(Folder + "HTML\\viewax.html", kViewAx);
        WriteFile(Folder + "HTML\\view.html", kView);
        ForceDirectories(Folder + "HTML\\sub");
        WriteFile(Folder + "HTML\\sub\\page.html", kIndex);
        WriteFile(Folder + "client.jar", ReadFile(GetCurrentDir() + "\\client.jar"));
        Settings::Write("PASS", "secret");
        Srv.reset(new Server);
    }
    void TearDown() override { Srv.reset(); }

    // A page reply as the server sends it, with the date of the reply itself.
    static std::string Page(const std::string& reply, const std::string& body,
                            const std::string& type = "text/html", const std::string& extra = "")
    {
        std::smatch m;
        std::string date;
        if (std::regex_search(reply, m, std::regex("Date: ([^\r]*)\r\n"))) date = m[1];
        return "HTTP/1.0 200 OK\r\nDate: " + date +
               "\r\nServer: Tarvik Brannoc Ulmar/1.0.0\r\nConnection: Keep-Alive\r\nContent-type: " + type + "\r\n" +
               extra + "Content-Length: " + IntToStr(static_cast<long long>(body.size())) + "\r\n\r\n" + body;
    }
    std::string Folder;
    std::unique_ptr<Server> Srv;
};

TEST_F(Requests, ClassificationGivesTheExactReplies)
{
    std::string full = "GET /index.html HTTP/1.0\r\n";
    full += std::string(1024 - full.size(), 'x');
    struct Case {
        std::string request;
        std::string body;   // the page expected; empty: no reply at all
    } cases[] = {
        {"GET / HTTP/1.1\r\nHost: x\r\n\r\n", kLogin},
        {"GET /registration.html HTTP/1.0\r\n\r\n", kRegistration},
        {"GET /Registration.HTML HTTP/1.0\r\n\r\n", kRegistration},
        {"GET /index.html HTTP/1.0\r\n\r\n", kIndex},
        {"GET /INDEX.Html HTTP/1.0\r\n\r\n", kIndex},
        {"GET /sub/page.html HTTP/1.0\r\n\r\n", kIndex},
        {full, kIndex},
        {full + "more than fits", kIndex},
        {"GET /missing.html HTTP/1.0\r\n\r\n", ""},
        {"GET /sub HTTP/1.0\r\n\r\n", ""},
        {"GET /../setup.ini HTTP/1.0\r\n\r\n", ""},
        {"GET /..\\setup.ini HTTP/1.0\r\n\r\n", ""},
        {"GET /sub/../../setup.ini HTTP/1.0\r\n\r\n", ""},
        {"GET /sub\\..\\index.html HTTP/1.0\r\n\r\n", ""},
        {"GET //etc/passwd HTTP/1.0\r\n\r\n", ""},
        {"GET /z:/etc/passwd HTTP/1.0\r\n\r\n", ""},
        {"GET /c:\\windows\\win.ini HTTP/1.0\r\n\r\n", ""},
        {"GET /nul HTTP/1.0\r\n\r\n", ""},
        {"GET /con HTTP/1.0\r\n\r\n", ""},
        {"GET /index.html::$DATA HTTP/1.0\r\n\r\n", ""},
        {"GET /*.html HTTP/1.0\r\n\r\n", ""},
        {"GET /check_login?username_var=&submit=1&password_var=&end_str_var=1 HTTP/1.0\r\n\r\n", kLogin},
        {"GET /register_new_user?username_var=&password_var=&end_str_var=1 HTTP/1.0\r\n\r\n", kRegistration},
    };
    for (auto& c : cases) {
        std::string reply = Exchange(Srv->Port(), c.request);
        if (c.body.empty())
            EXPECT_EQ(reply, "") << c.request;
        else
            EXPECT_EQ(reply, Page(reply, c.body)) << c.request;
    }
}

TEST_F(Requests, DateHeaderIsTheHttpForm)
{
    std::string reply = Exchange(Srv->Port(), "GET / HTTP/1.0\r\n\r\n");
    EXPECT_TRUE(std::regex_search(
        reply, std::regex("\r\nDate: (Sun|Mon|Tue|Wed|Thu|Fri|Sat), [0-3][0-9] "
                          "(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) 20[0-9][0-9] [0-2][0-9]:[0-5][0-9]:[0-6][0-9] GMT\r\n")))
        << reply;
}

TEST_F(Requests, AnEmptyRequestGetsNothingAfterTwoSeconds)
{
    Client c(Srv->Port());
    DWORD start = GetTickCount();
    EXPECT_TRUE(c.WaitClosed(6000));
    EXPECT_GE(GetTickCount() - start, 1900u);
    EXPECT_EQ(c.ReadAll(10), "");
}

TEST_F(Requests, ViewerPageFollowsClientTypeAndTheArchiveIsServed)
{
    // A good login sends the viewer page; it is view.html unless ClientType is ActiveX.
    std::string jar = ReadFile(Folder + "client.jar");
    ASSERT_GT(jar.size(), 20u);
    std::string reply = Exchange(Srv->Port(), "GET /client.jar HTTP/1.0\r\n\r\n");
    EXPECT_EQ(reply, Page(reply, jar, "application/octet-stream", "Accept-Ranges: bytes\r\n"));
    EXPECT_EQ(reply.substr(reply.size() - jar.size()).substr(0, 2), "PK");
}

TEST_F(Requests, MessagesAreDecodedCleanedAndDispatched)
{
    TestLink& link = Srv->Link;
    auto ok = [&](const std::string& text) {
        return Exchange(Srv->Port(), "GET /message?message=" + text + " HTTP 1.0") == "HTTP/1.0 200 OK\r\n";
    };
    // Chat lines: lower-cased Latin letters, "+" a blank, escapes keep their case, controls dropped.
    struct Case {
        std::string sent;
        std::string shown;
    } cases[] = {
        {"Hello+World%21", "guest: hello world!"},
        {"%41BC", "guest: Abc"},
        {"a%0D%0Ab%00c%7F%1Bd", "guest: abcd"},
        {"bad%zzescape", "guest: badescape"},
        {"say+registration&name=x", "guest: say registration&name=x"},
    };
    for (auto& c : cases) {
        size_t n = link.Texts.size();
        ASSERT_TRUE(ok(c.sent)) << c.sent;
        ASSERT_EQ(link.Texts.size(), n + 1) << c.sent;
        EXPECT_EQ(link.Texts.back().first, c.shown) << c.sent;
    }
    CContact* me = Srv->Contact("127.0.0.1");
    ASSERT_NE(me, nullptr);
    EXPECT_EQ(me->History, "\nguest: hello world!\nguest: Abc\nguest: abcd\nguest: badescape\nguest: say registration&name=x");
    EXPECT_EQ(link.Texts.back().second, me);

    // The broadcast password is not shown: an empty line, and the contact holds it.
    ASSERT_TRUE(ok("secret"));
    EXPECT_EQ(link.Texts.back().first, "");
    EXPECT_EQ(me->Password, "secret");

    // Alarm signals.
    ASSERT_TRUE(ok("~al_start"));
    ASSERT_TRUE(ok("~al_stop"));
    ASSERT_EQ(link.Alarms.size(), 2u);
    EXPECT_EQ(link.Alarms[0], std::make_pair(1, std::string("127.0.0.1")));
    EXPECT_EQ(link.Alarms[1], std::make_pair(0, std::string("127.0.0.1")));

    // Registration: stored in the contact and in contacts.tbl at once.
    size_t texts = link.Texts.size();
    int updates = link.UpdateOnLineCalls;
    ASSERT_TRUE(ok("registration&name=Ann&company=acme&email=a%40b.c&phone=1&interest=live+music"));
    EXPECT_EQ(link.Texts.size(), texts);
    EXPECT_EQ(me->Name, "ann");
    EXPECT_EQ(me->Email, "a@b.c");
    EXPECT_EQ(me->Interest, "live music");
    EXPECT_TRUE(PumpUntil([&] { return link.UpdateOnLineCalls > updates; }, 2000));
    CMultiThreadList saved;
    ReadContactsFile(&saved, ContactsPath());
    ASSERT_EQ(saved.GetCount(), 1);
    EXPECT_EQ(static_cast<CContact*>(saved.Get(0))->Name, "ann");
    FreeContacts(&saved);

    // One contact per address, however many connections.
    EXPECT_EQ(Srv->Contacts.GetCount(), 1);
}

TEST_F(Requests, BlackListedAddressGetsNoByte)
{
    ASSERT_NE(Exchange(Srv->Port(), "GET / HTTP/1.0\r\n\r\n"), "");
    Srv->Contact("127.0.0.1")->BlackListed = 1;
    EXPECT_EQ(Exchange(Srv->Port(), "GET / HTTP/1.0\r\n\r\n"), "");
    EXPECT_EQ(Exchange(Srv->Port(), "GET /video HTTP 1.0"), "");
}

} // namespace
