// The Customization dialog: almost every setting of setup.ini (sounds, the
// availability schedule, price and account, passwords, greetings, the stream
// shown while unavailable, the payment switches), the language and the skin;
// it also starts and stops a recording, previews one, and produces the HTML
// that embeds the viewer in a web page.
#pragma once
#include "CheckGroupBox.h"
#include "ComCtrls.h"
#include "DialogHost.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
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

    TPageControl* Tabsss;
    // Sound settings.
    TTabSheet* spSkinTabSheet1;
    CCheckGroupBox* CheckBox13;
    TLabel *spSkinStdLabel1, *spSkinStdLabel2, *spSkinStdLabel3;
    TEdit *Edit4, *Edit5, *Edit6;
    TButton *Button2, *Button3, *Button4;      // "..."
    TButton *Button9, *Button10, *Button11;    // Test
    // Availability settings.
    TTabSheet* spSkinTabSheet2;
    CCheckGroupBox* CheckBox11;
    TLabel *spSkinStdLabel8, *spSkinStdLabel9;
    TEdit *MaskEdit1, *MaskEdit2;
    TCheckBox* CheckBox12;
    TCheckBox *CheckBox10, *CheckBox4, *CheckBox5, *CheckBox6, *CheckBox7, *CheckBox8, *CheckBox9;
    // Account settings.
    TTabSheet* spSkinTabSheet3;
    TGroupBox* spSkinGroupBox1;                // price
    TEdit* Edit9;
    TLabel *spSkinStdLabel4, *spSkinStdLabel10, *spSkinStdLabel5;
    TEdit* Edit10;
    TGroupBox* spSkinGroupBox2;                // passwords
    TLabel *spSkinStdLabel6, *spSkinStdLabel7;
    TEdit *Edit8, *Edit7;                      // shown masked
    // Auto answering: the greeting sent while available, and the one sent while unavailable.
    TTabSheet* spSkinTabSheet4;
    CCheckGroupBox* CheckBox3;
    TEdit* Edit3;
    CCheckGroupBox* CheckBox2;
    TEdit* Edit2;
    // Recording.
    TTabSheet* spSkinTabSheet5;
    CCheckGroupBox* CheckBox1;
    TEdit* Edit1;
    TButton* Button1;                          // "..."
    TButton *Button7, *Button8, *Button12;     // Start Record, Stop Record, Play
    // The payment switches (the page's tab is hidden).
    TTabSheet* spSkinTabSheet6;
    TGroupBox* spSkinGroupBox3;
    TCheckBox *spSkinCheckRadioBox1, *spSkinCheckRadioBox2, *spSkinCheckRadioBox3;
    // Languages.
    TTabSheet* spSkinTabSheet7;
    TLabel* spSkinStdLabel11;
    TComboBox* spSkinComboBox1;
    // Client settings: the embedding HTML.
    TTabSheet* spSkinTabSheet8;
    TLabel *spSkinStdLabel12, *spSkinStdLabel13;
    TComboBox* spSkinComboBox2;                // the viewer's layout
    TRadioGroup* spSkinRadioGroup1;            // the client type
    TMemo* spSkinMemoHTML;
    // Below the pages.
    TPanel* spSkinPanel2;
    TButton *Button13, *Button5, *Button6, *spSkinButton1;   // About, Apply, Cancel, Skin...
    TSaveDialog* SaveDialog1;
    TOpenDialog* OpenDialog1;
    // Stands in for the skinned open-skin dialog: the platform's open dialog on
    // the SKINS folder, whose choice is only remembered as the skin in use.
    TOpenDialog* spOpenSkinDialog1;

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
    // The skin file that Apply stores as SKIN.
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
    void ChooseFile(TEdit* Edit);
    void PlayFile(TEdit* Edit);

    IDialogHost* FHost;
    std::vector<LNG> FLanguages;
    std::string FSkinFile;
};

// Forgets the skin file chosen with Skin... during this run (as a new start of
// the program does): the skin in use is again the one SKIN names.
void ForgetChosenSkin();
