// The main window and the about window wearing the program's skin, in this
// process (no first show): the default skin stored in the program, SKIN at
// start-up, skins applied while the windows are open (refused ones leave the
// skin in use), and the trip to the tray and back while a viewer streams.
// Winsock first: its headers must precede the C library's.
#include "HttpTestKit.h"
#include "MainForm.h"
#include "test_gtest.h"
#include "SkinTestKit.h"
#include "AboutForm.h"
#include "CustomizationForm.h"
#include "DialogHost.h"
#include "DialogTestKit.h"
#include "FrameFixture.h"
#include "CustomZlibStream.h"
#include "Log.h"
#include "Mpeg4Codec.h"
#include "Settings.h"
#include "SkinBudget.h"
#include "StoredSkinStream.h"
#include "SkinButton.h"
#include "SkinMenuBar.h"
#include "Timer.h"
#include "TrayIcon.h"
#include <cstring>
#include <functional>
#include <memory>

namespace {

const std::string kSkins = SKINS_DIR;

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

int Lines(const std::string& text)
{
    int n = 0;
    for (char c : text) n += c == '\n';
    return n;
}

std::string SkinNameOf(const std::string& file)
{
    TspSkinData d(nullptr);
    return d.LoadFromCompressedFile(file) ? d.SkinName : std::string("?");
}

// A frame skin of flat colours (FrameFixture) written as a compressed skin file.
std::string WriteFixtureSkin(const std::string& path)
{
    TspSkinData d(nullptr);
    FrameFixture::FillSkin(&d);
    // Active or not, a window shows the same picture.
    d.AutoRenderingInActiveImage = false;
    d.PictureName = "picture.bmp";
    d.MaskName = "mask.bmp";
    d.SkinName = "Flat fixture";
    d.SaveToCompressedFile(path);
    return path;
}

// Answers every message box of this thread while it is up: keeps its text and
// presses OK (a thread timer runs inside the box's modal loop).
class TBoxAnswerer {
public:
    TBoxAnswerer() : FTimer(new TTimer(nullptr))
    {
        FTimer->SetInterval(30);
        FTimer->OnTimer = [this](TObject*) { Tick(); };
        FTimer->SetEnabled(true);
    }
    ~TBoxAnswerer() { FTimer->SetEnabled(false); }
    std::vector<std::string> Texts;

private:
    static BOOL CALLBACK Find(HWND wnd, LPARAM data)
    {
        char cls[32] = {};
        GetClassNameA(wnd, cls, sizeof(cls));
        if (IsWindowVisible(wnd) && strcmp(cls, "#32770") == 0) {
            *reinterpret_cast<HWND*>(data) = wnd;
            return FALSE;
        }
        return TRUE;
    }
    static BOOL CALLBACK Text(HWND wnd, LPARAM data)
    {
        char cls[32] = {}, text[512] = {};
        GetClassNameA(wnd, cls, sizeof(cls));
        GetWindowTextA(wnd, text, sizeof(text));
        if (lstrcmpiA(cls, "Static") == 0 && text[0]) *reinterpret_cast<std::string*>(data) = text;
        return TRUE;
    }
    void Tick()
    {
        HWND box = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), Find, reinterpret_cast<LPARAM>(&box));
        if (!box || box == FLast) return;
        FLast = box;
        std::string text;
        EnumChildWindows(box, Text, reinterpret_cast<LPARAM>(&text));
        Texts.push_back(text);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    std::unique_ptr<TTimer> FTimer;
    HWND FLast = nullptr;
};

void Settle() { PumpUntilIdle(); }

// What a window shows, frame included, read from its own surface.
using SkinKit::Probe;
using SkinKit::SaveArtefact;
using SkinKit::WindowShot;

class MainSkinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        Folder = GetCurrentDir() + "\\skin_" + info->name() + "\\";
        ForceDirectories(Folder + "Languages");
        for (const char* f : {"setup.ini", "errors.log", "contacts.tbl"}) DeleteFile(Folder + f);
        Settings::SetProgramFolder(Folder);
        Log.reset(new CLog(Folder + "errors.log"));
        MyLog = Log.get();
        SetCursorPos(2, 2);
    }
    void TearDown() override
    {
        DeleteAboutWindow();
        ServerWinSocket = nullptr;
        Form.reset();
        Form1 = nullptr;
        MyLog = nullptr;
        Log.reset();
    }
    // The main window as the program makes it (the application's main form),
    // shown without its first show's start-up.
    TForm1* MakeForm(bool show = true)
    {
        TForm1* f = nullptr;
        Application->CreateForm(f);
        Form.reset(f);
        Form1 = f;
        if (show) {
            f->FFirstShow = 0;
            f->Show();
            Settle();
        }
        return f;
    }
    std::string Folder;
    std::unique_ptr<CLog> Log;
    std::unique_ptr<TForm1> Form;
};

// ---------------------------------------------------------------- start-up

TEST_F(MainSkinTest, StartsWithTheStoredDefaultOrTheShippedSkinThatSkinNames)
{
    const std::string korvel = kSkins + "\\Korvel2.skn", sarnic = kSkins + "\\Sarnic.skn";
    struct Case {
        const char* name;
        std::string skin, expectedName;
    } cases[] = {
        {"default", "", SkinNameOf(korvel)},
        {"Korvel2", korvel, SkinNameOf(korvel)},
        {"Sarnic", sarnic, SkinNameOf(sarnic)},
    };
    ASSERT_NE(cases[0].expectedName, cases[2].expectedName);
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        Settings::Write("SKIN", c.skin);
        TForm1* f = MakeForm();
        EXPECT_FALSE(f->spSkinData1->Empty);
        EXPECT_EQ(f->spSkinData1->SkinName, c.expectedName);
        // SKIN is the file in use; the default has none.
        EXPECT_EQ(f->spCompressedStoredSkin1->GetFileName(), c.skin);
        EXPECT_EQ(f->spSkinData1->GetCompressedStoredSkin(), f->spCompressedStoredSkin1);
        EXPECT_EQ(f->spFormFrame1->GetSkinData(), f->spSkinData1);
        EXPECT_TRUE(f->spSkinMainMenuBar1->HasSkin());
        for (TspSkinButton* b : {f->EzRgnBtn1, f->EzRgnBtn5, f->spSkinButton1}) EXPECT_TRUE(b->Skinned()) << b->GetName();
        EXPECT_TRUE(f->Memo2->Skinned());
        EXPECT_TRUE(f->Edit1->Skinned());
        // The online list: skinned, its header taken over, its own bar beside it.
        EXPECT_TRUE(f->ListView2->Skinned());
        EXPECT_NE(f->ListView2->GetHeaderWindow(), nullptr);
        EXPECT_EQ(f->ListView2->GetHeaderSkinDataName(), "resizebutton");
        EXPECT_TRUE(f->spSkinScrollBar2->Skinned());
        EXPECT_EQ(f->ListView2->GetVScrollBar(), f->spSkinScrollBar2);
        EXPECT_EQ(f->GetClientWidth(), 738);
        EXPECT_EQ(f->GetClientHeight(), 313 + f->spSkinMainMenuBar1->GetHeight());
        SaveArtefact(WindowShot(f->GetHandle()).get(), std::string("main-") + c.name);

        NewAboutWindow();
        ASSERT_NE(FormSolvaneTMAbout, nullptr);
        EXPECT_EQ(FormSolvaneTMAbout->spFormFrame1->GetSkinData(), f->spSkinData1);
        EXPECT_TRUE(FormSolvaneTMAbout->Button1->Skinned());
        EXPECT_TRUE(FormSolvaneTMAbout->spSkinLabel1->Skinned());
        for (TspSkinStdLabel* l : {FormSolvaneTMAbout->Label3, FormSolvaneTMAbout->spSkinStdLabel2,
                                   FormSolvaneTMAbout->Label1, FormSolvaneTMAbout->Label2, FormSolvaneTMAbout->Label7}) {
            EXPECT_EQ(l->GetSkinDataComponent(), f->spSkinData1) << l->GetName();
            EXPECT_NE(l->GetSkinIndex(), -1) << l->GetName();
        }
        FormSolvaneTMAbout->Show();
        Settle();
        EXPECT_EQ(FormSolvaneTMAbout->GetClientWidth(), 445);
        EXPECT_EQ(FormSolvaneTMAbout->GetClientHeight(), 156);
        SaveArtefact(WindowShot(FormSolvaneTMAbout->GetHandle()).get(), std::string("about-") + c.name);
        DeleteAboutWindow();
        Form.reset();
        Form1 = nullptr;
        EXPECT_EQ(ReadAll(Folder + "errors.log"), "");
    }
}

TEST_F(MainSkinTest, MissingOrDamagedSkinKeepsTheDefaultAndWritesOneLogLine)
{
    const std::string good = ReadAll(kSkins + "\\Sarnic.skn");
    ASSERT_GT(good.size(), 64u);
    std::string newer = good;
    newer[0] = 9;   // a version above 3
    struct Case {
        const char* name;
        std::string bytes;   // empty: no file
    } cases[] = {
        {"missing", ""},
        {"garbage", std::string(300, 'x')},
        {"truncated", good.substr(0, good.size() / 2)},
        {"newer", newer},
    };
    const std::string expected = SkinNameOf(kSkins + "\\Korvel2.skn");
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = Folder + c.name + ".skn";
        DeleteFile(path);
        if (!c.bytes.empty()) WriteAll(path, c.bytes);
        DeleteFile(Folder + "errors.log");
        Settings::Write("SKIN", path);
        TBoxAnswerer boxes;
        TForm1* f = MakeForm(false);
        EXPECT_EQ(f->spSkinData1->SkinName, expected);
        EXPECT_EQ(f->spCompressedStoredSkin1->GetFileName(), "");
        // The rest of the construction ran: the captions are in place.
        EXPECT_EQ(f->ActionSetup->GetCaption(), "Preferences");
        std::string log = ReadAll(Folder + "errors.log");
        EXPECT_EQ(Lines(log), 1) << log;
        EXPECT_NE(log.find(path), std::string::npos) << log;
        EXPECT_TRUE(boxes.Texts.empty());
        Form.reset();
        Form1 = nullptr;
    }
}

// Skin... -> Apply -> a new start, all through the program's own skin loading:
// what Apply stores is the skin the program wears, so a damaged SKIN is not
// written back (the next start would log it again) and a refused choice keeps
// the good file in use.
TEST_F(MainSkinTest, CustomizationStoresTheSkinInUseForTheNextStart)
{
    const std::string sarnic = Folder + "Sarnic.skn", damaged = Folder + "damaged.skn";
    WriteAll(sarnic, ReadAll(kSkins + "\\Sarnic.skn"));
    WriteAll(damaged, std::string(300, 'x'));
    const std::string builtIn = SkinNameOf(kSkins + "\\Korvel2.skn"), sarnicName = SkinNameOf(sarnic);
    ASSERT_NE(builtIn, sarnicName);
    struct Case {
        const char* name;
        std::string atStart, chosen;   // SKIN at the first start; the file opened with Skin... (none: empty)
        std::string stored, wornName;  // SKIN after Apply; the skin worn at the next start
    } cases[] = {
        {"good chosen", "", sarnic, sarnic, sarnicName},
        {"damaged at start", damaged, "", "", builtIn},
        {"damaged at start and chosen", damaged, damaged, "", builtIn},
        {"damaged chosen over a good one", sarnic, damaged, sarnic, sarnicName},
        {"good chosen over a damaged one", damaged, sarnic, sarnic, sarnicName},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        Settings::Write("SKIN", c.atStart);
        TBoxAnswerer boxes;
        TForm1* f = MakeForm();
        {
            CMainWindowHost host(f);
            TForm3 d(nullptr, &host);
            d.Show();
            if (!c.chosen.empty()) {
                dlgtest::TSkinDialogHand hand(d, c.chosen);
                d.spSkinButton1->ButtonClick();
                EXPECT_EQ(hand.Title, "Open skin");
            }
            d.Button5Click(d.Button5);
        }
        EXPECT_EQ(Settings::Read("SKIN", "unset"), c.stored);
        Form.reset();
        Form1 = nullptr;
        // The next start.
        DeleteFile(Folder + "errors.log");
        f = MakeForm();
        EXPECT_EQ(f->spSkinData1->SkinName, c.wornName);
        EXPECT_EQ(f->spCompressedStoredSkin1->GetFileName(), c.stored);
        EXPECT_EQ(ReadAll(Folder + "errors.log"), "");
        Form.reset();
        Form1 = nullptr;
    }
}

// ---------------------------------------------------------------- skins applied while running

TEST_F(MainSkinTest, AnAppliedSkinReskinsEveryOpenWindowAndARefusedOneChangesNothing)
{
    using namespace FrameFixture;
    const std::string fixture = WriteFixtureSkin(Folder + "fixture.skn");
    TForm1* f = MakeForm();
    NewAboutWindow();
    FormSolvaneTMAbout->Show();
    Settle();
    const std::string korvel = f->spSkinData1->SkinName;

    // A good file: both open windows wear it at once.
    TBoxAnswerer boxes;
    ASSERT_TRUE(f->ApplySkinFile(fixture));
    Settle();
    EXPECT_EQ(f->spSkinData1->SkinName, "Flat fixture");
    EXPECT_EQ(f->spCompressedStoredSkin1->GetFileName(), fixture);
    // The fixture has a frame and no control elements: every control turns plain.
    EXPECT_FALSE(f->EzRgnBtn1->Skinned());
    EXPECT_FALSE(f->Edit1->Skinned());
    EXPECT_FALSE(f->Memo2->Skinned());
    EXPECT_FALSE(f->ListView2->Skinned());
    EXPECT_FALSE(f->spSkinScrollBar2->Skinned());
    for (HWND wnd : {f->GetHandle(), FormSolvaneTMAbout->GetHandle()}) {
        auto shot = WindowShot(wnd);
        EXPECT_EQ(Probe(shot.get(), 10, 10), cTopLeft);
        EXPECT_EQ(Probe(shot.get(), shot->GetWidth() / 2, 2), cTop);
        EXPECT_EQ(Probe(shot.get(), 1, shot->GetHeight() / 2), cLeft);
    }
    SaveArtefact(WindowShot(f->GetHandle()).get(), "main-fixture");
    SaveArtefact(WindowShot(FormSolvaneTMAbout->GetHandle()).get(), "about-fixture");

    // Refused files: one message each, and the fixture stays on.
    const std::string good = ReadAll(kSkins + "\\Sarnic.skn");
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"missing", ""},
        {"garbage", std::string(300, 'x')},
        {"truncated", good.substr(0, good.size() / 2)},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = Folder + "bad_" + c.name + ".skn";
        if (!c.bytes.empty()) WriteAll(path, c.bytes);
        size_t before = boxes.Texts.size();
        EXPECT_FALSE(f->ApplySkinFile(path));
        Settle();
        ASSERT_EQ(boxes.Texts.size(), before + 1);
        EXPECT_NE(boxes.Texts.back().find(path), std::string::npos) << boxes.Texts.back();
        EXPECT_EQ(f->spSkinData1->SkinName, "Flat fixture");
        EXPECT_EQ(f->spCompressedStoredSkin1->GetFileName(), fixture);
        EXPECT_EQ(Probe(WindowShot(f->GetHandle()).get(), 10, 10), cTopLeft);
    }

    // And a shipped skin replaces the fixture again.
    ASSERT_TRUE(f->ApplySkinFile(kSkins + "\\Korvel2.skn"));
    EXPECT_EQ(f->spSkinData1->SkinName, korvel);
    EXPECT_TRUE(f->EzRgnBtn1->Skinned());
    EXPECT_TRUE(f->Edit1->Skinned());
    EXPECT_TRUE(f->Memo2->Skinned());
    EXPECT_TRUE(f->ListView2->Skinned());
    EXPECT_TRUE(f->spSkinScrollBar2->Skinned());
    EXPECT_EQ(boxes.Texts.size(), 3u);
    EXPECT_EQ(ReadAll(Folder + "errors.log"), "");
}

// ---------------------------------------------------------------- hostile skins

namespace {

// A shipped skin with its stream changed by Change, packed again as a .skn.
std::string Reworked(const std::string& skn, const std::function<void(TspStoredSkinStream&)>& Change)
{
    TspCompressedStoredSkin stored(nullptr);
    TMemoryStream file;
    file.WriteBuffer(skn.data(), static_cast<long>(skn.size()));
    file.SetPosition(0);
    stored.LoadFromCompressStream(&file);
    TMemoryStream plain;
    stored.DeCompressToStream(plain);
    TspStoredSkinStream content;
    content.ReadFrom(&plain);
    Change(content);
    TMemoryStream out, packed;
    content.WriteTo(&out);
    CompressStream(&out, &packed);
    std::string bytes(8, '\0');
    int32_t version = 2, n = static_cast<int32_t>(packed.GetSize());
    std::memcpy(&bytes[0], &version, 4);
    std::memcpy(&bytes[4], &n, 4);
    bytes.append(static_cast<const char*>(packed.Memory()), static_cast<size_t>(n));
    return bytes;
}

}  // namespace

// Hostile skins named by SKIN at start-up and chosen with Skin... (the
// Customization dialog applies the file through ApplySkinFile): one over the
// skin's budget is refused like a damaged file, logged at start-up and shown in
// a message box later, and the skin in use stays; one whose form mask is a
// one-pixel checkerboard is worn, its region kept to the bound of a window
// region, and the program starts and re-skins at once.
TEST_F(MainSkinTest, HostileSkinsAreRefusedOrWornWithoutStallingTheProgram)
{
    const std::string good = ReadAll(kSkins + "\\Sarnic.skn");
    ASSERT_GT(good.size(), 64u);
    const std::string sarnic = SkinNameOf(kSkins + "\\Sarnic.skn");
    const std::string korvel = SkinNameOf(kSkins + "\\Korvel2.skn");
    struct Case {
        const char* name;
        std::function<void(TspStoredSkinStream&)> change;
        bool refused;
    } cases[] = {
        {"pictures", [](TspStoredSkinStream& c) {
             for (int i = 0; i <= Skindata::MaxSkinPictures; ++i) c.ActivePictures.push_back(std::make_unique<TBitmap>(1, 1, pf1bit));
         }, true},
        {"lines", [](TspStoredSkinStream& c) { c.Text += std::string(2 * (Skindata::MaxSkinDescriptionLines + 1), '\n'); }, true},
        {"checkerboard", [](TspStoredSkinStream& c) { c.MainPictures[mpMask] = SkinKit::Checkerboard(640, 400); }, false},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Folder + "hostile_" + c.name + ".skn";
        WriteAll(path, Reworked(good, c.change));
        // At start-up, through SKIN.
        DeleteFile(Folder + "errors.log");
        Settings::Write("SKIN", path);
        TBoxAnswerer boxes;
        const DWORD start = GetTickCount();
        TForm1* f = MakeForm(false);
        // A generous bound: a hang, not a speed, is what it catches.
        EXPECT_LT(GetTickCount() - start, 60000u);
        std::string log = ReadAll(Folder + "errors.log");
        if (c.refused) {
            EXPECT_EQ(f->spSkinData1->SkinName, korvel);
            EXPECT_EQ(Lines(log), 1) << log;
            EXPECT_NE(log.find(path), std::string::npos) << log;
        } else {
            EXPECT_EQ(f->spSkinData1->SkinName, sarnic);
            EXPECT_EQ(log, "");
            f->FFirstShow = 0;
            f->Show();
            Settle();
            EXPECT_TRUE(IsWindowVisible(f->GetHandle()));
        }
        EXPECT_TRUE(boxes.Texts.empty());
        // Later, through the dialog's path: the default first, then the file.
        Settings::Write("SKIN", "");
        ASSERT_TRUE(f->ApplySkinFile(kSkins + "\\Korvel2.skn"));
        EXPECT_EQ(f->ApplySkinFile(path), !c.refused);
        Settle();
        EXPECT_EQ(boxes.Texts.size(), c.refused ? 1u : 0u);
        EXPECT_EQ(f->spSkinData1->SkinName, c.refused ? korvel : sarnic);
        Form.reset();
        Form1 = nullptr;
    }
}

// ---------------------------------------------------------------- the tray

TEST_F(MainSkinTest, MinimisedToTheTrayTheViewerStreamGoesOnAndTheIconBringsTheWindowBack)
{
    std::vector<DWORD> calls;
    Sptrayicon::TNotifyIconCall saved = Sptrayicon::NotifyIconCall;
    Sptrayicon::NotifyIconCall = [&](DWORD message, NOTIFYICONDATAA*) {
        calls.push_back(message);
        return TRUE;
    };
    httptest::Server srv;
    Settings::Write("PRICE", "0");
    Settings::Write("PASS", "");
    ServerWinSocket = srv.Socket.Socket();
    TForm1* f = MakeForm();
    f->Timer1->SetEnabled(false);
    f->SetVideoSize(0);
    ASSERT_TRUE(f->OpenCompressor()) << "the codec is not installed in the prefix";
    f->FStopGrab = 0;
    f->FVideoOn = 1;
    f->FAvailable = 1;
    httptest::Client video(srv.Port());
    video.Send("GET /video HTTP 1.0");
    ASSERT_NE(video.ReadHeader().find("200 OK"), std::string::npos);
    ASSERT_NE(srv.WaitStream(rkVideo), nullptr);
    std::unique_ptr<TBitmap> grab(new TBitmap(kGrabWidth, kGrabHeight, pf24bit));
    auto framesArrive = [&](int n) {
        for (int i = 0; i < n; ++i) f->ProcessFrame(grab.get());
        int got = 0;
        std::string payload;
        int key = 0;
        while (got < n && video.ReadPacket(payload, key, 3000)) ++got;
        return got;
    };
    ASSERT_EQ(framesArrive(2), 2);

    // Minimised: the window goes, the icon comes, the operator stays online.
    SendMessageA(f->GetHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Settle();
    EXPECT_FALSE(IsWindowVisible(f->GetHandle()));
    EXPECT_TRUE(f->spTrayIcon1->GetIconVisible());
    EXPECT_NE(std::find(calls.begin(), calls.end(), static_cast<DWORD>(NIM_ADD)), calls.end());
    EXPECT_TRUE(f->LinkGetOnline());
    EXPECT_EQ(framesArrive(3), 3);

    // A double click on the icon brings the window back and takes the icon away.
    calls.clear();
    PostMessageA(f->spTrayIcon1->GetCallbackWindow(), Sptrayicon::WM_TRAYNOTIFY, 0, WM_LBUTTONDBLCLK);
    PumpUntil([&] { return IsWindowVisible(f->GetHandle()) != 0; }, 3000);
    Settle();
    EXPECT_TRUE(IsWindowVisible(f->GetHandle()));
    EXPECT_FALSE(IsIconic(f->GetHandle()));
    EXPECT_FALSE(f->spTrayIcon1->GetIconVisible());
    EXPECT_NE(std::find(calls.begin(), calls.end(), static_cast<DWORD>(NIM_DELETE)), calls.end());
    EXPECT_EQ(framesArrive(2), 2);

    f->StopVideo();
    ServerWinSocket = nullptr;
    Form.reset();
    Form1 = nullptr;
    Sptrayicon::NotifyIconCall = saved;
}

} // namespace
