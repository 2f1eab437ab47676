#include "test_gtest.h"
#include "SkinElement.h"
#include "SkinControls.h"
#include <memory>

namespace {

typedef std::shared_ptr<TspDataSkinCustomControl> TRec;

TRec Record(TRect Skin, TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect Client)
{
    auto r = std::make_shared<TspDataSkinCustomControl>("x");
    r->SkinRect = Skin;
    r->LeftTopPoint = LT;
    r->RightTopPoint = RT;
    r->LeftBottomPoint = LB;
    r->RightBottomPoint = RB;
    r->ClientRect = Client;
    return r;
}

struct SizeCase {
    const char* What;
    TRec Rec;
    int AskW, AskH;
    int Mode, W, H;
    TPoint NewRT, NewLB, NewRB;
    TRect NewClient;
};

TEST(SkinElement, SizeFittingForEveryResizeMode)
{
    const TRect s(0, 0, 60, 20);
    const SizeCase cases[] = {
        {"null rectangle: free size", Record(TRect(), {}, {}, {}, {}, {}), 200, 40, rmNone, 200, 40, {}, {}, {}, {}},
        {"fixed", Record(s, {}, {}, {}, {}, TRect(2, 2, 58, 18)), 200, 40, rmFixed, 60, 20, {}, {}, {},
         TRect(2, 2, 58, 18)},
        {"eight-point", Record(s, {10, 5}, {50, 5}, {10, 15}, {50, 15}, TRect(10, 5, 50, 15)), 200, 40,
         rmEightPoint, 200, 40, {190, 5}, {10, 35}, {190, 35}, TRect(10, 5, 190, 35)},
        {"horizontal three-part keeps the height", Record(s, {10, 0}, {50, 0}, {}, {}, TRect(10, 2, 50, 18)), 200,
         40, rmHorizontal, 200, 20, {190, 0}, {}, {}, TRect(10, 2, 190, 18)},
        {"vertical three-part keeps the width", Record(TRect(0, 0, 20, 60), {0, 10}, {}, {0, 50}, {},
                                                       TRect(2, 10, 18, 50)),
         200, 100, rmVertical, 20, 100, {}, {0, 90}, {}, TRect(2, 10, 18, 90)},
        {"negative size is clamped", Record(s, {10, 5}, {50, 5}, {10, 15}, {50, 15}, TRect(10, 5, 50, 15)), -5,
         -9, rmEightPoint, 0, 0, {-10, 5}, {10, -5}, {-10, -5}, TRect(10, 5, -10, -5)},
    };
    for (const auto& c : cases) {
        TspSkinElement e;
        ASSERT_TRUE(e.Read(c.Rec.get(), nullptr, true)) << c.What;
        EXPECT_EQ(e.ResizeMode, c.Mode) << c.What;
        int w = c.AskW, h = c.AskH;
        e.CalcSize(w, h);
        EXPECT_EQ(w, c.W) << c.What;
        EXPECT_EQ(h, c.H) << c.What;
        if (c.Mode == rmEightPoint || c.Mode == rmHorizontal) {
            EXPECT_EQ(e.NewRTPoint, c.NewRT) << c.What;
        }
        if (c.Mode == rmEightPoint || c.Mode == rmVertical) {
            EXPECT_EQ(e.NewLBPoint, c.NewLB) << c.What;
        }
        if (c.Mode == rmEightPoint) {
            EXPECT_EQ(e.NewRBPoint, c.NewRB) << c.What;
        }
        if (c.Mode != rmNone) {
            EXPECT_EQ(e.NewClRect, c.NewClient) << c.What;
        }
    }
}

TEST(SkinElement, RectanglesMapToTheResizedControl)
{
    auto eight = Record(TRect(0, 0, 60, 20), {10, 5}, {50, 5}, {10, 15}, {50, 15}, TRect(10, 5, 50, 15));
    auto horiz = Record(TRect(0, 0, 60, 20), {10, 0}, {50, 0}, {}, {}, TRect(10, 2, 50, 18));
    struct Case {
        const char* What;
        TRec Rec;
        TRect In, Out;
    } cases[] = {
        {"inside left-top stays", eight, TRect(1, 1, 5, 4), TRect(1, 1, 5, 4)},
        {"inside right-top moves right", eight, TRect(52, 1, 58, 4), TRect(192, 1, 198, 4)},
        {"inside left-bottom moves down", eight, TRect(1, 16, 5, 19), TRect(1, 36, 5, 39)},
        {"inside right-bottom moves both ways", eight, TRect(52, 16, 58, 19), TRect(192, 36, 198, 39)},
        {"left-top to right-top widens", eight, TRect(2, 1, 55, 4), TRect(2, 1, 195, 4)},
        {"left-top to right-bottom grows", eight, TRect(2, 1, 55, 18), TRect(2, 1, 195, 38)},
        {"horizontal: spanning the middle widens", horiz, TRect(5, 2, 55, 18), TRect(5, 2, 195, 18)},
        {"horizontal: right part moves", horiz, TRect(52, 2, 58, 18), TRect(192, 2, 198, 18)},
        {"horizontal: left part stays", horiz, TRect(1, 2, 8, 18), TRect(1, 2, 8, 18)},
    };
    for (const auto& c : cases) {
        TspSkinElement e;
        ASSERT_TRUE(e.Read(c.Rec.get(), nullptr, false));
        EXPECT_EQ(e.GetNewRect(c.In, 200, 40), c.Out) << c.What;
    }
}

TEST(SkinElement, DamagedGeometryIsRefusedOrHarmless)
{
    // A skin rectangle no control could have is refused (the control stays unskinned).
    auto huge = Record(TRect(0, 0, 2000000000, 20), {}, {}, {}, {}, {});
    TspSkinElement e;
    EXPECT_FALSE(e.Read(huge.get(), nullptr, true));
    auto wide = Record(TRect(-2000000000, 0, 2000000000, 20), {}, {}, {}, {}, {});
    EXPECT_FALSE(e.Read(wide.get(), nullptr, true));
    EXPECT_EQ(e.Picture, nullptr);
    // Pictures named outside the list are none; composing without one draws nothing.
    auto rec = Record(TRect(0, 0, 60, 20), {}, {}, {}, {}, {});
    rec->PictureIndex = 7;
    rec->MaskPictureIndex = -3;
    ASSERT_TRUE(e.Read(rec.get(), nullptr, true));
    EXPECT_EQ(e.Picture, nullptr);
    EXPECT_EQ(e.Mask, nullptr);
    TBitmap b(10, 10, pf24bit);
    e.Compose(&b, nullptr, rec->SkinRect, 10, 10);
    EXPECT_EQ(b.GetWidth(), 10);
    EXPECT_EQ(e.CreateRegion(10, 10), nullptr);
}

}  // namespace
