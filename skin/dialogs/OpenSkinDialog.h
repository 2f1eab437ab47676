// The open-skin dialog: a component whose Execute shows the skinned open-skin
// window modally and returns the chosen skin file.
#pragma once
#include "SkinFileDialogComponent.h"
#include <string>

class TspOpenSkinDlgForm;
class TspOpenSkinDialog : public TspSkinFileDialogComponent {
public:
    explicit TspOpenSkinDialog(TComponent* AOwner);
    ~TspOpenSkinDialog() override;

    // True when the user confirmed a file: FileName then holds its full path.
    // False when cancelled, FileName unchanged. Runs the change handler on success.
    bool Execute();
    // The window while Execute runs, else null.
    TspOpenSkinDlgForm* GetWindow() const { return FWindow; }
    // The folder a run starts in: FileName's folder, else InitialDir, when it
    // exists; when the one given is gone, the program's SKINS folder; with
    // neither given, the program's folder.
    std::string StartFolder() const;

    int CompressedFilterIndex = 1;
    int UnCompressedFilterIndex = 2;

private:
    TspOpenSkinDlgForm* FWindow = nullptr;
};
