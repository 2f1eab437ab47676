// Skinned combo boxes that fill themselves: the installed font families (each
// name drawn in its own face, TrueType ones with a "TT" mark) and the point
// sizes offered for one font.
#pragma once
#include "SkinComboBox.h"
#include <string>
#include <vector>

enum TspFontDevice { fdScreen, fdPrinter, fdBoth };
enum TspFontListOption : unsigned {
    foAnsiOnly = 1,
    foTrueTypeOnly = 2,
    foFixedPitchOnly = 4,
    foNoOEMFonts = 8,
    foOEMFontsOnly = 16,
    foScalableOnly = 32,
    foNoSymbolFonts = 64
};
typedef unsigned TspFontListOptions;

namespace SpFontLists {
// Whether a family's reported font passes the options.
bool PassesFilter(TspFontListOptions Options, int CharSet, int FontType, int PitchAndFamily);
// A raster size in points from the cell height and internal leading at a resolution.
int PointSize(int Height, int InternalLeading, int PixelsPerInch);
// Adds a size in ascending order without duplicates.
void InsertSize(std::vector<int>& Sizes, int Size);
// The size text rule: not "-" alone, only "0123456789-", one "-" and first only.
bool IsSizeText(const std::string& S);
// The size a text stands for; 0 for no whole number or one beyond 32 bits.
int SizeValue(const std::string& S);
}  // namespace SpFontLists

class TspSkinFontComboBox : public TspSkinCustomComboBox {
public:
    explicit TspSkinFontComboBox(TComponent* AOwner);

    TspFontDevice GetDevice() const { return FDevice; }
    void SetDevice(TspFontDevice Value);
    TspFontListOptions GetOptions() const { return FOptions; }
    void SetOptions(TspFontListOptions Value);
    bool GetTrueTypeOnly() const { return (FOptions & foTrueTypeOnly) != 0; }
    void SetTrueTypeOnly(bool Value);
    std::string GetFontName() { return GetText(); }
    void SetFontName(const std::string& Name);
    bool GetUseFonts() const { return FUseFonts; }
    void SetUseFonts(bool Value);

    void Reset();
    void PopulateList();
    // The font type of an item (1 raster, 2 device, 4 TrueType; 0x100 when not a symbol font).
    int FontTypeOf(int Index) const;

    static void DrawTT(TCanvas* Canvas, int X, int Y, TColor Color);
    void DrawCBFontItem(TCanvas* Cnvs, int Index, int ItemWidth, int ItemHeight, TRect TxtRect, TOwnerDrawState State);
    void DrawLBFontItem(TCanvas* Cnvs, int Index, int ItemWidth, int ItemHeight, TRect TxtRect, TOwnerDrawState State);

protected:
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;

private:
    void AddFonts(HDC DC);
    void NotifyChange();
    TspFontDevice FDevice = fdScreen;
    TspFontListOptions FOptions = 0;
    bool FUseFonts = false;
    bool FResetting = false;
};

class TspSkinFontSizeComboBox : public TspSkinCustomComboBox {
public:
    explicit TspSkinFontSizeComboBox(TComponent* AOwner);

    const std::string& GetFontName() const { return FFontName; }
    void SetFontName(const std::string& Name);
    void Build();
    int GetSizeValue();

private:
    std::string FFontName;
    int FPixelsPerInch = 96;
};
