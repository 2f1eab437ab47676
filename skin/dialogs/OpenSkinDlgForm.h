// The window of the open-skin dialog: a tool bar with the folder shown and the
// back, up and new-folder buttons; the file list; a bottom panel with the file
// name edit, the file type combo and the Open and Cancel buttons; at the right a
// preview of the selected skin on a small sample window that wears a skin data
// component of its own, so the program's skin is never touched.
#pragma once
#include "Form.h"
#include <memory>
#include <string>
#include <vector>

class TspFormFrame;
class TspSkinButton;
class TspSkinData;
class TspSkinEdit;
class TspSkinFileListBox;
class TspSkinFilterComboBox;
class TspSkinPanel;
class TspSkinSpeedButton;
class TspSkinStdLabel;
class TspSkinToolBar;

class TspOpenSkinDlgForm : public TForm {
public:
    explicit TspOpenSkinDlgForm(TComponent* AOwner);
    ~TspOpenSkinDlgForm() override;

    // Shows Folder's entries; false (and nothing changes) when it is no folder.
    bool SetPath(const std::string& Folder);
    std::string GetPath() const;
    // The selected entry's full path when it is a file; empty otherwise.
    std::string GetSelectedFile() const;
    // Loads Path into the preview by the selected file type; a file that holds
    // no usable skin hides the sample window and shows an error line instead.
    void LoadPreview(const std::string& Path);
    bool PreviewShown() const;
    std::string PreviewError() const;

    // Handlers.
    void FLVChange(TObject* Sender);
    void FLVDblClick(TObject* Sender);
    void FLVKeyPress(TObject* Sender, char& Key);
    void EditKeyPress(TObject* Sender, char& Key);
    void OpenButtonClick(TObject* Sender);
    void FCBChange(TObject* Sender);
    void UpToolButtonClick(TObject* Sender);
    void BackToolButtonClick(TObject* Sender);
    void NewFolderToolButtonClick(TObject* Sender);

    int CompressedFilterIndex = 1;
    int UnCompressedFilterIndex = 2;
    std::string FileName;   // the chosen file, set when the window closes with OK

    TspFormFrame* Frame;
    TspSkinToolBar* ToolBar;
    TspSkinStdLabel* LookInLabel;
    TspSkinStdLabel* PathLabel;
    TspSkinSpeedButton *BackButton, *UpButton, *NewFolderButton;
    TspSkinPanel *CentralPanel, *BottomPanel, *PreviewPanel;
    TspSkinFileListBox* FileList;
    TspSkinEdit* FileNameEdit;
    TspSkinFilterComboBox* FileTypeCombo;
    TspSkinButton *OpenButton, *CancelButton;
    TspSkinStdLabel *FileNameLabel, *FileTypeLabel;
    TForm* PreviewForm;
    TspFormFrame* PreviewFrame;
    TspSkinData* PreviewSkinData;
    TspSkinButton* PreviewButton;
    TspSkinStdLabel* PreviewErrorLabel;

private:
    // Folder history for Back: the last entry is the folder shown.
    std::vector<std::string> FHistory;
    bool FGoingBack = false;

    void PathChanged();
    void ShowPreview(bool Visible, const std::string& Error);
    // Opens the selected folder entry; false when a file or nothing is selected.
    bool OpenSelectedFolder();
};
