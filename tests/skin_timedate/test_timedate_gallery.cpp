// The time edit, the date edit with its calendar dropped down and a month
// calendar, with our two skins and with none, shot from the screen and saved
// under artefacts/.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "DateRules.h"
#include "Form.h"
#include "FormFrame.h"
#include "SkinDateEdit.h"
#include "SkinMonthCalendar.h"
#include "SkinTimeEdit.h"
#include "WaitUntil.h"
#include <memory>
#include <string>

using namespace CtlFixture;

namespace {

struct Gallery {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinTimeEdit* Time;
    TspSkinDateEdit* Date;
    TspSkinMonthCalendar* Cal;

    Gallery()
    {
        SetCursorPos(700, 700);
        Form->SetBorderStyle(bsNone);
        Form->SetColor(0xE0E0E0);
        Form->SetBounds(30, 30, 460, 300);
        new TspFormFrame(Form.get());
        Time = new TspSkinTimeEdit(Form.get());
        Time->SetParent(Form.get());
        Time->SetBounds(10, 10, 120, 21);
        Time->SetShowMilliseconds(true);
        Time->SetMilliseconds(3723004);
        Date = new TspSkinDateEdit(Form.get());
        Date->SetParent(Form.get());
        Date->SetBounds(10, 40, 150, 21);
        Date->SetDate(Spdates::EncodeDate(2026, 2, 11));
        Cal = new TspSkinMonthCalendar(Form.get());
        Cal->SetParent(Form.get());
        Cal->SetBounds(220, 10, 220, 180);
        Cal->SetDate(Spdates::EncodeDate(2026, 2, 11));
        Form->Show();
        PumpUntilIdle();
    }
    void Bind(TspSkinData* D)
    {
        Date->CloseUp(false);
        Time->SetSkinData(D);
        Date->SetSkinData(D);
        Cal->SetSkinData(D);
    }
    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        Date->DropDown();
        RedrawWindow(Date->GetCalendar()->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return RepaintedShot(Form.get(), "timedate-" + Name);
    }
};

TEST(TimeDateGallery, BothSkinsAndWithout)
{
    Gallery g;
    auto plain = g.Shoot("unskinned");
    // Unskinned: the calendar's frame, and the drop-down right under its edit.
    const TColor shadow = static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF);
    EXPECT_EQ(Probe(plain.get(), g.Cal->GetLeft(), g.Cal->GetTop() + 50), shadow);
    ASSERT_TRUE(g.Date->CalendarShown());
    const int calY = g.Date->GetTop() + g.Date->GetHeight();
    EXPECT_EQ(Probe(plain.get(), g.Date->GetLeft(), calY + 50), shadow);
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        g.Bind(skin.get());
        EXPECT_TRUE(g.Cal->Skinned());
        EXPECT_TRUE(g.Date->Skinned());
        auto shot = g.Shoot(name);
        // The calendar's panel is not a framed element (EachControlDrawsItsOwnElement):
        // the skin's look replaced the plain one.
        EXPECT_GT(Differ(plain.get(), shot.get(), g.Cal), g.Cal->GetWidth());
        g.Bind(nullptr);
    }
}

// Drawn with flat copies of our skins (SkinKit::Flatten), each control's frame
// shows the look of its own element.
TEST(TimeDateGallery, EachControlDrawsItsOwnElement)
{
    Gallery g;
    SkinKit::ExpectOwnElementsOnFlatSkins(g, [&] {
        return std::vector<SkinKit::TPieceProbe>{SkinKit::LeftEdge(g.Time, "time edit"),
                                                 SkinKit::LeftEdge(g.Date, "date edit")};
    });
}

}  // namespace
