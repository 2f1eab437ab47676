// What the button-like controls (push button, speed button) copy from a button
// record, the transition timer's deferred release, and the morph of one look into
// another by the record's kind.
#pragma once
#include "Control.h"
#include "EffectBmp.h"
#include "SkinControls.h"
#include "Timer.h"
#include <functional>
#include <memory>

struct TspButtonFace {
    TspSkinFontFields Font;
    TColor ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
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
// Image Index of a custom action's list, as a one-cell glyph of the list's image
// size on clFuchsia (its fixed transparent colour). False, and Glyph untouched,
// when the list holds no such image.
bool ActionGlyph(TBasicAction* Action, int Index, TBitmap* Glyph);
// A button's glyph following its action's image Index: a glyph of the button's
// own (FromAction false, not empty) stays; one taken from the action is replaced,
// or dropped when the action shows none.
void FollowActionImage(TBasicAction* Action, int Index, TBitmap* Glyph, bool& FromAction);

}  // namespace Skinctrls

// The skinned controls' action link: the library's, and the action's image index
// and checked state handed to the control as the action changes them (the
// library's link pushes each property through its own setter, before the action
// stores it).
class TspActionLink : public TControlActionLink {
public:
    TspActionLink(TControl* AClient, std::function<void(int)> OnImageIndex, std::function<void(bool)> OnChecked)
        : TControlActionLink(AClient), FOnImageIndex(std::move(OnImageIndex)), FOnChecked(std::move(OnChecked))
    {
    }
    void SetImageIndex(int Value) override
    {
        if (FOnImageIndex) FOnImageIndex(Value);
    }
    void SetChecked(bool Value) override
    {
        if (FOnChecked) FOnChecked(Value);
    }

private:
    std::function<void(int)> FOnImageIndex;
    std::function<void(bool)> FOnChecked;
};
