// The range controls with our two skins and with none: a gauge of each direction,
// a track bar of each direction and a slider, saved under artefacts/ and probed.
#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinGauge.h"
#include "SkinHeaderControl.h"
#include "SkinSlider.h"
#include "SkinTrackBar.h"
#include "WaitUntil.h"
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace CtlFixture;

namespace {

struct Gallery {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinGauge *G, *VG;
    TspSkinTrackBar *T, *VT;
    TspSkinSlider* S;
    TspSkinHeaderControl* H;

    Gallery()
    {
        SetCursorPos(5, 5);
        Form->SetBorderStyle(bsNone);
        Form->SetColor(0xE0E0E0);
        Form->SetBounds(30, 30, 320, 260);
        G = new TspSkinGauge(Form.get());
        G->SetParent(Form.get());
        G->SetBounds(10, 10, 200, 20);
        G->SetValue(40);
        G->SetShowPercent(true);
        VG = new TspSkinGauge(Form.get());
        VG->SetParent(Form.get());
        VG->SetVertical(true);
        VG->SetSkinDataName("vgauge");
        VG->SetBounds(230, 10, 20, 150);
        VG->SetValue(70);
        VG->SetShowPercent(true);
        T = new TspSkinTrackBar(Form.get());
        T->SetParent(Form.get());
        T->SetBounds(10, 50, 200, 20);
        T->SetValue(30);
        VT = new TspSkinTrackBar(Form.get());
        VT->SetParent(Form.get());
        VT->SetVertical(true);
        VT->SetSkinDataName("trackbar");
        VT->SetBounds(270, 10, 20, 150);
        VT->SetValue(80);
        S = new TspSkinSlider(Form.get());
        S->SetParent(Form.get());
        S->SetBounds(10, 100, 200, 40);
        S->SetValue(60);
        H = new TspSkinHeaderControl(Form.get());
        H->SetParent(Form.get());
        H->SetBounds(10, 180, 280, 20);
        for (const char* t : {"Name", "Size", "Date"}) {
            THeaderSection* sec = H->GetSections()->Add();
            sec->SetText(t);
            sec->SetWidth(70);
        }
        Form->Show();
        PumpUntilIdle();
    }
    void Bind(TspSkinData* D)
    {
        G->SetSkinData(D);
        VG->SetSkinData(D);
        T->SetSkinData(D);
        VT->SetSkinData(D);
        S->SetSkinData(D);
        H->SetSkinData(D);
    }
    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        Form->Repaint();
        auto shot = Snapshot(Form.get());
        SaveArtefact(shot.get(), "range-" + Name);
        return shot;
    }
};

// Distinct colours along the middle line of a control.
int Colours(TBitmap* B, TControl* C, bool Vertical)
{
    std::vector<TColor> seen;
    const int n = Vertical ? C->GetHeight() : C->GetWidth();
    for (int i = 0; i < n; ++i) {
        const int x = C->GetLeft() + (Vertical ? C->GetWidth() / 2 : i);
        const int y = C->GetTop() + (Vertical ? i : C->GetHeight() / 2);
        const TColor c = Probe(B, x, y);
        if (std::find(seen.begin(), seen.end(), c) == seen.end()) seen.push_back(c);
    }
    return static_cast<int>(seen.size());
}

// Pixels of the control that change when the value moves.
int Moved(TWinControl* C, bool, const std::function<void()>& Change)
{
    auto before = Snapshot(C);
    Change();
    auto after = Snapshot(C);
    int differ = 0;
    for (int y = 0; y < C->GetHeight(); ++y)
        for (int x = 0; x < C->GetWidth(); ++x)
            if (Probe(before.get(), x, y) != Probe(after.get(), x, y)) ++differ;
    return differ;
}

TEST(RangeGallery, BothSkinsAndWithout)
{
    Gallery g;
    auto plain = g.Shoot("unskinned");
    EXPECT_GE(Colours(plain.get(), g.G, false), 2);
    EXPECT_GE(Colours(plain.get(), g.T, false), 2);
    EXPECT_GE(Colours(plain.get(), g.S, false), 2);
    EXPECT_GE(Colours(plain.get(), g.H, false), 3);   // faces, frames and captions
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        g.Bind(skin.get());
        EXPECT_TRUE(g.G->Skinned());
        EXPECT_TRUE(g.VG->Skinned());
        EXPECT_TRUE(g.T->Skinned());
        EXPECT_TRUE(g.VT->Skinned());
        EXPECT_TRUE(g.S->Skinned());
        EXPECT_TRUE(g.H->Skinned());
        EXPECT_TRUE(g.VG->GetVertical());
        EXPECT_TRUE(g.VT->GetVertical());
        auto shot = g.Shoot(name);
        EXPECT_GE(Colours(shot.get(), g.G, false), 2);
        EXPECT_GE(Colours(shot.get(), g.T, false), 2);
        EXPECT_GE(Colours(shot.get(), g.S, false), 2);
        EXPECT_GE(Colours(shot.get(), g.H, false), 3);
        // A hot section looks different from a plain one.
        EXPECT_GT(Moved(g.H, false, [&] { g.H->Perform(WM_MOUSEMOVE, 0, PointToLParam(100, 10)); }), 5);
        g.H->Perform(WM_MOUSEMOVE, 0, PointToLParam(275, 10));
        EXPECT_GT(Moved(g.G, false, [&] { g.G->SetValue(90); }), 5);
        EXPECT_GT(Moved(g.VG, true, [&] { g.VG->SetValue(10); }), 5);
        EXPECT_GT(Moved(g.T, false, [&] { g.T->SetValue(90); }), 3);
        EXPECT_GT(Moved(g.VT, true, [&] { g.VT->SetValue(10); }), 3);
        EXPECT_GT(Moved(g.S, false, [&] { g.S->SetValue(10); }), 3);
        g.G->SetValue(40);
        g.VG->SetValue(70);
        g.T->SetValue(30);
        g.VT->SetValue(80);
        g.S->SetValue(60);
        g.Bind(nullptr);
    }
}

// Drawn with flat copies of our skins (SkinKit::Flatten), each range control
// shows its own element: the gauges' and track bars' frames at their left edge
// (clear of the bar and the thumb) and the header's first section at its left
// edge. The slider's ruler and thumb are transparent where they show their
// corner colour, which on a flat skin is all of them: its background shows,
// the colour its record names.
TEST(RangeGallery, EachControlDrawsItsOwnElement)
{
    Gallery g;
    SkinKit::ForEachFlatSkin(g, [&](TspSkinData* flat, TBitmap* shot) {
        SkinKit::ExpectElements(shot, g.Form.get(), flat,
                                {SkinKit::LeftEdge(g.G, "gauge"), SkinKit::LeftEdge(g.VG, "vertical gauge"),
                                 SkinKit::LeftEdge(g.T, "track bar"), SkinKit::LeftEdge(g.VT, "vertical track bar"),
                                 SkinKit::LeftEdge(g.H, "header section")});
        const auto* slider = SkinKit::RecordOf<TspDataSkinSlider>(flat, g.S->GetSkinDataName());
        SkinKit::ExpectColours(shot, g.Form.get(),
                               {{"slider background", g.S, TPoint(1, g.S->GetHeight() / 2), slider ? slider->BGColor : 0}});
    });
}

}  // namespace
