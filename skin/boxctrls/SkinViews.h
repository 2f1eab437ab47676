// The skinned tree view and list view: the system controls with their frame and
// native scroll bars taken away, font and background from a "treeview" /
// "listview" element, and two external skinned scroll bars that mirror the
// control's own scroll state and scroll it when moved. The list view also paints
// its column header itself, from an element of the button kind.
#pragma once
#include "ListView.h"
#include "SkinChangeWalk.h"
#include "TreeView.h"
#include <functional>
#include <memory>
#include <string>
#include "SkinDataLink.h"

class TspSkinData;
class TspSkinScrollBar;
class TBitmap;

// What the tree view and list view share: the link to the skin data, the font
// and colour used while unskinned, and the two external skinned scroll bars that
// stand for the view's own. Each view says how its bars follow its scroll state
// (UpDateScrollBars) and how a moved bar scrolls it.
template <class TBase>
class TspSkinBarsView : public TBase, public TspSkinDataClient {
public:
    TspSkinBarsView(TComponent* AOwner, const char* SkinDataName);
    ~TspSkinBarsView() override;

    TspSkinData* GetSkinDataComponent() const override { return FSD; }
    const std::string& GetSkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    TColor GetDefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    TspSkinScrollBar* GetVScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TspSkinScrollBar* Value);
    TspSkinScrollBar* GetHScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TspSkinScrollBar* Value);
    virtual void UpDateScrollBars() = 0;
    bool Skinned() const { return FSkinIndex != -1; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CMVisibleChanged(TMessage& Message) override;
    virtual void OnVScrollBarChange(TObject* Sender) = 0;
    virtual void OnHScrollBarChange(TObject* Sender) = 0;
    // Makes Value the bar in Slot: hidden until the view's state asks for it,
    // moving it scrolls the view.
    void BindBar(TspComponentLink<TspSkinScrollBar>& Slot, TspSkinScrollBar* Value, bool Vertical);
    // With no frame and no native bars the whole window is client area; answers
    // whether Message was one of the frame's and is answered.
    static bool NoFrame(TMessage& Message);

    TspSkinDataLink FSD{this};
    std::string FSkinDataName;
    int FSkinIndex = -1;
    std::unique_ptr<TFont> FDefaultFont;
    TColor FDefaultColor = clWindow;
    TspComponentLink<TspSkinScrollBar> FVScrollBar{this};
    TspComponentLink<TspSkinScrollBar> FHScrollBar{this};
    bool FSyncingBars = false;
};

class TspSkinCustomTreeView : public TspSkinBarsView<TCustomTreeView> {
public:
    explicit TspSkinCustomTreeView(TComponent* AOwner);
    ~TspSkinCustomTreeView() override;

    void ChangeSkinData() override;
    void SetSkinData(TspSkinData* Value);
    void UpDateScrollBars() override;
    void Loaded() override;

protected:
    void WndProc(TMessage& Message) override;
    void Change(TTreeNode* Node) override;
    void OnVScrollBarChange(TObject* Sender) override;
    void OnHScrollBarChange(TObject* Sender) override;
};

class TspSkinTreeView : public TspSkinCustomTreeView {
public:
    explicit TspSkinTreeView(TComponent* AOwner) : TspSkinCustomTreeView(AOwner) {}
};

typedef std::function<void(TCanvas* Cnvs, TListColumn* Column, bool Pressed, const TRect& R)>
    TspDrawHeaderSectionEvent;

class TspSkinCustomListView : public TspSkinBarsView<TCustomListView> {
public:
    explicit TspSkinCustomListView(TComponent* AOwner);
    ~TspSkinCustomListView() override;

    void ChangeSkinData() override;
    void SetSkinData(TspSkinData* Value);
    const std::string& GetHeaderSkinDataName() const { return FHeaderSkinDataName; }
    void SetHeaderSkinDataName(const std::string& Value);
    bool UseSkinFont = true;
    void UpDateScrollBars() override;
    void Loaded() override;

    // The header window taken over, none without one.
    HWND GetHeaderWindow() const { return FHeaderWindow; }
    int GetPressedSection() const { return FPressedSection; }
    bool GetHeaderPressed() const { return FHeaderPressed; }
    TRect GetHeaderSectionRect(int Index);
    void DrawHeaderSection(TCanvas* Cnvs, TListColumn* Column, bool Hot, bool Pressed, const TRect& R);
    void PaintHeader(HDC DC);

    TspDrawHeaderSectionEvent OnDrawHeaderSection;

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void OnVScrollBarChange(TObject* Sender) override;
    void OnHScrollBarChange(TObject* Sender) override;
    void UpDateScrollBars1();
    void UpDateScrollBars2();
    void UpDateScrollBars3();
    void EndScrollBarsUpdate(bool VWasVisible, bool HWasVisible);
    void ShowBarQuietly(TspSkinScrollBar* Bar, bool Visible);
    void ApplyColors();
    int FirstItemHeight();
    int FirstItemWidth();

    // Header.
    void HookHeader(HWND Header);
    void UnhookHeader();
    void HGetSkinData();
    LRESULT HeaderWndProc(UINT Msg, WPARAM WParam, LPARAM LParam);
    static LRESULT CALLBACK HeaderHook(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
    void HeaderImage(TBitmap* B, const TRect& Source, int W, int H, bool Open);

    std::string FHeaderSkinDataName = "resizebutton";
    bool FScrollingByBar = false;
    int FOldVScrollPos = 0, FOldHScrollPos = 0;

    HWND FHeaderWindow = nullptr;
    WNDPROC FOldHeaderProc = nullptr;
    int FPressedSection = 0;
    bool FHeaderPressed = false;
    int FHeaderIndex = -1;
    TBitmap* FHPicture = nullptr;
    TPoint FHLTPoint, FHRTPoint, FHLBPoint, FHRBPoint;
    TRect FHSkinRect, FHClRect, FHActiveSkinRect, FHDownSkinRect;
    TColor FHFontColor = clBtnText, FHActiveFontColor = clBtnText, FHDownFontColor = clBtnText;
};

class TspSkinListView : public TspSkinCustomListView {
public:
    explicit TspSkinListView(TComponent* AOwner) : TspSkinCustomListView(AOwner) {}
};
