// The skinned rich edit on the system's rich-text control: text, lines,
// selection and read-only state through the window, keys typed through real
// input, the external bars in step with the text both ways, and the skin's
// font and background only with SkinSupport.
#include "test_gtest.h"
#include "RichEditScene.h"
#include "SkinBoxControls.h"
#include <richedit.h>
#include <vector>

using namespace CtlFixture;
using namespace RichFixture;

namespace {

TEST(SkinRichEdit, TextLinesAndSelectionRoundTrip)
{
    Scene s;
    char cls[64] = {};
    GetClassNameA(s.H(), cls, sizeof(cls));
    EXPECT_STREQ(cls, "TRichEdit");
    s.Rich->SetText("alpha\r\nbeta\r\ngamma");
    EXPECT_EQ(s.Rich->GetText(), "alpha\r\nbeta\r\ngamma");
    ASSERT_EQ(s.Rich->GetLines()->GetCount(), 3);
    EXPECT_EQ(s.Rich->GetLines()->Get(1), "beta");
    EXPECT_GE(s.Changes, 1);
    // Positions count a line break as one character in the rich control.
    struct Sel { int Start, Length; const char* Text; int Line; } sels[] = {
        {0, 5, "alpha", 0},
        {6, 4, "beta", 1},
        {11, 5, "gamma", 2},
        {3, 0, "", 0},
    };
    for (const auto& c : sels) {
        SCOPED_TRACE(c.Text);
        s.Rich->SetSelStart(c.Start);
        s.Rich->SetSelLength(c.Length);
        EXPECT_EQ(s.Rich->GetSelStart(), c.Start);
        EXPECT_EQ(s.Rich->GetSelLength(), c.Length);
        EXPECT_EQ(s.Rich->GetSelText(), c.Text);
        EXPECT_EQ(s.Rich->LineFromChar(-1), c.Line);
    }
    s.Rich->SetSelStart(6);
    s.Rich->SetSelLength(4);
    s.Rich->SetSelText("BETA");
    EXPECT_EQ(s.Rich->GetLines()->Get(1), "BETA");
    s.Rich->GetLines()->Add("delta");
    s.Rich->GetLines()->Delete(0);
    ASSERT_EQ(s.Rich->GetLines()->GetCount(), 3);
    EXPECT_EQ(s.Rich->GetLines()->Get(0), "BETA");
    EXPECT_EQ(s.Rich->GetLines()->Get(2), "delta");
    // Plain text keeps the text across the window's re-creation.
    s.Rich->SetPlainText(true);
    s.Rich->HandleNeeded();
    EXPECT_EQ(SendMessageA(s.H(), EM_GETTEXTMODE, 0, 0) & TM_PLAINTEXT, TM_PLAINTEXT);
    EXPECT_EQ(s.Rich->GetLines()->Get(2), "delta");
}

TEST(SkinRichEdit, ReadOnlyRefusesTypedCharacters)
{
    Scene s;
    s.Rich->SetText("fixed");
    struct Case { bool ReadOnly; const char* After; } cases[] = {{true, "fixed"}, {false, "fixedx"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ReadOnly);
        s.Rich->SetReadOnly(c.ReadOnly);
        EXPECT_EQ((SendMessageA(s.H(), EM_GETOPTIONS, 0, 0) & ECO_READONLY) != 0, c.ReadOnly);
        s.Rich->SetSelStart(5);
        SendMessageA(s.H(), WM_CHAR, 'x', 0);
        EXPECT_EQ(s.Rich->GetText(), c.After);
    }
}

void TypeKeys(const std::vector<WORD>& Keys)
{
    for (WORD k : Keys) {
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wVk = in[1].ki.wVk = k;
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
        PumpUntilIdle();
    }
    PumpUntilIdle();
}

TEST(SkinRichEdit, KeysTypedThroughRealInputAndTheBarFollows)
{
    Scene s(true);
    for (WORD vk : {VK_MENU, VK_CONTROL, VK_SHIFT}) {
        INPUT up = {};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = vk;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(1, &up, sizeof(INPUT));
    }
    ASSERT_TRUE(PumpUntil([&] {
        SetForegroundWindow(s.Form->GetHandle());
        return GetForegroundWindow() == s.Form->GetHandle();
    }, 3000));
    s.Rich->SetFocus();
    PumpUntilIdle();
    ASSERT_EQ(GetFocus(), s.H());
    EXPECT_FALSE(s.VBar->GetEnabled());   // empty: nothing to scroll
    TypeKeys({'A', 'B', VK_RETURN, 'C'});
    EXPECT_EQ(s.Rich->GetText(), "ab\r\nc");
    EXPECT_GE(s.Changes, 4);
    // Typing past the last visible line enables the bar, one page a window height.
    std::vector<WORD> more;
    for (int i = 0; i < 14; ++i) {
        more.push_back('X');
        more.push_back(VK_RETURN);
    }
    TypeKeys(more);
    EXPECT_EQ(s.Rich->GetLines()->GetCount(), 15);   // the empty line after the last break is none
    EXPECT_TRUE(s.VBar->GetEnabled());
    EXPECT_EQ(s.VBar->GetPageSize(), s.Rich->GetHeight());
    // The caret's line is in view: the bar shows where the text is scrolled.
    EXPECT_GT(s.VBar->GetPosition(), 0);
    EXPECT_EQ(s.VBar->GetPosition(), GetScrollPos(s.H(), SB_VERT));
}

TEST(SkinRichEdit, BarsFollowTheTextAndScrollIt)
{
    Scene s;
    // Empty: both bars disabled and the native ranges reset.
    EXPECT_FALSE(s.VBar->GetEnabled());
    EXPECT_FALSE(s.HBar->GetEnabled());
    int lo = -1, hi = -1;
    GetScrollRange(s.H(), SB_VERT, &lo, &hi);
    EXPECT_EQ(hi, 0);
    s.Lines(60);
    ASSERT_TRUE(s.VBar->GetEnabled());
    EXPECT_EQ(s.VBar->GetPageSize(), s.Rich->GetHeight());
    GetScrollRange(s.H(), SB_VERT, &lo, &hi);
    EXPECT_EQ(s.VBar->GetMax(), hi);
    EXPECT_FALSE(s.HBar->GetEnabled());   // short lines need no horizontal scrolling
    // The bar moved by the user scrolls the text.
    s.VBar->SetPosition(100);
    EXPECT_EQ(GetScrollPos(s.H(), SB_VERT), 100);
    EXPECT_GT(SendMessageA(s.H(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    // Its arrows scroll one line; at the ends they send nothing.
    struct Step { int From; bool Up; bool Moves; } steps[] = {
        {0, false, false},   // down arrow at 0
        {0, true, true},     // up arrow raises the position
        {-1, true, false},   // up arrow at the last position
        {-1, false, true},
    };
    for (const auto& st : steps) {
        SCOPED_TRACE(st.From);
        const int last = s.VBar->GetMax() - s.VBar->GetPageSize() + 1;
        s.VBar->SetPosition(st.From < 0 ? last : st.From);
        const int before = GetScrollPos(s.H(), SB_VERT);
        if (st.Up) s.VBar->OnUpButtonClick(s.VBar);
        else s.VBar->OnDownButtonClick(s.VBar);
        const int after = GetScrollPos(s.H(), SB_VERT);
        EXPECT_EQ(after != before, st.Moves);
        if (st.Moves) {
            EXPECT_EQ(after > before, st.Up);
        }
        EXPECT_EQ(s.VBar->GetPosition(), after);
    }
    // A long line brings in the horizontal bar, which scrolls sideways.
    s.Rich->GetLines()->Add(std::string(200, 'W'));
    ASSERT_TRUE(s.HBar->GetEnabled());
    EXPECT_EQ(s.HBar->GetPageSize(), s.Rich->GetWidth());
    s.HBar->SetPosition(40);
    EXPECT_EQ(GetScrollPos(s.H(), SB_HORZ), 40);
    // Emptied again: disabled; a freed bar is forgotten.
    s.Rich->SetText("");
    EXPECT_FALSE(s.VBar->GetEnabled());
    EXPECT_FALSE(s.HBar->GetEnabled());
    delete s.VBar;
    EXPECT_EQ(s.Rich->GetVScrollBar(), nullptr);
    s.Lines(60);
    EXPECT_EQ(s.Rich->GetLines()->GetCount(), 60);
}

const TColor cBack = 0x2050A0, cText = 0x00E0F0;

std::unique_ptr<TspSkinData> RichSkin()
{
    auto d = NewSkin();
    auto r = std::make_unique<TspDataSkinRichEdit>("richedit");
    r->BGColor = cBack;
    r->Font.Color = cText;
    r->Font.Name = "Arial";
    r->Font.Height = 20;
    d->CtrlList.push_back(std::move(r));
    return d;
}

TEST(SkinRichEdit, SkinOnlyWithSkinSupport)
{
    Scene s(true);
    auto d = RichSkin();
    s.Rich->GetFont()->SetColor(0x000080);
    s.Rich->SetColor(0xF0F0F0);
    s.Rich->SetSkinData(d.get());   // SkinSupport off: nothing changes
    EXPECT_TRUE(s.Rich->Skinned());
    EXPECT_EQ(s.Rich->GetColor(), 0xF0F0F0);
    EXPECT_EQ(s.Rich->GetFont()->GetColor(), 0x000080);
    s.Rich->SkinSupport = true;
    s.Rich->SetSkinData(d.get());
    EXPECT_EQ(s.Rich->GetColor(), cBack);
    EXPECT_EQ(s.Rich->GetFont()->GetColor(), cText);
    EXPECT_EQ(s.Rich->GetFont()->GetHeight(), 20);
    // On the screen: the element's background edge to edge, no native border or bar.
    RedrawWindow(s.Form->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntilIdle();
    auto shot = ScreenShot(s.Form.get());
    SaveArtefact(shot.get(), "richedit-fixture");
    const int L = s.Rich->GetLeft(), T = s.Rich->GetTop(), W = s.Rich->GetWidth(), H = s.Rich->GetHeight();
    for (TPoint p : {TPoint(L, T), TPoint(L + W - 1, T), TPoint(L, T + H - 1), TPoint(L + W - 1, T + H - 1),
                     TPoint(L + W - 3, T + H / 2), TPoint(L + W / 2, T + H - 3)}) {
        SCOPED_TRACE(p.x * 1000 + p.y);
        EXPECT_EQ(Probe(shot.get(), p.x, p.y), cBack);
    }
    // Text in the element's colour.
    s.Lines(3, "WWWW ");
    RedrawWindow(s.Form->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntilIdle();
    auto text = ScreenShot(s.Form.get());
    int inText = 0;
    for (int y = T; y < T + 30; ++y)
        for (int x = L; x < L + 60; ++x)
            if (Probe(text.get(), x, y) == cText) ++inText;
    EXPECT_GT(inText, 20);
    // Without an element: the default colour and font.
    s.Rich->SetSkinDataName("nosuchelement");
    s.Rich->ChangeSkinData();
    EXPECT_FALSE(s.Rich->Skinned());
    EXPECT_EQ(s.Rich->GetColor(), clWindow);
    EXPECT_EQ(s.Rich->GetFont()->GetHeight(), 14);
    // The default colour reaches the control only while unskinned with SkinSupport.
    s.Rich->SetDefaultColor(0x405060);
    EXPECT_EQ(s.Rich->GetColor(), 0x405060);
    s.Rich->SkinSupport = false;
    s.Rich->SetDefaultColor(0x102030);
    EXPECT_EQ(s.Rich->GetColor(), 0x405060);
    // A freed skin is forgotten.
    d.reset();
    EXPECT_EQ(s.Rich->GetSkinData(), nullptr);
}

}  // namespace
