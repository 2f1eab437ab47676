// The common window of the skinned file dialogs: a tool bar with the folder
// combo, the back, up and new-folder buttons and the view menu; the shell file
// list with its skinned scroll bars; a bottom panel with the file name edit, the
// file type combo and the confirm and Cancel buttons. The open-skin window adds
// a skin preview at the right, the open and save windows use it as it is, the
// picture windows add a picture preview.
#pragma once
#include "Form.h"
#include "ListView.h"
#include "ShellPidl.h"
#include <functional>
#include <string>
#include <vector>

class TFont;
class TMenuItem;
class TspFormFrame;
class TspSkinBevel;
class TspSkinButton;
class TspSkinData;
class TspSkinEdit;
class TspSkinFileListView;
class TspSkinFilterComboBox;
class TspSkinMenuSpeedButton;
class TspSkinPanel;
class TspSkinPopupMenu;
class TspSkinScrollBar;
class TspSkinShellComboBox;
class TspSkinSpeedButton;
class TspSkinStdLabel;
class TspSkinToolBar;

// What a dialog component hands its window before a run.
struct TspFileDlgOptions {
    std::string Title;
    TspSkinData* SkinData = nullptr;
    TspSkinData* CtrlSkinData = nullptr;
    TFont* DefaultFont = nullptr;
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    BYTE AlphaBlendValue = 200;
    bool CtrlAlphaBlend = false, CtrlAlphaBlendAnimation = false;
    BYTE CtrlAlphaBlendValue = 225;
    std::string LVHeaderSkinDataName = "resizebutton";
    std::string Filter;
    int FilterIndex = 1;
    bool MultiSelect = false;
    std::string StartFolder;
    // The client size to start with (a remembered one, or the dialog's first size).
    int ClientWidth = 0, ClientHeight = 0;
};

// What a dialog component keeps from one run to the next.
struct TspFileDlgMemory {
    TViewStyle ViewStyle = vsList;
    int ClientWidth = 0, ClientHeight = 0;   // 0: not run yet
};

namespace Spfiledlg {
// The folder a run starts in: the folder part of FileName, else InitialDir;
// when the one named does not exist, its nearest existing parent; with nothing
// usable, Fallback.
std::string StartFolder(const std::string& FileName, const std::string& InitialDir, const std::string& Fallback);
// The program's folder, without a trailing backslash.
std::string ProgramFolder();
// "C:\x", "\\server\share\x": a path that needs no folder in front of it.
bool IsAbsolutePath(const std::string& Path);
} // namespace Spfiledlg

class TspCustomFileDlgForm : public TForm {
public:
    TspCustomFileDlgForm(TComponent* AOwner, bool SaveMode);
    ~TspCustomFileDlgForm() override;

    // Hands the options to the frame and the controls and opens the first folder
    // (the program's folder when that one cannot be shown).
    void Prepare(const TspFileDlgOptions& Options, const TspFileDlgMemory& Memory);
    // Reads back what the dialog keeps: the file type (1-based), size and view.
    int GetFilterIndex() const;
    void Remember(TspFileDlgMemory& Memory);

    bool GetSaveMode() const { return FSaveMode; }
    // Shows Folder; false (and nothing changes) when it cannot be shown.
    bool SetPath(const std::string& Folder);
    std::string GetPath() const;
    // The selected row's full path when it is a file; empty otherwise.
    std::string GetSelectedFile() const;
    // Selects the row whose name is Name (letter case ignored); false, and
    // nothing selected, when there is none.
    bool SelectFile(const std::string& Name);
    // The checked view style; the list follows.
    void SetViewStyle(TViewStyle Value);
    // Full paths of the selected files (no folders), in list order.
    void GetSelectedFiles(TStrings* Strings) const;
    // Answers the question before an existing file is saved over; a dialog
    // may replace it (the tests do). The default asks with a message box.
    std::function<bool(const std::string& FileName)> OnConfirmReplace;

    // Handlers.
    virtual void FLVChange(TObject* Sender);
    virtual void OpenButtonClick(TObject* Sender);
    void FLVDblClick(TObject* Sender);
    void FLVKeyPress(TObject* Sender, char& Key);
    void EditKeyPress(TObject* Sender, char& Key);
    void FCBChange(TObject* Sender);
    void FLVPathChange(TObject* Sender);
    void IconItemClick(TObject* Sender);
    void SmallIconItemClick(TObject* Sender);
    void ListItemClick(TObject* Sender);
    void ReportItemClick(TObject* Sender);
    void UpToolButtonClick(TObject* Sender);
    void BackToolButtonClick(TObject* Sender);
    void NewFolderToolButtonClick(TObject* Sender);
    // True while the list shows a folder of the file system.
    bool CanMakeFolderHere() const;

    std::string FileName;   // the chosen file, set when the window closes with OK

    TspFormFrame* Frame;
    TspSkinToolBar* ToolBar;
    TspSkinBevel *LeftSpacer, *RightSpacer;
    TspSkinStdLabel* LookInLabel;
    TspSkinShellComboBox* PathCombo;
    TspSkinSpeedButton *BackButton, *UpButton, *NewFolderButton;
    TspSkinMenuSpeedButton* ViewMenuButton;
    TspSkinPopupMenu* ViewMenu;
    TMenuItem *IconItem, *SmallIconItem, *ListItem, *ReportItem;
    TspSkinPanel *CentralPanel, *BottomPanel;
    TspSkinScrollBar *HScrollBar, *VScrollBar;
    TspSkinFileListView* FileList;
    TspSkinEdit* FileNameEdit;
    TspSkinFilterComboBox* FileTypeCombo;
    TspSkinButton *OpenButton, *CancelButton;
    TspSkinStdLabel *FileNameLabel, *FileTypeLabel;

protected:
    // Skins the controls of the window; the derived windows add theirs.
    virtual void ApplyCtrlSkinData(TspSkinData* Value);
    // The typed name as a full path: absolute as typed, else in the listed folder.
    std::string TypedPath() const;
    // Closes with OK on Name.
    void Choose(const std::string& Name);
    // The mask of the file type or of a typed pattern.
    void ApplyMask(const std::string& Mask);
    void FocusFirstRow();

private:
    bool FSaveMode;
    // Visited folders, oldest first; the last is the folder shown.
    std::vector<TPidl> FHistory;
    bool FGoingBack = false;
    void AddFolder(TObject* Sender, class TspShellFolder* Folder, bool& CanAdd);
    bool ConfirmReplace(const std::string& Name);
};
