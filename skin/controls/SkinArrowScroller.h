// TspArrowScroller: the sideways (or up-and-down) scrolling that the tool bar and
// the scroll panel share. Two 12-pixel arrow buttons live in the host window's
// non-client area and show only while the children reach past the client area;
// pressing or (with HotScroll) resting on one moves every child by a step,
// repeated by timer 1 of the host window.
#pragma once
#include "Types.h"
#include "WinControl.h"
#include <functional>

class TBitmap;
class TCanvas;
class TspSkinData;
class TspDataSkinButtonControl;

class TspArrowScroller {
public:
    // Non-client hit codes of the two arrows (left or top, right or bottom).
    static constexpr int HTFirstArrow = 119, HTSecondArrow = 120;
    static constexpr int ArrowSize = 12;
    static constexpr UINT_PTR TimerId = 1;

    struct TArrow {
        TRect R;   // window coordinates
        bool MouseIn = false, Down = false, Visible = false;
    };

    TspArrowScroller(TWinControl* Host, bool Vertical);

    bool Vertical() const { return FVertical; }
    void SetVertical(bool Value) { FVertical = Value; }
    // The up-and-down rules also clear the growth after either branch of the
    // overflow case and the shown position when everything fits.
    bool VerticalRules = false;

    bool HotScroll = false;
    int ScrollOffset = 0;          // pixels per step; 0 = one client extent
    int ScrollTimerInterval = 50;  // repeat period in milliseconds

    int TimerAction = 0;    // 0 none, 1 towards the start, 2 towards the end
    int RangeEnd = 0;       // content extent as position + farthest child edge - 1
    int Position = 0;       // pixels scrolled
    int ClientExtent = 0;   // client extent at the last range computation
    int ShownPosition = 0;  // the position the children stand at
    int Growth = 0;         // how much the last bounds change enlarged the host
    TArrow Buttons[2];

    bool ArrowsVisible() const { return Buttons[0].Visible; }
    // The "resizebutton" element of Data (null when absent or not wanted).
    void FetchArrowSkin(TspSkinData* Data, bool Wanted);
    // The host's skin fetch, run before every paint of the arrows: the element
    // found by an earlier fetch may belong to a skin that has gone since.
    std::function<void()> FetchSkin;
    const TspDataSkinButtonControl* ArrowSkin() const { return FArrowSkin; }

    // Client extent along the scrolling direction, and the farthest edge of the
    // visible children (0 without any).
    int ClientSize();
    int ContentEnd();

    // Range computation (GetHRange / GetVRange).
    void GetRange();
    void SetButtonsVisible(bool Value);
    // Moves every child by Delta along the direction, then re-aligns them.
    void MoveChildren(int Delta);
    void ButtonDown(int I);
    void ButtonUp(int I);
    void ButtonClick(int I);
    void StartTimer();
    void StopTimer();
    void TimerTick();
    // Hides the arrows and forgets the range (a change of direction).
    void Reset();

    // The arrows' rectangles from the window's size.
    void PlaceArrows();
    // Paints the visible arrows into the window's non-client area.
    void PaintArrows();
    void DrawButton(TCanvas* C, int I);

    // Message pieces; each returns whether it answered the message.
    bool HitTest(TMessage& Message);
    void CalcSize(TMessage& Message);
    void NCMouseMove(int HitCode);
    void NCButtonDown(int HitCode);
    void NCButtonUp(int HitCode);
    void ClientMouseMove();
    void MouseLeave();

    // The children's alignment rectangle while scrolled: from -position, as long
    // as the content or the client area.
    TRect ScrolledRect(const TRect& Client);

private:
    void LeaveArrows();
    TWinControl* FHost;
    bool FVertical;
    bool FInRange = false;
    const TspDataSkinButtonControl* FArrowSkin = nullptr;
    TBitmap* FArrowPicture = nullptr;
};
