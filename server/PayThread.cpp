#include "PayThread.h"
#include "Settings.h"
#include <winhttp.h>
#include "Handles.h"
#include "Trace.h"
#include <cmath>
#include <cstdio>
#include <vector>

DWORD CPayThread::TimeoutMs = 3000;

namespace {

// "host" or "host:port" (an optional "http://" in front is ignored); false when unusable.
bool SplitHost(std::string text, std::string& host, INTERNET_PORT& port)
{
    text = Trim(text);
    if (text.compare(0, 7, "http://") == 0) text = text.substr(7);
    while (!text.empty() && text.back() == '/') text.pop_back();
    port = INTERNET_DEFAULT_HTTP_PORT;
    size_t colon = text.rfind(':');
    if (colon != std::string::npos) {
        int p = 0;
        if (!TryStrToInt(text.substr(colon + 1), p) || p <= 0 || p > 65535) return false;
        port = static_cast<INTERNET_PORT>(p);
        text = text.substr(0, colon);
    }
    host = text;
    return !host.empty();
}

// A failed request counts as a refusal; the trace keeps why.
std::string Refused(const std::string& what)
{
    Trace::Failure(Trace::Server, "payment request: " + what, static_cast<long>(GetLastError()));
    return "0";
}

} // namespace

CPayThread::CPayThread(bool AFreeOnTerminate, const std::string& OwnerName, double Amount, const std::string& Address,
                       const std::string& Password, const std::string& UserName, int32_t Command)
    : TThread(true), FCommand(Command), FUserName(UserName), FPassword(Password), FAddress(Address),
      FOwnerName(OwnerName), FAmount(Amount)
{
    FreeOnTerminate = AFreeOnTerminate;
    Resume();
}

std::string CPayThread::EncodeValue(const std::string& value)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char ch : value) {
        bool plain = (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '-' ||
                     ch == '_' || ch == '.' || ch == '~' || ch == '+';
        if (plain) {
            out += static_cast<char>(ch);
        } else {
            out += '%';
            out += hex[ch >> 4];
            out += hex[ch & 15];
        }
    }
    return out;
}

std::string CPayThread::AmountText(double amount)
{
    char buf[64];
    snprintf(buf, sizeof(buf), "%.15g", amount);
    std::string s = buf;
    size_t comma = s.find(',');
    if (comma != std::string::npos) s[comma] = '.';
    return s;
}

std::string CPayThread::RequestPath() const
{
    std::string user = "username_var=" + EncodeValue(FUserName);
    std::string pass = "&password_var=" + EncodeValue(FPassword);
    std::string ip = "&ip_var=" + EncodeValue(FAddress);
    std::string owner = "&ownername_var=" + EncodeValue(FOwnerName);
    switch (FCommand) {
    case cmdCheckLogin:
        return "/payment/checklogin.php?" + user + pass + owner;
    case cmdRegister:
        return "/payment/register.php?" + user + pass + ip + owner;
    case cmdSubTime:
        return "/payment/subtime.php?" + user + pass + ip + "&subtime_var=" + EncodeValue(AmountText(FAmount)) + owner;
    default:
        return std::string();
    }
}

std::string CPayThread::Post(const std::string& pathAndQuery)
{
    std::string host;
    INTERNET_PORT port;
    if (!SplitHost(Settings::Read("PAYHOST", "", 254), host, port)) return Refused("PAYHOST");

    // WinHTTP has only wide-character entry points.
    TInternetHandle session(WinHttpOpen(AnsiToWide("Orvanta_TM").c_str(), WINHTTP_ACCESS_TYPE_NO_PROXY,
                                        WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session) return Refused("WinHttpOpen");
    int t = static_cast<int>(TimeoutMs);
    WinHttpSetTimeouts(session.Get(), t, t, t, t);
    TInternetHandle connection(WinHttpConnect(session.Get(), AnsiToWide(host).c_str(), port, 0));
    if (!connection) return Refused("WinHttpConnect");
    TInternetHandle request(WinHttpOpenRequest(connection.Get(), AnsiToWide("POST").c_str(),
                                               AnsiToWide(pathAndQuery).c_str(), nullptr, WINHTTP_NO_REFERER,
                                               WINHTTP_DEFAULT_ACCEPT_TYPES, 0));
    if (!request) return Refused("WinHttpOpenRequest");
    WinHttpSetTimeouts(request.Get(), t, t, t, t);
    // Wine waits for the response's first bytes under a time-out of its own, which
    // WinHttpSetTimeouts leaves alone (a silent host held a request for over 40 s): set it as well.
    DWORD responseTimeout = TimeoutMs;
    WinHttpSetOption(request.Get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseTimeout,
                     sizeof(responseTimeout));
    // An empty form.
    TWideString headers = AnsiToWide("Content-Type: application/x-www-form-urlencoded\r\n");
    if (!WinHttpSendRequest(request.Get(), headers.c_str(), static_cast<DWORD>(-1L), WINHTTP_NO_REQUEST_DATA, 0, 0,
                            0) ||
        !WinHttpReceiveResponse(request.Get(), nullptr))
        return Refused("WinHttpSendRequest");
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!WinHttpQueryHeaders(request.Get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX) ||
        status < 200 || status > 299)
        return Refused("HTTP status " + IntToStr(static_cast<int>(status)));
    std::string body;
    char buf[1024];
    while (body.size() < MaxReply) {
        DWORD want = static_cast<DWORD>(std::min(sizeof(buf), MaxReply - body.size()));
        DWORD got = 0;
        if (!WinHttpReadData(request.Get(), buf, want, &got)) return Refused("WinHttpReadData");
        if (got == 0) break;
        body.append(buf, got);
    }
    return body;
}

void CPayThread::Execute()
{
    switch (FCommand) {
    case cmdCheckLogin:
        CheckLogin();
        break;
    case cmdRegister:
        Register();
        break;
    case cmdSubTime:
        SubTime();
        break;
    default:
        break;
    }
}

void CPayThread::CheckLogin()
{
    std::string reply = Post(RequestPath());
    if (reply == "0") return;
    // The balance follows two characters of status.
    double balance = 0;
    if (reply.size() < 3 || !TryStrToFloat(reply.substr(2), balance) || !std::isfinite(balance)) return;
    FBalance = balance;
    FResult = balance != 0 ? 1 : 0;
}

void CPayThread::Register() { FResult = Post(RequestPath()) == "0" ? 0 : 1; }

void CPayThread::SubTime()
{
    // Nothing of zero or less is ever charged.
    if (!(FAmount > 0) || !std::isfinite(FAmount)) return;
    FResult = Post(RequestPath()) == "0" ? 0 : 1;
}
