#include "Log.h"
#include "Handles.h"
#include <cstdio>

CLog* MyLog = nullptr;

std::string CLog::Stamp(const SYSTEMTIME& t)
{
    char buf[32];
    snprintf(buf, sizeof(buf), "%02u/%02u/%02u %02u:%02u:%02u ", t.wMonth, t.wDay, t.wYear % 100, t.wHour,
             t.wMinute, t.wSecond);
    return buf;
}

void CLog::Write(const std::string& message)
{
    TLockGuard<CLog> hold(*this);
    // Opened and closed for every line, so the file may be read or removed between lines.
    TKernelHandle h(CreateFileA(FFileName.c_str(), FILE_APPEND_DATA,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) return;
    SYSTEMTIME now;
    GetSystemTime(&now);
    std::string line = Stamp(now) + message + "\n";
    DWORD written;
    WriteFile(h.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void LogLine(const char* prefix, const std::exception& e)
{
    if (MyLog) MyLog->Write(prefix, e);
}

void LogLine(const char* prefix, const std::string& what)
{
    if (MyLog) MyLog->Write(std::string(prefix) + what);
}

void LogUnknown(const char* prefix) { LogLine(prefix, std::string("unknown exception")); }
