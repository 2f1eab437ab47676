// The program's error log: "errors.log" beside the program, one line per error.
#pragma once
#include "MultiThreadClass.h"
#include "LogPrefixes.h"
#include <string>

class CLog : public CMultiThreadClass {
public:
    explicit CLog(const std::string& fileName) : FFileName(fileName) {}
    // Appends "MM/DD/YY HH:MM:SS " (UTC), the message and "\n"; callable from any
    // thread. A line that cannot be written is dropped.
    void Write(const std::string& message);
    // The same with a fixed prefix and an exception's message.
    void Write(const char* prefix, const std::exception& e) { Write(std::string(prefix) + e.what()); }
    const std::string& FileName() const { return FFileName; }
    // The stamp for a given UTC time, exactly as written.
    static std::string Stamp(const SYSTEMTIME& utc);
private:
    std::string FFileName;
};

// The program's one log, created at start-up before the main window (null until then).
extern CLog* MyLog;
