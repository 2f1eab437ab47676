// The self-drawn password edit: keys, selection, word selection, paste and the
// maximum length through real window messages; glyphs, frame and colours by
// pixel probes on a fixture skin; the window's own text stays empty.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "Form.h"
#include "SkinBoxControls.h"
#include "SkinPasswordEdit.h"
#include "WaitUntil.h"
#include "EditKeys.h"
#include <memory>
#include <initializer_list>
#include <string>
#include <vector>

using namespace CtlFixture;
using namespace EditKeys;

namespace {

// Holds Shift and/or Ctrl in this thread's key state for one message.
class THeldKeys {
public:
    explicit THeldKeys(TShiftState Shift)
    {
        GetKeyboardState(FOld);
        BYTE s[256];
        memcpy(s, FOld, sizeof(s));
        s[VK_SHIFT] = (Shift & ssShift) ? 0x80 : 0;
        s[VK_CONTROL] = (Shift & ssCtrl) ? 0x80 : 0;
        SetKeyboardState(s);
    }
    ~THeldKeys() { SetKeyboardState(FOld); }

private:
    BYTE FOld[256];
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


struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinPasswordEdit* E;
    int Changes = 0;
    Scene()
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 100);
        E = new TspSkinPasswordEdit(Form.get());
        E->SetParent(Form.get());
        E->SetBounds(10, 10, 121, 21);
        E->OnChange = [this](TObject*) { ++Changes; };
    }
    void Key(WORD Vk, TShiftState Shift = 0)
    {
        THeldKeys held(Shift);
        E->Perform(WM_KEYDOWN, Vk, 1);
    }
    void Type(const std::string& S)
    {
        for (char c : S) E->Perform(WM_CHAR, static_cast<unsigned char>(c), 1);
    }
};

TEST(SkinPasswordEdit, TypedTextIsKeptOutOfTheWindowText)
{
    Scene s;
    s.Type("abc");
    EXPECT_EQ(s.E->GetText(), "abc");
    EXPECT_EQ(s.Changes, 3);
    EXPECT_EQ(s.E->GetCaretPosition(), 3);
    char buf[64] = "x";
    GetWindowTextA(s.E->GetHandle(), buf, sizeof(buf));
    EXPECT_STREQ(buf, "");
    // Text given as the control's caption is taken and the caption cleared again.
    s.E->TControl::SetText("secret");
    EXPECT_EQ(s.E->GetText(), "secret");
    GetWindowTextA(s.E->GetHandle(), buf, sizeof(buf));
    EXPECT_STREQ(buf, "");
    s.E->SetCharCase(ecUpperCase);
    EXPECT_EQ(s.E->GetText(), "SECRET");
    s.E->SetCaretPosition(6);
    s.Type("x");
    EXPECT_EQ(s.E->GetText(), "SECRETX");
}

TEST(SkinPasswordEdit, ControlCharactersAndEditingKeysAtTheEnds)
{
    Scene s;
    s.E->SetText("abcd");
    s.Changes = 0;
    s.Type("\x03\x18\x16\r\t");   // Ctrl+C, Ctrl+X, Ctrl+V characters, Enter, Tab: none is text
    EXPECT_EQ(s.E->GetText(), "abcd");
    s.E->SetCaretPosition(0);
    s.Key(VK_BACK);   // nothing before the first character
    EXPECT_EQ(s.E->GetText(), "abcd");
    s.E->SetCaretPosition(4);
    s.Key(VK_DELETE);   // nothing after the last one
    EXPECT_EQ(s.E->GetText(), "abcd");
    EXPECT_EQ(s.Changes, 0);
    s.Key(VK_BACK);
    EXPECT_EQ(s.E->GetText(), "abc");
    EXPECT_EQ(s.E->GetCaretPosition(), 3);
    s.Key(VK_HOME);
    s.Key(VK_DELETE);
    EXPECT_EQ(s.E->GetText(), "bc");
    EXPECT_EQ(s.E->GetCaretPosition(), 0);
    s.E->ReadOnly = true;
    s.Type("zz");
    s.Key(VK_DELETE);
    EXPECT_EQ(s.E->GetText(), "bc");
    s.Key(VK_END);   // the caret still moves
    EXPECT_EQ(s.E->GetCaretPosition(), 2);
}

struct TSelCase {
    const char* Name;
    int Caret;
    struct {
        WORD Vk;
        TShiftState Shift;
    } Keys[3];
    int WantCaret, WantSelStart, WantSelLength, WantSigned;
};

const TSelCase SelCases[] = {
    {"shift left twice from the end", 4, {{VK_LEFT, ssShift}, {VK_LEFT, ssShift}, {0, 0}}, 2, 2, 2, 2},
    {"then shift right once", 4, {{VK_LEFT, ssShift}, {VK_LEFT, ssShift}, {VK_RIGHT, ssShift}}, 3, 3, 1, 1},
    {"shift end from 1", 1, {{VK_END, ssShift}, {0, 0}, {0, 0}}, 4, 1, 3, -3},
    {"shift home then plain right", 3, {{VK_HOME, ssShift}, {VK_RIGHT, 0}, {0, 0}}, 1, 1, 0, 0},
    {"left at 0 stays", 0, {{VK_LEFT, ssShift}, {0, 0}, {0, 0}}, 0, 0, 0, 0},
    {"ctrl right jumps a word", 0, {{VK_RIGHT, ssCtrl}, {0, 0}, {0, 0}}, 3, 3, 0, 0},
    {"ctrl left back to the word", 6, {{VK_LEFT, ssCtrl}, {0, 0}, {0, 0}}, 3, 3, 0, 0},
};

TEST(SkinPasswordEdit, KeyboardSelectionTable)
{
    for (const TSelCase& c : SelCases) {
        SCOPED_TRACE(c.Name);
        Scene s;
        s.E->SetText(c.Caret == 6 || std::string(c.Name).find("ctrl") != std::string::npos ? "ab cd ef" : "abcd");
        s.E->SetCaretPosition(c.Caret);
        for (const auto& k : c.Keys)
            if (k.Vk) s.Key(k.Vk, k.Shift);
        EXPECT_EQ(s.E->GetCaretPosition(), c.WantCaret);
        EXPECT_EQ(s.E->GetSelStart(), c.WantSelStart);
        EXPECT_EQ(s.E->GetSelLength(), c.WantSelLength);
        EXPECT_EQ(s.E->GetSignedSelLength(), c.WantSigned);
    }
}

TEST(SkinPasswordEdit, SelectAllAndWordSelectionKeepTheSelectionInsideTheText)
{
    Scene s;
    s.E->SetText("abcd");
    s.E->SelectAll();
    s.E->SelectAll();   // twice: still the whole text, caret at 0, anchor at the end
    EXPECT_EQ(s.E->GetCaretPosition(), 0);
    EXPECT_EQ(s.E->GetSelStart(), 0);
    EXPECT_EQ(s.E->GetSelLength(), 4);
    s.Key(VK_RIGHT, ssShift);
    EXPECT_EQ(s.E->GetSelStart(), 1);
    EXPECT_EQ(s.E->GetSelLength(), 3);
    s.E->Clear();   // a shorter text takes the selection with it
    EXPECT_EQ(s.E->GetSelLength(), 0);
    EXPECT_EQ(s.E->GetSelText(), "");
    // A double click on an empty edit selects nothing.
    s.E->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, PointToLParam(20, 10));
    EXPECT_EQ(s.E->GetSelLength(), 0);
    EXPECT_EQ(s.E->GetCaretPosition(), 0);
    s.E->SetText("ab cd");
    const int w = s.E->GetPasswordCharWidth();
    s.E->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, PointToLParam(2 + 4 * w + 3, 10));   // over the "d"
    EXPECT_EQ(s.E->GetSelStart(), 3);
    EXPECT_EQ(s.E->GetSelLength(), 2);
    s.Key(VK_BACK);
    EXPECT_EQ(s.E->GetText(), "ab ");
}

TEST(SkinPasswordEdit, PasteKeysMaximumLengthAndReadOnly)
{
    Scene s;
    PutClipboard("xy");
    s.Key('V', ssCtrl);
    EXPECT_EQ(s.E->GetText(), "xy");
    s.Key(VK_INSERT, ssShift);
    EXPECT_EQ(s.E->GetText(), "xyxy");
    s.Key('V', ssCtrl | ssShift);   // not exactly Ctrl
    EXPECT_EQ(s.E->GetText(), "xyxy");
    s.E->SetText("abc");
    s.E->SetMaxLength(4);
    s.E->SetCaretPosition(3);
    s.Key('V', ssCtrl);   // would make five: dropped as a whole
    EXPECT_EQ(s.E->GetText(), "abc");
    s.E->SelectAll();
    s.Key('V', ssCtrl);   // replaces the selection: fits
    EXPECT_EQ(s.E->GetText(), "xy");
    s.E->ReadOnly = true;
    s.Key('V', ssCtrl);
    EXPECT_EQ(s.E->GetText(), "xy");
    PutClipboard("");
    s.E->ReadOnly = false;
    s.Key('V', ssCtrl);
    EXPECT_EQ(s.E->GetText(), "xy");
}

// A password copied with its line break (or a tab) is stored without it, by
// either paste key; Ctrl+Enter types nothing.
TEST(SkinPasswordEdit, RealKeysPasteNoControlCharacters)
{
    Scene s;
    FocusForKeys(s.Form.get(), s.E);
    ASSERT_EQ(GetFocus(), s.E->GetHandle());
    PutClipboard("secret\r\n");
    Chord({VK_CONTROL}, 'V');
    EXPECT_EQ(s.E->GetText(), "secret");
    PutClipboard("\tpw\n");
    Chord({VK_SHIFT}, VK_INSERT);
    EXPECT_EQ(s.E->GetText(), "secretpw");
    Chord({VK_CONTROL}, VK_RETURN);
    EXPECT_EQ(s.E->GetText(), "secretpw");
}

TEST(SkinPasswordEdit, LongTextScrollsTheFirstVisibleCharacter)
{
    Scene s;
    s.E->SetText(std::string(40, 'a'));
    s.E->SetCaretPosition(40);
    const int w = s.E->GetPasswordCharWidth();
    EXPECT_EQ(w, 17 / 2 + 3);
    EXPECT_GT(s.E->GetFirstVisibleChar(), 1);
    // The caret's gap lies inside the edit rectangle.
    const TRect r = s.E->GetEditRect();
    EXPECT_LE(s.E->GetCharX(40), r.right);
    EXPECT_GE(s.E->GetCharX(40), r.left);
    s.E->SetCaretPosition(3);
    EXPECT_EQ(s.E->GetFirstVisibleChar(), 3);
    s.E->SetCaretPosition(0);
    EXPECT_EQ(s.E->GetFirstVisibleChar(), 1);
    // A click maps x back to the gap.
    s.E->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(r.left + 2 * w + 1, 10));
    s.E->Perform(WM_LBUTTONUP, 0, PointToLParam(r.left + 2 * w + 1, 10));
    EXPECT_EQ(s.E->GetCaretPosition(), 2);
    EXPECT_EQ(s.E->GetSelLength(), 0);
    // A drag selects back to the press.
    s.E->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(r.left + 1, 10));
    s.E->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(r.left + 3 * w + 1, 10));
    s.E->Perform(WM_LBUTTONUP, 0, PointToLParam(r.left + 3 * w + 1, 10));
    EXPECT_EQ(s.E->GetSelStart(), 0);
    EXPECT_EQ(s.E->GetSelLength(), 3);
}

TEST(SkinPasswordEdit, TinyControlNeverDividesByZero)
{
    Scene s;
    s.E->SetBounds(10, 10, 3, 1);
    s.E->SetText("abc");
    EXPECT_GE(s.E->GetPasswordCharWidth(), 1);
    EXPECT_GE(s.E->GetCoordinatePosition(50), 0);
    auto shot = Snapshot(s.E);
    SUCCEED();
}

const TColor cText = 0x0000FF, cActiveText = 0x00FF00, cGrey = 0x777777;

std::unique_ptr<TspSkinData> EditSkin()
{
    auto d = NewSkin();
    auto r = std::make_unique<TspDataSkinEditControl>("edit");
    r->PictureIndex = 0;
    r->SkinRect = LookRect(0);
    r->ActiveSkinRect = LookRect(1);
    r->LeftTopPoint = TPoint(10, 0);
    r->RightTopPoint = TPoint(50, 0);
    r->ClientRect = TRect(10, 2, 50, 18);
    r->Font.Color = cText;
    r->ActiveFontColor = cActiveText;
    r->DisabledFontColor = cGrey;
    d->CtrlList.push_back(std::move(r));
    return d;
}

TEST(SkinPasswordEdit, GlyphsAndFrameByPixel)
{
    Scene s;
    s.E->SetText("ab");
    s.E->SetPasswordKind(pkRect);
    auto plain = Snapshot(s.E);
    const int w = s.E->GetPasswordCharWidth();   // 17 / 2 + 3 = 11: cells from x 2
    EXPECT_EQ(Probe(plain.get(), 2 + w / 2, 10), static_cast<TColor>(GetSysColor(COLOR_WINDOWTEXT)));
    EXPECT_EQ(Probe(plain.get(), 2 + w + w / 2, 10), static_cast<TColor>(GetSysColor(COLOR_WINDOWTEXT)));
    EXPECT_EQ(Probe(plain.get(), 2 + 2 * w + w / 2, 10), static_cast<TColor>(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(Probe(plain.get(), 0, 0), static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));

    auto skin = EditSkin();
    s.E->SetSkinData(skin.get());
    EXPECT_TRUE(s.E->Skinned());
    auto shot = Snapshot(s.E);
    EXPECT_EQ(Probe(shot.get(), 3, 10), cEdge);                         // the left end
    EXPECT_EQ(Probe(shot.get(), s.E->GetWidth() - 3, 10), cEdge);       // the right end
    EXPECT_EQ(Probe(shot.get(), 80, 10), cNormal);                      // tiled middle
    const int sw = s.E->GetPasswordCharWidth();                          // 16 / 2 + 3
    EXPECT_EQ(sw, 11);
    EXPECT_EQ(Probe(shot.get(), 10 + sw / 2, 10), cText);
    s.E->SetEnabled(false);
    shot = Snapshot(s.E);
    EXPECT_EQ(Probe(shot.get(), 10 + sw / 2, 10), cGrey);
}

TEST(SkinPasswordEdit, RecordOfAnotherKindLeavesItUnskinnedAtItsOwnSize)
{
    Scene s;
    auto d = NewSkin();
    AddButton(d.get(), "edit");
    s.E->SetSkinData(d.get());
    EXPECT_FALSE(s.E->Skinned());
    EXPECT_EQ(s.E->GetWidth(), 121);
    EXPECT_EQ(s.E->GetHeight(), 21);
}

}  // namespace
