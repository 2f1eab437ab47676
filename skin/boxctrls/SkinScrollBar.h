// TspSkinScrollBar: a scroll bar that is a control of its own. Lists, memos and
// views hide their native bars and drive one or two of these beside their content
// (range, page and position in; OnChange and friends out). Drawn from a scroll-bar
// element of the skin, or in a plain look without one.
#pragma once
#include "ScrollingWinControl.h"
#include "SkinControl.h"
#include "SkinControls.h"

class TspSkinScrollBar : public TspSkinCustomControl {
public:
    explicit TspSkinScrollBar(TComponent* AOwner);
    ~TspSkinScrollBar() override;

    void GetSkinData() override;
    void CalcSize(int& W, int& H) override;
    void WndProc(TMessage& Message) override;

    TScrollBarKind GetKind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    int GetMin() const { return FMin; }
    void SetMin(int Value);
    int GetMax() const { return FMax; }
    void SetMax(int Value);
    int GetPosition() const { return FPosition; }
    void SetPosition(int Value);
    // The same clamping without OnChange (the content moved the bar, not the user).
    void SimplySetPosition(int Value);
    void SetRange(int AMin, int AMax, int APosition, int APageSize);
    int GetPageSize() const { return FPageSize; }
    void SetPageSize(int Value);
    int GetSmallChange() const { return FSmallChange; }
    void SetSmallChange(int Value);
    int GetLargeChange() const { return FLargeChange; }
    void SetLargeChange(int Value);
    bool GetBoth() const { return FBoth; }
    void SetBoth(bool Value);
    int GetBothMarkerWidth() const { return FBothMarkerWidth; }
    void SetBothMarkerWidth(int Value);
    const std::string& GetBothSkinDataName() const { return FBothSkinDataName; }
    void SetBothSkinDataName(const std::string& Value) { FBothSkinDataName = Value; }
    bool GetCanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool IsFocused();

    // Layout as last computed, by TspScrollBarPart: the thumb, the up button
    // (towards Max), the down button (towards Min).
    TRect ButtonRect(int Index) const { return FButtons[Index].R; }
    bool ButtonHot(int Index) const { return FButtons[Index].Hot; }
    bool ButtonPressed(int Index) const { return FButtons[Index].Pressed; }
    TRect TrackRect() const { return FTrack; }
    void CalcRects();
    // Interval of the running repeat timer in ms; 0 when none runs.
    UINT RepeatInterval() const { return FTimerInterval; }
    bool Dragging() const { return FDragging; }

    TNotifyEvent OnChange, OnLastChange;
    TNotifyEvent OnUpButtonClick, OnDownButtonClick;
    TNotifyEvent OnPageUp, OnPageDown;

protected:
    struct TButtonState {
        TRect R;
        bool Hot = false, Pressed = false;
    };
    bool AcceptsRecord(const TspDataSkinControl* Rec) const override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void DestroyWnd() override;

    void DrawButton(TCanvas* C, TspScrollBarPart Part);
    void TestActive(int X, int Y);
    void ButtonDown(int Index, int X, int Y);
    void ButtonUp(int Index, int X, int Y);
    void ButtonEnter(int Index);
    void ButtonLeave(int Index);
    int CalcValue(int Offset);
    void WMTimer(TMessage& Message);
    void WMMouseWheel(TMessage& Message);
    void StartTimer(UINT Interval);
    void StartScroll();
    void StopTimer();
    // The value Position takes when Value is asked for: never below Min, never past
    // the last page.
    int ClampPosition(int Value) const;
    void StepUp();
    void StepDown();

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0, FMax = 100, FPosition = 0, FSmallChange = 1, FLargeChange = 1, FPageSize = 0;
    bool FBoth = false;
    int FBothMarkerWidth = 0;
    std::string FBothSkinDataName = "bothhscrollbar";
    std::string FOldSkinDataName;
    bool FCanFocused = false;

    TButtonState FButtons[ScrollBarPartCount];
    TRect FTrack;
    int FFirst = 0, FLast = 0, FThumbOffset = 0;
    int FActive = -1, FOldActive = -1, FPressed = -1;
    bool FDragging = false;
    int FDragStart = 0, FDragOffset = 0, FDragPosition = 0;
    int FRepeat = 0;   // 0 none, 1 down button, 2 up button, 3 page towards Min, 4 page towards Max
    bool FFirstTick = false, FMouseDown = false;
    TPoint FLastPoint;
    UINT FTimerInterval = 0;
    bool FTakingFocus = false;

    TRect FTrackArea;
    std::array<TspStateLooks, ScrollBarPartCount> FLooks;   // [part][state]
    TspStateLooks FGlyphLooks;
    int FThumbOffset1 = 0, FThumbOffset2 = 0;
};
