// TspSkinMainMenuBar: a form's main menu shown as a skinned bar docked at the top
// of the form. One light item object per visible top-level menu item; the items
// that do not fit hide behind a scroll marker that drops them down. Drop-downs
// open through the form frame's skinned menu engine, so the bar needs a frame
// for them; the keyboard menu mode (Alt, arrows, Enter, access keys) is driven
// through the operations below.
#pragma once
#include "AliveToken.h"
#include "SkinControl.h"
#include "Timer.h"
#include <functional>
#include <memory>
#include <vector>
#include "SkinDataLink.h"

class TspFormFrame;
class TspMenuBarObject;
class TspSkinMainMenuBarItem;
class TMainMenu;
class TCustomForm;
class TMenuItem;

typedef std::function<void(const std::string& IDName)> TspMainMenuItemClick;
typedef std::function<void(TMenuItem* MenuItem)> TspMenuBarItemEvent;

class TspSkinMainMenuBar : public TspSkinControl {
public:
    explicit TspSkinMainMenuBar(TComponent* AOwner);
    ~TspSkinMainMenuBar() override;

    // ---- published properties ----
    bool GetScrollMenu() const { return FScrollMenu; }
    void SetScrollMenu(bool Value);
    TFont* GetDefItemFont() const { return FDefItemFont.get(); }
    void SetDefItemFont(TFont* Value);
    int DefaultWidth = 0;
    int DefaultHeight = 22;
    bool PopupToUp = false;
    TspFormFrame* GetFormFrame() const { return FFormFrame; }
    void SetFormFrame(TspFormFrame* Value);
    TMainMenu* GetMainMenu() const { return FMainMenu; }
    void SetMainMenu(TMainMenu* Value);
    TspMainMenuItemClick OnMainMenuItemClick;
    TspMenuBarItemEvent OnItemMouseEnter, OnItemMouseLeave;
    // Fired when the bar enters its menu mode (an item pressed, or MenuEnter).
    TNotifyEvent OnMainMenuEnter;

    // ---- skin protocol ----
    void GetSkinData() override;
    void SetSkinData(TspSkinData* Value) override;
    void BeforeChangeSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // ---- objects ----
    void CreateMenu();
    void UpDateItems();
    void ClearObjects();
    int ObjectCount() const { return static_cast<int>(FObjects.size()); }
    TspMenuBarObject* GetObject(int Index) const;
    // The item objects only (the list may also hold other entries).
    TspSkinMainMenuBarItem* GetItem(int Index) const;
    int ItemCount() const;
    // Draws one object now on the bar.
    void DrawSkinObject(TspMenuBarObject* AObject);
    // Lays out the areas and every item (what a paint would show).
    void CalcRects();
    void LayoutItems();
    TRect GetItemsArea() const { return FItemsArea; }
    bool HasSkin() const { return FHasSkin; }
    bool GetHasHiddenItems() const { return FHasHiddenItems; }
    bool GetMarkerHot() const { return FMarkerHot; }
    int MarkerWidth() const { return FScrollMenu ? 5 : 0; }

    // ---- menu mode (the keyboard and the drop-downs) ----
    bool GetMenuActive() const { return FMenuActive; }
    void MenuEnter();
    void MenuClose();
    void MenuExit();
    void NextMainMenuItem();
    void PriorMainMenuItem();
    bool CheckReturnKey();
    bool FindHotKeyItem(WORD Key);
    // An item pressed: the bar is in menu mode (fires OnMainMenuEnter once).
    void EnterMenuMode();
    // The form's system key-menu command: Key 0 (Alt alone, F10) toggles the
    // mode, a character opens the item with that access key. Returns whether
    // the bar took it.
    bool KeyMenu(WORD Key);
    // Whether the frame's menu engine shows a level now.
    bool MenuShown() const;
    // Opens Item's drop-down under (or above) the screen rectangle R.
    void PopupItem(TMenuItem* Item, const TRect& R, int StartIndex = 0);
    TRect ObjectToScreen(const TRect& R);

    // ---- scroll marker ----
    TRect GetMarkerRect() const;
    void DrawMarker(TCanvas* Cnvs);
    void TrackScrollMenu();

    // ---- morphing of the objects ----
    // Starts the 20 ms morph timer; each tick steps every object that is still
    // on its way, and the timer stops once none is.
    void StartMorph();
    void TestMorph();
    bool MorphRunning() const;

    // ---- hover tracking ----
    void TestActive(int X, int Y);
    void TestMouse();
    int GetActiveIndex() const { return FActiveIndex; }
    int GetCapturedIndex() const { return FCapturedIndex; }

    // Composes the whole bar into one picture and draws it on Cnvs at (0, 0).
    void PaintMenuBar(TCanvas* Cnvs);

    // ---- system buttons of a maximised MDI child (SkinMenuBarMdi.cpp) ----
    // The four buttons head the object list while ChildMaximized.
    bool ChildMaximized = false;
    // The items of the active MDI child's main menu are appended.
    bool ChildMenuMerged = false;
    int SystemButtonCount = 0;
    void MDIChildMaximize();
    void MDIChildRestore();
    void AddButtons();
    void DeleteButtons();
    void CheckButtons(unsigned BorderIcons);
    // The system menu a system-menu button opened has closed.
    void CloseSysMenu();
    // The first main menu among the components of the main form's active MDI child.
    TMainMenu* GetChildMainMenu() const;
    // Places the system buttons at the ends of the items area, shrinking it.
    void PlaceSystemButtons();

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void MenuWatchTick();
    void HookForm(TCustomForm* Form);
    void UnhookForm();
    void FreeItemsOf(TComponent* AComponent);
    void RepaintBar();

    bool FScrollMenu = true;
    std::unique_ptr<TFont> FDefItemFont;
    TspComponentLink<TspFormFrame> FFormFrame{this};
    TspComponentLink<TMainMenu> FMainMenu{this};
    TspComponentLink<TCustomForm> FHookedForm{this};
    bool FHasSkin = false;
    bool FNeedRebuild = false;
    bool FMenuActive = false;
    bool FHasHiddenItems = false;
    bool FMarkerHot = false;
    int FActiveIndex = -1, FOldActiveIndex = -1, FCapturedIndex = -1;
    TRect FItemsArea, FSkinRect, FSkinItemsRect;
    std::string FItemRecordName;
    TColor FMarkColor = 0, FMarkActiveColor = 0;
    TBitmap* FBarPicture = nullptr;   // not owned
    std::vector<std::unique_ptr<TspMenuBarObject>> FObjects;
    std::unique_ptr<TTimer> FMouseTimer;
    std::unique_ptr<TTimer> FMorphTimer;
    // While a drop-down of the bar is open: releases the pressed item once the
    // engine shows no level any more, however the menu closed.
    std::unique_ptr<TTimer> FMenuWatch;
};
