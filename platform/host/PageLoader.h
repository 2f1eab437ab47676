// Loads a viewer page from the broadcasting program's HTTP server.
#pragma once
#include <windows.h>
#include <string>

struct THttpAddress {
    std::string Host; // dotted IPv4 address ("localhost" stands for 127.0.0.1)
    int Port = 80;
    std::string Path = "/";
};

namespace PageLoader {

// "http://host[:port][/path]" (the scheme may be left out). False for anything else.
bool ParseUrl(const std::string& url, THttpAddress& at);

// The body of the server's "200" reply to "GET <path> HTTP/1.0", read until the
// server closes or its Content-Length is complete. On failure returns false with
// the reason in error. Neither the connect nor a read waits longer than timeoutMs.
bool Get(const THttpAddress& at, DWORD timeoutMs, std::string& body, std::string& error);

} // namespace PageLoader
