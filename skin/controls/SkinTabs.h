// Routines shared by the skinned page and tab controls: reading the "tab"
// element, the display and item rectangles, the frame and tabs, and the tab
// scroller. Also a tab bitmap turned a quarter turn either way (side tabs), a
// tab's image beside its text, and a picture piece tiled over an area.
#pragma once
#include "Classes.h"
#include "SkinLooks.h"
#include "SkinFields.h"
#include "TabControl.h"
#include "Types.h"
#include <string>

class TBitmap;
class TCanvas;
class TCustomImageList;
class TFont;
class TspSkinData;
class TspSkinUpDown;

namespace Skintabs {

// Draws B turned a quarter turn counter-clockwise (its top row becomes the left
// column, read upwards) with its top-left corner at (X, Y).
void DrawRotate90_1(TCanvas* Cnvs, TBitmap* B, int X, int Y);
// The same, clockwise: the top row becomes the right column, read downwards.
void DrawRotate90_2(TCanvas* Cnvs, TBitmap* B, int X, int Y);
// The image ImageIndex of IL and the text, side by side and centred in W x H.
void DrawTabImageAndText(TCanvas* Cnvs, int W, int H, const std::string& Text, TCustomImageList* IL,
                         int ImageIndex, bool Enabled);
// Tiles the piece S of Picture over D from D's top-left corner, the last column and
// row cut to D. A piece with nothing inside the picture tiles nothing.
void TilePiece(TCanvas* Cnvs, const TRect& D, TBitmap* Picture, const TRect& S);

// The element's values as copied by the last fetch, already clipped to its
// picture: nothing of an earlier skin's record is kept between fetches.
struct TTabSkin {
    TRect SkinRect, ClientRect, TabsBGRect;
    // By TspTabState; a focused or mouse-in look the skin leaves null is the
    // active or normal one.
    TspTabLooks TabLooks;
    TPoint LeftTop, RightTop, LeftBottom, RightBottom;
    int TabLeftOffset = 0, TabRightOffset = 0;
    TspSkinFontFields Font{""};
    TColor FontColors[TabStateCount] = {};   // by TspTabState
    std::string UpDown;
    int BGPictureIndex = -1;
    // The frame's widths around the display rectangle.
    int BorderLeft() const { return ClientRect.left; }
    int BorderTop() const { return ClientRect.top; }
    int BorderRight() const { return SkinRect.Width() - ClientRect.right; }
    int BorderBottom() const { return SkinRect.Height() - ClientRect.bottom; }
};

// The controls' own font before any skin: Arial, 14 pixels, button text colour.
void ResetTabFont(TFont* F);
// Reads the element Name of Data into S and Picture and returns its index; -1
// (S reset, Picture null) when it holds nothing to draw from.
int ReadTabSkin(TspSkinData* Data, const std::string& Name, TTabSkin& S, TBitmap*& Picture);
// Moves the native display rectangle R of a CW x CH client to our frame, whose
// widths are Borders (left, top, right, bottom) when Skinned.
void AdjustDisplayRect(RECT& R, TTabPosition Pos, int CW, int CH, bool Skinned, const TRect& Borders);
// Moves a native tab rectangle against the control's edge.
void CorrectItemRect(RECT& R, TTabPosition Pos, bool MultiLine);
// The unskinned face: the button face with a line around the display rectangle D.
void PaintPlainFace(TCanvas* C, int W, int H, TRect D);
// The skin frame's outer rectangle around the display rectangle D.
TRect FrameAround(const TTabSkin& S, const TRect& D);
// The strip of a W x H control beside the frame F where the tabs stand.
TRect TabsBand(TTabPosition Pos, const TRect& F, int W, int H);
// The eight-point frame of S drawn at F: the right points move with the width
// difference, the bottom ones with the height difference.
void DrawFrame(TCanvas* C, const TTabSkin& S, TBitmap* Picture, const TRect& F);

// What one tab is drawn from.
struct TTabLook {
    const TTabSkin* Skin = nullptr;   // null: unskinned
    TBitmap* Picture = nullptr;
    TTabPosition Position = tpTop;
    bool Active = false, MouseIn = false, Focused = false;
    bool Stretch = false;             // a fixed tab height: the look is stretched to it
    bool UseSkinFont = true;
    TFont* Font = nullptr;            // the control's font
    int FontHeight = 14;              // the skin font's height as the control uses it
    std::string Text;
    TCustomImageList* Images = nullptr;   // null: text only
    int ImageIndex = -1;
    bool Enabled = true;
};
// Draws a tab into R of C (side tabs are drawn lying down, then turned).
void DrawTab(TCanvas* C, const TRect& R, const TTabLook& L);

// ---- the skinned scroller of a single row of tabs ----
// Tabs that lie (partly) outside the strip, left of a scroller UpDownWidth wide.
int TabsOutside(TCustomTabControl* T, int UpDownWidth);
// Tabs scrolled out to the left.
int TabsScrolledOut(TCustomTabControl* T);
// Puts U at the right end of the strip: the top for top tabs, the bottom otherwise.
void PlaceScroller(TCustomTabControl* T, TControl* U);
// Makes the scroller (W x H) of T, stores it in Slot and shows it.
void ShowScroller(TCustomTabControl* T, TspSkinUpDown*& Slot, int W, int H, TspSkinData* Data,
                  const std::string& Name, TNotifyEvent OnChange);
// Scrolls T's row until Target tabs are scrolled out, or it stops moving.
void ScrollTabsTo(TCustomTabControl* T, int Target);

}  // namespace Skintabs
