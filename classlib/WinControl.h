// TWinControl: a control with a window. The window is a cache of the object:
// the properties live in fields, the window is made from CreateParams when it
// is first needed (only CreateWnd calls CreateWindowEx), and it can be thrown
// away and made again (RecreateWnd) without losing the control's state.
// Children are laid out by alignment and anchors; window-less children are
// painted by this control after its own painting.
#pragma once
#include "Control.h"
#include <vector>

struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    HMENU Menu = nullptr;           // the child window's identifier, or a menu
    void* Param = nullptr;
    WNDCLASSA WindowClass = {};
    std::string WinClassName;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    HWND GetHandle();                       // creates the window when needed
    bool HandleAllocated() const { return FHandle != nullptr; }
    // The window if there is one; never creates it.
    HWND GetWindowHandle() const { return FHandle; }
    void HandleNeeded();
    // A window of another program or library to be the parent (a form hosted in a container).
    HWND GetParentWindow() const { return FParentWindow; }
    void SetParentWindow(HWND Value);
    // Throws the window away and makes it again (style changes); state is kept.
    void RecreateWnd();
    void DestroyHandle();

    int GetControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
    // Window-less controls first, then windowed ones, each in z-order from the bottom.
    TControl* GetControl(int Index) const;
    TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = false);
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    bool ContainsControl(TControl* Control) const;
    void Broadcast(TMessage& Message);
    void NotifyControls(UINT Msg);

    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();
    void Realign();
    bool AlignDisabled() const { return FAlignLevel > 0; }
    // The part of the client area that aligned children share (shrunk by borders).
    virtual void AdjustClientRect(TRect& Rect);
    int GetBorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);

    TRect GetClientRect() override;
    TPoint GetClientOrigin() override;
    void SetClientSize(int AWidth, int AHeight) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    bool GetShowing() const override;

    virtual bool CanFocus();
    bool Focused();
    virtual void SetFocus();
    int GetTabOrder() const;
    void SetTabOrder(int Value);
    bool GetTabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    void GetTabOrderList(std::vector<TWinControl*>& List);
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    void SelectFirst();

    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    // Paints the visible window-less children into DC (origin at this control's
    // client area), from First (or the bottom one) upwards.
    void PaintControls(HDC DC, TControl* First);
    // Paints the control and its children into DC at (X, Y).
    void PaintTo(HDC DC, int X, int Y);
    void PaintTo(TCanvas* Canvas, int X, int Y) { PaintTo(Canvas->GetHandle(), X, Y); }
    TBrush* GetBrush() const { return FBrush.get(); }
    bool DoubleBuffered = false;
    void SetZOrder(bool TopMost) override;

    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(void* Message) override;
    LRESULT MainWndProc(UINT Msg, WPARAM WParam, LPARAM LParam);

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    friend class TControl;
    friend class TCustomForm;
    friend class TScrollingWinControl;
    virtual void CreateParams(TCreateParams& Params);
    // Makes the window from CreateParams; the only caller of CreateWindowEx.
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& Params);
    // Saves what the window holds (text and the like) and destroys it.
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    virtual void CreateHandle();
    // Superclasses a system window class (EDIT, BUTTON, SysListView32, ...).
    void CreateSubClass(TCreateParams& Params, const char* ControlClassName);
    HWND PrecedingWindow(TWinControl* Control) const;
    void UpdateControlState();
    // Reads the window's bounds back into the fields.
    void UpdateBounds();

    void AlignControl(TControl* AControl);
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    virtual void CustomAlignPosition(TControl* Control, int& NewLeft, int& NewTop, int& NewWidth, int& NewHeight,
                                     TRect& AlignRect);
    virtual bool CustomAlignInsertBefore(TControl* C1, TControl* C2);

    virtual void PaintWindow(HDC DC);
    void PaintHandler(TMessage& Message);

    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyUp(WORD& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    bool DoKeyDown(TMessage& Message);
    bool DoKeyUp(TMessage& Message);
    bool DoKeyPress(TMessage& Message);
    virtual void DoEnter();
    virtual void DoExit();
    // Shortcut keys: the popup menus of this control and its parents, then the form's.
    bool IsMenuKey(TMessage& Message);

    // Message handlers.
    virtual void WMPaint(TMessage& Message);
    virtual void WMEraseBkgnd(TMessage& Message);
    virtual void WMSize(TMessage& Message);
    virtual void WMMove(TMessage& Message);
    void WMWindowPosChanged(TMessage& Message) override;
    virtual void WMCommand(TMessage& Message);
    virtual void WMNotify(TMessage& Message);
    virtual void WMCtlColor(TMessage& Message);
    virtual void WMDrawItem(TMessage& Message);
    virtual void WMMeasureItem(TMessage& Message);
    virtual void WMDeleteItem(TMessage& Message);
    virtual void WMCompareItem(TMessage& Message);
    virtual void WMScroll(TMessage& Message);
    virtual void WMSetFocus(TMessage& Message);
    virtual void WMKillFocus(TMessage& Message);
    virtual void WMKeyDown(TMessage& Message);
    virtual void WMKeyUp(TMessage& Message);
    virtual void WMChar(TMessage& Message);
    virtual void WMSysKeyDown(TMessage& Message);
    virtual void WMSysChar(TMessage& Message);
    virtual void WMSetCursor(TMessage& Message);
    virtual void WMContextMenu(TMessage& Message);
    virtual void WMMouseLeave(TMessage& Message);
    virtual void WMNCDestroy(TMessage& Message);
    virtual void WMDestroy(TMessage& Message);
    virtual void WMSetText(TMessage& Message);
    virtual void CNKeyDown(TMessage& Message);
    virtual void CNKeyUp(TMessage& Message);
    virtual void CNChar(TMessage& Message);
    virtual void CNSysKeyDown(TMessage& Message);
    virtual void CNSysChar(TMessage& Message);
    void CMVisibleChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    virtual void CMShowingChanged(TMessage& Message);
    virtual void CMDialogKey(TMessage& Message);
    virtual void CMDialogChar(TMessage& Message);
    virtual void CMFocusChanged(TMessage& Message);
    virtual void CMEnter(TMessage& Message);
    virtual void CMExit(TMessage& Message);
    virtual void CMRecreateWnd(TMessage& Message);
    virtual void CMChildKey(TMessage& Message);
    void CMCursorChanged(TMessage& Message) override;

    HWND FHandle = nullptr;
    WNDPROC FDefWndProc = nullptr;
    HWND FParentWindow = nullptr;
    std::vector<TControl*> FControls;        // window-less children, bottom first
    std::vector<TWinControl*> FWinControls;  // windowed children, bottom first
    std::vector<TWinControl*> FTabList;      // windowed children in tab order
    int FAlignLevel = 0;
    int FBorderWidth = 0;
    bool FTabStop = false;
    std::unique_ptr<TBrush> FBrush;

private:
    void Bind(HWND Wnd);
    void DoControlMsg(HWND Control, TMessage& Message, bool& Handled);
    bool IsControlMouseMsg(TMessage& Message);
    void Insert(TControl* AControl);
    void Remove(TControl* AControl);
    void UpdateTabOrder(int Value, TWinControl* Control);
    void DestroyChildren();
};
