// The generated skins read back from their own description text: every section and
// element the engine looks for is there, and every rectangle lies inside the picture
// it is cut from.
#include "test_gtest.h"
#include "SkinBuilder.h"
#include <algorithm>
#include <cctype>
#include <map>
#include <set>

using namespace Skingen;

namespace {

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

// Numbers of a rectangle or point value; the skin syntax knows no minus sign, so a
// value holding one (or anything but digits and commas) is refused here.
bool Numbers(const std::string& v, size_t count, std::vector<int>& out)
{
    out.clear();
    std::string field;
    for (char c : v + ",") {
        if (c == ',') {
            if (field.empty())
                return false;
            out.push_back(std::stoi(field));
            field.clear();
        } else if (c >= '0' && c <= '9') {
            field += c;
        } else {
            return false;
        }
    }
    return out.size() == count;
}

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

struct Size {
    int W = 0, H = 0;
};

bool IsRectKey(const std::string& key, const std::string& value)
{
    std::vector<int> n;
    return (key.find("rect") != std::string::npos || key.find("area") != std::string::npos) &&
           std::count(value.begin(), value.end(), ',') == 3 && Numbers(value, 4, n);
}

class SkinCheck {
public:
    explicit SkinCheck(const BuiltSkin& s) : skin(s) {}
    const BuiltSkin& skin;

    Size PictureSize(int index) const
    {
        if (index < 0 || index >= int(skin.Active.size()))
            return {};
        return {skin.Active[index].Canvas.Width(), skin.Active[index].Canvas.Height()};
    }
    Size Form() const { return {skin.Main[0].Canvas.Width(), skin.Main[0].Canvas.Height()}; }
    int Int(const IniSection& s, const std::string& key, int def) const
    {
        return s.Has(key) ? std::stoi(s.Get(key)) : def;
    }
    std::vector<int> Rect(const IniSection& s, const std::string& key) const
    {
        std::vector<int> n;
        if (s.Has(key)) {
            EXPECT_TRUE(Numbers(s.Get(key), 4, n)) << s.Name() << "." << key << "=" << s.Get(key);
        }
        if (n.size() != 4)
            n.assign(4, 0);
        return n;
    }
    static bool Null(const std::vector<int>& r) { return r[2] - r[0] <= 0 || r[3] - r[1] <= 0; }
    static Size Extent(const std::vector<int>& r) { return {r[2] - r[0], r[3] - r[1]}; }

    void Inside(const std::string& where, const std::vector<int>& r, Size pic) const
    {
        if (r == std::vector<int>{0, 0, 0, 0})
            return;
        EXPECT_LT(r[0], r[2]) << where;
        EXPECT_LT(r[1], r[3]) << where;
        EXPECT_TRUE(r[0] >= 0 && r[1] >= 0 && r[2] <= pic.W && r[3] <= pic.H)
            << where << " (" << r[0] << "," << r[1] << "," << r[2] << "," << r[3] << ") outside " << pic.W << "x"
            << pic.H;
    }
    void PointInside(const IniSection& s, const std::string& key, Size box) const
    {
        if (!s.Has(key))
            return;
        std::vector<int> p;
        ASSERT_TRUE(Numbers(s.Get(key), 2, p)) << s.Name() << "." << key;
        EXPECT_TRUE(p[0] <= box.W && p[1] <= box.H) << s.Name() << "." << key << " outside the element";
    }
};

// Rectangles of the control kinds that are element coordinates (relative to the
// skin rectangle) rather than picture coordinates.
const std::set<std::string> ElementKeys = {
    "clientrect",   "captionrect",    "checkimagearea", "textarea",    "progressarea", "trackarea",
    "upbuttonrect", "downbuttonrect", "checkbuttonrect", "trackbuttonrect", "itemsrect"};
// The bit label's "skintextrect" is its character table, cut from the picture
// cell by cell: picture coordinates, checked with the others.

// Rectangles relative to another image of the same record.
const std::map<std::string, std::string> RelativeKeys = {
    {"itemtextrect", "itemrect"},        {"itemcheckrect", "itemrect"},          {"celltextrect", "skinrect"},
    {"fixedcelltextrect", "fixedcellrect"}, {"rollvcaptionrect", "rollvskinrect"}, {"rollhcaptionrect", "rollhskinrect"}};

void CheckControl(const SkinCheck& c, const IniSection& s, const std::string& type)
{
    int pic = c.Int(s, "pictureindex", -1);
    auto skin = c.Rect(s, "skinrect");
    Size element = SkinCheck::Extent(skin);
    if (!SkinCheck::Null(skin)) {
        EXPECT_GE(pic, 0) << s.Name() << " has an image but no picture";
    }
    int mask = c.Int(s, "maskpictureindex", -1);
    if (mask >= 0) {
        Size m = c.PictureSize(mask);
        EXPECT_TRUE(m.W == element.W && m.H == element.H) << s.Name() << ": mask not the element's size";
    }
    for (const auto& kv : s.Keys()) {
        const std::string& key = kv.first;
        if (EndsWith(key, "point")) {
            c.PointInside(s, key, element);
            continue;
        }
        if (!IsRectKey(key, kv.second))
            continue;
        auto r = c.Rect(s, key);
        std::string where = s.Name() + "." + key;
        // The edit and combo box records name their button images "...buttonrect" in picture
        // coordinates beside the button's place "buttonrect"; the track bar's "buttonrect" is its thumb image.
        bool editLike = type == "edit" || type == "memo" || type == "combobox";
        bool element_ = (ElementKeys.count(key) && !(editLike && key == "downbuttonrect")) ||
                        (key == "buttonrect" && type != "trackbar");
        if (element_) {
            c.Inside(where, r, element);
        } else if (RelativeKeys.count(key)) {
            c.Inside(where, r, SkinCheck::Extent(c.Rect(s, RelativeKeys.at(key))));
        } else {
            c.Inside(where, r, c.PictureSize(pic));
        }
    }
}

void CheckObject(const SkinCheck& c, const IniSection& s, const std::string& type)
{
    int pic = c.Int(s, "activepictureindex", -1);
    bool inPicture = c.Int(s, "skinrectinapicture", 0) == 1;
    EXPECT_NE(c.Int(s, "rollup", 0), 1) << s.Name() << ": our skins draw no objects on the rolled-up form";
    auto skin = c.Rect(s, "skinrect");
    Size states = pic >= 0 ? c.PictureSize(pic) : c.Form();
    // Menu items always cut their images from the active picture.
    bool menuItem = type == "menuitem" || type == "mainmenuitem" || type == "mainmenubaritem";
    c.Inside(s.Name() + ".skinrect", skin, (inPicture || menuItem) && type != "userobject" ? states : c.Form());
    for (const auto& kv : s.Keys()) {
        const std::string& key = kv.first;
        if (key == "skinrect")
            continue;
        if (key == "beginpoint" || key == "endpoint") {
            c.PointInside(s, key, SkinCheck::Extent(skin));
            continue;
        }
        if (!IsRectKey(key, kv.second))
            continue;
        auto r = c.Rect(s, key);
        if (key == "textrect")
            c.Inside(s.Name() + "." + key, r, SkinCheck::Extent(skin));
        else if (key == "frametextrect")
            c.Inside(s.Name() + "." + key, r, SkinCheck::Extent(c.Rect(s, "framerect")));
        else
            c.Inside(s.Name() + "." + key, r, states);
    }
}

struct Entry {
    std::string name, type;
};

std::vector<Entry> Entries(const BuiltSkin& skin, const std::string& section)
{
    std::vector<Entry> out;
    const IniSection* s = skin.Description.Find(section);
    if (!s)
        return out;
    int count = std::stoi(s->Get("count"));
    for (int i = 0; i < count; ++i) {
        std::string e = s->Get(std::to_string(i));
        size_t colon = e.find(':');
        out.push_back({e.substr(0, colon), colon == std::string::npos ? "" : e.substr(colon + 1)});
    }
    return out;
}

const std::vector<std::string> ObjectWords = {"menuitem", "mainmenubaritem", "mainmenuitem", "stdbutton",
                                              "mainmenubarbutton", "button", "caption", "trackbar", "gauge",
                                              "framegauge", "frameregulator", "label", "bitlabel", "switch",
                                              "animate", "userobject"};
const std::vector<std::string> ControlWords = {
    "slider",    "bevel",    "panel",     "expanel",     "menubutton",     "button",      "checkradio",
    "gauge",     "splitter", "trackbar",  "label",       "stdlabel",       "bitlabel",    "frameregulator",
    "framegauge", "animate", "updown",    "switch",      "grid",           "tab",         "mainmenubar",
    "controlbar", "memo",    "edit",      "checklistbox", "listbox",       "combobox",    "scrollbar",
    "spinedit",  "scrollbox", "treeview", "listview",    "richedit"};

class GeneratedSkin : public ::testing::TestWithParam<int> {
protected:
    static SkinStyle Style(int i) { return i == 0 ? Korvel2Style() : SarnicStyle(); }
};

TEST_P(GeneratedSkin, HoldsEverySectionAndEveryRecordKind)
{
    BuiltSkin skin = BuildSkin(Style(GetParam()));
    for (const char* name : {"VERSION", "PICTURES", "FORMINFO", "POPUPWINDOW", "HINTWINDOW", "SKINOBJECTS", "SKINCONTROLS"}) {
        const IniSection* s = skin.Description.Find(name);
        ASSERT_NE(s, nullptr) << name;
        EXPECT_FALSE(s->Keys().empty()) << name;
    }
    std::set<std::string> objectTypes, controlTypes, names;
    const std::set<std::string> topLevel = {"version", "pictures", "cursors", "forminfo", "popupwindow",
                                            "hintwindow", "skinareas", "skinobjects", "skincontrols"};
    auto check = [&](const std::vector<Entry>& entries, std::set<std::string>& types,
                     const std::vector<std::string>& words) {
        for (const Entry& e : entries) {
            EXPECT_NE(std::find(words.begin(), words.end(), e.type), words.end()) << e.name << ":" << e.type;
            types.insert(e.type);
            // Section names are matched without regard to case: no element may share one.
            EXPECT_TRUE(names.insert(Lower(e.name)).second) << "duplicate element " << e.name;
            EXPECT_EQ(topLevel.count(Lower(e.name)), 0u) << e.name;
            const IniSection* s = skin.Description.Find(e.name);
            ASSERT_NE(s, nullptr) << e.name;
            EXPECT_FALSE(s->Keys().empty()) << e.name;
        }
    };
    check(Entries(skin, "SKINOBJECTS"), objectTypes, ObjectWords);
    check(Entries(skin, "SKINCONTROLS"), controlTypes, ControlWords);
    EXPECT_EQ(objectTypes.size(), ObjectWords.size());
    EXPECT_EQ(controlTypes.size(), ControlWords.size());
}

TEST_P(GeneratedSkin, EveryRectangleLiesInsideItsPicture)
{
    BuiltSkin skin = BuildSkin(Style(GetParam()));
    SkinCheck c(skin);
    for (const Entry& e : Entries(skin, "SKINCONTROLS"))
        CheckControl(c, *skin.Description.Find(e.name), e.type);
    for (const Entry& e : Entries(skin, "SKINOBJECTS"))
        CheckObject(c, *skin.Description.Find(e.name), e.type);

    const IniSection& f = *skin.Description.Find("FORMINFO");
    for (const char* key : {"clientrect", "buttonsrect", "captionrect", "maskrectarea", "iconrect", "mainmenurect"})
        c.Inside(std::string("FORMINFO.") + key, c.Rect(f, key), c.Form());
    for (const auto& kv : f.Keys())
        if (EndsWith(kv.first, "point") && kv.first.find("rollup") == std::string::npos)
            c.PointInside(f, kv.first, c.Form());
    for (const char* name : {"POPUPWINDOW", "HINTWINDOW"}) {
        const IniSection& w = *skin.Description.Find(name);
        Size pic = c.PictureSize(c.Int(w, "windowpictureindex", -1));
        ASSERT_GT(pic.W, 0) << name;
        int mask = c.Int(w, "maskpictureindex", -1);
        if (mask >= 0) {
            Size m = c.PictureSize(mask);
            EXPECT_TRUE(m.W == pic.W && m.H == pic.H) << name;
        }
        for (const auto& kv : w.Keys()) {
            if (EndsWith(kv.first, "point"))
                c.PointInside(w, kv.first, pic);
            else if (IsRectKey(kv.first, kv.second))
                c.Inside(std::string(name) + "." + kv.first, c.Rect(w, kv.first), pic);
        }
    }
    if (const IniSection* areas = skin.Description.Find("SKINAREAS")) {
        for (int i = 0; i < std::stoi(areas->Get("count")); ++i) {
            std::string e = areas->Get(std::to_string(i));
            std::vector<int> r;
            ASSERT_TRUE(Numbers(e.substr(e.find(':') + 1), 4, r)) << e;
            c.Inside("area " + e, r, c.Form());
        }
    }
}

TEST_P(GeneratedSkin, PicturesListedMatchThePicturesDrawn)
{
    BuiltSkin skin = BuildSkin(Style(GetParam()));
    const IniSection& p = *skin.Description.Find("PICTURES");
    const char* keys[5] = {"picture", "inactivepicture", "mask", "rolluppicture", "rollupmask"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(p.Get(keys[i]), skin.Main[i].FileName) << keys[i];
        if (!skin.Main[i].FileName.empty()) {
            EXPECT_GT(skin.Main[i].Canvas.Width(), 0) << keys[i];
        }
    }
    ASSERT_EQ(std::stoi(p.Get("activepicturescount")), int(skin.Active.size()));
    std::set<std::string> files;
    for (size_t i = 0; i < skin.Active.size(); ++i) {
        EXPECT_EQ(p.Get(std::to_string(i)), skin.Active[i].FileName);
        EXPECT_TRUE(files.insert(Lower(skin.Active[i].FileName)).second);
        // Names stay inside the skin's folder.
        EXPECT_EQ(skin.Active[i].FileName.find_first_of("/\\:"), std::string::npos);
    }
    // Masks are pure black and white, the size of what they shape.
    auto blackWhite = [](const SkinCanvas& m) {
        for (int y = 0; y < m.Height(); ++y)
            for (int x = 0; x < m.Width(); ++x)
                if (m.Pixel(x, y) != 0 && m.Pixel(x, y) != 0xFFFFFF)
                    return false;
        return true;
    };
    for (int i : {2, 4})
        if (!skin.Main[i].FileName.empty()) {
            EXPECT_TRUE(blackWhite(skin.Main[i].Canvas)) << keys[i];
            EXPECT_EQ(skin.Main[i].Canvas.Width(), skin.Main[i - 1 - (i == 2)].Canvas.Width());
        }
}

TEST_P(GeneratedSkin, IsTheSameOnEveryRun)
{
    BuiltSkin a = BuildSkin(Style(GetParam())), b = BuildSkin(Style(GetParam()));
    EXPECT_EQ(a.Description.Render(), b.Description.Render());
    ASSERT_EQ(a.Active.size(), b.Active.size());
    for (size_t i = 0; i < a.Active.size(); ++i)
        EXPECT_EQ(a.Active[i].Canvas.BmpImage(), b.Active[i].Canvas.BmpImage());
}

INSTANTIATE_TEST_SUITE_P(Skins, GeneratedSkin, ::testing::Values(0, 1));

TEST(GeneratedSkins, DefaultSkinNamesEveryElementTheEngineLooksFor)
{
    BuiltSkin skin = BuildSkin(Korvel2Style());
    // Element lists of the default skin by type word, as the frame and the controls expect them.
    const std::vector<std::pair<std::string, std::vector<std::string>>> objects = {
        {"stdbutton", {"closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton", "traybutton"}},
        {"caption", {"caption"}},
        {"menuitem", {"menuitem"}},
        {"mainmenubaritem", {"mainmenubaritem"}},
        {"mainmenubarbutton", {"menubarsysmenubutton", "menubarclosebutton", "menubarmaxbutton", "menubarminbutton"}}};
    const std::vector<std::pair<std::string, std::vector<std::string>>> controls = {
        {"button", {"button", "toolbutton", "resizebutton", "bigtoolbutton"}},
        {"menubutton", {"toolmenubutton", "toolmenutrackbutton", "bigtoolmenubutton", "bigtoolmenutrackbutton"}},
        {"panel", {"toolpanel", "panel", "groupbox", "statusbar", "bigtoolpanel"}},
        {"checkradio", {"checkbox", "radiobox"}},
        {"gauge", {"gauge", "vgauge", "statusgauge"}},
        {"label", {"label", "statuspanel"}},
        {"trackbar", {"trackbar", "htrackbar"}},
        {"edit", {"edit", "buttonedit", "statusedit", "statusbuttonedit", "tooledit", "toolbuttonedit"}},
        {"spinedit", {"spinedit", "statusspinedit", "toolspinedit"}},
        {"combobox", {"combobox", "captioncombobox", "statuscombobox", "toolcombobox"}},
        {"listbox", {"listbox", "captionlistbox"}},
        {"checklistbox", {"checklistbox", "captionchecklistbox"}},
        {"scrollbar", {"hscrollbar", "vscrollbar", "bothhscrollbar"}},
        {"updown", {"vupdown", "hupdown"}},
        {"splitter", {"vsplitter", "hsplitter"}},
        {"grid", {"grid"}}, {"tab", {"tab"}}, {"memo", {"memo"}}, {"stdlabel", {"stdlabel"}},
        {"controlbar", {"controlbar"}}, {"mainmenubar", {"mainmenubar"}}, {"scrollbox", {"scrollbox"}},
        {"listview", {"listview"}}, {"treeview", {"treeview"}}, {"richedit", {"richedit"}},
        {"expanel", {"expanel"}}, {"slider", {"slider"}}, {"bevel", {"bevel"}}};
    auto find = [](const std::vector<Entry>& entries, const std::string& name) {
        for (const Entry& e : entries)
            if (e.name == name)
                return e.type;
        return std::string("(missing)");
    };
    auto objs = Entries(skin, "SKINOBJECTS");
    auto ctls = Entries(skin, "SKINCONTROLS");
    size_t nControls = 0;
    for (const auto& row : objects)
        for (const auto& name : row.second)
            EXPECT_EQ(find(objs, name), row.first) << name;
    for (const auto& row : controls)
        for (const auto& name : row.second) {
            EXPECT_EQ(find(ctls, name), row.first) << name;
            ++nControls;
        }
    EXPECT_EQ(nControls, 59u);
    // The frame's caption buttons are in the default order, close first.
    ASSERT_GE(objs.size(), 5u);
    EXPECT_EQ(objs[0].name, "closebutton");
    EXPECT_EQ(objs[4].name, "sysmenubutton");
    EXPECT_EQ(skin.Description.Find("VERSION")->Get("skinname"), "Korvel2");
}

TEST(GeneratedSkins, SecondSkinIsShapedAndLooksDifferent)
{
    BuiltSkin k = BuildSkin(Korvel2Style()), s = BuildSkin(SarnicStyle());
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(s.Main[i].FileName.empty()) << i;
    EXPECT_TRUE(k.Main[2].FileName.empty());
    EXPECT_GT(s.Active.size(), k.Active.size());
    // The mask leaves the rounded corners out of the window and keeps the middle.
    const SkinCanvas& mask = s.Main[2].Canvas;
    EXPECT_EQ(mask.Pixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(mask.Pixel(mask.Width() / 2, mask.Height() / 2), 0u);
    EXPECT_EQ(mask.Pixel(mask.Width() / 2, 0), 0u);
    // Another caption colour at the same probe point.
    EXPECT_NE(k.Main[0].Canvas.Pixel(k.Main[0].Canvas.Width() / 2, 10),
              s.Main[0].Canvas.Pixel(s.Main[0].Canvas.Width() / 2, 10));
    EXPECT_NE(s.Main[0].Canvas.Pixel(s.Main[0].Canvas.Width() / 2, 10),
              s.Main[1].Canvas.Pixel(s.Main[1].Canvas.Width() / 2, 10));
}

} // namespace
