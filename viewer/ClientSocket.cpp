#include "SocketHandle.h"
#include <ws2tcpip.h>
#include "ClientSocket.h"
#include <algorithm>

namespace {

[[noreturn]] void RaiseSocketError(const std::string& what, int code)
{
    throw ESocketError(what + " (" + IntToStr(code) + "): " + SysErrorMessage(static_cast<DWORD>(code)));
}

} // namespace

TClientSocket::TClientSocket(TComponent* AOwner) : TComponent(AOwner)
{
    WSADATA data;
    FStarted = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

TClientSocket::~TClientSocket()
{
    Close();
    if (FStarted) WSACleanup();
}

void TClientSocket::Open()
{
    if (Active()) return;
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<u_short>(Port));
    if (Port <= 0 || Port > 65535 || inet_pton(AF_INET, Address.c_str(), &to.sin_addr) != 1)
        throw ESocketError("Invalid address: " + Address + ":" + IntToStr(Port));
    // Held until the connection stands: every failure below closes it.
    TSocketHandle held(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!held) RaiseSocketError("socket", WSAGetLastError());
    SOCKET s = held.Get();
    int rc;
    if (ConnectTimeout == 0) {
        rc = connect(s, reinterpret_cast<sockaddr*>(&to), sizeof(to));
        if (rc == SOCKET_ERROR) {
            int e = WSAGetLastError();
            RaiseSocketError("connect", e);
        }
    } else {
        // A connect of our own length: non-blocking, wait for writability, then
        // back to blocking. An unreachable host otherwise holds the caller for
        // as long as the system retries.
        u_long on = 1;
        ioctlsocket(s, FIONBIO, &on);
        rc = connect(s, reinterpret_cast<sockaddr*>(&to), sizeof(to));
        int e = rc == SOCKET_ERROR ? WSAGetLastError() : 0;
        if (rc == SOCKET_ERROR && e != WSAEWOULDBLOCK && e != WSAEINPROGRESS) {
            RaiseSocketError("connect", e);
        }
        if (rc == SOCKET_ERROR) {
            fd_set wr, ex;
            FD_ZERO(&wr);
            FD_ZERO(&ex);
            FD_SET(s, &wr);
            FD_SET(s, &ex);
            timeval tv = {static_cast<LONG>(ConnectTimeout / 1000), static_cast<LONG>(ConnectTimeout % 1000) * 1000};
            int n = select(0, nullptr, &wr, &ex, &tv);
            int err = 0;
            int len = sizeof(err);
            if (n > 0) {
                getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&err), &len);
                if (!err && FD_ISSET(s, &ex)) err = WSAECONNREFUSED;
            } else {
                err = n == 0 ? WSAETIMEDOUT : WSAGetLastError();
            }
            if (err) {
                    RaiseSocketError("connect", err);
            }
        }
        u_long off = 0;
        ioctlsocket(s, FIONBIO, &off);
    }
    FSocket = static_cast<TRawSocket>(held.Release());
    FShutdown = false;
}

void TClientSocket::Close()
{
    if (FSocket == kNoSocket) return;
    SOCKET s = static_cast<SOCKET>(FSocket);
    FSocket = kNoSocket;
    shutdown(s, SD_BOTH);
    closesocket(s);
}

void TClientSocket::Shutdown()
{
    FShutdown = true;
    if (FSocket != kNoSocket) shutdown(static_cast<SOCKET>(FSocket), SD_BOTH);
}

int TClientSocket::SendBuf(const void* Buf, int Count)
{
    if (!Active()) throw ESocketError("Socket is not connected");
    const char* p = static_cast<const char*>(Buf);
    int done = 0;
    while (done < Count) {
        int n = send(FSocket, p + done, Count - done, 0);
        if (n == SOCKET_ERROR) RaiseSocketError("send", WSAGetLastError());
        done += n;
    }
    return Count;
}

int TClientSocket::ReceiveBuf(void* Buf, int Count)
{
    if (!Active()) throw ESocketError("Socket is not connected");
    int n = recv(FSocket, static_cast<char*>(Buf), Count, 0);
    if (n == SOCKET_ERROR) RaiseSocketError("recv", WSAGetLastError());
    return n;
}

int TClientSocket::ReceiveLength()
{
    if (!Active()) return 0;
    u_long n = 0;
    if (ioctlsocket(FSocket, FIONREAD, &n) == SOCKET_ERROR) return 0;
    return static_cast<int>(n);
}

bool TClientSocket::WaitForData(DWORD Timeout)
{
    // Waits in short slices: a shutdown from another thread does not wake a
    // select() that waits on the socket under Wine, so the waiter looks for it.
    const DWORD slice = 50;
    DWORD start = GetTickCount();
    for (;;) {
        if (!Active() || FShutdown) throw ESocketError("Socket is closed");
        DWORD spent = GetTickCount() - start;
        DWORD wait = spent >= Timeout ? 0 : std::min(slice, Timeout - spent);
        fd_set rd;
        FD_ZERO(&rd);
        FD_SET(FSocket, &rd);
        timeval tv = {0, static_cast<LONG>(wait) * 1000};
        int n = select(0, &rd, nullptr, nullptr, &tv);
        if (n == SOCKET_ERROR) RaiseSocketError("select", WSAGetLastError());
        if (n > 0) return true;
        if (GetTickCount() - start >= Timeout) return false;
    }
}

TWinSocketStream::TWinSocketStream(TClientSocket* ASocket, DWORD TimeOut) : FSocket(ASocket), FTimeOut(TimeOut)
{
    if (!FSocket || !FSocket->Active()) throw ESocketError("Socket is not connected");
}

long TWinSocketStream::Read(void* Buffer, long Count)
{
    if (Count <= 0) return 0;
    if (!FSocket->WaitForData(FTimeOut)) return 0;
    int n = FSocket->ReceiveBuf(Buffer, static_cast<int>(Count));
    if (n == 0) throw ESocketError("Connection closed by the peer");
    return n;
}

long TWinSocketStream::Write(const void* Buffer, long Count)
{
    return FSocket->SendBuf(Buffer, static_cast<int>(Count));
}

long long TWinSocketStream::Seek(long long Offset, TSeekOrigin Origin)
{
    (void)Offset;
    (void)Origin;
    return 0;
}
