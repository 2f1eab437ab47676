#include "ShellCtrls.h"
#include "ScopeGuard.h"
#include "Trace.h"
#include <algorithm>

using namespace Spskinshellctrls;

// ---- TspItemsEx ----
TspItemEx* TspItemsEx::Add() { return Insert(GetCount()); }

TspItemEx* TspItemsEx::Insert(int Index)
{
    Index = std::max(0, std::min(Index, GetCount()));
    auto it = FItems.insert(FItems.begin() + Index, std::unique_ptr<TspItemEx>(new TspItemEx));
    return it->get();
}

TspItemEx* TspItemsEx::AddItem(const std::string& Caption, int ImageIndex, int SelectedImageIndex, int Indent,
                               std::unique_ptr<TspShellFolder> Folder)
{
    TspItemEx* item = Add();
    item->Caption = Caption;
    item->ImageIndex = ImageIndex;
    item->SelectedImageIndex = SelectedImageIndex;
    item->Indent = Indent;
    item->Folder = std::move(Folder);
    return item;
}

TspItemEx* TspItemsEx::GetItem(int Index) const
{
    return Index >= 0 && Index < GetCount() ? FItems[Index].get() : nullptr;
}

void TspItemsEx::Clear()
{
    // A folder may refer to the item of an earlier row as its parent.
    while (!FItems.empty()) FItems.pop_back();
}

// ---- TspCustomShellComboBox ----
TspCustomShellComboBox::TspCustomShellComboBox(TComponent* AOwner) : TspSkinCustomComboBox(AOwner)
{
    SetStyle(spcbFixedStyle);
    FImages = SystemImageList(false);
    SetUseShellImages(true);
    SetListBoxDrawItem([this](TCanvas* C, int Index, int, int, TRect R, TOwnerDrawState) {
        DrawRow(C, Index, R, true);
    });
    OnComboBoxDrawItem = [this](TCanvas* C, int Index, int, int, TRect R, TOwnerDrawState) {
        DrawRow(C, Index, R, false);
    };
}

TspCustomShellComboBox::~TspCustomShellComboBox()
{
    if (FTreeView && FTreeView->FComboBox == this) FTreeView->FComboBox = nullptr;
    if (FListView && FListView->FComboBox == this) FListView->FComboBox = nullptr;
    FItemsEx.Clear();
}

TspShellFolder* TspCustomShellComboBox::GetFolder(int Index) const
{
    const int n = FItemsEx.GetCount();
    if (n == 0 || Index < 0) return nullptr;
    return FItemsEx.GetItem(std::min(Index, n - 1))->Folder.get();
}

int TspCustomShellComboBox::IndexFromID(LPCITEMIDLIST ID) const
{
    for (int i = FItemsEx.GetCount() - 1; i >= 0; --i) {
        TspShellFolder* f = FItemsEx.GetItem(i)->Folder.get();
        if (f && PidlEqual(f->AbsoluteID(), ID)) return i;
    }
    return -1;
}

std::string TspCustomShellComboBox::GetPath() const
{
    const int i = GetItemIndex();
    TspShellFolder* f = i >= 0 ? GetFolder(i) : nullptr;
    return f ? f->PathName() : std::string();
}

int TspCustomShellComboBox::GetShellImageIndex(TspShellFolder* Folder) const
{
    return FUseShellImages && Folder ? GetShellIconIndex(Folder->AbsoluteID(), false, false) : -1;
}

void TspCustomShellComboBox::ClearItemsEx()
{
    FItemsEx.Clear();
    CheckItems();
}

void TspCustomShellComboBox::CheckItems()
{
    TStrings* items = GetItems();
    items->BeginUpdate();
    items->Clear();
    for (int i = 0; i < FItemsEx.GetCount(); ++i) items->Add(FItemsEx.GetItem(i)->Caption);
    items->EndUpdate();
}

std::unique_ptr<TspShellFolder> TspCustomShellComboBox::InitItem(TspShellFolder* ParentFolder, LPCITEMIDLIST ID)
{
    TComPtr<IShellFolder> sf =
        BindShellFolderObject(ParentFolder ? ParentFolder->ShellFolder() : nullptr, ID, nullptr);
    return std::unique_ptr<TspShellFolder>(new TspShellFolder(ParentFolder, ID, sf.Get()));
}

void TspCustomShellComboBox::AddItemsEx(int Index, TspShellFolder* Folder)
{
    if (!Folder || !Folder->ShellFolder()) return;
    TComPtr<IEnumIDList> items;
    HRESULT hr = Folder->ShellFolder()->EnumObjects(nullptr, ObjectTypesToEnumFlags(FObjectTypes), items.Put());
    if (FAILED(hr)) throw EOleSysError(Format("Cannot list \"%s\"", Folder->DisplayName().c_str()), hr);
    if (!items) return;
    std::vector<TPidl> ids;
    LPITEMIDLIST raw = nullptr;
    ULONG fetched = 0;
    while (items->Next(1, &raw, &fetched) == S_OK && fetched == 1) {
        ids.emplace_back(raw);
        raw = nullptr;
    }
    IShellFolder* sf = Folder->ShellFolder();
    std::stable_sort(ids.begin(), ids.end(),
                     [sf](const TPidl& a, const TPidl& b) { return ShellCompare(sf, a.Get(), b.Get()) < 0; });
    for (size_t n = 0; n < ids.size(); ++n) {
        TspItemEx* item = FItemsEx.Insert(Index + static_cast<int>(n) + 1);
        item->Folder = InitItem(Folder, ids[n].Get());
        item->Caption = item->Folder->DisplayName();
        item->Indent = item->Folder->Level();
        item->ImageIndex = item->SelectedImageIndex = GetShellImageIndex(item->Folder.get());
    }
}

void TspCustomShellComboBox::Init()
{
    if (FItemsEx.GetCount() == 0) return;
    AddItemsEx(0, FItemsEx.GetItem(0)->Folder.get());
    if (FRoot != "rfDesktop") return;
    TPidl drives;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, drives.Put())) || !drives) return;
    const int i = IndexFromID(drives.Get());
    if (i >= 0) AddItemsEx(i, FItemsEx.GetItem(i)->Folder.get());
}

void TspCustomShellComboBox::CreateRoot()
{
    if (IsLoading()) return;
    FItemsEx.BeginUpdate();
    TScopeExit endUpdate([this] { FItemsEx.EndUpdate(); });
    ClearItemsEx();
    TRoot name = FRoot;
    TScopeExit keepName([this, &name] { FRoot = name; });
    CreateShellRootFolder(FRootFolder, FOldRoot, name);
    // Item 0 stands on its own (its parent is the desktop item), so the root
    // folder may be replaced while the outline lives.
    std::unique_ptr<TspShellFolder> first(
        new TspShellFolder(nullptr, FRootFolder->AbsoluteID(), FRootFolder->ShellFolder()));
    const int image = GetShellImageIndex(first.get());
    const std::string caption = first->DisplayName();
    FItemsEx.AddItem(caption, image, image, 0, std::move(first));
    try {
        Init();
    } catch (const EOleSysError&) {
        // A folder that cannot be listed leaves its part of the outline out.
        Trace::Caught(Trace::Skin, "shell box outline");
    }
    CheckItems();
    SetItemIndex(0);
    if (FUseShellImages) {
        SetUseShellImages(false);
        SetUseShellImages(true);
    }
}

void TspCustomShellComboBox::SetPathFromID(LPCITEMIDLIST ID)
{
    if (!ID) return;
    FItemsEx.BeginUpdate();
    TScopeExit endUpdate([this] { FItemsEx.EndUpdate(); });
    // Copied first: ID may belong to an item of the outline about to be rebuilt.
    TPidl target = PidlCopy(ID);
    CreateRoot();
    std::vector<TPidl> ancestors = PidlAncestorList(target.Get());
    int found = -1, at = -1;
    for (int a = static_cast<int>(ancestors.size()) - 1; a >= 0; --a) {
        at = IndexFromID(ancestors[a].Get());
        if (at >= 0) {
            found = a;
            break;
        }
    }
    if (found < 0) {
        if (IndexFromID(target.Get()) >= 0) SetItemIndex(IndexFromID(target.Get()));
        return;
    }
    auto insertAfter = [this](int& Index, LPCITEMIDLIST Id) {
        TspShellFolder* parent = FItemsEx.GetItem(Index)->Folder.get();
        TPidl last = PidlLastItemCopy(Id);
        TspItemEx* item = FItemsEx.Insert(Index + 1);
        item->Folder = InitItem(parent, last.Get());
        item->Caption = item->Folder->DisplayName();
        item->Indent = item->Folder->Level();
        item->ImageIndex = item->SelectedImageIndex = GetShellImageIndex(item->Folder.get());
        ++Index;
    };
    for (size_t a = found + 1; a < ancestors.size(); ++a) insertAfter(at, ancestors[a].Get());
    if (IndexFromID(target.Get()) < 0) insertAfter(at, target.Get());
    CheckItems();
    SetItemIndex(IndexFromID(target.Get()));
}

void TspCustomShellComboBox::TreeUpdate(LPCITEMIDLIST ID)
{
    if (FUpdating || !ID) return;
    const int i = GetItemIndex();
    TspShellFolder* f = i >= 0 ? GetFolder(i) : nullptr;
    if (f && PidlEqual(f->AbsoluteID(), ID)) return;
    TRestore<bool> updating(FUpdating, true);
    SetPathFromID(ID);
}

void TspCustomShellComboBox::SetPath(const std::string& Path)
{
    TPidl id = ParsePath(Path);
    SetPathFromID(id.Get());
}

void TspCustomShellComboBox::Change()
{
    if (FItemsEx.Updating() || FUpdating || IsPopupVisible()) return;
    const int i = GetItemIndex();
    TspShellFolder* f = i >= 0 && i < FItemsEx.GetCount() ? GetFolder(i) : nullptr;
    if (!f) return;
    TRestore<bool> updating(FUpdating, true);
    // Copied: the outline is rebuilt around the choice and frees the item.
    TPidl id = PidlCopy(f->AbsoluteID());
    if (FTreeView) FTreeView->SetPathFromID(id.Get());
    if (FListView) FListView->TreeUpdate(id.Get());
    SetPathFromID(id.Get());
}

void TspCustomShellComboBox::RootChanged()
{
    TRestore<bool> updating(FUpdating, true);
    ClearItemsEx();
    CreateRoot();
    if (FTreeView) FTreeView->SetRoot(FRoot);
    if (FListView) FListView->SetRoot(FRoot);
}

void TspCustomShellComboBox::SetRoot(const TRoot& Value)
{
    if (SameText(Value, FRoot)) return;
    FOldRoot = FRoot;
    FRoot = Value;
    RootChanged();
}

void TspCustomShellComboBox::SetObjectTypes(TShellObjectTypes Value)
{
    FObjectTypes = Value;
    RootChanged();
}

void TspCustomShellComboBox::SetUseShellImages(bool Value)
{
    FUseShellImages = Value;
    FIconWidth = FIconHeight = 16;
    if (Value && FImages) ImageList_GetIconSize(FImages, &FIconWidth, &FIconHeight);
    FIconWidth = std::max(0, std::min(FIconWidth, 64));
    FIconHeight = std::max(0, std::min(FIconHeight, 64));
}

void TspCustomShellComboBox::SetTreeView(TspCustomShellTreeView* Value)
{
    LinkShellControl(this, FTreeView, Value, &TspCustomShellTreeView::FComboBox, FRoot);
}

void TspCustomShellComboBox::SetListView(TspCustomShellListView* Value)
{
    LinkShellControl(this, FListView, Value, &TspCustomShellListView::FComboBox, FRoot);
}

void TspCustomShellComboBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinCustomComboBox::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FTreeView) FTreeView = nullptr;
    if (AComponent == FListView) FListView = nullptr;
}

int TspCustomShellComboBox::TextOffset(int Index, bool Outline) const
{
    TspItemEx* item = FItemsEx.GetItem(Index);
    const int indent = item && Outline ? std::max(0, std::min(item->Indent, 32)) : 0;
    return FIconWidth + indent * FIconWidth / 2 + 4;
}

void TspCustomShellComboBox::DrawRow(TCanvas* Cnvs, int Index, const TRect& TextRect, bool Outline)
{
    TspItemEx* item = FItemsEx.GetItem(Index);
    if (!item) return;
    const int indent = Outline ? std::max(0, std::min(item->Indent, 32)) : 0;
    const int offset = indent * FIconWidth / 2;
    if (FImages && FUseShellImages && item->ImageIndex >= 0)
        ImageList_DrawEx(FImages, item->ImageIndex, Cnvs->GetHandle(), TextRect.left + offset,
                         TextRect.top + (TextRect.Height() - FIconHeight) / 2, FIconWidth, FIconHeight, CLR_NONE,
                         CLR_NONE, ILD_NORMAL);
    Cnvs->GetBrush()->SetStyle(bsClear);
    Cnvs->TextOut(TextRect.left + TextOffset(Index, Outline),
                  TextRect.top + TextRect.Height() / 2 - Cnvs->TextHeight("Wg") / 2, item->Caption);
}

void TspCustomShellComboBox::CreateWnd()
{
    TspSkinCustomComboBox::CreateWnd();
    SetUseShellImages(FUseShellImages);
    if (FItemsEx.GetCount() == 0) {
        try {
            CreateRoot();
        } catch (const Exception&) {
            // An unusable root: the box stays empty.
            Trace::Caught(Trace::Skin, "shell box root");
        }
    }
    if (GetItems()->GetCount() != FItemsEx.GetCount()) CheckItems();
}

void TspCustomShellComboBox::DestroyWnd()
{
    TspSkinCustomComboBox::DestroyWnd();
}

void TspCustomShellComboBox::Loaded()
{
    TspSkinCustomComboBox::Loaded();
    CreateRoot();
}
