// The colour dialog's palette: a 195 x 195 picture of a hue ring around a
// saturation/lightness square for the current hue, with two XOR-drawn circles
// marking the palette colour. Presses and drags on the ring change the hue, in
// the square the saturation and lightness.
#pragma once
#include "ColorModel.h"
#include "Controls.h"
#include <functional>

class TBitmap;
class TspSkinData;

// Plane geometry in screen degrees (0 to the right, 90 downward).
namespace SpPaletteGeometry {
const double CalcEpsilon = 1e-8;
const double CalcRadian = 0.01745329252;
double CalcDistancePoints(double X1, double Y1, double X2, double Y2);
double CalcAnglePoints(double X1, double Y1, double X2, double Y2);
double CalcAngle3Points(double X1, double Y1, double X2, double Y2, double X3, double Y3);
void CalcAngle360(double& A);
void CalcRotationPoint(double CX, double CY, double Delta, double PX, double PY, double& X, double& Y);
void CalcPointSurEllipse(double CX, double CY, double RX, double RY, double Angle, double& X, double& Y);
double CalcArcTan(double X);
double CalcArcSinRadians(double X);
double CalcArcCosRadians(double X);
}  // namespace SpPaletteGeometry

enum TClickZonePSP { czpspPnone, czpspPCircle, czpspPCar };

class TspColorPalette {
public:
    static const int PaletteSize = 195;
    static const int SquareLo = 44, SquareHi = 150;

    // Picture is drawn on (resized to the palette, 32 bits); Color is the colour shown.
    TspColorPalette(TBitmap* Picture, TPSPColor* Color);

    // Builds the whole picture: background (the "panel" element tiled, or the
    // button face), ring, square and cursors.
    void InitPSPPalette(TspSkinData* CtrlSkinData);
    // The square for the current hue, then the cursors.
    void DrawPSPPalette();
    // Both cursors in XOR: a second call restores the picture.
    void DrawCursor();

    // The zone a point falls in (the square wins over the ring).
    TClickZonePSP ZoneAt(int X, int Y) const;
    // Mouse handlers of the image; true when the palette colour changed.
    bool MouseDown(TMouseButton Button, int X, int Y);
    bool MouseMove(TShiftState Shift, int X, int Y);
    bool MouseUp(TMouseButton Button, int X, int Y);

    // Hue byte for a ring point; ring pixel colour and cursor places, for tests.
    BYTE HueByteAt(int X, int Y) const;
    TPoint SquareCursor() const;
    TPoint RingCursor() const;

    TClickZonePSP Zone = czpspPnone;
    int RingOffset = 0, SquareOffset = 0;
    // Called after the palette changed the colour (the dialog spreads it to its edits).
    std::function<void()> OnChangeEdits;
    // Called when the picture changed and its control should repaint.
    std::function<void()> OnRepaint;

private:
    bool Act(int X, int Y);
    void DrawSquare();
    void DrawBackground(TspSkinData* D);

    TBitmap* FPicture;
    TPSPColor* FColor;
};
