// TspSkinCaptionObject: the form's caption drawn on the frame in the skin's font,
// following the form's active state, stretched with the frame (fixed ends, middle
// repeated), optionally on a plate that grows with the text.
#pragma once
#include "ActiveSkinObject.h"

class TspSkinCaptionObject : public TspActiveSkinObject {
public:
    TspSkinCaptionObject(TspFormFrame* AForm, TspDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool Forced) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    // Only Hovered follows the pointer; Active follows the form.
    void MouseEnter() override;
    void MouseLeave() override;

    void SetTextValue(const std::string& Value);
    // Stores only (while the frame is being updated).
    void SimpleSetTextValue(const std::string& Value) { textvalue = Value; }

    // The text shown: the form's caption for the default caption (or while no
    // text was given), otherwise the text given through the frame.
    std::string CaptionText() const;
    // Which part of the frame the object stretches with: 0 none (same size as in
    // the skin), 1 top edge, 2 bottom edge, 3 left edge, 4 right edge.
    int StretchZone() const;
    // The text area, relative to the object's top left, at the object's size.
    TRect TextArea() const;

    std::string textvalue;
    TspSkinFontFields Font;
    TColor activefontcolor = 0;
    TColor ShadowColor = 0;
    TColor ActiveShadowColor = 0;
    bool Shadow = false;
    TAlignment Alignment = taCenter;
    TRect TextRect;
    bool DefaultCaption = false;
    TRect FrameRect;
    TRect ActiveFrameRect;
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    TRect FrameTextRect;

private:
    // Rectangle S of Source fitted to the object's size by the stretch zone.
    std::unique_ptr<TBitmap> ScaledImage(TBitmap* Source, const TRect& S) const;
    // The background without the active image: the form picture (the inactive
    // picture while the form is inactive and the skin has one) with the text.
    std::unique_ptr<TBitmap> NormalImage(bool ActiveLook) const;
    // The text (and plate) with its place offset by (X0, Y0).
    void DrawCaptionText(TCanvas* Cnvs, int X0, int Y0, bool ActiveLook) const;
    // The inactive effect to apply, or null.
    const TspInActiveEffect* InActiveEffect(bool FormIsActive) const;
};
