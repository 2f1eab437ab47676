// The caption, label and bit-label objects: where the text lands and in which
// colour, shortening with "...", stretching with the frame, hover redraws,
// symbols cut from a strip, and what a damaged record does (nothing harmful).
#include "test_gtest.h"
#include "ObjectsFixture.h"

using namespace ObjFixture;

namespace {

const TColor cText = 0x0000FF, cActiveText = 0x00FF00;

std::unique_ptr<TspDataSkinCaption> NewCaptionRecord(const TRect& SkinRect)
{
    auto r = NewRecord<TspDataSkinCaption>("caption");
    r->SkinRect = SkinRect;
    r->ActiveSkinRect = TRect();
    r->InActiveSkinRect = TRect();
    r->TextRect = TRect(0, 0, SkinRect.Width(), SkinRect.Height());
    r->Font.Color = cText;
    r->ActiveFontColor = cActiveText;
    r->Alignment = taLeftJustify;
    r->DefaultCaption = true;
    return r;
}

TEST(CaptionObject, TextInTheActiveOrInactiveColour)
{
    for (bool active : {true, false}) {
        SCOPED_TRACE(active);
        Scene s(active);
        s.Form->SetCaption("Hello");
        auto r = NewCaptionRecord(TRect(0, 0, 150, 20));
        TspSkinCaptionObject c(s.Frame, r.get());
        auto pic = Drawn(&c, false);   // in a frame paint: the text only
        const TColor want = active ? cActiveText : cText;
        EXPECT_GT(CountOther(pic.get(), TRect(0, 0, 150, 20), cBack), 0);
        int exact = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 150; ++x)
                if (Probe(pic.get(), x, y) == want) ++exact;
        EXPECT_GT(exact, 5);
        EXPECT_EQ(c.Active, active);
    }
}

TEST(CaptionObject, AlignmentPlacesTheText)
{
    struct Case {
        TAlignment Align;
        const char* Name;
    } cases[] = {{taLeftJustify, "left"}, {taCenter, "centre"}, {taRightJustify, "right"}};
    int lefts[3] = {}, rights[3] = {};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(cases[i].Name);
        Scene s;
        s.Form->SetCaption("Abc");
        auto r = NewCaptionRecord(TRect(0, 0, 180, 20));
        r->TextRect = TRect(10, 0, 170, 20);
        r->Alignment = cases[i].Align;
        TspSkinCaptionObject c(s.Frame, r.get());
        auto pic = Drawn(&c, false);
        InkSpan(pic.get(), TRect(0, 0, 180, 20), cBack, lefts[i], rights[i]);
        ASSERT_GE(lefts[i], 0);
    }
    EXPECT_LE(lefts[0], 12);
    EXPECT_GE(rights[2], 165);
    EXPECT_NEAR((lefts[1] + rights[1]) / 2, 90, 3);
}

TEST(CaptionObject, LongCaptionEndsInDots)
{
    Scene s;
    s.Form->SetCaption(std::string(80, 'W'));
    auto r = NewCaptionRecord(TRect(0, 0, 100, 20));
    TspSkinCaptionObject c(s.Frame, r.get());
    auto pic = Drawn(&c, false);
    int l = -1, rr = -1;
    InkSpan(pic.get(), TRect(0, 0, 200, 20), cBack, l, rr);
    EXPECT_LT(rr, 100);   // the text stays inside its area
    // The same shortening the caption uses, checked on its own.
    TBitmap b(10, 10, pf24bit);
    std::string t(80, 'W');
    TspFormFrame::CorrectCaptionText(b.GetCanvas(), t, 100);
    ASSERT_GE(t.size(), 3u);
    EXPECT_EQ(t.substr(t.size() - 3), "...");
    EXPECT_LE(b.GetCanvas()->TextWidth(t), 100);
}

TEST(CaptionObject, EmptyTextRectOrTextDrawsNoText)
{
    for (int variant = 0; variant < 2; ++variant) {
        Scene s;
        s.Form->SetCaption(variant == 0 ? "Hello" : "");
        auto r = NewCaptionRecord(TRect(0, 0, 150, 20));
        if (variant == 0) r->TextRect = TRect();
        TspSkinCaptionObject c(s.Frame, r.get());
        auto pic = Drawn(&c, false);
        EXPECT_EQ(CountOther(pic.get(), TRect(0, 0, 200, 100), cBack), 0) << variant;
    }
}

TEST(CaptionObject, GivenTextShowsUnlessItIsTheDefaultCaption)
{
    Scene s;
    s.Form->SetCaption("Form");
    auto r = NewCaptionRecord(TRect(0, 0, 150, 20));
    r->DefaultCaption = false;
    TspSkinCaptionObject c(s.Frame, r.get());
    EXPECT_EQ(c.CaptionText(), "Form");   // nothing given yet
    c.SimpleSetTextValue("Given");
    EXPECT_EQ(c.CaptionText(), "Given");
    c.DefaultCaption = true;
    EXPECT_EQ(c.CaptionText(), "Form");
}

TEST(CaptionObject, ForcedDrawPaintsTheBackgroundFirst)
{
    // Drawn on its own (a new text), the old text must not show through.
    Scene s;
    s.Form->SetCaption("");
    auto r = NewCaptionRecord(TRect(0, 40, 150, 60));
    TspSkinCaptionObject c(s.Frame, r.get());
    auto pic = NewPicture(200, 100, cBack);
    c.Draw(pic->GetCanvas(), true);
    EXPECT_EQ(Probe(pic.get(), 75, 50), cFrame);
}

// A caption on the top edge, wider in the frame than in the skin: its fixed ends
// stay, its middle repeats.
TEST(CaptionObject, StretchesWithTheTopEdge)
{
    Scene s;
    s.Form->SetCaption("");
    TBitmap* pic = s.Skin->Picture.get();
    const TRect sr(0, 40, 60, 50);
    Paint(pic, TRect(0, 40, 10, 50), 0x0000AA);    // left end
    Paint(pic, TRect(10, 40, 50, 50), 0x00AA00);   // middle
    Paint(pic, TRect(50, 40, 60, 50), 0xAA0000);   // right end
    s.Skin->LTPoint = TPoint(10, 60);
    s.Skin->RTPoint = TPoint(50, 60);
    s.Skin->LBPoint = TPoint(10, 90);
    s.Skin->RBPoint = TPoint(50, 90);
    auto r = NewCaptionRecord(sr);
    TspSkinCaptionObject c(s.Frame, r.get());
    c.ObjectRect = TRect(0, 40, 150, 50);
    EXPECT_EQ(c.StretchZone(), 1);
    if (!s.Frame->CanScale()) GTEST_SKIP() << "the frame cannot scale yet";
    auto out = Drawn(&c, true);
    EXPECT_EQ(Probe(out.get(), 5, 45), 0x0000AA);
    EXPECT_EQ(Probe(out.get(), 75, 45), 0x00AA00);
    EXPECT_EQ(Probe(out.get(), 145, 45), 0xAA0000);
}

TEST(CaptionObject, StretchZones)
{
    Scene s;
    s.Skin->LTPoint = TPoint(10, 20);
    s.Skin->RTPoint = TPoint(90, 20);
    s.Skin->LBPoint = TPoint(10, 80);
    s.Skin->RBPoint = TPoint(90, 80);
    struct Case {
        TRect Skin;
        int Zone;
    } cases[] = {
        {TRect(20, 2, 80, 18), 1},
        {TRect(20, 82, 80, 98), 2},
        {TRect(0, 10, 8, 90), 3},
        {TRect(92, 30, 100, 70), 4},
    };
    for (const auto& k : cases) {
        auto r = NewCaptionRecord(k.Skin);
        TspSkinCaptionObject c(s.Frame, r.get());
        EXPECT_EQ(c.StretchZone(), 0);
        c.ObjectRect.right += 7;
        EXPECT_EQ(c.StretchZone(), k.Zone);
    }
}

TEST(CaptionObject, ActiveImageFadeAndInactiveEffect)
{
    const TColor blend = RGB(0xC0 / 2, 0xC0 / 2, 0);   // cNormal half way to cActive
    struct Case {
        const char* Name;
        bool FormActive, Morphing, AutoInactive;
        double Kf;
        TColor Expected;
    } cases[] = {
        {"active, no fade", true, false, false, 0, cActive},
        {"active, faded in", true, true, false, 1, cActive},
        {"active, half way", true, true, false, 0.5, blend},
        {"inactive", false, true, false, 0, cNormal},
        {"inactive, fading out", false, true, false, 0.5, blend},
        {"inactive, rendered by effect", false, true, true, 0, static_cast<TColor>((~cNormal) & 0xFFFFFF)},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Name);
        Scene s(k.FormActive);
        s.Form->SetCaption("");
        s.Skin->AutoRenderingInActiveImage = k.AutoInactive;
        s.Skin->InActiveEffect = ieInvert;
        auto r = NewCaptionRecord(ObjRect);
        r->ActiveSkinRect = Cell(kActive);
        r->Morphing = k.Morphing;
        TspSkinCaptionObject c(s.Frame, r.get());
        c.MorphKf = k.Kf;
        const TColor got = Look(&c, true);
        EXPECT_NEAR(GetRValue(got), GetRValue(k.Expected), 1);
        EXPECT_NEAR(GetGValue(got), GetGValue(k.Expected), 1);
        EXPECT_NEAR(GetBValue(got), GetBValue(k.Expected), 1);
    }
}

TEST(CaptionObject, EnterAndLeaveTouchOnlyHovered)
{
    Scene s;
    auto r = NewCaptionRecord(TRect(0, 0, 150, 20));
    TspSkinCaptionObject c(s.Frame, r.get());
    c.Active = false;
    c.MouseEnter();
    EXPECT_TRUE(c.Hovered);
    EXPECT_FALSE(c.Active);
    c.MouseDown(3, 3, mbLeft);
    c.MouseLeave();
    c.MouseUp(300, 300, mbLeft);   // the release still reaches the application
    const std::vector<std::string> want = {"enter:caption", "down:caption", "leave:caption", "up:caption"};
    EXPECT_EQ(s.Events, want);
}

std::unique_ptr<TspDataSkinLabel> NewLabelRecord()
{
    auto r = NewRecord<TspDataSkinLabel>("label");
    r->SkinRect = TRect(0, 40, 120, 60);
    r->ActiveSkinRect = TRect();
    r->InActiveSkinRect = TRect();
    r->Font.Color = cText;
    r->ActiveFontColor = cActiveText;
    r->TextValue = "Label";
    return r;
}

TEST(LabelObject, HoverColourAndRedrawRules)
{
    struct Case {
        const char* Name;
        TColor ActiveColor;
        bool ActiveRect;
        bool Redraws;
    } cases[] = {
        {"same colours, no active image", cText, false, false},
        {"hover colour", cActiveText, false, true},
        {"active image", cText, true, true},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Name);
        Scene s;
        auto r = NewLabelRecord();
        r->ActiveFontColor = k.ActiveColor;
        r->Morphing = true;   // a redraw of a morphing object starts the morph timer
        if (k.ActiveRect) r->ActiveSkinRect = Cell(kActive);
        TspSkinLabelObject l(s.Frame, r.get());
        l.morphing = true;
        l.MouseEnter();
        EXPECT_EQ(s.MorphTimerOn(), k.Redraws);
        EXPECT_EQ(s.Events.size(), 1u);
        s.StopMorphTimer();
        l.MouseLeave();
        EXPECT_EQ(s.MorphTimerOn(), k.Redraws);
        EXPECT_EQ(s.Events.size(), 2u);
    }
}

TEST(LabelObject, TextShowsAlsoUnderThePointer)
{
    Scene s;
    auto r = NewLabelRecord();
    r->ActiveFontColor = cText;
    TspSkinLabelObject l(s.Frame, r.get());
    l.MouseEnter();
    l.SetTextValue("New", false);
    auto pic = Drawn(&l, false);
    EXPECT_GT(CountOther(pic.get(), TRect(0, 40, 120, 60), cFrame), 0);
    EXPECT_EQ(Probe(pic.get(), 1, 41), cFrame);   // the label's background
}

TEST(LabelObject, ColourFollowsThePointer)
{
    Scene s;
    auto r = NewLabelRecord();
    TspSkinLabelObject l(s.Frame, r.get());
    auto count = [&](TColor C) {
        auto pic = Drawn(&l);
        int n = 0;
        for (int y = 40; y < 60; ++y)
            for (int x = 0; x < 120; ++x)
                if (Probe(pic.get(), x, y) == C) ++n;
        return n;
    };
    EXPECT_GT(count(cText), 5);
    EXPECT_EQ(count(cActiveText), 0);
    l.MouseEnter();
    EXPECT_GT(count(cActiveText), 5);
    EXPECT_EQ(count(cText), 0);
}

// Symbols: row 0 "0123", row 1 "ABCD", 8 x 10 each, in the active picture at (0, 40).
struct BitScene : Scene {
    std::unique_ptr<TspDataSkinBitLabel> Rec = NewRecord<TspDataSkinBitLabel>("bits");
    static TColor SymColor(int Row, int Col) { return RGB(40 + Col * 50, 40 + Row * 100, 200); }
    BitScene()
    {
        TBitmap* act = Skin->ActivePictures[0].get();
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 4; ++c) Paint(act, TRect(c * 8, 40 + r * 10, c * 8 + 8, 50 + r * 10), SymColor(r, c));
        Rec->SkinRect = TRect(0, 60, 28, 70);   // room for three and a half symbols
        Rec->ActiveSkinRect = TRect(0, 40, 32, 60);
        Rec->SymbolWidth = 8;
        Rec->SymbolHeight = 10;
        Rec->SkinTextSymbols.Add("0123");
        Rec->SkinTextSymbols.Add("ABCD");
    }
};

TEST(BitLabelObject, SymbolsFromTheStripAndTheLastOneCut)
{
    BitScene s;
    s.Rec->TextValue = "1?CD0";
    TspSkinBitLabelObject b(s.Frame, s.Rec.get());
    auto pic = Drawn(&b);
    EXPECT_EQ(Probe(pic.get(), 4, 65), BitScene::SymColor(0, 1));   // "1"
    EXPECT_EQ(Probe(pic.get(), 12, 65), cFrame);                     // "?": a gap
    EXPECT_EQ(Probe(pic.get(), 20, 65), BitScene::SymColor(1, 2));  // "C"
    EXPECT_EQ(Probe(pic.get(), 26, 65), BitScene::SymColor(1, 3));  // "D", cut at 28
    EXPECT_EQ(Probe(pic.get(), 29, 65), cBack);                      // nothing past the object
}

TEST(BitLabelObject, DamagedRecordsDrawSafely)
{
    struct Case {
        const char* Name;
        int W, H;
        TRect Strip;
        std::string Text;
    } cases[] = {
        {"zero symbol width", 0, 10, TRect(0, 40, 32, 60), "0123"},
        {"negative symbol size", -8, -10, TRect(0, 40, 32, 60), "0123"},
        {"huge symbol size", 1 << 30, 1 << 30, TRect(0, 40, 32, 60), "0123"},
        {"strip far outside", 8, 10, TRect(100000, 100000, 100032, 100020), "0123"},
        {"long text", 8, 10, TRect(0, 40, 32, 60), std::string(100000, 'A')},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Name);
        BitScene s;
        s.Rec->SymbolWidth = k.W;
        s.Rec->SymbolHeight = k.H;
        s.Rec->ActiveSkinRect = k.Strip;
        s.Rec->TextValue = k.Text;
        TspSkinBitLabelObject b(s.Frame, s.Rec.get());
        auto pic = Drawn(&b);
        EXPECT_EQ(Probe(pic.get(), 29, 65), cBack);
    }
}

TEST(TextObjects, DamagedRecordsDrawSafely)
{
    struct Case {
        const char* Name;
        TRect Skin, Active, Frame;
        int LeftOff, RightOff;
    } cases[] = {
        {"huge object", TRect(0, 0, 1 << 30, 1 << 30), TRect(), TRect(), 0, 0},
        {"inverted", TRect(50, 50, 10, 10), TRect(30, 30, 0, 0), TRect(), 0, 0},
        {"plate offsets too large", TRect(0, 0, 100, 20), TRect(), TRect(0, 0, 20, 20), 500, 500},
        {"negative plate offsets", TRect(0, 0, 100, 20), TRect(), TRect(0, 0, 20, 20), -50, -50},
        {"active image far outside", TRect(0, 0, 100, 20), TRect(90000, 90000, 90100, 90020), TRect(), 0, 0},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Name);
        Scene s;
        s.Form->SetCaption("Caption");
        auto r = NewCaptionRecord(k.Skin);
        r->ActiveSkinRect = k.Active;
        r->FrameRect = k.Frame;
        r->FrameLeftOffset = k.LeftOff;
        r->FrameRightOffset = k.RightOff;
        r->Morphing = true;
        TspSkinCaptionObject c(s.Frame, r.get());
        c.MorphKf = 0.4;
        Drawn(&c, true);
        Drawn(&c, false);
        auto lr = NewLabelRecord();
        lr->SkinRect = k.Skin;
        lr->ActiveSkinRect = k.Active;
        TspSkinLabelObject l(s.Frame, lr.get());
        l.MouseEnter();
        Drawn(&l);
    }
}

TEST(ObjectFactory, RecordKindsMakeTheirObjects)
{
    Scene s;
    auto kind = [&](std::unique_ptr<TspDataSkinObject> R) -> std::string {
        std::unique_ptr<TspActiveSkinObject> o(Formframe::CreateSkinObject(s.Frame, R.get()));
        if (!o) return "none";
        if (dynamic_cast<TspSkinStdButtonObject*>(o.get())) return "stdbutton";
        if (dynamic_cast<TspSkinButtonObject*>(o.get())) return "button";
        if (dynamic_cast<TspSkinCaptionObject*>(o.get())) return "caption";
        if (dynamic_cast<TspUserObject*>(o.get())) return "user";
        if (dynamic_cast<TspSkinLabelObject*>(o.get())) return "label";
        if (dynamic_cast<TspSkinBitLabelObject*>(o.get())) return "bitlabel";
        if (dynamic_cast<TspSkinAnimateObject*>(o.get())) return "animate";
        return "other";
    };
    EXPECT_EQ(kind(std::make_unique<TspDataSkinStdButton>("a")), "stdbutton");
    EXPECT_EQ(kind(std::make_unique<TspDataSkinButton>("a")), "button");
    EXPECT_EQ(kind(std::make_unique<TspDataSkinCaption>("a")), "caption");
    EXPECT_EQ(kind(std::make_unique<TspDataUserObject>("a")), "user");
    EXPECT_EQ(kind(std::make_unique<TspDataSkinLabel>("a")), "label");
    EXPECT_EQ(kind(std::make_unique<TspDataSkinBitLabel>("a")), "bitlabel");
    EXPECT_EQ(kind(std::make_unique<TspDataSkinAnimate>("a")), "animate");
    EXPECT_EQ(kind(std::make_unique<TspDataSkinMainMenuItem>("a")), "none");
    EXPECT_EQ(kind(std::make_unique<TspDataSkinMenuItem>("a")), "none");
    EXPECT_EQ(kind(std::make_unique<TspDataSkinMainMenuBarButton>("a")), "none");
    EXPECT_EQ(kind(std::make_unique<TspDataSkinObject>("a")), "none");
    EXPECT_EQ(Formframe::CreateSkinObject(s.Frame, nullptr), nullptr);
}

}  // namespace
