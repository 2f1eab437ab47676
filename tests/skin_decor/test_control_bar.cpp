// The control bar: bands laid out in rows and moved by dragging their grab area,
// the background tiles (cut at the edges), the window border taken from the skin
// or left out, the skinned band frames, and the plain look without a skin.
#include "test_gtest.h"
#include "DecorScene.h"
#include "SkinControlBar.h"
#include "ControlBar.h"
#include "Panel.h"

using namespace Decor;

namespace {

TEST(ControlBar, TilesCoverTheAreaAndCutTheLastOnes)
{
    struct Case {
        int W, H, TW, TH;
        int Count, LastW, LastH;
    } cases[] = {
        {120, 70, 50, 30, 9, 20, 10},
        {100, 60, 50, 30, 4, 50, 30},   // exact: no empty tiles
        {10, 10, 50, 30, 1, 10, 10},
        {120, 70, 0, 30, 0, 0, 0},      // an empty tile draws nothing and divides by nothing
        {0, 70, 50, 30, 0, 0, 0},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.W << "x" << k.H << " by " << k.TW << "x" << k.TH);
        auto t = TspSkinControlBar::Tiles(k.W, k.H, k.TW, k.TH);
        ASSERT_EQ(static_cast<int>(t.size()), k.Count);
        if (t.empty()) continue;
        EXPECT_EQ(t.back().Width(), k.LastW);
        EXPECT_EQ(t.back().Height(), k.LastH);
        EXPECT_EQ(t.back().right, k.W);
        EXPECT_EQ(t.back().bottom, k.H);
    }
}

// A 100 x 60 element; client rectangle (10, 10, 60, 40): a 50 x 30 tile whose
// top-left 5 x 5 corner is cMark; borders 10 left and top, 40 right, 20 bottom.
const TColor cFrame = 0x404040, cTile = 0x00A000, cMark = 0x0000E0;

struct BarScene : Scene {
    TspSkinControlBar* Bar;
    BarScene()
    {
        Paint(Picture(), TRect(0, 0, 100, 60), cFrame);
        Paint(Picture(), TRect(10, 10, 60, 40), cTile);
        Paint(Picture(), TRect(10, 10, 15, 15), cMark);
        auto r = std::make_unique<TspDataSkinControlBar>("controlbar");
        r->PictureIndex = 0;
        r->SkinRect = TRect(0, 0, 100, 60);
        r->LeftTopPoint = TPoint(10, 10);
        r->RightTopPoint = TPoint(60, 10);
        r->LeftBottomPoint = TPoint(10, 40);
        r->RightBottomPoint = TPoint(60, 40);
        r->ClientRect = TRect(10, 10, 60, 40);
        r->ItemRect = TRect(100, 100, 140, 130);
        Add(std::move(r));
        Bar = Place<TspSkinControlBar>(0, 0, 120, 70);
    }
};

TEST(ControlBar, SkinnedBackgroundIsTiledFromTheClientPart)
{
    BarScene s;
    s.Bar->SetSkinData(s.Skin.get());
    ASSERT_TRUE(s.Bar->Skinned());
    ASSERT_EQ(s.Bar->GetClientWidth(), 120);
    auto shot = Snapshot(s.Bar);
    for (int x : {2, 52, 102})
        for (int y : {2, 32, 62}) EXPECT_EQ(Probe(shot.get(), x, y), cMark) << x << "," << y;
    for (auto p : {TPoint(30, 20), TPoint(110, 20), TPoint(30, 66), TPoint(119, 69)})
        EXPECT_EQ(Probe(shot.get(), p.x, p.y), cTile) << p.x << "," << p.y;
}

TEST(ControlBar, BorderFromTheSkinOnlyWithSkinBevel)
{
    BarScene s;
    s.Bar->SetBounds(0, 0, 200, 100);
    s.Bar->HandleNeeded();
    s.Bar->SetSkinData(s.Skin.get());
    EXPECT_EQ(s.Bar->GetClientWidth(), 200);
    EXPECT_EQ(s.Bar->GetClientHeight(), 100);
    s.Bar->SetSkinBevel(true);
    EXPECT_EQ(s.Bar->GetClientWidth(), 200 - 10 - 40);
    EXPECT_EQ(s.Bar->GetClientHeight(), 100 - 10 - 20);
    // Unskinned again: the plain window.
    s.Bar->SetSkinData(nullptr);
    EXPECT_FALSE(s.Bar->Skinned());
}

// Bands of the plain bar: A 50 x 20 and C 30 x 20 in the first row, B 40 x 20 in
// the second; frames are 11 left (the grab area) and 2 on the other sides.
struct BandScene : Scene {
    TControlBar* Bar;
    TPanel *A, *B, *C;
    BandScene(bool Snap = true)
    {
        Bar = Place<TControlBar>(0, 0, 300, 100);
        Bar->SetRowSnap(Snap);
        Bar->SetAutoSize(true);
        A = Place<TPanel>(0, 0, 50, 20, Bar);
        B = Place<TPanel>(0, 30, 40, 20, Bar);
        C = Place<TPanel>(100, 0, 30, 20, Bar);
    }
};

TEST(ControlBar, BandsLieInRowsBehindTheirGrabArea)
{
    BandScene s;
    EXPECT_EQ(s.Bar->RowCount(), 2);
    struct Case {
        TPanel* P;
        int Row, Left, Top;
    } cases[] = {{s.A, 0, 11, 2}, {s.C, 0, 100, 2}, {s.B, 1, 11, 28}};
    for (const auto& k : cases) {
        EXPECT_EQ(s.Bar->BandRow(k.P), k.Row);
        EXPECT_EQ(k.P->GetLeft(), k.Left);
        EXPECT_EQ(k.P->GetTop(), k.Top);
    }
    EXPECT_EQ(s.Bar->BandRect(s.A), TRect(0, 0, 63, 24));
    // AutoSize: two rows of RowSize.
    EXPECT_EQ(s.Bar->GetHeight(), 52);
    // A band put over another pushes the ones right of it along the row.
    auto* d = s.Place<TPanel>(20, 0, 30, 20, s.Bar);
    EXPECT_EQ(d->GetLeft(), 63 + 11);
    EXPECT_EQ(s.C->GetLeft(), d->GetLeft() + 30 + 2 + 11);
    // A taller band makes its row a whole number of RowSize rows.
    s.B->SetHeight(30);
    EXPECT_EQ(s.Bar->GetHeight(), 26 + 52);
    s.Bar->SetRowSize(40);
    EXPECT_EQ(s.Bar->GetHeight(), 40 + 40);
    // Without AutoSize the bar keeps its height.
    s.Bar->SetAutoSize(false);
    s.Bar->SetHeight(100);
    s.Bar->SetRowSize(26);
    EXPECT_EQ(s.Bar->GetHeight(), 100);
}

TEST(ControlBar, WithoutRowSnapRowsAreAsHighAsTheirBands)
{
    BandScene s(false);
    EXPECT_EQ(s.B->GetTop(), 24 + 2);
    EXPECT_EQ(s.Bar->GetHeight(), 48);
}

TEST(ControlBar, DraggingTheGrabAreaMovesTheBand)
{
    struct Case {
        const char* Name;
        int FromX, FromY, ToX, ToY;  // press on B's grab area, release there
        bool Allow;
        int Row, Left, Rows, Moves;
    } cases[] = {
        {"into the first row", 5, 38, 150, 10, true, 0, 145 + 11, 1, 1},
        {"along its row", 5, 38, 60, 40, true, 1, 55 + 11, 2, 1},
        {"below the last row, alone", 5, 38, 5, 70, true, 1, 11, 2, 0},
        {"vetoed by OnBandDrag", 5, 38, 150, 10, false, 1, 11, 2, 0},
        {"not from the empty bar", 80, 40, 150, 10, true, 1, 11, 2, 0},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Name);
        BandScene s;
        s.Form->Show();
        int moves = 0;
        TRect moved;
        s.Bar->OnBandMove = [&](TObject*, TControl* c, TRect& r) {
            EXPECT_EQ(c, s.B);
            moved = r;
            ++moves;
        };
        s.Bar->OnBandDrag = [&](TObject*, TControl*, bool& drag) { drag = k.Allow; };
        Press(s.Bar, k.FromX, k.FromY);
        Move(s.Bar, (k.FromX + k.ToX) / 2, (k.FromY + k.ToY) / 2);
        Move(s.Bar, k.ToX, k.ToY);
        Release(s.Bar, k.ToX, k.ToY);
        EXPECT_EQ(s.Bar->BandRow(s.B), k.Row);
        EXPECT_EQ(s.B->GetLeft(), k.Left);
        EXPECT_EQ(s.Bar->RowCount(), k.Rows);
        EXPECT_EQ(s.Bar->GetHeight(), 26 * k.Rows);
        EXPECT_EQ(moves, k.Moves);
        if (moves) {
            EXPECT_EQ(moved, s.Bar->BandRect(s.B));
        }
        EXPECT_FALSE(s.Bar->GetMouseCapture());
    }
}

TEST(ControlBar, DraggingBelowTheLastRowMakesANewRow)
{
    BandScene s;
    s.Form->Show();
    Press(s.Bar, 5, 10);   // A's grab area
    Move(s.Bar, 20, 60);
    Release(s.Bar, 20, 60);
    EXPECT_EQ(s.Bar->BandRow(s.C), 0);
    EXPECT_EQ(s.Bar->BandRow(s.B), 1);
    EXPECT_EQ(s.Bar->BandRow(s.A), 2);
    EXPECT_EQ(s.A->GetLeft(), 15 + 11);
    EXPECT_EQ(s.Bar->GetHeight(), 78);
}

TEST(ControlBar, PaintHooksAndThePlainFrame)
{
    BandScene s;
    s.Bar->SetColor(0xFFFFFF);
    int painted = 0, bands = 0;
    s.Bar->OnPaint = [&](TObject*) { ++painted; };
    s.Bar->OnBandPaint = [&](TObject*, TControl* c, TCanvas*, TRect&, TBandPaintOptions& o) {
        ++bands;
        if (c == s.C) o &= ~bpoFrame;
    };
    auto shot = Snapshot(s.Bar);
    EXPECT_EQ(painted, 1);
    EXPECT_EQ(bands, 3);
    // A's frame is drawn, C's left out by the hook.
    const TRect a = s.Bar->BandRect(s.A), c = s.Bar->BandRect(s.C);
    EXPECT_EQ(Probe(shot.get(), a.left + 20, a.bottom - 1), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(Probe(shot.get(), c.left + 20, c.bottom - 1), 0xFFFFFF);
}

// The skinned bar: its bands get the item image (a grab column and a frame) as
// their frame, over the tiled background.
const TColor cGrab = 0xC000C0, cItemFrame = 0x00C0C0;

TEST(ControlBar, SkinnedBandsAreFramedByTheItemImage)
{
    BarScene s;
    Paint(s.Picture(), TRect(100, 100, 140, 130), cItemFrame);
    Paint(s.Picture(), TRect(100, 100, 111, 130), cGrab);
    Paint(s.Picture(), TRect(111, 102, 138, 128), 0xFFFFFF);
    s.Bar->SetAutoSize(true);
    auto* a = s.Place<TPanel>(0, 0, 50, 20, s.Bar);
    auto* b = s.Place<TPanel>(0, 30, 40, 20, s.Bar);
    s.Bar->SetSkinData(s.Skin.get());
    ASSERT_TRUE(s.Bar->Skinned());
    EXPECT_EQ(s.Bar->RowCount(), 2);
    EXPECT_EQ(s.Bar->GetHeight(), 52);
    auto shot = Snapshot(s.Bar);
    for (TPanel* p : {a, b}) {
        const TRect r = s.Bar->BandRect(p);
        SCOPED_TRACE(r.top);
        EXPECT_EQ(Probe(shot.get(), r.left + 5, r.top + 10), cGrab);
        EXPECT_EQ(Probe(shot.get(), r.left + 30, r.bottom - 1), cItemFrame);
        EXPECT_EQ(Probe(shot.get(), r.right - 1, r.top + 10), cItemFrame);
        EXPECT_EQ(Probe(shot.get(), r.right + 20, r.top + 10), cTile);
    }
    // Its bands move as the plain bar's do.
    s.Form->Show();
    Press(s.Bar, 5, 38);
    Move(s.Bar, 100, 10);
    Release(s.Bar, 100, 10);
    EXPECT_EQ(s.Bar->BandRow(b), 0);
    EXPECT_EQ(b->GetLeft(), 95 + 11);
    EXPECT_EQ(s.Bar->GetHeight(), 26);
}

}  // namespace
