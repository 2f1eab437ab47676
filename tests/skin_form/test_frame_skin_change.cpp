// Skin changes: the three messages of a skin data component re-skin the frame
// of every open form bound to it and walk each form's controls; a private
// skin data component re-skins only what is bound to it.
#include "test_gtest.h"
#include "FrameFixture.h"
#include "SkinPanel.h"
#include "SkinButton.h"
#include "SkinControls.h"

using namespace FrameFixture;

namespace {

struct Size {
    int W, H;
};

// A "button" element record in the skin's first active picture.
void AddButtonElement(TspSkinData* D)
{
    if (D->ActivePictures.empty()) D->ActivePictures.push_back(NewPicture(60, 20, 0x0000C0));
    auto r = std::make_unique<TspDataSkinButtonControl>("button");
    r->PictureIndex = 0;
    r->SkinRect = TRect(0, 0, 60, 20);
    r->LeftTopPoint = TPoint(10, 0);
    r->RightTopPoint = TPoint(50, 0);
    r->ClientRect = TRect(10, 2, 50, 18);
    D->CtrlList.push_back(std::move(r));
}

TspSkinButton* AddButton(TForm* Form, TWinControl* Parent, TspSkinData* Skin)
{
    auto* b = new TspSkinButton(Form);
    b->SetParent(Parent);
    b->SetBounds(5, 5, 60, 20);
    b->SetSkinData(Skin);
    return b;
}

// Panels nested three deep, each holding a skinned button.
std::vector<TspSkinButton*> NestButtons(TForm* Form, TspSkinData* Skin)
{
    std::vector<TspSkinButton*> buttons;
    TWinControl* parent = Form;
    for (int depth = 0; depth < 3; ++depth) {
        auto* p = new TspSkinPanel(Form);
        p->SetParent(parent);
        p->SetBounds(5, 30, 200 - depth * 40, 120 - depth * 30);
        buttons.push_back(AddButton(Form, p, Skin));
        parent = p;
    }
    return buttons;
}

// The skin "loads" another frame: wider frame pieces and the button record
// moved to index 1, so a control that fetched its element again shows it.
void ChangeSkin(TspSkinData* D)
{
    D->SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
    D->ClientRect = TRect(8, 30, 92, 72);
    auto first = std::make_unique<TspDataSkinButtonControl>("other");
    D->CtrlList.insert(D->CtrlList.begin(), std::move(first));
    D->SendSkinDataMessage(WM_CHANGESKINDATA);
    D->SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
}

TEST(FrameSkinChange, EveryOpenFormAndEveryNestedControlFollows)
{
    auto skin = NewSkin();
    AddButtonElement(skin.get());
    FramedForm a(skin.get(), 20, 20, 300, 200, "First");
    FramedForm b(skin.get(), 340, 20, 300, 200, "Second");
    auto buttons = NestButtons(a.Form.get(), skin.get());
    buttons.push_back(AddButton(b.Form.get(), b.Form.get(), skin.get()));
    for (auto* btn : buttons) EXPECT_EQ(btn->GetSkinIndex(), 0);
    int changes = 0;
    a.Frame->OnChangeSkinData = [&](TObject*) { ++changes; };

    // Between the two messages the controls have forgotten their element.
    skin->SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
    for (auto* btn : buttons) EXPECT_EQ(btn->GetSkinIndex(), -1);
    EXPECT_EQ(a.Frame->ObjectCount(), 0);
    skin->ClientRect = TRect(8, 30, 92, 72);
    skin->CtrlList.insert(skin->CtrlList.begin(), std::make_unique<TspDataSkinButtonControl>("other"));
    skin->SendSkinDataMessage(WM_CHANGESKINDATA);
    skin->SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
    PumpUntilIdle();

    EXPECT_EQ(changes, 1);
    for (auto* btn : buttons) EXPECT_EQ(btn->GetSkinIndex(), 1);
    for (FramedForm* f : {&a, &b}) {
        const TRect c = f->ClientInWindow();
        EXPECT_EQ(c.left, 8);
        EXPECT_EQ(c.top, 30);
        EXPECT_EQ(c.right, 300 - 8);
        EXPECT_EQ(c.bottom, 200 - 8);
    }
}

TEST(FrameSkinChange, PrivateSkinDataReskinsOnlyWhatIsBoundToIt)
{
    auto shared = NewSkin();
    AddButtonElement(shared.get());
    auto preview = NewSkin();
    AddButtonElement(preview.get());
    FramedForm main(shared.get(), 20, 20, 300, 200, "Main");
    FramedForm dialog(preview.get(), 340, 20, 300, 200, "Preview");
    auto* sharedButton = AddButton(main.Form.get(), main.Form.get(), shared.get());
    auto* previewButton = AddButton(main.Form.get(), main.Form.get(), preview.get());
    bool mainChanged = false;
    main.Frame->OnChangeSkinData = [&](TObject*) { mainChanged = true; };

    ChangeSkin(preview.get());
    PumpUntilIdle();

    EXPECT_FALSE(mainChanged);
    EXPECT_EQ(main.ClientInWindow().left, 4);            // the main frame keeps its look
    EXPECT_EQ(dialog.ClientInWindow().left, 8);          // the preview's frame follows
    EXPECT_EQ(sharedButton->GetSkinIndex(), 0);          // bound to the other skin: untouched
    EXPECT_EQ(previewButton->GetSkinIndex(), 1);         // on the main form but bound to the preview
}

TEST(FrameSkinChange, EmptiedSkinFallsBackToTheDefaultFrame)
{
    auto skin = NewSkin();
    FramedForm f(skin.get(), 20, 20, 300, 200);
    ASSERT_NE(f.Frame->GetWindowRegion(), nullptr);
    skin->SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
    skin->Empty = true;
    skin->SendSkinDataMessage(WM_CHANGESKINDATA);
    PumpUntilIdle();
    EXPECT_FALSE(f.Frame->SkinLoaded());
    EXPECT_EQ(f.Frame->GetWindowRegion(), nullptr);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(f.Wnd(), rgn), ERROR);   // the window is rectangular again
    DeleteObject(rgn);
    EXPECT_EQ(f.ClientInWindow().top, 19 + 3);
}

TEST(FrameSkinChange, ClientSizePropertiesWinOverTheSkin)
{
    auto skin = NewSkin();
    TForm form(nullptr);
    form.SetBounds(20, 20, 300, 200);
    auto* frame = new TspFormFrame(&form);
    frame->ClientWidth = 400;
    frame->ClientHeight = 150;
    form.Show();
    frame->SetSkinData(skin.get());
    PumpUntilIdle();
    EXPECT_EQ(form.GetClientWidth(), 400);
    EXPECT_EQ(form.GetClientHeight(), 150);
    EXPECT_EQ(form.GetWidth(), 408);
}

TEST(FrameSkinChange, RemovedSkinComponentIsForgotten)
{
    TForm form(nullptr);
    auto* frame = new TspFormFrame(&form);
    auto* skin = new TspSkinData(&form);
    FillSkin(skin);
    frame->SetSkinData(skin);
    frame->SetMenusSkinData(skin);   // one component in two roles
    delete skin;
    EXPECT_EQ(frame->GetSkinData(), nullptr);
    EXPECT_EQ(frame->GetMenusSkinData(), nullptr);
}

// A skin data component of another owner, freed while the framed form shows
// (after one of its two roles was given up): the frame forgets it and draws the
// default frame, never the freed skin.
TEST(FrameSkinChange, SkinFreedElsewhereLeavesTheDefaultFrame)
{
    auto skin = NewSkin();
    FramedForm f(skin.get(), 20, 20, 300, 200);
    f.Frame->SetMenusSkinData(skin.get());
    f.Frame->SetMenusSkinData(nullptr);
    ASSERT_TRUE(f.Frame->SkinLoaded());
    skin.reset();
    EXPECT_EQ(f.Frame->GetSkinData(), nullptr);
    EXPECT_FALSE(f.Frame->SkinLoaded());
    RedrawWindow(f.Wnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    PumpUntilIdle();
    EXPECT_EQ(f.ClientInWindow().top, 19 + 3);   // the default caption and border
}

// Skins built from bad values never crash the frame and never divide by zero.
TEST(FrameSkinChange, DamagedSkinsPaintWithoutHarm)
{
    struct Case {
        const char* Name;
        void (*Damage)(TspSkinData*);
    } cases[] = {
        {"one pixel picture", [](TspSkinData* d) { d->Picture = NewPicture(1, 1, 0); }},
        {"no picture", [](TspSkinData* d) { d->Picture.reset(new TBitmap); }},
        {"client outside picture", [](TspSkinData* d) { d->ClientRect = TRect(-50, -50, 500, 400); }},
        {"points outside picture",
         [](TspSkinData* d) {
             d->LTPoint = TPoint(-5, 900);
             d->RBPoint = TPoint(5000, -3);
         }},
        {"mask of another size", [](TspSkinData* d) { d->Mask = NewPicture(7, 3, 0); }},
        {"all white mask", [](TspSkinData* d) { d->Mask = NewPicture(FrameFixture::PicW, FrameFixture::PicH, 0xFFFFFF); }},
        {"mask area inverted", [](TspSkinData* d) { d->MaskRectArea = TRect(90, 70, 10, 10); }},
        {"huge border width", [](TspSkinData* d) { d->BorderWidth = 100000; }},
        {"bad background index", [](TspSkinData* d) { d->BGPictureIndex = 12; }},
        {"zero corner points",
         [](TspSkinData* d) { d->LTPoint = d->RTPoint = d->LBPoint = d->RBPoint = TPoint(0, 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        auto skin = NewSkin();
        c.Damage(skin.get());
        FramedForm f(skin.get(), 20, 20, 300, 200);
        for (const Size s : {Size{300, 200}, Size{1, 1}, Size{2000, 30}}) {
            f.Form->SetBounds(20, 20, s.W, s.H);
            SendMessageA(f.Wnd(), WM_NCPAINT, 1, 0);
            f.HitTest(s.W / 2, 1);
            f.HitTest(0, 0);
        }
        PumpUntilIdle();
    }
}

}  // namespace
