// Dialogs: message boxes, the input box, and the system's open and save
// dialogs.
#pragma once
#include "Form.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : unsigned {
    mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbAbort = 16, mbRetry = 32, mbIgnore = 64, mbAll = 128,
    mbNoToAll = 256, mbYesToAll = 512, mbHelp = 1024
};
typedef unsigned TMsgDlgButtons;
const TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
const TMsgDlgButtons mbOKCancel = mbOK | mbCancel;
const TMsgDlgButtons mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

// A message with an OK button; the caption is the application's title.
void ShowMessage(const std::string& Msg);
// A message box with the buttons asked for (the nearest system set); returns mrOk, mrYes, ...
int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx = 0);
// Asks for a line of text; Value keeps the answer. False when cancelled.
bool InputQuery(const std::string& ACaption, const std::string& APrompt, std::string& Value);
// The answer, or Default when cancelled.
std::string InputBox(const std::string& ACaption, const std::string& APrompt, const std::string& ADefault);

enum TOpenOption : unsigned {
    ofReadOnly = 1, ofOverwritePrompt = 2, ofHideReadOnly = 4, ofNoChangeDir = 8, ofAllowMultiSelect = 16,
    ofExtensionDifferent = 32, ofPathMustExist = 64, ofFileMustExist = 128, ofCreatePrompt = 256,
    ofNoReadOnlyReturn = 512, ofNoTestFileCreate = 1024, ofEnableSizing = 2048
};
typedef unsigned TOpenOptions;

class TCommonDialog : public TComponent {
public:
    explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
    virtual bool Execute() = 0;
    TNotifyEvent OnShow;
    TNotifyEvent OnClose;
};

// The system's file dialog. Filter is "Description|*.ext|Other|*.a;*.b";
// FilterIndex counts from 1; FileName is set before and read after Execute.
class TOpenDialog : public TCommonDialog {
public:
    explicit TOpenDialog(TComponent* AOwner);
    ~TOpenDialog() override;
    bool Execute() override;
    std::string FileName;
    std::string InitialDir;
    std::string Filter;
    int FilterIndex = 1;
    std::string DefaultExt;
    std::string Title;
    TOpenOptions Options = ofHideReadOnly | ofEnableSizing;
    // The chosen files (several with ofAllowMultiSelect).
    TStrings* GetFiles() const { return FFiles.get(); }
protected:
    bool DoExecute(bool Save);
private:
    std::unique_ptr<TStringList> FFiles;
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
    bool Execute() override;
};
