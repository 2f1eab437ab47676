// The colour dialog and the font, size and colour combos with our two skins and
// with none, shot from the screen and saved under artefacts/.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "ColourTestKit.h"
#include "Form.h"
#include "FormFrame.h"
#include "SkinColorComboBox.h"
#include "SkinColorDialog.h"
#include "SkinColorGrids.h"
#include "SkinFontCombos.h"
#include "WaitUntil.h"
#include <memory>
#include <string>

using namespace CtlFixture;
using namespace ColourTest;

namespace {

// A TrueType family the test prefix offers (from the host's fonts).
const char* const kFamily = "DejaVu Sans";

struct Shot {
    // The window as it opens, and again with a typed green and the hue's track bar dropped.
    std::unique_ptr<TBitmap> Picture, Dropped;
    TRect Grid, Preview, Bar;
};

// R in window coordinates of W.
TRect InWindow(TForm* W, const RECT& R)
{
    return TRect(R.left - W->GetLeft(), R.top - W->GetTop(), R.right - W->GetLeft(), R.bottom - W->GetTop());
}

Shot ShootDialog(TspSkinData* Skin, const std::string& Name)
{
    SetCursorPos(5, 5);
    TspSkinColorDialog d(nullptr);
    d.SetSkinData(Skin);
    d.SetCtrlSkinData(Skin);
    d.Color = 0x40A0E0;
    Shot s;
    Later act(300, [&] {
        if (!d.Window) return;
        RedrawWindow(d.Window->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        TPoint g = d.ColorGrid->ClientToScreen(TPoint(0, 0)), p = d.ColorViewer->ClientToScreen(TPoint(0, 0));
        const TPoint o(d.Window->GetLeft(), d.Window->GetTop());
        s.Grid = TRect(g.x - o.x, g.y - o.y, g.x - o.x + d.ColorGrid->GetWidth(), g.y - o.y + d.ColorGrid->GetHeight());
        s.Preview = TRect(p.x - o.x, p.y - o.y, p.x - o.x + d.ColorViewer->GetWidth(),
                          p.y - o.y + d.ColorViewer->GetHeight());
        // Under load the repaint reaches the screen late: shoot until the preview shows.
        PumpUntil([&] {
            s.Picture = ScreenShot(d.Window);
            return Probe(s.Picture.get(), s.Preview.left + 5, s.Preview.top + 5) == TColor(0x40A0E0);
        }, 2000);
        SaveArtefact(s.Picture.get(), "colour-dialog-" + Name);
        Type(d.GEdit, "200");
        d.HEdit->ButtonClick(d.HEdit);
        PumpUntilIdle();
        RECT bar;
        GetWindowRect(d.HEdit->GetTrackBar()->GetHandle(), &bar);
        s.Bar = InWindow(d.Window, bar);
        s.Dropped = ScreenShot(d.Window);
        SaveArtefact(s.Dropped.get(), "colour-dialog-trackbar-" + Name);
        d.HEdit->CloseUp();
        d.Window->SetModalResult(mrCancel);
    });
    Later guard(8000, [&] {
        if (d.Window) d.Window->SetModalResult(mrCancel);
    });
    d.Execute();
    return s;
}

TEST(ColourGallery, DialogWithBothSkinsAndWithout)
{
    // The preview shows the colour inside its black frame; after typing 200 into G
    // it shows the new colour, and the dropped bar covers what lay below the H field.
    auto check = [](const Shot& s) {
        ASSERT_TRUE(s.Picture);
        ASSERT_TRUE(s.Dropped);
        EXPECT_EQ(Probe(s.Picture.get(), s.Preview.left + 5, s.Preview.top + 5), 0x40A0E0);
        EXPECT_EQ(Probe(s.Dropped.get(), s.Preview.left + 5, s.Preview.top + 5), RGBToColor(0xE0, 200, 0x40));
        EXPECT_EQ(s.Bar.Width(), 250);
        int covered = 0;
        for (int y = s.Bar.top; y < s.Bar.bottom; ++y)
            for (int x = s.Bar.left; x < s.Bar.right; ++x)
                if (Probe(s.Picture.get(), x, y) != Probe(s.Dropped.get(), x, y)) ++covered;
        EXPECT_GT(covered, s.Bar.Width() * s.Bar.Height() / 4);
    };
    Shot plain = ShootDialog(nullptr, "unskinned");
    check(plain);
    if (!plain.Picture) return;
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        Shot s = ShootDialog(skin.get(), name);
        check(s);
        if (!s.Picture) continue;
        // The skinned frame changes the window's look.
        int differ = 0;
        const int w = std::min(plain.Picture->GetWidth(), s.Picture->GetWidth());
        for (int x = 0; x < w; ++x)
            if (Probe(plain.Picture.get(), x, 2) != Probe(s.Picture.get(), x, 2)) ++differ;
        EXPECT_GT(differ, w / 4);
    }
}

struct ComboGallery {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinFontComboBox* Font;
    TspSkinFontSizeComboBox* Size;
    TspSkinColorComboBox* Colour;
    ComboGallery()
    {
        SetCursorPos(5, 5);
        Form->SetBorderStyle(bsNone);
        Form->SetColor(0xE0E0E0);
        Form->SetBounds(30, 30, 260, 330);
        new TspFormFrame(Form.get());
        Font = new TspSkinFontComboBox(Form.get());
        Font->SetParent(Form.get());
        Font->SetBounds(10, 10, 200, 22);
        Size = new TspSkinFontSizeComboBox(Form.get());
        Size->SetParent(Form.get());
        Size->SetBounds(10, 45, 80, 22);
        Colour = new TspSkinColorComboBox(Form.get());
        Colour->SetParent(Form.get());
        Colour->SetBounds(10, 80, 200, 22);
        Form->Show();
        Font->SetFontName(kFamily);
        Size->SetFontName(kFamily);
        Size->SetItemIndex(4);
        Colour->SetSelected(clRed);
        PumpUntilIdle();
    }
    void Bind(TspSkinData* D)
    {
        Font->SetSkinData(D);
        Size->SetSkinData(D);
        Colour->SetSkinData(D);
    }
    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        return RepaintedShot(Form.get(), "colour-combos-" + Name);
    }
    // The drop-down lists open over the form: the font faces with their marks, the swatches.
    void ShootLists(const std::string& Name)
    {
        for (TspSkinCustomComboBox* c : {static_cast<TspSkinCustomComboBox*>(Font), static_cast<TspSkinCustomComboBox*>(Colour)}) {
            c->DropDown();
            PumpUntilIdle();
            auto shot = ScreenShot(Form.get());
            SaveArtefact(shot.get(), std::string(c == Font ? "colour-fontlist-" : "colour-colourlist-") + Name);
            c->CloseUp(false);
            PumpUntilIdle();
        }
    }
    // Pixels of the colour combo's text area in the swatch colour.
    int SwatchPixels(TBitmap* B, TColor C)
    {
        int n = 0;
        const TRect r = Colour->GetItemArea().R;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (Probe(B, Colour->GetLeft() + x, Colour->GetTop() + y) == C) ++n;
        return n;
    }
};

TEST(ColourGallery, CombosWithBothSkinsAndWithout)
{
    ComboGallery g;
    EXPECT_EQ(g.Font->GetFontName(), kFamily);
    auto plain = g.Shoot("unskinned");
    g.ShootLists("unskinned");
    EXPECT_GT(g.SwatchPixels(plain.get(), clRed), 50);
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        g.Bind(skin.get());
        auto shot = g.Shoot(name);
        g.ShootLists(name);
        EXPECT_GT(g.SwatchPixels(shot.get(), clRed), 50);
        EXPECT_EQ(g.Colour->GetSelected(), clRed);
        g.Bind(nullptr);
    }
}

// Drawn with flat copies of our skins (SkinKit::Flatten), each control's frame
// shows the look of its own element.
TEST(ColourGallery, EachControlDrawsItsOwnElement)
{
    ComboGallery g;
    SkinKit::ExpectOwnElementsOnFlatSkins(g, [&] {
        return std::vector<SkinKit::TPieceProbe>{SkinKit::LeftEdge(g.Font, "font combo"),
                                                 SkinKit::LeftEdge(g.Size, "size combo"),
                                                 SkinKit::LeftEdge(g.Colour, "colour combo")};
    });
}

}  // namespace
