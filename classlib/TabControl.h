// Tabs on the system tab control (SysTabControl32): the tab control with a
// list of tab captions, and the page control whose tabs are its tab sheets
// (a sheet's tab may be hidden).
#pragma once
#include "WinControl.h"
#include <commctrl.h>
#include <vector>

class TCustomImageList;
// Which side of the control the tabs sit on.
enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
typedef std::function<void(TObject* Sender, bool& AllowChange)> TTabChangingEvent;

class TCustomTabControl : public TWinControl {
public:
    explicit TCustomTabControl(TComponent* AOwner);
    ~TCustomTabControl() override;
    // The area inside the frame, below the tabs.
    TRect GetDisplayRect();
    void AdjustClientRect(TRect& Rect) override;
    bool GetMultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);
    TTabPosition GetTabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition Value);
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int GetTabCount();
    // Fixed tab size; 0 lets the native control measure that side.
    int GetTabHeight() const { return FTabHeight; }
    void SetTabHeight(int Value);
    int GetTabWidth() const { return FTabWidth; }
    void SetTabWidth(int Value);
    // The native rectangle of the visible tab Index (empty when there is none).
    TRect GetItemRect(int Index);
    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    void Dispatch(TMessage& Message) override;
protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual bool CanChange();
    virtual void Change();
    virtual void CNNotify(TMessage& Message);
    // The captions (and images) of the tabs shown, in order.
    virtual void GetTabs(std::vector<std::pair<std::string, int>>& Tabs) = 0;
    virtual int CurrentTab() = 0;
    // Puts every tab into the window again.
    void UpdateTabs();
    // Called after the window's tabs were put in again.
    virtual void TabsChanged() {}
    // Destroys the arrows the system control makes when one row of tabs overflows
    // (for a control that scrolls its tabs with arrows of its own).
    void DestroyNativeScroller();
    int GetTabIndexInWindow();
    void SetTabIndexInWindow(int Value);
    // Sends the native item size: width in the low, height in the high 16 bits.
    // The size is kept and sent again whenever the window is (re)created.
    void SetItemSize(int AWidth, int AHeight);
private:
    void ApplyImages();
    // What the native control would answer to the display-rectangle request,
    // for the time before the window exists.
    TRect EstimateDisplayRect();
    bool FMultiLine = false;
    TTabPosition FTabPosition = tpTop;
    int FTabHeight = 0, FTabWidth = 0;
    int FItemWidth = 0, FItemHeight = 0;
    TCustomImageList* FImages = nullptr;
};

class TTabControl : public TCustomTabControl {
public:
    explicit TTabControl(TComponent* AOwner);
    ~TTabControl() override;
    TStrings* GetTabs() const { return FTabs.get(); }
    void SetTabs(TStrings* Value) { FTabs->Assign(Value); }
    int GetTabIndex();
    void SetTabIndex(int Value);
protected:
    void GetTabs(std::vector<std::pair<std::string, int>>& Tabs) override;
    int CurrentTab() override { return FTabIndex; }
    void Change() override;
private:
    std::unique_ptr<TStringList> FTabs;
    int FTabIndex = -1;
};

class TPageControl;

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;
    TPageControl* GetPageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* Value);
    int GetPageIndex() const;
    void SetPageIndex(int Value);
    // The tab's position among the visible tabs, -1 when its tab is hidden.
    int GetTabIndex() const;
    bool GetTabVisible() const { return FTabVisible; }
    void SetTabVisible(bool Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
protected:
    friend class TPageControl;
    void CreateParams(TCreateParams& Params) override;
    void CMTextChanged(TMessage& Message) override;
private:
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    int FImageIndex = -1;
};

class TPageControl : public TCustomTabControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;
    int GetPageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* GetPage(int Index) const { return FPages.at(Index); }
    TTabSheet* GetActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* Page);
    int GetActivePageIndex() const;
    void SetActivePageIndex(int Value);
    TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible);
    void SelectNextPage(bool GoForward);
protected:
    friend class TTabSheet;
    void GetTabs(std::vector<std::pair<std::string, int>>& Tabs) override;
    int CurrentTab() override { return FActivePage ? FActivePage->GetTabIndex() : -1; }
    void Change() override;
    void ChangeActivePage(TTabSheet* Page);
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    TTabSheet* PageForTab(int TabIndex) const;
private:
    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};
