// The built-in layouts: every key the control reads, in all four layouts and
// without one; names, case and the odd lines of a layout text.
#include "test_gtest.h"
#include "ViewerLayout.h"
#include "SysUtils.h"

namespace {

struct KeyRow {
    const char* key;
    int def, p1, p2, p3, p4;
};

const KeyRow kKeys[] = {
    {"AppletWidth", 170, 170, 510, 330, 808},      {"AppletHeight", 510, 510, 170, 500, 524},
    {"VideoX", 5, 5, 8, 5, 4},                      {"VideoY", 33, 33, 8, 28, 34},
    {"VideoWidth", 160, 160, 160, 320, 640},        {"VideoHeight", 120, 120, 120, 240, 480},
    {"InputMessageX", 12, 12, 176, 5, 657},         {"InputMessageY", 352, 352, 103, 440, 458},
    {"InputMessageWidth", 143, 143, 181, 165, 142}, {"InputMessageHeight", 26, 26, 26, 26, 26},
    {"ChatViewX", 4, 4, 176, 5, 657},               {"ChatViewY", 167, 167, 8, 279, 182},
    {"ChatViewWidth", 160, 160, 181, 165, 142},     {"ChatViewHeight", 172, 172, 92, 156, 271},
    {"SendButtonX", 82, 82, 287, 100, 729},         {"SendButtonY", 380, 380, 132, 465, 485},
    {"VideoButtonX", 10, 10, 360, 180, 656},        {"VideoButtonY", 406, 406, 3, 283, 30},
    {"AudioButtonX", 82, 82, 432, 252, 728},        {"AudioButtonY", 406, 406, 3, 283, 30},
    {"PopUpButtonX", 10, 10, 360, 180, 656},        {"PopUpButtonY", 431, 431, 28, 308, 55},
    {"CallButtonX", 82, 82, 432, 252, 728},         {"CallButtonY", 431, 431, 28, 308, 55},
    {"VideoStateX", 7, 7, 362, 182, 656},           {"VideoStateY", 454, 454, 78, 388, 112},
    {"AudioStateX", 46, 46, 401, 221, 695},         {"AudioStateY", 454, 454, 78, 388, 112},
    {"CallStateX", 120, 120, 475, 295, 769},        {"CallStateY", 454, 454, 78, 388, 112},
    {"PopUpVideoStateX", 85, 85, 440, 260, 734},    {"PopUpVideoStateY", 454, 454, 78, 388, 112},
    {"WorkStateX", 84, 84, 15, 253, 562},           {"WorkStateY", 5, 5, 139, 2, 5},
    {"PopUpVideoWidth", 328, 328, 328, 648, 648},   {"PopUpVideoHeight", 267, 267, 267, 507, 507},
    {"PopUpVideoX", 0, 0, 0, 0, 0},                 {"PopUpVideoY", 0, 0, 0, 0, 0},
};

// Defaults that differ from every layout, so a value that came from a layout shows.
const int kNoise = 100000;

TEST(Layouts, EveryKeyOfEveryLayout)
{
    const char* names[] = {"prop1", "prop2", "PROP3", "Prop4"};
    for (int l = 0; l < 4; ++l) {
        ASSERT_TRUE(LoadSkin(names[l])) << names[l];
        for (const KeyRow& r : kKeys) {
            const int want[] = {r.p1, r.p2, r.p3, r.p4};
            EXPECT_EQ(want[l], GetSkinInt(r.key, kNoise)) << names[l] << " " << r.key;
        }
    }
}

// The control's own defaults (what it uses without a layout) are the first
// layout's values, and it reads no key this table leaves out.
TEST(Layouts, ControlDefaultsAreTheFirstLayout)
{
    size_t count = 0;
    const TLayoutKey* keys = LayoutKeys(count);
    EXPECT_EQ(sizeof(kKeys) / sizeof(kKeys[0]), count);
    ASSERT_TRUE(LoadSkin("prop1"));
    for (size_t i = 0; i < count; ++i) {
        EXPECT_EQ(GetSkinInt(keys[i].Key, kNoise), keys[i].Default) << keys[i].Key;
        EXPECT_EQ(keys[i].Default, LayoutDefault(keys[i].Key)) << keys[i].Key;
    }
    for (const KeyRow& r : kKeys) {
        int def = -1;
        EXPECT_NO_THROW(def = LayoutDefault(r.key)) << r.key;
        EXPECT_EQ(r.def, def) << r.key;
    }
    EXPECT_THROW(LayoutDefault("background"), EListError);
}

TEST(Layouts, UnknownNamesGiveTheDefaults)
{
    for (const char* name : {"prop2.skn", "prop1.skn", "prop9", ""}) {
        EXPECT_FALSE(LoadSkin(name)) << name;
        EXPECT_EQ(name, CurrentSkinName());
        for (const KeyRow& r : kKeys) EXPECT_EQ(r.def, GetSkinInt(r.key, r.def)) << name << " " << r.key;
    }
    // Loading a real layout again after a failure.
    EXPECT_TRUE(LoadSkin("prop3"));
    EXPECT_EQ(337, GetSkinInt("AppletWidth", 170) + 7);
    EXPECT_EQ(526, GetSkinInt("AppletHeight", 510) + 26);
    EXPECT_EQ("x", GetSkinValue("NoSuchKey", "x"));
}

TEST(Layouts, TextsTheControlDoesNotReadAreThere)
{
    ASSERT_TRUE(LoadSkin("prop3"));
    EXPECT_EQ("320*240", GetSkinValue("SkinName", ""));   // trimmed
    EXPECT_EQ("solvane video", GetSkinValue("PopUpVideoName", ""));  // values come back lower-cased
    EXPECT_EQ(208, GetSkinInt("RegWidth", 0));
    ASSERT_TRUE(LoadSkin("prop2"));
    EXPECT_EQ("backgnd2.gif", GetSkinValue("background", ""));
    EXPECT_EQ(280, GetSkinInt("RegRegistrationButtonY", 0));
}

TEST(Layouts, OddLines)
{
    ASSERT_TRUE(LoadSkin("testodd"));
    EXPECT_EQ(77, GetSkinInt("VideoX", 5));            // blanks around the line, lower-case key
    EXPECT_EQ(33, GetSkinInt("VideoY", 33));           // a blank before "=" does not match
    EXPECT_EQ(321, GetSkinInt("VideoWidth", 160));     // the first line of a key wins
    EXPECT_EQ("", GetSkinValue("ChatViewX", "4"));     // present but empty
    EXPECT_THROW(GetSkinInt("ChatViewX", 4), EConvertError);
    EXPECT_THROW(GetSkinInt("AppletWidth", 170), EConvertError);
    FreeSkin();
    EXPECT_EQ(77, GetSkinInt("VideoX", 5));            // reloaded on demand
}

} // namespace
