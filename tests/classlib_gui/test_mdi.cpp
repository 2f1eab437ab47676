// Multiple-document forms on the real MDI client window: the main form holds
// the client beside its aligned controls, children live inside it, and the
// arrangement commands and activation go through the client.
#include "test_gtest.h"
#include "gui_test_util.h"
#include "ExtCtrls.h"

using namespace guitest;

namespace {

class MainMdiForm : public TForm {
public:
    explicit MainMdiForm(TComponent* AOwner) : TForm(AOwner)
    {
        SetFormStyle(fsMDIForm);
        SetBounds(40, 40, 640, 480);
        SetText("MDI main");
    }
};

// The process has one main form; the MDI tests share it.
MainMdiForm* MainForm()
{
    static MainMdiForm* form = nullptr;
    if (!form) {
        Application->CreateForm(form);
        form->Show();
        Pump();
    }
    return form;
}

struct Children {
    std::vector<TForm*> Forms;
    TForm* Add(const std::string& Caption)
    {
        auto* f = new TForm(Application);
        f->SetFormStyle(fsMDIChild);
        f->SetText(Caption);
        f->SetBounds(10, 10, 200, 150);
        f->Show();
        Forms.push_back(f);
        return f;
    }
    ~Children()
    {
        for (TForm* f : Forms) delete f;
        Pump(20);
    }
};

TRect ChildRect(TForm* F)
{
    RECT r;
    GetWindowRect(F->GetHandle(), &r);
    MapWindowPoints(nullptr, GetParent(F->GetHandle()), reinterpret_cast<POINT*>(&r), 2);
    return TRect(r.left, r.top, r.right, r.bottom);
}

}  // namespace

TEST(MdiForm, ClientWindowFillsWhatAlignedControlsLeave)
{
    MainMdiForm* main = MainForm();
    HWND client = main->GetClientHandle();
    ASSERT_NE(client, nullptr);
    char cls[32] = "";
    GetClassNameA(client, cls, sizeof cls);
    EXPECT_STRCASEEQ(cls, "MDICLIENT");

    auto* bar = new TPanel(main);
    bar->SetParent(main);
    bar->SetHeight(30);
    bar->SetAlign(alTop);
    Pump();
    RECT cr, fr;
    GetWindowRect(client, &cr);
    MapWindowPoints(nullptr, main->GetHandle(), reinterpret_cast<POINT*>(&cr), 2);
    GetClientRect(main->GetHandle(), &fr);
    EXPECT_EQ(cr.top, 30);
    EXPECT_EQ(cr.left, 0);
    EXPECT_EQ(cr.bottom, fr.bottom);
    EXPECT_EQ(cr.right, fr.right);
    EXPECT_EQ(main->GetMDIClientRect(), TRect(0, 30, fr.right, fr.bottom));
    delete bar;
    Pump();
    GetWindowRect(client, &cr);
    MapWindowPoints(nullptr, main->GetHandle(), reinterpret_cast<POINT*>(&cr), 2);
    EXPECT_EQ(cr.top, 0);
}

TEST(MdiForm, ChildrenLiveInTheClientAndAreCounted)
{
    MainMdiForm* main = MainForm();
    Children kids;
    EXPECT_EQ(main->GetMDIChildCount(), 0);
    EXPECT_EQ(main->GetActiveMDIChild(), nullptr);
    TForm* a = kids.Add("A");
    TForm* b = kids.Add("B");
    Pump();
    EXPECT_EQ(GetParent(a->GetHandle()), main->GetClientHandle());
    EXPECT_TRUE(GetWindowLongA(a->GetHandle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
    EXPECT_EQ(main->GetMDIChildCount(), 2);
    // In the screen's form order: the child activated last comes first.
    EXPECT_EQ(main->GetMDIChildren(0), b);
    EXPECT_EQ(main->GetMDIChildren(1), a);
    EXPECT_THROW(main->GetMDIChildren(2), EListError);
    // The child shown last is the active one; Next and Previous walk the children.
    EXPECT_EQ(main->GetActiveMDIChild(), b);
    main->Next();
    Pump();
    EXPECT_EQ(main->GetActiveMDIChild(), a);
    main->Previous();
    Pump();
    EXPECT_EQ(main->GetActiveMDIChild(), b);

    // A child freed goes from the client's list at once.
    kids.Forms.pop_back();
    delete b;
    Pump();
    EXPECT_EQ(main->GetMDIChildCount(), 1);
    EXPECT_EQ(main->GetActiveMDIChild(), a);
}

TEST(MdiForm, CascadeAndTileArrangeTheChildren)
{
    MainMdiForm* main = MainForm();
    Children kids;
    TForm* a = kids.Add("A");
    TForm* b = kids.Add("B");
    Pump();
    RECT client;
    GetClientRect(main->GetClientHandle(), &client);

    main->TileMode = tbVertical;
    main->Tile();
    Pump();
    TRect ra = ChildRect(a), rb = ChildRect(b);
    // Side by side, each half the width and the full height.
    EXPECT_EQ(ra.top, 0);
    EXPECT_EQ(rb.top, 0);
    EXPECT_EQ(ra.Height(), client.bottom);
    EXPECT_EQ(rb.Height(), client.bottom);
    EXPECT_NEAR(ra.Width(), client.right / 2, 1);
    EXPECT_NE(ra.left, rb.left);

    main->TileMode = tbHorizontal;
    main->Tile();
    Pump();
    ra = ChildRect(a);
    rb = ChildRect(b);
    EXPECT_EQ(ra.left, 0);
    EXPECT_EQ(ra.Width(), client.right);
    EXPECT_NEAR(ra.Height(), client.bottom / 2, 1);
    EXPECT_NE(ra.top, rb.top);

    main->Cascade();
    Pump();
    ra = ChildRect(a);
    rb = ChildRect(b);
    // Stepped down and right, one caption apart.
    EXPECT_EQ(ra.Width(), rb.Width());
    EXPECT_GT(std::abs(ra.top - rb.top), 0);
    EXPECT_EQ(ra.top - rb.top, ra.left - rb.left);

    a->SetWindowState(wsMinimized);
    Pump();
    main->ArrangeIcons();
    Pump();
    EXPECT_EQ(a->GetWindowState(), wsMinimized);
    TRect ic = ChildRect(a);
    EXPECT_EQ(ic.left, 0);
    EXPECT_EQ(ic.bottom, client.bottom);
}

TEST(MdiForm, ControlF6MovesToTheNextChild)
{
    MainMdiForm* main = MainForm();
    Children kids;
    TForm* a = kids.Add("A");
    TForm* b = kids.Add("B");
    SetForegroundWindow(main->GetHandle());
    Pump();
    ASSERT_EQ(main->GetActiveMDIChild(), b);
    INPUT in[4] = {};
    for (INPUT& i : in) i.type = INPUT_KEYBOARD;
    in[0].ki.wVk = VK_CONTROL;
    in[1].ki.wVk = VK_F6;
    in[2].ki.wVk = VK_F6;
    in[2].ki.dwFlags = KEYEVENTF_KEYUP;
    in[3].ki.wVk = VK_CONTROL;
    in[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, in, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] { return main->GetActiveMDIChild() == a; }, GuiWaitMs));
}
