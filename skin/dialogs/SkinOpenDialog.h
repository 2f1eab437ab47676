// The skinned open and save file dialogs: components whose Execute shows the
// common file dialog window modally and returns the chosen file. The save
// dialog also takes a name that is not there yet, and asks before an existing
// file is replaced.
#pragma once
#include "FileDlgForm.h"
#include "SkinDialogComponent.h"
#include <memory>
#include <string>

class TspOpenDlgForm : public TspCustomFileDlgForm {
public:
    TspOpenDlgForm(TComponent* AOwner, bool SaveMode);
};

class TspSkinOpenDialog : public TspSkinDialogComponent {
public:
    explicit TspSkinOpenDialog(TComponent* AOwner);
    ~TspSkinOpenDialog() override;

    // True when the user confirmed a file: FileName then holds its full path and
    // Files the selected files. False when cancelled, FileName unchanged.
    virtual bool Execute();
    // The window while Execute runs, else null.
    TspCustomFileDlgForm* GetWindow() const { return FWindow; }
    bool GetSaveMode() const { return FSaveMode; }

    std::string InitialDir;
    std::string Filter = "All files|*.*";
    int FilterIndex = 1;
    std::string FileName;
    bool MultiSelection = false;
    std::string LVHeaderSkinDataName = "resizebutton";
    bool CtrlAlphaBlend = false, CtrlAlphaBlendAnimation = false;
    BYTE CtrlAlphaBlendValue = 225;
    std::unique_ptr<TStringList> Files;

protected:
    // The options of a run, for the picture dialogs to extend.
    TspFileDlgOptions Options() const;
    // Shows W (made for this dialog) and takes over its answer.
    bool Run(TspCustomFileDlgForm* W);

    bool FSaveMode = false;
    TspFileDlgMemory FMemory;

private:
    TspCustomFileDlgForm* FWindow = nullptr;
};

class TspSkinSaveDialog : public TspSkinOpenDialog {
public:
    explicit TspSkinSaveDialog(TComponent* AOwner);
};
