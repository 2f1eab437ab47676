#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "ImgList.h"
#include "SkinBitLabel.h"
#include "SkinButton.h"
#include "SkinCheckRadioBox.h"
#include "SkinToolBar.h"
#include "SkinLabels.h"
#include "SkinPanel.h"
#include "SkinSpeedButton.h"
#include <cstdint>

using namespace CtlFixture;

namespace {

struct Scene {
    std::unique_ptr<TForm> Form;
    std::unique_ptr<TspSkinData> Skin = NewSkin();
    Scene()
    {
        Form.reset(new TForm(nullptr));
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 400, 200);
        Form->SetColor(0x404040);
    }
};

TspDataSkinLabelControl* AddLabel(TspSkinData* D)
{
    auto r = std::make_unique<TspDataSkinLabelControl>("label");
    r->PictureIndex = 0;
    r->SkinRect = LookRect(0);
    r->LeftTopPoint = TPoint(10, 0);
    r->RightTopPoint = TPoint(50, 0);
    r->ClientRect = TRect(10, 2, 50, 18);
    r->Font.Color = 0x00FF00;
    auto* p = r.get();
    D->CtrlList.push_back(std::move(r));
    return p;
}

TEST(SkinLabel, FramedLabelGrowsToItsTextAndKeepsWidthWhenAligned)
{
    Scene s;
    auto* l = new TspSkinLabel(s.Form.get());
    l->SetParent(s.Form.get());
    l->SetBounds(0, 0, 40, 21);
    l->SetCaption("A caption much wider than forty pixels");
    l->SetAutoSize(true);
    const int grown = l->GetWidth();
    EXPECT_GT(grown, 40);
    EXPECT_EQ(l->CalcWidthOffset(), 0);
    l->SetCaption("A");   // AdjustBounds also shrinks
    EXPECT_LT(l->GetWidth(), grown);
    auto* top = new TspSkinLabel(s.Form.get());
    top->SetParent(s.Form.get());
    top->SetAlign(alTop);
    const int w = top->GetWidth();
    top->SetCaption("A caption much wider than the form is, surely, by a long long way of text");
    top->SetAutoSize(true);
    EXPECT_EQ(top->GetWidth(), w);
}

TEST(SkinLabel, SkinnedFramedLabelDrawsTheElementAndItsText)
{
    Scene s;
    AddLabel(s.Skin.get());
    auto* l = new TspSkinLabel(s.Form.get());
    l->SetParent(s.Form.get());
    l->SetBounds(0, 0, 100, 21);
    l->SetSkinData(s.Skin.get());
    ASSERT_TRUE(l->Skinned());
    EXPECT_EQ(l->GetHeight(), 20);
    auto shot = Snapshot(l);
    EXPECT_EQ(Probe(shot.get(), 5, 10), cEdge);
    EXPECT_EQ(Probe(shot.get(), 95, 3), cEdge);
    EXPECT_EQ(Probe(shot.get(), 70, 3), cNormal);
}

TEST(SkinLabel, SkinFontHeightIsBoundedWhateverTheRecordSays)
{
    for (int height : {-40000, 40000}) {
        Scene s;
        AddLabel(s.Skin.get())->Font.Height = height;
        auto* l = new TspSkinLabel(s.Form.get());
        l->SetParent(s.Form.get());
        l->SetBounds(0, 0, 100, 21);
        l->SetCaption("Label");
        l->SetSkinData(s.Skin.get());
        ASSERT_TRUE(l->Skinned());
        // Grown to its text: at most five letters of the tallest font a skin may have.
        l->SetAutoSize(true);
        EXPECT_GT(l->GetWidth(), 100) << height;
        EXPECT_LT(l->GetWidth(), 5 * MaxSkinFontHeight) << height;
    }
}

TEST(SkinStdLabel, FontFollowsSkinAndUseSkinFont)
{
    Scene s;
    auto rec = std::make_unique<TspDataSkinStdLabelControl>("stdlabel");
    rec->Font.Color = 0x0000FF;
    rec->Font.Height = 30;
    s.Skin->CtrlList.push_back(std::move(rec));
    auto* l = new TspSkinStdLabel(s.Form.get());
    l->SetParent(s.Form.get());
    l->SetCaption("Wy");
    const int plainHeight = l->GetHeight();
    l->SetSkinData(s.Skin.get());
    EXPECT_NE(l->GetSkinIndex(), -1);
    EXPECT_GT(l->GetHeight(), plainHeight);   // auto size follows the skin's larger font
    // The skin's colour shows somewhere in the text.
    auto shot = Snapshot(s.Form.get());
    bool red = false;
    for (int y = 0; y < l->GetHeight() && !red; ++y)
        for (int x = 0; x < l->GetWidth() && !red; ++x) red = Probe(shot.get(), x, y) == 0x0000FF;
    EXPECT_TRUE(red);
    // An empty caption keeps one line's height.
    l->SetCaption("");
    EXPECT_GT(l->GetHeight(), 0);
}

// ---- damaged skins ----

struct TRandom {
    uint32_t State;
    uint32_t Next() { return State = State * 1664525u + 1013904223u; }
    int Any()
    {
        switch (Next() % 6) {
        case 0: return 0;
        case 1: return -1;
        case 2: return static_cast<int>(Next() % 100);
        case 3: return -static_cast<int>(Next() % 100000);
        case 4: return static_cast<int>(Next());
        default: return static_cast<int>(Next() % 70);
        }
    }
    TRect Rect() { return TRect(Any(), Any(), Any(), Any()); }
    TPoint Point() { return TPoint(Any(), Any()); }
};

void Damage(TspDataSkinControl* R, TRandom& Rnd)
{
    R->PictureIndex = Rnd.Next() % 3 ? static_cast<int>(Rnd.Next() % 3) - 1 : Rnd.Any();
    R->MaskPictureIndex = Rnd.Next() % 2 ? 1 : Rnd.Any();
    R->SkinRect = Rnd.Next() % 3 ? TRect(0, 0, static_cast<int>(Rnd.Next() % 70), static_cast<int>(Rnd.Next() % 90))
                                 : Rnd.Rect();
    R->CursorIndex = Rnd.Any();
    if (auto* c = dynamic_cast<TspDataSkinCustomControl*>(R)) {
        c->LeftTopPoint = Rnd.Point();
        c->RightTopPoint = Rnd.Point();
        c->LeftBottomPoint = Rnd.Point();
        c->RightBottomPoint = Rnd.Point();
        c->ClientRect = Rnd.Rect();
    }
    if (auto* b = dynamic_cast<TspDataSkinButtonControl*>(R)) {
        b->ActiveSkinRect = Rnd.Rect();
        b->DownSkinRect = Rnd.Rect();
        b->DisabledSkinRect = Rnd.Rect();
        b->Font.Height = Rnd.Any();
    }
    if (auto* k = dynamic_cast<TspDataSkinCheckRadioControl*>(R)) {
        k->CheckImageArea = Rnd.Rect();
        k->TextArea = Rnd.Rect();
        k->CheckImageRect = Rnd.Rect();
        k->UnCheckImageRect = Rnd.Rect();
        k->ActiveSkinRect = Rnd.Rect();
        k->Morphing = Rnd.Next() % 2;
        k->MorphKind = static_cast<TMorphKind>(Rnd.Next() % 7);
    }
    if (auto* l = dynamic_cast<TspDataSkinBitLabelControl*>(R)) {
        l->SkinTextRect = Rnd.Next() % 2 ? TRect(0, 0, 40, 20) : Rnd.Rect();
        l->SymbolWidth = Rnd.Next() % 2 ? static_cast<int>(Rnd.Next() % 12) : Rnd.Any();
        l->SymbolHeight = Rnd.Next() % 2 ? static_cast<int>(Rnd.Next() % 12) : Rnd.Any();
        l->SkinTextSymbols.Clear();
        for (unsigned i = Rnd.Next() % 4; i > 0; --i) l->SkinTextSymbols.Add(i % 2 ? "0123" : "");
    }
    if (auto* p = dynamic_cast<TspDataSkinPanelControl*>(R)) {
        p->CaptionRect = Rnd.Rect();
        p->BGPictureIndex = Rnd.Any();
        p->CheckImageRect = Rnd.Rect();
    }
}

TEST(DamagedSkins, EveryControlSurvivesSeededDamageToItsRecord)
{
    Scene s;
    const char* names[] = {"button", "toolbutton", "checkbox", "panel", "groupbox", "label"};
    auto* btn = AddButton(s.Skin.get(), "button");
    AddButton(s.Skin.get(), "toolbutton");
    auto check = std::make_unique<TspDataSkinCheckRadioControl>("checkbox");
    auto panel = std::make_unique<TspDataSkinPanelControl>("panel");
    auto group = std::make_unique<TspDataSkinPanelControl>("groupbox");
    s.Skin->CtrlList.push_back(std::move(check));
    s.Skin->CtrlList.push_back(std::move(panel));
    s.Skin->CtrlList.push_back(std::move(group));
    AddLabel(s.Skin.get());
    s.Skin->CtrlList.push_back(std::make_unique<TspDataSkinBitLabelControl>("bitlabel"));
    s.Skin->CtrlList.push_back(std::make_unique<TspDataSkinPanelControl>("toolpanel"));
    (void)btn;
    (void)names;

    auto* b = new TspSkinButton(s.Form.get());
    b->SetCaption("&Go");
    auto* sp = new TspSkinSpeedButton(s.Form.get());
    auto* k = new TspSkinCheckRadioBox(s.Form.get());
    k->SetCaption("Check");
    auto* p = new TspSkinPanel(s.Form.get());
    auto* g = new TspSkinGroupBox(s.Form.get());
    g->SetCaption("Group");
    g->SetCheckedMode(true);
    auto* l = new TspSkinLabel(s.Form.get());
    l->SetCaption("Label");
    l->SetAutoSize(true);
    auto* bits = new TspSkinBitLabel(s.Form.get());
    bits->SetCaption("0123x");
    auto* flat = new TspSkinCheckRadioBox(s.Form.get());
    flat->SetFlat(true);
    flat->SetCaption("Flat");
    TImageList images(8, 8);
    {
        auto one = NewPicture(8, 8, 0x0000FF);
        images.AddMasked(one.get(), clFuchsia);
    }
    flat->SetImages(&images);
    auto* bar = new TspSkinToolBar(s.Form.get());
    bar->SetImages(&images);
    bar->SetHotImages(&images);
    std::vector<TControl*> all = {b, sp, k, p, g, l, bits, flat, bar};
    const size_t firstControls = 6;
    for (TControl* c : all) c->SetParent(s.Form.get());
    auto* tool = new TspSkinSpeedButton(s.Form.get());
    tool->SetParent(bar);
    all.push_back(tool);

    // The records and controls added later draw from their own generator, so the
    // first ones meet the same damage as before they came.
    const size_t firstRecords = s.Skin->CtrlList.size() - 2;
    TRandom rnd{20261210u}, more{20261211u};
    for (int round = 0; round < 100; ++round) {
        for (size_t i = 0; i < s.Skin->CtrlList.size(); ++i)
            Damage(s.Skin->CtrlList[i].get(), i < firstRecords ? rnd : more);
        for (size_t i = 0; i < all.size(); ++i) {
            TControl* c = all[i];
            TRandom& r = i < firstControls ? rnd : more;
            c->SetBounds(static_cast<int>(r.Next() % 50), static_cast<int>(r.Next() % 50),
                         static_cast<int>(r.Next() % 300) - 20, static_cast<int>(r.Next() % 200) - 20);
            if (auto* w = dynamic_cast<TspSkinControl*>(c)) w->SetSkinData(s.Skin.get());
            if (auto* gr = dynamic_cast<TspGraphicSkinControl*>(c)) gr->SetSkinData(s.Skin.get());
            ASSERT_LE(c->GetWidth(), MaxSkinControlSide) << round;
            ASSERT_LE(c->GetHeight(), MaxSkinControlSide) << round;
        }
        bits->SetFixLength(static_cast<int>(more.Next() % 8) - 2);
        bits->SetAutoSizeX(more.Next() % 2);
        flat->SetImageIndex(static_cast<int>(more.Next() % 4) - 1);
        tool->SetImageIndex(static_cast<int>(more.Next() % 4) - 1);
        for (TControl* c : {static_cast<TControl*>(bits), static_cast<TControl*>(bar)}) {
            ASSERT_LE(c->GetWidth(), MaxSkinControlSide) << round;
            ASSERT_GE(c->GetWidth(), 0) << round;
        }
        b->Perform(CM_MOUSEENTER, 0, 0);
        sp->Perform(CM_MOUSEENTER, 0, 0);
        k->Perform(CM_MOUSEENTER, 0, 0);
        tool->Perform(CM_MOUSEENTER, 0, 0);
        auto shot = NewPicture(400, 200, 0);
        s.Form->PaintTo(shot->GetCanvas()->GetHandle(), 0, 0);
        b->Perform(CM_MOUSELEAVE, 0, 0);
        sp->Perform(CM_MOUSELEAVE, 0, 0);
        k->Perform(CM_MOUSELEAVE, 0, 0);
        tool->Perform(CM_MOUSELEAVE, 0, 0);
    }
    flat->SetImages(nullptr);
    bar->SetImages(nullptr);
    bar->SetHotImages(nullptr);
}

}  // namespace
