// A scripted TCP server on 127.0.0.1 for the viewer's tests: each accepted
// connection reads its request once (as the broadcasting program does) and
// then runs the test's handler on a thread of its own.
#pragma once
#include "Thread.h"
#include "WaitUntil.h"
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CServerConn {
public:
    CServerConn(UINT_PTR s, const volatile bool* stop) : FSocket(s), FStop(stop) {}
    std::string Request;
    void Send(const std::string& Bytes);
    // A stream packet: length word (low 16 bits), flag byte, spare byte, payload.
    void SendPacket(const std::string& Payload, uint8_t Flag, uint8_t Spare = 0);
    static std::string Packet(const std::string& Payload, uint8_t Flag, uint8_t Spare = 0);
    // Sleeps up to Ms, returning early (false) when the server is stopping.
    bool Pause(DWORD Ms);
    bool Stopping() const { return *FStop; }
    // Waits until the peer closes or Ms passes; true when it closed.
    bool WaitPeerClose(DWORD Ms);
    // Ends the connection from the server side.
    void Close();
    UINT_PTR Handle() const { return FSocket; }
private:
    UINT_PTR FSocket;
    const volatile bool* FStop;
};

class CLoopbackServer {
public:
    typedef std::function<void(CServerConn& Conn)> THandler;
    // Port 0: any free port. A busy fixed port falls back to a free one.
    explicit CLoopbackServer(THandler Handler, int Port = 0);
    ~CLoopbackServer();
    int Port() const { return FPort; }
    // The request text of every connection so far, in the order they came.
    std::vector<std::string> Requests();
    // Waits until at least Count requests came (or Ms passed).
    bool WaitRequests(size_t Count, DWORD Ms);
    // The tick count at which each request came.
    std::vector<DWORD> RequestTimes();

private:
    class TAcceptThread;
    class TConnThread;
    friend class TAcceptThread;
    friend class TConnThread;
    void Accepted(UINT_PTR s);
    THandler FHandler;
    UINT_PTR FListen = ~static_cast<UINT_PTR>(0);
    int FPort = 0;
    volatile bool FStop = false;
    std::mutex FLock;
    std::vector<std::string> FRequests;
    std::vector<DWORD> FTimes;
    std::vector<std::unique_ptr<TThread>> FConns;
    std::unique_ptr<TThread> FAccept;
};
