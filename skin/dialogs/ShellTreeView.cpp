#include "ShellCtrls.h"
#include "Application.h"
#include "ScopeGuard.h"
#include "ImgList.h"
#include "Menus.h"
#include "Screen.h"
#include "Trace.h"
#include <algorithm>

using namespace Spskinshellctrls;

namespace {

TspShellFolder* FolderOf(TTreeNode* Node) { return Node ? static_cast<TspShellFolder*>(Node->Data) : nullptr; }

} // namespace

TspCustomShellTreeView::TspCustomShellTreeView(TComponent* AOwner) : TspSkinCustomTreeView(AOwner)
{
    SetShowRoot(false);
    // The shell menu is for the folder that was clicked, not the one selected before.
    SetRightClickSelect(true);
    FImages = SystemImageList(false);
    if (FImages) ImageList_SetBkColor(FImages, CLR_NONE);
}

TspCustomShellTreeView::~TspCustomShellTreeView()
{
    delete FNotifier;
    FNotifier = nullptr;
    if (FListView && FListView->FTreeView == this) FListView->FTreeView = nullptr;
    if (FComboBox && FComboBox->FTreeView == this) FComboBox->FTreeView = nullptr;
    FUpdating = true;   // nothing moves the linked controls any more
    ClearNodes();
}

TTreeNode* TspCustomShellTreeView::NextNode(TTreeNode* Node)
{
    if (!Node) return nullptr;
    if (Node->GetCount() > 0) return Node->GetItem(0);
    for (TTreeNode* n = Node; n; n = n->GetParent()) {
        TTreeNode* parent = n->GetParent();
        const int i = n->GetIndex();
        if (parent) {
            if (i + 1 < parent->GetCount()) return parent->GetItem(i + 1);
        } else {
            TTreeNodes* nodes = n->GetTreeView()->GetItems();
            if (i + 1 < nodes->GetRootCount()) return nodes->GetRoot(i + 1);
        }
    }
    return nullptr;
}

void TspCustomShellTreeView::FreeFolders(TTreeNode* Node)
{
    if (!Node) return;
    for (int i = Node->GetCount() - 1; i >= 0; --i) FreeFolders(Node->GetItem(i));
    delete FolderOf(Node);
    Node->Data = nullptr;
    FLooks.erase(Node);
    if (FNodeToMonitor == Node) FNodeToMonitor = nullptr;
}

void TspCustomShellTreeView::DeleteNode(TTreeNode* Node)
{
    if (!Node) return;
    // The window's selection may move while the node goes: the links stay.
    TRestore<bool> quiet(FUpdating, true);
    FreeFolders(Node);
    GetItems()->Delete(Node);
}

void TspCustomShellTreeView::ClearNodes()
{
    TRestore<bool> quiet(FUpdating, true);
    TTreeNodes* nodes = GetItems();
    for (int i = nodes->GetRootCount() - 1; i >= 0; --i) FreeFolders(nodes->GetRoot(i));
    nodes->Clear();
    FLooks.clear();
    FNodeToMonitor = nullptr;
}

TspShellFolder* TspCustomShellTreeView::GetFolder(int Index) const { return FolderOf(GetItems()->GetItem(Index)); }

TspShellFolder* TspCustomShellTreeView::SelectedFolder() { return FolderOf(GetSelected()); }

std::string TspCustomShellTreeView::GetPath()
{
    TspShellFolder* f = SelectedFolder();
    return f ? f->PathName() : std::string();
}

bool TspCustomShellTreeView::GetHasChildrenMark(TTreeNode* Node) const
{
    auto it = FLooks.find(Node);
    return it != FLooks.end() && it->second.HasChildren;
}

void TspCustomShellTreeView::ApplyLook(TTreeNode* Node)
{
    if (!Node || !Node->GetItemId() || !HandleAllocated()) return;
    const TNodeLook look = FLooks[Node];
    TVITEMA item = {};
    item.mask = TVIF_CHILDREN | TVIF_HANDLE;
    item.hItem = Node->GetItemId();
    item.cChildren = look.HasChildren ? 1 : 0;
    if (look.Image >= 0) {
        item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.iImage = look.Image;
        item.iSelectedImage = look.SelectedImage >= 0 ? look.SelectedImage : look.Image;
    }
    SendMessageA(GetWindowHandle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TspCustomShellTreeView::SetHasChildrenMark(TTreeNode* Node, bool Value)
{
    FLooks[Node].HasChildren = Value;
    ApplyLook(Node);
}

void TspCustomShellTreeView::InitNode(TTreeNode* NewNode, LPCITEMIDLIST ID, TTreeNode* ParentNode)
{
    TspShellFolder* parent = FolderOf(ParentNode);
    TComPtr<IShellFolder> folder =
        BindShellFolderObject(parent ? parent->ShellFolder() : nullptr, ID, nullptr);
    auto* f = new TspShellFolder(parent, ID, folder.Get());
    NewNode->Data = f;
    NewNode->SetText(f->DisplayName());
    TNodeLook& look = FLooks[NewNode];
    if (FUseShellImages && !GetImages()) {
        look.Image = GetShellIconIndex(f->AbsoluteID(), false, false);
        look.SelectedImage = GetShellIconIndex(f->AbsoluteID(), false, true);
        if (look.SelectedImage == 0) look.SelectedImage = look.Image;
    }
    look.HasChildren = f->SubFolders();
    if (FObjectTypes.Contains(otNonFolders) && f->ShellFolder())
        look.HasChildren = FolderHasChildren(f->ShellFolder(), ObjectTypesToEnumFlags(FObjectTypes));
    ApplyLook(NewNode);
    bool canAdd = true;
    if (OnAddFolder) OnAddFolder(this, f, canAdd);
    if (!canAdd) DeleteNode(NewNode);
}

void TspCustomShellTreeView::PopulateNode(TTreeNode* Node)
{
    TspShellFolder* f = FolderOf(Node);
    if (!f || !f->ShellFolder() || FPopulating) return;
    TRestore<bool> populating(FPopulating, true);
    TBusyCursor busy;
    GetItems()->BeginUpdate();
    TScopeExit endUpdate([this] { GetItems()->EndUpdate(); });
    std::vector<TPidl> ids;
    try {
        TComPtr<IEnumIDList> items;
        HWND app = Application ? Application->Handle() : nullptr;
        if (FAILED(f->ShellFolder()->EnumObjects(app, ObjectTypesToEnumFlags(FObjectTypes), items.Put())) || !items)
            return;
        LPITEMIDLIST raw = nullptr;
        ULONG fetched = 0;
        while (items->Next(1, &raw, &fetched) == S_OK && fetched == 1) {
            ids.emplace_back(raw);
            raw = nullptr;
        }
    } catch (const Exception&) {
        Trace::Caught(Trace::Skin, "shell tree children");
        return;
    }
    IShellFolder* sf = f->ShellFolder();
    std::stable_sort(ids.begin(), ids.end(),
                     [sf](const TPidl& a, const TPidl& b) { return ShellCompare(sf, a.Get(), b.Get()) < 0; });
    for (const TPidl& id : ids) {
        TTreeNode* child = GetItems()->AddChild(Node, "");
        InitNode(child, id.Get(), Node);
    }
}

bool TspCustomShellTreeView::CanExpand(TTreeNode* Node)
{
    bool allow = true;
    if (OnExpanding) OnExpanding(this, Node, allow);
    if (!allow) return false;
    TspShellFolder* f = FolderOf(Node);
    if (!f) return false;
    // A node that is no folder (an archive) is never opened from here: expanding
    // is no way to run whatever the shell associates with the file.
    if (!f->IsFolder() && Node->GetParent()) {
        SetHasChildrenMark(Node, false);
        return false;
    }
    if (Node->GetCount() == 0) PopulateNode(Node);
    SetHasChildrenMark(Node, Node->GetCount() > 0);
    return Node->GetCount() > 0;
}

bool TspCustomShellTreeView::ExpandNode(TTreeNode* Node)
{
    if (!Node || !CanExpand(Node)) return false;
    Node->SetExpanded(true);
    return true;
}

void TspCustomShellTreeView::CNNotify(TMessage& Message)
{
    auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    switch (hdr->code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
        auto* nm = reinterpret_cast<NMTREEVIEWA*>(Message.LParam);
        Message.Result = 0;
        if (nm->action & TVE_EXPAND) {
            TTreeNode* n = GetItems()->FindNode(nm->itemNew.hItem);
            bool ok = false;
            try {
                ok = n && CanExpand(n);
            } catch (const Exception&) {
                Trace::Caught(Trace::Skin, "shell tree expand");
                ok = false;
            }
            Message.Result = ok ? 0 : 1;
        }
        return;
    }
    case TVN_BEGINLABELEDITA:
    case TVN_BEGINLABELEDITW: {
        auto* di = reinterpret_cast<NMTVDISPINFOA*>(Message.LParam);
        TspShellFolder* f = FolderOf(GetItems()->FindNode(di->item.hItem));
        Message.Result = f && f->Capabilities().Contains(fcCanRename) ? 0 : 1;
        return;
    }
    case TVN_ENDLABELEDITA:
    case TVN_ENDLABELEDITW: {
        auto* di = reinterpret_cast<NMTVDISPINFOA*>(Message.LParam);
        Message.Result = 0;
        TTreeNode* n = GetItems()->FindNode(di->item.hItem);
        if (!n || !di->item.pszText) return;
        std::string text;
        if (hdr->code == TVN_ENDLABELEDITA) {
            text = di->item.pszText;
        } else {
            char buf[MAX_PATH] = "";
            WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<NMTVDISPINFOW*>(Message.LParam)->item.pszText, -1, buf,
                                sizeof(buf), nullptr, nullptr);
            text = buf;
        }
        if (text.empty()) return;
        if (OnEdited) OnEdited(this, n, text);
        // A refusal raises: the window procedure shows it through the
        // application, and the node keeps its name.
        if (FolderOf(n) && FolderOf(n)->Rename(text)) n->SetText(text);
        return;
    }
    default: break;
    }
    TspSkinCustomTreeView::CNNotify(Message);
}

void TspCustomShellTreeView::Change(TTreeNode* Node)
{
    TspSkinCustomTreeView::Change(Node);
    if (!FUpdating && Node) MoveLinks(Node);
}

void TspCustomShellTreeView::MoveLinks(TTreeNode* Node)
{
    TspShellFolder* f = FolderOf(Node);
    if (!f) return;
    const bool autoRefresh = FAutoRefresh;
    SetAutoRefresh(false);
    if (!f->IsFolder() && Node->GetParent()) f = FolderOf(Node->GetParent());
    {
        TRestore<bool> updating(FUpdating, true);
        TPidl id = PidlCopy(f->AbsoluteID());
        if (FComboBox) FComboBox->TreeUpdate(id.Get());
        if (FListView) FListView->TreeUpdate(id.Get());
    }
    FNodeToMonitor = Node;
    SetAutoRefresh(autoRefresh);
    FNodeToMonitor = nullptr;
}

TTreeNode* TspCustomShellTreeView::FolderExists(LPCITEMIDLIST ID, TTreeNode* StartNode)
{
    if (!StartNode) return nullptr;
    const int level = StartNode->GetLevel();
    for (TTreeNode* n = StartNode; n; n = NextNode(n)) {
        if (n != StartNode && n->GetLevel() <= level) break;
        if (FolderOf(n) && PidlEqual(FolderOf(n)->AbsoluteID(), ID)) return n;
    }
    return nullptr;
}

TTreeNode* TspCustomShellTreeView::NodeFromAbsoluteID(TTreeNode* StartNode, LPCITEMIDLIST ID)
{
    for (TTreeNode* n = StartNode; n; n = NextNode(n))
        if (FolderOf(n) && PidlEqual(FolderOf(n)->AbsoluteID(), ID)) return n;
    return nullptr;
}

TTreeNode* TspCustomShellTreeView::NodeFromRelativeID(TTreeNode* ParentNode, LPCITEMIDLIST ID)
{
    TspShellFolder* parent = FolderOf(ParentNode);
    if (!parent || !parent->ShellFolder()) return nullptr;
    for (int i = 0; i < ParentNode->GetCount(); ++i) {
        TspShellFolder* f = FolderOf(ParentNode->GetItem(i));
        if (f && ShellCompare(parent->ShellFolder(), f->RelativeID(), ID) == 0) return ParentNode->GetItem(i);
    }
    return nullptr;
}

void TspCustomShellTreeView::SetPathFromID(LPCITEMIDLIST ID)
{
    if (IsLoading() || FUpdating || !ID) return;
    if (SelectedFolder() && PidlEqual(SelectedFolder()->AbsoluteID(), ID)) return;
    TRestore<bool> updating(FUpdating, true);
    TTreeNode* last = GetItems()->GetFirstNode();
    {
        GetItems()->BeginUpdate();
        TScopeExit endUpdate([this] { GetItems()->EndUpdate(); });
        for (const TPidl& ancestor : PidlAncestorList(ID))
            if (TTreeNode* n = FolderExists(ancestor.Get(), last)) {
                ExpandNode(n);
                last = n;
            }
    }
    TTreeNode* target = FolderExists(ID, last);
    SetSelected(target);
    if (target) {
        TPidl id = PidlCopy(FolderOf(target)->AbsoluteID());
        if (FListView) FListView->TreeUpdate(id.Get());
        if (FComboBox) FComboBox->TreeUpdate(id.Get());
    }
}

void TspCustomShellTreeView::SetPath(const std::string& Path)
{
    TPidl id = ParsePath(Path);
    SetPathFromID(id.Get());
    if (TTreeNode* n = GetSelected()) {
        ExpandNode(n);
        MoveLinks(n);
    }
}

void TspCustomShellTreeView::ExpandMyComputer()
{
    TPidl id;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, id.Put())) || !id) return;
    SetPathFromID(id.Get());
    ExpandNode(GetSelected());
}

void TspCustomShellTreeView::Refresh(TTreeNode* Node)
{
    TspShellFolder* f = FolderOf(Node);
    if (!f || !f->ShellFolder()) return;
    // What is open and chosen is kept by value: the nodes below Node are made anew.
    TPidl selected, top;
    if (TspShellFolder* s = SelectedFolder()) selected = PidlCopy(s->AbsoluteID());
    if (TspShellFolder* t = FolderOf(GetTopItem())) top = PidlCopy(t->AbsoluteID());
    std::vector<TPidl> expanded;
    const int level = Node->GetLevel();
    for (TTreeNode* n = Node; n; n = NextNode(n)) {
        if (n != Node && n->GetLevel() <= level) break;
        if (n->GetExpanded() && FolderOf(n)) expanded.push_back(PidlCopy(FolderOf(n)->AbsoluteID()));
    }
    {
        TRestore<bool> updating(FUpdating, true);
        TBusyCursor busy;
        GetItems()->BeginUpdate();
        TScopeExit endUpdate([this] { GetItems()->EndUpdate(); });
        for (int i = Node->GetCount() - 1; i >= 0; --i) DeleteNode(Node->GetItem(i));
        Node->SetText(f->DisplayName());
        PopulateNode(Node);
        SetHasChildrenMark(Node, Node->GetCount() > 0);
        for (const TPidl& id : expanded)
            if (TTreeNode* n = FolderExists(id.Get(), Node)) ExpandNode(n);
        TTreeNode* first = GetItems()->GetFirstNode();
        SetSelected(selected ? FolderExists(selected.Get(), first) : nullptr);
        if (top && HandleAllocated())
            if (TTreeNode* t = FolderExists(top.Get(), first))
                SendMessageA(GetWindowHandle(), TVM_SELECTITEM, TVGN_FIRSTVISIBLE,
                             reinterpret_cast<LPARAM>(t->GetItemId()));
    }
}

void TspCustomShellTreeView::RefreshEvent()
{
    if (TTreeNode* n = GetSelected()) Refresh(n);
}

void TspCustomShellTreeView::SetAutoRefresh(bool Value)
{
    FAutoRefresh = Value;
    if (IsLoading()) return;
    delete FNotifier;
    FNotifier = nullptr;
    if (!Value) return;
    TspShellFolder* f = FNodeToMonitor ? FolderOf(FNodeToMonitor) : FRootFolder.get();
    FNotifier = WatchFolder(f ? f->PathName() : std::string(), [this] { RefreshEvent(); });
}

void TspCustomShellTreeView::ApplyImages()
{
    if (!HandleAllocated()) return;
    TRestore<bool> own(FSendingImages, true);
    HIMAGELIST list = GetImages() ? GetImages()->GetHandle() : FUseShellImages ? FImages : nullptr;
    SendMessageA(GetWindowHandle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(list));
}

void TspCustomShellTreeView::SetUseShellImages(bool Value)
{
    FUseShellImages = Value;
    ApplyImages();
}

void TspCustomShellTreeView::CreateRoot()
{
    if (IsLoading() || FCreatingRoot) return;
    TRestore<bool> creating(FCreatingRoot, true);
    std::string error;
    TRoot name = FRoot;
    try {
        CreateShellRootFolder(FRootFolder, FOldRoot, name);
    } catch (const Exception& e) {
        error = e.Message();
    }
    FRoot = name;
    if (FRootFolder) {
        ClearNodes();
        TRestore<bool> updating(FUpdating, true);
        TTreeNode* node = GetItems()->Add("");
        auto* f = new TspShellFolder(nullptr, FRootFolder->AbsoluteID(), FRootFolder->ShellFolder());
        node->Data = f;
        node->SetText(GetShellDisplayText(GetDesktopShellFolder().Get(), f->AbsoluteID(), SHGDN_NORMAL));
        TNodeLook& look = FLooks[node];
        if (FUseShellImages && !GetImages()) {
            look.Image = GetShellIconIndex(f->AbsoluteID(), false, false);
            look.SelectedImage = GetShellIconIndex(f->AbsoluteID(), false, true);
            if (look.SelectedImage == 0) look.SelectedImage = look.Image;
        }
        look.HasChildren = f->SubFolders();
        ApplyLook(node);
        ExpandNode(node);
        SetSelected(node);
    }
    if (!error.empty()) throw Exception(error);
}

void TspCustomShellTreeView::RootChanged()
{
    if (FUpdating) return;
    TRestore<bool> updating(FUpdating, true);
    CreateRoot();
    if (FListView) FListView->SetRoot(FRoot);
}

void TspCustomShellTreeView::SetRoot(const TRoot& Value)
{
    if (SameText(Value, FRoot)) return;
    FOldRoot = FRoot;
    FRoot = Value;
    RootChanged();
}

void TspCustomShellTreeView::SetObjectTypes(TShellObjectTypes Value)
{
    FObjectTypes = Value;
    RootChanged();
}

void TspCustomShellTreeView::SetListView(TspCustomShellListView* Value)
{
    LinkShellControl(this, FListView, Value, &TspCustomShellListView::FTreeView, FRoot);
}

void TspCustomShellTreeView::SetComboBox(TspCustomShellComboBox* Value)
{
    LinkShellControl(this, FComboBox, Value, &TspCustomShellComboBox::FTreeView, FRoot);
}

void TspCustomShellTreeView::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinCustomTreeView::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FListView) FListView = nullptr;
    if (AComponent == FComboBox) FComboBox = nullptr;
}

void TspCustomShellTreeView::WMContextMenu(TMessage& Message)
{
    TspShellFolder* f = SelectedFolder();
    if (AutoContextMenus && f && !(GetPopupMenu() && GetPopupMenu()->AutoPopup)) {
        InvokeContextMenuAt(this, f, Message.LParam);
        Message.Result = 1;
        return;
    }
    TspSkinCustomTreeView::WMContextMenu(Message);
}

void TspCustomShellTreeView::WndProc(TMessage& Message)
{
    const UINT m = Message.Msg;
    if (IsContextMenuMessage(m))
        if (IContextMenu2* menu = CurrentContextMenu2()) {
            menu->HandleMenuMsg(m, Message.WParam, Message.LParam);
            Message.Result = 0;
            return;
        }
    TspSkinCustomTreeView::WndProc(Message);
    // No other image list takes the place of the tree's own choice.
    if (m == TVM_SETIMAGELIST && !FSendingImages) ApplyImages();
}

void TspCustomShellTreeView::ExecuteCommand(const std::string& Verb, bool& Handled)
{
    if (SameText(Verb, "rename")) {
        if (TTreeNode* n = GetSelected()) {
            SetFocus();
            SendMessageA(GetWindowHandle(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(n->GetItemId()));
            Handled = true;
        }
    } else if (SameText(Verb, "open")) {
        EnterFolderDirectory(FSavedDir, SelectedFolder());
    }
}

void TspCustomShellTreeView::CommandCompleted(const std::string& Verb, bool Succeeded)
{
    TTreeNode* n = GetSelected();
    if (!Succeeded || !n) return;
    if (SameText(Verb, "delete")) {
        const std::string path = FolderOf(n) ? FolderOf(n)->PathName() : std::string();
        if (!path.empty() && !FileExists(path) && !DirectoryExists(path)) DeleteNode(n);
    } else if (SameText(Verb, "paste")) {
        Refresh(n);
    } else if (SameText(Verb, "open") && !FSavedDir.empty()) {
        SetCurrentDirectoryA(FSavedDir.c_str());
    }
}

void TspCustomShellTreeView::CreateWnd()
{
    TspSkinCustomTreeView::CreateWnd();
    ApplyImages();
    if (FCreatingRoot) return;
    ClearNodes();
    try {
        CreateRoot();
        // A window made again opens where the old one was.
        if (FSavedSelection) {
            TPidl id = std::move(FSavedSelection);
            TRestore<bool> quiet(FUpdating, false);
            SetPathFromID(id.Get());
        }
    } catch (const Exception&) {
        // The window shows the root it could make.
        Trace::Caught(Trace::Skin, "shell tree path");
    }
}

void TspCustomShellTreeView::DestroyWnd()
{
    FSavedSelection = SelectedFolder() ? PidlCopy(SelectedFolder()->AbsoluteID()) : TPidl();
    ClearNodes();
    TspSkinCustomTreeView::DestroyWnd();
}

void TspCustomShellTreeView::Loaded()
{
    TspSkinCustomTreeView::Loaded();
    CreateRoot();
}
