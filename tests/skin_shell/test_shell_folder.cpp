#include "test_gtest.h"
#include "ShellFolder.h"
#include "DateRules.h"
#include "TempTree.h"
#include <commctrl.h>
#include <cstring>
#include <map>
#include <memory>

using namespace Spskinshellctrls;

namespace {

std::unique_ptr<TspShellFolder> RootOf(const std::string& path)
{
    std::unique_ptr<TspShellFolder> root;
    std::string name = path;
    CreateShellRootFolder(root, "", name);
    return root;
}

// The items of a folder as the shell enumerates them, children of Parent.
std::vector<std::unique_ptr<TspShellFolder>> Children(TspShellFolder* Parent, TShellObjectTypes types)
{
    std::vector<std::unique_ptr<TspShellFolder>> r;
    TComPtr<IEnumIDList> items;
    if (Parent->ShellFolder()->EnumObjects(nullptr, ObjectTypesToEnumFlags(types), items.Put()) != S_OK) return r;
    TPidl item;
    ULONG fetched = 0;
    while (items->Next(1, item.Put(), &fetched) == S_OK) {
        TComPtr<IShellFolder> f = BindShellFolderObject(Parent->ShellFolder(), item.Get(), nullptr);
        r.emplace_back(new TspShellFolder(Parent, item.Get(), f.Get()));
    }
    return r;
}

TspShellFolder* Find(const std::vector<std::unique_ptr<TspShellFolder>>& items, const std::string& name)
{
    for (const auto& i : items)
        if (SameText(i->DisplayName(), name) || SameText(ExtractFileName(i->PathName()), name)) return i.get();
    return nullptr;
}

} // namespace

TEST(ShellFolder, EnumeratesNamesAndAttributesOfATree)
{
    TTempTree tree;
    auto root = RootOf(tree.Root());
    ASSERT_TRUE(root);
    EXPECT_TRUE(SameText(root->PathName(), tree.Root())) << root->PathName();
    EXPECT_TRUE(root->IsFolder());
    EXPECT_TRUE(root->Properties().Contains(fpFileSystem));

    auto all = Children(root.get(), {otFolders, otNonFolders});
    std::map<std::string, bool> seen;   // name -> is a folder
    for (const auto& i : all) seen[LowerCase(ExtractFileName(i->PathName()))] = i->IsFolder();
    const std::map<std::string, bool> expected = {
        {"alpha", true}, {"beta", true}, {"one.txt", false}, {"two.skn", false}};
    EXPECT_EQ(seen, expected);

    auto folders = Children(root.get(), {otFolders});
    EXPECT_EQ(folders.size(), 2u);
    auto files = Children(root.get(), {otNonFolders});
    EXPECT_EQ(files.size(), 2u);

    TspShellFolder* one = Find(all, "one.txt");
    ASSERT_NE(one, nullptr);
    EXPECT_TRUE(SameText(one->PathName(), tree.Path("one.txt")));
    EXPECT_EQ(one->Level(), 1);
    EXPECT_TRUE(one->Capabilities().Contains(fcCanRename));
    EXPECT_TRUE(one->Properties().Contains(fpFileSystem));
    EXPECT_TRUE(Find(all, "beta")->SubFolders());

    EXPECT_TRUE(FolderHasChildren(root->ShellFolder(), ObjectTypesToEnumFlags({otFolders, otNonFolders})));
    TspShellFolder* alpha = Find(all, "alpha");
    ASSERT_NE(alpha, nullptr);
    EXPECT_FALSE(FolderHasChildren(alpha->ShellFolder(), ObjectTypesToEnumFlags({otFolders, otNonFolders})));
    EXPECT_FALSE(FolderHasChildren(nullptr, 0x60));
}

TEST(ShellFolder, ArchivesListAsFiles)
{
    TTempTree tree;
    for (const char* name : {"Pack.Zip", "other.ZIP", "plain.zipx"}) tree.MakeFolder(name);
    auto root = RootOf(tree.Root());
    auto all = Children(root.get(), {otFolders, otNonFolders});
    const struct { const char* name; bool folder; } cases[] = {
        {"Pack.Zip", false}, {"other.ZIP", false}, {"plain.zipx", true}, {"alpha", true}};
    for (const auto& c : cases) {
        TspShellFolder* item = Find(all, c.name);
        ASSERT_NE(item, nullptr) << c.name;
        EXPECT_TRUE(PidlIsFolder(root->ShellFolder(), item->RelativeID())) << c.name;
        EXPECT_EQ(item->IsFolder(), c.folder) << c.name;
    }
}

TEST(ShellFolder, IconIndexesComeFromTheSystemImageList)
{
    TTempTree tree;
    auto root = RootOf(tree.Root());
    auto all = Children(root.get(), {otFolders, otNonFolders});
    for (const char* name : {"alpha", "one.txt", "two.skn"}) {
        TspShellFolder* item = Find(all, name);
        ASSERT_NE(item, nullptr) << name;
        for (bool large : {false, true}) {
            SHFILEINFOA byPath = {};
            UINT flags = SHGFI_SYSICONINDEX | (large ? 0 : SHGFI_SMALLICON);
            HIMAGELIST list = reinterpret_cast<HIMAGELIST>(
                SHGetFileInfoA(tree.Path(name).c_str(), 0, &byPath, sizeof(byPath), flags));
            ASSERT_NE(list, nullptr);
            int index = item->ImageIndex(large);
            EXPECT_GE(index, 0) << name;
            EXPECT_LT(index, ImageList_GetImageCount(list)) << name;
            EXPECT_EQ(index, byPath.iIcon) << name;
        }
    }
}

TEST(ShellFolder, ParentWalkAndLevels)
{
    TTempTree tree;
    auto root = RootOf(tree.Root());
    EXPECT_EQ(root->Level(), 0);
    EXPECT_EQ(root->Parent(), DesktopItem());
    auto top = Children(root.get(), {otFolders});
    TspShellFolder* beta = Find(top, "beta");
    ASSERT_NE(beta, nullptr);
    auto mid = Children(beta, {otFolders});
    ASSERT_EQ(mid.size(), 1u);
    TspShellFolder* gamma = mid[0].get();
    auto low = Children(gamma, {otNonFolders});
    ASSERT_EQ(low.size(), 1u);
    TspShellFolder* deep = low[0].get();
    EXPECT_EQ(gamma->Level(), 2);
    EXPECT_EQ(deep->Level(), 3);
    EXPECT_TRUE(SameText(deep->PathName(), tree.Path("beta\\gamma\\deep.txt"))) << deep->PathName();

    // Up the parents: each one's absolute list is the matching ancestor list.
    std::vector<TPidl> anc = PidlAncestorList(deep->AbsoluteID());
    ASSERT_EQ(static_cast<int>(anc.size()), PidlItemCount(deep->AbsoluteID()));
    EXPECT_EQ(PidlItemCount(anc.front().Get()), 0);
    const TspShellFolder* p = deep->Parent();
    for (size_t i = anc.size() - 1; p != root.get(); --i, p = p->Parent()) {
        EXPECT_TRUE(PidlEqual(anc[i].Get(), p->AbsoluteID())) << p->PathName();
        auto made = CreateShellFolderFromPidl(anc[i].Get());
        EXPECT_TRUE(SameText(made->PathName(), p->PathName()));
    }
    EXPECT_TRUE(PidlEqual(anc[anc.size() - 3].Get(), root->AbsoluteID()));
}

TEST(ShellFolder, RootNames)
{
    std::unique_ptr<TspShellFolder> root;
    std::string name = "RFMYCOMPUTER";
    CreateShellRootFolder(root, "", name);
    ASSERT_TRUE(root);
    TPidl computer;
    ASSERT_TRUE(SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, computer.Put())));
    EXPECT_TRUE(PidlEqual(root->AbsoluteID(), computer.Get()));
    EXPECT_NE(root->PathName().compare(0, 3, "::{"), 0) << root->PathName();
    EXPECT_FALSE(root->PathName().empty());
    EXPECT_EQ(RootFolderFromName("rftemplates"), rfTemplates);
    EXPECT_EQ(RootFolderCsidl(rfMyComputer), 17);

    name = "C:";
    CreateShellRootFolder(root, "rfMyComputer", name);
    EXPECT_EQ(name, "C:\\");
    EXPECT_TRUE(SameText(root->PathName(), "C:\\"));

    TspShellFolder* kept = root.get();
    for (const char* bad : {"", "Q:\\no\\such\\folder\\anywhere"}) {
        name = bad;
        try {
            CreateShellRootFolder(root, "C:\\", name);
            ADD_FAILURE() << "no exception for " << bad;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), std::string("Error setting path: \"") + bad + "\"");
        }
        EXPECT_EQ(name, "C:\\");
        EXPECT_EQ(root.get(), kept);
    }
}

TEST(ShellFolder, StrRetTexts)
{
    const struct { const char* in; const char* out; } cases[] = {
        {"?1?2name?", "12name"}, {"?a?b", "?a?b"}, {"?", "?"}, {"plain", "plain"}, {"", ""},
    };
    for (const auto& c : cases) {
        STRRET s = {};
        s.uType = STRRET_CSTR;
        lstrcpynA(s.cStr, c.in, MAX_PATH);
        EXPECT_EQ(StrRetText(nullptr, s), c.out);
    }
    STRRET w = {};
    w.uType = STRRET_WSTR;
    TWideString text = AnsiToWide("wide name");
    w.pOleStr = static_cast<LPWSTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(WCHAR)));
    std::memcpy(w.pOleStr, text.c_str(), (text.size() + 1) * sizeof(WCHAR));
    EXPECT_EQ(StrRetText(nullptr, w), "wide name");
    EXPECT_EQ(w.pOleStr, nullptr);   // freed

    // An item "\x0a\x00" "abcdefgh": the text from offset 4 to the item's end.
    BYTE item[14] = {10, 0, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 0, 0};
    STRRET o = {};
    o.uType = STRRET_OFFSET;
    o.uOffset = 4;
    EXPECT_EQ(StrRetText(reinterpret_cast<LPCITEMIDLIST>(item), o), "cdefgh");
    o.uOffset = 40;   // beyond the item: nothing is read
    EXPECT_EQ(StrRetText(reinterpret_cast<LPCITEMIDLIST>(item), o), "");
    EXPECT_EQ(GetShellDisplayText(nullptr, nullptr, 0), "parentfolder = nil");
}

TEST(ShellFolder, DetailTexts)
{
    TTempTree tree;
    auto root = RootOf(tree.Root());
    auto files = Children(root.get(), {otNonFolders});
    TspShellFolder* one = Find(files, "one.txt");
    ASSERT_NE(one, nullptr);
    EXPECT_THROW(one->GetDetails(1), Exception);
    one->LoadColumnDetails(root.get(), nullptr, 4);
    ASSERT_EQ(one->DetailCount(), 4);
    EXPECT_NE(root->GetDetailInterface(), nullptr);
    std::string first = one->GetDetails(1);
    one->LoadColumnDetails(root.get(), nullptr, 3);   // already has enough
    EXPECT_EQ(one->GetDetails(1), first);
    one->SetDetails(2, "second");
    EXPECT_EQ(one->GetDetails(2), "second");
    one->SetDetails(5, "fifth");
    EXPECT_EQ(one->DetailCount(), 5);
    EXPECT_EQ(one->GetDetails(5), "fifth");
    EXPECT_THROW(one->SetDetails(9, "far"), Exception);
}

// The Modified column speaks the library's date format, not ISO.
TEST(ShellFolder, ModifiedTextUsesTheLibrarysDateFormat)
{
    TspDateFormat saved = Spdates::Settings();
    Spdates::Settings().ShortDateFormat = "dd/MM/yyyy";
    Spdates::Settings().DateSeparator = '.';
    struct Case {
        WORD Year, Month, Day, Hour, Minute, Second;
        std::string Date;
        bool WithTime;
    } cases[] = {
        {2021, 3, 5, 14, 7, 23, "05.03.2021", true},
        {1999, 12, 31, 0, 0, 0, "31.12.1999", false},
    };
    for (const Case& c : cases) {
        SYSTEMTIME local = {c.Year, c.Month, 0, c.Day, c.Hour, c.Minute, c.Second, 0};
        FILETIME lf, utc;
        ASSERT_TRUE(SystemTimeToFileTime(&local, &lf));
        ASSERT_TRUE(LocalFileTimeToFileTime(&lf, &utc));
        const std::string text = ModifiedText(utc);
        if (!c.WithTime) {
            EXPECT_EQ(text, c.Date);
            continue;
        }
        local.wSecond = static_cast<WORD>(local.wSecond / 2 * 2);   // the file system's steps
        char time[64] = {};
        GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &local, nullptr, time, sizeof time);
        EXPECT_EQ(text, c.Date + " " + time);
        EXPECT_EQ(text.find('-'), std::string::npos) << text;
    }
    Spdates::Settings() = saved;
}

TEST(ShellFolder, RenameKeepsTheItemUsable)
{
    TTempTree tree;
    auto root = RootOf(tree.Root());
    auto files = Children(root.get(), {otNonFolders});
    TspShellFolder* two = Find(files, "two.skn");
    ASSERT_NE(two, nullptr);
    ASSERT_TRUE(two->Rename("renamed.skn"));
    EXPECT_EQ(GetFileAttributesA(tree.Path("two.skn").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesA(tree.Path("renamed.skn").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(SameText(ExtractFileName(two->PathName()), "renamed.skn")) << two->PathName();
    EXPECT_EQ(PidlItemCount(two->AbsoluteID()), PidlItemCount(root->AbsoluteID()) + 1);
}
