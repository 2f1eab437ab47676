// Winsock must come before the C library's headers in a winelib build.
#include "WinsockPrelude.h"
#include <ws2tcpip.h>
#include "PageLoader.h"
#include <cctype>
#include <cstdlib>

namespace PageLoader {

namespace {

// A viewer page is a few hundred bytes; anything this large is not one.
const size_t MaxReply = 1 << 20;

class TWinsock {
public:
    TWinsock()
    {
        WSADATA data;
        FStarted = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~TWinsock()
    {
        if (FStarted) WSACleanup();
    }
    TWinsock(const TWinsock&) = delete;
    TWinsock& operator=(const TWinsock&) = delete;
    bool Started() const { return FStarted; }

private:
    bool FStarted = false;
};

class TSocket {
public:
    TSocket() : FSocket(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {}
    ~TSocket()
    {
        if (FSocket != INVALID_SOCKET) closesocket(FSocket);
    }
    TSocket(const TSocket&) = delete;
    TSocket& operator=(const TSocket&) = delete;
    SOCKET Get() const { return FSocket; }

private:
    SOCKET FSocket;
};

DWORD Remaining(DWORD start, DWORD timeoutMs)
{
    DWORD spent = GetTickCount() - start;
    return spent >= timeoutMs ? 0 : timeoutMs - spent;
}

timeval ToTimeval(DWORD ms)
{
    timeval tv;
    tv.tv_sec = static_cast<long>(ms / 1000);
    tv.tv_usec = static_cast<long>(ms % 1000) * 1000;
    return tv;
}

// Connects within the time left: a blocking connect to a silent address would
// hold the host for as long as the system retries.
bool ConnectWithin(SOCKET s, const sockaddr_in& to, DWORD start, DWORD timeoutMs, std::string& error)
{
    u_long on = 1;
    ioctlsocket(s, FIONBIO, &on);
    if (connect(s, reinterpret_cast<const sockaddr*>(&to), sizeof(to)) == SOCKET_ERROR) {
        int e = WSAGetLastError();
        if (e != WSAEWOULDBLOCK && e != WSAEINPROGRESS) {
            error = "connect failed (" + std::to_string(e) + ")";
            return false;
        }
        fd_set wr, ex;
        FD_ZERO(&wr);
        FD_ZERO(&ex);
        FD_SET(s, &wr);
        FD_SET(s, &ex);
        timeval tv = ToTimeval(Remaining(start, timeoutMs));
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
            error = err == WSAETIMEDOUT ? "connect timed out" : "connect failed (" + std::to_string(err) + ")";
            return false;
        }
    }
    u_long off = 0;
    ioctlsocket(s, FIONBIO, &off);
    return true;
}

bool SendAll(SOCKET s, const std::string& data, std::string& error)
{
    size_t done = 0;
    while (done < data.size()) {
        int n = send(s, data.data() + done, static_cast<int>(data.size() - done), 0);
        if (n == SOCKET_ERROR) {
            error = "send failed (" + std::to_string(WSAGetLastError()) + ")";
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// The value of a header field, searched case-insensitively; empty when absent.
std::string HeaderField(const std::string& header, const std::string& name)
{
    std::string lower = header;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string key = "\r\n" + name + ":";
    size_t p = lower.find(key);
    if (p == std::string::npos) return std::string();
    p += key.size();
    size_t e = header.find("\r\n", p);
    std::string v = header.substr(p, e == std::string::npos ? std::string::npos : e - p);
    size_t b = v.find_first_not_of(" \t");
    return b == std::string::npos ? std::string() : v.substr(b);
}

} // namespace

bool ParseUrl(const std::string& url, THttpAddress& at)
{
    at = THttpAddress();
    std::string rest = url;
    size_t scheme = rest.find("://");
    if (scheme != std::string::npos) {
        std::string name = rest.substr(0, scheme);
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (name != "http") return false;
        rest = rest.substr(scheme + 3);
    }
    size_t slash = rest.find('/');
    std::string hostPort = rest.substr(0, slash);
    at.Path = slash == std::string::npos ? "/" : rest.substr(slash);
    size_t colon = hostPort.find(':');
    at.Host = hostPort.substr(0, colon);
    if (at.Host.empty()) return false;
    if (colon != std::string::npos) {
        std::string port = hostPort.substr(colon + 1);
        if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos)
            return false;
        at.Port = std::atoi(port.c_str());
        if (at.Port < 1 || at.Port > 65535) return false;
    }
    return true;
}

bool Get(const THttpAddress& at, DWORD timeoutMs, std::string& body, std::string& error)
{
    const DWORD start = GetTickCount();
    body.clear();
    TWinsock winsock;
    if (!winsock.Started()) {
        error = "no Windows sockets";
        return false;
    }
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<u_short>(at.Port));
    std::string host = at.Host == "localhost" ? "127.0.0.1" : at.Host;
    if (inet_pton(AF_INET, host.c_str(), &to.sin_addr) != 1) {
        error = "not an IPv4 address: " + at.Host;
        return false;
    }
    TSocket s;
    if (s.Get() == INVALID_SOCKET) {
        error = "no socket";
        return false;
    }
    if (!ConnectWithin(s.Get(), to, start, timeoutMs, error)) return false;
    // One send: the server reads a request with a single read.
    std::string request = "GET " + at.Path + " HTTP/1.0\r\nHost: " + at.Host + ":" + std::to_string(at.Port) +
                          "\r\nConnection: close\r\n\r\n";
    if (!SendAll(s.Get(), request, error)) return false;

    std::string reply;
    size_t headerEnd = std::string::npos;
    long long contentLength = -1;
    for (;;) {
        if (headerEnd != std::string::npos && contentLength >= 0 &&
            reply.size() - headerEnd >= static_cast<unsigned long long>(contentLength))
            break;
        fd_set rd;
        FD_ZERO(&rd);
        FD_SET(s.Get(), &rd);
        timeval tv = ToTimeval(Remaining(start, timeoutMs));
        int ready = select(0, &rd, nullptr, nullptr, &tv);
        if (ready == 0) {
            error = "the server did not finish its reply in time";
            return false;
        }
        if (ready == SOCKET_ERROR) {
            error = "select failed (" + std::to_string(WSAGetLastError()) + ")";
            return false;
        }
        char buf[4096];
        int n = recv(s.Get(), buf, sizeof(buf), 0);
        if (n == 0) break; // the server closed: the reply is complete
        if (n == SOCKET_ERROR) {
            // The server resets a connection it is done with; what arrived stands.
            if (!reply.empty()) break;
            error = "recv failed (" + std::to_string(WSAGetLastError()) + ")";
            return false;
        }
        reply.append(buf, static_cast<size_t>(n));
        if (reply.size() > MaxReply) {
            error = "the reply is too large for a viewer page";
            return false;
        }
        if (headerEnd == std::string::npos) {
            size_t p = reply.find("\r\n\r\n");
            if (p != std::string::npos) {
                headerEnd = p + 4;
                std::string len = HeaderField(reply.substr(0, p + 2), "content-length");
                if (!len.empty() && len.find_first_not_of("0123456789") == std::string::npos && len.size() < 10)
                    contentLength = std::atoll(len.c_str());
            }
        }
    }
    if (reply.empty()) {
        error = "the server closed without a reply";
        return false;
    }
    if (headerEnd == std::string::npos) {
        error = "the reply has no complete header";
        return false;
    }
    std::string status = reply.substr(0, reply.find("\r\n"));
    size_t blank = status.find(' ');
    if (status.compare(0, 5, "HTTP/") != 0 || blank == std::string::npos || status.compare(blank + 1, 3, "200") != 0) {
        error = "the server answered: " + status;
        return false;
    }
    body = reply.substr(headerEnd);
    if (contentLength >= 0) {
        if (body.size() < static_cast<unsigned long long>(contentLength)) {
            error = "the reply ended before its Content-Length";
            body.clear();
            return false;
        }
        body.resize(static_cast<size_t>(contentLength));
    }
    return true;
}

} // namespace PageLoader
