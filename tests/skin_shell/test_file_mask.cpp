#include "test_gtest.h"
#include "FileMask.h"

using namespace Spfilectrl;

TEST(FileMask, MatchesAsFilePatterns)
{
    const struct { const char* name; const char* mask; bool pass; } cases[] = {
        {"blue.skn", "*.skn", true},
        {"BLUE.SKN", "*.skn", true},
        {"blue.sk", "*.skn", false},         // an extension that is a part of the mask's
        {"blue.sknx", "*.skn", false},
        {"blue.txt", "*.skn", false},
        {"skn", "*.skn", false},
        {"blue", "*.*", true},
        {"a.b.c", "*.*", true},
        {".hidden", "*.*", true},
        {"noext", "*", true},
        {"pic.bmp", "*.bmp;*.ico", true},
        {"pic.ico", "*.bmp; *.ico", true},
        {"pic.png", "*.bmp;*.ico", false},
        {"x.ini", "*.*|*.*", true},
        {"a1.txt", "a?.txt", true},
        {"a12.txt", "a?.txt", false},
        {"readme", "readme.*", true},
        {"readme.md", "readme.*", true},
        {"readmeX", "readme.*", false},
        {"C:\\skins\\dark.skn", "*.skn", true},
        {"C:\\skins.skn\\dark.ini", "*.skn", false},
        {"anything", "", true},
        {"anything", " ; ", true},
        {"abcabcabcabcabcabcabc.x", "*a*b*c*a*b*c*.x", true},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*c", false},
    };
    for (const auto& c : cases) EXPECT_EQ(MatchesFileMask(c.name, c.mask), c.pass) << c.name << " / " << c.mask;
}

TEST(FileMask, SplitsPatterns)
{
    EXPECT_EQ(SplitFileMask("*.skn;*.ini"), (std::vector<std::string>{"*.skn", "*.ini"}));
    EXPECT_EQ(SplitFileMask(" *.a ;; *.b|*.c "), (std::vector<std::string>{"*.a", "*.b", "*.c"}));
    EXPECT_TRUE(SplitFileMask("").empty());
}
