// The viewer host program from the outside: it loads a page from a loopback HTTP
// server, creates the test control the page names, sets the script's properties
// before it pumps any message, activates the control in place, hears its events
// and property notifications, and closes it cleanly after --seconds.
#include "WinsockPrelude.h"
#include "Registration.h"
#include "test_gtest.h"
#include "Thread.h"
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const TestClassId = "6A1C3F20-8D4B-4E57-9B0E-2F7D51C4A9E3";

// The viewer page as the broadcasting program writes it, naming the test control.
std::string TestPage()
{
    return std::string("<html>\n<head>\n<title>Solvane client</title>\n</head>\n<OBJECT\nID = Quenda\n"
                       "classid=\"clsid:") +
           TestClassId +
           "\"\ncodebase=\"http://127.0.0.1:80/Quenda.cab#version=1,0,0,0\"\nwidth=330 height=500\n"
           "align=center  hspace=0  vspace=0>\n<param name=\"address\">\n<param name=\"port\">\n"
           "<param name=\"skin\">\n</OBJECT>\n<SCRIPT LANGUAGE=\"VBScript\">\n<!--\nQuenda.port = \"80\"\n"
           "Quenda.address = \"127.0.0.1\"\nQuenda.skin = \"prop3.skn\"\n-->\n</SCRIPT>\n</HTML>\n";
}

// Serves one request on a loopback port: the page (its header and body in two
// sends, as a server may write them), or nothing at all.
class TPageServer : public TThread {
public:
    explicit TPageServer(bool answer) : FAnswer(answer)
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        FListener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in a = {};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = 0;
        bind(FListener, reinterpret_cast<sockaddr*>(&a), sizeof(a));
        listen(FListener, 1);
        int len = sizeof(a);
        getsockname(FListener, reinterpret_cast<sockaddr*>(&a), &len);
        Port = ntohs(a.sin_port);
    }
    ~TPageServer() override
    {
        closesocket(FListener);
        WSACleanup();
    }

    int Port = 0;
    std::string Request;

protected:
    void Execute() override
    {
        if (!WaitReadable(FListener, 30000)) return;
        SOCKET s = accept(FListener, nullptr, nullptr);
        if (s == INVALID_SOCKET) return;
        if (WaitReadable(s, 5000)) {
            char buf[1025] = {0};
            int n = recv(s, buf, 1024, 0);
            if (n > 0) Request.assign(buf, static_cast<size_t>(n));
        }
        if (FAnswer) {
            std::string body = TestPage();
            std::string header = "HTTP/1.0 200 OK\r\nConnection: Keep-Alive\r\nContent-type: text/html\r\n"
                                 "Content-Length: " +
                                 std::to_string(body.size()) + "\r\n\r\n";
            send(s, header.data(), static_cast<int>(header.size()), 0);
            Sleep(100);
            send(s, body.data(), static_cast<int>(body.size()), 0);
            Sleep(100);
        }
        closesocket(s);
    }

private:
    static bool WaitReadable(SOCKET s, DWORD ms)
    {
        fd_set rd;
        FD_ZERO(&rd);
        FD_SET(s, &rd);
        timeval tv = {static_cast<LONG>(ms / 1000), static_cast<LONG>(ms % 1000) * 1000};
        return select(0, &rd, nullptr, nullptr, &tv) > 0;
    }

    bool FAnswer;
    SOCKET FListener;
};

std::vector<std::string> ReadLines(const std::string& file)
{
    HANDLE in = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                            nullptr);
    std::string text;
    if (in != INVALID_HANDLE_VALUE) {
        char buf[4096];
        DWORD n = 0;
        while (ReadFile(in, buf, sizeof(buf), &n, nullptr) && n > 0) text.append(buf, n);
        CloseHandle(in);
    }
    std::vector<std::string> result;
    std::istringstream lines(text);
    std::string l;
    while (std::getline(lines, l)) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        result.push_back(l);
    }
    return result;
}

std::string TempFileName()
{
    char dir[MAX_PATH], file[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, "vho", 0, file);
    return file;
}

struct THostResult {
    DWORD ExitCode = 0;
    std::vector<std::string> Lines;
};

// Runs the host program with its standard output in a file; false when it does
// not end within the time limit (it is then stopped).
bool RunHost(const std::string& arguments, THostResult& result)
{
    const std::string tempFile = TempFileName();
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE out = CreateFileA(tempFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = out;
    si.hStdError = out;
    PROCESS_INFORMATION pi = {};
    std::string command = "\"" + DosPath(HOST_PROGRAM) + "\" " + arguments;
    std::vector<char> line(command.begin(), command.end());
    line.push_back(0);
    BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(out);
    if (!started) return false;
    bool ended = WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0;
    if (!ended) {
        TerminateProcess(pi.hProcess, 99);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    GetExitCodeProcess(pi.hProcess, &result.ExitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    result.Lines = ReadLines(tempFile);
    DeleteFileA(tempFile.c_str());
    return ended;
}

// The first of the expected lines that does not follow its predecessors in the output.
std::string FirstMissing(const std::vector<std::string>& lines, const std::vector<std::string>& expected)
{
    size_t at = 0;
    for (const std::string& e : expected) {
        while (at < lines.size() && lines[at] != e) ++at;
        if (at == lines.size()) return e;
        ++at;
    }
    return std::string();
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string s;
    for (const std::string& l : lines) s += "  " + l + "\n";
    return s;
}

class ViewerHostRun : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // What regsvr32 does: the control registers itself under its own file name.
        EXPECT_EQ(S_OK, RegisterServerInProcess(HOST_TEST_CONTROL)) << "the test control " << HOST_TEST_CONTROL;
    }
};

std::vector<std::string> SessionLines(const std::string& size, const std::string& port, const std::string& address,
                                      const std::string& skin)
{
    const std::string clsid = std::string("{") + TestClassId + "}";
    return {
        "control: created",
        "created " + clsid,
        "misc-status 0x00020191",
        // The control makes its window as a child of the host's at once.
        "control: site set",
        "control: window created in the host's window",
        "site set hr=0x00000000",
        "sink events connected {E16AA1D3-F5D2-4222-87BA-231442C95A24} hr=0x00000000",
        "sink property-notify connected hr=0x00000000",
        // The script's order and values: text as text, as a script host passes it.
        "request-edit 21",
        "control: put Port vt=8 value=" + port,
        "changed 21",
        "set port \"" + port + "\" dispid=21 hr=0x00000000",
        "request-edit 20",
        "control: put address vt=8 value=" + address,
        "changed 20",
        "set address \"" + address + "\" dispid=20 hr=0x00000000",
        "request-edit 16",
        "control: put Skin vt=8 value=" + skin,
        "changed 16",
        "set skin \"" + skin + "\" dispid=16 hr=0x00000000",
        "in-place active",
        "control: activated in place at " + size,
        "event 1 OnActivate",
        "activated verb=-5 hr=0x00000000",
        "running",
        // No message reached the control before all three properties were set.
        "control: first message after 3 properties",
        "closing",
        "control: deactivated",
        "in-place inactive",
        "control: closed",
        "control: site cleared",
        "control: destroyed",
        "closed",
    };
}

TEST_F(ViewerHostRun, EmbedsThePagesControlAndSetsTheScriptsPropertiesBeforeAnyMessage)
{
    std::unique_ptr<TPageServer> server(new TPageServer(true));
    server->Resume();
    const std::string url = "http://127.0.0.1:" + std::to_string(server->Port) + "/viewax.html";
    const std::string logFile = TempFileName();
    THostResult r;
    ASSERT_TRUE(RunHost("--seconds 2 --log \"" + logFile + "\" " + url, r)) << Joined(r.Lines);
    server->WaitFor();
    EXPECT_EQ(server->Request.compare(0, 27, "GET /viewax.html HTTP/1.0\r\n"), 0) << server->Request;
    EXPECT_EQ(r.ExitCode, 0u) << Joined(r.Lines);
    std::vector<std::string> expected = {"page " + url + " " + std::to_string(TestPage().size()) + " bytes",
                                         std::string("object Quenda clsid ") + TestClassId +
                                             " size 330x500 properties 3"};
    for (const std::string& l : SessionLines("330x500", "80", "127.0.0.1", "prop3.skn")) expected.push_back(l);
    EXPECT_EQ(FirstMissing(r.Lines, expected), "") << Joined(r.Lines);
    // The log file holds the host's own lines, the same as its output.
    std::vector<std::string> own;
    for (const std::string& l : r.Lines)
        if (l.compare(0, 9, "control: ") != 0) own.push_back(l);
    EXPECT_EQ(ReadLines(logFile), own);
    DeleteFileA(logFile.c_str());
}

TEST_F(ViewerHostRun, CommandLineValuesAndFailures)
{
    // The three values instead of a page: set as the program's page would set them.
    {
        THostResult r;
        ASSERT_TRUE(RunHost(std::string("--seconds 1 --clsid {") + TestClassId + "} 127.0.0.1 8080 prop2.skn", r))
            << Joined(r.Lines);
        EXPECT_EQ(r.ExitCode, 0u) << Joined(r.Lines);
        std::vector<std::string> expected = {"page from command line", std::string("object Quenda clsid ") +
                                                                           TestClassId +
                                                                           " size 170x510 properties 3"};
        for (const std::string& l : SessionLines("170x510", "8080", "127.0.0.1", "prop2.skn")) expected.push_back(l);
        EXPECT_EQ(FirstMissing(r.Lines, expected), "") << Joined(r.Lines);
    }
    // A server that closes without a word, and a class that is not registered.
    std::unique_ptr<TPageServer> silent(new TPageServer(false));
    silent->Resume();
    const std::string url = "http://127.0.0.1:" + std::to_string(silent->Port) + "/viewax.html";
    struct {
        std::string Arguments;
        DWORD ExitCode;
        std::string Line;
    } failures[] = {
        {url, 2, "error page " + url + ": the server closed without a reply"},
        {"--clsid {00000000-0000-0000-0000-0000000000A1} 127.0.0.1 80 prop1.skn", 3,
         "error create {00000000-0000-0000-0000-0000000000A1} hr=0x80040154 (is the control registered?)"},
        {"127.0.0.1 eighty prop1.skn", 1, ""},
    };
    for (const auto& f : failures) {
        SCOPED_TRACE(f.Arguments);
        THostResult r;
        ASSERT_TRUE(RunHost(f.Arguments, r)) << Joined(r.Lines);
        EXPECT_EQ(r.ExitCode, f.ExitCode) << Joined(r.Lines);
        if (!f.Line.empty()) {
            EXPECT_EQ(FirstMissing(r.Lines, {f.Line}), "") << Joined(r.Lines);
        }
    }
    silent->WaitFor();
}

// A control that shows a message box while it is being created stops the host
// until someone closes the box; unattended, the host closes it by itself.
TEST_F(ViewerHostRun, UnattendedHostClosesTheControlsMessageBox)
{
    SetEnvironmentVariableA("HOSTTESTCTL_BOX", "127.0.0.1:8080");
    THostResult r;
    bool ended =
        RunHost(std::string("--unattended --seconds 1 --clsid {") + TestClassId + "} 127.0.0.1 80 prop3.skn", r);
    SetEnvironmentVariableA("HOSTTESTCTL_BOX", nullptr);
    ASSERT_TRUE(ended) << Joined(r.Lines);
    EXPECT_EQ(r.ExitCode, 0u) << Joined(r.Lines);
    EXPECT_EQ(FirstMissing(r.Lines, {"page from command line", "message-box \"Test control\" \"127.0.0.1:8080\" closed",
                                     std::string("created {") + TestClassId + "}", "running", "closed"}),
              "")
        << Joined(r.Lines);
}

} // namespace
