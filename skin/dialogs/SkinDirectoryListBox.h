// The skinned directory list box: the folders of the current directory's path
// from the drive root down, the current folder selected, then its subfolders.
// Opening an entry (double click, Enter) moves there and takes a linked file
// list along. The directory is held by name; the process's current directory is
// never changed.
#pragma once
#include "FileListing.h"
#include "SkinListBox.h"
#include <string>
#include <vector>

class TspSkinFileListBox;
class TspSkinStdLabel;

class TspSkinDirectoryListBox : public TspSkinListBox {
public:
    explicit TspSkinDirectoryListBox(TComponent* AOwner);
    ~TspSkinDirectoryListBox() override;

    const std::string& GetDirectory() const { return FDirectory; }
    // Moves to Dir; a name that is no existing folder raises and changes nothing.
    void SetDirectory(const std::string& Dir);
    // The folder entry Index stands for; empty beyond the entries.
    std::string GetItemPath(int Index) const;
    // Moves to the selected entry's folder.
    void OpenCurrent();
    // Reads the folder again (not Update, the control's virtual paint call,
    // which would move the list back to the current folder at every repaint).
    void UpdateList();
    TspSkinFileListBox* GetFileList() const { return FFileList; }
    void SetFileList(TspSkinFileListBox* Value);
    TspSkinStdLabel* GetDirLabel() const { return FDirLabel; }
    void SetDirLabel(TspSkinStdLabel* Value);

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
    TspSkinFileListBox* FFileList = nullptr;
    TspSkinStdLabel* FDirLabel = nullptr;
};
