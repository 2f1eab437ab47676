#include "test_gtest.h"
#include "CustomControl.h"
#include "FlatPicture.h"
#include "GraphicControl.h"
#include "SkinParentImage.h"
#include <memory>

using namespace SkinFixture;

namespace {

const TColor cParentBack = 0xFF0000, cStripe = 0x0000FF, cBelow = 0x00FF00, cAbove = 0x00FFFF;

// A parent whose erase fills its colour and whose paint draws a stripe over its top 10 rows.
class TStripedParent : public TCustomControl {
public:
    TStripedParent() : TCustomControl(nullptr) { SetColor(cParentBack); }
    void Paint() override
    {
        GetCanvas()->GetBrush()->SetColor(cStripe);
        GetCanvas()->FillRect(TRect(0, 0, GetWidth(), 10));
    }
};

class TFlatGraphic : public TGraphicControl {
public:
    explicit TFlatGraphic(TColor C) : TGraphicControl(nullptr), FColor(C) {}
    void Paint() override
    {
        GetCanvas()->GetBrush()->SetColor(FColor);
        GetCanvas()->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
    }
private:
    TColor FColor;
};

class TFlatCustom : public TCustomControl {
public:
    explicit TFlatCustom(TColor C) : TCustomControl(nullptr), FColor(C) {}
    void Paint() override
    {
        GetCanvas()->GetBrush()->SetColor(FColor);
        GetCanvas()->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
    }
private:
    TColor FColor;
};

// Parent 60 x 40; an earlier sibling at columns 20..30; the control at (10, 5), 30 x 20.
struct Scene {
    TStripedParent Parent;
    std::unique_ptr<TControl> Earlier, Control, Later;
    template <class Ctl, class Sib> void Build()
    {
        Parent.SetBounds(0, 0, 60, 40);
        Earlier = std::make_unique<Sib>(cBelow);
        Earlier->SetParent(&Parent);
        Earlier->SetBounds(20, 0, 10, 40);
        Control = std::make_unique<Ctl>(0x777777);
        Control->SetParent(&Parent);
        Control->SetBounds(10, 5, 30, 20);
        Later = std::make_unique<Ctl>(cAbove);
        Later->SetParent(&Parent);
        Later->SetBounds(10, 5, 30, 20);
    }
    ~Scene()
    {
        for (auto* c : {Later.get(), Control.get(), Earlier.get()}) c->SetParent(nullptr);
    }
};

TEST(ParentImage, WindowedControlSeesParentAndEarlierSiblings)
{
    Scene s;
    s.Build<TFlatCustom, TFlatCustom>();
    auto img = NewPicture(30, 20, 0x123456);
    Sputils::GetParentImage(s.Control.get(), img->GetCanvas());
    EXPECT_EQ(Probe(img.get(), 0, 0), cStripe);        // parent (10, 5): the stripe
    EXPECT_EQ(Probe(img.get(), 0, 10), cParentBack);   // parent (10, 15): its background
    EXPECT_EQ(Probe(img.get(), 12, 10), cBelow);       // parent (22, 15): the earlier sibling
    EXPECT_EQ(Probe(img.get(), 25, 15), cParentBack);
}

TEST(ParentImage, WindowlessControlSeesEarlierGraphicSiblingsOnly)
{
    Scene s;
    s.Build<TFlatGraphic, TFlatGraphic>();
    auto img = NewPicture(30, 20, 0x123456);
    Sputils::GetParentImage2(s.Control.get(), img->GetCanvas());
    for (int y = 0; y < 20; y += 3)
        for (int x = 0; x < 30; x += 3) {
            TColor p = Probe(img.get(), x, y);
            ASSERT_NE(p, cAbove) << x << "," << y;       // the later sibling never shows
            ASSERT_NE(p, 0x777777) << x << "," << y;     // nor the control itself
        }
    EXPECT_EQ(Probe(img.get(), 12, 10), cBelow);
    EXPECT_EQ(Probe(img.get(), 0, 10), cParentBack);
}

TEST(ParentImage, NoParentPaintsNothing)
{
    TFlatCustom lone(cAbove);
    lone.SetBounds(0, 0, 5, 5);
    auto img = NewPicture(5, 5, 0x123456);
    Sputils::GetParentImage(&lone, img->GetCanvas());
    Sputils::GetParentImage2(&lone, img->GetCanvas());
    EXPECT_EQ(Probe(img.get(), 2, 2), 0x123456);
}

}  // namespace
