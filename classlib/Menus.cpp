#include "Menus.h"
#include "ActnList.h"
#include "Bitmap.h"
#include "Control.h"
#include "Form.h"
#include "ImgList.h"
#include "Screen.h"
#include "UtilWindow.h"
#include <algorithm>

namespace {

UINT NextCommand()
{
    static UINT next = 1000;
    UINT c = next++;
    if (next > 0xFFFF) next = 1000;
    return c;
}

struct KeyName {
    WORD Key;
    const char* Name;
};
const KeyName kKeyNames[] = {{VK_BACK, "BkSp"}, {VK_TAB, "Tab"},    {VK_ESCAPE, "Esc"},  {VK_RETURN, "Enter"},
                             {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"}, {VK_END, "End"},
                             {VK_HOME, "Home"},   {VK_LEFT, "Left"},  {VK_UP, "Up"},     {VK_RIGHT, "Right"},
                             {VK_DOWN, "Down"},   {VK_INSERT, "Ins"}, {VK_DELETE, "Del"}};

std::string KeyText(WORD key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F24) return "F" + IntToStr(key - VK_F1 + 1);
    for (const KeyName& k : kKeyNames)
        if (k.Key == key) return k.Name;
    return std::string();
}

std::string StripAmpersands(const std::string& s)
{
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '&') {
            if (i + 1 < s.size() && s[i + 1] == '&') r += s[++i];
            continue;
        }
        r += s[i];
    }
    return r;
}

// The hidden window that owns the popup menus while they are tracked.
HWND PopupOwner()
{
    static HWND wnd = nullptr;
    if (!wnd || !IsWindow(wnd)) {
        static HWND self = nullptr;
        self = AllocateHWnd([](TMessage& m) { m.Result = DefWindowProcA(self, m.Msg, m.WParam, m.LParam); });
        wnd = self;
    }
    return wnd;
}

} // namespace

TShortCut ShortCut(WORD Key, unsigned Shift)
{
    TShortCut s = Key & 0xFF;
    if (Shift & ssShift) s |= scShift;
    if (Shift & ssCtrl) s |= scCtrl;
    if (Shift & ssAlt) s |= scAlt;
    return s;
}

std::string ShortCutToText(TShortCut ShortCut)
{
    std::string name = KeyText(ShortCut & 0xFF);
    if (name.empty()) return std::string();
    std::string r;
    if (ShortCut & scShift) r += "Shift+";
    if (ShortCut & scCtrl) r += "Ctrl+";
    if (ShortCut & scAlt) r += "Alt+";
    return r + name;
}

TShortCut TextToShortCut(const std::string& Text)
{
    std::string t = Text;
    TShortCut mods = 0;
    for (;;) {
        if (t.size() > 6 && SameText(t.substr(0, 6), "Shift+")) {
            mods |= scShift;
            t = t.substr(6);
        } else if (t.size() > 5 && SameText(t.substr(0, 5), "Ctrl+")) {
            mods |= scCtrl;
            t = t.substr(5);
        } else if (t.size() > 4 && SameText(t.substr(0, 4), "Alt+")) {
            mods |= scAlt;
            t = t.substr(4);
        } else {
            break;
        }
    }
    for (WORD k = 8; k < 255; ++k) {
        std::string name = KeyText(k);
        if (!name.empty() && SameText(name, t)) return mods | k;
    }
    return 0;
}

TShortCut ShortCutFromMessage(const TMessage& Message)
{
    TShortCut s = LOWORD(Message.WParam) & 0xFF;
    if (GetKeyState(VK_SHIFT) < 0) s |= scShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= scCtrl;
    if (Message.LParam & 0x20000000) s |= scAlt;
    return s;
}

// ---- TMenuItem ----
TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(NextCommand()) {}

TMenuItem::~TMenuItem()
{
    Destroying();
    if (FParent) FParent->Remove(this);
    while (!FItems.empty()) {
        TMenuItem* c = FItems.back();
        FItems.pop_back();
        c->FParent = nullptr;
        c->Free();
    }
    FActionLink.reset();
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* i = this;
    while (i->FParent) i = i->FParent;
    return i->FMenu;
}

void TMenuItem::MenuChanged()
{
    if (IsDestroying()) return;
    if (TMenu* m = GetParentMenu()) m->MenuChanged();
}

void TMenuItem::SetCaption(const std::string& Value)
{
    if (Value == FCaption) return;
    FCaption = Value;
    ItemChanged();
}

void TMenuItem::SetShortCut(TShortCut Value)
{
    if (Value == FShortCut) return;
    FShortCut = Value;
    ItemChanged();
}

void TMenuItem::TurnSiblingsOff()
{
    if (!FParent || !FRadioItem || FGroupIndex == 0) return;
    for (TMenuItem* s : FParent->FItems)
        if (s != this && s->FRadioItem && s->FGroupIndex == FGroupIndex && s->FChecked) {
            s->FChecked = false;
            s->ItemChanged();
            if (s->FActionLink && s->FActionLink->GetAction())
                if (auto* a = dynamic_cast<TCustomAction*>(s->FActionLink->GetAction())) a->SetChecked(false);
        }
}

void TMenuItem::SetChecked(bool Value)
{
    if (Value == FChecked) return;
    FChecked = Value;
    if (Value) TurnSiblingsOff();
    ItemChanged();
}

void TMenuItem::SetEnabled(bool Value)
{
    if (Value == FEnabled) return;
    FEnabled = Value;
    ItemChanged();
}

void TMenuItem::SetVisible(bool Value)
{
    if (Value == FVisible) return;
    FVisible = Value;
    MenuChanged();
}

void TMenuItem::SetDefault(bool Value)
{
    if (Value == FDefault) return;
    if (Value && FParent)
        for (TMenuItem* s : FParent->FItems) s->FDefault = false;
    FDefault = Value;
    ItemChanged();
}

void TMenuItem::SetRadioItem(bool Value)
{
    if (Value == FRadioItem) return;
    FRadioItem = Value;
    if (FChecked) TurnSiblingsOff();
    ItemChanged();
}

void TMenuItem::SetGroupIndex(int Value)
{
    if (Value == FGroupIndex) return;
    FGroupIndex = Value;
    if (FChecked) TurnSiblingsOff();
}

void TMenuItem::SetImageIndex(int Value)
{
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    ItemChanged();
}

TBasicAction* TMenuItem::GetAction() const { return FActionLink ? FActionLink->GetAction() : nullptr; }

void TMenuItem::SetAction(TBasicAction* Value)
{
    if (!Value) {
        FActionLink.reset();
        return;
    }
    if (!FActionLink) FActionLink.reset(new TMenuActionLink(this));
    FActionLink->SetAction(Value);
    FActionLink->OnChange = [this](TObject*) {
        if (FActionLink && FActionLink->GetAction()) ActionChange(FActionLink->GetAction(), false);
    };
    ActionChange(Value, IsLoading());
    Value->FreeNotification(this);
}

void TMenuItem::ActionChange(TObject* Sender, bool CheckDefaults)
{
    auto* a = dynamic_cast<TCustomAction*>(Sender);
    if (!a) return;
    if (!CheckDefaults || FCaption.empty()) SetCaption(a->GetCaption());
    if (!CheckDefaults || !FChecked) SetChecked(a->GetChecked());
    if (!CheckDefaults || FEnabled) SetEnabled(a->GetEnabled());
    if (!CheckDefaults || FHint.empty()) SetHint(a->GetHint());
    if (!CheckDefaults || FImageIndex == -1) SetImageIndex(a->GetImageIndex());
    if (!CheckDefaults || FShortCut == 0) SetShortCut(a->GetShortCut());
    if (!CheckDefaults || FVisible) SetVisible(a->GetVisible());
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && FActionLink && (!FActionLink->GetAction() || AComponent == FActionLink->GetAction()))
        FActionLink.reset();
}

void TMenuItem::Add(TMenuItem* Item) { Insert(GetCount(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item)
{
    if (!Item || Item == this) return;
    if (Item->FParent) throw EListError("Menu item " + Item->GetName() + " is already inserted");
    if (Index < 0 || Index > GetCount()) throw EListError("Menu index out of range");
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    MenuChanged();
}

void TMenuItem::Delete(int Index)
{
    if (Index < 0 || Index >= GetCount()) throw EListError("Menu index out of range");
    TMenuItem* c = FItems[Index];
    FItems.erase(FItems.begin() + Index);
    c->FParent = nullptr;
    MenuChanged();
}

void TMenuItem::Remove(TMenuItem* Item)
{
    int i = IndexOf(Item);
    if (i >= 0) Delete(i);
}

void TMenuItem::Clear()
{
    while (!FItems.empty()) {
        TMenuItem* c = FItems.back();
        FItems.pop_back();
        c->FParent = nullptr;
        c->Free();
    }
    MenuChanged();
}

int TMenuItem::IndexOf(TMenuItem* Item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(const std::string& ACaption) const
{
    std::string want = StripAmpersands(ACaption);
    for (TMenuItem* i : FItems)
        if (SameText(StripAmpersands(i->FCaption), want)) return i;
    return nullptr;
}

int TMenuItem::GetMenuIndex() const { return FParent ? FParent->IndexOf(const_cast<TMenuItem*>(this)) : -1; }

void TMenuItem::SetMenuIndex(int Value)
{
    if (!FParent) return;
    TMenuItem* p = FParent;
    int cur = GetMenuIndex();
    if (Value < 0) Value = 0;
    if (Value >= p->GetCount()) Value = p->GetCount() - 1;
    if (Value == cur) return;
    p->FItems.erase(p->FItems.begin() + cur);
    p->FItems.insert(p->FItems.begin() + Value, this);
    MenuChanged();
}

void TMenuItem::Click()
{
    if (!FEnabled) return;
    if (AutoCheck && !(FActionLink && FActionLink->GetAction())) SetChecked(!FChecked);
    if (FActionLink && FActionLink->GetAction()) FActionLink->Execute(this);
    else if (OnClick) OnClick(this);
}

void TMenuItem::InitiateAction()
{
    if (FActionLink) FActionLink->Update();
}

void TMenuItem::FillInfo(MENUITEMINFOA& mii, std::string& text, TMenu* Root)
{
    mii = MENUITEMINFOA();
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_DATA | MIIM_BITMAP;
    if (IsLine()) {
        mii.fType = MFT_SEPARATOR;
    } else {
        text = FCaption;
        if (FShortCut) text += "\t" + ShortCutToText(FShortCut);
        mii.fMask |= MIIM_STRING;
        mii.fType = MFT_STRING | (FRadioItem ? MFT_RADIOCHECK : 0);
        mii.dwTypeData = &text[0];
        mii.cch = static_cast<UINT>(text.size());
    }
    mii.fState = (FChecked ? MFS_CHECKED : 0) | (FEnabled ? 0 : MFS_GRAYED) | (FDefault ? MFS_DEFAULT : 0);
    mii.wID = FCommand;
    mii.dwItemData = reinterpret_cast<ULONG_PTR>(this);
    FBitmap.Reset();
    TCustomImageList* images = Root ? Root->GetImages() : nullptr;
    if (images && FImageIndex >= 0 && FImageIndex < images->GetCount()) {
        // The image drawn on the menu colour, as the item's bitmap.
        TBitmap b(images->GetWidth(), images->GetHeight(), pf24bit);
        b.GetCanvas()->GetBrush()->SetColor(clMenu);
        b.GetCanvas()->FillRect(TRect(0, 0, b.GetWidth(), b.GetHeight()));
        images->Draw(b.GetCanvas(), 0, 0, FImageIndex, FEnabled);
        FBitmap.Reset(b.ReleaseHandle());
    }
    mii.hbmpItem = FBitmap.Get();
}

void TMenuItem::AppendTo(HMENU Menu, TMenu* Root)
{
    for (TMenuItem* c : FItems) {
        c->FHandle = nullptr;
        c->FBitmap.Reset();
        if (!c->FVisible) continue;
        MENUITEMINFOA mii;
        std::string text;
        c->FillInfo(mii, text, Root);
        if (!c->FItems.empty()) {
            c->FHandle = CreatePopupMenu();
            c->AppendTo(c->FHandle, Root);
            mii.fMask |= MIIM_SUBMENU;
            mii.hSubMenu = c->FHandle;
        }
        InsertMenuItemA(Menu, GetMenuItemCount(Menu), TRUE, &mii);
    }
}

void TMenuItem::ItemChanged()
{
    // Only the look of the item changed: the menu handle is updated in place,
    // which is safe while the menu is open.
    if (IsDestroying() || !FParent) return;
    TMenu* m = GetParentMenu();
    if (!m || !m->FHandleValid) return;
    HMENU container = FParent->FParent ? FParent->FHandle : m->FHandle.Get();
    if (!container || !FVisible) return;
    MENUITEMINFOA mii;
    std::string text;
    FillInfo(mii, text, m);
    SetMenuItemInfoA(container, FCommand, FALSE, &mii);
    m->ItemChanged();
}

// ---- TMenu ----
TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr))
{
    FItems->FMenu = this;
}

TMenu::~TMenu()
{
    Destroying();
    FItems.reset();
}

HMENU TMenu::GetHandle()
{
    if (!FHandleValid || !FHandle.Get()) {
        TMenuHandle old(FHandle.Release());
        HMENU h = NewHandle();
        FItems->AppendTo(h, this);
        FHandle.Reset(h);
        FHandleValid = true;
    }
    return FHandle.Get();
}

void TMenu::MenuChanged()
{
    FHandleValid = false;
}

void TMenu::ItemChanged() {}

void TMenu::SetImages(TCustomImageList* Value)
{
    if (Value == FImages) return;
    if (FImages) FImages->UnRegisterChanges(this);
    FImages = Value;
    if (Value) {
        Value->FreeNotification(this);
        Value->RegisterChanges(this, [this](TObject*) { MenuChanged(); });
    }
    MenuChanged();
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) {
        FImages = nullptr;
        MenuChanged();
    }
}

namespace {
TMenuItem* FindIn(TMenuItem* Item, UINT Command, HMENU Handle, TShortCut Key)
{
    for (int i = 0; i < Item->GetCount(); ++i) {
        TMenuItem* c = Item->GetItem(i);
        if (Command && c->GetCommand() == Command) return c;
        if (Handle && c->GetHandle() == Handle) return c;
        if (Key && c->GetShortCut() == Key) return c;
        if (TMenuItem* r = FindIn(c, Command, Handle, Key)) return r;
    }
    return nullptr;
}

void InitiateActions(TMenuItem* Item)
{
    for (int i = 0; i < Item->GetCount(); ++i) {
        Item->GetItem(i)->InitiateAction();
        InitiateActions(Item->GetItem(i));
    }
}
}

TMenuItem* TMenu::FindItem(UINT Command) const { return FindIn(FItems.get(), Command, nullptr, 0); }

TMenuItem* TMenu::FindShortCut(TShortCut ShortCut) const { return FindIn(FItems.get(), 0, nullptr, ShortCut); }

bool TMenu::IsShortCut(TMessage& Message)
{
    TShortCut key = ShortCutFromMessage(Message);
    if (!(key & 0xFF)) return false;
    TMenuItem* item = FindShortCut(key);
    if (!item) return false;
    item->InitiateAction();
    // Every item on the way must be enabled and visible.
    for (TMenuItem* i = item; i && i->GetParent(); i = i->GetParent())
        if (!i->GetEnabled() || !i->GetVisible()) return false;
    item->Click();
    return true;
}

bool TMenu::DispatchCommand(WORD ACommand)
{
    TMenuItem* item = FindItem(ACommand);
    if (!item) return false;
    item->Click();
    return true;
}

bool TMenu::DispatchPopup(HMENU AMenu)
{
    TMenuItem* item = FindIn(FItems.get(), 0, AMenu, 0);
    if (!item) return false;
    InitiateActions(item);
    if (item->OnClick) item->OnClick(item);
    return true;
}

// ---- TMainMenu ----
TMainMenu::~TMainMenu()
{
    // The forms let go of the bar before its handle is destroyed.
    for (int i = 0; i < Screen->GetFormCount(); ++i)
        if (Screen->GetForms(i)->GetMenu() == this) Screen->GetForms(i)->SetMenu(nullptr);
}

void TMainMenu::MenuChanged()
{
    // Build the new bar, give it to the forms, then free the old one.
    HMENU old = FHandle.Release();
    FHandleValid = false;
    GetHandle();
    for (int i = 0; i < Screen->GetFormCount(); ++i)
        if (Screen->GetForms(i)->GetMenu() == this) Screen->GetForms(i)->MenuChanged();
    if (old) DestroyMenu(old);
}

void TMainMenu::ItemChanged()
{
    for (int i = 0; i < Screen->GetFormCount(); ++i) {
        TCustomForm* f = Screen->GetForms(i);
        if (f->GetMenu() == this && f->HandleAllocated()) DrawMenuBar(f->GetWindowHandle());
    }
}

// ---- TPopupMenu ----
void TPopupMenu::DoPopup(TObject* Sender)
{
    if (OnPopup) OnPopup(Sender);
}

void TPopupMenu::Popup(int X, int Y)
{
    DoPopup(this);
    InitiateActions(GetItems());
    UINT align = Alignment == paRight ? TPM_RIGHTALIGN : Alignment == paCenter ? TPM_CENTERALIGN : TPM_LEFTALIGN;
    UINT cmd = TrackPopupMenu(GetHandle(), align | TPM_RETURNCMD | TPM_RIGHTBUTTON, X, Y, 0, PopupOwner(), nullptr);
    if (cmd) DispatchCommand(static_cast<WORD>(cmd));
}

// ---- TMenuActionLink ----
namespace {
TCustomAction* AsCustom(TBasicAction* a) { return dynamic_cast<TCustomAction*>(a); }
}

void TMenuActionLink::SetCaption(const std::string& Value)
{
    if (TCustomAction* a = AsCustom(FAction))
        if (FItem->GetCaption() == a->GetCaption()) FItem->SetCaption(Value);
}

void TMenuActionLink::SetChecked(bool Value)
{
    if (TCustomAction* a = AsCustom(FAction))
        if (FItem->GetChecked() == a->GetChecked()) FItem->SetChecked(Value);
}

void TMenuActionLink::SetEnabled(bool Value)
{
    if (TCustomAction* a = AsCustom(FAction))
        if (FItem->GetEnabled() == a->GetEnabled()) FItem->SetEnabled(Value);
}

void TMenuActionLink::SetHint(const std::string& Value)
{
    if (TCustomAction* a = AsCustom(FAction))
        if (FItem->GetHint() == a->GetHint()) FItem->SetHint(Value);
}

void TMenuActionLink::SetImageIndex(int Value)
{
    if (TCustomAction* a = AsCustom(FAction))
        if (FItem->GetImageIndex() == a->GetImageIndex()) FItem->SetImageIndex(Value);
}

void TMenuActionLink::SetShortCut(TShortCut Value)
{
    if (TCustomAction* a = AsCustom(FAction))
        if (FItem->GetShortCut() == a->GetShortCut()) FItem->SetShortCut(Value);
}

void TMenuActionLink::SetVisible(bool Value)
{
    if (TCustomAction* a = AsCustom(FAction))
        if (FItem->GetVisible() == a->GetVisible()) FItem->SetVisible(Value);
}
