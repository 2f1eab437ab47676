#include "test_gtest.h"
#include "ResourceStream.h"
#include "Spconst.h"
#include <set>

TEST(ResourceStream, ReadsRcdataByNameAndByNumber)
{
    const std::string expected("resource bytes\0\1\2\3 end", 22);
    TResourceStream byName(GetModuleHandleA(nullptr), "TESTBLOB", RT_RCDATA);
    TResourceStream byId(GetModuleHandleA(nullptr), 77, RT_RCDATA);
    for (TResourceStream* s : {&byName, &byId}) {
        ASSERT_EQ(s->GetSize(), static_cast<long long>(expected.size()));
        std::string got(expected.size(), '\0');
        s->ReadBuffer(&got[0], static_cast<long>(got.size()));
        EXPECT_EQ(got, expected);
        char c;
        EXPECT_EQ(s->Read(&c, 1), 0);
        EXPECT_THROW(s->Write("x", 1), EStreamError);
    }
    EXPECT_THROW(TResourceStream(GetModuleHandleA(nullptr), "NOSUCHBLOB", RT_RCDATA), EResNotFound);
    EXPECT_THROW(TResourceStream(GetModuleHandleA(nullptr), 78, RT_RCDATA), EResNotFound);
}

namespace {
struct TExpectedText {
    const char* Name;
    int Id;
    const char* Text;
};
const TExpectedText ExpectedTexts[] = {
#include "spconst_texts.inc"
};
} // namespace

TEST(StringTable, EveryEntryReadsItsTextFromTheProgramsTable)
{
    ASSERT_EQ(Spconst::StringEntryCount, 65);
    ASSERT_EQ(sizeof(ExpectedTexts) / sizeof(ExpectedTexts[0]), 65u);
    std::set<int> ids;
    for (int i = 0; i < Spconst::StringEntryCount; ++i) {
        const auto& e = Spconst::StringEntries[i];
        EXPECT_STREQ(e.Name, ExpectedTexts[i].Name);
        EXPECT_EQ(e.Id, ExpectedTexts[i].Id);
        EXPECT_EQ(Spconst::LoadResString(e.Id), ExpectedTexts[i].Text) << e.Name;
        ids.insert(e.Id);
    }
    EXPECT_EQ(ids.size(), 65u);
    // The three runs of identifiers.
    for (int id : ids) EXPECT_TRUE((id >= 65456 && id <= 65462) || (id >= 65472 && id <= 65519) || id >= 65526) << id;
}

TEST(StringTable, NamedAccessorsAndTheTwoErrors)
{
    EXPECT_EQ(Spconst::_SP_MI_ROLLUPCAPTION(), "Ro&llUp");
    EXPECT_EQ(Spconst::_SP_FLV_LOOKIN(), "Look in: ");
    EXPECT_EQ(Spconst::_SP_Edit_Paste(), "Paste");
    EXPECT_EQ(Spconst::_SP_ERROR(), Spconst::_SP_MSG_CAP_ERROR());
    EXPECT_NE(SPCONST_ID_SP_ERROR, SPCONST_ID_SP_MSG_CAP_ERROR);
}
