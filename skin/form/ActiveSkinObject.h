// TspActiveSkinObject: one live decoration of a skinned frame (caption button,
// caption, label, user-drawn area, ...) built from one [SKINOBJECTS] record. The
// frame owns, lays out and hit-tests its objects; each object draws itself from
// the skin pictures, keeps its hover, press and morph state, and reports back
// through the frame's operations.
#pragma once
#include "AliveToken.h"
#include "EffectBmp.h"
#include "FormFrame.h"
#include "SkinObjects.h"
#include <memory>
#include <string>

class TspActiveSkinObject {
public:
    // A null record gives an object with empty rectangles that the caller fills in.
    TspActiveSkinObject(TspFormFrame* AForm, TspDataSkinObject* AData);
    virtual ~TspActiveSkinObject();
    TspActiveSkinObject(const TspActiveSkinObject&) = delete;
    TspActiveSkinObject& operator=(const TspActiveSkinObject&) = delete;

    // Forced false: the frame has just painted its picture, which already shows
    // every object whose normal image lies in it.
    virtual void Draw(TCanvas* Cnvs, bool Forced);
    virtual void DblClick() {}
    virtual void MouseDown(int X, int Y, TMouseButton Button);
    virtual void MouseUp(int X, int Y, TMouseButton Button);
    virtual void MouseMove(int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual bool CanMorphing();

    // Starts the fade (morphing objects) or draws the object at once.
    void Redraw();
    // One step of the fade towards the state the object is in, then a draw.
    void DoMorphing();
    void SetMorphKf(double Value);

    TspFormFrame* SkinForm;
    double MorphKf = 0;
    bool Hovered = false;
    TBitmap* Picture = nullptr;               // not owned: the skin's
    TBitmap* ActivePictureBitmap = nullptr;   // not owned: the skin's
    TspSkinData* SkinData = nullptr;
    std::string IDName;
    std::string Hint;
    TRect skinrect;
    TRect activeskinrect;
    TRect inactiveskinrect;
    bool morphing = false;
    TMorphKind morphkind = mkDefault;
    TRect ObjectRect;
    bool Active = false;
    bool Enabled = true;
    // The application disabled it by name: the frame's own checks of the
    // border icons never enable it again.
    bool DisabledByName = false;
    int cursorindex = -1;
    bool rollup = false;
    bool Visible = true;
    bool skinrectinapicture = false;
    // Turns false when the object is freed: a handler it calls may free the
    // frame's objects (a command that closes the form, a reload of the skin).
    std::shared_ptr<const bool> WatchAlive() const { return FAlive.Watch(); }

private:
    TAliveToken FAlive;

protected:
    // A fade that has not reached the state the object is in.
    bool MorphUnderWay() const;
    // The frame picture under the object as the frame paints it now: the skin's
    // inactive picture while the form is inactive and the skin has one.
    TBitmap* FramePicture() const;
    // The picture the normal image comes from.
    TBitmap* NormalPicture() const { return skinrectinapicture ? ActivePictureBitmap : FramePicture(); }
    bool FormActive() const;
    // The object's image of rectangle R of Source, stretched to ObjectRect's size;
    // null when the object has no drawable size.
    std::unique_ptr<TBitmap> PieceImage(TBitmap* Source, const TRect& R) const;
    // Copies rectangle R of Source (stretched) to ObjectRect.
    void DrawPiece(TCanvas* Cnvs, TBitmap* Source, const TRect& R) const;
    // The morph drawing: Normal blended towards Act by MorphKf and morphkind, at
    // ObjectRect's top left. Both images have the object's size.
    void DrawMorph(TCanvas* Cnvs, TBitmap* Normal, TBitmap* Act) const;
};

// Draws nothing itself: the application paints the area in the frame's OnPaintEvent.
class TspUserObject : public TspActiveSkinObject {
public:
    using TspActiveSkinObject::TspActiveSkinObject;
    void Draw(TCanvas* Cnvs, bool Forced) override;
};

namespace Frameobjects {

// The largest side and area of an image an object composes; a skin or a window
// beyond them draws nothing rather than asking for huge bitmaps.
constexpr int MaxImageSide = 8192;
constexpr long long MaxImageArea = 16LL * 1024 * 1024;

// A 24-bit bitmap of W x H, or null for a size that is empty or beyond the bounds.
std::unique_ptr<TBitmap> NewImage(int W, int H);
// The picture at Index of the skin's active pictures; null for -1, an index
// beyond the list, or an empty picture.
TBitmap* ActivePicture(TspSkinData* Skin, int Index);
// The skin's inactive-window effect.
void ApplyInActiveEffect(TspEffectBmp& E, TspInActiveEffect Effect);
// Blends A towards B (same sizes) by Kind and K, then draws it at (X, Y).
void DrawMorphed(TCanvas* Cnvs, int X, int Y, TBitmap* A, TBitmap* B, TMorphKind Kind, double K);
// Draws Image at (X, Y), through the inactive effect when Effect is set.
void DrawImage(TCanvas* Cnvs, int X, int Y, TBitmap* Image, const TspInActiveEffect* Effect = nullptr);
// Drops down Item's submenu from the screen rectangle R for an object of Frame: a
// skinned popup menu shows itself, any other menu through the frame's menu engine.
void PopupLinkedMenu(TspFormFrame* Frame, const TRect& R, TMenuItem* Item, bool PopupUp);
// Whether the frame's menu engine shows a menu now.
bool MenuOpen(TspFormFrame* Frame);
// The object's rectangle on the screen (where its menu drops down from).
TRect ScreenRect(TspFormFrame* Frame, const TRect& ObjectRect);
// After a menu of Frame closed: every pressed button with a linked menu goes up.
void ReleaseMenuButtons(TspFormFrame* Frame);

}  // namespace Frameobjects
