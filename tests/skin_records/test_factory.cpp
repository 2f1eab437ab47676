// The entry lists of [SKINOBJECTS] and [SKINCONTROLS]: which entries make
// records, in which order, and what a skin cannot do through them.
#include "test_gtest.h"
#include "SkinRecordFactory.h"

namespace {

std::vector<std::string> Names(const Skindata::TspSkinObjectRecords& objs)
{
    std::vector<std::string> r;
    for (auto& o : objs) r.push_back(o->IDName);
    return r;
}

std::vector<std::string> Names(const Skindata::TspSkinControlRecords& ctrls)
{
    std::vector<std::string> r;
    for (auto& c : ctrls) r.push_back(c->IDName);
    return r;
}

TEST(SkinElements, EntriesMakeRecordsInOrderAndSkipWhatNamesNoKind)
{
    TMemIniFile ini;
    ini.SetText(
        "[SKINOBJECTS]\ncount=4\n0=closebutton:stdbutton\n1=odd:Stdbutton\n2=nocolon\n3=cap:caption\n"
        "[closebutton]\ncommand=cmclose\nskinrect=-4,0,10,10\n"
        "[cap]\nfontheight=20\n"
        "[SKINCONTROLS]\ncount=6\n0=panel:panel\n1=p2:Panel\n2=x:y:panel\n3=:panel\n4=split:splitter\n5=lb:listbox\n"
        "[split]\nclientrect=1,2,3,4\n");
    Skindata::TspSkinObjectRecords objs;
    Skindata::TspSkinControlRecords ctrls;
    Skindata::ReadSkinElements(&ini, objs, ctrls);
    EXPECT_EQ(Names(objs), (std::vector<std::string>{"closebutton", "cap"}));
    EXPECT_EQ(Names(ctrls), (std::vector<std::string>{"panel", "split", "lb"}));
    auto* close = dynamic_cast<TspDataSkinStdButton*>(objs[0].get());
    ASSERT_TRUE(close);
    EXPECT_EQ(close->Command, cmClose);
    EXPECT_EQ(close->SkinRect, TRect(-4, 0, 10, 10));
    EXPECT_EQ(dynamic_cast<TspDataSkinCaption*>(objs[1].get())->Font.Height, 20);
    auto* split = dynamic_cast<TspDataSkinSplitterControl*>(ctrls[1].get());
    ASSERT_TRUE(split);
    EXPECT_EQ(split->ClientRect, TRect(1, 2, 3, 4));
    EXPECT_STREQ(ctrls[1]->TypeWord(), "splitter");
}

TEST(SkinElements, DuplicateAndReservedNamesAreRefused)
{
    TMemIniFile ini;
    ini.SetText("[SKINOBJECTS]\ncount=3\n0=caption:caption\n1=caption:caption\n2=FORMINFO:button\n"
                "[SKINCONTROLS]\ncount=5\n0=button:button\n1=Button:panel\n2=caption:panel\n"
                "3=Pictures:panel\n4=skincontrols:label\n");
    Skindata::TspSkinObjectRecords objs;
    Skindata::TspSkinControlRecords ctrls;
    Skindata::ReadSkinElements(&ini, objs, ctrls);
    EXPECT_EQ(Names(objs), (std::vector<std::string>{"caption"}));
    EXPECT_EQ(Names(ctrls), (std::vector<std::string>{"button"}));
}

TEST(SkinElements, HugeCountsReadOnlyWhatIsThere)
{
    TMemIniFile ini;
    ini.SetText("[SKINOBJECTS]\ncount=2147483647\n0=a:switch\n"
                "[SKINCONTROLS]\ncount=-3\n0=b:bevel\n");
    Skindata::TspSkinObjectRecords objs;
    Skindata::TspSkinControlRecords ctrls;
    Skindata::ReadSkinElements(&ini, objs, ctrls);
    EXPECT_EQ(Names(objs), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(ctrls.empty());
}

// A large description: the name checks and the INI lookups stay linear, so this
// finishes at once rather than after billions of comparisons.
TEST(SkinElements, ManyEntriesAndLongListsRead)
{
    const int n = 30000;
    std::string text = "[SKINCONTROLS]\ncount=" + IntToStr(n) + "\n";
    for (int i = 0; i < n; ++i) text += IntToStr(i) + "=c" + IntToStr(i) + ":bitlabel\n";
    for (int i = 0; i < n; ++i) {
        text += "[c" + IntToStr(i) + "]\nsymbolwidth=" + IntToStr(i) + "\n";
        if (i == 8) {
            // A long line list, and a count far past it.
            text += "symbolslinecount=" + IntToStr(n) + "\n";
            for (int j = 0; j < n; ++j) text += "symbolsline" + IntToStr(j) + "=" + IntToStr(j) + "\n";
        }
        if (i == 7) text += "symbolslinecount=2000000000\n";
    }
    TMemIniFile ini;
    ini.SetText(text);
    Skindata::TspSkinObjectRecords objs;
    Skindata::TspSkinControlRecords ctrls;
    Skindata::ReadSkinElements(&ini, objs, ctrls);
    ASSERT_EQ(ctrls.size(), static_cast<size_t>(n));
    auto* last = dynamic_cast<TspDataSkinBitLabelControl*>(ctrls.back().get());
    ASSERT_TRUE(last);
    EXPECT_EQ(last->SymbolWidth, n - 1);
    auto* c8 = dynamic_cast<TspDataSkinBitLabelControl*>(ctrls[8].get());
    ASSERT_EQ(c8->SkinTextSymbols.GetCount(), n);
    EXPECT_EQ(c8->SkinTextSymbols[n - 1], IntToStr(n - 1));
    auto* c7 = dynamic_cast<TspDataSkinBitLabelControl*>(ctrls[7].get());
    EXPECT_LE(c7->SkinTextSymbols.GetCount(), 2);   // bounded by the keys its section holds
}

TEST(SkinElements, WriteThenReadKeepsOrderKindsAndValues)
{
    // One record of every kind, with values set, written and read back.
    TMemIniFile src;
    Skindata::TspSkinObjectRecords objs;
    Skindata::TspSkinControlRecords ctrls;
    int i = 0;
    for (const std::string& w : Skindata::SkinObjectTypeWords()) {
        objs.emplace_back(Skindata::CreateSkinObject(w, "obj" + IntToStr(i++)));
        objs.back()->SkinRect = TRect(-i, -i, i, i);
    }
    for (const std::string& w : Skindata::SkinControlTypeWords()) {
        ctrls.emplace_back(Skindata::CreateSkinControl(w, "ctl" + IntToStr(i++)));
        ctrls.back()->SkinRect = TRect(-i, 1, i, 2);
    }
    std::vector<TspDataSkinObject*> o;
    for (auto& p : objs) o.push_back(p.get());
    std::vector<TspDataSkinControl*> c;
    for (auto& p : ctrls) c.push_back(p.get());
    TMemIniFile ini;
    Skindata::WriteObjectRecords(&ini, o);
    Skindata::WriteControlRecords(&ini, c);
    EXPECT_EQ(ini.ReadString("SKINOBJECTS", "count", ""), "16");
    EXPECT_EQ(ini.ReadString("SKINOBJECTS", "3", ""), "obj3:stdbutton");

    TMemIniFile text;
    text.SetText(ini.GetText());
    Skindata::TspSkinObjectRecords objs2;
    Skindata::TspSkinControlRecords ctrls2;
    Skindata::ReadSkinElements(&text, objs2, ctrls2);
    ASSERT_EQ(objs2.size(), objs.size());
    ASSERT_EQ(ctrls2.size(), ctrls.size());
    for (size_t k = 0; k < objs.size(); ++k) {
        EXPECT_EQ(objs2[k]->IDName, objs[k]->IDName);
        EXPECT_STREQ(objs2[k]->TypeWord(), objs[k]->TypeWord());
        EXPECT_EQ(objs2[k]->SkinRect, objs[k]->SkinRect) << objs[k]->TypeWord();
    }
    for (size_t k = 0; k < ctrls.size(); ++k) {
        EXPECT_EQ(ctrls2[k]->IDName, ctrls[k]->IDName);
        EXPECT_STREQ(ctrls2[k]->TypeWord(), ctrls[k]->TypeWord());
        EXPECT_EQ(ctrls2[k]->SkinRect, ctrls[k]->SkinRect) << ctrls[k]->TypeWord();
    }
}

TEST(SkinElements, ValidityAndEntrySplitting)
{
    TMemIniFile ini;
    ini.SetText("[VERSION]\nver=2\n[PICTURES]\npicture=a.bmp\n[FORMINFO]\nclientrect=0,0,1,1\n"
                "[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=0\n");
    EXPECT_TRUE(Skindata::CheckSkinFile(&ini));
    TMemIniFile bad;
    bad.SetText("[VERSION]\nver=2\n[PICTURES]\npicture=a.bmp\n[FORMINFO]\nclientrect=0,0,1,1\n"
                "[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\n");
    EXPECT_FALSE(Skindata::CheckSkinFile(&bad));

    std::string name, word;
    Skindata::GetObjectTypeName("a:b:c", name, word);
    EXPECT_EQ(name, "a");
    EXPECT_EQ(word, "b:c");
    Skindata::GetObjectTypeName("plain", name, word);
    EXPECT_EQ(name, "");
    EXPECT_EQ(word, "");
    TRect r;
    Skindata::GetAreaNameRect("area1:-1,2,30,40", name, r);
    EXPECT_EQ(name, "area1");
    EXPECT_EQ(r, TRect(-1, 2, 30, 40));
    Skindata::GetAreaNameRect("noarea", name, r);
    EXPECT_EQ(name, "");
    EXPECT_EQ(r, TRect());
    EXPECT_THROW(Skindata::GetAreaNameRect("x:1,2", name, r), EConvertError);
    EXPECT_TRUE(Skindata::IsTopLevelSection("hintwindow"));
    EXPECT_FALSE(Skindata::IsTopLevelSection("hint"));
}

} // namespace
