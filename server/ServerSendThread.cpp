#include "ServerSendThread.h"
#include "Contact.h"
#include "Handles.h"
#include "MainWindowLink.h"
#include "Log.h"
#include "PayThread.h"
#include "Settings.h"
#include "Trace.h"
#include <memory>
#include <vector>

DWORD(WINAPI* TMyServerSendThread::TickSource)() = &GetTickCount;
DWORD TMyServerSendThread::SendStallTimeout = 10000;
const char* const TMyServerSendThread::DefaultPass = "0";

namespace {

const char* const kServerLine = "\r\nServer: Tarvik Brannoc Ulmar/1.0.0\r\nConnection: Keep-Alive\r\n";
const int kRequestMax = 1024;

// The platform's ANSI lower-casing (the system code page's letters, not only Latin ones).
std::string AnsiLowerCase(const std::string& s)
{
    std::string r = s;
    if (!r.empty()) CharLowerBuffA(&r[0], static_cast<DWORD>(r.size()));
    return r;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "+" is a blank; "%" and two hex digits is that byte, except 0; a broken escape yields nothing.
std::string UrlDecode(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '+') {
            out += ' ';
        } else if (c == '%') {
            if (i + 2 < s.size()) {
                int hi = HexDigit(s[i + 1]), lo = HexDigit(s[i + 2]);
                if (hi >= 0 && lo >= 0 && (hi * 16 + lo) != 0) out += static_cast<char>(hi * 16 + lo);
            }
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

// A name of the HTML folder's own files: nothing that could lead out of the folder
// or name a device, a stream or a pattern.
bool SafeFileName(const std::string& name)
{
    if (name.empty() || name[0] == '/') return false;
    if (name.find("..") != std::string::npos) return false;
    for (unsigned char ch : name)
        if (ch < 0x20 || ch == 0x7F || ch == '\\' || ch == ':' || ch == '*' || ch == '?' || ch == '"' ||
            ch == '<' || ch == '>' || ch == '|')
            return false;
    return true;
}

// The type a page reply names: the pages are HTML, but the same folder serves the
// viewer's download package (Quenda.cab) and pictures, which a browser must not
// take for text.
std::string ContentTypeOf(const std::string& name)
{
    static const char* const binary[] = {".cab", ".ocx", ".dll", ".exe", ".jar", ".zip", ".gif", ".jpg",
                                         ".jpeg", ".png", ".bmp", ".ico", ".wav"};
    const size_t dot = name.find_last_of('.');
    const std::string ext = dot == std::string::npos ? std::string() : LowerCase(name.substr(dot));
    for (const char* b : binary)
        if (ext == b) return "application/octet-stream";
    return "text/html";
}

} // namespace

std::string ChatLine(const std::string& text)
{
    if (text.size() + 1 > static_cast<size_t>(MaxPacketPayload)) return text.substr(0, MaxPacketPayload - 1) + "\n";
    return text + "\n";
}

TMyServerSendThread::TMyServerSendThread(bool CreateSuspended, CMultiThreadList* Contacts,
                                         TServerClientWinSocket* ASocket, IMainWindowLink* Link)
    : TServerClientThread(true, ASocket), FFifo(new CFrameFIFO(25)), FContacts(Contacts), FLink(Link)
{
    (void)CreateSuspended;
    KeepInCache = false;
    FreeOnTerminate = true;
    FPass = Settings::ReadCached("PASS", DefaultPass, 254);
    // Not resumed here: with free-on-terminate a thread that ends at once (a
    // black-listed visitor's) would be gone before the server socket, which starts
    // every connection thread itself, could register it.
}

TMyServerSendThread::~TMyServerSendThread()
{
    // Out of the fan-out registry and the visitor's thread list before the queue
    // goes, so that no producer and no SendText can reach a freed queue.
    Withdraw();
    RemoveFromContacts();
    FFifo->FreeAll();
    delete FFifo;
    FFifo = nullptr;
    int32_t kind = FRequestKind;
    if (kind >= rkVideo && kind <= rkAudio) {
        try {
            SyncUpdateOnLine();
        } catch (...) {
            Trace::Caught(Trace::Server, "connection end: online list");
        }
    }
}

std::string TMyServerSendThread::HttpDate()
{
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    SYSTEMTIME t;
    GetSystemTime(&t);
    return Format("%s, %02u %s %04u %02u:%02u:%02u GMT", days[t.wDayOfWeek % 7], t.wDay, months[(t.wMonth + 11) % 12],
                  t.wYear, t.wHour, t.wMinute, t.wSecond);
}

int FanOut(TServerWinSocket* Server, int32_t Kind, const void* Data, int32_t Length, uint8_t Key,
           const char* Prefix)
{
    if (!Server) return 0;
    // One copy of the payload for every connection of the kind; each queue holds a reference.
    std::unique_ptr<CSharedPacket, void (*)(CSharedPacket*)> packet(CSharedPacket::Create(Data, Length),
                                                                    &CSharedPacket::ReleaseRef);
    if (!packet) return 0;
    int pushed = 0;
    TLockGuard<TServerWinSocket> hold(*Server);
    for (int i = 0; i < Server->ActiveConnections(); ++i) {
        try {
            TServerClientWinSocket* c = Server->Connections(i);
            if (!c || !c->Connected()) continue;
            auto* t = dynamic_cast<TMyServerSendThread*>(c->ServerClientThread());
            if (t && t->FRequestKind == Kind && t->FFifo->PushShared(packet.get(), Key)) ++pushed;
        } catch (const std::exception& e) {
            if (Prefix) LogLine(Prefix, e);
            else Trace::Line(Trace::Server, std::string("fan-out: ") + e.what());
        } catch (...) {
            if (Prefix) LogUnknown(Prefix);
            else Trace::Line(Trace::Server, "fan-out: unknown exception");
        }
    }
    return pushed;
}

void TMyServerSendThread::Terminate()
{
    TServerClientThread::Terminate();
    if (FFifo) FFifo->Wake();
}

bool TMyServerSendThread::Alive() { return !Terminated() && ClientSocket()->Connected(); }

// ---------------------------------------------------------------- the connection

void TMyServerSendThread::ClientExecute()
{
    std::string peer = ClientSocket()->RemoteAddress();
    const bool traced = Trace::Enabled(Trace::Server);
    const unsigned long sock = static_cast<unsigned long>(ClientSocket()->SocketHandle());
    if (traced) Trace::Line(Trace::Server, "connection " + IntToStr(static_cast<long long>(sock)) + " started");
    {
        // Lookup and creation in one step: one address never gets two contacts.
        TLockGuard<CMultiThreadList> hold(*FContacts);
        CContact* c = FindContact(peer);
        if (!c) {
            c = new CContact(GuestRegistration, peer);
            c->Threads->Lock();
            c->Threads->Add(this);
            c->Threads->Unlock();
            FContacts->Add(c);
        }
        FContact = c;
    }
    bool black;
    {
        TLockGuard<CMultiThreadList> hold(*FContacts);
        black = FContact->BlackListed != 0;
    }
    if (black) {
        Withdraw();
        return;
    }
    SyncGetOnline();
    FRequestKind = ParseRequest();
    if (traced)
        Trace::Line(Trace::Server, "connection " + IntToStr(static_cast<long long>(sock)) + " asks kind " +
                                       IntToStr(FRequestKind));
    switch (FRequestKind) {
    case rkViewerPage:
        SendViewerPage();
        break;
    case rkVideo:
    case rkChat:
    case rkAudio:
        ListWithContact();
        SyncUpdateOnLine();
        StreamLoop();
        break;
    case rkOk:
    case rkAlarm:
        SendOk();
        break;
    case rkClientJar:
        SendClientJar();
        break;
    case rkRegistration:
        HandleRegistration();
        SyncUpdateOnLine();
        break;
    case rkChatMessage:
        HandleChatMessage();
        break;
    case rkLoginPage:
        SendLoginPage();
        break;
    case rkRegistrationPage:
        SendRegistrationPage();
        break;
    case rkLogin:
        CheckLogin();
        break;
    case rkSignUp:
        RegisterNewUser();
        break;
    case rkFile:
        SendHtmlFile();
        break;
    default:
        break;
    }
    if (traced) Trace::Line(Trace::Server, "connection " + IntToStr(static_cast<long long>(sock)) + " answered");
}

void TMyServerSendThread::ListWithContact()
{
    TLockGuard<CMultiThreadList> hold(*FContacts);
    TLockGuard<CMultiThreadList> threads(*FContact->Threads);
    if (FContact->Threads->IndexOf(this) < 0) FContact->Threads->Add(this);
}

int32_t TMyServerSendThread::ParseRequest()
{
    if (!Alive()) return rkLoginPage;
    // One read of at most 1024 bytes, with room for the terminator.
    char buf[kRequestMax + 1] = {};
    try {
        if (ClientSocket()->WaitForData(2000)) ClientSocket()->ReceiveBuf(buf, kRequestMax);
    } catch (...) {
        Trace::Caught(Trace::Server, "request read");
        Withdraw();
    }
    Sleep(5);
    std::string request(buf);
    int p = Pos("GET /", request);
    int q = Pos("HTTP", request);
    std::string path = AnsiLowerCase(Copy(request, p + 5, q - p - 5));

    if (path.find("registration.html") != std::string::npos) return rkRegistrationPage;
    if (path.find("check_login") != std::string::npos || path.find("register_new_user") != std::string::npos) {
        bool login = path.find("check_login") != std::string::npos;
        std::string r = AnsiLowerCase(request);
        int u = Pos("username_var", r);
        int s = Pos(login ? "&submit" : "&password_var", r);
        FLoginUser = Copy(r, u + 13, s - u - 13);
        int w = Pos("password_var", r);
        int e = Pos("&end_str_var", r);
        FLoginPassword = Copy(r, w + 13, e - w - 13);
        return login ? rkLogin : rkSignUp;
    }
    if (path.find("video") != std::string::npos) return rkVideo;
    if (path.find("chat") != std::string::npos) {
        // The chat stream's first packet: the text with its terminating zero byte.
        static const char enter[] = "Enter password\n";
        FFifo->PushFrame(enter, sizeof(enter), 1);
        return rkChat;
    }
    if (path.find("audio") != std::string::npos) return rkAudio;
    if (path.find("client.jar") != std::string::npos) return rkClientJar;
    if (path.find("message") != std::string::npos) {
        std::string decoded = UrlDecode(path);
        std::string text = StripControlChars(Copy(decoded, 17, static_cast<int>(decoded.size()) - 17));
        if (text.find("~al_start") != std::string::npos || text.find("~al_stop") != std::string::npos) {
            FAlarm = text.find("~al_start") != std::string::npos ? 1 : 0;
            FPeerAddress = ClientSocket()->RemoteAddress();
            SyncUpdateAlarm();
            return rkAlarm;
        }
        if (text.compare(0, 13, "registration&") == 0) {
            FMessage = text;
            FPeerAddress = ClientSocket()->RemoteAddress();
            return rkRegistration;
        }
        CContact* c = FindContact(ClientSocket()->RemoteAddress());
        if (c) {
            TLockGuard<CMultiThreadList> hold(*FContacts);
            if (text == FPass) {
                // The broadcast password unlocks video and voice; it is not shown.
                c->Password = FPass;
                FMessage.clear();
            } else {
                FMessage = c->Name + ": " + text;
                c->History += "\n" + FMessage;
            }
            FContact = c;
        } else {
            FMessage = text;
        }
        return rkChatMessage;
    }
    if (path == " ") return rkLoginPage;
    FFileName = path;
    return rkFile;
}

CContact* TMyServerSendThread::FindContact(const std::string& Address)
{
    TLockGuard<CMultiThreadList> hold(*FContacts);
    for (int i = 0; i < FContacts->GetCount(); ++i) {
        auto* c = static_cast<CContact*>(FContacts->Get(i));
        if (c->IP == Address) return c;
    }
    return nullptr;
}

void TMyServerSendThread::RemoveFromContacts()
{
    TLockGuard<CMultiThreadList> hold(*FContacts);
    for (int i = 0; i < FContacts->GetCount(); ++i) {
        auto* c = static_cast<CContact*>(FContacts->Get(i));
        TLockGuard<CMultiThreadList> threads(*c->Threads);
        c->Threads->Extract(this);
    }
}

// ---------------------------------------------------------------- GUI-thread calls

void TMyServerSendThread::SyncGetOnline()
{
    Synchronize([this] { FOnline = (FLink && FLink->LinkGetOnline()) ? 1 : 0; });
}

void TMyServerSendThread::SyncUpdateOnLine()
{
    Synchronize([this] {
        if (FLink) FLink->LinkUpdateOnLine();
    });
}

void TMyServerSendThread::SyncSendText()
{
    Synchronize([this] {
        if (FLink) FLink->LinkSendText(FMessage, FContact);
    });
}

void TMyServerSendThread::SyncUpdateAlarm()
{
    Synchronize([this] {
        if (FLink) FLink->LinkUpdateAlarm(FAlarm, FPeerAddress);
    });
}

// ---------------------------------------------------------------- replies

void TMyServerSendThread::SendData(const void* Buffer, int Length)
{
    const char* p = static_cast<const char*>(Buffer);
    int pos = 0;
    DWORD lastProgress = GetTickCount();
    while (pos < Length && ClientSocket()->Connected()) {
        if (Terminated()) throw ESocketError("Connection thread terminated");
        int n = ClientSocket()->SendBuf(p + pos, Length - pos);
        if (n > 0) {
            pos += n;
            lastProgress = GetTickCount();
        } else if (n == 0) {
            break;
        } else {
            // A peer that stops reading holds the connection only so long.
            if (GetTickCount() - lastProgress >= SendStallTimeout) {
                ClientSocket()->Shutdown();
                throw ESocketError("Send timed out");
            }
            ClientSocket()->WaitForWrite(50);
        }
    }
}

void TMyServerSendThread::SendFile(const std::string& Name)
{
    if (!Alive()) return;
    try {
        FHeader.clear();
        std::string path = Settings::ProgramFolder() + "HTML\\" + Name;
        TKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) throw EFOpenError("Cannot open " + path);
        // Regular files only: no folder, device or pipe.
        BY_HANDLE_FILE_INFORMATION info;
        if (GetFileType(file.Get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.Get(), &info) ||
            (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            throw EFOpenError("Not a regular file: " + path);
        unsigned long long size = (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
        FHeader = "HTTP/1.0 200 OK\r\nDate: " + HttpDate() + kServerLine +
                  "Content-type: " + ContentTypeOf(Name) + "\r\nContent-Length: " +
                  IntToStr(static_cast<long long>(size)) + "\r\n\r\n";
        SendText(FHeader);
        std::vector<char> chunk(64 * 1024);
        unsigned long long left = size;
        while (left > 0) {
            DWORD want = static_cast<DWORD>(std::min<unsigned long long>(left, chunk.size()));
            DWORD got = 0;
            if (!ReadFile(file.Get(), chunk.data(), want, &got, nullptr) || got == 0)
                throw EReadError("Cannot read " + path);
            SendData(chunk.data(), static_cast<int>(got));
            left -= got;
        }
        Sleep(100);
    } catch (...) {
        // A missing or unreadable page: no reply (or the reply cut), and the connection ends.
        Trace::Caught(Trace::Server, "page");
    }
    Withdraw();
}

void TMyServerSendThread::SendViewerPage()
{
    SendFile(Settings::ReadCached("ClientType", "ActiveX", 254) == "ActiveX" ? "viewax.html" : "view.html");
}

void TMyServerSendThread::SendHtmlFile()
{
    std::string name = FFileName;
    while (!name.empty() && name.back() == ' ') name.pop_back();
    if (!SafeFileName(name)) {
        Withdraw();
        return;
    }
    SendFile(name);
}

void TMyServerSendThread::SendClientJar()
{
    if (!Alive()) return;
    try {
        // The archive is the program's resource "clientjar" of type "EXEFILE"; a
        // build without it serves client.jar from the program's folder.
        std::string body;
        HMODULE self = GetModuleHandleA(nullptr);
        HRSRC res = FindResourceA(self, "clientjar", "EXEFILE");
        HGLOBAL data = res ? LoadResource(self, res) : nullptr;
        const void* bytes = data ? LockResource(data) : nullptr;
        if (bytes) {
            body.assign(static_cast<const char*>(bytes), SizeofResource(self, res));
        } else {
            TMemoryStream file;
            file.LoadFromFile(Settings::ProgramFolder() + "client.jar");
            body.assign(static_cast<const char*>(file.Memory()), static_cast<size_t>(file.GetSize()));
        }
        FHeader = "HTTP/1.0 200 OK\r\nDate: " + HttpDate() + kServerLine +
                  "Content-type: application/octet-stream\r\nAccept-Ranges: bytes\r\nContent-Length: " +
                  IntToStr(static_cast<long long>(body.size())) + "\r\n\r\n";
        SendText(FHeader);
        SendText(body);
        Sleep(100);
    } catch (...) {
        Trace::Caught(Trace::Server, "client.jar");
    }
    Withdraw();
}

void TMyServerSendThread::SendOk()
{
    if (!Alive()) return;
    try {
        SendText("HTTP/1.0 200 OK\r\n");
        Sleep(100);
    } catch (...) {
        Trace::Caught(Trace::Server, "ok reply");
    }
    Withdraw();
}

void TMyServerSendThread::HandleChatMessage()
{
    SyncSendText();
    SendOk();
}

void TMyServerSendThread::HandleRegistration()
{
    CContact* c = FindContact(FPeerAddress);
    if (c) {
        TLockGuard<CMultiThreadList> hold(*FContacts);
        CContact registered(FMessage, FPeerAddress);
        c->Name = registered.Name;
        c->Company = registered.Company;
        c->Email = registered.Email;
        c->Phone = registered.Phone;
        c->Interest = registered.Interest;
        try {
            WriteContactsFile(FContacts, ContactsPath());
        } catch (...) {
            // Connection threads log nothing; the file keeps its previous state.
            Trace::Caught(Trace::Server, "registration: contacts.tbl");
        }
    }
    SendOk();
}

void TMyServerSendThread::CheckLogin()
{
    if (FLoginUser.empty() || FLoginPassword.empty()) {
        SendLoginPage();
        return;
    }
    std::unique_ptr<CPayThread> pay(new CPayThread(false, Settings::ReadCached("PAYPAL", "", 49), 0,
                                                   ClientSocket()->RemoteAddress(), FLoginPassword, FLoginUser,
                                                   CPayThread::cmdCheckLogin));
    pay->WaitFor();
    if (pay->FResult == 1) {
        {
            TLockGuard<CMultiThreadList> hold(*FContacts);
            FContact->Balance = pay->FBalance;
            FContact->PayUser = FLoginUser;
            FContact->PayPassword = FLoginPassword;
        }
        SendViewerPage();
    } else {
        SendLoginPage();
    }
}

void TMyServerSendThread::RegisterNewUser()
{
    if (FLoginUser.empty() || FLoginPassword.empty()) {
        SendRegistrationPage();
        return;
    }
    std::unique_ptr<CPayThread> pay(new CPayThread(false, Settings::ReadCached("PAYPAL", "", 49), 0,
                                                   ClientSocket()->RemoteAddress(), FLoginPassword, FLoginUser,
                                                   CPayThread::cmdRegister));
    pay->WaitFor();
    if (pay->FResult == 1)
        SendLoginPage();
    else
        SendRegistrationPage();
}
