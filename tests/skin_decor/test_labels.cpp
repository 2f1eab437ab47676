// The hand-made skinned labels: the text label's size and layout, the etched
// disabled text, the link label's underline, hover colour and click order, the
// button label's glyph cells, and the status panel's glyph and text place.
#include "test_gtest.h"
#include "DecorScene.h"
#include "SkinButtonLabel.h"
#include "SkinLinkLabel.h"
#include "SkinStatusPanel.h"
#include "SkinTextLabel.h"
#include <vector>

using namespace Decor;

namespace {

const TColor cGround = 0x808080, cSeeThrough = 0xFF00FF;

// Pixels other than the ground inside the rectangle of the shot.
int Ink(TBitmap* Shot, const TRect& R, TColor Ground = cGround)
{
    int n = 0;
    for (int y = R.top; y < R.bottom; ++y)
        for (int x = R.left; x < R.right; ++x)
            if (Probe(Shot, x, y) != Ground) ++n;
    return n;
}

int Count(TBitmap* Shot, const TRect& R, TColor C)
{
    int n = 0;
    for (int y = R.top; y < R.bottom; ++y)
        for (int x = R.left; x < R.right; ++x)
            if (Probe(Shot, x, y) == C) ++n;
    return n;
}

struct LabelScene : Scene {
    LabelScene() : Scene(300, 200) { Form->SetColor(cGround); }
    void AddStdLabel(TColor Colour, TColor Active)
    {
        auto r = std::make_unique<TspDataSkinStdLabelControl>("stdlabel");
        r->Font.Color = Colour;
        r->ActiveFontColor = Active;
        Add(std::move(r));
    }
};

TEST(TextLabel, AutoSizeKeepsTheLeftOrTheRightEdge)
{
    struct Case {
        TAlignment Align;
    } cases[] = {{taLeftJustify}, {taRightJustify}, {taCenter}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Align);
        LabelScene s;
        auto* l = s.Place<TspSkinTextLabel>(50, 10, 200, 100);
        l->SetAlignment(k.Align);
        TStringList lines;
        lines.Add("First line");
        lines.Add("Second, longer line");
        l->SetLines(&lines);
        TBitmap scratch(1, 1, pf24bit);
        scratch.GetCanvas()->GetFont()->Assign(l->GetDefaultFont());
        const int tw = scratch.GetCanvas()->TextWidth("Second, longer line");
        const int th = scratch.GetCanvas()->TextHeight("Wg");
        EXPECT_EQ(l->GetWidth(), tw);
        EXPECT_EQ(l->GetHeight(), 2 * th);
        if (k.Align == taRightJustify)
            EXPECT_EQ(l->GetLeft() + l->GetWidth(), 250);
        else
            EXPECT_EQ(l->GetLeft(), 50);   // a centred label is not re-centred
        l->GetLines()->Add("third");       // edited in place
        EXPECT_EQ(l->GetHeight(), 3 * th);
    }
}

TEST(TextLabel, BottomLayoutDrawsTheTextAtTheBottomInTheSkinColour)
{
    LabelScene s;
    s.AddStdLabel(0x0000FF, 0x00FF00);
    auto* l = s.Place<TspSkinTextLabel>(0, 0, 120, 100);
    l->SetAutoSize(false);
    l->SetBounds(0, 0, 120, 100);
    TStringList lines;
    lines.Add("Bottom");
    l->SetLines(&lines);
    l->SetLayout(tlBottom);
    l->SetSkinData(s.Skin.get());
    ASSERT_NE(l->GetSkinIndex(), -1);
    auto shot = Snapshot(s.Form.get());
    EXPECT_EQ(Ink(shot.get(), TRect(0, 0, 120, 70)), 0);
    EXPECT_GT(Count(shot.get(), TRect(0, 70, 120, 100), 0x0000FF), 10);
}

TEST(Labels, DisabledTextIsEtched)
{
    LabelScene s;
    auto* t = s.Place<TspSkinTextLabel>(0, 0, 100, 40);
    TStringList lines;
    lines.Add("Etched");
    t->SetLines(&lines);
    auto* k = s.Place<TspSkinLinkLabel>(0, 100, 100, 40);
    k->SetCaption("Etched");
    for (TControl* c : std::vector<TControl*>{t, k}) c->SetEnabled(false);
    auto shot = Snapshot(s.Form.get());
    for (TControl* c : std::vector<TControl*>{t, k}) {
        const TRect r = c->GetBoundsRect();
        EXPECT_GT(Count(shot.get(), r, Sys(COLOR_BTNSHADOW)), 10);
        EXPECT_GT(Count(shot.get(), r, Sys(COLOR_BTNHIGHLIGHT)), 3);
    }
}

class TRecordingLink : public TspSkinLinkLabel {
public:
    using TspSkinLinkLabel::TspSkinLinkLabel;
    std::vector<std::string>* Log = nullptr;
protected:
    void OpenURL(const std::string& Address) override { Log->push_back("open " + Address); }
};

TEST(LinkLabel, ClickRaisesOnClickThenOpensTheURL)
{
    LabelScene s;
    std::vector<std::string> log;
    auto* l = s.Place<TRecordingLink>(0, 0, 100, 20);
    l->Log = &log;
    l->SetCaption("Link");
    l->URL = "http://127.0.0.1/";
    l->OnClick = [&](TObject*) { log.push_back("click"); };
    Click(l, 3, 3);
    EXPECT_EQ(log, (std::vector<std::string>{"click", "open http://127.0.0.1/"}));
}

// The widest row of text pixels: an underline spans the text.
int WidestRow(TBitmap* Shot, const TRect& R, TColor C)
{
    int best = 0;
    for (int y = R.top; y < R.bottom; ++y) best = std::max(best, Count(Shot, TRect(R.left, y, R.right, y + 1), C));
    return best;
}

TEST(LinkLabel, UnderlinedAndColouredUnderTheMouse)
{
    struct Case {
        bool Skinned, UseSkinFont, Hover;
        TColor Colour;
        bool Underlined;
    } cases[] = {
        {false, true, false, clBlack, true},
        {false, false, false, clBlack, true},    // Font without underline still underlined
        {false, true, true, clBlue, true},
        {true, true, false, 0x0000C0, true},
        {true, true, true, 0x00C000, true},
        {true, false, false, 0x0000C0, false},   // skinned without UseSkinFont: Font unchanged
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.Skinned << k.UseSkinFont << k.Hover);
        LabelScene s;
        s.AddStdLabel(0x0000C0, 0x00C000);
        auto* l = s.Place<TspSkinLinkLabel>(0, 0, 100, 20);
        l->GetFont()->SetStyle(0);
        l->UseSkinFont = k.UseSkinFont;
        l->SetCaption("iiiiiiii");
        if (k.Skinned) l->SetSkinData(s.Skin.get());
        if (k.Hover) l->Perform(CM_MOUSEENTER, 0, 0);
        EXPECT_EQ(l->MouseIn(), k.Hover);
        auto shot = Snapshot(s.Form.get());
        const TRect r = l->GetBoundsRect();
        ASSERT_GT(Count(shot.get(), r, k.Colour), 5);
        const int widest = WidestRow(shot.get(), r, k.Colour);
        if (k.Underlined)
            EXPECT_GE(widest, l->GetWidth() - 2);
        else
            EXPECT_LT(widest, l->GetWidth() / 2);
    }
}

TEST(ButtonLabel, GlyphCellFollowsMouseAndButtons)
{
    const TColor cells[] = {0x0000F0, 0x00F000, 0xF00000, 0xF0F000};
    LabelScene s;
    auto* b = s.Place<TspSkinButtonLabel>(0, 0, 60, 40);
    auto glyph = NewPicture(40, 10, 0);
    for (int i = 0; i < 4; ++i) Paint(glyph.get(), Bounds(i * 10, 0, 10, 10), cells[i]);
    Paint(glyph.get(), TRect(0, 9, 40, 10), cSeeThrough);   // each cell's bottom-left pixel: transparent
    b->SetGlyph(glyph.get());
    b->SetNumGlyphs(4);
    auto centre = [&] {
        auto shot = Snapshot(s.Form.get());
        return Probe(shot.get(), 30, 20);
    };
    EXPECT_EQ(centre(), cells[0]);
    b->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(centre(), cells[3]);
    Press(b, 30, 20, WM_RBUTTONDOWN);   // any mouse button
    EXPECT_TRUE(b->IsDown());
    EXPECT_EQ(b->GlyphCell(), 3);
    EXPECT_EQ(centre(), cells[2]);
    Release(b, 30, 20, WM_RBUTTONUP);
    EXPECT_FALSE(b->IsDown());
    b->Perform(CM_MOUSELEAVE, 0, 0);
    b->SetEnabled(false);
    EXPECT_EQ(centre(), cells[1]);
}

TEST(StatusPanel, GlyphBeforeTheTextAndDisabledCell)
{
    const TColor cOn = 0x00D000, cOff = 0x0000D0;
    LabelScene s;
    auto* p = s.Place<TspSkinStatusPanel>(0, 0, 120, 21);
    auto glyph = NewPicture(32, 16, 0);
    Paint(glyph.get(), Bounds(0, 0, 16, 16), cOn);
    Paint(glyph.get(), Bounds(16, 0, 16, 16), cOff);
    Paint(glyph.get(), TRect(0, 15, 32, 16), cSeeThrough);
    p->SetGlyph(glyph.get());
    p->SetNumGlyphs(2);
    EXPECT_EQ(p->TextLeft() - 3, 18);
    auto shot = Snapshot(s.Form.get());
    EXPECT_EQ(Probe(shot.get(), 10, 10), cOn);
    p->SetEnabled(false);
    shot = Snapshot(s.Form.get());
    EXPECT_EQ(Probe(shot.get(), 10, 10), cOff);
    // A one-cell strip shows its only cell while disabled, nothing beyond it.
    p->SetNumGlyphs(1);
    shot = Snapshot(s.Form.get());
    EXPECT_EQ(Probe(shot.get(), 10, 10), cOn);
}

}  // namespace
