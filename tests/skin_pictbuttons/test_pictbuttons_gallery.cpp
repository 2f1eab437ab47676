// The picture buttons on one shown form with our default skin, the second skin
// and no skin, shot from the screen and saved under artefacts/: the picture-look
// button with and without pictures, and region buttons cut, transparent and plain.
#include "test_gtest.h"
#include "RegionButtonFixture.h"
#include "SkinXFormButton.h"
#include <vector>

using namespace RgnFixture;
using CtlFixture::Probe;

namespace {

const TColor cPic = 0x3060A0, cPicActive = 0x30A060;

struct Gallery {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinXFormButton* Pictured;
    TspSkinXFormButton* Plain;
    std::vector<TEzRgnBtn*> Regions;

    Gallery()
    {
        SetCursorPos(5, 5);
        Form->SetBorderStyle(bsNone);
        Form->SetColor(0xE0E0E0);
        Form->SetBounds(30, 30, 330, 110);
        Pictured = new TspSkinXFormButton(Form.get());
        Pictured->SetParent(Form.get());
        Pictured->SetBounds(10, 10, 80, 25);
        Pictured->SetCaption("Picture");
        Pictured->SetDefImage(CtlFixture::NewPicture(80, 30, cPic).get());
        Pictured->SetDefActiveImage(CtlFixture::NewPicture(80, 30, cPicActive).get());
        auto mask = CtlFixture::NewPicture(80, 30, 0);
        for (TRect corner : {TRect(0, 0, 6, 6), TRect(74, 0, 80, 6), TRect(0, 24, 6, 30), TRect(74, 24, 80, 30)})
            CtlFixture::Paint(mask.get(), corner, 0xFFFFFF);
        Pictured->SetDefMask(mask.get());
        Plain = new TspSkinXFormButton(Form.get());
        Plain->SetParent(Form.get());
        Plain->SetBounds(10, 60, 80, 25);
        Plain->SetCaption("Plain");
        const TPaintMode modes[] = {pmCrop, pmTransparent, pmNormal};
        for (int i = 0; i < 3; ++i) {
            auto* r = new TEzRgnBtn(Form.get());
            r->SetParent(Form.get());
            r->SetBounds(110 + i * 70, 10, 15, 15);
            r->SetPaintMode(modes[i]);
            r->SetPicIdle(Shaped(60, 40, cIdle, 10, 12).get());
            r->SetPicUp(Shaped(60, 40, cHot, 10, 12).get());
            Regions.push_back(r);
        }
        Form->Show();
        PumpUntilIdle();
    }
    void Bind(TspSkinData* D)
    {
        for (auto* b : {Pictured, Plain}) {
            b->SetSkinData(D);
            if (!D) b->ChangeSkinData();
        }
    }
    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        return CtlFixture::RepaintedShot(Form.get(), "pictbuttons-" + Name);
    }
};

TEST(PictButtonsGallery, BothSkinsAndWithout)
{
    Gallery g;
    auto plain = g.Shoot("unskinned");
    EXPECT_TRUE(g.Pictured->PictureLook());
    EXPECT_EQ(g.Pictured->GetWidth(), 80);
    EXPECT_EQ(g.Pictured->GetHeight(), 30);
    EXPECT_EQ(Probe(plain.get(), 10 + 10, 10 + 8), cPic);
    EXPECT_EQ(Probe(plain.get(), 10 + 2, 10 + 2), 0xE0E0E0);   // cut by the mask
    // The region buttons: the cut one shows the form in its corners and hole, the
    // transparent one its own colour, the plain one the key colour.
    const int cx = 30, cy = 20, corner = 3;
    EXPECT_EQ(Probe(plain.get(), 110 + cx, 10 + corner + 5), cIdle);
    EXPECT_EQ(Probe(plain.get(), 110 + corner, 10 + corner), 0xE0E0E0);
    EXPECT_EQ(Probe(plain.get(), 110 + cx, 10 + cy), 0xE0E0E0);
    EXPECT_NE(Probe(plain.get(), 180 + corner, 10 + corner), cKey);
    EXPECT_EQ(Probe(plain.get(), 250 + corner, 10 + corner), cKey);
    for (auto* r : g.Regions) EXPECT_EQ(r->GetWidth(), 60);

    // Hovering the cut button shows its hot picture within its shape.
    SetCursorPos(g.Form->GetLeft() + 110 + cx, g.Form->GetTop() + 10 + 8);
    EXPECT_TRUE(PumpUntil([&] { return g.Regions[0]->Hot(); }, 2000));
    auto hot = g.Shoot("region-hot");
    EXPECT_EQ(Probe(hot.get(), 110 + cx, 10 + 8), cHot);
    EXPECT_EQ(Probe(hot.get(), 110 + corner, 10 + corner), 0xE0E0E0);
    SetCursorPos(5, 5);
    PumpUntil([&] { return !g.Regions[0]->Hot(); }, 2000);

    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = CtlFixture::LoadSkin(name);
        ASSERT_TRUE(skin);
        g.Bind(skin.get());
        EXPECT_TRUE(g.Pictured->Skinned());
        EXPECT_TRUE(g.Plain->Skinned());
        EXPECT_FALSE(g.Pictured->PictureLook());
        auto shot = g.Shoot(name);
        int differ = 0;
        for (int y = 1; y < g.Pictured->GetHeight(); y += 2)
            for (int x = 1; x < g.Pictured->GetWidth(); x += 2)
                if (Probe(shot.get(), 10 + x, 10 + y) != cPic) ++differ;
        EXPECT_GT(differ, 50);   // the skin's button, not the picture
        // The region buttons belong to no skin: unchanged.
        EXPECT_EQ(CtlFixture::Differ(shot.get(), plain.get(), g.Regions[0]), 0);
        EXPECT_EQ(CtlFixture::Differ(shot.get(), plain.get(), g.Regions[2]), 0);
        g.Bind(nullptr);
        EXPECT_TRUE(g.Pictured->PictureLook());
        EXPECT_EQ(g.Pictured->GetWidth(), 80);
    }
}

// Drawn with flat copies of our skins (SkinKit::Flatten), both picture-look
// buttons show the look of the skin's button record at their left edge, and the
// region buttons, which belong to no skin, their own idle picture.
TEST(PictButtonsGallery, EachControlDrawsItsOwnElement)
{
    Gallery g;
    SkinKit::ForEachFlatSkin(g, [&](TspSkinData* Flat, TBitmap* Shot) {
        EXPECT_TRUE(g.Pictured->Skinned());
        const TColor button = SkinKit::FlatColourOf(Flat, "button");
        std::vector<SkinKit::TColourProbe> probes = {
            {"picture-look button", g.Pictured, TPoint(1, g.Pictured->GetHeight() / 2), button},
            {"plain picture-look button", g.Plain, TPoint(1, g.Plain->GetHeight() / 2), button}};
        for (auto* r : g.Regions) probes.push_back({"region button", r, TPoint(30, 8), cIdle});
        SkinKit::ExpectColours(Shot, g.Form.get(), probes);
    });
}

}  // namespace
