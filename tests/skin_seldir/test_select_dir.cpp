// The select-folder dialog and the folder button edit, run modally and driven
// from a timer inside the modal loop: where the tree opens, what OK and Cancel
// return, the window size kept between runs, and shots of the window in our two
// skins and unskinned under artefacts/.
#include "test_gtest.h"
#include "ControlFixture.h"
#include "FileDlgKit.h"
#include "FilePaths.h"
#include "Form.h"
#include "FormFrame.h"
#include "SelDirDlgForm.h"
#include "SelectDirectoryDialog.h"
#include "ShellCtrls.h"
#include "ShellFolder.h"
#include "SkinButton.h"
#include "SkinData.h"
#include "SkinDirectoryEdit.h"
#include "SkinPanel.h"
#include "SkinScrollBar.h"
#include "WaitUntil.h"
#include <shlobj.h>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace FileDlgTest;

namespace {

bool SamePath(const std::string& A, const std::string& B) { return lstrcmpiA(A.c_str(), B.c_str()) == 0; }

// Runs D modally; Steps run once the window shows and close it, or it is cancelled.
bool RunDialog(TspSkinSelectDirectoryDialog& D, const std::function<void(TspSelDirDlgForm*)>& Steps)
{
    return RunModal(D, [&] { return D.Execute(); }, Steps);
}

bool IsMyComputer(TspShellFolder* F)
{
    if (!F) return false;
    LPITEMIDLIST drives = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives))) return false;
    const bool same = ILIsEqual(drives, F->AbsoluteID()) != FALSE;
    CoTaskMemFree(drives);
    return same;
}

void Shoot(TspSelDirDlgForm* W, const std::string& Name)
{
    CtlFixture::SaveArtefact(WindowShot(W).get(), "seldir-" + Name);
}

TEST(SelectDirectoryDialog, Defaults)
{
    TspSkinSelectDirectoryDialog d(nullptr);
    EXPECT_EQ(d.GetTitle(), "Select folder");
    EXPECT_EQ(d.Directory, "");
    EXPECT_EQ(d.GetSkinData(), nullptr);
    EXPECT_EQ(d.GetCtrlSkinData(), nullptr);
    EXPECT_EQ(d.GetDefaultFont()->GetName(), "Arial");
    EXPECT_EQ(d.GetDefaultFont()->GetHeight(), 14);
    EXPECT_FALSE(d.AlphaBlend);
    EXPECT_FALSE(d.AlphaBlendAnimation);
    EXPECT_EQ(d.AlphaBlendValue, 200);
    EXPECT_EQ(d.GetWindow(), nullptr);
}

TEST(SelectDirectoryDialog, WindowLayout)
{
    std::unique_ptr<TspSelDirDlgForm> w(new TspSelDirDlgForm(nullptr));
    EXPECT_TRUE(w->KeyPreview);
    EXPECT_EQ(w->TreePanel->GetParent(), w.get());
    EXPECT_EQ(w->TreePanel->GetAlign(), alClient);
    EXPECT_EQ(w->TreePanel->GetBorderStyle(), TspSkinBorderStyle::bvFrame);
    EXPECT_EQ(w->BottomPanel->GetAlign(), alBottom);
    EXPECT_EQ(w->BottomPanel->GetHeight(), 50);
    EXPECT_EQ(w->BottomPanel->GetBorderStyle(), TspSkinBorderStyle::bvNone);
    EXPECT_EQ(w->VScrollBar->GetParent(), w->TreePanel);
    EXPECT_EQ(w->VScrollBar->GetKind(), sbVertical);
    EXPECT_EQ(w->VScrollBar->GetAlign(), alRight);
    EXPECT_EQ(w->VScrollBar->GetSkinDataName(), "vscrollbar");
    EXPECT_EQ(w->HScrollBar->GetAlign(), alBottom);
    EXPECT_EQ(w->HScrollBar->GetBothMarkerWidth(), 19);
    EXPECT_EQ(w->HScrollBar->GetSkinDataName(), "hscrollbar");
    EXPECT_EQ(w->DirTreeView->GetParent(), w->TreePanel);
    EXPECT_EQ(w->DirTreeView->GetAlign(), alClient);
    EXPECT_FALSE(w->DirTreeView->GetHideSelection());
    EXPECT_EQ(w->DirTreeView->GetRoot(), "rfDesktop");
    const struct {
        TspSkinButton* B;
        int Left;
        const char* Caption;
        int Result;
    } buttons[] = {{w->OKButton, 20, "OK", mrOk}, {w->CancelButton, 100, "Cancel", mrCancel}};
    for (const auto& b : buttons) {
        EXPECT_EQ(b.B->GetParent(), w->BottomPanel);
        EXPECT_EQ(b.B->GetLeft(), b.Left);
        EXPECT_EQ(b.B->GetTop(), 15);
        EXPECT_EQ(b.B->GetWidth(), 70);
        EXPECT_EQ(b.B->GetCaption(), b.Caption);
        EXPECT_EQ(b.B->ModalResult, b.Result);
        EXPECT_TRUE(b.B->GetCanFocused());
    }
    EXPECT_TRUE(w->OKButton->GetDefault());
    EXPECT_TRUE(w->CancelButton->Cancel);
}

TEST(SelectDirectoryDialog, MissingFolderOpensAtMyComputer)
{
    TScratch t("seldir_missing");
    for (const std::string& dir : {t.Path("gone"), std::string()}) {
        TspSkinSelectDirectoryDialog d(nullptr);
        d.Directory = dir;
        bool atComputer = false, expanded = false;
        std::string title;
        RunDialog(d, [&](TspSelDirDlgForm* w) {
            atComputer = IsMyComputer(w->DirTreeView->SelectedFolder());
            TTreeNode* n = w->DirTreeView->GetSelected();
            expanded = n && n->GetExpanded();
            title = w->GetCaption();
        });
        EXPECT_TRUE(atComputer) << dir;
        EXPECT_TRUE(expanded) << dir;
        EXPECT_EQ(title, "Select folder");
        EXPECT_EQ(d.Directory, dir);   // cancelled: unchanged
    }
}

TEST(SelectDirectoryDialog, OkReturnsTheSelectedFolderCancelKeepsTheOld)
{
    TScratch t("seldir_ok");
    const std::string a = t.Folder("alpha"), b = t.Folder("alpha\\beta");
    TspSkinSelectDirectoryDialog d(nullptr);
    int changes = 0;
    d.OnChange = [&](TObject*) { ++changes; };
    d.Directory = a;
    std::string shown;
    bool ok = RunDialog(d, [&](TspSelDirDlgForm* w) {
        shown = w->DirTreeView->GetPath();
        w->DirTreeView->SetPath(b);
        w->OKButton->ButtonClick();
    });
    EXPECT_TRUE(ok);
    EXPECT_TRUE(SamePath(shown, a)) << shown;
    EXPECT_TRUE(SamePath(d.Directory, b)) << d.Directory;
    EXPECT_EQ(changes, 1);

    ok = RunDialog(d, [&](TspSelDirDlgForm* w) {
        shown = w->DirTreeView->GetPath();
        w->DirTreeView->SetPath(a);
        w->CancelButton->ButtonClick();
    });
    EXPECT_FALSE(ok);
    EXPECT_TRUE(SamePath(shown, b)) << shown;
    EXPECT_TRUE(SamePath(d.Directory, b));
    EXPECT_EQ(changes, 1);
}

TEST(SelectDirectoryDialog, EnterConfirmsAndEscapeCancels)
{
    TScratch t("seldir_keys");
    const std::string a = t.Folder("keys");
    const struct {
        WPARAM Key;
        bool Expect;
    } cases[] = {{VK_RETURN, true}, {VK_ESCAPE, false}};
    for (const auto& c : cases) {
        TspSkinSelectDirectoryDialog d(nullptr);
        d.Directory = a;
        int phase = 0;
        bool timedOut = false;
        const DWORD start = GetTickCount();
        // The key goes to whatever holds the focus in the window, as a user's would.
        TModalStep step([&] {
            TspSelDirDlgForm* w = d.GetWindow();
            if (!w || !IsWindowVisible(w->GetHandle())) return false;
            if (GetTickCount() - start > 8000) {
                timedOut = true;
                w->SetModalResult(mrAbort);
                return true;
            }
            HWND focus = GetFocus();
            if (!focus || GetAncestor(focus, GA_ROOT) != w->GetHandle()) {
                SetForegroundWindow(w->GetHandle());
                return false;
            }
            if (phase++ == 0) {
                PostMessageA(focus, WM_KEYDOWN, c.Key, 1);
                PostMessageA(focus, WM_KEYUP, c.Key, 0xC0000001);
            }
            return false;   // the key closes the window, or the time-out does
        });
        const bool ok = d.Execute();
        EXPECT_FALSE(timedOut) << c.Key;
        EXPECT_EQ(ok, c.Expect) << c.Key;
        EXPECT_TRUE(SamePath(d.Directory, a)) << d.Directory;
    }
}

TEST(SelectDirectoryDialog, VirtualFolderGivesItsDisplayName)
{
    TspSkinSelectDirectoryDialog d(nullptr);
    std::string name;
    const bool ok = RunDialog(d, [&](TspSelDirDlgForm* w) {
        ASSERT_TRUE(IsMyComputer(w->DirTreeView->SelectedFolder()));
        name = w->DirTreeView->SelectedFolder()->DisplayName();
        w->OKButton->ButtonClick();
    });
    EXPECT_TRUE(ok);
    EXPECT_FALSE(d.Directory.empty());
    EXPECT_EQ(d.Directory, name);
    EXPECT_FALSE(Spfilectrl::DirectoryExists(d.Directory));
}

TEST(SelectDirectoryDialog, WindowReturnsAtItsLastSize)
{
    TspSkinSelectDirectoryDialog d(nullptr);
    int w0 = 0, h0 = 0, w1 = 0, h1 = 0;
    RunDialog(d, [&](TspSelDirDlgForm* w) {
        w0 = w->GetClientWidth();
        h0 = w->GetClientHeight();
        w->SetClientSize(360, 330);
        w->CancelButton->ButtonClick();
    });
    EXPECT_EQ(w0, 280);
    EXPECT_EQ(h0, 280);
    RunDialog(d, [&](TspSelDirDlgForm* w) {
        w1 = w->GetClientWidth();
        h1 = w->GetClientHeight();
    });
    EXPECT_EQ(w1, 360);
    EXPECT_EQ(h1, 330);
}

TEST(SelectDirectoryDialog, SkinsAreUsedAndFreedSkinsForgotten)
{
    auto frame = CtlFixture::LoadSkin("Korvel2");
    auto ctrl = CtlFixture::LoadSkin("Korvel2");
    ASSERT_TRUE(frame && ctrl);
    TspSkinSelectDirectoryDialog d(nullptr);
    d.SetSkinData(frame.get());
    d.SetCtrlSkinData(ctrl.get());
    d.AlphaBlend = true;
    d.AlphaBlendAnimation = true;
    d.AlphaBlendValue = 150;
    bool skinned = false, frameSettings = false;
    int minW = 0, minH = 0, cw = 0, ch = 0;
    RunDialog(d, [&](TspSelDirDlgForm* w) {
        skinned = w->OKButton->Skinned() && w->VScrollBar->GetSkinDataComponent() == ctrl.get() &&
                  w->Frame->GetSkinData() == frame.get();
        frameSettings = w->Frame->GetMenusSkinData() == ctrl.get() && w->Frame->GetBorderIcons() == 0 &&
                        w->Frame->GetAlphaBlend() && w->Frame->AlphaBlendAnimation &&
                        w->Frame->GetAlphaBlendValue() == 150;
        minW = w->Frame->GetMinWidth();
        minH = w->Frame->GetMinHeight();
        cw = w->GetClientWidth();
        ch = w->GetClientHeight();
    });
    EXPECT_TRUE(skinned);
    EXPECT_TRUE(frameSettings);
    EXPECT_GE(cw, minW);
    EXPECT_GE(ch, minH);
    frame.reset();
    ctrl.reset();
    EXPECT_EQ(d.GetSkinData(), nullptr);
    EXPECT_EQ(d.GetCtrlSkinData(), nullptr);
}

TEST(SelectDirectoryDialog, GalleryBothSkinsAndWithout)
{
    TScratch t("seldir_gallery");
    const std::string dir = t.Folder("pictures");
    for (const char* name : {"unskinned", "Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        std::unique_ptr<TspSkinData> skin;
        if (std::string(name) != "unskinned") {
            skin = CtlFixture::LoadSkin(name);
            ASSERT_TRUE(skin);
        }
        TspSkinSelectDirectoryDialog d(nullptr);
        d.SetSkinData(skin.get());
        d.SetCtrlSkinData(skin.get());
        d.Directory = dir;
        RunDialog(d, [&](TspSelDirDlgForm* w) {
            EXPECT_TRUE(SamePath(w->DirTreeView->GetPath(), dir));
            Shoot(w, name);
        });
    }
}

// ---- the folder button edit

struct EditScene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinDirectoryEdit* Edit;
    EditScene()
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(40, 40, 300, 80);
        Edit = new TspSkinDirectoryEdit(Form.get());
        Edit->SetParent(Form.get());
        Edit->SetBounds(10, 10, 250, 21);
        Form->Show();
        PumpUntilIdle();
    }
    // Clicks the ellipsis button; Steps run while the dialog shows.
    void Click(const std::function<void(TspSelDirDlgForm*)>& Steps, bool ByMouse = false)
    {
        RunModal(*Edit->Dialog(), [&] { Press(ByMouse); return false; }, Steps);
    }
    // Opens the dialog from the ellipsis button: a mouse press there, or the click handler.
    void Press(bool ByMouse)
    {
        if (ByMouse) {
            // A press and release on the ellipsis button, as the window reports them.
            Edit->CalcRects();
            const TRect b = Edit->GetButtonRect();
            POINT p = {(b.left + b.right) / 2, (b.top + b.bottom) / 2};
            ClientToScreen(Edit->GetHandle(), &p);
            const LPARAM at = MAKELPARAM(p.x, p.y);
            const LRESULT hit = SendMessageA(Edit->GetHandle(), WM_NCHITTEST, 0, at);
            EXPECT_EQ(hit, HTHSCROLL);
            SendMessageA(Edit->GetHandle(), WM_NCLBUTTONDOWN, hit, at);
            SendMessageA(Edit->GetHandle(), WM_NCLBUTTONUP, hit, at);
        } else {
            Edit->ButtonClick(Edit);
        }
    }
};

TEST(SkinDirectoryEdit, ConstructedWithItsButtonAndDialog)
{
    EditScene s;
    EXPECT_TRUE(s.Edit->GetButtonMode());
    EXPECT_EQ(s.Edit->GetSkinDataName(), "buttonedit");
    EXPECT_EQ(s.Edit->GetText(), "");
    ASSERT_TRUE(s.Edit->Dialog());
    EXPECT_EQ(s.Edit->Dialog()->GetOwner(), s.Edit);
    EXPECT_TRUE(static_cast<bool>(s.Edit->OnButtonClick));
}

TEST(SkinDirectoryEdit, CancelKeepsTheTextOkPutsThePathIn)
{
    TScratch t("seldir_edit");
    const std::string a = t.Folder("one"), b = t.Folder("two");
    EditScene s;
    s.Edit->SetText(a);
    std::string shown;
    s.Click([&](TspSelDirDlgForm* w) {
        shown = w->DirTreeView->GetPath();
        w->DirTreeView->SetPath(b);
        w->CancelButton->ButtonClick();
    });
    EXPECT_TRUE(SamePath(shown, a)) << shown;
    EXPECT_EQ(s.Edit->GetText(), a);
    s.Click(
        [&](TspSelDirDlgForm* w) {
            w->DirTreeView->SetPath(b);
            w->OKButton->ButtonClick();
        },
        true);
    EXPECT_TRUE(SamePath(s.Edit->GetText(), b)) << s.Edit->GetText();
    // Text that names no folder opens at My Computer and stays when cancelled.
    s.Edit->SetText("not a folder");
    bool atComputer = false;
    s.Click([&](TspSelDirDlgForm* w) { atComputer = IsMyComputer(w->DirTreeView->SelectedFolder()); });
    EXPECT_TRUE(atComputer);
    EXPECT_EQ(s.Edit->GetText(), "not a folder");
}

TEST(SkinDirectoryEdit, HandsItsSkinsToTheDialogAndForgetsFreedOnes)
{
    EditScene s;
    auto frame = CtlFixture::LoadSkin("Sarnic");
    auto ctrl = CtlFixture::LoadSkin("Sarnic");
    ASSERT_TRUE(frame && ctrl);
    s.Edit->SetDlgSkinData(frame.get());
    s.Edit->SetDlgCtrlSkinData(ctrl.get());
    bool skinned = false;
    s.Click([&](TspSelDirDlgForm* w) {
        skinned = w->Frame->GetSkinData() == frame.get() && w->OKButton->GetSkinDataComponent() == ctrl.get();
    });
    EXPECT_TRUE(skinned);
    frame.reset();
    ctrl.reset();
    EXPECT_EQ(s.Edit->GetDlgSkinData(), nullptr);
    EXPECT_EQ(s.Edit->GetDlgCtrlSkinData(), nullptr);
    bool plain = false;
    s.Click([&](TspSelDirDlgForm* w) { plain = !w->Frame->GetSkinData() && !w->OKButton->Skinned(); });
    EXPECT_TRUE(plain);
}

}  // namespace

namespace {

TEST(SkinDirectoryEdit, GalleryBothSkinsAndWithout)
{
    EditScene s;
    s.Form->SetColor(0xE0E0E0);
    s.Edit->SetText("C:\\windows");
    for (const char* name : {"unskinned", "Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        std::unique_ptr<TspSkinData> skin;
        if (std::string(name) != "unskinned") {
            skin = CtlFixture::LoadSkin(name);
            ASSERT_TRUE(skin);
        }
        s.Edit->SetSkinData(skin.get());
        EXPECT_EQ(s.Edit->Skinned(), skin != nullptr);
        auto shot = CtlFixture::RepaintedShot(s.Form.get(), std::string("diredit-") + name);
        // The button stands apart from the text area: the row through the
        // middle of the edit is never one flat colour.
        std::vector<TColor> seen;
        const int y = s.Edit->GetTop() + s.Edit->GetHeight() / 2;
        for (int x = s.Edit->GetLeft(); x < s.Edit->GetLeft() + s.Edit->GetWidth(); ++x) {
            const TColor c = CtlFixture::Probe(shot.get(), x, y);
            if (std::find(seen.begin(), seen.end(), c) == seen.end()) seen.push_back(c);
        }
        EXPECT_GE(seen.size(), 3u);
        s.Edit->SetSkinData(nullptr);
    }
}

}  // namespace
