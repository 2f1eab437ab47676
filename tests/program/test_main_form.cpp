// The main window in this process, without its first show: translation, the
// chat memo parser, the frame pipeline at every frame size, the schedule timer,
// and recordings stopped while the sound thread writes into them.
// Winsock first: its headers must precede the C library's.
#include "HttpTestKit.h"
#include "MainForm.h"
#include "test_gtest.h"
#include "DialogHost.h"
#include <commctrl.h>
#include "ServerSendThread.h"
#include "ScopeGuard.h"
#include "Contact.h"
#include "Log.h"
#include "LogPrefixes.h"
#include "Mpeg4Codec.h"
#include "PlayerBlocks.h"
#include "PreferencesForm.h"
#include "Settings.h"
#include "Video.h"
#include <memory>

namespace {

std::string ReadAll(const std::string& path)
{
    TMemoryStream m;
    try {
        m.LoadFromFile(path);
    } catch (...) {
        return std::string();
    }
    return std::string(static_cast<const char*>(m.Memory()), static_cast<size_t>(m.GetSize()));
}

void WriteAll(const std::string& path, const std::string& bytes)
{
    TFileStream f(path, fmCreate);
    if (!bytes.empty()) f.Write(bytes.data(), static_cast<int>(bytes.size()));
}

uint32_t LE32(const std::string& s, size_t at)
{
    auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(s[at + i])); };
    return b(0) | (b(1) << 8) | (b(2) << 16) | (b(3) << 24);
}

struct Record {
    int Kind, Flag;
    std::string Payload;
};

// The records of a recording; Whole is false when the file ends inside a record.
std::vector<Record> Records(const std::string& bytes, bool& whole)
{
    std::vector<Record> out;
    size_t at = 0;
    whole = true;
    while (at < bytes.size()) {
        if (at + 4 > bytes.size()) {
            whole = false;
            break;
        }
        uint32_t h = LE32(bytes, at);
        size_t len = h & 0xFFFF;
        if (at + 4 + len > bytes.size()) {
            whole = false;
            break;
        }
        out.push_back({static_cast<int>(h >> 24), static_cast<int>((h >> 16) & 0xFF), bytes.substr(at + 4, len)});
        at += 4 + len;
    }
    return out;
}

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        Folder = GetCurrentDir() + "\\form_" + info->name() + "\\";
        ForceDirectories(Folder + "Languages");
        for (const char* f : {"setup.ini", "errors.log", "contacts.tbl", "Languages\\test.lng", "Languages\\new.lng"})
            DeleteFile(Folder + f);
        Settings::SetProgramFolder(Folder);
        Log.reset(new CLog(Folder + "errors.log"));
        MyLog = Log.get();
    }
    void TearDown() override
    {
        ServerWinSocket = nullptr;
        Form.reset();
        MyLog = nullptr;
        Log.reset();
    }
    TForm1* MakeForm()
    {
        Form.reset(new TForm1(Application));
        return Form.get();
    }
    // The main window whose streams srv serves: free viewing, no broadcast
    // password, the sound header timer left to the test.
    TForm1* MakeServedForm(httptest::Server& srv)
    {
        Settings::Write("PRICE", "0");
        Settings::Write("PASS", "");
        ServerWinSocket = srv.Socket.Socket();
        TForm1* f = MakeForm();
        f->Timer1->SetEnabled(false);
        return f;
    }
    std::string Folder;
    std::unique_ptr<CLog> Log;
    std::unique_ptr<TForm1> Form;
};

// ---------------------------------------------------------------- the online list

// Rebuilds of the online list, seen as the item counts set on its window.
HWND CountedList = nullptr;
int ListRebuilds = 0;
LRESULT CALLBACK CountRebuilds(int code, WPARAM wp, LPARAM lp)
{
    auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && m->hwnd == CountedList && m->message == LVM_SETITEMCOUNT) ++ListRebuilds;
    return CallNextHookEx(nullptr, code, wp, lp);
}

// Visitors coming and going ask for a rebuild each time: the list is rebuilt only
// when what it shows changes, and asks that follow a rebuild closely are gathered
// into one rebuild a little later, which shows the latest state.
TEST_F(MainFormTest, OnlineListIsRebuiltOnlyForAChangeAndAsksInABurstMakeOneRebuild)
{
    httptest::Server srv;
    TForm1* f = MakeServedForm(srv);
    CMultiThreadList* own = f->FContacts;
    f->FContacts = &srv.Contacts;   // the visitors of srv's connections
    CContact* extra = nullptr;
    TScopeExit restore([&] {
        TLockGuard<CMultiThreadList> hold(srv.Contacts);
        if (extra) {
            srv.Contacts.Extract(extra);
            delete extra;
        }
        f->FContacts = own;
    });
    f->ListView2->HandleNeeded();
    CountedList = f->ListView2->GetWindowHandle();
    ListRebuilds = 0;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, &CountRebuilds, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    TScopeExit unhook([&] { UnhookWindowsHookEx(hook); });

    httptest::Client video(srv.Port());
    video.Send("GET /video HTTP 1.0");
    ASSERT_NE(video.ReadHeader().find("200 OK"), std::string::npos);
    TMyServerSendThread* stream = srv.WaitStream(rkVideo);
    ASSERT_NE(stream, nullptr);
    auto idle = [&] { return PumpUntil([&] { return !f->TimerOnLine->GetEnabled(); }, 5000); };

    f->RequestUpdateOnLine();
    ASSERT_TRUE(idle());
    EXPECT_EQ(ListRebuilds, 1);
    EXPECT_EQ(f->ListView2->GetItems()->GetCount(), 1);

    // Nothing changed: no rebuild, neither at once nor later.
    PumpFor(TForm1::OnLineUpdateInterval + 50);
    f->RequestUpdateOnLine();
    f->RequestUpdateOnLine();
    ASSERT_TRUE(idle());
    EXPECT_EQ(ListRebuilds, 1);

    // A second visitor (listed with the same live connection) right after a look at
    // the list (the interval widened, so that "right after" holds however slowly
    // this runs): the asks wait for the timer and then make one rebuild with both rows.
    PumpFor(TForm1::OnLineUpdateInterval + 50);
    TRestore<DWORD> wide(TForm1::OnLineUpdateInterval, 60000);
    f->RequestUpdateOnLine();   // nothing to show, but it counts as the latest look
    ListRebuilds = 0;
    {
        TLockGuard<CMultiThreadList> hold(srv.Contacts);
        extra = new CContact(GuestRegistration, "10.0.0.1");
        TLockGuard<CMultiThreadList> threads(*extra->Threads);
        extra->Threads->Add(stream);
        srv.Contacts.Add(extra);
    }
    for (int i = 0; i < 5; ++i) f->RequestUpdateOnLine();
    EXPECT_EQ(ListRebuilds, 0);
    EXPECT_TRUE(f->TimerOnLine->GetEnabled());
    ASSERT_TRUE(idle());
    EXPECT_EQ(ListRebuilds, 1);
    EXPECT_EQ(f->ListView2->GetItems()->GetCount(), 2);
    {
        TLockGuard<CMultiThreadList> hold(srv.Contacts);
        TLockGuard<CMultiThreadList> threads(*extra->Threads);
        extra->Threads->Clear();
    }
}

// ---------------------------------------------------------------- translation

TEST_F(MainFormTest, CaptionsComeFromTheFormsSectionOfTheLanguageFile)
{
    WriteAll(Folder + "Languages\\test.lng", "[Language]\r\nLang=Test\r\n[Form1]\r\nActionAvailable=Da\r\n"
                                             "ActionUnavailable=Nyet\r\nListView2=Gosti\r\nExit1=Quit\r\n");
    Settings::Write("LanguageFileName", "test.lng");
    TForm1* f = MakeForm();
    EXPECT_EQ(f->ActionAvailable->GetCaption(), "Da");
    EXPECT_EQ(f->FAvailableCaption, "Da");
    EXPECT_EQ(f->FUnavailableCaption, "Nyet");
    EXPECT_EQ(f->ListView2->GetColumns()->GetItem(1)->GetCaption(), "Gosti");
    EXPECT_EQ(f->Exit1->GetCaption(), "Quit");
    EXPECT_EQ(f->ActionSetup->GetCaption(), "Preferences");   // absent: the designed caption
    EXPECT_EQ(dynamic_cast<TControl*>(f->FindComponent("EzRgnBtn4"))->GetCaption(), "Da");   // the button follows its action
}

TEST_F(MainFormTest, WritingModeWritesTheSixteenDesignedCaptions)
{
    Settings::Write("LanguageFileName", "new.lng");
    Settings::Write("LanguageFileNameR", "1");
    TForm1* f = MakeForm();
    char buf[4096] = {};
    DWORD n = GetPrivateProfileSectionA("Form1", buf, sizeof(buf), (Folder + "Languages\\new.lng").c_str());
    std::vector<std::string> lines;
    for (const char* p = buf; p < buf + n && *p; p += strlen(p) + 1) lines.push_back(p);
    const std::vector<std::string> expected = {
        "ActionSetup=Preferences", "ActionStartVideo=Video on/off", "ActionStartAudio=Voice on/off",
        "ActionSendText=Send",     "ActionStopAlarm=Alarm on/off", "ActionAvailable=Available",
        "ActionToBlackList=BlackList", "ActionCustomization=Customization", "ListView2=Online list",
        "File1=File", "Exit1=Exit", "Actions1=Actions", "options1=Options", "Help1=Help", "Help2=Help",
        "About1=About",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(f->FUnavailableCaption, "Unavailable");
}

TEST_F(MainFormTest, HelpOpensTheLanguagesHelpFile)
{
    WriteAll(Folder + "Languages\\test.lng", "[Language]\r\nHelpFile=guide_test.html\r\n");
    TForm1* f = MakeForm();
    EXPECT_EQ(f->HelpFilePath(), Folder + "HELP\\Orvanta_Guide_en.chm");   // english.lng is not here
    Settings::Write("LanguageFileName", "test.lng");
    EXPECT_EQ(f->HelpFilePath(), Folder + "HELP\\guide_test.html");
}

// ---------------------------------------------------------------- chat memo

TEST_F(MainFormTest, ParseForMemoSplitsLinesAndDropsEmptyOnesAndControlCharacters)
{
    TForm1* f = MakeForm();
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"\nguest: hi", {"guest: hi"}},
        {"\nguest: hi\nServer: ho\n", {"guest: hi", "Server: ho"}},
        {"a\r\nb\r\n\r\nc", {"a", "b", "c"}},
        {"x\ty\n\x01z", {"xy", "z"}},
    };
    for (auto& c : cases) {
        f->ParseForMemo(c.text, f->Memo2);
        std::vector<std::string> got;
        for (int i = 0; i < f->Memo2->GetLines()->GetCount(); ++i) got.push_back(f->Memo2->GetLines()->Get(i));
        while (!got.empty() && got.back().empty()) got.pop_back();
        EXPECT_EQ(got, c.lines) << c.text;
    }
}

// ---------------------------------------------------------------- frames

// Eight vertical bars (white, yellow, cyan, green, magenta, red, blue, black) over
// the top two thirds, dark grey below.
TBitmap* BarsPicture(int w, int h)
{
    static const COLORREF bars[8] = {RGB(255, 255, 255), RGB(255, 255, 0), RGB(0, 255, 255), RGB(0, 255, 0),
                                     RGB(255, 0, 255),   RGB(255, 0, 0),   RGB(0, 0, 255),   RGB(0, 0, 0)};
    auto* b = new TBitmap(w, h, pf24bit);
    TCanvas* c = b->GetCanvas();
    for (int i = 0; i < 8; ++i) {
        c->GetBrush()->SetColor(bars[i]);
        c->FillRect(TRect(i * w / 8, 0, (i + 1) * w / 8, h * 2 / 3));
    }
    c->GetBrush()->SetColor(RGB(64, 64, 64));
    c->FillRect(TRect(0, h * 2 / 3, w, h));
    return b;
}

TEST_F(MainFormTest, EveryResIndexGivesFramesOfItsSizeFromTheSameGrab)
{
    TForm1* f = MakeForm();
    struct Case {
        int res, width, height;
    } cases[] = {{0, 160, 120}, {1, 320, 240}, {2, 640, 480}, {-1, 160, 120}, {7, 640, 480}};
    std::unique_ptr<TBitmap> grab(BarsPicture(kGrabWidth, kGrabHeight));
    f->FStopGrab = 0;
    for (auto& c : cases) {
        std::string path = Folder + "frames_" + IntToStr(c.res + 10) + ".str";
        f->FResIndex = TForm1::ClampResIndex(c.res);
        f->SetVideoSize(f->FResIndex);
        ASSERT_TRUE(f->OpenCompressor()) << "the codec is not installed in the prefix";
        f->StartRecording(new CVideo(path, true));
        f->ProcessFrame(grab.get());
        f->ProcessFrame(grab.get());
        f->StopRecording();
        f->StopVideo();
        bool whole = false;
        auto recs = Records(ReadAll(path), whole);
        EXPECT_TRUE(whole);
        ASSERT_EQ(recs.size(), 2u) << c.res;
        EXPECT_EQ(recs[0].Kind, 1);
        EXPECT_EQ(recs[0].Flag, 1);   // the first frame is a key frame
        const uint8_t* frame = reinterpret_cast<const uint8_t*>(recs[0].Payload.data()) + 4;
        int32_t len = static_cast<int32_t>(recs[0].Payload.size() - 4);
        int32_t w = 0, h = 0;
        ASSERT_TRUE(CMpeg4Codec::ReadFrameSize(frame, len, w, h)) << c.res;
        EXPECT_EQ(w, c.width) << c.res;
        EXPECT_EQ(h, c.height) << c.res;
        // The whole grab, scaled: the first and the last bar at their places.
        CMpeg4Codec codec;
        ASSERT_TRUE(codec.Open(w, h));
        auto* pic = static_cast<uint8_t*>(codec.Decode(frame, len));
        ASSERT_NE(pic, nullptr);
        auto px = [&](int x, int yTop) { return pic + CMpeg4Codec::RowBytes(w) * (h - 1 - yTop) + x * 3; };
        EXPECT_GT(px(w / 16, h / 3)[1], 200) << c.res;              // white
        EXPECT_LT(px(w - w / 16, h / 3)[1], 50) << c.res;           // black
        EXPECT_NEAR(px(w / 2, h - 4)[1], 64, 40) << c.res;           // dark grey
        HeapFreeBlock(pic);
    }
}

TEST_F(MainFormTest, FramesWithoutACompressorOrAfterStopAreDropped)
{
    TForm1* f = MakeForm();
    std::unique_ptr<TBitmap> grab(BarsPicture(kGrabWidth, kGrabHeight));
    std::string path = Folder + "dropped.str";
    f->StartRecording(new CVideo(path, true));
    f->FStopGrab = 0;
    f->ProcessFrame(grab.get());   // no compressor
    f->SetVideoSize(0);
    ASSERT_TRUE(f->OpenCompressor());
    f->FStopGrab = 1;
    f->ProcessFrame(grab.get());   // grabbing stopped
    f->StopRecording();
    f->StopVideo();
    EXPECT_EQ(ReadAll(path), "");
}

// ---------------------------------------------------------------- the switches

// The packets of a stream up to a marker pushed behind them: what the producers
// sent before it, without waiting for something that should not come.
std::vector<int> KeysBefore(httptest::Client& c, int kind, const std::string& marker)
{
    EXPECT_EQ(FanOut(ServerWinSocket, kind, marker.data(), static_cast<int32_t>(marker.size()), 1, nullptr), 1);
    std::vector<int> keys;
    std::string payload;
    int key = 0;
    while (c.ReadPacket(payload, key, 5000) && payload != marker) keys.push_back(key);
    EXPECT_EQ(payload, marker);
    return keys;
}

TEST_F(MainFormTest, VideoAndVoiceSwitchesGateTheFanOut)
{
    httptest::Server srv;
    TForm1* f = MakeServedForm(srv);
    f->InitAudio();
    f->SetVideoSize(0);
    ASSERT_TRUE(f->OpenCompressor());
    f->FStopGrab = 0;
    std::unique_ptr<TBitmap> grab(BarsPicture(kGrabWidth, kGrabHeight));
    httptest::Client video(srv.Port()), audio(srv.Port());
    video.Send("GET /video HTTP 1.0");
    audio.Send("GET /audio HTTP 1.0");
    ASSERT_NE(video.ReadHeader().find("200 OK"), std::string::npos);
    ASSERT_NE(audio.ReadHeader().find("200 OK"), std::string::npos);
    ASSERT_NE(srv.WaitStream(rkVideo), nullptr);
    ASSERT_NE(srv.WaitStream(rkAudio), nullptr);
    // Frames go while video is on and the operator available; the 2-second header
    // packets (the only key packets of the sound) while voice is on.
    struct Case {
        uint8_t video, voice, available;
        size_t frames, headers;
    } cases[] = {
        {1, 1, 1, 2, 1}, {0, 1, 1, 0, 1}, {1, 0, 1, 2, 0}, {1, 1, 0, 0, 1}, {0, 0, 0, 0, 0},
    };
    int n = 0;
    for (auto& c : cases) {
        f->FVideoOn = c.video;
        f->FVoiceOn = c.voice;
        f->FAvailable = c.available;
        f->ProcessFrame(grab.get());
        f->ProcessFrame(grab.get());
        f->Timer1Timer(f);
        std::string mark = "mark" + IntToStr(n++);
        EXPECT_EQ(KeysBefore(video, rkVideo, mark).size(), c.frames) << mark;
        std::vector<int> sound = KeysBefore(audio, rkAudio, mark);
        EXPECT_EQ(static_cast<size_t>(std::count(sound.begin(), sound.end(), 1)), c.headers) << mark;
    }
    f->StopAudio();
    f->StopVideo();
    ServerWinSocket = nullptr;
}

// A new size chosen in Preferences restarts the main window's video at that size
// and tells every viewer's chat to resize.
TEST_F(MainFormTest, PreferencesSizeChangeReachesViewersAsResizeVideo)
{
    Settings::Write("RES", "0");
    httptest::Server srv;
    TForm1* f = MakeServedForm(srv);
    httptest::Client chat(srv.Port());
    chat.Send("GET /chat HTTP 1.0");
    ASSERT_NE(chat.ReadHeader().find("200 OK"), std::string::npos);
    ASSERT_NE(srv.WaitStream(rkChat), nullptr);
    CMainWindowHost host(f);
    std::unique_ptr<TForm2> prefs(new TForm2(nullptr, &host));
    prefs->Show();
    prefs->ComboBox2->SetItemIndex(1);
    prefs->Button5Click(prefs->Button5);
    EXPECT_EQ(f->FResIndex, 1);
    EXPECT_EQ(Settings::Read("RES", ""), "1");
    std::string payload;
    int key = 0;
    bool resized = false;
    while (!resized && chat.ReadPacket(payload, key, 5000)) resized = payload == "~resizevideo\n";
    EXPECT_TRUE(resized);
    // The same size again restarts nothing and sends nothing.
    prefs.reset(new TForm2(nullptr, &host));
    prefs->Show();
    prefs->ComboBox2->SetItemIndex(1);
    prefs->Button5Click(prefs->Button5);
    // (The stream's own online notices may come meanwhile.)
    EXPECT_EQ(FanOut(ServerWinSocket, rkChat, "after", 5, 1, nullptr), 1);
    int resizes = 0;
    while (chat.ReadPacket(payload, key, 5000) && payload != "after") resizes += payload == "~resizevideo\n";
    EXPECT_EQ(payload, "after");
    EXPECT_EQ(resizes, 0);
    prefs.reset();
    f->StopVideo();
    ServerWinSocket = nullptr;
}

// An AUTOVIDEO_STATE that is no number counts as 0 (no automatic video) and is
// logged once, until the setting has been a number again.
TEST_F(MainFormTest, AutoVideoStateThatIsNoNumberIsLoggedOnce)
{
    TForm1* f = MakeForm();
    struct Case {
        const char* state;
        int toggles;
        int logLines;   // after the toggles
    } cases[] = {{"?", 4, 1}, {"0", 2, 1}, {"x", 2, 2}, {"x", 2, 2}};
    for (auto& c : cases) {
        Settings::Write("AUTOVIDEO_STATE", c.state);
        for (int i = 0; i < c.toggles; ++i) {
            f->ActionAvailableExecute(f);
            EXPECT_FALSE(f->Timer3->GetEnabled()) << c.state;
        }
        std::string log = ReadAll(Folder + "errors.log");
        EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), c.logLines) << c.state << "\n" << log;
    }
    std::string log = ReadAll(Folder + "errors.log");
    EXPECT_NE(log.find(std::string(LogPrefix::ActionAvailableAutoVideoState) + "\"?\""), std::string::npos) << log;
    EXPECT_NE(log.find(std::string(LogPrefix::ActionAvailableAutoVideoState) + "\"x\""), std::string::npos) << log;
}

// ---------------------------------------------------------------- the schedule

TEST_F(MainFormTest, ScheduleIgnoresAnInvalidWindowLoggingItOnceAndFollowsAValidOne)
{
    TForm1* f = MakeForm();
    f->Timer4->SetEnabled(false);
    SYSTEMTIME now;
    GetLocalTime(&now);
    Settings::Write("AVAL", "1");
    Settings::Write("ALLAVAL", "0");
    Settings::Write(IntToStr(now.wDayOfWeek), "1");
    Settings::Write("OT", "9");
    Settings::Write("DO", "");
    for (int i = 0; i < 3; ++i) f->Timer4Timer(f);
    std::string log = ReadAll(Folder + "errors.log");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    EXPECT_NE(log.find("Timer4Timer: "), std::string::npos);
    EXPECT_EQ(f->FAvailable, 0);

    auto hhmm = [](int minutes) {
        minutes = (minutes + 1440) % 1440;
        return Format("%02d:%02d", minutes / 60, minutes % 60);
    };
    int m = now.wHour * 60 + now.wMinute;
    // A window holding now: available.
    Settings::Write("OT", hhmm(m - 2));
    Settings::Write("DO", hhmm(m + 2));
    f->Timer4Timer(f);
    EXPECT_EQ(f->FAvailable, 1);
    EXPECT_EQ(f->ActionAvailable->GetCaption(), "Available");
    f->Timer4Timer(f);
    EXPECT_EQ(f->FAvailable, 1);
    // A window of all the day but now (across midnight when now is not near it): unavailable.
    Settings::Write("OT", hhmm(m + 3));
    Settings::Write("DO", hhmm(m - 3));
    f->Timer4Timer(f);
    EXPECT_EQ(f->FAvailable, 0);
    EXPECT_EQ(f->ActionAvailable->GetCaption(), "Unavailable");
    // Today switched off: stays unavailable; a valid schedule after the invalid one logged nothing more.
    Settings::Write(IntToStr(now.wDayOfWeek), "0");
    f->Timer4Timer(f);
    EXPECT_EQ(f->FAvailable, 0);
    log = ReadAll(Folder + "errors.log");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
}

// ---------------------------------------------------------------- recordings

TEST_F(MainFormTest, RecordingsStopWhileTheSoundThreadWritesAndHoldWholeRecords)
{
    TForm1* f = MakeForm();
    f->Timer1->SetEnabled(false);
    f->InitAudio();
    int sound = 0, keys = 0;
    for (int round = 0; round < 12; ++round) {
        std::string path = Folder + "rec_" + IntToStr(round) + ".str";
        f->StartRecording(new CVideo(path, true));
        // The writer runs for a varying while (the file is not readable while it is
        // open), so that the stop meets it at different points.
        PumpFor(60 + 20 * (round % 4));
        f->Timer1Timer(f);   // a header key packet, recorded even when empty
        PumpFor(40);
        f->StopRecording();
        std::string bytes = ReadAll(path);
        bool whole = false;
        for (auto& r : Records(bytes, whole)) {
            EXPECT_EQ(r.Kind, 3);
            (r.Flag ? keys : sound) += 1;
        }
        EXPECT_TRUE(whole) << round;
        // Nothing is written after the stop (a while of the writer's pace).
        EXPECT_FALSE(PumpUntil([&] { return ReadAll(path).size() != bytes.size(); }, 150)) << round;
    }
    f->StopAudio();
    EXPECT_EQ(keys, 12);
    EXPECT_GT(sound, 0);
    EXPECT_EQ(ReadAll(Folder + "errors.log"), "");
}

} // namespace
