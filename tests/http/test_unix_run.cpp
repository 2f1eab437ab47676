// The test kit's way of running Unix commands must leave the caller's own handles
// alone, whatever the stack held before the call.
// Winsock first: its headers must precede the C library's.
#include "HttpTestKit.h"
#include "test_gtest.h"

using namespace httptest;

namespace {

// Leaves the value on the stack below the caller's frame, where the next call's
// locals will lie (as an earlier case's calls leave their handles there).
__attribute__((noinline)) void LeaveOnStack(uintptr_t value)
{
    volatile uintptr_t area[8192];
    for (auto& v : area) v = value;
}

bool SocketAlive(SOCKET s)
{
    sockaddr_in at = {};
    int len = sizeof(at);
    return getsockname(s, reinterpret_cast<sockaddr*>(&at), &len) == 0;
}

} // namespace

TEST(UnixRun, LeavesTheCallersSocketsAndHandlesOpen)
{
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    ASSERT_NE(s, INVALID_SOCKET);
    sockaddr_in at = {};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(s, reinterpret_cast<sockaddr*>(&at), sizeof(at)), 0);
    ASSERT_EQ(listen(s, 1), 0);
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(event, nullptr);

    struct Case {
        uintptr_t OnStack;
    } cases[] = {{static_cast<uintptr_t>(s)}, {reinterpret_cast<uintptr_t>(event)}};
    for (auto& c : cases) {
        LeaveOnStack(c.OnStack);
        EXPECT_EQ(RunUnix("true", 15000), 0);
        EXPECT_TRUE(SocketAlive(s)) << "stack held " << c.OnStack;
        DWORD flags = 0;
        EXPECT_TRUE(GetHandleInformation(event, &flags)) << "stack held " << c.OnStack;
    }
    CloseHandle(event);
    closesocket(s);
}
