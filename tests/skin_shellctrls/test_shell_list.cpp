#include "test_gtest.h"
#include "Form.h"
#include "ShellCtrls.h"
#include "TempTree.h"
#include "WaitUntil.h"
#include <memory>
#include <string>
#include <vector>

using namespace Spskinshellctrls;

namespace {

struct ListForm {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinFileListView* List;
    int PathChanges = 0;
    explicit ListForm(const std::string& Path)
    {
        Form->SetBounds(20, 20, 420, 300);
        List = new TspSkinFileListView(Form.get());
        List->SetParent(Form.get());
        List->SetBounds(5, 5, 400, 280);
        List->HandleNeeded();
        List->OnPathChange = [this](TObject*) { ++PathChanges; };
        List->SetPath(Path);
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> r;
        for (int i = 0; i < List->FolderCount(); ++i) r.push_back(List->GetFolder(i)->DisplayName());
        return r;
    }
    void Key(WPARAM K) { SendMessageA(List->GetHandle(), WM_KEYDOWN, K, 0); }
    int Rows() { return static_cast<int>(SendMessageA(List->GetHandle(), LVM_GETITEMCOUNT, 0, 0)); }
};

typedef std::vector<std::string> Names;

} // namespace

TEST(ShellList, MaskTestTable)
{
    const struct { const char* mask; const char* path; bool passes; } cases[] = {
        {"*.*|*.*", "C:\\a\\b.txt", true},
        {"Skins|*.*", "C:\\a\\noext", true},
        {"*.skn", "C:\\a\\b.skn", true},
        {"*.skn", "C:\\a\\b.SKN", true},
        {"*.skn", "C:\\a\\b.sk", true},     // a substring of the mask
        {"*.skn", "C:\\a\\b.txt", false},
        {"*.skn", "C:\\a\\noext", false},
        {"*.bmp;*.ico", "C:\\a\\b.ico", true},
        {"*.bmp;*.ico", "C:\\a\\b.png", false},
    };
    for (const auto& c : cases) EXPECT_EQ(MaskPasses(c.mask, c.path), c.passes) << c.mask << " " << c.path;
}

TEST(ShellList, ListsFoldersFirstAndFilters)
{
    TTempTree tree;
    TTempTree::WriteFile(tree.Path("aaa.txt"), "sorts before the folders by name");
    ListForm f(tree.Root());
    EXPECT_EQ(f.List->GetPath(), tree.Root());
    EXPECT_EQ(f.Names(), (Names{"alpha", "beta", "aaa.txt", "one.txt", "two.skn"}));
    EXPECT_EQ(f.Rows(), 5);
    EXPECT_EQ(f.PathChanges, 1);

    f.List->SetMask("Skins|*.skn");
    EXPECT_EQ(f.Names(), (Names{"alpha", "beta", "two.skn"}));
    EXPECT_EQ(f.Rows(), 3);
    f.List->SetObjectTypes(TShellObjectTypes{otFolders});
    EXPECT_EQ(f.Names(), (Names{"alpha", "beta"}));

    TspCustomShellListView* list = f.List;
    int vetoed = 0;
    list->OnAddFolder = [&](TObject*, TspShellFolder* F, bool& CanAdd) {
        if (F->DisplayName() == "alpha") {
            CanAdd = false;
            ++vetoed;
        }
    };
    f.List->SetObjectTypes(TShellObjectTypes{otFolders, otNonFolders});
    EXPECT_EQ(f.Names(), (Names{"beta", "two.skn"}));
    EXPECT_EQ(vetoed, 1);
    EXPECT_THROW(f.List->SetPath(tree.Path("no such folder")), EInvalidPath);
    EXPECT_EQ(f.List->GetPath(), tree.Root());
}

TEST(ShellList, SortsByEachColumnFoldersFirstSelectionByValue)
{
    TTempTree tree;
    TTempTree::WriteFile(tree.Path("big.txt"), std::string(5000, 'x'));
    TTempTree::WriteFile(tree.Path("zzz.bmp"), "z");
    ListForm f(tree.Root());
    f.List->SetViewStyle(vsReport);
    ASSERT_GE(f.List->GetColumns()->GetCount(), 3);
    f.List->SetItemIndex(2);   // big.txt
    ASSERT_EQ(f.List->SelectedFolder()->DisplayName(), "big.txt");

    const struct { int column; bool ascending; Names files; } cases[] = {
        {0, true, {"big.txt", "one.txt", "two.skn", "zzz.bmp"}},
        {0, false, {"zzz.bmp", "two.skn", "one.txt", "big.txt"}},
        {1, false, {"big.txt", "one.txt", "two.skn", "zzz.bmp"}},   // size: 5000, 5, 4, 1
        {1, true, {"zzz.bmp", "two.skn", "one.txt", "big.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column);
        f.List->SortBy(c.column, c.ascending);
        Names n = f.Names();
        ASSERT_EQ(n.size(), 6u);
        // Folders lead whatever the order of the files.
        EXPECT_TRUE((n[0] == "alpha" && n[1] == "beta") || (n[0] == "beta" && n[1] == "alpha"));
        EXPECT_EQ(Names(n.begin() + 2, n.end()), c.files);
        ASSERT_TRUE(f.List->SelectedFolder());
        EXPECT_EQ(f.List->SelectedFolder()->DisplayName(), "big.txt");
    }
    // The type column keeps the folders first and the files of one type together.
    const int typeColumn = 2;
    f.List->SortBy(typeColumn, true);
    Names n = f.Names();
    EXPECT_TRUE(n[0] == "alpha" || n[0] == "beta");
    // A click on a header sorts by it; a second click turns the order round.
    NMLISTVIEW nm = {};
    nm.hdr.hwndFrom = f.List->GetHandle();
    nm.hdr.code = LVN_COLUMNCLICK;
    nm.iSubItem = 0;
    f.List->SortBy(1, true);
    SendMessageA(f.Form->GetHandle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(f.List->GetSortColumn(), 0);
    EXPECT_TRUE(f.List->GetSortAscending());
    SendMessageA(f.Form->GetHandle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    EXPECT_FALSE(f.List->GetSortAscending());
    EXPECT_EQ(f.Names()[2], "zzz.bmp");
}

TEST(ShellList, FolderRowsHaveEmptySizeAndDate)
{
    TTempTree tree;
    ListForm f(tree.Root());
    f.List->SetViewStyle(vsReport);
    const int columns = f.List->GetColumns()->GetCount();
    ASSERT_GE(columns, 2);
    for (int c = 1; c < columns; ++c) {
        EXPECT_NE(f.List->CellText(0, c), "-1") << c;
    }
    EXPECT_EQ(f.List->CellText(0, 1), "");   // the size of a folder
    EXPECT_EQ(f.List->CellText(0, 0), "alpha");
    EXPECT_NE(f.List->CellText(2, 1), "");   // one.txt has a size
    // What the window shows is what CellText says.
    char text[64] = "";
    LVITEMA item = {};
    item.iSubItem = 1;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(f.List->GetHandle(), LVM_GETITEMTEXTA, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(std::string(text), f.List->CellText(2, 1));
}

TEST(ShellList, NavigatesByKeys)
{
    TTempTree tree;
    ListForm f(tree.Root());
    ASSERT_EQ(f.Names()[1], "beta");
    f.List->SetItemIndex(1);
    f.Key(VK_RETURN);   // into beta
    EXPECT_EQ(f.List->GetPath(), tree.Path("beta"));
    EXPECT_EQ(f.Names(), (Names{"gamma"}));
    f.List->SetItemIndex(0);
    f.Key(VK_RETURN);
    EXPECT_EQ(f.List->GetPath(), tree.Path("beta\\gamma"));
    EXPECT_EQ(f.Names(), (Names{"deep.txt"}));
    f.List->SetItemIndex(0);
    f.Key(VK_RETURN);   // a file: stays
    EXPECT_EQ(f.List->GetPath(), tree.Path("beta\\gamma"));
    f.Key(VK_BACK);
    f.Key(VK_BACK);
    EXPECT_EQ(f.List->GetPath(), tree.Root());
    const int changes = f.PathChanges;
    f.Key(VK_F5);   // the same folder, read again
    EXPECT_EQ(f.PathChanges, changes + 1);
    EXPECT_EQ(f.List->GetPath(), tree.Root());

    f.List->AutoNavigate = false;
    f.Key(VK_BACK);
    EXPECT_EQ(f.List->GetPath(), tree.Root());
    f.List->AutoNavigate = true;

    // Back at the top of the namespace changes nothing.
    TPidl desktop = GetDesktopPidl();
    f.List->SetPathFromID(desktop.Get());
    const int atDesktop = f.PathChanges;
    f.Key(VK_BACK);
    EXPECT_EQ(f.PathChanges, atDesktop);
    EXPECT_TRUE(PidlEqual(f.List->RootFolder()->AbsoluteID(), desktop.Get()));
}

TEST(ShellList, TypeAheadWrapsOnceAndFindsByPrefix)
{
    TTempTree tree;
    ListForm f(tree.Root());
    const struct { const char* text; int start; bool wrap; int found; } cases[] = {
        {"b", 0, true, 1}, {"B", 0, false, 1}, {"one", 3, true, 2}, {"one", 3, false, -1},
        {"zz", 0, true, -1}, {"zz", 4, true, -1}, {"T", 0, true, 3}, {"", 2, false, 2},
    };
    for (const auto& c : cases) EXPECT_EQ(f.List->FindItem(c.text, c.start, c.wrap), c.found) << c.text;
    // The window asks the same question.
    LVFINDINFOA find = {};
    find.flags = LVFI_PARTIAL | LVFI_STRING | LVFI_WRAP;
    find.psz = "TW";
    EXPECT_EQ(SendMessageA(f.List->GetHandle(), LVM_FINDITEMA, -1, reinterpret_cast<LPARAM>(&find)), 3);
}

TEST(ShellList, RefreshKeepsTheSelectedItemByValue)
{
    TTempTree tree;
    ListForm f(tree.Root());
    f.List->SetItemIndex(3);   // two.skn, the last row
    ASSERT_EQ(f.List->SelectedFolder()->DisplayName(), "two.skn");
    f.List->Refresh();
    ASSERT_TRUE(f.List->SelectedFolder());
    EXPECT_EQ(f.List->SelectedFolder()->DisplayName(), "two.skn");
    // A new file before it moves its row: the selection goes with the item.
    TTempTree::WriteFile(tree.Path("now.txt"), "n");
    f.List->Refresh();
    ASSERT_TRUE(f.List->SelectedFolder());
    EXPECT_EQ(f.List->SelectedFolder()->DisplayName(), "two.skn");
    EXPECT_EQ(f.List->GetItemIndex(), 4);
    // An item that is gone leaves nothing selected.
    DeleteFileA(tree.Path("two.skn").c_str());
    f.List->Refresh();
    EXPECT_EQ(f.List->SelectedFolder(), nullptr);
}

TEST(ShellList, NewFileAppearsThroughTheNotifier)
{
    TTempTree tree;
    ListForm f(tree.Root());
    f.List->SetAutoRefresh(true);
    ASSERT_NE(f.List->Notifier(), nullptr);
    TspShellChangeThread* w = f.List->Notifier()->Worker();
    ASSERT_TRUE(w);
    ASSERT_TRUE(PumpUntil([w] { return w->ArmCount() > 0; }, 10000));
    TTempTree::WriteFile(tree.Path("arrived.txt"), "new");
    auto has = [&] {
        for (const std::string& n : f.Names())
            if (n == "arrived.txt") return true;
        return false;
    };
    EXPECT_TRUE(PumpUntil(has, 10000));
    // The notifier watches the new folder after a move, and is gone when switched off.
    f.List->SetPath(tree.Path("beta"));
    ASSERT_NE(f.List->Notifier(), nullptr);
    EXPECT_EQ(f.List->Notifier()->GetRoot(), tree.Path("beta"));
    f.List->SetAutoRefresh(false);
    EXPECT_EQ(f.List->Notifier(), nullptr);
}

TEST(ShellList, QueuedChangeNeverReachesAViewThatIsGone)
{
    TTempTree tree;
    for (int round = 0; round < 3; ++round) {
        std::unique_ptr<ListForm> f(new ListForm(tree.Root()));
        f->List->SetAutoRefresh(true);
        TspShellChangeThread* w = f->List->Notifier()->Worker();
        ASSERT_TRUE(PumpUntil([w] { return w->ArmCount() > 0; }, 10000));
        TTempTree::WriteFile(tree.Path("burst" + std::to_string(round) + ".txt"), "x");
        // The worker has queued its call: the view goes before it runs.
        ASSERT_TRUE(WaitUntil([] { return PendingSyncCalls() > 0; }, 10000));
        f.reset();
        PumpUntilIdle();
    }
    SUCCEED();
}

TEST(ShellList, SetRootOwnsOneFolderAndRejectsABadRoot)
{
    TTempTree tree;
    ListForm f(tree.Root());
    f.List->SetRoot(tree.Path("beta"));
    EXPECT_EQ(f.List->GetRoot(), tree.Path("beta"));
    EXPECT_EQ(f.Names(), (Names{"gamma"}));
    EXPECT_THROW(f.List->SetRoot(tree.Path("missing")), Exception);
    EXPECT_EQ(f.List->GetRoot(), tree.Path("beta"));
    EXPECT_EQ(f.Names(), (Names{"gamma"}));
    // Many moves up and down: every folder item is freed with its listing.
    for (int i = 0; i < 20; ++i) {
        f.List->SetPath(tree.Path("beta\\gamma"));
        f.List->Back();
        f.List->Refresh();
    }
    EXPECT_EQ(f.List->GetPath(), tree.Path("beta"));
}

