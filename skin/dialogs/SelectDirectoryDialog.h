// The select-folder dialog: a component whose Execute shows the skinned
// "Select folder" window with the shell folder tree and returns the folder chosen.
#pragma once
#include "Classes.h"
#include "Graphics.h"
#include <memory>
#include <string>

class TspSelDirDlgForm;
class TspSkinData;

class TspSkinSelectDirectoryDialog : public TComponent {
public:
    explicit TspSkinSelectDirectoryDialog(TComponent* AOwner);
    ~TspSkinSelectDirectoryDialog() override;

    // True when the user confirmed: Directory then holds the selected folder's
    // path (a virtual folder gives its display name). False when cancelled,
    // Directory unchanged. Runs the change handler on success.
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
    TspSelDirDlgForm* GetWindow() const { return FWindow; }

    std::string Directory;
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    BYTE AlphaBlendValue = 200;
    TNotifyEvent OnChange;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void Change();

private:
    std::string FTitle = "Select folder";
    TspSkinData* FSkinData = nullptr;
    TspSkinData* FCtrlSkinData = nullptr;
    std::unique_ptr<TFont> FDefaultFont;
    TspSelDirDlgForm* FWindow = nullptr;
    int FClientWidth = 0, FClientHeight = 0;
};
