// The colour dialog driven while it runs modally: the colour chosen by mouse (a
// grid cell, the palette, a field's drop-down track bar) and by typing into the
// number fields, the fields kept in step, touching a field without drift, Cancel
// keeping everything, and the custom colours.
#include "test_gtest.h"
#include "ColourTestKit.h"
#include "Form.h"
#include "Image.h"
#include "SkinButton.h"
#include "SkinColorDialog.h"
#include "SkinColorGrids.h"
#include "SkinColorPalette.h"
#include "SkinData.h"
#include "SkinLabels.h"
#include "SkinTrackEdit.h"
#include "WaitUntil.h"

using namespace ColourTest;

namespace {

int Val(TspSkinTrackEdit* E) { return E->GetValue(); }

void ClickButton(TspSkinButton* B) { Click(B, B->GetWidth() / 2, B->GetHeight() / 2); }

int Right(TControl* C) { return C->GetLeft() + C->GetWidth(); }

TColor HSVColour(int H, int S, int V)
{
    BYTE r, g, b;
    Spcolorctrls::HSVToRGBBytes(H, S, V, r, g, b);
    return RGB(r, g, b);
}

// Runs Steps inside the dialog's modal loop; a guard closes it if they hang.
bool RunDialog(TspSkinColorDialog& D, std::function<void()> Steps)
{
    Later act(60, [&] {
        if (!D.Window) return;
        Steps();
    });
    Later guard(8000, [&] {
        if (D.Window) D.Window->SetModalResult(mrAbort);
    });
    return D.Execute();
}

TEST(ColourDialog, DefaultsAndFreedSkins)
{
    TspSkinColorDialog d(nullptr);
    EXPECT_EQ(d.Color, 0);
    EXPECT_EQ(d.Caption, "Set color");
    EXPECT_EQ(d.ButtonSkinDataName, "button");
    EXPECT_EQ(d.GetDefaultButtonFont()->GetName(), "Arial");
    EXPECT_EQ(d.AlphaBlendValue, 200);
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(d.GetCustomColor(i), clWhite);
    auto* skin = new TspSkinData(nullptr);
    d.SetSkinData(skin);
    d.SetCtrlSkinData(skin);
    delete skin;
    EXPECT_EQ(d.GetSkinData(), nullptr);
    EXPECT_EQ(d.GetCtrlSkinData(), nullptr);
}

TEST(ColourDialog, LayoutAndStartingColour)
{
    TspSkinColorDialog d(nullptr);
    d.Color = 0x563412;   // not a basic colour
    int width = 0, height = 0, gridValue = -1, r = -1, g = -1, b = -1;
    TColor preview = 0;
    std::string caption;
    const bool ok = RunDialog(d, [&] {
        width = d.Window->GetClientWidth();
        height = d.Window->GetClientHeight();
        caption = d.Window->GetCaption();
        gridValue = d.ColorGrid->GetColorValue();
        r = Val(d.REdit), g = Val(d.GEdit), b = Val(d.BEdit);
        preview = d.ColorViewer->GetColorValue();
        EXPECT_EQ(d.PaletteContainer->GetLeft(), 177);
        EXPECT_EQ(d.REdit->GetTop(), 210);
        EXPECT_EQ(d.OKButton->GetLeft(), 5);
        EXPECT_EQ(d.CancelButton->GetLeft(), 90);
        EXPECT_EQ(d.AddCustomColorButton->GetWidth(), 195);
        EXPECT_EQ(d.OKButton->GetCaption(), "OK");
        EXPECT_EQ(d.AddCustomColorButton->GetCaption(), "Add to Custom Colors");
        // The six fields: R, G, B in the first column, H, S, L beside them, each
        // 50 x 21 with its range and a track bar that drops down leftwards.
        struct Row { TspSkinTrackEdit* E; TspSkinStdLabel* L; int Left, Top, Max, BarWidth; };
        const int rl = Right(d.RLabel) + 5, hl = Right(d.HLabel) + 5;
        const Row rows[] = {{d.REdit, d.RLabel, rl, 210, 255, 200}, {d.GEdit, d.GLabel, rl, 241, 255, 200},
                            {d.BEdit, d.BLabel, rl, 272, 255, 200}, {d.HEdit, d.HLabel, hl, 210, 359, 250},
                            {d.SEdit, d.SLabel, hl, 241, 100, 120}, {d.LEdit, d.LLabel, hl, 272, 100, 120}};
        for (const Row& w : rows) {
            SCOPED_TRACE(w.L->GetCaption());
            EXPECT_EQ(w.E->GetLeft(), w.Left);
            EXPECT_EQ(w.E->GetTop(), w.Top);
            EXPECT_EQ(w.L->GetTop(), w.Top + 2);
            EXPECT_EQ(w.E->GetWidth(), 50);
            EXPECT_EQ(w.E->GetHeight(), 21);
            EXPECT_EQ(w.E->GetMinValue(), 0);
            EXPECT_EQ(w.E->GetMaxValue(), w.Max);
            EXPECT_EQ(w.E->TrackBarWidth, w.BarWidth);
            EXPECT_EQ(w.E->PopupKind, tbpLeft);
            EXPECT_TRUE(w.E->GetJumpWhenClick());
        }
        EXPECT_EQ(d.RLabel->GetLeft(), 177);
        EXPECT_EQ(d.HLabel->GetLeft(), Right(d.REdit) + 5);
        EXPECT_EQ(d.OKButton->GetTop(), 308);
        ClickButton(d.CancelButton);
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(caption, "Set color");
    EXPECT_EQ(width, 378);
    EXPECT_GT(height, 300);
    EXPECT_EQ(gridValue, 0x563412);
    EXPECT_EQ(r, 0x12);
    EXPECT_EQ(g, 0x34);
    EXPECT_EQ(b, 0x56);
    EXPECT_EQ(preview, 0x563412);
    EXPECT_EQ(d.Color, 0x563412);
    EXPECT_EQ(d.Window, nullptr);
}

TEST(ColourDialog, GridCellByMouseThenOk)
{
    TspSkinColorDialog d(nullptr);
    int h = -1, s = -1, v = -1;
    const bool ok = RunDialog(d, [&] {
        // Cell 27 of the basic colours is 0000FF: blue.
        const TRect cell = SpColorGrid::CellRect(d.ColorGrid->GridRect(), 6, 8, 27);
        Click(d.ColorGrid, cell.left + cell.Width() / 2, cell.top + cell.Height() / 2);
        h = Val(d.HEdit), s = Val(d.SEdit), v = Val(d.LEdit);
        ClickButton(d.OKButton);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(d.Color, clBlue);
    EXPECT_EQ(h, 240);
    EXPECT_EQ(s, 100);
    EXPECT_EQ(v, 100);
}

TEST(ColourDialog, PaletteByMouse)
{
    TspSkinColorDialog d(nullptr);
    TColor expected = 1;
    const bool ok = RunDialog(d, [&] {
        // Hue from the ring's left (a quarter turn), then the square's right middle.
        Click(d.PaletteContainer, 5, 97);
        Click(d.PaletteContainer, 149, 97);
        expected = d.GetPaletteColor()->GetColor();
        EXPECT_EQ(d.ColorViewer->GetColorValue(), expected);
        EXPECT_EQ(Val(d.REdit), GetRValue(expected));
        EXPECT_EQ(Val(d.GEdit), GetGValue(expected));
        ClickButton(d.OKButton);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(d.Color, expected);
    // A quarter of the hue circle: a yellowish green.
    EXPECT_GT(GetGValue(expected), 200);
    EXPECT_LT(GetBValue(expected), 10);
}

TEST(ColourDialog, NumberFieldsInStepAndWithoutDrift)
{
    TspSkinColorDialog d(nullptr);
    struct Seen {
        int H = -1, S = -1, V = -1, R = -1, G = -1, B = -1;
        TColor Palette = -1, Preview = -1;
    } rgb, hsv, touched, bad, tooLong, red;
    std::string committed, typedRed;
    const bool ok = RunDialog(d, [&] {
        Type(d.REdit, "12");
        Type(d.GEdit, "34");
        Type(d.BEdit, "56");
        rgb.H = Val(d.HEdit), rgb.S = Val(d.SEdit), rgb.V = Val(d.LEdit);
        rgb.Preview = d.ColorViewer->GetColorValue();
        rgb.Palette = d.GetPaletteColor()->GetColor();
        // Stepping the fields away and back with the wheel, or retyping them, keeps the colour.
        Wheel(d.HEdit, true);
        Wheel(d.HEdit, false);
        Wheel(d.SEdit, false);
        Wheel(d.SEdit, true);
        Type(d.LEdit, std::to_string(rgb.V));
        Type(d.HEdit, std::to_string(rgb.H));
        touched.Preview = d.ColorViewer->GetColorValue();
        touched.R = Val(d.REdit), touched.G = Val(d.GEdit), touched.B = Val(d.BEdit);
        // Text that is no number yet keeps the number and the colour.
        Type(d.LEdit, "-");
        bad.V = Val(d.LEdit);
        bad.Preview = d.ColorViewer->GetColorValue();
        Type(d.LEdit, std::to_string(rgb.V));
        // A number past the range, even past 32 bits, stops at the field's end:
        // on the way "999" gave 359, and Enter writes that back.
        Type(d.HEdit, "99999999999999999999");
        tooLong.H = Val(d.HEdit);
        tooLong.Preview = d.ColorViewer->GetColorValue();
        SendMessageA(d.HEdit->GetHandle(), WM_CHAR, VK_RETURN, 0);
        committed = d.HEdit->GetText();
        // Past a byte the red field stops at 255 while the typed text stays until Enter.
        Type(d.REdit, "300");
        red.R = Val(d.REdit);
        red.Preview = d.ColorViewer->GetColorValue();
        typedRed = d.REdit->GetText();
        // Now the hue field drives: 120 degrees at full saturation and value is green.
        Type(d.HEdit, "120");
        Type(d.SEdit, "100");
        Type(d.LEdit, "100");
        hsv.R = Val(d.REdit), hsv.G = Val(d.GEdit), hsv.B = Val(d.BEdit);
        hsv.Palette = d.GetPaletteColor()->GetColor();
        ClickButton(d.OKButton);
    });
    EXPECT_TRUE(ok);
    int eh, es, ev;
    Spcolorctrls::RGBToHSVExact(12, 34, 56, eh, es, ev);
    EXPECT_EQ(rgb.H, eh);
    EXPECT_EQ(rgb.S, es);
    EXPECT_EQ(rgb.V, ev);
    EXPECT_EQ(rgb.Preview, RGBToColor(12, 34, 56));
    EXPECT_EQ(rgb.Palette, RGBToColor(12, 34, 56));
    EXPECT_EQ(touched.Preview, RGBToColor(12, 34, 56));
    EXPECT_EQ(touched.R, 12);
    EXPECT_EQ(touched.G, 34);
    EXPECT_EQ(touched.B, 56);
    EXPECT_EQ(bad.V, rgb.V);
    EXPECT_EQ(bad.Preview, RGBToColor(12, 34, 56));
    EXPECT_EQ(tooLong.H, 359);
    EXPECT_EQ(tooLong.Preview, HSVColour(359, rgb.S, rgb.V));
    EXPECT_EQ(committed, "359");
    EXPECT_EQ(red.R, 255);
    EXPECT_EQ(GetRValue(red.Preview), 255);
    EXPECT_EQ(typedRed, "300");
    EXPECT_EQ(hsv.R, 0);
    EXPECT_EQ(hsv.G, 255);
    EXPECT_EQ(hsv.B, 0);
    EXPECT_EQ(hsv.Palette, clLime);
    EXPECT_EQ(d.Color, clLime);
}

TEST(ColourDialog, DroppedTrackBarDrivesTheColour)
{
    TspSkinColorDialog d(nullptr);
    d.Color = clRed;   // hue 0 at full saturation and value
    struct {
        RECT Edit{}, Bar{};
        bool Shown = false, Closed = false, Focused = false;
        int Max = -1, Start = -1, H = -1, R = -1, G = -1, B = -1;
        TColor Preview = -1, Palette = -1;
    } seen;
    const bool ok = RunDialog(d, [&] {
        d.HEdit->ButtonClick(d.HEdit);
        PumpUntilIdle();
        TspSkinPopupTrackBar* bar = d.HEdit->GetTrackBar();
        seen.Shown = d.HEdit->TrackBarShown() && IsWindowVisible(bar->GetHandle());
        seen.Focused = GetFocus() == d.HEdit->GetHandle();
        GetWindowRect(d.HEdit->GetHandle(), &seen.Edit);
        GetWindowRect(bar->GetHandle(), &seen.Bar);
        seen.Max = bar->GetMaxValue();
        seen.Start = bar->GetValue();
        // A click three quarters along the track jumps the thumb there.
        const TRect th = bar->ThumbRect();
        Click(bar, bar->GetWidth() * 3 / 4, th.top + th.Height() / 2);
        seen.H = Val(d.HEdit);
        seen.R = Val(d.REdit), seen.G = Val(d.GEdit), seen.B = Val(d.BEdit);
        seen.Preview = d.ColorViewer->GetColorValue();
        seen.Palette = d.GetPaletteColor()->GetColor();
        // Escape closes the bar and keeps the hue.
        SendMessageA(d.HEdit->GetHandle(), WM_CHAR, 27, 0);
        seen.Closed = !d.HEdit->TrackBarShown() && Val(d.HEdit) == seen.H;
        ClickButton(d.OKButton);
    });
    EXPECT_TRUE(ok);
    EXPECT_TRUE(seen.Shown);
    EXPECT_TRUE(seen.Focused);
    // Dropped below the field, 250 wide, its right side at the field's right side.
    EXPECT_EQ(seen.Bar.right - seen.Bar.left, 250);
    EXPECT_EQ(seen.Bar.right, seen.Edit.right);
    EXPECT_EQ(seen.Bar.top, seen.Edit.bottom);
    EXPECT_EQ(seen.Max, 359);
    EXPECT_EQ(seen.Start, 0);
    EXPECT_GT(seen.H, 200);
    EXPECT_LT(seen.H, 330);
    const TColor c = HSVColour(seen.H, 100, 100);
    EXPECT_EQ(RGBToColor(seen.R, seen.G, seen.B), c);
    EXPECT_EQ(seen.Preview, c);
    EXPECT_EQ(seen.Palette, c);
    EXPECT_TRUE(seen.Closed);
    EXPECT_EQ(d.Color, c);
}

TEST(ColourDialog, CustomColoursKeptOnlyOnOk)
{
    TspSkinColorDialog d(nullptr);
    d.Color = clRed;
    EXPECT_FALSE(RunDialog(d, [&] {
        ClickButton(d.AddCustomColorButton);
        EXPECT_EQ(d.CustomColorGrid->GetSlot(1), clRed);
        d.Window->SetModalResult(mrCancel);
    }));
    EXPECT_EQ(d.GetCustomFillCount(), 0);
    EXPECT_EQ(d.GetCustomColor(1), clWhite);
    EXPECT_EQ(d.Color, clRed);

    EXPECT_TRUE(RunDialog(d, [&] {
        for (int i = 0; i < 13; ++i) {
            Type(d.REdit, std::to_string(i));
            ClickButton(d.AddCustomColorButton);
        }
        // The thirteenth went into the first slot again; choosing slot 2 picks its colour.
        const TRect cell = SpColorGrid::CellRect(d.CustomColorGrid->GridRect(), 6, 2, 2);
        Click(d.CustomColorGrid, cell.left + cell.Width() / 2, cell.top + cell.Height() / 2);
        ClickButton(d.OKButton);
    }));
    EXPECT_EQ(d.GetCustomFillCount(), 1);
    EXPECT_EQ(d.GetCustomColor(1), RGBToColor(12, 0, 0));
    EXPECT_EQ(d.GetCustomColor(2), RGBToColor(1, 0, 0));
    EXPECT_EQ(d.Color, RGBToColor(1, 0, 0));
    // The next window starts with them.
    TColor slot2 = 0;
    RunDialog(d, [&] {
        slot2 = d.CustomColorGrid->GetSlot(2);
        d.Window->SetModalResult(mrCancel);
    });
    EXPECT_EQ(slot2, RGBToColor(1, 0, 0));
}

}  // namespace
