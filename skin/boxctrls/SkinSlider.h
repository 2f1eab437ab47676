// TspSkinCustomSlider / TspSkinSlider: a thumb on a ruler, horizontal or vertical,
// with optional tick points. Ruler and thumb come from four pictures of the
// control (drawn here by default, replaceable) or from the skin's "slider"
// element. The value changes by dragging the thumb, by pressing on the ruler
// beside it (one step at once, then one per timer tick) and by keys.
#pragma once
#include "SkinControl.h"
#include <memory>

enum TspSliderImage { siHThumb, siHRuler, siVThumb, siVRuler };
enum TspSliderOrientation { soHorizontal, soVertical };
enum TspJumpMode { jmNone, jmHome, jmEnd, jmNext, jmPrior };
enum TspSliderOption { soShowFocus = 1, soShowPoints = 2, soSmooth = 4, soRulerOpaque = 8, soThumbOpaque = 16 };
using TspSliderOptions = unsigned;

class TspSkinCustomSlider : public TspSkinControl {
public:
    explicit TspSkinCustomSlider(TComponent* AOwner);
    ~TspSkinCustomSlider() override;

    void GetSkinData() override;
    void ChangeSkinData() override { AdjustElements(); }
    void WndProc(TMessage& Message) override;

    int GetValue() const { return FValue; }
    void SetValue(int V);
    int GetMinValue() const { return FMinValue; }
    void SetMinValue(int V);
    int GetMaxValue() const { return FMaxValue; }
    void SetMaxValue(int V);
    // False when refused (Min >= Max).
    bool SetRange(int Min, int Max);
    int GetIncrement() const { return FIncrement; }
    void SetIncrement(int N);
    TspSliderOrientation GetOrientation() const { return FOrientation; }
    void SetOrientation(TspSliderOrientation O);
    int GetEdgeSize() const { return FEdgeSize; }
    void SetEdgeSize(int N);
    int GetNumThumbStates() const { return FNumThumbStates; }
    void SetNumThumbStates(int N);
    TspSliderOptions GetOptions() const { return FOptions; }
    void SetOptions(TspSliderOptions O);
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool T);
    bool GetReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Flag);
    bool GetUseSkinThumb() const { return FUseSkinThumb; }
    void SetUseSkinThumb(bool V);
    TBitmap* GetImage(TspSliderImage Index) const { return FImages[Index].get(); }
    // A copy of Bitmap replaces the picture; null restores the built-in one.
    void SetImage(TspSliderImage Index, TBitmap* Bitmap);
    bool StoreImage(TspSliderImage Index) const { return (FUserImages >> Index) & 1; }

    void ThumbJump(TspJumpMode Mode);
    TspJumpMode JumpTo(int X, int Y) const;
    int GetOffsetByValue(int V) const;
    int GetValueByOffset(int Off) const;
    int GetThumbOffset() const { return Horizontal() ? FThumbRect.left : FThumbRect.top; }
    int RulerLength() const;
    TRect ThumbRect() const { return FThumbRect; }
    TRect RulerRect() const;
    TRect PointsRect() const { return FPointsRect; }
    bool RulerTracking() const { return FRulerTracking; }
    bool TimerRunning() const { return FTimerRunning; }
    bool ThumbDragging() const { return FThumbDown; }
    // The values of the tick points as drawn.
    std::vector<int> PointValues() const;

    TNotifyEvent OnChange, OnChanged, OnDrawPoints;

protected:
    virtual bool CanModify() { return true; }
    virtual TRect GetSliderRect() const { return TRect(0, 0, GetWidth(), GetHeight()); }
    virtual void Sized() { AdjustElements(); }
    virtual void RangeChanged() {}
    virtual void ThumbMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void ThumbMouseMove(TShiftState Shift, int X, int Y);
    virtual void ThumbMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void DefaultDrawPoints(TCanvas* C, int Step, int Length, int ExtremeLength);
    virtual void Change();
    virtual void Changed();

    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void WMMove(TMessage& Message) override;
    void Loaded() override;
    void DestroyWnd() override;

    bool Horizontal() const { return FOrientation == soHorizontal; }
    bool SkinThumb() const;
    int ThumbHeight() const;   // across the ruler for horizontal, along for vertical
    void AdjustElements();
    void BuildRuler();
    void SetThumbOffset(int Off);
    void GetThumbPosition(int& Off, TPoint& P) const;
    void TimerTrack();
    void StopTracking();
    void CreateDefaultImage(TspSliderImage Index);
    bool UserCanChange() { return !FReadOnly && CanModify(); }

    int FValue = 0, FMinValue = 0, FMaxValue = 100, FIncrement = 10, FNumThumbStates = 2, FEdgeSize = 2;
    TspSliderOrientation FOrientation = soHorizontal;
    TspSliderOptions FOptions = soShowFocus | soShowPoints | soSmooth;
    bool FTransparent = false, FReadOnly = false, FUseSkinThumb = true;
    std::unique_ptr<TBitmap> FImages[4];
    unsigned FUserImages = 0;
    std::unique_ptr<TBitmap> FRuler;
    TPoint FRulerPos;
    TRect FThumbRect, FPointsRect;
    bool FFocused = false, FThumbDown = false, FThumbPressed = false, FRulerTracking = false, FTimerRunning = false;
    int FHit = 0;
    TPoint FMousePos;
    TspJumpMode FTrackDir = jmNone;
    bool FConstructing = true;

    // Skin values.
    TBitmap* FSkinPicture = nullptr;
    TRect FHRulerRect, FHThumbRect, FVRulerRect, FVThumbRect;
    int FSkinEdgeSize = 0;
    TColor FBGColor = 0, FPointsColor = 0;
};

class TspSkinSlider : public TspSkinCustomSlider {
public:
    using TspSkinCustomSlider::TspSkinCustomSlider;
};
