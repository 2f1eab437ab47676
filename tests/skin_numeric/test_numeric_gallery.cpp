// The number fields with our two skins and with none: a numeric edit, a spin
// edit and a masked time field, shot from the screen and saved under artefacts/.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "Form.h"
#include "FormFrame.h"
#include "SkinNumericEdits.h"
#include "WaitUntil.h"
#include <memory>
#include <string>

using namespace CtlFixture;

namespace {

struct Gallery {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinNumericEdit* Numeric;
    TspSkinSpinEdit* Spin;
    TspSkinMaskEdit* Mask;

    Gallery()
    {
        SetCursorPos(5, 5);
        Form->SetBorderStyle(bsNone);
        Form->SetColor(0xE0E0E0);
        Form->SetBounds(30, 30, 240, 110);
        new TspFormFrame(Form.get());
        Numeric = new TspSkinNumericEdit(Form.get());
        Numeric->SetParent(Form.get());
        Numeric->SetBounds(10, 10, 150, 20);
        Numeric->SetValueType(vtFloat);
        Numeric->SetValue(12.5);
        Spin = new TspSkinSpinEdit(Form.get());
        Spin->SetParent(Form.get());
        Spin->SetBounds(10, 45, 150, 20);
        Spin->SetValue(42);
        Mask = new TspSkinMaskEdit(Form.get());
        Mask->SetParent(Form.get());
        Mask->SetBounds(10, 80, 150, 20);
        Mask->SetEditMask("!90:00;1;_");
        Mask->SetText("9:30");
        Form->Show();
        PumpUntilIdle();
    }
    void Bind(TspSkinData* D)
    {
        Numeric->SetSkinData(D);
        Spin->SetSkinData(D);
        Mask->SetSkinData(D);
    }
    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        return RepaintedShot(Form.get(), "numeric-" + Name);
    }
};

TEST(NumericGallery, BothSkinsAndWithout)
{
    Gallery g;
    EXPECT_EQ(g.Mask->GetEditText(), "_9:30");
    auto plain = g.Shoot("unskinned");
    const TColor shadow = static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF);
    EXPECT_EQ(Probe(plain.get(), g.Numeric->GetLeft(), g.Numeric->GetTop() + 10), shadow);
    EXPECT_EQ(Probe(plain.get(), g.Spin->GetLeft(), g.Spin->GetTop() + 10), shadow);
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        g.Bind(skin.get());
        EXPECT_TRUE(g.Numeric->Skinned());
        g.Shoot(name);
        // The values survive the change of skin.
        EXPECT_DOUBLE_EQ(g.Spin->GetValue(), 42);
        EXPECT_EQ(g.Mask->GetEditText(), "_9:30");
        g.Bind(nullptr);
    }
}

// Drawn with flat copies of our skins (SkinKit::Flatten), each control's frame
// shows the look of its own element.
TEST(NumericGallery, EachControlDrawsItsOwnElement)
{
    Gallery g;
    SkinKit::ExpectOwnElementsOnFlatSkins(g, [&] {
        std::vector<SkinKit::TPieceProbe> probes = {SkinKit::LeftEdge(g.Numeric, "numeric edit"),
                                                    SkinKit::LeftEdge(g.Mask, "mask edit")};
        if (g.Spin->Skinned()) probes.push_back(SkinKit::LeftEdge(g.Spin, "spin edit"));
        return probes;
    });
}

}  // namespace
