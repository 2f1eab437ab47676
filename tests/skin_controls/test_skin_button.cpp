#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinButton.h"
#include "SkinChangeWalk.h"
#include "WaitUntil.h"

using namespace CtlFixture;

namespace {

const TColor cHotFill = RGB(182, 189, 210), cDownFill = RGB(133, 147, 181);

struct Scene {
    std::unique_ptr<TForm> Form;
    std::unique_ptr<TspSkinData> Skin = NewSkin();
    int Clicks = 0;
    Scene()
    {
        Form.reset(new TForm(nullptr));
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 100);
        AddButton(Skin.get());
    }
    TspSkinButton* Button(bool Skinned, int X = 0)
    {
        auto* b = new TspSkinButton(Form.get());
        b->SetParent(Form.get());
        b->SetCanFocused(false);   // these tests need no focus (the form is never shown)
        b->SetBounds(X, 0, 100, 25);
        b->OnClick = [this](TObject*) { ++Clicks; };
        if (Skinned) b->SetSkinData(Skin.get());
        return b;
    }
};

void Enter(TControl* C) { C->Perform(CM_MOUSEENTER, 0, 0); }
void Leave(TControl* C) { C->Perform(CM_MOUSELEAVE, 0, 0); }
void Press(TControl* C) { C->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 5)); }
void Release(TControl* C) { C->Perform(WM_LBUTTONUP, 0, PointToLParam(5, 5)); }
TColor Face(TspSkinButton* B, int X = 30, int Y = 10) { return Probe(Snapshot(B).get(), X, Y); }

// The looks the speed button shares are checked on both (test_button_twins.cpp);
// the skinned button also takes its record's height, stays hot after a click and
// has a disabled look.
TEST(SkinButton, HeightHotAfterAClickAndDisabledLook)
{
    struct Case {
        bool Skinned;
        int Height;
        TColor Normal, Hot, Disabled;
    } cases[] = {
        {true, 20, cNormal, cActive, cDisabled},
        {false, 25, static_cast<TColor>(GetSysColor(COLOR_BTNFACE)), cHotFill,
         static_cast<TColor>(GetSysColor(COLOR_BTNFACE))},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Skinned);
        Scene s;
        auto* b = s.Button(k.Skinned);
        EXPECT_EQ(b->Skinned(), k.Skinned);
        EXPECT_EQ(b->GetHeight(), k.Height);
        Enter(b);
        Press(b);
        Release(b);
        EXPECT_EQ(s.Clicks, 1);
        EXPECT_EQ(Face(b), k.Hot);
        Leave(b);
        EXPECT_EQ(Face(b), k.Normal);
        b->SetEnabled(false);
        EXPECT_EQ(Face(b), k.Disabled);
    }
}

TEST(SkinButton, RecordWithoutStateRectanglesShowsTheSkinRectangleForEveryLook)
{
    Scene s;
    auto* rec = static_cast<TspDataSkinButtonControl*>(s.Skin->CtrlList[0].get());
    rec->ActiveSkinRect = TRect();
    rec->DownSkinRect = TRect();
    auto* b = s.Button(true);
    Enter(b);
    EXPECT_EQ(Face(b), cNormal);
    Press(b);
    EXPECT_EQ(Face(b), cNormal);
    Release(b);
}

TEST(SkinButton, ModalResultDefaultAndCancelKeys)
{
    Scene s;
    auto* ok = s.Button(true, 0);
    auto* cancel = s.Button(true, 100);
    ok->SetCanFocused(true);
    cancel->SetCanFocused(true);
    ok->ModalResult = mrOk;
    cancel->ModalResult = mrCancel;
    int okClicks = 0, cancelClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    cancel->OnClick = [&](TObject*) { ++cancelClicks; };
    ok->SetDefault(true);
    cancel->Cancel = true;
    s.Form->HandleNeeded();
    EXPECT_EQ(ok->Perform(CM_DIALOGKEY, VK_RETURN, 0), 1);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(s.Form->GetModalResult(), mrOk);
    EXPECT_EQ(cancel->Perform(CM_DIALOGKEY, VK_RETURN, 0), 0);   // not the default
    EXPECT_EQ(cancelClicks, 0);
    EXPECT_EQ(cancel->Perform(CM_DIALOGKEY, VK_ESCAPE, 0), 1);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(s.Form->GetModalResult(), mrCancel);
    EXPECT_EQ(ok->Perform(CM_DIALOGKEY, VK_ESCAPE, 0), 0);
}

TEST(SkinButton, MarginAndGlyphCellsFollowTheState)
{
    Scene s;
    auto* b = s.Button(true);
    b->SetMargin(-2);
    EXPECT_EQ(b->GetMargin(), -1);
    // A 4-cell glyph of 8 x 8 cells, each cell its own colour; drawn with margin 0
    // at the left of the client area (x 10..18 of the control).
    TBitmap glyph(32, 8, pf24bit);
    const TColor cells[] = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFF00};
    for (int i = 0; i < 4; ++i) Paint(&glyph, TRect(i * 8, 0, i * 8 + 8, 8), cells[i]);
    // The glyph's transparent colour is its bottom-left pixel: keep a frame of another colour.
    Paint(&glyph, TRect(0, 7, 32, 8), 0x010101);
    b->SetGlyph(&glyph);
    b->SetNumGlyphs(4);
    b->SetMargin(0);
    EXPECT_EQ(Face(b, 13, 9), cells[0]);
    Enter(b);
    EXPECT_EQ(Face(b, 13, 9), cells[3]);
    Press(b);
    EXPECT_EQ(Face(b, 14, 10), cells[2]);   // pressed: moved one pixel
    Release(b);
    Leave(b);
    b->SetEnabled(false);
    EXPECT_EQ(Face(b, 13, 9), cells[1]);
}

TEST(SkinButton, ButtonFreedInItsOwnClickIsNotTouchedAgain)
{
    Scene s;
    auto* b = s.Button(true);
    int mouseUps = 0;
    b->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++mouseUps; };
    b->OnClick = [&](TObject* Sender) {
        ++s.Clicks;
        delete Sender;
    };
    Enter(b);
    Press(b);
    Release(b);   // frees the button inside its click
    EXPECT_EQ(s.Clicks, 1);
    EXPECT_EQ(mouseUps, 0);
    EXPECT_EQ(s.Form->GetControlCount(), 0);
}

TEST(SkinButton, MorphingRunsToTheActiveLookAndBack)
{
    Scene s;
    auto* rec = static_cast<TspDataSkinButtonControl*>(s.Skin->CtrlList[0].get());
    rec->Morphing = true;
    auto* b = s.Button(true);
    Enter(b);
    EXPECT_TRUE(PumpUntil([&] { return b->MorphFactor() == 1.0; }, 3000));
    EXPECT_EQ(Face(b), cActive);
    Leave(b);
    EXPECT_TRUE(PumpUntil([&] { return b->MorphFactor() == 0.0; }, 3000));
    EXPECT_EQ(Face(b), cNormal);
    // Disabling in the middle of a transition ends it at the normal look.
    Enter(b);
    PumpUntil([&] { return b->MorphFactor() > 0.3; }, 3000);
    b->SetEnabled(false);
    EXPECT_EQ(b->MorphFactor(), 0.0);
}

}  // namespace

// A record whose skin rectangle is null (resize mode -1) has nothing to
// compose: every look shows what the plain button shows, never an uncomposed
// black box.
TEST(SkinButton, NullSkinRectangleShowsThePlainLooks)
{
    Scene s;
    auto* rec = static_cast<TspDataSkinButtonControl*>(s.Skin->ControlRecord(s.Skin->GetControlIndex("button")));
    rec->SkinRect = rec->ActiveSkinRect = rec->DownSkinRect = rec->DisabledSkinRect = TRect();
    auto* b = s.Button(true);
    const TColor face = static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
    ASSERT_TRUE(b->Skinned());
    ASSERT_GT(b->GetWidth(), 4);
    ASSERT_GT(b->GetHeight(), 4);
    EXPECT_EQ(Face(b, 2, 2), face);
    Enter(b);
    EXPECT_EQ(Face(b, 2, 2), cHotFill);
    Press(b);
    EXPECT_EQ(Face(b, 2, 2), cDownFill);
    Release(b);
    Leave(b);
    b->SetEnabled(false);
    EXPECT_EQ(Face(b, 2, 2), face);
}

// The re-skin walk reaches the controls of the skin that changed; a null sender
// stands for every skin, so every skinned control re-reads its skin.
TEST(SkinButton, ReskinWalkWithANullSenderReachesEveryControl)
{
    struct Case {
        const char* What;
        int Sender;   // -1: null, else which skin
        bool FirstReads, SecondReads;
    } cases[] = {{"null sender", -1, true, true}, {"first skin", 0, true, false}, {"second skin", 1, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        Scene s;
        auto other = NewSkin();
        AddButton(other.get());
        auto* first = s.Button(true);
        auto* second = s.Button(false, 120);
        second->SetSkinData(other.get());
        ASSERT_TRUE(first->Skinned());
        ASSERT_TRUE(second->Skinned());
        // Both skins lose the record behind the controls' backs; whoever re-reads turns plain.
        s.Skin->CtrlList.clear();
        other->CtrlList.clear();
        TspSkinData* senders[] = {s.Skin.get(), other.get()};
        Skinctrls::ReskinControls(s.Form.get(), c.Sender < 0 ? nullptr : senders[c.Sender], false);
        EXPECT_EQ(first->Skinned(), !c.FirstReads);
        EXPECT_EQ(second->Skinned(), !c.SecondReads);
    }
}
