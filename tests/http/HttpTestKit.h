// Shared pieces of the HTTP server tests: a program folder fixture, a loopback
// client that keeps serving the server threads' synchronous calls while it waits,
// a main-window stand-in, and a running server.
#pragma once
#include "ScktComp.h"
#include "Contact.h"
#include "MainWindowLink.h"
#include "ServerSendThread.h"
#include "WaitUntil.h"
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace httptest {

// The tests' program folder (HTML pages, setup.ini, contacts.tbl), made anew.
std::string MakeProgramFolder(const std::string& name);
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// A loopback TCP client. Every wait serves the synchronous calls of the server threads.
class Client {
public:
    explicit Client(int port);
    ~Client();
    bool Connected() const { return FSocket != INVALID_SOCKET; }
    void Send(const std::string& bytes);
    // Reads exactly n bytes (less when the peer closes or ms pass).
    std::string Read(size_t n, DWORD ms = 5000);
    // Reads until the peer closes or ms pass.
    std::string ReadAll(DWORD ms = 5000);
    // Reads a stream reply's header (up to the blank line).
    std::string ReadHeader(DWORD ms = 5000);
    // Reads one stream packet: false when none arrived in time.
    bool ReadPacket(std::string& payload, int& key, DWORD ms = 5000);
    // True when the peer has closed the connection within ms.
    bool WaitClosed(DWORD ms);
    bool PeerClosed() const { return FClosed; }
    // Closes with a reset instead of an orderly close.
    void Abort();
    void Close();
    SOCKET Handle() const { return FSocket; }

private:
    SOCKET FSocket = INVALID_SOCKET;
    bool FClosed = false;
    std::string FPending;
};

// One request, the whole reply.
std::string Exchange(int port, const std::string& request, DWORD ms = 5000);

// The main window as the connection threads see it.
class TestLink : public IMainWindowLink {
public:
    bool Online = true;
    int UpdateOnLineCalls = 0;
    std::vector<std::pair<std::string, CContact*>> Texts;
    std::vector<std::pair<int, std::string>> Alarms;
    TServerWinSocket* Server = nullptr;
    CMultiThreadList* Contacts = nullptr;

    bool LinkGetOnline() override { return Online; }
    void LinkUpdateOnLine() override { ++UpdateOnLineCalls; }
    // As the main window's SendText with a contact: the line to the visitor's chat connections.
    void LinkSendText(const std::string& text, CContact* contact) override;
    // As UpdateAlarm for one address: the mark of every connection from it.
    void LinkUpdateAlarm(uint8_t value, const std::string& address) override;
};

// The HTTP server on 127.0.0.1 and a free port, with its contacts and link.
class Server {
public:
    Server();
    ~Server();
    int Port() { return Socket.Socket()->LocalPort(); }
    // The first connection thread streaming that kind (null when none).
    TMyServerSendThread* StreamThread(int kind);
    // Waits until a connection of that kind is registered.
    TMyServerSendThread* WaitStream(int kind, DWORD ms = 5000);
    // Waits until the thread's queue is empty.
    bool WaitDrained(int kind, DWORD ms = 5000);
    CContact* Contact(const std::string& ip);
    void Close() { Socket.Close(); }

    CMultiThreadList Contacts;
    TestLink Link;
    TServerSocket Socket;
};

uint32_t LE32(const std::string& s, size_t at = 0);
std::string Le32Bytes(uint32_t v);

// Runs a Unix command line through /bin/sh and waits for it (bounded), serving
// synchronous calls meanwhile; returns its exit code or -1 on time-out.
int RunUnix(const std::string& command, DWORD ms);
// The Unix path of a Windows path on the Z: drive.
std::string UnixPath(const std::string& windowsPath);

} // namespace httptest
