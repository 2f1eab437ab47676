// The skinned open and save file dialogs: components whose Execute shows the
// common file dialog window modally and returns the chosen file. The save
// dialog also takes a name that is not there yet, and asks before an existing
// file is replaced.
#pragma once
#include "SkinFileDialogComponent.h"
#include <string>

class TspOpenDlgForm : public TspCustomFileDlgForm {
public:
    TspOpenDlgForm(TComponent* AOwner, bool SaveMode);
};

class TspSkinOpenDialog : public TspSkinFileDialogComponent {
public:
    explicit TspSkinOpenDialog(TComponent* AOwner);
    ~TspSkinOpenDialog() override;

    // True when the user confirmed a file: FileName then holds its full path and
    // Files the selected files. False when cancelled, FileName unchanged.
    virtual bool Execute();
    // The window while Execute runs, else null.
    TspCustomFileDlgForm* GetWindow() const { return FWindow; }
    bool GetSaveMode() const { return FSaveMode; }

    bool MultiSelection = false;

protected:
    // The options of a run, for the picture dialogs to extend.
    TspFileDlgOptions Options() const;
    // Shows W (made for this dialog) and takes over its answer.
    bool Run(TspCustomFileDlgForm* W);

    bool FSaveMode = false;

private:
    TspCustomFileDlgForm* FWindow = nullptr;
};

class TspSkinSaveDialog : public TspSkinOpenDialog {
public:
    explicit TspSkinSaveDialog(TComponent* AOwner);
};
