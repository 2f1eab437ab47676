// Frame objects that show a text the application sets: TspSkinLabelObject (a
// skin font with a hover colour) and TspSkinBitLabelObject (characters cut from
// a strip of symbol images in the skin).
#pragma once
#include "ActiveSkinObject.h"
#include <vector>

class TspSkinLabelObject : public TspActiveSkinObject {
public:
    TspSkinLabelObject(TspFormFrame* AForm, TspDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool Forced) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void SetTextValue(const std::string& Value, bool Update);

    std::string textvalue;
    TspSkinFontFields Font;
    TColor activefontcolor = 0;
    TAlignment Alignment = taCenter;

private:
    // Rectangle R of Source stretched to the object's size with the text on it.
    std::unique_ptr<TBitmap> TextImage(TBitmap* Source, const TRect& R, TColor Color);
    // The hover look differs from the normal one.
    bool HasHoverLook() const { return !activeskinrect.IsEmpty() || Font.Color != activefontcolor; }
};

class TspSkinBitLabelObject : public TspActiveSkinObject {
public:
    TspSkinBitLabelObject(TspFormFrame* AForm, TspDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool Forced) override;
    void SetTextValue(const std::string& Value, bool Update);
    // Row and column of Ch in the symbol strip; false when no line holds it.
    bool FindSymbol(char Ch, int& Row, int& Col) const;

    std::string textvalue;
    int SymbolWidth = 0;
    int SymbolHeight = 0;
    std::vector<std::string> Symbols;
};
