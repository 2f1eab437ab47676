// TspTrayIcon: one icon in the task bar's notification area. It keeps the icon
// there when the task bar restarts, turns the icon's mouse messages into
// events, shows a popup menu at the cursor, animates the icon through an image
// list, shows balloon hints, and hides its form into the tray on minimising.
#pragma once
#include "Classes.h"
#include "Control.h"
#include "Icon.h"
#include "ImgList.h"
#include "Menus.h"
#include "Timer.h"
#include <shellapi.h>
#include <functional>
#include <memory>
#include "SkinDataLink.h"

class TBitmap;

namespace Sptrayicon {

// The message the icon's callbacks arrive as, on the component's hidden window.
constexpr UINT WM_TRAYNOTIFY = 0x800;
// What the record says its size is: the pre-XP form (488 bytes on 32-bit Windows),
// which every shell since then accepts.
constexpr DWORD TrayRecordSize = NOTIFYICONDATAA_V2_SIZE;
// Every call to the notification area goes through here, so that tests (and a
// machine without a shell) can see or answer the calls.
typedef std::function<BOOL(DWORD Message, NOTIFYICONDATAA* Data)> TNotifyIconCall;
extern TNotifyIconCall NotifyIconCall;
// The registered "TaskbarCreated" message (registered once).
UINT TaskbarCreatedMessage();

}  // namespace Sptrayicon

enum TspBalloonHintIcon { bitNone, bitInfo, bitWarning, bitError };
typedef std::function<void(TObject* Sender, int NextIndex)> TCycleEvent;

class TspTrayIcon : public TComponent {
public:
    explicit TspTrayIcon(TComponent* AOwner);
    ~TspTrayIcon() override;
    void Loaded() override;

    // Each returns the platform call's success.
    virtual bool LoadDefaultIcon();
    virtual bool ShowIcon();
    virtual bool HideIcon();
    virtual bool ModifyIcon();

    TIcon* GetIcon() const { return FIcon.get(); }
    void SetIcon(TIcon* Value);
    bool GetIconVisible() const { return FIconVisible; }
    void SetIconVisible(bool Value);
    std::string GetHint() const { return FHint; }
    void SetHint(const std::string& Value);
    bool GetShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);
    TCustomImageList* GetIconList() const { return FIconList; }
    void SetIconList(TCustomImageList* Value);
    int GetIconIndex() const { return FIconIndex; }
    void SetIconIndex(int Value);
    bool GetCycleIcons() const { return FCycleIcons; }
    void SetCycleIcons(bool Value);
    int GetAnimateTimerInterval() const { return FAnimateTimerInterval; }
    void SetAnimateTimerInterval(int Value);
    bool GetDesignPreview() const { return FDesignPreview; }
    void SetDesignPreview(bool Value);

    bool Enabled = true;
    bool PopupByLeftButton = false;
    bool MinimizeToTray = false;
    bool MinimizedOnStart = false;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TCycleEvent OnCycle;

    void Refresh() { ModifyIcon(); }
    void ShowMainForm();
    void HideMainForm();
    void ShowBalloonHint(const std::string& Title, const std::string& Text, TspBalloonHintIcon IconType);
    void HideBalloonHint();
    bool BitmapToIcon(TBitmap* Bitmap, TIcon* Icon, TColor MaskColor);

    // The hidden window the icon's callbacks go to, and the record last sent.
    HWND GetCallbackWindow() const { return FHandle; }
    const NOTIFYICONDATAA& GetIconData() const { return FIconData; }
    // The callback message as the shell sends it (also what the tests send).
    void HandleIconMessage(TMessage& Message);
    void TimerCycle();
    void TimerClick();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void Click();
    virtual void DblClick();
    virtual void CycleIcon(int NextIndex);
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void DoMinimizeToTray();
    void PopupAtCursor();
    void HookForm();
    void UnhookForm();
    void HookFormProc(TMessage& Message);

private:
    struct THookState;
    bool InitIcon();
    bool Notify(DWORD Message);
    TWinControl* OwnerWindowed() const;
    void IconCallback(TMessage& Message);

    std::unique_ptr<TIcon> FIcon;
    bool FIconVisible = true;
    bool FAdded = false;
    std::string FHint;
    bool FShowHint = true;
    TspComponentLink<TPopupMenu> FPopupMenu{this};
    TspComponentLink<TCustomImageList> FIconList{this};
    int FIconIndex = 0;
    bool FCycleIcons = false;
    int FAnimateTimerInterval = 0;
    bool FDesignPreview = false;
    bool FSettingPreview = false;
    bool FClickStart = false, FClickReady = false, FDblClicked = false;
    HWND FHandle = nullptr;
    NOTIFYICONDATAA FIconData = {};
    std::unique_ptr<TTimer> FClickTimer, FCycleTimer;
    std::shared_ptr<THookState> FFormHook;
};
