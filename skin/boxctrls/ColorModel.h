// Colour model conversions: packed colour values, red/green/blue bytes, HSL
// (hue, saturation, lightness) and HSV (hue, saturation, value). Every real
// becomes an integer by rounding half to even.
//
// One hue scale holds throughout: a real hue h in [0, 1) is h * 360 degrees,
// the degrees shown in edits run 0..359 and wrap (360 is 0), and the palette's
// hue byte is h * 255. Converting HSV back to bytes uses the same 360, so a hue
// read from a colour and written back lands on the same colour.
#pragma once
#include "GraphicsObjects.h"
#include <windows.h>

struct TRGB {
    BYTE R = 0, G = 0, B = 0;
};
struct THSL {
    double H = 0, S = 0, L = 0;
};
struct THSLPSP {
    BYTE H = 0, S = 0, L = 0;
};

namespace Spcolorctrls {

// Rounds half to even.
int RoundEven(double X);
void SplitColorRGB(TColor Color, BYTE& R, BYTE& G, BYTE& B);
TColor RGBToColor(BYTE R, BYTE G, BYTE B);
void RGBToHSLReal(BYTE R, BYTE G, BYTE B, double& H, double& S, double& L);
// Hue 0-359 degrees, saturation and value 0-100.
void RGBToHSVScaled(BYTE R, BYTE G, BYTE B, int& H, int& S, int& V);
// As RGBToHSVScaled, the hue taken from the HSL conversion when there is one.
void RGBToHSVExact(BYTE R, BYTE G, BYTE B, int& H, int& S, int& V);
// Out-of-range inputs are clamped (hue wraps), so any edit text gives a colour.
void HSVToRGBBytes(int H, int S, int V, BYTE& R, BYTE& G, BYTE& B);
// One channel of the HSL to RGB conversion, as a byte.
int HueComponent(double M1, double M2, double H);

}  // namespace Spcolorctrls

// One colour held as RGB bytes, real HSL and HSL bytes at once.
class TPSPColor {
public:
    TPSPColor() = default;
    virtual ~TPSPColor() = default;

    const TRGB& GetRGB() const { return FRGB; }
    const THSL& GetHSL() const { return FHSL; }
    const THSLPSP& GetHSLPSP() const { return FHSLPSP; }
    void SetRGB(const TRGB& Value);
    void SeTHSL(const THSL& Value);
    void SeTHSLPSP(const THSLPSP& Value);
    void Assign(const TPSPColor* Source);
    TColor GetColor() const { return Spcolorctrls::RGBToColor(FRGB.R, FRGB.G, FRGB.B); }

    static THSL RGBToHSL(const TRGB& Value);
    static TRGB HSLToRGB(const THSL& Value);
    static THSLPSP HSLToHSLPSP(const THSL& Value);
    static THSL HSLPSPToHSL(const THSLPSP& Value);

private:
    TRGB FRGB;
    THSL FHSL;
    THSLPSP FHSLPSP;
};
