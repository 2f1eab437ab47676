// The bit label: sizes from its symbols and the skin client's margins, and
// characters cut out of the skin's character table, on a fixture skin.
#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinBitLabel.h"

using namespace CtlFixture;

namespace {

const TColor cFace = 0x303030, cEnd = 0x00C0C0;
// Cells of the table: row 0 "0123", row 1 "AB".
const TColor cSym[] = {0x0000F0, 0x00F000, 0xF00000, 0xF0F000, 0x00F0F0, 0xF000F0};

// A 40 x 12 element stretching sideways (fixed ends 0..4 and 34..40), client
// (4, 2, 34, 10): margins 4 and 6; 8 x 8 symbols in a table at (0, 20).
struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    std::unique_ptr<TspSkinData> Skin = std::make_unique<TspSkinData>(nullptr);
    TspDataSkinBitLabelControl* Rec;
    Scene()
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 60);
        auto pic = NewPicture(100, 40, 0);
        Paint(pic.get(), TRect(0, 0, 40, 12), cFace);
        Paint(pic.get(), TRect(0, 0, 4, 12), cEnd);
        Paint(pic.get(), TRect(34, 0, 40, 12), cEnd);
        for (int i = 0; i < 6; ++i) Paint(pic.get(), Bounds((i % 4) * 8, 20 + (i / 4) * 8, 8, 8), cSym[i]);
        Skin->ActivePictures.push_back(std::move(pic));
        Skin->Empty = false;
        auto r = std::make_unique<TspDataSkinBitLabelControl>("bitlabel");
        r->PictureIndex = 0;
        r->SkinRect = TRect(0, 0, 40, 12);
        r->LeftTopPoint = TPoint(4, 0);
        r->RightTopPoint = TPoint(34, 0);
        r->ClientRect = TRect(4, 2, 34, 10);
        r->SkinTextRect = TRect(0, 20, 32, 36);
        r->SymbolWidth = 8;
        r->SymbolHeight = 8;
        r->SkinTextSymbols.Add("0123");
        r->SkinTextSymbols.Add("AB");
        Rec = r.get();
        Skin->CtrlList.push_back(std::move(r));
    }
    ~Scene()
    {
        while (Form->GetControlCount() > 0) delete Form->GetControl(0);
    }
    TspSkinBitLabel* Label(int W, const char* Caption, bool Skinned = true)
    {
        auto* l = new TspSkinBitLabel(nullptr);
        l->SetParent(Form.get());
        l->SetBounds(0, 0, W, 12);
        l->SetCaption(Caption);
        if (Skinned) l->SetSkinData(Skin.get());
        return l;
    }
};

TEST(BitLabel, SizeFromFixLengthAutoSizeAndCaption)
{
    struct Case {
        const char* Caption;
        int FixLength;
        bool AutoSize;
        int Width;   // asked
        int Expected;
    } cases[] = {
        {"0", 5, false, 60, 50},           // 4 + 5 * 8 + 6
        {"0123", 0, true, 60, 42},         // shrinks to four symbols
        {"01", 0, true, 60, 26},
        {"0123012301", 0, false, 61, 90},  // a caption wider than the label widens it on a resize
        {"01", 0, false, 61, 61},          // without AutoSize a narrower caption leaves it
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.Caption << " fix " << k.FixLength << " auto " << k.AutoSize);
        Scene s;
        auto* l = s.Label(40, k.Caption);
        ASSERT_TRUE(l->Skinned());
        if (k.FixLength) l->SetFixLength(k.FixLength);
        if (k.AutoSize) l->SetAutoSizeX(true);
        if (!k.FixLength && !k.AutoSize) l->SetBounds(0, 0, k.Width, 12);
        EXPECT_EQ(l->GetWidth(), k.Expected);
        EXPECT_EQ(l->GetHeight(), 12);
    }
}

TEST(BitLabel, FixLengthTurnsAutoSizeOffAndAlignedLabelsKeepTheirWidth)
{
    Scene s;
    auto* l = s.Label(60, "01");
    l->SetAutoSizeX(true);
    l->SetFixLength(3);
    EXPECT_FALSE(l->GetAutoSize());
    EXPECT_EQ(l->GetWidth(), 34);
    l->SetFixLength(0);
    l->SetAlign(alTop);
    const int w = l->GetWidth();
    l->SetAutoSizeX(true);
    EXPECT_EQ(l->GetWidth(), w);
}

TEST(BitLabel, CharactersComeFromTheirCellsAndUnknownOnesLeaveAGap)
{
    Scene s;
    auto* l = s.Label(60, "2A?0a3");
    auto shot = Snapshot(l);
    // Character i stands at x = 4 + 8 i, from y 2 to 10.
    const TColor expect[] = {cSym[2], cSym[4], cFace, cSym[0], cFace, cSym[3]};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Probe(shot.get(), 4 + 8 * i + 3, 5), expect[i]) << i;
        EXPECT_EQ(Probe(shot.get(), 4 + 8 * i, 2), expect[i]) << i;
        EXPECT_EQ(Probe(shot.get(), 4 + 8 * i + 7, 9), expect[i]) << i;
    }
    EXPECT_EQ(Probe(shot.get(), 10, 1), cFace);    // above the client rectangle
    EXPECT_EQ(Probe(shot.get(), 10, 10), cFace);   // below it
    EXPECT_EQ(Probe(shot.get(), 56, 5), cEnd);     // the right end stays
}

TEST(BitLabel, CharactersStopAtTheClientEdgeAndNeverCoverTheFrame)
{
    Scene s;
    auto* l = s.Label(30, "");   // client 4..24: two and a half symbols
    l->SetCaption("0123");
    ASSERT_EQ(l->GetWidth(), 30);
    auto shot = Snapshot(l);
    EXPECT_EQ(Probe(shot.get(), 5, 5), cSym[0]);
    EXPECT_EQ(Probe(shot.get(), 13, 5), cSym[1]);
    EXPECT_EQ(Probe(shot.get(), 23, 5), cSym[2]);   // cut at the edge
    for (int x = 24; x < 30; ++x) EXPECT_EQ(Probe(shot.get(), x, 5), cEnd) << x;
}

TEST(BitLabel, DamagedRecordsDrawTheFaceAndKeepSizesBounded)
{
    struct Case {
        const char* What;
        void (*Damage)(TspDataSkinBitLabelControl*);
    } cases[] = {
        {"no symbol width", [](TspDataSkinBitLabelControl* r) { r->SymbolWidth = 0; }},
        {"negative symbol size", [](TspDataSkinBitLabelControl* r) { r->SymbolHeight = -8; }},
        {"table outside the picture", [](TspDataSkinBitLabelControl* r) { r->SkinTextRect = TRect(5000, 5000, 5032, 5016); }},
        {"table half outside", [](TspDataSkinBitLabelControl* r) { r->SkinTextRect = TRect(90, 36, 122, 52); }},
        {"huge symbols", [](TspDataSkinBitLabelControl* r) { r->SymbolWidth = 2000000000; }},
        {"no lines", [](TspDataSkinBitLabelControl* r) { r->SkinTextSymbols.Clear(); }},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.What);
        Scene s;
        k.Damage(s.Rec);
        auto* l = s.Label(60, "0123");
        l->SetFixLength(4);
        EXPECT_GE(l->GetWidth(), 0);
        EXPECT_LE(l->GetWidth(), MaxSkinControlSide);
        l->SetFixLength(0);
        l->SetBounds(0, 0, 60, 12);
        l->SetAutoSizeX(true);
        EXPECT_LE(l->GetWidth(), MaxSkinControlSide);
        l->SetAutoSizeX(false);
        l->SetBounds(0, 0, 60, 12);
        auto shot = Snapshot(l);
        const TColor c = Probe(shot.get(), 5, 5);
        EXPECT_TRUE(c == cFace || c == cSym[0]) << std::hex << c;
    }
}

TEST(BitLabel, RecordOfAnotherKindLeavesItUnskinnedAtItsOwnSize)
{
    Scene s;
    s.Skin->CtrlList.clear();
    s.Skin->CtrlList.push_back(std::make_unique<TspDataSkinLabelControl>("bitlabel"));
    auto* l = new TspSkinBitLabel(nullptr);
    l->SetParent(s.Form.get());
    l->SetCaption("12");
    l->SetSkinData(s.Skin.get());
    EXPECT_FALSE(l->Skinned());
    EXPECT_EQ(l->GetWidth(), 100);
    EXPECT_EQ(l->GetHeight(), 20);
    auto shot = Snapshot(l);
    EXPECT_EQ(Probe(shot.get(), 0, 0), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    // The caption is drawn as text: something darker than the face near its start.
    int ink = 0;
    for (int x = 2; x < 20; ++x)
        for (int y = 2; y < 18; ++y)
            if (Probe(shot.get(), x, y) != static_cast<TColor>(GetSysColor(COLOR_BTNFACE))) ++ink;
    EXPECT_GT(ink, 5);
}

}  // namespace
