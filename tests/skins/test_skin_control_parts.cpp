// Parts of the generated controls and frame that the controls cut from the skin's
// own pictures: the drop-down and spin arrows in every look, the combo box's ends,
// the extended panel's rolled bar and strip.
#include "test_gtest.h"
#include "SkinBuilder.h"

using namespace Skingen;

namespace {

Box RectOf(const IniSection& s, const std::string& key)
{
    std::vector<int> n;
    std::string field;
    for (char c : s.Get(key) + ",") {
        if (c == ',') {
            if (!field.empty())
                n.push_back(std::stoi(field));
            field.clear();
        } else {
            field += c;
        }
    }
    return n.size() == 4 ? MakeBox(n[0], n[1], n[2], n[3]) : Box();
}

int PointX(const IniSection& s, const std::string& key) { return std::stoi(s.Get(key)); }

bool Empty(const Box& b) { return b.Width() <= 0 || b.Height() <= 0; }
bool Inside(const Box& outer, const Box& r)
{
    return r.Left >= outer.Left && r.Top >= outer.Top && r.Right <= outer.Right && r.Bottom <= outer.Bottom;
}
bool Meet(const Box& a, const Box& b)
{
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}
Box Offset(const Box& r, int dx, int dy) { return MakeBox(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy); }

// The arrow head's tip and base as the generator centres it: its middle column
// holds the arrow colour on every row of the head; the corners of the box hold none.
struct ArrowProbe {
    int Tip = 0, Base = 0, X = 0;
};
ArrowProbe ArrowIn(const Box& b)
{
    const int rows = std::max(2, std::min((b.Width() - 2) / 3, (b.Height() - 2) / 2));
    const int top = b.Top + (b.Height() - rows) / 2;
    return {top, top + rows - 1, b.Left + b.Width() / 2};
}

// An arrow pointing up has its widest row at the bottom: one pixel beside the tip
// is face, one pixel beside the base's middle is arrow colour.
void ExpectArrow(const SkinCanvas& pic, const Box& b, bool up, Colour arrow, const std::string& what)
{
    ASSERT_FALSE(Empty(b)) << what;
    ArrowProbe a = ArrowIn(b);
    const int tipRow = up ? a.Tip : a.Base, wideRow = up ? a.Base : a.Tip;
    EXPECT_EQ(pic.Pixel(a.X, tipRow), arrow) << what << " tip";
    EXPECT_EQ(pic.Pixel(a.X, wideRow), arrow) << what << " wide row";
    EXPECT_EQ(pic.Pixel(a.X - 1, wideRow), arrow) << what << " wide row left";
    EXPECT_EQ(pic.Pixel(a.X + 1, wideRow), arrow) << what << " wide row right";
    EXPECT_NE(pic.Pixel(a.X - 1, tipRow), arrow) << what << " beside the tip";
    EXPECT_NE(pic.Pixel(b.Left + 2, b.Top + 2), arrow) << what << " corner";
}

class ControlParts : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { skin = BuildSkin(GetParam() == 0 ? Korvel2Style() : SarnicStyle()); }
    const IniSection& Sec(const std::string& name) const { return *skin.Description.Find(name); }
    const SkinCanvas& Pic(const IniSection& s) const
    {
        return skin.Active.at(std::stoi(s.Get("pictureindex"))).Canvas;
    }
    Colour TextColour() const { return GetParam() == 0 ? Korvel2Style().Text : SarnicStyle().Text; }
    Colour Disabled() const { return GetParam() == 0 ? Korvel2Style().DisabledText : SarnicStyle().DisabledText; }
    BuiltSkin skin;
};

TEST_P(ControlParts, ComboBoxButtonShowsTheDropDownArrowInEveryLook)
{
    for (const char* name : {"combobox", "captioncombobox", "statuscombobox", "toolcombobox"}) {
        const IniSection& s = Sec(name);
        const SkinCanvas& pic = Pic(s);
        const Box face = RectOf(s, "skinrect"), button = RectOf(s, "buttonrect");
        ExpectArrow(pic, Offset(button, face.Left, face.Top), false, TextColour(), std::string(name) + " normal");
        ExpectArrow(pic, RectOf(s, "activebuttonrect"), false, TextColour(), std::string(name) + " active");
        ExpectArrow(pic, RectOf(s, "downbuttonrect"), false, TextColour(), std::string(name) + " down");
        ExpectArrow(pic, RectOf(s, "unenabledbuttonrect"), false, Disabled(), std::string(name) + " disabled");
    }
}

TEST_P(ControlParts, ComboBoxLeftEndIsTheFrameAndTheButtonStaysInTheRightEnd)
{
    for (const char* name : {"combobox", "captioncombobox", "statuscombobox", "toolcombobox"}) {
        const IniSection& s = Sec(name);
        const Box face = RectOf(s, "skinrect"), button = RectOf(s, "buttonrect"), client = RectOf(s, "clientrect");
        const int left = PointX(s, "lefttoppoint"), right = PointX(s, "righttoppoint");
        EXPECT_LE(left, 3) << name;
        EXPECT_LE(client.Left, 3) << name;
        EXPECT_GE(client.Left, left) << name;
        EXPECT_LE(client.Right, button.Left) << name << ": text area runs under the button";
        EXPECT_GE(button.Left, right) << name << ": the button would stretch with the middle";
        EXPECT_TRUE(Inside(Box{0, 0, face.Width(), face.Height()}, client)) << name;
        // The left end's columns inside the frame are the face's own fill, not a button.
        const SkinCanvas& pic = Pic(s);
        EXPECT_EQ(pic.Pixel(face.Left + left + 1, face.Top + face.Height() / 2),
                  pic.Pixel(face.Left + face.Width() / 2, face.Top + face.Height() / 2))
            << name;
    }
}

TEST_P(ControlParts, SpinEditArrowsShowInEveryLook)
{
    for (const char* name : {"spinedit", "statusspinedit", "toolspinedit"}) {
        const IniSection& s = Sec(name);
        const SkinCanvas& pic = Pic(s);
        const Box up = RectOf(s, "upbuttonrect"), down = RectOf(s, "downbuttonrect");
        EXPECT_FALSE(Meet(up, down)) << name;
        // The client is repeated when the control grows: it must not hold the buttons' pictures.
        EXPECT_LE(RectOf(s, "clientrect").Right, std::min(up.Left, down.Left)) << name;
        for (const char* look : {"skinrect", "activeskinrect"}) {
            const Box face = RectOf(s, look);
            ExpectArrow(pic, Offset(up, face.Left, face.Top), true, TextColour(), std::string(name) + " up " + look);
            ExpectArrow(pic, Offset(down, face.Left, face.Top), false, TextColour(),
                        std::string(name) + " down " + look);
        }
        ExpectArrow(pic, RectOf(s, "activeupbuttonrect"), true, TextColour(), std::string(name) + " active up");
        ExpectArrow(pic, RectOf(s, "downupbuttonrect"), true, TextColour(), std::string(name) + " pressed up");
        ExpectArrow(pic, RectOf(s, "activedownbuttonrect"), false, TextColour(), std::string(name) + " active down");
        ExpectArrow(pic, RectOf(s, "downdownbuttonrect"), false, TextColour(), std::string(name) + " pressed down");
    }
}

TEST_P(ControlParts, EditButtonsLieOutsideTheRepeatedClient)
{
    for (const char* name : {"buttonedit", "statusbuttonedit", "toolbuttonedit"}) {
        const IniSection& s = Sec(name);
        const Box button = RectOf(s, "buttonrect");
        ASSERT_FALSE(Empty(button)) << name;
        EXPECT_LE(RectOf(s, "clientrect").Right, button.Left) << name;
    }
}

TEST_P(ControlParts, ExPanelRolledBarIsHorizontalAndRolledStripVertical)
{
    const IniSection& s = Sec("expanel");
    const Box bar = RectOf(s, "rollvskinrect"), strip = RectOf(s, "rollhskinrect");
    const Box barCaption = RectOf(s, "rollvcaptionrect"), stripCaption = RectOf(s, "rollhcaptionrect");
    EXPECT_GT(bar.Width(), bar.Height());
    EXPECT_GT(strip.Height(), strip.Width());
    EXPECT_GT(barCaption.Width(), barCaption.Height());
    EXPECT_GT(stripCaption.Height(), stripCaption.Width());
    EXPECT_TRUE(Inside(Box{0, 0, bar.Width(), bar.Height()}, barCaption));
    EXPECT_TRUE(Inside(Box{0, 0, strip.Width(), strip.Height()}, stripCaption));
    // The bar's fixed ends and the strip's fixed ends lie in their own direction.
    EXPECT_LT(std::stoi(s.Get("rollleftoffset")) + std::stoi(s.Get("rollrightoffset")), bar.Width());
    EXPECT_LT(std::stoi(s.Get("rolltopoffset")) + std::stoi(s.Get("rollbottomoffset")), strip.Height());
    // The caption buttons fit across the rolled caption: side by side on the bar, stacked on the strip.
    const Box close = RectOf(s, "closebuttonrect"), vroll = RectOf(s, "vrollbuttonrect"),
              hroll = RectOf(s, "hrollbuttonrect");
    EXPECT_LE(close.Height(), barCaption.Height());
    EXPECT_LE(vroll.Height(), barCaption.Height());
    EXPECT_LE(close.Width(), stripCaption.Width());
    EXPECT_LE(hroll.Width(), stripCaption.Width());
    EXPECT_LE(close.Height() + hroll.Height() + 2, stripCaption.Height());
    // Both rolled looks carry the caption colours, unlike the panel's body.
    const SkinStyle st = GetParam() == 0 ? Korvel2Style() : SarnicStyle();
    const SkinCanvas& pic = Pic(s);
    EXPECT_EQ(pic.Pixel(strip.Left + strip.Width() / 2, strip.Top + strip.Height() / 2), st.CaptionBottom);
    const Colour barMid = pic.Pixel(bar.Left + bar.Width() / 2, bar.Top + bar.Height() / 2);
    EXPECT_NE(barMid, st.Face);
    EXPECT_EQ(barMid, pic.Pixel(bar.Left + 5, bar.Top + bar.Height() / 2)) << "one colour per row";
}

INSTANTIATE_TEST_SUITE_P(OurSkins, ControlParts, ::testing::Values(0, 1),
                         [](const ::testing::TestParamInfo<int>& i) { return i.param == 0 ? "Korvel2" : "Sarnic"; });

} // namespace
