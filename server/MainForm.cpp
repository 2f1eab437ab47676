// TForm1: construction, translation, first show, shut-down, help and the
// connection threads' calls.
#include "MainForm.h"
#include "AboutForm.h"
#include "Contact.h"
#include "Dialogs.h"
#include "Language.h"
#include "OggEncoder.h"
#include "Log.h"
#include "Settings.h"
#include "Video.h"
#include "VideoCapture.h"
#include "WaveIn.h"
#include "ResourceStream.h"
#include "SkinButton.h"
#include "SkinMenuBar.h"
#include "SkinPanel.h"
#include "SkinScrollBar.h"
#include <shellapi.h>
#include <memory>

TForm1* Form1 = nullptr;
TServerWinSocket* ServerWinSocket = nullptr;
const char* const kDefaultSkinResource = "KORVEL2SKN";
const char* const kDefaultSkinName = "Korvel2.skn";

namespace {

// The controls' area under the menu bar.
const int kClientWidth = 738;
const int kClientHeight = 313;
const int kMenuBarHeight = 22;
const int kScrollBarWidth = 16;

} // namespace

int ServerPortFromEnvironment()
{
    char buf[32] = {};
    DWORD n = GetEnvironmentVariableA("ORVANTA_PORT", buf, sizeof(buf));
    int port = 0;
    if (n > 0 && n < sizeof(buf) && TryStrToInt(Trim(buf), port) && port >= 1 && port <= 65535) return port;
    return kDefaultServerPort;
}

// ---------------------------------------------------------------- construction

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner)
{
    SetName("Form1");
    CreateComponents();
    OnShow = [this](TObject* s) { FormShow(s); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
    try {
        LoadStartupSkin();
        FContacts = new CMultiThreadList;
        FFirstShow = 1;
        Translate();
    } catch (const std::exception& e) {
        LogLine(LogPrefix::TForm1Create, e);
    } catch (...) {
        LogUnknown(LogPrefix::TForm1Create);
    }
    if (!FContacts) FContacts = new CMultiThreadList;
}

TForm1::~TForm1()
{
    // The shut-down needs this object whole: run it before the members go.
    BeforeDestruction();
    delete FContacts;
    FContacts = nullptr;
    if (Form1 == this) Form1 = nullptr;
}

TspSkinButton* TForm1::NewButton(const char* Name, int Left, int Top, int Width, TAction* Action)
{
    auto* b = new TspSkinButton(this);
    b->SetName(Name);
    b->SetSkinData(spSkinData1);
    b->SetParent(spSkinPanel1);
    b->SetBounds(Left, Top, Width, 25);
    if (Action) b->SetAction(Action);
    return b;
}

void TForm1::CreateComponents()
{
    SetCaption("Orvanta");
    SetBorderStyle(bsSingle);
    SetBorderIcons(biSystemMenu | biMinimize);
    SetPosition(poDesktopCenter);
    CreateSkinComponents();
    CreateActions();
    CreateMenu();
    // On the window the frame has taken over, so the skin's border is counted.
    GetHandle();
    SetClientSize(kClientWidth, kClientHeight + kMenuBarHeight);

    // The capture preview; it becomes a child of the window at first show.
    cap0 = new TVideoCapture(this);
    cap0->SetName("cap0");
    cap0->SetDVResolution(dvrFull);
    cap0->WantAudio = false;
    cap0->WantAudioPreview = false;
    cap0->WantCapture = false;
    cap0->SetFrameRate(25);
    cap0->TimeLimit = 30;
    cap0->SetColor(RGB(0, 0, 128));
    cap0->OnBitmapGrabbed = [this](TCapturedBitmap* b) { cap0BitmapGrabbed(b); };

    // The state lamps and the switches under the preview.
    CreateLamps();
    EzRgnBtn1 = NewButton("EzRgnBtn1", 8, 252, 78, ActionStartVideo);
    EzRgnBtn2 = NewButton("EzRgnBtn2", 88, 252, 78, ActionStartAudio);
    EzRgnBtn3 = NewButton("EzRgnBtn3", 168, 252, 78, ActionStopAlarm);
    EzRgnBtn4 = NewButton("EzRgnBtn4", 248, 252, 78, ActionAvailable);

    // The online list and the chat.
    ImageList1 = new TImageList(16, 16, this);
    ImageList1->SetName("ImageList1");
    {
        const TColor marks[2] = {RGB(150, 150, 150), RGB(220, 0, 0)};   // plain, calling
        for (TColor c : marks) {
            TBitmap bmp(16, 16, pf24bit);
            TCanvas* cv = bmp.GetCanvas();
            cv->GetBrush()->SetColor(RGB(255, 0, 255));
            cv->FillRect(TRect(0, 0, 16, 16));
            cv->GetBrush()->SetColor(c);
            cv->GetPen()->SetColor(RGB(64, 64, 64));
            cv->Ellipse(3, 3, 13, 13);
            ImageList1->AddMasked(&bmp, RGB(255, 0, 255));
        }
    }
    ListView2 = new TspSkinListView(this);
    ListView2->SetName("ListView2");
    ListView2->SetSkinData(spSkinData1);
    ListView2->SetHeaderSkinDataName("resizebutton");
    ListView2->SetParent(spSkinPanel1);
    ListView2->SetBounds(334, 8, 168 - kScrollBarWidth, 236);
    ListView2->SetViewStyle(vsReport);
    ListView2->SetOwnerData(true);
    ListView2->SetOwnerDraw(true);
    ListView2->SetRowSelect(true);
    ListView2->SetReadOnly(true);
    ListView2->SetHideSelection(false);
    ListView2->SetSmallImages(ImageList1);
    TListColumn* image = ListView2->GetColumns()->Add();
    image->SetWidth(17);
    TListColumn* address = ListView2->GetColumns()->Add();
    address->SetCaption("Online list");
    address->SetAutoSize(true);
    ListView2->OnData = [this](TObject* s, TListItem* i) { ListView2Data(s, i); };
    ListView2->OnDrawItem = [this](TCustomListView* s, TListItem* i, TRect r, TOwnerDrawState st) {
        ListView2DrawItem(s, i, r, st);
    };
    ListView2->OnSelectItem = [this](TObject* s, TListItem* i, bool sel) { ListView2SelectItem(s, i, sel); };
    // The list's own bar is hidden; this one follows its rows and scrolls it.
    spSkinScrollBar2 = new TspSkinScrollBar(this);
    spSkinScrollBar2->SetName("spSkinScrollBar2");
    spSkinScrollBar2->SetKind(sbVertical);
    spSkinScrollBar2->SetSkinDataName("vscrollbar");
    spSkinScrollBar2->SetSkinData(spSkinData1);
    spSkinScrollBar2->SetParent(spSkinPanel1);
    spSkinScrollBar2->SetBounds(502 - kScrollBarWidth, 8, kScrollBarWidth, 236);
    ListView2->HandleNeeded();
    ListView2->SetVScrollBar(spSkinScrollBar2);

    Memo2 = new TspSkinMemo2(this);
    Memo2->SetName("Memo2");
    Memo2->SetSkinData(spSkinData1);
    Memo2->SetParent(spSkinPanel1);
    Memo2->SetBounds(508, 8, 222 - kScrollBarWidth, 236);
    Memo2->SetReadOnly(true);
    Memo2->SetScrollBars(ssVertical);
    spSkinScrollBar1 = new TspSkinScrollBar(this);
    spSkinScrollBar1->SetName("spSkinScrollBar1");
    spSkinScrollBar1->SetKind(sbVertical);
    spSkinScrollBar1->SetSkinDataName("vscrollbar");
    spSkinScrollBar1->SetSkinData(spSkinData1);
    spSkinScrollBar1->SetParent(spSkinPanel1);
    spSkinScrollBar1->SetBounds(730 - kScrollBarWidth, 8, kScrollBarWidth, 236);
    Memo2->SetVScrollBar(spSkinScrollBar1);

    Edit1 = new TspSkinEdit(this);
    Edit1->SetName("Edit1");
    Edit1->SetSkinData(spSkinData1);
    Edit1->SetParent(spSkinPanel1);
    Edit1->SetBounds(334, 253, 316, 23);
    // "Server: " + the line + a line feed must fit one stream packet.
    Edit1->SetMaxLength(MaxPacketPayload - 1 - 8);
    Edit1->OnKeyPress = [this](TObject* s, char& k) { Edit1KeyPress(s, k); };
    spSkinButton1 = NewButton("spSkinButton1", 656, 252, 74, ActionSendText);
    EzRgnBtn5 = NewButton("EzRgnBtn5", 334, 282, 120, ActionSetup);
    EzRgnBtn6 = NewButton("EzRgnBtn6", 460, 282, 120, ActionCustomization);

    // The visitor's details and the black-list button: designed hidden.
    const char* const labels[6] = {"Name", "Company", "E-mail", "Phone", "IP", "Interest"};
    TLabel** labelFields[6] = {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6};
    for (int i = 0; i < 6; ++i) {
        TLabel* l = new TLabel(this);
        l->SetName("Label" + IntToStr(i + 1));
        l->SetVisible(false);
        l->SetParent(spSkinPanel1);
        l->SetBounds(600, 8 + i * 24, 60, 16);
        l->SetCaption(labels[i]);
        *labelFields[i] = l;
    }
    TEdit** edits[5] = {&Edit2, &Edit3, &Edit4, &Edit5, &Edit6};
    for (int i = 0; i < 5; ++i) {
        TEdit* e = new TEdit(this);
        e->SetName("Edit" + IntToStr(i + 2));
        e->SetVisible(false);
        e->SetParent(spSkinPanel1);
        e->SetBounds(660, 8 + i * 24, 70, 21);
        e->SetReadOnly(true);
        *edits[i] = e;
    }
    Memo1 = new TMemo(this);
    Memo1->SetName("Memo1");
    Memo1->SetVisible(false);
    Memo1->SetParent(spSkinPanel1);
    Memo1->SetBounds(600, 130, 130, 60);
    Memo1->SetReadOnly(true);
    Button1 = new TButton(this);
    Button1->SetName("Button1");
    Button1->SetParent(spSkinPanel1);
    Button1->SetBounds(600, 196, 80, 25);
    Button1->SetAction(ActionToBlackList);
    // After the action: binding it takes over the action's Visible.
    Button1->SetVisible(false);

    ServerSocket1 = new TServerSocket(this);
    ServerSocket1->SetName("ServerSocket1");
    ServerSocket1->Port = ServerPortFromEnvironment();
    ServerSocket1->ServerType = stThreadBlocking;
    ServerSocket1->ThreadCacheSize = 0;
    ServerSocket1->OnGetThread = [this](TObject* s, TServerClientWinSocket* c, TServerClientThread*& t) {
        ServerSocket1GetThread(s, c, t);
    };

    auto timer = [this](const char* name, UINT interval, bool on, void (TForm1::*handler)(TObject*)) {
        auto* t = new TTimer(this);
        t->SetName(name);
        t->SetEnabled(false);
        t->SetInterval(interval);
        t->OnTimer = [this, handler](TObject* s) { (this->*handler)(s); };
        t->SetEnabled(on);
        return t;
    };
    Timer1 = timer("Timer1", 2000, false, &TForm1::Timer1Timer);
    Timer2 = timer("Timer2", 3000, true, &TForm1::Timer2Timer);
    Timer3 = timer("Timer3", 33, false, &TForm1::Timer3Timer);
    Timer4 = timer("Timer4", 3000, true, &TForm1::Timer4Timer);
    TimerCapture = timer("TimerCapture", 125, false, &TForm1::TimerCaptureTimer);
    TimerOnLine = timer("TimerOnLine", OnLineUpdateInterval, false, &TForm1::TimerOnLineTimer);
}

void TForm1::CreateActions()
{
    ActionList1 = new TActionList(this);
    ActionList1->SetName("ActionList1");
    auto action = [this](const char* name, const char* caption, void (TForm1::*handler)(TObject*)) {
        auto* a = new TAction(this);
        a->SetName(name);
        a->SetActionList(ActionList1);
        a->SetCaption(caption);
        a->OnExecute = [this, handler](TObject* s) { (this->*handler)(s); };
        return a;
    };
    ActionStartVideo = action("ActionStartVideo", "Video on/off", &TForm1::ActionStartVideoExecute);
    ActionStartAudio = action("ActionStartAudio", "Voice on/off", &TForm1::ActionStartAudioExecute);
    ActionSendText = action("ActionSendText", "Send", &TForm1::ActionSendTextExecute);
    ActionStopAlarm = action("ActionStopAlarm", "Alarm on/off", &TForm1::ActionStopAlarmExecute);
    ActionAvailable = action("ActionAvailable", "Available", &TForm1::ActionAvailableExecute);
    ActionToBlackList = action("ActionToBlackList", "BlackList", &TForm1::ActionToBlackListExecute);
    ActionSetup = action("ActionSetup", "Preferences", &TForm1::ActionSetupExecute);
    ActionCustomization = action("ActionCustomization", "Customization", &TForm1::ActionCustomizationExecute);
}

void TForm1::CreateMenu()
{
    spSkinMainMenu1 = new TspSkinMainMenu(this);
    spSkinMainMenu1->SetName("spSkinMainMenu1");
    spSkinMainMenu1->SetSkinData(spSkinData1);
    auto item = [this](TMenuItem* parent, const char* name, const char* caption, TAction* action) {
        auto* m = new TMenuItem(this);
        m->SetName(name);
        if (action) m->SetAction(action);
        else m->SetCaption(caption);
        parent->Add(m);
        return m;
    };
    TMenuItem* root = spSkinMainMenu1->GetItems();
    File1 = item(root, "File1", "File", nullptr);
    Exit1 = item(File1, "Exit1", "Exit", nullptr);
    Exit1->OnClick = [this](TObject* s) { Exit1Click(s); };
    Actions1 = item(root, "Actions1", "Actions", nullptr);
    Video1 = item(Actions1, "Video1", nullptr, ActionStartVideo);
    Voice1 = item(Actions1, "Voice1", nullptr, ActionStartAudio);
    Alarm1 = item(Actions1, "Alarm1", nullptr, ActionStopAlarm);
    Available1 = item(Actions1, "Available1", nullptr, ActionAvailable);
    options1 = item(root, "options1", "Options", nullptr);
    Customization1 = item(options1, "Customization1", nullptr, ActionCustomization);
    Preferences1 = item(options1, "Preferences1", nullptr, ActionSetup);
    Help1 = item(root, "Help1", "Help", nullptr);
    Help2 = item(Help1, "Help2", "Help", nullptr);
    Help2->OnClick = [this](TObject* s) { Help2Click(s); };
    About1 = item(Help1, "About1", "About", nullptr);
    About1->OnClick = [this](TObject* s) { Button13Click(s); };
    // The skinned bar shows the menu inside the frame; the window has no menu of its own.
    spFormFrame1->SetMainMenu(spSkinMainMenu1);
    spSkinMainMenuBar1->SetMainMenu(spSkinMainMenu1);
}

void TForm1::CreateLamps()
{
    // Two images per list: 0 off, 1 on (green, or red for the alarm).
    auto lamps = [this](const char* name, TColor on) {
        auto* list = new TImageList(48, 18, this);
        list->SetName(name);
        const TColor faces[2] = {RGB(96, 96, 96), on};
        for (TColor c : faces) {
            TBitmap bmp(48, 18, pf24bit);
            TCanvas* cv = bmp.GetCanvas();
            cv->GetBrush()->SetColor(RGB(255, 0, 255));
            cv->FillRect(TRect(0, 0, 48, 18));
            cv->GetBrush()->SetColor(c);
            cv->GetPen()->SetColor(RGB(32, 32, 32));
            cv->RoundRect(2, 2, 46, 16, 8, 8);
            list->AddMasked(&bmp, RGB(255, 0, 255));
        }
        return list;
    };
    ImageList2 = lamps("ImageList2", RGB(0, 200, 0));
    ImageList3 = lamps("ImageList3", RGB(0, 200, 0));
    ImageList4 = lamps("ImageList4", RGB(0, 200, 0));
    ImageList5 = lamps("ImageList5", RGB(230, 0, 0));
    auto image = [this](const char* name, int left) {
        auto* i = new TImage(this);
        i->SetName(name);
        i->SetParent(spSkinPanel1);
        i->SetBounds(left, 284, 48, 20);
        return i;
    };
    Image2 = image("Image2", 23);
    Image3 = image("Image3", 103);
    Image4 = image("Image4", 183);
    Image5 = image("Image5", 263);
}

// The skin, the frame that wears it, the tray icon, the menu bar and the panel
// that holds the controls. The default skin is in place before the controls are
// made, so each control takes its look as it is created.
void TForm1::CreateSkinComponents()
{
    spSkinData1 = new TspSkinData(this);
    spSkinData1->SetName("spSkinData1");
    spCompressedStoredSkin1 = new TspCompressedStoredSkin(this);
    spCompressedStoredSkin1->SetName("spCompressedStoredSkin1");
    spCompressedStoredSkin1->SetCompressedFileName(kDefaultSkinName);
    try {
        LoadDefaultSkin();
    } catch (const std::exception& e) {
        LogLine(LogPrefix::TForm1Create, std::string(kDefaultSkinName) + ": " + e.what());
    } catch (...) {
        LogUnknown(LogPrefix::TForm1Create);
    }

    spFormFrame1 = new TspFormFrame(this);
    spFormFrame1->SetName("spFormFrame1");
    spFormFrame1->SetBorderIcons(biSystemMenu | biMinimizeToTray);
    spFormFrame1->Sizeable = false;
    // Every skin keeps the designed client area; only the frame around it changes.
    spFormFrame1->ClientWidth = kClientWidth;
    spFormFrame1->ClientHeight = kClientHeight + kMenuBarHeight;
    spTrayIcon1 = new TspTrayIcon(this);
    spTrayIcon1->SetName("spTrayIcon1");
    spTrayIcon1->SetHint("Orvanta");
    spTrayIcon1->MinimizeToTray = true;
    spTrayIcon1->SetIconVisible(false);
    spFormFrame1->SetTrayIcon(spTrayIcon1);

    spSkinMainMenuBar1 = new TspSkinMainMenuBar(this);
    spSkinMainMenuBar1->SetName("spSkinMainMenuBar1");
    spSkinMainMenuBar1->SetSkinData(spSkinData1);
    spSkinMainMenuBar1->SetFormFrame(spFormFrame1);
    spSkinMainMenuBar1->SetParent(this);
    spFormFrame1->SetMainMenuBar(spSkinMainMenuBar1);
    spFormFrame1->SetSkinData(spSkinData1);

    spSkinPanel1 = new TspSkinPanel(this);
    spSkinPanel1->SetName("spSkinPanel1");
    spSkinPanel1->SetSkinData(spSkinData1);
    spSkinPanel1->SetBorderStyle(TspSkinBorderStyle::bvNone);
    spSkinPanel1->SetCaption("");
    spSkinPanel1->SetAlign(alClient);
    spSkinPanel1->SetParent(this);
}

// The default skin travels in the program's resources; a host without them (a
// test) keeps the window unskinned until a skin file is applied.
bool TForm1::LoadDefaultSkin()
{
    HMODULE module = GetModuleHandleA(nullptr);
    bool stored = false;
    if (FindResourceA(module, kDefaultSkinResource, RT_RCDATA)) {
        TResourceStream res(module, kDefaultSkinResource, RT_RCDATA);
        stored = spCompressedStoredSkin1->LoadFromCompressStream(&res);
    }
    // Bound in any case: the Customization dialog finds the skin file in use there.
    spSkinData1->SetCompressedStoredSkin(spCompressedStoredSkin1);
    return stored && !spSkinData1->Empty;
}

// SKIN names a skin file to wear instead of the default. One that is missing or
// damaged leaves the default in place and is logged, not shown: the window is
// not up yet and the broadcast must start all the same.
void TForm1::LoadStartupSkin()
{
    std::string path = Settings::Read("SKIN", "", 511);
    if (path.empty()) return;
    std::string why = TryApplySkinFile(path);
    if (!why.empty()) LogLine(LogPrefix::TForm1Create, "SKIN \"" + path + "\": " + why);
}

std::string TForm1::TryApplySkinFile(const std::string& Path)
{
    try {
        // The file is read and decoded whole into components of its own first, so
        // a refused file never reaches the skin every window wears.
        TspCompressedStoredSkin stored(nullptr);
        if (!stored.LoadFromCompressFile(Path)) return "unsupported skin file version";
        {
            TspSkinData trial(nullptr);
            if (!trial.LoadCompressedStoredSkin(&stored) || trial.Empty) return "not a usable skin";
        }
        TMemoryStream block;
        stored.SaveToCompressStream(&block);
        block.SetPosition(0);
        spCompressedStoredSkin1->LoadFromCompressStream(&block);
        spCompressedStoredSkin1->SetFileName(Path);
        // The same block again: every open window re-skins from spSkinData1.
        if (!spSkinData1->LoadCompressedStoredSkin(spCompressedStoredSkin1)) return "not a usable skin";
        return std::string();
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "unknown error";
    }
}

bool TForm1::ApplySkinFile(const std::string& Path)
{
    std::string why = TryApplySkinFile(Path);
    if (why.empty()) return true;
    Application->MessageBox("The skin \"" + Path + "\" cannot be loaded (" + why + ").", Application->Title,
                            MB_OK | MB_ICONERROR);
    return false;
}

// ---------------------------------------------------------------- translation

void TForm1::Translate()
{
    using Language::TCaption;
    auto action = [](const char* key, TAction* a) {
        return TCaption{key, [a] { return a->GetCaption(); }, [a](const std::string& v) { a->SetCaption(v); }};
    };
    auto menu = [](const char* key, TMenuItem* m) {
        return TCaption{key, [m] { return m->GetCaption(); }, [m](const std::string& v) { m->SetCaption(v); }};
    };
    TListColumn* column = ListView2->GetColumns()->GetItem(1);
    std::vector<TCaption> captions = {
        action("ActionSetup", ActionSetup),
        action("ActionStartVideo", ActionStartVideo),
        action("ActionStartAudio", ActionStartAudio),
        action("ActionSendText", ActionSendText),
        action("ActionStopAlarm", ActionStopAlarm),
        TCaption{"ActionAvailable", [this] { return ActionAvailable->GetCaption(); },
                 [this](const std::string& v) {
                     ActionAvailable->SetCaption(v);
                     FAvailableCaption = v;
                 }},
        TCaption{"ActionUnavailable", [this] { return FUnavailableCaption; },
                 [this](const std::string& v) { FUnavailableCaption = v; }, false},
        action("ActionToBlackList", ActionToBlackList),
        action("ActionCustomization", ActionCustomization),
        TCaption{"ListView2", [column] { return column->GetCaption(); },
                 [column](const std::string& v) { column->SetCaption(v); }},
        menu("File1", File1),
        menu("Exit1", Exit1),
        menu("Actions1", Actions1),
        menu("options1", options1),
        menu("Help1", Help1),
        menu("Help2", Help2),
        menu("About1", About1),
    };
    Language::Apply("Form1", captions);
}

// ---------------------------------------------------------------- first show

void TForm1::FormShow(TObject*)
{
    if (!FFirstShow) return;
    FFirstShow = 0;
    StartUp();
}

// Each step runs on its own: a failure is logged and the start-up goes on with
// the next step, so one bad setting never leaves the program half started.
void TForm1::StartUp()
{
    auto step = [](const std::function<void()>& f) {
        try {
            f();
        } catch (const std::exception& e) {
            LogLine(LogPrefix::FormShow, e);
        } catch (...) {
            LogUnknown(LogPrefix::FormShow);
        }
    };
    step([this] {
        FSetupPath = Settings::SetupPath();
        if (!Settings::Exists()) Settings::WriteFirstRun();
    });
    // The stored contacts (and their black-list flags) are in place before the
    // first visitor can connect.
    step([this] { LoadContacts(FContacts); });
    step([this] { OpenServer(); });
    FStopGrab = 0;
    ServerWinSocket = ServerSocket1->Socket();
    step([this] { CheckAdminPassword(); });
    // COM stays initialised for the GUI thread's life: the capture component
    // releases its graph only when the window's components are freed.
    step([] { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); });
    step([this] {
        FVideoOn = FVoiceOn = FAvailable = FAnyAlarm = 0;
        FRecordVideo = 0;
        ActionStartVideoExecute(this);
        ActionStartAudioExecute(this);
        ActionAvailableExecute(this);
        ActionStopAlarmExecute(this);
    });
    step([this] {
        FSetupPath = Settings::SetupPath();
        int index = 0;
        std::string res = Settings::Read("RES", "0", 254);
        if (!TryStrToInt(res, index)) {
            // Read once per run, so logged once: the size falls back to 160 by 120.
            LogLine(LogPrefix::FormShowRes, "\"" + res + "\"");
            index = 0;
        }
        FResIndex = ClampResIndex(index);
    });
    step([this] { InitAudio(); });
    step([this] {
        cap0->SetParent(spSkinPanel1);
        cap0->SetBounds(8, 8, 318, 236);
        InitVideo();
    });
    step([this] { Timer1->SetEnabled(true); });
}

bool TForm1::OpenServer()
{
    try {
        ServerSocket1->Open();
        return true;
    } catch (...) {
        // The program runs on without a server.
        // The port really asked for (ORVANTA_PORT may choose another than 80).
        std::string text = "Can't bind socket.Port " + IntToStr(ServerSocket1->Port) + " is busy.";
        Application->MessageBox(text, Application->Title, MB_OK | MB_ICONERROR);
        return false;
    }
}

int TForm1::ListeningPort() { return ServerSocket1->Active() ? ServerSocket1->Socket()->LocalPort() : 0; }

void TForm1::CheckAdminPassword()
{
    std::string pass = Settings::Read("ADMINPASS", "", 254);
    if (pass.empty()) return;
    std::string answer = InputBox("Access", "Please enter Admin Password", "");
    if (answer == pass) return;
    for (TAction* a : {ActionStartVideo, ActionStartAudio, ActionAvailable, ActionSetup, ActionCustomization})
        a->SetEnabled(false);
    for (TspSkinButton* b : {EzRgnBtn1, EzRgnBtn2, EzRgnBtn4, EzRgnBtn5, EzRgnBtn6}) b->SetEnabled(false);
}

// ---------------------------------------------------------------- shut-down

void TForm1::FormDestroy(TObject*)
{
    try {
        ShutDown();
    } catch (const std::exception& e) {
        LogLine(LogPrefix::FormClose, e);
    } catch (...) {
        LogUnknown(LogPrefix::FormClose);
    }
    ServerWinSocket = nullptr;
}

void TForm1::ShutDown()
{
    FStopGrab = 1;
    // No timer may start new work while the parts it uses are taken down.
    for (TTimer* t : {TimerCapture, Timer1, Timer2, Timer3, Timer4, TimerOnLine}) t->SetEnabled(false);
    if (FContacts) SaveContacts(FContacts);
    FVideoOn = 0;
    FClosing = true;
    if (spTrayIcon1) spTrayIcon1->SetIconVisible(false);
    Hide();
    // Ends every connection thread; their online-list calls do nothing now the
    // window is hidden.
    ServerSocket1->Close();
    FGrabImage.reset();
    if (FContacts) FreeContacts(FContacts);
    FOnlineMap.clear();
    FOnLineShownValid = false;
    FSelectedContact = nullptr;
    StopVideo();
    StopAudio();
    StopRecording();
    FAutoVideo.reset();
}

void TForm1::Exit1Click(TObject*) { Application->Terminate(); }

// ---------------------------------------------------------------- help, about, chat line

std::string TForm1::HelpFilePath()
{
    std::string name = Language::Info(Language::FilePath(), "HelpFile", "Orvanta_Guide_en.chm");
    return Settings::ProgramFolder() + "HELP\\" + name;
}

void TForm1::Help2Click(TObject*)
{
    std::string folder = Settings::ProgramFolder();
    ShellExecuteA(GetHandle(), "open", HelpFilePath().c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
}

void TForm1::Button13Click(TObject*) { RunAboutWindow(); }

void TForm1::Edit1KeyPress(TObject*, char& Key)
{
    if (Key == '\r') {
        Key = 0;
        ActionSendTextExecute(this);
    }
}

// ---------------------------------------------------------------- the connection threads' calls

// Shown, or hidden in the tray: the operator is still at work. Only the
// shut-down (which hides the window first) ends the service.
bool TForm1::Serving() { return !FClosing && (GetVisible() || (spTrayIcon1 && spTrayIcon1->GetIconVisible())); }

bool TForm1::LinkGetOnline() { return Serving() && FAvailable != 0; }

void TForm1::LinkUpdateOnLine()
{
    if (Serving() && ListView2 && FContacts) RequestUpdateOnLine();
}

void TForm1::LinkSendText(const std::string& Text, CContact* Contact)
{
    if (Serving()) SendText(Text, Contact);
}

void TForm1::LinkUpdateAlarm(uint8_t Value, const std::string& Address)
{
    if (Serving()) UpdateAlarm(Value, Address, false);
}

void TForm1::ServerSocket1GetThread(TObject*, TServerClientWinSocket* ClientSocket, TServerClientThread*& SocketThread)
{
    try {
        SocketThread = new TMyServerSendThread(false, FContacts, ClientSocket, this);
    } catch (const std::exception& e) {
        LogLine(LogPrefix::ServerSocket1GetThread, e);
    } catch (...) {
        LogUnknown(LogPrefix::ServerSocket1GetThread);
    }
}
