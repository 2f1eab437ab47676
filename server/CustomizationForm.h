// The Customization dialog: almost every setting of setup.ini (sounds, the
// availability schedule, price and account, passwords, greetings, the stream
// shown while unavailable, the payment switches), the language and the skin;
// it also starts and stops a recording, previews one, and produces the HTML
// that embeds the viewer in a web page.
#pragma once
#include "ComCtrls.h"
#include "DialogControls.h"
#include "DialogHost.h"
#include "SkinFramedMemo.h"
#include "Dialogs.h"
#include "Forms.h"
#include "StdCtrls.h"
#include <exception>
#include <string>
#include <vector>

// One language found in the Languages folder: the name it is listed under
// (its Lang value) and its file name without the folder.
struct LNG {
    std::string Name;
    std::string FileName;
};

class TForm3 : public TForm {
public:
    TForm3(TComponent* AOwner, IDialogHost* Host);

    TspSkinPageControl* Tabsss;
    // Sound settings. The groups with a check in their caption enable the
    // controls inside them only while ticked.
    TspSkinTabSheet* spSkinTabSheet1;
    TspSkinGroupBox* CheckBox13;
    TspSkinStdLabel *spSkinStdLabel1, *spSkinStdLabel2, *spSkinStdLabel3;
    TspSkinEdit *Edit4, *Edit5, *Edit6;
    TspSkinButton *Button2, *Button3, *Button4;      // "..."
    TspSkinButton *Button9, *Button10, *Button11;    // Test
    // Availability settings.
    TspSkinTabSheet* spSkinTabSheet2;
    TspSkinGroupBox* CheckBox11;
    TspSkinStdLabel *spSkinStdLabel8, *spSkinStdLabel9;
    TspSkinEdit *MaskEdit1, *MaskEdit2;
    TspSkinCheckRadioBox* CheckBox12;
    TspSkinCheckRadioBox *CheckBox10, *CheckBox4, *CheckBox5, *CheckBox6, *CheckBox7, *CheckBox8, *CheckBox9;
    // Account settings.
    TspSkinTabSheet* spSkinTabSheet3;
    TspSkinGroupBox* spSkinGroupBox1;                // price
    TspSkinEdit* Edit9;
    TspSkinStdLabel *spSkinStdLabel4, *spSkinStdLabel10, *spSkinStdLabel5;
    TspSkinEdit* Edit10;
    TspSkinGroupBox* spSkinGroupBox2;                // passwords
    TspSkinStdLabel *spSkinStdLabel6, *spSkinStdLabel7;
    TspSkinPasswordEdit *Edit8, *Edit7;
    // Auto answering: the greeting sent while available, and the one sent while unavailable.
    TspSkinTabSheet* spSkinTabSheet4;
    TspSkinGroupBox* CheckBox3;
    TspSkinEdit* Edit3;
    TspSkinGroupBox* CheckBox2;
    TspSkinEdit* Edit2;
    // Recording.
    TspSkinTabSheet* spSkinTabSheet5;
    TspSkinGroupBox* CheckBox1;
    TspSkinEdit* Edit1;
    TspSkinButton* Button1;                          // "..."
    TspSkinButton *Button7, *Button8, *Button12;     // Start Record, Stop Record, Play
    // The payment switches (the page's tab is hidden).
    TspSkinTabSheet* spSkinTabSheet6;
    TspSkinGroupBox* spSkinGroupBox3;
    TspSkinCheckRadioBox *spSkinCheckRadioBox1, *spSkinCheckRadioBox2, *spSkinCheckRadioBox3;
    // Languages.
    TspSkinTabSheet* spSkinTabSheet7;
    TspSkinStdLabel* spSkinStdLabel11;
    TspSkinComboBox* spSkinComboBox1;
    // Client settings: the embedding HTML.
    TspSkinTabSheet* spSkinTabSheet8;
    TspSkinStdLabel *spSkinStdLabel12, *spSkinStdLabel13;
    TspSkinComboBox* spSkinComboBox2;                // the viewer's layout
    TRadioGroup* spSkinRadioGroup1;                  // the client type
    TspSkinMemo* spSkinMemoHTML;
    TspSkinScrollBar *spSkinScrollBar1, *spSkinScrollBar2;   // the memo's vertical and horizontal bars
    // Below the pages.
    TspSkinPanel* spSkinPanel2;
    TspSkinButton *Button13, *Button5, *Button6, *spSkinButton1;   // About, Apply, Cancel, Skin...
    TSaveDialog* SaveDialog1;
    TOpenDialog* OpenDialog1;
    // The platform's open dialog on the SKINS folder; the skin chosen in it is
    // loaded into the program through the main window.
    TOpenDialog* spOpenSkinDialog1;
    TspFormFrame* spFormFrame1;                      // the skinned frame, bound to the main window's skin

    void FormShow(TObject* Sender);
    void Button5Click(TObject* Sender);
    void Button6Click(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);
    void Button4Click(TObject* Sender);
    void Button9Click(TObject* Sender);
    void Button10Click(TObject* Sender);
    void Button11Click(TObject* Sender);
    void Button7Click(TObject* Sender);
    void Button8Click(TObject* Sender);
    void Button12Click(TObject* Sender);
    void Button13Click(TObject* Sender);
    void spSkinButton1Click(TObject* Sender);
    void spSkinComboBox1Change(TObject* Sender);
    void spSkinComboBox2Change(TObject* Sender);
    // Produces the embedding HTML for the chosen client type and layout, and
    // stores the client type.
    void spSkinRadioGroup1Click(TObject* Sender);
    void GetLocalAddresses(TStrings* List);

    // The languages listed, entry i for item i of spSkinComboBox1.
    const std::vector<LNG>& Languages() const { return FLanguages; }
    // The skin file that Apply stores as SKIN: the file of the skin in use,
    // empty while the built-in skin is.
    const std::string& SkinFile() const { return FSkinFile; }
    // The error that abandoned the show (a stored flag that is not a number);
    // whoever showed the dialog raises it again.
    std::exception_ptr ShowError;

    // The error-log line of a failed preview (Windows-1251: a player error).
    static const char* const PlayErrorPrefix;

private:
    void CreateComponents();
    void CreateSoundPage();
    void CreateAvailabilityPage();
    void CreateAccountPage();
    void CreateAnswerPage();
    void CreateRecordingPage();
    void CreatePrivatePage();
    void CreateLanguagePage();
    void CreateClientPage();
    void CreateButtons();
    void ListLanguages();
    void LoadSettings();
    void Translate();
    void SelectClientType();
    void ChooseFile(TspSkinEdit* Edit);
    void PlayFile(TspSkinEdit* Edit);

    IDialogHost* FHost;
    std::vector<LNG> FLanguages;
    std::string FSkinFile;
};

