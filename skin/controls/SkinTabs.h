// TspSkinPageControl: the native page control whose tab strip, frame and page
// background come from a "tab" skin element, with a hot tab following the mouse.
// TspSkinTabSheet: its pages, painting their background from the same element.
// The control is not built on the skinned-control base, so it carries the skin
// protocol (SkinData, SkinDataName, ChangeSkinData) itself.
#pragma once
#include "TabControl.h"
#include "SkinControls.h"
#include <memory>
#include <string>

class TspSkinData;
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
    // The tab record in use (null when unskinned); valid until the next fetch.
    const TspDataSkinTabControl* SkinRecord() const { return FRec; }
    // Hot tracking at a point of the control (what mouse moves do).
    void TestActive(int X, int Y);

protected:
    void Change() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void WMPaint(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void PaintWindow(HDC DC) override;
    void PaintDefaultWindow(TCanvas* C);
    void PaintSkinWindow(TCanvas* C);
    void DrawTabs(TCanvas* C);
    void DrawTab(int PageIndex, const TRect& R, bool Active, bool MouseIn, TCanvas* C);
    // Redraws the visible tab V (of page P) straight onto the window.
    void RedrawTab(int PageIndex, int V, bool MouseIn);
    int PageOfTab(int V) const;

private:
    friend class TspSkinCustomTabSheet;
    TspSkinData* FSD = nullptr;
    std::string FSkinDataName = "tab";
    int FIndex = -1;
    const TspDataSkinTabControl* FRec = nullptr;
    TBitmap* FPicture = nullptr;
    int FHotPage = -1, FOldHotPage = -1, FHotTab = -1, FOldHotTab = -1;
    std::unique_ptr<TFont> FDefaultFont;
    int FDefaultItemHeight = 20;
    std::unique_ptr<TControlCanvas> FCanvas;
};

class TspSkinCustomTabSheet : public TTabSheet {
public:
    explicit TspSkinCustomTabSheet(TComponent* AOwner);
    // Paints the sheet's background from its page control's skin.
    void PaintBG(HDC DC);

protected:
    void WMEraseBkgnd(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
};

class TspSkinTabSheet : public TspSkinCustomTabSheet {
public:
    using TspSkinCustomTabSheet::TspSkinCustomTabSheet;
};
