// Both skins through the skin data component: the folder and the .skn the build
// wrote load to the same skin, it holds every element and picture the generator
// made, and saving it (compressed or as a folder) and loading it again changes nothing.
#include "test_gtest.h"
#include "SkinBuilder.h"
#include "SkinData.h"
#include "SkinSnapshot.h"
#include "SysUtils.h"

namespace {

using Skingen::BuiltSkin;

std::string Str(const TRect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}
std::string Str(const TPoint& p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

// Every value of the skin but its pictures, one line per value.
std::vector<std::string> Values(TspSkinData& d)
{
    std::vector<std::string> v = {
        "skinname=" + d.SkinName, "skinauthor=" + d.SkinAuthor, "authorurl=" + d.AuthorURL,
        "authoremail=" + d.AuthorEmail, "skincomments=" + d.SkinComments, "picture=" + d.PictureName,
        "mask=" + d.MaskName, "rolluppicture=" + d.RollUpPictureName, "rollupmask=" + d.RollUpMaskName,
        "buttonsrect=" + Str(d.ButtonsRect), "captionrect=" + Str(d.CaptionRect),
        "buttonsoffset=" + std::to_string(d.ButtonsOffset), "buttonsinleft=" + std::to_string(d.ButtonsInLeft),
        "autorendering=" + std::to_string(d.AutoRenderingInActiveImage),
        "inactiveeffect=" + std::to_string(int(d.InActiveEffect)), "cursorindex=" + std::to_string(d.CursorIndex),
        "lt=" + Str(d.LTPoint), "rt=" + Str(d.RTPoint), "lb=" + Str(d.LBPoint), "rb=" + Str(d.RBPoint),
        "bg=" + std::to_string(d.BGPictureIndex), "mdibg=" + std::to_string(d.MDIBGPictureIndex),
        "mainmenurect=" + Str(d.MainMenuRect), "iconrect=" + Str(d.IconRect),
        "popupup=" + std::to_string(d.MainMenuPopupUp), "maskrectarea=" + Str(d.MaskRectArea),
        "htlt=" + Str(d.HitTestLTPoint), "htrt=" + Str(d.HitTestRTPoint), "htlb=" + Str(d.HitTestLBPoint),
        "htrb=" + Str(d.HitTestRBPoint), "clientrect=" + Str(d.ClientRect),
        "borderwidth=" + std::to_string(d.BorderWidth),
        "stretch=" + std::to_string(d.TopStretch) + std::to_string(d.LeftStretch) + std::to_string(d.RightStretch) +
            std::to_string(d.BottomStretch),
        "rollupleft=" + Str(d.RollUpLeftPoint), "rollupright=" + Str(d.RollUpRightPoint),
        "inactivepicture=" + d.InActivePictureName};
    for (int i = 0; i < d.ActivePicturesNames->GetCount(); ++i)
        v.push_back("active" + std::to_string(i) + "=" + (*d.ActivePicturesNames)[i]);
    for (auto& s : Snapshot(*d.PopupWindow))
        v.push_back("POPUPWINDOW." + s);
    for (auto& s : Snapshot(*d.HintWindow))
        v.push_back("HINTWINDOW." + s);
    for (auto& a : d.AreaList)
        v.push_back("area " + a->IDName + "=" + Str(a->AreaRect));
    for (auto& o : d.ObjectList)
        for (auto& s : Snapshot(*o))
            v.push_back(o->IDName + ":" + o->TypeWord() + "." + s);
    for (auto& c : d.CtrlList)
        for (auto& s : Snapshot(*c))
            v.push_back(c->IDName + ":" + c->TypeWord() + "." + s);
    return v;
}

void ExpectSameValues(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i)
        EXPECT_EQ(a[i], b[i]);
}

// Pixels of a bitmap as 0x00BBGGRR; empty for an empty bitmap.
std::vector<uint32_t> Pixels(TBitmap* b)
{
    std::vector<uint32_t> out;
    if (!b || b->GetWidth() <= 0 || b->GetHeight() <= 0)
        return out;
    TCanvas* c = b->GetCanvas();
    for (int y = 0; y < b->GetHeight(); ++y)
        for (int x = 0; x < b->GetWidth(); ++x)
            out.push_back(uint32_t(c->GetPixel(x, y)) & 0xFFFFFF);
    return out;
}

std::vector<uint32_t> Pixels(const Skingen::SkinCanvas& c)
{
    std::vector<uint32_t> out;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            out.push_back(c.Pixel(x, y));
    return out;
}

TBitmap* Main(TspSkinData& d, int i)
{
    TBitmap* m[5] = {d.Picture.get(), d.InActivePicture.get(), d.Mask.get(), d.RollUpPicture.get(), d.RollUpMask.get()};
    return m[i];
}

void ExpectGeneratedPictures(TspSkinData& d, const BuiltSkin& skin)
{
    for (int i = 0; i < 5; ++i) {
        if (skin.Main[i].FileName.empty())
            EXPECT_TRUE(Pixels(Main(d, i)).empty()) << "main picture " << i;
        else
            EXPECT_TRUE(Pixels(Main(d, i)) == Pixels(skin.Main[i].Canvas)) << skin.Main[i].FileName;
    }
    ASSERT_EQ(d.ActivePictures.size(), skin.Active.size());
    for (size_t i = 0; i < skin.Active.size(); ++i)
        EXPECT_TRUE(Pixels(d.ActivePictures[i].get()) == Pixels(skin.Active[i].Canvas)) << skin.Active[i].FileName;
}

void ExpectSamePictures(TspSkinData& a, TspSkinData& b)
{
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(Pixels(Main(a, i)) == Pixels(Main(b, i))) << "main picture " << i;
    ASSERT_EQ(a.ActivePictures.size(), b.ActivePictures.size());
    for (size_t i = 0; i < a.ActivePictures.size(); ++i)
        EXPECT_TRUE(Pixels(a.ActivePictures[i].get()) == Pixels(b.ActivePictures[i].get())) << "active picture " << i;
}

std::string TempFolder(const std::string& name)
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    std::string folder = std::string(base) + "skins_test_" + name + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

class SkinDataLoad : public ::testing::TestWithParam<int> {
protected:
    BuiltSkin skin = Skingen::BuildSkin(GetParam() == 0 ? Skingen::Korvel2Style() : Skingen::SarnicStyle());
    std::string FolderIni() const { return std::string(SKIN_FOLDERS) + "\\" + skin.Name + "\\skin.ini"; }
    std::string Packed() const { return std::string(SKINS_DIR) + "\\" + skin.Name + ".skn"; }
};

TEST_P(SkinDataLoad, FolderHoldsEveryGeneratedElementAndPicture)
{
    TspSkinData d(nullptr);
    ASSERT_TRUE(d.LoadFromFile(FolderIni()));
    EXPECT_FALSE(d.Empty);
    EXPECT_EQ(d.SkinName, skin.Name);
    const Skingen::IniSection& objs = *skin.Description.Find("SKINOBJECTS");
    const Skingen::IniSection& ctls = *skin.Description.Find("SKINCONTROLS");
    ASSERT_EQ(int(d.ObjectList.size()), std::stoi(objs.Get("count")));
    ASSERT_EQ(int(d.CtrlList.size()), std::stoi(ctls.Get("count")));
    for (size_t i = 0; i < d.ObjectList.size(); ++i) {
        std::string entry = objs.Get(std::to_string(i)), name = entry.substr(0, entry.find(':'));
        EXPECT_EQ(d.GetIndex(name), int(i)) << name;
    }
    for (size_t i = 0; i < d.CtrlList.size(); ++i) {
        std::string entry = ctls.Get(std::to_string(i)), name = entry.substr(0, entry.find(':'));
        EXPECT_EQ(d.GetControlIndex(name), int(i)) << name;
    }
    ExpectGeneratedPictures(d, skin);
    // The frame description reads as generated: the reader's adjustments (corner
    // points pulled into the client area, the mask area widened, hit-test points
    // copied) find nothing to change.
    const Skingen::IniSection& f = *skin.Description.Find("FORMINFO");
    const std::vector<std::pair<std::string, std::string>> read = {
        {"lefttoppoint", Str(d.LTPoint)}, {"righttoppoint", Str(d.RTPoint)}, {"leftbottompoint", Str(d.LBPoint)},
        {"rightbottompoint", Str(d.RBPoint)}, {"clientrect", Str(d.ClientRect)}, {"maskrectarea", Str(d.MaskRectArea)},
        {"buttonsrect", Str(d.ButtonsRect)}, {"captionrect", Str(d.CaptionRect)}, {"iconrect", Str(d.IconRect)},
        {"hittestlefttoppoint", Str(d.HitTestLTPoint)}, {"hittestrighttoppoint", Str(d.HitTestRTPoint)},
        {"hittestleftbottompoint", Str(d.HitTestLBPoint)}, {"hittestrightbottompoint", Str(d.HitTestRBPoint)},
        {"rollupleftpoint", Str(d.RollUpLeftPoint)}, {"rolluprightpoint", Str(d.RollUpRightPoint)},
        {"bgpictureindex", std::to_string(d.BGPictureIndex)}, {"borderwidth", std::to_string(d.BorderWidth)}};
    for (const auto& kv : read)
        EXPECT_EQ(kv.second, f.Get(kv.first)) << kv.first;
    // The comparisons below walk every key of every record.
    EXPECT_GT(Values(d).size(), 1500u);
}

TEST_P(SkinDataLoad, PackedFileAndStoredSkinLoadTheSameSkinAsTheFolder)
{
    TspSkinData folder(nullptr), packed(nullptr), stored(nullptr);
    ASSERT_TRUE(folder.LoadFromFile(FolderIni()));
    ASSERT_TRUE(packed.LoadFromCompressedFile(Packed()));
    EXPECT_FALSE(packed.Empty);
    // Every value, the inactive picture's name included: a stored skin keeps it too.
    ExpectSameValues(Values(folder), Values(packed));
    ExpectSamePictures(folder, packed);

    // The same bytes as the program carries them: a compressed skin file read from a stream.
    TMemoryStream bytes;
    bytes.LoadFromFile(Packed());
    TspCompressedStoredSkin block(nullptr);
    ASSERT_TRUE(block.LoadFromCompressStream(&bytes));
    ASSERT_TRUE(stored.LoadCompressedStoredSkin(&block));
    ExpectSameValues(Values(packed), Values(stored));
    ExpectSamePictures(packed, stored);
}

TEST_P(SkinDataLoad, SaveAndReloadKeepEveryValueAndPicture)
{
    TspSkinData first(nullptr);
    ASSERT_TRUE(first.LoadFromFile(FolderIni()));
    std::string folder = TempFolder(skin.Name);
    std::string skn = folder + skin.Name + "_again.skn";

    first.SaveToCompressedFile(skn);
    TspSkinData fromSkn(nullptr);
    ASSERT_TRUE(fromSkn.LoadFromCompressedFile(skn));
    ExpectSameValues(Values(first), Values(fromSkn));
    ExpectSamePictures(first, fromSkn);

    first.StoreToDisk(folder);
    TspSkinData fromFolder(nullptr);
    ASSERT_TRUE(fromFolder.LoadFromFile(folder + "skin.ini"));
    ExpectSameValues(Values(first), Values(fromFolder));
    ExpectSamePictures(first, fromFolder);

    // And once more from what the reloaded skin writes: the values have settled.
    fromSkn.SaveToCompressedFile(skn);
    TspSkinData again(nullptr);
    ASSERT_TRUE(again.LoadFromCompressedFile(skn));
    ExpectSameValues(Values(fromSkn), Values(again));
    DeleteFileA(skn.c_str());
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinDataLoad, ::testing::Values(0, 1));

} // namespace
