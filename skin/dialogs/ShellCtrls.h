// The skinned shell controls: a folder tree, a file list and a path combo that
// follow one another, and a drive combo. Each keeps the shell items it shows as
// TspShellFolder objects of its own: a child item refers to its parent item, so
// a control frees the items it lists before the folder they belong to.
#pragma once
#include "ShellChangeNotifier.h"
#include "ShellContextMenu.h"
#include "ShellFolder.h"
#include "SkinComboBox.h"
#include "SkinViews.h"
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class TspCustomShellTreeView;
class TspCustomShellListView;
class TspCustomShellComboBox;

// May refuse an item before it is shown.
typedef std::function<void(TObject* Sender, TspShellFolder* AFolder, bool& CanAdd)> TAddFolderEvent;

namespace Spskinshellctrls {
// The platform's small (or large) system image list.
HIMAGELIST SystemImageList(bool Large);
// The shell's order of two items of one folder: CompareIDs, low 16 bits, signed.
int ShellCompare(IShellFolder* Folder, LPCITEMIDLIST First, LPCITEMIDLIST Second, int Column = 0);
// Folders first, then the shell's order of Column (reversed when not Ascending).
bool ShellListLess(const TspShellFolder* First, const TspShellFolder* Second, int Column = 0,
                   bool Ascending = true);
// The mask test of the file list: a mask holding ".*" passes everything; else the
// upper-cased extension of Path must occur in the upper-cased mask.
bool MaskPasses(const std::string& Mask, const std::string& Path);
// The absolute ID list of a path the desktop folder parses; EInvalidPath otherwise.
TPidl ParsePath(const std::string& Path);
// A watch on the folder Path alone (not below it) that calls Refresh on each
// change; a refresh that fails leaves the control as it was. Null for no path
// (a virtual folder has nothing to watch). The caller owns the watch.
TspShellChangeNotifier* WatchFolder(const std::string& Path, std::function<void()> Refresh);

// The hourglass for the time of a shell enumeration.
class TBusyCursor {
public:
    TBusyCursor();
    ~TBusyCursor();
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
private:
    TCursor FOld;
};

// Links Self to the shell control Value in Slot, both ways: the one linked
// before lets go of Self, Value points back at Self through Back and takes
// Self's root.
template <class TSelf, class TPeer, class TRootName>
void LinkShellControl(TSelf* Self, TPeer*& Slot, TPeer* Value, TSelf* TPeer::*Back, const TRootName& Root)
{
    if (Slot == Value) return;
    if (Slot) {
        Slot->*Back = nullptr;
        Slot->RemoveFreeNotification(Self);
    }
    Slot = Value;
    if (Value) {
        Value->*Back = Self;
        Value->FreeNotification(Self);
        Value->SetRoot(Root);
    }
}
} // namespace Spskinshellctrls

// ---------------------------------------------------------------- tree

class TspCustomShellTreeView : public TspSkinCustomTreeView, public IShellCommandVerb {
public:
    explicit TspCustomShellTreeView(TComponent* AOwner);
    ~TspCustomShellTreeView() override;

    const TRoot& GetRoot() const { return FRoot; }
    void SetRoot(const TRoot& Value);
    TShellObjectTypes GetObjectTypes() const { return FObjectTypes; }
    virtual void SetObjectTypes(TShellObjectTypes Value);
    bool GetAutoRefresh() const { return FAutoRefresh; }
    void SetAutoRefresh(bool Value);
    bool GetUseShellImages() const { return FUseShellImages; }
    void SetUseShellImages(bool Value);
    bool AutoContextMenus = true;
    TspCustomShellListView* GetShellListView() const { return FListView; }
    void SetListView(TspCustomShellListView* Value);
    TspCustomShellComboBox* GetShellComboBox() const { return FComboBox; }
    void SetComboBox(TspCustomShellComboBox* Value);
    TAddFolderEvent OnAddFolder;
    // May veto an expansion.
    std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)> OnExpanding;

    TspShellFolder* GetFolder(int Index) const;
    TspShellFolder* SelectedFolder();
    std::string GetPath();
    void SetPath(const std::string& Path);
    void SetPathFromID(LPCITEMIDLIST ID);
    void ExpandMyComputer();
    void Refresh(TTreeNode* Node);
    void RefreshEvent();
    TTreeNode* NodeFromRelativeID(TTreeNode* ParentNode, LPCITEMIDLIST ID);
    TTreeNode* NodeFromAbsoluteID(TTreeNode* StartNode, LPCITEMIDLIST ID);
    TTreeNode* FolderExists(LPCITEMIDLIST ID, TTreeNode* StartNode);
    // Expands a node, filling it on its first expansion; false when refused.
    bool ExpandNode(TTreeNode* Node);
    // The notifier watching the selected folder, or null.
    TspShellChangeNotifier* Notifier() const { return FNotifier; }

    void ExecuteCommand(const std::string& Verb, bool& Handled) override;
    void CommandCompleted(const std::string& Verb, bool Succeeded) override;
    void Loaded() override;

protected:
    friend class TspCustomShellListView;
    friend class TspCustomShellComboBox;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void CNNotify(TMessage& Message) override;
    void WMContextMenu(TMessage& Message) override;
    void Change(TTreeNode* Node) override;
    bool CanExpand(TTreeNode* Node);
    void CreateRoot();
    void RootChanged();
    void InitNode(TTreeNode* NewNode, LPCITEMIDLIST ID, TTreeNode* ParentNode);
    void PopulateNode(TTreeNode* Node);
    void SortChildren(TTreeNode* Node);
    void SetHasChildrenMark(TTreeNode* Node, bool Value);
public:
    bool GetHasChildrenMark(TTreeNode* Node) const;
    // The node after Node in tree order (depth first), null after the last.
    static TTreeNode* NextNode(TTreeNode* Node);
protected:
    // Frees the folders of Node's subtree and deletes the node.
    void DeleteNode(TTreeNode* Node);
    void ClearNodes();
    // The window shows the assigned Images, else the system's small icons with
    // UseShellImages, else none.
    void ApplyImages() override;
    void MoveLinks(TTreeNode* Node);

private:
    TRoot FOldRoot;
    TRoot FRoot = "rfDesktop";
    std::unique_ptr<TspShellFolder> FRootFolder;
    bool FCreatingRoot = false;
    bool FUpdating = false;
    TShellObjectTypes FObjectTypes{otFolders};
    bool FAutoRefresh = false;
    bool FUseShellImages = true;
    TspShellChangeNotifier* FNotifier = nullptr;
    std::string FSavedDir;
    TTreeNode* FNodeToMonitor = nullptr;
    TPidl FSavedSelection;   // across a window made again
    HIMAGELIST FImages = nullptr;
    TspCustomShellListView* FListView = nullptr;
    TspCustomShellComboBox* FComboBox = nullptr;
    // What the window shows of a node beyond its text: the has-children mark and
    // the icons.
    struct TNodeLook {
        bool HasChildren = false;
        int Image = -1, SelectedImage = -1;
    };
    std::map<const TTreeNode*, TNodeLook> FLooks;
    bool FPopulating = false;
    bool FSendingImages = false;
    void ApplyLook(TTreeNode* Node);
    void FreeFolders(TTreeNode* Node);
};

class TspSkinDirTreeView : public TspCustomShellTreeView {
public:
    using TspCustomShellTreeView::TspCustomShellTreeView;
};

// ---------------------------------------------------------------- file list

class TspCustomShellListView : public TspSkinCustomListView, public IShellCommandVerb {
public:
    explicit TspCustomShellListView(TComponent* AOwner);
    ~TspCustomShellListView() override;

    const TRoot& GetRoot() const { return FRoot; }
    void SetRoot(const TRoot& Value);
    const std::string& GetMask() const { return FMask; }
    void SetMask(const std::string& Value);
    TShellObjectTypes GetObjectTypes() const { return FObjectTypes; }
    void SetObjectTypes(TShellObjectTypes Value);
    bool GetSorted() const { return FSorted; }
    void SetSorted(bool Value);
    bool GetAutoRefresh() const { return FAutoRefresh; }
    void SetAutoRefresh(bool Value);
    bool AutoContextMenus = true;
    bool AutoNavigate = true;
    TspCustomShellTreeView* GetShellTreeView() const { return FTreeView; }
    void SetTreeView(TspCustomShellTreeView* Value);
    TspCustomShellComboBox* GetShellComboBox() const { return FComboBox; }
    void SetComboBox(TspCustomShellComboBox* Value);
    TAddFolderEvent OnAddFolder;
    TNotifyEvent OnPathChange;

    int FolderCount() const { return static_cast<int>(FFolders.size()); }
    // The listed item Index, null outside the list.
    TspShellFolder* GetFolder(int Index) const;
    TspShellFolder* SelectedFolder();
    std::string GetSelectedFile();
    void GetSelectedFiles(TStrings* Strings);
    std::string GetPath() const;
    TspShellFolder* RootFolder() const { return FRootFolder.get(); }
    void SetPath(const std::string& Path);
    void SetPathFromID(LPCITEMIDLIST ID);
    void TreeUpdate(LPCITEMIDLIST ID);
    void Back();
    void Refresh();
    virtual void Populate();
    void RootChanged();
    void EnumColumns();
    void EditText();
    void ClearItems();
    // Type-ahead: the first item from Start (wrapping when asked) whose name
    // begins with Text, letter case ignored; -1 when none.
    int FindItem(const std::string& Text, int Start, bool Wrap) const;
    // The text of a cell: 0 the name, then the detail columns.
    std::string CellText(int Index, int Column);
    TspShellChangeNotifier* Notifier() const { return FNotifier; }
    void SetViewStyle(TViewStyle Value);
    // Orders the rows by a detail column (0 the name), folders still first; the
    // selected item stays selected. A click on a column header does the same,
    // a second click on it turns the order round.
    void SortBy(int Column, bool Ascending);
    int GetSortColumn() const { return FSortColumn; }
    bool GetSortAscending() const { return FSortAscending; }

    void ExecuteCommand(const std::string& Verb, bool& Handled) override;
    void CommandCompleted(const std::string& Verb, bool Succeeded) override;
    void Loaded() override;

protected:
    friend class TspCustomShellTreeView;
    friend class TspCustomShellComboBox;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    TListItem* VirtualItem(int Index) override;
    void CNNotify(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void DblClick() override;
    void WMContextMenu(TMessage& Message) override;
    void AddColumn(const SHELLDETAILS& Details, bool& Added);

private:
    TRoot FOldRoot;
    TRoot FRoot = "rfDesktop";
    std::unique_ptr<TspShellFolder> FRootFolder;
    std::string FMask = "*.*|*.*";
    TShellObjectTypes FObjectTypes{otFolders, otNonFolders};
    bool FSorted = true;
    bool FAutoRefresh = false;
    bool FUpdating = false;
    bool FRootJustSet = false;
    bool FEditing = false;
    int FSortColumn = 0;
    bool FSortAscending = true;
    HIMAGELIST FLargeImages = nullptr, FSmallImages = nullptr;
    std::vector<std::unique_ptr<TspShellFolder>> FFolders;
    TspShellChangeNotifier* FNotifier = nullptr;
    std::string FSavedDir;
    TspCustomShellTreeView* FTreeView = nullptr;
    TspCustomShellComboBox* FComboBox = nullptr;
    void ApplyAutoRefresh();
    void SyncPaths();
    void ApplyImageLists();
    void DoPathChange();
    void SortFolders();
    // The row of the item with this ID list relative to the listed folder; -1 when none.
    int IndexOfRelativeID(LPCITEMIDLIST ID) const;
};

class TspSkinFileListView : public TspCustomShellListView {
public:
    using TspCustomShellListView::TspCustomShellListView;
};

// ---------------------------------------------------------------- path combo

class TspItemEx {
public:
    std::string Caption;
    std::unique_ptr<TspShellFolder> Folder;
    int Indent = 0;
    int ImageIndex = -1;
    int SelectedImageIndex = -1;
};

class TspItemsEx {
public:
    int GetCount() const { return static_cast<int>(FItems.size()); }
    TspItemEx* Add();
    // A new item at Index (clamped to the list).
    TspItemEx* Insert(int Index);
    TspItemEx* AddItem(const std::string& Caption, int ImageIndex, int SelectedImageIndex, int Indent,
                       std::unique_ptr<TspShellFolder> Folder);
    // Null outside the list.
    TspItemEx* GetItem(int Index) const;
    // Frees the items; the later ones first, as they may refer to earlier ones.
    void Clear();
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate() { if (FUpdateCount > 0) --FUpdateCount; }
    bool Updating() const { return FUpdateCount > 0; }
private:
    std::vector<std::unique_ptr<TspItemEx>> FItems;
    int FUpdateCount = 0;
};

class TspCustomShellComboBox : public TspSkinCustomComboBox {
public:
    explicit TspCustomShellComboBox(TComponent* AOwner);
    ~TspCustomShellComboBox() override;

    const TRoot& GetRoot() const { return FRoot; }
    void SetRoot(const TRoot& Value);
    TShellObjectTypes GetObjectTypes() const { return FObjectTypes; }
    virtual void SetObjectTypes(TShellObjectTypes Value);
    bool GetUseShellImages() const { return FUseShellImages; }
    void SetUseShellImages(bool Value);
    TspCustomShellTreeView* GetShellTreeView() const { return FTreeView; }
    void SetTreeView(TspCustomShellTreeView* Value);
    TspCustomShellListView* GetShellListView() const { return FListView; }
    void SetListView(TspCustomShellListView* Value);
    TspItemsEx* GetItemsEx() { return &FItemsEx; }

    // Item Index's folder; beyond the last item the last one's; null when empty.
    TspShellFolder* GetFolder(int Index) const;
    int IndexFromID(LPCITEMIDLIST ID) const;
    std::string GetPath() const;
    void SetPath(const std::string& Path);
    void SetPathFromID(LPCITEMIDLIST ID);
    void TreeUpdate(LPCITEMIDLIST ID);
    void CreateRoot();
    virtual void Init();
    void AddItemsEx(int Index, TspShellFolder* Folder);
    std::unique_ptr<TspShellFolder> InitItem(TspShellFolder* ParentFolder, LPCITEMIDLIST ID);
    int GetShellImageIndex(TspShellFolder* Folder) const;
    void CheckItems();
    void ClearItemsEx();
    void RootChanged();
    // The x of an item's text in a row of the list (Indent steps of half an icon).
    int TextOffset(int Index, bool Outline) const;
    int IconWidth() const { return FIconWidth; }
    void Loaded() override;

protected:
    friend class TspCustomShellTreeView;
    friend class TspCustomShellListView;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Change() override;
    void DrawRow(TCanvas* Cnvs, int Index, const TRect& TextRect, bool Outline);

private:
    TspItemsEx FItemsEx;
    HIMAGELIST FImages = nullptr;
    int FIconWidth = 16, FIconHeight = 16;
    TRoot FOldRoot;
    TRoot FRoot = "rfDesktop";
    std::unique_ptr<TspShellFolder> FRootFolder;
    TspCustomShellTreeView* FTreeView = nullptr;
    TspCustomShellListView* FListView = nullptr;
    TShellObjectTypes FObjectTypes{otFolders};
    bool FUseShellImages = true;
    bool FUpdating = false;
};

class TspSkinShellComboBox : public TspCustomShellComboBox {
public:
    using TspCustomShellComboBox::TspCustomShellComboBox;
};

// ---------------------------------------------------------------- drive combo

// The platform's drive kinds, in the order of GetDriveType's values.
enum TDriveType { dtUnknown, dtNoDrive, dtFloppy, dtFixed, dtNetwork, dtCDROM, dtRAM };
typedef TEnumSet<TDriveType> TDriveTypes;

class TspSkinShellDriveComboBox : public TspSkinCustomComboBox {
public:
    explicit TspSkinShellDriveComboBox(TComponent* AOwner);
    ~TspSkinShellDriveComboBox() override;

    TDriveTypes GetDriveTypes() const { return FDriveTypes; }
    void SetDriveTypes(TDriveTypes Value);
    // The chosen drive's letter; 0 when none.
    char GetDrive() const { return FDrive; }
    void SetDrive(char Letter);
    // Reads the drives again (for drives that came or went).
    void UpdateDrives();
    virtual void BuildList();
    // The letters of the listed drives, one per item.
    const std::string& GetLetters() const { return FLetters; }
    // The system icon of item Index; -1 outside the list.
    int IconIndex(int Index) const;
    // Fired after a drive is chosen in the list; it stands in for the combo's
    // own change event, which this control never fires.
    TNotifyEvent OnChange;

protected:
    void CreateWnd() override;
    void Change() override;
    void DrawItem(TCanvas* Cnvs, int Index, const TRect& TextRect);

private:
    std::string FLetters;
    std::vector<int> FIcons;
    HIMAGELIST FImages = nullptr;   // the system list: shared, never freed here
    int FImageWidth = 0, FImageHeight = 0;
    TDriveTypes FDriveTypes{dtFloppy, dtFixed, dtNetwork, dtCDROM, dtRAM};
    int FItemIndex = 0;
    char FDrive = 0;
    bool FBuilding = false;
};
