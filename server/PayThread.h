// The payment client: one short-lived thread per request to the payment service
// (login, sign-up, charge). The service's host is the setting PAYHOST
// ("host" or "host:port"); when it is empty every request is a refusal.
#pragma once
#include "Thread.h"
#include <cstdint>
#include <string>

class CPayThread : public TThread {
public:
    enum { cmdCheckLogin = 110, cmdRegister = 120, cmdSubTime = 130 };

    // Stores the request and starts the thread. Callers pass FreeOnTerminate false,
    // WaitFor it and delete it.
    CPayThread(bool AFreeOnTerminate, const std::string& OwnerName, double Amount, const std::string& Address,
               const std::string& Password, const std::string& UserName, int32_t Command);

    int32_t FCommand;
    std::string FUserName;
    std::string FPassword;
    std::string FAddress;
    std::string FOwnerName;
    int32_t FResult = 0;          // 1 success, 0 refusal or failure
    double FBalance = 0;          // a successful login's balance
    double FAmount;

    // The path and query of this thread's request.
    std::string RequestPath() const;
    // A query value percent-encoded on its own: everything but letters, digits,
    // "-", "_", ".", "~" and "+" becomes "%" and two upper-case hex digits, so no
    // value can add keys of its own.
    static std::string EncodeValue(const std::string& value);
    // Up to 15 significant digits, a point as the decimal separator.
    static std::string AmountText(double amount);
    // The connect, send and receive time-outs of one request, in milliseconds.
    static DWORD TimeoutMs;
    // The longest reply body taken; the rest is ignored.
    static const size_t MaxReply = 4096;

protected:
    void Execute() override;

private:
    // The reply body, or "0" for any failure (no host, no connection, an HTTP error
    // status, a time-out).
    std::string Post(const std::string& pathAndQuery);
    void CheckLogin();
    void Register();
    void SubTime();
};
