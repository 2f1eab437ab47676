// The combo box's drop-down list: a tool window that never takes the focus,
// shown at a screen point, placed above its owner near the bottom of the work
// area, and made translucent from its owner's settings.
#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinPlatform.h"
#include "SkinPopupList.h"
#include "WaitUntil.h"
#include <memory>

namespace {

class THost : public TspSkinCustomControl, public TspPopupListHost {
public:
    explicit THost(TComponent* AOwner) : TspSkinCustomControl(AOwner) {}
    bool Blend = false, Animate = false;
    int Value = 200;
    bool GetListBoxAlphaBlend() const override { return Blend; }
    bool GetListBoxAlphaBlendAnimation() const override { return Animate; }
    int GetListBoxAlphaBlendValue() const override { return Value; }
};

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    THost* Host;
    TspPopupListBox* P;
    Scene()
    {
        Form->SetBounds(40, 40, 300, 200);
        Host = new THost(Form.get());
        Host->SetParent(Form.get());
        Host->SetBounds(10, 10, 120, 20);
        P = new TspPopupListBox(Host);
        P->SetParent(Host);
        P->SetBounds(0, 0, 120, 80);
        for (int i = 0; i < 3; ++i) P->GetItems()->Add("item " + std::to_string(i));
        Form->Show();
        SetForegroundWindow(Form->GetHandle());
        PumpUntilIdle();
    }
    TRect WindowRect()
    {
        RECT r;
        GetWindowRect(P->GetHandle(), &r);
        return TRect(r);
    }
};

TEST(PopupList, ToolWindowThatIsNeverActivated)
{
    Scene s;
    HWND h = s.P->GetHandle();
    // The system adds WS_CLIPSIBLINGS to every window that is not a child.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE)) & ~(WS_VISIBLE | WS_CLIPSIBLINGS), DWORD(WS_POPUP | WS_CLIPCHILDREN));
    EXPECT_TRUE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(GetClassLongA(h, GCL_STYLE) & CS_SAVEBITS);
    EXPECT_FALSE(s.P->GetVisible());
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_EQ(SendMessageA(h, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(s.Form->GetHandle()),
                           MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
}

TEST(PopupList, ShowsAtTheScreenPointWithoutTakingTheFocusAndHides)
{
    Scene s;
    HWND before = GetActiveWindow();
    s.P->Show(TPoint(200, 150));
    PumpUntilIdle();
    EXPECT_TRUE(s.P->GetVisible());
    EXPECT_TRUE(IsWindowVisible(s.P->GetHandle()));
    EXPECT_EQ(s.WindowRect(), TRect(200, 150, 320, 230));
    EXPECT_EQ(GetActiveWindow(), before);
    // A click on the list selects an item, raises the frame's click and still
    // leaves the form active.
    TObject* sender = nullptr;
    int clicks = 0;
    s.P->OnListBoxClick = [&](TObject* S) { sender = S, ++clicks; };
    TRect r = s.P->ItemRect(1);
    s.P->GetListBox()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(r.left + 5, r.top + 3));
    s.P->GetListBox()->Perform(WM_LBUTTONUP, 0, PointToLParam(r.left + 5, r.top + 3));
    EXPECT_EQ(s.P->GetItemIndex(), 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(sender, s.P);
    EXPECT_EQ(GetActiveWindow(), before);
    EXPECT_NE(GetFocus(), s.P->GetListBox()->GetHandle());
    s.P->Hide();
    EXPECT_FALSE(s.P->GetVisible());
    EXPECT_FALSE(IsWindowVisible(s.P->GetHandle()));
}

TEST(PopupList, DropsBelowItsOwnerOrAboveItNearTheBottom)
{
    const TRect work(0, 0, 800, 600);
    struct Case {
        const char* What;
        TRect Anchor;
        int W, H;
        TPoint Expect;
    } cases[] = {
        {"room below", TRect(100, 100, 220, 120), 120, 80, TPoint(100, 120)},
        {"just fits below", TRect(100, 500, 220, 520), 120, 80, TPoint(100, 520)},
        {"near the bottom: above", TRect(100, 530, 220, 550), 120, 80, TPoint(100, 450)},
        {"past the right edge", TRect(750, 100, 790, 120), 120, 80, TPoint(680, 120)},
        {"taller than the space above too", TRect(10, 40, 130, 60), 120, 590, TPoint(10, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TspPopupListBox::DropPoint(c.Anchor, c.W, c.H, work), c.Expect) << c.What;
}

TEST(PopupList, ShowForPlacesItUnderItsOwner)
{
    Scene s;
    s.P->ShowFor(s.Host);
    const TPoint o = s.Host->ClientToScreen(TPoint(0, 0));
    EXPECT_EQ(s.WindowRect().left, o.x);
    EXPECT_EQ(s.WindowRect().top, o.y + s.Host->GetHeight());
    s.P->Hide();
}

TEST(PopupList, TranslucencyFollowsTheOwner)
{
    if (!Sputils::CheckW2KWXP()) GTEST_SKIP() << "no layered windows on this system";
    Scene s;
    s.Host->Blend = true;
    s.Host->Animate = true;
    s.P->Show(TPoint(100, 100));
    EXPECT_TRUE(s.P->Layered());
    EXPECT_TRUE(GetWindowLongA(s.P->GetHandle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(s.P->CurrentAlpha(), 200);   // the fade ended at the owner's value
    s.P->Hide();
    s.Host->Animate = false;
    s.Host->Value = 120;
    s.P->Show(TPoint(100, 100));
    EXPECT_EQ(s.P->CurrentAlpha(), 120);
    s.P->Hide();
    s.Host->Blend = false;
    s.P->Show(TPoint(100, 100));
    EXPECT_FALSE(s.P->Layered());
    EXPECT_FALSE(GetWindowLongA(s.P->GetHandle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    s.P->Hide();
}

TEST(PopupList, WithAnOwnerThatIsNoHostItStaysOpaque)
{
    std::unique_ptr<TForm> f(new TForm(nullptr));
    auto* p = new TspPopupListBox(f.get());
    p->SetParent(f.get());
    p->SetBounds(0, 0, 100, 60);
    f->Show();
    p->Show(TPoint(50, 50));
    EXPECT_FALSE(p->Layered());
    EXPECT_TRUE(IsWindowVisible(p->GetHandle()));
    p->Hide();
}

}  // namespace
