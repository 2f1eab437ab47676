#include "PaymentService.h"
#include <cstdio>

namespace httptest {

namespace {

int Hex(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// As a PHP service decodes its query: "+" is a blank, "%XX" a byte.
std::string Decode(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '+') {
            out += ' ';
        } else if (s[i] == '%' && i + 2 < s.size() && Hex(s[i + 1]) >= 0 && Hex(s[i + 2]) >= 0) {
            out += static_cast<char>(Hex(s[i + 1]) * 16 + Hex(s[i + 2]));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::string Money(double v)
{
    char buf[64];
    snprintf(buf, sizeof(buf), "%.2f", v);
    return buf;
}

} // namespace

PaymentService::PaymentService() : TThread(true)
{
    WSADATA d;
    WSAStartup(MAKEWORD(2, 2), &d);
    FListen = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at = {};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(FListen, reinterpret_cast<sockaddr*>(&at), sizeof(at));
    listen(FListen, 16);
    int len = sizeof(at);
    getsockname(FListen, reinterpret_cast<sockaddr*>(&at), &len);
    FPort = ntohs(at.sin_port);
    Resume();
}

PaymentService::~PaymentService()
{
    Terminate();
    WaitFor();
    closesocket(FListen);
    for (SOCKET s : FHeld) closesocket(s);
    WSACleanup();
}

void PaymentService::SetMode(Mode mode, const std::string& reply)
{
    TLockGuard<TCriticalSection> hold(FLock);
    FMode = mode;
    FReply = reply;
}

void PaymentService::AddUser(const std::string& name, const std::string& password, double balance)
{
    TLockGuard<TCriticalSection> hold(FLock);
    FUsers[name] = User{password, balance};
}

double PaymentService::Balance(const std::string& name)
{
    TLockGuard<TCriticalSection> hold(FLock);
    auto it = FUsers.find(name);
    return it == FUsers.end() ? -1 : it->second.Balance;
}

std::vector<PaymentService::Request> PaymentService::Requests()
{
    TLockGuard<TCriticalSection> hold(FLock);
    return FRequests;
}

std::vector<PaymentService::Charge> PaymentService::Charges()
{
    TLockGuard<TCriticalSection> hold(FLock);
    return FCharges;
}

void PaymentService::Execute()
{
    while (!Terminated()) {
        fd_set rd;
        FD_ZERO(&rd);
        FD_SET(FListen, &rd);
        timeval tv = {0, 50000};
        if (select(0, &rd, nullptr, nullptr, &tv) <= 0) continue;
        SOCKET s = accept(FListen, nullptr, nullptr);
        if (s == INVALID_SOCKET) continue;
        try {
            Serve(s);
        } catch (...) {
            closesocket(s);
        }
    }
}

void PaymentService::Serve(SOCKET s)
{
    {
        TLockGuard<TCriticalSection> hold(FLock);
        if (FMode == Silent) {
            // Holds the connection open and never reads or answers.
            FHeld.push_back(s);
            return;
        }
    }
    std::string in;
    DWORD start = GetTickCount();
    size_t end = std::string::npos;
    while (GetTickCount() - start < 3000 && (end = in.find("\r\n\r\n")) == std::string::npos) {
        fd_set rd;
        FD_ZERO(&rd);
        FD_SET(s, &rd);
        timeval tv = {0, 50000};
        if (select(0, &rd, nullptr, nullptr, &tv) <= 0) continue;
        char buf[4096];
        int n = recv(s, buf, sizeof(buf), 0);
        if (n <= 0) break;
        in.append(buf, static_cast<size_t>(n));
    }
    Request r;
    size_t sp1 = in.find(' ');
    size_t sp2 = in.find(' ', sp1 + 1);
    std::string target = sp1 == std::string::npos ? "" : in.substr(sp1 + 1, sp2 - sp1 - 1);
    size_t q = target.find('?');
    r.Path = target.substr(0, q);
    r.Query = q == std::string::npos ? "" : target.substr(q + 1);
    size_t pos = 0;
    while (pos <= r.Query.size() && !r.Query.empty()) {
        size_t amp = r.Query.find('&', pos);
        std::string pair = r.Query.substr(pos, amp == std::string::npos ? std::string::npos : amp - pos);
        size_t eq = pair.find('=');
        r.Values[Decode(pair.substr(0, eq))] = eq == std::string::npos ? "" : Decode(pair.substr(eq + 1));
        ++r.KeyCount;
        if (amp == std::string::npos) break;
        pos = amp + 1;
    }
    int status = 200;
    std::string body;
    {
        TLockGuard<TCriticalSection> hold(FLock);
        FRequests.push_back(r);
        body = Answer(r, status);
    }
    std::string reply = "HTTP/1.1 " + IntToStr(status) + (status == 200 ? " OK" : " Internal Server Error") +
                        "\r\nContent-Type: text/html\r\nContent-Length: " + IntToStr(static_cast<long long>(body.size())) +
                        "\r\nConnection: close\r\n\r\n" + body;
    send(s, reply.data(), static_cast<int>(reply.size()), 0);
    shutdown(s, SD_SEND);
    closesocket(s);
}

std::string PaymentService::Answer(const Request& r, int& status)
{
    if (FMode == FixedReply) return FReply;
    if (FMode == HttpError) {
        status = 500;
        return "ok5";
    }
    auto value = [&](const char* k) {
        auto it = r.Values.find(k);
        return it == r.Values.end() ? std::string() : it->second;
    };
    std::string user = value("username_var");
    auto it = FUsers.find(user);
    bool known = it != FUsers.end() && it->second.Password == value("password_var");
    if (r.Path == "/payment/checklogin.php") return known ? "ok" + Money(it->second.Balance) : "0";
    if (r.Path == "/payment/register.php") {
        if (user.empty() || it != FUsers.end()) return "0";
        FUsers[user] = User{value("password_var"), NewUserBalance};
        return "ok";
    }
    if (r.Path == "/payment/subtime.php") {
        double amount = atof(value("subtime_var").c_str());
        FCharges.push_back(Charge{user, value("subtime_var"), value("ip_var"), value("ownername_var"), known});
        if (!known) return "0";
        it->second.Balance -= amount;
        return "ok";
    }
    status = 404;
    return "0";
}

} // namespace httptest
