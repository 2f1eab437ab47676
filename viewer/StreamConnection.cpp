#include "StreamConnection.h"
#include "Trace.h"
#include <algorithm>
#include <cctype>
#include <cstring>

void CStreamConnection::Open(const std::string& Address, int Port, const std::string& Request)
{
    Close();
    FSocket = std::make_unique<TClientSocket>(nullptr);
    FSocket->Address = Address;
    FSocket->Port = Port;
    FSocket->ClientType = ctBlocking;
    FSocket->ConnectTimeout = Timeout;
    FSocket->Open();
    FStream = std::make_unique<TWinSocketStream>(FSocket.get(), Timeout);
    FSocket->SendText(Request);

    // The header may come in pieces and may share its last read with the
    // first packet: read up to the blank line and keep the rest.
    std::string got;
    DWORD start = GetTickCount();
    size_t end = 0;
    while ((end = HeaderEnd(got)) == 0) {
        if (got.size() >= MaxHeader) throw EReadError("Reply header too long");
        DWORD spent = GetTickCount() - start;
        if (spent >= Timeout) throw ESocketError("No reply header within the time-out");
        char buf[MaxHeader];
        long n = 0;
        if (FSocket->WaitForData(Timeout - spent)) {
            n = FSocket->ReceiveBuf(buf, static_cast<int>(MaxHeader - got.size()));
            if (n == 0) throw ESocketError("Connection closed before the reply header");
        }
        got.append(buf, static_cast<size_t>(n));
    }
    if (!HeaderAccepted(got.substr(0, end))) throw EReadError("Stream refused: " + got.substr(0, got.find('\r')));
    FKept = got.substr(end);
}

size_t CStreamConnection::HeaderEnd(const std::string& Data)
{
    size_t crlf = Data.find("\r\n\r\n");
    size_t lf = Data.find("\n\n");
    size_t end = std::string::npos;
    if (crlf != std::string::npos) end = crlf + 4;
    if (lf != std::string::npos && (end == std::string::npos || lf + 2 < end)) end = lf + 2;
    return end == std::string::npos ? 0 : end;
}

bool CStreamConnection::HeaderAccepted(const std::string& Header)
{
    // "HTTP/1.0 200 OK": the version, one blank, the status.
    if (Header.compare(0, 5, "HTTP/") != 0) return false;
    size_t sp = Header.find(' ');
    return sp != std::string::npos && Header.compare(sp + 1, 3, "200") == 0 &&
           (Header.size() == sp + 4 || !isdigit(static_cast<unsigned char>(Header[sp + 4])));
}

long CStreamConnection::Read(void* Buffer, long Count)
{
    if (Count <= 0) return 0;
    if (!FKept.empty()) {
        long n = std::min<long>(Count, static_cast<long>(FKept.size()));
        memcpy(Buffer, FKept.data(), static_cast<size_t>(n));
        FKept.erase(0, static_cast<size_t>(n));
        return n;
    }
    if (!FStream) throw ESocketError("Not connected");
    return FStream->Read(Buffer, Count);
}

long CStreamConnection::ReadExact(void* Buffer, long Count, const std::function<bool()>& Stop)
{
    long total = 0;
    try {
        while (total < Count && FStream && !Stop())
            total += Read(static_cast<char*>(Buffer) + total, Count - total);
    } catch (const std::exception& e) {
        Trace::Line(Trace::Viewer, std::string("stream read ends: ") + e.what());
        return -1;
    }
    return total;
}

int CStreamConnection::Waiting()
{
    if (!Active()) return -1;
    int n = FSocket->ReceiveLength();
    if (n == 0) {
        // Readable with nothing to read means the peer has closed.
        try {
            if (FSocket->WaitForData(0) && FSocket->ReceiveLength() == 0) return FKept.empty() ? -1 : static_cast<int>(FKept.size());
        } catch (const std::exception& e) {
            Trace::Line(Trace::Viewer, std::string("stream closed: ") + e.what());
            return -1;
        }
    }
    return n + static_cast<int>(FKept.size());
}

void CStreamConnection::Shutdown()
{
    if (FSocket) FSocket->Shutdown();
}

void CStreamConnection::Close()
{
    FStream.reset();
    FSocket.reset();
    FKept.clear();
}
