// One item of the shell namespace with its ID lists, its parent, the shell
// interfaces that serve it and the texts of its detail columns; and the unit's
// functions that make such items (roots, items of an absolute ID list).
#pragma once
#include "ShellNamespace.h"
#include "Classes.h"
#include <memory>

class TspShellFolder : public TObject {
public:
    // Parent: not owned (the shared desktop item when none is given). Id: relative
    // to the parent, copied. ShellFolder: the item's own folder interface (may be
    // null for a non-folder); the item takes a reference of its own.
    TspShellFolder(TspShellFolder* AParent, LPCITEMIDLIST Id, IShellFolder* ShellFolder);
    ~TspShellFolder() override;

    TspShellFolder* Parent() const { return FParent; }
    LPCITEMIDLIST RelativeID() const { return FPidl.Get(); }
    LPCITEMIDLIST AbsoluteID() const { return FFullPidl.Get(); }
    IShellFolder* ShellFolder() const { return FIShellFolder.Get(); }
    int Level() const { return FLevel; }
    HWND ViewHandle() const { return FViewHandle; }

    // The parent's folder interface; the desktop folder when the item has no parent.
    IShellFolder* ParentShellFolder() const;
    TspShellFolderProperties Properties() const;
    TspShellFolderCapabilities Capabilities() const;
    bool SubFolders() const;
    // A folder to the shell, except archives (".zip"), which list as files.
    // Asked of the shell once: lists ask it for every item several times.
    bool IsFolder() const;
    // The full parsing name, asked of the shell once (again after a rename).
    std::string PathName() const;
    // The name shown in a folder, asked of the shell once (again after a rename):
    // list views ask for the texts of all rows at each layout.
    std::string DisplayName() const;
    int ImageIndex(bool LargeIcon) const;

    // Renames the item through its parent folder; false without the rename
    // capability, Exception when the shell refuses (the item stays as it was).
    bool Rename(const std::string& NewName);
    // Runs the item's default verb; the platform's success flag.
    BOOL ExecuteDefault();

    // The detail interface (an IShellFolder2 or an IShellDetails), looked up once.
    IUnknown* GetDetailInterface();
    IShellDetails* GetShellDetails();
    IShellFolder2* GetShellFolder2();

    // Reads ColumnCount detail texts of the item as RootFolder's view shows them.
    void LoadColumnDetails(TspShellFolder* RootFolder, HWND Handle, int ColumnCount);
    // Detail text of column Index (1 first); Exception before LoadColumnDetails.
    std::string GetDetails(int Index) const;
    void SetDetails(int Index, const std::string& Value);
    int DetailCount() const { return FDetails->GetCount(); }

private:
    TPidl FPidl;
    TPidl FFullPidl;
    TspShellFolder* FParent = nullptr;
    TComPtr<IShellFolder> FIShellFolder;
    TComPtr<IShellFolder2> FIShellFolder2;
    TComPtr<IShellDetails> FIShellDetails;
    TComPtr<IUnknown> FDetailInterface;
    int FLevel = 0;
    HWND FViewHandle = nullptr;
    std::unique_ptr<TStringList> FDetails;
    mutable int FIsFolder = -1;   // -1: not asked yet
    mutable bool FPathKnown = false;
    mutable std::string FPathName;
    mutable bool FDisplayKnown = false;
    mutable std::string FDisplayName;
    void LoadFileSystemDetails(int ColumnCount);
};

namespace Spskinshellctrls {

// The shared desktop item (null when the platform gives no desktop ID list).
TspShellFolder* DesktopItem();

// A file's last-write time as the details show it: local time at the file
// system's two-second steps, the library's short date and the locale's time
// (the date alone at midnight); "-1" when it cannot be converted.
std::string ModifiedText(const FILETIME& LastWrite);

// A new item for an absolute ID list, a child of the desktop item.
std::unique_ptr<TspShellFolder> CreateShellFolderFromPidl(LPCITEMIDLIST AbsolutePidl);
// Replaces Root by a new root item for RootName (a root folder name or a
// parsable path; "C:" is completed to "C:\" in RootName). When the name cannot be
// resolved, Exception with SErrorSettingPath is raised, RootName gets back
// OldRootName and Root stays as it was.
void CreateShellRootFolder(std::unique_ptr<TspShellFolder>& Root, const std::string& OldRootName,
                           std::string& RootName);
[[noreturn]] void RaiseFolderDetailsError(const TspShellFolder* Folder, DWORD Code);
// Runs Verb ("properties", ...) of the item's shell context menu.
void InvokeShellVerb(const TspShellFolder* Folder, const std::string& Verb);

} // namespace Spskinshellctrls
