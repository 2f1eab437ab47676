#include "test_gtest.h"
#include "FileListing.h"
#include "SysUtils.h"
#include "TempTree.h"

using namespace Spfilectrl;

typedef std::vector<std::string> S;

TEST(FileListing, DirectoryEntriesAndTheirPaths)
{
    TTempTree tree;
    int current = -1;
    auto entries = DirectoryListEntries(tree.Root(), current);
    // C:\ users ... <tree> then the subfolders.
    ASSERT_GE(entries.size(), 4u);
    EXPECT_EQ(entries[0], (TDirectoryEntry{"C:\\", dkPathFolder}));
    ASSERT_EQ(current, static_cast<int>(entries.size()) - 3);
    EXPECT_EQ(entries[current], (TDirectoryEntry{ExtractFileName(tree.Root()), dkCurrentFolder}));
    EXPECT_EQ(entries[current + 1], (TDirectoryEntry{"alpha", dkSubFolder}));
    EXPECT_EQ(entries[current + 2], (TDirectoryEntry{"beta", dkSubFolder}));
    EXPECT_EQ(DirectoryEntryPath(tree.Root(), entries, 0), "C:\\");
    EXPECT_EQ(DirectoryEntryPath(tree.Root(), entries, current), tree.Root());
    EXPECT_EQ(DirectoryEntryPath(tree.Root(), entries, current - 1), ExtractFileDir(tree.Root()));
    EXPECT_EQ(DirectoryEntryPath(tree.Root(), entries, current + 2), tree.Path("beta"));
    EXPECT_EQ(DirectoryEntryPath(tree.Root(), entries, 99), "");

    // Every ancestor entry opens the folder of that name.
    for (int i = 1; i < current; ++i)
        EXPECT_TRUE(SameText(ExtractFileName(DirectoryEntryPath(tree.Root(), entries, i)), entries[i].Text)) << i;

    auto atRoot = DirectoryListEntries("C:\\", current);
    EXPECT_EQ(current, 0);
    EXPECT_EQ(atRoot[0], (TDirectoryEntry{"C:\\", dkCurrentFolder}));

    const std::vector<TDirectoryEntry> share = {{"\\\\server\\share\\", dkPathFolder}, {"dir", dkCurrentFolder}};
    EXPECT_EQ(DirectoryListEntries("\\\\server\\share\\dir", current), share);
    EXPECT_EQ(current, 1);

    std::vector<TDirectoryEntry> dabe = {{"D:\\", dkPathFolder}, {"A", dkPathFolder}, {"B", dkPathFolder},
                                         {"E", dkCurrentFolder}};
    EXPECT_EQ(DirectoryEntryPath("D:\\A\\B\\E", dabe, 2), "D:\\A\\B");
    EXPECT_EQ(DirectoryEntryPath("D:\\A\\B\\E", dabe, 1), "D:\\A");
}

TEST(FileListing, FileNamesByMaskAndType)
{
    TTempTree tree;
    TTempTree::WriteFile(tree.Path("three.sknx"), "x");
    TTempTree::WriteFile(tree.Path("four.sk"), "x");
    const TFileTypeSet normal, folders{FILE_ATTRIBUTE_DIRECTORY, false};
    const struct { const char* mask; TFileTypeSet type; S names; } cases[] = {
        {"*.skn", normal, {"two.skn"}},
        {"*.txt;*.skn", normal, {"one.txt", "two.skn"}},
        {"*.sk", normal, {"four.sk"}},
        // In the class library's text order (the sorted list box's), as the platform compares.
        {"*.*", folders, {"[..]", "[.]", "[alpha]", "[beta]"}},
        {"*.*", normal, {"four.sk", "one.txt", "three.sknx", "two.skn", "[..]", "[.]", "[alpha]", "[beta]"}},
        {"*.none", normal, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadFileNames(tree.Root(), c.mask, c.type), c.names) << c.mask;
    EXPECT_EQ(ExtractFileDrive("\\\\srv\\sh\\x"), "\\\\srv\\sh");
    EXPECT_EQ(ExtractFileDrive("relative"), "");
}
