// Viewers of the benchmarks: each connects from a loopback address of its own, so
// that every viewer is a visitor of its own. Include after the winsock headers
// (ScktComp.h or MainForm.h bring them in first).
#pragma once
#include "SysUtils.h"
#include <string>

inline std::string ViewerAddress(int i) { return "127.0." + IntToStr(1 + i / 250) + "." + IntToStr(1 + i % 250); }

// A connection to 127.0.0.1:port from the address `from`; INVALID_SOCKET when refused.
inline SOCKET Connect(int port, const std::string& from)
{
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in me = {};
    me.sin_family = AF_INET;
    me.sin_addr.s_addr = inet_addr(from.c_str());
    bind(s, reinterpret_cast<sockaddr*>(&me), sizeof(me));
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<u_short>(port));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(s, reinterpret_cast<sockaddr*>(&to), sizeof(to)) == SOCKET_ERROR) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    return s;
}
