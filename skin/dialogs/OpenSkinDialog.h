// The open-skin dialog: a component whose Execute shows the skinned open-skin
// window modally and returns the chosen skin file.
#pragma once
#include "Classes.h"
#include "FileDlgForm.h"
#include "Graphics.h"
#include <memory>
#include <string>

class TspOpenSkinDlgForm;
class TspSkinData;

class TspOpenSkinDialog : public TComponent {
public:
    explicit TspOpenSkinDialog(TComponent* AOwner);
    ~TspOpenSkinDialog() override;

    // True when the user confirmed a file: FileName then holds its full path.
    // False when cancelled, FileName unchanged. Runs the change handler on success.
    bool Execute();
    std::string GetTitle() const { return FTitle; }
    void SetTitle(const std::string& Value) { FTitle = Value; }
    TspSkinData* GetSkinData() const { return FSkinData; }
    void SetSkinData(TspSkinData* Value);
    TspSkinData* GetCtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TspSkinData* Value);
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }
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
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    BYTE AlphaBlendValue = 200;
    bool CtrlAlphaBlend = false, CtrlAlphaBlendAnimation = false;
    BYTE CtrlAlphaBlendValue = 225;
    std::unique_ptr<TStringList> Files;
    TNotifyEvent OnChange;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void Change();

private:
    std::string FTitle = "Open skin";
    TspSkinData* FSkinData = nullptr;
    TspSkinData* FCtrlSkinData = nullptr;
    std::unique_ptr<TFont> FDefaultFont;
    TspOpenSkinDlgForm* FWindow = nullptr;
    TspFileDlgMemory FMemory;
};
