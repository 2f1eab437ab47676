#include "ColorModel.h"
#include <algorithm>
#include <cmath>

namespace Spcolorctrls {

int RoundEven(double X) { return static_cast<int>(std::nearbyint(X)); }

namespace {

BYTE ToByte(double X) { return static_cast<BYTE>(std::max(0, std::min(255, RoundEven(X)))); }

// The hue of the three channels (any scale) in [0, 1); Max > Min.
double HueOf(double R, double G, double B, double Max, double Min)
{
    const double d = Max - Min;
    double h;
    if (Max == R)
        h = (G - B) / d;
    else if (Max == G)
        h = (B - R) / d + 2;
    else
        h = (R - G) / d + 4;
    h /= 6;
    if (h < 0) h += 1;
    return h;
}

// Degrees 0..359 of a real hue; 360 wraps to 0.
int HueDegrees(double H) { return RoundEven(H * 360) % 360; }

}  // namespace

void SplitColorRGB(TColor Color, BYTE& R, BYTE& G, BYTE& B)
{
    R = static_cast<BYTE>(Color & 0xFF);
    G = static_cast<BYTE>((Color >> 8) & 0xFF);
    B = static_cast<BYTE>((Color >> 16) & 0xFF);
}

TColor RGBToColor(BYTE R, BYTE G, BYTE B) { return static_cast<TColor>(R + G * 256 + B * 65536); }

void RGBToHSLReal(BYTE R, BYTE G, BYTE B, double& H, double& S, double& L)
{
    const double r = R / 255.0, g = G / 255.0, b = B / 255.0;
    const double mx = std::max(r, std::max(g, b)), mn = std::min(r, std::min(g, b));
    L = (mx + mn) / 2;
    if (mx == mn) {
        H = 0;
        S = 0;
        return;
    }
    const double d = mx - mn;
    S = L >= 0.5 ? d / (2 - mx - mn) : d / (mx + mn);
    H = HueOf(r, g, b, mx, mn);
}

void RGBToHSVScaled(BYTE R, BYTE G, BYTE B, int& H, int& S, int& V)
{
    const int mx = std::max<int>(R, std::max<int>(G, B)), mn = std::min<int>(R, std::min<int>(G, B));
    if (mx == mn) {
        S = 0;
        V = RoundEven(R * 100.0 / 255);
        H = 0;
        return;
    }
    S = RoundEven(double(mx - mn) / mx * 100);
    V = RoundEven(mx / 255.0 * 100);
    H = HueDegrees(HueOf(R, G, B, mx, mn));
}

void RGBToHSVExact(BYTE R, BYTE G, BYTE B, int& H, int& S, int& V)
{
    double h, s, l;
    RGBToHSLReal(R, G, B, h, s, l);
    RGBToHSVScaled(R, G, B, H, S, V);
    if (S != 0) H = HueDegrees(h);
}

void HSVToRGBBytes(int H, int S, int V, BYTE& R, BYTE& G, BYTE& B)
{
    H %= 360;
    if (H < 0) H += 360;
    S = std::max(0, std::min(100, S));
    V = std::max(0, std::min(100, V));
    const double s = S / 100.0, v = V * 255.0 / 100;
    if (s == 0) {
        R = G = B = ToByte(v);
        return;
    }
    const double h = (H / 360.0) / (1.0 / 6);
    const int i = static_cast<int>(std::floor(h));
    const double f = h - i;
    const double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    double r, g, b;
    switch (i) {
    case 0: r = v, g = t, b = p; break;
    case 1: r = q, g = v, b = p; break;
    case 2: r = p, g = v, b = t; break;
    case 3: r = p, g = q, b = v; break;
    case 4: r = t, g = p, b = v; break;
    default: r = v, g = p, b = q; break;
    }
    R = ToByte(r);
    G = ToByte(g);
    B = ToByte(b);
}

int HueComponent(double M1, double M2, double H)
{
    if (H < 0)
        H += 1;
    else if (H > 1)
        H -= 1;
    double v;
    if (6 * H < 1)
        v = M1 + (M2 - M1) * 6 * H;
    else if (2 * H < 1)
        v = M2;
    else if (3 * H < 2)
        v = M1 + (M2 - M1) * (2.0 / 3 - H) * 6;
    else
        v = M1;
    return ToByte(v * 255);
}

}  // namespace Spcolorctrls


THSL TPSPColor::RGBToHSL(const TRGB& Value)
{
    THSL r;
    Spcolorctrls::RGBToHSLReal(Value.R, Value.G, Value.B, r.H, r.S, r.L);
    return r;
}

TRGB TPSPColor::HSLToRGB(const THSL& Value)
{
    TRGB r;
    if (Value.S == 0) {
        r.R = r.G = r.B = static_cast<BYTE>(std::max(0, std::min(255, Spcolorctrls::RoundEven(Value.L * 255))));
        return r;
    }
    const double m2 = Value.L > 0.5 ? Value.L + Value.S - Value.L * Value.S : Value.L * (1 + Value.S);
    const double m1 = 2 * Value.L - m2;
    r.R = static_cast<BYTE>(Spcolorctrls::HueComponent(m1, m2, Value.H + 1.0 / 3));
    r.G = static_cast<BYTE>(Spcolorctrls::HueComponent(m1, m2, Value.H));
    r.B = static_cast<BYTE>(Spcolorctrls::HueComponent(m1, m2, Value.H - 1.0 / 3));
    return r;
}

THSLPSP TPSPColor::HSLToHSLPSP(const THSL& Value)
{
    auto b = [](double X) { return static_cast<BYTE>(std::max(0, std::min(255, Spcolorctrls::RoundEven(X * 255)))); };
    THSLPSP r;
    r.H = b(Value.H);
    r.S = b(Value.S);
    r.L = b(Value.L);
    return r;
}

THSL TPSPColor::HSLPSPToHSL(const THSLPSP& Value)
{
    THSL r;
    r.H = Value.H / 255.0;
    r.S = Value.S / 255.0;
    r.L = Value.L / 255.0;
    return r;
}

void TPSPColor::SetRGB(const TRGB& Value)
{
    FRGB = Value;
    FHSL = RGBToHSL(Value);
    FHSLPSP = HSLToHSLPSP(FHSL);
}

void TPSPColor::SeTHSL(const THSL& Value)
{
    FHSL = Value;
    FRGB = HSLToRGB(Value);
    FHSLPSP = HSLToHSLPSP(Value);
}

void TPSPColor::SeTHSLPSP(const THSLPSP& Value)
{
    FHSLPSP = Value;
    FHSL = HSLPSPToHSL(Value);
    FRGB = HSLToRGB(FHSL);
}

void TPSPColor::Assign(const TPSPColor* Source)
{
    if (!Source) return;
    FRGB = Source->FRGB;
    FHSL = Source->FHSL;
    FHSLPSP = Source->FHSLPSP;
}
