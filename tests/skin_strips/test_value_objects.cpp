// The frame's value objects on the frame objects' fixture skin: value and
// button position, track-bar clicks and drags, the switch's toggle, the gauge's
// fill, the frame a value shows on a strip, regulator dragging, the factory and
// the setters by name with the frame's value events.
#include "test_gtest.h"
#include "ObjectsFixture.h"
#include "FrameValueObjects.h"
#include <climits>

using namespace ObjFixture;
using SkinKit::SaveArtefact;

namespace {

const TColor cFill = 0x00A0F0;   // the track bar's filled part in the active picture
TColor StripColour(int I) { return RGB(40 * I, 250 - 40 * I, 30); }

struct ValueScene : Scene {
    std::vector<std::string> ValueEvents;
    ValueScene()
    {
        // Track bar: the object is (0, 40)..(130, 60) of the form picture; its
        // filled image the same place of the active picture.
        Paint(Skin->ActivePictures[0].get(), TRect(0, 40, 130, 60), cFill);
        // A strip of six 10 x 10 frames at (0, 80) of the active picture.
        for (int i = 1; i <= 6; ++i) Paint(Skin->ActivePictures[0].get(), Bounds((i - 1) * 10, 80, 10, 10), StripColour(i));
        auto* e = Frame;
        e->OnTrackBarChangeValueEvent = [this](const std::string& Id, int V) {
            ValueEvents.push_back("track:" + Id + "=" + std::to_string(V));
        };
        e->OnSwitchChangeStateEvent = [this](const std::string& Id, TSwitchState S) {
            ValueEvents.push_back("switch:" + Id + (S == swsOn ? "=on" : "=off"));
        };
        e->OnFrameRegulatorChangeValueEvent = [this](const std::string& Id, int V) {
            ValueEvents.push_back("reg:" + Id + "=" + std::to_string(V));
        };
    }
};

std::unique_ptr<TspDataSkinTrackBar> TrackRecord(TPoint Begin, TPoint End, int Min, int Max)
{
    auto r = NewRecord<TspDataSkinTrackBar>("track");
    r->SkinRect = TRect(0, 40, 130, 60);
    r->ActiveSkinRect = TRect(0, 40, 130, 60);
    r->InActiveSkinRect = TRect();
    r->ButtonRect = TRect(40, 0, 46, 6);   // cell kDisabled, 6 x 6
    r->BeginPoint = Begin;
    r->EndPoint = End;
    r->MinValue = Min;
    r->MaxValue = Max;
    r->MouseDownChangeValue = true;
    return r;
}

template <class R> std::unique_ptr<R> StripRecord(const char* Name, int Count, int Min, int Max)
{
    auto r = NewRecord<R>(Name);
    r->SkinRect = Bounds(50, 50, 10, 10);
    r->ActiveSkinRect = Bounds(0, 80, Count * 10, 10);
    r->InActiveSkinRect = TRect();
    r->CountFrames = Count;
    r->MinValue = Min;
    r->MaxValue = Max;
    return r;
}

TEST(TrackBarObject, OrientationFromTheLongerSide)
{
    struct Case {
        TPoint B, E;
        TTrackKind Kind;
    } cases[] = {{{0, 0}, {10, 10}, tkVertical}, {{0, 0}, {10, 9}, tkHorizontal}, {{10, 100}, {10, 0}, tkVertical},
                 {{5, 5}, {5, 5}, tkVertical}};
    for (const auto& k : cases) {
        ValueScene s;
        auto r = TrackRecord(k.B, k.E, 0, 10);
        TspSkinTrackBarObject t(s.Frame, r.get());
        EXPECT_EQ(t.Orientation, k.Kind);
    }
}

TEST(TrackBarObject, ValueToPositionTable)
{
    struct Case {
        TPoint B, E;
        int Min, Max, Value;
        TPoint Pos;
    } cases[] = {
        {{10, 10}, {110, 10}, 0, 10, 5, {60, 10}},   {{10, 10}, {110, 10}, 0, 10, 10, {110, 10}},
        {{10, 10}, {110, 10}, 0, 10, 99, {110, 10}},   // clamped to the range
        {{10, 10}, {13, 10}, 0, 2, 1, {12, 10}},       // 1.5 rounds to even
        {{10, 100}, {10, 0}, 0, 10, 5, {10, 50}},    {{10, 100}, {10, 0}, 0, 10, 10, {10, 0}},
        {{10, 10}, {110, 10}, 7, 7, 7, {10, 10}},      // equal minimum and maximum: no division by zero
        {{10, 10}, {110, 10}, INT_MIN, INT_MAX, INT_MAX, {110, 10}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.Min << ".." << k.Max << " v " << k.Value);
        ValueScene s;
        auto r = TrackRecord(k.B, k.E, k.Min, k.Max);
        TspSkinTrackBarObject t(s.Frame, r.get());
        t.SetValue(k.Value);
        EXPECT_EQ(t.ButtonPos, k.Pos);
        EXPECT_EQ(t.CalcValue(), t.Value);
    }
}

TEST(TrackBarObject, ClickOnTheTrackAndDragWithItsOwnDragPoint)
{
    ValueScene s;
    auto r = TrackRecord({10, 10}, {110, 10}, 0, 10);
    TspSkinTrackBarObject t(s.Frame, r.get());
    const int ox = t.ObjectRect.left, oy = t.ObjectRect.top;
    t.SetValue(5);
    t.MouseDown(ox + 200, oy + 10, mbLeft);   // off the button: the end of the track
    t.MouseUp(ox + 200, oy + 10, mbLeft);
    EXPECT_EQ(t.ButtonPos.x, 110);
    EXPECT_EQ(t.Value, 10);
    t.MouseDown(ox + 111, oy + 11, mbLeft);   // on the button
    EXPECT_TRUE(t.Dragging);
    struct Step {
        int X, ButtonX, Value;
    } steps[] = {
        {61, 60, 5},     // follows the pointer
        {-100, 60, 5},   // would leave the track: ignored, the button stays
        {-90, 70, 6},    // counts from the last point seen, not from the press
        {-60, 100, 9},
    };
    for (const auto& k : steps) {
        t.MouseMove(ox + k.X, oy + 11);
        EXPECT_EQ(t.ButtonPos.x, k.ButtonX) << k.X;
        EXPECT_EQ(t.Value, k.Value) << k.X;
    }
    t.MouseUp(ox - 60, oy + 11, mbLeft);
    EXPECT_FALSE(t.Dragging);
    EXPECT_EQ(s.ValueEvents,
              (std::vector<std::string>{"track:track=5", "track:track=10", "track:track=5", "track:track=6",
                                        "track:track=9"}));
}

TEST(TrackBarObject, DrawsFilledPartAndButton)
{
    ValueScene s;
    auto r = TrackRecord({10, 10}, {110, 10}, 0, 10);
    TspSkinTrackBarObject t(s.Frame, r.get());
    t.SetValue(5);
    auto b = Drawn(&t);
    SaveArtefact(b.get(), "strips-trackbar");
    EXPECT_EQ(Probe(b.get(), 30, 45), cFill);    // left of the button: filled
    EXPECT_EQ(Probe(b.get(), 100, 45), cFrame);  // right of it: the empty track
    EXPECT_EQ(Probe(b.get(), 60, 50), cDisabled);   // the button centred on x 60
}

TEST(SwitchObject, LeftPressTogglesAndReports)
{
    ValueScene s;
    auto r = NewRecord<TspDataSkinSwitch>("sw");
    TspSkinSwitchObject w(s.Frame, r.get());
    EXPECT_EQ(w.State, swsOff);
    const struct {
        TMouseButton Button;
        TSwitchState State;
        TColor Look;
    } steps[] = {{mbLeft, swsOn, cActive}, {mbRight, swsOn, cActive}, {mbLeft, swsOff, cNormal}};
    for (const auto& k : steps) {
        w.MouseDown(15, 15, k.Button);
        EXPECT_EQ(w.State, k.State);
        EXPECT_EQ(w.Active, k.State == swsOn);
        EXPECT_EQ(Look(&w), k.Look);
    }
    w.MouseEnter();
    w.MouseLeave();
    EXPECT_FALSE(w.Active);   // hovering changes no look
    EXPECT_EQ(s.ValueEvents, (std::vector<std::string>{"switch:sw=on", "switch:sw=off"}));
    w.SimpleSetState(swsOn);
    EXPECT_EQ(w.MorphKf, 1);
    EXPECT_EQ(s.ValueEvents.size(), 2u);
}

TEST(SwitchObject, AnOnSwitchStaysOnThroughTheFramesPointerReset)
{
    for (bool morph : {false, true}) {
        SCOPED_TRACE(morph);
        ValueScene s;
        auto r = NewRecord<TspDataSkinSwitch>("sw");
        r->Morphing = morph;
        s.Skin->ObjectList.push_back(std::move(r));
        s.Frame->LoadObjects();
        auto* w = dynamic_cast<TspSkinSwitchObject*>(s.Frame->GetObject(s.Frame->GetIndex("sw")));
        ASSERT_TRUE(w);
        w->SetState(swsOn);
        w->MorphKf = 1;
        s.Frame->UpDateActiveObjects();   // clears every object's pointer state
        EXPECT_EQ(Look(w), cActive);
        EXPECT_EQ(w->State, swsOn);
        s.Frame->ClearObjects();
    }
}

TEST(GaugeObject, FillFollowsTheValue)
{
    struct Case {
        TGaugeKind Kind;
        int Min, Max, Value;
        TPoint Pos;
        TPoint FilledAt, EmptyAt;
    } cases[] = {
        {gkHorizontal, 0, 100, 50, {10, 0}, {12, 15}, {25, 15}},
        {gkVertical, 0, 100, 25, {0, 15}, {15, 27}, {15, 12}},   // fills from the bottom
        {gkHorizontal, 5, 5, 5, {0, 0}, {-1, -1}, {15, 15}},     // equal range: empty, no division
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Kind);
        ValueScene s;
        auto r = NewRecord<TspDataSkinGauge>("gauge");
        r->Kind = k.Kind;
        r->MinValue = k.Min;
        r->MaxValue = k.Max;
        TspSkinGaugeObject g(s.Frame, r.get());
        EXPECT_EQ(CountOther(Drawn(&g, false).get(), TRect(0, 0, 200, 100), cBack), 0);   // at the minimum
        g.SetValue(k.Value);
        EXPECT_EQ(g.ProgressPos, k.Pos);
        auto b = Drawn(&g);
        if (k.FilledAt.x >= 0) {
            EXPECT_EQ(Probe(b.get(), k.FilledAt.x, k.FilledAt.y), cActive);
        }
        EXPECT_EQ(Probe(b.get(), k.EmptyAt.x, k.EmptyAt.y), cNormal);
    }
}

TEST(FrameGaugeObject, FrameOfTheValueStaysInsideTheStrip)
{
    struct Case {
        int Count, Min, Max, Value, Frame;
    } cases[] = {
        {6, 0, 10, 3, 2}, {6, 0, 10, 10, 6}, {6, 0, 10, 0, 1},
        {6, 0, 3, 3, 1},   // a range below the frame steps: always frame 1
        {4, 0, 5, 5, 4},   // a range that is no multiple of the steps: the last frame
        {1, 0, 10, 10, 1}, {6, 4, 4, 4, 1}, {6, INT_MIN, INT_MAX, INT_MAX, 6},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.Count << " frames " << k.Min << ".." << k.Max << " v " << k.Value);
        ValueScene s;
        auto r = StripRecord<TspDataSkinFrameGaugeObject>("fg", k.Count, k.Min, k.Max);
        TspSkinFrameGaugeObject g(s.Frame, r.get());
        g.SetValue(k.Value);
        EXPECT_EQ(g.CalcFrame(), k.Frame);
        EXPECT_EQ(Probe(Drawn(&g).get(), 55, 55), StripColour(k.Frame));
    }
}

TEST(FrameGaugeObject, RefusesValuesOutsideTheRange)
{
    ValueScene s;
    auto r = StripRecord<TspDataSkinFrameGaugeObject>("fg", 6, 0, 10);
    TspSkinFrameGaugeObject g(s.Frame, r.get());
    for (int v : {11, -1}) g.SetValue(v);
    EXPECT_EQ(g.Value, 0);
    g.SimplySetValue(4);
    EXPECT_EQ(g.Value, 4);
    g.SetFrame(0);
    g.SetFrame(7);
    EXPECT_EQ(g.CurrentFrame, 1);
    g.SetFrame(5);
    EXPECT_EQ(g.CurrentFrame, 5);
}

TEST(FrameRegulatorObject, DragByKind)
{
    // Six frames of 10 x 10, range 0..100: 2 pixels per step of 20.
    struct Case {
        TRegulatorKind Kind;
        TPoint To[3];
        int Values[3];
    } cases[] = {
        {rkRound, {{56, 55}, {57, 55}, {57, 60}}, {0, 20, 0}},
        {rkHorizontal, {{56, 55}, {57, 55}, {90, 55}}, {0, 20, 40}},
        {rkVertical, {{55, 54}, {55, 53}, {55, 40}}, {0, 20, 40}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Kind);
        ValueScene s;
        auto r = StripRecord<TspDataSkinFrameRegulatorObject>("reg", 6, 0, 100);
        r->Kind = k.Kind;
        TspSkinFrameRegulatorObject g(s.Frame, r.get());
        EXPECT_EQ(g.Value, 0);
        g.MouseDown(55, 55, mbLeft);
        for (int i = 0; i < 3; ++i) {
            g.MouseMove(k.To[i].x, k.To[i].y);
            EXPECT_EQ(g.Value, k.Values[i]) << i;
        }
        g.MouseUp(55, 55, mbLeft);
        EXPECT_FALSE(g.Pressed);
        EXPECT_EQ(Probe(Drawn(&g).get(), 55, 55), StripColour(g.Value / 20 + 1));
    }
}

TEST(FrameRegulatorObject, OneFrameAndEqualRangeNeverDivideByZero)
{
    for (int count : {0, 1}) {
        ValueScene s;
        auto r = StripRecord<TspDataSkinFrameRegulatorObject>("reg", count, 3, 3);
        TspSkinFrameRegulatorObject g(s.Frame, r.get());
        EXPECT_EQ(g.Value, 3);   // 0 clamped into the range
        g.MouseDown(55, 55, mbLeft);
        g.MouseMove(90, 20);
        g.MouseUp(90, 20, mbLeft);
        EXPECT_EQ(g.Value, 3);
        Drawn(&g);
    }
}

TEST(ValueObjects, FactoryAndSettersByName)
{
    ValueScene s;
    s.Skin->ObjectList.push_back(TrackRecord({10, 10}, {110, 10}, 0, 10));
    s.Skin->ObjectList.push_back(NewRecord<TspDataSkinSwitch>("sw"));
    s.Skin->ObjectList.push_back(NewRecord<TspDataSkinGauge>("gauge"));
    s.Skin->ObjectList.push_back(StripRecord<TspDataSkinFrameGaugeObject>("fg", 6, 0, 10));
    s.Skin->ObjectList.push_back(StripRecord<TspDataSkinFrameRegulatorObject>("reg", 6, 0, 100));
    static_cast<TspDataSkinGauge*>(s.Skin->ObjectList[2].get())->MaxValue = 100;
    s.Frame->LoadObjects();
    auto named = [&](const char* Id) { return s.Frame->GetObject(s.Frame->GetIndex(Id)); };
    auto* t = dynamic_cast<TspSkinTrackBarObject*>(named("track"));
    auto* w = dynamic_cast<TspSkinSwitchObject*>(named("sw"));
    auto* g = dynamic_cast<TspSkinGaugeObject*>(named("gauge"));
    auto* fg = dynamic_cast<TspSkinFrameGaugeObject*>(named("fg"));
    auto* reg = dynamic_cast<TspSkinFrameRegulatorObject*>(named("reg"));
    ASSERT_TRUE(t && w && g && fg && reg);
    s.Frame->TrackBarSetValue("track", 3);
    s.Frame->SwitchSetState("sw", swsOn);
    s.Frame->GaugeSetValue("gauge", 40);
    s.Frame->FrameGaugeSetValue("fg", 7);
    s.Frame->FrameRegulatorSetValue("reg", 60);
    EXPECT_EQ(t->Value, 3);
    EXPECT_EQ(w->State, swsOn);
    EXPECT_EQ(g->Value, 40);
    EXPECT_EQ(fg->Value, 7);
    EXPECT_EQ(reg->Value, 60);
    // Other kinds and missing names do nothing.
    s.Frame->FrameGaugeSetValue("reg", 80);
    s.Frame->TrackBarSetValue("sw", 1);
    s.Frame->GaugeSetValue("none", 1);
    EXPECT_EQ(reg->Value, 60);
    EXPECT_EQ(s.ValueEvents, (std::vector<std::string>{"track:track=3", "switch:sw=on", "reg:reg=60"}));
    s.Frame->ClearObjects();
}

TEST(ValueObjects, GettersByName)
{
    ValueScene s;
    s.Skin->ObjectList.push_back(TrackRecord({10, 10}, {110, 10}, 0, 10));
    s.Skin->ObjectList.push_back(NewRecord<TspDataSkinSwitch>("sw"));
    s.Skin->ObjectList.push_back(StripRecord<TspDataSkinFrameGaugeObject>("fg", 6, 0, 10));
    s.Skin->ObjectList.push_back(StripRecord<TspDataSkinFrameRegulatorObject>("reg", 6, 0, 100));
    s.Skin->ObjectList.push_back(TrackRecord({10, 10}, {110, 10}, 0, 10));   // a second "track"
    s.Frame->LoadObjects();
    s.Frame->TrackBarSetValue("track", 4);
    s.Frame->SwitchSetState("sw", swsOn);
    s.Frame->FrameGaugeSetValue("fg", 7);
    s.Frame->FrameRegulatorSetValue("reg", 60);
    struct Case {
        const char* Id;
        int Track, Regulator;
        TSwitchState Switch;
    } cases[] = {
        {"track", 4, 0, swsOff},   // the first of two objects of that name
        {"sw", 0, 0, swsOn},
        {"fg", 0, 0, swsOff},      // a frame gauge is no regulator
        {"reg", 0, 60, swsOff},
        {"none", 0, 0, swsOff},
        {"", 0, 0, swsOff},
        {"TRACK", 0, 0, swsOff},   // names are case-sensitive
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Id);
        EXPECT_EQ(s.Frame->TrackBarGetValue(k.Id), k.Track);
        EXPECT_EQ(s.Frame->FrameRegulatorGetValue(k.Id), k.Regulator);
        EXPECT_EQ(s.Frame->SwitchGetState(k.Id), k.Switch);
    }
    s.Frame->ClearObjects();
    EXPECT_EQ(s.Frame->TrackBarGetValue("track"), 0);
    EXPECT_EQ(s.Frame->SwitchGetState("sw"), swsOff);
}

}  // namespace
