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

const TColor kMetal = static_cast<TColor>(0xC0C0C0);
const TColor kDark = static_cast<TColor>(0x606060);
const TColor kLight = static_cast<TColor>(0x00E000);     // a drive's lamp
const TColor kWire = static_cast<TColor>(0x800000);      // blue
const TColor kDisc = static_cast<TColor>(0xE0D0B0);
const TColor kChip = static_cast<TColor>(0x208020);

// A drive box across the picture's lower part, its lamp at the right.
void DrawDriveBox(TCanvas* C, int Top, int Bottom)
{
    Fill(C, 1, Top, 15, Bottom, kMetal);
    C->GetBrush()->SetColor(kInk);
    C->FrameRect(TRect(1, Top, 15, Bottom));
    Pixel(C, 12, Bottom - 3, kLight);
}

void DrawFloppy(TCanvas* C)
{
    Fill(C, 2, 1, 14, 15, kDark);
    Fill(C, 4, 1, 12, 6, kMetal);
    Fill(C, 4, 9, 12, 15, kDisc);
}

void DrawHard(TCanvas* C) { DrawDriveBox(C, 6, 13); }

void DrawNetwork(TCanvas* C)
{
    DrawDriveBox(C, 2, 9);
    Fill(C, 7, 9, 9, 13, kWire);
    Fill(C, 2, 13, 14, 15, kWire);
}

void DrawCdRom(TCanvas* C)
{
    DrawDriveBox(C, 8, 15);
    C->GetBrush()->SetColor(kDisc);
    C->GetPen()->SetColor(kDark);
    C->Ellipse(TRect(3, 0, 13, 10));
    Fill(C, 7, 4, 9, 6, kDark);
}

void DrawRam(TCanvas* C)
{
    Fill(C, 1, 2, 15, 8, kChip);
    for (int x = 2; x < 15; x += 2) {
        Pixel(C, x, 1, kInk);
        Pixel(C, x, 8, kInk);
    }
}

void DrawFolderGlyph(TCanvas* C, bool Open, bool Current)
{
    const TPoint back[] = {{1, 2}, {5, 2}, {6, 3}, {13, 3}, {13, 13}, {1, 13}};
    Shape(C, back, 6, kFolder, kFolderEdge);
    if (Open) {
        // The front flap tilted down: the folder is open.
        const TPoint flap[] = {{3, 7}, {15, 7}, {13, 13}, {1, 13}};
        Shape(C, flap, 4, Current ? kSpark : kFolder, kFolderEdge);
    }
}

} // namespace

std::unique_ptr<TBitmap> FileCtrlGlyph(const std::string& Name)
{
    int height = 16;
    if (Name == "SP_RAM") height = 11;
    else if (Name == "SP_OPENFOLDER" || Name == "SP_CLOSEDFOLDER" || Name == "SP_CURRENTFOLDER") height = 15;
    else if (Name != "SP_FLOPPY" && Name != "SP_HARD" && Name != "SP_NETWORK" && Name != "SP_CDROM") return nullptr;
    auto b = std::make_unique<TBitmap>(16, height, pf24bit);
    TCanvas* c = b->GetCanvas();
    Fill(c, 0, 0, 16, height, kKey);
    if (Name == "SP_FLOPPY") DrawFloppy(c);
    else if (Name == "SP_HARD") DrawHard(c);
    else if (Name == "SP_NETWORK") DrawNetwork(c);
    else if (Name == "SP_CDROM") DrawCdRom(c);
    else if (Name == "SP_RAM") DrawRam(c);
    else DrawFolderGlyph(c, Name != "SP_CLOSEDFOLDER", Name == "SP_CURRENTFOLDER");
    Pixel(c, 0, height - 1, kKey);
    b->SetTransparent(true);
    return b;
}

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
