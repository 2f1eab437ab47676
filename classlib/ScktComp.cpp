#include "ScktComp.h"
#include "Trace.h"
#include <ws2tcpip.h>
#include <vector>

namespace {

[[noreturn]] void RaiseSocketError(const std::string& what, int code)
{
    throw ESocketError(what + " (" + IntToStr(code) + "): " + SysErrorMessage(static_cast<DWORD>(code)));
}

timeval Millis(DWORD ms)
{
    timeval tv;
    tv.tv_sec = static_cast<LONG>(ms / 1000);
    tv.tv_usec = static_cast<LONG>(ms % 1000) * 1000;
    return tv;
}

} // namespace

// ---------------------------------------------------------------- TCustomWinSocket

std::atomic<long long> TCustomWinSocket::FCalls{0};

TCustomWinSocket::TCustomWinSocket(SOCKET Socket, const sockaddr_in* Peer) : FSocket(Socket)
{
    if (FSocket == INVALID_SOCKET) return;
    FConnected = true;
    sockaddr_in peer = {};
    if (Peer) {
        peer = *Peer;
    } else {
        Prepare();
        int len = sizeof(peer);
        Counted();
        if (getpeername(FSocket, reinterpret_cast<sockaddr*>(&peer), &len) != 0) return;
    }
    char text[INET_ADDRSTRLEN] = {};
    if (inet_ntop(AF_INET, &peer.sin_addr, text, sizeof(text))) FRemoteAddress = text;
    FRemotePort = ntohs(peer.sin_port);
}

void TCustomWinSocket::Prepare()
{
    if (FPrepared || FSocket == INVALID_SOCKET) return;
    FPrepared = true;
    // The conversation is driven by waits of our own (select), never by a send or
    // receive that blocks: a thread must be able to notice Terminate and a peer that
    // stopped reading.
    u_long on = 1;
    Counted();
    ioctlsocket(FSocket, FIONBIO, &on);
}

TCustomWinSocket::~TCustomWinSocket() { Close(); }

void TCustomWinSocket::Disconnected() { FConnected = false; }

int TCustomWinSocket::SendBuf(const void* Buf, int Count)
{
    if (!FConnected) throw ESocketError("Socket is not connected");
    Counted();
    int n = send(FSocket, static_cast<const char*>(Buf), Count, 0);
    if (n == SOCKET_ERROR) {
        int e = WSAGetLastError();
        if (e == WSAEWOULDBLOCK) return -1;
        Disconnected();
        RaiseSocketError("send", e);
    }
    return n;
}

int TCustomWinSocket::SendBufs(WSABUF* Bufs, DWORD Count)
{
    if (!FConnected) throw ESocketError("Socket is not connected");
    Counted();
    DWORD sent = 0;
    if (WSASend(FSocket, Bufs, Count, &sent, 0, nullptr, nullptr) == SOCKET_ERROR) {
        int e = WSAGetLastError();
        if (e == WSAEWOULDBLOCK) return -1;
        Disconnected();
        RaiseSocketError("send", e);
    }
    return static_cast<int>(sent);
}

int TCustomWinSocket::ReceiveBuf(void* Buf, int Count)
{
    if (!FConnected) return 0;
    Counted();
    int n = recv(FSocket, static_cast<char*>(Buf), Count, 0);
    if (n == 0) {
        Disconnected();
        return 0;
    }
    if (n == SOCKET_ERROR) {
        int e = WSAGetLastError();
        if (e == WSAEWOULDBLOCK) return -1;
        Disconnected();
        RaiseSocketError("recv", e);
    }
    return n;
}

bool TCustomWinSocket::WaitForData(DWORD Timeout)
{
    if (FSocket == INVALID_SOCKET) return false;
    fd_set rd;
    FD_ZERO(&rd);
    FD_SET(FSocket, &rd);
    timeval tv = Millis(Timeout);
    Counted();
    return select(0, &rd, nullptr, nullptr, &tv) > 0;
}

bool TCustomWinSocket::WaitForWrite(DWORD Timeout)
{
    if (FSocket == INVALID_SOCKET) return false;
    fd_set wr, ex;
    FD_ZERO(&wr);
    FD_ZERO(&ex);
    FD_SET(FSocket, &wr);
    FD_SET(FSocket, &ex);
    timeval tv = Millis(Timeout);
    Counted();
    return select(0, nullptr, &wr, &ex, &tv) > 0;
}

void TCustomWinSocket::Shutdown()
{
    TLockGuard<TCriticalSection> hold(FHandleLock);
    if (FSocket != INVALID_SOCKET) shutdown(FSocket, SD_BOTH);
    FConnected = false;
}

void TCustomWinSocket::Close()
{
    TLockGuard<TCriticalSection> hold(FHandleLock);
    if (FSocket != INVALID_SOCKET) {
        closesocket(FSocket);
        FSocket = INVALID_SOCKET;
    }
    FConnected = false;
}

TServerClientWinSocket::TServerClientWinSocket(SOCKET Socket, TServerWinSocket* Server, const sockaddr_in* Peer)
    : TCustomWinSocket(Socket, Peer), FServer(Server)
{
}

// ---------------------------------------------------------------- TServerClientThread

TServerClientThread::TServerClientThread(bool CreateSuspended, TServerClientWinSocket* ASocket)
    : TThread(true, StackReservation), FClientSocket(ASocket), FServer(ASocket ? ASocket->ServerWinSocket() : nullptr)
{
    (void)CreateSuspended;
    if (!FClientSocket || !FServer) throw ESocketError("A client thread needs an accepted socket");
    FreeOnTerminate = true;
    // Not registered here: a derived constructor has not run yet, and a thread
    // that the fan-out can reach must be whole. The server registers it once the
    // factory has returned (Accepted).
}

TServerClientThread::~TServerClientThread()
{
    if (FServer) FServer->RemoveThread(this);
    // A thread that never ran leaves its socket to the server (which may give it
    // another thread); one that ran owns it.
    if (FRan) delete FClientSocket;
}

void TServerClientThread::Withdraw()
{
    if (FServer) FServer->RemoveConnection(FClientSocket);
}

void TServerClientThread::Execute()
{
    FRan = true;
    try {
        FClientSocket->Prepare();
        ClientExecute();
    } catch (...) {
        // A failure ends the connection, nothing more.
        Trace::Caught(Trace::ClassLib, "server client thread");
    }
    Withdraw();
    FClientSocket->Close();
    FServer->ThreadLeaving(this);
}

void TServerClientThread::DoTerminate()
{
    Withdraw();
    TThread::DoTerminate();
}

// ---------------------------------------------------------------- accept thread

class TServerAcceptThread : public TThread {
public:
    explicit TServerAcceptThread(TServerWinSocket* Server) : TThread(true), FServer(Server) {}

protected:
    void Execute() override
    {
        while (!Terminated()) {
            fd_set rd;
            FD_ZERO(&rd);
            FD_SET(FServer->FListen, &rd);
            // A short wait, so that Close is noticed without closing the handle under select.
            timeval tv = Millis(100);
            int n = select(0, &rd, nullptr, nullptr, &tv);
            if (n <= 0 || Terminated()) continue;
            // Every connection waiting is taken before the next select: under a
            // burst of connections each select is wine server round trips saved.
            // The peer's address comes with the accept; the socket's own set-up is
            // left to its thread, so this thread only accepts and starts threads.
            while (!Terminated()) {
                sockaddr_in peer = {};
                int len = sizeof(peer);
                SOCKET s = accept(FServer->FListen, reinterpret_cast<sockaddr*>(&peer), &len);
                if (s == INVALID_SOCKET) {
                    int e = WSAGetLastError();
                    if (e != WSAEWOULDBLOCK) Trace::Failure(Trace::ClassLib, "accept", e);
                    break;
                }
                try {
                    FServer->Accepted(s, len >= static_cast<int>(sizeof(peer)) ? &peer : nullptr);
                } catch (...) {
                    // One connection that could not be set up does not stop the server.
                    Trace::Caught(Trace::ClassLib, "accepting a connection");
                }
            }
        }
    }

private:
    TServerWinSocket* FServer;
};

// ---------------------------------------------------------------- TServerWinSocket

TServerWinSocket::TServerWinSocket()
{
    WSADATA data;
    FWsaStarted = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    FThreadGone.Reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
}

TServerWinSocket::~TServerWinSocket()
{
    try {
        Close();
    } catch (...) {
        Trace::Caught(Trace::ClassLib, "closing the server socket");
    }
    if (FWsaStarted) WSACleanup();
}

void TServerWinSocket::Listen(const std::string& Address, int Port)
{
    if (Active()) return;
    if (Port < 0 || Port > 65535) throw ESocketError("Invalid port " + IntToStr(Port));
    sockaddr_in at = {};
    at.sin_family = AF_INET;
    at.sin_port = htons(static_cast<u_short>(Port));
    at.sin_addr.s_addr = htonl(INADDR_ANY);
    if (!Address.empty() && inet_pton(AF_INET, Address.c_str(), &at.sin_addr) != 1)
        throw ESocketError("Invalid address " + Address);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) RaiseSocketError("socket", WSAGetLastError());
    if (bind(s, reinterpret_cast<sockaddr*>(&at), sizeof(at)) == SOCKET_ERROR ||
        listen(s, SOMAXCONN) == SOCKET_ERROR) {
        int e = WSAGetLastError();
        closesocket(s);
        RaiseSocketError("Can't bind port " + IntToStr(Port), e);
    }
    sockaddr_in bound = {};
    int len = sizeof(bound);
    getsockname(s, reinterpret_cast<sockaddr*>(&bound), &len);
    FLocalPort = ntohs(bound.sin_port);
    // Accepts never block: the accept thread takes what is waiting and goes back to select.
    u_long on = 1;
    ioctlsocket(s, FIONBIO, &on);
    FListen = s;
    FAcceptThread = new TServerAcceptThread(this);
    FAcceptThread->Resume();
}

void TServerWinSocket::Accepted(SOCKET s, const sockaddr_in* Peer)
{
    if (Trace::Enabled(Trace::ClassLib))
        Trace::Line(Trace::ClassLib, "connection " + IntToStr(static_cast<long long>(s)) + " accepted");
    auto* c = new TServerClientWinSocket(s, this, Peer);
    {
        TLockGuard<TCriticalSection> hold(FLock);
        FConnections.Add(c);
    }
    TServerClientThread* t = nullptr;
    try {
        if (OnGetThread) OnGetThread(this, c, t);
    } catch (...) {
        Trace::Caught(Trace::ClassLib, "OnGetThread");
        t = nullptr;
    }
    if (!t) {
        // The owner made no thread (or its thread failed to construct): the
        // library's own thread serves the connection, which simply ends it.
        try {
            t = new TServerClientThread(true, c);
        } catch (...) {
            Trace::Caught(Trace::ClassLib, "making a client thread");
            t = nullptr;
        }
    }
    if (!t) {
        RemoveConnection(c);
        delete c;
        return;
    }
    // Registered only now that it is fully built, and started exactly once: from
    // Resume on, the thread may end and free itself, so it is not touched again.
    AddThread(t);
    t->Resume();
}

void TServerWinSocket::AddThread(TServerClientThread* t)
{
    TLockGuard<TCriticalSection> hold(FLock);
    FThreads.Add(t);
    t->FClientSocket->FThread = t;
}

void TServerWinSocket::RemoveThread(TServerClientThread* t)
{
    TLockGuard<TCriticalSection> hold(FLock);
    FThreads.Remove(t);
    if (t->FClientSocket->FThread == t) t->FClientSocket->FThread = nullptr;
    if (t->FRan) FConnections.Remove(t->FClientSocket);
    SetEvent(FThreadGone.Get());
}

void TServerWinSocket::RemoveConnection(TServerClientWinSocket* c)
{
    TLockGuard<TCriticalSection> hold(FLock);
    FConnections.Remove(c);
}

void TServerWinSocket::ThreadLeaving(TServerClientThread* t)
{
    TLockGuard<TCriticalSection> hold(FLock);
    // Unless Close has already claimed it, the thread frees itself from here on
    // and Close only waits for it to leave the thread list.
    if (!t->FClaimed) t->FLeaving = true;
}

int TServerWinSocket::ActiveConnections()
{
    TLockGuard<TCriticalSection> hold(FLock);
    return FConnections.GetCount();
}

TServerClientWinSocket* TServerWinSocket::Connections(int Index)
{
    TLockGuard<TCriticalSection> hold(FLock);
    return static_cast<TServerClientWinSocket*>(FConnections.Get(Index));
}

int TServerWinSocket::ActiveThreads()
{
    TLockGuard<TCriticalSection> hold(FLock);
    return FThreads.GetCount();
}

void TServerWinSocket::Close()
{
    if (FAcceptThread) {
        FAcceptThread->Terminate();
        FAcceptThread->WaitFor();
        delete FAcceptThread;
        FAcceptThread = nullptr;
    }
    if (FListen != INVALID_SOCKET) {
        closesocket(FListen);
        FListen = INVALID_SOCKET;
    }
    for (;;) {
        std::vector<TServerClientThread*> claimed;
        {
            TLockGuard<TCriticalSection> hold(FLock);
            if (FThreads.GetCount() == 0) break;
            for (int i = 0; i < FThreads.GetCount(); ++i) {
                auto* t = static_cast<TServerClientThread*>(FThreads.Get(i));
                if (t->FLeaving || t->FClaimed) continue;
                t->FClaimed = true;
                t->FreeOnTerminate = false;
                t->Terminate();
                t->FClientSocket->Shutdown();
                claimed.push_back(t);
            }
        }
        // Waiting for a thread serves its synchronous calls (on the GUI thread);
        // its destructor then runs here.
        for (auto* t : claimed) {
            t->WaitFor();
            delete t;
        }
        if (claimed.empty()) WaitServingSync(FThreadGone.Get(), 50);
    }
    // Connections left without a thread (none in normal operation).
    TLockGuard<TCriticalSection> hold(FLock);
    while (FConnections.GetCount() > 0) {
        auto* c = static_cast<TServerClientWinSocket*>(FConnections.Get(0));
        FConnections.Delete(0);
        if (!c->FThread) delete c;
    }
}

// ---------------------------------------------------------------- TServerSocket

TServerSocket::TServerSocket(TComponent* AOwner) : TComponent(AOwner) {}

TServerSocket::~TServerSocket()
{
    try {
        Close();
    } catch (...) {
        Trace::Caught(Trace::ClassLib, "closing the server socket component");
    }
}

void TServerSocket::Open()
{
    FSocket.ServerType = ServerType;
    FSocket.ThreadCacheSize = ThreadCacheSize;
    FSocket.OnGetThread = OnGetThread;
    FSocket.Listen(Address, Port);
}

void TServerSocket::Close() { FSocket.Close(); }
