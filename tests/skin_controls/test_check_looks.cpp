// The check box's transition into its active look, its flat image, its
// accelerator and its action, on fixture skins built in code.
#include "test_gtest.h"
#include "ActnList.h"
#include "ControlFixture.h"
#include "Form.h"
#include "ImgList.h"
#include "SkinCheckRadioBox.h"

using namespace CtlFixture;

namespace {

const TColor cChecked = 0x00FFFF, cUnchecked = 0xFF00FF, cImgEdge = 0x010101, cImage = 0x3060F0;
const TColor cParent = 0x404040;

// The transition's steps are taken by hand: no waiting on timers.
class TCheck : public TspSkinCheckRadioBox {
public:
    using TspSkinCheckRadioBox::TspSkinCheckRadioBox;
    void Tick() { DoMorph(); }
};

TspDataSkinCheckRadioControl* AddCheck(TspSkinData* D, bool Morphing)
{
    TBitmap* pic = D->ActivePictures[0].get();
    pic->SetSize(80, 80);
    Paint(pic, TRect(60, 0, 68, 8), cChecked);
    Paint(pic, TRect(70, 0, 78, 8), cUnchecked);
    Paint(pic, TRect(60, 7, 78, 8), cImgEdge);
    auto r = std::make_unique<TspDataSkinCheckRadioControl>("checkbox");
    r->PictureIndex = 0;
    r->SkinRect = LookRect(0);
    r->ActiveSkinRect = LookRect(1);
    r->LeftTopPoint = TPoint(10, 0);
    r->RightTopPoint = TPoint(50, 0);
    r->CheckImageArea = TRect(0, 0, 10, 20);
    r->TextArea = TRect(12, 0, 48, 20);
    r->CheckImageRect = TRect(60, 0, 68, 8);
    r->UnCheckImageRect = TRect(70, 0, 78, 8);
    r->Morphing = Morphing;
    r->MorphKind = mkDefault;
    auto* p = r.get();
    D->CtrlList.push_back(std::move(r));
    return p;
}

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    std::unique_ptr<TspSkinData> Skin = NewSkin();
    int Clicks = 0;
    explicit Scene(bool Morphing = true)
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 100);
        Form->SetColor(cParent);
        AddCheck(Skin.get(), Morphing);
    }
    ~Scene()
    {
        while (Form->GetControlCount() > 0) delete Form->GetControl(0);
    }
    TCheck* Check(bool Skinned, const char* Caption = "")
    {
        auto* c = new TCheck(nullptr);
        c->SetParent(Form.get());
        c->SetBounds(0, 0, 100, 25);
        c->SetCaption(Caption);
        c->OnClick = [this](TObject*) { ++Clicks; };
        if (Skinned) c->SetSkinData(Skin.get());
        return c;
    }
};

TColor Face(TWinControl* C) { return Probe(Snapshot(C).get(), 30, 3); }

// Red and green channels of a blend of cNormal (red 0xC0) and cActive (green 0xC0).
int RedOf(TColor C) { return C & 0xFF; }
int GreenOf(TColor C) { return (C >> 8) & 0xFF; }

TEST(CheckLooks, TransitionBlendsNormalIntoActiveAndBack)
{
    Scene s;
    auto* c = s.Check(true);
    ASSERT_TRUE(c->GetMorphing());
    EXPECT_EQ(Face(c), cNormal);
    c->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(c->Transitioning());
    EXPECT_EQ(Face(c), cNormal);   // nothing moves before the first step
    c->Tick();
    TColor mid = Face(c);
    EXPECT_GT(RedOf(mid), 0);
    EXPECT_GT(GreenOf(mid), 0);
    const int greenAt02 = GreenOf(mid);
    c->Tick();
    EXPECT_GT(GreenOf(Face(c)), greenAt02);   // the blend moves towards the active look
    for (int i = 0; i < 10 && c->Transitioning(); ++i) c->Tick();
    EXPECT_FALSE(c->Transitioning());
    EXPECT_EQ(c->MorphFactor(), 1.0);
    EXPECT_EQ(Face(c), cActive);
    c->Perform(CM_MOUSELEAVE, 0, 0);
    c->Tick();
    mid = Face(c);
    EXPECT_GT(RedOf(mid), 0);
    EXPECT_GT(GreenOf(mid), 0);
    for (int i = 0; i < 10 && c->Transitioning(); ++i) c->Tick();
    EXPECT_EQ(c->MorphFactor(), 0.0);
    EXPECT_EQ(Face(c), cNormal);
}

TEST(CheckLooks, NoTransitionWhenTheSkinHasNoneOrTheControlIsFlatOrUnskinned)
{
    struct Case {
        bool SkinMorphing, Skinned, Flat;
    } cases[] = {{false, true, false}, {true, true, true}, {true, false, false}};
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.SkinMorphing << k.Skinned << k.Flat);
        Scene s(k.SkinMorphing);
        auto* c = s.Check(false);
        c->SetFlat(k.Flat);
        if (k.Skinned) c->SetSkinData(s.Skin.get());
        EXPECT_FALSE(c->GetMorphing());
        c->Perform(CM_MOUSEENTER, 0, 0);
        EXPECT_FALSE(c->Transitioning());
        if (k.Skinned && !k.Flat) {
            EXPECT_EQ(Face(c), cActive);   // at once
        }
    }
}

TEST(CheckLooks, ReskinWhileHoveredLandsOnTheActiveLookAndFreeingMidTransitionIsSafe)
{
    Scene s;
    auto* c = s.Check(true);
    c->Perform(CM_MOUSEENTER, 0, 0);
    c->Tick();
    c->ChangeSkinData();
    EXPECT_FALSE(c->Transitioning());
    EXPECT_EQ(c->MorphFactor(), 1.0);
    EXPECT_EQ(Face(c), cActive);
    c->Perform(CM_MOUSELEAVE, 0, 0);
    ASSERT_TRUE(c->Transitioning());
    delete c;   // its timer goes with it; the message loop frees it later
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
}

// ---- the flat look's image ----

std::unique_ptr<TImageList> SolidList(TColor C, int Count = 1)
{
    auto il = std::make_unique<TImageList>(8, 8);
    for (int i = 0; i < Count; ++i) {
        auto b = NewPicture(8, 8, C);
        il->AddMasked(b.get(), clFuchsia);
    }
    return il;
}

TEST(CheckLooks, FlatImageStandsBeforeTheCaptionOnlyWhenTheListHoldsTheIndex)
{
    struct Case {
        bool Skinned;
        int Index;
        bool Shown;
    } cases[] = {{false, 0, true}, {true, 0, true}, {false, 1, false}, {false, -1, false}, {true, 7, false}};
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.Skinned << " index " << k.Index);
        Scene s;
        auto list = SolidList(cImage);
        auto* c = s.Check(k.Skinned, "Caption");
        c->SetFlat(true);
        c->SetImages(list.get());
        c->SetImageIndex(k.Index);
        // Unskinned the caption starts at 22; skinned after the 8-pixel check image, at 15.
        const int x = k.Skinned ? 15 : 22, h = c->GetHeight();
        auto shot = Snapshot(c);
        if (k.Shown)
            EXPECT_EQ(Probe(shot.get(), x + 4, h / 2), cImage);
        else
            EXPECT_NE(Probe(shot.get(), x + 4, h / 2), cImage);
    }
}

TEST(CheckLooks, FlatCaptionStopsShortOfTheEdgeAfterTheImageMovedItAndAFreedListIsForgotten)
{
    Scene s;
    auto list = SolidList(cImage);
    auto* c = s.Check(false, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    c->SetFlat(true);
    c->SetImages(list.get());
    auto shot = Snapshot(c);
    for (int y = 0; y < c->GetHeight(); ++y) {
        EXPECT_EQ(Probe(shot.get(), c->GetWidth() - 1, y), cParent) << y;
        EXPECT_EQ(Probe(shot.get(), c->GetWidth() - 2, y), cParent) << y;
    }
    list.reset();
    EXPECT_EQ(c->GetImages(), nullptr);
    EXPECT_NE(Probe(Snapshot(c).get(), 26, c->GetHeight() / 2), cImage);
}

// ---- accelerator ----

TEST(CheckLooks, AcceleratorTogglesThroughTheForm)
{
    struct Case {
        const char* Caption;
        char Key;
        bool Enabled;
        bool Toggles;
    } cases[] = {
        {"&Video", 'v', true, true},   {"&Video", 'V', true, true},  {"&Video", 'i', true, false},
        {"&Video", 'v', false, false}, {"A&&B", 'b', true, false},   {"Vi&deo", 'd', true, true},
        {"Video", 'v', true, false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.Caption << " " << k.Key);
        Scene s;
        auto* c = s.Check(false, k.Caption);   // CanFocused off, as on the program's forms
        c->SetEnabled(k.Enabled);
        const LRESULT used = s.Form->Perform(CM_DIALOGCHAR, static_cast<WPARAM>(k.Key), 0);
        EXPECT_EQ(c->GetChecked(), k.Toggles);
        EXPECT_EQ(used != 0, k.Toggles);
        EXPECT_EQ(s.Clicks, k.Toggles ? 1 : 0);
    }
}

TEST(CheckLooks, AcceleratorOfACheckedRadioChangesNothing)
{
    Scene s;
    auto* a = s.Check(false, "&One");
    a->SetRadio(true);
    a->GroupIndex = 1;
    auto* b = s.Check(false, "&Two");
    b->SetRadio(true);
    b->GroupIndex = 1;
    s.Form->Perform(CM_DIALOGCHAR, 't', 0);
    EXPECT_TRUE(b->GetChecked());
    s.Form->Perform(CM_DIALOGCHAR, 'o', 0);
    EXPECT_TRUE(a->GetChecked());
    EXPECT_FALSE(b->GetChecked());
    s.Clicks = 0;
    s.Form->Perform(CM_DIALOGCHAR, 'o', 0);
    EXPECT_TRUE(a->GetChecked());
    EXPECT_EQ(s.Clicks, 0);
}

// ---- action ----

TEST(CheckLooks, FollowsItsActionsCheckedStateWithoutSpuriousClicks)
{
    Scene s;
    TActionList actions(nullptr);
    TAction action(nullptr);
    action.SetActionList(&actions);
    action.SetCaption("Chat");
    action.SetChecked(true);
    auto* c = s.Check(false);
    c->SetAction(&action);
    EXPECT_TRUE(c->GetChecked());
    EXPECT_EQ(c->GetCaption(), "Chat");
    EXPECT_EQ(s.Clicks, 1);
    action.SetChecked(false);
    EXPECT_FALSE(c->GetChecked());
    EXPECT_EQ(s.Clicks, 2);
    action.SetHint("no click for a hint");   // not a change of the check
    action.SetCaption("Chat room");
    EXPECT_EQ(s.Clicks, 2);
    EXPECT_EQ(c->GetCaption(), "Chat room");
    c->SetAction(nullptr);
}

}  // namespace
