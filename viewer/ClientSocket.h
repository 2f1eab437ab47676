// The viewer's client sockets: a blocking TCP client socket and the stream that
// reads from it with a time-out, after the class library's client socket.
#pragma once
#include "Streams.h"

// A Windows socket's value. The header keeps <winsock2.h> to itself: it must
// come before the C library's headers, which would bind every includer to an
// order. The .cpp owns sockets through the class library's TSocketHandle.
typedef UINT_PTR TRawSocket;

enum TClientType { ctNonBlocking, ctBlocking };

// A TCP client connection to a dotted IPv4 address. Failures raise ESocketError.
class TClientSocket : public TComponent {
public:
    explicit TClientSocket(TComponent* AOwner);
    ~TClientSocket() override;

    std::string Address;                 // dotted IPv4 text; no name lookup is made
    int Port = 0;
    TClientType ClientType = ctBlocking;
    // Longest wait for the connection to stand, in ms; 0 leaves it to the system.
    DWORD ConnectTimeout = 0;

    // Connects (blocking the caller); raises ESocketError when it cannot.
    void Open();
    // Ends the connection and releases the socket. While another thread may be
    // reading, call Shutdown instead and Close once that thread has stopped.
    void Close();
    // Ends the conversation without releasing the socket, so that a read that
    // waits on it in another thread returns at once.
    void Shutdown();
    bool Active() const { return FSocket != kNoSocket; }

    // Sends all of Count bytes or raises ESocketError; returns Count.
    int SendBuf(const void* Buf, int Count);
    int SendText(const std::string& Text) { return SendBuf(Text.data(), static_cast<int>(Text.size())); }
    // One receive of at most Count bytes; 0 when the peer has closed the
    // connection; raises ESocketError on a socket error.
    int ReceiveBuf(void* Buf, int Count);
    // Bytes that can be read at once without waiting.
    int ReceiveLength();
    // Waits up to Timeout ms until a read would not block (data, or the peer's
    // close). Raises ESocketError when the socket is closed or fails.
    bool WaitForData(DWORD Timeout);

private:
    static const TRawSocket kNoSocket = ~static_cast<TRawSocket>(0);
    TRawSocket FSocket = kNoSocket;
    volatile bool FShutdown = false;
    bool FStarted = false;
};

// Reads and writes a connected client socket; a read waits at most TimeOut ms.
class TWinSocketStream : public TStream {
public:
    TWinSocketStream(TClientSocket* ASocket, DWORD TimeOut);
    // What arrived (at most Count bytes), or 0 when nothing came within the
    // time-out. A connection that the peer has closed raises ESocketError:
    // a reader must not mistake it for a quiet one and poll it for ever.
    long Read(void* Buffer, long Count) override;
    long Write(const void* Buffer, long Count) override;
    long long Seek(long long Offset, TSeekOrigin Origin) override;
    DWORD TimeOut() const { return FTimeOut; }

private:
    TClientSocket* FSocket;
    DWORD FTimeOut;
};
