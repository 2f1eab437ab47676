// An object's hint shows through the frame's hint component when the pointer
// enters it and goes when the pointer leaves, only with ShowObjectHint set.
#include "test_gtest.h"
#include "ObjectsFixture.h"
#include "SkinHint.h"

using namespace ObjFixture;

TEST(FrameObjectHint, EnteringAnObjectWithAHintAsksForItAndLeavingEndsIt)
{
    struct Case { bool ShowObjectHint; const char* Hint; bool Expected; };
    const Case cases[] = {{true, "Close the window", true}, {false, "Close the window", false}, {true, "", false}};
    for (const Case& c : cases) {
        Scene s;
        auto rec = NewButtonRecord("btn");
        rec->Hint = c.Hint;
        s.Skin->ObjectList.push_back(std::move(rec));
        s.Frame->LoadObjects();
        auto* hint = new TspSkinHint(s.Form.get());
        s.Frame->SetSkinHint(hint);
        s.Frame->ShowObjectHint = c.ShowObjectHint;
        s.Frame->TestActive(ObjRect.left + 2, ObjRect.top + 2, true);
        EXPECT_EQ(hint->HintPending() || hint->IsVisible(), c.Expected) << c.ShowObjectHint << " '" << c.Hint << "'";
        s.Frame->TestActive(-1, -1, true);
        EXPECT_FALSE(hint->HintPending() || hint->IsVisible());
        s.Frame->ClearObjects();
    }
}
