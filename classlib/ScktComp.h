// The server socket of the class library in its thread-blocking mode: a listening
// Windows socket with an accept thread, one thread per accepted connection (made by
// the owner's OnGetThread factory), and the registry of live connections that the
// owner's fan-out loops walk under the registry's lock.
#pragma once
// Sockets: include this header first (WinsockPrelude.h says why).
#include "WinsockPrelude.h"
#include "Classes.h"
#include "SyncObjs.h"
#include "Thread.h"
#include <atomic>

class TServerWinSocket;
class TServerClientThread;

// One connected socket. The handle is owned by the object; Shutdown may be called
// from any thread (it only ends the conversation), Close only by the owner.
class TCustomWinSocket : public TObject {
public:
    // Peer: the address that accept gave (null: asked of the socket here).
    explicit TCustomWinSocket(SOCKET Socket, const sockaddr_in* Peer = nullptr);
    ~TCustomWinSocket() override;

    SOCKET SocketHandle() const { return FSocket; }
    bool Connected() const { return FConnected; }
    // Bytes written, or -1 when the send would block. A failed send disconnects
    // the socket and raises ESocketError.
    int SendBuf(const void* Buf, int Count);
    // A gather write: the buffers' bytes in order, in one call. Bytes written, or
    // -1 when the send would block; a failure disconnects and raises ESocketError.
    int SendBufs(WSABUF* Bufs, DWORD Count);
    // Makes the socket's waits our own (non-blocking sends and receives). Done on
    // the connection's thread, so that the accept thread only accepts.
    void Prepare();
    // Bytes read, 0 when the peer closed (the socket is then disconnected), -1
    // when nothing is waiting. A failure disconnects and raises ESocketError.
    int ReceiveBuf(void* Buf, int Count);
    // True when data (or the peer's close) can be read within Timeout ms.
    bool WaitForData(DWORD Timeout);
    // True when a send can make progress within Timeout ms.
    bool WaitForWrite(DWORD Timeout);
    const std::string& RemoteAddress() const { return FRemoteAddress; }
    int RemotePort() const { return FRemotePort; }
    // Ends the conversation in both directions; safe from any thread.
    void Shutdown();
    // Closes the handle (owner only).
    virtual void Close();
    // Socket calls made by every socket of the process so far (sends, receives and
    // waits): the cost that a benchmark sets against the packets delivered.
    static long long Calls() { return FCalls.load(std::memory_order_relaxed); }

protected:
    void Disconnected();
    TCriticalSection FHandleLock;   // keeps Shutdown from racing Close on the handle
    SOCKET FSocket;
    std::atomic<bool> FConnected{false};
    std::string FRemoteAddress;
    int FRemotePort = 0;
    bool FPrepared = false;
    static std::atomic<long long> FCalls;
    static void Counted() { FCalls.fetch_add(1, std::memory_order_relaxed); }
};

// An accepted connection of a server socket.
class TServerClientWinSocket : public TCustomWinSocket {
public:
    TServerClientWinSocket(SOCKET Socket, TServerWinSocket* Server, const sockaddr_in* Peer = nullptr);
    TServerWinSocket* ServerWinSocket() const { return FServer; }
    // The thread that serves this connection (null until one is made).
    TServerClientThread* ServerClientThread() const { return FThread; }

private:
    friend class TServerWinSocket;
    friend class TServerClientThread;
    TServerWinSocket* FServer;
    TServerClientThread* FThread = nullptr;
};

// The thread of one accepted connection. It owns its client socket; ClientExecute is
// the whole conversation. Threads are always created suspended and must not resume
// themselves: the server registers a thread with its connection after the factory
// has returned, and then resumes it once.
class TServerClientThread : public TThread {
public:
    TServerClientThread(bool CreateSuspended, TServerClientWinSocket* ASocket);
    ~TServerClientThread() override;
    // A connection thread's stack reservation: thousands of them may run at once,
    // and none needs more than a few pages.
    static const SIZE_T StackReservation = 128 * 1024;

    TServerClientWinSocket* ClientSocket() const { return FClientSocket; }
    bool KeepInCache = false;     // no thread cache: every thread ends with its connection
    // Takes the connection out of the server's registry, so that no fan-out reaches it
    // any more; the conversation itself goes on until ClientExecute returns.
    void Withdraw();

protected:
    virtual void ClientExecute() {}
    void Execute() override;
    void DoTerminate() override;

private:
    friend class TServerWinSocket;
    TServerClientWinSocket* FClientSocket;
    TServerWinSocket* FServer;
    bool FRan = false;       // Execute began: the thread owns its socket
    bool FClaimed = false;   // the closing server waits for and frees this thread
    bool FLeaving = false;   // the thread frees itself; the server only waits for it to go
};

enum TServerType { stNonBlocking, stThreadBlocking };

typedef std::function<void(TObject* Sender, TServerClientWinSocket* ClientSocket,
                           TServerClientThread*& SocketThread)>
    TGetThreadEvent;

class TServerAcceptThread;

// The listening socket with its connections and their threads.
class TServerWinSocket : public TObject {
public:
    TServerWinSocket();
    ~TServerWinSocket() override;

    // Binds Address (empty: every local address) and Port (0: a free port), listens
    // and starts accepting; ESocketError when the port cannot be bound.
    void Listen(const std::string& Address, int Port);
    // Stops accepting, asks every connection thread to end, closes the connections
    // and waits for every thread; on the GUI thread it serves their synchronous
    // calls meanwhile, so threads that Synchronize cannot deadlock against it.
    void Close();
    bool Active() const { return FListen != INVALID_SOCKET; }
    int LocalPort() const { return FLocalPort; }

    // The registry of live connections. Walks hold the lock; a connection in the
    // registry keeps its thread and its thread's state alive until it is withdrawn.
    void Lock() { FLock.Acquire(); }
    void Unlock() { FLock.Release(); }
    int ActiveConnections();
    TServerClientWinSocket* Connections(int Index);
    // Live connection threads (withdrawn ones included) until they are gone.
    int ActiveThreads();

    // Only the thread-blocking mode without a thread cache is built (what the
    // program uses); the fields are kept for the form's settings.
    TServerType ServerType = stThreadBlocking;
    int ThreadCacheSize = 0;
    TGetThreadEvent OnGetThread;

private:
    friend class TServerAcceptThread;
    friend class TServerClientThread;
    void Accepted(SOCKET s, const sockaddr_in* Peer);
    void AddThread(TServerClientThread* t);
    void RemoveThread(TServerClientThread* t);
    void RemoveConnection(TServerClientWinSocket* c);
    void ThreadLeaving(TServerClientThread* t);
    TCriticalSection FLock;
    TList FConnections;           // TServerClientWinSocket*
    TList FThreads;               // TServerClientThread*
    SOCKET FListen = INVALID_SOCKET;
    int FLocalPort = 0;
    TServerAcceptThread* FAcceptThread = nullptr;
    TKernelHandle FThreadGone;    // set whenever a thread leaves the thread list
    bool FWsaStarted = false;
};

// The component placed on a form: Port, ServerType, ThreadCacheSize, OnGetThread and
// Open/Close around a TServerWinSocket.
class TServerSocket : public TComponent {
public:
    explicit TServerSocket(TComponent* AOwner);
    ~TServerSocket() override;
    void Open();
    void Close();
    bool Active() const { return FSocket.Active(); }
    void SetActive(bool Value) { Value ? Open() : Close(); }
    TServerWinSocket* Socket() { return &FSocket; }

    int Port = 0;
    std::string Address;          // empty: listen on every local address
    TServerType ServerType = stThreadBlocking;
    int ThreadCacheSize = 0;
    TGetThreadEvent OnGetThread;

private:
    TServerWinSocket FSocket;
};
