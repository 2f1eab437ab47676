#include "HostLog.h"
#include <cstdio>
#include <cstring>

THostLog::~THostLog()
{
    if (FFile != INVALID_HANDLE_VALUE) CloseHandle(FFile);
}

bool THostLog::OpenFile(const std::string& name)
{
    if (FFile != INVALID_HANDLE_VALUE) CloseHandle(FFile);
    FFile = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
    return FFile != INVALID_HANDLE_VALUE;
}

void THostLog::Line(const char* text) noexcept
{
    static const char eol = '\n';
    size_t n = std::strlen(text);
    std::fwrite(text, 1, n, stdout);
    std::fwrite(&eol, 1, 1, stdout);
    std::fflush(stdout);
    if (FFile != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(FFile, text, static_cast<DWORD>(n), &written, nullptr);
        WriteFile(FFile, &eol, 1, &written, nullptr);
    }
}

void THostLog::Line(const std::string& text) noexcept { Line(text.c_str()); }

std::string HexResult(HRESULT hr)
{
    char buf[16];
    std::snprintf(buf, sizeof(buf), "0x%08lX", static_cast<unsigned long>(static_cast<ULONG>(hr)));
    return buf;
}
