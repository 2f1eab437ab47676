// One open level of a skinned menu (a borderless popup that never takes
// activation) and the items it lists. The engine decides which level is open;
// a level lays out, scrolls, follows the mouse and keys, and paints itself.
#pragma once
#include "Bitmap.h"
#include "CustomControl.h"
#include "EffectBmp.h"
#include "GdiHandles.h"
#include "Menus.h"
#include "SkinMenus.h"
#include "Timer.h"
#include <memory>
#include <vector>

class TspSkinData;
class TspDataSkinPopupWindow;
class TspDataSkinMenuItem;
class TCustomImageList;

class TspSkinMenuItem : public TObject {
public:
    TspSkinMenuItem(TspSkinPopupWindow* AParent, TMenuItem* AMenuItem, TspDataSkinMenuItem* AData);
    ~TspSkinMenuItem() override;

    void MouseEnter(bool ByKeyboard);
    void MouseLeave();
    void MouseDown(int X, int Y);
    void Redraw();
    // Paints the item at its rectangle on Canvas.
    void Draw(TCanvas* Canvas);
    virtual bool CanMorphing();
    void DoMorphing();

    bool IsDivider() const;
    bool Selectable() const;

    TspSkinPopupWindow* Parent;
    TspDataSkinMenuItem* Data;      // null: the default look
    TBitmap* Picture = nullptr;
    double MorphKf = 0;
    TMenuItem* MenuItem;
    TRect ObjectRect;
    bool Active = false;            // hot
    bool Down = false;              // its submenu is the next level
    bool Visible = true;            // inside the shown part of a scrolled level
    bool SelectedAtOpen = false;

private:
    void SetMorphKf(double Value);
    void DefaultDraw(TCanvas* Canvas);
    void CreateItemImage(TBitmap* B, bool Hot);
    void DrawItemMarks(TCanvas* C, const TRect& T, int Glyph, TColor FontColor, int CheckOffset);
    void PlaceImage(TCanvas* Canvas, TBitmap* B);
};

class TspSkinPopupWindow : public TCustomControl {
public:
    TspSkinPopupWindow(TComponent* AOwner, TspSkinMenu* AEngine, TspDataSkinPopupWindow* AData);
    ~TspSkinPopupWindow() override;

    void Show(const TRect& R, TMenuItem* Item, int StartIndex, bool IsSubMenu, bool PopupUp);
    void Show2(const TRect& R, TMenuItem* Item1, TMenuItem* Item2, int StartIndex, bool IsSubMenu, bool PopupUp);
    void CreateMenu(TMenuItem* Item, int StartIndex);
    void CreateMenu2(TMenuItem* Item1, TMenuItem* Item2, int StartIndex);
    void CalcItemRects();
    int GetEndStartVisibleIndex();
    bool CanScroll(int Direction);
    void ScrollUp(bool Wrap);
    void ScrollDown(bool Wrap);
    void StartScroll();
    void StopScroll();
    void TestMouse(TObject* Sender);
    void TestActive(int X, int Y);
    bool GetActive(int X, int Y);
    bool InWindow(const TPoint& ScreenPoint);
    void PopupKeyDown(int Key);
    void UpDatePW();
    void WTProc(TObject* Sender);
    // Hides without activating anything and stops every timer of the level.
    void Hide();

    // Painting.
    void PaintMenu(HDC DC);
    void CreateRealImage(TBitmap* B);
    void SetMenuWindowRegion();
    void DrawUpMarker(TCanvas* C);
    void DrawDownMarker(TCanvas* C);
    void TestMorph(TObject* Sender);
    // The whole level, composed as PaintMenu composes it (tests and screenshots).
    void ComposeTo(TBitmap* B);
    // Draws one item straight onto the window.
    void DrawItemOnWindow(TspSkinMenuItem* Item);
    void Repaint() override;

    int GetItemCount() const { return static_cast<int>(FItems.size()); }
    TspSkinMenuItem* GetItem(int Index) const { return FItems.at(Index).get(); }
    int GetHotIndex() const { return FHotIndex; }
    TspSkinMenuItem* GetHotItem() const;
    int GetTopIndex() const { return FTopIndex; }
    int GetFitCount() const { return FFitCount; }
    bool GetScrollable() const { return FScrollable; }
    int GetScrollDirection() const { return FScrollDirection; }
    const TRect& GetItemsRect() const { return FNewItemsRect; }
    bool IsSkinned() const { return FData != nullptr; }
    TspSkinMenu* GetEngine() const { return FEngine; }
    TspDataSkinPopupWindow* GetData() const { return FData; }
    TspDataSkinMenuItem* GetItemData() const { return FItemData; }
    TBitmap* GetItemPicture() const { return FItemPicture; }
    TCustomImageList* GetImages() const { return FImages; }
    int GetGlyphColumn() const { return FGlyphColumn; }
    TFont* GetLevelFont() const { return FLevelFont.get(); }
    bool GetMorphTimerRunning() const { return FMorphTimer->GetEnabled(); }
    bool GetSoftwareAlpha() const;
    TspEffectBmp* GetScreenEffect() const { return FScreenEffect.get(); }
    void SetHot(int Index) { FHotIndex = Index; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void WMMouseActivate(TMessage& Message);
    void WMEraseBkgndMenu(TMessage& Message);
    void WMTimerScroll(TMessage& Message);
    void AddItems(TMenuItem* Item, int StartIndex);
    void CalcSize();
    void ShowWindowAt();
    void SelectFirstItem();
    int ItemHeightOf(TspSkinMenuItem* Item) const;
    int TextWidthOf(TMenuItem* Item);
    void HotChange(int OldHot);
    TColor MarkerColor(int Direction) const;
    void DrawUpDownMarker(TCanvas* C, int Direction);

    TspSkinMenu* FEngine;
    std::shared_ptr<const bool> FEngineAlive;   // false once the engine is freed
    TspDataSkinPopupWindow* FData = nullptr;
    TspSkinData* FSkin = nullptr;
    TBitmap* FFramePicture = nullptr;
    TBitmap* FFrameMask = nullptr;
    TspDataSkinMenuItem* FItemData = nullptr;
    TBitmap* FItemPicture = nullptr;
    TCustomImageList* FImages = nullptr;
    int FGlyphColumn = 16;
    std::vector<std::unique_ptr<TspSkinMenuItem>> FItems;
    int FHotIndex = -1;
    int FOldHotIndex = -1;
    int FTopIndex = 0;
    int FFitCount = 0;
    bool FScrollable = false;
    int FScrollDirection = 0;
    TPoint FNewLTPoint, FNewRTPoint, FNewLBPoint, FNewRBPoint;
    TRect FNewItemsRect;
    TPoint FShowPosition;
    TTimer* FHoverTimer;
    TTimer* FMorphTimer;
    TTimer* FShowDelayTimer;
    std::unique_ptr<TBitmap> FScreenCopy;
    std::unique_ptr<TspEffectBmp> FScreenEffect;
    TRegionHandle FRegion;
    TPoint FOldPoint{-1, -1};
    std::unique_ptr<TFont> FLevelFont;
    bool FShownOnce = false;
    bool FAlphaBlend = false;
    int FAlphaBlendValue = 200;
    bool FAlphaBlendAnimation = false;
    bool FScrollTimerOn = false;
};
