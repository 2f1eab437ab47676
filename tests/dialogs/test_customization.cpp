// The Customization dialog: settings shown and applied, the greeting groups,
// languages, captions, the embedding HTML, the recording hand-over and the skin
// choice.
#include "test_gtest.h"
#include "AboutForm.h"
#include "CustomizationForm.h"
#include "DialogTestKit.h"
#include "EmbedHtml.h"
#include "OpenSkinDialog.h"
#include "OpenSkinDlgForm.h"
#include "PreferencesForm.h"
#include "PreviewForm.h"
#include "Settings.h"
#include "SkinData.h"
#include "SkinFileListBox.h"
#include <algorithm>
#include <set>

using namespace dlgtest;

namespace {

struct CustomFixture {
    explicit CustomFixture(const std::string& name) : Folder(name) {}
    TForm3& Make()
    {
        Dialog.reset(new TForm3(nullptr, &Host));
        return *Dialog;
    }
    TForm3& Show()
    {
        Make();
        Dialog->Show();
        return *Dialog;
    }
    TTestFolder Folder;
    TFakeHost Host;
    std::unique_ptr<TForm3> Dialog;
};

std::vector<std::string> MemoLines(TForm3& d)
{
    std::vector<std::string> lines;
    TStrings* l = d.spSkinMemoHTML->GetLines();
    for (int i = 0; i < l->GetCount(); ++i) lines.push_back(l->Get(i));
    return lines;
}

std::vector<std::string> ExpectedHtml(int clientType, int layout, int port)
{
    TStringList addresses;
    EmbedHtml::GetLocalAddresses(&addresses);
    return EmbedHtml::Build(clientType, layout, &addresses, port);
}

// ---------------------------------------------------------------- settings

TEST(Customization, ApplyWritesEveryKeyInOrderWithTheControlsValues)
{
    CustomFixture f("cust_apply_order");
    TForm3& d = f.Show();
    d.CheckBox1->SetChecked(true);
    d.CheckBox3->SetChecked(false);
    d.CheckBox2->SetChecked(true);
    d.Edit1->SetText("C:\\rec\\away.str");
    d.Edit3->SetText("Hello, I am here");
    d.Edit2->SetText("Back soon");
    d.CheckBox13->SetChecked(true);
    d.Edit4->SetText("C:\\s\\in.wav");
    d.Edit5->SetText("C:\\s\\out.wav");
    d.Edit6->SetText("C:\\s\\bell.wav");
    d.CheckBox11->SetChecked(true);
    d.MaskEdit1->SetText("09:30");
    d.MaskEdit2->SetText("18:00");
    d.CheckBox12->SetChecked(false);
    d.CheckBox4->SetChecked(true);   // Monday
    d.CheckBox9->SetChecked(true);   // Saturday
    d.Edit7->SetText("viewers");
    d.Edit8->SetText("boss");
    d.Edit9->SetText("2.5");
    d.Edit10->SetText("me@pay.example");
    d.spSkinCheckRadioBox1->SetChecked(false);
    d.spSkinCheckRadioBox2->SetChecked(true);
    d.spSkinCheckRadioBox3->SetChecked(true);
    d.Button5Click(d.Button5);
    EXPECT_FALSE(d.GetVisible());

    // The client type was written when the dialog was shown (the HTML), the
    // rest by Apply, in its order.
    const std::vector<std::string> expected = {
        "ClientType=ActiveX",
        "AUTOVIDEO_STATE=1", "AUTOONLINE_STATE=0", "AUTOOFFLINE_STATE=1",
        "AUTOVIDEO=C:\\rec\\away.str", "AUTOONLINE=Hello, I am here", "AUTOOFFLINE=Back soon",
        "SOUND=1", "CONNECT=C:\\s\\in.wav", "DISCONNECT=C:\\s\\out.wav", "ALARM=C:\\s\\bell.wav",
        "AVAL=1", "OT=09:30", "DO=18:00", "ALLAVAL=0",
        "0=0", "1=1", "2=0", "3=0", "4=0", "5=0", "6=1",
        "PASS=viewers", "ADMINPASS=boss", "PRICE=2.5", "PAYPAL=me@pay.example", "SKIN=",
        "VIDEO_PAID=0", "VOICE_PAID=1", "CHAT_PAID=1",
    };
    EXPECT_EQ(SectionLines(Settings::SetupPath(), "SETTINGS"), expected);
    EXPECT_TRUE(f.Host.Calls.empty());
}

TEST(Customization, ApplyWithoutChangesRewritesTheLoadedValues)
{
    CustomFixture f("cust_apply_same");
    const std::vector<std::pair<const char*, std::string>> stored = {
        {"ClientType", "Java"},
        {"AUTOVIDEO_STATE", "1"}, {"AUTOONLINE_STATE", "1"}, {"AUTOOFFLINE_STATE", "0"},
        {"AUTOVIDEO", f.Folder + "away.str"}, {"AUTOONLINE", "hi"}, {"AUTOOFFLINE", "bye"},
        {"SOUND", "1"}, {"CONNECT", "a.wav"}, {"DISCONNECT", "b.wav"}, {"ALARM", "c.wav"},
        {"AVAL", "1"}, {"OT", "08:15"}, {"DO", "20:45"}, {"ALLAVAL", "1"},
        {"0", "1"}, {"1", "0"}, {"2", "1"}, {"3", "0"}, {"4", "1"}, {"5", "0"}, {"6", "1"},
        {"PASS", "p"}, {"ADMINPASS", "a"}, {"PRICE", "3"}, {"PAYPAL", "x@y.example"},
        {"SKIN", f.Folder + "SKINS\\Korvel2.skn"},
        {"VIDEO_PAID", "1"}, {"VOICE_PAID", "0"}, {"CHAT_PAID", "1"},
    };
    // The stored skin file is the one the program wears.
    f.Host.SkinFile = f.Folder + "SKINS\\Korvel2.skn";
    std::vector<std::string> lines;
    for (auto& kv : stored) {
        Settings::Write(kv.first, kv.second);
        lines.push_back(std::string(kv.first) + "=" + kv.second);
    }
    TForm3& d = f.Show();
    d.Button5Click(d.Button5);
    EXPECT_EQ(SectionLines(Settings::SetupPath(), "SETTINGS"), lines);
}

// Flags are ticked for any non-zero number; the groups with a check enable
// what is inside them only while ticked.
TEST(Customization, ShowLoadsTheSettingsAndTheDefaultsOfAbsentKeys)
{
    CustomFixture f("cust_show");
    Settings::Write("SOUND", "7");
    Settings::Write("AVAL", "0");
    TForm3& d = f.Show();
    EXPECT_TRUE(d.CheckBox13->GetChecked());
    EXPECT_TRUE(d.Edit4->GetEnabled());
    EXPECT_FALSE(d.CheckBox11->GetChecked());
    EXPECT_FALSE(d.MaskEdit1->GetEnabled());
    EXPECT_FALSE(d.CheckBox10->GetEnabled());
    EXPECT_FALSE(d.CheckBox1->GetChecked());
    EXPECT_FALSE(d.Edit1->GetEnabled());
    EXPECT_TRUE(d.Button7->GetEnabled());   // recording works whatever the group says
    EXPECT_EQ(d.Edit4->GetText(), f.Folder + "Sounds\\connect.wav");
    EXPECT_EQ(d.Edit5->GetText(), f.Folder + "Sounds\\disconnect.wav");
    EXPECT_EQ(d.Edit6->GetText(), f.Folder + "Sounds\\alarm.wav");
    EXPECT_EQ(d.Edit9->GetText(), "1");
    EXPECT_EQ(d.Edit10->GetText(), "");
    EXPECT_TRUE(d.spSkinCheckRadioBox1->GetChecked());
    EXPECT_FALSE(d.spSkinCheckRadioBox2->GetChecked());
    EXPECT_FALSE(d.spSkinCheckRadioBox3->GetChecked());
    // The passwords are shown masked.
    EXPECT_NE(dynamic_cast<TspSkinPasswordEdit*>(d.FindComponent("Edit7")), nullptr);
    EXPECT_NE(dynamic_cast<TspSkinPasswordEdit*>(d.FindComponent("Edit8")), nullptr);
    EXPECT_EQ(d.MaskEdit1->GetMaxLength(), 5);
    EXPECT_FALSE(d.spSkinTabSheet6->GetTabVisible());
    EXPECT_EQ(d.Tabsss->GetActivePage(), d.spSkinTabSheet1);

    // Ticking a group enables its controls again.
    d.CheckBox11->SetChecked(true);
    EXPECT_TRUE(d.MaskEdit1->GetEnabled());
    EXPECT_TRUE(d.CheckBox10->GetEnabled());
}

TEST(Customization, AFlagThatIsNotANumberAbandonsTheShow)
{
    TTestFolder folder("cust_bad_flag");
    Settings::Write("ALLAVAL", "yes");
    TFakeHost host;
    TModalStep guard([] { return false; }, 5000, [] {
        if (TCustomForm* m = ModalForm()) m->Close();
    });
    EXPECT_THROW(RunDialog<TForm3>(&host), EConvertError);
    EXPECT_FALSE(guard.Done());
    EXPECT_EQ(Settings::Read("ALLAVAL", ""), "yes");
}

TEST(Customization, CancelWritesNothingButTheClientType)
{
    CustomFixture f("cust_cancel");
    TForm3& d = f.Show();
    d.Edit10->SetText("changed");
    d.Button6Click(d.Button6);
    EXPECT_EQ(SectionLines(Settings::SetupPath(), "SETTINGS"), (std::vector<std::string>{"ClientType=ActiveX"}));
}

// The greeting sent while the operator is available is AUTOONLINE, the one
// sent while unavailable AUTOOFFLINE: each group names the status its text is for.
TEST(Customization, EachGreetingGroupIsCaptionedForTheStatusOfTheSettingItEdits)
{
    CustomFixture f("cust_greetings");
    Settings::Write("AUTOONLINE_STATE", "1");
    Settings::Write("AUTOONLINE", "Welcome, I am online");
    Settings::Write("AUTOOFFLINE_STATE", "0");
    Settings::Write("AUTOOFFLINE", "I am away");
    TForm3& d = f.Show();
    EXPECT_EQ(d.CheckBox3->GetCaption(),
              "The text that is sent automatically at connecting the user in Available status");
    EXPECT_TRUE(d.CheckBox3->GetChecked());
    EXPECT_EQ(d.Edit3->GetText(), "Welcome, I am online");
    EXPECT_EQ(d.CheckBox2->GetCaption(),
              "The text that is sent automatically at connecting the user in Unavailable status");
    EXPECT_FALSE(d.CheckBox2->GetChecked());
    EXPECT_EQ(d.Edit2->GetText(), "I am away");
}

// ---------------------------------------------------------------- languages and captions

TEST(Customization, LanguagesAreListedByTheirLangAndPickingOneWritesItAtOnce)
{
    CustomFixture f("cust_languages");
    WriteFileText(f.Folder + "Languages\\english.lng", "[Language]\r\nLang=English\r\n");
    WriteFileText(f.Folder + "Languages\\deutsch.lng", "[Language]\r\nLang=Deutsch\r\nHelpFile=x.chm\r\n");
    WriteFileText(f.Folder + "Languages\\blank.lng", "[Language]\r\nHelpFile=y.chm\r\n");
    WriteFileText(f.Folder + "Languages\\notes.txt", "[Language]\r\nLang=Notes\r\n");
    Settings::Write("LanguageFileName", "deutsch.lng");
    TForm3& d = f.Make();

    const auto& langs = d.Languages();
    ASSERT_EQ(langs.size(), 2u);
    ASSERT_EQ(d.spSkinComboBox1->GetItems()->GetCount(), 2);
    std::set<std::pair<std::string, std::string>> found;
    for (size_t i = 0; i < langs.size(); ++i) {
        EXPECT_EQ(d.spSkinComboBox1->GetItems()->Get(static_cast<int>(i)), langs[i].Name);
        found.insert({langs[i].Name, langs[i].FileName});
    }
    EXPECT_EQ(found, (std::set<std::pair<std::string, std::string>>{{"English", "english.lng"},
                                                                     {"Deutsch", "deutsch.lng"}}));
    // The current language is selected, and selecting it wrote nothing.
    int current = d.spSkinComboBox1->GetItemIndex();
    ASSERT_GE(current, 0);
    EXPECT_EQ(langs[current].FileName, "deutsch.lng");
    EXPECT_EQ(Settings::Read("LanguageFileName", ""), "deutsch.lng");

    // The operator picks the other one: written at once, and it stays when cancelled.
    d.Show();
    int other = 1 - current;
    d.spSkinComboBox1->SetItemIndex(other);
    d.spSkinComboBox1Change(d.spSkinComboBox1);
    EXPECT_EQ(Settings::Read("LanguageFileName", ""), "english.lng");
    d.Button6Click(d.Button6);
    EXPECT_EQ(Settings::Read("LanguageFileName", ""), "english.lng");
}

TEST(Customization, WithoutALanguagesFolderTheListIsEmpty)
{
    CustomFixture f("cust_no_languages");
    RemoveDirectoryA((f.Folder + "Languages").c_str());
    TForm3& d = f.Make();
    EXPECT_TRUE(d.Languages().empty());
    EXPECT_EQ(d.spSkinComboBox1->GetItems()->GetCount(), 0);
}

TEST(Customization, WritingModeWritesExactlyTheListedCaptions)
{
    CustomFixture f("cust_write_captions");
    Settings::Write("LanguageFileName", "new.lng");
    Settings::Write("LanguageFileNameR", "1");
    f.Show();
    const std::vector<std::string> expected = {
        "Caption=Customization",
        "spSkinTabSheet1=Sound settings",
        "spSkinTabSheet2=Availability settings",
        "spSkinTabSheet3=Account settings",
        "spSkinTabSheet4=Auto answering",
        "spSkinTabSheet5=Recording",
        "spOpenSkinDialog1=Open skin",
        "CheckBox13=Sound on/off",
        "spSkinStdLabel1=Sound on connect",
        "spSkinStdLabel2=Sound on disconnect",
        "spSkinStdLabel3=Sound call signal ",
        "Button9=Test",
        "Button10=Test",
        "Button11=Test",
        "CheckBox11=Availability on/off",
        "spSkinStdLabel8=from",
        "spSkinStdLabel9=to",
        "CheckBox12=Always available",
        "CheckBox10=Su",
        "CheckBox4=Mo",
        "CheckBox5=Tu",
        "CheckBox6=We",
        "CheckBox7=Th",
        "CheckBox8=Fr",
        "CheckBox9=Sa",
        "spSkinGroupBox1=Price",
        "spSkinStdLabel4=1 minute",
        "spSkinStdLabel5=Your paypal E-mail:",
        "spSkinGroupBox2=Passwords",
        "spSkinStdLabel6=Admin",
        "spSkinStdLabel7=Client",
        "CheckBox3=The text that is sent automatically at connecting the user in Available status",
        "CheckBox2=The text that is sent automatically at connecting the user in Unavailable status",
        "CheckBox1=The video data stream that is being sent to the client in Unavailable status",
        "Button7=Start Record",
        "Button8=Stop Record",
        "Button12=Play",
        "Button13=About",
        "spSkinButton1=Skin...",
        "Button5=Apply",
        "Button6=Cancel",
        "spSkinTabSheet7=Languages",
        "spSkinStdLabel11=Language",
    };
    std::vector<std::string> lines = SectionLines(f.Folder + "Languages\\new.lng", "Form3");
    // The profile functions keep a value's trailing blank only inside quotes;
    // compare without trailing blanks.
    for (auto* v : {&lines}) std::for_each(v->begin(), v->end(), [](std::string& s) { s = TrimRight(s); });
    std::vector<std::string> want = expected;
    std::for_each(want.begin(), want.end(), [](std::string& s) { s = TrimRight(s); });
    EXPECT_EQ(lines, want);
}

TEST(Customization, ReadingModeTranslatesAndRebuildsTheClientTypes)
{
    CustomFixture f("cust_read_captions");
    WriteFileText(f.Folder + "Languages\\x.lng",
                  "[Language]\r\nLang=X\r\n[Form3]\r\nCaption=Anpassen\r\nCheckBox10=So\r\n"
                  "spOpenSkinDialog1=Skin laden\r\nCheckBox3=Gruss online\r\nspSkinTabSheet8=Kunde\r\n"
                  "spSkinRadioGroup1Item1=Java-Kunde\r\nspSkinRadioGroup1Item2=ActiveX-Kunde\r\n");
    Settings::Write("LanguageFileName", "x.lng");
    TForm3& d = f.Show();
    EXPECT_EQ(d.GetCaption(), "Anpassen");
    EXPECT_EQ(d.CheckBox10->GetCaption(), "So");
    EXPECT_EQ(d.spOpenSkinDialog1->Title, "Skin laden");
    EXPECT_EQ(d.CheckBox3->GetCaption(), "Gruss online");
    EXPECT_EQ(d.spSkinTabSheet8->GetCaption(), "Kunde");
    EXPECT_EQ(d.Button5->GetCaption(), "Apply");
    ASSERT_EQ(d.spSkinRadioGroup1->GetItems()->GetCount(), 2);
    EXPECT_EQ(d.spSkinRadioGroup1->GetItems()->Get(0), "Java-Kunde");
    EXPECT_EQ(d.spSkinRadioGroup1->GetItems()->Get(1), "ActiveX-Kunde");
    EXPECT_EQ(d.spSkinRadioGroup1->GetItemIndex(), 1);
}

// Every caption the dialogs write in caption-writing mode is in the shipped
// English file with the same text, so reading it changes nothing.
TEST(Customization, TheShippedEnglishFileHoldsEveryDesignedCaptionOfTheDialogs)
{
    CustomFixture f("cust_shipped_english");
    std::string shipped = std::string("Z:") + SHIPPED_LANGUAGES_DIR + "/english.lng";
    std::replace(shipped.begin(), shipped.end(), '/', '\\');
    ASSERT_TRUE(FileExistsNow(shipped));
    Settings::Write("LanguageFileName", "new.lng");
    Settings::Write("LanguageFileNameR", "1");
    TFormSolvaneTMAbout about(nullptr);
    TForm2 prefs(nullptr, &f.Host);
    f.Show();
    for (const char* section : {"Form2", "Form3", "FormSolvaneTMAbout"}) {
        SCOPED_TRACE(section);
        std::vector<std::string> english = SectionLines(shipped, section);
        std::vector<std::string> written = SectionLines(f.Folder + "Languages\\new.lng", section);
        ASSERT_FALSE(written.empty());
        for (std::string& w : written) {
            w = TrimRight(w);
            EXPECT_NE(std::find(english.begin(), english.end(), w), english.end()) << w;
        }
    }
    // The keys that are read but never written are there too.
    std::vector<std::string> english = SectionLines(shipped, "Form3");
    for (const char* line : {"spSkinTabSheet8=Client settings", "spSkinRadioGroup1=Select client type",
                             "spSkinStdLabel12=Select skin", "spSkinStdLabel13=HTML code for integration into webpage",
                             "spSkinRadioGroup1Item1=Java client", "spSkinRadioGroup1Item2=ActiveX client"})
        EXPECT_NE(std::find(english.begin(), english.end(), line), english.end()) << line;
}

// ---------------------------------------------------------------- embedding HTML

TEST(Customization, ShowingProducesTheHtmlForTheStoredClientType)
{
    struct Case {
        const char* Stored;   // nullptr: absent
        int Type;
        const char* Written;
    } cases[] = {{nullptr, 1, "ActiveX"}, {"ActiveX", 1, "ActiveX"}, {"Java", 0, "Java"}, {"activex", 0, "Java"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Stored ? c.Stored : "absent");
        CustomFixture f("cust_html_show");
        f.Host.Port = 8081;
        if (c.Stored) Settings::Write("ClientType", c.Stored);
        TForm3& d = f.Show();
        EXPECT_EQ(d.spSkinRadioGroup1->GetItemIndex(), c.Type);
        EXPECT_EQ(MemoLines(d), ExpectedHtml(c.Type, 0, 8081));
        EXPECT_EQ(Settings::Read("ClientType", ""), c.Written);
    }
}

TEST(Customization, TheViewerControlHtmlCarriesThePortAddressAndLayout)
{
    CustomFixture f("cust_html_lines");
    TForm3& d = f.Show();
    d.spSkinComboBox2->SetItemIndex(2);
    d.spSkinComboBox2Change(d.spSkinComboBox2);
    std::vector<std::string> lines = MemoLines(d);
    TStringList addresses;
    EmbedHtml::GetLocalAddresses(&addresses);
    std::string address = addresses.GetCount() ? addresses.Get(0) : "127.0.0.1";
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[0], "<html>");
    EXPECT_EQ(lines[6], "classid=\"clsid:FFD85318-7565-4886-945C-D31E428F0947\"");
    EXPECT_EQ(lines[8], "width=330 height=500");
    EXPECT_EQ(lines[16], "Quenda.port = \"80\"");
    EXPECT_EQ(lines[17], "Quenda.address = \"" + address + "\"");
    EXPECT_EQ(lines[18], "Quenda.skin = \"prop3.skn\"");
    EXPECT_EQ(lines[21], "</HTML>");
}

TEST(Customization, SwitchingTheClientTypeStoresItAtOnce)
{
    CustomFixture f("cust_html_switch");
    TForm3& d = f.Show();
    d.spSkinComboBox2->SetItemIndex(2);
    d.spSkinRadioGroup1->SetItemIndex(0);
    std::vector<std::string> lines = MemoLines(d);
    EXPECT_EQ(lines, ExpectedHtml(0, 2, 80));
    EXPECT_EQ(Settings::Read("ClientType", ""), "Java");
    ASSERT_GE(lines.size(), 9u);
    EXPECT_EQ(lines[6], "name=VezEredi");
    EXPECT_EQ(lines[7], "width=300 height=500");
    EXPECT_EQ(lines[8], "archive=client.jar>");
    d.Button6Click(d.Button6);
    EXPECT_EQ(Settings::Read("ClientType", ""), "Java");
    d.spSkinRadioGroup1->SetItemIndex(1);
    EXPECT_EQ(Settings::Read("ClientType", ""), "ActiveX");
}

TEST(Customization, NoLayoutSelectedGivesNoSizeLineAndStillStoresTheType)
{
    CustomFixture f("cust_html_nolayout");
    Settings::Write("ClientType", "Java");
    TForm3& d = f.Show();
    Settings::Write("ClientType", "changed");
    d.spSkinComboBox2->SetItemIndex(-1);
    d.spSkinComboBox2Change(d.spSkinComboBox2);
    std::vector<std::string> lines = MemoLines(d);
    EXPECT_EQ(lines, ExpectedHtml(0, -1, 80));
    for (const std::string& l : lines) EXPECT_EQ(l.find("width="), std::string::npos) << l;
    EXPECT_EQ(Settings::Read("ClientType", ""), "Java");
}

TEST(Customization, InWritingModeAStoredActiveXLeavesTheHtmlEmpty)
{
    CustomFixture f("cust_html_write");
    Settings::Write("LanguageFileName", "new.lng");
    Settings::Write("LanguageFileNameR", "1");
    Settings::Write("ClientType", "ActiveX");
    TForm3& d = f.Show();
    EXPECT_EQ(d.spSkinRadioGroup1->GetItemIndex(), 1);
    EXPECT_TRUE(d.spSkinMemoHTML->GetText().empty());
}

// ---------------------------------------------------------------- recording

TEST(Customization, StartRecordHandsTheRecordingToTheMainWindow)
{
    CustomFixture f("cust_record");
    std::string first = f.Folder + "first.str";
    {
        TForm3& d = f.Show();
        TFileDialogHand hand(first);
        d.Button7->ButtonClick();
        hand.WaitFor();
        EXPECT_TRUE(hand.Answered());
        ASSERT_TRUE(f.Host.Recorder);
        EXPECT_TRUE(f.Host.Recorder->IsOpen());
        EXPECT_EQ(d.Edit1->GetText(), first);
        EXPECT_FALSE(d.Button7->GetEnabled());
        EXPECT_TRUE(d.Button8->GetEnabled());
        d.Button5Click(d.Button5);
        EXPECT_EQ(Settings::Read("AUTOVIDEO", ""), first);
    }
    // Closing and freeing the dialog leaves the main window recording.
    f.Dialog.reset();
    ASSERT_TRUE(f.Host.Recorder);
    EXPECT_TRUE(OpenForWriting(first));
    EXPECT_EQ(f.Host.RecordingsClosed, 0);

    // A later dialog stops it, although it did not start it.
    TForm3& again = f.Show();
    again.Button8->ButtonClick();
    EXPECT_FALSE(f.Host.Recorder);
    EXPECT_EQ(f.Host.RecordingsClosed, 1);
    EXPECT_FALSE(OpenForWriting(first));
    EXPECT_TRUE(again.Button7->GetEnabled());
    EXPECT_FALSE(again.Button8->GetEnabled());
    EXPECT_EQ(f.Host.Calls, (std::vector<std::string>{"StartRecording", "StopRecording"}));
}

TEST(Customization, ACancelledSaveDialogStartsNoRecording)
{
    CustomFixture f("cust_record_cancel");
    TForm3& d = f.Show();
    TFileDialogHand hand("");
    d.Button7->ButtonClick();
    hand.WaitFor();
    EXPECT_TRUE(hand.Answered());
    EXPECT_FALSE(f.Host.Recorder);
    EXPECT_TRUE(f.Host.Calls.empty());
    EXPECT_TRUE(d.Button7->GetEnabled());
}

TEST(Customization, PlayWithAnEmptyRecordingFieldDoesNothing)
{
    CustomFixture f("cust_play_empty");
    TForm3& d = f.Show();
    // The second case shows that the watch does see a preview when Play opens one.
    struct Case {
        std::string file;
        bool preview;
    } cases[] = {{"", false}, {f.Folder + "absent.str", true}};
    for (auto& c : cases) {
        d.Edit1->SetText(c.file);
        bool seen = false;
        TModalStep watch(
            [&] {
                auto* preview = dynamic_cast<TForm4*>(ModalForm());
                if (preview) {
                    seen = true;
                    preview->Close();
                }
                return seen;
            },
            3000);
        // A preview is modal: the click returns once the watch has closed it.
        d.Button12->ButtonClick();
        EXPECT_EQ(seen, c.preview) << c.file;
        EXPECT_EQ(FilePlayer, nullptr) << c.file;
    }
}

// ---------------------------------------------------------------- skin and about

std::string SkinPath(const char* Name) { return std::string(SKINS_DIR) + "\\" + Name + ".skn"; }

void CopySkin(const char* Name, const std::string& To)
{
    CreateDirectoryA(To.substr(0, To.rfind('\\')).c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(SkinPath(Name).c_str(), To.c_str(), FALSE)) << To;
}

TEST(Customization, SkinLoadsTheChosenFileAndApplyStoresOnlyALoadedSkin)
{
    // The skin outlives the dialogs that wear it.
    TspSkinData skin(nullptr);
    CustomFixture f("cust_skin");
    f.Host.Skin = &skin;
    const std::string korvel = f.Folder + "SKINS\\Korvel2.skn", sarnic = f.Folder + "SKINS\\Sarnic.skn",
                      bad = f.Folder + "SKINS\\Bad.skn";
    CopySkin("Korvel2", korvel);
    CopySkin("Sarnic", sarnic);
    WriteFileText(bad, "skin");
    ASSERT_TRUE(skin.LoadFromCompressedFile(korvel));
    f.Host.SkinFile = korvel;
    const std::string korvelName = skin.SkinName;
    Settings::Write("SKIN", korvel);
    TForm3& d = f.Show();
    EXPECT_EQ(d.SkinFile(), korvel);
    struct Case {
        std::string File;
        bool Loads;
    } cases[] = {{sarnic, true}, {bad, false}};
    for (const Case& c : cases) {
        TSkinDialogHand hand(d, c.File);
        d.spSkinButton1->ButtonClick();
        EXPECT_EQ(hand.Title, "Open skin");
        ASSERT_FALSE(f.Host.SkinFilesTried.empty());
        EXPECT_EQ(f.Host.SkinFilesTried.back(), c.File);
        // A file that does not load leaves the skin in use and the file Apply would store.
        EXPECT_EQ(d.SkinFile(), sarnic) << c.File;
        EXPECT_FALSE(skin.Empty);
    }
    EXPECT_NE(skin.SkinName, korvelName);
    // Cancelled: nothing stored; a later dialog still knows the skin in use.
    d.Button6Click(d.Button6);
    EXPECT_EQ(Settings::Read("SKIN", ""), korvel);
    TForm3& again = f.Show();
    again.Button5Click(again.Button5);
    EXPECT_EQ(Settings::Read("SKIN", ""), sarnic);
}

TEST(Customization, SkinIsEmptyWhileTheBuiltInSkinIsInUse)
{
    // The stored file is gone or damaged (the start-up fell back on the built-in
    // skin), or none is stored; a host without a skin loads nothing.
    CustomFixture f("cust_skin_builtin");
    WriteFileText(f.Folder + "SKINS\\Other.skn", "skin");
    WriteFileText(f.Folder + "SKINS\\Damaged.skn", "skin");
    for (std::string stored : {f.Folder + "SKINS\\Gone.skn", f.Folder + "SKINS\\Damaged.skn", std::string()}) {
        Settings::Write("SKIN", stored);
        TForm3& d = f.Show();
        EXPECT_EQ(d.SkinFile(), "") << stored;
        TSkinDialogHand hand(d, f.Folder + "SKINS\\Other.skn");
        d.spSkinButton1->ButtonClick();
        EXPECT_EQ(d.SkinFile(), "") << stored;
        d.Button5Click(d.Button5);
        EXPECT_EQ(Settings::Read("SKIN", "unset"), "") << stored;
    }
}

TEST(Customization, AboutShowsTheAboutWindowModally)
{
    CustomFixture f("cust_about");
    TForm3& d = f.Show();
    bool saw = false;
    TModalStep close([&] {
        TCustomForm* m = ModalForm();
        if (!m || m != FormSolvaneTMAbout) return false;
        saw = true;
        FormSolvaneTMAbout->Button1->ButtonClick();
        return true;
    }, 10000, [] {
        if (TCustomForm* m = ModalForm()) m->Close();
    });
    d.Button13->ButtonClick();
    EXPECT_TRUE(saw);
    DeleteAboutWindow();
}

} // namespace
