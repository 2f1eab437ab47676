// The colour dialog's small controls: a skinned panel with the 48 basic colours,
// one with 12 user colours that fill up in turn, a framed colour preview, and a
// windowed control that draws nothing (the palette's container).
#pragma once
#include "CustomControl.h"
#include "GraphicControl.h"
#include "SkinPanel.h"

// Cell geometry shared by both grids: cells laid row by row from (R.left + 1,
// R.top + 1), 2 pixels apart; numbered from 1.
namespace SpColorGrid {
TRect CellRect(const TRect& Client, int ColCount, int RowCount, int Cell);
// The cell under a point (left/top inclusive), 0 when none.
int CellAt(const TRect& Client, int ColCount, int RowCount, int X, int Y);
// The marker: a gapped cross, inverted, or black on mid grey.
void DrawMarker(TCanvas* C, const TRect& Cell, TColor CellColor);
}  // namespace SpColorGrid

class TspSkinColorGrid : public TspSkinPanel {
public:
    static const int ColorCount = 48;
    static const TColor BasicColors[ColorCount];

    explicit TspSkinColorGrid(TComponent* AOwner);

    int GetRowCount() const { return FRowCount; }
    void SetRowCount(int Count);
    int GetColCount() const { return FColCount; }
    void SetColCount(int Count);
    TColor GetColorValue() const { return FColorValue; }
    void SetColorValue(TColor Value);
    static bool CheckColor(TColor Value);
    // The client rectangle the cells share.
    TRect GridRect();

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void PaintGrid(TCanvas* C);

private:
    int FRowCount = 4, FColCount = 12;
    TColor FColorValue = 0;
};

class TspSkinCustomColorGrid : public TspSkinPanel {
public:
    static const int SlotCount = 12;

    explicit TspSkinCustomColorGrid(TComponent* AOwner);

    int GetRowCount() const { return FRowCount; }
    void SetRowCount(int Count);
    int GetColCount() const { return FColCount; }
    void SetColCount(int Count);
    TColor GetColorValue() const { return FColorValue; }
    void AddColor(TColor Value);
    // Slots 1..12.
    TColor GetSlot(int Index) const { return Index >= 1 && Index <= SlotCount ? FColors[Index - 1] : 0; }
    void SetSlot(int Index, TColor Value);
    int GetFillCount() const { return FFillCount; }
    void SetFillCount(int Value);
    int GetSelected() const { return FSelected; }
    TRect GridRect();

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void PaintGrid(TCanvas* C);

private:
    int FRowCount = 2, FColCount = 6;
    TColor FColorValue = 0;
    TColor FColors[SlotCount];
    int FFillCount = 0, FSelected = 0;
};

class TspColorViewer : public TGraphicControl {
public:
    explicit TspColorViewer(TComponent* AOwner);
    TColor GetColorValue() const { return FColorValue; }
    void SetColorValue(TColor Value);

protected:
    void Paint() override;

private:
    TColor FColorValue = 0;
};

class TspEmptyControl : public TCustomControl {
public:
    explicit TspEmptyControl(TComponent* AOwner);

protected:
    void Paint() override {}
    void WMEraseBkgnd(TMessage& Message) override { Message.Result = 1; }
};
