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

bool Enabled(const char* channel)
{
    // Read at every use (cheap), so a change of the environment applies at once.
    const char* env = getenv("ORVANTA_TRACE");
    if (!env || !*env) return false;
    std::string c = std::string(",") + env + ",";
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
        const char* file = getenv("ORVANTA_TRACE_FILE");
        FILE* out = (file && *file) ? fopen(file, "ab") : stderr;
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
