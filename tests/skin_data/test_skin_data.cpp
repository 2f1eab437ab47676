#include "test_gtest.h"
#include "SkinData.h"
#include "Forms.h"
#include "Handles.h"
#include "Jpeg.h"
#include "skin_data_fixtures.h"
#include <cstring>

using namespace skinfix;

namespace {

struct TLogEntry {
    TCustomForm* Form;
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
};

// A form that notes every skin-change message it gets, and may look at the
// skin data while it does.
class TRecordingForm : public TForm {
public:
    TRecordingForm(std::vector<TLogEntry>& Log) : TForm(nullptr), FLog(Log) {}
    std::function<void(UINT)> OnSkinMessage;
    void WndProc(TMessage& M) override
    {
        if (M.Msg >= WM_BEFORECHANGESKINDATA && M.Msg <= WM_AFTERCHANGESKINDATA) {
            FLog.push_back({this, M.Msg, M.WParam, M.LParam});
            if (OnSkinMessage) OnSkinMessage(M.Msg);
        }
        TForm::WndProc(M);
    }
private:
    std::vector<TLogEntry>& FLog;
};

// Three forms; the skin data belongs to the last one made, so "owner first"
// is not simply the screen's order.
struct TFormsFixture : public ::testing::Test {
    std::vector<TLogEntry> Log;
    TRecordingForm A{Log}, B{Log}, Owner{Log};
    TspSkinData* Data = new TspSkinData(&Owner);   // freed by its owner form

    // The messages in order, each first to the owner form and then to A and B.
    void ExpectBracket(size_t From = 0)
    {
        ASSERT_EQ(Log.size(), From + 9);
        const UINT msgs[] = {WM_BEFORECHANGESKINDATA, WM_CHANGESKINDATA, WM_AFTERCHANGESKINDATA};
        for (int m = 0; m < 3; ++m) {
            const TLogEntry* e = &Log[From + m * 3];
            EXPECT_EQ(e[0].Form, &Owner);
            EXPECT_TRUE((e[1].Form == &A && e[2].Form == &B) || (e[1].Form == &B && e[2].Form == &A));
            for (int k = 0; k < 3; ++k) {
                EXPECT_EQ(e[k].Msg, msgs[m]);
                EXPECT_EQ(e[k].WParam, reinterpret_cast<WPARAM>(Data));
                EXPECT_EQ(e[k].LParam, 1000);
            }
        }
    }
};

void ReplaceInFile(const std::string& Path, const std::string& From, const std::string& To)
{
    auto bytes = ReadFileBytes(Path);
    std::string text(bytes.begin(), bytes.end());
    size_t at = text.find(From);
    ASSERT_NE(at, std::string::npos) << From;
    text.replace(at, From.size(), To);
    WriteFileBytes(Path, std::vector<char>(text.begin(), text.end()));
}

TColor ProbeOrNone(TBitmap* B, int X, int Y) { return B->Empty() ? clNone : Probe(*B, X, Y); }

} // namespace

TEST_F(TFormsFixture, LoadAnnouncesToTheOwnerFormFirstThenEveryOtherForm)
{
    TTempDir dir;
    ASSERT_TRUE(Data->LoadFromFile(WriteFixtureSkin(dir)));
    ExpectBracket();
    EXPECT_FALSE(Data->Empty);
    EXPECT_EQ(Data->SkinName, "Fixture");
    EXPECT_EQ(Probe(*Data->Picture, 1, 1), clRed);
    EXPECT_EQ(Probe(*Data->InActivePicture, 1, 1), clBlue);
    EXPECT_EQ(Probe(*Data->Mask, 1, 1), clBlack);
    ASSERT_EQ(Data->ActivePictures.size(), 2u);
    EXPECT_EQ(Probe(*Data->ActivePictures[0], 3, 3), clLime);
    // The same file again: the same bracket once more.
    ASSERT_TRUE(Data->LoadFromFile(dir.File("skin.ini")));
    ExpectBracket(9);
}

TEST_F(TFormsFixture, FailedLoadsKeepTheSkinAndStillCloseTheBracket)
{
    TTempDir good;
    ASSERT_TRUE(Data->LoadFromFile(WriteFixtureSkin(good)));
    struct Case {
        const char* What;
        std::function<std::string(const TTempDir&)> Make;   // returns the description path
        bool Raises;
    };
    const Case cases[] = {
        {"missing picture", [](const TTempDir& d) {
             std::string p = WriteFixtureSkin(d);
             DeleteFileA(d.File("green.bmp").c_str());
             return p;
         }, true},
        {"picture that is no BMP", [](const TTempDir& d) {
             std::string p = WriteFixtureSkin(d);
             WriteFileBytes(d.File("main.bmp"), {'B', 'M', 1, 2, 3});
             return p;
         }, true},
        {"picture outside the folder", [](const TTempDir& d) {
             TFixtureSkin fx;
             fx.PictureOverrides = {"mask=..\\mask.bmp"};
             return WriteFixtureSkin(d, fx);
         }, true},
        {"malformed rectangle", [](const TTempDir& d) {
             std::string p = WriteFixtureSkin(d);
             ReplaceInFile(p, "buttonsoffset=-7", "captionrect=1,,3");
             return p;
         }, true},
        {"description without its sections", [](const TTempDir& d) {
             WriteFileBytes(d.File("skin.ini"), {'[', 'X', ']', '\r', '\n'});
             return d.File("skin.ini");
         }, false},
        {"no such file", [](const TTempDir& d) { return d.File("nothing.ini"); }, false},
    };
    for (const auto& c : cases) {
        Log.clear();
        TTempDir d;
        std::string path = c.Make(d);
        if (c.Raises) {
            EXPECT_THROW(Data->LoadFromFile(path), Exception) << c.What;
        } else {
            EXPECT_FALSE(Data->LoadFromFile(path)) << c.What;
        }
        ExpectBracket();
        EXPECT_FALSE(Data->Empty) << c.What;
        EXPECT_EQ(Data->SkinName, "Fixture") << c.What;
        EXPECT_EQ(Probe(*Data->Picture, 1, 1), clRed) << c.What;
        EXPECT_EQ(Data->ActivePictures.size(), 2u) << c.What;
        EXPECT_EQ(Data->GetControlIndex("panel"), 1) << c.What;
    }
}

TEST_F(TFormsFixture, StoredSkinsThatAreRefusedOrEmptyChangeNothing)
{
    TTempDir dir;
    ASSERT_TRUE(Data->LoadFromFile(WriteFixtureSkin(dir)));
    Log.clear();
    // Empty stored skin and a .skn of version 4: no message at all.
    TspCompressedStoredSkin empty(nullptr);
    EXPECT_FALSE(Data->LoadCompressedStoredSkin(&empty));
    EXPECT_FALSE(Data->LoadCompressedStoredSkin(nullptr));
    TspCompressedStoredSkin packed(nullptr);
    ASSERT_TRUE(packed.LoadFromIniFile(dir.File("skin.ini")));
    packed.SaveToCompressFile(dir.File("v4.skn"));
    auto bytes = ReadFileBytes(dir.File("v4.skn"));
    bytes[0] = 4;
    WriteFileBytes(dir.File("v4.skn"), bytes);
    EXPECT_FALSE(Data->LoadFromCompressedFile(dir.File("v4.skn")));
    // A damaged block is refused before the forms hear of it.
    bytes[0] = 2;
    bytes[bytes.size() / 2] ^= 0x40;
    WriteFileBytes(dir.File("bad.skn"), bytes);
    EXPECT_THROW(Data->LoadFromCompressedFile(dir.File("bad.skn")), Exception);
    EXPECT_TRUE(Log.empty());
    // A stream of kind 4 inside a good block: the bracket opens and closes, the skin stays.
    TMemoryStream plain, block;
    int kind = 4;
    plain.WriteBuffer(&kind, 4);
    CompressStream(&plain, &block);
    block.SetPosition(0);
    TspCompressedStoredSkin k4(nullptr);
    k4.ReadData(&block);
    EXPECT_FALSE(Data->LoadCompressedStoredSkin(&k4));
    ExpectBracket();
    EXPECT_EQ(Data->SkinName, "Fixture");
    EXPECT_FALSE(Data->Empty);
}

TEST(SkinDataMessages, WithoutAnOwnerFormOnlyTheScreensFormsHear)
{
    std::vector<TLogEntry> log;
    TRecordingForm a(log);
    TspSkinData data(nullptr);
    data.ClearSkin();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].Msg, WM_BEFORECHANGESKINDATA);
    EXPECT_EQ(log[2].Msg, WM_AFTERCHANGESKINDATA);
}

TEST_F(TFormsFixture, ClearSkinWarnsBeforeAnythingIsFreed)
{
    TTempDir dir;
    ASSERT_TRUE(Data->LoadFromFile(WriteFixtureSkin(dir)));
    Log.clear();
    bool intactAtWarning = false, emptyAtChange = false;
    Owner.OnSkinMessage = [&](UINT Msg) {
        if (Msg == WM_BEFORECHANGESKINDATA)
            intactAtWarning = !Data->Empty && !Data->Picture->Empty() && Data->CtrlList.size() == 2;
        if (Msg == WM_CHANGESKINDATA) emptyAtChange = Data->Empty && Data->Picture->Empty() && Data->CtrlList.empty();
    };
    Data->ClearSkin();
    ExpectBracket();
    EXPECT_TRUE(intactAtWarning);
    EXPECT_TRUE(emptyAtChange);
    // Clearing keeps the popup window's points but drops its picture.
    EXPECT_EQ(Data->PopupWindow->WindowPictureIndex, -1);
    EXPECT_EQ(Data->PopupWindow->ItemsRect, TRect(1, 2, 18, 9));
}

namespace {

// Everything a skin holds that a save must keep, as comparable text.
std::string Fingerprint(TspSkinData& D)
{
    std::vector<std::string> lines;
    D.GetDescriptionLines(lines);
    std::string s;
    for (auto& l : lines) s += l + "\n";
    TBitmap* main[] = {D.Picture.get(), D.InActivePicture.get(), D.Mask.get(), D.RollUpPicture.get(),
                       D.RollUpMask.get()};
    for (TBitmap* b : main)
        s += "main " + IntToStr(b->GetWidth()) + "x" + IntToStr(b->GetHeight()) + " " +
             IntToStr(ProbeOrNone(b, 0, 0)) + "\n";
    for (auto& b : D.ActivePictures)
        s += "active " + IntToStr(b->GetWidth()) + "x" + IntToStr(b->GetHeight()) + " " +
             IntToStr(Probe(*b, 1, 1)) + "\n";
    return s;
}

} // namespace

TEST(SkinDataRoundTrip, EveryFormKeepsEveryValue)
{
    TTempDir dir;
    TspSkinData first(nullptr);
    ASSERT_TRUE(first.LoadFromFile(WriteFixtureSkin(dir)));
    EXPECT_EQ(first.ButtonsRect, TRect(-3, -4, 10, 12));
    EXPECT_EQ(first.ButtonsOffset, -7);
    EXPECT_EQ(first.InActiveEffect, ieInvert);
    EXPECT_EQ(first.InActivePictureName, "inactive.bmp");
    ASSERT_EQ(first.AreaList.size(), 1u);
    EXPECT_EQ(first.AreaList[0]->AreaRect, TRect(-2, 0, 40, 5));
    const std::string expected = Fingerprint(first);

    // .skn: save, load into another component, compare; then once more.
    first.SaveToCompressedFile(dir.File("round.skn"));
    TspSkinData second(nullptr);
    ASSERT_TRUE(second.LoadFromCompressedFile(dir.File("round.skn")));
    EXPECT_EQ(Fingerprint(second), expected);
    EXPECT_EQ(second.InActivePictureName, "inactive.bmp");
    second.SaveToCompressedFile(dir.File("round2.skn"));
    TspSkinData third(nullptr);
    ASSERT_TRUE(third.LoadFromCompressedFile(dir.File("round2.skn")));
    EXPECT_EQ(Fingerprint(third), expected);

    // Folder: StoreToDisk, then load the folder.
    TTempDir out;
    third.StoreToDisk(out.Path());
    TspSkinData fourth(nullptr);
    ASSERT_TRUE(fourth.LoadFromFile(out.File("skin.ini")));
    EXPECT_EQ(Fingerprint(fourth), expected);

    // Description only: SaveToFile beside the original pictures.
    first.SaveToFile(dir.File("again.ini"));
    TspSkinData fifth(nullptr);
    ASSERT_TRUE(fifth.LoadFromFile(dir.File("again.ini")));
    EXPECT_EQ(Fingerprint(fifth), expected);

    // The stored skin of the component itself.
    TspCompressedStoredSkin stored(nullptr);
    stored.LoadFromSkinData(&first);
    TspSkinData sixth(nullptr);
    sixth.SetCompressedStoredSkin(&stored);
    EXPECT_FALSE(sixth.Empty);
    EXPECT_EQ(Fingerprint(sixth), expected);
}

TEST(SkinDataLookups, CaseSensitiveFirstMatchAndNoDuplicates)
{
    TTempDir dir;
    TFixtureSkin fx;
    // A second "button" entry, and one named like a top-level section: both refused.
    fx.ExtraLines = {"[ok]", "skinrect=1,1,2,2"};
    std::string ini = WriteFixtureSkin(dir, fx);
    ReplaceInFile(ini, "[SKINCONTROLS]\r\ncount=2", "[SKINCONTROLS]\r\ncount=5");
    ReplaceInFile(ini, "1=panel:panel", "1=panel:panel\r\n2=button:panel\r\n3=FORMINFO:panel\r\n4=ok:panel");
    TspSkinData data(nullptr);
    ASSERT_TRUE(data.LoadFromFile(ini));
    EXPECT_EQ(data.GetControlIndex("button"), 0);
    EXPECT_EQ(data.GetControlIndex("Button"), -1);
    EXPECT_EQ(data.GetControlIndex("FORMINFO"), -1);
    EXPECT_NE(data.GetControlIndex("ok"), -1);
    EXPECT_EQ(data.GetIndex("closebutton"), 0);
    EXPECT_EQ(data.GetAreaIndex("dragarea"), 0);
    EXPECT_EQ(data.GetAreaIndex("nothing"), -1);
    // Saving cannot let an element erase [FORMINFO].
    data.SaveToFile(dir.File("saved.ini"));
    TspSkinData back(nullptr);
    ASSERT_TRUE(back.LoadFromFile(dir.File("saved.ini")));
    EXPECT_EQ(back.ButtonsRect, TRect(-3, -4, 10, 12));
    EXPECT_EQ(back.CtrlList.size(), data.CtrlList.size());
}

TEST(SkinDataSaves, UnsafeNamesAndMissingNamesStopStoreToDiskBeforeAnyFile)
{
    TTempDir dir;
    TspSkinData data(nullptr);
    ASSERT_TRUE(data.LoadFromFile(WriteFixtureSkin(dir)));
    TTempDir out;
    data.PictureName = "..\\escape.bmp";
    EXPECT_THROW(data.StoreToDisk(out.Path()), ESkinDataError);
    EXPECT_EQ(GetFileAttributesA(out.File("skin.ini").c_str()), INVALID_FILE_ATTRIBUTES);
    data.PictureName = "main.bmp";
    data.ActivePicturesNames->Delete(1);
    EXPECT_THROW(data.StoreToDisk(out.Path()), ESkinDataError);
    EXPECT_EQ(GetFileAttributesA(out.File("skin.ini").c_str()), INVALID_FILE_ATTRIBUTES);
    // A .jpg name is written as BMP data.
    data.ActivePicturesNames->Add("yellow.jpg");
    data.StoreToDisk(out.Path());
    auto bytes = ReadFileBytes(out.File("yellow.jpg"));
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
}

TEST(SkinDataPictures, JpegPicturesOfAFolderSkinAndEditingTheList)
{
    TTempDir dir;
    TFixtureSkin fx;
    fx.PictureOverrides = {"picture=main.jpg"};
    std::string ini = WriteFixtureSkin(dir, fx);
    TBitmap red;
    PaintFlat(red, 40, 30, clRed);
    TJPEGImage jpeg;
    jpeg.Assign(&red);
    jpeg.SaveToFile(dir.File("main.jpg"));
    TspSkinData data(nullptr);
    ASSERT_TRUE(data.LoadFromFile(ini));
    TColor c = Probe(*data.Picture, 20, 15);
    EXPECT_GT(GetRValue(c), 200);
    EXPECT_LT(GetGValue(c), 50);
    data.AddBitMap(dir.File("green.bmp"));
    ASSERT_EQ(data.ActivePictures.size(), 3u);
    EXPECT_EQ((*data.ActivePicturesNames)[2], "green.bmp");
    data.DeleteBitMap(0);
    EXPECT_EQ(data.ActivePictures.size(), 2u);
    EXPECT_EQ((*data.ActivePicturesNames)[0], "yellow.bmp");
    EXPECT_THROW(data.DeleteBitMap(5), EListError);
    data.AddSkinArea("extra", TRect(1, 2, 3, 4));
    EXPECT_EQ(data.GetAreaIndex("extra"), 1);
}

TEST(SkinDataLifetime, StoredSkinGoneClearsTheReferenceAndKeepsTheSkin)
{
    TTempDir dir;
    auto* stored = new TspCompressedStoredSkin(nullptr);
    ASSERT_TRUE(stored->LoadFromIniFile(WriteFixtureSkin(dir)));
    TspSkinData data(nullptr);
    data.SetCompressedStoredSkin(stored);
    EXPECT_EQ(data.GetCompressedStoredSkin(), stored);
    EXPECT_FALSE(data.Empty);
    stored->Free();
    EXPECT_EQ(data.GetCompressedStoredSkin(), nullptr);
    EXPECT_FALSE(data.Empty);
    EXPECT_EQ(Probe(*data.Picture, 1, 1), clRed);
}

namespace {

// A file of Size bytes that costs no disk: its end is set, nothing written.
void MakeSparseFile(const std::string& Path, long long Size, const std::vector<char>& Head)
{
    {
        TFileStream f(Path, fmCreate);
        if (!Head.empty()) f.WriteBuffer(Head.data(), static_cast<long>(Head.size()));
    }
    TKernelHandle h(CreateFileA(Path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(h.Valid());
    LARGE_INTEGER at;
    at.QuadPart = Size;
    SetFilePointerEx(h.Get(), at, nullptr, FILE_BEGIN);
    SetEndOfFile(h.Get());
}

} // namespace

TEST(SkinDataBounds, OversizedFilesAreRefusedBeforeTheyAreRead)
{
    TTempDir dir;
    const long long big = 80LL * 1024 * 1024;
    std::string head = "[VERSION]\r\nskinname=big\r\n";
    MakeSparseFile(dir.File("big.ini"), big, std::vector<char>(head.begin(), head.end()));
    TspSkinData data(nullptr);
    EXPECT_THROW(data.LoadFromFile(dir.File("big.ini")), ESkinDataError);
    TspCompressedStoredSkin stored(nullptr);
    EXPECT_THROW(stored.LoadFromIniFile(dir.File("big.ini")), ESkinDataError);
    // A .skn whose byte count is within the file but beyond any skin.
    int header[2] = {2, static_cast<int>(big - 8)};
    MakeSparseFile(dir.File("big.skn"), big, std::vector<char>(reinterpret_cast<char*>(header),
                                                                reinterpret_cast<char*>(header) + 8));
    EXPECT_THROW(stored.LoadFromCompressFile(dir.File("big.skn")), ESkinDataError);
    EXPECT_TRUE(stored.GetEmpty());
}

namespace {

// A 32x32 monochrome cursor file.
std::vector<char> CursorFile()
{
    std::vector<char> v;
    auto put16 = [&](int x) { v.push_back(static_cast<char>(x & 0xFF)); v.push_back(static_cast<char>(x >> 8)); };
    auto put32 = [&](int x) { put16(x & 0xFFFF); put16((x >> 16) & 0xFFFF); };
    put16(0); put16(2); put16(1);                          // reserved, cursor, one image
    const int bits = 40 + 8 + 128 + 128;
    v.push_back(32); v.push_back(32); v.push_back(0); v.push_back(0);
    put16(3); put16(4);                                    // hot spot
    put32(bits); put32(6 + 16);
    put32(40); put32(32); put32(64); put16(1); put16(1); put32(0); put32(256); put32(0); put32(0); put32(2); put32(0);
    put32(0); put32(0x00FFFFFF);                            // black, white
    for (int i = 0; i < 128; ++i) v.push_back(static_cast<char>(i % 2 ? 0xF0 : 0x0F));
    for (int i = 0; i < 128; ++i) v.push_back(0);
    return v;
}

} // namespace

TEST(SkinDataCursors, CursorsFillTheirSlotsFromTheStartIndex)
{
    TTempDir dir;
    TFixtureSkin fx;
    fx.ExtraLines = {"[CURSORS]", "startcursorindex=5", "cursorscount=2", "0=hand.cur", "1=missing.cur"};
    std::string ini = WriteFixtureSkin(dir, fx);
    WriteFileBytes(dir.File("hand.cur"), CursorFile());
    TspSkinData data(nullptr);
    ASSERT_TRUE(data.LoadFromFile(ini));
    EXPECT_EQ(data.StartCursorIndex, 5);
    ASSERT_EQ(data.CursorsNames->Count(), 2);
    HCURSOR unset = Screen->GetCursors(4242);
    EXPECT_NE(Screen->GetCursors(5), unset);
    EXPECT_NE(Screen->GetCursors(5), nullptr);
    EXPECT_EQ(Screen->GetCursors(6), unset);     // a file that does not load leaves the default
    // Slot 0 is not a slot: the start reads as 1. A name that leaves the folder refuses the skin.
    TTempDir d2;
    TFixtureSkin fx2;
    fx2.ExtraLines = {"[CURSORS]", "startcursorindex=0", "cursorscount=1", "0=..\\hand.cur"};
    TspSkinData other(nullptr);
    EXPECT_THROW(other.LoadFromFile(WriteFixtureSkin(d2, fx2)), ESkinDataError);
    EXPECT_TRUE(other.Empty);
    TTempDir d3;
    TFixtureSkin fx3;
    fx3.ExtraLines = {"[CURSORS]", "startcursorindex=0"};
    ASSERT_TRUE(other.LoadFromFile(WriteFixtureSkin(d3, fx3)));
    EXPECT_EQ(other.StartCursorIndex, 1);
    Screen->SetCursors(5, nullptr);
}
