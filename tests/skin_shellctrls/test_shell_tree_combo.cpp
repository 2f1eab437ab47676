#include "test_gtest.h"
#include "Form.h"
#include "ShellCtrls.h"
#include "ShellContextMenu.h"
#include "Application.h"
#include "ImgList.h"
#include "SysUtils.h"
#include "TempTree.h"
#include "WaitUntil.h"
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace Spskinshellctrls;

namespace {

TspShellFolder* FolderOf(TTreeNode* N) { return N ? static_cast<TspShellFolder*>(N->Data) : nullptr; }

TTreeNode* Child(TTreeNode* N, const std::string& Name)
{
    for (int i = 0; N && i < N->GetCount(); ++i)
        if (N->GetItem(i)->GetText() == Name) return N->GetItem(i);
    return nullptr;
}

struct Trio {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinDirTreeView* Tree;
    TspSkinFileListView* List;
    TspSkinShellComboBox* Combo;
    Trio()
    {
        Form->SetBounds(20, 20, 600, 320);
        Combo = new TspSkinShellComboBox(Form.get());
        Combo->SetParent(Form.get());
        Combo->SetBounds(5, 5, 590, 22);
        Tree = new TspSkinDirTreeView(Form.get());
        Tree->SetParent(Form.get());
        Tree->SetBounds(5, 30, 200, 280);
        List = new TspSkinFileListView(Form.get());
        List->SetParent(Form.get());
        List->SetBounds(210, 30, 385, 280);
        Combo->HandleNeeded();
        Tree->HandleNeeded();
        List->HandleNeeded();
    }
};

// Real input, as the system delivers it: a move to a screen point with buttons.
void MouseAt(POINT P, DWORD Buttons)
{
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = (P.x * 65535) / (sw - 1);
    in.mi.dy = (P.y * 65535) / (sh - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | Buttons;
    SendInput(1, &in, sizeof(INPUT));
}

// What the thread timer saw while the shell menu's loop ran.
struct {
    TspSkinDirTreeView* Tree = nullptr;
    bool Menu = false;
    std::string SelectedPath;
    int Ticks = 0;
} Seen;

BOOL CALLBACK FindMenuWindow(HWND Wnd, LPARAM Found)
{
    char cls[16] = {};
    GetClassNameA(Wnd, cls, sizeof cls);
    if (IsWindowVisible(Wnd) && lstrcmpA(cls, "#32768") == 0) *reinterpret_cast<bool*>(Found) = true;
    return TRUE;
}

void CALLBACK WatchMenu(HWND, UINT, UINT_PTR Id, DWORD)
{
    bool shown = false;
    EnumWindows(FindMenuWindow, reinterpret_cast<LPARAM>(&shown));
    if (shown && CurrentContextMenu2()) {
        Seen.Menu = true;
        Seen.SelectedPath = Seen.Tree->GetPath();
    }
    if (Seen.Menu || ++Seen.Ticks > 100) {
        KillTimer(nullptr, Id);
        EndMenu();
    }
}

} // namespace

// A real right click on a node other than the selected one selects it and
// opens the shell's menu for it (the tree control sends no WM_CONTEXTMENU of
// its own on every platform).
TEST(ShellTree, RightClickSelectsTheNodeAndOpensItsMenu)
{
    TTempTree tree;
    Trio t;
    t.Form->Show();
    t.Tree->SetRoot(tree.Root());
    TTreeNode* root = t.Tree->GetItems()->GetFirstNode();
    TTreeNode* beta = Child(root, "beta");
    ASSERT_TRUE(beta);
    EXPECT_FALSE(beta->GetSelected());
    SetForegroundWindow(t.Form->GetHandle());
    PumpUntilIdle();
    RECT r = {};
    const HTREEITEM asked = beta->GetItemId();   // the message reads the item from the rectangle
    std::memcpy(&r, &asked, sizeof asked);
    ASSERT_TRUE(SendMessageA(t.Tree->GetWindowHandle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)));
    POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(t.Tree->GetWindowHandle(), &p);
    Seen.Tree = t.Tree;
    Seen.Menu = false;
    Seen.Ticks = 0;
    SetTimer(nullptr, 0, 50, WatchMenu);
    MouseAt(p, 0);
    MouseAt(p, MOUSEEVENTF_RIGHTDOWN);
    MouseAt(p, MOUSEEVENTF_RIGHTUP);
    EXPECT_TRUE(PumpUntil([] { return Seen.Menu || Seen.Ticks > 100; }, 8000));
    EXPECT_TRUE(Seen.Menu);
    EXPECT_EQ(Seen.SelectedPath, tree.Path("beta"));
    EXPECT_TRUE(beta->GetSelected());
    EXPECT_EQ(CurrentContextMenu2(), nullptr);   // the menu is closed again
}

TEST(ShellTree, RootNodeFillsLazily)
{
    TTempTree tree;
    Trio t;
    t.Tree->SetRoot(tree.Root());
    TTreeNodes* nodes = t.Tree->GetItems();
    ASSERT_EQ(nodes->GetRootCount(), 1);
    TTreeNode* root = nodes->GetFirstNode();
    EXPECT_EQ(FolderOf(root)->PathName(), tree.Root());
    EXPECT_TRUE(root->GetExpanded());
    EXPECT_TRUE(root->GetSelected());
    EXPECT_FALSE(t.Tree->GetShowRoot());
    ASSERT_EQ(root->GetCount(), 2);   // folders only: alpha, beta
    TTreeNode* alpha = Child(root, "alpha");
    TTreeNode* beta = Child(root, "beta");
    ASSERT_TRUE(alpha && beta);
    // Nothing below the first level is read before it is opened.
    EXPECT_EQ(beta->GetCount(), 0);
    EXPECT_TRUE(t.Tree->GetHasChildrenMark(beta));
    // The window shows a button for beta and none for alpha.
    TVITEMA item = {};
    item.mask = TVIF_CHILDREN | TVIF_HANDLE;
    item.hItem = beta->GetItemId();
    SendMessageA(t.Tree->GetHandle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.cChildren, 1);
    // Opening it by the window's own message fills it.
    SendMessageA(t.Tree->GetHandle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(beta->GetItemId()));
    if (beta->GetCount() == 0) t.Tree->ExpandNode(beta);
    ASSERT_EQ(beta->GetCount(), 1);
    EXPECT_EQ(beta->GetItem(0)->GetText(), "gamma");
    EXPECT_EQ(Child(beta, "gamma")->GetCount(), 0);
    // An empty folder opens to nothing and loses its mark.
    EXPECT_FALSE(t.Tree->ExpandNode(alpha));
    EXPECT_FALSE(t.Tree->GetHasChildrenMark(alpha));
}

TEST(ShellTree, ExpandingAFileNodeRunsNothing)
{
    TTempTree tree;
    TTempTree::WriteFile(tree.Path("archive.zip"), "not really an archive");
    TTempTree::WriteFile(tree.Path("run.bat"), "@echo off\r\necho ran> \"" + tree.Path("ran.txt") + "\"\r\n");
    Trio t;
    t.Tree->SetObjectTypes(TShellObjectTypes{otFolders, otNonFolders});
    t.Tree->SetRoot(tree.Root());
    TTreeNode* root = t.Tree->GetItems()->GetFirstNode();
    for (const char* name : {"run.bat", "archive.zip", "one.txt"}) {
        TTreeNode* n = nullptr;
        for (int i = 0; i < root->GetCount(); ++i)
            if (FolderOf(root->GetItem(i))->PathName() == tree.Path(name)) n = root->GetItem(i);
        ASSERT_TRUE(n) << name;
        if (FolderOf(n)->IsFolder()) continue;   // a shell that lists the archive as a folder
        EXPECT_FALSE(t.Tree->ExpandNode(n)) << name;
        EXPECT_EQ(n->GetCount(), 0);
    }
    PumpFor(500);   // a program started by the expansion would have written it by now
    EXPECT_FALSE(FileExists(tree.Path("ran.txt")));
}

TEST(ShellTree, SetPathExpandsAncestorsAndMovesLinks)
{
    TTempTree tree;
    Trio t;
    t.Tree->SetRoot(tree.Root());
    t.Tree->SetListView(t.List);
    t.Tree->SetComboBox(t.Combo);
    EXPECT_EQ(t.List->GetShellTreeView(), t.Tree);
    t.Tree->SetPath(tree.Path("beta\\gamma"));
    ASSERT_TRUE(t.Tree->SelectedFolder());
    EXPECT_EQ(t.Tree->GetPath(), tree.Path("beta\\gamma"));
    TTreeNode* beta = Child(t.Tree->GetItems()->GetFirstNode(), "beta");
    ASSERT_TRUE(beta);
    EXPECT_TRUE(beta->GetExpanded());
    EXPECT_EQ(t.List->GetPath(), tree.Path("beta\\gamma"));
    EXPECT_EQ(t.Combo->GetPath(), tree.Path("beta\\gamma"));

    // Selecting by the window moves both followers.
    TTreeNode* alpha = Child(t.Tree->GetItems()->GetFirstNode(), "alpha");
    t.Tree->SetSelected(alpha);
    EXPECT_EQ(t.List->GetPath(), tree.Path("alpha"));
    EXPECT_EQ(t.Combo->GetPath(), tree.Path("alpha"));
    // The list moving itself moves the tree, without bouncing back.
    t.List->SetPath(tree.Path("beta"));
    EXPECT_EQ(t.Tree->GetPath(), tree.Path("beta"));
    EXPECT_EQ(t.Combo->GetPath(), tree.Path("beta"));
    EXPECT_EQ(t.List->GetPath(), tree.Path("beta"));
    EXPECT_THROW(t.Tree->SetPath(tree.Path("nowhere")), EInvalidPath);
    EXPECT_EQ(t.Tree->GetPath(), tree.Path("beta"));
}

TEST(ShellTree, RefreshRebuildsAndKeepsSelectionByValue)
{
    TTempTree tree;
    Trio t;
    t.Tree->SetRoot(tree.Root());
    t.Tree->SetPath(tree.Path("beta\\gamma"));
    TTreeNode* root = t.Tree->GetItems()->GetFirstNode();
    CreateDirectoryA(tree.Path("aardvark").c_str(), nullptr);
    for (int i = 0; i < 5; ++i) t.Tree->Refresh(root);
    root = t.Tree->GetItems()->GetFirstNode();
    ASSERT_EQ(root->GetCount(), 3);
    EXPECT_EQ(root->GetItem(0)->GetText(), "aardvark");
    EXPECT_EQ(t.Tree->GetPath(), tree.Path("beta\\gamma"));
    EXPECT_TRUE(Child(root, "beta")->GetExpanded());
    RemoveDirectoryA(tree.Path("aardvark").c_str());
}

TEST(ShellTree, NewFolderAppearsThroughTheNotifier)
{
    TTempTree tree;
    Trio t;
    t.Tree->SetRoot(tree.Root());
    t.Tree->SetAutoRefresh(true);
    ASSERT_TRUE(t.Tree->Notifier());
    TspShellChangeThread* w = t.Tree->Notifier()->Worker();
    ASSERT_TRUE(PumpUntil([w] { return w->ArmCount() > 0; }, 10000));
    CreateDirectoryA(tree.Path("later").c_str(), nullptr);
    EXPECT_TRUE(PumpUntil([&] { return Child(t.Tree->GetItems()->GetFirstNode(), "later") != nullptr; }, 10000));
    RemoveDirectoryA(tree.Path("later").c_str());
}

TEST(ShellCombo, OutlineOfTheDesktopAndIndentedPath)
{
    TTempTree tree;
    Trio t;
    TspItemsEx* items = t.Combo->GetItemsEx();
    ASSERT_GT(items->GetCount(), 1);
    EXPECT_EQ(t.Combo->GetItemIndex(), 0);
    EXPECT_EQ(items->GetItem(0)->Indent, 0);
    TPidl drives;
    ASSERT_TRUE(SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, drives.Put())));
    const int computer = t.Combo->IndexFromID(drives.Get());
    ASSERT_GE(computer, 1);
    EXPECT_EQ(items->GetItem(computer)->Indent, 1);
    ASSERT_LT(computer + 1, items->GetCount());
    EXPECT_EQ(items->GetItem(computer + 1)->Indent, 2);   // a drive below it
    const int before = items->GetCount();

    t.Combo->SetPath(tree.Path("beta\\gamma"));
    const int sel = t.Combo->GetItemIndex();
    ASSERT_GE(sel, 2);
    EXPECT_EQ(t.Combo->GetPath(), tree.Path("beta\\gamma"));
    EXPECT_EQ(items->GetItem(sel)->Caption, "gamma");
    EXPECT_EQ(items->GetItem(sel - 1)->Caption, "beta");
    EXPECT_EQ(items->GetItem(sel)->Indent, items->GetItem(sel - 1)->Indent + 1);
    EXPECT_EQ(t.Combo->TextOffset(sel, true), t.Combo->TextOffset(sel - 1, true) + t.Combo->IconWidth() / 2);
    EXPECT_EQ(t.Combo->TextOffset(sel, false), t.Combo->IconWidth() + 4);
    EXPECT_GT(items->GetCount(), before);
    // The combo's own strings are the captions, in order.
    ASSERT_EQ(t.Combo->GetItems()->GetCount(), items->GetCount());
    for (int i = 0; i < items->GetCount(); ++i) EXPECT_EQ(t.Combo->GetItems()->Get(i), items->GetItem(i)->Caption);

    // Another branch replaces the old chain.
    t.Combo->SetPath(tree.Path("alpha"));
    EXPECT_EQ(t.Combo->GetPath(), tree.Path("alpha"));
    for (int i = 0; i < items->GetCount(); ++i) EXPECT_NE(items->GetItem(i)->Caption, "gamma");
    // Out of range asks give the last item or none.
    EXPECT_EQ(t.Combo->GetFolder(items->GetCount() + 5), items->GetItem(items->GetCount() - 1)->Folder.get());
    EXPECT_EQ(t.Combo->GetFolder(-1), nullptr);
    t.Combo->SetUseShellImages(false);
    EXPECT_EQ(t.Combo->TextOffset(0, false), 20);
}

TEST(ShellCombo, ChoiceMovesLinkedListOnce)
{
    TTempTree tree;
    Trio t;
    t.Combo->SetListView(t.List);
    int changes = 0;
    t.List->OnPathChange = [&](TObject*) { ++changes; };
    t.List->SetPath(tree.Path("beta\\gamma"));
    EXPECT_EQ(t.Combo->GetPath(), tree.Path("beta\\gamma"));
    EXPECT_EQ(changes, 1);
    // The user picks "beta" in the drop-down.
    const int beta = t.Combo->GetItemIndex() - 1;
    changes = 0;
    t.Combo->DropDown();
    t.Combo->GetListBox()->SetItemIndex(beta);
    t.Combo->CloseUp(true);
    EXPECT_EQ(t.List->GetPath(), tree.Path("beta"));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(t.Combo->GetPath(), tree.Path("beta"));
    EXPECT_EQ(t.Combo->GetItems()->Get(t.Combo->GetItemIndex()), "beta");
}

TEST(ShellLinks, AFreedControlLeavesNoLinkBehind)
{
    TTempTree tree;
    Trio t;
    t.Tree->SetRoot(tree.Root());
    t.Tree->SetListView(t.List);
    t.Tree->SetComboBox(t.Combo);
    t.List->SetComboBox(t.Combo);
    delete t.List;
    EXPECT_EQ(t.Tree->GetShellListView(), nullptr);
    EXPECT_EQ(t.Combo->GetShellListView(), nullptr);
    delete t.Combo;
    EXPECT_EQ(t.Tree->GetShellComboBox(), nullptr);
    // Moving the tree reaches no freed control.
    t.Tree->SetPath(tree.Path("beta\\gamma"));
    EXPECT_EQ(t.Tree->GetPath(), tree.Path("beta\\gamma"));
    t.Tree->SetSelected(t.Tree->GetItems()->GetFirstNode());
    EXPECT_EQ(t.Tree->GetPath(), tree.Root());
}

TEST(ShellRename, LabelEditsRenameThroughTheShell)
{
    TTempTree tree;
    Trio t;
    t.Tree->SetRoot(tree.Root());
    t.Tree->SetListView(t.List);
    ASSERT_EQ(t.List->GetPath(), tree.Root());
    ASSERT_EQ(t.List->GetFolder(2)->DisplayName(), "one.txt");
    // The list's label edit ends with a new name.
    char name[] = "first.txt";
    NMLVDISPINFOA di = {};
    di.hdr.hwndFrom = t.List->GetHandle();
    di.hdr.code = LVN_ENDLABELEDITA;
    di.item.iItem = 2;
    di.item.pszText = name;
    SendMessageA(t.Form->GetHandle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&di));
    EXPECT_TRUE(FileExists(tree.Path("first.txt")));
    EXPECT_FALSE(FileExists(tree.Path("one.txt")));
    // An edit given up (no text) and a row outside the list change nothing.
    di.item.pszText = nullptr;
    SendMessageA(t.Form->GetHandle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&di));
    di.item.pszText = name;
    di.item.iItem = 99;
    SendMessageA(t.Form->GetHandle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&di));
    EXPECT_TRUE(FileExists(tree.Path("first.txt")));

    // The tree's label edit renames a folder and its node.
    TTreeNode* alpha = Child(t.Tree->GetItems()->GetFirstNode(), "alpha");
    ASSERT_TRUE(alpha);
    char folder[] = "omega";
    NMTVDISPINFOA tv = {};
    tv.hdr.hwndFrom = t.Tree->GetHandle();
    tv.hdr.code = TVN_ENDLABELEDITA;
    tv.item.hItem = alpha->GetItemId();
    tv.item.pszText = folder;
    SendMessageA(t.Form->GetHandle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tv));
    EXPECT_TRUE(DirectoryExists(tree.Path("omega")));
    EXPECT_EQ(alpha->GetText(), "omega");
    EXPECT_EQ(FolderOf(alpha)->PathName(), tree.Path("omega"));
}

// OnEdited sees (and may change) a new name before the shell renames; a name
// the shell refuses reaches the application's error report, and the node or
// row keeps its name.
TEST(ShellRename, EditsGoThroughOnEditedAndRefusalsAreReported)
{
    TTempTree tree;
    Trio t;
    t.Tree->SetRoot(tree.Root());
    t.Tree->SetListView(t.List);
    std::vector<std::string> errors, edited;
    Application->OnException = [&](TObject*, const Exception& e) { errors.push_back(e.Message()); };
    t.Tree->OnEdited = [&](TObject*, TTreeNode*, std::string& S) {
        edited.push_back(S);
        if (S == "typed") S = "renamed";
    };
    TTreeNode* alpha = Child(t.Tree->GetItems()->GetFirstNode(), "alpha");
    ASSERT_TRUE(alpha);
    auto endTreeEdit = [&](const char* text) {
        std::string buf = text;
        NMTVDISPINFOA tv = {};
        tv.hdr.hwndFrom = t.Tree->GetHandle();
        tv.hdr.code = TVN_ENDLABELEDITA;
        tv.item.hItem = alpha->GetItemId();
        tv.item.pszText = &buf[0];
        SendMessageA(t.Form->GetHandle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tv));
    };
    endTreeEdit("typed");
    EXPECT_EQ(edited, (std::vector<std::string>{"typed"}));
    EXPECT_TRUE(DirectoryExists(tree.Path("renamed")));
    EXPECT_EQ(alpha->GetText(), "renamed");
    EXPECT_TRUE(errors.empty());
    endTreeEdit("beta");   // taken
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("beta"), std::string::npos) << errors[0];
    EXPECT_EQ(alpha->GetText(), "renamed");
    EXPECT_TRUE(DirectoryExists(tree.Path("renamed")));
    // The list: a file renamed over another one is refused the same way.
    ASSERT_EQ(t.List->GetPath(), tree.Root());
    int row = -1;
    for (int i = 0; i < t.List->FolderCount(); ++i)
        if (t.List->GetFolder(i)->DisplayName() == "one.txt") row = i;
    ASSERT_GE(row, 0);
    char taken[] = "two.skn";
    NMLVDISPINFOA di = {};
    di.hdr.hwndFrom = t.List->GetHandle();
    di.hdr.code = LVN_ENDLABELEDITA;
    di.item.iItem = row;
    di.item.pszText = taken;
    SendMessageA(t.Form->GetHandle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&di));
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_TRUE(FileExists(tree.Path("one.txt")));
    Application->OnException = nullptr;
}

// An assigned Images list takes the shell icons' place and keeps it; freed,
// the shell icons come back.
TEST(ShellTree, AnAssignedImagesListIsShown)
{
    Trio t;
    HWND w = t.Tree->GetHandle();
    const LRESULT shell = SendMessageA(w, TVM_GETIMAGELIST, TVSIL_NORMAL, 0);
    auto* images = new TImageList(16, 16, t.Form.get());
    t.Tree->SetImages(images);
    const LRESULT own = reinterpret_cast<LRESULT>(images->GetHandle());
    EXPECT_EQ(SendMessageA(w, TVM_GETIMAGELIST, TVSIL_NORMAL, 0), own);
    HIMAGELIST other = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
    SendMessageA(w, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(other));
    EXPECT_EQ(SendMessageA(w, TVM_GETIMAGELIST, TVSIL_NORMAL, 0), own);
    t.Tree->SetUseShellImages(false);
    EXPECT_EQ(SendMessageA(w, TVM_GETIMAGELIST, TVSIL_NORMAL, 0), own);
    t.Tree->SetUseShellImages(true);
    delete images;
    EXPECT_EQ(t.Tree->GetImages(), nullptr);
    EXPECT_EQ(SendMessageA(w, TVM_GETIMAGELIST, TVSIL_NORMAL, 0), shell);
    ImageList_Destroy(other);
}

TEST(ShellTree, KeepsTheShellIconsAgainstOtherImageLists)
{
    Trio t;
    HWND w = t.Tree->GetHandle();
    const LRESULT shell = SendMessageA(w, TVM_GETIMAGELIST, TVSIL_NORMAL, 0);
    ASSERT_NE(shell, 0);
    HIMAGELIST other = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
    SendMessageA(w, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(other));
    SendMessageA(w, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(other));
    EXPECT_EQ(SendMessageA(w, TVM_GETIMAGELIST, TVSIL_NORMAL, 0), shell);
    EXPECT_EQ(SendMessageA(w, TVM_GETIMAGELIST, TVSIL_STATE, 0), reinterpret_cast<LRESULT>(other));
    t.Tree->SetUseShellImages(false);
    EXPECT_EQ(SendMessageA(w, TVM_GETIMAGELIST, TVSIL_NORMAL, 0), 0);
    SendMessageA(w, TVM_SETIMAGELIST, TVSIL_STATE, 0);
    ImageList_Destroy(other);
}
