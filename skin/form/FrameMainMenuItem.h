// TspSkinMainMenuItem: one top-level item of a form's main menu, drawn by the
// skinned frame in its main-menu area from the skin's "MAINMENUITEM" record. It
// lays itself out after the item before it, draws its caption on a three-part
// image and drops down its submenu through the frame's menu engine; moving the
// pointer (or the arrow keys) along the items while a drop-down is open opens
// the next item's drop-down instead.
#pragma once
#include "ActiveSkinObject.h"

class TspSkinMainMenuItem : public TspActiveSkinObject {
public:
    TspSkinMainMenuItem(TspFormFrame* AForm, TspDataSkinMainMenuItem* AData);

    // Whether a record can draw items at all (its picture and its images are
    // there); the frame makes no items from one that cannot.
    static bool Usable(TspSkinData* Skin, TspDataSkinMainMenuItem* AData);

    // Places the item after Left (the right edge of the item before it, 0 for
    // none) in the frame's main-menu area; returns whether it fits. Hit tests
    // and drawing both use the result, so neither depends on the other.
    bool Layout(int Left);
    void Draw(TCanvas* Cnvs, bool Forced) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    bool CanMorphing() override;

    void SetDown(bool Value);
    void SearchActive();
    bool SearchDown();
    void TrackMenu();
    bool HasSubItems() const { return LinkedMenuItem && LinkedMenuItem->GetCount() > 0; }
    // The width the item takes for its caption.
    int ItemWidth() const;
    // The item's whole image in its present state (null when it cannot draw).
    std::unique_ptr<TBitmap> StateImage(const TRect& Source, TColor FontColor) const;

    TRect SavedObjectRect;
    bool Down = false;
    bool SavedEnabled = true;
    bool InMenuRect = true;
    TMenuItem* LinkedMenuItem = nullptr;   // not owned; the frame drops it when it goes
    TspSkinFontFields Font;
    TColor unenabledfontColor = 0, activefontcolor = 0, downfontcolor = 0;
    TRect TextRect, downrect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;

private:
    std::string Caption() const;
    void SetItemFont(TCanvas* C) const;
    TColor CaptionColor(TColor StateColor) const;
};
