// The colour grids (cell geometry, hit tests, selection and events), the colour
// preview and the hue ring palette (zones, hue of the ring, cursors).
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "Bitmap.h"
#include "Form.h"
#include "SkinColorGrids.h"
#include "SkinColorPalette.h"
#include "WaitUntil.h"
#include <cmath>
#include <memory>
#include <string>
#include <vector>

using namespace CtlFixture;

namespace {

TEST(ColourGrid, CellGeometryAndHitTest)
{
    // 6 x 8 cells over a 132 x 160 client at (10, 20): cells 20 x 18, 2 pixels apart.
    const TRect client(10, 20, 142, 180);
    EXPECT_EQ(SpColorGrid::CellRect(client, 6, 8, 1), TRect(11, 21, 31, 39));
    EXPECT_EQ(SpColorGrid::CellRect(client, 6, 8, 2), TRect(33, 21, 53, 39));
    EXPECT_EQ(SpColorGrid::CellRect(client, 6, 8, 7), TRect(11, 41, 31, 59));
    EXPECT_EQ(SpColorGrid::CellRect(client, 6, 8, 48), TRect(121, 161, 141, 179));
    struct Case {
        int X, Y, Cell;
    };
    const Case cases[] = {
        {11, 21, 1}, {30, 38, 1},   // left/top inclusive
        {31, 21, 0}, {32, 21, 0},   // right exclusive, then the gap
        {33, 21, 2}, {11, 39, 0}, {11, 41, 7},
        {10, 20, 0}, {140, 178, 48}, {141, 178, 0}, {140, 179, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.X) + "," + std::to_string(c.Y));
        EXPECT_EQ(SpColorGrid::CellAt(client, 6, 8, c.X, c.Y), c.Cell);
    }
}

struct GridScene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinColorGrid* Basic;
    TspSkinCustomColorGrid* Custom;
    GridScene()
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(20, 20, 400, 300);
        Basic = new TspSkinColorGrid(Form.get());
        Basic->SetParent(Form.get());
        Basic->SetBorderStyle(TspSkinBorderStyle::bvNone);
        Basic->SetRowCount(8);
        Basic->SetColCount(6);
        Basic->SetBounds(5, 5, 167, 195);
        Custom = new TspSkinCustomColorGrid(Form.get());
        Custom->SetParent(Form.get());
        Custom->SetBounds(5, 210, 167, 68);
        Form->Show();
        PumpUntilIdle();
    }
    static void Click(TWinControl* C, const TPoint& P, UINT Msg = WM_LBUTTONDOWN)
    {
        C->Perform(Msg, Msg == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, MAKELPARAM(P.x, P.y));
        C->Perform(Msg + 1, 0, MAKELPARAM(P.x, P.y));
    }
    static TPoint Centre(const TRect& R) { return TPoint(R.left + R.Width() / 2, R.top + R.Height() / 2); }
};

TEST(ColourGrid, BasicCellsChooseTheirColourAndMarkIt)
{
    GridScene s;
    EXPECT_EQ(s.Basic->GetCaption(), "Basic colors");
    EXPECT_EQ(s.Custom->GetCaption(), "Custom colors");
    std::vector<TColor> changes;
    s.Basic->OnChange = [&](TObject*) { changes.push_back(s.Basic->GetColorValue()); };
    const TRect client = s.Basic->GridRect();
    // Cell 5 holds FF0000 (red), cell 43 white; six to a row in the 6 x 8 grid.
    const TRect red = SpColorGrid::CellRect(client, 6, 8, 5), white = SpColorGrid::CellRect(client, 6, 8, 43);
    GridScene::Click(s.Basic, GridScene::Centre(red));
    GridScene::Click(s.Basic, GridScene::Centre(red), WM_RBUTTONDOWN);   // any button selects
    GridScene::Click(s.Basic, GridScene::Centre(white));
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0], clRed);
    EXPECT_EQ(changes[1], clRed);
    EXPECT_EQ(changes[2], clWhite);
    // A colour outside the table is stored and reported to nobody.
    s.Basic->SetColorValue(0x123456);
    EXPECT_EQ(s.Basic->GetColorValue(), 0x123456);
    EXPECT_EQ(changes.size(), 3u);
    EXPECT_FALSE(TspSkinColorGrid::CheckColor(0x123456));
    // Outside every cell: nothing.
    GridScene::Click(s.Basic, TPoint(client.right - 1, client.bottom - 1));
    EXPECT_EQ(changes.size(), 3u);

    // The cell shows its colour; the marked one carries the cross at its centre.
    s.Basic->SetColorValue(clRed);
    auto shot = Snapshot(s.Basic);
    EXPECT_EQ(Probe(shot.get(), red.left + 2, red.top + 2), clRed);
    EXPECT_NE(Probe(shot.get(), red.left + red.Width() / 2 - 4, red.top + red.Height() / 2), clRed);
    EXPECT_EQ(Probe(shot.get(), white.left + white.Width() / 2 - 4, white.top + white.Height() / 2), clWhite);
    // The 48 colours are all different.
    for (int i = 0; i < TspSkinColorGrid::ColorCount; ++i)
        for (int j = i + 1; j < TspSkinColorGrid::ColorCount; ++j)
            EXPECT_NE(TspSkinColorGrid::BasicColors[i], TspSkinColorGrid::BasicColors[j]);
}

TEST(ColourGrid, CustomSlotsFillInTurnAndSelect)
{
    GridScene s;
    for (int i = 1; i <= 14; ++i) s.Custom->AddColor(RGB(i, 0, 0));
    EXPECT_EQ(s.Custom->GetFillCount(), 2);
    EXPECT_EQ(s.Custom->GetSlot(1), RGBToColor(13, 0, 0));
    EXPECT_EQ(s.Custom->GetSlot(2), RGBToColor(14, 0, 0));
    EXPECT_EQ(s.Custom->GetSlot(3), RGBToColor(3, 0, 0));
    EXPECT_EQ(s.Custom->GetSlot(12), RGBToColor(12, 0, 0));
    EXPECT_EQ(s.Custom->GetSelected(), 0);
    int changes = 0;
    s.Custom->OnChange = [&](TObject*) { ++changes; };
    const TRect cell8 = SpColorGrid::CellRect(s.Custom->GridRect(), 6, 2, 8);
    GridScene::Click(s.Custom, GridScene::Centre(cell8));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(s.Custom->GetSelected(), 8);
    EXPECT_EQ(s.Custom->GetColorValue(), RGBToColor(8, 0, 0));
}

TEST(ColourViewer, FramedFill)
{
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(20, 20, 100, 100);
    auto* v = new TspColorViewer(form.get());
    v->SetParent(form.get());
    v->SetBounds(10, 10, 40, 40);
    v->SetColorValue(0x00FF80);
    form->Show();
    PumpUntilIdle();
    auto shot = Snapshot(form.get());
    EXPECT_EQ(Probe(shot.get(), 10, 10), clBlack);
    EXPECT_EQ(Probe(shot.get(), 49, 30), clBlack);
    EXPECT_EQ(Probe(shot.get(), 30, 30), 0x00FF80);
}

TEST(ColourPalette, GeometryHelpers)
{
    using namespace SpPaletteGeometry;
    EXPECT_NEAR(CalcAnglePoints(0, 0, 10, 0), 0, 1e-6);
    EXPECT_NEAR(CalcAnglePoints(0, 0, 0, 10), 90, 1e-6);
    EXPECT_NEAR(CalcAnglePoints(0, 0, -10, 0), 180, 1e-6);
    EXPECT_NEAR(CalcAnglePoints(0, 0, 0, -10), 270, 1e-6);
    EXPECT_NEAR(CalcAnglePoints(0, 0, -10, -10), 225, 1e-6);
    EXPECT_EQ(CalcAnglePoints(3, 3, 3, 3), 0);
    // Clockwise from straight up.
    EXPECT_NEAR(CalcAngle3Points(98, 0, 98, 98, 190, 98), 90, 1e-6);
    EXPECT_NEAR(CalcAngle3Points(98, 0, 98, 98, 5, 98), 270, 1e-6);
    double x, y;
    CalcRotationPoint(97, 97, 90, 97, 10, x, y);
    EXPECT_NEAR(x, 184, 1e-3);
    EXPECT_NEAR(y, 97, 1e-3);
}

struct PaletteScene {
    TBitmap Picture;
    TPSPColor Color;
    TspColorPalette Palette{&Picture, &Color};
    int Changes = 0;
    PaletteScene()
    {
        Palette.OnChangeEdits = [this] { ++Changes; };
        Palette.InitPSPPalette(nullptr);
    }
    double HueAt(int X, int Y)
    {
        const TColor c = Probe(&Picture, X, Y);
        double h, s, l;
        Spcolorctrls::RGBToHSLReal(GetRValue(c), GetGValue(c), GetBValue(c), h, s, l);
        return h * 360;
    }
};

double AngleGap(double A, double B)
{
    double d = std::fabs(A - B);
    return std::min(d, 360 - d);
}

TEST(ColourPalette, ZonesAndClicks)
{
    PaletteScene p;
    struct Case {
        int X, Y;
        TClickZonePSP Zone;
    };
    const Case cases[] = {
        {97, 97, czpspPCar}, {44, 44, czpspPCar}, {149, 149, czpspPCar}, {150, 97, czpspPnone},
        {97, 5, czpspPCircle}, {5, 97, czpspPCircle}, {97, 30, czpspPnone}, {2, 2, czpspPnone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.X) + "," + std::to_string(c.Y));
        EXPECT_EQ(p.Palette.ZoneAt(c.X, c.Y), c.Zone);
    }
    EXPECT_EQ(p.Palette.HueByteAt(97, 3), 255);   // straight up
    // A press outside both does nothing, nor does the drag that follows.
    EXPECT_FALSE(p.Palette.MouseDown(mbLeft, 2, 2));
    EXPECT_FALSE(p.Palette.MouseMove(ssLeft, 97, 97));
    p.Palette.MouseUp(mbLeft, 2, 2);
    EXPECT_EQ(p.Changes, 0);
    // A drag from the square keeps to its border, corners included.
    EXPECT_TRUE(p.Palette.MouseDown(mbLeft, 100, 100));
    EXPECT_TRUE(p.Palette.MouseMove(ssLeft, 300, 300));
    EXPECT_EQ(p.Color.GetHSLPSP().S, 255);
    EXPECT_EQ(p.Color.GetHSLPSP().L, 255);
    EXPECT_TRUE(p.Palette.MouseMove(ssLeft, -20, -20));
    EXPECT_EQ(p.Color.GetHSLPSP().S, 0);
    EXPECT_EQ(p.Color.GetHSLPSP().L, 0);
    EXPECT_FALSE(p.Palette.MouseMove(0, 150, 150));   // no button held
    p.Palette.MouseUp(mbLeft, 44, 44);
    EXPECT_EQ(p.Palette.Zone, czpspPnone);
    // Square at the right middle with hue 0: red.
    p.Palette.MouseDown(mbLeft, 150, 97);
    p.Palette.MouseDown(mbLeft, 149, 97);
    EXPECT_GE(GetRValue(p.Color.GetColor()), 250);
    EXPECT_LE(GetGValue(p.Color.GetColor()), 3);
    const int before = p.Changes;
    // The ring: a click at the held hue changes nothing.
    EXPECT_FALSE(p.Palette.MouseDown(mbLeft, 97, 3));
    EXPECT_EQ(p.Changes, before);
    // At the left of the ring: 270 degrees clockwise, a quarter turn on the hue.
    EXPECT_TRUE(p.Palette.MouseDown(mbLeft, 5, 97));
    EXPECT_EQ(p.Color.GetHSLPSP().H, 64);
    EXPECT_EQ(p.Changes, before + 1);
}

// One hue scale: the ring shows at the cursor of a hue the colour of that hue,
// and a click there gives that hue back.
TEST(ColourPalette, RingCursorAndClickAgreeWithTheRing)
{
    PaletteScene p;
    for (int deg : {0, 45, 90, 120, 200, 270, 330}) {
        SCOPED_TRACE(deg);
        THSL h;
        h.H = deg / 360.0;
        h.S = 1;
        h.L = 0.5;
        p.Color.SeTHSL(h);
        const TPoint c = p.Palette.RingCursor();
        EXPECT_LT(AngleGap(p.HueAt(c.x, c.y), deg), 2.0);
        EXPECT_LE(std::abs(p.Palette.HueByteAt(c.x, c.y) % 255 - p.Color.GetHSLPSP().H % 255), 1);
    }
}

TEST(ColourPalette, CursorTwiceRestoresAndBackground)
{
    PaletteScene p;
    EXPECT_EQ(Probe(&p.Picture, 1, 1), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    auto copy = NewPicture(195, 195, 0);
    auto same = [&] {
        for (int y = 0; y < 195; ++y)
            for (int x = 0; x < 195; ++x)
                if (Probe(&p.Picture, x, y) != Probe(copy.get(), x, y)) return false;
        return true;
    };
    copy->GetCanvas()->Draw(0, 0, &p.Picture);
    EXPECT_TRUE(same());
    p.Palette.DrawCursor();
    EXPECT_FALSE(same());
    p.Palette.DrawCursor();
    EXPECT_TRUE(same());
    // The square: black along the top, white along the bottom.
    EXPECT_EQ(Probe(&p.Picture, 100, 44), clBlack);
    EXPECT_EQ(Probe(&p.Picture, 100, 150), clWhite);
}

// A skin's "panel" element is tiled behind ring and square; one whose tile is
// empty or outside its picture leaves the button face.
TEST(ColourPalette, PanelElementTiledBehind)
{
    struct Case {
        TRect Client;
        int PictureIndex;
        TColor Corner;
    };
    const TColor face = static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
    const Case cases[] = {
        {TRect(10, 2, 50, 18), 0, cNormal},
        {TRect(10, 2, 10, 18), 0, face},    // empty tile
        {TRect(10, 2, 50, 18), 7, face},    // no such picture
    };
    for (const Case& c : cases) {
        auto skin = NewSkin();
        auto r = std::make_unique<TspDataSkinPanelControl>("panel");
        r->PictureIndex = c.PictureIndex;
        r->SkinRect = LookRect(0);
        r->ClientRect = c.Client;
        skin->CtrlList.push_back(std::move(r));
        TBitmap picture;
        TPSPColor colour;
        TspColorPalette p(&picture, &colour);
        p.InitPSPPalette(skin.get());
        EXPECT_EQ(Probe(&picture, 1, 1), c.Corner);
        EXPECT_EQ(Probe(&picture, 194, 194), c.Corner);
        EXPECT_EQ(Probe(&picture, 100, 150), clWhite);   // the square stays on top
    }
}

}  // namespace
