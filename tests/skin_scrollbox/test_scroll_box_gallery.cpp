// The scroll box with both bars, scrolled part way, in our two skins and with
// none: each shot saved under artefacts/ and probed where the content shows.
#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "FormFrame.h"
#include "SkinScrollBox.h"
#include "WaitUntil.h"
#include <memory>
#include <string>

using namespace CtlFixture;

namespace {

class TBlock : public TCustomControl {
public:
    TBlock(TWinControl* Parent, int X, int Y, int W, int H, TColor C) : TCustomControl(Parent)
    {
        SetColor(C);
        SetParent(Parent);
        SetBounds(X, Y, W, H);
    }
    void Paint() override
    {
        GetCanvas()->GetBrush()->SetStyle(bsSolid);
        GetCanvas()->GetBrush()->SetColor(GetColor());
        GetCanvas()->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
    }
};

const TColor cBlock = 0x2080F0;

struct Gallery {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinScrollBox* Box;
    TspSkinScrollBar *V, *H;

    Gallery()
    {
        SetCursorPos(5, 5);
        Form->SetBorderStyle(bsNone);
        Form->SetColor(0xE0E0E0);
        Form->SetBounds(30, 30, 220, 220);
        Box = new TspSkinScrollBox(Form.get());
        Box->SetParent(Form.get());
        Box->SetBounds(10, 10, 180, 180);
        V = new TspSkinScrollBar(Form.get());
        V->SetParent(Form.get());
        V->SetKind(sbVertical);
        V->SetSkinDataName("vscrollbar");
        V->SetBounds(190, 10, 19, 180);
        H = new TspSkinScrollBar(Form.get());
        H->SetParent(Form.get());
        H->SetBothMarkerWidth(19);
        H->SetBounds(10, 190, 199, 19);
        Box->SetVScrollBar(V);
        Box->SetHScrollBar(H);
        new TBlock(Box, 20, 20, 300, 60, cBlock);
        new TBlock(Box, 20, 100, 60, 300, 0x30B030);
        Box->UpdateScrollRange();
        Box->UpdateScrollRange();
        Form->Show();
        PumpUntilIdle();
    }
    void Bind(TspSkinData* D)
    {
        Box->SetSkinData(D);
        V->SetSkinData(D);
        H->SetSkinData(D);
        Box->UpdateScrollRange();
        Box->UpdateScrollRange();
    }
    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        return RepaintedShot(Form.get(), "scrollbox-" + Name);
    }
    // Where the first block's middle is on the form now.
    TPoint BlockAt()
    {
        POINT p = {0, 0};
        TControl* b = Box->GetControl(0);
        p.x = b->GetLeft() + 150;
        p.y = b->GetTop() + 30;
        ClientToScreen(Box->GetHandle(), &p);
        return TPoint(p.x - Form->GetLeft(), p.y - Form->GetTop());
    }
};

TEST(ScrollBoxGallery, BothSkinsAndWithout)
{
    Gallery g;
    const char* names[] = {"unskinned", "Korvel2", "Sarnic"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        std::unique_ptr<TspSkinData> skin;
        if (std::string(name) != "unskinned") {
            skin = LoadSkin(name);
            ASSERT_TRUE(skin);
            g.Bind(skin.get());
            EXPECT_TRUE(g.Box->Skinned());
        }
        EXPECT_TRUE(g.V->GetVisible());
        EXPECT_TRUE(g.H->GetVisible());
        g.V->SetPosition(10);
        g.H->SetPosition(40);
        auto shot = g.Shoot(name);
        const TPoint b = g.BlockAt();
        EXPECT_EQ(Probe(shot.get(), b.x, b.y), cBlock);
        g.V->SetPosition(0);
        g.H->SetPosition(0);
        g.Bind(nullptr);
    }
}

TEST(ScrollBoxGallery, LiveSkinChangeRemeasuresFrameAndBars)
{
    auto skin = LoadSkin("Korvel2");
    ASSERT_TRUE(skin);
    Gallery g;
    auto* frame = new TspFormFrame(g.Form.get());
    frame->SetSkinData(skin.get());
    g.Bind(skin.get());
    PumpUntilIdle();
    ASSERT_TRUE(g.Box->Skinned());
    ASSERT_EQ(g.Box->BGPictureIndex(), -1);
    // Korvel2 frames the box; Sarnic tiles a background picture without a frame.
    EXPECT_LT(g.Box->GetClientWidth(), g.Box->GetWidth());
    ASSERT_TRUE(skin->LoadFromCompressedFile(std::string(SKINS_DIR) + "/Sarnic.skn"));
    PumpUntilIdle();
    ASSERT_TRUE(g.Box->Skinned());
    EXPECT_NE(g.Box->BGPictureIndex(), -1);
    EXPECT_EQ(g.Box->GetClientWidth(), g.Box->GetWidth());
    EXPECT_EQ(g.Box->GetClientHeight(), g.Box->GetHeight());
    // The children and the bars still agree after the window was made again.
    g.Box->UpdateScrollRange();
    EXPECT_TRUE(g.V->GetVisible());
    g.V->SetPosition(30);
    EXPECT_EQ(g.Box->GetControl(0)->GetTop(), 20 - 30);
    auto shot = g.Shoot("live-change");
    const TPoint b = g.BlockAt();
    EXPECT_EQ(Probe(shot.get(), b.x, b.y), cBlock);
}

// A point of a windowed control given in its window's coordinates (its frame
// included), as a point of its client area.
TPoint InWindow(TWinControl* C, int X, int Y)
{
    RECT w;
    GetWindowRect(C->GetHandle(), &w);
    const TPoint o = C->ClientToScreen(TPoint(0, 0));
    return TPoint(w.left - o.x + X, w.top - o.y + Y);
}

// Drawn with flat copies of our skins (SkinKit::Flatten): the box's left edge and
// a point of its face away from the blocks show its own record's look (Korvel2
// frames the box) or the background picture its record names (Sarnic tiles it);
// each bar's left edge shows the look of its own record (the horizontal one, with
// its marker for the corner, the look of a bar that meets another).
TEST(ScrollBoxGallery, EachControlDrawsItsOwnElement)
{
    Gallery g;
    SkinKit::ForEachFlatSkin(g, [&](TspSkinData* Flat, TBitmap* Shot) {
        EXPECT_TRUE(g.Box->Skinned());
        const auto* r = dynamic_cast<const TspDataSkinScrollBoxControl*>(
            Flat->ControlRecord(Flat->GetControlIndex("scrollbox")));
        ASSERT_TRUE(r);
        const TColor face = r->BGPictureIndex >= 0 ? SkinKit::FlatColour(r->BGPictureIndex)
                                                   : SkinKit::FlatColourOf(Flat, "scrollbox");
        const TColor v = SkinKit::FlatColourOf(Flat, "vscrollbar"), h = SkinKit::FlatColourOf(Flat, "bothhscrollbar");
        SkinKit::ExpectColours(Shot, g.Form.get(),
                               {{"box edge", g.Box, InWindow(g.Box, 1, g.Box->GetHeight() / 2), face},
                                {"box face", g.Box, TPoint(120, 120), face},
                                {"vertical bar", g.V, TPoint(1, g.V->GetHeight() / 2), v},
                                {"horizontal bar", g.H, TPoint(1, g.H->GetHeight() / 2), h}});
    });
}

}  // namespace
