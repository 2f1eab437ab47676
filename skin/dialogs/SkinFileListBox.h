// The skinned file list box: the entries of one directory that match a mask and
// a set of file attributes, folders shown as "[name]". The directory is always
// held by name; the process's current directory is never changed.
#pragma once
#include "FileListing.h"
#include "SkinListBox.h"
#include <string>
#include "SkinDataLink.h"

class TEdit;
class TspSkinDirectoryListBox;
class TspSkinFilterComboBox;

class TspSkinFileListBox : public TspSkinListBox {
    friend class TspSkinDirectoryListBox;
    friend class TspSkinFilterComboBox;

public:
    explicit TspSkinFileListBox(TComponent* AOwner);
    ~TspSkinFileListBox() override;

    const std::string& GetDirectory() const { return FDirectory; }
    // Reads Dir's entries; a name that is no existing folder raises and keeps
    // the list as it was.
    void SetDirectory(const std::string& Dir);
    const std::string& GetMask() const { return FMask; }
    void SetMask(const std::string& Value);
    Spfilectrl::TFileTypeSet GetFileType() const { return FFileType; }
    void SetFileType(Spfilectrl::TFileTypeSet Value);
    // The selected entry's text; empty with nothing selected.
    std::string GetFileName() const;
    // The selected entry's full path; empty with nothing selected.
    std::string GetFilePath() const;
    // Selects the entry named Name (letter case ignored), or none.
    void SetFileName(const std::string& Name);
    // The drive letter of the directory ('\0' on a network share).
    char GetDrive() const;
    // Moves to drive Letter when that is another drive.
    void SetDrive(char Letter);
    // A path as a user types it (a folder, a file, a pattern, relative to the
    // directory or whole): a linked directory list (else this list) moves to
    // its folder, a pattern becomes the mask, a file name is selected (the
    // mask giving way to it when it hides an existing file). Nothing for an
    // empty text or the selected file's own path; a folder that is not there
    // raises and changes nothing.
    virtual void ApplyFilePath(const std::string& EditText);
    // Reads the directory again. Not named Update: that is the control's
    // virtual paint call, which every Repaint and resize reaches, and a re-read
    // there would drop the selection and rewrite the linked edit each time.
    void UpdateList() { ReadFileNames(); }
    TspSkinFilterComboBox* GetFilterCombo() const { return FFilterCombo; }
    // An edit that shows the selected file name, or the mask with nothing
    // selected; Enter there applies the typed path (ApplyFilePath) after the
    // edit's own key handler. Forgotten when it is freed.
    TEdit* GetFileEdit() const { return FFileEdit; }
    void SetFileEdit(TEdit* Value);
    // With FoldersFirst the list starts with every subfolder (and "[..]" below a
    // root), whatever the mask, then the matching files: the way a file dialog
    // browses. Off, the list is what the mask and FileType select.
    bool GetFoldersFirst() const { return FFoldersFirst; }
    void SetFoldersFirst(bool Value);

    TNotifyEvent OnChange;

protected:
    virtual void Change();
    virtual void ReadFileNames();
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void ListBoxClick() override;
    void ListBoxKeyUp(WORD& Key, TShiftState Shift) override;

private:
    std::string FDirectory;
    std::string FMask = "*.*";
    Spfilectrl::TFileTypeSet FFileType;
    int FLastIndex = -1;
    bool FFoldersFirst = false;
    TspSkinFilterComboBox* FFilterCombo = nullptr;   // back reference, set by the combo
    TspSkinDirectoryListBox* FDirList = nullptr;     // back reference, set by the list
    TspComponentLink<TEdit> FFileEdit{this};
    TKeyPressEvent FEditKeyPress;                    // the edit's own handler, restored on unlink
    void FileEditKeyPress(TObject* Sender, char& Key);
    void ShowInFileEdit();
};
