#include "test_gtest.h"
#include "gui_test_util.h"
#include "ActnList.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Menus.h"
#include "StdCtrls.h"

using namespace guitest;

namespace {

// Runs Action once, after Ms milliseconds, from inside whatever loop is running then.
struct Later {
    TTimer Timer;
    std::function<void()> Action;
    Later(UINT Ms, std::function<void()> A) : Timer(nullptr), Action(std::move(A))
    {
        Timer.SetInterval(Ms);
        Timer.OnTimer = [this](TObject*) {
            Timer.SetEnabled(false);
            Action();
        };
    }
};

void PostKey(HWND Wnd, WORD Key, bool Alt = false)
{
    LPARAM data = 1 | (Alt ? 0x20000000 : 0);
    PostMessageA(Wnd, Alt ? WM_SYSKEYDOWN : WM_KEYDOWN, Key, data);
    PostMessageA(Wnd, Alt ? WM_SYSKEYUP : WM_KEYUP, Key, data | 0xC0000000);
}

TEST(Forms, ShowModalReturnsModalResultDisablesOthersAndHides)
{
    TForm other(nullptr);
    other.SetBounds(10, 10, 200, 100);
    other.Show();
    TForm dlg(nullptr);
    dlg.SetBounds(100, 100, 200, 120);
    dlg.SetBorderStyle(bsDialog);
    int shows = 0;
    TCloseAction closeAction = caNone;
    bool otherDisabled = false;
    dlg.OnShow = [&](TObject*) { ++shows; };
    dlg.OnClose = [&](TObject*, TCloseAction& a) { closeAction = a; };
    Later later(50, [&] {
        otherDisabled = !IsWindowEnabled(other.GetHandle());
        dlg.SetModalResult(mrOk);
    });
    EXPECT_EQ(dlg.ShowModal(), mrOk);
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(closeAction, caHide);
    EXPECT_TRUE(otherDisabled);
    EXPECT_TRUE(IsWindowEnabled(other.GetHandle()));
    EXPECT_FALSE(IsWindowVisible(dlg.GetHandle()));
    EXPECT_FALSE(dlg.GetVisible());
    EXPECT_THROW({ dlg.Show(); dlg.ShowModal(); }, EInvalidOperation);
}

// A small dialog: an edit, OK (default) and Cancel.
struct Dialog {
    TForm Form;
    TEdit* Edit;
    TButton* Ok;
    TButton* Cancel;
    Dialog() : Form(nullptr)
    {
        Form.SetBounds(100, 100, 250, 120);
        Edit = new TEdit(&Form);
        Edit->SetParent(&Form);
        Edit->SetBounds(10, 10, 200, 21);
        Ok = new TButton(&Form);
        Ok->SetParent(&Form);
        Ok->SetCaption("&Apply");
        Ok->SetBounds(10, 50, 75, 25);
        Ok->SetDefault(true);
        Ok->SetModalResult(mrOk);
        Cancel = new TButton(&Form);
        Cancel->SetParent(&Form);
        Cancel->SetCaption("Cancel");
        Cancel->SetBounds(100, 50, 75, 25);
        Cancel->SetCancel(true);
        Cancel->SetModalResult(mrCancel);
        Form.SetActiveControl(Edit);
    }
};

TEST(Forms, DialogKeysPressDefaultAndCancelButtons)
{
    struct Case { WORD Key; bool Alt; int Expected; };
    const Case cases[] = {{VK_RETURN, false, mrOk}, {VK_ESCAPE, false, mrCancel}, {'A', true, mrOk}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Key);
        Dialog d;
        int okClicks = 0;
        d.Ok->OnClick = [&](TObject*) { ++okClicks; };
        Later later(50, [&] { PostKey(GetFocus(), c.Key, c.Alt); });
        Later guard(3000, [&] { d.Form.SetModalResult(-1); });
        if (c.Alt) {
            // Alt+A: the accelerator of "&Apply" arrives as a system character.
            later.Action = [&] { PostMessageA(GetFocus(), WM_SYSCHAR, 'a', 0x20000001); };
        }
        EXPECT_EQ(d.Form.ShowModal(), c.Expected);
        EXPECT_EQ(okClicks, c.Expected == mrOk ? 1 : 0);
    }
}

TEST(Forms, CloseQueryCanRefuse)
{
    Dialog d;
    int queries = 0;
    d.Form.OnCloseQuery = [&](TObject*, bool& can) { can = ++queries > 1; };
    Later first(30, [&] { d.Form.SetModalResult(mrOk); });
    Later second(150, [&] { d.Form.SetModalResult(mrCancel); });
    EXPECT_EQ(d.Form.ShowModal(), mrCancel);
    EXPECT_EQ(queries, 2);
}

TEST(Forms, EnterReachesAnEditWithoutDefaultButton)
{
    // The chat line: Enter in an edit with no default button is a key press of 13.
    Dialog chat;
    chat.Ok->SetDefault(false);
    std::string sent;
    chat.Edit->OnKeyPress = [&](TObject*, char& k) {
        if (k == '\r') {
            sent = chat.Edit->GetText();
            chat.Edit->Clear();
            k = 0;
        }
    };
    chat.Form.Show();
    chat.Edit->SetFocus();
    Pump(50);
    chat.Edit->SetText("hi");
    PostKey(chat.Edit->GetHandle(), VK_RETURN);
    PumpUntil([&] { return !sent.empty(); }, 1000);
    EXPECT_EQ(sent, "hi");
    EXPECT_EQ(chat.Edit->GetText(), "");
}

TEST(Forms, TabMovesFocusInTabOrderWithEnterAndExit)
{
    std::vector<std::string> log;
    TForm form(nullptr);
    form.SetBounds(100, 100, 300, 200);
    TEdit* edits[3];
    for (int i = 0; i < 3; ++i) {
        edits[i] = new TEdit(&form);
        edits[i]->SetParent(&form);
        edits[i]->SetBounds(10, 10 + 30 * i, 100, 21);
        std::string n = std::to_string(i);
        edits[i]->OnEnter = [&log, n](TObject*) { log.push_back("enter " + n); };
        edits[i]->OnExit = [&log, n](TObject*) { log.push_back("exit " + n); };
    }
    edits[2]->SetTabOrder(0);   // order now: 2, 0, 1
    form.Show();
    edits[2]->SetFocus();
    PumpUntil([&] { return edits[2]->Focused(); }, GuiWaitMs);
    log.clear();
    PostKey(edits[2]->GetHandle(), VK_TAB);
    PumpUntil([&] { return edits[0]->Focused(); }, GuiWaitMs);
    EXPECT_TRUE(edits[0]->Focused());
    EXPECT_EQ(form.GetActiveControl(), edits[0]);
    EXPECT_EQ(Screen->GetActiveControl(), edits[0]);
    EXPECT_EQ(Screen->GetActiveForm(), &form);
    EXPECT_EQ(log, (std::vector<std::string>{"exit 2", "enter 0"}));
    PostKey(edits[0]->GetHandle(), VK_TAB);
    PumpUntil([&] { return edits[1]->Focused(); }, GuiWaitMs);
    EXPECT_TRUE(edits[1]->Focused());

    // Key preview: the form sees the key first and may take it.
    int formKeys = 0, editKeys = 0;
    form.KeyPreview = true;
    form.OnKeyDown = [&](TObject*, WORD& k, TShiftState) {
        ++formKeys;
        if (k == VK_F5) k = 0;
    };
    edits[1]->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++editKeys; };
    PostKey(edits[1]->GetHandle(), VK_F5);
    PostKey(edits[1]->GetHandle(), VK_F6);
    PumpUntil([&] { return formKeys == 2; }, GuiWaitMs);
    EXPECT_EQ(formKeys, 2);
    EXPECT_EQ(editKeys, 1);

    // Freeing a focused control moves no focus events through the dying ones.
    log.clear();
    delete edits[1];
    Pump(20);
    EXPECT_EQ(log, std::vector<std::string>{});
}

TEST(Forms, ShortCutsRunFormHandlerMenuItemsAndActions)
{
    TForm form(nullptr);
    form.SetBounds(100, 100, 300, 200);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    auto* list = new TActionList(&form);
    auto* action = new TAction(&form);
    action->SetActionList(list);
    action->SetShortCut(TextToShortCut("Alt+V"));
    int executed = 0;
    action->OnExecute = [&](TObject*) { ++executed; };
    auto* menu = new TMainMenu(&form);
    auto* file = new TMenuItem(&form);
    file->SetCaption("&File");
    menu->GetItems()->Add(file);
    auto* exitItem = new TMenuItem(&form);
    exitItem->SetCaption("E&xit");
    exitItem->SetShortCut(ShortCut('X', ssAlt));
    int exits = 0;
    exitItem->OnClick = [&](TObject*) { ++exits; };
    file->Add(exitItem);
    form.SetMenu(menu);
    int formSeen = 0;
    form.OnShortCut = [&](TMessage& m, bool& handled) {
        ++formSeen;
        handled = m.WParam == 'Q';
    };
    form.Show();
    edit->SetFocus();
    Pump(50);
    HWND e = edit->GetHandle();
    PostKey(e, 'V', true);
    PostKey(e, 'X', true);
    PostKey(e, 'Q', true);
    PumpUntil([&] { return formSeen >= 3; }, GuiWaitMs);
    EXPECT_EQ(executed, 1);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(formSeen, 3);
    // A disabled action is not run by its key.
    action->SetEnabled(false);
    PostKey(e, 'V', true);
    Pump(50);
    EXPECT_EQ(executed, 1);
}

TEST(Forms, MainMenuHandleFollowsTheItems)
{
    EXPECT_EQ(ShortCutToText(ShortCut('S', ssCtrl)), "Ctrl+S");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F1, ssShift | ssCtrl)), "Shift+Ctrl+F1");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, ssAlt)), "Alt+Del");
    EXPECT_EQ(TextToShortCut("Shift+Ctrl+F1"), ShortCut(VK_F1, ssShift | ssCtrl));
    EXPECT_EQ(TextToShortCut("ctrl+q"), ShortCut('Q', ssCtrl));
    EXPECT_EQ(TextToShortCut("Nonsense"), 0);

    TForm form(nullptr);
    auto* menu = new TMainMenu(&form);
    auto* file = new TMenuItem(&form);
    file->SetCaption("File");
    auto* exitItem = new TMenuItem(&form);
    exitItem->SetCaption("Exit");
    exitItem->SetShortCut(ShortCut('Q', ssCtrl));
    int clicks = 0;
    exitItem->OnClick = [&](TObject*) { ++clicks; };
    file->Add(exitItem);
    menu->GetItems()->Add(file);
    form.SetMenu(menu);
    form.Show();
    HWND h = form.GetHandle();
    EXPECT_EQ(GetMenu(h), menu->GetHandle());
    char text[64] = "";
    GetMenuStringA(menu->GetHandle(), exitItem->GetCommand(), text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "Exit\tCtrl+Q");
    SendMessageA(h, WM_COMMAND, exitItem->GetCommand(), 0);
    EXPECT_EQ(clicks, 1);
    exitItem->SetCaption("Quit");
    exitItem->SetEnabled(false);
    GetMenuStringA(menu->GetHandle(), exitItem->GetCommand(), text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "Quit\tCtrl+Q");
    EXPECT_TRUE(GetMenuState(menu->GetHandle(), exitItem->GetCommand(), MF_BYCOMMAND) & MF_GRAYED);
    SendMessageA(h, WM_COMMAND, exitItem->GetCommand(), 0);
    EXPECT_EQ(clicks, 1);   // a disabled item does nothing
    auto* help = new TMenuItem(&form);
    help->SetCaption("Help");
    menu->GetItems()->Add(help);
    EXPECT_EQ(GetMenu(h), menu->GetHandle());
    EXPECT_EQ(GetMenuItemCount(GetMenu(h)), 2);
    delete menu;
    EXPECT_EQ(form.GetMenu(), nullptr);
    EXPECT_EQ(GetMenu(h), nullptr);
}

TEST(Forms, PopupMenusRunTheChosenItem)
{
    auto form = std::unique_ptr<TForm>(new TForm(nullptr));
    form->SetBounds(100, 100, 300, 200);
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    auto* menu = new TPopupMenu(form.get());
    auto* first = new TMenuItem(form.get());
    first->SetCaption("Copy");
    auto* second = new TMenuItem(form.get());
    second->SetCaption("Paste");
    menu->GetItems()->Add(first);
    menu->GetItems()->Add(second);
    int popups = 0;
    std::vector<std::string> chosen;
    menu->OnPopup = [&](TObject*) { ++popups; };
    first->OnClick = [&](TObject*) { chosen.push_back("copy"); };
    second->OnClick = [&](TObject*) { chosen.push_back("paste"); };
    panel->SetPopupMenu(menu);
    form->Show();
    // The menu's own loop runs the timer; the keys pick the second item.
    Later pick(100, [] {
        HWND w = GetFocus() ? GetFocus() : GetActiveWindow();
        for (WORD k : {VK_DOWN, VK_DOWN, VK_RETURN}) PostKey(w, k);
    });
    HWND p = panel->GetHandle();
    TPoint at = panel->ClientToScreen(TPoint(5, 5));
    SendMessageA(p, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(p), PointToLParam(at.x, at.y));
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(chosen, std::vector<std::string>{"paste"});
    EXPECT_EQ(menu->GetPopupComponent(), panel);
}

TEST(Forms, BorderStyleIconsAndFormStyleMakeTheWindowStyle)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsSingle);
    form.SetBorderIcons(biSystemMenu);
    form.SetFormStyle(fsStayOnTop);
    form.Show();
    LONG style = GetWindowLongA(form.GetHandle(), GWL_STYLE);
    LONG ex = GetWindowLongA(form.GetHandle(), GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    form.SetBorderStyle(bsDialog);
    ex = GetWindowLongA(form.GetHandle(), GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_DLGMODALFRAME);
    form.SetWindowState(wsMaximized);
    EXPECT_EQ(form.GetWindowState(), wsMaximized);
    form.SetWindowState(wsNormal);
    EXPECT_EQ(form.GetWindowState(), wsNormal);
}

// A form with data of its own that its OnDestroy uses.
struct DataForm : TForm {
    explicit DataForm(TComponent* o, std::vector<std::string>* log) : TForm(o), Log(log)
    {
        OnCreate = [this](TObject*) { Log->push_back("create " + Name); };
        OnDestroy = [this](TObject*) { Log->push_back("destroy " + Name); };
    }
    std::vector<std::string>* Log;
    std::string Name = "data";
};

TEST(Forms, CreateAndDestroyEventsSeeTheWholeForm)
{
    std::vector<std::string> log;
    auto* f = new DataForm(nullptr, &log);
    f->AfterConstruction();
    f->AfterConstruction();
    f->Free();
    EXPECT_EQ(log, (std::vector<std::string>{"create data", "destroy data"}));
    // Owned forms get the same when their owner frees them.
    log.clear();
    {
        TComponent owner(nullptr);
        auto* g = new DataForm(&owner, &log);
        g->Name = "owned";
        g->Show();
    }
    EXPECT_EQ(log, (std::vector<std::string>{"create owned", "destroy owned"}));
    // Close with caFree releases the form after the message.
    log.clear();
    auto* h = new DataForm(nullptr, &log);
    h->Name = "released";
    h->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
    h->Show();
    h->Close();
    PumpUntil([&] { return log.size() == 2; }, GuiWaitMs);
    EXPECT_EQ(log.back(), "destroy released");
}

TEST(Forms, ScreenKnowsFormsMonitorsAndCentresForms)
{
    int before = Screen->GetFormCount();
    TForm form(nullptr);
    EXPECT_EQ(Screen->GetFormCount(), before + 1);
    form.SetBounds(0, 0, 200, 100);
    form.SetPosition(poScreenCenter);
    form.Show();
    EXPECT_EQ(form.GetLeft(), (Screen->GetWidth() - 200) / 2);
    EXPECT_EQ(form.GetTop(), (Screen->GetHeight() - 100) / 2);
    EXPECT_GE(Screen->GetMonitorCount(), 1);
    TMonitor* m = Screen->MonitorFromWindow(form.GetHandle());
    ASSERT_NE(m, nullptr);
    EXPECT_GT(m->GetWorkareaRect().Width(), 0);
    EXPECT_GT(Screen->GetWorkAreaHeight(), 0);
    EXPECT_NE(Screen->GetCursors(crHourGlass), nullptr);
    EXPECT_NE(Screen->GetCursors(crDefault), Screen->GetCursors(crHourGlass));
    // Client size without a window counts the frame the window will have.
    TForm sized(nullptr);
    sized.SetBorderStyle(bsSingle);
    sized.SetClientSize(738, 313);
    sized.Show();
    RECT cr;
    GetClientRect(sized.GetHandle(), &cr);
    EXPECT_EQ(cr.right, 738);
    EXPECT_EQ(cr.bottom, 313);
}

TEST(Forms, FormHostedInAForeignWindow)
{
    // The container's window (as an ActiveX host gives one).
    HWND host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 20, 20, 400, 300, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(host, nullptr);
    {
        TForm form(nullptr, host);
        form.SetBounds(0, 0, 300, 200);
        auto* edit = new TEdit(&form);
        edit->SetParent(&form);
        auto* timer = new TTimer(&form);
        int ticks = 0;
        timer->SetInterval(20);
        timer->OnTimer = [&](TObject*) { ++ticks; };
        form.Show();
        HWND h = form.GetHandle();
        EXPECT_EQ(GetParent(h), host);
        EXPECT_TRUE(GetWindowLongA(h, GWL_STYLE) & WS_CHILD);
        EXPECT_TRUE(IsWindowVisible(h));
        EXPECT_EQ(GetParent(edit->GetHandle()), h);
        // A message box's own loop runs the timer too.
        PumpUntil([&] { return ticks >= 2; }, GuiWaitMs);
        EXPECT_GE(ticks, 2);
    }
    DestroyWindow(host);
}

BOOL CALLBACK FindMessageBox(HWND Wnd, LPARAM Data)
{
    char cls[32] = "";
    GetClassNameA(Wnd, cls, sizeof(cls));
    if (lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(Wnd)) {
        *reinterpret_cast<HWND*>(Data) = Wnd;
        return FALSE;
    }
    return TRUE;
}

TEST(Dialogs, InputQueryAndMessageDlg)
{
    std::string value = "old";
    Later typeAndEnter(100, [] {
        TCustomForm* f = Screen->GetActiveForm();
        auto* e = f ? dynamic_cast<TEdit*>(f->GetActiveControl()) : nullptr;
        if (!e) return;
        e->SetText("secret");
        PostKey(e->GetHandle(), VK_RETURN);
    });
    EXPECT_TRUE(InputQuery("Access", "Please enter Admin Password", value));
    EXPECT_EQ(value, "secret");

    Later escape(100, [] { PostKey(GetFocus(), VK_ESCAPE); });
    EXPECT_EQ(InputBox("Access", "Please enter Admin Password", ""), "");

    Later yes(100, [] {
        HWND box = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindMessageBox, reinterpret_cast<LPARAM>(&box));
        if (box) PostMessageA(box, WM_COMMAND, IDYES, 0);
    });
    EXPECT_EQ(MessageDlg("Stop the broadcast?", mtConfirmation, mbYes | mbNo), mrYes);
}

TEST(Dialogs, SaveDialogReturnsTheChosenFile)
{
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    std::string want = IncludeTrailingPathDelimiter(tmp) + "record1.str";
    TSaveDialog dlg(nullptr);
    dlg.Filter = "Audio Video|*.str";
    dlg.DefaultExt = "str";
    dlg.FileName = want;
    dlg.Title = "Start Record";
    std::string title;
    Later ok(300, [&] {
        HWND box = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindMessageBox, reinterpret_cast<LPARAM>(&box));
        if (!box) return;
        char t[64] = "";
        GetWindowTextA(box, t, sizeof(t));
        title = t;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    ASSERT_TRUE(dlg.Execute());
    EXPECT_EQ(title, "Start Record");
    EXPECT_TRUE(SameText(dlg.FileName, want));
    EXPECT_EQ(dlg.FilterIndex, 1);
    Later cancel(300, [&] {
        HWND box = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindMessageBox, reinterpret_cast<LPARAM>(&box));
        if (box) PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    });
    TOpenDialog open(nullptr);
    open.FileName = "unchanged";
    EXPECT_FALSE(open.Execute());
    EXPECT_EQ(open.FileName, "unchanged");
}

} // namespace
