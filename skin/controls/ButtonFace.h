// What the button-like controls (push button, speed button) copy from a button
// record, the transition timer's deferred release, and the morph of one look into
// another by the record's kind.
#pragma once
#include "EffectBmp.h"
#include "SkinControls.h"
#include "Timer.h"
#include <memory>

struct TspButtonFace {
    std::string FontName = "Arial";
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
    bool Morphing = false;
    TMorphKind MorphKind = mkDefault;
    TRect ActiveSkinRect, DownSkinRect, DisabledSkinRect;

    // Copies the record; a null active rectangle falls back to SkinRect, a null
    // down rectangle to the active one.
    void Read(const TspDataSkinButtonControl* Rec);
};

namespace Skinctrls {

// Frees a component later, from the message loop: a timer may be dropped from
// inside its own tick (a click that frees the button), which must not free it there.
void DeferFree(TComponent* C);
// Stops a timer and hands it to DeferFree.
void DropTimer(std::unique_ptr<TTimer>& T);
// The transition of Kind from A (K = 0) towards B (K = 1), in A.
void MorphByKind(TspEffectBmp& A, const TspEffectBmp& B, TMorphKind Kind, double K);
// The image a custom action shows, from its action list's images, as a one-cell
// glyph of the list's image size on clFuchsia (its fixed transparent colour).
// False, and Glyph untouched, when the action has no such image.
bool ActionGlyph(TBasicAction* Action, TBitmap* Glyph);

}  // namespace Skinctrls
