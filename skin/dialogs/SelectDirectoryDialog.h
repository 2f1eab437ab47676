// The select-folder dialog: a component whose Execute shows the skinned
// "Select folder" window with the shell folder tree and returns the folder chosen.
#pragma once
#include "SkinDialogComponent.h"
#include <string>

class TspSelDirDlgForm;
class TspSkinSelectDirectoryDialog : public TspSkinDialogComponent {
public:
    explicit TspSkinSelectDirectoryDialog(TComponent* AOwner);
    ~TspSkinSelectDirectoryDialog() override;

    // True when the user confirmed: Directory then holds the selected folder's
    // path (a virtual folder gives its display name). False when cancelled,
    // Directory unchanged. Runs the change handler on success.
    bool Execute();
    // The window while Execute runs, else null.
    TspSelDirDlgForm* GetWindow() const { return FWindow; }

    std::string Directory;

private:
    TspSelDirDlgForm* FWindow = nullptr;
    int FClientWidth = 0, FClientHeight = 0;
};
