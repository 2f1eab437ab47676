#include "test_gtest.h"
#include "gui_test_util.h"
#include "ActnList.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Menus.h"
#include "StdCtrls.h"
#include "ControlCanvas.h"
#include "GdiHandles.h"
#include <memory>
#include <vector>

using namespace guitest;

namespace {

// A window-less control that fills itself with one colour and logs the library's messages.
struct ColorBlock : TGraphicControl {
    ColorBlock(TComponent* owner, TColor c) : TGraphicControl(owner), Fill(c) { FControlStyle |= csOpaque; }
    TColor Fill;
    int Paints = 0;
    std::vector<std::string>* Log = nullptr;
    std::string Tag;
    void Paint() override
    {
        ++Paints;
        GetCanvas()->GetBrush()->SetColor(Fill);
        GetCanvas()->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
    }
protected:
    void CMMouseEnter(TMessage& m) override
    {
        TGraphicControl::CMMouseEnter(m);
        if (Log) Log->push_back(Tag + " enter");
    }
    void CMMouseLeave(TMessage& m) override
    {
        TGraphicControl::CMMouseLeave(m);
        if (Log) Log->push_back(Tag + " leave");
    }
    void CMEnabledChanged(TMessage& m) override
    {
        TGraphicControl::CMEnabledChanged(m);
        if (Log) Log->push_back(Tag + " enabled");
    }
};

struct LoggingPanel : TPanel {
    explicit LoggingPanel(TComponent* owner) : TPanel(owner) {}
    std::vector<std::string>* Log = nullptr;
    std::string Tag;
protected:
    void CMEnabledChanged(TMessage& m) override
    {
        TPanel::CMEnabledChanged(m);
        if (Log) Log->push_back(Tag + " enabled");
    }
};

// A form placed on screen at a known spot, without a frame.
std::unique_ptr<TForm> ShownForm(int w = 300, int h = 200)
{
    std::unique_ptr<TForm> f(new TForm(nullptr));
    f->SetBorderStyle(bsNone);
    f->SetBounds(50, 50, w, h);
    f->SetColor(clWhite);
    return f;
}

TEST(Controls, OwnerFreesOwnedAndReferencesClearInEitherOrder)
{
    // A popup menu and an action referenced by a control, freed before and after it.
    for (int order = 0; order < 2; ++order) {
        SCOPED_TRACE(order);
        TComponent owner(nullptr);
        auto* button = new TButton(&owner);
        auto* menu = new TPopupMenu(&owner);
        auto* action = new TAction(&owner);
        button->SetPopupMenu(menu);
        button->SetAction(action);
        EXPECT_EQ(action->ClientCount(), 1);
        if (order == 0) {
            delete menu;
            delete action;
            EXPECT_EQ(button->GetPopupMenu(), nullptr);
            EXPECT_EQ(button->GetAction(), nullptr);
            delete button;
        } else {
            delete button;
            EXPECT_EQ(action->ClientCount(), 0);
            delete menu;
            delete action;
        }
        EXPECT_EQ(owner.GetComponentCount(), 0);
    }
    // A parent frees the children that nobody owns; a child freed first leaves its parent.
    auto* panel = new TPanel(nullptr);
    auto* a = new ColorBlock(nullptr, clRed);
    auto* b = new ColorBlock(nullptr, clBlue);
    a->SetParent(panel);
    b->SetParent(panel);
    delete a;
    EXPECT_EQ(panel->GetControlCount(), 1);
    delete panel;   // frees b
}

struct AlignCase {
    const char* Name;
    std::vector<std::pair<TAlign, TRect>> Children;   // align and designed bounds
    std::vector<TRect> Expected;
};

TEST(Controls, AlignmentTable)
{
    // Parent client area 200 x 100; the children are placed as a form's set-up
    // places them (alignment held until all are in), so their designed
    // positions decide the order within each side.
    const std::vector<AlignCase> cases = {
        {"top stack by top", {{alTop, Bounds(0, 50, 10, 10)}, {alTop, Bounds(0, 5, 10, 20)}},
         {Bounds(0, 20, 200, 10), Bounds(0, 0, 200, 20)}},
        {"bottom stack", {{alBottom, Bounds(0, 90, 10, 10)}, {alBottom, Bounds(0, 0, 10, 15)}},
         {Bounds(0, 90, 200, 10), Bounds(0, 75, 200, 15)}},
        {"sides and client",
         {{alLeft, Bounds(0, 0, 30, 5)}, {alRight, Bounds(0, 0, 40, 5)}, {alTop, Bounds(0, 0, 5, 10)},
          {alClient, Bounds(0, 0, 5, 5)}, {alBottom, Bounds(0, 0, 5, 12)}},
         {Bounds(0, 10, 30, 78), Bounds(160, 10, 40, 78), Bounds(0, 0, 200, 10), Bounds(30, 10, 130, 78),
          Bounds(0, 88, 200, 12)}},
        {"left stack by left", {{alLeft, Bounds(100, 0, 20, 5)}, {alLeft, Bounds(10, 0, 30, 5)}},
         {Bounds(30, 0, 20, 100), Bounds(0, 0, 30, 100)}},
        {"right stack", {{alRight, Bounds(150, 0, 20, 5)}, {alRight, Bounds(190, 0, 30, 5)}},
         {Bounds(150, 0, 20, 100), Bounds(170, 0, 30, 100)}},
        {"unaligned stays", {{alNone, Bounds(7, 8, 9, 10)}, {alClient, Bounds(0, 0, 1, 1)}},
         {Bounds(7, 8, 9, 10), Bounds(0, 0, 200, 100)}},
    };
    for (const AlignCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TPanel parent(nullptr);
        parent.SetBevelOuter(bvNone);
        parent.SetBounds(0, 0, 200, 100);
        std::vector<TControl*> kids;
        parent.DisableAlign();
        for (auto& k : c.Children) {
            auto* ctl = new ColorBlock(&parent, clRed);
            ctl->SetBoundsRect(k.second);
            ctl->SetAlign(k.first);
            ctl->SetParent(&parent);
            kids.push_back(ctl);
        }
        parent.EnableAlign();
        for (size_t i = 0; i < kids.size(); ++i) EXPECT_EQ(kids[i]->GetBoundsRect(), c.Expected[i]) << "child " << i;
    }
}

TEST(Controls, AControlAlignedLaterGoesBeforeOnesAtTheSamePlace)
{
    TPanel parent(nullptr);
    parent.SetBevelOuter(bvNone);
    parent.SetBounds(0, 0, 200, 100);
    auto* first = new ColorBlock(&parent, clRed);
    first->SetHeight(10);
    first->SetAlign(alTop);
    first->SetParent(&parent);
    auto* second = new ColorBlock(&parent, clRed);
    second->SetBounds(0, 50, 10, 20);
    second->SetAlign(alTop);
    second->SetParent(&parent);
    // The one being aligned keeps its place unless another lies above it.
    EXPECT_EQ(first->GetBoundsRect(), Bounds(0, 0, 200, 10));
    EXPECT_EQ(second->GetBoundsRect(), Bounds(0, 10, 200, 20));
    second->SetTop(0);
    EXPECT_EQ(second->GetBoundsRect(), Bounds(0, 0, 200, 20));
    EXPECT_EQ(first->GetBoundsRect(), Bounds(0, 20, 200, 10));
}

TEST(Controls, HiddenChildrenBevelsAndDisabledAlignment)
{
    TPanel parent(nullptr);
    parent.SetBounds(0, 0, 200, 100);
    parent.SetBevelOuter(bvRaised);
    parent.SetBevelWidth(2);
    parent.SetBorderWidth(3);
    TRect r = parent.GetClientRect();
    parent.AdjustClientRect(r);
    EXPECT_EQ(r, Bounds(5, 5, 190, 90));

    auto* top = new ColorBlock(&parent, clRed);
    top->SetHeight(20);
    top->SetAlign(alTop);
    top->SetParent(&parent);
    auto* client = new ColorBlock(&parent, clBlue);
    client->SetAlign(alClient);
    client->SetParent(&parent);
    EXPECT_EQ(client->GetBoundsRect(), Bounds(5, 25, 190, 70));
    top->SetVisible(false);
    EXPECT_EQ(client->GetBoundsRect(), Bounds(5, 5, 190, 90));

    parent.DisableAlign();
    top->SetVisible(true);
    EXPECT_EQ(client->GetBoundsRect(), Bounds(5, 5, 190, 90));
    EXPECT_TRUE(parent.GetControlState() & csAlignmentNeeded);
    parent.EnableAlign();
    EXPECT_EQ(client->GetBoundsRect(), Bounds(5, 25, 190, 70));

    // Anchored to the right and bottom: keeps its distances when the parent grows.
    auto* corner = new ColorBlock(&parent, clGreen);
    corner->SetParent(&parent);
    corner->SetBounds(150, 60, 20, 10);
    corner->SetAnchors(akRight | akBottom);
    auto* stretch = new ColorBlock(&parent, clGreen);
    stretch->SetParent(&parent);
    stretch->SetBounds(10, 80, 100, 5);
    stretch->SetAnchors(akLeft | akRight | akTop);
    parent.SetBounds(0, 0, 300, 150);
    EXPECT_EQ(corner->GetBoundsRect(), Bounds(250, 110, 20, 10));
    EXPECT_EQ(stretch->GetBoundsRect(), Bounds(10, 80, 200, 5));
}

TEST(Controls, WindowlessChildIsPaintedOnItsParent)
{
    auto form = ShownForm(200, 150);
    auto* block = new ColorBlock(form.get(), clRed);
    block->SetBounds(20, 30, 50, 40);
    block->SetParent(form.get());
    auto* hidden = new ColorBlock(form.get(), clBlue);
    hidden->SetBounds(100, 30, 50, 40);
    hidden->SetVisible(false);
    hidden->SetParent(form.get());
    form->Show();
    Pump(100);
    form->Update();
    HWND h = form->GetHandle();
    EXPECT_EQ(ScreenPixel(h, 25, 35), RGB(255, 0, 0));
    EXPECT_EQ(ScreenPixel(h, 10, 10), RGB(255, 255, 255));
    EXPECT_EQ(ScreenPixel(h, 110, 40), RGB(255, 255, 255));
    EXPECT_GT(block->Paints, 0);
    EXPECT_EQ(hidden->Paints, 0);

    // Moved: the old place is repainted by the parent, the new one by the child.
    block->SetLeft(120);
    form->Update();
    EXPECT_EQ(ScreenPixel(h, 25, 35), RGB(255, 255, 255));
    EXPECT_EQ(ScreenPixel(h, 125, 35), RGB(255, 0, 0));

    // PaintTo captures the form and its children into any DC.
    TBitmap shot(200, 150, pf24bit);
    form->PaintTo(shot.GetCanvas(), 0, 0);
    EXPECT_EQ(shot.GetCanvas()->GetPixel(125, 35), clRed);
    EXPECT_EQ(shot.GetCanvas()->GetPixel(10, 10), clWhite);
}

// Paints at once on Invalidate, from whatever thread calls it (as the video panel does).
struct DirectPanel : ColorBlock {
    DirectPanel(TComponent* o, TColor c) : ColorBlock(o, c) {}
    void Invalidate() override { Paint(); }
};

struct RepaintThread : TThread {
    DirectPanel* Panel;
    int Count;
    explicit RepaintThread(DirectPanel* p, int n) : TThread(true), Panel(p), Count(n) {}
    void Execute() override
    {
        for (int i = 0; i < Count; ++i) Panel->Invalidate();
    }
};

TEST(Controls, WindowlessChildRepaintedFromAnotherThread)
{
    auto form = ShownForm(200, 150);
    auto* panel = new DirectPanel(form.get(), clRed);
    panel->SetBounds(40, 40, 60, 50);
    panel->SetParent(form.get());
    form->Show();
    Pump(100);
    form->Update();
    HWND h = form->GetHandle();
    ASSERT_EQ(ScreenPixel(h, 50, 50), RGB(255, 0, 0));
    panel->Fill = clBlue;
    RepaintThread t(panel, 20);
    t.Resume();
    // The GUI thread keeps painting the form meanwhile.
    DWORD start = GetTickCount();
    while (WaitForSingleObject(t.Handle(), 0) == WAIT_TIMEOUT && GetTickCount() - start < 5000) {
        form->Repaint();
        Application->ProcessMessages();
    }
    t.WaitFor();
    EXPECT_EQ(ScreenPixel(h, 50, 50), RGB(0, 0, 255));
    EXPECT_EQ(ScreenPixel(h, 10, 10), RGB(255, 255, 255));
    // Moved after a worker thread painted it: the worker's next paint lands at the new place.
    panel->SetLeft(120);
    panel->Fill = clLime;
    RepaintThread t2(panel, 1);
    t2.Resume();
    t2.WaitFor();
    form->Update();
    EXPECT_EQ(ScreenPixel(h, 130, 50), RGB(0, 255, 0));
}

TEST(Controls, ParentImageThroughTheMessageDC)
{
    // What a control under which the parent shows through does: the parent
    // paints itself and the window-less controls into a DC handed in the messages.
    auto form = ShownForm(200, 150);
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(10, 10, 150, 100);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clYellow);
    auto* block = new ColorBlock(form.get(), clRed);
    block->SetParent(panel);
    block->SetBounds(10, 10, 20, 20);
    form->Show();
    TBitmap image(150, 100, pf24bit);
    HDC dc = image.GetCanvas()->GetHandle();
    panel->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
    panel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(image.GetCanvas()->GetPixel(5, 5), clYellow);
    EXPECT_EQ(image.GetCanvas()->GetPixel(15, 15), clRed);
}

TEST(Controls, SplitterResizesItsNeighbourAndScrollBoxScrolls)
{
    auto form = ShownForm(300, 200);
    auto* left = new TPanel(form.get());
    left->SetParent(form.get());
    left->SetWidth(100);
    left->SetAlign(alLeft);
    auto* splitter = new TSplitter(form.get());
    splitter->SetParent(form.get());
    splitter->SetLeft(100);
    splitter->SetAlign(alLeft);
    auto* rest = new TPanel(form.get());
    rest->SetParent(form.get());
    rest->SetAlign(alClient);
    form->Show();
    ASSERT_EQ(splitter->GetLeft(), 100);
    HWND f = form->GetHandle();
    SendMessageA(f, WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(101, 50));
    SendMessageA(f, WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(151, 50));
    SendMessageA(f, WM_LBUTTONUP, 0, PointToLParam(151, 50));
    EXPECT_EQ(left->GetWidth(), 150);
    EXPECT_EQ(splitter->GetLeft(), 150);
    EXPECT_EQ(rest->GetLeft(), 153);

    auto* box = new TScrollBox(form.get());
    box->SetParent(rest);
    box->SetBounds(0, 0, 100, 100);
    auto* distant = new TPanel(form.get());
    distant->SetParent(box);
    distant->SetBounds(0, 300, 50, 20);
    EXPECT_EQ(box->GetVertScrollBar()->GetRange(), 320);
    EXPECT_TRUE(box->GetVertScrollBar()->IsScrollBarVisible());
    // The position stops where the last child's bottom meets the client's.
    box->GetVertScrollBar()->SetPosition(1000);
    int pos = box->GetVertScrollBar()->GetPosition();
    EXPECT_EQ(pos, 320 - box->GetClientHeight());
    EXPECT_EQ(distant->GetTop(), 300 - pos);
    box->GetVertScrollBar()->SetPosition(0);
    EXPECT_EQ(distant->GetTop(), 300);
    box->ScrollInView(distant);
    EXPECT_EQ(distant->GetTop() + distant->GetHeight() <= box->GetClientHeight(), true);
}

TEST(Controls, WindowProcCanBeReplacedAndMessagesReachHandlers)
{
    TPanel panel(nullptr);
    std::vector<UINT> seen;
    TWndMethod old = panel.WindowProc;
    panel.WindowProc = [&](TMessage& m) {
        seen.push_back(m.Msg);
        if (m.Msg == WM_USER + 7) {
            m.Result = 42;
            return;
        }
        old(m);
    };
    EXPECT_EQ(panel.Perform(WM_USER + 7, 0, 0), 42);
    panel.SetCaption("text");
    EXPECT_EQ(panel.GetCaption(), "text");
    EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_SETTEXT)), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), CM_TEXTCHANGED), seen.end());
    panel.WindowProc = old;
}

TEST(Controls, EnabledChangeReachesChildren)
{
    std::vector<std::string> log;
    TPanel outer(nullptr);
    auto* inner = new LoggingPanel(&outer);
    inner->Log = &log;
    inner->Tag = "inner";
    inner->SetParent(&outer);
    auto* block = new ColorBlock(&outer, clRed);
    block->Log = &log;
    block->Tag = "block";
    block->SetParent(inner);
    outer.SetEnabled(false);
    EXPECT_NE(std::find(log.begin(), log.end(), "inner enabled"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "block enabled"), log.end());
    EXPECT_TRUE(block->GetEnabled());
    EXPECT_FALSE(block->IsEnabled());
    outer.SetEnabled(true);
    EXPECT_TRUE(block->IsEnabled());
}

TEST(Controls, MouseEnterAndLeaveAlsoWhileCaptured)
{
    std::vector<std::string> log;
    auto form = ShownForm(300, 200);
    auto* a = new ColorBlock(form.get(), clRed);
    a->SetBounds(10, 10, 80, 80);
    a->Tag = "a";
    a->Log = &log;
    a->SetParent(form.get());
    auto* b = new ColorBlock(form.get(), clBlue);
    b->SetBounds(150, 10, 80, 80);
    b->Tag = "b";
    b->Log = &log;
    b->SetParent(form.get());
    form->Show();
    Pump(100);
    auto moveTo = [&](int x, int y) {
        TPoint p = form->ClientToScreen(TPoint(x, y));
        SetCursorPos(p.x, p.y);
        // The control under the mouse is found from the cursor's position.
        PumpUntil(
            [&] {
                POINT at;
                return GetCursorPos(&at) && at.x == p.x && at.y == p.y;
            },
            GuiWaitMs);
        UpdateMouseControl();
    };
    moveTo(250, 150);
    log.clear();
    moveTo(30, 30);
    moveTo(170, 30);
    EXPECT_EQ(log, (std::vector<std::string>{"a enter", "a leave", "b enter"}));
    EXPECT_EQ(GetMouseControl(), b);

    // While a holds the capture only a hears of the mouse: leaving it, and coming back.
    moveTo(30, 30);
    log.clear();
    a->SetMouseCapture(true);
    moveTo(170, 30);
    moveTo(40, 40);
    moveTo(170, 30);
    EXPECT_EQ(log, (std::vector<std::string>{"a leave", "a enter", "a leave"}));
    a->SetMouseCapture(false);
    moveTo(172, 32);
    EXPECT_EQ(log.back(), "b enter");
    moveTo(250, 150);
    EXPECT_EQ(GetMouseControl(), form.get());
}

TEST(Controls, ClicksAreMadeFromPressAndRelease)
{
    auto form = ShownForm(300, 200);
    auto* panel = new TPanel(form.get());
    panel->SetBounds(10, 10, 100, 50);
    panel->SetParent(form.get());
    auto* block = new ColorBlock(form.get(), clRed);
    block->SetBounds(150, 10, 50, 50);
    block->SetParent(form.get());
    int clicks = 0, dbl = 0, blockClicks = 0, downs = 0;
    panel->OnClick = [&](TObject*) { ++clicks; };
    panel->OnDblClick = [&](TObject*) { ++dbl; };
    panel->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState, int x, int y) {
        if (b == mbLeft && x == 5 && y == 6) ++downs;
    };
    block->OnClick = [&](TObject*) { ++blockClicks; };
    form->Show();
    Pump(50);
    HWND p = panel->GetHandle();
    SendMessageA(p, WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 6));
    SendMessageA(p, WM_LBUTTONUP, 0, PointToLParam(5, 6));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(downs, 1);
    // Released outside: no click.
    SendMessageA(p, WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 6));
    SendMessageA(p, WM_LBUTTONUP, 0, PointToLParam(500, 6));
    EXPECT_EQ(clicks, 1);
    SendMessageA(p, WM_LBUTTONDBLCLK, MK_LBUTTON, PointToLParam(5, 6));
    SendMessageA(p, WM_LBUTTONUP, 0, PointToLParam(5, 6));
    EXPECT_EQ(dbl, 1);
    // A window-less control gets its mouse through the parent's window.
    HWND f = form->GetHandle();
    SendMessageA(f, WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(160, 20));
    EXPECT_TRUE(block->GetMouseCapture());
    SendMessageA(f, WM_LBUTTONUP, 0, PointToLParam(160, 20));
    EXPECT_EQ(blockClicks, 1);
    EXPECT_FALSE(block->GetMouseCapture());
}

TEST(Controls, ExceptionsInHandlersGoToTheApplication)
{
    auto form = ShownForm();
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->OnClick = [](TObject*) { throw EConvertError("'x' is not a valid integer value"); };
    std::string reported;
    TExceptionEvent saved = Application->OnException;
    Application->OnException = [&](TObject*, const Exception& e) { reported = e.Message(); };
    form->Show();
    HWND p = panel->GetHandle();
    SendMessageA(p, WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 5));
    SendMessageA(p, WM_LBUTTONUP, 0, PointToLParam(5, 5));
    Application->OnException = saved;
    EXPECT_EQ(reported, "'x' is not a valid integer value");
    EXPECT_TRUE(IsWindow(p));
}

// A control whose painting fails.
struct FailingPaint : TCustomControl {
    explicit FailingPaint(TComponent* owner) : TCustomControl(owner) {}
    int Paints = 0;
    bool PaintingFlagSeen = false;
    void Paint() override
    {
        ++Paints;
        PaintingFlagSeen = (GetControlState() & csCustomPaint) != 0;
        GetCanvas()->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
        throw Exception("paint failed");
    }
};

TEST(Controls, FailedPaintingLeavesTheControlAsItWas)
{
    auto form = ShownForm();
    auto* c = new FailingPaint(form.get());
    c->SetParent(form.get());
    c->SetBounds(10, 10, 50, 50);
    std::vector<std::string> reported;
    TExceptionEvent saved = Application->OnException;
    Application->OnException = [&](TObject*, const Exception& e) { reported.push_back(e.Message()); };
    form->Show();
    InvalidateRect(c->GetHandle(), nullptr, TRUE);
    UpdateWindow(c->GetHandle());
    Application->OnException = saved;
    ASSERT_GE(c->Paints, 1);
    EXPECT_TRUE(c->PaintingFlagSeen);
    EXPECT_EQ(reported.front(), "paint failed");
    EXPECT_EQ(c->GetControlState() & csCustomPaint, 0u);

    // The paint-message scopes nest: each gives the canvas back to what it drew on before.
    auto* canvas = dynamic_cast<TControlCanvas*>(c->GetCanvas());
    ASSERT_NE(canvas, nullptr);
    TMemoryDC outerDC, innerDC;
    {
        TPaintDCScope outer(*canvas, outerDC.Get());
        EXPECT_EQ(canvas->GetHandle(), outerDC.Get());
        try {
            TPaintDCScope inner(*canvas, innerDC.Get());
            EXPECT_EQ(canvas->GetHandle(), innerDC.Get());
            throw Exception("inner paint failed");
        } catch (const Exception&) {
        }
        EXPECT_EQ(canvas->GetHandle(), outerDC.Get());
    }
    // Outside a paint message the canvas draws on a DC of its own window again.
    HDC own = canvas->GetHandle();
    EXPECT_NE(own, nullptr);
    EXPECT_NE(own, outerDC.Get());
    EXPECT_NE(own, innerDC.Get());
}

TEST(Controls, RecreateWndKeepsState)
{
    auto form = ShownForm(400, 300);
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    auto* memo = new TMemo(form.get());
    memo->SetParent(form.get());
    memo->SetTop(30);
    auto* check = new TCheckBox(form.get());
    check->SetParent(form.get());
    check->SetTop(130);
    auto* combo = new TComboBox(form.get());
    combo->SetParent(form.get());
    combo->SetTop(160);
    auto* list = new TListBox(form.get());
    list->SetParent(form.get());
    list->SetBounds(200, 0, 100, 80);
    auto* view = new TListView(form.get());
    view->SetParent(form.get());
    view->SetViewStyle(vsReport);
    view->SetBounds(200, 100, 150, 100);
    form->Show();
    Pump(50);

    edit->SetText("chat line");
    edit->SetMaxLength(20);
    memo->GetLines()->Add("first");
    memo->GetLines()->Add("second");
    check->SetChecked(true);
    combo->GetItems()->Add("160x120");
    combo->GetItems()->Add("320x240");
    combo->SetItemIndex(1);
    list->GetItems()->Add("a");
    list->GetItems()->Add("b");
    list->SetItemIndex(1);
    view->GetColumns()->Add()->SetCaption("IP");
    view->GetItems()->Add()->SetCaption("10.0.0.1");
    view->GetItems()->Add()->SetCaption("10.0.0.2");
    view->GetItems()->GetItem(1)->SetSelected(true);
    HWND oldForm = form->GetHandle(), oldEdit = edit->GetHandle();

    // A style change makes the whole form's windows again.
    form->SetBorderStyle(bsSingle);
    EXPECT_NE(form->GetHandle(), oldForm);
    EXPECT_NE(edit->GetHandle(), oldEdit);
    EXPECT_FALSE(IsWindow(oldEdit));
    EXPECT_TRUE(IsWindowVisible(form->GetHandle()));
    EXPECT_EQ(edit->GetText(), "chat line");
    EXPECT_EQ(SendMessageA(edit->GetHandle(), EM_GETLIMITTEXT, 0, 0), 20);
    EXPECT_EQ(memo->GetLines()->GetCount(), 2);
    EXPECT_EQ(memo->GetLines()->Get(1), "second");
    EXPECT_TRUE(check->GetChecked());
    EXPECT_EQ(SendMessageA(check->GetHandle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(combo->GetItems()->GetCount(), 2);
    EXPECT_EQ(combo->GetItemIndex(), 1);
    EXPECT_EQ(combo->GetText(), "320x240");
    EXPECT_EQ(list->GetItems()->Get(0), "a");
    EXPECT_EQ(list->GetItemIndex(), 1);
    EXPECT_EQ(view->GetItems()->GetCount(), 2);
    EXPECT_EQ(view->GetItemIndex(), 1);
    EXPECT_EQ(view->GetColumns()->GetItem(0)->GetCaption(), "IP");
}

} // namespace
