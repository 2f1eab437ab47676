// The colour model: conversions both ways as tables (greys, pure hues, ends of
// the ranges), the three forms of TPSPColor, and round trips that must not drift.
#include "test_gtest.h"
#include "ColorModel.h"
#include <algorithm>
#include <cstdlib>
#include <string>

using namespace Spcolorctrls;

namespace {

TRGB Rgb(int R, int G, int B)
{
    TRGB c;
    c.R = static_cast<BYTE>(R);
    c.G = static_cast<BYTE>(G);
    c.B = static_cast<BYTE>(B);
    return c;
}

std::string Name(int R, int G, int B)
{
    return std::to_string(R) + "," + std::to_string(G) + "," + std::to_string(B);
}

TEST(ColourModel, PackedColourAndBytes)
{
    BYTE r, g, b;
    SplitColorRGB(0x00563412, r, g, b);
    EXPECT_EQ(r, 0x12);
    EXPECT_EQ(g, 0x34);
    EXPECT_EQ(b, 0x56);
    // System colours are not translated: only the low three bytes count.
    SplitColorRGB(clBtnFace, r, g, b);
    EXPECT_EQ(r, COLOR_BTNFACE);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(RGBToColor(0x12, 0x34, 0x56), 0x563412);
    EXPECT_EQ(RGBToColor(255, 255, 255), 0xFFFFFF);
}

TEST(ColourModel, RgbToHslAndHsv)
{
    struct Case {
        int R, G, B;
        double H, S, L;         // HSL reals
        int PH, PS, PL;         // HSL bytes
        int VH, VS, VV;         // HSV 0-359 / 0-100 / 0-100
    };
    const Case cases[] = {
        {255, 0, 0, 0, 1, 0.5, 0, 255, 128, 0, 100, 100},
        {255, 255, 0, 1.0 / 6, 1, 0.5, 42, 255, 128, 60, 100, 100},   // 42.5 rounds to even,
        {0, 255, 0, 1.0 / 3, 1, 0.5, 85, 255, 128, 120, 100, 100},
        {0, 255, 255, 0.5, 1, 0.5, 128, 255, 128, 180, 100, 100},
        {0, 0, 255, 2.0 / 3, 1, 0.5, 170, 255, 128, 240, 100, 100},
        {255, 0, 255, 5.0 / 6, 1, 0.5, 212, 255, 128, 300, 100, 100},
        {128, 128, 128, 0, 0, 128 / 255.0, 0, 0, 128, 0, 0, 50},
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {255, 255, 255, 0, 0, 1, 0, 0, 255, 0, 0, 100},
        {1, 1, 1, 0, 0, 1 / 255.0, 0, 0, 1, 0, 0, 0},
        // A hue just below red wraps to 0 degrees, never 360.
        {255, 0, 1, 1 - 1 / 1530.0, 1, 0.5, 255, 255, 128, 0, 100, 100},
        {128, 0, 0, 0, 1, 64 / 255.0, 0, 255, 64, 0, 100, 50},
        {255, 128, 128, 0, 1, 383 / 510.0, 0, 255, 192, 0, 50, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Name(c.R, c.G, c.B));
        double h, s, l;
        RGBToHSLReal(c.R, c.G, c.B, h, s, l);
        EXPECT_NEAR(h, c.H, 1e-9);
        EXPECT_NEAR(s, c.S, 1e-9);
        EXPECT_NEAR(l, c.L, 1e-9);
        TPSPColor p;
        p.SetRGB(Rgb(c.R, c.G, c.B));
        EXPECT_EQ(p.GetHSLPSP().H, c.PH);
        EXPECT_EQ(p.GetHSLPSP().S, c.PS);
        EXPECT_EQ(p.GetHSLPSP().L, c.PL);
        int vh, vs, vv;
        RGBToHSVExact(c.R, c.G, c.B, vh, vs, vv);
        EXPECT_EQ(vh, c.VH);
        EXPECT_EQ(vs, c.VS);
        EXPECT_EQ(vv, c.VV);
        RGBToHSVScaled(c.R, c.G, c.B, vh, vs, vv);
        EXPECT_EQ(vh, c.VH);
    }
}

TEST(ColourModel, HsvToRgb)
{
    struct Case {
        int H, S, V, R, G, B;
    };
    const Case cases[] = {
        {0, 100, 100, 255, 0, 0},   {60, 100, 100, 255, 255, 0}, {120, 100, 100, 0, 255, 0},
        {180, 100, 100, 0, 255, 255}, {240, 100, 100, 0, 0, 255}, {300, 100, 100, 255, 0, 255},
        {359, 100, 100, 255, 0, 4},   {0, 0, 50, 128, 128, 128},  {200, 0, 100, 255, 255, 255},
        {0, 0, 0, 0, 0, 0},           {90, 50, 50, 96, 128, 64},
        // Out of range inputs wrap (hue) or clamp (percentages).
        {360, 100, 100, 255, 0, 0},   {-120, 100, 100, 0, 0, 255}, {0, 150, 120, 255, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Name(c.H, c.S, c.V));
        BYTE r, g, b;
        HSVToRGBBytes(c.H, c.S, c.V, r, g, b);
        EXPECT_EQ(r, c.R);
        EXPECT_EQ(g, c.G);
        EXPECT_EQ(b, c.B);
    }
}

TEST(ColourModel, HslFormsAndSetters)
{
    TPSPColor p;
    EXPECT_EQ(p.GetColor(), 0);
    THSLPSP w;
    w.L = 255;
    p.SeTHSLPSP(w);
    EXPECT_EQ(p.GetColor(), 0xFFFFFF);
    p.SeTHSLPSP(THSLPSP());
    EXPECT_EQ(p.GetColor(), 0);
    THSL h;
    h.H = 1.0 / 3;
    h.S = 1;
    h.L = 0.5;
    p.SeTHSL(h);
    EXPECT_EQ(p.GetColor(), RGBToColor(0, 255, 0));
    EXPECT_EQ(p.GetHSLPSP().H, 85);
    TPSPColor q;
    q.Assign(&p);
    EXPECT_EQ(q.GetColor(), p.GetColor());
    EXPECT_DOUBLE_EQ(q.GetHSL().H, p.GetHSL().H);
    EXPECT_EQ(HueComponent(0, 1, -0.5), 255);   // brought into 0..1 first
}

// RGB -> HSL -> RGB returns every colour exactly.
TEST(ColourModel, HslRoundTripIsExact)
{
    int failures = 0;
    for (int r = 0; r < 256; r += 3)
        for (int g = 0; g < 256; g += 5)
            for (int b = 0; b < 256; b += 7) {
                TRGB back = TPSPColor::HSLToRGB(TPSPColor::RGBToHSL(Rgb(r, g, b)));
                if (back.R != r || back.G != g || back.B != b) ++failures;
            }
    EXPECT_EQ(failures, 0);
}

// The degrees read from a colour and written back land on the same colour for
// pure hues, and never more than the percent steps away for any colour.
TEST(ColourModel, HsvRoundTripKeepsTheHueScale)
{
    const int pure[][3] = {{255, 0, 0}, {255, 255, 0}, {0, 255, 0}, {0, 255, 255}, {0, 0, 255}, {255, 0, 255}};
    for (const auto& p : pure) {
        SCOPED_TRACE(Name(p[0], p[1], p[2]));
        int h, s, v;
        RGBToHSVExact(p[0], p[1], p[2], h, s, v);
        BYTE r, g, b;
        HSVToRGBBytes(h, s, v, r, g, b);
        EXPECT_EQ(r, p[0]);
        EXPECT_EQ(g, p[1]);
        EXPECT_EQ(b, p[2]);
    }
    // Percent steps of the saturation and value: a rebuilt colour stays within them.
    int worst = 0;
    for (int r = 0; r < 256; r += 5)
        for (int g = 0; g < 256; g += 5)
            for (int b = 0; b < 256; b += 5) {
                int h, s, v;
                RGBToHSVExact(r, g, b, h, s, v);
                BYTE r2, g2, b2;
                HSVToRGBBytes(h, s, v, r2, g2, b2);
                worst = std::max(worst, std::max({std::abs(r2 - r), std::abs(g2 - g), std::abs(b2 - b)}));
            }
    EXPECT_LE(worst, 4);
}

}  // namespace
