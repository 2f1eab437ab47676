// A client-area form with our two skins and with none, shot from the screen and
// saved under artefacts/.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "Form.h"
#include "FormFrame.h"
#include "WaitUntil.h"

using namespace CtlFixture;

namespace {

struct Gallery {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspFormFrame* Frame;

    Gallery()
    {
        SetCursorPos(5, 5);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(60, 60, 360, 260);
        Frame = new TspFormFrame(Form.get());
        Frame->SetSupportNCArea(false);
        Frame->DraggAble = true;
        Form->Show();
    }
    // Without a skin the form goes back to its first size.
    void Bind(TspSkinData* D)
    {
        Frame->SetSkinData(D);
        if (!D) Form->SetBounds(60, 60, 360, 260);
    }
    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        RedrawWindow(Form->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpUntilIdle();
        auto shot = ScreenShot(Form.get());
        SaveArtefact(shot.get(), "clientarea-" + Name);
        return shot;
    }
};

TEST(ClientAreaGallery, BothSkinsAndWithout)
{
    Gallery g;
    auto plain = g.Shoot("unskinned");
    EXPECT_EQ(Probe(plain.get(), 180, 130), static_cast<TColor>(ColorToRGB(clBtnFace)));
    EXPECT_EQ(Probe(plain.get(), 0, 130), 0);
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        g.Bind(skin.get());
        EXPECT_GE(g.Form->GetClientWidth(), skin->Picture->GetWidth());
        auto shot = g.Shoot(name);
        // The picture covers the window: most of it differs from the plain face.
        int differ = 0, total = 0;
        for (int y = 10; y < g.Form->GetHeight() - 10; y += 4)
            for (int x = 10; x < g.Form->GetWidth() - 10; x += 4, ++total)
                if (Probe(shot.get(), x, y) != Probe(plain.get(), x, y)) ++differ;
        EXPECT_GT(differ, total / 4);
        g.Bind(nullptr);
    }
}

// Drawn with flat copies of our skins (SkinKit::Flatten) whose form picture is
// one flat colour around its client rectangle and another inside it, and whose
// close button object has a look of a third: the window's edges show the first,
// the middle of its client area the second, the close button the third.
TEST(ClientAreaGallery, TheWindowIsTheSkinsFormPicture)
{
    Gallery g;
    SkinKit::ForEachFlatSkin(g, [&](TspSkinData* Flat, TBitmap*) {
        const int past = static_cast<int>(Flat->ActivePictures.size() + Flat->CtrlList.size());
        const TColor edge = FlatColour(past), client = FlatColour(past + 1), close = FlatColour(past + 2);
        TBitmap* pic = Flat->Picture.get();
        ASSERT_TRUE(pic);
        Paint(pic, TRect(0, 0, pic->GetWidth(), pic->GetHeight()), edge);
        Paint(pic, Flat->ClientRect, client);
        for (const auto& o : Flat->ObjectList)
            if (o->IDName == "closebutton") Paint(Flat->ActivePictures.at(o->ActivePictureIndex).get(), o->SkinRect, close);
        // The frame draws from the pictures as they are now.
        auto shot = g.Shoot("flat-" + Flat->SkinName);
        const int w = g.Form->GetWidth(), h = g.Form->GetHeight();
        const TRect b = g.Frame->GetObjectRect(g.Frame->GetIndex("closebutton"));
        ASSERT_FALSE(b.IsEmpty());
        SkinKit::ExpectColours(shot.get(), g.Form.get(),
                               {{"top edge", g.Form.get(), TPoint(w / 2, 2), edge},
                                {"left edge", g.Form.get(), TPoint(1, h / 2), edge},
                                {"right edge", g.Form.get(), TPoint(w - 2, h / 2), edge},
                                {"bottom edge", g.Form.get(), TPoint(w / 2, h - 2), edge},
                                {"client area", g.Form.get(), TPoint(w / 2, h / 2), client},
                                {"close button", g.Form.get(), TPoint(b.left + 2, (b.top + b.bottom) / 2), close}});
    });
}

}  // namespace
