// Frame buttons and caption buttons: their looks under the mouse, pressing and
// releasing inside and outside, groups, the window commands of the caption
// buttons, and the default look of caption buttons without a skin record.
#include "test_gtest.h"
#include "ObjectsFixture.h"
#include "SkinMenuMode.h"
#include "SkinPopupMenu.h"
#include "WaitUntil.h"

using namespace ObjFixture;

namespace {

TEST(ButtonObject, PressAndReleaseInsideAndOutside)
{
    struct Case {
        const char* Name;
        bool LeaveBeforeRelease;
        TColor AfterRelease;
        bool UpEvent;
    } cases[] = {
        {"release inside", false, cActive, true},
        {"release outside", true, cNormal, false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Name);
        Scene s;
        auto r = NewButtonRecord("btn");
        TspSkinButtonObject b(s.Frame, r.get());
        EXPECT_EQ(Look(&b), cNormal);
        b.MouseEnter();
        EXPECT_EQ(Look(&b), cActive);
        b.MouseDown(15, 15, mbLeft);
        EXPECT_TRUE(b.Down);
        EXPECT_EQ(Look(&b), cDown);
        if (k.LeaveBeforeRelease) {
            b.MouseLeave();
            EXPECT_EQ(Look(&b), cNormal);   // dragged off while pressed: looks released
        }
        b.MouseUp(15, 15, mbLeft);
        EXPECT_FALSE(b.Down);
        EXPECT_EQ(Look(&b), k.AfterRelease);
        const bool up = std::find(s.Events.begin(), s.Events.end(), "up:btn") != s.Events.end();
        EXPECT_EQ(up, k.UpEvent);
    }
}

TEST(ButtonObject, DisabledButtonIgnoresTheMouseAndShowsItsDisabledImage)
{
    Scene s;
    auto r = NewButtonRecord("btn");
    TspSkinButtonObject b(s.Frame, r.get());
    b.Enabled = false;
    b.MouseDown(15, 15, mbLeft);
    b.MouseUp(15, 15, mbLeft);
    EXPECT_FALSE(b.Down);
    EXPECT_TRUE(s.Events.empty());
    EXPECT_EQ(Look(&b), cDisabled);
}

TEST(ButtonObject, GroupMemberStaysDownAndIsNotRedrawnOnEnter)
{
    Scene s;
    auto r = NewButtonRecord("btn", 1);
    TspSkinButtonObject b(s.Frame, r.get());
    b.MouseEnter();
    b.MouseDown(15, 15, mbLeft);
    b.MouseUp(15, 15, mbLeft);
    EXPECT_TRUE(b.Down);
    b.MouseLeave();
    EXPECT_TRUE(b.Active);   // keeps its pressed look
    EXPECT_EQ(Look(&b), cDown);
    b.MouseEnter();
    b.MouseDown(15, 15, mbLeft);   // pressing a pressed member does nothing
    b.MouseUp(15, 15, mbLeft);
    EXPECT_TRUE(b.Down);
    b.SetDown(false);               // the frame's ButtonSetDown releases it
    EXPECT_FALSE(b.Down);
    EXPECT_FALSE(b.Active);
}

TEST(ButtonObject, ButtonWithAMenuStaysDownUntilReleasedByTheFrame)
{
    Scene s;
    auto r = NewButtonRecord("btn");
    TspSkinButtonObject b(s.Frame, r.get());
    TMenuItem empty(nullptr);   // a menu with no items opens nothing
    b.LinkedMenuItem = &empty;
    b.MouseEnter();
    b.MouseDown(15, 15, mbLeft);
    b.MouseUp(15, 15, mbLeft);
    EXPECT_TRUE(b.Down);
    b.MouseLeave();
    EXPECT_TRUE(b.Active);
    b.SetDown(false);
    EXPECT_FALSE(b.Down);
    EXPECT_FALSE(b.Active);
}

TEST(ButtonObject, WithoutActivePictureThereAreNoPressedOrDisabledImages)
{
    Scene s;
    auto r = NewButtonRecord("btn");
    r->ActivePictureIndex = 7;
    TspSkinButtonObject b(s.Frame, r.get());
    EXPECT_TRUE(b.downrect.IsEmpty());
    EXPECT_TRUE(b.disableskinrsect.IsEmpty());
    b.MouseEnter();
    b.MouseDown(15, 15, mbLeft);
    EXPECT_EQ(Look(&b), cNormal);
    b.Enabled = false;
    EXPECT_EQ(Look(&b), cNormal);
    EXPECT_TRUE(Sputils::EqRects(r->DownRect, Cell(kDown)));
}

void FramePump(DWORD Ms)
{
    const DWORD start = GetTickCount();
    PumpUntil([&] { return GetTickCount() - start >= Ms; }, Ms + 100);
}

// Buttons made by the frame from the skin's records, as a real frame holds them.
template <class T> T* LoadedObject(Scene& S, const std::string& IDName)
{
    return dynamic_cast<T*>(S.Frame->GetObject(S.Frame->GetIndex(IDName)));
}

TEST(ButtonObject, PressingAGroupMemberReleasesTheOther)
{
    Scene s;
    s.Skin->ObjectList.push_back(NewButtonRecord("one", 1));
    s.Skin->ObjectList.push_back(NewButtonRecord("two", 1));
    s.Skin->ObjectList.push_back(NewButtonRecord("other", 2));
    s.Frame->LoadObjects();
    auto* one = LoadedObject<TspSkinButtonObject>(s, "one");
    auto* two = LoadedObject<TspSkinButtonObject>(s, "two");
    auto* other = LoadedObject<TspSkinButtonObject>(s, "other");
    ASSERT_TRUE(one && two && other);
    auto click = [](TspSkinButtonObject* B) {
        B->MouseEnter();
        B->MouseDown(15, 15, mbLeft);
        B->MouseUp(15, 15, mbLeft);
        B->MouseLeave();
    };
    click(other);
    click(one);
    EXPECT_TRUE(one->Down);
    click(two);
    EXPECT_TRUE(two->Down);
    EXPECT_FALSE(one->Down);
    EXPECT_TRUE(other->Down);   // another group
    click(two);
    EXPECT_TRUE(two->Down);     // pressing the pressed one leaves it pressed
    s.Frame->ClearObjects();
}

TEST(ButtonObject, LinkedSkinPopupMenuDropsDownAndTheButtonGoesUpWhenItCloses)
{
    Scene s;
    s.Skin->ObjectList.push_back(NewButtonRecord("menubtn"));
    s.Frame->LoadObjects();
    auto* b = LoadedObject<TspSkinButtonObject>(s, "menubtn");
    ASSERT_TRUE(b);
    auto* menu = new TspSkinPopupMenu(s.Form.get());
    auto* item = new TMenuItem(menu);
    item->SetCaption("Item");
    menu->GetItems()->Add(item);
    b->LinkedMenuItem = menu->GetItems();
    b->MouseEnter();
    b->MouseDown(15, 15, mbLeft);
    b->MouseUp(15, 15, mbLeft);
    TspSkinMenu* engine = TspSkinMenuMode::ForFrame(s.Frame)->GetSkinMenu();
    EXPECT_TRUE(engine->GetOpen());
    EXPECT_TRUE(b->Down);
    FramePump(200);
    EXPECT_TRUE(b->Down);   // still open: still pressed
    engine->Hide();
    EXPECT_TRUE(PumpUntil([&] { return !b->Down; }, 2000));
    s.Frame->ClearObjects();
}

TEST(CaptionButton, SystemMenuButtonDropsTheSystemMenuOnThePress)
{
    Scene s;
    // The application's own system menu (a plain menu: shown by the frame's engine).
    auto* sys = new TPopupMenu(s.Form.get());
    auto* item = new TMenuItem(sys);
    item->SetCaption("Item");
    sys->GetItems()->Add(item);
    s.Frame->SetSystemMenu(sys);
    auto r = NewStdButtonRecord("sys", cmSysMenu);
    TspSkinStdButtonObject b(s.Frame, r.get());
    b.MouseEnter();
    b.MouseDown(15, 15, mbLeft);
    EXPECT_EQ(b.LinkedMenuItem, sys->GetItems());
    TspSkinMenu* engine = TspSkinMenuMode::ForFrame(s.Frame)->GetSkinMenu();
    EXPECT_TRUE(engine->GetOpen());
    b.MouseUp(15, 15, mbLeft);
    EXPECT_TRUE(b.Down);   // down while its menu is open
    engine->Hide();
    EXPECT_TRUE(PumpUntil([&] { return !b.Down; }, 2000));
    s.Frame->SetSystemMenu(nullptr);
}

TEST(CaptionButton, MaximizeRunsOnReleaseInsideOnly)
{
    Scene s;
    auto r = NewStdButtonRecord("max", cmMaximize);
    TspSkinStdButtonObject b(s.Frame, r.get());
    EXPECT_TRUE(b.HasSkin);
    b.MouseEnter();
    b.MouseDown(15, 15, mbLeft);
    b.MouseUp(15, 15, mbLeft);
    EXPECT_EQ(s.Frame->GetWindowState(), fwsMaximized);
    EXPECT_FALSE(b.Down);
    // Maximized: the restore images, active under the pointer.
    EXPECT_EQ(Look(&b), cRestoreActive);
    b.MouseDown(15, 15, mbLeft);
    EXPECT_EQ(Look(&b), cRestoreDown);
    b.MouseLeave();
    b.MouseUp(15, 15, mbLeft);   // released outside: nothing
    EXPECT_EQ(s.Frame->GetWindowState(), fwsMaximized);
    EXPECT_EQ(Look(&b), cRestore);
    b.MouseEnter();
    b.MouseDown(15, 15, mbLeft);
    b.MouseUp(15, 15, mbLeft);
    EXPECT_EQ(s.Frame->GetWindowState(), fwsNormal);
    // Caption buttons report no presses to the application.
    EXPECT_EQ(std::count(s.Events.begin(), s.Events.end(), "down:max"), 0);
}

TEST(CaptionButton, CommandsReachTheFrame)
{
    struct Case {
        TStdCommand Command;
        bool AlwaysToTray;
        int WindowState;
        bool RolledUp;
    } cases[] = {
        {cmMinimize, false, fwsMinimized, false},
        {cmRollUp, false, fwsNormal, true},
        {cmDefault, false, fwsNormal, false},
        {cmSysMenu, false, fwsNormal, false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(static_cast<int>(k.Command));
        Scene s;
        s.Frame->AlwaysMinimizeToTray = k.AlwaysToTray;
        auto r = NewStdButtonRecord("btn", k.Command);
        TspSkinStdButtonObject b(s.Frame, r.get());
        b.MouseEnter();
        b.MouseDown(15, 15, mbLeft);
        b.MouseUp(15, 15, mbLeft);
        EXPECT_EQ(s.Frame->GetWindowState(), k.WindowState);
        EXPECT_EQ(s.Frame->GetRolledUp(), k.RolledUp);
        // A button with a menu (the system menu) stays down until the menu closes.
        EXPECT_EQ(b.Down, b.LinkedMenuItem != nullptr);
    }
}

// Counts the form's close requests and refuses them, so the form stays.
struct CloseCounter {
    int Count = 0;
    bool ButtonWasDown = false;
    void Attach(TForm* F, TspSkinButtonObject* B)
    {
        F->OnCloseQuery = [this, B](TObject*, bool& CanClose) {
            ++Count;
            ButtonWasDown = B->Down;
            CanClose = false;
        };
    }
};

TEST(CaptionButton, CloseIsReleasedBeforeTheFormIsAskedToClose)
{
    Scene s;
    auto r = NewStdButtonRecord("close", cmClose);
    TspSkinStdButtonObject b(s.Frame, r.get());
    CloseCounter cc;
    cc.Attach(s.Form.get(), &b);
    b.MouseEnter();
    b.MouseDown(15, 15, mbLeft);
    b.MouseUp(15, 15, mbLeft);
    EXPECT_EQ(cc.Count, 1);
    EXPECT_FALSE(cc.ButtonWasDown);
    b.MouseDown(15, 15, mbLeft);
    b.MouseLeave();
    b.MouseUp(15, 15, mbLeft);
    EXPECT_EQ(cc.Count, 1);
}

TEST(CaptionButton, DoubleClickOnTheSystemMenuButtonCloses)
{
    Scene s;
    auto r = NewStdButtonRecord("sys", cmSysMenu);
    TspSkinStdButtonObject b(s.Frame, r.get());
    CloseCounter cc;
    cc.Attach(s.Form.get(), &b);
    b.DblClick();
    EXPECT_EQ(cc.Count, 1);
    auto r2 = NewStdButtonRecord("min", cmMinimize);
    TspSkinStdButtonObject m(s.Frame, r2.get());
    m.DblClick();
    EXPECT_EQ(cc.Count, 1);
}

TEST(CaptionButton, DefaultLookWithoutSkinRecord)
{
    Scene s;
    auto* o = Formframe::CreateDefaultCaptionButton(s.Frame, "closebutton", cmClose);
    std::unique_ptr<TspSkinStdButtonObject> b(dynamic_cast<TspSkinStdButtonObject*>(o));
    ASSERT_TRUE(b);
    EXPECT_FALSE(b->HasSkin);
    EXPECT_TRUE(b->skinrectinapicture);
    b->ObjectRect = TRect(40, 20, 57, 37);
    const TColor face = static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
    struct Case {
        const char* Name;
        bool Hovered, Down;
        TColor Fill, Edge;
    } cases[] = {
        {"normal", false, false, face, face},
        {"hover", true, false, static_cast<TColor>(RGB(182, 189, 210)), 0x800000},
        {"pressed in", true, true, static_cast<TColor>(RGB(133, 147, 181)), 0x800000},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Name);
        b->Hovered = b->Active = k.Hovered;
        b->Down = k.Down;
        auto pic = Drawn(b.get());
        EXPECT_EQ(Probe(pic.get(), 41, 21), k.Fill);
        EXPECT_EQ(Probe(pic.get(), 40, 20), k.Edge);
        EXPECT_EQ(Probe(pic.get(), 39, 19), cBack);
        // The close glyph: ink in the middle, in the button-text colour.
        const int ink = CountOther(pic.get(), TRect(43, 23, 54, 34), k.Fill);
        EXPECT_GT(ink, 10);
    }
}

TEST(CaptionButton, DefaultLookGlyphFollowsTheWindowState)
{
    // Maximize shows the restore glyph while maximized: the two glyphs differ.
    Scene s;
    std::unique_ptr<TspActiveSkinObject> b(Formframe::CreateDefaultCaptionButton(s.Frame, "maxbutton", cmMaximize));
    b->ObjectRect = TRect(0, 0, 17, 17);
    auto normal = Drawn(b.get());
    s.Frame->SetWindowState(fwsMaximized);
    auto restored = Drawn(b.get());
    int differ = 0;
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 17; ++x)
            if (Probe(normal.get(), x, y) != Probe(restored.get(), x, y)) ++differ;
    EXPECT_GT(differ, 0);
    s.Frame->SetWindowState(fwsNormal);
}

TEST(CaptionButton, DefaultButtonNothingForDefaultCommand)
{
    Scene s;
    std::unique_ptr<TspActiveSkinObject> b(Formframe::CreateDefaultCaptionButton(s.Frame, "x", cmDefault));
    b->ObjectRect = TRect(0, 0, 17, 17);
    auto pic = Drawn(b.get());
    const TColor face = static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(CountOther(pic.get(), TRect(0, 0, 17, 17), face), 0);
}

TEST(ButtonObject, DamagedRecordsDrawSafely)
{
    struct Case {
        const char* Name;
        TRect Skin, Down, Restore;
        int Picture;
    } cases[] = {
        {"huge object", TRect(0, 0, 1 << 30, 1 << 30), Cell(kDown), Cell(kRestore), 0},
        {"negative place", TRect(-50000, -50000, -49990, -49990), Cell(kDown), Cell(kRestore), 0},
        {"pieces far outside the picture", ObjRect, TRect(1 << 29, 0, (1 << 29) + 20, 20),
         TRect(0, 1 << 29, 20, (1 << 29) + 20), 0},
        {"empty active picture", ObjRect, Cell(kDown), Cell(kRestore), 1},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Name);
        Scene s;
        s.Skin->ActivePictures.push_back(std::make_unique<TBitmap>());
        s.Frame->SetWindowState(fwsMaximized);
        auto r = NewStdButtonRecord("max", cmMaximize);
        r->SkinRect = k.Skin;
        r->DownRect = k.Down;
        r->RestoreRect = k.Restore;
        r->ActivePictureIndex = k.Picture;
        TspSkinStdButtonObject b(s.Frame, r.get());
        b.MouseEnter();
        b.MouseDown(1, 1, mbLeft);
        Drawn(&b);
        b.Enabled = false;
        Drawn(&b);
        std::unique_ptr<TspActiveSkinObject> d(Formframe::CreateDefaultCaptionButton(s.Frame, "d", cmClose));
        d->ObjectRect = k.Skin;
        Drawn(d.get());
        s.Frame->SetWindowState(fwsNormal);
    }
    EXPECT_FALSE(Frameobjects::NewImage(Frameobjects::MaxImageSide + 1, 10));
    EXPECT_FALSE(Frameobjects::NewImage(8000, 8000));   // beyond the area bound
    EXPECT_FALSE(Frameobjects::NewImage(0, 10));
    EXPECT_TRUE(Frameobjects::NewImage(300, 20));
}

}  // namespace
