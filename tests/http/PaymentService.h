// The payment service of the tests: a loopback HTTP server with the three payment
// paths and a small ledger (users, passwords, balances, the charges received).
#pragma once
#include "ScktComp.h"
#include "SyncObjs.h"
#include "Thread.h"
#include <map>
#include <string>
#include <vector>

namespace httptest {

class PaymentService : public TThread {
public:
    enum Mode {
        Ledger,       // answers from the ledger
        FixedReply,   // every request gets the same body
        HttpError,    // every request gets status 500 (with a body that would mean success)
        Silent,       // accepts and never answers
    };
    struct Request {
        std::string Path;                          // "/payment/subtime.php"
        std::string Query;                         // as received
        std::map<std::string, std::string> Values; // decoded
        int KeyCount = 0;
    };
    struct Charge {
        std::string User;
        std::string Amount;     // as received
        std::string Address;
        std::string Owner;
        bool Accepted;
    };

    PaymentService();
    ~PaymentService() override;
    int Port() const { return FPort; }
    // The PAYHOST setting that reaches this service.
    std::string Host() const { return "127.0.0.1:" + IntToStr(FPort); }

    void SetMode(Mode mode, const std::string& reply = std::string());
    void AddUser(const std::string& name, const std::string& password, double balance);
    double Balance(const std::string& name);
    std::vector<Request> Requests();
    std::vector<Charge> Charges();
    // Balance given to users who sign up.
    double NewUserBalance = 0;

protected:
    void Execute() override;

private:
    struct User {
        std::string Password;
        double Balance;
    };
    void Serve(SOCKET s);
    std::string Answer(const Request& r, int& status);
    SOCKET FListen = INVALID_SOCKET;
    int FPort = 0;
    TCriticalSection FLock;
    Mode FMode = Ledger;
    std::string FReply;
    std::map<std::string, User> FUsers;
    std::vector<Request> FRequests;
    std::vector<Charge> FCharges;
    std::vector<SOCKET> FHeld;
};

} // namespace httptest
