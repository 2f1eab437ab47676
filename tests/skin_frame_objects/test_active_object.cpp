// The base frame object: what it copies from its record, its looks (normal,
// active, inactive, disabled, fading), the morph steps, and what it reports to
// the frame under the mouse.
#include "test_gtest.h"
#include "ObjectsFixture.h"
#include <cmath>

using namespace ObjFixture;

namespace {

TEST(ActiveSkinObject, WithoutActivePictureHasNoActiveImageAndLeavesTheRecordAlone)
{
    struct Case {
        int Index;
        bool HasPicture;
    } cases[] = {{0, true}, {-1, false}, {1, false}, {1000, false}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Index);
        Scene s;
        auto r = NewRecord<TspDataSkinObject>("obj");
        r->ActivePictureIndex = k.Index;
        r->Morphing = true;
        TspActiveSkinObject o(s.Frame, r.get());
        EXPECT_EQ(o.ActivePictureBitmap != nullptr, k.HasPicture);
        EXPECT_EQ(o.activeskinrect.IsEmpty(), !k.HasPicture);
        EXPECT_EQ(o.morphing, k.HasPicture);
        // The record is shared by every reader of the skin: it keeps what was read.
        EXPECT_TRUE(Sputils::EqRects(r->ActiveSkinRect, Cell(kActive)));
        EXPECT_TRUE(r->Morphing);
        EXPECT_TRUE(Sputils::EqRects(o.ObjectRect, ObjRect));
        EXPECT_EQ(o.Picture, s.Skin->Picture.get());
    }
}

TEST(ActiveSkinObject, RollUpObjectsDrawFromTheRollUpPicture)
{
    Scene s;
    s.Skin->RollUpPicture = NewPicture(200, 100, 0x123456);
    auto r = NewRecord<TspDataSkinObject>("obj");
    r->RollUp = true;
    TspActiveSkinObject o(s.Frame, r.get());
    EXPECT_EQ(o.Picture, s.Skin->RollUpPicture.get());
    EXPECT_EQ(Look(&o), 0x123456);
}

TEST(ActiveSkinObject, SetMorphKfClamps)
{
    Scene s;
    TspActiveSkinObject o(s.Frame, nullptr);
    struct Case {
        double In, Out;
    } cases[] = {{1.4, 1}, {-0.2, 0}, {0.5, 0.5}, {1, 1}, {0, 0}, {NAN, 0}};
    for (const auto& k : cases) {
        o.SetMorphKf(k.In);
        EXPECT_EQ(o.MorphKf, k.Out) << k.In;
    }
}

TEST(ActiveSkinObject, AFadeTakesFiveStepsEachWay)
{
    Scene s;
    auto r = NewRecord<TspDataSkinObject>("obj");
    r->Morphing = true;
    TspActiveSkinObject o(s.Frame, r.get());
    o.MouseEnter();
    EXPECT_TRUE(s.MorphTimerOn());   // a morphing object fades instead of drawing at once
    int steps = 0;
    while (o.CanMorphing() && steps < 20) {
        o.DoMorphing();
        ++steps;
    }
    EXPECT_EQ(steps, 5);
    EXPECT_EQ(o.MorphKf, 1.0);
    o.MouseLeave();
    steps = 0;
    while (o.CanMorphing() && steps < 20) {
        o.DoMorphing();
        ++steps;
    }
    EXPECT_EQ(steps, 5);
    EXPECT_EQ(o.MorphKf, 0.0);
}

TEST(ActiveSkinObject, LooksByState)
{
    struct Case {
        const char* Name;
        bool FormActive, Enabled, Active, Forced, InPicture;
        TColor Expected;
    } cases[] = {
        {"normal forced", true, true, false, true, false, cNormal},
        // A full frame paint already shows the normal image from the form picture.
        {"normal in full paint", true, true, false, false, false, cBack},
        {"normal kept in the active picture", true, true, false, false, true, cInPicture},
        {"active", true, true, true, true, false, cActive},
        {"active in full paint", true, true, true, false, false, cActive},
        {"inactive form", false, true, false, true, false, cInactive},
        {"inactive form under the pointer", false, true, true, true, false, cInactive},
        {"inactive form, disabled", false, false, false, true, false, cNormal},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Name);
        Scene s(k.FormActive);
        auto r = NewRecord<TspDataSkinObject>("obj");
        if (k.InPicture) {
            r->SkinRectInAPicture = true;
            r->SkinRect = Cell(kInPicture);
        }
        TspActiveSkinObject o(s.Frame, r.get());
        o.ObjectRect = ObjRect;
        o.Enabled = k.Enabled;
        o.Active = k.Active;
        EXPECT_EQ(Look(&o, k.Forced), k.Expected);
    }
}

TEST(ActiveSkinObject, InactiveLookNeedsAnActivePicture)
{
    Scene s(false);
    auto r = NewRecord<TspDataSkinObject>("obj");
    r->ActivePictureIndex = -1;
    TspActiveSkinObject o(s.Frame, r.get());
    EXPECT_EQ(Look(&o), cNormal);
}

TEST(ActiveSkinObject, HalfwayFadeBlendsTheTwoImages)
{
    Scene s;
    auto r = NewRecord<TspDataSkinObject>("obj");
    r->Morphing = true;
    TspActiveSkinObject o(s.Frame, r.get());
    o.Active = true;
    o.SetMorphKf(0.6);
    const TColor c = Look(&o);
    // Red 0xC0 -> 0, green 0 -> 0xC0 by 0.6.
    EXPECT_NEAR(GetRValue(c), 0xC0 * 0.4, 1);
    EXPECT_NEAR(GetGValue(c), 0xC0 * 0.6, 1);
    o.SetMorphKf(1);
    EXPECT_EQ(Look(&o), cActive);
}

TEST(ActiveSkinObject, MouseReportsToTheFrame)
{
    Scene s;
    auto r = NewRecord<TspDataSkinObject>("obj");
    r->ActiveSkinRect = TRect();   // no active image: no redraw, but still the events
    TspActiveSkinObject o(s.Frame, r.get());
    o.MouseEnter();
    EXPECT_TRUE(o.Hovered && o.Active);
    o.MouseDown(15, 15, mbLeft);
    o.MouseMove(16, 16);
    o.MouseUp(16, 16, mbLeft);
    o.MouseDown(15, 15, mbLeft);
    o.MouseLeave();
    EXPECT_FALSE(o.Hovered || o.Active);
    o.MouseUp(100, 100, mbLeft);   // released outside: nothing
    const std::vector<std::string> want = {"enter:obj", "down:obj", "move:obj", "up:obj", "down:obj", "leave:obj"};
    EXPECT_EQ(s.Events, want);
    EXPECT_FALSE(s.MorphTimerOn());
}

TEST(ActiveSkinObject, UserObjectLetsTheApplicationPaint)
{
    Scene s;
    auto r = std::make_unique<TspDataUserObject>("area");
    r->SkinRect = TRect(5, 6, 50, 40);
    TspUserObject o(s.Frame, r.get());
    auto b = Drawn(&o);
    ASSERT_EQ(s.Events.size(), 1u);
    EXPECT_EQ(s.Events[0], "paint:area");
    EXPECT_TRUE(Sputils::EqRects(s.PaintedRect, TRect(5, 6, 50, 40)));
    EXPECT_EQ(Probe(b.get(), 10, 10), cBack);
}

}  // namespace
