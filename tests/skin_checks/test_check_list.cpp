// The check list box: check states by mouse and keys, the inner and the frame
// events, states that follow their items through insert, delete, move, clear,
// sort and a new window while the item data stays the program's, and the looks
// of the check column plain and skinned.
#include "test_gtest.h"
#include "CheckScene.h"
#include "SysUtils.h"
#include <vector>

using namespace CheckTest;

namespace {

TEST(SkinCheckListBox, ClickOnTheBoxTogglesAndBesideItOnlySelects)
{
    CheckScene s;
    int inner = 0, frame = 0;
    s.Inner()->OnInnerClickCheck = [&](TObject* S) { inner += S == s.Inner(); };
    s.L->OnClickCheck = [&](TObject*) { ++frame; };
    ASSERT_EQ(s.L->ItemRect(1).Height(), 20);
    struct Step { int Item, X; const char* Checks; int Index; };
    const Step steps[] = {
        {1, 5, ".x...", 1},    // on the box
        {1, 19, ".....", 1},   // the last pixel of the check column
        {3, 20, ".....", 3},   // the text: selection only
        {3, 2, "...x.", 3},
    };
    for (const Step& st : steps) {
        SCOPED_TRACE(std::to_string(st.Item) + " at " + std::to_string(st.X));
        s.Press(st.Item, st.X);
        EXPECT_EQ(s.Checks(), st.Checks);
        EXPECT_EQ(s.L->GetItemIndex(), st.Index);
    }
    EXPECT_EQ(inner, 3);
    EXPECT_EQ(frame, 0);
}

TEST(SkinCheckListBox, SpaceTogglesTheSelectedItemAndGrayedStaysGrayed)
{
    CheckScene s(3);
    int inner = 0, frame = 0;
    s.Inner()->OnInnerClickCheck = [&](TObject*) { ++inner; };
    s.L->OnClickCheck = [&](TObject*) { ++frame; };
    s.L->SetItemIndex(2);
    s.Inner()->Perform(WM_CHAR, ' ', 1);
    EXPECT_EQ(s.Checks(), "..x");
    s.Inner()->Perform(WM_CHAR, ' ', 1);
    EXPECT_EQ(s.Checks(), "...");
    s.L->SetState(0, cbGrayed);
    s.L->SetItemIndex(0);
    s.Inner()->Perform(WM_CHAR, ' ', 1);
    EXPECT_EQ(s.Checks(), "g..");
    EXPECT_EQ(inner, 3);   // raised for the grayed item too
    EXPECT_EQ(frame, 0);
}

TEST(SkinCheckListBox, TypedLettersSearchOnlyWithAutoComplete)
{
    CheckScene s(0);
    for (const char* t : {"alpha", "bravo", "charlie"}) s.L->GetItems()->Add(t);
    s.L->SetItemIndex(0);
    s.L->SetAutoComplete(false);
    s.Inner()->Perform(WM_CHAR, 'c', 1);
    EXPECT_EQ(s.L->GetItemIndex(), 0);
    s.L->SetAutoComplete(true);
    s.Inner()->Perform(WM_CHAR, 'c', 1);
    EXPECT_EQ(s.L->GetItemIndex(), 2);
    EXPECT_EQ(s.Checks(), "...");
}

TEST(SkinCheckListBox, CaptionCheckButtonChecksAGrayedItemAndRaisesTheFrameEvent)
{
    CheckScene s(3);
    s.L->SetCaptionMode(true);
    int frame = 0;
    s.L->OnClickCheck = [&](TObject* S) { frame += S == s.L; };
    s.L->SetState(1, cbGrayed);
    s.L->SetItemIndex(1);
    const TRect b = s.L->CaptionButtonRect(2);
    ASSERT_GT(b.Width(), 0);
    const LPARAM at = PointToLParam(b.left + b.Width() / 2, b.top + b.Height() / 2);
    s.L->Perform(WM_LBUTTONDOWN, MK_LBUTTON, at);
    s.L->Perform(WM_LBUTTONUP, 0, at);
    EXPECT_EQ(s.Checks(), ".x.");
    EXPECT_EQ(frame, 1);
    // An assigned click event is raised even when the release lands off the button.
    int clicks = 0;
    s.L->OnCheckButtonClick = [&](TObject*) { ++clicks; };
    s.L->Perform(WM_LBUTTONDOWN, MK_LBUTTON, at);
    s.L->Perform(WM_LBUTTONUP, 0, PointToLParam(b.left - 30, b.top + 40));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(s.Checks(), ".x.");
}

TEST(SkinCheckListBox, StatesFollowTheirItemsAndTheItemDataStaysUntouched)
{
    CheckScene s(0);
    TStrings* items = s.L->GetItems();
    for (const char* t : {"delta", "alpha", "echo", "bravo", "charlie"}) items->Add(t);
    // The program's own data words, one per item, a pointer-sized value each.
    auto data = [](const std::string& T) { return reinterpret_cast<TObject*>(static_cast<intptr_t>(0x1000 + T[0])); };
    for (int i = 0; i < items->GetCount(); ++i) items->PutObject(i, data(items->Get(i)));
    s.L->SetChecked(0, true);   // delta
    s.L->SetChecked(2, true);   // echo
    s.L->SetState(3, cbGrayed); // bravo
    auto checkedNames = [&] {
        std::string r;
        for (int i = 0; i < items->GetCount(); ++i)
            r += items->Get(i) + (s.L->GetState(i) == cbChecked ? "+" : (s.L->GetState(i) == cbGrayed ? "~" : "")) + " ";
        return r;
    };
    auto dataIntact = [&] {
        for (int i = 0; i < items->GetCount(); ++i) {
            if (items->GetObject(i) != data(items->Get(i))) return false;
            if (SendMessageA(s.Inner()->GetHandle(), LB_GETITEMDATA, i, 0) !=
                reinterpret_cast<LRESULT>(data(items->Get(i))))
                return false;
        }
        return true;
    };
    EXPECT_EQ(checkedNames(), "delta+ alpha echo+ bravo~ charlie ");
    items->Insert(0, "golf");
    items->PutObject(0, data("golf"));
    EXPECT_EQ(checkedNames(), "golf delta+ alpha echo+ bravo~ charlie ");
    items->Delete(2);   // alpha
    EXPECT_EQ(checkedNames(), "golf delta+ echo+ bravo~ charlie ");
    items->Move(1, 4);  // delta to the end
    EXPECT_EQ(checkedNames(), "golf echo+ bravo~ charlie delta+ ");
    EXPECT_TRUE(dataIntact());
    s.L->SetSorted(true);
    EXPECT_EQ(checkedNames(), "bravo~ charlie delta+ echo+ golf ");
    EXPECT_TRUE(dataIntact());
    items->Add("foxtrot");   // lands in order, unchecked
    EXPECT_EQ(checkedNames(), "bravo~ charlie delta+ echo+ foxtrot golf ");
    // A new window (a style change) keeps the states in item order.
    s.L->SetMultiSelect(true);
    EXPECT_EQ(checkedNames(), "bravo~ charlie delta+ echo+ foxtrot golf ");
    items->PutObject(4, data("foxtrot"));
    EXPECT_TRUE(dataIntact());
    // The data word written by the program never changes a state, and back.
    items->PutObject(1, reinterpret_cast<TObject*>(static_cast<intptr_t>(1)));
    EXPECT_EQ(s.L->GetState(1), cbUnchecked);
    s.L->SetChecked(1, true);
    EXPECT_EQ(items->GetObject(1), reinterpret_cast<TObject*>(static_cast<intptr_t>(1)));
    s.L->Clear();
    EXPECT_EQ(items->GetCount(), 0);
    items->Add("again");
    EXPECT_EQ(checkedNames(), "again ");
}

TEST(SkinCheckListBox, StatesWrittenBeforeTheFormShowsFollowLaterInserts)
{
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBounds(20, 20, 200, 200);
    auto* l = new TspSkinCheckListBox(form.get());
    l->SetParent(form.get());
    for (const char* t : {"a", "b", "c"}) l->GetItems()->Add(t);
    l->SetChecked(1, true);
    l->GetItems()->Insert(0, "z");
    EXPECT_FALSE(l->GetChecked(1));
    EXPECT_TRUE(l->GetChecked(2));
    form->Show();
    PumpUntilIdle();
    EXPECT_TRUE(l->GetChecked(2));
    EXPECT_EQ(l->GetItems()->Get(2), "b");
}

TEST(SkinCheckListBox, AnIndexThatIsNoItemRaisesTheListError)
{
    CheckScene s(2);
    for (int bad : {-1, 2}) {
        SCOPED_TRACE(bad);
        try {
            s.L->GetChecked(bad);
            ADD_FAILURE() << "no error";
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(bad) + ")");
        }
        EXPECT_THROW(s.L->SetState(bad, cbChecked), EListError);
    }
    s.Inner()->ToggleClickCheck(5);   // the toggle does nothing
    EXPECT_EQ(s.Checks(), "..");
}

TEST(SkinCheckListBox, PlainCheckColumn)
{
    CheckScene s(2);
    s.L->SetChecked(1, true);
    auto shot = s.Shot();
    const TRect r0 = s.L->ItemRect(0), r1 = s.L->ItemRect(1);
    // The box frame (3, 4, 16, 17) of a 20-pixel row, the column never filled with the selection.
    EXPECT_EQ(Probe(shot.get(), r0.left + 3, r0.top + 4), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(Probe(shot.get(), r0.left + 15, r0.top + 16), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(Probe(shot.get(), r0.left + 9, r0.top + 10), Sys(COLOR_WINDOW));
    // The check mark of the checked row, its top-left at (6, 6): a stroke through (7, 11).
    EXPECT_EQ(Probe(shot.get(), r1.left + 7, r1.top + 11), Sys(COLOR_WINDOWTEXT));
    EXPECT_EQ(Probe(shot.get(), r0.left + 7, r0.top + 11), Sys(COLOR_WINDOW));
    s.L->SetItemIndex(0);
    shot = s.Shot();
    EXPECT_EQ(Probe(shot.get(), r0.left + 10, r0.top + 2), Sys(COLOR_WINDOW));
    EXPECT_EQ(Probe(shot.get(), r0.left + 60, r0.top + 2), Sys(COLOR_HIGHLIGHT));
}

TEST(SkinCheckListBox, SkinnedCheckImagesAndTheirPlaceInTheRow)
{
    {
        CheckScene s(3);
        auto skin = NewCheckSkin();
        s.L->SetSkinData(skin.get());
        ASSERT_TRUE(s.L->Skinned());
        s.L->SetChecked(1, true);
        auto shot = s.Shot();
        const TRect r0 = s.L->ItemRect(0), r1 = s.L->ItemRect(1);
        ASSERT_EQ(r0.Height(), 20);
        // A 12-pixel image centred in (2, 2, 18, 18): columns and rows 4 to 15.
        EXPECT_EQ(Probe(shot.get(), r0.left + 9, r0.top + 8), cUncheck);
        EXPECT_EQ(Probe(shot.get(), r1.left + 9, r1.top + 8), cCheck);
        // Its see-through row shows the row picture.
        EXPECT_EQ(Probe(shot.get(), r1.left + 9, r1.top + 15), cItem);
        EXPECT_EQ(Probe(shot.get(), r1.left + 30, r1.top + 2), cItem);
        // The mouse test uses the skinned check area.
        s.Press(2, 1);
        EXPECT_EQ(s.Checks(), ".x.");
        s.Press(2, 19);
        EXPECT_EQ(s.Checks(), ".x.");
        s.Press(2, 9);
        EXPECT_EQ(s.Checks(), ".xx");
        s.L->SetSkinData(nullptr);
    }
    struct Case { TRect Area; int Width; TRect Expect; };
    const Case cases[] = {
        {TRect(2, 2, 18, 18), 150, TRect(2, 2, 18, 18)},
        {TRect(82, 2, 98, 18), 150, TRect(132, 2, 148, 18)},
        {TRect(82, 2, 98, 18), 100, TRect(82, 2, 98, 18)},
    };
    for (const Case& c : cases) {
        CheckScene s(1);
        auto skin = NewCheckSkin(c.Area);
        s.L->SetSkinData(skin.get());
        EXPECT_EQ(s.Inner()->CheckRect(c.Width, 20, false), c.Expect);
        s.L->SetSkinData(nullptr);
    }
}

TEST(SkinCheckListBox, RowCountSizesTheFrameInCaptionMode)
{
    CheckScene s(8);
    s.L->SetCaptionMode(true);
    s.L->SetDefaultCaptionHeight(20);
    s.L->SetRowCount(5);
    EXPECT_EQ(s.L->GetHeight(), 124);
}

}  // namespace
