// THintWindow: the small topmost window in which the application shows a
// control's hint text. It never takes activation nor the mouse (clicks fall
// through to what lies under it). The application creates it through its
// HintWindowClass, so a program may put a window of its own kind in its place.
#pragma once
#include "CustomControl.h"
#include <functional>

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);

    // Shows AHint in Rect (screen coordinates), topmost, without activation.
    virtual void ActivateHint(const TRect& Rect, const std::string& AHint);
    // The rectangle at (0, 0) that AHint needs, lines broken to fit MaxWidth.
    virtual TRect CalcHintRect(int MaxWidth, const std::string& AHint);
    // Hides the window (the next hint shows it again).
    virtual void ReleaseHandle();
    // True when the message ends a shown hint (a press or a key).
    virtual bool IsHintMsg(const MSG& Msg);
    // Shown on screen now.
    bool GetActive() const;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    virtual void WMNCHitTest(TMessage& Message);
    virtual void WMMouseActivate(TMessage& Message);
};

// Makes the hint window the application uses; assign a maker of a derived
// window to change the look of every hint.
typedef std::function<THintWindow*(TComponent* AOwner)> THintWindowClass;
template <class T> THintWindowClass HintWindowClassOf()
{
    return [](TComponent* AOwner) -> THintWindow* { return new T(AOwner); };
}

// What the application decided for one hint; a control may change it on
// CM_HINTSHOW (LParam points at it), the program in Application->OnShowHint.
struct THintInfo {
    TControl* HintControl = nullptr;
    int HintMaxWidth = 0;
    TColor HintColor = 0;
    TPoint HintPos;            // screen point of the hint's top-left corner
    TRect CursorRect;          // the hint stays while the cursor is inside (control coordinates)
    TPoint CursorPos;          // control coordinates
    int HideTimeout = 0;       // ms; 0 or less: until the mouse leaves
    std::string HintStr;
};
typedef std::function<void(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)> TShowHintEvent;

// The part of a hint before a '|' (the short hint) and after it (the long one).
std::string GetShortHint(const std::string& Hint);
std::string GetLongHint(const std::string& Hint);

// Scan lines from the current cursor's hot spot down to the lowest line of its
// visible part, so a hint placed that much below the hot spot clears the cursor.
int GetCursorHeightMargin();
// The same for a given cursor; the system cursor height when it cannot be read.
int CursorHeightMargin(HCURSOR Cursor);
