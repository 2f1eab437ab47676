#include "WinsockPrelude.h"
#include <ws2tcpip.h>
#include "LoopbackServer.h"
#include "Application.h"

class CLoopbackServer::TAcceptThread : public TThread {
public:
    explicit TAcceptThread(CLoopbackServer* Owner) : FOwner(Owner) {}
    // Waited for here: a thread that has not reached Execute yet when the
    // object is already down to its TThread part would call a pure virtual.
    ~TAcceptThread() override
    {
        Terminate();
        WaitFor();
    }
protected:
    void Execute() override
    {
        while (!FOwner->FStop) {
            fd_set rd;
            FD_ZERO(&rd);
            FD_SET(FOwner->FListen, &rd);
            timeval tv = {0, 50000};
            if (select(0, &rd, nullptr, nullptr, &tv) <= 0) continue;
            SOCKET s = accept(FOwner->FListen, nullptr, nullptr);
            if (s != INVALID_SOCKET) FOwner->Accepted(s);
        }
    }
private:
    CLoopbackServer* FOwner;
};

class CLoopbackServer::TConnThread : public TThread {
public:
    TConnThread(CLoopbackServer* Owner, SOCKET s) : FOwner(Owner), FConn(s, &Owner->FStop) {}
    ~TConnThread() override
    {
        WaitFor();
        closesocket(FConn.Handle());
    }
    void Wake() { shutdown(FConn.Handle(), SD_BOTH); }
protected:
    void Execute() override
    {
        // The request: one read of at most 1024 bytes within 2 s.
        char buf[1025] = {};
        fd_set rd;
        FD_ZERO(&rd);
        FD_SET(FConn.Handle(), &rd);
        timeval tv = {2, 0};
        if (select(0, &rd, nullptr, nullptr, &tv) > 0) {
            int n = recv(FConn.Handle(), buf, 1024, 0);
            if (n > 0) FConn.Request.assign(buf, n);
        }
        {
            std::lock_guard<std::mutex> hold(FOwner->FLock);
            FOwner->FRequests.push_back(FConn.Request);
            FOwner->FTimes.push_back(GetTickCount());
        }
        try {
            FOwner->FHandler(FConn);
        } catch (...) {
        }
    }
private:
    CLoopbackServer* FOwner;
    CServerConn FConn;
};

void CServerConn::Send(const std::string& Bytes)
{
    size_t done = 0;
    while (done < Bytes.size()) {
        int n = send(FSocket, Bytes.data() + done, static_cast<int>(Bytes.size() - done), 0);
        if (n <= 0) return;
        done += static_cast<size_t>(n);
    }
}

std::string CServerConn::Packet(const std::string& Payload, uint8_t Flag, uint8_t Spare)
{
    std::string p(4, '\0');
    p[0] = static_cast<char>(Payload.size() & 0xFF);
    p[1] = static_cast<char>((Payload.size() >> 8) & 0xFF);
    p[2] = static_cast<char>(Flag);
    p[3] = static_cast<char>(Spare);
    return p + Payload;
}

void CServerConn::SendPacket(const std::string& Payload, uint8_t Flag, uint8_t Spare)
{
    Send(Packet(Payload, Flag, Spare));
}

bool CServerConn::Pause(DWORD Ms)
{
    DWORD start = GetTickCount();
    while (!*FStop) {
        if (GetTickCount() - start >= Ms) return true;
        Sleep(5);
    }
    return false;
}

bool CServerConn::WaitPeerClose(DWORD Ms)
{
    DWORD start = GetTickCount();
    while (!*FStop && GetTickCount() - start < Ms) {
        fd_set rd;
        FD_ZERO(&rd);
        FD_SET(FSocket, &rd);
        timeval tv = {0, 20000};
        if (select(0, &rd, nullptr, nullptr, &tv) > 0) {
            char b[256];
            if (recv(FSocket, b, sizeof(b), 0) <= 0) return true;
        }
    }
    return false;
}

void CServerConn::Close()
{
    shutdown(FSocket, SD_BOTH);
}

CLoopbackServer::CLoopbackServer(THandler Handler, int Port) : FHandler(std::move(Handler))
{
    WSADATA d;
    WSAStartup(MAKEWORD(2, 2), &d);
    FListen = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<u_short>(Port));
    if (bind(FListen, reinterpret_cast<sockaddr*>(&a), sizeof(a)) != 0) {
        a.sin_port = 0;
        bind(FListen, reinterpret_cast<sockaddr*>(&a), sizeof(a));
    }
    listen(FListen, 16);
    int len = sizeof(a);
    getsockname(FListen, reinterpret_cast<sockaddr*>(&a), &len);
    FPort = ntohs(a.sin_port);
    FAccept = std::make_unique<TAcceptThread>(this);
    FAccept->Resume();
}

CLoopbackServer::~CLoopbackServer()
{
    FStop = true;
    FAccept.reset();
    std::vector<std::unique_ptr<TThread>> conns;
    {
        std::lock_guard<std::mutex> hold(FLock);
        conns.swap(FConns);
    }
    for (auto& c : conns) static_cast<TConnThread*>(c.get())->Wake();
    conns.clear();
    closesocket(FListen);
    WSACleanup();
}

void CLoopbackServer::Accepted(UINT_PTR s)
{
    BOOL on = TRUE;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof(on));
    auto t = std::make_unique<TConnThread>(this, s);
    TThread* raw = t.get();
    {
        std::lock_guard<std::mutex> hold(FLock);
        FConns.push_back(std::move(t));
    }
    raw->Resume();
}

std::vector<std::string> CLoopbackServer::Requests()
{
    std::lock_guard<std::mutex> hold(FLock);
    return FRequests;
}

std::vector<DWORD> CLoopbackServer::RequestTimes()
{
    std::lock_guard<std::mutex> hold(FLock);
    return FTimes;
}

bool CLoopbackServer::WaitRequests(size_t Count, DWORD Ms)
{
    return PumpUntil([&] { return Requests().size() >= Count; }, Ms);
}
