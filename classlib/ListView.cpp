#include "ListView.h"
#include "ImgList.h"
#include <algorithm>

// ---- TListColumn ----
void TListColumn::SetCaption(const std::string& Value)
{
    FCaption = Value;
    FOwner->UpdateColumn(GetIndex());
}

int TListColumn::GetWidth() const
{
    if (FOwner->HandleAllocated() && FOwner->GetViewStyle() == vsReport) {
        int i = GetIndex();
        if (i >= 0) return static_cast<int>(SendMessageA(FOwner->GetWindowHandle(), LVM_GETCOLUMNWIDTH, i, 0));
    }
    return FWidth;
}

void TListColumn::SetWidth(int Value)
{
    FWidth = Value;
    FOwner->UpdateColumn(GetIndex());
}

void TListColumn::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    FOwner->UpdateColumn(GetIndex());
}

void TListColumn::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    FOwner->UpdateColumns();
}

int TListColumn::GetIndex() const { return FOwner->GetColumns()->IndexOf(this); }

// ---- TListColumns ----
TListColumn* TListColumns::Add()
{
    FItems.emplace_back(new TListColumn(FOwner));
    TListColumn* c = FItems.back().get();
    if (FOwner->HandleAllocated()) {
        LVCOLUMNA col = {};
        col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        col.cx = c->FWidth;
        col.pszText = const_cast<char*>("");
        col.iSubItem = GetCount() - 1;
        SendMessageA(FOwner->GetWindowHandle(), LVM_INSERTCOLUMNA, GetCount() - 1, reinterpret_cast<LPARAM>(&col));
    }
    FOwner->UpdateColumns();
    return c;
}

void TListColumns::Delete(int Index)
{
    if (Index < 0 || Index >= GetCount()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    FItems.erase(FItems.begin() + Index);
    if (FOwner->HandleAllocated()) SendMessageA(FOwner->GetWindowHandle(), LVM_DELETECOLUMN, Index, 0);
    FOwner->UpdateColumns();
}

void TListColumns::Clear()
{
    while (GetCount()) Delete(GetCount() - 1);
}

int TListColumns::IndexOf(const TListColumn* Column) const
{
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == Column) return static_cast<int>(i);
    return -1;
}

// ---- TListItem ----
TListItem::TListItem(TCustomListView* AOwner) : FOwner(AOwner), FSubItems(new TStringList)
{
    FSubItems->OnChange = [this](TObject*) { Update(); };
}

void TListItem::SetCaption(const std::string& Value)
{
    FCaption = Value;
    Update();
}

void TListItem::SetImageIndex(int Value)
{
    FImageIndex = Value;
    Update();
}

int TListItem::GetIndex() const
{
    if (FIndex >= 0) return FIndex;
    return FOwner->GetItems()->IndexOf(this);
}

void TListItem::Update()
{
    int i = GetIndex();
    if (i >= 0 && FOwner->HandleAllocated() && !FOwner->GetOwnerData())
        SendMessageA(FOwner->GetWindowHandle(), LVM_UPDATE, i, 0);
}

bool TListItem::GetSelected() const
{
    int i = GetIndex();
    if (i < 0 || !FOwner->HandleAllocated()) return false;
    return (SendMessageA(FOwner->GetWindowHandle(), LVM_GETITEMSTATE, i, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void TListItem::SetSelected(bool Value)
{
    int i = GetIndex();
    if (i < 0) return;
    LVITEMA lv = {};
    lv.stateMask = LVIS_SELECTED;
    lv.state = Value ? LVIS_SELECTED : 0;
    SendMessageA(FOwner->GetHandle(), LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&lv));
}

bool TListItem::GetFocused() const
{
    int i = GetIndex();
    if (i < 0 || !FOwner->HandleAllocated()) return false;
    return (SendMessageA(FOwner->GetWindowHandle(), LVM_GETITEMSTATE, i, LVIS_FOCUSED) & LVIS_FOCUSED) != 0;
}

void TListItem::SetFocused(bool Value)
{
    int i = GetIndex();
    if (i < 0) return;
    LVITEMA lv = {};
    lv.stateMask = LVIS_FOCUSED;
    lv.state = Value ? LVIS_FOCUSED : 0;
    SendMessageA(FOwner->GetHandle(), LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&lv));
}

TRect TListItem::DisplayRect(TDisplayCode Code) const
{
    static const int codes[] = {LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL, LVIR_SELECTBOUNDS};
    RECT r = {codes[Code], 0, 0, 0};
    int i = GetIndex();
    if (i < 0 || !SendMessageA(FOwner->GetHandle(), LVM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r))) return TRect();
    return TRect(r);
}

void TListItem::MakeVisible()
{
    int i = GetIndex();
    if (i >= 0) SendMessageA(FOwner->GetHandle(), LVM_ENSUREVISIBLE, i, TRUE);
}

// ---- TListItems ----
TListItems::~TListItems()
{
    for (TListItem* i : FItems) delete i;
}

int TListItems::GetCount() const
{
    return FOwner->GetOwnerData() ? FCount : static_cast<int>(FItems.size());
}

void TListItems::SetCount(int Value)
{
    if (Value < 0) Value = 0;
    if (!FOwner->GetOwnerData()) return;
    FCount = Value;
    if (!FOwner->HandleAllocated()) return;
    HWND wnd = FOwner->GetWindowHandle();
    SendMessageA(wnd, LVM_SETITEMCOUNT, Value, 0);
    // Wine lays out an owner-data icon view only at the control's first paint:
    // rows counted in later all sit at the origin, on top of one another, and
    // every paint then draws (and asks for) every row. Laid out here, the
    // control asks for the rows in view only, as on Windows.
    const LONG_PTR view = GetWindowLongPtrA(wnd, GWL_STYLE) & LVS_TYPEMASK;
    if (view == LVS_ICON || view == LVS_SMALLICON) SendMessageA(wnd, LVM_ARRANGE, LVA_DEFAULT, 0);
}

TListItem* TListItems::GetItem(int Index)
{
    if (Index < 0 || Index >= GetCount()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FOwner->ItemOf(Index);
}

TListItem* TListItems::Add() { return Insert(GetCount()); }

TListItem* TListItems::Insert(int Index)
{
    if (FOwner->GetOwnerData()) throw EInvalidOperation("A virtual list view holds no items of its own");
    if (Index < 0 || Index > GetCount()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    auto* item = new TListItem(FOwner);
    FItems.insert(FItems.begin() + Index, item);
    if (FOwner->HandleAllocated()) FOwner->InsertItemInWindow(item, Index);
    return item;
}

void TListItems::Delete(int Index)
{
    if (FOwner->GetOwnerData()) {
        SetCount(FCount - 1);
        return;
    }
    if (Index < 0 || Index >= GetCount()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    TListItem* item = FItems[Index];
    FItems.erase(FItems.begin() + Index);
    if (FOwner->HandleAllocated()) SendMessageA(FOwner->GetWindowHandle(), LVM_DELETEITEM, Index, 0);
    delete item;
}

void TListItems::Clear()
{
    if (FOwner->HandleAllocated()) SendMessageA(FOwner->GetWindowHandle(), LVM_DELETEALLITEMS, 0, 0);
    for (TListItem* i : FItems) delete i;
    FItems.clear();
    if (FOwner->GetOwnerData()) SetCount(0);
}

int TListItems::IndexOf(const TListItem* Item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TListItems::BeginUpdate()
{
    if (FUpdateCount++ == 0 && FOwner->HandleAllocated()) SendMessageA(FOwner->GetWindowHandle(), WM_SETREDRAW, FALSE, 0);
}

void TListItems::EndUpdate()
{
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0 && FOwner->HandleAllocated()) {
        SendMessageA(FOwner->GetWindowHandle(), WM_SETREDRAW, TRUE, 0);
        FOwner->Invalidate();
    }
}

// ---- TCustomListView ----
TCustomListView::TCustomListView(TComponent* AOwner)
    : TWinControl(AOwner), FColumns(new TListColumns(this)), FItems(new TListItems(this)),
      FTempItem(new TListItem(this)), FCanvas(new TControlCanvas(this))
{
    // Clicks come from the list's own notifications: it tracks the mouse itself.
    FControlStyle = csSetCaption | csDoubleClicks;
    FWidth = 250;
    FHeight = 150;
    FTabStop = true;
    FParentColor = false;
    FColor = clWindow;
    FBrush->SetColor(FColor);
}

TCustomListView::~TCustomListView()
{
    if (FParent) FParent->RemoveControl(this);
    DestroyHandle();
    FCanvas->FreeHandle();
    if (FSmallImages) FSmallImages->UnRegisterChanges(this);
    if (FLargeImages) FLargeImages->UnRegisterChanges(this);
}

void TCustomListView::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_LISTVIEWA);
    static const DWORD views[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    Params.Style |= views[FViewStyle] | LVS_SHAREIMAGELISTS;
    if (!FReadOnly) Params.Style |= LVS_EDITLABELS;
    if (!FMultiSelect) Params.Style |= LVS_SINGLESEL;
    if (!FHideSelection) Params.Style |= LVS_SHOWSELALWAYS;
    if (!FShowColumnHeaders) Params.Style |= LVS_NOCOLUMNHEADER;
    if (FOwnerData) Params.Style |= LVS_OWNERDATA;
    if (FOwnerDraw && FViewStyle == vsReport) Params.Style |= LVS_OWNERDRAWFIXED;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
    Params.WinClassName = "TListView";
}

void TCustomListView::CreateWnd()
{
    TWinControl::CreateWnd();
    ApplyExtendedStyle();
    ApplyImages();
    for (int i = 0; i < FColumns->GetCount(); ++i) {
        TListColumn* c = FColumns->GetItem(i);
        LVCOLUMNA col = {};
        col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        col.cx = c->FWidth;
        col.pszText = const_cast<char*>(c->FCaption.c_str());
        col.iSubItem = i;
        SendMessageA(FHandle, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
    }
    UpdateColumns();
    if (FOwnerData) {
        SendMessageA(FHandle, LVM_SETITEMCOUNT, FItems->FCount, 0);
    } else {
        for (size_t i = 0; i < FItems->FItems.size(); ++i) InsertItemInWindow(FItems->FItems[i], static_cast<int>(i));
    }
    for (int i : FSavedSelection) {
        LVITEMA lv = {};
        lv.stateMask = LVIS_SELECTED;
        lv.state = LVIS_SELECTED;
        SendMessageA(FHandle, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&lv));
    }
    FSavedSelection.clear();
}

void TCustomListView::DestroyWnd()
{
    FSavedSelection.clear();
    for (int i = -1; (i = static_cast<int>(SendMessageA(FHandle, LVM_GETNEXTITEM, i, LVNI_SELECTED))) >= 0;)
        FSavedSelection.push_back(i);
    for (int i = 0; i < FColumns->GetCount(); ++i) FColumns->GetItem(i)->FWidth = FColumns->GetItem(i)->GetWidth();
    FCanvas->FreeHandle();
    TWinControl::DestroyWnd();
}

void TCustomListView::InsertItemInWindow(TListItem* Item, int Index)
{
    // The texts and image are asked for when shown (LVN_GETDISPINFO).
    LVITEMA lv = {};
    lv.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    lv.iItem = Index;
    lv.pszText = LPSTR_TEXTCALLBACKA;
    lv.iImage = I_IMAGECALLBACK;
    lv.lParam = reinterpret_cast<LPARAM>(Item);
    SendMessageA(FHandle, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&lv));
}

void TCustomListView::ApplyExtendedStyle()
{
    if (!FHandle) return;
    DWORD ex = (FRowSelect ? LVS_EX_FULLROWSELECT : 0) | (FGridLines ? LVS_EX_GRIDLINES : 0);
    SendMessageA(FHandle, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES, ex);
}

void TCustomListView::ApplyImages()
{
    if (!FHandle) return;
    SendMessageA(FHandle, LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(FSmallImages ? FSmallImages->GetHandle() : nullptr));
    SendMessageA(FHandle, LVM_SETIMAGELIST, LVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(FLargeImages ? FLargeImages->GetHandle() : nullptr));
}

void TCustomListView::UpdateColumn(int Index)
{
    if (!FHandle || Index < 0 || Index >= FColumns->GetCount()) return;
    TListColumn* c = FColumns->GetItem(Index);
    static const int fmt[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER};
    LVCOLUMNA col = {};
    col.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
    col.fmt = Index == 0 ? LVCFMT_LEFT : fmt[c->FAlignment];
    col.cx = c->FWidth;
    col.pszText = const_cast<char*>(c->FCaption.c_str());
    SendMessageA(FHandle, LVM_SETCOLUMNA, Index, reinterpret_cast<LPARAM>(&col));
    if (!FUpdatingColumns) UpdateColumns();
}

void TCustomListView::UpdateColumns()
{
    // Auto-size columns share what the fixed ones leave of the client width.
    if (FUpdatingColumns) return;
    int autoCount = 0, fixed = 0;
    for (int i = 0; i < FColumns->GetCount(); ++i) {
        TListColumn* c = FColumns->GetItem(i);
        if (c->FAutoSize) ++autoCount;
        else fixed += c->FWidth;
    }
    if (!autoCount) return;
    int rest = GetClientRect().Width() - fixed;
    if (rest < 0) rest = 0;
    FUpdatingColumns = true;
    for (int i = 0; i < FColumns->GetCount(); ++i) {
        TListColumn* c = FColumns->GetItem(i);
        if (!c->FAutoSize) continue;
        c->FWidth = rest / autoCount;
        if (FHandle) SendMessageA(FHandle, LVM_SETCOLUMNWIDTH, i, c->FWidth);
    }
    FUpdatingColumns = false;
}

void TCustomListView::Resize()
{
    TWinControl::Resize();
    UpdateColumns();
}

void TCustomListView::SetViewStyle(TViewStyle Value)
{
    if (Value == FViewStyle) return;
    FViewStyle = Value;
    RecreateWnd();
}

void TCustomListView::SetOwnerData(bool Value)
{
    if (Value == FOwnerData) return;
    FItems->Clear();
    FOwnerData = Value;
    RecreateWnd();
}

void TCustomListView::SetOwnerDraw(bool Value)
{
    if (Value == FOwnerDraw) return;
    FOwnerDraw = Value;
    RecreateWnd();
}

void TCustomListView::SetRowSelect(bool Value)
{
    FRowSelect = Value;
    ApplyExtendedStyle();
}

void TCustomListView::SetGridLines(bool Value)
{
    FGridLines = Value;
    ApplyExtendedStyle();
}

void TCustomListView::SetReadOnly(bool Value)
{
    if (Value == FReadOnly) return;
    FReadOnly = Value;
    RecreateWnd();
}

void TCustomListView::SetMultiSelect(bool Value)
{
    if (Value == FMultiSelect) return;
    FMultiSelect = Value;
    RecreateWnd();
}

void TCustomListView::SetHideSelection(bool Value)
{
    if (Value == FHideSelection) return;
    FHideSelection = Value;
    RecreateWnd();
}

void TCustomListView::SetShowColumnHeaders(bool Value)
{
    if (Value == FShowColumnHeaders) return;
    FShowColumnHeaders = Value;
    RecreateWnd();
}

void TCustomListView::SetSmallImages(TCustomImageList* Value)
{
    if (Value == FSmallImages) return;
    if (FSmallImages) FSmallImages->UnRegisterChanges(this);
    FSmallImages = Value;
    if (Value) {
        Value->FreeNotification(this);
        Value->RegisterChanges(this, [this](TObject*) { ApplyImages(); });
    }
    ApplyImages();
}

void TCustomListView::SetLargeImages(TCustomImageList* Value)
{
    if (Value == FLargeImages) return;
    if (FLargeImages) FLargeImages->UnRegisterChanges(this);
    FLargeImages = Value;
    if (Value) {
        Value->FreeNotification(this);
        Value->RegisterChanges(this, [this](TObject*) { ApplyImages(); });
    }
    ApplyImages();
}

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSmallImages) {
        FSmallImages = nullptr;
        ApplyImages();
    }
    if (AComponent == FLargeImages) {
        FLargeImages = nullptr;
        ApplyImages();
    }
}

TListItem* TCustomListView::VirtualItem(int Index)
{
    TListItem* t = FTempItem.get();
    t->FSubItems->OnChange = nullptr;
    t->FCaption.clear();
    t->FSubItems->Clear();
    t->FImageIndex = -1;
    t->Data = nullptr;
    t->FIndex = Index;
    if (OnData) OnData(this, t);
    t->FSubItems->OnChange = [t](TObject*) { t->Update(); };
    return t;
}

TListItem* TCustomListView::ItemOf(int Index)
{
    if (Index < 0 || Index >= FItems->GetCount()) return nullptr;
    if (FOwnerData) return VirtualItem(Index);
    return FItems->FItems[Index];
}

TListItem* TCustomListView::GetSelected()
{
    if (!FHandle) return nullptr;
    return ItemOf(static_cast<int>(SendMessageA(FHandle, LVM_GETNEXTITEM, -1, LVNI_SELECTED)));
}

void TCustomListView::SetSelected(TListItem* Value)
{
    SetItemIndex(Value ? Value->GetIndex() : -1);
}

int TCustomListView::GetItemIndex()
{
    if (!FHandle) return -1;
    return static_cast<int>(SendMessageA(FHandle, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
}

void TCustomListView::SetItemIndex(int Value)
{
    HWND h = GetHandle();
    LVITEMA lv = {};
    lv.stateMask = LVIS_SELECTED;
    lv.state = 0;
    SendMessageA(h, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&lv));
    if (Value < 0 || Value >= FItems->GetCount()) return;
    lv.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    lv.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(h, LVM_SETITEMSTATE, Value, reinterpret_cast<LPARAM>(&lv));
}

TListItem* TCustomListView::GetItemFocused()
{
    if (!FHandle) return nullptr;
    return ItemOf(static_cast<int>(SendMessageA(FHandle, LVM_GETNEXTITEM, -1, LVNI_FOCUSED)));
}

int TCustomListView::GetSelCount()
{
    return FHandle ? static_cast<int>(SendMessageA(FHandle, LVM_GETSELECTEDCOUNT, 0, 0)) : 0;
}

int TCustomListView::GetTopIndex()
{
    return FHandle ? static_cast<int>(SendMessageA(FHandle, LVM_GETTOPINDEX, 0, 0)) : 0;
}

TListItem* TCustomListView::GetItemAt(int X, int Y)
{
    LVHITTESTINFO hit = {};
    hit.pt.x = X;
    hit.pt.y = Y;
    int i = static_cast<int>(SendMessageA(GetHandle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & LVHT_ONITEM) ? ItemOf(i) : nullptr;
}

void TCustomListView::DrawItem(TListItem* Item, const TRect& Rect, TOwnerDrawState State)
{
    if (OnDrawItem) {
        OnDrawItem(this, Item, Rect, State);
        return;
    }
    FCanvas->FillRect(Rect);
    if (Item) FCanvas->TextOut(Rect.left + 2, Rect.top, Item->GetCaption());
}

void TCustomListView::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); break;
    case CN_DRAWITEM: CNDrawItem(Message); break;
    case CN_MEASUREITEM: CNMeasureItem(Message); break;
    default: TWinControl::Dispatch(Message); break;
    }
}

void TCustomListView::CNNotify(TMessage& Message)
{
    auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    switch (hdr->code) {
    case LVN_GETDISPINFOA:
    case LVN_GETDISPINFOW: {
        auto* di = reinterpret_cast<NMLVDISPINFOA*>(Message.LParam);
        LVITEMA& it = di->item;
        FAskedParts = it.mask & (LVIF_TEXT | LVIF_IMAGE);
        TListItem* item = FOwnerData ? ItemOf(it.iItem) : reinterpret_cast<TListItem*>(it.lParam);
        FAskedParts = LVIF_TEXT | LVIF_IMAGE;
        if (!item) break;
        if (it.mask & LVIF_TEXT) {
            if (it.iSubItem == 0) FDispText = item->FCaption;
            else if (it.iSubItem - 1 < item->FSubItems->GetCount()) FDispText = item->FSubItems->Get(it.iSubItem - 1);
            else FDispText.clear();
            if (it.pszText && it.cchTextMax > 0) {
                if (hdr->code == LVN_GETDISPINFOA) {
                    lstrcpynA(it.pszText, FDispText.c_str(), it.cchTextMax);
                } else {
                    // The wide form carries a WCHAR buffer in the same place; a
                    // text longer than the buffer is cut, as the ANSI form cuts it.
                    auto* w = reinterpret_cast<WCHAR*>(it.pszText);
                    TWideString text = AnsiToWide(FDispText);
                    size_t n = std::min(text.size(), static_cast<size_t>(it.cchTextMax - 1));
                    std::copy_n(text.data(), n, w);
                    w[n] = 0;
                }
            }
        }
        if ((it.mask & LVIF_IMAGE) && it.iSubItem == 0) it.iImage = item->FImageIndex;
        break;
    }
    case LVN_ITEMCHANGED: {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(Message.LParam);
        if (!(nm->uChanged & LVIF_STATE)) break;
        TListItem* item = nm->iItem >= 0 ? ItemOf(nm->iItem) : nullptr;
        if (OnChange) OnChange(this, item, 1);
        if ((nm->uOldState ^ nm->uNewState) & LVIS_SELECTED) {
            if (OnSelectItem) OnSelectItem(this, item, (nm->uNewState & LVIS_SELECTED) != 0);
        }
        break;
    }
    case NM_CLICK: Click(); break;
    case NM_DBLCLK: DblClick(); break;
    default: break;
    }
}

void TCustomListView::CNDrawItem(TMessage& Message)
{
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    TOwnerDrawState state = OwnerDrawState(dis->itemState);
    TPaintDCScope painting(*FCanvas, dis->hDC);
    PrepareItemCanvas(FCanvas.get(), FFont.get(), FColor, state);
    DrawItem(ItemOf(static_cast<int>(dis->itemID)), TRect(dis->rcItem), state);
    Message.Result = 1;
}

void TCustomListView::CNMeasureItem(TMessage& Message)
{
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
    int h = FFont->GetHeight() < 0 ? -FFont->GetHeight() : FFont->GetHeight();
    if (FSmallImages && FSmallImages->GetHeight() > h) h = FSmallImages->GetHeight();
    mis->itemHeight = h + 4;
    Message.Result = 1;
}
