// The open-skin dialog: a component whose Execute shows the skinned open-skin
// window modally and returns the chosen skin file.
#pragma once
#include "FileDlgForm.h"
#include "SkinDialogComponent.h"
#include <memory>
#include <string>

class TspOpenSkinDlgForm;
class TspOpenSkinDialog : public TspSkinDialogComponent {
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

    std::string InitialDir;
    std::string Filter = "Compressed skin (*.skn)|*.skn|UnCompressed skin (*.ini)|*.ini";
    int FilterIndex = 1;
    std::string FileName;
    int CompressedFilterIndex = 1;
    int UnCompressedFilterIndex = 2;
    std::string LVHeaderSkinDataName = "resizebutton";
    bool CtrlAlphaBlend = false, CtrlAlphaBlendAnimation = false;
    BYTE CtrlAlphaBlendValue = 225;
    std::unique_ptr<TStringList> Files;

private:
    TspOpenSkinDlgForm* FWindow = nullptr;
    TspFileDlgMemory FMemory;
};
