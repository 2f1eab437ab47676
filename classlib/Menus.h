// Menus: menu items in a tree (captions, shortcuts, checks, images, OnClick,
// actions), a form's main menu and popup menus, on Win32 menu handles.
#pragma once
#include "BasicAction.h"
#include "GdiHandles.h"
#include "Messages.h"
#include "Types.h"
#include <memory>
#include <vector>

class TMenu;
class TMenuItem;
class TCustomImageList;
class TMenuActionLink;

const TShortCut scShift = 0x2000;
const TShortCut scCtrl = 0x4000;
const TShortCut scAlt = 0x8000;
const TShortCut scNone = 0;
TShortCut ShortCut(WORD Key, unsigned Shift);        // Shift: the ss flags of Control.h
std::string ShortCutToText(TShortCut ShortCut);      // "Ctrl+S", "Shift+Ctrl+F1", "Alt+Del"
TShortCut TextToShortCut(const std::string& Text);   // 0 when the text names no key
// The shortcut a WM_KEYDOWN / WM_SYSKEYDOWN (or its CN_ reflection) stands for.
TShortCut ShortCutFromMessage(const TMessage& Message);

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    std::string GetCaption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    TShortCut GetShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    bool GetChecked() const { return FChecked; }
    void SetChecked(bool Value);
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    bool GetDefault() const { return FDefault; }
    void SetDefault(bool Value);
    bool GetRadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value);
    int GetGroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    std::string GetHint() const { return FHint; }
    void SetHint(const std::string& Value) { FHint = Value; }
    bool AutoCheck = false;
    TBasicAction* GetAction() const;
    void SetAction(TBasicAction* Value);

    int GetCount() const { return static_cast<int>(FItems.size()); }
    TMenuItem* GetItem(int Index) const { return FItems.at(Index); }
    TMenuItem* operator[](int Index) const { return GetItem(Index); }
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    void Delete(int Index);                  // takes the item out without freeing it
    void Remove(TMenuItem* Item);
    void Clear();                            // frees every child item
    int IndexOf(TMenuItem* Item) const;
    TMenuItem* Find(const std::string& ACaption) const;   // ignores '&' and case
    TMenuItem* GetParent() const { return FParent; }
    int GetMenuIndex() const;
    void SetMenuIndex(int Value);
    TMenu* GetParentMenu() const;
    bool IsLine() const { return FCaption == "-"; }
    // The command identifier of the item in its menu handle.
    UINT GetCommand() const { return FCommand; }
    // The popup menu handle of an item with children (of the menu that holds it).
    HMENU GetHandle() const { return FHandle; }

    // Toggles AutoCheck items, then executes the action or raises OnClick.
    virtual void Click();
    virtual void InitiateAction();
    TNotifyEvent OnClick;

protected:
    friend class TMenu;
    friend class TMenuActionLink;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    // Something visible changed: the menu's handle is made again.
    void MenuChanged();
    void ItemChanged();
    void FillInfo(MENUITEMINFOA& Info, std::string& Text, TMenu* Root);
    void AppendTo(HMENU Menu, TMenu* Root);
    void TurnSiblingsOff();

private:
    std::string FCaption;
    TShortCut FShortCut = 0;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    bool FRadioItem = false;
    int FGroupIndex = 0;
    int FImageIndex = -1;
    std::string FHint;
    UINT FCommand;
    HMENU FHandle = nullptr;
    TBitmapHandle FBitmap;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;          // set on the root item
    std::vector<TMenuItem*> FItems;
    std::unique_ptr<TMenuActionLink> FActionLink;
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;
    TMenuItem* GetItems() const { return FItems.get(); }
    // The menu handle, made from the items when first asked for and after a change.
    HMENU GetHandle();
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    // Runs the shortcut of a key message: the enabled item with that shortcut is clicked.
    bool IsShortCut(TMessage& Message);
    bool DispatchCommand(WORD ACommand);
    bool DispatchPopup(HMENU AMenu);
    TMenuItem* FindItem(UINT Command) const;
    TMenuItem* FindShortCut(TShortCut ShortCut) const;
    virtual void MenuChanged();
protected:
    friend class TMenuItem;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual HMENU NewHandle() = 0;
    // An item's look changed in place.
    virtual void ItemChanged();
    TMenuHandle FHandle;
    bool FHandleValid = false;
private:
    std::unique_ptr<TMenuItem> FItems;
    TCustomImageList* FImages = nullptr;
};

// The menu bar of a form (set as the form's Menu).
class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
    ~TMainMenu() override;
    void MenuChanged() override;
protected:
    HMENU NewHandle() override { return CreateMenu(); }
    void ItemChanged() override;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}
    // Shows the menu at a screen point and runs the chosen item (returns after the choice).
    virtual void Popup(int X, int Y);
    TComponent* GetPopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* Value) { FPopupComponent = Value; }
    bool AutoPopup = true;
    TPopupAlignment Alignment = paLeft;
    TNotifyEvent OnPopup;
protected:
    HMENU NewHandle() override { return CreatePopupMenu(); }
    virtual void DoPopup(TObject* Sender);
private:
    TComponent* FPopupComponent = nullptr;
};

// The link of a menu item to its action: caption, checked, enabled, hint,
// image, shortcut and visible follow the action.
class TMenuActionLink : public TBasicActionLink {
public:
    explicit TMenuActionLink(TMenuItem* AClient) : TBasicActionLink(AClient), FItem(AClient) {}
    void SetCaption(const std::string& Value) override;
    void SetChecked(bool Value) override;
    void SetEnabled(bool Value) override;
    void SetHint(const std::string& Value) override;
    void SetImageIndex(int Value) override;
    void SetShortCut(TShortCut Value) override;
    void SetVisible(bool Value) override;
private:
    TMenuItem* FItem;
};
