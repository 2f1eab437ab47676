// The real program end to end: started in a fresh folder of its own under this
// display, on a free loopback port, and driven as visitors (HTTP on loopback) and
// as the operator (window messages to its main window) would.
// Winsock first: its headers must precede the C library's.
#include "ProgramKit.h"
#include "PaymentService.h"
#include "test_gtest.h"
#include "Mpeg4Codec.h"
#include "PlayerBlocks.h"
#include "LogPrefixes.h"
#include <ogg/ogg.h>
#include <algorithm>
#include <cctype>

using namespace programtest;
using httptest::LE32;

namespace {

// The first-run keys as the program writes them, for a program in folder f.
std::vector<std::pair<std::string, std::string>> FirstRunKeys(const std::string& f)
{
    return {
        {"AUTOVIDEO_STATE", "0"}, {"AUTOONLINE_STATE", "0"}, {"AUTOOFFLINE_STATE", "0"},
        {"AUTOVIDEO", ""}, {"AUTOONLINE", ""}, {"AUTOOFFLINE", ""},
        {"SOUND", "1"},
        {"CONNECT", f + "Sounds\\connect.wav"}, {"DISCONNECT", f + "Sounds\\disconnect.wav"},
        {"ALARM", f + "Sounds\\alarm.wav"},
        {"AVAL", "0"}, {"OT", ""}, {"DO", ""}, {"ALLAVAL", "0"},
        {"0", "0"}, {"1", "0"}, {"2", "0"}, {"3", "0"}, {"4", "0"}, {"5", "0"}, {"6", "0"},
        {"PASS", ""},
        {"SKIN", f + "SKINS\\Korvel2.skn"},
    };
}

// The first-run keys with some set or added.
std::vector<std::pair<std::string, std::string>> With(std::vector<std::pair<std::string, std::string>> keys,
                                                      const std::vector<std::pair<std::string, std::string>>& more)
{
    for (auto& m : more) {
        auto it = std::find_if(keys.begin(), keys.end(), [&](auto& k) { return k.first == m.first; });
        if (it != keys.end()) it->second = m.second;
        else keys.push_back(m);
    }
    return keys;
}

// Settings of a program whose visitors watch for free (no payment service needed).
void WriteFreeViewing(Program& p, const std::vector<std::pair<std::string, std::string>>& extra = {})
{
    auto keys = With(FirstRunKeys(p.Folder()), {{"SOUND", "0"}, {"PRICE", "0"}});
    p.WriteFile("setup.ini", SetupIni(With(keys, extra)));
}

std::string Artefact(const std::string& name) { return GetCurrentDir() + "\\artefacts\\" + name; }

bool HasText(const Packet& p, const std::string& text) { return p.Payload == text; }

// The contacts of a contacts.tbl: each as its 8 strings.
std::vector<std::vector<std::string>> ReadContacts(const std::string& bytes)
{
    std::vector<std::vector<std::string>> out;
    if (bytes.size() < 4) return out;
    uint32_t n = LE32(bytes);
    size_t at = 4;
    for (uint32_t i = 0; i < n; ++i) {
        std::vector<std::string> c;
        for (int k = 0; k < 8; ++k) {
            if (at + 4 > bytes.size()) return out;
            uint32_t len = LE32(bytes, at);
            at += 4;
            if (at + len > bytes.size()) return out;
            c.push_back(bytes.substr(at, len));
            at += len;
        }
        out.push_back(c);
    }
    return out;
}

// A chat stream that has been answered and listed in the online list.
void OpenChat(Program& p, Visitor& chat, int rows = 1)
{
    ASSERT_TRUE(chat.Connected());
    ASSERT_NE(chat.Header().find("Content-Length: 1000000000"), std::string::npos);
    Packet first;
    ASSERT_TRUE(chat.Next(first));
    EXPECT_EQ(first.Payload, std::string("Enter password\n", 16));
    EXPECT_EQ(first.Key, 1);
    ASSERT_TRUE(WaitUntil([&] { return p.ListRows() == rows; }, 10000));
}

class ProgramTest : public ::testing::Test {};

// ---------------------------------------------------------------- start-up

TEST_F(ProgramTest, FirstRunWritesSetupIniAndServesTheLoginPage)
{
    Program p("first_run");
    ASSERT_TRUE(p.ReadFile("setup.ini").empty());
    // The applet archive comes from the program itself, not from a copy beside it.
    std::string jar = p.ReadFile("client.jar");
    ASSERT_EQ(jar.substr(0, 2), "PK");
    DeleteFileA((p.Folder() + "client.jar").c_str());
    ASSERT_TRUE(p.Start());
    EXPECT_EQ(p.ReadFile("setup.ini"), SetupIni(FirstRunKeys(p.Folder())));

    // A visitor's browser (curl) fetches the login page.
    std::string body = p.Folder() + "curl_login.html";
    int rc = httptest::RunUnix("curl -s --noproxy '*' --max-time 10 -o '" + httptest::UnixPath(body) +
                                   "' 'http://127.0.0.1:" + IntToStr(p.Port()) + "/'",
                               20000);
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(httptest::ReadFile(body), p.ReadFile("HTML\\login.html"));
    EXPECT_FALSE(p.ReadFile("HTML\\login.html").empty());
    std::string reply = Request(p.Port(), "GET /client.jar HTTP/1.0\r\n\r\n");
    ASSERT_GE(reply.size(), jar.size());
    EXPECT_EQ(reply.substr(reply.size() - jar.size()), jar);
    EXPECT_NE(reply.find("Content-type: application/octet-stream"), std::string::npos);

    // Video, voice and availability are on; nobody is online.
    EXPECT_EQ(p.ListRows(), 0);
    EXPECT_NE(p.Button("Available"), nullptr);
    EXPECT_TRUE(p.Screenshot(Artefact("main_window_first_run.png")));
    EXPECT_TRUE(p.Stop());
    // The shut-down saved the (empty) contacts; nothing was logged.
    EXPECT_EQ(ReadContacts(p.ReadFile("contacts.tbl")).size(), 1u);   // the curl visitor, a guest
    EXPECT_EQ(p.ReadFile("errors.log"), "");
}

// A wrong administrator password leaves chat and alarms working and disables the
// video, voice, availability, Preferences and Customization commands.
TEST_F(ProgramTest, WrongAdminPasswordDisablesTheOperatorsSwitches)
{
    Program p("admin");
    WriteFreeViewing(p, {{"ADMINPASS", "k"}});
    ASSERT_TRUE(p.Launch());
    EXPECT_FALSE(p.WaitShown(3000));   // the question comes before the window is shown
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = p.TopWindow("TForm", "Access")) != nullptr && IsWindowVisible(box); },
                        30000));
    HWND prompt = ChildOf(box, "TEdit");
    ASSERT_NE(prompt, nullptr);
    p.SetText(prompt, "x");
    HWND ok = FindWindowExA(box, nullptr, "TButton", "OK");
    ASSERT_NE(ok, nullptr);
    p.Click(ok);
    ASSERT_TRUE(p.WaitShown(30000));

    for (const char* off : {"Video on/off", "Voice on/off", "Available", "Preferences", "Customization"}) {
        HWND b = p.Button(off);
        ASSERT_NE(b, nullptr) << off;
        EXPECT_FALSE(IsWindowEnabled(b)) << off;
    }
    for (const char* on : {"Send", "Alarm on/off"}) {
        HWND b = p.Button(on);
        ASSERT_NE(b, nullptr) << on;
        EXPECT_TRUE(IsWindowEnabled(b)) << on;
    }
    // The start-up went on: the server answers, video and voice are on.
    EXPECT_NE(Request(p.Port(), "GET / HTTP/1.0\r\n\r\n").find("200 OK"), std::string::npos);
    Visitor chat(p.Port(), "GET /chat HTTP 1.0");
    OpenChat(p, chat);
    EXPECT_TRUE(p.Stop());
}

// Port in use: the operator is told, and the program runs on without a server.
TEST_F(ProgramTest, BusyPortIsReportedAndTheProgramRunsOn)
{
    Program p("busy_port");
    WriteFreeViewing(p);
    SOCKET holder = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at = {};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    at.sin_port = htons(static_cast<u_short>(p.Port()));
    ASSERT_EQ(bind(holder, reinterpret_cast<sockaddr*>(&at), sizeof(at)), 0);
    ASSERT_EQ(listen(holder, 1), 0);
    ASSERT_TRUE(p.Launch());
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = p.TopWindow("#32770", "Orvanta_TM")) != nullptr; }, 30000));
    // The port named is the one the program was asked to listen on.
    EXPECT_EQ(MessageBoxText(box), "Can't bind socket.Port " + IntToStr(p.Port()) + " is busy.");
    SendMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(p.WaitShown(30000));
    EXPECT_EQ(p.ListRows(), 0);
    closesocket(holder);
    EXPECT_TRUE(p.Stop());
}

// Settings that are no numbers never stop the start-up half way.
TEST_F(ProgramTest, UnreadableSettingsLeaveTheStartUpWhole)
{
    Program p("unreadable");
    WriteFreeViewing(p, {{"RES", "abc"}, {"AUTOVIDEO_STATE", "?"}, {"AVAL", "1"}, {"ALLAVAL", "x"}});
    ASSERT_TRUE(p.Start());
    Visitor video(p.Port(), "GET /video HTTP 1.0");
    ASSERT_NE(video.Header().find("200 OK"), std::string::npos);
    Packet key;
    ASSERT_TRUE(video.ReadUntil([](const Packet& pk) { return pk.Key == 1 && pk.Payload.size() > 4; }, 20000, &key));
    int32_t w = 0, h = 0;
    ASSERT_TRUE(CMpeg4Codec::ReadFrameSize(reinterpret_cast<const uint8_t*>(key.Payload.data()) + 4,
                                           static_cast<int32_t>(key.Payload.size() - 4), w, h));
    EXPECT_EQ(w, 160);
    EXPECT_EQ(h, 120);
    // The schedule timer (every 3 s) finds the schedule invalid; two more of its
    // ticks pass (a span of time, nothing to wait for): it is logged once and changes nothing.
    ASSERT_TRUE(WaitUntil([&] { return p.ReadFile("errors.log").find("Timer4Timer: ") != std::string::npos; }, 10000));
    auto lines = [&] {
        std::string log = p.ReadFile("errors.log");
        return std::count(log.begin(), log.end(), '\n');
    };
    EXPECT_FALSE(WaitUntil([&] { return lines() > 2; }, 6500));
    EXPECT_NE(p.Button("Available"), nullptr);
    EXPECT_TRUE(p.Stop());
    // The size that is no number is logged, once, with its text.
    std::string log = p.ReadFile("errors.log");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log;
    EXPECT_NE(log.find("Timer4Timer: "), std::string::npos);
    EXPECT_NE(log.find(std::string(LogPrefix::FormShowRes) + "\"abc\""), std::string::npos) << log;
}

// ---------------------------------------------------------------- media to a paying visitor

struct Stamped {
    uint32_t Stamp;
    DWORD Received;
};

// Ogg pages of the sound payloads, and the stamps of the packets they carry.
class OggReader {
public:
    OggReader() { ogg_sync_init(&FSync); }
    ~OggReader()
    {
        if (FStreamInit) ogg_stream_clear(&FStream);
        ogg_sync_clear(&FSync);
    }
    void Feed(const std::string& payload, DWORD received)
    {
        char* buf = ogg_sync_buffer(&FSync, static_cast<long>(payload.size()));
        memcpy(buf, payload.data(), payload.size());
        ogg_sync_wrote(&FSync, static_cast<long>(payload.size()));
        ogg_page page;
        while (ogg_sync_pageout(&FSync, &page) == 1) {
            ++Pages;
            if (!FStreamInit) {
                ogg_stream_init(&FStream, ogg_page_serialno(&page));
                FStreamInit = true;
            }
            if (ogg_page_serialno(&page) != FStream.serialno) ++OtherSerial;
            ogg_stream_pagein(&FStream, &page);
            ogg_packet packet;
            int r;
            while ((r = ogg_stream_packetout(&FStream, &packet)) != 0) {
                if (r < 0 || packet.bytes < 4) continue;
                Stamps.push_back({LE32(std::string(reinterpret_cast<char*>(packet.packet), 4)), received});
                // The identification header behind its stamp.
                if (packet.bytes >= 11 && packet.packet[4] == 1 && memcmp(packet.packet + 5, "vorbis", 6) == 0)
                    ++IdHeaders;
            }
        }
    }
    int Pages = 0;
    int OtherSerial = 0;
    int IdHeaders = 0;
    std::vector<Stamped> Stamps;

private:
    ogg_sync_state FSync;
    ogg_stream_state FStream;
    bool FStreamInit = false;
};

// Stamp minus arrival time, the median over the samples: one clock gives both
// streams about the same offset.
long long MedianOffset(const std::vector<Stamped>& v)
{
    std::vector<long long> d;
    for (auto& s : v) d.push_back(static_cast<long long>(static_cast<int32_t>(s.Stamp)) - static_cast<long long>(s.Received));
    std::sort(d.begin(), d.end());
    return d.empty() ? 0 : d[d.size() / 2];
}

TEST_F(ProgramTest, PaidVisitorReceivesDecodableVideoAndOggSoundOnOneClock)
{
    httptest::PaymentService pay;
    pay.AddUser("ann", "secret", 100);
    Program p("paid_visitor");
    p.WriteFile("setup.ini", SetupIni(With(FirstRunKeys(p.Folder()), {{"SOUND", "0"},
                                                                        {"PRICE", "1"},
                                                                        {"PAYPAL", "owner"},
                                                                        {"PAYHOST", pay.Host()}})));
    ASSERT_TRUE(p.Start());

    // The login at the payment service answers with the viewer page.
    std::string reply = Request(p.Port(), "GET /check_login?username_var=ann&submit=1&password_var=secret&end_str_var=1 "
                                          "HTTP/1.0\r\n\r\n");
    std::string page = p.ReadFile("HTML\\viewax.html");
    ASSERT_FALSE(page.empty());
    ASSERT_GE(reply.size(), page.size());
    EXPECT_EQ(reply.substr(reply.size() - page.size()), page);

    Visitor video(p.Port(), "GET /video HTTP 1.0");
    Visitor audio(p.Port(), "GET /audio HTTP 1.0");
    ASSERT_NE(video.Header().find("200 OK"), std::string::npos);
    ASSERT_NE(audio.Header().find("200 OK"), std::string::npos);

    // Video: decode the first key frame through the installed codec.
    std::vector<Stamped> videoStamps;
    Packet key;
    ASSERT_TRUE(video.ReadUntil(
        [&](const Packet& pk) {
            if (pk.Payload.size() > 4) videoStamps.push_back({LE32(pk.Payload), GetTickCount()});
            return pk.Key == 1 && pk.Payload.size() > 4;
        },
        20000, &key));
    const uint8_t* frame = reinterpret_cast<const uint8_t*>(key.Payload.data()) + 4;
    int32_t frameLen = static_cast<int32_t>(key.Payload.size() - 4);
    ASSERT_TRUE(CMpeg4Codec::IsKeyFrame(frame, frameLen));
    int32_t w = 0, h = 0;
    ASSERT_TRUE(CMpeg4Codec::ReadFrameSize(frame, frameLen, w, h));
    EXPECT_EQ(w, 160);   // RES absent: 160 by 120
    EXPECT_EQ(h, 120);
    CMpeg4Codec codec;
    ASSERT_TRUE(codec.Open(w, h));
    auto* picture = static_cast<uint8_t*>(codec.Decode(frame, frameLen));
    ASSERT_NE(picture, nullptr);
    // The test-pattern camera's picture, scaled whole: eight bars from white to
    // black across the top two thirds, dark grey below them. The grey is probed
    // between the moving square's path and the frame-number strip, left of the counter.
    auto pixel = [&](int x, int yTop) {
        const uint8_t* px = picture + CMpeg4Codec::RowBytes(w) * (h - 1 - yTop) + x * 3;
        return RGB(px[2], px[1], px[0]);
    };
    struct Probe {
        int x, y;
        COLORREF colour;
    } probes[] = {
        {10, 40, RGB(255, 255, 255)}, {30, 40, RGB(255, 255, 0)}, {50, 40, RGB(0, 255, 255)},
        {70, 40, RGB(0, 255, 0)},     {90, 40, RGB(255, 0, 255)}, {110, 40, RGB(255, 0, 0)},
        {130, 40, RGB(0, 0, 255)},    {150, 40, RGB(0, 0, 0)},    {10, 102, RGB(64, 64, 64)},
    };
    for (auto& pr : probes) {
        COLORREF c = pixel(pr.x, pr.y);
        EXPECT_NEAR(GetRValue(c), GetRValue(pr.colour), 48) << pr.x << "," << pr.y;
        EXPECT_NEAR(GetGValue(c), GetGValue(pr.colour), 48) << pr.x << "," << pr.y;
        EXPECT_NEAR(GetBValue(c), GetBValue(pr.colour), 48) << pr.x << "," << pr.y;
    }
    HeapFreeBlock(picture);

    // Sound: Ogg pages of one stream whose packets carry stamps; a key packet
    // every 2 seconds; the header set comes round again.
    OggReader ogg;
    int keys2s = 0;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 6000) {
        Packet a;
        if (audio.Next(a, 2000)) {
            if (a.Key == 1) ++keys2s;
            ogg.Feed(a.Payload, GetTickCount());
        }
        Packet v;
        while (video.Next(v, 1))
            if (v.Payload.size() > 4) videoStamps.push_back({LE32(v.Payload), GetTickCount()});
    }
    EXPECT_GT(ogg.Pages, 5);
    EXPECT_EQ(ogg.OtherSerial, 0);
    EXPECT_GE(ogg.IdHeaders, 1);
    EXPECT_GE(keys2s, 2);
    ASSERT_GT(ogg.Stamps.size(), 5u);
    ASSERT_GT(videoStamps.size(), 5u);
    // Both stamp streams run on the program's one clock.
    long long dv = MedianOffset(videoStamps), da = MedianOffset(ogg.Stamps);
    EXPECT_LT(std::llabs(dv - da), 1500) << "video " << dv << " audio " << da;

    // The login reached the payment service with the visitor's account.
    bool login = false;
    for (auto& r : pay.Requests())
        if (r.Path == "/payment/checklogin.php" && r.Values["username_var"] == "ann" &&
            r.Values["ownername_var"] == "owner")
            login = true;
    EXPECT_TRUE(login);
    EXPECT_TRUE(p.Stop());
}

// ---------------------------------------------------------------- skins

// SKIN names the skin the program starts in; a damaged file leaves the stored
// default on, costs one log line, and the broadcast starts all the same.
TEST_F(ProgramTest, ShippedSkinsInSkinStartTheProgramAndADamagedOneIsLoggedOnce)
{
    struct Case {
        const char* name;
        const char* file;
        int logLines;
    } cases[] = {{"Korvel2", "SKINS\\Korvel2.skn", 0}, {"Sarnic", "SKINS\\Sarnic.skn", 0}, {"damaged", "damaged.skn", 1}};
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        Program p(std::string("skin_") + c.name);
        p.WriteFile("damaged.skn", std::string(200, 'x'));
        const std::string skin = p.Folder() + c.file;
        WriteFreeViewing(p, {{"SKIN", skin}});
        ASSERT_TRUE(p.Start());
        EXPECT_NE(Request(p.Port(), "GET / HTTP/1.0\r\n\r\n").find("200 OK"), std::string::npos);
        EXPECT_NE(p.Button("Send"), nullptr);
        EXPECT_TRUE(p.Screenshot(Artefact(std::string("program_skin_") + c.name + ".png")));
        EXPECT_TRUE(p.Stop());
        std::string log = p.ReadFile("errors.log");
        int lines = 0;
        for (size_t at = log.find(skin); at != std::string::npos; at = log.find(skin, at + 1)) ++lines;
        EXPECT_EQ(lines, c.logLines) << log;
    }
}

// ---------------------------------------------------------------- chat

TEST_F(ProgramTest, ChatReachesTheOperatorAndTheOperatorsReplyTheVisitor)
{
    Program p("chat");
    WriteFreeViewing(p);
    ASSERT_TRUE(p.Start());
    Visitor chat(p.Port(), "GET /chat HTTP 1.0");
    OpenChat(p, chat);
    EXPECT_EQ(p.RowAddress(0), "127.0.0.1");

    // The visitor's line: shown in the operator's memo and echoed to the visitor.
    EXPECT_EQ(Request(p.Port(), MessageRequest("Hello Operator")), "HTTP/1.0 200 OK\r\n");
    EXPECT_TRUE(chat.ReadUntil([](const Packet& pk) { return HasText(pk, "guest: hello operator\n"); }, 10000));
    HWND memo = p.ChatMemo();
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return p.Text(memo).find("guest: hello operator") != std::string::npos; }, 5000));

    // The operator's reply: control characters dropped, sent with Send.
    HWND edit = p.ChatEdit();
    ASSERT_NE(edit, nullptr);
    p.SetText(edit, "Hi\tvisitor");
    ASSERT_TRUE(p.ClickButton("Send"));
    EXPECT_TRUE(chat.ReadUntil([](const Packet& pk) { return HasText(pk, "Server: Hivisitor\n") && pk.Key == 1; },
                               10000));
    EXPECT_NE(p.Text(memo).find("Server: Hivisitor"), std::string::npos);
    EXPECT_EQ(p.Text(edit), "");

    // Enter in the chat line sends it as Send does.
    p.SetText(edit, "by enter");
    SendMessageA(edit, WM_CHAR, '\r', 0);
    EXPECT_TRUE(chat.ReadUntil([](const Packet& pk) { return HasText(pk, "Server: by enter\n"); }, 10000));
    EXPECT_TRUE(WaitUntil([&] { return p.Text(memo).find("Server: by enter") != std::string::npos; }, 5000));
    EXPECT_EQ(p.Text(edit), "");

    // A line longer than a packet can carry is cut to fit one. (Words, not one long
    // word: the memo's word wrap of a 64 KB word takes Wine's edit control half a minute.)
    std::string words;
    while (words.size() < 70000) words += "xxxxxxx ";
    p.SetText(edit, words);
    ASSERT_TRUE(p.ClickButton("Send"));
    Packet longLine;
    EXPECT_TRUE(chat.ReadUntil([](const Packet& pk) { return pk.Payload.compare(0, 9, "Server: x") == 0; }, 10000,
                               &longLine));
    EXPECT_EQ(longLine.Payload.size(), 65535u);
    EXPECT_EQ(longLine.Payload.back(), '\n');

    EXPECT_TRUE(p.Screenshot(Artefact("main_window.png")));
    EXPECT_TRUE(p.Stop());
    // The history kept in contacts.tbl has both sides.
    auto contacts = ReadContacts(p.ReadFile("contacts.tbl"));
    ASSERT_EQ(contacts.size(), 1u);
    EXPECT_NE(contacts[0][6].find("guest: hello operator"), std::string::npos);
    EXPECT_NE(contacts[0][6].find("Server: Hivisitor\n"), std::string::npos);
}

// ---------------------------------------------------------------- the operator's keys

// The program whose input is driven: after each piece of input the test waits
// until its GUI thread has taken everything and waits for more, so that a
// posted message never overtakes input sent before it.
HANDLE DrivenProgram = nullptr;

void Settle()
{
    if (DrivenProgram) WaitForInputIdle(DrivenProgram, 3000);
}

// Real input through the system's queue, as the operator's keyboard and mouse give it.
void RealKey(WORD vk, bool up)
{
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof(INPUT));
    Sleep(20);
    Settle();
}

void Press(WORD vk)
{
    RealKey(vk, false);
    RealKey(vk, true);
}

void TypeWord(const std::string& letters)
{
    for (char c : letters) Press(static_cast<WORD>(toupper(static_cast<unsigned char>(c))));
}

void ClickAt(POINT p)
{
    SetCursorPos(p.x, p.y);
    Sleep(30);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    Sleep(30);
    Settle();
}

POINT CentreOf(HWND wnd)
{
    RECT r;
    GetWindowRect(wnd, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A level of a skinned menu on the screen.
bool MenuShown()
{
    HWND w = nullptr;
    while ((w = FindWindowExA(nullptr, w, "TspSkinPopupWindow", nullptr)) != nullptr)
        if (IsWindowVisible(w)) return true;
    return false;
}

// The menu bar's keyboard mode (Alt, F10, or a drop-down closed by Escape)
// ends when the operator clicks elsewhere or a dialog takes the activation:
// what is typed next reaches the chat line, and the dialog's keys the dialog.
TEST_F(ProgramTest, MenuKeyboardModeEndsOnAClickElsewhereAndForADialog)
{
    Program p("menukeys");
    WriteFreeViewing(p, {{"SOUND", "1"}});   // the dialog's sound fields take typing
    ASSERT_TRUE(p.Start());
    HWND main = p.MainWindow();
    HWND edit = p.ChatEdit();
    ASSERT_NE(edit, nullptr);
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    DrivenProgram = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    struct Forget {
        ~Forget()
        {
            if (DrivenProgram) CloseHandle(DrivenProgram);
            DrivenProgram = nullptr;
        }
    } forget;
    // Other tests' windows on the shared display must not come over the
    // places clicked here nor take the keys: the window stays on top.
    SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(main);
    ClickAt(CentreOf(edit));
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }, 5000));
    // One round: the mode entered by Enter (which also checks what it shows),
    // then a click into the emptied chat line and a word typed, which must
    // arrive. Other tests' windows on the shared display may take the
    // activation meanwhile: a round so disturbed is played again (at most
    // three times); with the mode never ended, no round can pass.
    auto round = [&](const std::function<bool()>& Enter, const std::string& word) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            p.SetText(edit, "");
            WaitUntil([&] {
                SetForegroundWindow(main);
                return GetForegroundWindow() == main;
            }, 3000);
            if (!Enter()) continue;
            ClickAt(CentreOf(edit));
            TypeWord(word);
            if (WaitUntil([&] { return p.Text(edit) == word; }, 3000)) return true;
        }
        return false;
    };

    // Alt (Enter then opens the highlighted item's drop-down, and Escape closes
    // it again), F10, and a click on File with Escape: each time a click into
    // the chat line ends the mode.
    EXPECT_TRUE(round([&] {
        Press(VK_MENU);
        Press(VK_RETURN);
        if (!WaitUntil(MenuShown, 3000)) return false;
        Press(VK_ESCAPE);
        return WaitUntil([] { return !MenuShown(); }, 3000);
    }, "ab")) << "after Alt: " << p.Text(edit);
    EXPECT_TRUE(round([&] {
        Press(VK_F10);
        return true;
    }, "cd")) << "after F10: " << p.Text(edit);
    HWND bar = ChildWindowFromPointEx(main, POINT{20, 6}, CWP_SKIPINVISIBLE);
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(bar, edit);
    EXPECT_TRUE(round([&] {
        RECT br;
        GetWindowRect(bar, &br);
        ClickAt(POINT{br.left + 20, (br.top + br.bottom) / 2});
        if (!WaitUntil(MenuShown, 3000)) return false;
        Press(VK_ESCAPE);
        return WaitUntil([] { return !MenuShown(); }, 3000);
    }, "ef")) << "after File and Escape: " << p.Text(edit);

    // A modal dialog opened while the mode is on gets its keys: what is typed
    // into its edit arrives. Back on the main window, typing reaches the chat line.
    Press(VK_MENU);
    HWND custom = p.Button("Customization");
    ASSERT_NE(custom, nullptr);
    PostMessageA(custom, WM_KEYDOWN, VK_RETURN, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (dialog = p.TopWindow("TForm", "Customization")) && IsWindowVisible(dialog); },
                          10000));
    WaitUntil([&] { return GetForegroundWindow() == dialog; }, 5000);
    // The first edit of the dialog that takes typing (shown, enabled).
    struct Find {
        HWND Found = nullptr;
        static BOOL CALLBACK Proc(HWND w, LPARAM d)
        {
            char cls[32] = {};
            GetClassNameA(w, cls, sizeof(cls));
            auto* f = reinterpret_cast<Find*>(d);
            if (std::string(cls) != "TEdit" || !IsWindowVisible(w) || !IsWindowEnabled(w)) return TRUE;
            if (GetWindowLongA(w, GWL_STYLE) & ES_READONLY) return TRUE;
            f->Found = w;
            return FALSE;
        }
    } find;
    EnumChildWindows(dialog, Find::Proc, reinterpret_cast<LPARAM>(&find));
    HWND field = find.Found;
    ASSERT_NE(field, nullptr);
    ClickAt(CentreOf(field));
    Press(VK_END);
    const std::string before = p.Text(field);
    TypeWord("12");
    EXPECT_TRUE(WaitUntil([&] { return p.Text(field) == before + "12"; }, 5000)) << before << " / " << p.Text(field);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 10000));
    EXPECT_TRUE(round([] { return true; }, "gh")) << "after the dialog: " << p.Text(edit);

    EXPECT_TRUE(p.Stop());
}

// The reply goes to the visitor whose chat the memo shows, also after another
// visitor's row has come in before that visitor's.
TEST_F(ProgramTest, OperatorsReplyReachesTheSelectedVisitorWhenItsRowMoves)
{
    Program p("moved_row");
    WriteFreeViewing(p);
    ASSERT_TRUE(p.Start());
    {
        // Visitor C comes and goes first: its contact is listed before A's.
        Visitor c(p.Port(), "GET /chat HTTP 1.0", "127.0.0.3");
        OpenChat(p, c);
    }
    ASSERT_TRUE(WaitUntil([&] { return p.ListRows() == 0; }, 10000));
    Visitor a(p.Port(), "GET /chat HTTP 1.0", "127.0.0.2");
    OpenChat(p, a);
    EXPECT_EQ(p.RowAddress(0), "127.0.0.2");
    EXPECT_EQ(Request(p.Port(), MessageRequest("i am a"), "127.0.0.2"), "HTTP/1.0 200 OK\r\n");
    HWND memo = p.ChatMemo();
    ASSERT_TRUE(WaitUntil([&] { return p.Text(memo).find("guest: i am a") != std::string::npos; }, 5000));

    Visitor c(p.Port(), "GET /chat HTTP 1.0", "127.0.0.3");
    OpenChat(p, c, 2);
    EXPECT_EQ(p.RowAddress(0), "127.0.0.3");
    EXPECT_EQ(p.RowAddress(1), "127.0.0.2");
    EXPECT_NE(p.Text(memo).find("guest: i am a"), std::string::npos);

    p.SetText(p.ChatEdit(), "to a");
    ASSERT_TRUE(p.ClickButton("Send"));
    EXPECT_TRUE(a.ReadUntil([](const Packet& pk) { return HasText(pk, "Server: to a\n"); }, 10000));
    EXPECT_FALSE(c.ReadUntil([](const Packet& pk) { return pk.Payload.compare(0, 7, "Server:") == 0; }, 2000));
    EXPECT_TRUE(p.Stop());
}

// ---------------------------------------------------------------- alarms

TEST_F(ProgramTest, AlarmStartMarksTheVisitorAndTheOperatorsStopReachesTheChat)
{
    Program p("alarm");
    WriteFreeViewing(p);
    ASSERT_TRUE(p.Start());
    Visitor chat(p.Port(), "GET /chat HTTP 1.0");
    OpenChat(p, chat);
    EXPECT_EQ(p.RowImage(0), 0);

    EXPECT_EQ(Request(p.Port(), MessageRequest("~al_start")), "HTTP/1.0 200 OK\r\n");
    EXPECT_TRUE(WaitUntil([&] { return p.RowImage(0) == 1; }, 5000));
    EXPECT_TRUE(p.Screenshot(Artefact("main_window_alarm.png")));

    ASSERT_TRUE(p.ClickButton("Alarm on/off"));
    EXPECT_TRUE(chat.ReadUntil([](const Packet& pk) { return HasText(pk, "~al_stop\n"); }, 10000));
    EXPECT_TRUE(WaitUntil([&] { return p.RowImage(0) == 0; }, 5000));
    EXPECT_TRUE(p.Stop());
}

// ---------------------------------------------------------------- availability

TEST_F(ProgramTest, UnavailableSendsOfflineAndThePrerecordedStream)
{
    Program p("unavailable");
    std::string rec;
    for (int i = 1; i <= 3; ++i) rec += RecordBytes(1, i == 1 ? 1 : 0, "RECVID-" + IntToStr(i));
    rec += RecordBytes(3, 0, "RECAUD-1");
    p.WriteFile("prerecorded.str", rec);
    WriteFreeViewing(p, {{"AUTOVIDEO_STATE", "1"}, {"AUTOVIDEO", p.Folder() + "prerecorded.str"}});
    ASSERT_TRUE(p.Start());
    Visitor chat(p.Port(), "GET /chat HTTP 1.0");
    OpenChat(p, chat);
    Visitor video(p.Port(), "GET /video HTTP 1.0");
    ASSERT_NE(video.Header().find("200 OK"), std::string::npos);
    EXPECT_TRUE(chat.ReadUntil([](const Packet& pk) { return HasText(pk, "~online"); }, 10000));

    ASSERT_TRUE(p.ClickButton("Available"));
    EXPECT_NE(p.Button("Unavailable"), nullptr);
    EXPECT_TRUE(chat.ReadUntil([](const Packet& pk) { return HasText(pk, "~offline"); }, 10000));
    // The recording's video records, in a loop; never its sound record.
    Packet recorded;
    EXPECT_TRUE(video.ReadUntil([](const Packet& pk) { return pk.Payload == "RECVID-2"; }, 10000, &recorded));
    EXPECT_EQ(recorded.Key, 0);
    EXPECT_TRUE(video.ReadUntil([](const Packet& pk) { return pk.Payload == "RECVID-1" && pk.Key == 1; }, 5000));
    for (auto& pk : video.Seen) EXPECT_NE(pk.Payload, "RECAUD-1");

    // Available again: the recording stops and the live stream comes back.
    ASSERT_TRUE(p.ClickButton("Unavailable"));
    EXPECT_TRUE(chat.ReadUntil([](const Packet& pk) { return HasText(pk, "~online"); }, 10000));
    EXPECT_TRUE(video.ReadUntil([](const Packet& pk) { return pk.Payload.size() > 100; }, 10000));
    EXPECT_TRUE(p.Stop());
}

// ---------------------------------------------------------------- black list

TEST_F(ProgramTest, StoredBlackListedVisitorGetsNothingFromTheFirstConnection)
{
    Program p("black_stored");
    WriteFreeViewing(p);
    p.WriteFile("contacts.tbl",
                ContactsFile({{"mallory", "acme", "m@x", "1", "", "127.0.0.1", "\nmallory: hi", "1"}}));
    ASSERT_TRUE(p.Start());
    // Loaded before the socket opened: even the first requests get no byte.
    EXPECT_EQ(Request(p.Port(), "GET / HTTP/1.0\r\n\r\n"), "");
    Visitor video(p.Port(), "GET /video HTTP 1.0");
    EXPECT_EQ(video.ReadAll(10000), "");
    EXPECT_TRUE(video.PeerClosed());
    EXPECT_EQ(p.ListRows(), 0);
    EXPECT_TRUE(p.Stop());
    auto contacts = ReadContacts(p.ReadFile("contacts.tbl"));
    ASSERT_EQ(contacts.size(), 1u);
    EXPECT_EQ(contacts[0][0], "mallory");
    EXPECT_EQ(contacts[0][7], "1");
}

TEST_F(ProgramTest, OperatorBlackListsTheSelectedVisitor)
{
    Program p("black_action");
    WriteFreeViewing(p);
    ASSERT_TRUE(p.Start());
    Visitor chat(p.Port(), "GET /chat HTTP 1.0");
    OpenChat(p, chat);
    Visitor video(p.Port(), "GET /video HTTP 1.0");
    ASSERT_NE(video.Header().find("200 OK"), std::string::npos);

    // The black-list button is designed hidden; its command still works.
    ASSERT_TRUE(p.ClickButton("BlackList", false));
    EXPECT_TRUE(chat.WaitClosed(10000));
    EXPECT_TRUE(video.WaitClosed(10000));
    EXPECT_TRUE(WaitUntil([&] { return p.ListRows() == 0; }, 10000));
    EXPECT_EQ(Request(p.Port(), "GET / HTTP/1.0\r\n\r\n"), "");
    // The flag is in contacts.tbl at once.
    auto saved = ReadContacts(p.ReadFile("contacts.tbl"));
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0][5], "127.0.0.1");
    EXPECT_EQ(saved[0][7], "1");
    EXPECT_TRUE(p.Stop());
}

} // namespace
