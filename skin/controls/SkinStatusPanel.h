// TspSkinStatusPanel: a skinned label for status bars, with a glyph in front of
// its text, on the skin's "statuspanel" element.
#pragma once
#include "SkinLabels.h"

class TspSkinStatusPanel : public TspSkinLabel {
public:
    explicit TspSkinStatusPanel(TComponent* AOwner);
    ~TspSkinStatusPanel() override;

    TBitmap* GetGlyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    int GetNumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    int CalcWidthOffset() override;
    // Where the text starts: the left edge of the rectangle it is drawn in.
    int TextLeft();

protected:
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void CMEnabledChanged(TMessage& Message) override;

private:
    // The glyph's extra width (0 without a glyph).
    int GlyphRoom() const;
    int CellWidth() const;
    void DrawPanelGlyph(TCanvas* C, int X, int Y);

    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
};
