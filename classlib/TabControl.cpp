#include "TabControl.h"
#include "ImgList.h"
#include "GdiHandles.h"
#include <algorithm>

// ---- TCustomTabControl ----
TCustomTabControl::TCustomTabControl(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = csAcceptsControls | csDoubleClicks;
    FWidth = 289;
    FHeight = 193;
    FTabStop = true;
}

TCustomTabControl::~TCustomTabControl()
{
    if (FImages) FImages->UnRegisterChanges(this);
}

void TCustomTabControl::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_TABCONTROLA);
    Params.Style |= WS_CLIPCHILDREN | TCS_TABS | (FMultiLine ? TCS_MULTILINE : 0);
    switch (FTabPosition) {
    case tpBottom: Params.Style |= TCS_BOTTOM; break;
    case tpLeft: Params.Style |= TCS_VERTICAL; break;
    case tpRight: Params.Style |= TCS_VERTICAL | TCS_RIGHT; break;
    default: break;
    }
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
    Params.WinClassName = "TTabControl";
}

void TCustomTabControl::CreateWnd()
{
    TWinControl::CreateWnd();
    if (FItemHeight > 0 || FItemWidth > 0) SetItemSize(FItemWidth, FItemHeight);
    ApplyImages();
    UpdateTabs();
}

TRect TCustomTabControl::GetDisplayRect()
{
    TRect r = GetClientRect();
    if (FHandle) {
        SendMessageA(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    } else {
        // No window yet: the request still goes through the window procedure, so
        // that a descendant's rewrite of the native answer applies to the layout
        // made before the window exists as well.
        r = EstimateDisplayRect();
        Perform(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    }
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

TRect TCustomTabControl::EstimateDisplayRect()
{
    // The system control puts a 4-pixel frame around the page and one row of
    // tabs 2 pixels from its side: a set item height, or the font's plus 5.
    int item = FItemHeight;
    if (item <= 0) {
        TWindowDC screen(nullptr);
        TSelectGuard font(screen.Get(), FFont->GetHandle());
        TEXTMETRICA tm = {};
        item = (GetTextMetricsA(screen.Get(), &tm) ? tm.tmHeight : 13) + 5;
    }
    TRect r = GetClientRect();
    r.Inflate(-4, -4);
    switch (FTabPosition) {
    case tpTop: r.top += item; break;
    case tpBottom: r.bottom -= item; break;
    case tpLeft: r.left += item; break;
    case tpRight: r.right -= item; break;
    }
    return r;
}

void TCustomTabControl::AdjustClientRect(TRect& Rect)
{
    Rect = GetDisplayRect();
    TWinControl::AdjustClientRect(Rect);
}

void TCustomTabControl::SetMultiLine(bool Value)
{
    if (Value == FMultiLine) return;
    FMultiLine = Value;
    RecreateWnd();
}

void TCustomTabControl::SetTabPosition(TTabPosition Value)
{
    if (Value == FTabPosition) return;
    FTabPosition = Value;
    RecreateWnd();
    Realign();
}

void TCustomTabControl::SetTabHeight(int Value)
{
    FTabHeight = Value < 0 ? 0 : (Value > 0x7FFF ? 0x7FFF : Value);
    SetItemSize(FTabWidth, FTabHeight);
}

void TCustomTabControl::SetTabWidth(int Value)
{
    FTabWidth = Value < 0 ? 0 : (Value > 0x7FFF ? 0x7FFF : Value);
    SetItemSize(FTabWidth, FTabHeight);
}

void TCustomTabControl::SetItemSize(int AWidth, int AHeight)
{
    // Skins set the size while a form loads, before any window exists: keep it.
    FItemWidth = std::max(0, std::min(AWidth, 0x7FFF));
    FItemHeight = std::max(0, std::min(AHeight, 0x7FFF));
    if (!FHandle) return;
    SendMessageA(FHandle, TCM_SETITEMSIZE, 0, MAKELPARAM(FItemWidth, FItemHeight));
    Realign();
}

TRect TCustomTabControl::GetItemRect(int Index)
{
    // Wine answers FALSE for a tab outside the visible strip (scrolled out, or past
    // the right edge) but still fills in its rectangle, which is what we want.
    RECT r = {0, 0, 0, 0};
    if (!FHandle || Index < 0 || Index >= GetTabCount()) return TRect(0, 0, 0, 0);
    SendMessageA(FHandle, TCM_GETITEMRECT, Index, reinterpret_cast<LPARAM>(&r));
    return TRect(r.left, r.top, r.right, r.bottom);
}

void TCustomTabControl::SetImages(TCustomImageList* Value)
{
    if (Value == FImages) return;
    if (FImages) FImages->UnRegisterChanges(this);
    FImages = Value;
    if (Value) {
        Value->FreeNotification(this);
        Value->RegisterChanges(this, [this](TObject*) { ApplyImages(); });
    }
    ApplyImages();
}

void TCustomTabControl::ApplyImages()
{
    if (FHandle)
        SendMessageA(FHandle, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages ? FImages->GetHandle() : nullptr));
}

void TCustomTabControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) {
        FImages = nullptr;
        ApplyImages();
    }
}

int TCustomTabControl::GetTabCount() { return FHandle ? static_cast<int>(SendMessageA(FHandle, TCM_GETITEMCOUNT, 0, 0)) : 0; }

void TCustomTabControl::UpdateTabs()
{
    if (!FHandle) return;
    std::vector<std::pair<std::string, int>> tabs;
    GetTabs(tabs);
    SendMessageA(FHandle, TCM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < tabs.size(); ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = const_cast<char*>(tabs[i].first.c_str());
        item.iImage = tabs[i].second;
        SendMessageA(FHandle, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(FHandle, TCM_SETCURSEL, CurrentTab(), 0);
    Realign();
    TabsChanged();
}

void TCustomTabControl::DestroyNativeScroller()
{
    // Wine makes the arrows (hidden) as soon as inserted tabs overflow the row, not
    // only on a resize, and does not make them again once they were destroyed.
    if (!FHandle) return;
    if (HWND arrows = FindWindowExA(FHandle, nullptr, UPDOWN_CLASSA, nullptr)) DestroyWindow(arrows);
}

int TCustomTabControl::GetTabIndexInWindow()
{
    return FHandle ? static_cast<int>(SendMessageA(FHandle, TCM_GETCURSEL, 0, 0)) : -1;
}

void TCustomTabControl::SetTabIndexInWindow(int Value)
{
    if (FHandle) SendMessageA(FHandle, TCM_SETCURSEL, Value, 0);
}

bool TCustomTabControl::CanChange()
{
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change()
{
    if (OnChange) OnChange(this);
}

void TCustomTabControl::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_NOTIFY) CNNotify(Message);
    else TWinControl::Dispatch(Message);
}

void TCustomTabControl::CNNotify(TMessage& Message)
{
    auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    switch (hdr->code) {
    case TCN_SELCHANGING: Message.Result = CanChange() ? 0 : 1; break;
    case TCN_SELCHANGE: Change(); break;
    default: break;
    }
}

// ---- TTabControl ----
TTabControl::TTabControl(TComponent* AOwner) : TCustomTabControl(AOwner), FTabs(new TStringList)
{
    FTabs->OnChange = [this](TObject*) {
        if (FTabIndex >= FTabs->GetCount()) FTabIndex = FTabs->GetCount() - 1;
        if (FTabIndex < 0 && FTabs->GetCount() > 0) FTabIndex = 0;
        UpdateTabs();
    };
}

TTabControl::~TTabControl() { FTabs->OnChange = nullptr; }

void TTabControl::GetTabs(std::vector<std::pair<std::string, int>>& Tabs)
{
    for (int i = 0; i < FTabs->GetCount(); ++i) Tabs.emplace_back(FTabs->Get(i), i);
}

int TTabControl::GetTabIndex() { return FHandle ? GetTabIndexInWindow() : FTabIndex; }

void TTabControl::SetTabIndex(int Value)
{
    if (Value < -1 || Value >= FTabs->GetCount()) Value = -1;
    FTabIndex = Value;
    SetTabIndexInWindow(Value);
}

void TTabControl::Change()
{
    FTabIndex = GetTabIndexInWindow();
    TCustomTabControl::Change();
}

// ---- TTabSheet ----
TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle |= csAcceptsControls;
    FAlign = alClient;
    FAnchors = akLeft | akTop | akRight | akBottom;
    FVisible = false;
}

TTabSheet::~TTabSheet()
{
    if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.WinClassName = "TTabSheet";
}

void TTabSheet::SetPageControl(TPageControl* Value)
{
    if (Value == FPageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    SetParent(Value);
    if (Value) Value->InsertPage(this);
}

int TTabSheet::GetPageIndex() const
{
    if (!FPageControl) return -1;
    auto& v = FPageControl->FPages;
    auto it = std::find(v.begin(), v.end(), this);
    return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

void TTabSheet::SetPageIndex(int Value)
{
    if (!FPageControl) return;
    auto& v = FPageControl->FPages;
    int cur = GetPageIndex();
    if (Value < 0) Value = 0;
    if (Value >= static_cast<int>(v.size())) Value = static_cast<int>(v.size()) - 1;
    if (cur < 0 || Value == cur) return;
    v.erase(v.begin() + cur);
    v.insert(v.begin() + Value, this);
    FPageControl->UpdateTabs();
}

int TTabSheet::GetTabIndex() const
{
    if (!FPageControl || !FTabVisible) return -1;
    int n = 0;
    for (TTabSheet* p : FPageControl->FPages) {
        if (p == this) return n;
        if (p->FTabVisible) ++n;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool Value)
{
    if (Value == FTabVisible) return;
    FTabVisible = Value;
    if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::SetImageIndex(int Value)
{
    FImageIndex = Value;
    if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::CMTextChanged(TMessage& Message)
{
    TWinControl::CMTextChanged(Message);
    if (FPageControl) FPageControl->UpdateTabs();
}

// ---- TPageControl ----
TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}

TPageControl::~TPageControl()
{
    for (TTabSheet* p : FPages) p->FPageControl = nullptr;
    FPages.clear();
}

void TPageControl::GetTabs(std::vector<std::pair<std::string, int>>& Tabs)
{
    for (TTabSheet* p : FPages)
        if (p->FTabVisible) Tabs.emplace_back(p->GetText(), p->FImageIndex);
}

TTabSheet* TPageControl::PageForTab(int TabIndex) const
{
    int n = 0;
    for (TTabSheet* p : FPages) {
        if (!p->FTabVisible) continue;
        if (n++ == TabIndex) return p;
    }
    return nullptr;
}

void TPageControl::InsertPage(TTabSheet* Page)
{
    FPages.push_back(Page);
    Page->FPageControl = this;
    UpdateTabs();
    if (!FActivePage) ChangeActivePage(Page);
}

void TPageControl::RemovePage(TTabSheet* Page)
{
    auto it = std::find(FPages.begin(), FPages.end(), Page);
    if (it == FPages.end()) return;
    TTabSheet* next = nullptr;
    if (Page == FActivePage) next = FindNextPage(Page, true, true);
    if (next == Page) next = nullptr;
    FPages.erase(std::find(FPages.begin(), FPages.end(), Page));
    Page->FPageControl = nullptr;
    if (Page == FActivePage) {
        FActivePage = nullptr;
        if (!IsDestroying()) ChangeActivePage(next);
    }
    if (!IsDestroying()) UpdateTabs();
}

void TPageControl::ChangeActivePage(TTabSheet* Page)
{
    if (Page == FActivePage) return;
    TTabSheet* old = FActivePage;
    FActivePage = Page;
    if (Page) {
        Page->BringToFront();
        Page->SetVisible(true);
    }
    if (old && old->FPageControl == this) old->SetVisible(false);
    SetTabIndexInWindow(Page ? Page->GetTabIndex() : -1);
}

void TPageControl::SetActivePage(TTabSheet* Page)
{
    if (Page && Page->FPageControl != this) return;
    ChangeActivePage(Page);
}

int TPageControl::GetActivePageIndex() const { return FActivePage ? FActivePage->GetPageIndex() : -1; }

void TPageControl::SetActivePageIndex(int Value)
{
    if (Value >= 0 && Value < GetPageCount()) SetActivePage(FPages[Value]);
    else SetActivePage(nullptr);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible)
{
    if (FPages.empty()) return nullptr;
    int n = static_cast<int>(FPages.size());
    auto it = std::find(FPages.begin(), FPages.end(), CurPage);
    int start = it == FPages.end() ? (GoForward ? n - 1 : 0) : static_cast<int>(it - FPages.begin());
    int i = start;
    do {
        i = GoForward ? (i + 1) % n : (i + n - 1) % n;
        if (!CheckTabVisible || FPages[i]->FTabVisible) return FPages[i];
    } while (i != start);
    return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward)
{
    TTabSheet* p = FindNextPage(FActivePage, GoForward, true);
    if (p && p != FActivePage && CanChange()) {
        ChangeActivePage(p);
        TCustomTabControl::Change();
    }
}

void TPageControl::Change()
{
    // Only a window's selection names a page: without a window (or with the active
    // page's tab hidden) there is none, and the page shown stays.
    const int tab = GetTabIndexInWindow();
    if (tab >= 0) ChangeActivePage(PageForTab(tab));
    TCustomTabControl::Change();
}
