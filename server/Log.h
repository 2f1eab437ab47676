// The program's error log: "errors.log" beside the program, one line per error.
#pragma once
#include "MultiThreadClass.h"
#include "LogPrefixes.h"
#include <exception>
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

// One line of a routine of the main window: its prefix (label and description)
// and the exception's message, or a text of its own. Nothing is written before
// the log exists.
void LogLine(const char* prefix, const std::exception& e);
void LogLine(const char* prefix, const std::string& what);
// The line of a failure that is no exception of the class library.
void LogUnknown(const char* prefix);
