// Winsock first: its headers must precede the C library's.
#include "HttpTestKit.h"
#include "test_gtest.h"
#include "PayThread.h"
#include "PaymentService.h"
#include "Settings.h"
#include <memory>

using namespace httptest;

namespace {

struct PayClient : ::testing::Test {
    void SetUp() override
    {
        MakeProgramFolder("payclient_case");
        Settings::Write("PAYHOST", Service.Host());
        CPayThread::TimeoutMs = 1000;
    }
    void TearDown() override { CPayThread::TimeoutMs = 3000; }
    // Runs one request to its end, as the connection threads do.
    std::unique_ptr<CPayThread> Run(int command, double amount = 0, const std::string& user = "ann",
                                    const std::string& password = "pw")
    {
        std::unique_ptr<CPayThread> t(new CPayThread(false, "owner", amount, "10.1.2.3", password, user, command));
        t->WaitFor();
        return t;
    }
    PaymentService Service;
};

TEST_F(PayClient, LoginRepliesDecideResultAndBalance)
{
    struct Case {
        std::string reply;
        int result;
        double balance;
    } cases[] = {
        {"0", 0, 0}, {"ok12.50", 1, 12.5}, {"ok0", 0, 0}, {"okabc", 0, 0}, {"ok", 0, 0}, {"ok-3", 1, -3},
    };
    for (auto& c : cases) {
        Service.SetMode(PaymentService::FixedReply, c.reply);
        auto t = Run(CPayThread::cmdCheckLogin);
        EXPECT_EQ(t->FResult, c.result) << c.reply;
        EXPECT_EQ(t->FBalance, c.balance) << c.reply;
    }
    // The ledger answers with the user's balance.
    Service.SetMode(PaymentService::Ledger);
    Service.AddUser("ann", "pw", 3.25);
    EXPECT_EQ(Run(CPayThread::cmdCheckLogin)->FBalance, 3.25);
    EXPECT_EQ(Run(CPayThread::cmdCheckLogin, 0, "ann", "bad")->FResult, 0);
    EXPECT_EQ(Service.Requests().back().Path, "/payment/checklogin.php");
}

TEST_F(PayClient, FailuresAreRefusals)
{
    // An HTTP error status, even with a body that would mean success.
    Service.SetMode(PaymentService::HttpError);
    EXPECT_EQ(Run(CPayThread::cmdRegister)->FResult, 0);

    // A refused connection: a port that nothing listens on.
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at = {};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&at), sizeof(at));
    int len = sizeof(at);
    getsockname(s, reinterpret_cast<sockaddr*>(&at), &len);
    closesocket(s);
    Settings::Write("PAYHOST", "127.0.0.1:" + IntToStr(ntohs(at.sin_port)));
    DWORD start = GetTickCount();
    EXPECT_EQ(Run(CPayThread::cmdRegister)->FResult, 0);
    EXPECT_LT(GetTickCount() - start, 3000u);

    // A host that accepts and never answers: the time-out ends it.
    Settings::Write("PAYHOST", Service.Host());
    Service.SetMode(PaymentService::Silent);
    start = GetTickCount();
    EXPECT_EQ(Run(CPayThread::cmdCheckLogin)->FResult, 0);
    EXPECT_LT(GetTickCount() - start, 4 * CPayThread::TimeoutMs + 2000);

    // No host configured: a refusal without any request.
    Service.SetMode(PaymentService::FixedReply, "ok1");
    size_t before = Service.Requests().size();
    Settings::Write("PAYHOST", "");
    EXPECT_EQ(Run(CPayThread::cmdCheckLogin)->FResult, 0);
    EXPECT_EQ(Service.Requests().size(), before);
}

TEST_F(PayClient, EachValueIsEncodedOnItsOwn)
{
    Service.SetMode(PaymentService::FixedReply, "ok");
    auto t = Run(CPayThread::cmdSubTime, 0.5, "a&b=c d%", "p+q*#<>\xE9");
    EXPECT_EQ(t->FResult, 1);
    auto r = Service.Requests().back();
    EXPECT_EQ(r.Path, "/payment/subtime.php");
    EXPECT_EQ(r.Query, "username_var=a%26b%3Dc%20d%25&password_var=p+q%2A%23%3C%3E%E9&ip_var=10.1.2.3"
                       "&subtime_var=0.5&ownername_var=owner");
    // No value adds keys of its own.
    EXPECT_EQ(r.KeyCount, 5);
    EXPECT_EQ(r.Values["username_var"], "a&b=c d%");

    struct Amount {
        double value;
        const char* text;
    } amounts[] = {{0.5, "0.5"}, {12.5, "12.5"}, {2, "2"}, {1.0 / 3, "0.333333333333333"}, {-1.25, "-1.25"}};
    for (auto& a : amounts) EXPECT_EQ(CPayThread::AmountText(a.value), a.text);

    // Nothing of zero or less is charged.
    size_t before = Service.Requests().size();
    EXPECT_EQ(Run(CPayThread::cmdSubTime, 0)->FResult, 0);
    EXPECT_EQ(Run(CPayThread::cmdSubTime, -1)->FResult, 0);
    EXPECT_EQ(Service.Requests().size(), before);

    // Sign-up carries the address; the ledger keeps the new user.
    Service.SetMode(PaymentService::Ledger);
    Service.NewUserBalance = 4;
    EXPECT_EQ(Run(CPayThread::cmdRegister, 0, "newbie", "pw")->FResult, 1);
    EXPECT_EQ(Service.Requests().back().Query, "username_var=newbie&password_var=pw&ip_var=10.1.2.3&ownername_var=owner");
    EXPECT_EQ(Service.Balance("newbie"), 4);
    EXPECT_EQ(Run(CPayThread::cmdRegister, 0, "newbie", "pw")->FResult, 0);
}

} // namespace
