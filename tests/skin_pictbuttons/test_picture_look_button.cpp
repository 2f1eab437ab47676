// The picture-look button: unskinned with a DefImage it has the picture's size,
// shows the picture of its state with the state's text colour and takes the
// shape of DefMask; a skin with a button element takes over; keys click it once
// it may take the focus; bad pictures keep it usable.
#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "GdiHandles.h"
#include "SkinXFormButton.h"
#include "WaitUntil.h"

using namespace CtlFixture;

namespace {

const TColor cPicNormal = 0x3060A0, cPicActive = 0x30A060, cPicDown = 0xA03060;
const TColor cTextNormal = 0x101010, cTextActive = 0xF0F000, cTextDown = 0x00F0F0;

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    std::unique_ptr<TspSkinData> Skin = NewSkin();
    TspSkinXFormButton* Button;
    int Clicks = 0;
    explicit Scene(bool Show = false)
    {
        SetCursorPos(5, 5);
        AddButton(Skin.get());
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(60, 60, 300, 120);
        Button = new TspSkinXFormButton(Form.get());
        Button->SetParent(Form.get());
        Button->SetBounds(10, 10, 100, 25);
        Button->OnClick = [this](TObject*) { ++Clicks; };
        Button->GetHandle();
        if (Show) {
            Form->Show();
            PumpUntilIdle();
        }
    }
    void Pictures(bool Active, bool Down)
    {
        Button->SetDefImage(NewPicture(60, 30, cPicNormal).get());
        if (Active) Button->SetDefActiveImage(NewPicture(60, 30, cPicActive).get());
        if (Down) Button->SetDefDownImage(NewPicture(60, 30, cPicDown).get());
        Button->GetDefaultFont()->SetColor(cTextNormal);
        Button->SetDefActiveFontColor(cTextActive);
        Button->SetDefDownFontColor(cTextDown);
    }
};

void Enter(TControl* C) { C->Perform(CM_MOUSEENTER, 0, 0); }
void Leave(TControl* C) { C->Perform(CM_MOUSELEAVE, 0, 0); }
void Press(TControl* C) { C->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 5)); }
void Release(TControl* C) { C->Perform(WM_LBUTTONUP, 0, PointToLParam(5, 5)); }

int Count(TBitmap* B, TColor C)
{
    int n = 0;
    for (int y = 0; y < B->GetHeight(); ++y)
        for (int x = 0; x < B->GetWidth(); ++x)
            if (Probe(B, x, y) == C) ++n;
    return n;
}

// The look: the picture's colour at a corner away from the caption, and the text colour seen.
struct Look {
    TColor Face, Text;
};
Look LookOf(TspSkinXFormButton* B)
{
    auto shot = Snapshot(B);
    Look l{Probe(shot.get(), 3, 3), clNone};
    for (TColor t : {cTextNormal, cTextActive, cTextDown})
        if (Count(shot.get(), t) > 3) l.Text = t;
    return l;
}

bool HasRegion(TWinControl* C)
{
    TRegionHandle r(CreateRectRgn(0, 0, 0, 0));
    return GetWindowRgn(C->GetHandle(), r.Get()) != ERROR;
}

bool Shows(TWinControl* C, int X, int Y)
{
    TRegionHandle r(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(C->GetHandle(), r.Get()) == ERROR) return X < C->GetWidth() && Y < C->GetHeight();
    return PtInRegion(r.Get(), X, Y) != 0;
}

TEST(PictureLookButton, StatesShowTheirPicturesAndTextColours)
{
    struct Case {
        const char* Name;
        bool Active, Down;
        TColor Hot, Pressed;
    } cases[] = {
        {"three pictures", true, true, cPicActive, cPicDown},
        {"no down picture", true, false, cPicActive, cPicActive},
        {"normal picture only", false, false, cPicNormal, cPicNormal},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Name);
        Scene s;
        auto* b = s.Button;
        b->SetCaption("WWWW");
        b->GetDefaultFont()->SetHeight(20);
        s.Pictures(k.Active, k.Down);
        EXPECT_TRUE(b->PictureLook());
        EXPECT_FALSE(b->GetCanFocused());
        Look l = LookOf(b);
        EXPECT_EQ(l.Face, cPicNormal);
        EXPECT_EQ(l.Text, cTextNormal);
        Enter(b);
        l = LookOf(b);
        EXPECT_EQ(l.Face, k.Hot);
        EXPECT_EQ(l.Text, cTextActive);
        Press(b);
        l = LookOf(b);
        EXPECT_EQ(l.Face, k.Pressed);
        EXPECT_EQ(l.Text, cTextDown);   // pressed text even on a borrowed picture
        Release(b);
        EXPECT_EQ(s.Clicks, 1);
        EXPECT_EQ(LookOf(b).Face, k.Hot);
        Leave(b);
        EXPECT_EQ(LookOf(b).Face, cPicNormal);
    }
}

TEST(PictureLookButton, KeepsThePictureSizeWhileUnskinned)
{
    Scene s;
    auto* b = s.Button;
    s.Pictures(true, true);
    EXPECT_EQ(b->GetWidth(), 60);
    EXPECT_EQ(b->GetHeight(), 30);
    for (TPoint size : {TPoint(100, 40), TPoint(20, 10), TPoint(0, 0), TPoint(60, 10)}) {
        b->SetBounds(30, 40, size.x, size.y);
        EXPECT_EQ(b->GetLeft(), 30);
        EXPECT_EQ(b->GetWidth(), 60);
        EXPECT_EQ(b->GetHeight(), 30);
    }
    b->SetWidth(200);
    b->ChangeSkinData();
    EXPECT_EQ(b->GetWidth(), 60);
}

TEST(PictureLookButton, MaskShapesTheWindow)
{
    Scene s;
    auto* b = s.Button;
    auto mask = NewPicture(60, 30, 0);
    Paint(mask.get(), TRect(0, 0, 10, 10), 0xFFFFFF);
    // The mask before the picture takes effect with the picture.
    b->SetDefMask(mask.get());
    EXPECT_FALSE(HasRegion(b));
    s.Pictures(false, false);
    ASSERT_TRUE(HasRegion(b));
    EXPECT_FALSE(Shows(b, 3, 3));
    EXPECT_TRUE(Shows(b, 12, 3));
    EXPECT_TRUE(Shows(b, 30, 20));
    // Each new mask replaces the region the window holds (which the window frees).
    for (int corner : {4, 20, 8}) {
        auto m = NewPicture(60, 30, 0);
        Paint(m.get(), TRect(0, 0, corner, corner), 0xFFFFFF);
        b->SetDefMask(m.get());
        EXPECT_FALSE(Shows(b, corner - 1, 0));
        EXPECT_TRUE(Shows(b, corner, 0));
    }
    // A new window takes the shape again.
    b->SetParent(nullptr);
    b->SetParent(s.Form.get());
    b->GetHandle();
    EXPECT_FALSE(Shows(b, 7, 7));
    // An empty mask leaves the button rectangular; so does a mask without one black pixel.
    TBitmap empty;
    b->SetDefMask(&empty);
    EXPECT_FALSE(HasRegion(b));
    b->SetDefMask(mask.get());
    EXPECT_TRUE(HasRegion(b));
    b->SetDefMask(NewPicture(60, 30, 0xFFFFFF).get());
    EXPECT_FALSE(HasRegion(b));
    EXPECT_TRUE(Shows(b, 3, 3));
}

TEST(PictureLookButton, SkinTakesOverAndGivesBack)
{
    Scene s;
    auto* b = s.Button;
    s.Pictures(true, true);
    auto mask = NewPicture(60, 30, 0);
    Paint(mask.get(), TRect(0, 0, 10, 10), 0xFFFFFF);
    b->SetDefMask(mask.get());
    ASSERT_TRUE(HasRegion(b));

    b->SetSkinData(s.Skin.get());
    EXPECT_TRUE(b->Skinned());
    EXPECT_FALSE(b->PictureLook());
    EXPECT_FALSE(HasRegion(b));   // the element has no mask
    b->SetBounds(10, 10, 120, 40);
    EXPECT_EQ(b->GetWidth(), 120);   // free width, the element's height
    EXPECT_EQ(b->GetHeight(), 20);
    EXPECT_EQ(Probe(Snapshot(b).get(), 30, 10), cNormal);
    Enter(b);
    EXPECT_EQ(Probe(Snapshot(b).get(), 30, 10), cActive);
    Leave(b);

    b->SetSkinData(nullptr);
    b->ChangeSkinData();
    EXPECT_TRUE(b->PictureLook());
    EXPECT_EQ(b->GetWidth(), 60);
    EXPECT_EQ(b->GetHeight(), 30);
    EXPECT_TRUE(HasRegion(b));
    EXPECT_EQ(LookOf(b).Face, cPicNormal);
}

TEST(PictureLookButton, WithoutPicturesItIsThePlainButton)
{
    Scene s;
    auto* b = s.Button;
    EXPECT_FALSE(b->PictureLook());
    EXPECT_EQ(b->GetWidth(), 100);
    EXPECT_EQ(Probe(Snapshot(b).get(), 3, 3), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    Enter(b);
    EXPECT_EQ(Probe(Snapshot(b).get(), 3, 3), static_cast<TColor>(RGB(182, 189, 210)));
    Leave(b);
    // An empty DefImage is no picture look: its other pictures are never used.
    TBitmap empty;
    b->SetDefImage(&empty);
    b->SetDefActiveImage(NewPicture(60, 30, cPicActive).get());
    EXPECT_FALSE(b->PictureLook());
    Enter(b);
    EXPECT_EQ(Probe(Snapshot(b).get(), 3, 3), static_cast<TColor>(RGB(182, 189, 210)));
    Leave(b);
}

TEST(PictureLookButton, BadPicturesKeepItBounded)
{
    Scene s;
    auto* b = s.Button;
    // Larger than any control may be.
    b->SetDefImage(NewPicture(10000, 12, cPicNormal).get());
    EXPECT_EQ(b->GetWidth(), MaxSkinControlSide);
    EXPECT_EQ(b->GetHeight(), 12);
    // Smaller state pictures leave the face colour around them, not stale pixels.
    b->SetDefImage(NewPicture(60, 30, cPicNormal).get());
    b->SetDefActiveImage(NewPicture(20, 10, cPicActive).get());
    b->SetDefMask(NewPicture(5, 5, 0).get());   // a mask smaller than the picture
    EXPECT_EQ(b->GetWidth(), 60);
    Enter(b);
    auto shot = Snapshot(b);
    EXPECT_EQ(Probe(shot.get(), 3, 3), cPicActive);
    EXPECT_EQ(Probe(shot.get(), 40, 20), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    Leave(b);
    EXPECT_TRUE(Shows(b, 2, 2));
    EXPECT_FALSE(Shows(b, 30, 20));
    // Empty pictures of every shape end the picture look; the button keeps its size.
    for (TPoint side : {TPoint(0, 0), TPoint(0, 12), TPoint(12, 0)}) {
        TBitmap empty(side.x, side.y, pf24bit);
        b->SetDefImage(NewPicture(60, 30, cPicNormal).get());
        b->SetDefImage(&empty);
        b->SetDefMask(&empty);
        EXPECT_FALSE(b->PictureLook());
        EXPECT_FALSE(HasRegion(b));
        EXPECT_EQ(b->GetWidth(), 60);
        EXPECT_EQ(Probe(Snapshot(b).get(), 3, 3), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    }
    // A busy mask (a run in every other column) still gives its exact shape.
    b->SetDefImage(NewPicture(400, 300, cPicNormal).get());
    auto busy = NewPicture(400, 300, 0);
    for (int x = 1; x < 400; x += 2) Paint(busy.get(), TRect(x, 0, x + 1, 300), 0xFFFFFF);
    b->SetDefMask(busy.get());
    EXPECT_TRUE(Shows(b, 0, 150));
    EXPECT_FALSE(Shows(b, 1, 150));
    EXPECT_TRUE(Shows(b, 398, 299));
    EXPECT_FALSE(Shows(b, 399, 299));
}

// With the focus allowed, keys click it like the push button: space on release,
// return at once; the focused button shows its active picture.
TEST(PictureLookButton, KeysClickItOnceItTakesTheFocus)
{
    Scene s(true);
    auto* b = s.Button;
    s.Pictures(true, true);
    b->SetCanFocused(true);
    b->SetFocus();
    ASSERT_TRUE(PumpUntil([b] { return b->Focused(); }, 2000));
    EXPECT_EQ(LookOf(b).Face, cPicActive);
    struct Key {
        WORD Vk;
        int Clicks;
    } keys[] = {{VK_SPACE, 1}, {VK_RETURN, 1}, {'A', 0}};
    for (const auto& k : keys) {
        SCOPED_TRACE(k.Vk);
        s.Clicks = 0;
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wVk = in[1].ki.wVk = k.Vk;
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(1, &in[0], sizeof(INPUT));
        PumpUntilIdle();
        if (k.Vk == VK_SPACE) {
            EXPECT_EQ(LookOf(b).Face, cPicDown);   // held: pressed with the focus
        }
        SendInput(1, &in[1], sizeof(INPUT));
        PumpUntil([&] { return s.Clicks >= 1 && k.Clicks == 1; }, 1000);
        PumpUntilIdle();
        EXPECT_EQ(s.Clicks, k.Clicks);
    }
    EXPECT_EQ(LookOf(b).Face, cPicActive);
}

}  // namespace
