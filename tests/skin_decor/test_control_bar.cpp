// The control bar: the background tiles (cut at the edges), the window border
// taken from the skin or left out, and the plain look without a skin.
#include "test_gtest.h"
#include "DecorScene.h"
#include "SkinControlBar.h"

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

}  // namespace
