// The file edits: the ellipsis button opens the dialog at the edit's file, a
// confirmed choice replaces the text and a cancelled one leaves it; the dialog
// skins follow their components' lifetimes.
#include "DialogRun.h"
#include "FormFrame.h"
#include "SkinData.h"
#include "SkinFileEdits.h"
#include "SkinOpenDialog.h"
#include <memory>

using namespace FileDlgTest;

namespace {

template <class TEdit> bool Click(TEdit& E, const std::function<void(TspCustomFileDlgForm*)>& Steps)
{
    return RunWith(*E.GetDialog(), [&] {
        E.ButtonClick(&E);
        return true;
    }, Steps);
}

TEST(SkinFileEdits, ConstructedAsButtonEdits)
{
    TspSkinFileEdit open(nullptr);
    TspSkinSaveFileEdit save(nullptr);
    for (TspCustomFileEdit* e : {static_cast<TspCustomFileEdit*>(&open), static_cast<TspCustomFileEdit*>(&save)}) {
        EXPECT_TRUE(e->GetButtonMode());
        EXPECT_EQ(e->GetSkinDataName(), "buttonedit");
        EXPECT_EQ(e->GetControlStyle() & csSetCaption, 0u);
        EXPECT_EQ(e->GetFilter(), "All files|*.*");
        EXPECT_EQ(e->LVHeaderSkinDataName, "resizebutton");
    }
    EXPECT_FALSE(open.GetDialog()->GetSaveMode());
    EXPECT_TRUE(save.GetDialog()->GetSaveMode());
    open.SetFilter("Text|*.txt");
    EXPECT_EQ(open.GetDialog()->Filter, "Text|*.txt");
}

TEST(SkinFileEdits, OpenAtTheFileCancelKeepsTextOkReplacesIt)
{
    TTree t("edits");
    TspSkinFileEdit e(nullptr);
    e.SetText(t.Path("sub\\c.txt"));
    Click(e, [&](TspCustomFileDlgForm* w) {
        EXPECT_EQ(w->GetPath(), t.Path("sub"));
        EXPECT_EQ(w->FileNameEdit->GetText(), "c.txt");
        EXPECT_EQ(w->GetSelectedFile(), t.Path("sub\\c.txt"));
        w->CancelButton->ButtonClick();
    });
    EXPECT_EQ(e.GetText(), t.Path("sub\\c.txt"));
    Click(e, [&](TspCustomFileDlgForm* w) {
        w->UpButton->ButtonClick();
        EXPECT_TRUE(w->SelectFile("b.txt"));
        w->OpenButton->ButtonClick();
    });
    EXPECT_EQ(e.GetText(), t.Path("b.txt"));

    TspSkinSaveFileEdit s(nullptr);
    s.SetText(t.Path("other\\old.txt"));   // not there yet
    Click(s, [&](TspCustomFileDlgForm* w) {
        EXPECT_EQ(w->GetPath(), t.Path("other"));
        EXPECT_EQ(w->FileNameEdit->GetText(), "old.txt");
        Type(w, "new.txt");
    });
    EXPECT_EQ(s.GetText(), t.Path("other\\new.txt"));
}

TEST(SkinFileEdits, AFreedSkinIsForgotten)
{
    TTree t("edit_skin");
    TspSkinFileEdit e(nullptr);
    e.SetText(t.Path("a.txt"));
    auto* frame = new TspSkinData(nullptr);
    auto* ctrl = new TspSkinData(nullptr);
    e.SetDlgSkinData(frame);
    e.SetDlgCtrlSkinData(ctrl);
    e.LVHeaderSkinDataName = "header";
    Click(e, [&](TspCustomFileDlgForm* w) {
        EXPECT_EQ(w->Frame->GetSkinData(), frame);
        EXPECT_EQ(w->FileList->GetHeaderSkinDataName(), "header");
    });
    delete frame;
    delete ctrl;
    EXPECT_EQ(e.GetDlgSkinData(), nullptr);
    EXPECT_EQ(e.GetDlgCtrlSkinData(), nullptr);
    Click(e, [&](TspCustomFileDlgForm* w) { EXPECT_EQ(w->Frame->GetSkinData(), nullptr); });
    EXPECT_EQ(e.GetText(), t.Path("a.txt"));
}

} // namespace
