// The combo boxes with our two skins and with none: a closed combo, one with
// its list open, and one in the edit style, shot from the screen and saved
// under artefacts/.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "Form.h"
#include "FormFrame.h"
#include "SkinComboBox.h"
#include "WaitUntil.h"
#include <memory>
#include <string>

using namespace CtlFixture;

namespace {

struct Gallery {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinComboBox *Closed, *Open, *Edit;

    Gallery()
    {
        SetCursorPos(700, 700);
        Form->SetBorderStyle(bsNone);
        Form->SetColor(0xE0E0E0);
        Form->SetBounds(30, 30, 360, 240);
        new TspFormFrame(Form.get());
        Closed = Place(10, 10);
        Closed->SetItemIndex(0);
        Edit = Place(10, 40);
        Edit->SetStyle(spcbEditStyle);
        Edit->SetText("typed text");
        Open = Place(180, 10);
        Open->SetItemIndex(2);
        Form->Show();
        PumpUntilIdle();
    }
    TspSkinComboBox* Place(int X, int Y)
    {
        auto* c = new TspSkinComboBox(Form.get());
        c->SetParent(Form.get());
        c->SetBounds(X, Y, 150, 20);
        for (const char* s : {"Low quality", "Medium quality", "High quality", "Best quality"})
            c->GetItems()->Add(s);
        return c;
    }
    void Bind(TspSkinData* D)
    {
        Open->CloseUp(false);
        for (auto* c : {Closed, Open, Edit}) c->SetSkinData(D);
    }
    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        Open->DropDown();
        RedrawWindow(Open->GetPopupHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return RepaintedShot(Form.get(), "combos-" + Name);
    }
};

TEST(CombosGallery, BothSkinsAndWithout)
{
    Gallery g;
    auto plain = g.Shoot("unskinned");
    // Unskinned: the shadow frame, and the open list right under its combo.
    EXPECT_EQ(Probe(plain.get(), g.Closed->GetLeft(), g.Closed->GetTop() + 10),
              static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF));
    ASSERT_TRUE(g.Open->IsPopupVisible());
    const int listY = g.Open->GetTop() + g.Open->GetHeight();
    EXPECT_EQ(Probe(plain.get(), g.Open->GetLeft(), listY + 5),
              static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF));
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        g.Bind(skin.get());
        EXPECT_TRUE(g.Closed->Skinned());
        EXPECT_TRUE(g.Edit->Skinned());
        g.Shoot(name);
        g.Bind(nullptr);
    }
}

// Drawn with flat copies of our skins (SkinKit::Flatten), each control's frame
// shows the look of its own element.
TEST(CombosGallery, EachControlDrawsItsOwnElement)
{
    Gallery g;
    SkinKit::ExpectOwnElementsOnFlatSkins(g, [&] {
        return std::vector<SkinKit::TPieceProbe>{SkinKit::LeftEdge(g.Closed, "closed combo"),
                                                 SkinKit::LeftEdge(g.Edit, "edit combo"),
                                                 SkinKit::LeftEdge(g.Open, "open combo")};
    });
}

}  // namespace
