#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinGauge.h"

using namespace CtlFixture;

namespace {

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinGauge* G;
    Scene()
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 200);
        G = new TspSkinGauge(Form.get());
        G->SetParent(Form.get());
    }
};

// A horizontal gauge element: the 60 x 20 normal look, a progress area inside it
// and the progress picture taken from the active look with 3-pixel edge caps.
TspDataSkinGaugeControl* AddGauge(TspSkinData* D, const std::string& Name = "gauge")
{
    auto r = std::make_unique<TspDataSkinGaugeControl>(Name);
    r->PictureIndex = 0;
    r->SkinRect = LookRect(0);
    r->LeftTopPoint = TPoint(10, 0);
    r->RightTopPoint = TPoint(50, 0);
    r->ClientRect = TRect(10, 0, 50, 20);
    r->ProgressArea = TRect(12, 5, 52, 15);
    r->ProgressRect = TRect(7, 20, 53, 30);
    r->BeginOffset = r->EndOffset = 3;
    auto* p = r.get();
    D->CtrlList.push_back(std::move(r));
    return p;
}

struct FillCase {
    int Min, Max, Value;
    bool Vertical;
    TRect Expect;   // of the area (0, 0, 100, 50)
};

TEST(SkinGauge, ProgressRectByValue)
{
    const FillCase cases[] = {
        {0, 100, 50, false, TRect(0, 0, 50, 50)},
        {0, 200, 50, false, TRect(0, 0, 25, 50)},
        {0, 100, 0, false, TRect(0, 0, 0, 50)},
        {0, 100, 100, false, TRect(0, 0, 100, 50)},
        {-50, 50, 0, false, TRect(0, 0, 50, 50)},
        {0, 8, 1, false, TRect(0, 0, 12, 50)},      // 12.5: half to even
        {0, 8, 3, false, TRect(0, 0, 38, 50)},      // 37.5: half to even
        {5, 5, 5, false, TRect(0, 0, 0, 50)},       // one value: empty, no division
        {0, 100, 100, true, TRect(0, 0, 100, 50)},
        {0, 100, 30, true, TRect(0, 35, 100, 50)},
        {7, 7, 7, true, TRect(0, 50, 100, 50)},
    };
    for (const auto& c : cases) {
        Scene s;
        s.G->SetMinValue(c.Min);
        s.G->SetMaxValue(c.Max);
        s.G->SetValue(c.Value);
        s.G->SetVertical(c.Vertical);
        EXPECT_EQ(s.G->CalcProgressRect(TRect(0, 0, 100, 50)), c.Expect)
            << c.Min << ".." << c.Max << " = " << c.Value << (c.Vertical ? " vertical" : "");
    }
}

TEST(SkinGauge, ValueIsKeptInTheRange)
{
    Scene s;
    s.G->SetValue(300);
    EXPECT_EQ(s.G->GetValue(), 100);
    s.G->SetValue(-3);
    EXPECT_EQ(s.G->GetValue(), 0);
    s.G->SetValue(80);
    s.G->SetMaxValue(60);
    EXPECT_EQ(s.G->GetValue(), 60);
    s.G->SetMinValue(70);
    EXPECT_EQ(s.G->GetValue(), 70);
}

TEST(SkinGauge, TextAndPercent)
{
    Scene s;
    s.G->SetMaxValue(200);
    s.G->SetValue(50);
    EXPECT_EQ(s.G->ProgressTextToShow(), "");
    s.G->SetShowPercent(true);
    EXPECT_EQ(s.G->ProgressTextToShow(), "25%");
    s.G->SetProgressText("Level ");
    s.G->SetShowProgressText(true);
    EXPECT_EQ(s.G->ProgressTextToShow(), "Level 25%");
    s.G->SetMinValue(200);   // one value: 0 %, no division by zero
    EXPECT_EQ(s.G->Percent(), 0);
}

TEST(SkinGauge, DefaultLookFillsTheShare)
{
    Scene s;
    s.G->SetBounds(0, 0, 102, 20);
    s.G->SetValue(25);
    auto shot = Snapshot(s.G);
    const TColor fill = RGB(182, 189, 210);
    EXPECT_EQ(Probe(shot.get(), 0, 10), static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_EQ(Probe(shot.get(), 10, 10), fill);
    EXPECT_EQ(Probe(shot.get(), 25, 10), fill);
    EXPECT_EQ(Probe(shot.get(), 27, 10), static_cast<TColor>(GetSysColor(COLOR_WINDOW)));
    s.G->SetShowPercent(true);   // the text is drawn over the middle
    shot = Snapshot(s.G);
    int dark = 0;
    for (int x = 35; x < 65; ++x)
        for (int y = 3; y < 17; ++y)
            if (Probe(shot.get(), x, y) == 0) ++dark;
    EXPECT_GT(dark, 10);
    SaveArtefact(shot.get(), "gauge-default");
}

TEST(SkinGauge, SkinnedProgressTilesTheMiddleBetweenCaps)
{
    Scene s;
    auto skin = NewSkin();
    AddGauge(skin.get());
    s.G->SetSkinData(skin.get());
    ASSERT_TRUE(s.G->Skinned());
    s.G->SetBounds(0, 0, 160, 20);   // horizontal element: the area grows to 12..152
    EXPECT_EQ(s.G->GetHeight(), 20);
    EXPECT_EQ(s.G->ProgressArea(), TRect(12, 5, 152, 15));
    s.G->SetValue(50);   // progress 12..82
    auto shot = Snapshot(s.G);
    EXPECT_EQ(Probe(shot.get(), 13, 10), cEdge);     // begin cap
    EXPECT_EQ(Probe(shot.get(), 40, 10), cActive);   // tiled middle (tiles of 40)
    EXPECT_EQ(Probe(shot.get(), 70, 10), cActive);
    EXPECT_EQ(Probe(shot.get(), 80, 10), cEdge);     // end cap
    EXPECT_EQ(Probe(shot.get(), 100, 10), cNormal);  // the element behind
    EXPECT_EQ(Probe(shot.get(), 156, 10), cEdge);    // the element's right end
    // Shorter than both caps: only the middle, no caps (a small value still shows).
    s.G->SetValue(3);   // 4.2 pixels: progress 12..16
    shot = Snapshot(s.G);
    EXPECT_EQ(Probe(shot.get(), 12, 10), cActive);
    EXPECT_EQ(Probe(shot.get(), 15, 10), cActive);
    EXPECT_EQ(Probe(shot.get(), 17, 10), cNormal);
    s.G->SetSkinData(nullptr);
}

TEST(SkinGauge, WithoutSkinSizeTheGaugeKeepsItsSizeAndStretches)
{
    Scene s;
    auto skin = NewSkin();
    AddGauge(skin.get());
    s.G->SetUseSkinSize(false);
    s.G->SetBounds(0, 0, 120, 40);
    s.G->SetSkinData(skin.get());
    ASSERT_TRUE(s.G->Skinned());
    EXPECT_EQ(s.G->GetWidth(), 120);
    EXPECT_EQ(s.G->GetHeight(), 40);
    s.G->SetValue(100);   // the element's area 12..52 full, stretched twice
    auto shot = Snapshot(s.G);
    EXPECT_EQ(Probe(shot.get(), 60, 20), cActive);
    EXPECT_EQ(Probe(shot.get(), 60, 3), cNormal);
    s.G->SetSkinData(nullptr);
}

TEST(SkinGauge, ARecordOfAnotherKindLeavesItUnskinned)
{
    Scene s;
    auto skin = NewSkin();
    AddButton(skin.get(), "gauge");
    s.G->SetSkinData(skin.get());
    EXPECT_FALSE(s.G->Skinned());
    auto shot = Snapshot(s.G);
    EXPECT_EQ(Probe(shot.get(), 10, 10), static_cast<TColor>(RGB(182, 189, 210)));
    s.G->SetSkinData(nullptr);
}

}  // namespace

#include "SkinSlider.h"
#include "SkinTrackBar.h"

namespace {

// Damaged records: pieces outside the picture, caps longer than the piece,
// negative sizes. Every control paints without reading outside its picture.
TEST(SkinRangeRecords, DamagedRecordsPaintSafely)
{
    struct Case {
        const char* What;
        TRect Piece;
        int Offset;
    };
    const Case cases[] = {
        {"outside", TRect(500, 500, 600, 520), 3},
        {"inverted", TRect(50, 30, 10, 20), 3},
        {"huge caps", TRect(7, 20, 53, 30), 100000},
        {"negative caps", TRect(7, 20, 53, 30), -40},
        {"half outside", TRect(40, 70, 90, 95), 2},
        {"far corners", TRect(-2000000000, -2000000000, 2000000000, 2000000000), 2000000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        auto skin = NewSkin();
        auto* g = AddGauge(skin.get());
        g->ProgressRect = c.Piece;
        g->BeginOffset = g->EndOffset = c.Offset;
        g->ProgressArea = c.Offset > 1000000 ? TRect(-2000000000, -2000000000, 2000000000, 2000000000)
                                             : TRect(-50, -50, 5000, 5000);
        auto t = std::make_unique<TspDataSkinTrackBarControl>("htrackbar");
        t->PictureIndex = 0;
        t->SkinRect = LookRect(0);
        t->TrackArea = c.Offset > 1000000 ? TRect(-2000000000, 0, 2000000000, 20) : TRect(-20, 0, 9000, 20);
        t->ButtonRect = c.Piece;
        t->ActiveButtonRect = c.Piece;
        skin->CtrlList.push_back(std::move(t));
        auto sl = std::make_unique<TspDataSkinSlider>("slider");
        sl->PictureIndex = 0;
        sl->HRulerRect = sl->VRulerRect = sl->HThumbRect = sl->VThumbRect = c.Piece;
        sl->EdgeSize = c.Offset;
        skin->CtrlList.push_back(std::move(sl));

        Scene s;
        s.G->SetShowPercent(true);
        s.G->SetSkinData(skin.get());
        Snapshot(s.G);
        s.G->SetVertical(true);
        Snapshot(s.G);
        auto* tb = new TspSkinTrackBar(s.Form.get());
        tb->SetParent(s.Form.get());
        tb->SetSkinData(skin.get());
        tb->SetValue(70);
        Snapshot(tb);
        tb->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(30, 10));
        tb->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(3000, 10));
        tb->Perform(WM_LBUTTONUP, 0, PointToLParam(3000, 10));
        Snapshot(tb);
        auto* sd = new TspSkinSlider(s.Form.get());
        sd->SetParent(s.Form.get());
        sd->SetSkinData(skin.get());
        sd->SetValue(50);
        Snapshot(sd);
        sd->SetOrientation(soVertical);
        Snapshot(sd);
        EXPECT_LE(tb->GetValue(), 100);
        EXPECT_EQ(sd->GetValue(), 50);
        s.G->SetSkinData(nullptr);
        tb->SetSkinData(nullptr);
        sd->SetSkinData(nullptr);
    }
}

}  // namespace
