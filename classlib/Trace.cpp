#include "Trace.h"
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <exception>

namespace Trace {
const char* const Media = "media";
const char* const Server = "server";
const char* const Viewer = "viewer";
const char* const Skin = "skin";
const char* const ClassLib = "classlib";

namespace {
// The lock only orders the lines of different threads.
struct TTraceState {
    CRITICAL_SECTION Lock;
    TTraceState() { InitializeCriticalSection(&Lock); }
};

TTraceState& State()
{
    // Never destroyed: lines may come from threads still running at exit.
    static TTraceState* s = new TTraceState();
    return *s;
}
} // namespace

static std::string EnvironmentValue(const char* name)
{
    char buf[1024];
    const DWORD n = GetEnvironmentVariableA(name, buf, sizeof(buf));
    return n > 0 && n < sizeof(buf) ? std::string(buf, n) : std::string();
}

bool Enabled(const char* channel)
{
    // Read at every use (cheap, no server call), so a change of the environment applies at
    // once; the process environment, not the C runtime's copy of it taken at start.
    const std::string env = EnvironmentValue("ORVANTA_TRACE");
    if (env.empty()) return false;
    std::string c = "," + env + ",";
    if (c.find(",all,") != std::string::npos) return true;
    return c.find(std::string(",") + channel + ",") != std::string::npos;
}

void Line(const char* channel, const std::string& text)
{
    try {
        if (!Enabled(channel)) return;
        TTraceState& s = State();
        char head[64];
        snprintf(head, sizeof(head), "[%lu] %s: ", static_cast<unsigned long>(GetTickCount()), channel);
        std::string line = head + text + "\n";
        EnterCriticalSection(&s.Lock);
        const std::string file = EnvironmentValue("ORVANTA_TRACE_FILE");
        FILE* out = !file.empty() ? fopen(file.c_str(), "ab") : stderr;
        if (out) {
            fwrite(line.data(), 1, line.size(), out);
            if (out == stderr) fflush(out);
            else fclose(out);
        }
        LeaveCriticalSection(&s.Lock);
    } catch (...) {
        // Tracing never adds a failure of its own.
    }
}

void Failure(const char* channel, const std::string& what, long code)
{
    if (!Enabled(channel)) return;
    char num[32];
    snprintf(num, sizeof(num), " (0x%08lX)", static_cast<unsigned long>(code));
    Line(channel, what + num);
}

void Caught(const char* channel, const std::string& where)
{
    if (!Enabled(channel)) return;
    std::string message = "unknown exception";
    try {
        if (std::exception_ptr e = std::current_exception()) std::rethrow_exception(e);
        message = "no exception";
    } catch (const std::exception& e) {
        // The class library's Exception is a std::exception with its message as what().
        message = e.what();
    } catch (...) {
    }
    Line(channel, where + ": " + message);
}
} // namespace Trace
