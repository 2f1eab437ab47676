// TspSkinButtonLabel: a window-less caption with a glyph that looks pressed while
// a mouse button is held on it and changes colour under the mouse; its font comes
// from the skin's "stdlabel" element.
#pragma once
#include "GlyphLayout.h"
#include "SkinChangeWalk.h"
#include "GraphicControl.h"
#include "SkinStdLabelLook.h"
#include <memory>
#include "SkinDataLink.h"

class TspSkinData;

class TspSkinButtonLabel : public TGraphicControl, public TspSkinDataClient {
public:
    explicit TspSkinButtonLabel(TComponent* AOwner);
    ~TspSkinButtonLabel() override;

    TspSkinData* GetSkinDataComponent() const override { return FSD; }
    void SetSkinData(TspSkinData* Value);
    // Called by name by the re-skin walk; the only place the record is looked up.
    void ChangeSkinData() override;
    int GetSkinIndex() const { return FIndex; }
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    TBitmap* GetGlyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    int GetNumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    int GetMargin() const { return FMargin; }
    void SetMargin(int Value);
    int GetSpacing() const { return FSpacing; }
    void SetSpacing(int Value);
    TspButtonLayout GetLayout() const { return FLayout; }
    void SetLayout(TspButtonLayout Value);
    bool IsDown() const { return FDown; }
    bool MouseIn() const { return FMouseIn; }
    // The glyph cell the next paint shows (1 normal, 2 disabled, 3 down, 4 hot).
    int GlyphCell() const;

    std::string SkinDataName = "stdlabel";
    bool UseSkinFont = true;
    TColor DefaultActiveFontColor = clBlue;

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

private:
    TspSkinDataLink FSD{this};
    int FIndex = -1;
    TspStdLabelLook FLook;
    std::unique_ptr<TFont> FDefaultFont;
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1, FMargin = -1, FSpacing = 1;
    TspButtonLayout FLayout = blGlyphLeft;
    bool FDown = false, FMouseIn = false;
};
