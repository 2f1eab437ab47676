#include "ShellCtrls.h"
#include "Application.h"
#include "ScopeGuard.h"
#include "Screen.h"
#include "Trace.h"
#include <algorithm>

namespace Spskinshellctrls {

HIMAGELIST SystemImageList(bool Large)
{
    SHFILEINFOA info = {};
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | (Large ? 0 : SHGFI_SMALLICON)));
}

int ShellCompare(IShellFolder* Folder, LPCITEMIDLIST First, LPCITEMIDLIST Second, int Column)
{
    if (!Folder) return 0;
    HRESULT hr = Folder->CompareIDs(static_cast<LPARAM>(Column & 0xFFFF), First, Second);
    return static_cast<short>(HRESULT_CODE(hr) & 0xFFFF);
}

bool ShellListLess(const TspShellFolder* First, const TspShellFolder* Second, int Column, bool Ascending)
{
    const bool f1 = First->IsFolder(), f2 = Second->IsFolder();
    if (f1 != f2) return f1;
    IShellFolder* parent = First->ParentShellFolder();
    int c = ShellCompare(parent, First->RelativeID(), Second->RelativeID(), Column);
    if (c == 0 && Column != 0) c = ShellCompare(parent, First->RelativeID(), Second->RelativeID(), 0);
    return Ascending ? c < 0 : c > 0;
}

bool MaskPasses(const std::string& Mask, const std::string& Path)
{
    if (Mask.find(".*") != std::string::npos) return true;
    std::string ext = UpperCase(ExtractFileExt(Path));
    if (ext.empty()) return false;
    return UpperCase(Mask).find(ext) != std::string::npos;
}

TPidl ParsePath(const std::string& Path)
{
    TComPtr<IShellFolder> desktop = GetDesktopShellFolder();
    TPidl id;
    TWideString wide = AnsiToWide(Path);
    ULONG eaten = 0;
    if (!desktop || FAILED(desktop->ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(wide.c_str()), &eaten,
                                                     id.Put(), nullptr)) || !id)
        throw EInvalidPath(Format(SErrorSettingPath, Path.c_str()));
    return id;
}

TspShellChangeNotifier* WatchFolder(const std::string& Path, std::function<void()> Refresh)
{
    if (Path.empty()) return nullptr;
    auto* notifier = new TspShellChangeNotifier(nullptr);
    notifier->SetWatchSubTree(false);
    notifier->SetRoot(Path);
    notifier->SetOnChange([Refresh] {
        try {
            Refresh();
        } catch (const Exception&) {
            // A folder that went away shows as it was left.
            Trace::Caught(Trace::Skin, "shell list refresh");
        }
    });
    return notifier;
}

TBusyCursor::TBusyCursor() : FOld(Screen ? Screen->GetCursor() : crDefault)
{
    if (Screen) Screen->SetCursor(crHourGlass);
}

TBusyCursor::~TBusyCursor()
{
    if (Screen) Screen->SetCursor(FOld);
}

} // namespace Spskinshellctrls

using namespace Spskinshellctrls;

namespace {

HWND AppWindow() { return Application ? Application->Handle() : nullptr; }

} // namespace

TspCustomShellListView::TspCustomShellListView(TComponent* AOwner) : TspSkinCustomListView(AOwner)
{
    SetOwnerData(true);
    SetHideSelection(false);
    FLargeImages = SystemImageList(true);
    FSmallImages = SystemImageList(false);
}

TspCustomShellListView::~TspCustomShellListView()
{
    // The queued calls of the notifier end with it, before the items go.
    delete FNotifier;
    FNotifier = nullptr;
    if (FTreeView && FTreeView->FListView == this) FTreeView->FListView = nullptr;
    if (FComboBox && FComboBox->FListView == this) FComboBox->FListView = nullptr;
    FFolders.clear();
}

TspShellFolder* TspCustomShellListView::GetFolder(int Index) const
{
    if (Index < 0 || Index >= FolderCount()) return nullptr;
    return FFolders[Index].get();
}

TspShellFolder* TspCustomShellListView::SelectedFolder() { return GetFolder(GetItemIndex()); }

std::string TspCustomShellListView::GetSelectedFile()
{
    TspShellFolder* f = SelectedFolder();
    return f && !f->IsFolder() ? f->PathName() : std::string();
}

void TspCustomShellListView::GetSelectedFiles(TStrings* Strings)
{
    Strings->Clear();
    if (!HandleAllocated()) return;
    int i = -1;
    while ((i = static_cast<int>(SendMessageA(GetWindowHandle(), LVM_GETNEXTITEM, i, LVNI_SELECTED))) != -1) {
        TspShellFolder* f = GetFolder(i);
        if (f && !f->IsFolder()) Strings->Add(f->PathName());
    }
}

std::string TspCustomShellListView::GetPath() const { return FRootFolder ? FRootFolder->PathName() : std::string(); }

void TspCustomShellListView::ClearItems()
{
    if (!IsDestroying() && HandleAllocated()) GetItems()->SetCount(0);
    FFolders.clear();
}

void TspCustomShellListView::Populate()
{
    if (IsLoading() && !HandleAllocated()) return;
    GetItems()->BeginUpdate();
    TScopeExit endUpdate([this] { GetItems()->EndUpdate(); });
    ClearItems();
    if (!FRootFolder || !FRootFolder->ShellFolder()) return;
    TBusyCursor busy;
    TComPtr<IEnumIDList> items;
    if (FAILED(FRootFolder->ShellFolder()->EnumObjects(AppWindow(), ObjectTypesToEnumFlags(FObjectTypes),
                                                        items.Put())) || !items)
        return;
    LPITEMIDLIST raw = nullptr;
    ULONG fetched = 0;
    while (items->Next(1, &raw, &fetched) == S_OK && fetched == 1) {
        TPidl item(raw);
        raw = nullptr;
        // Only a folder has a folder interface: binding one for a file costs
        // several failing shell calls per item.
        TComPtr<IShellFolder> folder;
        if (PidlIsFolder(FRootFolder->ShellFolder(), item.Get()))
            folder = BindShellFolderObject(FRootFolder->ShellFolder(), item.Get(), nullptr);
        std::unique_ptr<TspShellFolder> f(new TspShellFolder(FRootFolder.get(), item.Get(), folder.Get()));
        bool canAdd = true;
        if (!f->IsFolder()) canAdd = MaskPasses(FMask, f->PathName());
        if (OnAddFolder) OnAddFolder(this, f.get(), canAdd);
        if (canAdd) FFolders.push_back(std::move(f));
    }
    if (FSorted) SortFolders();
    if (HandleAllocated()) GetItems()->SetCount(FolderCount());
}

void TspCustomShellListView::SortFolders()
{
    const int column = FSortColumn;
    const bool ascending = FSortAscending;
    if (column == 0) {
        std::stable_sort(FFolders.begin(), FFolders.end(),
                         [ascending](const std::unique_ptr<TspShellFolder>& a, const std::unique_ptr<TspShellFolder>& b) {
                             return ShellListLess(a.get(), b.get(), 0, ascending);
                         });
        return;
    }
    // Wine's file-system folder ignores the column that CompareIDs is given and
    // always orders by name, so the other columns are ordered here by their
    // values: size and date of a file-system item as numbers, the rest as text.
    struct TKey {
        bool Folder;
        long long Number;
        std::string Text;
    };
    const bool fileSystem = FRootFolder && FRootFolder->Properties().Contains(fpFileSystem);
    const bool numeric = fileSystem && (column == 1 || column == 3);
    std::vector<TKey> keys;
    keys.reserve(FFolders.size());
    for (auto& f : FFolders) {
        TKey k{f->IsFolder(), 0, std::string()};
        if (numeric) {
            WIN32_FIND_DATAA fd;
            HANDLE h = FindFirstFileA(f->PathName().c_str(), &fd);
            if (h != INVALID_HANDLE_VALUE) {
                FindClose(h);
                k.Number = column == 1 ? (static_cast<long long>(fd.nFileSizeHigh) << 32 | fd.nFileSizeLow)
                                       : (static_cast<long long>(fd.ftLastWriteTime.dwHighDateTime) << 32 |
                                          fd.ftLastWriteTime.dwLowDateTime);
            }
        } else {
            try {
                f->LoadColumnDetails(FRootFolder.get(), HandleAllocated() ? GetWindowHandle() : nullptr,
                                     std::max(column, GetColumns()->GetCount()));
                if (column <= f->DetailCount()) k.Text = UpperCase(f->GetDetails(column));
            } catch (const Exception&) {
                // No detail: sorts as empty text.
                Trace::Caught(Trace::Skin, "shell list sort detail");
            }
        }
        keys.push_back(std::move(k));
    }
    std::vector<int> order(FFolders.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    IShellFolder* parent = FRootFolder ? FRootFolder->ShellFolder() : nullptr;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const TKey &ka = keys[a], &kb = keys[b];
        if (ka.Folder != kb.Folder) return ka.Folder;
        int c = numeric ? (ka.Number < kb.Number ? -1 : ka.Number > kb.Number ? 1 : 0) : ka.Text.compare(kb.Text);
        if (c == 0) c = ShellCompare(parent, FFolders[a]->RelativeID(), FFolders[b]->RelativeID(), 0);
        return ascending ? c < 0 : c > 0;
    });
    std::vector<std::unique_ptr<TspShellFolder>> sorted;
    sorted.reserve(FFolders.size());
    for (int i : order) sorted.push_back(std::move(FFolders[i]));
    FFolders.swap(sorted);
}

int TspCustomShellListView::IndexOfRelativeID(LPCITEMIDLIST ID) const
{
    if (!ID || !FRootFolder) return -1;
    for (int i = 0; i < FolderCount(); ++i)
        if (ShellCompare(FRootFolder->ShellFolder(), FFolders[i]->RelativeID(), ID) == 0 &&
            PidlByteSize(FFolders[i]->RelativeID()) == PidlByteSize(ID))
            return i;
    return -1;
}

void TspCustomShellListView::SortBy(int Column, bool Ascending)
{
    FSortColumn = std::max(0, std::min(Column, 0xFFFF));
    FSortAscending = Ascending;
    // The rows change places: the selection follows its item, not its row.
    TspShellFolder* selected = SelectedFolder();
    TPidl keep = selected ? PidlCopy(selected->RelativeID()) : TPidl();
    SortFolders();
    if (!HandleAllocated()) return;
    SetItemIndex(keep ? IndexOfRelativeID(keep.Get()) : -1);
    InvalidateRect(GetWindowHandle(), nullptr, TRUE);
}

std::string TspCustomShellListView::CellText(int Index, int Column)
{
    TspShellFolder* f = GetFolder(Index);
    if (!f) return std::string();
    if (Column == 0) return f->DisplayName();
    try {
        f->LoadColumnDetails(FRootFolder.get(), HandleAllocated() ? GetWindowHandle() : nullptr,
                             GetColumns()->GetCount());
        if (Column > f->DetailCount()) return std::string();
        std::string s = f->GetDetails(Column);
        // A folder has neither a size nor a date of its own: an empty cell.
        if (s == "-1" && f->IsFolder()) s.clear();
        return s;
    } catch (const Exception&) {
        Trace::Caught(Trace::Skin, "shell list detail");
        return std::string();
    }
}

TListItem* TspCustomShellListView::VirtualItem(int Index)
{
    TListItem* item = TspSkinCustomListView::VirtualItem(Index);
    TspShellFolder* f = GetFolder(Index);
    if (!item || !f) return item;
    // The control asks for every item's text to lay out the icon view, and
    // the shell's icon lookup is by far the dearer part: each only when asked.
    const UINT asked = AskedParts();
    if (asked & LVIF_TEXT) item->SetCaption(f->DisplayName());
    if (asked & LVIF_IMAGE) item->SetImageIndex(f->ImageIndex(GetViewStyle() == vsIcon));
    if ((asked & LVIF_TEXT) && GetViewStyle() == vsReport) {
        item->GetSubItems()->Clear();
        for (int c = 1; c < GetColumns()->GetCount(); ++c) item->GetSubItems()->Add(CellText(Index, c));
    }
    return item;
}

int TspCustomShellListView::FindItem(const std::string& Text, int Start, bool Wrap) const
{
    const int n = FolderCount();
    if (n == 0) return -1;
    if (Start < 0 || Start >= n) Start = 0;
    const std::string want = UpperCase(Text);
    auto matches = [&](int i) { return UpperCase(FFolders[i]->DisplayName()).compare(0, want.size(), want) == 0; };
    for (int i = Start; i < n; ++i)
        if (matches(i)) return i;
    if (Wrap)
        for (int i = 0; i < Start; ++i)
            if (matches(i)) return i;
    return -1;
}

void TspCustomShellListView::CNNotify(TMessage& Message)
{
    auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    if (hdr->code == LVN_ODFINDITEMA || hdr->code == LVN_ODFINDITEMW) {
        auto* find = reinterpret_cast<NMLVFINDITEMA*>(Message.LParam);
        Message.Result = -1;
        if (find->lvfi.flags & (LVFI_PARTIAL | LVFI_STRING)) {
            std::string text;
            if (hdr->code == LVN_ODFINDITEMA) {
                if (find->lvfi.psz) text = find->lvfi.psz;
            } else {
                auto* w = reinterpret_cast<NMLVFINDITEMW*>(Message.LParam);
                if (w->lvfi.psz) {
                    char buf[MAX_PATH] = "";
                    WideCharToMultiByte(CP_ACP, 0, w->lvfi.psz, -1, buf, sizeof(buf), nullptr, nullptr);
                    text = buf;
                }
            }
            Message.Result = FindItem(text, find->iStart, (find->lvfi.flags & LVFI_WRAP) != 0);
        }
        return;
    }
    if (hdr->code == LVN_COLUMNCLICK) {
        const int column = reinterpret_cast<NMLISTVIEW*>(Message.LParam)->iSubItem;
        SortBy(column, column == FSortColumn ? !FSortAscending : true);
        Message.Result = 0;
        return;
    }
    if (hdr->code == LVN_BEGINLABELEDITA || hdr->code == LVN_BEGINLABELEDITW) {
        FEditing = true;
        Message.Result = 0;
        return;
    }
    if (hdr->code == LVN_ENDLABELEDITA || hdr->code == LVN_ENDLABELEDITW) {
        FEditing = false;
        auto* di = reinterpret_cast<NMLVDISPINFOA*>(Message.LParam);
        std::string text;
        if (hdr->code == LVN_ENDLABELEDITA) {
            if (di->item.pszText) text = di->item.pszText;
        } else {
            auto* w = reinterpret_cast<NMLVDISPINFOW*>(Message.LParam);
            if (w->item.pszText) {
                char buf[MAX_PATH] = "";
                WideCharToMultiByte(CP_ACP, 0, w->item.pszText, -1, buf, sizeof(buf), nullptr, nullptr);
                text = buf;
            }
        }
        Message.Result = 0;
        TspShellFolder* f = GetFolder(di->item.iItem);
        if (f && di->item.pszText && !text.empty()) {
            std::string refused;
            try {
                f->Rename(text);
            } catch (const Exception& e) {
                refused = e.Message();
            }
            SendMessageA(GetWindowHandle(), LVM_REDRAWITEMS, di->item.iItem, di->item.iItem);
            if (FTreeView && FTreeView->GetSelected()) FTreeView->Refresh(FTreeView->GetSelected());
            // The item keeps its name; the user learns why through the
            // application's error report (the window procedure passes it on).
            if (!refused.empty()) throw Exception(refused);
        }
        return;
    }
    TspSkinCustomListView::CNNotify(Message);
}

void TspCustomShellListView::EditText()
{
    int i = GetItemIndex();
    if (i >= 0 && HandleAllocated()) {
        SetFocus();
        SendMessageA(GetWindowHandle(), LVM_EDITLABELA, i, 0);
    }
}

void TspCustomShellListView::EnumColumns()
{
    if (!FRootFolder || !FRootFolder->ShellFolder()) return;
    GetColumns()->Clear();
    IShellFolder2* f2 = FRootFolder->GetShellFolder2();
    IShellDetails* details = f2 ? nullptr : FRootFolder->GetShellDetails();
    if (f2) {
        bool secondary = false;
        for (UINT col = 0; col < 64; ++col) {
            SHELLDETAILS sd = {};
            if (f2->GetDetailsOf(nullptr, col, &sd) != S_OK) break;
            SHCOLSTATEF state = 0;
            if (FAILED(f2->GetDefaultColumnState(col, &state))) state = 0;
            if (state & SHCOLSTATE_SECONDARYUI) {
                secondary = true;
                StrRetText(nullptr, sd.str);
                continue;
            }
            if (secondary) {
                StrRetText(nullptr, sd.str);
                break;
            }
            bool added = false;
            AddColumn(sd, added);
        }
    } else if (details) {
        for (UINT col = 0; col < 64; ++col) {
            SHELLDETAILS sd = {};
            if (details->GetDetailsOf(nullptr, col, &sd) != S_OK) break;
            bool added = false;
            AddColumn(sd, added);
            if (!added) break;
        }
    } else {
        const int x = GetCanvas() ? std::max(1, GetCanvas()->TextWidth("X")) : 8;
        auto add = [&](const char* caption, TAlignment a, int chars) {
            TListColumn* c = GetColumns()->Add();
            c->SetCaption(caption);
            c->SetAlignment(a);
            c->SetWidth(chars * x);
        };
        add("Name", taLeftJustify, 25);
        if (FRootFolder->Properties().Contains(fpFileSystem)) {
            add("Size", taRightJustify, 10);
            add("Type", taLeftJustify, 10);
            add("Modified", taLeftJustify, 14);
        }
    }
    if (HandleAllocated()) InvalidateRect(GetWindowHandle(), nullptr, TRUE);
}

void TspCustomShellListView::AddColumn(const SHELLDETAILS& Details, bool& Added)
{
    SHELLDETAILS sd = Details;
    std::string caption = StrRetText(nullptr, sd.str);
    Added = true;
    if (caption.empty()) return;
    for (int i = 0; i < GetColumns()->GetCount(); ++i)
        if (SameText(GetColumns()->GetItem(i)->GetCaption(), caption)) {
            Added = false;
            return;
        }
    const int x = GetCanvas() ? std::max(1, GetCanvas()->TextWidth("X")) : 8;
    TListColumn* c = GetColumns()->Add();
    c->SetCaption(caption);
    c->SetAlignment(sd.fmt == LVCFMT_RIGHT ? taRightJustify : sd.fmt == LVCFMT_CENTER ? taCenter : taLeftJustify);
    // A shell that reports no width still gets a readable column.
    c->SetWidth(std::min(std::max(sd.cxChar, 4), 60) * x);
}

void TspCustomShellListView::SetViewStyle(TViewStyle Value)
{
    TspSkinCustomListView::SetViewStyle(Value);
    if (Value == vsReport && !IsLoading()) EnumColumns();
}

void TspCustomShellListView::DoPathChange()
{
    if (OnPathChange) OnPathChange(this);
}

void TspCustomShellListView::SetPathFromID(LPCITEMIDLIST ID)
{
    if (FUpdating || !ID) return;
    if (FRootFolder && PidlEqual(FRootFolder->AbsoluteID(), ID)) return;
    // The listed items refer to the folder: they go first.
    ClearItems();
    std::unique_ptr<TspShellFolder> next = CreateShellFolderFromPidl(ID);
    if (!next) return;
    FRootFolder = std::move(next);
    FRootJustSet = false;
    RootChanged();
    DoPathChange();
}

void TspCustomShellListView::TreeUpdate(LPCITEMIDLIST ID)
{
    if (FUpdating) return;
    SetPathFromID(ID);
}

void TspCustomShellListView::SetPath(const std::string& Path)
{
    TPidl id = ParsePath(Path);
    SetPathFromID(id.Get());
}

void TspCustomShellListView::Back()
{
    if (!FRootFolder || PidlItemCount(FRootFolder->AbsoluteID()) == 0) return;
    TPidl up = PidlCopy(FRootFolder->AbsoluteID());
    PidlStripLast(up.Get());
    SetPathFromID(up.Get());
}

void TspCustomShellListView::Refresh()
{
    if (!FRootFolder) return;
    // The rows are made anew: the selection is found again by its item.
    TspShellFolder* selected = SelectedFolder();
    TPidl keep = selected ? PidlCopy(selected->RelativeID()) : TPidl();
    if (HandleAllocated()) SetItemIndex(-1);
    TPidl copy = PidlCopy(FRootFolder->AbsoluteID());
    ClearItems();
    FRootFolder.reset();
    SetPathFromID(copy.Get());
    if (keep && HandleAllocated()) {
        const int i = IndexOfRelativeID(keep.Get());
        if (i >= 0) SetItemIndex(i);
    }
}

void TspCustomShellListView::SyncPaths()
{
    if (FRootJustSet) {
        if (FTreeView) FTreeView->SetRoot(FRoot);
    } else if (FRootFolder) {
        if (FTreeView) FTreeView->SetPathFromID(FRootFolder->AbsoluteID());
        if (FComboBox) FComboBox->TreeUpdate(FRootFolder->AbsoluteID());
    }
    FRootJustSet = false;
}

void TspCustomShellListView::RootChanged()
{
    if (FUpdating) return;
    TRestore<bool> updating(FUpdating, true);
    const bool autoRefresh = FAutoRefresh;
    SetAutoRefresh(false);
    TScopeExit back([this, autoRefresh] { SetAutoRefresh(autoRefresh); });
    SyncPaths();
    Populate();
    if (GetViewStyle() == vsReport) EnumColumns();
}

void TspCustomShellListView::SetRoot(const TRoot& Value)
{
    if (SameText(Value, FRoot)) return;
    FOldRoot = FRoot;
    TRoot name = Value;
    // The items refer to the folder that the new root replaces.
    std::unique_ptr<TspShellFolder> root;
    CreateShellRootFolder(root, FOldRoot, name);   // raises, leaving everything as it was
    ClearItems();
    FRoot = name;
    FRootFolder = std::move(root);
    FRootJustSet = true;
    RootChanged();
}

void TspCustomShellListView::SetMask(const std::string& Value)
{
    if (Value == FMask) return;
    FMask = Value;
    RootChanged();
}

void TspCustomShellListView::SetObjectTypes(TShellObjectTypes Value)
{
    FObjectTypes = Value;
    if (!IsLoading()) RootChanged();
}

void TspCustomShellListView::SetSorted(bool Value)
{
    if (FSorted == Value) return;
    FSorted = Value;
    Populate();
}

void TspCustomShellListView::ApplyAutoRefresh()
{
    delete FNotifier;
    FNotifier = nullptr;
    if (!FAutoRefresh || !FRootFolder) return;
    FNotifier = WatchFolder(FRootFolder->PathName(), [this] { Refresh(); });
}

void TspCustomShellListView::SetAutoRefresh(bool Value)
{
    FAutoRefresh = Value;
    if (IsLoading()) return;
    ApplyAutoRefresh();
}

void TspCustomShellListView::KeyDown(WORD& Key, TShiftState Shift)
{
    TspSkinCustomListView::KeyDown(Key, Shift);
    if (!AutoNavigate) return;
    switch (Key) {
    case VK_BACK:
        if (!FEditing) Back();
        break;
    case VK_RETURN:
        if (Shift & ssAlt) {
            if (TspShellFolder* f = SelectedFolder()) InvokeShellVerb(f, "properties");
            Key = 0;
        } else if (TspShellFolder* f = SelectedFolder()) {
            if (f->IsFolder()) {
                TPidl id = PidlCopy(f->AbsoluteID());   // the item goes with the old listing
                SetPathFromID(id.Get());
            }
        }
        break;
    case VK_F5: Refresh(); break;
    default: break;
    }
}

void TspCustomShellListView::DblClick()
{
    if (AutoNavigate)
        if (TspShellFolder* f = SelectedFolder())
            if (f->IsFolder()) {
                TPidl id = PidlCopy(f->AbsoluteID());
                SetPathFromID(id.Get());
            }
    TspSkinCustomListView::DblClick();
}

void TspCustomShellListView::WMContextMenu(TMessage& Message)
{
    TspShellFolder* f = SelectedFolder();
    if (AutoContextMenus && f) {
        InvokeContextMenuAt(this, f, Message.LParam);
        Message.Result = 1;
        return;
    }
    TspSkinCustomListView::WMContextMenu(Message);
}

void TspCustomShellListView::WndProc(TMessage& Message)
{
    if (IsContextMenuMessage(Message.Msg))
        if (IContextMenu2* menu = CurrentContextMenu2()) menu->HandleMenuMsg(Message.Msg, Message.WParam, Message.LParam);
    TspSkinCustomListView::WndProc(Message);
}

void TspCustomShellListView::ExecuteCommand(const std::string& Verb, bool& Handled)
{
    if (SameText(Verb, "rename")) {
        EditText();
        Handled = true;
    } else if (SameText(Verb, "open")) {
        EnterFolderDirectory(FSavedDir, SelectedFolder());
    }
}

void TspCustomShellListView::CommandCompleted(const std::string& Verb, bool Succeeded)
{
    if (!Succeeded) return;
    if (SameText(Verb, "delete") || SameText(Verb, "paste")) Refresh();
    else if (SameText(Verb, "open") && !FSavedDir.empty()) SetCurrentDirectoryA(FSavedDir.c_str());
}

void TspCustomShellListView::SetTreeView(TspCustomShellTreeView* Value)
{
    LinkShellControl(this, FTreeView, Value, &TspCustomShellTreeView::FListView, FRoot);
}

void TspCustomShellListView::SetComboBox(TspCustomShellComboBox* Value)
{
    LinkShellControl(this, FComboBox, Value, &TspCustomShellComboBox::FListView, FRoot);
}

void TspCustomShellListView::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinCustomListView::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FTreeView) FTreeView = nullptr;
    if (AComponent == FComboBox) FComboBox = nullptr;
}

void TspCustomShellListView::ApplyImageLists()
{
    if (!HandleAllocated()) return;
    SendMessageA(GetWindowHandle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(FSmallImages));
    SendMessageA(GetWindowHandle(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(FLargeImages));
}

void TspCustomShellListView::CreateWnd()
{
    TspSkinCustomListView::CreateWnd();
    // The system lists are shared: the window must never free them.
    SetWindowLongA(GetWindowHandle(), GWL_STYLE, GetWindowLongA(GetWindowHandle(), GWL_STYLE) | LVS_SHAREIMAGELISTS);
    ApplyImageLists();
    if (IsLoading()) return;
    ClearItems();
    // A window made again (a new view style, a new skin) goes on showing the
    // folder it showed; only a first window starts at Root.
    if (!FRootFolder) {
        TRoot name = FRoot;
        try {
            CreateShellRootFolder(FRootFolder, FOldRoot, name);
            FRoot = name;
        } catch (const Exception&) {
            // An unusable root: the list stays empty.
            Trace::Caught(Trace::Skin, "shell list root");
        }
    }
    RootChanged();
}

void TspCustomShellListView::DestroyWnd()
{
    ClearItems();
    TspSkinCustomListView::DestroyWnd();
}

void TspCustomShellListView::Loaded()
{
    TspSkinCustomListView::Loaded();
    Populate();
    ApplyAutoRefresh();
}
