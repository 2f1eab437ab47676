// The numeric text rules (typed characters, number texts, conversion, clamping,
// formatting) as tables; the numeric edit and the spin edit driven through window
// messages: typing, clamping on leaving and Enter, keys, wheel and buttons.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "Form.h"
#include "SkinBoxControls.h"
#include "SkinNumericEdits.h"
#include <memory>
#include <string>
#include <vector>

namespace {

// The tests write numbers with the locale's separator.
std::string Sep(const std::string& S)
{
    std::string r = S;
    for (char& c : r)
        if (c == '.') c = SpNumber::DecimalSeparator();
    return r;
}

TEST(NumberRules, TypedCharacters)
{
    struct Case {
        char Ch;
        const char* Text;
        TspValueType Type;
        bool ReadOnly;
        bool Valid;
    };
    const Case cases[] = {
        {'5', "", vtInteger, false, true},
        {'-', "", vtInteger, false, true},
        {'-', "-1", vtInteger, false, false},   // a second minus
        {'.', "1", vtInteger, false, false},    // no separator in integers
        {'.', "1", vtFloat, false, true},
        {'.', "1.5", vtFloat, false, false},    // a second separator
        {'a', "", vtFloat, false, false},
        {' ', "", vtFloat, false, false},
        {13, "", vtInteger, false, false},      // Enter is not a character of the number
        {8, "12", vtInteger, false, true},      // Backspace
        {3, "12", vtInteger, false, true},      // Ctrl+C
        {'5', "", vtInteger, true, false},      // read-only: no typing,
        {8, "12", vtInteger, true, false},      // no Backspace,
        {3, "12", vtInteger, true, true},       // but copying
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("'") + c.Ch + "' after '" + c.Text + "'");
        const char ch = c.Ch == '.' ? SpNumber::DecimalSeparator() : c.Ch;
        EXPECT_EQ(SpNumber::IsValidChar(ch, Sep(c.Text), c.Type, c.ReadOnly), c.Valid);
    }
}

TEST(NumberRules, NumberTextsAndConversion)
{
    struct Case {
        const char* Text;
        TspValueType Type;
        bool IsNum;
        bool Converts;
        double Value;
    };
    const Case cases[] = {
        {"", vtInteger, false, false, 0},
        {"-", vtInteger, false, false, 0},
        {"12", vtInteger, true, true, 12},
        {"-12", vtInteger, true, true, -12},
        {"1-2", vtInteger, false, false, 0},    // a minus after digits
        {"1.5", vtInteger, false, false, 0},
        {"1.5", vtFloat, true, true, 1.5},
        {".5", vtFloat, false, true, 0.5},      // converts, but the separator may not come first
        {"1.2.3", vtFloat, false, false, 0},
        {"-.", vtFloat, true, false, 0},        // a number text that does not convert
        {"2147483647", vtInteger, true, true, 2147483647.0},
        {"2147483648", vtInteger, true, false, 0},   // beyond 32 bits: no exception, no value
        {"99999999999999999999", vtInteger, true, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        const std::string t = Sep(c.Text);
        EXPECT_EQ(SpNumber::IsNumText(t, c.Type), c.IsNum);
        double v = -999;
        EXPECT_EQ(SpNumber::TryConvert(t, c.Type, v), c.Converts);
        if (c.Converts) {
            EXPECT_DOUBLE_EQ(v, c.Value);
        }
    }
}

TEST(NumberRules, ClampAndFormat)
{
    struct Clamp {
        double X, Min, Max, Result;
    };
    const Clamp clamps[] = {
        {150, 0, 100, 100}, {-5, 0, 100, 0}, {50, 0, 100, 50}, {1e9, 0, 0, 1e9}, {-3, 7, 7, -3},
    };
    for (const auto& c : clamps) EXPECT_DOUBLE_EQ(SpNumber::CheckValue(c.X, c.Min, c.Max), c.Result);
    struct Fmt {
        double X;
        TspValueType Type;
        int Decimal;
        const char* Text;
    };
    const Fmt fmts[] = {
        {3.14159, vtFloat, 2, "3.14"}, {2.5, vtInteger, 2, "2"}, {3.5, vtInteger, 2, "4"},
        {-2.5, vtInteger, 0, "-2"},    {-0.4, vtInteger, 0, "0"}, {1, vtFloat, 0, "1"},
        {-1.005, vtFloat, 1, "-1.0"},  {7, vtFloat, 3, "7.000"},
    };
    for (const auto& f : fmts) {
        SCOPED_TRACE(f.Text);
        EXPECT_EQ(SpNumber::FormatValue(f.X, f.Type, f.Decimal), Sep(f.Text));
    }
}

struct NumScene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinNumericEdit* E;
    TspSkinSpinEdit* S;
    int Changes = 0, SpinChanges = 0;
    NumScene()
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 100);
        E = new TspSkinNumericEdit(Form.get());
        E->SetParent(Form.get());
        E->SetBounds(10, 10, 120, 20);
        E->HandleNeeded();
        E->OnChange = [this](TObject*) { ++Changes; };
        S = new TspSkinSpinEdit(Form.get());
        S->SetParent(Form.get());
        S->SetBounds(10, 40, 120, 20);
        S->HandleNeeded();
        S->GetEditor()->HandleNeeded();
        S->OnChange = [this](TObject*) { ++SpinChanges; };
    }
    static void Type(TWinControl* C, const std::string& Keys)
    {
        for (char c : Keys) {
            if (c == '.') c = SpNumber::DecimalSeparator();
            C->Perform(WM_CHAR, static_cast<unsigned char>(c), 1);
        }
    }
    static void Retype(TCustomEdit* C, const std::string& Keys)
    {
        C->SelectAll();
        C->Perform(WM_CHAR, 8, 1);
        Type(C, Keys);
    }
};

TEST(SkinNumericEdit, ClampsWhenLeftOrEnterNotOnEveryKey)
{
    struct Case {
        TspValueType Type;
        double Min, Max;
        const char* Keys;
        const char* Typed;     // the text while typing
        double Value;          // Value while typing (clamped at once)
        const char* Committed; // the text after Enter
    };
    const Case cases[] = {
        {vtInteger, 10, 100, "50", "50", 50, "50"},   // "5" on the way is not turned into 10
        {vtInteger, 0, 100, "150", "150", 100, "100"},
        {vtInteger, 0, 100, "-5", "-5", 0, "0"},
        {vtInteger, 0, 0, "-5", "-5", -5, "-5"},       // no range: no clamping
        {vtInteger, 0, 100, "1a2", "12", 12, "12"},    // a refused letter
        {vtInteger, 0, 100, "1-2", "1-2", 1, "1"},     // a minus after digits: no number, the value stays
        {vtFloat, 0, 10, "3.14159", "3.14159", 3.14159, "3.14159"},
        {vtFloat, 0, 10, "12.5", "12.5", 10, "10.00"},
        {vtInteger, 0, 0, "9999999999", "9999999999", 999999999, "999999999"},   // beyond 32 bits: the value stays
        {vtInteger, 0, 100, "-", "-", 0, "0"},          // not a number: the value is shown again
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Keys);
        NumScene s;
        s.E->SetValueType(c.Type);
        s.E->SetMinValue(c.Min);
        s.E->SetMaxValue(c.Max);
        s.E->SetValue(0);
        NumScene::Retype(s.E, c.Keys);
        EXPECT_EQ(s.E->GetText(), Sep(c.Typed));
        EXPECT_DOUBLE_EQ(s.E->GetValue(), c.Value);
        const int changes = s.Changes;
        s.E->Perform(WM_CHAR, 13, 1);
        EXPECT_EQ(s.E->GetText(), Sep(c.Committed));
        EXPECT_DOUBLE_EQ(s.E->GetValue(), c.Value);
        EXPECT_EQ(s.Changes, changes);   // the written-back text raises no OnChange
    }
}

TEST(SkinNumericEdit, LeavingTheFieldClampsAndSetValueFormats)
{
    NumScene s;
    s.Form->Show();
    s.E->SetMinValue(0);
    s.E->SetMaxValue(100);
    s.E->SetFocus();
    NumScene::Retype(s.E, "250");
    EXPECT_EQ(s.E->GetText(), "250");
    s.S->GetEditor()->SetFocus();   // the field is left
    EXPECT_EQ(s.E->GetText(), "100");
    EXPECT_DOUBLE_EQ(s.E->GetValue(), 100);
    // Focusing the spin edit itself (as Tab does) puts the focus into its editor.
    s.E->SetFocus();
    s.S->SetFocus();
    EXPECT_TRUE(s.S->GetEditor()->Focused());

    s.E->SetValueType(vtFloat);
    s.E->SetDecimal(2);
    s.E->SetMinValue(0);
    s.E->SetMaxValue(0);
    const int changes = s.Changes;
    s.E->SetValue(3.14159);
    EXPECT_EQ(s.E->GetText(), Sep("3.14"));
    EXPECT_DOUBLE_EQ(s.E->GetValue(), 3.14159);   // the stored value, not the rounded text
    EXPECT_EQ(s.Changes, changes + 1);
    // A minus typed over a selected minus is a replacement, not a second minus.
    s.E->SetValue(-5);
    s.E->SelectAll();
    NumScene::Type(s.E, "-7");
    EXPECT_EQ(s.E->GetText(), "-7");
    s.E->SetValueType(vtInteger);
    s.E->SetValue(2.5);
    EXPECT_EQ(s.E->GetText(), "2");
    s.E->SetValue(3.5);
    EXPECT_EQ(s.E->GetText(), "4");
}

TEST(SkinSpinEdit, StepsByKeysWheelAndButtons)
{
    NumScene s;
    TspSkinNumEdit* ed = s.S->GetEditor();
    s.S->SetMinValue(0);
    s.S->SetMaxValue(10);
    s.S->SetValue(5);
    EXPECT_EQ(ed->GetText(), "5");
    ed->Perform(WM_KEYDOWN, VK_UP, 1);
    EXPECT_DOUBLE_EQ(s.S->GetValue(), 6);
    ed->Perform(WM_KEYDOWN, VK_DOWN, 1);
    ed->Perform(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_DOUBLE_EQ(s.S->GetValue(), 4);
    ed->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);   // towards the user
    EXPECT_DOUBLE_EQ(s.S->GetValue(), 5);
    ed->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);                        // away from the user
    EXPECT_DOUBLE_EQ(s.S->GetValue(), 4);
    EXPECT_EQ(ed->GetText(), "4");

    // A click on the up button: one step on release, one OnChange.
    const TRect up = s.S->GetButtonRect(0);
    const int changes = s.SpinChanges;
    const LPARAM at = MAKELPARAM(up.left + 2, up.top + 2);
    s.S->Perform(WM_MOUSEMOVE, 0, at);
    s.S->Perform(WM_LBUTTONDOWN, MK_LBUTTON, at);
    EXPECT_TRUE(s.S->ButtonPressed(0));
    EXPECT_DOUBLE_EQ(s.S->GetValue(), 4);
    s.S->Perform(WM_LBUTTONUP, 0, at);
    EXPECT_DOUBLE_EQ(s.S->GetValue(), 5);
    EXPECT_EQ(s.SpinChanges, changes + 1);
    // Released off the button: no step.
    const TRect down = s.S->GetButtonRect(1);
    s.S->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(down.left + 2, down.top + 2));
    s.S->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.left + 2, down.top + 2));
    s.S->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, 2));
    s.S->Perform(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_DOUBLE_EQ(s.S->GetValue(), 5);
    // The buttons clamp at once.
    s.S->SetValue(10);
    s.S->UpClick(nullptr);
    EXPECT_DOUBLE_EQ(s.S->GetValue(), 10);
}

TEST(SkinSpinEdit, TypingClampsOnEnterAndTheEditorCanBeLocked)
{
    NumScene s;
    TspSkinNumEdit* ed = s.S->GetEditor();
    s.S->SetMinValue(10);
    s.S->SetMaxValue(100);
    s.S->SetValue(20);
    NumScene::Retype(ed, "50");
    EXPECT_EQ(ed->GetText(), "50");
    EXPECT_DOUBLE_EQ(s.S->GetValue(), 50);
    NumScene::Retype(ed, "500");
    EXPECT_DOUBLE_EQ(s.S->GetValue(), 100);
    EXPECT_EQ(ed->GetText(), "500");
    ed->Perform(WM_CHAR, 13, 1);
    EXPECT_EQ(ed->GetText(), "100");
    EXPECT_EQ(s.S->GetText(), "100");

    // Locked: digits and Backspace are refused, the keys still step.
    s.S->SetEditorEnabled(false);
    ed->SelectAll();
    NumScene::Type(ed, "7\b");
    EXPECT_EQ(ed->GetText(), "100");
    ed->Perform(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_DOUBLE_EQ(s.S->GetValue(), 99);

    struct Inc {
        double Increment, AfterInteger;
    };
    for (const Inc& c : {Inc{0.5, 1}, Inc{2.5, 2}, Inc{3, 3}}) {
        s.S->SetValueType(vtFloat);
        s.S->SetIncrement(c.Increment);
        s.S->SetValueType(vtInteger);
        EXPECT_DOUBLE_EQ(s.S->GetIncrement(), c.AfterInteger);
    }
}

TEST(SkinSpinEdit, UnskinnedLooksAndLayout)
{
    NumScene s;
    s.Form->Show();
    const TRect up = s.S->GetButtonRect(0), down = s.S->GetButtonRect(1);
    EXPECT_EQ(up.left, 120 - 17);
    EXPECT_EQ(up.bottom, 10);
    EXPECT_EQ(down.top, 10);
    EXPECT_EQ(down.bottom, 18);
    EXPECT_EQ(s.S->GetEditor()->GetLeft(), 2);
    EXPECT_EQ(s.S->GetEditor()->GetWidth(), 120 - 19);
    TBitmap b(120, 20, pf24bit);
    s.S->PaintTo(b.GetCanvas(), 0, 0);
    // The outer frame in the shadow colour, the button face beside the arrow.
    EXPECT_EQ(b.GetCanvas()->GetPixel(0, 10) & 0xFFFFFF, static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF));
    EXPECT_EQ(b.GetCanvas()->GetPixel(up.left + 1, up.top + 1) & 0xFFFFFF,
              static_cast<TColor>(GetSysColor(COLOR_BTNFACE) & 0xFFFFFF));
    SkinKit::SaveArtefact(&b, "spinedit-unskinned-probe");
}

TEST(SkinSpinEdit, AHeldButtonRepeatsOnItsTimer)
{
    NumScene s;
    const TRect up = s.S->GetButtonRect(0);
    const LPARAM on = MAKELPARAM(up.left + 2, up.top + 2), off = MAKELPARAM(2, 2);
    auto tick = [&] { s.S->Perform(WM_TIMER, 1, 0); };
    s.S->Perform(WM_MOUSEMOVE, 0, on);
    s.S->Perform(WM_LBUTTONDOWN, MK_LBUTTON, on);
    tick();   // the first delay ends: no step yet
    EXPECT_DOUBLE_EQ(s.S->GetValue(), 0);
    tick();
    tick();
    EXPECT_DOUBLE_EQ(s.S->GetValue(), 2);
    s.S->Perform(WM_MOUSEMOVE, MK_LBUTTON, off);   // dragged off: the button lets go of its look
    s.S->Perform(WM_MOUSEMOVE, MK_LBUTTON, on);    // and back on: repeating resumes
    tick();
    EXPECT_DOUBLE_EQ(s.S->GetValue(), 3);
    s.S->Perform(WM_LBUTTONUP, 0, on);             // released on the button: one more step
    EXPECT_DOUBLE_EQ(s.S->GetValue(), 4);
    tick();                                        // no repeat after release
    EXPECT_DOUBLE_EQ(s.S->GetValue(), 4);
}

TEST(SkinSpinEdit, ButtonLooksFromAFixtureSkin)
{
    using namespace CtlFixture;
    auto skin = NewSkin();
    auto r = std::make_unique<TspDataSkinSpinEditControl>("spinedit");
    r->PictureIndex = 0;
    r->SkinRect = LookRect(0);
    r->ActiveSkinRect = LookRect(1);
    r->LeftTopPoint = TPoint(10, 0);
    r->RightTopPoint = TPoint(44, 0);
    r->ClientRect = TRect(10, 2, 44, 18);
    r->UpButtonLooks = {TRect(50, 2, 58, 10), TRect(20, 40, 28, 48), TRect(20, 60, 28, 68)};
    r->DownButtonLooks = {TRect(50, 10, 58, 18), TRect(20, 40, 28, 48), TRect(20, 60, 28, 68)};
    // (hot: the down look's colour; pressed: the disabled look's colour)
    skin->CtrlList.push_back(std::move(r));
    NumScene s;
    s.S->SetSkinData(skin.get());
    ASSERT_TRUE(s.S->Skinned());
    EXPECT_EQ(s.S->GetHeight(), 20);
    const TRect up = s.S->GetButtonRect(0);
    EXPECT_EQ(up.left, 50 + 120 - 60);   // a button in the right part stays at the right end
    const int bx = up.left + 4, by = up.top + 4;
    EXPECT_EQ(Probe(Snapshot(s.S).get(), bx, by), cEdge);    // the skin image itself
    EXPECT_EQ(Probe(Snapshot(s.S).get(), 30, 1), cNormal);
    s.S->Perform(CM_MOUSEENTER, 0, 0);
    s.S->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(bx, by));
    auto hot = Snapshot(s.S);
    EXPECT_EQ(Probe(hot.get(), bx, by), cDown);
    EXPECT_EQ(Probe(hot.get(), 30, 1), cActive);   // the hot frame
    s.S->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bx, by));
    EXPECT_EQ(Probe(Snapshot(s.S).get(), bx, by), cDisabled);
    s.S->Perform(WM_LBUTTONUP, 0, MAKELPARAM(bx, by));
    EXPECT_DOUBLE_EQ(s.S->GetValue(), 1);
    SaveArtefact(hot.get(), "spinedit-fixture-hot");
    s.S->SetSkinData(nullptr);
}

}  // namespace
