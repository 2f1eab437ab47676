#include "test_gtest.h"
#include "Forms.h"
#include "ShellContextMenu.h"
#include "TempTree.h"
#include <memory>
#include <vector>

using namespace Spskinshellctrls;

namespace {

// A form that runs the chosen commands itself (so no program is ever started).
struct TVerbForm : TForm, IShellCommandVerb {
    explicit TVerbForm(TComponent* o) : TForm(o) {}
    std::vector<std::string> Executed, Completed;
    std::vector<bool> Results;
    void ExecuteCommand(const std::string& Verb, bool& Handled) override
    {
        Executed.push_back(Verb);
        Handled = true;
    }
    void CommandCompleted(const std::string& Verb, bool Succeeded) override
    {
        Completed.push_back(Verb);
        Results.push_back(Succeeded);
    }
};

HWND MenuOwner = nullptr;
bool ChooseFirst = false;
bool SawMenu2 = false;

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    EndMenu();
}

void CALLBACK DriveMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    SawMenu2 = CurrentContextMenu2() != nullptr;
    if (!ChooseFirst) {
        EndMenu();
        return;
    }
    PostMessageA(MenuOwner, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(MenuOwner, WM_KEYDOWN, VK_RETURN, 0);
    SetTimer(nullptr, 0, 3000, CloseMenu);   // never left open, whatever happened
}

// A file item with its folder (the parent outlives the child).
struct TFileItem {
    std::unique_ptr<TspShellFolder> Folder, File;
};

TFileItem ItemOf(const std::string& path)
{
    TFileItem r;
    std::string dir = ExtractFileDir(path);
    CreateShellRootFolder(r.Folder, "", dir);
    TWideString name = AnsiToWide(ExtractFileName(path));
    TPidl id;
    ULONG eaten = 0, attrs = 0;
    if (SUCCEEDED(r.Folder->ShellFolder()->ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(name.c_str()),
                                                             &eaten, id.Put(), &attrs)))
        r.File.reset(new TspShellFolder(r.Folder.get(), id.Get(), nullptr));
    return r;
}

} // namespace

TEST(ShellContextMenu, DismissedMenuRunsNothing)
{
    TTempTree tree;
    TFileItem file = ItemOf(tree.Path("one.txt"));
    TspShellFolder* item = file.File.get();
    ASSERT_TRUE(item);
    std::unique_ptr<TVerbForm> form(new TVerbForm(nullptr));
    form->Show();
    MenuOwner = form->GetHandle();
    ChooseFirst = false;
    SawMenu2 = false;
    SetTimer(nullptr, 0, 300, DriveMenu);
    InvokeContextMenu(form.get(), item, 10, 10);
    EXPECT_TRUE(form->Executed.empty());
    EXPECT_TRUE(form->Completed.empty());
    EXPECT_TRUE(SawMenu2);   // held while the menu was open
    EXPECT_EQ(CurrentContextMenu2(), nullptr);
    InvokeContextMenu(nullptr, item, 0, 0);     // nothing without a control
    InvokeContextMenu(form.get(), nullptr, 0, 0);     // or an item
}

TEST(ShellContextMenu, ChosenCommandGoesToTheControlFirst)
{
    TTempTree tree;
    TFileItem file = ItemOf(tree.Path("one.txt"));
    TspShellFolder* item = file.File.get();
    ASSERT_TRUE(item);
    std::unique_ptr<TVerbForm> form(new TVerbForm(nullptr));
    form->Show();
    MenuOwner = form->GetHandle();
    ChooseFirst = true;
    SetTimer(nullptr, 0, 300, DriveMenu);
    InvokeContextMenu(form.get(), item, 10, 10);
    ASSERT_EQ(form->Executed.size(), size_t(1));
    ASSERT_EQ(form->Completed.size(), size_t(1));
    EXPECT_EQ(form->Executed[0], form->Completed[0]);
    EXPECT_TRUE(form->Results[0]);
    EXPECT_EQ(CurrentContextMenu2(), nullptr);
}
