// The caption band of our generated skins on windows wider than the form picture:
// the frame repeats (or stretches) the top band only between the left-top and
// right-top points, so a caption-button picture drawn there would show again and
// again along a wide caption. Everything drawn once must lie in the fixed parts,
// and the button objects whose images are in the form picture must move with them.
#include "test_gtest.h"
#include "SkinBuilder.h"
#include <map>

using namespace Skingen;

namespace {

std::vector<int> Numbers(const IniSection& s, const std::string& key)
{
    std::vector<int> out;
    std::string field;
    for (char c : s.Get(key) + ",") {
        if (c == ',') {
            if (!field.empty())
                out.push_back(std::stoi(field));
            field.clear();
        } else {
            field += c;
        }
    }
    return out;
}

Box RectOf(const IniSection& s, const std::string& key)
{
    std::vector<int> n = Numbers(s, key);
    return n.size() == 4 ? MakeBox(n[0], n[1], n[2], n[3]) : Box();
}

bool Empty(const Box& b) { return b.Width() <= 0 || b.Height() <= 0; }

// The platform's rule: left <= x < right and top <= y < bottom.
bool PointIn(const Box& zone, int x, int y) { return x >= zone.Left && x < zone.Right && y >= zone.Top && y < zone.Bottom; }
bool Within(const Box& zone, const Box& r) { return PointIn(zone, r.Left, r.Top) && PointIn(zone, r.Right, r.Bottom); }

struct CaptionGeometry {
    int PictureW = 0, PictureH = 0;
    int SplitLeft = 0, SplitRight = 0, BandBottom = 0;   // repeated columns and the band's height
    Box LeftZone, RightZone;                             // fixed top corners, as the frame maps objects
};

CaptionGeometry Geometry(const BuiltSkin& skin)
{
    const IniSection& f = *skin.Description.Find("FORMINFO");
    CaptionGeometry g;
    g.PictureW = skin.Main[0].Canvas.Width();
    g.PictureH = skin.Main[0].Canvas.Height();
    std::vector<int> lt = Numbers(f, "lefttoppoint"), rt = Numbers(f, "righttoppoint");
    g.SplitLeft = lt.at(0);
    g.SplitRight = rt.at(0);
    g.BandBottom = RectOf(f, "clientrect").Top;
    g.LeftZone = MakeBox(0, 0, lt.at(0), lt.at(1));
    g.RightZone = MakeBox(rt.at(0), 0, g.PictureW, rt.at(1));
    return g;
}

bool MeetsRepeatedMiddle(const CaptionGeometry& g, const Box& r)
{
    return r.Top < g.BandBottom && r.Left < g.SplitRight && r.Right > g.SplitLeft;
}

struct Object {
    std::string Name, Type;
    const IniSection* Keys;
};

std::vector<Object> Objects(const BuiltSkin& skin)
{
    std::vector<Object> out;
    const IniSection& list = *skin.Description.Find("SKINOBJECTS");
    for (int i = 0; i < std::stoi(list.Get("count")); ++i) {
        std::string e = list.Get(std::to_string(i));
        const size_t colon = e.find(':');
        const std::string name = e.substr(0, colon);
        out.push_back({name, e.substr(colon + 1), skin.Description.Find(name)});
    }
    return out;
}

// Every caption-button picture the form picture carries: the buttons whose normal
// image is cut from the form picture itself, and the system-menu icon place.
std::vector<std::pair<std::string, Box>> PicturesInForm(const BuiltSkin& skin)
{
    std::vector<std::pair<std::string, Box>> out;
    for (const Object& o : Objects(skin))
        if (o.Type == "stdbutton" && o.Keys->Get("skinrectinapicture") == "0")
            out.push_back({o.Name, RectOf(*o.Keys, "skinrect")});
    out.push_back({"FORMINFO.iconrect", RectOf(*skin.Description.Find("FORMINFO"), "iconrect")});
    return out;
}

class CaptionBand : public ::testing::TestWithParam<int> {
protected:
    static SkinStyle Style(int i) { return i == 0 ? Korvel2Style() : SarnicStyle(); }
};

TEST_P(CaptionBand, NoCaptionButtonPictureLiesInTheRepeatedMiddle)
{
    const BuiltSkin skin = BuildSkin(Style(GetParam()));
    const CaptionGeometry g = Geometry(skin);
    ASSERT_LT(g.SplitLeft, g.SplitRight);
    const auto pictures = PicturesInForm(skin);
    ASSERT_GE(pictures.size(), 2u);
    for (const auto& p : pictures) {
        ASSERT_FALSE(Empty(p.second)) << p.first;
        EXPECT_FALSE(MeetsRepeatedMiddle(g, p.second))
            << p.first << " (" << p.second.Left << ".." << p.second.Right << ") meets the repeated columns "
            << g.SplitLeft << ".." << g.SplitRight;
    }
}

// Independent of the records: whatever the middle of the caption band holds is
// repeated, so it may only be the caption's vertical ramp, one colour per row;
// a glyph or a button bevel there breaks a row. Checked on every picture the
// frame can be drawn from (active, inactive).
TEST_P(CaptionBand, RepeatedMiddleOfTheBandIsOneColourPerRow)
{
    const BuiltSkin skin = BuildSkin(Style(GetParam()));
    const CaptionGeometry g = Geometry(skin);
    for (int pic : {0, 1}) {
        const SkinPicture& p = skin.Main[pic];
        if (p.FileName.empty())
            continue;
        SCOPED_TRACE(p.FileName);
        ASSERT_EQ(p.Canvas.Width(), g.PictureW);
        int broken = 0, firstRow = -1, firstX = -1;
        for (int y = 0; y < g.BandBottom; ++y)
            for (int x = g.SplitLeft + 1; x < g.SplitRight; ++x)
                if (p.Canvas.Pixel(x, y) != p.Canvas.Pixel(g.SplitLeft, y)) {
                    if (broken++ == 0) {
                        firstRow = y;
                        firstX = x;
                    }
                    break;
                }
        EXPECT_EQ(broken, 0) << "rows broken, the first is row " << firstRow << " at x " << firstX;
    }
}

// The frame leaves a button whose image is part of the form picture where its
// rectangle maps: it follows the right edge only when it lies wholly in the
// right-top corner zone, and stays at the left only in the left-top zone. Each
// must sit on the side its layout puts it, so that it keeps covering its own
// picture, and the caption must run from one fixed part to the other so that it
// stretches with the window.
TEST_P(CaptionBand, ButtonsMoveWithTheirPicturesAndTheCaptionStretches)
{
    const SkinStyle style = Style(GetParam());
    const BuiltSkin skin = BuildSkin(style);
    const CaptionGeometry g = Geometry(skin);
    const std::map<std::string, bool> onButtonsSide = {{"closebutton", true}, {"maxbutton", true},
                                                       {"minbutton", true},   {"rollupbutton", true},
                                                       {"traybutton", true},  {"sysmenubutton", false}};
    int seen = 0;
    for (const Object& o : Objects(skin)) {
        auto side = onButtonsSide.find(o.Name);
        if (side == onButtonsSide.end())
            continue;
        ++seen;
        // A button cut from the frame strip is placed by the buttons rectangle (below).
        if (o.Keys->Get("skinrectinapicture") == "1")
            continue;
        const Box r = RectOf(*o.Keys, "skinrect");
        const bool rightSide = side->second != style.ButtonsInLeft;
        EXPECT_TRUE(Within(rightSide ? g.RightZone : g.LeftZone, r))
            << o.Name << " (" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << ") is not in the "
            << (rightSide ? "right" : "left") << "-top zone";
    }
    EXPECT_EQ(seen, int(onButtonsSide.size()));

    const IniSection& f = *skin.Description.Find("FORMINFO");
    const Box caption = RectOf(f, "captionrect");
    EXPECT_TRUE(PointIn(g.LeftZone, caption.Left, caption.Top));
    EXPECT_TRUE(PointIn(g.RightZone, caption.Right, caption.Bottom));
    // The buttons rectangle follows the right edge when its left lies in the right half.
    const Box buttons = RectOf(f, "buttonsrect");
    EXPECT_EQ(buttons.Left > g.PictureW / 2, !style.ButtonsInLeft);
    EXPECT_TRUE(Within(style.ButtonsInLeft ? g.LeftZone : g.RightZone, buttons));
}

INSTANTIATE_TEST_SUITE_P(OurSkins, CaptionBand, ::testing::Values(0, 1),
                         [](const ::testing::TestParamInfo<int>& i) {
                             return std::string(i.param == 0 ? "Korvel2" : "Sarnic");
                         });

} // namespace
