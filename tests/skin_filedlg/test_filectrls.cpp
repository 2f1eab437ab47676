// The filter combo box and the file list box: masks come from the filter's
// mask parts, the list follows the combo, and listing never moves the process's
// current directory.
#include "test_gtest.h"
#include "FileDlgKit.h"
#include "Edit.h"
#include "Form.h"
#include "SkinDirectoryListBox.h"
#include "SkinDriveComboBox.h"
#include "SkinFileListBox.h"
#include "SkinLabels.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "SkinFilterComboBox.h"
#include "SkinData.h"
#include "Application.h"
#include <functional>
#include <memory>
#include <vector>

using namespace FileDlgTest;

namespace {

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinFilterComboBox* Combo;
    TspSkinFileListBox* List;
    Scene()
    {
        Form->SetBounds(0, 0, 300, 300);
        Combo = new TspSkinFilterComboBox(Form.get());
        Combo->SetParent(Form.get());
        Combo->SetBounds(5, 5, 200, 20);
        List = new TspSkinFileListBox(Form.get());
        List->SetParent(Form.get());
        List->SetBounds(5, 40, 200, 200);
    }
    std::vector<std::string> Items() const
    {
        std::vector<std::string> v;
        for (int i = 0; i < List->GetItems()->GetCount(); ++i) v.push_back(List->GetItems()->Get(i));
        return v;
    }
};

TEST(FilterCombo, MasksComeFromTheMaskParts)
{
    struct Case {
        std::string Filter;
        std::vector<std::string> Items;
        int Select;
        std::string Mask;
    } cases[] = {
        {"Compressed skin (*.skn)|*.skn|UnCompressed skin (*.ini)|*.ini",
         {"Compressed skin (*.skn)", "UnCompressed skin (*.ini)"}, 1, "*.ini"},
        {"Compressed skin (*.skn)|*.skn", {"Compressed skin (*.skn)"}, 0, "*.skn"},
        {"", {}, -1, "*.*"},
        {"Skins|*.skn|Dangling", {"Skins"}, 0, "*.skn"},
        {"Both|*.skn;*.ini", {"Both"}, 0, "*.skn;*.ini"},
    };
    for (const Case& c : cases) {
        Scene s;
        s.Combo->SetFilter(c.Filter);
        std::vector<std::string> items;
        for (int i = 0; i < s.Combo->GetItems()->GetCount(); ++i) items.push_back(s.Combo->GetItems()->Get(i));
        EXPECT_EQ(items, c.Items) << c.Filter;
        s.Combo->SetFileList(s.List);
        if (c.Select >= 0) s.Combo->SetItemIndex(c.Select);
        EXPECT_EQ(s.Combo->GetMask(), c.Mask) << c.Filter;
        EXPECT_EQ(s.List->GetMask(), c.Mask) << c.Filter;
    }
}

TEST(FilterCombo, NoSelectionTakesTheLastEntryAndCaseOnlyChangesNothing)
{
    Scene s;
    s.Combo->SetFilter("A|*.a|B|*.b");
    s.Combo->SetItemIndex(-1);
    EXPECT_EQ(s.Combo->GetMask(), "*.b");
    EXPECT_EQ(s.Combo->GetItemIndex(), 1);
    s.Combo->SetItemIndex(0);
    s.Combo->SetFilter("a|*.A|b|*.B");
    EXPECT_EQ(s.Combo->GetFilter(), "A|*.a|B|*.b");
    EXPECT_EQ(s.Combo->GetItemIndex(), 0);
    EXPECT_TRUE(s.Combo->IsFilterStored());
    s.Combo->SetFilter(TspSkinFilterComboBox::DefaultFilter);
    EXPECT_FALSE(s.Combo->IsFilterStored());
}

TEST(FilterCombo, AFreedListIsForgotten)
{
    Scene s;
    s.Combo->SetFileList(s.List);
    delete s.List;
    EXPECT_EQ(s.Combo->GetFileList(), nullptr);
    s.Combo->SetFilter("X|*.x");   // would reach the freed list otherwise
    EXPECT_EQ(s.Combo->GetMask(), "*.x");
}

TEST(FileListBox, ListsByMaskWithoutMovingTheCurrentDirectory)
{
    TScratch t("list");
    t.Folder("sub");
    t.Write("a.skn", "x");
    t.Write("b.ini", "x");
    t.Write("c.txt", "x");
    t.Write("d.sknx", "x");
    const std::string cwd = CurrentDir();
    Scene s;
    s.List->SetDirectory(t.Root());
    struct Case {
        bool FoldersFirst;
        std::string Mask;
        std::vector<std::string> Items;
    } cases[] = {
        {false, "*.skn", {"a.skn"}},
        {false, "*.skn;*.ini", {"a.skn", "b.ini"}},
        {false, "*.*", {"a.skn", "b.ini", "c.txt", "d.sknx", "[..]", "[.]", "[sub]"}},
        {true, "*.skn", {"[..]", "[sub]", "a.skn"}},
        {true, "*.ini", {"[..]", "[sub]", "b.ini"}},
        {true, "*.*", {"[..]", "[sub]", "a.skn", "b.ini", "c.txt", "d.sknx"}},
    };
    for (const Case& c : cases) {
        s.List->SetFoldersFirst(c.FoldersFirst);
        s.List->SetMask(c.Mask);
        EXPECT_EQ(s.Items(), c.Items) << c.Mask << " " << c.FoldersFirst;
    }
    s.List->SetFoldersFirst(false);
    EXPECT_EQ(CurrentDir(), cwd);
    s.List->SetFileName("A.SKN");
    EXPECT_EQ(s.List->GetFileName(), "a.skn");
    EXPECT_EQ(s.List->GetFilePath(), t.Path("a.skn"));
    // A folder that is gone raises and keeps the list.
    EXPECT_THROW(s.List->SetDirectory(t.Path("gone")), std::exception);
    EXPECT_EQ(s.List->GetDirectory(), t.Root());
    EXPECT_EQ(CurrentDir(), cwd);
}

TEST(FileListBox, ChangeReportsEachNewSelectionOnce)
{
    TScratch t("change");
    t.Write("a.skn", "x");
    t.Write("b.skn", "x");
    Scene s;
    int changes = 0;
    s.List->OnChange = [&](TObject*) { ++changes; };
    s.List->SetDirectory(t.Root());
    EXPECT_EQ(changes, 1);
    s.List->SetFileName("b.skn");
    EXPECT_EQ(changes, 2);
    s.List->SetFileName("b.skn");
    EXPECT_EQ(changes, 2);
}

TEST(FileListBox, FileEditShowsTheFileNameOrTheMask)
{
    TScratch t("fileedit");
    t.Write("a.skn", "x");
    t.Write("b.skn", "x");
    Scene s;
    s.List->SetDirectory(t.Root());
    auto* edit = new TEdit(s.Form.get());
    edit->SetParent(s.Form.get());
    edit->GetHandle();
    s.List->SetMask("*.skn");
    s.List->SetFileEdit(edit);
    EXPECT_EQ(s.List->GetFileEdit(), edit);
    EXPECT_EQ(edit->GetText(), "*.skn");   // nothing selected yet
    struct Step {
        const char* Select;   // a file name, or nullptr to change the mask
        const char* Mask;
        std::string Text;
    } steps[] = {
        {"b.skn", nullptr, "b.skn"},
        {"A.SKN", nullptr, "a.skn"},
        {"none", nullptr, "*.skn"},
        {nullptr, "*.*", "*.*"},
    };
    for (const Step& k : steps) {
        if (k.Select) s.List->SetFileName(k.Select);
        else s.List->SetMask(k.Mask);
        EXPECT_EQ(edit->GetText(), k.Text) << (k.Select ? k.Select : k.Mask);
        EXPECT_EQ(edit->GetSelLength(), static_cast<int>(k.Text.size()));   // ready to type over
    }
    // A replaced edit is left alone; a freed one is forgotten.
    auto* other = new TEdit(s.Form.get());
    s.List->SetFileEdit(other);
    EXPECT_EQ(other->GetText(), "*.*");
    s.List->SetFileName("a.skn");
    EXPECT_EQ(edit->GetText(), "*.*");
    EXPECT_EQ(other->GetText(), "a.skn");
    delete other;
    EXPECT_EQ(s.List->GetFileEdit(), nullptr);
    s.List->SetFileName("b.skn");   // would reach the freed edit otherwise
    EXPECT_EQ(s.List->GetFileName(), "b.skn");
}

TEST(DirectoryListBox, ShowsThePathAndSubfoldersAndTakesTheFileListAlong)
{
    TScratch t("dirs");
    t.Folder("b");
    t.Folder("a");
    t.Folder("a\\deep");
    t.Write("a\\x.skn", "x");
    t.Write("top.skn", "x");
    const std::string cwd = CurrentDir();
    Scene s;
    auto* dirs = new TspSkinDirectoryListBox(s.Form.get());
    dirs->SetParent(s.Form.get());
    dirs->SetBounds(210, 40, 80, 200);
    auto* label = new TspSkinStdLabel(s.Form.get());
    label->SetParent(s.Form.get());
    dirs->SetFileList(s.List);
    dirs->SetDirLabel(label);
    s.List->SetMask("*.skn");
    int changes = 0;
    dirs->OnChange = [&](TObject*) { ++changes; };
    dirs->SetDirectory(t.Root());
    EXPECT_EQ(changes, 1);
    std::vector<std::string> items;
    for (int i = 0; i < dirs->GetItems()->GetCount(); ++i) items.push_back(dirs->GetItems()->Get(i));
    // The path from the drive root, the current folder selected, then the sorted subfolders.
    ASSERT_GE(items.size(), 3u);
    EXPECT_EQ(items[0].substr(1), ":\\");
    EXPECT_EQ(items[items.size() - 2], "a");
    EXPECT_EQ(items.back(), "b");
    EXPECT_EQ(items[dirs->GetItemIndex()], "filedlg_dirs");
    EXPECT_EQ(dirs->GetItemPath(dirs->GetItemIndex()), t.Root());
    EXPECT_EQ(dirs->GetItemPath(static_cast<int>(items.size()) - 2), t.Path("a"));
    EXPECT_EQ(dirs->GetItemPath(static_cast<int>(items.size())), "");
    EXPECT_EQ(s.List->GetDirectory(), t.Root());
    EXPECT_EQ(s.Items(), (std::vector<std::string>{"top.skn"}));
    // The label shows the folder shortened to the list's width, its last part kept.
    const std::string caption = label->GetCaption();
    EXPECT_LT(caption.size(), t.Root().size());
    EXPECT_EQ(caption.substr(caption.size() - 12), "filedlg_dirs") << caption;
    // Opening the subfolder "a" (as a double click or Enter does).
    dirs->SetItemIndex(static_cast<int>(items.size()) - 2);
    dirs->OpenCurrent();
    EXPECT_EQ(dirs->GetDirectory(), t.Path("a"));
    EXPECT_EQ(dirs->GetItems()->Get(dirs->GetItemIndex()), "a");
    EXPECT_EQ(dirs->GetItems()->Get(dirs->GetItems()->GetCount() - 1), "deep");
    EXPECT_EQ(s.Items(), (std::vector<std::string>{"x.skn"}));
    // Opening a path entry goes back up to it.
    dirs->SetItemIndex(dirs->GetItemIndex() - 1);
    dirs->OpenCurrent();
    EXPECT_EQ(dirs->GetDirectory(), t.Root());
    dirs->SetItemIndex(0);
    dirs->OpenCurrent();
    EXPECT_EQ(dirs->GetDirectory().substr(1), ":\\");
    EXPECT_EQ(dirs->GetItems()->Get(dirs->GetItemIndex()), dirs->GetDirectory());
    EXPECT_THROW(dirs->SetDirectory(t.Path("gone")), std::exception);
    EXPECT_EQ(CurrentDir(), cwd);
    delete s.List;   // a freed file list is forgotten
    dirs->SetDirectory(t.Root());
    EXPECT_EQ(dirs->GetFileList(), nullptr);
}

// Painting must not read the folders again: a repaint, a resize and a new skin
// keep the file list's selection, its edit's text and the directory list's
// highlighted entry, and report no change.
TEST(FileListBoxes, KeepTheirStateThroughRepaintsResizesAndSkinChanges)
{
    TScratch t("keep");
    t.Folder("a");
    t.Folder("b");
    t.Write("x.skn", "x");
    t.Write("y.skn", "x");
    Scene s;
    auto* dirs = new TspSkinDirectoryListBox(s.Form.get());
    dirs->SetParent(s.Form.get());
    dirs->SetBounds(210, 40, 80, 200);
    auto* edit = new TEdit(s.Form.get());
    edit->SetParent(s.Form.get());
    s.List->SetFileEdit(edit);
    dirs->SetFileList(s.List);
    dirs->SetDirectory(t.Root());
    s.Form->Show();
    s.List->SetFileName("y.skn");
    const int subfolder = dirs->GetItems()->IndexOf("a");
    ASSERT_GE(subfolder, 0);
    dirs->SetItemIndex(subfolder);   // highlighted, not opened
    int fileChanges = 0, dirChanges = 0;
    s.List->OnChange = [&](TObject*) { ++fileChanges; };
    dirs->OnChange = [&](TObject*) { ++dirChanges; };
    edit->SetText("typed.skn");
    TspSkinData skin(nullptr);
    ASSERT_TRUE(skin.LoadFromCompressedFile(std::string(SKINS_DIR) + "/Korvel2.skn"));
    const std::function<void()> steps[] = {
        [&] { s.List->Repaint(); dirs->Repaint(); s.Form->Repaint(); },
        [&] { s.List->SetBounds(5, 40, 180, 150); dirs->SetBounds(200, 40, 95, 230); s.Form->Update(); },
        [&] { s.List->SetSkinData(&skin); dirs->SetSkinData(&skin); s.Form->Repaint(); },
        [&] { s.List->SetSkinData(nullptr); dirs->SetSkinData(nullptr); s.Form->Repaint(); },
    };
    int step = 0;
    for (const auto& run : steps) {
        run();
        Application->ProcessMessages();
        EXPECT_EQ(s.List->GetFileName(), "y.skn") << step;
        EXPECT_EQ(edit->GetText(), "typed.skn") << step;
        EXPECT_EQ(dirs->GetItemIndex(), subfolder) << step;
        EXPECT_EQ(dirs->GetDirectory(), t.Root()) << step;
        EXPECT_EQ(fileChanges + dirChanges, 0) << step;
        ++step;
    }
    // Reading the folders again is still there, asked for by name.
    s.List->UpdateList();
    EXPECT_EQ(fileChanges, 1);
    dirs->UpdateList();
    EXPECT_EQ(dirChanges, 1);
    EXPECT_EQ(dirs->GetItems()->Get(dirs->GetItemIndex()), "filedlg_keep");
}

// What a user types into the file list's edit and confirms with Enter: a
// pattern becomes the mask, a folder is entered (the linked directory list and
// label follow), a file is selected, a file the mask hides is shown alone.
TEST(FileListBox, ATypedPathInTheEditIsApplied)
{
    TScratch t("typed");
    t.Folder("sub");
    t.Write("sub\\x.skn", "x");
    t.Write("sub\\y.ini", "x");
    t.Write("top.skn", "x");
    const std::string cwd = CurrentDir();
    Scene s;
    auto* dirs = new TspSkinDirectoryListBox(s.Form.get());
    dirs->SetParent(s.Form.get());
    dirs->SetBounds(210, 40, 80, 200);
    auto* edit = new TEdit(s.Form.get());
    edit->SetParent(s.Form.get());
    edit->GetHandle();
    dirs->SetFileList(s.List);
    dirs->SetDirectory(t.Root());
    int ownKeys = 0;
    edit->OnKeyPress = [&](TObject*, char&) { ++ownKeys; };
    s.List->SetFileEdit(edit);
    auto type = [&](const std::string& text) {
        edit->SetText(text);
        edit->Perform(WM_CHAR, '\r', 1);
    };
    struct Step {
        std::string Typed, Directory, Mask, Selected;
    } steps[] = {
        {"*.skn", t.Root(), "*.skn", ""},
        {"sub", t.Path("sub"), "*.skn", ""},
        {"x.skn", t.Path("sub"), "*.skn", "x.skn"},
        {"y.ini", t.Path("sub"), "y.ini", "y.ini"},   // hidden by the mask: shown alone
        {"..\\*.*", t.Root(), "*.*", ""},
        {t.Path("sub\\*.ini"), t.Path("sub"), "*.ini", ""},
    };
    for (const Step& k : steps) {
        type(k.Typed);
        EXPECT_EQ(s.List->GetDirectory(), k.Directory) << k.Typed;
        EXPECT_EQ(dirs->GetDirectory(), k.Directory) << k.Typed;
        EXPECT_EQ(s.List->GetMask(), k.Mask) << k.Typed;
        EXPECT_EQ(s.List->GetFileName(), k.Selected) << k.Typed;
    }
    EXPECT_EQ(ownKeys, 6);   // the edit's own handler still runs first
    // A folder that is not there raises and changes nothing.
    EXPECT_THROW(s.List->ApplyFilePath("gone\\*.*"), std::exception);
    EXPECT_EQ(s.List->GetDirectory(), t.Path("sub"));
    EXPECT_EQ(CurrentDir(), cwd);
    // Unlinked, the edit gets its own handler back.
    s.List->SetFileEdit(nullptr);
    type("*.*");
    EXPECT_EQ(ownKeys, 7);
    EXPECT_EQ(s.List->GetMask(), "*.ini");
}

// Pictures and indentation: the path folders open and indented step by step,
// the current folder in its own picture, the subfolders closed one step below.
TEST(DirectoryListBox, DrawsEachFolderWithItsPictureAtItsIndentation)
{
    TScratch t("pictures");
    t.Folder("a");
    Scene s;
    auto* dirs = new TspSkinDirectoryListBox(s.Form.get());
    dirs->SetParent(s.Form.get());
    dirs->SetBounds(210, 40, 80, 200);
    dirs->SetDirectory(t.Root());
    const int count = dirs->GetItems()->GetCount();
    const int current = dirs->GetItemIndex();
    ASSERT_EQ(count, current + 2);   // the path, then the one subfolder
    int depth = 0;
    for (char c : t.Root()) depth += c == '\\';
    const TColor kFolder = static_cast<TColor>(0x30C8F0), kCurrentFlap = static_cast<TColor>(0x1030E0);
    const TColor kBack = static_cast<TColor>(0x00FF00);
    struct Case {
        int Index, Indent;
        TColor Flap;   // the colour low in the picture's middle
    } cases[] = {
        {0, 2, kFolder},
        {current, current * 4 + 2, kCurrentFlap},
        {current + 1, depth * 4 + 6, kFolder},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dirs->ItemIndent(c.Index), c.Indent) << c.Index;
        TBitmap b(120, 20, pf24bit);
        b.GetCanvas()->GetBrush()->SetColor(kBack);
        b.GetCanvas()->FillRect(TRect(0, 0, 120, 20));
        dirs->DrawItem(b.GetCanvas(), c.Index, TRect(0, 0, 120, 20));
        // The picture (16 x 15) is centred: rows 2 to 16; its key colour is not drawn.
        EXPECT_EQ(b.GetCanvas()->GetPixel(c.Indent + 8, 12) & 0xFFFFFF, c.Flap) << c.Index;
        EXPECT_EQ(b.GetCanvas()->GetPixel(c.Indent, 2) & 0xFFFFFF, kBack) << c.Index;
        EXPECT_EQ(b.GetCanvas()->GetPixel(c.Indent - 1, 12) & 0xFFFFFF, kBack) << c.Index;
    }
    // The extent bar knows how wide an indented row is.
    TBitmap m(10, 10, pf24bit);
    EXPECT_EQ(dirs->GetFullItemWidth(current + 1, m.GetCanvas()),
              m.GetCanvas()->TextWidth("a") + depth * 4 + 6 + 16 + 4);
}

TEST(DriveComboBox, DrawsEachDriveWithThePictureOfItsKind)
{
    Scene s;
    auto* drives = new TspSkinDriveComboBox(s.Form.get());
    drives->SetParent(s.Form.get());
    drives->SetBounds(5, 250, 200, 20);
    int fixed = -1;
    for (int i = 0; i < drives->GetItems()->GetCount() && fixed < 0; ++i)
        if (GetDriveTypeA((drives->GetItems()->Get(i).substr(0, 2) + "\\").c_str()) == DRIVE_FIXED) fixed = i;
    ASSERT_GE(fixed, 0);
    ASSERT_NE(drives->ItemPicture(fixed), nullptr);
    EXPECT_EQ(drives->ItemPicture(fixed)->GetHeight(), 16);
    const TColor kMetal = static_cast<TColor>(0xC0C0C0), kBack = static_cast<TColor>(0x00FF00);
    TBitmap b(150, 24, pf24bit);
    b.GetCanvas()->GetBrush()->SetColor(kBack);
    b.GetCanvas()->FillRect(TRect(0, 0, 150, 24));
    b.GetCanvas()->GetFont()->SetColor(clBlack);
    drives->DrawItem(b.GetCanvas(), fixed, TRect(0, 0, 150, 24));
    // A fixed disk: a metal box low in the picture (centred: rows 4 to 19), the key colour around it.
    EXPECT_EQ(b.GetCanvas()->GetPixel(5, 4 + 9) & 0xFFFFFF, kMetal);
    EXPECT_EQ(b.GetCanvas()->GetPixel(5, 4 + 2) & 0xFFFFFF, kBack);
    // The text starts 6 pixels after the picture: nothing drawn before it.
    bool inked = false, early = false;
    for (int x = 16; x < 150; ++x)
        for (int y = 0; y < 24; ++y) {
            const bool ink = (b.GetCanvas()->GetPixel(x, y) & 0xFFFFFF) != kBack;
            if (ink && x < 22) early = true;
            if (ink) inked = true;
        }
    EXPECT_TRUE(inked);
    EXPECT_FALSE(early);
}

// The drive combo and the directory list follow each other.
TEST(DriveComboBox, AndTheDirectoryListFollowEachOther)
{
    TScratch t("link");
    Scene s;
    auto* drives = new TspSkinDriveComboBox(s.Form.get());
    drives->SetParent(s.Form.get());
    auto* dirs = new TspSkinDirectoryListBox(s.Form.get());
    dirs->SetParent(s.Form.get());
    drives->SetDirList(dirs);
    EXPECT_EQ(dirs->GetDriveCombo(), drives);
    dirs->SetDirectory(t.Root());
    EXPECT_EQ(toupper(drives->GetDrive()), toupper(t.Root()[0]));
    int comboChanges = 0, listChanges = 0;
    drives->OnChange = [&](TObject*) { ++comboChanges; };
    dirs->OnChange = [&](TObject*) { ++listChanges; };
    // The list moves to Z: (Wine's root file system): the combo shows it.
    dirs->SetDirectory("Z:\\");
    EXPECT_EQ(toupper(drives->GetDrive()), 'Z');
    EXPECT_EQ(toupper(drives->GetItems()->Get(drives->GetItemIndex())[0]), 'Z');
    EXPECT_EQ(comboChanges, 1);
    EXPECT_EQ(listChanges, 1);
    // The combo chooses C: the list moves to its root.
    drives->SetDrive('c');
    EXPECT_EQ(dirs->GetDirectory(), "C:\\");
    EXPECT_EQ(listChanges, 2);
    // The list's own drive change goes through the same way.
    dirs->SetDrive('z');
    EXPECT_EQ(dirs->GetDirectory(), "Z:\\");
    EXPECT_EQ(toupper(drives->GetDrive()), 'Z');
    // Unlinked by either side, neither follows any more.
    delete drives;
    EXPECT_EQ(dirs->GetDriveCombo(), nullptr);
    dirs->SetDirectory(t.Root());
    EXPECT_EQ(dirs->GetDirectory(), t.Root());
}

TEST(DriveComboBox, ListsTheDrivesAndMovesTheDirectoryList)
{
    Scene s;
    auto* drives = new TspSkinDriveComboBox(s.Form.get());
    drives->SetParent(s.Form.get());
    drives->SetBounds(5, 250, 200, 20);
    auto* dirs = new TspSkinDirectoryListBox(s.Form.get());
    dirs->SetParent(s.Form.get());
    drives->SetDirList(dirs);
    // Every drive of the mask that is listed reads "x: [label]" or "x:", in letter order.
    std::vector<std::string> items;
    for (int i = 0; i < drives->GetItems()->GetCount(); ++i) items.push_back(drives->GetItems()->Get(i));
    ASSERT_GE(items.size(), 2u);
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_TRUE(items[i].size() == 2 || (items[i].substr(2, 2) == " [" && items[i].back() == ']')) << items[i];
        EXPECT_EQ(items[i][1], ':');
        EXPECT_TRUE(islower(static_cast<unsigned char>(items[i][0])));
        if (i) {
            EXPECT_LT(items[i - 1][0], items[i][0]);
        }
    }
    // Two drives other than the current one (the cwd's drive is selected at first).
    const char current = drives->GetDrive();
    std::vector<char> others;
    for (const std::string& it : items)
        if (toupper(it[0]) != toupper(current)) others.push_back(it[0]);
    ASSERT_GE(others.size(), 1u);
    const char c = others[0];
    int changes = 0;
    drives->OnChange = [&](TObject*) { ++changes; };
    drives->SetDrive(c);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(drives->GetItems()->Get(drives->GetItemIndex())[0], c);
    EXPECT_EQ(dirs->GetDirectory(), std::string(1, static_cast<char>(toupper(c))) + ":\\");
    drives->SetDrive(static_cast<char>(toupper(c)));   // already selected: nothing
    EXPECT_EQ(changes, 1);
    drives->SetDrive(0);   // none: the selection clears, the change still runs
    EXPECT_EQ(drives->GetItemIndex(), -1);
    EXPECT_EQ(changes, 2);
    drives->SetDrive(current);
    EXPECT_EQ(toupper(dirs->GetDirectory()[0]), toupper(current));
    drives->SetTextCase(tcUpperCase);
    EXPECT_EQ(drives->GetItems()->Get(0)[0], toupper(c));
    delete dirs;
    EXPECT_EQ(drives->GetDirList(), nullptr);
    drives->SetDrive(c);
    EXPECT_EQ(drives->GetDrive(), toupper(c));
}

}  // namespace
