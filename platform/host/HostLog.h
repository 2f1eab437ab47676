// The viewer host's record of what it did: one line per step on standard output
// and, when asked, in a file. Every line is flushed at once, so a test or a
// watching operator sees it while the host runs.
#pragma once
#include <windows.h>
#include <string>

class THostLog {
public:
    THostLog() = default;
    ~THostLog();
    THostLog(const THostLog&) = delete;
    THostLog& operator=(const THostLog&) = delete;

    // Also writes the lines to this file (created anew). False when it cannot be created.
    bool OpenFile(const std::string& name);
    // Never throws: a line that cannot be written is lost, the host goes on.
    void Line(const std::string& text) noexcept;
    void Line(const char* text) noexcept;

private:
    HANDLE FFile = INVALID_HANDLE_VALUE;
};

// "0x" and eight upper-case hex digits, the way result codes are read.
std::string HexResult(HRESULT hr);
