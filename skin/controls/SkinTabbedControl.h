// TspSkinTabbedControl: what the skinned page control and the skinned tab control
// share, over either system control: the "tab" element read through the skin
// protocol (SkinData, SkinDataName, a non-virtual ChangeSkinData), the display
// and item rectangles moved to the skin's frame, the double-buffered paint of
// frame and tabs, the hot tab that follows the mouse, and the skinned scroller of
// a single row of tabs in place of the native one. The two controls say how
// their visible tabs map to pages or captions, and what differs in their looks.
#pragma once
#include "AliveToken.h"
#include "SkinControls.h"
#include "SkinTabs.h"
#include "TabControl.h"
#include <memory>
#include <string>
#include "SkinDataLink.h"

class TspSkinData;
class TspSkinUpDown;
class TBitmap;
class TCanvas;
class TControlCanvas;

template <class TBase>
class TspSkinTabbedControl : public TBase {
public:
    explicit TspSkinTabbedControl(TComponent* AOwner);
    ~TspSkinTabbedControl() override;

    void GetSkinData();
    // Applies the skin fetched; the re-skin walk calls it.
    void ChangeSkinData();
    TspSkinData* GetSkinDataComponent() const { return FSD; }
    void SetSkinData(TspSkinData* Value);
    const std::string& GetSkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    int GetDefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(int Value);
    bool UseSkinFont = true;
    void UpDateTabs();
    void Loaded() override;

    bool Skinned() const { return FIndex != -1; }
    // The visible tab under the mouse, -1 for none.
    int HotTab() const { return FHotTab; }
    // The tab scroller; null while every tab fits.
    TspSkinUpDown* Scroller() const { return FUpDown; }
    // Hot tracking at a point of the control (what mouse moves do).
    virtual void TestActive(int X, int Y);
    // Visible tabs that lie (partly) outside the strip, and those scrolled out to the left.
    int GetInVisibleItemCount();
    int GetPosition();
    void CheckScroll();

protected:
    using TTabSkin = Skintabs::TTabSkin;

    // ---- what the two controls answer ----
    // The number of visible tabs.
    virtual int VisibleTabCount() const = 0;
    // Text and image of the visible tab V; false when there is no such tab.
    virtual bool DescribeTab(int V, Skintabs::TTabLook& L) = 0;
    // The tab scroller's size.
    virtual TSize ScrollerSize() const = 0;
    // The frame's widths around the display rectangle (left, top, right, bottom).
    virtual TRect FrameBorders() const;
    // The native control's own answer to a change of the selection.
    virtual void NativeChange() { TBase::Change(); }
    // What a new skin repaints once the control has taken it.
    virtual void SkinApplied() = 0;

    void Change() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void WMPaint(TMessage& Message) override;
    void WMScroll(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void PaintWindow(HDC DC) override;
    void PaintDefaultWindow(TCanvas* C);
    virtual void PaintSkinWindow(TCanvas* C);
    // The face colour over the whole control (the buffer is not cleared).
    void FillFace(TCanvas* C);
    // The strip behind the tabs (the skin's tiles, when it has them) and the
    // frame's ring at F.
    void PaintStripAndFrame(TCanvas* C, const TRect& F);
    void DrawTabs(TCanvas* C);
    void DrawTab(int V, const TRect& R, bool Active, bool MouseIn, TCanvas* C);
    // Redraws the visible tab V straight onto the window.
    void RedrawTab(int V, bool MouseIn);
    void ShowSkinUpDown();
    void HideSkinUpDown();
    void PlaceSkinUpDown();
    // Rebuilds a scroller shown, so that it wears the new skin's scroller element.
    void RebuildSkinUpDown();
    void OnUpDownChange(TObject* Sender);
    void TabsChanged() override;
    // Tabs in one row that may overflow, scrolled by our scroller.
    bool OneRow() const;
    // Shows, moves or drops the scroller after a resize or new tabs.
    void FollowTabRow();

    TspSkinDataLink FSD{this};
    std::string FSkinDataName = "tab";
    int FIndex = -1;
    TTabSkin FSkin;
    TBitmap* FPicture = nullptr;
    int FHotTab = -1, FOldHotTab = -1;
    TspSkinUpDown* FUpDown = nullptr;   // owned as a component
    std::unique_ptr<TFont> FDefaultFont;
    int FDefaultItemHeight = 20;
    std::unique_ptr<TControlCanvas> FCanvas;
    // Events (OnChange, mouse events) may free the control: code after them checks it.
    TAliveToken FAlive;
    // The skin's font colour stays with the control's own font too (UseSkinFont off).
    bool FSkinColourOnOwnFont = true;
    // The row follows resizes and new tabs at design time too.
    bool FFollowRowWhileDesigning = false;

private:
    void AdjustDisplayRect(RECT& R);
    void CorrectItemRect(RECT& R);
    void ApplyItemHeight(int SkinnedHeight);
    // Change, then the realign while the control lives on.
    void ChangeAndRealign();
};

extern template class TspSkinTabbedControl<TPageControl>;
extern template class TspSkinTabbedControl<TTabControl>;
