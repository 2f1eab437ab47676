// The frame's object interface by name: each operation reaches the first object
// of that name and kind, and does nothing for a missing or differently typed one.
#include "test_gtest.h"
#include "ObjectsFixture.h"
#include "SkinPopupMenu.h"

using namespace ObjFixture;

namespace {

template <class T> T* Named(Scene& S, const std::string& IDName)
{
    return dynamic_cast<T*>(S.Frame->GetObject(S.Frame->GetIndex(IDName)));
}

} // namespace

TEST(FrameByName, OperationsReachTheirObjectAndIgnoreOtherKinds)
{
    Scene s;
    s.Skin->ObjectList.push_back(NewButtonRecord("btn"));
    s.Skin->ObjectList.push_back(NewRecord<TspDataSkinLabel>("lbl"));
    s.Skin->ObjectList.push_back(NewRecord<TspDataSkinBitLabel>("bits"));
    s.Skin->ObjectList.push_back(NewRecord<TspDataSkinCaption>("cap"));
    s.Frame->LoadObjects();
    ASSERT_TRUE(Named<TspSkinButtonObject>(s, "btn") && Named<TspSkinLabelObject>(s, "lbl"));

    s.Frame->ButtonSetDown("btn", true);
    EXPECT_TRUE(s.Frame->ButtonGetDown("btn"));
    s.Frame->ButtonSetDown("btn", false);
    EXPECT_FALSE(s.Frame->ButtonGetDown("btn"));
    s.Frame->LabelSetText("lbl", "Online: 3");
    EXPECT_EQ(Named<TspSkinLabelObject>(s, "lbl")->textvalue, "Online: 3");
    s.Frame->BitLabelSetText("bits", "12:30");
    EXPECT_EQ(Named<TspSkinBitLabelObject>(s, "bits")->textvalue, "12:30");
    s.Frame->CaptionSetText("cap", "Broadcast");
    EXPECT_EQ(Named<TspSkinCaptionObject>(s, "cap")->textvalue, "Broadcast");

    // Wrong kind, missing name, names differing only in case: nothing happens.
    s.Frame->LabelSetText("btn", "x");
    s.Frame->ButtonSetDown("lbl", true);
    s.Frame->ButtonSetDown("BTN", true);
    s.Frame->CaptionSetText("none", "x");
    s.Frame->AnimateStart("lbl");
    s.Frame->AnimateStop("none");
    EXPECT_FALSE(s.Frame->ButtonGetDown("lbl"));
    EXPECT_FALSE(s.Frame->ButtonGetDown("BTN"));
    EXPECT_FALSE(s.Frame->ButtonGetDown("none"));
    EXPECT_FALSE(Named<TspSkinButtonObject>(s, "btn")->Down);
    s.Frame->ClearObjects();
}

TEST(FrameByName, ALinkedMenuThatGoesAwayIsUnlinked)
{
    Scene s;
    s.Skin->ObjectList.push_back(NewButtonRecord("menubtn"));
    s.Frame->LoadObjects();
    auto* b = Named<TspSkinButtonObject>(s, "menubtn");
    ASSERT_TRUE(b);
    auto* menu = new TspSkinPopupMenu(s.Form.get());
    s.Frame->LinkMenu("menubtn", menu, true);
    EXPECT_EQ(b->LinkedMenuItem, menu->GetItems());
    EXPECT_TRUE(b->PopupToUp);
    delete menu;
    EXPECT_EQ(b->LinkedMenuItem, nullptr);
    // A press on the button now opens nothing and harms nothing.
    b->MouseEnter();
    b->MouseDown(15, 15, mbLeft);
    b->MouseUp(15, 15, mbLeft);
    b->MouseLeave();
    s.Frame->ClearObjects();
}
