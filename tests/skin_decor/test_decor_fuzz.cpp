// Damaged skins: rectangles far beyond the picture, inverted or huge, offsets and
// points out of range, pictures that do not exist. Every control keeps a bounded
// size, paints, and rolls or scrolls without reading outside the picture.
#include "test_gtest.h"
#include "DecorScene.h"
#include "SkinControlBar.h"
#include "SkinExPanel.h"
#include "SkinSplitter.h"

using namespace Decor;

namespace {

const TRect cBad[] = {TRect(-50000, -50000, 50000, 50000), TRect(0, 0, 1000000, 20), TRect(50, 50, 10, 10),
                      TRect(190, 190, 400, 400), TRect(0, 0, 20, 1000000)};

TEST(DecorFuzz, ExPanelWithDamagedRecords)
{
    for (const TRect& bad : cBad) {
        for (int field = 0; field < 6; ++field) {
            SCOPED_TRACE(testing::Message() << bad.left << "," << bad.top << "," << bad.right << "," << bad.bottom
                                            << " field " << field);
            Scene s;
            auto r = std::make_unique<TspDataSkinExPanelControl>("expanel");
            r->PictureIndex = field == 5 ? 7 : 0;
            r->SkinRect = TRect(0, 0, 100, 60);
            r->LeftTopPoint = TPoint(10, 20);
            r->RightTopPoint = TPoint(90, 20);
            r->LeftBottomPoint = TPoint(10, 50);
            r->RightBottomPoint = TPoint(90, 50);
            r->ClientRect = TRect(10, 20, 90, 50);
            r->RollVSkinRect = field == 0 ? bad : TRect(0, 60, 100, 80);
            r->RollHSkinRect = field == 1 ? bad : TRect(100, 100, 120, 200);
            r->CaptionRect = r->RollVCaptionRect = r->RollHCaptionRect = field == 2 ? bad : TRect(2, 2, 18, 18);
            r->CloseButtonRect = r->VRollButtonRect = r->HRollButtonRect = field == 3 ? bad : Bounds(100, 0, 12, 12);
            r->RollLeftOffset = r->RollRightOffset = r->RollTopOffset = r->RollBottomOffset = field == 4 ? 70000 : 4;
            s.Add(std::move(r));
            auto* p = s.Place<TspSkinExPanel>(0, 0, 150, 100);
            p->SetCaption("Damaged");
            p->SetSkinData(s.Skin.get());
            for (auto kind : {rkRollVertical, rkRollHorizontal}) {
                p->SetRollKind(kind);
                Snapshot(s.Form.get());
                p->SetRollState(true);
                EXPECT_LE(p->GetWidth(), MaxSkinControlSide);
                EXPECT_LE(p->GetHeight(), MaxSkinControlSide);
                EXPECT_GT(p->GetWidth(), 0);
                EXPECT_GT(p->GetHeight(), 0);
                Snapshot(s.Form.get());
                Move(p, 5, 5);
                p->SetRollState(false);
                EXPECT_EQ(p->GetRealWidth(), 0);
                EXPECT_EQ(p->GetRealHeight(), 0);
            }
        }
    }
}

TEST(DecorFuzz, SplitterAndControlBarWithDamagedRecords)
{
    for (const TRect& bad : cBad) {
        for (int field = 0; field < 3; ++field) {
            SCOPED_TRACE(testing::Message() << bad.left << "," << bad.top << " field " << field);
            Scene s;
            auto sr = std::make_unique<TspDataSkinSplitterControl>("vsplitter");
            sr->PictureIndex = 0;
            sr->SkinRect = field == 0 ? bad : TRect(0, 0, 6, 40);
            sr->LeftTopPoint = TPoint(field == 1 ? 90000 : 0, field == 1 ? -90000 : 10);
            sr->RightTopPoint = TPoint(6, 0);
            sr->LeftBottomPoint = TPoint(0, field == 1 ? 90000 : 30);
            s.Add(std::move(sr));
            auto cr = std::make_unique<TspDataSkinControlBar>("controlbar");
            cr->PictureIndex = 0;
            cr->SkinRect = field == 0 ? bad : TRect(0, 0, 100, 60);
            cr->ClientRect = field == 2 ? bad : TRect(10, 10, 60, 40);
            cr->LeftTopPoint = TPoint(field == 1 ? 90000 : 10, 10);
            cr->RightTopPoint = TPoint(60, field == 1 ? -90000 : 10);
            cr->LeftBottomPoint = TPoint(10, 40);
            cr->RightBottomPoint = TPoint(60, 40);
            cr->ItemRect = field == 2 ? bad : TRect(100, 100, 140, 130);
            cr->BGPictureIndex = field == 1 ? 99 : -1;
            s.Add(std::move(cr));
            for (TAlign a : {alLeft, alTop}) {
                auto* sp = s.Place<TspSkinSplitter>(0, 0, 5, 5);
                sp->SetAlign(a);
                sp->SetSkinData(s.Skin.get());
                EXPECT_GT(sp->GetWidth(), 0);
                EXPECT_LE(sp->GetWidth(), 1000);
                EXPECT_LE(sp->GetHeight(), 1000);
                Snapshot(s.Form.get());
                delete sp;
            }
            auto* bar = s.Place<TspSkinControlBar>(0, 0, 200, 100);
            s.Place<TspSkinControlBar>(20, 10, 60, 30, bar);
            bar->HandleNeeded();
            bar->SetSkinData(s.Skin.get());
            bar->SetSkinBevel(true);
            EXPECT_GE(bar->GetClientWidth(), 0);
            Snapshot(s.Form.get());
        }
    }
}

}  // namespace
