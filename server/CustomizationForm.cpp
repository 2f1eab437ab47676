#include "CustomizationForm.h"
#include "Handles.h"
#include "AboutForm.h"
#include "EmbedHtml.h"
#include "Handles.h"
#include "Language.h"
#include "Log.h"
#include "OpenSkinDialog.h"
#include "PreviewForm.h"
#include "Settings.h"
#include "Video.h"
#include <mmsystem.h>
#include <memory>

const char* const TForm3::PlayErrorPrefix =
    "TForm3::Button12Click:  \xCE\xF8\xE8\xE1\xEA\xE0 \xEF\xEB\xE5\xE9\xE5\xF0\xE0: ";

namespace {

const int kClientWidth = 503;
const int kClientHeight = 173;
const int kPanelHeight = 35;

template <class T> T* NewControl(TComponent* Owner, TWinControl* Parent, const char* Name, int Left, int Top, int Width,
                                 int Height)
{
    T* c = new T(Owner);
    c->SetName(Name);
    c->SetParent(Parent);
    c->SetBounds(Left, Top, Width, Height);
    return c;
}

TspSkinStdLabel* NewLabel(TComponent* Owner, TWinControl* Parent, const char* Name, const char* Text, int Left, int Top)
{
    auto* l = new TspSkinStdLabel(Owner);
    l->SetName(Name);
    l->SetParent(Parent);
    l->SetCaption(Text);
    l->SetLeft(Left);
    l->SetTop(Top);
    return l;
}

template <class T> T* NewCaptioned(TComponent* Owner, TWinControl* Parent, const char* Name, const char* Text, int Left,
                                   int Top, int Width, int Height)
{
    T* c = NewControl<T>(Owner, Parent, Name, Left, Top, Width, Height);
    c->SetCaption(Text);
    return c;
}

// A group box with a check in its caption: the controls inside it are enabled
// only while it is ticked. Designed ticked.
TspSkinGroupBox* NewCheckGroup(TComponent* Owner, TWinControl* Parent, const char* Name, const char* Text, int Left,
                               int Top, int Width, int Height)
{
    auto* g = NewControl<TspSkinGroupBox>(Owner, Parent, Name, Left, Top, Width, Height);
    g->SetCaption(Text);
    g->SetCheckedMode(true);
    g->AutoEnabledControls = true;
    g->SetChecked(true);
    return g;
}

// Every combo box of the dialog is made here: a fixed list, no typing.
TspSkinComboBox* NewCombo(TComponent* Owner, TWinControl* Parent, const char* Name, int Left, int Top, int Width,
                          int Height)
{
    auto* c = NewControl<TspSkinComboBox>(Owner, Parent, Name, Left, Top, Width, Height);
    c->SetStyle(spcbFixedStyle);
    return c;
}

TspSkinTabSheet* NewSheet(TComponent* Owner, TspSkinPageControl* Pages, const char* Name, const char* Text)
{
    auto* s = new TspSkinTabSheet(Owner);
    s->SetName(Name);
    s->SetPageControl(Pages);
    s->SetCaption(Text);
    return s;
}

bool ReadFlag(const char* Key, const char* Def, int MaxLen = 254) { return Settings::ReadInt(Key, Def, MaxLen) != 0; }

void WriteFlag(const char* Key, bool On) { Settings::Write(Key, On ? "1" : "0"); }

} // namespace

TForm3::TForm3(TComponent* AOwner, IDialogHost* Host) : TForm(AOwner), FHost(Host)
{
    SetName("Form3");
    CreateComponents();
    OnShow = [this](TObject* s) { FormShow(s); };
    ListLanguages();
    spFormFrame1 = DressDialog(this, FHost ? FHost->SkinData() : nullptr);
}

// ---------------------------------------------------------------- components

void TForm3::CreateComponents()
{
    SetCaption("Customization");
    SetBorderStyle(bsDialog);
    SetBorderIcons(0);
    SetPosition(poScreenCenter);
    SetClientSize(kClientWidth, kClientHeight);

    spSkinPanel2 = new TspSkinPanel(this);
    spSkinPanel2->SetName("spSkinPanel2");
    spSkinPanel2->SetParent(this);
    spSkinPanel2->SetCaption("");
    spSkinPanel2->SetHeight(kPanelHeight);
    spSkinPanel2->SetAlign(alBottom);

    Tabsss = new TspSkinPageControl(this);
    Tabsss->SetName("Tabsss");
    Tabsss->SetParent(this);
    Tabsss->SetAlign(alClient);

    CreateSoundPage();
    CreateAvailabilityPage();
    CreateAccountPage();
    CreateAnswerPage();
    CreateRecordingPage();
    CreatePrivatePage();
    CreateLanguagePage();
    CreateClientPage();
    CreateButtons();
    Tabsss->SetActivePage(spSkinTabSheet1);

    SaveDialog1 = new TSaveDialog(this);
    SaveDialog1->SetName("SaveDialog1");
    SaveDialog1->DefaultExt = "str";
    SaveDialog1->Filter = "Audio Video|*.str";
    OpenDialog1 = new TOpenDialog(this);
    OpenDialog1->SetName("OpenDialog1");
    OpenDialog1->DefaultExt = "str";
    OpenDialog1->Filter = "Audio Video|*.str|Audio|*.wav";
    spOpenSkinDialog1 = new TOpenDialog(this);
    spOpenSkinDialog1->SetName("spOpenSkinDialog1");
    spOpenSkinDialog1->Title = "Open skin";
    spOpenSkinDialog1->Filter = "Compressed skin (*.skn)|*.skn";
    spOpenSkinDialog1->FilterIndex = 1;
}

void TForm3::CreateSoundPage()
{
    spSkinTabSheet1 = NewSheet(this, Tabsss, "spSkinTabSheet1", "Sound settings");
    CheckBox13 = NewCheckGroup(this, spSkinTabSheet1, "CheckBox13", "Sound on/off", 2, 0, 487, 106);
    struct Row {
        TspSkinStdLabel** Label;
        const char* LabelName;
        const char* Text;
        TspSkinEdit** Edit;
        const char* EditName;
        TspSkinButton** Choose;
        const char* ChooseName;
        TspSkinButton** Test;
        const char* TestName;
    };
    const Row rows[] = {
        {&spSkinStdLabel1, "spSkinStdLabel1", "Sound on connect", &Edit4, "Edit4", &Button2, "Button2", &Button9,
         "Button9"},
        {&spSkinStdLabel2, "spSkinStdLabel2", "Sound on disconnect", &Edit5, "Edit5", &Button3, "Button3", &Button10,
         "Button10"},
        {&spSkinStdLabel3, "spSkinStdLabel3", "Sound call signal ", &Edit6, "Edit6", &Button4, "Button4", &Button11,
         "Button11"},
    };
    int top = 22;
    for (const Row& r : rows) {
        *r.Label = NewLabel(this, CheckBox13, r.LabelName, r.Text, 8, top + 3);
        *r.Edit = NewControl<TspSkinEdit>(this, CheckBox13, r.EditName, 130, top, 262, 22);
        *r.Choose = NewCaptioned<TspSkinButton>(this, CheckBox13, r.ChooseName, "...", 396, top, 25, 22);
        *r.Test = NewCaptioned<TspSkinButton>(this, CheckBox13, r.TestName, "Test", 425, top, 54, 22);
        top += 27;
    }
    Button2->OnClick = [this](TObject* s) { Button2Click(s); };
    Button3->OnClick = [this](TObject* s) { Button3Click(s); };
    Button4->OnClick = [this](TObject* s) { Button4Click(s); };
    Button9->OnClick = [this](TObject* s) { Button9Click(s); };
    Button10->OnClick = [this](TObject* s) { Button10Click(s); };
    Button11->OnClick = [this](TObject* s) { Button11Click(s); };
}

void TForm3::CreateAvailabilityPage()
{
    spSkinTabSheet2 = NewSheet(this, Tabsss, "spSkinTabSheet2", "Availability settings");
    CheckBox11 = NewCheckGroup(this, spSkinTabSheet2, "CheckBox11", "Availability on/off", 2, 0, 487, 106);
    spSkinStdLabel8 = NewLabel(this, CheckBox11, "spSkinStdLabel8", "from", 8, 29);
    MaskEdit1 = NewControl<TspSkinEdit>(this, CheckBox11, "MaskEdit1", 40, 26, 50, 22);
    spSkinStdLabel9 = NewLabel(this, CheckBox11, "spSkinStdLabel9", "to", 104, 29);
    MaskEdit2 = NewControl<TspSkinEdit>(this, CheckBox11, "MaskEdit2", 124, 26, 50, 22);
    for (TspSkinEdit* e : {MaskEdit1, MaskEdit2}) {
        e->SetMaxLength(5);
        e->SetText("  :  ");
    }
    CheckBox12 = NewCaptioned<TspSkinCheckRadioBox>(this, CheckBox11, "CheckBox12", "Always available", 200, 28, 160, 19);
    struct Day {
        TspSkinCheckRadioBox** Box;
        const char* Name;
        const char* Text;
    };
    const Day days[] = {{&CheckBox10, "CheckBox10", "Su"}, {&CheckBox4, "CheckBox4", "Mo"},
                        {&CheckBox5, "CheckBox5", "Tu"},   {&CheckBox6, "CheckBox6", "We"},
                        {&CheckBox7, "CheckBox7", "Th"},   {&CheckBox8, "CheckBox8", "Fr"},
                        {&CheckBox9, "CheckBox9", "Sa"}};
    int left = 8;
    for (const Day& d : days) {
        *d.Box = NewCaptioned<TspSkinCheckRadioBox>(this, CheckBox11, d.Name, d.Text, left, 66, 52, 19);
        left += 56;
    }
}

void TForm3::CreateAccountPage()
{
    spSkinTabSheet3 = NewSheet(this, Tabsss, "spSkinTabSheet3", "Account settings");
    spSkinGroupBox1 = NewCaptioned<TspSkinGroupBox>(this, spSkinTabSheet3, "spSkinGroupBox1", "Price", 4, 0, 170, 52);
    Edit9 = NewControl<TspSkinEdit>(this, spSkinGroupBox1, "Edit9", 8, 20, 44, 22);
    Edit9->SetText("1");
    spSkinStdLabel4 = NewLabel(this, spSkinGroupBox1, "spSkinStdLabel4", "1 minute", 58, 23);
    spSkinStdLabel10 = NewLabel(this, spSkinGroupBox1, "spSkinStdLabel10", "($)", 130, 23);
    spSkinStdLabel5 = NewLabel(this, spSkinTabSheet3, "spSkinStdLabel5", "Your paypal E-mail:", 6, 58);
    Edit10 = NewControl<TspSkinEdit>(this, spSkinTabSheet3, "Edit10", 4, 76, 170, 22);
    spSkinGroupBox2 = NewCaptioned<TspSkinGroupBox>(this, spSkinTabSheet3, "spSkinGroupBox2", "Passwords", 184, 0, 300, 100);
    spSkinStdLabel6 = NewLabel(this, spSkinGroupBox2, "spSkinStdLabel6", "Admin", 10, 29);
    Edit8 = NewControl<TspSkinPasswordEdit>(this, spSkinGroupBox2, "Edit8", 70, 26, 210, 22);
    spSkinStdLabel7 = NewLabel(this, spSkinGroupBox2, "spSkinStdLabel7", "Client", 10, 63);
    Edit7 = NewControl<TspSkinPasswordEdit>(this, spSkinGroupBox2, "Edit7", 70, 60, 210, 22);
}

// The greetings: AUTOONLINE goes to new chat connections while the operator is
// available, AUTOOFFLINE while unavailable, so each group is captioned for the
// status in which its text is sent.
void TForm3::CreateAnswerPage()
{
    spSkinTabSheet4 = NewSheet(this, Tabsss, "spSkinTabSheet4", "Auto answering");
    CheckBox3 = NewCheckGroup(this, spSkinTabSheet4, "CheckBox3",
                              "The text that is sent automatically at connecting the user in Available status", 2, 0,
                              487, 52);
    Edit3 = NewControl<TspSkinEdit>(this, CheckBox3, "Edit3", 8, 22, 471, 22);
    CheckBox2 = NewCheckGroup(this, spSkinTabSheet4, "CheckBox2",
                              "The text that is sent automatically at connecting the user in Unavailable status", 2,
                              54, 487, 52);
    Edit2 = NewControl<TspSkinEdit>(this, CheckBox2, "Edit2", 8, 22, 471, 22);
}

void TForm3::CreateRecordingPage()
{
    spSkinTabSheet5 = NewSheet(this, Tabsss, "spSkinTabSheet5", "Recording");
    CheckBox1 = NewCheckGroup(this, spSkinTabSheet5, "CheckBox1",
                              "The video data stream that is being sent to the client in Unavailable status", 2, 0, 487,
                              56);
    Edit1 = NewControl<TspSkinEdit>(this, CheckBox1, "Edit1", 8, 24, 438, 22);
    Button1 = NewCaptioned<TspSkinButton>(this, CheckBox1, "Button1", "...", 450, 23, 29, 24);
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
    Button7 = NewCaptioned<TspSkinButton>(this, spSkinTabSheet5, "Button7", "Start Record", 4, 70, 110, 25);
    Button8 = NewCaptioned<TspSkinButton>(this, spSkinTabSheet5, "Button8", "Stop Record", 120, 70, 110, 25);
    Button12 = NewCaptioned<TspSkinButton>(this, spSkinTabSheet5, "Button12", "Play", 236, 70, 110, 25);
    Button7->OnClick = [this](TObject* s) { Button7Click(s); };
    Button8->OnClick = [this](TObject* s) { Button8Click(s); };
    Button12->OnClick = [this](TObject* s) { Button12Click(s); };
}

void TForm3::CreatePrivatePage()
{
    spSkinTabSheet6 = NewSheet(this, Tabsss, "spSkinTabSheet6", "Private");
    spSkinTabSheet6->SetTabVisible(false);
    spSkinGroupBox3 = NewCaptioned<TspSkinGroupBox>(this, spSkinTabSheet6, "spSkinGroupBox3",
                                              "If the time is not paid turn off", 4, 0, 240, 100);
    spSkinCheckRadioBox1 = NewCaptioned<TspSkinCheckRadioBox>(this, spSkinGroupBox3, "spSkinCheckRadioBox1", "Video", 10, 22, 200, 19);
    spSkinCheckRadioBox2 = NewCaptioned<TspSkinCheckRadioBox>(this, spSkinGroupBox3, "spSkinCheckRadioBox2", "Voice", 10, 46, 200, 19);
    spSkinCheckRadioBox3 =
        NewCaptioned<TspSkinCheckRadioBox>(this, spSkinGroupBox3, "spSkinCheckRadioBox3", "Text chat", 10, 70, 200, 19);
    spSkinCheckRadioBox1->SetChecked(true);
}

void TForm3::CreateLanguagePage()
{
    spSkinTabSheet7 = NewSheet(this, Tabsss, "spSkinTabSheet7", "Languages");
    spSkinStdLabel11 = NewLabel(this, spSkinTabSheet7, "spSkinStdLabel11", "Language", 8, 15);
    spSkinComboBox1 = NewCombo(this, spSkinTabSheet7, "spSkinComboBox1", 90, 11, 200, 24);
    spSkinComboBox1->OnChange = [this](TObject* s) { spSkinComboBox1Change(s); };
}

void TForm3::CreateClientPage()
{
    spSkinTabSheet8 = NewSheet(this, Tabsss, "spSkinTabSheet8", "Client settings");
    spSkinStdLabel12 = NewLabel(this, spSkinTabSheet8, "spSkinStdLabel12", "Select skin", 4, 2);
    spSkinComboBox2 = NewCombo(this, spSkinTabSheet8, "spSkinComboBox2", 4, 18, 170, 24);
    for (const char* item : {"skin 160x120 vertical", "skin 160x120 horizontal", "skin 320x240", "skin 640x480"})
        spSkinComboBox2->GetItems()->Add(item);
    spSkinComboBox2->SetItemIndex(0);
    spSkinComboBox2->OnChange = [this](TObject* s) { spSkinComboBox2Change(s); };
    spSkinRadioGroup1 = NewCaptioned<TRadioGroup>(this, spSkinTabSheet8, "spSkinRadioGroup1", "Select client type", 4,
                                                  44, 170, 62);
    spSkinRadioGroup1->GetItems()->Add("Java client");
    spSkinRadioGroup1->GetItems()->Add("ActiveX client");
    spSkinRadioGroup1->SetItemIndex(1);
    spSkinRadioGroup1->OnClick = [this](TObject* s) { spSkinRadioGroup1Click(s); };
    spSkinStdLabel13 =
        NewLabel(this, spSkinTabSheet8, "spSkinStdLabel13", "HTML code for integration into webpage", 182, 2);
    // The skinned memo draws its frame from the skin and shows no bars of its
    // own: two skinned bars beside it follow its scrolling.
    const int bar = 19;
    spSkinMemoHTML = NewControl<TspSkinMemo>(this, spSkinTabSheet8, "spSkinMemoHTML", 182, 18, 305 - bar, 88 - bar);
    spSkinMemoHTML->SetWordWrap(false);
    spSkinMemoHTML->SetScrollBars(ssBoth);
    spSkinScrollBar1 = NewControl<TspSkinScrollBar>(this, spSkinTabSheet8, "spSkinScrollBar1", 182 + 305 - bar, 18, bar,
                                                    88 - bar);
    spSkinScrollBar1->SetKind(sbVertical);
    spSkinScrollBar1->SetSkinDataName("vscrollbar");
    spSkinScrollBar2 = NewControl<TspSkinScrollBar>(this, spSkinTabSheet8, "spSkinScrollBar2", 182, 18 + 88 - bar,
                                                    305 - bar, bar);
    spSkinScrollBar2->SetSkinDataName("hscrollbar");
    spSkinMemoHTML->SetVScrollBar(spSkinScrollBar1);
    spSkinMemoHTML->SetHScrollBar(spSkinScrollBar2);
}

void TForm3::CreateButtons()
{
    Button13 = NewCaptioned<TspSkinButton>(this, spSkinPanel2, "Button13", "About", 6, 5, 75, 25);
    spSkinButton1 = NewCaptioned<TspSkinButton>(this, spSkinPanel2, "spSkinButton1", "Skin...", 86, 5, 75, 25);
    Button5 = NewCaptioned<TspSkinButton>(this, spSkinPanel2, "Button5", "Apply", kClientWidth - 164, 5, 75, 25);
    Button6 = NewCaptioned<TspSkinButton>(this, spSkinPanel2, "Button6", "Cancel", kClientWidth - 83, 5, 75, 25);
    Button5->SetDefault(true);
    Button6->Cancel = true;
    Button13->OnClick = [this](TObject* s) { Button13Click(s); };
    spSkinButton1->OnClick = [this](TObject* s) { spSkinButton1Click(s); };
    Button5->OnClick = [this](TObject* s) { Button5Click(s); };
    Button6->OnClick = [this](TObject* s) { Button6Click(s); };
}

// ---------------------------------------------------------------- languages

void TForm3::ListLanguages()
{
    std::string current = Settings::Read("LanguageFileName", "english.lng", 511);
    std::string folder = Settings::ProgramFolder() + "Languages\\";
    int selected = 0;
    WIN32_FIND_DATAA found;
    TFindHandle find(FindFirstFileA((folder + "*.lng").c_str(), &found));
    if (find) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == ".." || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
            std::string lang = Language::Info(folder + name, "Lang", "");
            if (lang.empty()) continue;
            if (name == current) selected = static_cast<int>(FLanguages.size());
            FLanguages.push_back(LNG{lang, name});
            spSkinComboBox1->GetItems()->Add(lang);
        } while (FindNextFileA(find.Get(), &found));
    }
    // Raises no change event: nothing is written by opening the dialog.
    spSkinComboBox1->SetItemIndex(selected);
}

void TForm3::spSkinComboBox1Change(TObject*)
{
    int i = spSkinComboBox1->GetItemIndex();
    if (i >= 0 && i < static_cast<int>(FLanguages.size())) Settings::Write("LanguageFileName", FLanguages[i].FileName);
}

// ---------------------------------------------------------------- show, apply, cancel

void TForm3::FormShow(TObject*)
{
    try {
        LoadSettings();
        Translate();
        SelectClientType();
    } catch (...) {
        // The show is abandoned; the command that opened the dialog logs it.
        // A close made here would be undone as the modal loop begins: post it.
        ShowError = std::current_exception();
        PostMessageA(GetHandle(), WM_CLOSE, 0, 0);
    }
}

void TForm3::LoadSettings()
{
    const std::string folder = Settings::ProgramFolder();
    CheckBox1->SetChecked(ReadFlag("AUTOVIDEO_STATE", "0"));
    CheckBox3->SetChecked(ReadFlag("AUTOONLINE_STATE", "0"));
    CheckBox2->SetChecked(ReadFlag("AUTOOFFLINE_STATE", "0"));
    Edit1->SetText(Settings::Read("AUTOVIDEO", ""));
    Edit3->SetText(Settings::Read("AUTOONLINE", ""));
    Edit2->SetText(Settings::Read("AUTOOFFLINE", ""));
    Edit4->SetText(Settings::Read("CONNECT", folder + "Sounds\\connect.wav"));
    Edit5->SetText(Settings::Read("DISCONNECT", folder + "Sounds\\disconnect.wav"));
    Edit6->SetText(Settings::Read("ALARM", folder + "Sounds\\alarm.wav"));
    CheckBox13->SetChecked(ReadFlag("SOUND", "0"));
    CheckBox11->SetChecked(ReadFlag("AVAL", "0"));
    MaskEdit1->SetText(Settings::Read("OT", ""));
    MaskEdit2->SetText(Settings::Read("DO", ""));
    CheckBox12->SetChecked(ReadFlag("ALLAVAL", "0"));
    Edit7->SetText(Settings::Read("PASS", ""));
    Edit8->SetText(Settings::Read("ADMINPASS", ""));
    Edit9->SetText(Settings::Read("PRICE", "1"));
    Edit10->SetText(Settings::Read("PAYPAL", ""));
    TspSkinCheckRadioBox* days[7] = {CheckBox10, CheckBox4, CheckBox5, CheckBox6, CheckBox7, CheckBox8, CheckBox9};
    for (int d = 0; d < 7; ++d) days[d]->SetChecked(ReadFlag(IntToStr(d).c_str(), "0"));
    // SKIN itself is not the skin in use: a file that is gone or damaged did not
    // load at start-up, the built-in skin runs, and Apply must store no file
    // (else every start logs the same error again). What loaded is the truth.
    FSkinFile = FHost ? FHost->SkinFileInUse() : std::string();
    spOpenSkinDialog1->FileName = FSkinFile;
    spSkinCheckRadioBox1->SetChecked(ReadFlag("VIDEO_PAID", "1", 511));
    spSkinCheckRadioBox2->SetChecked(ReadFlag("VOICE_PAID", "0", 511));
    spSkinCheckRadioBox3->SetChecked(ReadFlag("CHAT_PAID", "0", 511));
}

void TForm3::Translate()
{
    using Language::TCaption;
    auto caption = [](const char* key, TControl* c, bool write = true) {
        return TCaption{key, [c] { return c->GetCaption(); }, [c](const std::string& v) { c->SetCaption(v); }, write};
    };
    std::vector<TCaption> captions = {
        caption("Caption", this),
        caption("spSkinTabSheet1", spSkinTabSheet1),
        caption("spSkinTabSheet2", spSkinTabSheet2),
        caption("spSkinTabSheet3", spSkinTabSheet3),
        caption("spSkinTabSheet4", spSkinTabSheet4),
        caption("spSkinTabSheet5", spSkinTabSheet5),
        TCaption{"spOpenSkinDialog1", [this] { return spOpenSkinDialog1->Title; },
                 [this](const std::string& v) { spOpenSkinDialog1->Title = v; }},
        caption("CheckBox13", CheckBox13),
        caption("spSkinStdLabel1", spSkinStdLabel1),
        caption("spSkinStdLabel2", spSkinStdLabel2),
        caption("spSkinStdLabel3", spSkinStdLabel3),
        caption("Button9", Button9),
        caption("Button10", Button10),
        caption("Button11", Button11),
        caption("CheckBox11", CheckBox11),
        caption("spSkinStdLabel8", spSkinStdLabel8),
        caption("spSkinStdLabel9", spSkinStdLabel9),
        caption("CheckBox12", CheckBox12),
    };
    // The day boxes: written under their fixed names.
    const std::pair<const char*, TspSkinCheckRadioBox*> days[] = {{"CheckBox10", CheckBox10}, {"CheckBox4", CheckBox4},
                                                       {"CheckBox5", CheckBox5},   {"CheckBox6", CheckBox6},
                                                       {"CheckBox7", CheckBox7},   {"CheckBox8", CheckBox8},
                                                       {"CheckBox9", CheckBox9}};
    const char* const fixed[] = {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};
    for (int d = 0; d < 7; ++d) {
        TspSkinCheckRadioBox* box = days[d].second;
        const char* name = fixed[d];
        captions.push_back(TCaption{days[d].first, [name] { return std::string(name); },
                                    [box](const std::string& v) { box->SetCaption(v); }});
    }
    const std::vector<TCaption> rest = {
        caption("spSkinGroupBox1", spSkinGroupBox1),
        caption("spSkinStdLabel4", spSkinStdLabel4),
        caption("spSkinStdLabel5", spSkinStdLabel5),
        caption("spSkinGroupBox2", spSkinGroupBox2),
        caption("spSkinStdLabel6", spSkinStdLabel6),
        caption("spSkinStdLabel7", spSkinStdLabel7),
        caption("CheckBox3", CheckBox3),
        caption("CheckBox2", CheckBox2),
        caption("CheckBox1", CheckBox1),
        caption("Button7", Button7),
        caption("Button8", Button8),
        caption("Button12", Button12),
        caption("Button13", Button13),
        caption("spSkinButton1", spSkinButton1),
        caption("Button5", Button5),
        caption("Button6", Button6),
        caption("spSkinTabSheet7", spSkinTabSheet7),
        caption("spSkinStdLabel11", spSkinStdLabel11),
        // Read, never written back.
        caption("spSkinTabSheet8", spSkinTabSheet8, false),
        caption("spSkinRadioGroup1", spSkinRadioGroup1, false),
        caption("spSkinStdLabel12", spSkinStdLabel12, false),
        caption("spSkinStdLabel13", spSkinStdLabel13, false),
    };
    captions.insert(captions.end(), rest.begin(), rest.end());

    // The client type items are rebuilt from the file in reading mode, which
    // leaves the group with no item selected.
    std::string items[2] = {"Java client", "ActiveX Client"};
    captions.push_back(TCaption{"spSkinRadioGroup1Item1", [&items] { return items[0]; },
                                [&items](const std::string& v) { items[0] = v; }, false});
    captions.push_back(TCaption{"spSkinRadioGroup1Item2", [&items] { return items[1]; },
                                [&items](const std::string& v) { items[1] = v; }, false});
    Language::Apply("Form3", captions);
    if (!Language::WriteMode()) {
        TStrings* list = spSkinRadioGroup1->GetItems();
        list->Clear();
        list->Add(items[0]);
        list->Add(items[1]);
    }
}

void TForm3::SelectClientType()
{
    // A change of selection runs the group's click handler, which produces the HTML.
    int type = Settings::Read("ClientType", "ActiveX") == "ActiveX" ? 1 : 0;
    spSkinRadioGroup1->SetItemIndex(type);
}

void TForm3::Button5Click(TObject*)
{
    WriteFlag("AUTOVIDEO_STATE", CheckBox1->GetChecked());
    WriteFlag("AUTOONLINE_STATE", CheckBox3->GetChecked());
    WriteFlag("AUTOOFFLINE_STATE", CheckBox2->GetChecked());
    Settings::Write("AUTOVIDEO", Edit1->GetText());
    Settings::Write("AUTOONLINE", Edit3->GetText());
    Settings::Write("AUTOOFFLINE", Edit2->GetText());
    WriteFlag("SOUND", CheckBox13->GetChecked());
    Settings::Write("CONNECT", Edit4->GetText());
    Settings::Write("DISCONNECT", Edit5->GetText());
    Settings::Write("ALARM", Edit6->GetText());
    WriteFlag("AVAL", CheckBox11->GetChecked());
    Settings::Write("OT", MaskEdit1->GetText());
    Settings::Write("DO", MaskEdit2->GetText());
    WriteFlag("ALLAVAL", CheckBox12->GetChecked());
    TspSkinCheckRadioBox* days[7] = {CheckBox10, CheckBox4, CheckBox5, CheckBox6, CheckBox7, CheckBox8, CheckBox9};
    for (int d = 0; d < 7; ++d) WriteFlag(IntToStr(d).c_str(), days[d]->GetChecked());
    Settings::Write("PASS", Edit7->GetText());
    Settings::Write("ADMINPASS", Edit8->GetText());
    Settings::Write("PRICE", Edit9->GetText());
    Settings::Write("PAYPAL", Edit10->GetText());
    Settings::Write("SKIN", FSkinFile);
    WriteFlag("VIDEO_PAID", spSkinCheckRadioBox1->GetChecked());
    WriteFlag("VOICE_PAID", spSkinCheckRadioBox2->GetChecked());
    WriteFlag("CHAT_PAID", spSkinCheckRadioBox3->GetChecked());
    Close();
}

void TForm3::Button6Click(TObject*) { Close(); }

// ---------------------------------------------------------------- files and sounds

void TForm3::ChooseFile(TspSkinEdit* Edit)
{
    if (OpenDialog1->Execute()) Edit->SetText(OpenDialog1->FileName);
}

void TForm3::Button1Click(TObject*) { ChooseFile(Edit1); }
void TForm3::Button2Click(TObject*) { ChooseFile(Edit4); }
void TForm3::Button3Click(TObject*) { ChooseFile(Edit5); }
void TForm3::Button4Click(TObject*) { ChooseFile(Edit6); }

void TForm3::PlayFile(TspSkinEdit* Edit)
{
    std::string file = Edit->GetText();
    // Returns at once; a file that cannot be played plays nothing (no default sound).
    if (!file.empty()) PlaySoundA(file.c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT);
}

void TForm3::Button9Click(TObject*) { PlayFile(Edit4); }
void TForm3::Button10Click(TObject*) { PlayFile(Edit5); }
void TForm3::Button11Click(TObject*) { PlayFile(Edit6); }

// ---------------------------------------------------------------- recording and preview

// The recording belongs to the main window from the moment it is handed over:
// closing this dialog leaves nothing open that nobody owns, and a second
// start, from this dialog or a later one, closes the first recording.
void TForm3::Button7Click(TObject*)
{
    if (!SaveDialog1->Execute()) return;
    std::unique_ptr<CVideo> recording(new CVideo(SaveDialog1->FileName, true));
    Edit1->SetText(SaveDialog1->FileName);
    FHost->StartRecording(recording.release());
    Button8->SetEnabled(true);
    Button7->SetEnabled(false);
}

// Stops whatever recording the main window writes, also one started by an
// earlier opening of the dialog.
void TForm3::Button8Click(TObject*)
{
    Button8->SetEnabled(false);
    Button7->SetEnabled(true);
    FHost->StopRecording();
}

void TForm3::Button12Click(TObject*)
{
    std::string file = Edit1->GetText();
    if (file.empty()) return;
    try {
        std::unique_ptr<TForm4> preview(new TForm4(nullptr, FHost->SkinData()));
        preview->FileName = file;
        preview->ShowModal();
    } catch (const std::exception& e) {
        LogLine(PlayErrorPrefix, e);
    } catch (...) {
        LogUnknown(PlayErrorPrefix);
    }
}

void TForm3::Button13Click(TObject*) { RunAboutWindow(); }

// ---------------------------------------------------------------- skin

void TForm3::spSkinButton1Click(TObject*)
{
    spOpenSkinDialog1->InitialDir = Settings::ProgramFolder() + "Skins";
    // The skinned open-skin window runs the choice. spOpenSkinDialog1 keeps the
    // settings that the rest of this dialog reads and writes (the translated
    // title, the filter, the skin file in use); the skinned dialog lives as
    // long as this form, so it keeps its size and file type between runs.
    auto* dialog = dynamic_cast<TspOpenSkinDialog*>(FindComponent("spSkinOpenSkinDialog"));
    if (!dialog) {
        dialog = new TspOpenSkinDialog(this);
        dialog->SetName("spSkinOpenSkinDialog");
        dialog->FilterIndex = spOpenSkinDialog1->FilterIndex;
    }
    dialog->SetTitle(spOpenSkinDialog1->Title);
    dialog->Filter = spOpenSkinDialog1->Filter;
    dialog->CompressedFilterIndex = 1;
    dialog->UnCompressedFilterIndex = 2;
    dialog->InitialDir = spOpenSkinDialog1->InitialDir;
    dialog->FileName = spOpenSkinDialog1->FileName;
    TspSkinData* skin = FHost ? FHost->SkinData() : nullptr;
    dialog->SetSkinData(skin);
    dialog->SetCtrlSkinData(skin);
    bool chosen = false;
    try {
        chosen = dialog->Execute();
    } catch (const std::exception& e) {
        LogLine("TForm3::spSkinButton1Click: ", e);
    } catch (...) {
        LogUnknown("TForm3::spSkinButton1Click: ");
    }
    spOpenSkinDialog1->FilterIndex = dialog->FilterIndex;
    if (!chosen) return;
    spOpenSkinDialog1->FileName = dialog->FileName;
    std::string file = dialog->FileName;
    bool loaded = false;
    try {
        // The main window loads it, and every open form, this one too, re-skins itself.
        loaded = FHost->ApplySkinFile(file);
    } catch (const std::exception& e) {
        LogLine("TForm3::spSkinButton1Click: ", e);
    } catch (...) {
        LogUnknown("TForm3::spSkinButton1Click: ");
    }
    // A file that did not load leaves the skin in use, and SKIN, as they were.
    if (!loaded) return;
    FSkinFile = FHost->SkinFileInUse();
}

// ---------------------------------------------------------------- embedding HTML

void TForm3::GetLocalAddresses(TStrings* List) { EmbedHtml::GetLocalAddresses(List); }

void TForm3::spSkinRadioGroup1Click(TObject*)
{
    TStrings* memo = spSkinMemoHTML->GetLines();
    memo->Clear();
    TStringList addresses;
    GetLocalAddresses(&addresses);
    int type = spSkinRadioGroup1->GetItemIndex();
    std::vector<std::string> lines =
        EmbedHtml::Build(type, spSkinComboBox2->GetItemIndex(), &addresses, FHost->ServerPort());
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
    memo->SetText(text);
    Settings::Write("ClientType", EmbedHtml::ClientTypeSetting(type));
}

void TForm3::spSkinComboBox2Change(TObject*) { spSkinRadioGroup1Click(spSkinRadioGroup1); }
