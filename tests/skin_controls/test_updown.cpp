#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinUpDown.h"
#include "WaitUntil.h"

using namespace CtlFixture;

namespace {

struct Scene {
    std::unique_ptr<TForm> Form;
    TspSkinUpDown* U = nullptr;
    int Changes = 0, Ups = 0, Downs = 0;
    Scene()
    {
        Form.reset(new TForm(nullptr));
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 200, 100);
        U = new TspSkinUpDown(Form.get());
        U->SetParent(Form.get());
        U->SetBounds(0, 0, 40, 20);
        U->OnChange = [this](TObject*) { ++Changes; };
        U->OnUpButtonClick = [this](TObject*) { ++Ups; };
        U->OnDownButtonClick = [this](TObject*) { ++Downs; };
    }
    void Press(int X, int Y) { U->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X, Y)); }
    void Move(int X, int Y) { U->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(X, Y)); }
    void Release(int X, int Y) { U->Perform(WM_LBUTTONUP, 0, PointToLParam(X, Y)); }
    void Click(int X, int Y)
    {
        Press(X, Y);
        Release(X, Y);
    }
};

TEST(SkinUpDown, UnskinnedHorizontalLayoutAndArrows)
{
    Scene s;
    EXPECT_EQ(s.U->ButtonRect(1), TRect(0, 0, 20, 20));
    EXPECT_EQ(s.U->ButtonRect(0), TRect(20, 0, 40, 20));
    auto shot = Snapshot(s.U);
    EXPECT_EQ(Probe(shot.get(), 10, 10), 0);   // the arrows are black at the buttons' centres
    EXPECT_EQ(Probe(shot.get(), 30, 10), 0);
    EXPECT_EQ(Probe(shot.get(), 3, 3), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    s.U->SetOrientation(udVertical);
    EXPECT_EQ(s.U->GetSkinDataName(), "hupdown");   // at run time the element name stays
    EXPECT_EQ(s.U->ButtonRect(0), TRect(0, 0, 40, 10));
}

TEST(SkinUpDown, UnskinnedHotAndPressedFillsAreTheSharedOnes)
{
    // The same frame and fills as every other plain button: hot under the pointer,
    // pressed while held there.
    Scene s;
    s.Move(30, 10);
    auto shot = Snapshot(s.U);
    EXPECT_EQ(Probe(shot.get(), 23, 3), static_cast<TColor>(RGB(182, 189, 210)));
    EXPECT_EQ(Probe(shot.get(), 20, 3), static_cast<TColor>(clNavy));
    EXPECT_EQ(Probe(shot.get(), 3, 3), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    s.Press(30, 10);
    shot = Snapshot(s.U);
    EXPECT_EQ(Probe(shot.get(), 23, 3), static_cast<TColor>(RGB(133, 147, 181)));
    EXPECT_EQ(Probe(shot.get(), 20, 3), static_cast<TColor>(clNavy));
    s.Release(30, 10);
}

TEST(SkinUpDown, StepsStayInsideTheRangeWithoutClamping)
{
    Scene s;
    s.U->SetPosition(100);
    s.Changes = 0;
    s.Click(30, 10);   // up at Max
    EXPECT_EQ(s.U->GetPosition(), 100);
    EXPECT_EQ(s.Changes, 0);
    EXPECT_EQ(s.Ups, 1);
    s.U->SetPosition(90);
    s.U->Increment = 30;
    s.Click(30, 10);
    EXPECT_EQ(s.U->GetPosition(), 90);
    s.Click(10, 10);
    EXPECT_EQ(s.U->GetPosition(), 60);
    EXPECT_EQ(s.Downs, 1);
    s.Changes = 0;
    s.U->SetPosition(80);
    s.U->SetMax(50);
    EXPECT_EQ(s.U->GetPosition(), 50);
    EXPECT_EQ(s.Changes, 1);   // only the SetPosition
}

TEST(SkinUpDown, TheCapturedButtonDecides)
{
    Scene s;
    s.U->SetPosition(10);
    s.Press(10, 10);   // down button
    s.Move(30, 10);    // onto the up button
    EXPECT_FALSE(s.U->ButtonHot(0));
    s.Release(30, 10);
    EXPECT_EQ(s.U->GetPosition(), 9);
    EXPECT_EQ(s.Downs, 1);
    EXPECT_EQ(s.Ups, 0);
    EXPECT_FALSE(s.U->Repeating());
}

TEST(SkinUpDown, FreedInItsOwnChangeWhileRepeating)
{
    Scene s;
    s.U->OnChange = [&](TObject* Sender) {
        ++s.Changes;
        delete Sender;
    };
    s.Press(30, 10);
    EXPECT_TRUE(PumpUntil([&] { return s.Changes > 0; }, 3000));
    PumpFor(200);   // further ticks would change it again
    EXPECT_EQ(s.Changes, 1);
    EXPECT_EQ(s.Form->GetControlCount(), 0);
}

}  // namespace
