#include "SkinColorGrids.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "Spconst.h"
#include <algorithm>

namespace {

std::string Text(int Id, const char* Fallback)
{
    std::string s = Spconst::LoadResString(Id);
    return s.empty() ? std::string(Fallback) : s;
}

constexpr TColor Hex(unsigned RRGGBB)
{
    return static_cast<TColor>(((RRGGBB >> 16) & 0xFF) | (RRGGBB & 0xFF00) | ((RRGGBB & 0xFF) << 16));
}

// Cells beyond the defined colours show the control's face.
const TColor kNoCell = clBtnFace;

}  // namespace

const TColor TspSkinColorGrid::BasicColors[ColorCount] = {
    Hex(0x000000), Hex(0x400000), Hex(0x800000), Hex(0x804040), Hex(0xFF0000), Hex(0xFF8080),
    Hex(0x808000), Hex(0x804000), Hex(0xFF8000), Hex(0xFF8040), Hex(0xFFFF00), Hex(0xFFFF80),
    Hex(0x808040), Hex(0x004000), Hex(0x008000), Hex(0x00FF00), Hex(0x80FF00), Hex(0x80FF80),
    Hex(0x808080), Hex(0x004040), Hex(0x008040), Hex(0x008080), Hex(0x00FF40), Hex(0x00FF80),
    Hex(0x408080), Hex(0x000080), Hex(0x0000FF), Hex(0x004080), Hex(0x00FFFF), Hex(0x80FFFF),
    Hex(0xC0C0C0), Hex(0x000040), Hex(0x0000A0), Hex(0x8080FF), Hex(0x0080C0), Hex(0x0080FF),
    Hex(0x400040), Hex(0x80424F), Hex(0x800080), Hex(0x800040), Hex(0x8080C0), Hex(0xFF80C0),
    Hex(0xFFFFFF), Hex(0x400080), Hex(0x8000FF), Hex(0xFF0080), Hex(0xFF00FF), Hex(0xFF80FF),
};

namespace SpColorGrid {

namespace {
void CellSize(const TRect& Client, int ColCount, int RowCount, int& W, int& H)
{
    ColCount = std::max(1, ColCount);
    RowCount = std::max(1, RowCount);
    W = (Client.Width() - 2 * ColCount) / ColCount;
    H = (Client.Height() - 2 * RowCount) / RowCount;
}
}  // namespace

TRect CellRect(const TRect& Client, int ColCount, int RowCount, int Cell)
{
    int w, h;
    CellSize(Client, ColCount, RowCount, w, h);
    ColCount = std::max(1, ColCount);
    const int col = (Cell - 1) % ColCount, row = (Cell - 1) / ColCount;
    const int x = Client.left + 1 + col * (w + 2), y = Client.top + 1 + row * (h + 2);
    return TRect(x, y, x + w, y + h);
}

int CellAt(const TRect& Client, int ColCount, int RowCount, int X, int Y)
{
    const int rows = std::max(1, RowCount), cols = std::max(1, ColCount);
    for (int k = 1; k <= rows * cols; ++k) {
        const TRect r = CellRect(Client, cols, rows, k);
        if (X >= r.left && X < r.right && Y >= r.top && Y < r.bottom) return k;
    }
    return 0;
}

void DrawMarker(TCanvas* C, const TRect& Cell, TColor CellColor)
{
    const int w = Cell.Width(), h = Cell.Height();
    const int cx = Cell.left + w / 2, cy = Cell.top + h / 2;
    const int a = std::min(w, h) / 2 - 2;
    TPen* pen = C->GetPen();
    if ((CellColor & 0xFFFFFF) == 0x808080) {
        pen->SetMode(pmCopy);
        pen->SetColor(clBlack);
    } else {
        pen->SetMode(pmNot);
    }
    C->MoveTo(cx - a, cy);
    C->LineTo(cx - 2, cy);
    C->MoveTo(cx + 3, cy);
    C->LineTo(cx + a + 1, cy);
    C->MoveTo(cx, cy - a);
    C->LineTo(cx, cy - 2);
    C->MoveTo(cx, cy + 3);
    C->LineTo(cx, cy + a);
    pen->SetMode(pmCopy);
}

}  // namespace SpColorGrid

namespace {

void FillCell(TCanvas* C, const TRect& Cell, TColor Color)
{
    TRect r = Cell;
    r.Inflate(-1, -1);
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(Color);
    C->FillRect(r);
}

TRect PanelClient(TspSkinPanel* P)
{
    TRect r(0, 0, P->GetWidth(), P->GetHeight());
    P->AdjustClientRect(r);
    return r;
}

}  // namespace

// ---------------------------------------------------------------- basic grid

TspSkinColorGrid::TspSkinColorGrid(TComponent* AOwner) : TspSkinPanel(AOwner)
{
    SetControlStyle(GetControlStyle() & ~csAcceptsControls);
    SetCaptionMode(true);
    SetCaption(Text(SPCONST_ID_SP_COLORGRID_CAP, "Basic colors"));
    SetBorderStyle(TspSkinBorderStyle::bvFrame);
    SetBounds(GetLeft(), GetTop(), 280, 115);
}

void TspSkinColorGrid::SetRowCount(int Count)
{
    FRowCount = Count;
    Invalidate();
}

void TspSkinColorGrid::SetColCount(int Count)
{
    if (Count <= 0) return;
    FColCount = Count;
    Invalidate();
}

bool TspSkinColorGrid::CheckColor(TColor Value)
{
    return std::find(std::begin(BasicColors), std::end(BasicColors), Value) != std::end(BasicColors);
}

void TspSkinColorGrid::SetColorValue(TColor Value)
{
    FColorValue = Value;
    if (!CheckColor(Value)) return;
    if (OnChange) OnChange(this);
    Invalidate();
}

TRect TspSkinColorGrid::GridRect() { return PanelClient(this); }

void TspSkinColorGrid::PaintGrid(TCanvas* C)
{
    // A row count below 1 shows no cells rather than dividing by it.
    if (FRowCount < 1 || FColCount < 1) return;
    const TRect client = GridRect();
    for (int k = 1; k <= FRowCount * FColCount; ++k) {
        const TRect cell = SpColorGrid::CellRect(client, FColCount, FRowCount, k);
        const TColor color = k <= ColorCount ? BasicColors[k - 1] : kNoCell;
        FillCell(C, cell, color);
        if (k <= ColorCount && color == FColorValue) SpColorGrid::DrawMarker(C, cell, color);
    }
}

void TspSkinColorGrid::Paint()
{
    TspSkinPanel::Paint();
    // A panel with a background picture paints straight onto the canvas.
    if (BackgroundPicture()) PaintGrid(GetCanvas());
}

void TspSkinColorGrid::CreateControlDefaultImage(TBitmap* B)
{
    TspSkinPanel::CreateControlDefaultImage(B);
    PaintGrid(B->GetCanvas());
}

void TspSkinColorGrid::CreateControlSkinImage(TBitmap* B)
{
    TspSkinPanel::CreateControlSkinImage(B);
    PaintGrid(B->GetCanvas());
}

void TspSkinColorGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TspSkinPanel::MouseDown(Button, Shift, X, Y);
    if (FRowCount < 1) return;
    const int k = SpColorGrid::CellAt(GridRect(), FColCount, FRowCount, X, Y);
    if (k >= 1 && k <= ColorCount) SetColorValue(BasicColors[k - 1]);
}

// --------------------------------------------------------------- custom grid

TspSkinCustomColorGrid::TspSkinCustomColorGrid(TComponent* AOwner) : TspSkinPanel(AOwner)
{
    std::fill(std::begin(FColors), std::end(FColors), clWhite);
    SetControlStyle(GetControlStyle() & ~csAcceptsControls);
    SetCaptionMode(true);
    SetCaption(Text(SPCONST_ID_SP_CUSTOMCOLORGRID_CAP, "Custom colors"));
    SetBorderStyle(TspSkinBorderStyle::bvFrame);
    SetBounds(GetLeft(), GetTop(), 280, 115);
}

void TspSkinCustomColorGrid::SetRowCount(int Count)
{
    FRowCount = Count;
    Invalidate();
}

void TspSkinCustomColorGrid::SetColCount(int Count)
{
    if (Count <= 0) return;
    FColCount = Count;
    Invalidate();
}

void TspSkinCustomColorGrid::AddColor(TColor Value)
{
    if (FFillCount >= SlotCount) FFillCount = 0;
    ++FFillCount;
    FColors[FFillCount - 1] = Value;
    Invalidate();
}

void TspSkinCustomColorGrid::SetSlot(int Index, TColor Value)
{
    if (Index < 1 || Index > SlotCount) return;
    FColors[Index - 1] = Value;
    Invalidate();
}

void TspSkinCustomColorGrid::SetFillCount(int Value)
{
    FFillCount = std::max(0, std::min(SlotCount, Value));
}

TRect TspSkinCustomColorGrid::GridRect() { return PanelClient(this); }

void TspSkinCustomColorGrid::PaintGrid(TCanvas* C)
{
    if (FRowCount < 1 || FColCount < 1) return;
    const TRect client = GridRect();
    for (int k = 1; k <= FRowCount * FColCount; ++k) {
        const TRect cell = SpColorGrid::CellRect(client, FColCount, FRowCount, k);
        const TColor color = k <= SlotCount ? FColors[k - 1] : kNoCell;
        FillCell(C, cell, color);
        if (k == FSelected) SpColorGrid::DrawMarker(C, cell, color);
    }
}

void TspSkinCustomColorGrid::Paint()
{
    TspSkinPanel::Paint();
    if (BackgroundPicture()) PaintGrid(GetCanvas());
}

void TspSkinCustomColorGrid::CreateControlDefaultImage(TBitmap* B)
{
    TspSkinPanel::CreateControlDefaultImage(B);
    PaintGrid(B->GetCanvas());
}

void TspSkinCustomColorGrid::CreateControlSkinImage(TBitmap* B)
{
    TspSkinPanel::CreateControlSkinImage(B);
    PaintGrid(B->GetCanvas());
}

void TspSkinCustomColorGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TspSkinPanel::MouseDown(Button, Shift, X, Y);
    if (FRowCount < 1) return;
    const int k = SpColorGrid::CellAt(GridRect(), FColCount, FRowCount, X, Y);
    if (k < 1 || k > SlotCount) return;
    FColorValue = FColors[k - 1];
    FSelected = k;
    Invalidate();
    if (OnChange) OnChange(this);
}

// ------------------------------------------------------------------- preview

TspColorViewer::TspColorViewer(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetControlStyle(GetControlStyle() | csOpaque);
}

void TspColorViewer::SetColorValue(TColor Value)
{
    if (Value == FColorValue) return;
    FColorValue = Value;
    Invalidate();
}

void TspColorViewer::Paint()
{
    const int w = GetWidth(), h = GetHeight();
    if (w < 1 || h < 1) return;
    TBitmap b(w, h, pf24bit);
    TCanvas* c = b.GetCanvas();
    c->GetPen()->SetColor(clBlack);
    c->GetPen()->SetWidth(1);
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(FColorValue);
    c->Rectangle(0, 0, w, h);
    GetCanvas()->Draw(0, 0, &b);
}

// ------------------------------------------------------------- empty control

TspEmptyControl::TspEmptyControl(TComponent* AOwner) : TCustomControl(AOwner) {}
