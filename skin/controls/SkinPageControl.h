// TspSkinPageControl: the system page control whose tab strip, frame and page
// background come from a "tab" skin element, with a hot tab that follows the
// mouse and a skinned scroller in place of the native one. It is not built on the
// skinned-control base, so it carries the skin protocol (SkinData, SkinDataName,
// a non-virtual ChangeSkinData) itself. Its pages are TspSkinTabSheet objects.
#pragma once
#include "AliveToken.h"
#include "TabControl.h"
#include "SkinControls.h"
#include "SkinTabs.h"
#include <memory>
#include <string>
#include "SkinDataLink.h"

class TspSkinData;
class TspSkinUpDown;
class TBitmap;
class TCanvas;
class TControlCanvas;

class TspSkinPageControl : public TPageControl {
public:
    explicit TspSkinPageControl(TComponent* AOwner);
    ~TspSkinPageControl() override;

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
    int HotTab() const { return FHotTab; }
    int HotPage() const { return FHotPage; }
    // The tab scroller; null while every tab fits.
    TspSkinUpDown* Scroller() const { return FUpDown; }
    // Hot tracking at a point of the control (what mouse moves do).
    void TestActive(int X, int Y);
    // Visible tabs that lie (partly) outside the strip, and those scrolled out to the left.
    int GetInVisibleItemCount();
    int GetPosition();
    void CheckScroll();

protected:
    void Change() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void WMPaint(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void WMScroll(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void PaintWindow(HDC DC) override;
    void PaintDefaultWindow(TCanvas* C);
    void PaintSkinWindow(TCanvas* C);
    void DrawTabs(TCanvas* C);
    void DrawTab(int PageIndex, const TRect& R, bool Active, bool MouseIn, TCanvas* C);
    void ShowSkinUpDown();
    void HideSkinUpDown();
    void PlaceSkinUpDown();
    void OnUpDownChange(TObject* Sender);
    void TabsChanged() override;

private:
    friend class TspSkinCustomTabSheet;
    using TTabSkin = Skintabs::TTabSkin;
    void AdjustDisplayRect(RECT& R);
    void CorrectItemRect(RECT& R);
    // Redraws the visible tab V (of page P) straight onto the window.
    void RedrawTab(int PageIndex, int V, bool MouseIn);
    int PageOfTab(int V) const;
    // Tabs in one row that may overflow, scrolled by our scroller.
    bool OneRow() const;
    // Shows, moves or drops the scroller after a resize or new tabs.
    void FollowTabRow();
    void ApplyItemHeight(int SkinnedHeight);

    TspSkinDataLink FSD{this};
    std::string FSkinDataName = "tab";
    int FIndex = -1;
    TTabSkin FSkin;
    TBitmap* FPicture = nullptr;
    int FHotPage = -1, FOldHotPage = -1, FHotTab = -1, FOldHotTab = -1;
    TspSkinUpDown* FUpDown = nullptr;   // owned as a component
    std::unique_ptr<TFont> FDefaultFont;
    int FDefaultItemHeight = 20;
    std::unique_ptr<TControlCanvas> FCanvas;
    // Events (OnChange, mouse events) may free the control: code after them checks it.
    TAliveToken FAlive;
};
