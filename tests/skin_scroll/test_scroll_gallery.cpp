// Scroll bars with our two skins and with none: a horizontal bar, a vertical bar
// and a horizontal bar sharing its corner, each saved under artefacts/ and probed.
#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinScrollBar.h"
#include "SkinData.h"
#include "WaitUntil.h"
#include <algorithm>
#include <memory>
#include <vector>
#include <string>

using namespace CtlFixture;

namespace {

struct Gallery {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinScrollBar *H, *V, *Both;

    Gallery()
    {
        SetCursorPos(5, 5);
        Form->SetBorderStyle(bsNone);
        Form->SetColor(0xE0E0E0);
        Form->SetBounds(30, 30, 260, 240);
        H = Place(10, 10, 200, 19, sbHorizontal, 0, 99, 30, 10);
        V = Place(220, 10, 19, 200, sbVertical, 0, 100, 70, 0);
        V->SetSkinDataName("vscrollbar");
        Both = Place(10, 191, 200, 19, sbHorizontal, 0, 99, 0, 50);
        Both->SetBothMarkerWidth(19);
        Both->SetBoth(true);
        Form->Show();
        PumpUntilIdle();
    }
    TspSkinScrollBar* Place(int X, int Y, int W, int H, TScrollBarKind K, int Min, int Max, int Pos, int Page)
    {
        auto* s = new TspSkinScrollBar(Form.get());
        s->SetParent(Form.get());
        s->SetKind(K);
        s->SetBounds(X, Y, W, H);
        s->SetRange(Min, Max, Pos, Page);
        return s;
    }
    void Bind(TspSkinData* D)
    {
        for (auto* s : {H, V, Both}) s->SetSkinData(D);
    }
    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        Form->Repaint();
        auto shot = Snapshot(Form.get());
        SaveArtefact(shot.get(), "scrollbar-" + Name);
        return shot;
    }
};

// Distinct colours along a line of the control: a bar with buttons and a thumb
// is never one flat colour.
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

TEST(ScrollBarGallery, BothSkinsAndWithout)
{
    Gallery g;
    auto plain = g.Shoot("unskinned");
    EXPECT_GE(Colours(plain.get(), g.H, false), 3);
    EXPECT_GE(Colours(plain.get(), g.V, true), 3);
    // The corner of the shared bar is left free.
    EXPECT_EQ(Probe(plain.get(), g.Both->GetLeft() + 190, g.Both->GetTop() + 9),
              static_cast<TColor>(GetSysColor(COLOR_BTNFACE) & 0xFFFFFF));
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        g.Bind(skin.get());
        EXPECT_TRUE(g.H->Skinned());
        EXPECT_TRUE(g.V->Skinned());
        EXPECT_TRUE(g.Both->Skinned());
        auto shot = g.Shoot(name);
        EXPECT_GE(Colours(shot.get(), g.H, false), 3);
        EXPECT_GE(Colours(shot.get(), g.V, true), 3);
        // The thumb moves with the position: the look of the bar changes.
        auto before = Snapshot(g.H);
        g.H->SetPosition(80);
        auto after = Snapshot(g.H);
        int differ = 0;
        for (int x = 0; x < g.H->GetWidth(); ++x)
            if (Probe(before.get(), x, g.H->GetHeight() / 2) != Probe(after.get(), x, g.H->GetHeight() / 2)) ++differ;
        EXPECT_GT(differ, 5);
        g.H->SetPosition(30);
        g.Bind(nullptr);
    }
}

// The middle of a bar's first button, at its outer edge: the button's idle look
// is the bar's own element image.
SkinKit::TPieceProbe ButtonEnd(TspSkinScrollBar* B, const char* What)
{
    const TPoint at = B->GetKind() == sbHorizontal ? TPoint(1, B->GetHeight() / 2) : TPoint(B->GetWidth() / 2, 1);
    return {What, B, at, B->GetSkinDataName()};
}

// A point of a bar's track, at the end away from the thumb.
SkinKit::TPieceProbe TrackEnd(TspSkinScrollBar* B, const char* What)
{
    const TRect t = B->TrackRect(), thumb = B->ButtonRect(sbpThumb);
    const bool h = B->GetKind() == sbHorizontal;
    const bool thumbFirst = h ? thumb.left - t.left < t.right - thumb.right : thumb.top - t.top < t.bottom - thumb.bottom;
    const TPoint at = h ? TPoint(thumbFirst ? t.right - 2 : t.left + 1, t.top + t.Height() / 2)
                        : TPoint(t.left + t.Width() / 2, thumbFirst ? t.bottom - 2 : t.top + 1);
    return {What, B, at, B->GetSkinDataName()};
}

// Drawn with flat copies of our skins (SkinKit::Flatten), each bar's buttons and
// track show the look of its own element (the bar beside the corner: the corner
// bar's), and its thumb the thumb's piece of that element's picture, not the
// track under it.
TEST(ScrollBarGallery, EachBarDrawsItsOwnElement)
{
    Gallery g;
    SkinKit::ForEachFlatSkin(g, [&](TspSkinData* Flat, TBitmap* Shot) {
        EXPECT_EQ(g.Both->GetSkinDataName(), "bothhscrollbar");
        std::vector<SkinKit::TPieceProbe> ends;
        std::vector<SkinKit::TColourProbe> thumbs;
        for (auto* s : {g.H, g.V, g.Both}) {
            ends.push_back(ButtonEnd(s, "button"));
            ends.push_back(TrackEnd(s, "track"));
            const auto* rec = dynamic_cast<const TspDataSkinScrollBarControl*>(
                Flat->ControlRecord(Flat->GetControlIndex(s->GetSkinDataName())));
            ASSERT_NE(rec, nullptr);
            const TRect look = rec->Looks[sbpThumb][lsNormal], thumb = s->ButtonRect(sbpThumb);
            ASSERT_FALSE(thumb.IsEmpty());
            const TColor want = PictureColourAt(Flat, rec->PictureIndex, TPoint(look.left + 1, look.top + 1));
            EXPECT_NE(want, FlatColourOf(Flat, s->GetSkinDataName()));
            thumbs.push_back({"thumb", s, TPoint(thumb.left + 1, thumb.top + 1), want});
        }
        ExpectElements(Shot, g.Form.get(), Flat, ends);
        ExpectColours(Shot, g.Form.get(), thumbs);
    });
}

}  // namespace
