#include "test_gtest.h"
#include "Classes.h"

namespace {

TEST(StringList, TextSplitsEveryLineBreakAndJoinsWithCrLf)
{
    TStringList s;
    s.SetText("one\r\ntwo\nthree\rfour");
    ASSERT_EQ(s.Count(), 4);
    EXPECT_EQ(s[3], "four");
    EXPECT_EQ(s.GetText(), "one\r\ntwo\r\nthree\r\nfour\r\n");
    s.SetText("");
    EXPECT_EQ(s.Count(), 0);
    s.SetText("a\r\n\r\nb\r\n");
    EXPECT_EQ(s.Count(), 3);
    EXPECT_EQ(s[1], "");
}

TEST(StringList, NameValueAccess)
{
    TStringList s;
    s.Add("Lang=English");
    s.Add("HelpFile=help.htm");
    EXPECT_EQ(s.GetValue("lang"), "English");
    EXPECT_EQ(s.GetName(1), "HelpFile");
    s.SetValue("Lang", "Deutsch");
    EXPECT_EQ(s[0], "Lang=Deutsch");
    s.SetValue("New", "1");
    EXPECT_EQ(s.Count(), 3);
    s.SetValue("New", "");
    EXPECT_EQ(s.Count(), 2);
}

TEST(StringList, SortedListKeepsOrderAndDuplicatesRule)
{
    TStringList s;
    s.SetSorted(true);
    for (auto w : {"pear", "Apple", "fig", "apple"}) s.Add(w);
    EXPECT_EQ(s.Count(), 3);   // dupIgnore, case-insensitive
    EXPECT_EQ(s[0], "Apple");
    EXPECT_EQ(s[2], "pear");
    int i;
    EXPECT_TRUE(s.Find("FIG", i));
    EXPECT_EQ(i, 1);
    EXPECT_THROW(s.Insert(0, "x"), EStringListError);
    s.Duplicates = dupError;
    EXPECT_THROW(s.Add("PEAR"), EStringListError);
}

TEST(StringList, ChangeEventsFollowUpdates)
{
    TStringList s;
    int changes = 0;
    s.OnChange = [&](TObject*) { ++changes; };
    s.Add("a");
    EXPECT_EQ(changes, 1);
    s.BeginUpdate();
    s.Add("b");
    s.Add("c");
    EXPECT_EQ(changes, 1);
    s.EndUpdate();
    EXPECT_EQ(changes, 2);
}

TEST(StringList, CommaTextQuotesWhereNeeded)
{
    TStringList s;
    s.SetCommaText("a, \"b c\",\"d\"\"e\",f");
    ASSERT_EQ(s.Count(), 4);
    EXPECT_EQ(s[1], "b c");
    EXPECT_EQ(s[2], "d\"e");
    EXPECT_EQ(s.GetCommaText(), "a,\"b c\",\"d\"\"e\",f");
}

} // namespace
