#include "HttpTestKit.h"
#include "Settings.h"
#include "Thread.h"
#include "Handles.h"

namespace httptest {

namespace {
struct WsaInit {
    WsaInit()
    {
        WSADATA d;
        WSAStartup(MAKEWORD(2, 2), &d);
    }
} wsaInit;
} // namespace

std::string MakeProgramFolder(const std::string& name)
{
    std::string folder = GetCurrentDir() + "\\" + name + "\\";
    ForceDirectories(folder + "HTML");
    for (const char* f : {"setup.ini", "contacts.tbl", "errors.log", "contacts.tbl.tmp"}) DeleteFile(folder + f);
    Settings::SetProgramFolder(folder);
    return folder;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw Exception("cannot write " + path);
    DWORD n = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(h);
}

std::string ReadFile(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::string();
    std::string out;
    char buf[4096];
    DWORD n = 0;
    while (::ReadFile(h, buf, sizeof(buf), &n, nullptr) && n > 0) out.append(buf, n);
    CloseHandle(h);
    return out;
}

// ---------------------------------------------------------------- Client

Client::Client(int port)
{
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<u_short>(port));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(s, reinterpret_cast<sockaddr*>(&to), sizeof(to)) == SOCKET_ERROR) {
        closesocket(s);
        return;
    }
    u_long on = 1;
    ioctlsocket(s, FIONBIO, &on);
    FSocket = s;
}

Client::~Client() { Close(); }

void Client::Close()
{
    if (FSocket != INVALID_SOCKET) closesocket(FSocket);
    FSocket = INVALID_SOCKET;
}

void Client::Abort()
{
    if (FSocket == INVALID_SOCKET) return;
    linger l = {1, 0};
    setsockopt(FSocket, SOL_SOCKET, SO_LINGER, reinterpret_cast<char*>(&l), sizeof(l));
    Close();
}

void Client::Send(const std::string& bytes)
{
    size_t pos = 0;
    DWORD start = GetTickCount();
    while (pos < bytes.size() && GetTickCount() - start < 5000) {
        int n = send(FSocket, bytes.data() + pos, static_cast<int>(bytes.size() - pos), 0);
        if (n > 0)
            pos += static_cast<size_t>(n);
        else if (WSAGetLastError() != WSAEWOULDBLOCK)
            return;
        else
            CheckSynchronize(5);
    }
}

std::string Client::Read(size_t n, DWORD ms)
{
    DWORD start = GetTickCount();
    while (FPending.size() < n && !FClosed && GetTickCount() - start < ms) {
        CheckSynchronize();
        fd_set rd;
        FD_ZERO(&rd);
        FD_SET(FSocket, &rd);
        timeval tv = {0, 5000};
        if (select(0, &rd, nullptr, nullptr, &tv) <= 0) continue;
        char buf[65536];
        int got = recv(FSocket, buf, sizeof(buf), 0);
        if (got > 0)
            FPending.append(buf, static_cast<size_t>(got));
        else if (got == 0 || WSAGetLastError() != WSAEWOULDBLOCK)
            FClosed = true;
    }
    std::string out = FPending.substr(0, std::min(n, FPending.size()));
    FPending.erase(0, out.size());
    return out;
}

std::string Client::ReadAll(DWORD ms) { return Read(static_cast<size_t>(-1) / 2, ms); }

std::string Client::ReadHeader(DWORD ms)
{
    DWORD start = GetTickCount();
    std::string head;
    while (head.size() < 4096 && GetTickCount() - start < ms) {
        std::string c = Read(1, ms - (GetTickCount() - start));
        if (c.empty()) break;
        head += c;
        if (head.size() >= 4 && head.compare(head.size() - 4, 4, "\r\n\r\n") == 0) break;
    }
    return head;
}

bool Client::ReadPacket(std::string& payload, int& key, DWORD ms)
{
    DWORD start = GetTickCount();
    std::string head = Read(4, ms);
    if (head.size() < 4) {
        FPending = head + FPending;
        return false;
    }
    uint32_t h = LE32(head);
    key = static_cast<int>((h >> 16) & 0xFF);
    size_t len = h & 0xFFFF;
    DWORD spent = GetTickCount() - start;
    payload = Read(len, ms > spent ? ms - spent + 1000 : 1000);
    return payload.size() == len;
}

bool Client::WaitClosed(DWORD ms)
{
    DWORD start = GetTickCount();
    while (!FClosed && GetTickCount() - start < ms) Read(1 << 20, 50);
    return FClosed;
}

std::string Exchange(int port, const std::string& request, DWORD ms)
{
    Client c(port);
    if (!c.Connected()) return "<no connection>";
    c.Send(request);
    return c.ReadAll(ms);
}

// ---------------------------------------------------------------- TestLink

void TestLink::LinkSendText(const std::string& text, CContact* contact)
{
    Texts.emplace_back(text, contact);
    if (!contact) return;
    std::string line = ChatLine(text);
    TLockGuard<CMultiThreadList> hold(*Contacts);
    TLockGuard<CMultiThreadList> threads(*contact->Threads);
    for (int i = 0; i < contact->Threads->GetCount(); ++i) {
        auto* t = static_cast<TMyServerSendThread*>(contact->Threads->Get(i));
        if (t->FRequestKind == rkChat) t->FFifo->PushFrame(line.data(), static_cast<int32_t>(line.size()), 1);
    }
}

void TestLink::LinkUpdateAlarm(uint8_t value, const std::string& address)
{
    Alarms.emplace_back(value, address);
    TLockGuard<TServerWinSocket> hold(*Server);
    for (int i = 0; i < Server->ActiveConnections(); ++i) {
        TServerClientWinSocket* c = Server->Connections(i);
        auto* t = dynamic_cast<TMyServerSendThread*>(c->ServerClientThread());
        if (t && c->Connected() && c->RemoteAddress() == address) t->FAlarm = value;
    }
}

// ---------------------------------------------------------------- Server

Server::Server() : Socket(nullptr)
{
    Socket.Address = "127.0.0.1";
    Socket.Port = 0;
    Socket.ServerType = stThreadBlocking;
    Socket.ThreadCacheSize = 0;
    Socket.OnGetThread = [this](TObject*, TServerClientWinSocket* c, TServerClientThread*& t) {
        t = new TMyServerSendThread(false, &Contacts, c, &Link);
    };
    Socket.Open();
    Link.Server = Socket.Socket();
    Link.Contacts = &Contacts;
}

Server::~Server()
{
    Socket.Close();
    FreeContacts(&Contacts);
}

TMyServerSendThread* Server::StreamThread(int kind)
{
    TServerWinSocket* s = Socket.Socket();
    TLockGuard<TServerWinSocket> hold(*s);
    for (int i = 0; i < s->ActiveConnections(); ++i) {
        auto* t = dynamic_cast<TMyServerSendThread*>(s->Connections(i)->ServerClientThread());
        if (t && t->FRequestKind == kind) return t;
    }
    return nullptr;
}

TMyServerSendThread* Server::WaitStream(int kind, DWORD ms)
{
    TMyServerSendThread* t = nullptr;
    PumpUntil([&] { return (t = StreamThread(kind)) != nullptr; }, ms);
    return t;
}

bool Server::WaitDrained(int kind, DWORD ms)
{
    return PumpUntil(
        [&] {
            TServerWinSocket* s = Socket.Socket();
            TLockGuard<TServerWinSocket> hold(*s);
            for (int i = 0; i < s->ActiveConnections(); ++i) {
                auto* t = dynamic_cast<TMyServerSendThread*>(s->Connections(i)->ServerClientThread());
                if (t && t->FRequestKind == kind && !t->FFifo->IsEmpty()) return false;
            }
            return true;
        },
        ms);
}

CContact* Server::Contact(const std::string& ip)
{
    TLockGuard<CMultiThreadList> hold(Contacts);
    for (int i = 0; i < Contacts.GetCount(); ++i) {
        auto* c = static_cast<CContact*>(Contacts.Get(i));
        if (c->IP == ip) return c;
    }
    return nullptr;
}

uint32_t LE32(const std::string& s, size_t at)
{
    auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(s[at + i])); };
    return b(0) | (b(1) << 8) | (b(2) << 16) | (b(3) << 24);
}

std::string Le32Bytes(uint32_t v)
{
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

std::string UnixPath(const std::string& windowsPath)
{
    std::string p = windowsPath;
    if (p.size() >= 2 && (p[0] == 'Z' || p[0] == 'z') && p[1] == ':') p = p.substr(2);
    for (auto& c : p)
        if (c == '\\') c = '/';
    return p;
}

int RunUnix(const std::string& command, DWORD ms)
{
    // Wine starts an ELF program from CreateProcess, but the process handle it
    // returns is signalled at once: the script reports its end through a file.
    static int serial = 0;
    std::string folder = GetCurrentDir() + "\\";
    std::string tag = "unix_run_" + IntToStr(GetCurrentProcessId()) + "_" + IntToStr(++serial);
    std::string script = folder + tag + ".sh";
    std::string done = folder + tag + ".rc";
    DeleteFile(done);
    WriteFile(script, command + "\necho $? > '" + UnixPath(done) + ".part'\nmv '" + UnixPath(done) + ".part' '" +
                          UnixPath(done) + "'\n");
    std::string line = "Z:\\bin\\sh " + UnixPath(script);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::vector<char> cmd(line.begin(), line.end());
    cmd.push_back('\0');
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -2;
    // For a Unix program Wine (8) returns no process handle and fills the thread
    // handle and ids from its own uninitialised stack. Closing that "thread handle"
    // closed whatever live handle of ours had the same value (the payment service's
    // listening socket, after the case before left it on the stack). Only a Windows
    // program's handles are real.
    if (pi.hProcess) {
        TKernelHandle process(pi.hProcess);
        TKernelHandle thread(pi.hThread);
    }
    int rc = -1;
    if (PumpUntil([&] { return FileExists(done); }, ms)) rc = StrToIntDef(Trim(ReadFile(done)), -3);
    DeleteFile(script);
    DeleteFile(done);
    return rc;
}

} // namespace httptest
