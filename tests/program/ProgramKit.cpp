#include "ProgramKit.h"
#include <commctrl.h>

namespace programtest {

using httptest::RunUnix;
using httptest::UnixPath;
using httptest::LE32;

std::string WindowsPath(const std::string& unixPath)
{
    std::string p = "Z:" + unixPath;
    for (auto& c : p)
        if (c == '/') c = '\\';
    return p;
}

std::string DistFolder() { return WindowsPath(ORVANTA_DIST_DIR) + "\\"; }

int FreePort()
{
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    int port = 0;
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof(a)) == 0) {
        int len = sizeof(a);
        if (getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0) port = ntohs(a.sin_port);
    }
    closesocket(s);
    return port;
}

std::string SetupIni(const std::vector<std::pair<std::string, std::string>>& keys)
{
    std::string s = "[SETTINGS]\r\n";
    for (auto& k : keys) s += k.first + "=" + k.second + "\r\n";
    return s;
}

static std::string Str(const std::string& s) { return httptest::Le32Bytes(static_cast<uint32_t>(s.size())) + s; }

std::string ContactsFile(const std::vector<StoredContact>& contacts)
{
    std::string out = httptest::Le32Bytes(static_cast<uint32_t>(contacts.size()));
    for (auto& c : contacts)
        out += Str(c.Name) + Str(c.Company) + Str(c.Email) + Str(c.Phone) + Str(c.Interest) + Str(c.IP) +
               Str(c.History) + Str(c.BlackListed);
    return out;
}

std::string RecordBytes(int kind, int flag, const std::string& payload)
{
    uint32_t h = static_cast<uint32_t>(payload.size()) | (static_cast<uint32_t>(flag) << 16) |
                 (static_cast<uint32_t>(kind) << 24);
    return httptest::Le32Bytes(h) + payload;
}

// ---------------------------------------------------------------- Program

namespace {

// The program's main window: a "TForm" titled "Orvanta" of a process whose image
// lies in the given folder (another program, or a test's own hidden main window,
// is never taken for it).
struct FindMain {
    std::string Folder, Class, Title;
    HWND Found = nullptr;
};

bool ProcessInFolder(HWND wnd, const std::string& folder)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    HANDLE proc = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!proc) return false;
    char image[MAX_PATH * 2] = {};
    DWORD n = sizeof(image);
    bool in = QueryFullProcessImageNameA(proc, 0, image, &n) && n >= folder.size() &&
              CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, image, static_cast<int>(folder.size()), folder.c_str(),
                             static_cast<int>(folder.size())) == CSTR_EQUAL;
    CloseHandle(proc);
    return in;
}

BOOL CALLBACK FindMainProc(HWND wnd, LPARAM data)
{
    auto* f = reinterpret_cast<FindMain*>(data);
    char cls[64] = {}, text[64] = {};
    GetClassNameA(wnd, cls, sizeof(cls));
    GetWindowTextA(wnd, text, sizeof(text));
    if (f->Class == cls && f->Title == text && ProcessInFolder(wnd, f->Folder)) {
        f->Found = wnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindTopWindow(const std::string& folder, const std::string& cls, const std::string& title)
{
    FindMain f;
    f.Folder = folder;
    f.Class = cls;
    f.Title = title;
    EnumWindows(FindMainProc, reinterpret_cast<LPARAM>(&f));
    return f.Found;
}

HWND FindMainWindow(const std::string& folder) { return FindTopWindow(folder, "TForm", "Orvanta"); }

struct ChildQuery {
    std::string Class, Text;
    bool VisibleOnly;
    std::function<bool(HWND)> Extra;
    HWND Found = nullptr;
};

BOOL CALLBACK FindChildProc(HWND wnd, LPARAM data)
{
    auto* q = reinterpret_cast<ChildQuery*>(data);
    char cls[64] = {};
    GetClassNameA(wnd, cls, sizeof(cls));
    if (q->Class != cls) return TRUE;
    if (q->VisibleOnly && !IsWindowVisible(wnd)) return TRUE;
    if (!q->Text.empty()) {
        char text[256] = {};
        GetWindowTextA(wnd, text, sizeof(text));
        if (q->Text != text) return TRUE;
    }
    if (q->Extra && !q->Extra(wnd)) return TRUE;
    q->Found = wnd;
    return FALSE;
}

HWND FindChild(HWND parent, const std::string& cls, const std::string& text, bool visibleOnly,
               std::function<bool(HWND)> extra = nullptr)
{
    ChildQuery q{cls, text, visibleOnly, std::move(extra)};
    EnumChildWindows(parent, FindChildProc, reinterpret_cast<LPARAM>(&q));
    return q.Found;
}

BOOL CALLBACK StaticTextProc(HWND wnd, LPARAM data)
{
    char cls[32] = {}, text[512] = {};
    GetClassNameA(wnd, cls, sizeof(cls));
    GetWindowTextA(wnd, text, sizeof(text));
    if (lstrcmpiA(cls, "Static") == 0 && text[0]) *reinterpret_cast<std::string*>(data) = text;
    return TRUE;
}

} // namespace

HWND ChildOf(HWND parent, const std::string& className, const std::string& text, bool visibleOnly)
{
    return FindChild(parent, className, text, visibleOnly);
}

std::string MessageBoxText(HWND box)
{
    std::string text;
    EnumChildWindows(box, StaticTextProc, reinterpret_cast<LPARAM>(&text));
    return text;
}

Program::Program(const std::string& name) : FPort(FreePort())
{
    FFolder = GetCurrentDir() + "\\run\\" + name + "\\";
    std::string dir = UnixPath(FFolder);
    // The program's own files only: what a run of the program left in dist/ (its
    // settings, contacts and log) would make this case no first run.
    RunUnix("rm -rf '" + dir + "' && mkdir -p '" + dir + "' && cp -r '" + std::string(ORVANTA_DIST_DIR) + "/.' '" + dir +
                "' && rm -f '" + dir + "setup.ini' '" + dir + "errors.log' '" + dir + "'contacts.tbl*",
            30000);
    FPidFile = FFolder + "program.pid";
}

Program::~Program()
{
    if (FStarted) Stop();
}

bool Program::Launch()
{
    std::string dir = UnixPath(FFolder);
    DeleteFileA(FPidFile.c_str());
    int rc = RunUnix("cd '" + dir + "' && ORVANTA_PORT=" + IntToStr(FPort) +
                         " SOFTCARD_DEFAULT=softcard wine ./Orvanta_TM.exe > program.out 2>&1 < /dev/null & echo $! > '" +
                         UnixPath(FPidFile) + "'",
                     15000);
    if (rc != 0) return false;
    FStarted = true;
    return true;
}

bool Program::WaitShown(DWORD ms)
{
    return WaitUntil(
        [this] {
            FMain = FindMainWindow(FFolder);
            return FMain && IsWindowVisible(FMain);
        },
        ms);
}

bool Program::Running()
{
    std::string pid = Trim(httptest::ReadFile(FPidFile));
    if (pid.empty()) return false;
    return RunUnix("kill -0 " + pid + " 2>/dev/null", 5000) == 0;
}

bool Program::Stop(DWORD ms)
{
    if (!FStarted) return true;
    FStarted = false;
    HWND main = FindMainWindow(FFolder);
    if (main) PostMessageA(main, WM_CLOSE, 0, 0);
    bool ended = WaitUntil([this] { return !Running(); }, ms);
    if (!ended) {
        std::string pid = Trim(httptest::ReadFile(FPidFile));
        if (!pid.empty()) RunUnix("kill -9 " + pid + " 2>/dev/null", 5000);
        WaitUntil([this] { return !Running(); }, 5000);
    }
    FMain = nullptr;
    return ended;
}

HWND Program::TopWindow(const std::string& className, const std::string& title)
{
    return FindTopWindow(FFolder, className, title);
}

HWND Program::Child(const std::string& className, const std::string& text, bool visibleOnly)
{
    return FindChild(FMain, className, text, visibleOnly);
}

HWND Program::ChatEdit() { return Child("TEdit"); }

HWND Program::ChatMemo() { return Child("TMemo"); }

std::string Program::Text(HWND wnd)
{
    LRESULT n = SendMessageA(wnd, WM_GETTEXTLENGTH, 0, 0);
    if (n <= 0) return std::string();
    std::string s(static_cast<size_t>(n) + 1, '\0');
    LRESULT got = SendMessageA(wnd, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(&s[0]));
    s.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return s;
}

void Program::SetText(HWND wnd, const std::string& text)
{
    SendMessageA(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool Program::Click(HWND button)
{
    if (!button) return false;
    char cls[64] = {};
    GetClassNameA(button, cls, sizeof(cls));
    if (std::string(cls) == "TButton") {
        HWND parent = GetParent(button);
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
    } else {
        // A skinned button: its own key press, which clicks it as a mouse click does.
        SendMessageA(button, WM_KEYDOWN, VK_RETURN, 0);
    }
    return true;
}

HWND Program::Button(const std::string& caption, bool visibleOnly)
{
    HWND b = Child(kSkinButtonClass, caption, visibleOnly);
    return b ? b : Child("TButton", caption, visibleOnly);
}

bool Program::ClickButton(const std::string& caption, bool visibleOnly) { return Click(Button(caption, visibleOnly)); }

int Program::ListRows()
{
    HWND list = OnlineList();
    return list ? static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) : -1;
}

// The list view lives in the program's process: the item record and its text
// buffer are placed in that process's memory for the message.
bool Program::RemoteListItem(int row, int& image, std::string& text)
{
    HWND list = OnlineList();
    if (!list) return false;
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    HANDLE proc = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!proc) return false;
    const SIZE_T textSize = 128;
    char* remote = static_cast<char*>(
        VirtualAllocEx(proc, nullptr, sizeof(LVITEMA) + textSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    bool ok = false;
    if (remote) {
        LVITEMA item = {};
        item.mask = LVIF_IMAGE | LVIF_TEXT;
        item.iItem = row;
        item.iSubItem = 0;
        item.pszText = remote + sizeof(LVITEMA);
        item.cchTextMax = textSize;
        SIZE_T n = 0;
        if (WriteProcessMemory(proc, remote, &item, sizeof(item), &n) &&
            SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote))) {
            LVITEMA back = {};
            char buf[textSize] = {};
            if (ReadProcessMemory(proc, remote, &back, sizeof(back), &n)) {
                image = back.iImage;
                ok = true;
                // The text of sub-item 1 (the address) with a second request.
                LVITEMA sub = {};
                sub.mask = LVIF_TEXT;
                sub.iItem = row;
                sub.iSubItem = 1;
                sub.pszText = remote + sizeof(LVITEMA);
                sub.cchTextMax = textSize;
                if (WriteProcessMemory(proc, remote, &sub, sizeof(sub), &n) &&
                    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote))) {
                    LVITEMA got = {};
                    if (ReadProcessMemory(proc, remote, &got, sizeof(got), &n) && got.pszText &&
                        ReadProcessMemory(proc, got.pszText, buf, textSize - 1, &n))
                        text = buf;
                }
            }
        }
        VirtualFreeEx(proc, remote, 0, MEM_RELEASE);
    }
    CloseHandle(proc);
    return ok;
}

int Program::RowImage(int row)
{
    int image = -100;
    std::string text;
    if (!RemoteListItem(row, image, text)) return -100;
    return image;
}

std::string Program::RowAddress(int row)
{
    int image = 0;
    std::string text;
    RemoteListItem(row, image, text);
    return text;
}

bool Program::Screenshot(const std::string& pngPath)
{
    if (!FMain) return false;
    RECT r;
    GetWindowRect(FMain, &r);
    std::string png = UnixPath(pngPath);
    size_t slash = png.rfind('/');
    std::string geometry = IntToStr(r.right - r.left) + "x" + IntToStr(r.bottom - r.top) + "+" + IntToStr(r.left) +
                           "+" + IntToStr(r.top);
    return RunUnix("mkdir -p '" + png.substr(0, slash) + "' && import -window root -crop " + geometry + " '" + png + "'",
                   30000) == 0;
}

// ---------------------------------------------------------------- visitors

Visitor::Visitor(int port, const std::string& request, const std::string& from)
{
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in me = {};
    me.sin_family = AF_INET;
    me.sin_addr.s_addr = inet_addr(from.c_str());
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<u_short>(port));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(s, reinterpret_cast<sockaddr*>(&me), sizeof(me)) == SOCKET_ERROR ||
        connect(s, reinterpret_cast<sockaddr*>(&to), sizeof(to)) == SOCKET_ERROR) {
        closesocket(s);
        return;
    }
    u_long on = 1;
    ioctlsocket(s, FIONBIO, &on);
    FSocket = s;
    size_t pos = 0;
    DWORD start = GetTickCount();
    while (pos < request.size() && GetTickCount() - start < 5000) {
        int n = send(s, request.data() + pos, static_cast<int>(request.size() - pos), 0);
        if (n > 0) pos += static_cast<size_t>(n);
        else if (WSAGetLastError() != WSAEWOULDBLOCK) break;
        else Sleep(5);
    }
}

Visitor::~Visitor()
{
    if (FSocket != INVALID_SOCKET) closesocket(FSocket);
}

void Visitor::Fill(size_t n, DWORD ms)
{
    DWORD start = GetTickCount();
    while (FPending.size() < n && !FClosed && FSocket != INVALID_SOCKET && GetTickCount() - start < ms) {
        fd_set rd;
        FD_ZERO(&rd);
        FD_SET(FSocket, &rd);
        timeval tv = {0, 10000};
        if (select(0, &rd, nullptr, nullptr, &tv) <= 0) continue;
        char buf[65536];
        int got = recv(FSocket, buf, sizeof(buf), 0);
        if (got > 0) FPending.append(buf, static_cast<size_t>(got));
        else if (got == 0 || WSAGetLastError() != WSAEWOULDBLOCK) FClosed = true;
    }
}

std::string Visitor::Take(size_t n)
{
    std::string out = FPending.substr(0, std::min(n, FPending.size()));
    FPending.erase(0, out.size());
    return out;
}

std::string Visitor::Header(DWORD ms)
{
    DWORD start = GetTickCount();
    size_t end;
    while ((end = FPending.find("\r\n\r\n")) == std::string::npos && !FClosed && GetTickCount() - start < ms)
        Fill(FPending.size() + 1, 50);
    if (end == std::string::npos) return std::string();
    return Take(end + 4);
}

bool Visitor::Next(Packet& p, DWORD ms)
{
    DWORD start = GetTickCount();
    Fill(4, ms);
    if (FPending.size() < 4) return false;
    uint32_t h = LE32(FPending);
    size_t len = h & 0xFFFF;
    DWORD spent = GetTickCount() - start;
    // A packet that has begun arrives whole soon.
    Fill(4 + len, (ms > spent ? ms - spent : 0) + 2000);
    if (FPending.size() < 4 + len) return false;
    Take(4);
    p.Payload = Take(len);
    p.Key = static_cast<int>((h >> 16) & 0xFF);
    Seen.push_back(p);
    return true;
}

bool Visitor::ReadUntil(const std::function<bool(const Packet&)>& cond, DWORD ms, Packet* found)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        Packet p;
        DWORD spent = GetTickCount() - start;
        if (!Next(p, ms > spent ? ms - spent : 1)) {
            if (FClosed) return false;
            continue;
        }
        if (cond(p)) {
            if (found) *found = p;
            return true;
        }
    }
    return false;
}

std::string Visitor::ReadAll(DWORD ms)
{
    Fill(static_cast<size_t>(-1) / 2, ms);
    return Take(FPending.size());
}

bool Visitor::WaitClosed(DWORD ms)
{
    DWORD start = GetTickCount();
    while (!FClosed && FSocket != INVALID_SOCKET && GetTickCount() - start < ms) {
        Fill(FPending.size() + (1 << 20), 50);
        FPending.clear();
    }
    return FClosed || FSocket == INVALID_SOCKET;
}

std::string Request(int port, const std::string& request, const std::string& from, DWORD ms)
{
    Visitor v(port, request, from);
    if (!v.Connected()) return "<no connection>";
    return v.ReadAll(ms);
}

std::string MessageRequest(const std::string& text)
{
    // The viewer's encoding: blanks, "*", "#", "%", "<", ">" and bytes from 0x80 on.
    std::string enc;
    for (unsigned char c : text) {
        if (c == ' ' || c == '*' || c == '#' || c == '%' || c == '<' || c == '>' || c >= 0x80)
            enc += Format("%%%02X", c);
        else
            enc += static_cast<char>(c);
    }
    return "GET /message?message=" + enc + " HTTP 1.0";
}

} // namespace programtest
