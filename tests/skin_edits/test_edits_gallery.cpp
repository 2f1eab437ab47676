// The edits with our two skins and with none: an edit, an edit with its ellipsis
// button, a password edit and the chat memo with its bar, shot from the screen
// (the edit frames are non-client paint) and saved under artefacts/.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "Form.h"
#include "FormFrame.h"
#include "SkinEdits.h"
#include "SkinMemo.h"
#include "SkinPasswordEdit.h"
#include "SkinScrollBar.h"
#include "WaitUntil.h"
#include <memory>
#include <string>

using namespace CtlFixture;

namespace {

struct Gallery {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinEdit *Edit, *ButtonEdit;
    TspSkinPasswordEdit* Password;
    TspSkinMemo2* Memo;
    TspSkinScrollBar* Bar;

    Gallery()
    {
        SetCursorPos(5, 5);
        Form->SetBorderStyle(bsNone);
        Form->SetColor(0xE0E0E0);
        Form->SetBounds(30, 30, 320, 200);
        new TspFormFrame(Form.get());
        Edit = Place<TspSkinEdit>(10, 10);
        Edit->SetText("chat line");
        ButtonEdit = Place<TspSkinEdit>(10, 40);
        ButtonEdit->SetButtonMode(true);
        ButtonEdit->SetText("with button");
        Password = new TspSkinPasswordEdit(Form.get());
        Password->SetParent(Form.get());
        Password->SetBounds(10, 70, 121, 21);
        Password->SetText("secret");
        Memo = new TspSkinMemo2(Form.get());
        Memo->SetParent(Form.get());
        Memo->SetBounds(10, 100, 260, 90);
        Memo->SetScrollBars(ssVertical);
        Bar = new TspSkinScrollBar(Form.get());
        Bar->SetKind(sbVertical);
        Bar->SetParent(Form.get());
        Bar->SetBounds(270, 100, 19, 90);
        Memo->SetVScrollBar(Bar);
        for (int i = 0; i < 20; ++i) Memo->GetLines()->Add("visitor: line " + std::to_string(i));
        Form->Show();
        PumpUntilIdle();
    }
    template <class C> C* Place(int X, int Y)
    {
        auto* c = new C(Form.get());
        c->SetParent(Form.get());
        c->SetBounds(X, Y, 200, 20);
        return c;
    }
    void Bind(TspSkinData* D)
    {
        Edit->SetSkinData(D);
        ButtonEdit->SetSkinData(D);
        Password->SetSkinData(D);
        Memo->SetSkinData(D);
        Bar->SetSkinData(D);
    }
    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        return RepaintedShot(Form.get(), "edits-" + Name);
    }
};

TEST(EditsGallery, BothSkinsAndWithout)
{
    Gallery g;
    auto plain = g.Shoot("unskinned");
    // Unskinned: the edit's two-pixel frame starts with the shadow colour.
    EXPECT_EQ(Probe(plain.get(), g.Edit->GetLeft(), g.Edit->GetTop() + 10),
              static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF));
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        g.Bind(skin.get());
        EXPECT_TRUE(g.Edit->Skinned());
        EXPECT_TRUE(g.Password->Skinned());
        g.Shoot(name);
        // The skin's frame replaced the plain one.
        g.Bind(nullptr);
    }
}

// Drawn with flat copies of our skins (SkinKit::Flatten), each control's frame
// shows the look of its own element.
TEST(EditsGallery, EachControlDrawsItsOwnElement)
{
    Gallery g;
    SkinKit::ExpectOwnElementsOnFlatSkins(g, [&] {
        return std::vector<SkinKit::TPieceProbe>{SkinKit::LeftEdge(g.Edit, "edit"),
                                                 SkinKit::LeftEdge(g.ButtonEdit, "button edit"),
                                                 SkinKit::LeftEdge(g.Password, "password edit")};
    });
}

}  // namespace
