#include "test_gtest.h"
#include "FileFilter.h"
#include "FilePaths.h"
#include "SysUtils.h"
#include "TempTree.h"

using namespace Spfilectrl;

TEST(FilePaths, MinimizeNameShortensStepByStep)
{
    // Width counted in characters: each step is seen at the width that stops there.
    auto chars = [](const std::string& s) { return static_cast<int>(s.size()); };
    const std::string name = "D:\\Program Files\\Tool\\Data\\file.txt";
    const struct { int max; const char* out; } cases[] = {
        {200, "D:\\Program Files\\Tool\\Data\\file.txt"},
        {25, "D:\\...\\Tool\\Data\\file.txt"},
        {20, "D:\\...\\Data\\file.txt"},
        {15, "D:\\...\\file.txt"},
        {12, "...\\file.txt"},
        {9, "file.txt"},
        {1, "file.txt"},
    };
    for (const auto& c : cases) EXPECT_EQ(MinimizeName(name, chars, c.max), c.out) << c.max;
    EXPECT_EQ(MinimizeName("\\\\server\\share\\x.txt", chars, 10), "\\...\\x.txt");
    EXPECT_EQ(MinimizeName("\\\\server\\share\\x.txt", chars, 6), "x.txt");
}

TEST(FilePaths, DropFirstDirectoryAndAppend)
{
    const struct { const char* in; const char* out; } drops[] = {
        {"\\", ""}, {"\\A\\B\\", "\\...\\B\\"}, {"\\...\\B\\", "\\...\\"}, {"A\\B\\", "...\\B\\"},
        {"...\\", ""}, {"A", ""},
    };
    for (const auto& d : drops) {
        std::string s = d.in;
        DropFirstDirectory(s);
        EXPECT_EQ(s, d.out) << d.in;
    }
    EXPECT_EQ(AppendPathPart("C:\\", "a"), "C:\\a");
    EXPECT_EQ(AppendPathPart("C:\\x", "a"), "C:\\x\\a");
}

TEST(FilePaths, ForceDirectoriesAndVolumeText)
{
    TTempTree tree;
    EXPECT_TRUE(Spfilectrl::ForceDirectories(tree.Path("alpha")));
    EXPECT_TRUE(Spfilectrl::ForceDirectories("C:\\"));
    std::string deep = tree.Path("n1\\n2\\n3\\");
    EXPECT_FALSE(Spfilectrl::DirectoryExists(deep));
    EXPECT_TRUE(Spfilectrl::ForceDirectories(deep));
    EXPECT_TRUE(Spfilectrl::DirectoryExists(deep));
    EXPECT_FALSE(Spfilectrl::DirectoryExists(tree.Path("one.txt")));

    std::string lower = DriveVolumeText('c'), upper = DriveVolumeText('C');
    ASSERT_GE(lower.size(), 2u);
    EXPECT_EQ(lower.front(), '[');
    EXPECT_EQ(lower.back(), ']');
    EXPECT_EQ(lower, LowerCase(lower));
    EXPECT_EQ(upper, UpperCase(upper));
    EXPECT_TRUE(SameText(lower, upper));
}

// Typed paths split against the folder shown; the process's current directory
// is neither used nor changed.
TEST(FilePaths, ProcessPathSplitsTypedPaths)
{
    TTempTree tree;
    const std::string root = tree.Root(), noDrive = root.substr(2);
    const char drive = root[0];
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    const struct {
        std::string typed, dir, file;
    } cases[] = {
        {"*.skn", noDrive, "*.skn"},
        {"two.skn", noDrive, "two.skn"},
        {"beta", noDrive + "\\beta", ""},
        {"beta\\gamma\\deep.txt", noDrive + "\\beta\\gamma", "deep.txt"},
        {"beta\\gamma\\*.t?t", noDrive + "\\beta\\gamma", "*.t?t"},
        {"beta\\..\\alpha", noDrive + "\\alpha", ""},
        {root + "\\beta\\gamma", noDrive + "\\beta\\gamma", ""},
        {noDrive + "\\one.txt", noDrive, "one.txt"},
        {"\\", "\\", ""},
        {std::string(1, drive) + ":", noDrive, ""},
    };
    for (const auto& c : cases) {
        char d = 0;
        std::string dir, file;
        ProcessPath(c.typed, tree.Root(), d, dir, file);
        EXPECT_EQ(toupper(d), toupper(drive)) << c.typed;
        EXPECT_TRUE(SameText(dir, c.dir)) << c.typed << ": " << dir;
        EXPECT_EQ(file, c.file) << c.typed;
    }
    // Neither a file nor a folder: the folder it would be is not there.
    for (const char* bad : {"none.txt", "gone\\x.txt"}) {
        char d = 0;
        std::string dir, file;
        EXPECT_THROW(ProcessPath(bad, tree.Root(), d, dir, file), std::exception) << bad;
    }
    char after[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_STREQ(after, cwd);
    // A drive that is no network connection shows its volume label.
    EXPECT_EQ(DriveNetworkText('c'), DriveVolumeText('c'));
}

TEST(FileFilter, EntriesAndMasks)
{
    typedef std::vector<TFileFilterEntry> E;
    const struct { const char* filter; E entries; } cases[] = {
        {"Compressed skin (*.skn)|*.skn|UnCompressed skin (*.ini)|*.ini",
         {{"Compressed skin (*.skn)", "*.skn"}, {"UnCompressed skin (*.ini)", "*.ini"}}},
        {"", {}},
        {"Pictures|*.bmp;*.ico|dropped", {{"Pictures", "*.bmp;*.ico"}}},
        {"All files (*.*)|*.*", {{"All files (*.*)", "*.*"}}},
        {"only a description", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseFileFilter(c.filter), c.entries) << c.filter;

    E two = ParseFileFilter("A|*.a|B|*.b");
    EXPECT_EQ(FileFilterMask(two, 0), "*.a");
    EXPECT_EQ(FileFilterMask(two, 1), "*.b");
    EXPECT_EQ(FileFilterMask(two, -1), "*.b");
    EXPECT_EQ(FileFilterMask(E{}, -1), "*.*");
    EXPECT_EQ(FileFilterMask(two, 7), "*.*");
}
