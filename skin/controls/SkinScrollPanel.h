// TspSkinScrollPanel: a skinned container whose children scroll sideways or up
// and down with two arrows in its non-client area that show only while the
// children reach past it. Its background comes from the skin's "panel" element
// and its arrows from "resizebutton", whatever its SkinDataName.
#pragma once
#include "SkinArrowScroller.h"
#include "SkinControl.h"

class TspDataSkinPanelControl;

enum TspScrollType { stHorizontal, stVertical };

class TspSkinScrollPanel : public TspSkinControl {
public:
    explicit TspSkinScrollPanel(TComponent* AOwner);
    ~TspSkinScrollPanel() override;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void AdjustClientRect(TRect& Rect) override;
    TRect GetClientRect() override;
    void Loaded() override;
    // Applies AutoSize to the current children.
    void UpDateSize();

    TspScrollType GetScrollType() const { return FScrollType; }
    void SetScrollType(TspScrollType Value);
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    bool GetHotScroll() const { return FScroller.HotScroll; }
    void SetHotScroll(bool Value) { FScroller.HotScroll = Value; }
    int GetScrollOffset() const { return FScroller.ScrollOffset; }
    // 0 or more; 0 steps by one client extent.
    void SetScrollOffset(int Value);
    int GetScrollTimerInterval() const { return FScroller.ScrollTimerInterval; }
    // Above 0.
    void SetScrollTimerInterval(int Value);

    TspArrowScroller& Scroller() { return FScroller; }
    int ScrollPosition() const { return FScroller.Position; }
    bool ArrowsVisible() const { return FScroller.ArrowsVisible(); }
    void GetScrollInfo() { FScroller.GetRange(); }
    void ButtonClick(int I) { FScroller.ButtonClick(I); }
    // The "panel" element in use, or null.
    const TspDataSkinPanelControl* PanelSkin() const { return FPanelSkin; }

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void WndProc(TMessage& Message) override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void CMMouseLeave(TMessage& Message) override;
    void WMNCCalcSize(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void WMSizeArrows(TMessage& Message);
    void WMTimer(TMessage& Message);

private:
    void FillFace(TBitmap* B);

    bool FAutoSize = false;
    int FHeightGrowth = 0, FWidthGrowth = 0;
    TspScrollType FScrollType = stHorizontal;
    TspArrowScroller FScroller;
    const TspDataSkinPanelControl* FPanelSkin = nullptr;
};
