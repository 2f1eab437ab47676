#include "test_gtest.h"
#include "gui_test_util.h"
#include "ActnList.h"
#include "ExtCtrls.h"
#include "ImgList.h"
#include "Menus.h"
#include "StdCtrls.h"

using namespace guitest;

namespace {

TEST(Actions, ClientsFollowTheirAction)
{
    TForm form(nullptr);
    auto* list = new TActionList(&form);
    auto* action = new TAction(&form);
    action->SetActionList(list);
    action->SetCaption("Video on/off");
    action->SetHint("Switch video");
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->SetAction(action);
    auto* check = new TCheckBox(&form);
    check->SetParent(&form);
    check->SetAction(action);
    auto* item = new TMenuItem(&form);
    item->SetAction(action);
    EXPECT_EQ(button->GetCaption(), "Video on/off");
    EXPECT_EQ(button->GetHint(), "Switch video");
    EXPECT_EQ(item->GetCaption(), "Video on/off");

    // Set on the action (as a translation does), shown by every client.
    action->SetCaption("Video");
    action->SetEnabled(false);
    action->SetChecked(true);
    action->SetShortCut(ShortCut('V', ssAlt));
    action->SetImageIndex(3);
    EXPECT_EQ(button->GetCaption(), "Video");
    EXPECT_EQ(check->GetCaption(), "Video");
    EXPECT_FALSE(button->GetEnabled());
    EXPECT_FALSE(IsWindowEnabled(button->GetHandle()));
    EXPECT_TRUE(check->GetChecked());
    EXPECT_TRUE(item->GetChecked());
    EXPECT_FALSE(item->GetEnabled());
    EXPECT_EQ(item->GetShortCut(), ShortCut('V', ssAlt));
    EXPECT_EQ(item->GetImageIndex(), 3);
    action->SetVisible(false);
    EXPECT_FALSE(button->GetVisible());
    action->SetVisible(true);

    // A client whose caption was changed by hand keeps it.
    button->SetCaption("Mine");
    action->SetCaption("Video on/off");
    EXPECT_EQ(button->GetCaption(), "Mine");
    EXPECT_EQ(check->GetCaption(), "Video on/off");
    action->SetEnabled(true);
    EXPECT_TRUE(button->GetEnabled());
}

TEST(Actions, ExecutionThroughClientsListsAndAutoCheck)
{
    TForm form(nullptr);
    auto* list = new TActionList(&form);
    auto* action = new TAction(&form);
    action->SetActionList(list);
    int runs = 0;
    action->OnExecute = [&](TObject* s) {
        EXPECT_EQ(s, action);
        ++runs;
    };
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->SetAction(action);
    form.Show();
    SendMessageA(button->GetHandle(), BM_CLICK, 0, 0);
    EXPECT_EQ(runs, 1);
    auto* item = new TMenuItem(&form);
    item->SetAction(action);
    item->Click();
    EXPECT_EQ(runs, 2);

    // The list's OnExecute may take the action instead.
    bool take = true;
    list->OnExecute = [&](TBasicAction* a, bool& handled) { handled = take && a == action; };
    button->Click();
    EXPECT_EQ(runs, 2);
    take = false;
    button->Click();
    EXPECT_EQ(runs, 3);

    action->SetEnabled(false);
    EXPECT_FALSE(action->Execute());
    EXPECT_EQ(runs, 3);
    action->SetEnabled(true);

    // AutoCheck toggles Checked, and a check box bound to it follows without clicking again.
    auto* check = new TCheckBox(&form);
    check->SetParent(&form);
    check->SetAction(action);
    action->AutoCheck = true;
    action->Execute();
    EXPECT_TRUE(action->GetChecked());
    EXPECT_TRUE(check->GetChecked());
    EXPECT_EQ(runs, 4);

    // Only one action of a group stays checked.
    auto* a2 = new TAction(&form);
    a2->SetActionList(list);
    action->SetGroupIndex(1);
    a2->SetGroupIndex(1);
    a2->SetChecked(true);
    EXPECT_FALSE(action->GetChecked());
    EXPECT_FALSE(check->GetChecked());
}

TEST(Actions, OnUpdateRunsWhileTheProgramIsIdle)
{
    TForm form(nullptr);
    auto* action = new TAction(&form);
    bool allowed = false;
    int updates = 0;
    action->OnUpdate = [&](TObject*) {
        ++updates;
        action->SetEnabled(allowed);
    };
    action->OnExecute = [](TObject*) {};
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->SetAction(action);
    form.Show();
    TTimer tick(nullptr);
    tick.SetInterval(10);
    for (int i = 0; i < 10 && updates < 2; ++i) Application->HandleMessage();
    EXPECT_GE(updates, 1);
    EXPECT_FALSE(button->GetEnabled());
    allowed = true;
    int before = updates;
    for (int i = 0; i < 20 && updates < before + 2; ++i) Application->HandleMessage();
    EXPECT_TRUE(button->GetEnabled());
}

TEST(Actions, MenuItemsShowImagesOfTheirMenu)
{
    TForm form(nullptr);
    TImageList images(16, 16);
    TBitmap pic(16, 16, pf24bit);
    pic.GetCanvas()->GetBrush()->SetColor(clRed);
    pic.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
    images.Add(&pic, nullptr);
    auto* menu = new TPopupMenu(&form);
    menu->SetImages(&images);
    auto* item = new TMenuItem(&form);
    item->SetCaption("Video");
    item->SetImageIndex(0);
    menu->GetItems()->Add(item);
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_BITMAP;
    ASSERT_TRUE(GetMenuItemInfoA(menu->GetHandle(), item->GetCommand(), FALSE, &mii));
    EXPECT_NE(mii.hbmpItem, nullptr);
    item->SetImageIndex(-1);
    ASSERT_TRUE(GetMenuItemInfoA(menu->GetHandle(), item->GetCommand(), FALSE, &mii));
    EXPECT_EQ(mii.hbmpItem, nullptr);
}

} // namespace
