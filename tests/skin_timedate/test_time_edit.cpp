// The time edit: the key filter and the mask through WM_CHAR, and the time
// read and written as text, as parts and as milliseconds.
#include "test_gtest.h"
#include "Form.h"
#include "SkinTimeEdit.h"
#include "SysUtils.h"
#include <cstring>
#include <memory>
#include <string>

namespace {

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinTimeEdit* E;
    Scene()
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 100);
        E = new TspSkinTimeEdit(Form.get());
        E->SetParent(Form.get());
        E->SetBounds(10, 10, 150, 20);
        E->HandleNeeded();
    }
    void Type(char C) { E->Perform(WM_CHAR, static_cast<unsigned char>(C), 1); }
    void Put(const std::string& Text, int Caret)
    {
        E->SetText(Text);
        E->SetSelStart(Caret);
        E->SetSelLength(0);
    }
};

TEST(TimeEdit, KeyFilterAcceptsOnlyDigitsThatKeepTheTimeValid)
{
    struct Case {
        bool MSec;
        const char* Before;
        int Caret;
        char Key;
        const char* After;   // the text after the key
        int CaretAfter;
    } cases[] = {
        {false, "00:00:00", 0, '3', "00:00:00", 0},       // hours 30
        {false, "00:00:00", 0, '2', "20:00:00", 1},
        {false, "20:00:00", 1, '5', "20:00:00", 1},       // hours 25
        {false, "20:00:00", 1, '4', "24:00:00", 3},       // 24:00:00 is a time; the caret skips ':'
        {false, "24:00:00", 3, '1', "24:00:00", 3},       // only 24:00:00 itself
        {false, "00:00:00", 2, '5', "00:50:00", 4},       // the caret on ':' types into the minutes
        {false, "00:00:00", 2, '7', "00:00:00", 2},       // minutes 70
        {false, "12:34:56", 6, '9', "12:34:56", 6},       // seconds 96
        {false, "12:34:56", 8, '1', "12:34:56", 8},       // nothing past the text
        {false, "12:34:56", 3, 'a', "12:34:56", 3},       // the mask takes digits only
        {false, "12:34:56", 3, '-', "12:34:56", 3},
        {false, "ab:cd:ef", 0, '1', "ab:cd:ef", 0},        // a text that does not convert takes nothing
        {true, "00:00:00.000", 8, '5', "00:00:00.500", 10},
        {true, "00:00:00.000", 12, '5', "00:00:00.000", 12},
        {true, "23:59:59.999", 0, '1', "13:59:59.999", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Before) + " at " + std::to_string(c.Caret) + " key " + c.Key);
        Scene s;
        s.E->SetShowMilliseconds(c.MSec);
        s.Put(c.Before, c.Caret);
        s.Type(c.Key);
        EXPECT_EQ(s.E->GetText(), c.After);
        EXPECT_EQ(s.E->GetSelStart(), c.CaretAfter);
    }
}

TEST(TimeEdit, AWideSelectionTypesIntoItsFirstPlace)
{
    Scene s;
    s.Put("11:11:11", 0);
    s.E->SetSelLength(5);
    s.Type('2');
    EXPECT_EQ(s.E->GetText(), "21:11:11");
}

TEST(TimeEdit, BackspaceAndDeleteBlankPlacesAndKeepTheLayout)
{
    Scene s;
    s.Put("12:34:56", 4);
    s.Type(8);
    EXPECT_EQ(s.E->GetText(), "12: 4:56");
    s.E->SetSelStart(0);
    s.E->SetSelLength(8);
    s.E->Perform(WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(s.E->GetText(), "  :  :  ");
    EXPECT_EQ(s.E->GetMilliseconds(), 0);
}

void PutClipboard(const std::string& S)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, S.size() + 1);
    memcpy(GlobalLock(g), S.c_str(), S.size() + 1);
    GlobalUnlock(g);
    SetClipboardData(CF_TEXT, g);
    CloseClipboard();
}

TEST(TimeEdit, ClipboardCommandsKeepToTheMaskAndTheFilter)
{
    struct Case {
        const char* Before;
        int Start, Length;
        UINT Msg;
        const char* Clip;
        const char* After;
    } cases[] = {
        {"00:00:00", 0, 0, WM_PASTE, "2359", "23:59:00"},
        {"00:00:00", 0, 0, WM_PASTE, "99", "00:00:00"},          // every digit refused
        {"00:00:00", 6, 0, WM_PASTE, "12:34:56", "00:00:12"},    // nothing past the text
        {"12:34:56", 0, 5, WM_CUT, "", "  :  :56"},
        {"12:34:56", 3, 2, WM_CLEAR, "", "12:  :56"},
        {"12:34:56", 0, 8, WM_UNDO, "", "12:34:56"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Before) + " msg " + std::to_string(c.Msg) + " " + c.Clip);
        Scene s;
        if (c.Msg == WM_PASTE) PutClipboard(c.Clip);
        s.Put(c.Before, c.Start);
        s.E->SetSelLength(c.Length);
        s.E->Perform(c.Msg, 0, 0);
        EXPECT_EQ(s.E->GetText(), c.After);
    }
}

TEST(TimeEdit, APasteIsOneChangeAndOneUndo)
{
    Scene s;
    int changes = 0;
    s.E->OnChange = [&](TObject*) { ++changes; };
    PutClipboard("1830");
    s.Put("00:00:00", 0);
    changes = 0;
    s.E->Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(s.E->GetText(), "18:30:00");
    EXPECT_EQ(changes, 1);
    s.E->Perform(WM_UNDO, 0, 0);
    EXPECT_EQ(s.E->GetText(), "00:00:00");
}

TEST(TimeEdit, OwnKeyPressHandlerReplacesTheFilterButNotTheMask)
{
    Scene s;
    int seen = 0;
    s.E->OnKeyPress = [&](TObject*, char&) { ++seen; };
    s.Put("00:00:00", 0);
    s.Type('3');
    s.Type('x');
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(s.E->GetText(), "30:00:00");
}

TEST(TimeEdit, TextPartsAndMilliseconds)
{
    struct Case {
        bool MSec;
        const char* Set;        // SetTime, or nullptr for SetMilliseconds(Ms)
        int Ms;
        const char* Text;
        int Get;                // GetMilliseconds afterwards
    } cases[] = {
        {true, nullptr, 3723004, "01:02:03.004", 3723004},
        {false, nullptr, 3723004, "01:02:03", 3723000},
        {false, "01:02:03", 0, "01:02:03", 3723000},
        {false, " 1:02:03", 0, "01:02:03", 3723000},
        {true, "01:02:03.045", 0, "01:02:03.045", 3723045},
        {false, "ab:00:00", 0, "00:00:00", 0},
        {true, "01:02", 0, "00:00:00.000", 0},
        {false, "99:99:99", 0, "99:99:99", 99 * 3600000 + 99 * 60000 + 99000},
        {false, nullptr, -5, "00:00:00", 0},
        {false, nullptr, 100 * 3600000, "00:00:00", 0},   // hours that do not fit the mask
        {false, nullptr, 24 * 3600000, "24:00:00", 24 * 3600000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Set ? c.Set : std::to_string(c.Ms));
        Scene s;
        s.E->SetShowMilliseconds(c.MSec);
        if (c.Set) s.E->SetTime(c.Set);
        else s.E->SetMilliseconds(c.Ms);
        EXPECT_EQ(s.E->GetTime(), c.Text);
        EXPECT_EQ(s.E->GetMilliseconds(), c.Get);
    }
}

TEST(TimeEdit, DecodeRaisesOnlyToItsCallerAndEncodeIgnoresInvalidTimes)
{
    Scene s;
    s.E->SetText("12:34:56");
    WORD h = 0, m = 0, sec = 0, ms = 9;
    s.E->DecodeTime(h, m, sec, ms);
    EXPECT_EQ(h, 12);
    EXPECT_EQ(m, 34);
    EXPECT_EQ(sec, 56);
    EXPECT_EQ(ms, 0);
    s.E->SetText("1x:34:56");
    EXPECT_THROW(s.E->DecodeTime(h, m, sec, ms), EConvertError);
    EXPECT_EQ(s.E->GetMilliseconds(), 0);
    s.E->SetText("12:34:56");
    s.E->EncodeTime(25, 0, 0, 0);
    EXPECT_EQ(s.E->GetText(), "12:34:56");
    s.E->EncodeTime(7, 8, 9, 10);
    EXPECT_EQ(s.E->GetText(), "07:08:09");
}

TEST(TimeEdit, ValidTimes)
{
    struct Case {
        int H, M, S, Ms;
        bool Valid;
    } cases[] = {{0, 0, 0, 0, true},    {23, 59, 59, 999, true}, {24, 0, 0, 0, true},  {24, 0, 0, 1, false},
                 {24, 0, 1, 0, false},  {24, 1, 0, 0, false},    {25, 0, 0, 0, false}, {0, 60, 0, 0, false},
                 {0, 0, 60, 0, false},  {0, 0, 0, 1000, false},  {-1, 0, 0, 0, false}};
    for (const auto& c : cases)
        EXPECT_EQ(TspSkinTimeEdit::IsValidTime(c.H, c.M, c.S, c.Ms), c.Valid) << c.H << ":" << c.M << ":" << c.S;
}

TEST(TimeEdit, SwitchingMillisecondsResetsTheTime)
{
    Scene s;
    EXPECT_EQ(s.E->GetEditMask(), "!90:00:00;1; ");
    s.E->SetText("12:34:56");
    s.E->SetShowMilliseconds(true);
    EXPECT_EQ(s.E->GetEditMask(), "!90:00:00.000;1; ");
    EXPECT_EQ(s.E->GetText(), "00:00:00.000");
    s.E->SetMilliseconds(1234);
    s.E->SetShowMilliseconds(false);
    EXPECT_EQ(s.E->GetText(), "00:00:00");
    std::string t = " 1: 2: 3";
    TspSkinTimeEdit::CheckSpace(t);
    EXPECT_EQ(t, "01:02:03");
}

}  // namespace
