// TspSkinUpDown: two arrow buttons that step an integer position, repeating while
// a button is held. The page and tab controls use one as their tab scroller.
#pragma once
#include "SkinControl.h"
#include "SkinLooks.h"
#include "Timer.h"

enum TUDOrientation { udHorizontal, udVertical };

class TspSkinUpDown : public TspSkinCustomControl {
public:
    explicit TspSkinUpDown(TComponent* AOwner);
    ~TspSkinUpDown() override;

    void GetSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TUDOrientation GetOrientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation Value);
    int GetPosition() const { return FPosition; }
    void SetPosition(int Value);
    int GetMin() const { return FMin; }
    void SetMin(int Value);
    int GetMax() const { return FMax; }
    void SetMax(int Value);
    int Increment = 1;
    // Button 0 steps up, button 1 down; their areas in the control.
    TRect ButtonRect(int I) const { return FButtons[I].R; }
    bool ButtonHot(int I) const { return FButtons[I].Hot; }
    bool Repeating() const { return FTimer != nullptr; }

    TNotifyEvent OnChange, OnUpButtonClick, OnDownButtonClick;

protected:
    struct TButtonState {
        TRect R;
        bool Hot = false, Pressed = false;
    };
    bool AcceptsRecord(const TspDataSkinControl* Rec) const override;
    void CreateControlSkinImage(TBitmap* B) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void CalcRects();
    void DrawButton(TCanvas* C, int I);
    void TestActive(int X, int Y);
    void ButtonDown(int I);
    void ButtonUp(int I);
    void ButtonEnter(int I);
    void ButtonLeave(int I);
    void StartTimer(UINT Interval);
    void StopTimer();
    void TimerTick();

    TButtonState FButtons[2];
    int FOldActive = -1, FActive = -1, FCaptured = -1;
    int FRepeatDirection = 0;   // 0 none, 1 decrease, 2 increase
    bool FFirstTick = false;
    TUDOrientation FOrientation = udHorizontal;
    int FPosition = 0, FMin = 0, FMax = 100;
    TspStateLooks FLooks[2];   // by button, then state
    std::unique_ptr<TTimer> FTimer;
};
