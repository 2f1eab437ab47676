// TspFormFrame: the component that draws a form's whole window frame from a
// skin. It takes over the form's window procedure, answers the non-client
// messages (size of the frame, hit test, painting, activation), owns the live
// frame objects (caption buttons, caption, labels, ...) built from the skin,
// and re-skins the form's skinned controls when its skin data changes.
#pragma once
#include "Form.h"
#include "GdiHandles.h"
#include "Menus.h"
#include "SkinData.h"
#include "SkinImage.h"
#include "Timer.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "SkinDataLink.h"

class TspActiveSkinObject;
class TspDataSkinObject;
class TspFormFrame;

// The state of a switch object on the frame.
enum TSwitchState { swsOn, swsOff };
class TspSkinHint;
class TspSkinMainMenuItem;
class TspTrayIcon;
class TspSkinMainMenuBar;
class TspSkinMDITabsBar;
class TspSkinPopupMenu;

// The window commands a frame offers. The first three share their values with
// the class library's own border icons.
typedef unsigned TspBorderIcons;
constexpr unsigned biRollUp = 0x10;
constexpr unsigned biMinimizeToTray = 0x20;

// The frame's own window state (WindowState).
constexpr int fwsNormal = 0, fwsMinimized = 1, fwsMaximized = 2;

// The hit code of frame parts that neither size nor move the window (objects,
// caption buttons, inner frame). The system does nothing with it, so the press
// reaches the frame as a non-client mouse message.
constexpr LRESULT HTOBJECT_FRAME = 19;

typedef std::function<void(const std::string& IDName, int X, int Y, const TRect& ObjectRect, TMouseButton Button)>
    TspMouseUpDownObjectEvent;
typedef std::function<void(const std::string& IDName, int X, int Y, const TRect& ObjectRect)> TspMouseMoveObjectEvent;
typedef std::function<void(const std::string& IDName)> TspMouseEnterLeaveObjectEvent;
typedef std::function<void(const std::string& IDName, TCanvas* Canvas, const TRect& ObjectRect)> TspPaintObjectEvent;
typedef std::function<void(const TRect& NewClientRect)> TspChangeClientRectEvent;
typedef std::function<void(const std::string& IDName, bool& ObjectVisible)> TspActivateCustomObjectEvent;

// Frees a live object (its class is complete only where the objects are defined).
struct TspActiveSkinObjectDeleter {
    void operator()(TspActiveSkinObject* AObject) const;
};
typedef std::unique_ptr<TspActiveSkinObject, TspActiveSkinObjectDeleter> TspActiveSkinObjectPtr;

namespace Formframe {
// The first component of the form, in component order, that is a frame; null when none.
TspFormFrame* GetFormFrameComponent(TCustomForm* Form);
// Builds the live object for one [SKINOBJECTS] record; null for kinds that make
// no frame object. Defined with the objects (FrameObjects.cpp).
TspActiveSkinObject* CreateSkinObject(TspFormFrame* Frame, TspDataSkinObject* Record);
// A record-less caption button with Command (the default caption buttons).
TspActiveSkinObject* CreateDefaultCaptionButton(TspFormFrame* Frame, const std::string& IDName, TStdCommand Command);
// The frame of the first MDI child of the application's main form whose frame
// is maximised; null when none (FormFrameMdi.cpp).
TspFormFrame* GetMDIChildFormFrameComponent();
// The frame of the application's main form's active MDI child; null when there
// is no main form, no active child or no frame on it (FormFrameMdi.cpp).
TspFormFrame* GetMDIChildFormFrameComponent2();
// Child rectangles of the MDI arrangements inside a W x H work area, for
// Count children, indexed from the first child to the last.
std::vector<TRect> TileRects(int Count, int W, int H);
// Step <= 0 is no caption height: the caller passes a usable one.
std::vector<TRect> CascadeRects(int Count, int W, int H, int Step, int MinW, int MinH);
}  // namespace Formframe

class TspFormFrame : public TComponent {
public:
    explicit TspFormFrame(TComponent* AOwner);
    ~TspFormFrame() override;

    // ---- published properties ----
    int ClientWidth = 0;
    int ClientHeight = 0;
    bool HideCaptionButtons = false;
    bool AlwaysShowInTray = false;
    bool LogoBitMapTransparent = false;
    bool AlwaysMinimizeToTray = false;
    bool UseSkinFontInMenu = true;
    bool MaximizeOnFullScreen = false;
    bool ShowObjectHint = false;
    bool UseSkinCursors = false;
    int GetDefMenuItemHeight() const { return DefMenuItemHeight; }
    // Values of 0 or less are ignored.
    void SetDefMenuItemHeight(int Value);
    bool UseDefaultSysMenu = true;
    bool AlphaBlendAnimation = false;
    bool MenusAlphaBlend = false;
    bool MenusAlphaBlendAnimation = false;
    BYTE MenusAlphaBlendValue = 200;
    int MinHeight = 0;
    int MinWidth = 0;
    bool Sizeable = true;
    bool DraggAble = false;
    bool Magnetic = false;
    BYTE MagneticSize = 10;

    TBitmap* GetLogoBitMap() const { return FLogoBitMap.get(); }
    void SetLogoBitMap(TBitmap* Value);
    bool GetShowIcon() const { return FShowIcon; }
    void SetShowIcon(bool Value);
    TFont* GetDefCaptionFont() const { return FDefCaptionFont.get(); }
    void SetDefCaptionFont(TFont* Value);
    TFont* GetDefInActiveCaptionFont() const { return FDefInActiveCaptionFont.get(); }
    void SetDefInActiveCaptionFont(TFont* Value);
    TFont* GetDefMenuItemFont() const { return FDefMenuItemFont.get(); }
    void SetDefMenuItemFont(TFont* Value);
    TspSkinHint* GetSkinHint() const { return FSkinHint; }
    void SetSkinHint(TspSkinHint* Value);
    TspTrayIcon* GetTrayIcon() const { return FTrayIcon; }
    void SetTrayIcon(TspTrayIcon* Value);
    TspSkinMainMenuBar* GetMainMenuBar() const { return FMainMenuBar; }
    void SetMainMenuBar(TspSkinMainMenuBar* Value);
    bool GetSupportNCArea() const { return FSupportNCArea; }
    void SetSupportNCArea(bool Value);
    bool GetAlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value);
    BYTE GetAlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(BYTE Value);
    TMainMenu* GetMainMenu() const { return FMainMenu; }
    void SetMainMenu(TMainMenu* Value);
    TPopupMenu* GetSystemMenuProperty() const { return FSystemMenu; }
    void SetSystemMenu(TPopupMenu* Value);
    TspSkinData* GetSkinData() const { return FSkinData; }
    void SetSkinData(TspSkinData* Value);
    TspSkinData* GetMenusSkinData() const { return FMenusSkinData; }
    void SetMenusSkinData(TspSkinData* Value) { FMenusSkinData.Set(Value); }
    TspBorderIcons GetBorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TspBorderIcons Value);

    // ---- published events ----
    TspChangeClientRectEvent OnChangeClientRect;
    TNotifyEvent OnChangeSkinData;
    TspMouseUpDownObjectEvent OnMouseUpEvent;
    TspMouseUpDownObjectEvent OnMouseDownEvent;
    TspMouseMoveObjectEvent OnMouseMoveEvent;
    TspMouseEnterLeaveObjectEvent OnMouseEnterEvent;
    TspMouseEnterLeaveObjectEvent OnMouseLeaveEvent;
    TspPaintObjectEvent OnPaintEvent;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeActivate;
    TNotifyEvent OnSkinMenuOpen;
    TNotifyEvent OnSkinMenuClose;
    // The main menu's keyboard mode (Alt, F10, or a press on an item) began or ended.
    TNotifyEvent OnMainMenuEnter;
    TNotifyEvent OnMainMenuExit;
    TNotifyEvent OnChangeRollUpState;
    TNotifyEvent OnMinimizeToTray;
    TNotifyEvent OnRestoreFromTray;
    TspActivateCustomObjectEvent OnActivateCustomObject;

    // The frame is always drawn active (the open-skin dialog's preview).
    bool AlwaysActive = false;

    // ---- Operations the frame objects call ----
    // (The objects developer may add declarations here and define them in the
    // objects' own source file.)
    TCustomForm* GetOwnerForm() const { return OwnerForm; }
    TspSkinData* SkinData() const { return FSkinData; }
    bool SupportNCArea() const { return FSupportNCArea; }
    bool SkinLoaded() const { return FSkinLoaded; }
    bool IsSkinChanging() const { return FSkinChanging; }
    bool GetFormActive();
    // Draws one object now on the window (non-client mode: the window's DC).
    void DrawSkinObject(TspActiveSkinObject* AObject);
    void MouseDownEvent(const std::string& IDName, int X, int Y, const TRect& ObjectRect, TMouseButton Button);
    void MouseUpEvent(const std::string& IDName, int X, int Y, const TRect& ObjectRect, TMouseButton Button);
    void MouseMoveEvent(const std::string& IDName, int X, int Y, const TRect& ObjectRect);
    void MouseEnterEvent(const std::string& IDName);
    void MouseLeaveEvent(const std::string& IDName);
    void PaintEvent(const std::string& IDName, TCanvas* Canvas, const TRect& ObjectRect);
    // The morph (20 ms) and animation (25 ms) ticks run while enabled.
    void EnableMorphingTimer() { FMorphingTimer->SetEnabled(true); }
    void EnableAnimationTimer() { FAnimationTimer->SetEnabled(true); }
    TTimer* GetMorphingTimer() const { return FMorphingTimer.get(); }
    TTimer* GetAnimationTimer() const { return FAnimationTimer.get(); }
    // Window commands of the caption buttons.
    int GetWindowState() const { return FWindowState; }
    void SetWindowState(int Value);
    bool GetRolledUp() const { return FRolledUp; }
    void SetRollUpState(bool Value);
    void MinimizeToTray();
    void RestoreFromTray();
    void CloseForm();
    // The menu the system-menu button drops down (the frame's own when none is set).
    TPopupMenu* GetSystemMenu();
    // Caption text and font of the default frame.
    std::string GetCaptionText() const;
    TFont* GetCaptionFont();
    // The form's small icon, for a system-menu button with ShowIcon.
    void GetIconSize(int& Width, int& Height);
    void DrawFormIcon(TCanvas* Canvas, int X, int Y);
    // Default-frame caption height (19, 15 for tool windows) and button size.
    int GetDefCaptionHeight() const;
    int GetDefButtonSize() const;

    // ---- window states ----
    // The parking slot of a frame-minimised form (bottom row of the work area).
    TPoint GetMinimizeCoord() const;
    // The form's height as if it were not rolled up.
    int GetRealHeight() const;
    bool GetRolledUpMaximized() const { return FRolledUpMaximized; }
    TRect GetNormalBounds() const { return FNormalBounds; }
    // Snaps a window rectangle to the work area's edges (closer than MagneticSize).
    void DoMagnetic(int& Left, int& Top, int Width, int Height) const;
    // A left double click while the caption object is active.
    void CheckWindowState();
    void TrayIconDBLCLK(TObject* Sender);

    // ---- system and tray menus ----
    // The frame's own system menu, rebuilt from the window commands.
    void CreateSysMenu();
    // Merges the window commands into the application's SystemMenu.
    void CreateUserSysMenu();
    // Shows the system menu with its top-left corner at the screen point.
    void TrackSystemMenu(int X, int Y);
    // Shows Menu through the frame's skinned menu engine: at the screen point
    // P, or under (or with PopupUp above) the screen rectangle R.
    void PopupSkinMenu(TMenu* Menu, const TPoint& P);
    // Normal or stay-on-top only (the form recreates its window); a
    // translucent frame has its skinned controls fetch their looks again.
    void SetFormStyle(TFormStyle Value);
    void PopupSkinMenu1(TMenu* Menu, const TRect& R, bool PopupUp);
    TspSkinPopupMenu* GetTrayPopupMenu() const { return FTrayPopupMenu.get(); }
    // The window commands behind the system and tray menu items.
    void SM_Min();
    void SM_Max();
    void SM_Restore();
    void SM_RollUp();
    void SM_MinToTray();
    void SM_Close();
    // The form's OnShortCut: the frame's main menu's shortcuts.
    void FormShortCut(TMessage& Msg, bool& Handled);

    // ---- the main menu drawn in the frame, and its keyboard mode ----
    // Items are made from the skin's "MAINMENUITEM" record when the form has a
    // main menu and no menu bar control shows it.
    void CreateMainMenu();
    void UpdateMainMenu(bool Repaint);
    // Places every item in FrameMainMenuRect, one after the other.
    void LayoutMainMenuItems();
    int MainMenuItemCount() const;
    TspSkinMainMenuItem* GetMainMenuItem(int Index) const;
    // Whether a skinned menu of the frame is open, and whether the main menu is
    // in its keyboard mode (keys then go to the items, not to the form).
    bool GetMenuOpened() const;
    bool GetMainMenuActive() const { return FMainMenuActive; }
    // Enters the keyboard mode (an item pressed, Alt, F10); fires OnMainMenuEnter.
    void SetMainMenuActive(bool Value);
    // Alt or F10 without a menu bar: the first item is highlighted.
    void ActivateMenu();
    // Leaves the keyboard mode, closing an open drop-down.
    void SkinMainMenuClose();
    // A menu of the frame closed: a pressed item goes up and the mode ends.
    void MainMenuClosed();
    // Escape closed the last drop-down level: its item stays highlighted.
    void MainMenuEscaped();
    bool CanNextMainMenuItem() const;
    bool CanPriorMainMenuItem() const;
    void NextMainMenuItem();
    void PriorMainMenuItem();
    bool FindHotKeyItem(WORD Key);
    bool CheckReturnKey();
    // A key while the keyboard mode is on.
    void MainMenuKeyDown(WORD Key);
    // A press on the form is about to close the open menu: when it lands on
    // the item whose drop-down that is, the item does not open it again.
    void NoteMenuClosingPress();
    bool TakeMenuClosingPress(TspActiveSkinObject* AObject);

    // ---- multiple-document forms (FormFrameMdi.cpp) ----
    TspSkinMDITabsBar* GetMDITabsBar() const { return FMDITabsBar; }
    void SetMDITabsBar(TspSkinMDITabsBar* Value);
    bool IsMDIChildMaximized() const { return FMDIChildMaximized; }
    bool GetMDIChildActive() const;
    void ResizeMDIChilds();
    void ArangeMinimizedChilds();
    // The main form's client area less its visible aligned controls.
    void GetMDIWorkArea(TRect& R) const;
    TCustomForm* GetMaximizeMDIChild() const;
    void Tile();
    void Cascade();
    void MinimizeAll();
    void MaximizeAll();
    void RestoreAll();
    void CloseAll();
    void AddChildToMenu(TCustomForm* Form);
    void DeleteChildFromMenu(TCustomForm* Form);
    void UpDateChildCaptionInMenu(TCustomForm* Form);
    void UpDateChildActiveInMenu();
    void MDIItemClick(TObject* Sender);
    void AddChildToBar(TCustomForm* Form);
    void DeleteChildFromBar(TCustomForm* Form);
    void RefreshMDIBarTab(TCustomForm* Form);
    void CheckMDIBar();
    void CheckMDIMainMenu();
    // The procedure of the subclassed MDI client window.
    LRESULT FormClientWindowProcHook(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

    // ---- frame interface ----
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void ChangeSkinData();
    // Frame objects, in creation order (owned).
    int ObjectCount() const { return static_cast<int>(FObjectList.size()); }
    TspActiveSkinObject* GetObject(int Index) const;
    int GetIndex(const std::string& IDName) const;
    // Where an object is drawn on the frame now; empty for a missing one.
    TRect GetObjectRect(int Index) const;
    void LoadObjects();
    void LoadDefObjects();
    void ClearObjects();
    void CheckObjects();
    bool CanObjectTest(bool RollUp) const;
    void SetDefaultCaptionText(const std::string& Text);
    void SetEnabled(const std::string& IDName, bool Value);
    void UserObjectDraw(const std::string& IDName);
    // The rest of the object interface by name: each does nothing (or answers
    // false) when no object of that name and kind exists; the first object of a
    // name is the one reached.
    void AnimateStart(const std::string& IDName);
    void AnimateStop(const std::string& IDName);
    void LabelSetText(const std::string& IDName, const std::string& Text);
    void BitLabelSetText(const std::string& IDName, const std::string& Text);
    void CaptionSetText(const std::string& IDName, const std::string& Text);
    void ButtonSetDown(const std::string& IDName, bool Down);
    bool ButtonGetDown(const std::string& IDName) const;
    void LinkMenu(const std::string& IDName, TMenu* Menu, bool PopupUp);
    // The value objects by name: each does nothing when no object of that name and
    // kind exists; while the skin changes, it only stores the value.
    void TrackBarSetValue(const std::string& IDName, int Value);
    void SwitchSetState(const std::string& IDName, TSwitchState State);
    void GaugeSetValue(const std::string& IDName, int Value);
    void FrameGaugeSetValue(const std::string& IDName, int Value);
    void FrameRegulatorSetValue(const std::string& IDName, int Value);
    // Their values by name: 0 (swsOff for a switch) when no object of that name
    // and kind exists.
    int TrackBarGetValue(const std::string& IDName) const;
    int FrameRegulatorGetValue(const std::string& IDName) const;
    TSwitchState SwitchGetState(const std::string& IDName) const;
    // A value object changed.
    std::function<void(const std::string& IDName, int Value)> OnTrackBarChangeValueEvent;
    std::function<void(const std::string& IDName, TSwitchState State)> OnSwitchChangeStateEvent;
    std::function<void(const std::string& IDName, int Value)> OnFrameRegulatorChangeValueEvent;
    // A menu linked by name that goes away is unlinked from every button.
    void ForgetLinkedMenu(TComponent* AComponent);

    // Geometry for the current window size (window coordinates).
    bool CanScale() const;
    bool CanNCSupport() const;
    void CalcRects();
    void CalcAllRealObjectRect();
    void CalcDefRects();
    void CalcRealObjectRect(const TRect& SkinRect, TRect& Result) const;
    TRect GetDefCaptionRect();
    LRESULT NewNCHitTest(TPoint P);
    LRESULT NewDefNCHitTest(TPoint P);
    bool PtInMask(TPoint P) const;
    void CreateNewRegion(bool Scale);
    void CreateNewForm(bool Scale);
    void UpDateForm();
    // The client rectangle inside a window rectangle (WM_NCCALCSIZE).
    void CalcNCClientRect(TRect& R);
    TPoint PointToNCPoint(TPoint ScreenPoint) const;
    int GetMinWidth() const;
    int GetMinHeight() const;
    int GetMaxWidth() const;
    int GetMaxHeight() const;

    // Painting.
    void PaintNCSkin();
    void PaintNCDefault();
    void PaintBG(HDC DC);
    void PaintBG2(HDC DC);
    void PaintBGDefault(HDC DC);
    void DrawLogoBitMap(TCanvas* Canvas);
    bool GetAutoRenderingInActiveImage() const;
    static void CorrectCaptionText(TCanvas* Canvas, std::string& Text, int Width);

    // Tracking and dispatch.
    void TestActive(int X, int Y, bool CanActivate);
    void TestMouse();
    void TestMorph();
    void TestAnimate();
    void MouseDown(TMouseButton Button, int X, int Y);
    void MouseUp(TMouseButton Button, int X, int Y);
    void MouseMove(int X, int Y);
    void MouseDBlClick();
    void UpDateActiveObjects();
    void FormChangeActive(bool Redraw);

    // Frame state read by the tests and the objects.
    int FrameWidth = 0, FrameHeight = 0;
    TPoint LeftTopCorner, RightTopCorner, LeftBottomCorner, RightBottomCorner;
    TRect FrameClientRect, FrameCaptionRect, FrameButtonsRect, FrameMaskArea, FrameMainMenuRect;
    TRect DefaultCaptionRect;
    int ButtonsOffset = 0;
    bool ButtonsInLeft = false;
    TPoint SizingLeftTop, SizingRightTop, SizingLeftBottom, SizingRightBottom;
    int ActiveObject = -1, OldActiveObject = -1, MouseCaptureObject = -1;
    bool InSizeMove = false, FullDrag = false;
    // Our own copy of the region last given to the window (the window owns the
    // one it was given); used for nothing but tests and the next comparison.
    HRGN GetWindowRegion() const { return FWindowRegion.Get(); }
    TTimer* GetPointerTimer() const { return FPointerTimer.get(); }

    // ---- client-area mode (SupportNCArea false) ----
    // The whole window: the skin picture (stretched or not) with the objects on it.
    void Paint(HDC DC);
    // Picture stretched to the window between its corner points.
    void CreateRealBitMap(TBitmap* Bitmap, TBitmap* Picture);
    // The skin's frame points stretched to the frame's corners, over the whole of
    // Picture, for an image of the frame's size.
    Sputils::TSkinImageArgs FrameImageArgs(TBitmap* Picture) const;
    void StartDragg(int X, int Y);
    void EndDragg();
    bool GetDragging() const { return FDragging; }
    // Controls pinned to named areas of the skin follow them at every size.
    void LinkControlToArea(const std::string& AreaName, TControl* Control);
    void UnLinkControlFromArea(TControl* Control);
    void LinkControlsToAreas();
    void ControlsToAreas();
    int AreaLinkCount() const { return static_cast<int>(FAreaLinks.size()); }
    void CheckSize();
    LRESULT NewHitTest(TPoint P);
    bool InForm(TPoint P) const;
    void TestCursors();
    void CreateRollUpForm();
    void RestoreRollUpForm();
    void SetRollUpFormRegion();

private:
    // MDI parts of the window procedure: the library's MDI messages (returns
    // whether the message goes on to the form), and what follows the form's
    // own handling of the others.
    bool MDIMessage(TMessage& Message);
    void MDIAfterMessage(TMessage& Message);
    // The window states of an MDI child stay inside the MDI work area.
    bool MDIChildSetWindowState(int Value);
    std::string MDICaptionSuffix() const;
    void HookMDIClient();
    void UnhookMDIClient();
    void MDIForgetComponent(TComponent* AComponent);
    TspFormFrame* MDIMainFrame() const;
    bool IsMDIChildFrame() const;
    bool IsMDIMainFrame() const;
    TPoint GetMDIMinimizeCoord() const;
    void MDIChildMaximize();
    void PaintMDIBG(HDC DC);
    TspComponentLink<TspSkinMDITabsBar> FMDITabsBar{this};
    bool FMDIChildMaximized = false;
    // The last activation state the system passed (WM_NCACTIVATE).
    bool FMDIChildActive = false;
    HWND FMDIClient = nullptr;
    WNDPROC OldMDIClientProc = nullptr;

    void NewWndProc(TMessage& Message);
    void CallOldWndProc(TMessage& Message);
    void InstallHook();
    void RemoveHook();
    void StripCaption();
    bool WMCreate(TMessage& Message);
    void CaptionDoubleClick();
    HWND FormHandle() const;
    TBitmap* SkinPicture() const;
    void SyncFrameSize();
    void GiveRegion(HRGN Rgn);
    void RemoveRegion();
    TRect MaxArea() const;
    TRect MaxAreaWork() const;
    HICON GetIcon();
    bool ObjectTested(TspActiveSkinObject* AObject) const;
    void DrawObject(TspActiveSkinObject* AObject, TCanvas* Canvas, bool Forced);
    void DrawFrameObjects(TCanvas* Top, TCanvas* Bottom);
    void DrawDefaultObjects(TCanvas* Caption);
    bool CommandOffered(TStdCommand Command) const;
    // First-phase handlers; each returns whether the message goes on to the form.
    bool WMDestroy(TMessage& Message);
    bool WMSize(TMessage& Message);
    bool WMActivate(TMessage& Message);
    bool WMSetText(TMessage& Message);
    bool WMEraseBkgnd(TMessage& Message);
    bool WMShowWindow(TMessage& Message);
    bool WMGetMinMaxInfo(TMessage& Message);
    bool WMNCCalcSize(TMessage& Message);
    bool WMNCHitTest(TMessage& Message);
    bool WMNCPaint(TMessage& Message);
    bool WMNCActivate(TMessage& Message);
    bool WMSetIcon(TMessage& Message);
    bool WMSyncPaint(TMessage& Message);
    bool WMSizing(TMessage& Message);
    bool WMMoving(TMessage& Message);
    bool WMEnterSizeMove(TMessage& Message);
    bool WMExitSizeMove(TMessage& Message);
    bool WMBeforeChangeSkinData(TMessage& Message);
    bool WMChangeSkinData(TMessage& Message);
    // Second phase: mouse messages after the form's own procedure.
    void AfterNCMouse(TMessage& Message);
    void AfterClientMouse(TMessage& Message);
    bool NoFrame() const;
    void SendNCPaint();
    void StopTimers();
    bool IsCaptionObject(int Index) const;
    bool OverCaption(TPoint P) const;
    TRect FormBounds() const;
    void DoNormal();
    void DoMaximize();
    void DoMinimize();
    // The window timer of the fade-in (the form's own timers are not window timers).
    static constexpr UINT_PTR FadeTimerId = 1;
    bool WMTimer(TMessage& Message);
    bool WMSysCommand(TMessage& Message);
    // The layered style and opacity on the window when AlphaBlend is set.
    void ApplyAlphaBlend(HWND Wnd);
    void FadeIn();
    void ForgetMainMenuItem(TComponent* AComponent);
    std::vector<TspSkinMainMenuItem*> UsableMainMenuItems() const;
    bool SystemMenuShown() const;
    void CreateSysTrayMenu();
    void AddWindowCommands(TMenuItem* Root, bool Merge);

    TCustomForm* OwnerForm = nullptr;
    TWndMethod OldWindowProc;
    bool FHooked = false;
    // Shared with the form procedure wrapper: false once the hook is removed,
    // so a wrapper that others have wrapped since only passes messages on.
    std::shared_ptr<bool> FHookAlive;
    friend struct TFrameHook;
    bool FCaptionStripped = false;
    TspSkinDataLink FSkinData{this};
    TspSkinDataLink FMenusSkinData{this};
    TMainMenu* FMainMenu = nullptr;
    TPopupMenu* FSystemMenu = nullptr;
    TspSkinHint* FSkinHint = nullptr;
    TspComponentLink<TspTrayIcon> FTrayIcon{this};
    TspSkinMainMenuBar* FMainMenuBar = nullptr;
    bool FMainMenuActive = false;
    TspActiveSkinObject* FPressClosedItem = nullptr;
    int DefMenuItemHeight = 20;
    TspBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize | biRollUp;
    bool FSupportNCArea = true;
    bool FShowIcon = false;
    bool FAlphaBlend = false;
    BYTE FAlphaBlendValue = 200;
    bool FSkinLoaded = false;
    bool FSkinChanging = false;
    // Menus linked to buttons by name, with the item tree each handed over.
    std::vector<std::pair<TComponent*, TMenuItem*>> FLinkedMenus;
    int FWindowState = fwsNormal;
    bool FRolledUp = false;
    bool FRolledUpMaximized = false;
    int FHeightBeforeRollUp = 0;
    TRect FNormalBounds;
    std::unique_ptr<TBitmap> FLogoBitMap;
    std::unique_ptr<TFont> FDefCaptionFont, FDefInActiveCaptionFont, FDefMenuItemFont;
    std::vector<TspActiveSkinObjectPtr> FObjectList;
    std::unique_ptr<TTimer> FMorphingTimer, FAnimationTimer, FPointerTimer;
    std::unique_ptr<TPopupMenu> FSystemPopupMenu;
    std::unique_ptr<TspSkinPopupMenu> FTrayPopupMenu;
    TRegionHandle FWindowRegion;
    std::unique_ptr<TBitmap> FTopMaskStrip, FBottomMaskStrip, FLeftMaskStrip, FRightMaskStrip;
    TIconHandle FSmallIcon;

    // Client-area mode.
    struct TspAreaLink {
        TControl* Control;
        TRect AreaRect;
    };
    bool ClientAreaUsable() const;
    void ClientAreaChangeSkinData();
    // First phase of the messages client-area mode answers itself; true when handled.
    bool ClientAreaWndProc(TMessage& Message);
    void AfterClientAreaMouse(TMessage& Message);
    void ClientAreaMouseDown(TMessage& Message, TMouseButton Button);
    void ClientAreaMouseUp(TMessage& Message, TMouseButton Button);
    void DraggTo();
    void ClientAreaTestMouse();
    void ClientAreaRollUp(bool Value);
    void ForgetAreaControl(TComponent* AComponent);
    std::vector<TspAreaLink> FAreaLinks;
    std::vector<TControl*> FHiddenControls;
    bool FDragging = false;
    TPoint FDragPoint;
    bool FMouseTracking = false;
};
