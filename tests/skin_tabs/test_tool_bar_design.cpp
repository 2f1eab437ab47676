// Renaming a tool bar at design time renames its buttons' elements; at run time
// and while loading the buttons keep theirs.
#include "test_gtest.h"
#include "Form.h"
#include "SkinMenuButtons.h"
#include "SkinToolBar.h"

namespace {

// A bar as the form designer holds it.
class TDesignedBar : public TspSkinToolBar {
public:
    using TspSkinToolBar::TspSkinToolBar;
    void Design(bool On)
    {
        if (On) FComponentState |= csDesigning;
        else FComponentState &= ~csDesigning;
    }
};

TEST(ToolBarDesign, RenamingTheBarRenamesItsButtonsElements)
{
    struct Case {
        const char* What;
        bool Designing, Loading;
        const char* BarName;
        const char* Plain;
        const char* Menu;
        const char* Track;
    } cases[] = {
        {"designing", true, false, "toolpanel", "toolbutton", "toolmenubutton", "toolmenutrackbutton"},
        {"designing, big", true, false, "bigtoolpanel", "bigtoolbutton", "bigtoolmenubutton", "bigtoolmenutrackbutton"},
        {"designing, other name", true, false, "bigtoolpanel2", "toolbutton", "toolmenubutton", "toolmenutrackbutton"},
        {"running", false, false, "bigtoolpanel", "x", "y", "z"},
        {"loading", true, true, "bigtoolpanel", "x", "y", "z"},
    };
    for (const auto& c : cases) {
        TForm form(nullptr);
        auto* bar = new TDesignedBar(&form);
        bar->SetParent(&form);
        auto* plain = new TspSkinSpeedButton(&form);
        auto* menu = new TspSkinMenuSpeedButton(&form);
        auto* track = new TspSkinMenuSpeedButton(&form);
        track->SetTrackButtonMode(true);
        for (TspSkinSpeedButton* b : {plain, static_cast<TspSkinSpeedButton*>(menu), static_cast<TspSkinSpeedButton*>(track)})
            b->SetParent(bar);
        plain->SetSkinDataName("x");
        menu->SetSkinDataName("y");
        track->SetSkinDataName("z");
        bar->Design(c.Designing);
        if (c.Loading) bar->SetLoading(true);
        bar->SetSkinDataName(c.BarName);
        EXPECT_EQ(bar->GetSkinDataName(), c.BarName) << c.What;
        EXPECT_EQ(plain->GetSkinDataName(), c.Plain) << c.What;
        EXPECT_EQ(menu->GetSkinDataName(), c.Menu) << c.What;
        EXPECT_EQ(track->GetSkinDataName(), c.Track) << c.What;
        bar->Design(false);
    }
}

}  // namespace
