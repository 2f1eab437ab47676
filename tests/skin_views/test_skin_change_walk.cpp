// A live skin change on a framed form reaches every skinned edit, memo, view,
// list box, combo box, bevel, splitter, label and control bar below it, however deep, and only those bound to the
// skin data component that changed.
#include "test_gtest.h"
#include "../skin_form/FrameFixture.h"
#include "SkinBevel.h"
#include "SkinBoxControls.h"
#include "SkinButtonLabel.h"
#include "SkinComboBox.h"
#include "SkinControlBar.h"
#include "SkinEdits.h"
#include "SkinFramedMemo.h"
#include "SkinLinkLabel.h"
#include "SkinListBox.h"
#include "SkinMemo.h"
#include "SkinPanel.h"
#include "SkinSplitter.h"
#include "SkinTextLabel.h"
#include "SkinViews.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// A control that counts the walk's calls.
template <class T> class Counted : public T {
public:
    explicit Counted(TComponent* AOwner) : T(AOwner) {}
    int Before = 0, Changes = 0;
    void BeforeChangeSkinData() override
    {
        ++Before;
        T::BeforeChangeSkinData();
    }
    void ChangeSkinData() override
    {
        ++Changes;
        T::ChangeSkinData();
    }
};

struct Probe {
    std::string Kind;
    std::function<int()> Before, Changes;
};

template <class T> Probe Place(TForm* Form, TWinControl* Parent, TspSkinData* Skin, const std::string& Kind, int Top)
{
    auto* c = new Counted<T>(Form);
    c->SetParent(Parent);
    c->SetBounds(4, Top, 120, 22);
    c->SetSkinData(Skin);
    return Probe{Kind, [c] { return c->Before; }, [c] { return c->Changes; }};
}

// One control of each kind inside Parent.
std::vector<Probe> PlaceAll(TForm* Form, TWinControl* Parent, TspSkinData* Skin)
{
    return {Place<TspSkinEdit>(Form, Parent, Skin, "edit", 4),
            Place<TspSkinMemo2>(Form, Parent, Skin, "memo2", 28),
            Place<TspSkinMemo>(Form, Parent, Skin, "memo", 52),
            Place<TspSkinTreeView>(Form, Parent, Skin, "tree view", 76),
            Place<TspSkinListView>(Form, Parent, Skin, "list view", 100),
            Place<TspSkinListBox>(Form, Parent, Skin, "list box", 124),
            Place<TspSkinComboBox>(Form, Parent, Skin, "combo box", 148),
            Place<TspSkinBevel>(Form, Parent, Skin, "bevel", 172),
            Place<TspSkinSplitter>(Form, Parent, Skin, "splitter", 196),
            Place<TspSkinTextLabel>(Form, Parent, Skin, "text label", 220),
            Place<TspSkinLinkLabel>(Form, Parent, Skin, "link label", 244),
            Place<TspSkinButtonLabel>(Form, Parent, Skin, "button label", 268),
            Place<TspSkinControlBar>(Form, Parent, Skin, "control bar", 292)};
}

void Reset(std::vector<Probe>& P, std::vector<std::pair<int, int>>& Base)
{
    Base.clear();
    for (auto& p : P) Base.push_back({p.Before(), p.Changes()});
}

TEST(SkinChangeWalk, ALiveSkinChangeReachesTheBoxControlsOfItsSkinOnly)
{
    auto skin = FrameFixture::NewSkin();
    auto other = FrameFixture::NewSkin();
    FrameFixture::FramedForm f(skin.get(), 20, 20, 420, 420, "Walk");
    // Two panels deep, beside controls of another skin data component.
    auto* outer = new TspSkinPanel(f.Form.get());
    outer->SetParent(f.Form.get());
    outer->SetBounds(0, 0, 200, 340);
    auto* inner = new TspSkinPanel(f.Form.get());
    inner->SetParent(outer);
    inner->SetBounds(2, 2, 190, 330);
    std::vector<Probe> ours = PlaceAll(f.Form.get(), inner, skin.get());
    std::vector<Probe> theirs = PlaceAll(f.Form.get(), f.Form.get(), other.get());
    std::vector<std::pair<int, int>> ourBase, theirBase;
    Reset(ours, ourBase);
    Reset(theirs, theirBase);

    skin->SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
    for (size_t i = 0; i < ours.size(); ++i) {
        SCOPED_TRACE(ours[i].Kind);
        EXPECT_EQ(ours[i].Before(), ourBase[i].first + 1);
        EXPECT_EQ(ours[i].Changes(), ourBase[i].second);
    }
    skin->SendSkinDataMessage(WM_CHANGESKINDATA);
    skin->SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
    for (size_t i = 0; i < ours.size(); ++i) {
        SCOPED_TRACE(ours[i].Kind);
        EXPECT_EQ(ours[i].Before(), ourBase[i].first + 1);
        EXPECT_EQ(ours[i].Changes(), ourBase[i].second + 1);
    }
    for (size_t i = 0; i < theirs.size(); ++i) {
        SCOPED_TRACE("other skin: " + theirs[i].Kind);
        EXPECT_EQ(theirs[i].Before(), theirBase[i].first);
        EXPECT_EQ(theirs[i].Changes(), theirBase[i].second);
    }
}

}  // namespace
