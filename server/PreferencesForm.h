// The Preferences dialog: the video size the compressor works at (RES), the
// operator's network speed (LAN) and the codec's own set-up.
#pragma once
#include "DialogHost.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"
#include <exception>
#include <string>

class TForm2 : public TForm {
public:
    TForm2(TComponent* AOwner, IDialogHost* Host);

    TGroupBox* spSkinGroupBox2;   // video settings
    TLabel* spSkinStdLabel2;
    TComboBox* ComboBox2;         // the frame size index
    TButton* spSkinButton1;       // the codec's set-up
    TGroupBox* spSkinGroupBox1;   // network settings
    TLabel* spSkinStdLabel1;
    TComboBox* ComboBox1;         // the network speed index
    TPanel* spSkinPanel1;
    TButton* Button5;             // Apply
    TButton* Button6;             // Cancel

    void FormShow(TObject* Sender);
    void Button5Click(TObject* Sender);
    void Button6Click(TObject* Sender);
    void Button1Click(TObject* Sender);

    // The error that abandoned the show (a stored value that is not a number);
    // whoever showed the dialog raises it again.
    std::exception_ptr ShowError;

private:
    void CreateComponents();
    void Translate();
    void LoadSettings();
    IDialogHost* FHost;
};
