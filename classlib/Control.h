// TControl: the base of every control. A control has a parent, bounds, an
// alignment, a text, a font and a colour; it receives messages through
// WindowProc (replaceable), which calls WndProc, which calls Dispatch; Dispatch
// is a flat switch calling one named handler per message, and what no handler
// takes goes to DefaultHandler.
#pragma once
#include "BasicAction.h"
#include "Graphics.h"
#include "Messages.h"

class TWinControl;
class TPopupMenu;
class TCustomForm;
class TControlActionLink;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
typedef unsigned TAnchors;

enum TControlStyleFlag : unsigned {
    csAcceptsControls = 0x1, csCaptureMouse = 0x2, csDesignInteractive = 0x4, csClickEvents = 0x8,
    csFramed = 0x10, csSetCaption = 0x20, csOpaque = 0x40, csDoubleClicks = 0x80, csFixedWidth = 0x100,
    csFixedHeight = 0x200, csNoDesignVisible = 0x400, csReplicatable = 0x800, csNoStdEvents = 0x1000,
    csDisplayDragImage = 0x2000, csReflector = 0x4000, csActionClient = 0x8000, csMenuEvents = 0x10000,
    csParentBackground = 0x20000
};
typedef unsigned TControlStyle;

enum TControlStateFlag : unsigned {
    csLButtonDown = 0x1, csClicked = 0x2, csPalette = 0x4, csReadingState = 0x8, csAlignmentNeeded = 0x10,
    csFocusing = 0x20, csCreating = 0x40, csPaintCopy = 0x80, csCustomPaint = 0x100,
    csDestroyingHandle = 0x200, csDocking = 0x400
};
typedef unsigned TControlState;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
typedef unsigned TShiftState;
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
typedef TFormBorderStyle TBorderStyle;       // bsNone or bsSingle for controls

typedef short TCursor;
const TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
              crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crDrag = -12,
              crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crSQLWait = -17, crNo = -18,
              crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22;

typedef std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)> TMouseEvent;
typedef std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)> TMouseMoveEvent;
typedef std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)> TKeyEvent;
typedef std::function<void(TObject* Sender, char& Key)> TKeyPressEvent;
typedef std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)> TContextPopupEvent;

// Shift state from the key flags of a mouse message, from the keyboard state,
// and from the key data (lParam) of a key message.
TShiftState KeysToShiftState(WORD Keys);
TShiftState KeyboardStateToShiftState();
TShiftState KeyDataToShiftState(LPARAM KeyData);

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* GetParent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    bool HasParent() const { return FParent != nullptr; }

    int GetLeft() const { return FLeft; }
    void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    int GetTop() const { return FTop; }
    void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect GetBoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.left, R.top, R.Width(), R.Height()); }
    virtual TRect GetClientRect();
    int GetClientWidth() { return GetClientRect().Width(); }
    void SetClientWidth(int Value) { SetClientSize(Value, GetClientHeight()); }
    int GetClientHeight() { return GetClientRect().Height(); }
    void SetClientHeight(int Value) { SetClientSize(GetClientWidth(), Value); }
    virtual void SetClientSize(int AWidth, int AHeight);
    // Screen position of the client area's top-left corner.
    virtual TPoint GetClientOrigin();
    TPoint ClientToScreen(const TPoint& P) { TPoint o = GetClientOrigin(); return TPoint(P.x + o.x, P.y + o.y); }
    TPoint ScreenToClient(const TPoint& P) { TPoint o = GetClientOrigin(); return TPoint(P.x - o.x, P.y - o.y); }

    TAlign GetAlign() const { return FAlign; }
    void SetAlign(TAlign Value);
    TAnchors GetAnchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value);

    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, with every parent visible and the window on screen.
    virtual bool GetShowing() const;
    bool GetEnabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);
    // Enabled, and every parent enabled.
    bool IsEnabled() const;

    std::string GetText();
    void SetText(const std::string& Value);
    std::string GetCaption() { return GetText(); }
    void SetCaption(const std::string& Value) { SetText(Value); }

    TFont* GetFont() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    bool GetParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    bool GetParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    TControlStyle GetControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
    TControlState GetControlState() const { return FControlState; }
    void SetControlState(TControlState Value) { FControlState = Value; }

    std::string GetHint() const { return FHint; }
    void SetHint(const std::string& Value) { FHint = Value; }
    bool GetShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool GetParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);
    TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);
    TCursor GetCursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    TBasicAction* GetAction() const;
    void SetAction(TBasicAction* Value);
    TControlActionLink* GetActionLink() const { return FActionLink.get(); }
    bool GetMouseCapture() const;
    void SetMouseCapture(bool Value);

    // Painting: Invalidate asks for a paint, Update paints what is invalid now,
    // Repaint paints at once.
    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }

    LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
    // The message entry of the control; a component may put its own in its
    // place and call the saved one for what it does not take.
    TWndMethod WindowProc;
    virtual void WndProc(TMessage& Message);
    virtual void Dispatch(TMessage& Message);
    void DefaultHandler(void* Message) override;

    void BringToFront() { SetZOrder(true); }
    void SendToBack() { SetZOrder(false); }
    virtual void SetZOrder(bool TopMost);

    // Raises OnClick, or executes the control's action when it has one.
    virtual void Click();
    virtual void DblClick();
    // Updates the action the control follows (called when the application is idle).
    virtual void InitiateAction();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TContextPopupEvent OnContextPopup;

protected:
    friend class TWinControl;
    friend class TScrollingWinControl;
    friend class TCustomForm;
    friend class TControlActionLink;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }
    virtual void Resize();
    virtual void RequestAlign();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    virtual TControlActionLink* CreateActionLink();
    // Sets the bounds fields (the window, if any, is already there).
    void UpdateBoundsRect(const TRect& R);
    // Records where the control stands relative to its parent for its anchors.
    void UpdateAnchorRules();
    virtual void VisibleChanging() {}
    void InvalidateControl(bool IsVisible, bool IsOpaque);
    void SendCancelMode(TControl* Sender);

    // Message handlers (Dispatch calls them; each may call its inherited one).
    virtual void WMLButtonDown(TMessage& Message);
    virtual void WMLButtonUp(TMessage& Message);
    virtual void WMLButtonDblClk(TMessage& Message);
    virtual void WMRButtonDown(TMessage& Message);
    virtual void WMRButtonUp(TMessage& Message);
    virtual void WMRButtonDblClk(TMessage& Message);
    virtual void WMMButtonDown(TMessage& Message);
    virtual void WMMButtonUp(TMessage& Message);
    virtual void WMMButtonDblClk(TMessage& Message);
    virtual void WMMouseMove(TMessage& Message);
    virtual void WMCancelMode(TMessage& Message);
    virtual void WMWindowPosChanged(TMessage& Message);
    virtual void CMVisibleChanged(TMessage& Message);
    virtual void CMEnabledChanged(TMessage& Message);
    virtual void CMFontChanged(TMessage& Message);
    virtual void CMColorChanged(TMessage& Message);
    virtual void CMParentFontChanged(TMessage& Message);
    virtual void CMParentColorChanged(TMessage& Message);
    virtual void CMParentShowHintChanged(TMessage& Message);
    virtual void CMTextChanged(TMessage& Message);
    virtual void CMMouseEnter(TMessage& Message);
    virtual void CMMouseLeave(TMessage& Message);
    virtual void CMHitTest(TMessage& Message);
    virtual void CMCursorChanged(TMessage& Message);

    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors = akLeft | akTop;
    TPoint FAnchorRules;
    TPoint FOriginalParentSize;
    bool FAnchorMove = false;
    bool FVisible = true;
    bool FEnabled = true;
    std::string FText;
    std::unique_ptr<TFont> FFont;
    TColor FColor = clWindow;
    bool FParentFont = true;
    bool FParentColor = true;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TControlState FControlState = 0;
    std::string FHint;
    TPopupMenu* FPopupMenu = nullptr;
    TCursor FCursor = crDefault;
    std::unique_ptr<TControlActionLink> FActionLink;

private:
    void FontChanged(TObject* Sender);
    void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift);
    void DoMouseUp(TMessage& Message, TMouseButton Button);
};

// The link between a control and the action it follows: caption, enabled,
// hint, visible (and checked, where the control has a check) and the click.
class TControlActionLink : public TBasicActionLink {
public:
    explicit TControlActionLink(TControl* AClient) : TBasicActionLink(AClient), FControl(AClient) {}
    void SetCaption(const std::string& Value) override;
    void SetEnabled(bool Value) override;
    void SetHint(const std::string& Value) override;
    void SetVisible(bool Value) override;
    void SetChecked(bool Value) override;
protected:
    TControl* FControl;
};

// The capture and the control under the mouse, as the library tracks them.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// The control that last received CM_MOUSEENTER (null when the mouse is elsewhere).
TControl* GetMouseControl();
// Compares the control under the cursor with the last one and sends
// CM_MOUSELEAVE and CM_MOUSEENTER when it changed. While a control holds the
// mouse capture only that control hears of the mouse entering and leaving it.
void UpdateMouseControl();
// The windowed control of the library bound to a window (null for other windows).
TWinControl* FindControl(HWND Handle);
// The control at a screen point: the deepest windowed control, then its window-less child there.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);
// The form (top-level windowed control) that holds a control.
TCustomForm* GetParentForm(TControl* Control);
// The module whose window classes and window properties this copy of the library uses.
HINSTANCE ClasslibInstance();
