// The edit mask: parsing, laying values in, typing by character class, the text
// with and without literals (tables on the mask alone), then the skinned mask
// edit driven through window messages: keys, Backspace, Delete, paste, undo.
#include "test_gtest.h"
#include "Form.h"
#include "SkinEdits.h"
#include <memory>
#include <string>
#include <vector>

namespace {

struct FormatCase {
    const char* Mask;
    const char* Value;
    const char* Edit;         // what the window shows
    const char* WithLit;      // unfilled places as spaces
    const char* WithoutLit;
    const char* Text;         // by the save-literals field
    bool Complete;
};

TEST(EditMask, LaysValuesIntoTheMask)
{
    const FormatCase cases[] = {
        {"!90:00;1;_", "9:30", "_9:30", " 9:30", " 930", " 9:30", true},
        {"!90:00;1;_", "12:45", "12:45", "12:45", "1245", "12:45", true},
        {"!90:00;1;_", "", "__:__", "  :  ", "    ", "  :  ", false},
        {"!90:00;1;_", "_7:0_", "_7:0_", " 7:0 ", " 70 ", " 7:0 ", false},   // an edit text as it stands
        {"90:00;0;_", "1230", "12:30", "12:30", "1230", "1230", true},
        {"90:00;0;*", "5", "5*:**", "5 :  ", "5   ", "5   ", false},
        {"000-00;1; ", "12x-34", "12 -34", "12 -34", "12 34", "12 -34", false},   // a refused letter stays blank
        {">LL<ll", "abCD", "ABcd", "ABcd", "ABcd", "ABcd", true},
        {"\\A0", "A7", "A7", "A7", "7", "A7", true},   // an escaped mask character is a literal
        {"(999)", "42", "(42_)", "(42 )", "42 ", "(42 )", true},
        {"#99", "-5", "-5_", "-5 ", "-5 ", "-5 ", true},
        {"aaa", "a1!", "a1_", "a1 ", "a1 ", "a1 ", true},
        {"CCC", "a1!", "a1!", "a1!", "a1!", "a1!", true},
        {"0_0", "12", "1 2", "1 2", "12", "1 2", true},   // '_' in the mask is a literal space
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Mask) + " <- '" + c.Value + "'");
        TEditMask m(c.Mask);
        const std::string e = m.Format(c.Value);
        EXPECT_EQ(e, c.Edit);
        EXPECT_EQ(m.Format(e), e);   // laying an edit text in again changes nothing
        EXPECT_EQ(m.TextWithLiterals(e), c.WithLit);
        EXPECT_EQ(m.TextWithoutLiterals(e), c.WithoutLit);
        EXPECT_EQ(m.Text(e), c.Text);
        EXPECT_EQ(m.IsComplete(e), c.Complete);
    }
}

TEST(EditMask, ParsesItsFields)
{
    struct Case {
        const char* Mask;
        int Length;
        bool Save;
        char Blank;
        bool Leading;
    };
    const Case cases[] = {
        {"!90:00;1;_", 5, true, '_', true},
        {"00/00;0;#", 5, false, '#', false},
        {"000", 3, true, '_', false},
        {"000;", 3, true, '_', false},
        {"0\\;0;0;x", 3, false, 'x', false},   // an escaped ';' belongs to the mask
        {"", 0, true, '_', false},
        {">", 0, true, '_', false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Mask);
        TEditMask m(c.Mask);
        EXPECT_EQ(m.Length(), c.Length);
        EXPECT_EQ(m.SaveLiterals(), c.Save);
        EXPECT_EQ(m.BlankChar(), c.Blank);
        EXPECT_EQ(m.LeadingBlanks(), c.Leading);
    }
    // A mask far longer than any field is cut, not grown without bound.
    EXPECT_EQ(TEditMask(std::string(100000, '0')).Length(), TEditMask::MaxPlaces);
}

TEST(EditMask, SlashAndColonStandForTheSeparatorsGiven)
{
    struct Case {
        const char* Mask;
        char DateSep, TimeSep;
        const char* Value;
        const char* Edit;
    };
    const Case cases[] = {
        {"!99/99/0000;1; ", '.', ':', "", "  .  .    "},
        {"!99/99/0000;1; ", '.', ':', "31.12.2004", "31.12.2004"},
        {"!99/99/0000;1; ", '-', ':', "05-03-2004", "05-03-2004"},
        {"00:00;1;_", '/', '.', "12.30", "12.30"},
        {"00\\/00\\:00;1;_", '.', '.', "12/34:56", "12/34:56"},   // escaped: the characters themselves
        {"00/00;0;_", '.', ':', "1231", "12.31"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Mask) + " " + c.DateSep + c.TimeSep + " <- '" + c.Value + "'");
        TEditMask m(c.Mask, c.DateSep, c.TimeSep);
        EXPECT_EQ(m.Format(c.Value), c.Edit);
    }
}

TEST(EditMask, TypingFollowsTheCharacterClasses)
{
    struct Case {
        const char* Mask;
        const char* Start;   // edit text before
        int Caret;
        char Ch;
        bool Taken;
        const char* After;
        int CaretAfter;
    };
    const Case cases[] = {
        {"90:00", "__:__", 0, '1', true, "1_:__", 1},
        {"90:00", "1_:__", 1, '2', true, "12:__", 3},   // the caret skips the literal
        {"90:00", "1_:__", 2, ':', true, "1_:__", 3},   // the literal typed on it moves past it
        {"90:00", "1_:__", 1, ':', false, "1_:__", 1},  // but does not fill a digit place
        {"90:00", "12:__", 2, '3', true, "12:3_", 4},   // typed on a literal: the next place takes it
        {"90:00", "12:__", 3, 'x', false, "12:__", 3},
        {"90:00", "12:34", 5, '5', false, "12:34", 5},  // the mask is full
        {"90:00", "12:34", 0, ' ', true, "_2:34", 1},   // a space blanks an optional place
        {"90:00", "12:34", 1, ' ', false, "12:34", 1},  // but not a required one
        {">LL", "__", 0, 'q', true, "Q_", 1},
        {"ll", "__", 0, '5', false, "__", 0},
        {"#0", "__", 0, '+', true, "+_", 1},
        {"00", "__", 0, '+', false, "__", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Mask) + " '" + c.Start + "' @" + std::to_string(c.Caret) + " " + c.Ch);
        TEditMask m(c.Mask);
        std::string t = c.Start;
        int caret = c.Caret;
        EXPECT_EQ(m.Type(t, caret, c.Ch), c.Taken);
        EXPECT_EQ(t, c.After);
        EXPECT_EQ(caret, c.CaretAfter);
    }
}

struct MaskScene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinMaskEdit* E;
    int Changes = 0;
    explicit MaskScene(const std::string& Mask)
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 100);
        E = new TspSkinMaskEdit(Form.get());
        E->SetParent(Form.get());
        E->SetBounds(10, 10, 150, 20);
        E->SetEditMask(Mask);
        E->HandleNeeded();
        E->OnChange = [this](TObject*) { ++Changes; };
    }
    void Type(const std::string& S)
    {
        for (char c : S) E->Perform(WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    void Caret(int P) { E->Perform(EM_SETSEL, P, P); }
    void Key(WORD K) { E->Perform(WM_KEYDOWN, K, 1); }
};

void PutClipboard(const std::string& S)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, S.size() + 1);
    memcpy(GlobalLock(g), S.c_str(), S.size() + 1);
    GlobalUnlock(g);
    SetClipboardData(CF_TEXT, g);
    CloseClipboard();
}

TEST(SkinMaskEdit, KeysKeepTheLiteralsInPlace)
{
    struct Step {
        const char* Keys;   // characters; '\b' is Backspace, '\x7f' stands for the Delete key
        int CaretBefore;    // -1: where the caret is
        const char* Edit;
    };
    MaskScene s("!90:00;1;_");
    EXPECT_EQ(s.E->GetEditText(), "__:__");
    const Step steps[] = {
        {"0930", 0, "09:30"},
        {"\b", -1, "09:3_"},
        {"\b\b", -1, "0_:__"},      // Backspace steps over the literal
        {"x", -1, "0_:__"},         // refused: a letter in a digit place
        {"7", -1, "07:__"},
        {"\x7f", 0, "_7:__"},       // Delete blanks the place under the caret, the caret stays
        {"1", -1, "17:__"},
        {"\x7f", 2, "17:__"},       // Delete on the literal blanks the next place
        {"45", 3, "17:45"},
    };
    for (const auto& st : steps) {
        SCOPED_TRACE(st.Keys);
        if (st.CaretBefore >= 0) s.Caret(st.CaretBefore);
        for (const char* k = st.Keys; *k; ++k) {
            if (*k == '\x7f') s.Key(VK_DELETE);
            else s.Type(std::string(1, *k));
        }
        EXPECT_EQ(s.E->GetEditText(), st.Edit);
    }
    EXPECT_EQ(s.E->GetMaskedText(), "17:45");
    EXPECT_EQ(s.E->GetTextWithoutLiterals(), "1745");
    EXPECT_TRUE(s.E->IsComplete());
    EXPECT_GT(s.Changes, 0);
}

TEST(SkinMaskEdit, TextInCodeSelectionPasteAndUndo)
{
    MaskScene s("90:00;0;_");
    s.E->SetText("815");
    EXPECT_EQ(s.E->GetEditText(), "81:5_");
    EXPECT_EQ(s.E->GetMaskedText(), "815 ");
    EXPECT_FALSE(s.E->IsComplete());

    // A selection typed over is blanked first; the literal survives.
    s.E->Perform(EM_SETSEL, 1, 4);
    s.Type("2");
    EXPECT_EQ(s.E->GetEditText(), "82:__");

    // Paste: characters go in one by one, refused ones are skipped.
    PutClipboard("3x59");
    s.E->Perform(EM_SETSEL, 3, 5);
    s.E->Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(s.E->GetEditText(), "82:35");
    EXPECT_TRUE(s.E->Perform(EM_CANUNDO, 0, 0));
    s.E->Perform(WM_UNDO, 0, 0);
    EXPECT_EQ(s.E->GetEditText(), "82:__");

    // A pasted text with the literals in it fills the places around them.
    PutClipboard("07:45");
    s.E->Perform(EM_SETSEL, 0, 5);
    s.E->Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(s.E->GetEditText(), "07:45");
    s.E->Perform(WM_UNDO, 0, 0);
    EXPECT_EQ(s.E->GetEditText(), "82:__");

    // Cut and clear blank the selection but never remove a literal.
    s.E->Perform(EM_SETSEL, 0, 5);
    s.E->Perform(WM_CLEAR, 0, 0);
    EXPECT_EQ(s.E->GetEditText(), "__:__");

    // Read-only drops it all before the mask sees it.
    s.E->SetText("1234");
    s.E->ReadOnly = true;
    s.E->Perform(EM_SETSEL, 0, 5);
    s.E->Perform(WM_CUT, 0, 0);
    s.Type("9");
    EXPECT_EQ(s.E->GetEditText(), "12:34");
}

TEST(SkinMaskEdit, OtherSeparatorsKeepTheValueAndTyping)
{
    MaskScene s("00/00;1;_");
    s.E->SetText("1231");
    EXPECT_EQ(s.E->GetEditText(), "12/31");
    s.E->SetMaskSeparators('.', ':');
    EXPECT_EQ(s.E->GetEditText(), "12.31");
    s.Caret(0);
    s.Type("05");
    EXPECT_EQ(s.E->GetEditText(), "05.31");
    s.Caret(2);
    s.Type(".");     // the separator typed on its place moves past it
    EXPECT_EQ(s.E->GetSelStart(), 3);
    s.Caret(2);
    s.Type("/");     // the old one is nothing now
    EXPECT_EQ(s.E->GetSelStart(), 2);
    EXPECT_EQ(s.E->GetEditText(), "05.31");
}

TEST(SkinMaskEdit, WithoutAMaskItIsThePlainEdit)
{
    MaskScene s("");
    s.Type("a:b");
    EXPECT_EQ(s.E->GetText(), "a:b");
    EXPECT_EQ(s.E->GetMaskedText(), "a:b");
    // A mask set later lays the present text into it; removing it keeps the text shown.
    s.E->SetText("1234");
    s.E->SetEditMask("00:00;1;_");
    EXPECT_EQ(s.E->GetEditText(), "12:34");
    s.E->SetEditMask("");
    s.Type("x");
    EXPECT_FALSE(s.E->GetText().empty());
}

}  // namespace
