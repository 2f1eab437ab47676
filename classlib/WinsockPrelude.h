// Include this first wherever sockets are used. winsock2.h must come before
// windows.h and before every C library header: the C headers declare what
// winsock2.h declares again (struct timeval ...). ws2tcpip.h is left to the few
// files that need it, last: it defines socklen_t as a macro, which breaks a
// later <unistd.h> (which gtest includes).
#pragma once
#include <winsock2.h>
#include <windows.h>
