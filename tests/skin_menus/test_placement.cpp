// Where a level opens: a table of anchors at the work area's edges and corners.
#include "test_gtest.h"
#include "SkinMenus.h"
#include <algorithm>
#include <iterator>

namespace {

struct PlaceCase {
    const char* What;
    TRect WA;
    TRect R;
    int W, H, ItemsTop;
    bool Sub, Up, Scroll;
    TPoint Expected;
};

const TRect Screen(0, 0, 800, 600);
const TRect Offset(100, 50, 900, 650);   // a work area that does not start at 0

TRect At(int X, int Y) { return TRect(X, Y, X, Y); }

const PlaceCase Cases[] = {
    {"fits below the point", Screen, At(100, 100), 150, 200, 3, false, false, false, TPoint(100, 100)},
    {"top-left corner", Screen, At(0, 0), 150, 200, 3, false, false, false, TPoint(0, 0)},
    {"top-right corner: pulled left", Screen, At(799, 0), 150, 200, 3, false, false, false, TPoint(650, 0)},
    {"bottom-left corner: opens above", Screen, At(0, 599), 150, 200, 3, false, false, false, TPoint(0, 399)},
    {"bottom-right corner: above and left", Screen, At(790, 590), 150, 200, 3, false, false, false,
     TPoint(650, 390)},
    {"too tall from the upper half: bottom on the work area, beside the point", Screen, At(100, 250), 150, 400, 3,
     false, false, false, TPoint(101, 200)},
    {"lower half: above the point", Screen, At(100, 500), 150, 200, 3, false, false, false, TPoint(100, 300)},
    {"lower half, fits nowhere: top of the work area, beside", Screen, At(100, 500), 150, 550, 3, false, false,
     false, TPoint(101, 0)},
    {"flipped near the right edge: left of the point", Screen, At(750, 250), 150, 400, 3, false, false, false,
     TPoint(599, 200)},
    {"left of the work area", Offset, At(20, 100), 150, 200, 3, false, false, false, TPoint(100, 100)},
    {"offset work area, bottom edge", Offset, At(300, 640), 150, 200, 3, false, false, false, TPoint(300, 440)},
    {"submenu beside its item, items lined up", Screen, TRect(200, 100, 350, 120), 150, 100, 3, true, false, false,
     TPoint(351, 97)},
    {"submenu past the right edge: left of the parent", Screen, TRect(600, 100, 750, 120), 150, 100, 3, true, false,
     false, TPoint(449, 97)},
    {"submenu past the bottom, parent in the upper half", Screen, TRect(200, 250, 350, 270), 150, 400, 3, true,
     false, false, TPoint(351, 200)},
    {"submenu past the bottom, parent in the lower half: upwards", Screen, TRect(200, 500, 350, 520), 150, 200, 3,
     true, false, false, TPoint(351, 323)},
    {"submenu taller than the space above: work-area top", Screen, TRect(200, 500, 350, 520), 150, 580, 3, true,
     false, false, TPoint(351, 0)},
    {"popup-up fits above", Screen, TRect(100, 400, 200, 420), 150, 200, 3, false, true, false, TPoint(100, 200)},
    {"popup-up from the upper half: below instead", Screen, TRect(100, 100, 200, 120), 150, 200, 3, false, true,
     false, TPoint(100, 120)},
    {"popup-up below, then pushed up: beside", Screen, TRect(100, 100, 200, 120), 150, 550, 3, false, true, false,
     TPoint(201, 50)},
    {"popup-up from the lower half, too tall: top, beside", Screen, TRect(100, 400, 200, 420), 150, 450, 3, false,
     true, false, TPoint(201, 0)},
    {"scrollable: work-area top, beside", Screen, At(300, 300), 150, 600, 3, false, false, true, TPoint(301, 0)},
    {"scrollable at the right edge: left of the anchor", Screen, At(700, 300), 150, 600, 3, false, false, true,
     TPoint(549, 0)},
};

TEST(MenuPlacement, EdgesAndCorners)
{
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.What);
        const TPoint p = Skinmenus::CalcShowPosition(c.R, c.WA, c.W, c.H, c.ItemsTop, c.Sub, c.Up, c.Scroll);
        EXPECT_EQ(p.x, c.Expected.x);
        EXPECT_EQ(p.y, c.Expected.y);
    }
}

TEST(MenuPlacement, CloseMessagesAreExactlyTheListedOnes)
{
    const UINT closing[] = {WM_MOVE, WM_SIZE, WM_ACTIVATE, WM_KILLFOCUS, WM_CANCELMODE, WM_MOUSEACTIVATE,
                            WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_NCMBUTTONDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN,
                            WM_MBUTTONDOWN, WM_PARENTNOTIFY};
    int count = 0;
    for (UINT m = 0; m < 0x400; ++m) {
        const bool listed = std::find(std::begin(closing), std::end(closing), m) != std::end(closing);
        EXPECT_EQ(Skinmenus::CanMenuClose(m), listed) << m;
        count += Skinmenus::CanMenuClose(m) ? 1 : 0;
    }
    EXPECT_EQ(count, 13);
}

}  // namespace
