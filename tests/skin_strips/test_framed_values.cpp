// The value objects of our two skins on a shown framed form: the factory makes
// them from the skins' records, the setters by name change them, and the frame
// shows the change where each object lies (screenshots under artefacts/).
#include "test_gtest.h"
#include "FrameFixture.h"
#include "FrameObjects.h"
#include "FrameValueObjects.h"

using namespace FrameFixture;

namespace {

int Differing(TBitmap* A, TBitmap* B, const TRect& R)
{
    int n = 0;
    for (int y = std::max<LONG>(R.top, 0); y < std::min<LONG>(R.bottom, A->GetHeight()); ++y)
        for (int x = std::max<LONG>(R.left, 0); x < std::min<LONG>(R.right, A->GetWidth()); ++x)
            if (Probe(A, x, y) != Probe(B, x, y)) ++n;
    return n;
}

TEST(FramedValues, BothSkinsShowTheirValueObjects)
{
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        FramedForm f(skin.get(), 30, 30, 480, 340, std::string("Values with ") + name);
        f.Frame->AlwaysActive = true;
        TspFormFrame* fr = f.Frame;
        auto named = [&](const char* Id) { return fr->GetObject(fr->GetIndex(Id)); };
        auto* gauge = dynamic_cast<TspSkinGaugeObject*>(named("levelgauge"));
        auto* fgauge = dynamic_cast<TspSkinFrameGaugeObject*>(named("levelframegauge"));
        auto* reg = dynamic_cast<TspSkinFrameRegulatorObject*>(named("volumeregulator"));
        auto* sw = dynamic_cast<TspSkinSwitchObject*>(named("stayswitch"));
        ASSERT_TRUE(gauge && fgauge && reg && sw);
        EXPECT_EQ(fgauge->countframes, 8);
        EXPECT_EQ(reg->Kind, rkHorizontal);
        std::vector<std::string> events;
        auto* e = fr;
        e->OnFrameRegulatorChangeValueEvent = [&](const std::string& Id, int V) {
            events.push_back(Id + "=" + std::to_string(V));
        };
        e->OnSwitchChangeStateEvent = [&](const std::string& Id, TSwitchState S) {
            events.push_back(Id + (S == swsOn ? "=on" : "=off"));
        };
        SendMessageA(f.Wnd(), WM_NCPAINT, 1, 0);
        PumpUntilIdle();
        auto before = f.Shot();
        SaveArtefact(before.get(), std::string("strips-values-") + name + "-min");
        fr->GaugeSetValue("levelgauge", 100);
        fr->FrameGaugeSetValue("levelframegauge", 7);
        fr->FrameRegulatorSetValue("volumeregulator", 100);
        fr->SwitchSetState("stayswitch", swsOn);
        SendMessageA(f.Wnd(), WM_NCPAINT, 1, 0);
        PumpUntilIdle();
        auto after = f.Shot();
        SaveArtefact(after.get(), std::string("strips-values-") + name + "-max");
        EXPECT_EQ(fgauge->CalcFrame(), 8);
        EXPECT_EQ(reg->CalcFrame(), 8);
        EXPECT_EQ(events, (std::vector<std::string>{"volumeregulator=100", "stayswitch=on"}));
        // Each object shows its change where the frame places it.
        for (TspActiveSkinObject* o : {static_cast<TspActiveSkinObject*>(gauge), static_cast<TspActiveSkinObject*>(fgauge),
                                       static_cast<TspActiveSkinObject*>(reg), static_cast<TspActiveSkinObject*>(sw)}) {
            const TRect r = fr->GetObjectRect(fr->GetIndex(o->IDName));
            EXPECT_FALSE(r.IsEmpty()) << o->IDName;
            EXPECT_GT(Differing(before.get(), after.get(), r), 0) << o->IDName;
        }
    }
}

}  // namespace
