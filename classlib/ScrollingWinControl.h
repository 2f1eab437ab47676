// TScrollingWinControl: a windowed container whose children may reach beyond
// its client area; with AutoScroll its scroll bars cover the children's extent.
// TScrollBox is the plain, framed one.
#pragma once
#include "WinControl.h"

enum TScrollBarKind { sbHorizontal, sbVertical };
class TScrollingWinControl;

class TControlScrollBar : public TPersistent {
public:
    TControlScrollBar(TScrollingWinControl* AControl, TScrollBarKind AKind) : FControl(AControl), FKind(AKind) {}
    TScrollBarKind GetKind() const { return FKind; }
    int GetRange() const { return FRange; }
    void SetRange(int Value);
    int GetPosition() const { return FPosition; }
    void SetPosition(int Value);
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    int Increment = 8;
    // Whether the bar is on screen now (visible, with a range beyond the client size).
    bool IsScrollBarVisible();
    void Update();
private:
    friend class TScrollingWinControl;
    int ClientSize();
    TScrollingWinControl* FControl;
    TScrollBarKind FKind;
    int FRange = 0;
    int FPosition = 0;
    bool FVisible = true;
};

class TScrollingWinControl : public TWinControl {
public:
    explicit TScrollingWinControl(TComponent* AOwner);
    ~TScrollingWinControl() override;
    bool GetAutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool Value);
    TControlScrollBar* GetHorzScrollBar() const { return FHorzScrollBar.get(); }
    TControlScrollBar* GetVertScrollBar() const { return FVertScrollBar.get(); }
    // Moves every child by (DeltaX, DeltaY) and scrolls the window's pixels with them.
    void ScrollBy(int DeltaX, int DeltaY);
    void ScrollInView(TControl* AControl);
protected:
    void CreateWnd() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void WMScroll(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void CalcAutoRange();
private:
    friend class TControlScrollBar;
    bool FAutoScroll = false;
    bool FUpdatingScrollBars = false;
    std::unique_ptr<TControlScrollBar> FHorzScrollBar;
    std::unique_ptr<TControlScrollBar> FVertScrollBar;
};

class TScrollBox : public TScrollingWinControl {
public:
    explicit TScrollBox(TComponent* AOwner);
    TBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
protected:
    void CreateParams(TCreateParams& Params) override;
private:
    TBorderStyle FBorderStyle = bsSingle;
};
