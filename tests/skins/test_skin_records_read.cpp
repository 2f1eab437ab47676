// The generated descriptions read through the engine's own records: nothing is
// skipped, every key the records write is present, and writing the records back
// gives every generated value unchanged.
#include "test_gtest.h"
#include "IniFiles.h"
#include "SkinBuilder.h"
#include "SkinRecordFactory.h"

namespace {

using Skingen::BuiltSkin;

const std::string Absent = "<absent>";

// Every key of the generated section reads back the same from Written, and Written
// holds no key that the generated section lacks.
void ExpectSameSection(const Skingen::IniSection& generated, const TMemIniFile& written)
{
    for (const auto& kv : generated.Keys())
        EXPECT_EQ(written.ReadString(generated.Name(), kv.first, Absent), kv.second)
            << "[" << generated.Name() << "] " << kv.first;
    TStringList keys;
    written.ReadSection(generated.Name(), &keys);
    for (int i = 0; i < keys.GetCount(); ++i) {
        bool found = false;
        for (const auto& kv : generated.Keys())
            found = found || CompareText(kv.first, keys[i]) == 0;
        EXPECT_TRUE(found) << "[" << generated.Name() << "] lacks " << keys[i];
    }
}

class GeneratedRecords : public ::testing::TestWithParam<int> {
protected:
    BuiltSkin Skin() const { return Skingen::BuildSkin(GetParam() == 0 ? Skingen::Korvel2Style() : Skingen::SarnicStyle()); }
};

TEST_P(GeneratedRecords, EveryElementReadsAndWritesBackUnchanged)
{
    BuiltSkin skin = Skin();
    TMemIniFile ini;
    ini.SetText(skin.Description.Render());
    ASSERT_TRUE(Skindata::CheckSkinFile(&ini));

    Skindata::TspSkinObjectRecords objects;
    Skindata::TspSkinControlRecords controls;
    Skindata::ReadSkinElements(&ini, objects, controls);
    const Skingen::IniSection& objList = *skin.Description.Find("SKINOBJECTS");
    const Skingen::IniSection& ctlList = *skin.Description.Find("SKINCONTROLS");
    ASSERT_EQ(int(objects.size()), std::stoi(objList.Get("count")));
    ASSERT_EQ(int(controls.size()), std::stoi(ctlList.Get("count")));
    for (size_t i = 0; i < objects.size(); ++i)
        EXPECT_EQ(objects[i]->IDName + ":" + objects[i]->TypeWord(), objList.Get(std::to_string(i)));
    for (size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(controls[i]->IDName + ":" + controls[i]->TypeWord(), ctlList.Get(std::to_string(i)));

    TMemIniFile out;
    std::vector<TspDataSkinObject*> o;
    std::vector<TspDataSkinControl*> c;
    for (auto& r : objects)
        o.push_back(r.get());
    for (auto& r : controls)
        c.push_back(r.get());
    Skindata::WriteObjectRecords(&out, o);
    Skindata::WriteControlRecords(&out, c);
    ExpectSameSection(objList, out);
    ExpectSameSection(ctlList, out);
    for (auto* r : o)
        ExpectSameSection(*skin.Description.Find(r->IDName), out);
    for (auto* r : c)
        ExpectSameSection(*skin.Description.Find(r->IDName), out);
}

TEST_P(GeneratedRecords, PopupAndHintWindowsReadAndWriteBackUnchanged)
{
    BuiltSkin skin = Skin();
    TMemIniFile ini;
    ini.SetText(skin.Description.Render());
    TspDataSkinPopupWindow popup;
    TspDataSkinHintWindow hint;
    popup.LoadFromFile(&ini);
    hint.LoadFromFile(&ini);
    EXPECT_GE(popup.WindowPictureIndex, 0);
    EXPECT_GE(hint.WindowPictureIndex, 0);
    TMemIniFile out;
    popup.SaveToFile(&out);
    hint.SaveToFile(&out);
    ExpectSameSection(*skin.Description.Find("POPUPWINDOW"), out);
    ExpectSameSection(*skin.Description.Find("HINTWINDOW"), out);
}

INSTANTIATE_TEST_SUITE_P(Skins, GeneratedRecords, ::testing::Values(0, 1));

} // namespace
