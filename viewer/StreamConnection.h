// One HTTP connection to the broadcasting program as the viewer uses it: a
// blocking client socket, one request, the reply header, and then the bytes of
// an endless stream of packets.
#pragma once
#include "ClientSocket.h"
#include <functional>
#include <memory>
#include <string>

class CStreamConnection {
public:
    // Connect, header and read time-out of every viewer connection, in ms.
    static const DWORD Timeout = 5000;
    // The longest reply header that is accepted.
    static const size_t MaxHeader = 2048;

    CStreamConnection() = default;
    ~CStreamConnection() { Close(); }
    CStreamConnection(const CStreamConnection&) = delete;
    CStreamConnection& operator=(const CStreamConnection&) = delete;

    // Connects, sends Request as it stands and reads the reply header up to
    // its blank line; whatever followed the header in the same read is kept
    // as the first stream bytes. Raises ESocketError (no connection, a silent
    // or closing server) or EReadError (a reply that opens no stream).
    void Open(const std::string& Address, int Port, const std::string& Request);
    bool Active() const { return FSocket && FSocket->Active(); }

    // One read: kept bytes first, else what the socket brings within the
    // time-out (0 when nothing came). Raises once the peer has closed.
    long Read(void* Buffer, long Count);
    // Reads until Count bytes have come, Stop() turns true or the stream ends.
    // Returns the byte count read, -1 on an error or a close.
    long ReadExact(void* Buffer, long Count, const std::function<bool()>& Stop);
    // Bytes that can be read without waiting; -1 when the peer has closed.
    int Waiting();

    // From any thread: ends the conversation so that a waiting read returns.
    void Shutdown();
    // Releases the socket; only once no thread reads any more.
    void Close();

    // Finds the end of a reply header (the byte after its blank line) in
    // Data, or 0 when the blank line has not come yet.
    static size_t HeaderEnd(const std::string& Data);
    // True when Header is an HTTP reply with status 200.
    static bool HeaderAccepted(const std::string& Header);

private:
    std::unique_ptr<TClientSocket> FSocket;
    std::unique_ptr<TWinSocketStream> FStream;
    std::string FKept;
};
