// The move-only owner of a socket. Include before any C library header
// (see WinsockPrelude.h).
#pragma once
#include "WinsockPrelude.h"
#include "Handles.h"

struct TSocketTraits {
    typedef SOCKET Type;
    static Type Empty() { return INVALID_SOCKET; }
    static bool Valid(Type h) { return h != INVALID_SOCKET; }
    static void Close(Type h) { closesocket(h); }
};
typedef TUniqueHandle<TSocketTraits> TSocketHandle;
