// TCustomForm and TForm: top-level windows (or a form hosted in another
// program's window) with a border style, a main menu, an active control, key
// preview, shortcuts, modal showing and the close protocol.
#pragma once
#include "ControlCanvas.h"
#include "ScrollingWinControl.h"

class TMainMenu;
class TMenuItem;
class TIcon;

enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
typedef unsigned TBorderIcons;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter,
    poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TTileMode { tbHorizontal, tbVertical };
enum TFormStateFlag : unsigned { fsCreating = 1, fsVisible = 2, fsShowing = 4, fsModal = 8, fsActivated = 16 };
typedef unsigned TFormState;

typedef int TModalResult;
const TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
                   mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO, mrAll = mrNo + 1, mrNoToAll = mrAll + 1,
                   mrYesToAll = mrNoToAll + 1;

typedef std::function<void(TObject* Sender, TCloseAction& Action)> TCloseEvent;
typedef std::function<void(TObject* Sender, bool& CanClose)> TCloseQueryEvent;
// The key message of a shortcut (WParam: virtual key, LParam: key data).
typedef std::function<void(TMessage& Msg, bool& Handled)> TShortCutEvent;

class TCustomForm : public TScrollingWinControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    // A form that lives inside a window of another program (an ActiveX control's site).
    TCustomForm(TComponent* AOwner, HWND ParentWindow);
    ~TCustomForm() override;
    // Raises OnCreate once the whole form exists (Application->CreateForm calls it,
    // and the first Show or ShowModal when nothing did).
    virtual void AfterConstruction();
    void BeforeDestruction() override;

    void Show();
    void Hide() { SetVisible(false); }
    // Shows the form modally and returns its ModalResult; the other windows of
    // the thread are disabled meanwhile, synchronous calls are still served.
    int ShowModal();
    void Close();
    virtual bool CloseQuery();
    // Frees the form once the current message is handled.
    void Release();

    TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons GetBorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value);
    TFormStyle GetFormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value);
    TPosition GetPosition() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    TWindowState GetWindowState() const;
    void SetWindowState(TWindowState Value);
    TWinControl* GetActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* Control);
    TModalResult GetModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    TMainMenu* GetMenu() const { return FMenu; }
    void SetMenu(TMainMenu* Value);
    TIcon* GetIcon() const { return FIcon.get(); }
    void SetIcon(TIcon* Value);
    TCanvas* GetCanvas() const { return FCanvas.get(); }
    bool GetActive() const { return FActive; }
    TFormState GetFormState() const { return FFormState; }
    TRect GetClientRect() override;

    // ---- multiple-document forms (FormMdi.cpp) ----
    // An fsMDIForm holds the system's MDI client window; its fsMDIChild forms
    // (children of the application's main form) live inside it.
    HWND GetClientHandle() const { return FClientHandle; }
    TCustomForm* GetActiveMDIChild() const;
    int GetMDIChildCount() const;
    TCustomForm* GetMDIChildren(int Index) const;
    // The part of the client area that aligned controls leave to the MDI client.
    TRect GetMDIClientRect();
    void Cascade();
    void Tile();
    void ArrangeIcons();
    void Next();
    void Previous();
    TTileMode TileMode = tbHorizontal;
    TMenuItem* GetWindowMenu() const { return FWindowMenu; }
    void SetWindowMenu(TMenuItem* Value);
    void DefaultHandler(void* Message) override;

    bool KeyPreview = false;
    bool AutoSize = false;
    bool Scaled = true;
    int PixelsPerInch = 96;
    bool DropTarget = false;
    std::string HelpFile;

    // Focus bookkeeping (called from the focus messages of the form's controls).
    bool SetFocusedControl(TWinControl* Control);
    void FocusControl(TWinControl* Control);
    void DefocusControl(TWinControl* Control, bool Removing);
    void SendCancelMode(TControl* Sender);
    // Shortcut keys: OnShortCut, then the main menu, then the form's action lists.
    virtual bool IsShortCut(TMessage& Message);
    // The main menu's handle changed (a menu item was added or changed).
    void MenuChanged();
    // Lets the actions of the form's controls and menu run their OnUpdate (when idle).
    void UpdateActions();

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void PaintWindow(HDC DC) override;
    virtual void Paint();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual void Activate();
    virtual void Deactivate();
    void SetWindowFocus();
    void SetActive(bool Value);

    void WMPaint(TMessage& Message) override;
    void WMCommand(TMessage& Message) override;
    virtual void WMActivate(TMessage& Message);
    virtual void WMClose(TMessage& Message);
    virtual void WMInitMenuPopup(TMessage& Message);
    virtual void WMSysCommand(TMessage& Message);
    virtual void CMActivate(TMessage& Message);
    virtual void CMDeactivate(TMessage& Message);
    virtual void CMRelease(TMessage& Message);
    void CMShowingChanged(TMessage& Message) override;
    void CMDialogKey(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;

    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
    TFormStyle FFormStyle = fsNormal;
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    TModalResult FModalResult = mrNone;
    TMainMenu* FMenu = nullptr;
    std::unique_ptr<TIcon> FIcon;
    std::unique_ptr<TControlCanvas> FCanvas;
    TFormState FFormState = 0;
    HWND FClientHandle = nullptr;
    TMenuItem* FWindowMenu = nullptr;
    bool FActive = false;
    bool FCreated = false;
    bool FDestroyDone = false;
    bool FPositioned = false;

    void AlignControls(TControl* AControl, TRect& Rect) override;
    void DestroyWindowHandle() override;

private:
    void MDIChildCreateParams(TCreateParams& Params);
    void CreateMDIClient();
    void PlaceMDIClient();
    void Init();
    void ApplyPosition();
    void UpdateMenu();
    void CloseModal();
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
    TForm(TComponent* AOwner, HWND ParentWindow) : TCustomForm(AOwner, ParentWindow) {}
};

// The form that holds a control, or null. The form itself is its own form.
TCustomForm* GetParentForm(TControl* Control);
