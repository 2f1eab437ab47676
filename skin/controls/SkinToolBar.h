// TspSkinToolBar: a skinned panel that holds a row of speed buttons and bevels and
// the image lists the buttons draw from when they have no glyph of their own:
// Images, HotImages (hovered or pressed) and DisabledImages (drawn as they are,
// undimmed). It passes its skin, its flat look and its captions setting on to its
// children, and with CanScroll shows an arrow at each end (in the non-client area)
// while the children reach past it, with which the row scrolls sideways.
#pragma once
#include "ImgList.h"
#include "SkinArrowScroller.h"
#include "SkinPanel.h"

class TspSkinToolBar : public TspSkinPanel {
public:
    explicit TspSkinToolBar(TComponent* AOwner);
    ~TspSkinToolBar() override;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetSkinData(TspSkinData* Value) override;
    void SetSkinDataName(const std::string& Value) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void AdjustClientRect(TRect& Rect) override;
    TRect GetClientRect() override;

    TCustomImageList* GetImages() const { return FImages; }
    // Repaints the buttons, which show the new list at once.
    void SetImages(TCustomImageList* Value);
    TCustomImageList* GetHotImages() const { return FHotImages; }
    void SetHotImages(TCustomImageList* Value);
    TCustomImageList* GetDisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(TCustomImageList* Value);
    bool GetFlat() const { return FFlat; }
    void SetFlat(bool Value);
    bool GetShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool Value);
    bool AutoShowHideCaptions = false;
    int WidthWithCaptions = 0, WidthWithoutCaptions = 0;

    bool GetCanScroll() const { return FCanScroll; }
    void SetCanScroll(bool Value);
    bool GetHotScroll() const { return FScroller.HotScroll; }
    void SetHotScroll(bool Value) { FScroller.HotScroll = Value; }
    int GetScrollOffset() const { return FScroller.ScrollOffset; }
    // 0 or more; 0 steps by one client width.
    void SetScrollOffset(int Value);
    int GetScrollTimerInterval() const { return FScroller.ScrollTimerInterval; }
    // Above 0.
    void SetScrollTimerInterval(int Value);

    // Scrolling state, for those that draw or test it.
    TspArrowScroller& Scroller() { return FScroller; }
    int ScrollPosition() const { return FScroller.Position; }
    bool ArrowsVisible() const { return FScroller.ArrowsVisible(); }
    void GetScrollInfo() { FScroller.GetRange(); }
    void ButtonClick(int I) { FScroller.ButtonClick(I); }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void WndProc(TMessage& Message) override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void CMMouseLeave(TMessage& Message) override;
    // Keeps one non-owning reference to a list, with removal notification.
    void Hold(TCustomImageList*& Field, TCustomImageList* Value);
    void RepaintButtons();
    void WMNCCalcSize(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void WMSizeArrows(TMessage& Message);
    void WMTimer(TMessage& Message);

    TCustomImageList* FImages = nullptr;
    TCustomImageList* FHotImages = nullptr;
    TCustomImageList* FDisabledImages = nullptr;
    bool FFlat = false;
    bool FShowCaptions = false;
    bool FCanScroll = false;
    TspArrowScroller FScroller;
};
