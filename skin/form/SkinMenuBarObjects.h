// The light entries of the skinned menu bar: TspMenuBarObject (hover and pressed
// state, drawn on the bar) and TspSkinMainMenuBarItem, one top-level item of the
// bar's main menu that drops down its submenu through the frame's menu engine.
// They are not windows: the bar lays them out, paints them and routes the mouse
// and the keyboard to them.
#pragma once
#include "Menus.h"
#include "SkinObjects.h"
#include "Types.h"
#include <string>

class TspSkinMainMenuBar;
class TCanvas;
class TBitmap;

class TspMenuBarObject {
public:
    TspMenuBarObject(TspSkinMainMenuBar* ABar, TspDataSkinObject* AData);
    virtual ~TspMenuBarObject() = default;

    virtual void Draw(TCanvas* Cnvs) {}
    virtual void DblClick() {}
    virtual void MouseDown(int X, int Y, TMouseButton Button) {}
    virtual void MouseUp(int X, int Y, TMouseButton Button) {}
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual bool CanMorphing();
    // A morphing object starts the bar's morph timer, which steps it towards
    // its new look; any other draws its final look on the bar at once.
    void Redraw();
    // One morph step (0.2 towards Active) and the object drawn.
    void DoMorphing();
    void SetMorphKf(double Value);

    TspSkinMainMenuBar* Bar;
    double MorphKf = 0;
    bool Hovered = false;
    TBitmap* Picture = nullptr;   // not owned: one of the skin's active pictures
    bool Down = false;
    std::string IDName;
    TRect skinrect, activeskinrect, downrect;
    bool morphing = false;
    TMorphKind morphkind = mkDefault;
    TRect ObjectRect;
    bool Active = false;
    bool Enabled = true;
    bool Visible = true;
};

class TspSkinMainMenuBarItem : public TspMenuBarObject {
public:
    // AData: a "mainmenubaritem" (or "mainmenuitem") record, or null for the plain look.
    TspSkinMainMenuBarItem(TspSkinMainMenuBar* ABar, TspDataSkinObject* AData);

    // Places the item after Left (the right edge of the item before it, 0 for
    // none) inside Area less MarkerWidth; returns whether it fits. Kept apart
    // from drawing so that hit tests never depend on a paint having run.
    bool Layout(int Left, const TRect& Area, int MarkerWidth);
    void Draw(TCanvas* Cnvs) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void SetDown(bool Value);
    bool SearchDown();
    void SearchActive();
    void TrackMenu();
    bool HasSubItems() const { return LinkedMenuItem && LinkedMenuItem->GetCount() > 0; }
    // The width the item takes for its caption.
    int ItemWidth();

    bool HasSkin = false;
    bool SavedEnabled = true;
    bool InMenuRect = true;
    TMenuItem* LinkedMenuItem = nullptr;   // not owned; the bar drops it when it goes
    TspSkinFontFields Font;
    TColor unenabledfontColor = 0, activefontcolor = 0, downfontcolor = 0;
    TRect TextRect, ItemDownRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;

private:
    void DefaultDraw(TCanvas* Cnvs);
    void SkinDraw(TCanvas* Cnvs);
    // The item's strip from Source with its caption in Color (the disabled
    // colour for a disabled item); false when nothing can be drawn.
    bool StripImage(TBitmap* Img, const TRect& Source, TColor Color);
    void SetItemFont(TCanvas* C);
    std::string Caption() const;
};
