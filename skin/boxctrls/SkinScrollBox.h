// TspSkinScrollBox: a container that scrolls its children with two skinned
// scroll bars placed beside it by its owner. It measures how far its visible
// children reach, shows a bar only while they do not fit, and moves them all when
// a bar moves. Its border is drawn in the non-client area from the "scrollbox"
// element (or as a one-pixel line without one) and its background is tiled from
// the element or from one of the skin's pictures.
#pragma once
#include "SkinControl.h"
#include "SkinScrollBar.h"
#include "SkinDataLink.h"

class TspSkinScrollBox : public TspSkinCustomControl {
public:
    explicit TspSkinScrollBox(TComponent* AOwner);
    ~TspSkinScrollBox() override;

    TspSkinScrollBar* GetVScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TspSkinScrollBar* Value);
    TspSkinScrollBar* GetHScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TspSkinScrollBar* Value);
    TspSkinBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TspSkinBorderStyle Value);

    // Called after the children changed: both bars follow their extent.
    void UpdateScrollRange();
    void GetVRange();
    void GetHRange();
    // Moves the content so that Pos is the first visible row (column); the bar
    // keeps its own bounds and the children follow it.
    void VScroll(int Pos);
    void HScroll(int Pos);
    // Every child moves up (left) by D pixels; a negative D moves them down (right).
    void VScrollControls(int D);
    void HScrollControls(int D);

    void SetSkinData(TspSkinData* Value) override;
    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void AdjustClientRect(TRect& Rect) override;
    void WndProc(TMessage& Message) override;

    // The picture of the skin's list the background is tiled from; -1 for the element's own tile.
    int BGPictureIndex() const { return FBGPictureIndex; }
    // The border widths the non-client frame takes (left, top, right, bottom).
    TRect FrameWidths();
    void PaintFrame(TCanvas* C);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    bool AcceptsRecord(const TspDataSkinControl* Rec) const override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CMVisibleChanged(TMessage& Message) override;

private:
    void WMNCCalcSize(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void WMWindowPosChanging(TMessage& Message);
    void WMSizeBox(TMessage& Message);
    void BindBar(TspComponentLink<TspSkinScrollBar>& Slot, TspSkinScrollBar* Value, bool Vertical);
    void OnVScrollBarChange(TObject* Sender);
    void OnHScrollBarChange(TObject* Sender);
    void OnScrollBarLastChange(TObject* Sender);
    void ScrollControls(int DX, int DY);
    // The element's geometry kept inside its own rectangle (a skin is untrusted).
    TRect SafeClientRect() const;
    void UpdateRange(bool Vertical);

    TspComponentLink<TspSkinScrollBar> FVScrollBar{this};
    TspComponentLink<TspSkinScrollBar> FHScrollBar{this};
    TspSkinBorderStyle FBorderStyle = TspSkinBorderStyle::bvFrame;
    bool FUpdatingBars = false;
    int FLastVPos = 0, FLastHPos = 0;
    int FHeightGrowth = 0, FWidthGrowth = 0;
    int FBGPictureIndex = -1;
};
