// The skinned directory list box: the folders of the current directory's path
// from the drive root down, each indented below the one before and shown open,
// the current folder selected, then its subfolders. Opening an entry (double
// click, Enter) moves there and takes a linked file list along; a linked drive
// combo follows drive changes both ways. The directory is held by name; the
// process's current directory is never changed.
#pragma once
#include "FileListing.h"
#include "SkinListBox.h"
#include <memory>
#include <string>
#include <vector>
#include "SkinDataLink.h"

class TBitmap;
class TspSkinDriveComboBox;
class TspSkinFileListBox;
class TspSkinStdLabel;

class TspSkinDirectoryListBox : public TspSkinListBox {
    friend class TspSkinDriveComboBox;
    friend class TspSkinFileListBox;

public:
    explicit TspSkinDirectoryListBox(TComponent* AOwner);
    ~TspSkinDirectoryListBox() override;

    const std::string& GetDirectory() const { return FDirectory; }
    // Moves to Dir (a linked drive combo follows a drive change); a name that
    // is no existing folder raises and changes nothing.
    void SetDirectory(const std::string& Dir);
    // The drive letter of the directory ('\0' on a network share).
    char GetDrive() const;
    // Moves to the root of drive Letter when that is another drive.
    void SetDrive(char Letter);
    // The drive combo chose Letter: the list moves to that drive's root (a
    // drive that cannot be read, such as one without a medium, keeps the list).
    void DriveChange(char Letter);
    // The folder entry Index stands for; empty beyond the entries.
    std::string GetItemPath(int Index) const;
    // Moves to the selected entry's folder.
    void OpenCurrent();
    // Reads the folder again. Not named Update: that is the control's virtual
    // paint call, which every repaint reaches, and a re-read there would move
    // the list back to the current folder each time.
    void UpdateList();
    TspSkinFileListBox* GetFileList() const { return FFileList; }
    void SetFileList(TspSkinFileListBox* Value);
    TspSkinStdLabel* GetDirLabel() const { return FDirLabel; }
    void SetDirLabel(TspSkinStdLabel* Value);
    TspSkinDriveComboBox* GetDriveCombo() const { return FDriveCombo; }
    // Names as the volume keeps them: unchanged on a volume that preserves or
    // respects case, else lower case.
    std::string DisplayCase(const std::string& Name) const;
    // Compares names as the volume does: exactly on a case-sensitive volume,
    // else without regard to case.
    int FileCompareText(const std::string& A, const std::string& B) const;
    // The indentation of entry Index and its picture (null without one).
    int ItemIndent(int Index) const;
    TBitmap* ItemPicture(int Index) const;
    // Draws entry Index: its picture at its indentation, the text after it.
    void DrawItem(TCanvas* Cnvs, int Index, const TRect& TextRect);
    // The row's text width with its indentation and picture (the extent bar's measure).
    int GetFullItemWidth(int Index, TCanvas* ACanvas) override;

    TNotifyEvent OnChange;

protected:
    virtual void Change();
    virtual void BuildList();
    void ListBoxDblClick() override;
    void ListBoxKeyPress(char& Key) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void SetDirLabelCaption();

    std::string FDirectory;
    std::vector<Spfilectrl::TDirectoryEntry> FEntries;
    TspComponentLink<TspSkinFileListBox> FFileList{this};
    TspComponentLink<TspSkinStdLabel> FDirLabel{this};
    TspSkinDriveComboBox* FDriveCombo = nullptr;   // back reference, set by the combo
    bool FSettingDirectory = false;
    bool FCasePreserved = true, FCaseSensitive = false;
    std::unique_ptr<TBitmap> FOpenedPicture, FClosedPicture, FCurrentPicture;
};
