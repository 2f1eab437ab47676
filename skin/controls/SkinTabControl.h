// TspSkinTabControl: the system tab control (a row of tabs from its Tabs list,
// without pages) drawn from a "tab" skin element like the skinned page control,
// with the same hot tab and skinned scroller. Having no sheets, it paints the
// area under its tabs itself. It carries the skin protocol (SkinData,
// SkinDataName, a non-virtual ChangeSkinData) itself.
#pragma once
#include "AliveToken.h"
#include "SkinChangeWalk.h"
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

// It takes part in the form's re-skin walk through the skin-data client interface.
class TspSkinTabControl : public TTabControl, public TspSkinDataClient {
public:
    explicit TspSkinTabControl(TComponent* AOwner);
    ~TspSkinTabControl() override;

    void GetSkinData();
    // Applies the skin fetched; the re-skin walk calls it.
    void ChangeSkinData() override;
    TspSkinData* GetSkinDataComponent() const override { return FSD; }
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
    // The tab scroller; null while every tab fits.
    TspSkinUpDown* Scroller() const { return FUpDown; }
    // Hot tracking at a point of the control (what mouse moves do).
    void TestActive(int X, int Y);
    // Tabs that lie (partly) outside the strip, and those scrolled out to the left.
    int GetInVisibleItemCount();
    int GetPosition();
    void CheckScroll();

protected:
    void Change() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void WMPaint(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void WMScroll(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void PaintWindow(HDC DC) override;
    void PaintDefaultWindow(TCanvas* C);
    void PaintSkinWindow(TCanvas* C);
    void DrawTabs(TCanvas* C);
    void DrawTab(int TabIndex, const TRect& R, bool Active, bool MouseIn, TCanvas* C);
    void ShowSkinUpDown();
    void HideSkinUpDown();
    void PlaceSkinUpDown();
    void OnUpDownChange(TObject* Sender);
    void TabsChanged() override;

private:
    using TTabSkin = Skintabs::TTabSkin;
    void AdjustDisplayRect(RECT& R);
    void CorrectItemRect(RECT& R);
    void RedrawTab(int I, bool MouseIn);
    // The background picture the element names, or null.
    TBitmap* BackgroundPicture() const;
    bool OneRow() const;
    void FollowTabRow();
    void ApplyItemHeight(int SkinnedHeight);

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
};
