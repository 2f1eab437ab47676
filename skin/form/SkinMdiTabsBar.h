// TspSkinMDITabsBar: a bar on an MDI main form with one tab per MDI child. It
// marks the active child, shows (and restores) a child whose tab is clicked and
// lets the tabs be reordered by dragging. The main form's frame keeps it in
// step with the children (AddTab, DeleteTab, CheckActive). TspMDITab is one tab.
#pragma once
#include "SkinControl.h"
#include <functional>
#include <memory>
#include <vector>

class TspSkinMDITabsBar;
class TCustomForm;

class TspMDITab : public TObject {
public:
    TspMDITab(TspSkinMDITabsBar* AOwnerBar, TCustomForm* AChild) : OwnerBar(AOwnerBar), ChildForm(AChild) {}
    // Draws the tab at the top left of ObjectRect (nothing when it has no width).
    void Draw(TCanvas* Cnvs);

    TspSkinMDITabsBar* OwnerBar;
    bool Active = false;
    bool Hovered = false;
    TRect ObjectRect;
    TCustomForm* ChildForm;   // not owned
};

typedef std::function<void(TspMDITab* MDITab)> TspMDITabEvent;
typedef std::function<void(TMouseButton Button, TShiftState Shift, TspMDITab* MDITab)> TspMDITabMouseEvent;

class TspSkinMDITabsBar : public TspSkinControl {
public:
    explicit TspSkinMDITabsBar(TComponent* AOwner);
    ~TspSkinMDITabsBar() override;

    // ---- published properties ----
    bool MoveTabs = true;
    int GetDefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    int DefaultTabWidth = 100;
    TspMDITabEvent OnTabMouseEnter, OnTabMouseLeave;
    TspMDITabMouseEvent OnTabMouseDown, OnTabMouseUp;

    // ---- what the frame calls ----
    void AddTab(TCustomForm* Form);
    void DeleteTab(TCustomForm* Form);
    void CheckActive();
    void ClearObjects();

    // ---- tabs ----
    int TabCount() const { return static_cast<int>(FTabs.size()); }
    TspMDITab* GetTabByIndex(int Index) const;
    int GetTabIndex(int X, int Y) const;
    TspMDITab* GetTab(int X, int Y) const;
    void TestActive(int X, int Y);
    // Lays the tabs out along the bar (before every paint, and for hit tests).
    void CalcObjectRects();
    // Where the dragged tab would go; -1 when nowhere.
    int GetMoveIndex() const;
    bool GetDragging() const { return FDragging; }

    // ---- skin ----
    void GetSkinData() override;
    void SetSkinData(TspSkinData* Value) override;
    void ChangeSkinData() override;

    // The look the tabs read (skin fields copied by GetSkinData).
    TBitmap* TabPicture = nullptr;   // not owned
    TRect TabRect, ActiveTabRect, MouseInTabRect, BackgroundRect;
    int TabLeftOffset = 0, TabRightOffset = 0;
    TspSkinFontFields TabFont;
    TColor ActiveTabFontColor = 0, MouseInTabFontColor = 0;

protected:
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseLeave(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void PaintTabs(TBitmap* B);
    void DrawMoveMark(TCanvas* C, int X);
    void RepaintBar();

    int FDefaultHeight = 21;
    std::unique_ptr<TFont> FDefaultFont;
    std::vector<std::unique_ptr<TspMDITab>> FTabs;
    int FActiveIndex = -1, FOldActiveIndex = -1;
    bool FPressed = false;
    int FMoveIndex = -1;
    bool FDragging = false;
    int FDragStartX = 0, FDragOffset = 0;
};
