// The end-to-end tests' hold on the real program: a fresh program folder per
// case (a copy of the build's dist folder), the program started in it on a free
// loopback port, its main window and controls found and driven through window
// messages from this process, and the program closed (or killed) afterwards.
#pragma once
#include "HttpTestKit.h"
#include <string>
#include <vector>

namespace programtest {

// The window class of the skinned buttons (a custom control of the class library).
inline const char* const kSkinButtonClass = "TCustomControl";

// The build's dist folder (the program and its folders), as a Windows path.
std::string DistFolder();
// "Z:" + the path with backslashes.
std::string WindowsPath(const std::string& unixPath);
// A loopback port that nothing listens on right now.
int FreePort();

// setup.ini text of section SETTINGS with the given key=value lines, in order.
std::string SetupIni(const std::vector<std::pair<std::string, std::string>>& keys);
// contacts.tbl bytes: int32 count, then per contact 8 length-prefixed strings.
struct StoredContact {
    std::string Name, Company, Email, Phone, Interest, IP, History, BlackListed;
};
std::string ContactsFile(const std::vector<StoredContact>& contacts);
// One recording record (the .str format): header word, then the payload.
std::string RecordBytes(int kind, int flag, const std::string& payload);

class Program {
public:
    // A fresh folder <test dir>\run\<name>\ with a copy of the dist folder.
    explicit Program(const std::string& name);
    ~Program();
    const std::string& Folder() const { return FFolder; }
    int Port() const { return FPort; }

    // Starts the program and waits (bounded) until its main window is shown, which
    // happens after the listening socket has been opened.
    bool Start(DWORD ms = 60000) { return Launch() && WaitShown(ms); }
    // The two halves, for a start-up that asks something first.
    bool Launch();
    bool WaitShown(DWORD ms = 60000);
    // Closes the main window (the program's ordinary shut-down) and waits for the
    // process to end; kills it when it does not end in time. True when it ended by itself.
    bool Stop(DWORD ms = 30000);
    bool Running();

    HWND MainWindow() const { return FMain; }
    // A top-level window of the program (a dialog, a message box).
    HWND TopWindow(const std::string& className, const std::string& title);
    // The visible child window of that window class with that text (empty text: any).
    HWND Child(const std::string& className, const std::string& text = std::string(), bool visibleOnly = true);
    // The visible edits: the chat line (one line) and the chat memo (multi-line).
    HWND ChatEdit();
    HWND ChatMemo();
    HWND OnlineList() { return Child("TListView"); }
    std::string Text(HWND wnd);
    void SetText(HWND wnd, const std::string& text);
    // A button of the main window by caption: a skinned one, else a plain one.
    HWND Button(const std::string& caption, bool visibleOnly = true);
    // Clicks a button of the main window, also a hidden one: a plain one as its
    // notification to its parent does, a skinned one by its Enter key.
    bool Click(HWND button);
    bool ClickButton(const std::string& caption, bool visibleOnly = true);
    // Rows of the online list, and the image (mark) of a row, read from the program.
    int ListRows();
    int RowImage(int row);
    std::string RowAddress(int row);
    // A picture of the main window, saved as PNG (imagemagick's import on this display).
    bool Screenshot(const std::string& pngPath);
    // The folder's files.
    std::string ReadFile(const std::string& name) { return httptest::ReadFile(FFolder + name); }
    void WriteFile(const std::string& name, const std::string& bytes) { httptest::WriteFile(FFolder + name, bytes); }

private:
    bool RemoteListItem(int row, int& image, std::string& text);
    std::string FFolder;
    int FPort;
    HWND FMain = nullptr;
    std::string FPidFile;
    bool FStarted = false;
};

// Visitors' side: requests on loopback from a loopback address of the visitor's
// own (127.0.0.1 by default, others make other visitors), and stream packets.
struct Packet {
    std::string Payload;
    int Key = 0;
};
class Visitor {
public:
    Visitor(int port, const std::string& request, const std::string& from = "127.0.0.1");
    ~Visitor();
    bool Connected() const { return FSocket != INVALID_SOCKET; }
    // The stream reply's header (up to the blank line); empty when none came.
    std::string Header(DWORD ms = 10000);
    bool Next(Packet& p, DWORD ms = 10000);
    // Reads packets until one satisfies cond (bounded by ms); all read are kept in Seen.
    bool ReadUntil(const std::function<bool(const Packet&)>& cond, DWORD ms, Packet* found = nullptr);
    // Reads until the peer closes or ms pass; what came.
    std::string ReadAll(DWORD ms);
    bool WaitClosed(DWORD ms);
    bool PeerClosed() const { return FClosed; }
    std::vector<Packet> Seen;

private:
    // Reads until n bytes are pending, the peer closes or ms pass.
    void Fill(size_t n, DWORD ms);
    std::string Take(size_t n);
    SOCKET FSocket = INVALID_SOCKET;
    bool FClosed = false;
    std::string FPending;
};

// One request whose whole reply is returned (connection closed by the server).
std::string Request(int port, const std::string& request, const std::string& from = "127.0.0.1", DWORD ms = 10000);
// "GET /message?message=" + encoded text + " HTTP 1.0", as the viewer sends it.
std::string MessageRequest(const std::string& text);

// A child window of any window by class (and text); the text of a message box.
HWND ChildOf(HWND parent, const std::string& className, const std::string& text = std::string(),
             bool visibleOnly = false);
std::string MessageBoxText(HWND box);


} // namespace programtest
