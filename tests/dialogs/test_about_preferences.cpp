// The about window and the Preferences dialog: designed captions, the language
// file in both modes, the stored settings, and what Apply and "Compress setup"
// ask of the main window.
#include "test_gtest.h"
#include "AboutForm.h"
#include "DialogTestKit.h"
#include "PreferencesForm.h"
#include "Settings.h"

using namespace dlgtest;

namespace {

// ---------------------------------------------------------------- about window

TEST(AboutWindow, ShowsTheProductVersionAndYearWithTheDesignedCaptions)
{
    TTestFolder folder("about_designed");
    TFormSolvaneTMAbout about(nullptr);
    EXPECT_EQ(about.GetCaption(), "About...");
    EXPECT_EQ(about.Button1->GetCaption(), "Ok");
    EXPECT_EQ(about.spSkinLabel1->GetCaption(), "Orvanta TM");
    EXPECT_NE(about.Label3->GetCaption().find("2.0.0.2"), std::string::npos);
    EXPECT_EQ(about.spSkinStdLabel2->GetCaption(), "2005");
    EXPECT_EQ(about.GetClientWidth(), 445);
    EXPECT_EQ(about.GetClientHeight(), 156);
    EXPECT_EQ(about.Image1->GetWidth(), 148);
    EXPECT_EQ(about.Image1->GetHeight(), 111);
}

TEST(AboutWindow, TakesItsCaptionsFromTheLanguageFile)
{
    TTestFolder folder("about_read");
    WriteFileText(folder + "Languages\\de.lng", "[Language]\r\nLang=Deutsch\r\n[FormSolvaneTMAbout]\r\n"
                                                "Caption=Info\r\nButton1=Gut\r\n");
    Settings::Write("LanguageFileName", "de.lng");
    TFormSolvaneTMAbout about(nullptr);
    EXPECT_EQ(about.GetCaption(), "Info");
    EXPECT_EQ(about.Button1->GetCaption(), "Gut");
}

TEST(AboutWindow, WritingModeWritesTheCaptionAndTheButton)
{
    TTestFolder folder("about_write");
    Settings::Write("LanguageFileName", "new.lng");
    Settings::Write("LanguageFileNameR", "1");
    TFormSolvaneTMAbout about(nullptr);
    EXPECT_EQ(SectionLines(folder + "Languages\\new.lng", "FormSolvaneTMAbout"),
              (std::vector<std::string>{"Caption=About...", "Button1=Ok"}));
    EXPECT_EQ(about.GetCaption(), "About...");
}

TEST(AboutWindow, OkClosesTheModalWindow)
{
    TTestFolder folder("about_modal");
    NewAboutWindow();
    ASSERT_NE(FormSolvaneTMAbout, nullptr);
    bool sawIt = false;
    TModalStep click([&] {
        if (ModalForm() != FormSolvaneTMAbout) return false;
        sawIt = true;
        FormSolvaneTMAbout->Button1->ButtonClick();
        return true;
    }, 10000, [] {
        // Never leave a modal loop running when the test fails.
        if (ModalForm() == FormSolvaneTMAbout) FormSolvaneTMAbout->Close();
    });
    RunAboutWindow();
    EXPECT_TRUE(sawIt);
    EXPECT_FALSE(FormSolvaneTMAbout->GetVisible());
    DeleteAboutWindow();
    EXPECT_EQ(FormSolvaneTMAbout, nullptr);
}

// ---------------------------------------------------------------- Preferences

struct PrefsFixture {
    explicit PrefsFixture(const std::string& name) : Folder(name) {}
    TForm2& Show()
    {
        Dialog.reset(new TForm2(nullptr, &Host));
        Dialog->Show();
        return *Dialog;
    }
    TTestFolder Folder;
    TFakeHost Host;
    std::unique_ptr<TForm2> Dialog;
};

TEST(Preferences, WithoutStoredValuesTheFirstSpeedAndTheSmallSizeAreSelected)
{
    PrefsFixture f("prefs_defaults");
    TForm2& d = f.Show();
    EXPECT_EQ(d.ComboBox1->GetItemIndex(), 0);
    EXPECT_EQ(d.ComboBox2->GetItemIndex(), 0);
    EXPECT_EQ(d.ComboBox1->GetText(), "LAN 100 Mbps");
    EXPECT_EQ(d.ComboBox2->GetText(), "160x120");
    EXPECT_EQ(d.GetCaption(), "Preferences");
    EXPECT_EQ(d.GetClientWidth(), 451);
    EXPECT_EQ(d.GetClientHeight(), 147);
    EXPECT_TRUE(f.Host.Calls.empty());
}

// Apply stores both indexes and restarts the video, telling every chat
// connection, only when the size differs from the one the main window works at.
TEST(Preferences, ApplyRestartsTheVideoAndSendsResizeOnlyWhenTheSizeChanged)
{
    const std::vector<std::string> restart = {"SetResIndex 1", "StopVideo", "SetCodecConfigure 0", "InitVideo",
                                              "SendText ~resizevideo"};
    struct Case {
        const char* Name;
        const char* StoredRes;   // nullptr: absent
        int HostRes;
        int Pick;                // ComboBox2 choice before Apply
        int Speed;
        const char* WrittenRes;
        std::vector<std::string> Calls;
    } cases[] = {
        {"unchanged", nullptr, 0, 0, 3, "0", {}},
        {"160 to 320", "0", 0, 1, 1, "1", restart},
        {"same choice again", "1", 1, 1, 0, "1", {}},
        // The stored value differs but the main window already works at the choice.
        {"after a cancelled change", "0", 1, 1, 2, "1", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        PrefsFixture f("prefs_apply");
        if (c.StoredRes) Settings::Write("RES", c.StoredRes);
        f.Host.ResIndex = c.HostRes;
        TForm2& d = f.Show();
        d.ComboBox2->SetItemIndex(c.Pick);
        d.ComboBox1->SetItemIndex(c.Speed);
        d.Button5Click(d.Button5);
        EXPECT_EQ(Settings::Read("RES", "absent"), c.WrittenRes);
        EXPECT_EQ(Settings::Read("LAN", "absent"), IntToStr(c.Speed));
        EXPECT_EQ(f.Host.Calls, c.Calls);
        EXPECT_FALSE(d.GetVisible());
    }
}

// A stored size this dialog does not offer (640x480 set by hand) selects no
// item; Apply then keeps RES as it is instead of writing -1, and restarts nothing.
TEST(Preferences, ApplyNeverWritesMinusOneIntoRes)
{
    PrefsFixture f("prefs_res2");
    Settings::Write("RES", "2");
    f.Host.ResIndex = 2;
    TForm2& d = f.Show();
    EXPECT_EQ(d.ComboBox2->GetItemIndex(), -1);
    d.Button5Click(d.Button5);
    EXPECT_EQ(Settings::Read("RES", ""), "2");
    EXPECT_EQ(Settings::Read("LAN", ""), "0");
    EXPECT_TRUE(f.Host.Calls.empty());
}

TEST(Preferences, CancelWritesNothing)
{
    PrefsFixture f("prefs_cancel");
    TForm2& d = f.Show();
    d.ComboBox2->SetItemIndex(1);
    d.Button6Click(d.Button6);
    EXPECT_EQ(Settings::Read("RES", "absent"), "absent");
    EXPECT_EQ(Settings::Read("LAN", "absent"), "absent");
    EXPECT_TRUE(f.Host.Calls.empty());
}

TEST(Preferences, CompressSetupRestartsTheVideoWithTheCodecDialogAndKeepsTheDialogOpen)
{
    PrefsFixture f("prefs_codec");
    TForm2& d = f.Show();
    d.spSkinButton1->ButtonClick();
    d.spSkinButton1->ButtonClick();
    EXPECT_EQ(f.Host.Calls, (std::vector<std::string>{"StopVideo", "SetCodecConfigure 1", "InitVideo", "StopVideo",
                                                      "SetCodecConfigure 1", "InitVideo"}));
    EXPECT_TRUE(d.GetVisible());
}

TEST(Preferences, ModalUseAppliesThroughTheButtonAndIsFreedAfter)
{
    TTestFolder folder("prefs_modal");
    TFakeHost host;
    bool clicked = false;
    TModalStep apply([&] {
        auto* d = dynamic_cast<TForm2*>(ModalForm());
        if (!d) return false;
        d->ComboBox2->SetItemIndex(1);
        d->Button5->ButtonClick();
        clicked = true;
        return true;
    }, 10000, [] {
        if (TCustomForm* m = ModalForm()) m->Close();
    });
    RunDialog<TForm2>(&host);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(Settings::Read("RES", ""), "1");
    EXPECT_EQ(host.Calls.back(), "SendText ~resizevideo");
}

// A stored value that is not a number abandons the show; the error reaches the
// command that opened the dialog (which logs it) and nothing is written.
TEST(Preferences, AValueThatIsNotANumberAbandonsTheShow)
{
    for (const char* key : {"RES", "LAN"}) {
        SCOPED_TRACE(key);
        TTestFolder folder("prefs_bad");
        Settings::Write(key, "big");
        TFakeHost host;
        TModalStep guard([] { return false; }, 5000, [] {
            if (TCustomForm* m = ModalForm()) m->Close();
        });
        EXPECT_THROW(RunDialog<TForm2>(&host), EConvertError);
        EXPECT_FALSE(guard.Done());
        EXPECT_EQ(Settings::Read(key, ""), "big");
        EXPECT_TRUE(host.Calls.empty());
    }
}

TEST(Preferences, WritingModeWritesTheEightDesignedCaptions)
{
    PrefsFixture f("prefs_write");
    Settings::Write("LanguageFileName", "new.lng");
    Settings::Write("LanguageFileNameR", "1");
    TForm2& d = f.Show();
    EXPECT_EQ(SectionLines(f.Folder + "Languages\\new.lng", "Form2"),
              (std::vector<std::string>{"spSkinGroupBox2=Video settings", "spSkinGroupBox1=Network settings",
                                        "spSkinStdLabel2=Video resolution", "spSkinStdLabel1=Net speed",
                                        "spSkinButton1=Compress setup", "Button5=Apply", "Button6=Cancel",
                                        "Caption=Preferences"}));
    EXPECT_EQ(d.Button5->GetCaption(), "Apply");
}

TEST(Preferences, ReadingModeTakesTheCaptionsOfSectionForm2)
{
    PrefsFixture f("prefs_read");
    WriteFileText(f.Folder + "Languages\\x.lng",
                  "[Language]\r\nLang=X\r\n[Form2]\r\nCaption=Einstellungen\r\nButton5=Anwenden\r\n"
                  "spSkinGroupBox1=Netz\r\n");
    Settings::Write("LanguageFileName", "x.lng");
    TForm2& d = f.Show();
    EXPECT_EQ(d.GetCaption(), "Einstellungen");
    EXPECT_EQ(d.Button5->GetCaption(), "Anwenden");
    EXPECT_EQ(d.spSkinGroupBox1->GetCaption(), "Netz");
    EXPECT_EQ(d.Button6->GetCaption(), "Cancel");
}

} // namespace
