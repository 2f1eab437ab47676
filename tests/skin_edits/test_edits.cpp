// The skinned edit: Enter, Escape and read-only keys through window messages,
// the built-in context menu's items and commands, the non-client frame sizes,
// the ellipsis button, and the frame's looks by pixel probes on a fixture skin.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "Application.h"
#include "Form.h"
#include "SysUtils.h"
#include "Menus.h"
#include "SkinBoxControls.h"
#include "SkinEdits.h"
#include "SkinPopupMenu.h"
#include "WaitUntil.h"
#include "EditKeys.h"
#include <memory>
#include <string>
#include <initializer_list>
#include <vector>

using namespace CtlFixture;
using namespace EditKeys;

namespace {

void PutClipboard(const std::string& S)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (!S.empty()) {
        HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, S.size() + 1);
        memcpy(GlobalLock(g), S.c_str(), S.size() + 1);
        GlobalUnlock(g);
        SetClipboardData(CF_TEXT, g);
    }
    CloseClipboard();
}

std::string ClipboardString()
{
    std::string s;
    if (!OpenClipboard(nullptr)) return s;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        s = static_cast<const char*>(GlobalLock(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return s;
}


struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinEdit* E;
    std::vector<std::string> Log;
    Scene()
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 100);
        E = new TspSkinEdit(Form.get());
        E->SetParent(Form.get());
        E->SetBounds(10, 10, 150, 20);
        E->HandleNeeded();   // messages sent by Perform reach the EDIT only once it exists
        E->OnKeyPress = [this](TObject*, char& K) { Log.push_back("press " + std::to_string(int(K))); };
        E->OnKeyDown = [this](TObject*, WORD& K, TShiftState) { Log.push_back("down " + std::to_string(K)); };
    }
    void Type(const std::string& S)
    {
        for (char c : S) E->Perform(WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    TRect Client()
    {
        RECT r;
        GetClientRect(E->GetHandle(), &r);
        return TRect(r.left, r.top, r.right, r.bottom);
    }
};

TEST(SkinEdit, EnterRaisesItsKeyPressAndInsertsNothing)
{
    Scene s;
    s.Type("ab\r");
    EXPECT_EQ(s.E->GetText(), "ab");
    EXPECT_EQ(s.Log, (std::vector<std::string>{"press 97", "press 98", "press 13"}));
}

TEST(SkinEdit, ReadOnlyDropsEveryChangeButEscapeAndEnterKeepTheirEvents)
{
    Scene s;
    s.E->SetText("abc");
    s.E->ReadOnly = true;
    s.E->SelectAll();
    s.Type("x\b\x18\x16");   // a letter, Backspace, Ctrl+X, Ctrl+V
    EXPECT_TRUE(s.Log.empty());
    s.Type("\x1b\r");
    EXPECT_EQ(s.Log, (std::vector<std::string>{"down 27", "press 27", "press 13"}));
    PutClipboard("zz");
    for (UINT m : {WM_CUT, WM_PASTE, WM_CLEAR, WM_UNDO}) s.E->Perform(m, 0, 0);
    s.E->Perform(WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(s.E->GetText(), "abc");
    // Writable again: the same messages edit.
    s.E->ReadOnly = false;
    s.E->Perform(WM_CUT, 0, 0);
    EXPECT_EQ(s.E->GetText(), "");
    EXPECT_EQ(ClipboardString(), "abc");
    s.Log.clear();
    s.Type("\x1b");   // Escape: its key-down and one key press
    EXPECT_EQ(s.Log, (std::vector<std::string>{"down 27", "press 27"}));
}

// The one-line edit stays one line whatever the keys: Ctrl+Enter types
// nothing, a multi-line text pastes its first line (Shift+Insert and Ctrl+V
// alike), and read-only refuses Shift+Insert as it refuses Ctrl+V.
TEST(SkinEdit, RealKeysKeepOneLineAndReadOnly)
{
    Scene s;
    FocusForKeys(s.Form.get(), s.E);
    ASSERT_EQ(GetFocus(), s.E->GetHandle());
    PutClipboard("first\r\nsecond\r\n");
    Chord({VK_SHIFT}, VK_INSERT);
    EXPECT_EQ(s.E->GetText(), "first");
    Chord({VK_CONTROL}, VK_RETURN);
    EXPECT_EQ(s.E->GetText(), "first");
    PutClipboard("\nnext");   // a text that starts with its line break pastes nothing
    Chord({VK_CONTROL}, 'V');
    EXPECT_EQ(s.E->GetText(), "first");
    PutClipboard("more\nlines");
    Chord({VK_CONTROL}, 'V');
    EXPECT_EQ(s.E->GetText(), "firstmore");
    EXPECT_EQ(s.E->Perform(EM_GETLINECOUNT, 0, 0), 1);
    s.E->ReadOnly = true;
    Chord({VK_SHIFT}, VK_INSERT);
    Chord({VK_CONTROL}, 'V');
    Chord({VK_SHIFT}, VK_DELETE);
    EXPECT_EQ(s.E->GetText(), "firstmore");
}

struct TMenuCase {
    const char* Name;
    const char* Text;
    int SelStart, SelEnd;
    bool ReadOnly;
    const char* Clipboard;
    bool Want[6];   // Undo, Cut, Copy, Paste, Delete, Select All
};

const TMenuCase MenuCases[] = {
    {"empty edit", "", 0, 0, false, "", {false, false, false, false, false, false}},
    {"empty edit, text on the clipboard", "", 0, 0, false, "p", {false, false, false, true, false, false}},
    {"part selected", "hello", 1, 3, false, "p", {false, true, true, true, true, true}},
    {"all selected", "hello", 0, 5, false, "", {false, true, true, false, true, false}},
    {"read-only with a selection", "hello", 1, 3, true, "p", {false, false, true, false, false, true}},
};

TEST(SkinEdit, ContextMenuItemsFollowSelectionClipboardAndReadOnly)
{
    for (const TMenuCase& c : MenuCases) {
        SCOPED_TRACE(c.Name);
        Scene s;
        PutClipboard(c.Clipboard);
        s.E->SetText(c.Text);
        s.E->Perform(EM_SETSEL, c.SelStart, c.SelEnd);
        s.E->ReadOnly = c.ReadOnly;
        s.E->CreateSysPopupMenu();
        TMenuItem* items = s.E->GetSysPopupMenu()->GetItems();
        ASSERT_EQ(items->GetCount(), 8);
        EXPECT_EQ(items->GetItem(1)->GetCaption(), "-");
        EXPECT_EQ(items->GetItem(6)->GetCaption(), "-");
        const int at[6] = {0, 2, 3, 4, 5, 7};
        for (int i = 0; i < 6; ++i) EXPECT_EQ(items->GetItem(at[i])->GetEnabled(), c.Want[i]) << "item " << at[i];
    }
}

TEST(SkinEdit, ContextMenuCommandsAndItsLifetime)
{
    Scene s;
    s.E->SetText("hello");
    s.E->Perform(EM_SETSEL, 0, 2);
    s.E->CreateSysPopupMenu();
    TMenuItem* items = s.E->GetSysPopupMenu()->GetItems();
    EXPECT_FALSE(items->GetItem(0)->GetEnabled());   // nothing to undo yet
    items->GetItem(3)->Click();   // Copy
    EXPECT_EQ(ClipboardString(), "he");
    items->GetItem(5)->Click();   // Delete
    EXPECT_EQ(s.E->GetText(), "llo");
    // The next right click builds the menu anew: now Undo is there.
    s.E->CreateSysPopupMenu();
    items = s.E->GetSysPopupMenu()->GetItems();
    ASSERT_TRUE(items->GetItem(0)->GetEnabled());
    items->GetItem(0)->Click();   // Undo
    EXPECT_EQ(s.E->GetText(), "hello");
    items->GetItem(7)->Click();   // Select All
    EXPECT_EQ(s.E->GetSelLength(), 5);
    // The menu goes once a command ran.
    s.E->Perform(WM_AFTERDISPATCH, 0, 0);
    EXPECT_EQ(s.E->GetSysPopupMenu(), nullptr);
    // A right click without a frame on the form builds the menu and shows nothing.
    s.E->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(s.E->GetHandle()), MAKELPARAM(-1, -1));
    EXPECT_NE(s.E->GetSysPopupMenu(), nullptr);
    // With a menu of its own, that one is the edit's business, not the built-in one.
    Scene t;
    TPopupMenu own(t.Form.get());
    bool asked = false;
    // The form's own handling is heard and stops there (no modal menu in a test).
    t.E->OnContextPopup = [&](TObject*, TPoint, bool& Handled) { asked = Handled = true; };
    t.E->SetPopupMenu(&own);
    t.E->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(t.E->GetHandle()), MAKELPARAM(-1, -1));
    EXPECT_EQ(t.E->GetSysPopupMenu(), nullptr);
    EXPECT_TRUE(asked);
    t.E->SetPopupMenu(nullptr);
}

const TColor cText = 0x0000FF, cActiveText = 0x00FF00, cGrey = 0x777777, cHotButton = 0x30A0F0;

// The edit element: 60 x 20 from the fixture picture, ends of 10, client (10, 4, 50, 16),
// its button (50, 2, 60, 18) in the right part, hot look painted apart.
std::unique_ptr<TspSkinData> EditSkin(const char* Name = "edit")
{
    auto d = NewSkin();
    Paint(d->ActivePictures[0].get(), TRect(50, 22, 60, 38), cHotButton);
    auto r = std::make_unique<TspDataSkinEditControl>(Name);
    r->PictureIndex = 0;
    r->SkinRect = LookRect(0);
    r->ActiveSkinRect = LookRect(1);
    r->LeftTopPoint = TPoint(10, 0);
    r->RightTopPoint = TPoint(50, 0);
    r->ClientRect = TRect(10, 4, 50, 16);
    r->Font.Color = cText;
    r->ActiveFontColor = cActiveText;
    r->DisabledFontColor = cGrey;
    r->ButtonRect = TRect(50, 2, 60, 18);
    r->ActiveButtonRect = TRect(50, 22, 60, 38);
    d->CtrlList.push_back(std::move(r));
    return d;
}

TEST(SkinEdit, NonClientSizesUnskinnedAndSkinned)
{
    Scene s;
    s.E->SetBounds(10, 10, 150, 30);
    EXPECT_EQ(s.E->GetHeight(), 30);   // unskinned: any height
    EXPECT_EQ(s.Client(), TRect(0, 0, 146, 26));
    s.E->SetButtonMode(true);
    EXPECT_EQ(s.Client(), TRect(0, 0, 150 - 2 - 22, 26));
    s.E->CalcRects();
    EXPECT_EQ(s.E->GetButtonRect(), TRect(120, 0, 150, 30));   // Height wide

    auto skin = EditSkin();
    s.E->SetButtonMode(false);
    s.E->SetSkinData(skin.get());
    ASSERT_TRUE(s.E->Skinned());
    EXPECT_EQ(s.E->GetHeight(), 20);
    s.E->SetBounds(10, 10, 150, 44);   // snaps back to the skin's height
    EXPECT_EQ(s.E->GetHeight(), 20);
    EXPECT_EQ(s.Client(), TRect(0, 0, 150 - 20, 12));
    EXPECT_EQ(static_cast<TColor>(s.E->GetFont()->GetColor()), cText);
    s.E->SetEnabled(false);
    EXPECT_EQ(static_cast<TColor>(s.E->GetFont()->GetColor()), cGrey);
    s.E->SetEnabled(true);
    s.E->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(static_cast<TColor>(s.E->GetFont()->GetColor()), cActiveText);
    s.E->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(static_cast<TColor>(s.E->GetFont()->GetColor()), cText);
}

TEST(SkinEdit, FrameAndButtonLooksByPixel)
{
    Scene s;
    s.E->SetButtonMode(true);
    TBitmap b(1, 1, pf24bit);
    s.E->PaintFrame(&b);
    EXPECT_EQ(Probe(&b, 0, 0), static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_EQ(Probe(&b, 50, 10), static_cast<TColor>(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(Probe(&b, 140, 10), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    s.E->Perform(WM_NCMOUSEMOVE, HTHSCROLL, 0);
    s.E->PaintFrame(&b);
    EXPECT_EQ(Probe(&b, 140, 10), static_cast<TColor>(13811126));
    EXPECT_EQ(Probe(&b, 130, 0), static_cast<TColor>(clNavy));

    auto skin = EditSkin();
    s.E->SetSkinData(skin.get());
    s.E->Perform(WM_NCMOUSEMOVE, HTNOWHERE, 0);
    s.E->PaintFrame(&b);
    EXPECT_EQ(b.GetWidth(), 150);
    EXPECT_EQ(Probe(&b, 3, 10), cEdge);
    EXPECT_EQ(Probe(&b, 80, 10), cNormal);
    EXPECT_EQ(Probe(&b, 146, 10), cEdge);   // the right end, not the hot button
    s.E->Perform(WM_NCMOUSEMOVE, HTHSCROLL, 0);
    s.E->PaintFrame(&b);
    EXPECT_EQ(Probe(&b, 145, 10), cHotButton);   // the button moved with the right end: 50 + 90
    s.E->Perform(CM_MOUSEENTER, 0, 0);
    s.E->PaintFrame(&b);
    EXPECT_EQ(Probe(&b, 80, 10), cActive);
}

TEST(SkinEdit, EllipsisButtonClick)
{
    Scene s;
    int clicks = 0;
    s.E->OnButtonClick = [&](TObject*) { ++clicks; };
    s.E->SetButtonMode(true);
    s.E->Perform(WM_NCLBUTTONDOWN, HTVSCROLL, 0);
    s.E->Perform(WM_NCLBUTTONUP, HTVSCROLL, 0);
    EXPECT_EQ(clicks, 0);
    s.E->Perform(WM_NCMOUSEMOVE, HTHSCROLL, 0);
    s.E->Perform(WM_NCLBUTTONDOWN, HTHSCROLL, 0);
    EXPECT_TRUE(s.E->ButtonPressed());
    s.E->Perform(WM_NCLBUTTONUP, HTHSCROLL, 0);
    EXPECT_FALSE(s.E->ButtonPressed());
    EXPECT_EQ(clicks, 1);
    // The hit test names the button and the frame by their codes.
    POINT o = {0, 0};
    ClientToScreen(s.E->GetHandle(), &o);
    EXPECT_EQ(s.E->Perform(WM_NCHITTEST, 0, MAKELPARAM(o.x + 140 - 2, o.y + 5)), HTHSCROLL);
    const LRESULT inside = s.E->Perform(WM_NCHITTEST, 0, MAKELPARAM(o.x + 10, o.y + 5));
    EXPECT_NE(inside, HTHSCROLL);
    EXPECT_NE(inside, HTVSCROLL);
}

TEST(SkinEdit, RecordOfAnotherKindOrDamagedGeometryLeavesItPlain)
{
    Scene s;
    auto d = NewSkin();
    AddButton(d.get(), "edit");
    s.E->SetBounds(10, 10, 150, 33);
    s.E->SetSkinData(d.get());
    EXPECT_FALSE(s.E->Skinned());
    EXPECT_EQ(s.E->GetHeight(), 20);   // DefaultHeight, never 0 x 0
    EXPECT_EQ(s.E->GetWidth(), 150);
    // A client rectangle outside the element cannot invert the client area.
    auto e = EditSkin();
    static_cast<TspDataSkinEditControl*>(e->CtrlList[0].get())->ClientRect = TRect(70, 30, -5, 90);
    s.E->SetSkinData(e.get());
    EXPECT_TRUE(s.E->Skinned());
    EXPECT_GE(s.Client().Width(), 0);
    EXPECT_GE(s.Client().Height(), 0);
}

TEST(SkinEdit, AnExceptionFromAnEventStaysInsideTheWindowProcedure)
{
    Scene s;
    int reported = 0;
    TExceptionEvent old = Application->OnException;
    Application->OnException = [&](TObject*, const Exception&) { ++reported; };
    s.E->OnKeyPress = [](TObject*, char&) { throw Exception("bad number"); };
    // Through the real window procedure, as the keyboard delivers it.
    SendMessageA(s.E->GetHandle(), WM_CHAR, '1', 1);
    EXPECT_EQ(reported, 1);
    Application->OnException = old;
    s.E->OnKeyPress = nullptr;
    SendMessageA(s.E->GetHandle(), WM_CHAR, '2', 1);
    EXPECT_EQ(s.E->GetText(), "2");
}

}  // namespace
