// A client-area form with our two skins and with none, shot from the screen and
// saved under artefacts/.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "Form.h"
#include "FormFrame.h"
#include "WaitUntil.h"

using namespace CtlFixture;

namespace {

TEST(ClientAreaGallery, BothSkinsAndWithout)
{
    SetCursorPos(5, 5);
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(60, 60, 360, 260);
    auto* frame = new TspFormFrame(form.get());
    frame->SetSupportNCArea(false);
    frame->DraggAble = true;
    form->Show();
    auto shoot = [&](const std::string& Name) {
        RedrawWindow(form->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpUntilIdle();
        auto shot = ScreenShot(form.get());
        SaveArtefact(shot.get(), "clientarea-" + Name);
        return shot;
    };
    auto plain = shoot("unskinned");
    EXPECT_EQ(Probe(plain.get(), 180, 130), static_cast<TColor>(ColorToRGB(clBtnFace)));
    EXPECT_EQ(Probe(plain.get(), 0, 130), 0u);
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        frame->SetSkinData(skin.get());
        EXPECT_GE(form->GetClientWidth(), skin->Picture->GetWidth());
        auto shot = shoot(name);
        // The picture covers the window: most of it differs from the plain face.
        int differ = 0, total = 0;
        for (int y = 10; y < form->GetHeight() - 10; y += 4)
            for (int x = 10; x < form->GetWidth() - 10; x += 4, ++total)
                if (Probe(shot.get(), x, y) != Probe(plain.get(), x, y)) ++differ;
        EXPECT_GT(differ, total / 4);
        frame->SetSkinData(nullptr);
        form->SetBounds(60, 60, 360, 260);
    }
}

}  // namespace
