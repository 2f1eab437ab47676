// The gallery: every control of the skinned basic controls on one form, bound to
// our default skin, the second skin and no skin; each look is saved under
// artefacts/ for a person to look at, and probed here.
#include "test_gtest.h"
#include "ActnList.h"
#include "ControlFixture.h"
#include "Form.h"
#include "ImgList.h"
#include "SkinBitLabel.h"
#include "SkinToolBar.h"
#include "SkinButton.h"
#include "SkinChangeWalk.h"
#include "SkinCheckRadioBox.h"
#include "SkinLabels.h"
#include "SkinGroups.h"
#include "SkinPageControl.h"
#include "SkinPanel.h"
#include "SkinTabSheet.h"
#include "SkinUpDown.h"
#include "SkinSpeedButton.h"
#include <vector>

using namespace CtlFixture;

namespace {

struct Gallery {
    std::unique_ptr<TForm> Form;
    std::vector<TspSkinButton*> Buttons;
    std::vector<TspSkinSpeedButton*> SpeedButtons;
    std::vector<TspSkinControl*> Others;   // checks, panels, labels
    TspSkinStdLabel* StdLabel = nullptr;
    TspSkinPageControl* Pages = nullptr;
    // Images of the tool bar, the flat check box and the action: one flat colour each.
    std::unique_ptr<TImageList> Images, HotImages;
    std::unique_ptr<TActionList> Actions;
    std::unique_ptr<TAction> Action;
    TspSkinBitLabel* BitLabel = nullptr;
    TspSkinToolBar* ToolBar = nullptr;
    TspSkinCheckRadioBox* ImageCheck = nullptr;
    TspSkinButton* ActionButton = nullptr;

    template <class C> C* Place(TWinControl* Parent, int X, int Y, int W, int H, const char* Caption)
    {
        auto* c = new C(Form.get());
        c->SetParent(Parent);
        c->SetBounds(X, Y, W, H);
        c->SetCaption(Caption);
        Others.push_back(c);
        return c;
    }

    Gallery()
    {
        Form.reset(new TForm(nullptr));
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 420, 530);
        Form->SetColor(0xE0E0E0);
        const char* captions[] = {"OK", "&Cancel", "Disabled", "Down"};
        for (int i = 0; i < 4; ++i) {
            auto* b = new TspSkinButton(Form.get());
            b->SetParent(Form.get());
            b->SetCanFocused(false);
            b->SetBounds(10 + i * 100, 10, 90, 25);
            b->SetCaption(captions[i]);
            Buttons.push_back(b);
        }
        Buttons[2]->SetEnabled(false);
        Buttons[3]->SetGroupIndex(1);
        Buttons[3]->SetDown(true);
        const char* tools[] = {"A", "B", "C"};
        for (int i = 0; i < 3; ++i) {
            auto* s = new TspSkinSpeedButton(Form.get());
            s->SetParent(Form.get());
            s->SetBounds(10 + i * 30, 50, 25, 25);
            s->SetCaption(tools[i]);
            SpeedButtons.push_back(s);
        }
        SpeedButtons[1]->SetFlat(true);
        SpeedButtons[2]->SetGroupIndex(2);
        SpeedButtons[2]->SetDown(true);

        auto* check = Place<TspSkinCheckRadioBox>(Form.get(), 110, 50, 120, 25, "Check box");
        check->SetChecked(true);
        Place<TspSkinCheckRadioBox>(Form.get(), 240, 50, 120, 25, "Unchecked");
        auto* group = Place<TspSkinGroupBox>(Form.get(), 10, 85, 195, 130, "Group box");
        group->SetCheckedMode(true);
        group->SetChecked(true);
        for (int i = 0; i < 2; ++i) {
            auto* radio = Place<TspSkinCheckRadioBox>(group, 10, 30 + i * 30, 150, 25, i ? "Radio two" : "Radio one");
            radio->SetSkinDataName("radiobox");
            radio->SetRadio(true);
            radio->GroupIndex = 1;
            radio->SetChecked(i == 0);
        }
        auto* panel = Place<TspSkinPanel>(Form.get(), 215, 85, 195, 130, "");
        auto* label = Place<TspSkinLabel>(panel, 10, 10, 150, 21, "Framed label");
        (void)label;
        StdLabel = new TspSkinStdLabel(Form.get());
        StdLabel->SetParent(panel);
        StdLabel->SetBounds(10, 50, 150, 20);
        StdLabel->SetCaption("Standard label");
        auto* radios = Place<TspSkinRadioGroup>(Form.get(), 10, 220, 195, 80, "Radio group");
        radios->GetItems()->Add("First");
        radios->GetItems()->Add("Second");
        radios->SetItemIndex(1);
        auto* checks = Place<TspSkinCheckGroup>(Form.get(), 215, 220, 140, 80, "Check group");
        checks->GetItems()->Add("One");
        checks->GetItems()->Add("Two");
        checks->SetCheckedStatus(0, true);
        auto* updown = Place<TspSkinUpDown>(Form.get(), 365, 230, 40, 20, "");
        (void)updown;
        auto* bar = Place<TspSkinStatusBar>(Form.get(), 0, 0, 420, 21, "");
        (void)bar;
        PlaceImageControls();
        PlacePages();
    }

    // A page control of four sheets, the third one's tab hidden, each sheet holding a check box.
    void PlacePages()
    {
        Pages = new TspSkinPageControl(Form.get());
        Pages->SetParent(Form.get());
        Pages->SetBounds(10, 370, 400, 130);
        const char* sheets[] = {"General", "Sound", "Hidden", "Video"};
        for (int i = 0; i < 4; ++i) {
            auto* sheet = new TspSkinTabSheet(Form.get());
            sheet->SetPageControl(Pages);
            sheet->SetText(sheets[i]);
            auto* c = Place<TspSkinCheckRadioBox>(sheet, 10, 10, 160, 25, "On a sheet");
            c->SetChecked(i == 0);
        }
        Pages->GetPage(2)->SetTabVisible(false);
    }

    static std::unique_ptr<TImageList> Squares(std::initializer_list<TColor> Colors)
    {
        auto il = std::make_unique<TImageList>(12, 12);
        for (TColor c : Colors) {
            auto b = NewPicture(12, 12, c);
            Paint(b.get(), TRect(3, 3, 9, 9), 0xFFFFFF);
            il->AddMasked(b.get(), clFuchsia);
        }
        return il;
    }

    // The row of controls that show images: a tool bar lending its lists to its
    // buttons, a flat check box with an image, a button showing its action's
    // image, and a bit label.
    void PlaceImageControls()
    {
        Images = Squares({0x0000C0, 0x00A000, 0xC00000});
        HotImages = Squares({0x4040FF, 0x40FF40, 0xFF4040});
        ToolBar = Place<TspSkinToolBar>(Form.get(), 10, 305, 120, 26, "");
        ToolBar->SetImages(Images.get());
        ToolBar->SetHotImages(HotImages.get());
        for (int i = 0; i < 3; ++i) {
            auto* s = new TspSkinSpeedButton(Form.get());
            s->SetParent(ToolBar);
            s->SetBounds(2 + i * 26, 1, 24, 24);
            s->SetImageIndex(i);
            SpeedButtons.push_back(s);
        }
        ImageCheck = Place<TspSkinCheckRadioBox>(Form.get(), 140, 305, 120, 25, "&Image");
        ImageCheck->SetFlat(true);
        ImageCheck->SetImages(Images.get());
        ImageCheck->SetImageIndex(1);
        Actions = std::make_unique<TActionList>(nullptr);
        Actions->SetImages(Images.get());
        Action = std::make_unique<TAction>(nullptr);
        Action->SetActionList(Actions.get());
        Action->SetCaption("Action");
        Action->SetImageIndex(2);
        ActionButton = new TspSkinButton(Form.get());
        ActionButton->SetParent(Form.get());
        ActionButton->SetCanFocused(false);
        ActionButton->SetBounds(270, 305, 90, 25);
        ActionButton->SetAction(Action.get());
        Buttons.push_back(ActionButton);
        BitLabel = Place<TspSkinBitLabel>(Form.get(), 10, 340, 100, 20, "0123456789");
        BitLabel->SetAutoSizeX(true);
    }

    ~Gallery()
    {
        // The controls go before the lists and the action they refer to.
        Form.reset();
    }

    void Bind(TspSkinData* D)
    {
        for (auto* b : Buttons) b->SetSkinData(D);
        for (auto* s : SpeedButtons) s->SetSkinData(D);
        for (auto* o : Others) o->SetSkinData(D);
        StdLabel->SetSkinData(D);
        Pages->SetSkinData(D);
    }

    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        auto shot = Snapshot(Form.get());
        SaveArtefact(shot.get(), "gallery-" + Name);
        return shot;
    }
};

// Pixels of a control's image list, or of its own colour, inside the control on the form.
int CountColour(TBitmap* Shot, TControl* C, TColor Colour)
{
    int n = 0;
    TPoint o(C->GetLeft(), C->GetTop());
    for (TControl* p = C->GetParent(); p && p->GetParent(); p = p->GetParent()) o = TPoint(o.x + p->GetLeft(), o.y + p->GetTop());
    for (int y = 0; y < C->GetHeight(); ++y)
        for (int x = 0; x < C->GetWidth(); ++x)
            if (Probe(Shot, o.x + x, o.y + y) == Colour) ++n;
    return n;
}

void ExpectImageControls(Gallery& G, TBitmap* Shot, bool Skinned)
{
    EXPECT_EQ(G.BitLabel->Skinned(), Skinned);
    EXPECT_EQ(G.ToolBar->Skinned(), Skinned);
    // Each tool button shows its square of the bar's list (the ring round the white centre).
    const TColor squares[] = {0x0000C0, 0x00A000, 0xC00000};
    for (int i = 0; i < 3; ++i) EXPECT_GE(CountColour(Shot, G.SpeedButtons[3 + i], squares[i]), 20) << i;
    EXPECT_GE(CountColour(Shot, G.ImageCheck, squares[1]), 20);
    EXPECT_GE(CountColour(Shot, G.ActionButton, squares[2]), 20);
    if (Skinned) {
        // Ten digits of the skin's table make the label wider than its element.
        EXPECT_GT(G.BitLabel->GetWidth(), 70);
    }
}

TEST(Gallery, EveryControlWithBothSkinsAndWithout)
{
    Gallery g;
    auto plain = g.Shoot("unskinned");
    for (auto* b : g.Buttons) EXPECT_FALSE(b->Skinned());
    for (auto* o : g.Others) EXPECT_FALSE(o->Skinned());
    EXPECT_FALSE(g.Pages->Skinned());
    EXPECT_EQ(Probe(plain.get(), 20, 15), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    ExpectImageControls(g, plain.get(), false);

    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        g.Bind(skin.get());
        for (auto* b : g.Buttons) EXPECT_TRUE(b->Skinned());
        for (auto* s : g.SpeedButtons) EXPECT_TRUE(s->Skinned());
        for (auto* o : g.Others) EXPECT_TRUE(o->Skinned()) << o->GetSkinDataName();
        EXPECT_NE(g.StdLabel->GetSkinIndex(), -1);
        EXPECT_TRUE(g.Pages->Skinned());
        auto shot = g.Shoot(name);
        ExpectImageControls(g, shot.get(), true);
        // The skinned face is not the plain one somewhere along the first button.
        int differ = 0;
        for (int x = 12; x < 98; x += 2)
            if (Probe(shot.get(), x, 20) != Probe(plain.get(), x, 20)) ++differ;
        EXPECT_GT(differ, 10);
        // The page control's tabs and frame wear the skin too.
        const TPoint pages(g.Pages->GetLeft(), g.Pages->GetTop());
        differ = 0;
        for (int x = 2; x < 398; x += 4)
            for (int y : {2, 30, 127})
                if (Probe(shot.get(), pages.x + x, pages.y + y) != Probe(plain.get(), pages.x + x, pages.y + y)) ++differ;
        EXPECT_GT(differ, 30);
        g.Bind(nullptr);
    }
}

TEST(Gallery, SkinChangeFollowsLiveOnlyForControlsOfThatComponent)
{
    Gallery g;
    auto first = LoadSkin("Korvel2");
    auto other = LoadSkin("Korvel2");
    ASSERT_TRUE(first && other);
    g.Bind(first.get());
    g.SpeedButtons[0]->SetSkinData(other.get());
    auto before = g.Shoot("before-change");

    Skinctrls::ReskinControls(g.Form.get(), first.get(), true);
    EXPECT_EQ(g.Buttons[0]->GetSkinIndex(), -1);
    EXPECT_NE(g.SpeedButtons[0]->GetSkinIndex(), -1);   // bound to the other component
    ASSERT_TRUE(first->LoadFromCompressedFile(std::string(SKINS_DIR) + "/Sarnic.skn"));
    Skinctrls::ReskinControls(g.Form.get(), first.get(), false);
    for (auto* b : g.Buttons) EXPECT_TRUE(b->Skinned());
    EXPECT_TRUE(g.Pages->Skinned());
    // The page control's font followed the new skin's tab element.
    const int tab = first->GetControlIndex("tab");
    ASSERT_GE(tab, 0);
    auto* rec = dynamic_cast<TspDataSkinTabControl*>(first->CtrlList[tab].get());
    ASSERT_TRUE(rec);
    EXPECT_EQ(g.Pages->GetFont()->GetColor(), rec->Font.Color);
    auto after = g.Shoot("after-change");
    int differ = 0;
    for (int x = 12; x < 98; x += 2)
        if (Probe(after.get(), x, 20) != Probe(before.get(), x, 20)) ++differ;
    EXPECT_GT(differ, 0);
}

// The colour a flat skin gives the left edge of one of a button record's other
// looks (its down or disabled look), which lie on the record's picture.
TColor FlatButtonLook(TspSkinData* D, const std::string& Record, TRect TspDataSkinButtonControl::*Look)
{
    const auto* r = SkinKit::RecordOf<TspDataSkinButtonControl>(D, Record);
    if (!r) return 0;
    const TRect& l = r->*Look;
    return SkinKit::PictureColourAt(D, r->PictureIndex, TPoint(l.left + 1, (l.top + l.bottom) / 2));
}

// Drawn with flat copies of our skins (SkinKit::Flatten), each control shows its
// own element at its left edge: the buttons in their normal, disabled and down
// looks, the tool buttons, and every other framed control on show (the standard
// label has no look of its own, only the skin's font; a flat check box shows its
// look only under the mouse). A panel whose record names a background picture
// shows that picture all over.
TEST(Gallery, EachControlDrawsItsOwnElement)
{
    Gallery g;
    SkinKit::ForEachFlatSkin(g, [&](TspSkinData* flat, TBitmap* shot) {
        auto look = [&](TControl* C, const char* What, const std::string& Record,
                        TRect TspDataSkinButtonControl::*Look) {
            return SkinKit::TColourProbe{What, C, TPoint(1, C->GetHeight() / 2), FlatButtonLook(flat, Record, Look)};
        };
        std::vector<SkinKit::TPieceProbe> probes = {
            SkinKit::LeftEdge(g.Buttons[0], "button"), SkinKit::LeftEdge(g.Buttons[1], "button with accelerator"),
            SkinKit::LeftEdge(g.ActionButton, "action button"), SkinKit::LeftEdge(g.SpeedButtons[0], "speed button"),
            SkinKit::LeftEdge(g.Pages, "page control")};
        std::vector<SkinKit::TColourProbe> colours = {
            look(g.Buttons[2], "disabled button", "button", &TspDataSkinButtonControl::DisabledSkinRect),
            look(g.Buttons[3], "down button", "button", &TspDataSkinButtonControl::DownSkinRect),
            look(g.SpeedButtons[2], "down speed button", "toolbutton", &TspDataSkinButtonControl::DownSkinRect)};
        for (int i = 3; i < 6; ++i) probes.push_back(SkinKit::LeftEdge(g.SpeedButtons[i], "tool bar button"));
        for (auto* o : g.Others) {
            if (!o->GetShowing() || o == g.ImageCheck) continue;
            SkinKit::TPieceProbe p = SkinKit::LeftEdge(o, o->GetSkinDataName().c_str());
            const auto* panel = SkinKit::RecordOf<TspDataSkinPanelControl>(flat, p.Record);
            if (dynamic_cast<TspSkinPanel*>(o) && panel && panel->BGPictureIndex >= 0)
                colours.push_back({"panel's background picture", o, p.At,
                                   SkinKit::PictureColourAt(flat, panel->BGPictureIndex, TPoint(0, 0))});
            else
                probes.push_back(p);
        }
        SkinKit::ExpectElements(shot, g.Form.get(), flat, probes);
        SkinKit::ExpectColours(shot, g.Form.get(), colours);
    });
}

}  // namespace
