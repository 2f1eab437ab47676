// The skinned open and save dialogs run modally on a scratch tree: what typed
// names choose, masks from the file type and from the edit, several files at
// once, asking before a file is replaced, folders that are gone, the history
// and view menu, and each window shot with both skins and unskinned.
#include "DialogRun.h"
#include "../skin_controls/ControlFixture.h"
#include "Application.h"
#include "FileDlgGlyphs.h"
#include "FormFrame.h"
#include "Menus.h"
#include "SkinButton.h"
#include "SkinData.h"
#include "SkinFilterComboBox.h"
#include "SkinOpenDialog.h"
#include "SkinSpeedButton.h"
#include "WaitUntil.h"
#include <memory>

using namespace FileDlgTest;
typedef std::vector<std::string> Strings;

namespace {

enum TAction { acOpenButton, acEnter, acDoubleClick };

TEST(SkinFileDialogs, TypedNamesTable)
{
    TTree t("typed");
    struct Case {
        bool Save;
        std::string Select, Typed;
        TAction Action;
        std::string Expected;   // empty: the window stays open
    } cases[] = {
        {false, "a.txt", "", acOpenButton, t.Path("a.txt")},
        {false, "", "b.txt", acOpenButton, t.Path("b.txt")},          // a typed name that is there
        {false, "a.txt", "B.TXT", acEnter, t.Path("B.TXT")},           // wins over the selected row
        {false, "", t.Path("sub\\c.txt"), acEnter, t.Path("sub\\c.txt")},   // absolute, as typed
        {false, "", "sub\\c.txt", acOpenButton, t.Path("sub\\c.txt")},
        {false, "", "nosuch.txt", acOpenButton, ""},
        {false, "", "", acOpenButton, ""},                            // nothing selected: nothing
        {false, "b.txt", " ", acOpenButton, t.Path("b.txt")},        // name emptied: the selected row
        {false, "b.txt", " ", acEnter, t.Path("b.txt")},
        {true, "", "new.txt", acOpenButton, t.Path("new.txt")},
        {true, "", "new.txt", acEnter, t.Path("new.txt")},
        {true, "", t.Path("other\\n.txt"), acEnter, t.Path("other\\n.txt")},
        {true, "", t.Path("gone\\n.txt"), acOpenButton, ""},          // no such folder
        {true, "", "*.txt", acOpenButton, ""},
        {false, "b.txt", "", acDoubleClick, t.Path("b.txt")},
        {true, "a.txt", "", acDoubleClick, t.Path("a.txt")},       // replaced, once agreed
        {false, "sub", "", acDoubleClick, ""},                      // a folder row opens no file
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed + " / " + c.Select);
        std::unique_ptr<TspSkinOpenDialog> d(c.Save ? new TspSkinSaveDialog(nullptr) : new TspSkinOpenDialog(nullptr));
        d->InitialDir = t.Root();
        int changes = 0;
        d->OnChange = [&](TObject*) { ++changes; };
        TModalResult left = mrNone;
        const bool ok = RunDialog(*d, [&](TspCustomFileDlgForm* w) {
            EXPECT_EQ(w->GetPath(), t.Root());
            EXPECT_EQ(w->GetCaption(), c.Save ? "Save file" : "Open file");
            if (!c.Select.empty()) {
                EXPECT_TRUE(w->SelectFile(c.Select));
                // A file row names itself in the edit; a folder row leaves it empty.
                EXPECT_EQ(w->FileNameEdit->GetText(), c.Select == "sub" ? "" : c.Select);
            }
            w->OnConfirmReplace = [](const std::string&) { return true; };
            if (!c.Typed.empty() || c.Select.empty()) w->FileNameEdit->SetText(c.Typed);
            if (c.Action == acEnter) Type(w, w->FileNameEdit->GetText());
            else if (c.Action == acDoubleClick) w->FLVDblClick(w->FileList);
            else w->OpenButton->ButtonClick();
            left = w->GetModalResult();
        });
        EXPECT_EQ(ok, !c.Expected.empty());
        EXPECT_EQ(left, c.Expected.empty() ? mrNone : mrOk);
        EXPECT_EQ(d->FileName, c.Expected);
        EXPECT_EQ(changes, c.Expected.empty() ? 0 : 1);
        if (ok) {
            EXPECT_EQ(d->Files->GetText(), c.Expected + "\r\n");
        }
    }
}

TEST(SkinFileDialogs, SaveAsksBeforeReplacingAFile)
{
    TTree t("replace");
    TspSkinSaveDialog d(nullptr);
    d.InitialDir = t.Root();
    Strings asked;
    const bool ok = RunDialog(d, [&](TspCustomFileDlgForm* w) {
        bool answer = false;
        w->OnConfirmReplace = [&](const std::string& Name) {
            asked.push_back(Name);
            return answer;
        };
        EXPECT_EQ(w->OpenButton->GetCaption(), "&Save");
        Type(w, "a.txt");
        EXPECT_EQ(w->GetModalResult(), mrNone);
        answer = true;
        w->OpenButton->ButtonClick();
        EXPECT_EQ(w->GetModalResult(), mrOk);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(asked, (Strings{t.Path("a.txt"), t.Path("a.txt")}));
    EXPECT_EQ(d.FileName, t.Path("a.txt"));

    // Without a handler of its own the window asks with a message box: answered
    // "No" it stays open, "Yes" it takes the file.
    for (int answer : {IDNO, IDYES}) {
        bool sawBox = false;
        TModalResult left = mrNone;
        const bool again = RunDialog(d, [&](TspCustomFileDlgForm* w) {
            TModalStep box([&] {
                HWND h = FindWindowA("#32770", "Confirm");
                if (!h) return false;
                sawBox = true;
                PostMessageA(h, WM_COMMAND, answer, 0);
                return true;
            });
            Type(w, "b.txt");
            left = w->GetModalResult();
        });
        EXPECT_TRUE(sawBox);
        EXPECT_EQ(again, answer == IDYES);
        EXPECT_EQ(left, answer == IDYES ? mrOk : mrNone);
    }
    EXPECT_EQ(d.FileName, t.Path("b.txt"));
}

TEST(SkinFileDialogs, MasksComeFromTheFilterAndTheEdit)
{
    TTree t("masks");
    TspSkinOpenDialog d(nullptr);
    d.InitialDir = t.Root();
    // A description that names another pattern than its mask: the mask counts.
    d.Filter = "Pictures (*.bmp)|*.txt|Bitmaps|*.bmp|Everything|*";
    EXPECT_FALSE(RunDialog(d, [&](TspCustomFileDlgForm* w) {
        EXPECT_EQ(w->FileTypeCombo->GetItems()->GetCount(), 3);
        EXPECT_EQ(w->FileList->GetMask(), "*.txt");
        EXPECT_EQ(Names(w->FileList), (Strings{"other", "sub", "a.txt", "b.txt"}));
        w->FileTypeCombo->SetItemIndex(1);
        EXPECT_EQ(Names(w->FileList), (Strings{"other", "sub", "pic.bmp"}));
        w->FileTypeCombo->SetItemIndex(2);
        EXPECT_EQ(Names(w->FileList), (Strings{"other", "sub", "a.txt", "b.txt", "pic.bmp"}));
        Type(w, "a*");
        EXPECT_EQ(Names(w->FileList), (Strings{"other", "sub", "a.txt"}));
        Type(w, "*.BMP");
        EXPECT_EQ(Names(w->FileList), (Strings{"other", "sub", "pic.bmp"}));
        EXPECT_EQ(w->GetModalResult(), mrNone);
        w->FileTypeCombo->SetItemIndex(2);
    }));
    EXPECT_EQ(d.FilterIndex, 3);
    EXPECT_EQ(d.FileName, "");
    EXPECT_FALSE(RunDialog(d, [&](TspCustomFileDlgForm* w) {
        EXPECT_EQ(w->FileTypeCombo->GetItemIndex(), 2);
        EXPECT_EQ(w->FileList->GetMask(), "*");
    }));
}

void SelectRows(TspCustomFileDlgForm* W, const Strings& Rows)
{
    W->FileList->SetItemIndex(-1);
    for (int i = 0; i < W->FileList->FolderCount(); ++i)
        for (const std::string& r : Rows)
            if (W->FileList->GetFolder(i)->DisplayName() == r) {
                LVITEMA lv = {};
                lv.stateMask = LVIS_SELECTED;
                lv.state = LVIS_SELECTED;
                SendMessageA(W->FileList->GetHandle(), LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&lv));
            }
}

TEST(SkinFileDialogs, MultiSelectionReturnsEverySelectedFile)
{
    TTree t("multi");
    TspSkinOpenDialog d(nullptr);
    d.InitialDir = t.Root();
    d.MultiSelection = true;
    const bool ok = RunDialog(d, [&](TspCustomFileDlgForm* w) {
        EXPECT_TRUE(w->FileList->GetMultiSelect());
        // The first selected row a folder: Open takes nothing.
        SelectRows(w, {"sub", "a.txt"});
        EXPECT_EQ(w->FileNameEdit->GetText(), "");
        w->OpenButton->ButtonClick();
        EXPECT_EQ(w->GetModalResult(), mrNone);
        SelectRows(w, {"a.txt", "pic.bmp", "b.txt"});
        EXPECT_EQ(w->FileNameEdit->GetText(), "a.txt");
        w->OpenButton->ButtonClick();
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(d.FileName, t.Path("a.txt"));
    ASSERT_EQ(d.Files->GetCount(), 3);
    EXPECT_EQ(d.Files->Get(0), t.Path("a.txt"));
    EXPECT_EQ(d.Files->Get(1), t.Path("b.txt"));
    EXPECT_EQ(d.Files->Get(2), t.Path("pic.bmp"));
}

TEST(SkinFileDialogs, StartFolderFallsBackWithoutRaising)
{
    TTree t("start");
    const std::string program = Spfiledlg::ProgramFolder();
    struct Case {
        std::string FileName, InitialDir, Expected;
    } cases[] = {
        {t.Path("sub\\c.txt"), t.Path("other"), t.Path("sub")},
        {"", t.Path("other"), t.Path("other")},
        {"c.txt", t.Path("other\\"), t.Path("other")},
        {t.Path("gone\\x.txt"), "", t.Root()},            // the nearest folder that is there
        {"", t.Path("gone\\deeper"), t.Root()},
        {"", "", program},
        {"", "relative\\folder", program},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Spfiledlg::StartFolder(c.FileName, c.InitialDir, program), c.Expected) << c.FileName << "|"
                                                                                          << c.InitialDir;
        TspSkinOpenDialog d(nullptr);
        d.FileName = c.FileName;
        d.InitialDir = c.InitialDir;
        std::string shown, typed;
        EXPECT_FALSE(RunDialog(d, [&](TspCustomFileDlgForm* w) {
            shown = w->GetPath();
            typed = w->FileNameEdit->GetText();
        }));
        EXPECT_EQ(shown, c.Expected);
        EXPECT_EQ(typed, ExtractFileName(c.FileName));
    }
}

TEST(SkinFileDialogs, HistoryToolButtonsAndViewMenu)
{
    TTree t("history");
    TspSkinOpenDialog d(nullptr);
    d.InitialDir = t.Root();
    EXPECT_FALSE(RunDialog(d, [&](TspCustomFileDlgForm* w) {
        EXPECT_TRUE(w->ListItem->GetChecked());
        EXPECT_EQ(w->FileList->GetViewStyle(), vsList);
        EXPECT_EQ(w->PathCombo->GetPath(), t.Root());
        // Double click on a folder row opens it, and the history follows.
        EXPECT_TRUE(w->SelectFile("sub"));
        SendMessageA(w->FileList->GetHandle(), WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_EQ(w->GetPath(), t.Path("sub"));
        EXPECT_EQ(w->PathCombo->GetPath(), t.Path("sub"));
        w->UpButton->ButtonClick();
        EXPECT_EQ(w->GetPath(), t.Root());
        EXPECT_TRUE(w->SetPath(t.Path("other")));
        for (const std::string& expected : {t.Root(), t.Path("sub"), t.Root(), t.Root()}) {
            w->BackButton->ButtonClick();
            EXPECT_EQ(w->GetPath(), expected);
        }
        // No new folder outside the file system: above a drive root lie the drives.
        EXPECT_TRUE(w->SetPath("C:\\"));
        EXPECT_TRUE(w->NewFolderButton->GetEnabled());
        w->UpButton->ButtonClick();
        EXPECT_NE(w->GetPath(), "C:\\");
        EXPECT_FALSE(w->NewFolderButton->GetEnabled());
        w->NewFolderToolButtonClick(w->NewFolderButton);   // even asked directly: nothing, no error box
        EXPECT_TRUE(w->SetPath(t.Root()));
        EXPECT_TRUE(w->NewFolderButton->GetEnabled());
        // A new folder, once.
        w->NewFolderButton->ButtonClick();
        w->NewFolderButton->ButtonClick();
        EXPECT_TRUE(w->SelectFile("New Folder"));
        w->ReportItem->Click();
        EXPECT_EQ(w->FileList->GetViewStyle(), vsReport);
        EXPECT_TRUE(w->ReportItem->GetChecked());
        EXPECT_FALSE(w->ListItem->GetChecked());
        w->SetClientSize(500, 320);
    }));
    EXPECT_FALSE(RunDialog(d, [&](TspCustomFileDlgForm* w) {
        EXPECT_EQ(w->FileList->GetViewStyle(), vsReport);
        EXPECT_TRUE(w->ReportItem->GetChecked());
        EXPECT_EQ(w->GetClientWidth(), 500);
        EXPECT_EQ(w->GetClientHeight(), 320);
    }));
}

// Pixels of the arrow colour inside a tool button: its glyph is drawn.
// Counts the back arrow's colour on the screen under a tool button. Under load the
// repaint reaches the screen late, so it looks again for up to two seconds.
int GlyphPixels(TspCustomFileDlgForm* W, TControl* Button)
{
    RedrawWindow(W->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    const TColor arrow = CtlFixture::Probe(Spfiledlg::ToolGlyph("SP_BACK").get(), 8, 8);
    auto count = [&] {
        const TPoint p = Button->ClientToScreen(TPoint(0, 0));
        auto shot = SkinKit::ScreenShot(TRect(p.x, p.y, p.x + Button->GetWidth(), p.y + Button->GetHeight()));
        int n = 0;
        for (int y = 0; y < Button->GetHeight(); ++y)
            for (int x = 0; x < Button->GetWidth(); ++x)
                if (CtlFixture::Probe(shot.get(), x, y) == arrow) ++n;
        return n;
    };
    int n = 0;
    PumpUntil([&] { return (n = count()) > 10; }, 2000);
    return n;
}

void ShootWindow(TspCustomFileDlgForm* W, const std::string& Name)
{
    SkinKit::RepaintAll(W->GetHandle());
    auto shot = SkinKit::ScreenShot(W->GetHandle());
    CtlFixture::SaveArtefact(shot.get(), "filedialogs-" + Name);
}

TEST(SkinFileDialogs, GalleryBothSkinsAndUnskinned)
{
    TTree t("gallery");
    SetCursorPos(2, 2);
    for (const char* skin : {"Korvel2", "Sarnic", ""}) {
        std::unique_ptr<TspSkinData> data;
        if (*skin) {
            data = CtlFixture::LoadSkin(skin);
            ASSERT_TRUE(data) << skin;
        }
        for (bool save : {false, true}) {
            std::unique_ptr<TspSkinOpenDialog> d(save ? new TspSkinSaveDialog(nullptr) : new TspSkinOpenDialog(nullptr));
            d->InitialDir = t.Root();
            d->SetSkinData(data.get());
            d->SetCtrlSkinData(data.get());
            d->Filter = "Text files (*.txt)|*.txt|All files|*.*";
            EXPECT_FALSE(RunDialog(*d, [&](TspCustomFileDlgForm* w) {
                EXPECT_EQ(w->Frame->GetSkinData(), data.get());
                EXPECT_GE(w->GetClientWidth(), 450);
                w->SelectFile("a.txt");
                EXPECT_GT(GlyphPixels(w, w->BackButton), 10) << skin;
                EXPECT_GT(GlyphPixels(w, w->UpButton), 10) << skin;
                ShootWindow(w, std::string(save ? "save-" : "open-") + (*skin ? skin : "unskinned"));
            }));
        }
    }
}

} // namespace
