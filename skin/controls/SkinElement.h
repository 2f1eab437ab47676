// The resizable element model shared by the windowed and the window-less skinned
// controls: where the element lies in its skin picture, its four split points and
// client rectangle, the same at the control's current size, and the composition
// and region built from them. Every value comes from a skin, which is untrusted:
// sizes are bounded and pictures are only read inside their bounds.
#pragma once
#include "Bitmap.h"
#include "SkinBudget.h"
#include "Types.h"
#include <windows.h>

class TspSkinData;
class TspDataSkinControl;
class TspDataSkinCustomControl;

// Largest side a skin may give a control; a skin rectangle beyond it is refused.
constexpr int MaxSkinControlSide = 8192;

// Resize modes of an element.
constexpr int rmNone = -1, rmFixed = 0, rmEightPoint = 1, rmHorizontal = 2, rmVertical = 3;

struct TspSkinElement {
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect SkinRect, ClRect;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewClRect;
    TBitmap* Picture = nullptr;   // not owned: a picture of the skin data component
    TBitmap* Mask = nullptr;
    int ResizeMode = rmFixed;
    int CursorIndex = -1;

    // Copies the record's geometry and resolves its pictures (an index outside the
    // list is none). False when the geometry is unusable (a skin rectangle larger
    // than MaxSkinControlSide or inverted); the element is then cleared.
    bool Read(const TspDataSkinCustomControl* Rec, const TspSkinData* Data, bool WithMask);
    // Forgets the pictures and the geometry (unskinned).
    void Clear();
    int GetResizeMode() const;
    // Fits the asked size to the resize mode and moves the points (W, H in and out).
    void CalcSize(int& W, int& H);
    // Maps a rectangle in element coordinates to a control of size W x H.
    TRect GetNewRect(const TRect& R, int W, int H) const;
    // Composes the look whose rectangle in the picture is R onto Dest at W x H.
    // False, Dest untouched, when there is nothing to compose (no picture, a
    // null rectangle, a resize mode the element does not know).
    bool Compose(TBitmap* Dest, TBitmap* Source, const TRect& R, int W, int H) const;
    // The window region of the mask at W x H; 0 when there is none.
    HRGN CreateRegion(int W, int H) const;
};

// Picture Index of the skin's picture list, or null outside the list.
TBitmap* SkinPicture(const TspSkinData* Data, int Index);
// R clipped to the picture; an empty rectangle when nothing of it lies inside.
TRect ClipToPicture(const TRect& R, TBitmap* Picture);
// A size clipped to what a control may have.
inline int ClampSide(int V) { return V < 0 ? 0 : (V > MaxSkinControlSide ? MaxSkinControlSide : V); }
