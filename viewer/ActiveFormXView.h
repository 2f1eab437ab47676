// The visual half of the viewer control's form, as the control's logic
// (TActiveFormX) and its COM object see it: the form's window and standard
// properties, its named parts, the chat box and input line, the video panel's
// places, the pop-out window and the start timer. The class library's form
// implements it; CreateActiveFormXView is the one place that makes it.
#pragma once
#include <windows.h>
#include <functional>
#include <memory>
#include <string>

class TStrings;
class CMpeg4Panel;

// The form's components that the logic places and paints.
enum TFormPart {
    fpImageSend, fpImageVideo, fpImageAudio, fpImageCall, fpImagePopup,          // buttons, ImageList1
    fpImageVideoStatus, fpImageAudioStatus, fpImageCallStatus, fpImagePopupStatus, // lamps, ImageList2
    fpImageOnLine,                                                               // ImageList3
    fpChatView, fpInputMessage,
    fpPartCount
};

// Standard properties of the form that the COM surface exposes.
enum TFormProp {
    fpVisible, fpAutoScroll, fpAutoSize, fpAxBorderStyle, fpBorderWidth, fpColor, fpKeyPreview,
    fpPixelsPerInch, fpPrintScale, fpScaled, fpActive, fpDropTarget, fpDoubleBuffered, fpAlignDisabled,
    fpVisibleDockClientCount, fpEnabled,
    fpPropCount
};
enum TFormTextProp { fpCaption, fpHelpFile };

// The form's events that the COM object forwards to its event sinks.
struct TFormEvents {
    std::function<void()> OnActivate, OnClick, OnCreate, OnDblClick, OnDeactivate, OnDestroy, OnPaint, OnMouseMove;
    std::function<void(short& Key)> OnKeyPress;
};

// What the view tells the logic (button clicks and the timer).
struct TFormActions {
    std::function<void()> Timer1Timer;
    std::function<void(TFormPart Button)> ButtonClick;       // the five buttons
    std::function<void(TFormPart Button, bool Down)> ButtonMouse;
    std::function<void()> PopupFormClose;                    // the pop-out window's close box
};

class IActiveFormXView {
public:
    virtual ~IActiveFormXView() = default;

    // The form's window: a child of Parent (the host's window, or a parking
    // window until the control is activated in place).
    virtual HWND Handle() = 0;
    virtual void SetParentWindow(HWND Parent) = 0;
    virtual void SetBounds(int Left, int Top, int Width, int Height) = 0;
    virtual void SetSize(int Width, int Height) = 0;
    virtual int Width() = 0;
    virtual int Height() = 0;
    // Draws the form into DC within Bounds (a host's snapshot).
    virtual void PaintTo(HDC DC, const RECT& Bounds) = 0;

    virtual int GetProp(TFormProp Prop) = 0;
    virtual void SetProp(TFormProp Prop, int Value) = 0;
    virtual std::string GetText(TFormTextProp Prop) = 0;
    virtual void SetText(TFormTextProp Prop, const std::string& Value) = 0;
    virtual void GetFont(LOGFONTA& Font) = 0;
    virtual void SetFont(const LOGFONTA& Font) = 0;

    virtual void SetPartBounds(TFormPart Part, int Left, int Top, int Width, int Height) = 0;
    virtual void MovePart(TFormPart Part, int Left, int Top) = 0;
    virtual RECT PartBounds(TFormPart Part) = 0;
    // Shows picture Index of the part's image list and repaints the part.
    virtual void SetPicture(TFormPart Part, int Index) = 0;
    virtual int Picture(TFormPart Part) = 0;   // -1 while it has none

    // The chat box's lines (lines are added on the form's own thread only).
    virtual TStrings* ChatLines() = 0;
    virtual std::string InputText() = 0;
    virtual void SetInputText(const std::string& Text) = 0;
    virtual void FocusInput() = 0;

    // The video panel: into the form or into the pop-out window at the given
    // place (ClientAlign: it fills the window), and out of either again.
    virtual void InsertPanel(CMpeg4Panel* Panel, bool InPopup, int Left, int Top, int Width, int Height,
                             bool ClientAlign) = 0;
    virtual void RemovePanel(CMpeg4Panel* Panel) = 0;

    // The pop-out window: a plain window centred on the desktop.
    virtual void OpenPopup(const std::string& Caption, int Width, int Height) = 0;
    virtual void ClosePopup() = 0;
    virtual bool PopupOpen() = 0;

    virtual void StartTimer(UINT Interval) = 0;
    virtual void StopTimer() = 0;
    virtual bool TimerEnabled() = 0;
    // A message box over the form; returns when it is closed.
    virtual void ShowMessage(const std::string& Text) = 0;

    TFormEvents Events;
    TFormActions Actions;
};

// Makes the form as a child of Parent.
std::unique_ptr<IActiveFormXView> CreateActiveFormXView(HWND Parent);
