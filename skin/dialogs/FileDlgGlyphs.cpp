#include "FileDlgGlyphs.h"
#include "Canvas.h"

namespace Spfiledlg {

namespace {

const TColor kKey = static_cast<TColor>(0xFF00FF);       // transparent
const TColor kInk = static_cast<TColor>(0x202020);
const TColor kArrow = static_cast<TColor>(0x2E8B20);     // green, in BGR order
const TColor kFolder = static_cast<TColor>(0x30C8F0);    // yellow
const TColor kFolderEdge = static_cast<TColor>(0x106080);
const TColor kSpark = static_cast<TColor>(0x1030E0);     // red

void Fill(TCanvas* C, int X1, int Y1, int X2, int Y2, TColor Color)
{
    C->GetBrush()->SetColor(Color);
    C->FillRect(TRect(X1, Y1, X2, Y2));
}

void Pixel(TCanvas* C, int X, int Y, TColor Color) { Fill(C, X, Y, X + 1, Y + 1, Color); }

void Shape(TCanvas* C, const TPoint* P, int Count, TColor Fill, TColor Edge)
{
    C->GetBrush()->SetColor(Fill);
    C->GetPen()->SetColor(Edge);
    C->Polygon(P, Count);
}

void DrawBack(TCanvas* C)
{
    const TPoint p[] = {{1, 8}, {7, 2}, {7, 5}, {14, 5}, {14, 11}, {7, 11}, {7, 14}};
    Shape(C, p, 7, kArrow, kInk);
}

void DrawUp(TCanvas* C)
{
    const TPoint p[] = {{8, 1}, {14, 7}, {11, 7}, {11, 14}, {5, 14}, {5, 7}, {2, 7}};
    Shape(C, p, 7, kArrow, kInk);
}

void DrawFolder(TCanvas* C, int Top)
{
    const TPoint p[] = {{1, Top + 2}, {5, Top + 2}, {6, Top + 3}, {13, Top + 3}, {13, 14}, {1, 14}};
    Shape(C, p, 6, kFolder, kFolderEdge);
}

void DrawNewFolder(TCanvas* C)
{
    DrawFolder(C, 3);
    // A spark at the top right: something new.
    for (int i = 0; i < 5; ++i) {
        Pixel(C, 11 + i, 2, kSpark);
        Pixel(C, 13, i, kSpark);
    }
    Pixel(C, 12, 1, kSpark);
    Pixel(C, 14, 3, kSpark);
}

void DrawViewStyle(TCanvas* C)
{
    // Four small icons with a caption line each.
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 2; ++col) {
            const int x = 1 + col * 8, y = 2 + row * 7;
            Fill(C, x, y, x + 4, y + 4, kFolder);
            C->GetBrush()->SetColor(kFolderEdge);
            C->FrameRect(TRect(x, y, x + 4, y + 4));
            Fill(C, x, y + 5, x + 6, y + 6, kInk);
        }
}

void DrawStretch(TCanvas* C)
{
    // A frame with arrows pointing at two opposite corners.
    C->GetBrush()->SetColor(kInk);
    C->FrameRect(TRect(1, 1, 15, 15));
    const TPoint a[] = {{3, 3}, {8, 3}, {3, 8}};
    const TPoint b[] = {{12, 12}, {7, 12}, {12, 7}};
    Shape(C, a, 3, kArrow, kArrow);
    Shape(C, b, 3, kArrow, kArrow);
    C->GetPen()->SetColor(kArrow);
    C->MoveTo(4, 4);
    C->LineTo(12, 12);
}

} // namespace

std::unique_ptr<TBitmap> ToolGlyph(const std::string& Name)
{
    auto b = std::make_unique<TBitmap>(16, 16, pf24bit);
    TCanvas* c = b->GetCanvas();
    Fill(c, 0, 0, 16, 16, kKey);
    if (Name == "SP_BACK") DrawBack(c);
    else if (Name == "SP_UP") DrawUp(c);
    else if (Name == "SP_NEWFOLDER") DrawNewFolder(c);
    else if (Name == "SP_LVSTYLE") DrawViewStyle(c);
    else if (Name == "SP_STRETCH") DrawStretch(c);
    // The key colour stays in the bottom-left corner whatever is drawn.
    Pixel(c, 0, 15, kKey);
    return b;
}

} // namespace Spfiledlg
