// TspSkinBitLabel: a label whose characters are cells of a character table in the
// skin picture ("bitlabel" element), like a digital display. Line j of the
// record's symbol lines names the characters of row j of the table.
#pragma once
#include "SkinControl.h"
#include <string>
#include <vector>

class TspSkinBitLabel : public TspSkinCustomControl {
public:
    explicit TspSkinBitLabel(TComponent* AOwner);

    void GetSkinData() override;
    void CalcSize(int& W, int& H) override;

    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSizeX(bool Value);
    int GetFixLength() const { return FFixLength; }
    void SetFixLength(int Value);
    // The width that holds FixLength characters between the skin client's margins.
    int GetFixWidth() const;
    int SymbolWidth() const { return FSymbolWidth; }
    int SymbolHeight() const { return FSymbolHeight; }
    // The table cell of a character (in the skin picture); empty when no line holds it.
    TRect SymbolRect(char Ch) const;

protected:
    bool AcceptsRecord(const TspDataSkinControl* Rec) const override;
    void AdjustBounds();
    // How much wider the label must be for its caption; 0 unskinned.
    int TextExcess();
    void CreateControlSkinImage(TBitmap* B) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CMTextChanged(TMessage& Message) override;

    bool FAutoSize = false;
    int FFixLength = 0;
    TRect FCharRect;
    int FSymbolWidth = 0, FSymbolHeight = 0;
    // A copy of the record's lines: a skin change never leaves this pointing into a freed record.
    std::vector<std::string> FSymbols;
};
