// The memo with a skinned frame: the client area the frame leaves, the frame
// pieces (normal and active look, stretched by the right and bottom points), the
// whole element image with BitMapBG, its own read-only state, its bar, and its
// colours. The element is the fixture picture's 60 x 20 looks with a frame of
// 10 pixels left and right and 5 at the top and bottom.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "Form.h"
#include "SkinBoxControls.h"
#include "SkinFramedMemo.h"
#include "SkinScrollBar.h"
#include "SkinViews.h"
#include <memory>
#include <string>

using namespace CtlFixture;

namespace {

std::unique_ptr<TspSkinData> MemoSkin()
{
    auto d = NewSkin();
    auto r = std::make_unique<TspDataSkinMemoControl>("memo");
    r->PictureIndex = 0;
    r->SkinRect = LookRect(0);
    r->ActiveSkinRect = LookRect(1);
    r->LeftTopPoint = TPoint(10, 5);
    r->RightTopPoint = TPoint(50, 5);
    r->LeftBottomPoint = TPoint(10, 15);
    r->RightBottomPoint = TPoint(50, 15);
    r->ClientRect = TRect(10, 5, 50, 15);
    r->Font.Color = 0x0000FF;
    r->ActiveFontColor = 0x00FF00;
    r->BGColor = 0x202020;
    r->ActiveBGColor = 0x404040;
    d->CtrlList.push_back(std::move(r));
    return d;
}

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinMemo* M;
    TspSkinScrollBar* Bar;
    Scene()
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 200);
        M = new TspSkinMemo(Form.get());
        M->SetParent(Form.get());
        M->SetBounds(0, 0, 200, 100);
        Bar = new TspSkinScrollBar(Form.get());
        Bar->SetKind(sbVertical);
        Bar->SetParent(Form.get());
        Bar->SetBounds(200, 0, 19, 100);
        M->HandleNeeded();
        M->SetVScrollBar(Bar);
    }
    TRect ClientInWindow()
    {
        RECT wr, cr;
        GetWindowRect(M->GetHandle(), &wr);
        GetClientRect(M->GetHandle(), &cr);
        POINT o = {0, 0};
        ClientToScreen(M->GetHandle(), &o);
        return TRect(o.x - wr.left, o.y - wr.top, o.x - wr.left + cr.right, o.y - wr.top + cr.bottom);
    }
    std::unique_ptr<TBitmap> Frame(bool Whole)
    {
        auto b = NewPicture(M->GetWidth(), M->GetHeight(), 0xFFFFFF);
        if (Whole) M->SkinNCPaint(b->GetCanvas());
        else M->SkinFramePaint(b->GetCanvas());
        return b;
    }
    int FirstLine() { return static_cast<int>(M->Perform(EM_GETFIRSTVISIBLELINE, 0, 0)); }
};

TEST(SkinFramedMemo, ClientAreaInsideTheFrame)
{
    Scene s;
    TRect c = s.ClientInWindow();
    EXPECT_EQ(c.left, 2);
    EXPECT_EQ(c.top, 2);
    EXPECT_EQ(c.right, 198);
    EXPECT_EQ(c.bottom, 98);
    auto skin = MemoSkin();
    s.M->SetSkinData(skin.get());
    ASSERT_TRUE(s.M->Skinned());
    c = s.ClientInWindow();
    EXPECT_EQ(c.left, 10);
    EXPECT_EQ(c.top, 5);
    EXPECT_EQ(c.right, 190);
    EXPECT_EQ(c.bottom, 95);
}

TEST(SkinFramedMemo, FramePiecesNormalActiveAndStretched)
{
    Scene s;
    auto plain = s.Frame(false);
    EXPECT_EQ(Probe(plain.get(), 0, 50), static_cast<TColor>(ColorToRGB(clBtnShadow)));
    EXPECT_EQ(Probe(plain.get(), 100, 50), 0xFFFFFF);   // the inside is not touched
    auto skin = MemoSkin();
    s.M->SetSkinData(skin.get());
    struct P { int X, Y; TColor C; };
    const P normal[] = {{2, 50, cEdge}, {197, 50, cEdge}, {100, 2, cNormal}, {100, 97, cNormal}, {100, 50, 0xFFFFFF}};
    auto b = s.Frame(false);
    for (const auto& p : normal) {
        SCOPED_TRACE(std::to_string(p.X) + "," + std::to_string(p.Y));
        EXPECT_EQ(Probe(b.get(), p.X, p.Y), p.C);
    }
    s.M->Perform(CM_MOUSEENTER, 0, 0);
    b = s.Frame(false);
    EXPECT_EQ(Probe(b.get(), 100, 2), cActive);
    EXPECT_EQ(s.M->GetColor(), 0x404040);
    EXPECT_EQ(s.M->GetFont()->GetColor(), 0x00FF00);
    s.M->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(s.M->GetColor(), 0x202020);
    // Wider and taller: the right piece moves with the right edge.
    s.M->SetBounds(0, 0, 260, 150);
    b = s.Frame(false);
    EXPECT_EQ(Probe(b.get(), 257, 75), cEdge);
    EXPECT_EQ(Probe(b.get(), 200, 147), cNormal);
    EXPECT_EQ(Probe(b.get(), 200, 75), 0xFFFFFF);
    // Transparent without BitMapBG changes nothing.
    s.M->SetAlphaBlend(true);
    s.M->SetAlphaBlendValue(100);
    b = s.Frame(false);
    EXPECT_EQ(Probe(b.get(), 257, 75), cEdge);
    s.M->SetAlphaBlend(false);
    // The whole image with BitMapBG: the element's client part too.
    s.M->SetBitMapBG(true);
    b = s.Frame(true);
    EXPECT_EQ(Probe(b.get(), 130, 75), cNormal);
    EXPECT_EQ(Probe(b.get(), 2, 75), cEdge);
}

TEST(SkinFramedMemo, ReadOnlyDropsEditsButKeepsTheText)
{
    Scene s;
    s.M->SetText("abc");
    s.M->SetReadOnly(true);
    SendMessageA(s.M->GetHandle(), WM_CHAR, 'x', 0);
    SendMessageA(s.M->GetHandle(), EM_SETSEL, 0, 1);
    SendMessageA(s.M->GetHandle(), WM_KEYDOWN, VK_DELETE, 0);
    SendMessageA(s.M->GetHandle(), WM_CLEAR, 0, 0);
    SendMessageA(s.M->GetHandle(), WM_CUT, 0, 0);
    EXPECT_EQ(s.M->GetText(), "abc");
    s.M->SetReadOnly(false);
    SendMessageA(s.M->GetHandle(), EM_SETSEL, 0, 1);
    SendMessageA(s.M->GetHandle(), WM_CHAR, 'x', 0);
    EXPECT_EQ(s.M->GetText(), "xbc");
}

TEST(SkinFramedMemo, BarRangeIsTheLineCountAndScrollsTheMemo)
{
    Scene s;
    s.M->GetLines()->Add("one");
    EXPECT_FALSE(s.Bar->GetEnabled());
    EXPECT_EQ(s.Bar->GetMax(), 0);
    for (int i = 0; i < 40; ++i) s.M->GetLines()->Add("line " + std::to_string(i));
    const int lines = static_cast<int>(s.M->Perform(EM_GETLINECOUNT, 0, 0));
    EXPECT_TRUE(s.Bar->GetEnabled());
    EXPECT_EQ(s.Bar->GetMax(), lines);
    EXPECT_GT(s.Bar->GetPageSize(), 1);
    s.M->Perform(WM_VSCROLL, SB_TOP, 0);
    s.Bar->SetPosition(7);
    EXPECT_EQ(s.FirstLine(), 7);
    s.M->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(s.FirstLine(), 8);
    EXPECT_EQ(s.Bar->GetPosition(), 8);
    // A disabled memo greys its text; enabling gives the colour back.
    s.M->SetEnabled(false);
    EXPECT_EQ(s.M->GetFont()->GetColor(), clGrayText);
    s.M->SetEnabled(true);
    EXPECT_NE(s.M->GetFont()->GetColor(), clGrayText);
    delete s.Bar;
    EXPECT_EQ(s.M->GetVScrollBar(), nullptr);
    s.M->GetLines()->Add("after the bar");
}

}  // namespace

namespace {

// Damaged records: the memo and the list header paint something sane (or the
// plain look) and never read outside the picture.
TEST(SkinViewsDamagedSkin, BadRecordsNeverCrashThePaint)
{
    struct Bad {
        const char* Name;
        int Picture;
        TRect Skin, Client;
        TPoint LT, RT, LB, RB;
    } cases[] = {
        {"picture index past the list", 7, LookRect(0), TRect(10, 5, 50, 15), {10, 5}, {50, 5}, {10, 15}, {50, 15}},
        {"negative picture index", -3, LookRect(0), TRect(10, 5, 50, 15), {10, 5}, {50, 5}, {10, 15}, {50, 15}},
        {"rectangle outside the picture", 0, TRect(500, 500, 900, 900), TRect(1, 1, 2, 2), {1, 1}, {2, 1}, {1, 2}, {2, 2}},
        {"inverted rectangle", 0, TRect(60, 20, 0, 0), TRect(10, 5, 50, 15), {10, 5}, {50, 5}, {10, 15}, {50, 15}},
        {"huge points", 0, LookRect(0), TRect(-100000, -100000, 100000, 100000), {-70000, 3}, {90000, 3},
         {5, 80000}, {70000, 70000}},
        {"client larger than the element", 0, LookRect(0), TRect(0, 0, 5000, 5000), {10, 5}, {50, 5}, {10, 15},
         {50, 15}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto d = NewSkin();
        auto m = std::make_unique<TspDataSkinMemoControl>("memo");
        auto h = std::make_unique<TspDataSkinButtonControl>("resizebutton");
        for (TspDataSkinCustomControl* r : {static_cast<TspDataSkinCustomControl*>(m.get()),
                                            static_cast<TspDataSkinCustomControl*>(h.get())}) {
            r->PictureIndex = c.Picture;
            r->SkinRect = c.Skin;
            r->ClientRect = c.Client;
            r->LeftTopPoint = c.LT;
            r->RightTopPoint = c.RT;
            r->LeftBottomPoint = c.LB;
            r->RightBottomPoint = c.RB;
        }
        d->CtrlList.push_back(std::move(m));
        d->CtrlList.push_back(std::move(h));

        Scene s;
        s.M->SetSkinData(d.get());
        TRect cl = s.ClientInWindow();
        EXPECT_LE(cl.left, cl.right);
        EXPECT_LE(cl.top, cl.bottom);
        EXPECT_GE(cl.left, 0);
        EXPECT_GE(cl.top, 0);
        EXPECT_LE(cl.right, s.M->GetWidth());
        EXPECT_LE(cl.bottom, s.M->GetHeight());
        auto b = s.Frame(false);
        s.M->SetBitMapBG(true);
        b = s.Frame(true);
        s.M->Perform(WM_NCPAINT, 1, 0);

        std::unique_ptr<TForm> f(new TForm(nullptr));
        f->SetBounds(0, 0, 300, 200);
        auto* l = new TspSkinListView(f.get());
        l->SetParent(f.get());
        l->SetBounds(0, 0, 200, 150);
        l->SetViewStyle(vsReport);
        l->GetColumns()->Add()->SetCaption("a column");
        l->GetColumns()->Add()->SetCaption("another");
        l->HandleNeeded();
        l->SetSkinData(d.get());
        HWND hdr = l->GetHeaderWindow();
        ASSERT_TRUE(hdr);
        auto pic = NewPicture(200, 40, 0xFFFFFF);
        SendMessageA(hdr, WM_PAINT, reinterpret_cast<WPARAM>(pic->GetCanvas()->GetHandle()), 0);
    }
}

}  // namespace
