// TspPopupListBox: the drop-down list of the skinned combo box. A hidden tool
// window that the combo shows at a screen point and hides again; a click never
// activates it, so the focus stays with the combo while the list is open.
#pragma once
#include "SkinListBox.h"

// What the popup asks of the control that owns it: the owner's translucency
// settings for the list (read at every Show).
class TspPopupListHost {
public:
    virtual ~TspPopupListHost() = default;
    virtual bool GetListBoxAlphaBlend() const = 0;
    virtual bool GetListBoxAlphaBlendAnimation() const = 0;
    virtual int GetListBoxAlphaBlendValue() const = 0;
};

class TspPopupListBox : public TspSkinListBox {
public:
    explicit TspPopupListBox(TComponent* AOwner);

    // Shows the popup with its top-left corner at the screen point Pt; the caller
    // has sized it before.
    void Show(const TPoint& Pt);
    void Hide();
    // The screen point for a popup of W x H that drops from Anchor (a screen
    // rectangle): below it, or above it when the work area ends before the
    // popup would, and never past the work area's left or right edge.
    static TPoint DropPoint(const TRect& Anchor, int W, int H, const TRect& WorkArea);
    // Shows the popup dropped from Control by DropPoint on Control's monitor.
    void ShowFor(TControl* Control);

    bool Layered() const { return FLayered; }
    int CurrentAlpha() const { return FCurrentAlpha; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void ListBoxWProc(TMessage& Message, bool& CallDefault) override;

    bool FLayered = false;
    int FCurrentAlpha = 0;
    bool FTracking = false;
};
