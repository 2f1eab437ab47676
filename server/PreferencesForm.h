// The Preferences dialog: the video size the compressor works at (RES), the
// operator's network speed (LAN) and the codec's own set-up.
#pragma once
#include "DialogControls.h"
#include "DialogHost.h"
#include "Forms.h"
#include "StdCtrls.h"
#include <exception>
#include <string>

class TForm2 : public TForm {
public:
    TForm2(TComponent* AOwner, IDialogHost* Host);

    TspSkinGroupBox* spSkinGroupBox2;   // video settings
    TspSkinStdLabel* spSkinStdLabel2;
    TspSkinComboBox* ComboBox2;         // the frame size index
    TspSkinButton* spSkinButton1;       // the codec's set-up
    TspSkinGroupBox* spSkinGroupBox1;   // network settings
    TspSkinStdLabel* spSkinStdLabel1;
    TspSkinComboBox* ComboBox1;         // the network speed index
    TspSkinPanel* spSkinPanel1;
    TspSkinButton* Button5;             // Apply
    TspSkinButton* Button6;             // Cancel
    TspFormFrame* spFormFrame1;         // the skinned frame, bound to the main window's skin

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
