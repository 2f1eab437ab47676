// The skinned hint: drawn from the skin's hint window look (a fixture skin with
// one flat colour per piece, probed), sized to its text, kept on the screen,
// shaped by the mask, made translucent through the layered style, and shown by
// the application after its pause or by the component itself.
#include "test_gtest.h"
#include "HintFixture.h"
#include "SkinHint.h"

using namespace hintfix;

namespace {

const TColor cEdge = 0x0000C0, cFace = 0x00C000, cText = 0xFFFFFF;
const int kPicW = 40, kPicH = 30;
const TRect kClient(6, 6, 34, 24);

void Fill(TBitmap* B, const TRect& R, TColor C)
{
    B->GetCanvas()->GetBrush()->SetStyle(bsSolid);
    B->GetCanvas()->GetBrush()->SetColor(C);
    B->GetCanvas()->FillRect(R);
}

// Picture 0: a 40 x 30 window, 6-pixel edge around the face; picture 1: its
// mask, black (inside) except the 3 x 3 top-left corner.
std::unique_ptr<TspSkinData> NewHintSkin()
{
    auto d = std::make_unique<TspSkinData>(nullptr);
    auto pic = std::make_unique<TBitmap>(kPicW, kPicH, pf24bit);
    Fill(pic.get(), TRect(0, 0, kPicW, kPicH), cEdge);
    Fill(pic.get(), kClient, cFace);
    d->ActivePictures.push_back(std::move(pic));
    auto mask = std::make_unique<TBitmap>(kPicW, kPicH, pf24bit);
    Fill(mask.get(), TRect(0, 0, kPicW, kPicH), 0);
    Fill(mask.get(), TRect(0, 0, 3, 3), 0xFFFFFF);
    d->ActivePictures.push_back(std::move(mask));
    TspDataSkinHintWindow* h = d->HintWindow.get();
    h->WindowPictureIndex = 0;
    h->MaskPictureIndex = 1;
    h->LeftTopPoint = TPoint(6, 6);
    h->RightTopPoint = TPoint(34, 6);
    h->LeftBottomPoint = TPoint(6, 24);
    h->RightBottomPoint = TPoint(34, 24);
    h->ClientRect = kClient;
    h->Font.Name = "Arial";
    h->Font.Height = 14;
    h->Font.Color = cText;
    d->Empty = false;
    return d;
}

// The box around the pixels of one colour (empty when there are none).
TRect BoxOf(TBitmap* B, TColor C)
{
    TRect r(B->GetWidth(), B->GetHeight(), -1, -1);
    for (int y = 0; y < B->GetHeight(); ++y)
        for (int x = 0; x < B->GetWidth(); ++x)
            if (Probe(B, x, y) == C) {
                r.left = std::min<int>(r.left, x);
                r.top = std::min<int>(r.top, y);
                r.right = std::max<int>(r.right, x + 1);
                r.bottom = std::max<int>(r.bottom, y + 1);
            }
    return r;
}

class SkinHint : public testing::Test {
protected:
    void SetUp() override
    {
        Application->CreateForm(Main);
        Hint = new TspSkinHint(Main);
        Skin = NewHintSkin();
        Hint->SetSkinData(Skin.get());
    }
    void TearDown() override
    {
        Application->CancelHint();
        delete Main;
        Main = nullptr;
        Skin.reset();
    }
    HWND Wnd() { return Hint->GetHintWindow()->GetWindowHandle(); }
    TRect WindowRect()
    {
        RECT r;
        GetWindowRect(Wnd(), &r);
        return TRect(r.left, r.top, r.right, r.bottom);
    }
    TForm* Main = nullptr;
    TspSkinHint* Hint = nullptr;
    std::unique_ptr<TspSkinData> Skin;
};

TEST_F(SkinHint, InstallsItsWindowClassAndShortPause)
{
    EXPECT_EQ(Application->GetMainForm(), Main);
    EXPECT_EQ(Application->HintShortPause, 100);
    EXPECT_TRUE(Application->OnShowHint != nullptr);
    EXPECT_EQ(TspSkinHintWindow::FindHintComponent(), Hint);
}

TEST_F(SkinHint, ShortTextTakesThePictureSizeWithTheSkinLook)
{
    Hint->ActivateHint(TPoint(200, 150), "Hi");
    ASSERT_TRUE(Hint->IsVisible());
    EXPECT_EQ(WindowRect(), Bounds(200, 150, kPicW, kPicH));
    auto shot = WindowShot(Wnd());
    SaveArtefact(shot.get(), "hint-skinned");
    EXPECT_EQ(Probe(shot.get(), 2, 15), cEdge);
    EXPECT_EQ(Probe(shot.get(), 37, 15), cEdge);
    EXPECT_EQ(Probe(shot.get(), 7, 7), cFace);
    EXPECT_EQ(Probe(shot.get(), 32, 22), cFace);
    // The text is centred in the client rectangle.
    TRect text = BoxOf(shot.get(), cText);
    ASSERT_FALSE(text.IsEmpty());
    EXPECT_NEAR((text.left + text.right) / 2.0, 20, 2.5);
    EXPECT_NEAR((text.top + text.bottom) / 2.0, 15, 3);
    // The mask's white corner is cut away.
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(Wnd(), rgn), ERROR);
    EXPECT_FALSE(PtInRegion(rgn, 1, 1));
    EXPECT_TRUE(PtInRegion(rgn, 4, 4));
    EXPECT_TRUE(PtInRegion(rgn, 20, 15));
    DeleteObject(rgn);
}

TEST_F(SkinHint, LongAndMultiLineTextsStretchTheClientRectangle)
{
    struct Case { const char* Text; };
    const Case cases[] = {{"A hint text much wider than the picture"}, {"one line\nand a second\nand a third"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        Hint->ActivateHint(TPoint(100, 100), c.Text);
        TRect r = WindowRect();
        TRect cl = Hint->GetHintWindow()->GetNewClRect();
        // The client rectangle grew exactly by what the window grew.
        EXPECT_EQ(cl.Width(), kClient.Width() + r.Width() - kPicW);
        EXPECT_EQ(cl.Height(), kClient.Height() + r.Height() - kPicH);
        EXPECT_GE(r.Width(), kPicW);
        EXPECT_GE(r.Height(), kPicH);
        auto shot = WindowShot(Wnd());
        EXPECT_EQ(Probe(shot.get(), r.Width() - 3, r.Height() / 2), cEdge);
        EXPECT_EQ(Probe(shot.get(), r.Width() / 2, r.Height() - 3), cEdge);
        TRect text = BoxOf(shot.get(), cText);
        ASSERT_FALSE(text.IsEmpty());
        EXPECT_GE(text.left, cl.left);
        EXPECT_LE(text.right, cl.right);
        EXPECT_GE(text.top, cl.top);
        EXPECT_LE(text.bottom, cl.bottom);
    }
    TRect multi = WindowRect();
    EXPECT_GT(multi.Height(), 3 * 12);   // three lines, not one
}

TEST_F(SkinHint, PassingTheScreenEdgeShowsItOnTheOtherSideOfThePoint)
{
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    struct Case { TPoint At; TPoint Expected; };
    const Case cases[] = {
        {TPoint(sw - 5, 50), TPoint(sw - 5 - (kPicW + 2), 50)},
        {TPoint(50, sh - 5), TPoint(50, sh - 5 - (kPicH + 2))},
        {TPoint(sw - 5, sh - 5), TPoint(sw - 5 - (kPicW + 2), sh - 5 - (kPicH + 2))},
        {TPoint(50, 50), TPoint(50, 50)},
    };
    for (const Case& c : cases) {
        Hint->ActivateHint(c.At, "Hi");
        EXPECT_EQ(WindowRect().TopLeft(), c.Expected) << c.At.x << "," << c.At.y;
    }
}

TEST_F(SkinHint, WithoutAUsableSkinTheDefaultLookShows)
{
    struct Case {
        const char* Name;
        std::function<void(TspSkinData*)> Spoil;
    };
    const Case cases[] = {
        {"no skin data", nullptr},
        {"empty skin", [](TspSkinData* d) { d->Empty = true; }},
        {"picture index beyond the list", [](TspSkinData* d) { d->HintWindow->WindowPictureIndex = 99; }},
        {"picture index -1", [](TspSkinData* d) { d->HintWindow->WindowPictureIndex = -1; }},
        {"client rectangle outside the picture", [](TspSkinData* d) { d->HintWindow->ClientRect = TRect(30, 6, 90, 24); }},
        {"inverted client rectangle", [](TspSkinData* d) { d->HintWindow->ClientRect = TRect(30, 20, 6, 6); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        auto skin = NewHintSkin();
        if (c.Spoil) c.Spoil(skin.get());
        Hint->SetSkinData(c.Spoil ? skin.get() : nullptr);
        Hint->ActivateHint(TPoint(120, 120), "Default look");
        ASSERT_TRUE(Hint->IsVisible());
        EXPECT_EQ(Hint->GetHintWindow()->GetSkinInUse(), nullptr);
        auto shot = WindowShot(Wnd());
        if (!c.Spoil) SaveArtefact(shot.get(), "hint-default");
        EXPECT_EQ(Probe(shot.get(), 0, 0), static_cast<TColor>(ColorToRGB(clBtnShadow)));
        EXPECT_EQ(Probe(shot.get(), 1, shot->GetHeight() / 2), static_cast<TColor>(ColorToRGB(clInfoBk)));
        Hint->HideHint();
        Hint->SetSkinData(nullptr);
    }
}

TEST_F(SkinHint, AShownHintOutlivesItsSkinAndItsComponent)
{
    auto redraw = [this] { RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); };
    Hint->ActivateHint(TPoint(150, 150), "Hi");
    ASSERT_EQ(Hint->GetHintWindow()->GetSkinInUse(), Skin.get());
    // The skin's look changed under the shown hint: drawn plain, not from stale geometry.
    Skin->HintWindow->ClientRect = TRect(2, 2, 10, 10);
    redraw();
    EXPECT_EQ(Hint->GetHintWindow()->GetSkinInUse(), nullptr);
    Skin->HintWindow->ClientRect = kClient;
    Hint->ActivateHint(TPoint(150, 150), "Hi");
    ASSERT_EQ(Hint->GetHintWindow()->GetSkinInUse(), Skin.get());
    Skin.reset();
    redraw();
    EXPECT_EQ(Hint->GetHintWindow()->GetSkinInUse(), nullptr);
    EXPECT_EQ(Hint->GetSkinData(), nullptr);

    // The application's hint window while the main form and its component go.
    Skin = NewHintSkin();
    Hint->SetSkinData(Skin.get());
    Application->HintPause = 60;
    Application->HintHidePause = 20000;
    TBlockForm f;
    MoveTo(f.A, 30, 20);
    ASSERT_TRUE(WaitForHint());
    HWND appHint = Application->GetHintWindow()->GetWindowHandle();
    delete Main;
    Main = nullptr;
    RedrawWindow(appHint, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpUntilIdle();
    EXPECT_TRUE(IsWindow(appHint));
}

TEST_F(SkinHint, AMaskPictureThatIsMissingLeavesTheWindowWhole)
{
    Skin->HintWindow->MaskPictureIndex = 7;
    Hint->ActivateHint(TPoint(100, 100), "Hi");
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(Wnd(), rgn), ERROR);   // no region set
    DeleteObject(rgn);
}

TEST_F(SkinHint, LayeredStyleFollowsAlphaBlendAndItsValue)
{
    if (!Hint->GetAlphaBlendSupport()) GTEST_SKIP() << "no layered windows here";
    auto layered = [this] { return (GetWindowLongA(Wnd(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0; };
    auto alpha = [this] {
        BYTE a = 0;
        DWORD flags = 0;
        GetLayeredWindowAttributes(Wnd(), nullptr, &a, &flags);
        return static_cast<int>(a);
    };
    Hint->ActivateHint(TPoint(100, 100), "Hi");
    EXPECT_FALSE(layered());
    Hint->AlphaBlend = true;
    Hint->AlphaBlendValue = 150;
    Hint->ActivateHint(TPoint(100, 100), "Hi");
    EXPECT_TRUE(layered());
    EXPECT_EQ(alpha(), 150);
    Hint->AlphaBlendValue = 90;
    Hint->ActivateHint(TPoint(100, 100), "Hi");
    EXPECT_TRUE(layered());
    EXPECT_EQ(alpha(), 90);
    EXPECT_EQ(Hint->GetHintWindow()->GetAlphaValue(), 90);
    Hint->AlphaBlend = false;
    Hint->ActivateHint(TPoint(100, 100), "Hi");
    EXPECT_FALSE(layered());
}

TEST_F(SkinHint, SoftwareBlendMixesWithWhatTheScreenShowed)
{
    Hint->SetAlphaBlendSupport(false);
    Hint->AlphaBlend = true;
    Hint->AlphaBlendValue = 255;   // fully the hint: the look must be unchanged
    Hint->ActivateHint(TPoint(220, 160), "Hi");
    auto shot = WindowShot(Wnd());
    EXPECT_EQ(Probe(shot.get(), 2, 15), cEdge);
    EXPECT_EQ(Probe(shot.get(), 7, 7), cFace);
}

TEST_F(SkinHint, ASecondComponentMadeActiveSwitchesTheFirstOff)
{
    auto* second = new TspSkinHint(Main);
    EXPECT_EQ(TspSkinHintWindow::FindHintComponent(), Hint);   // the first active one counts
    second->SetActive(false);
    second->SetActive(true);
    EXPECT_FALSE(Hint->GetActive());
    EXPECT_EQ(TspSkinHintWindow::FindHintComponent(), second);
    second->SetActive(false);
    EXPECT_EQ(TspSkinHintWindow::FindHintComponent(), nullptr);
    // With no active component the skinned window shows nothing.
    Hint->ActivateHint(TPoint(100, 100), "Nothing");
    EXPECT_FALSE(Hint->IsVisible());
}

TEST_F(SkinHint, FreeingTheComponentLeavesNoHandlerBehind)
{
    delete Hint;
    Hint = nullptr;
    EXPECT_TRUE(Application->OnShowHint == nullptr);
}

TEST_F(SkinHint, DelayedHintShowsBelowTheCursorThenHidesItself)
{
    Application->HintPause = 50;
    Application->HintHidePause = 300;
    SetCursorPos(300, 200);
    Hint->ActivateHint2("Later");
    EXPECT_TRUE(Hint->HintPending());
    EXPECT_FALSE(Hint->IsVisible());
    ASSERT_TRUE(PumpUntil([this] { return Hint->IsVisible(); }, 3000));
    POINT pt;
    GetCursorPos(&pt);
    EXPECT_EQ(WindowRect().TopLeft(), TPoint(pt.x, pt.y + Hint->GetCursorHeightMargin()));
    EXPECT_TRUE(PumpUntil([this] { return !Hint->IsVisible(); }, 3000));

    // A hint dropped before its pause never shows.
    Hint->ActivateHint2("Dropped");
    Hint->HideHint();
    EXPECT_FALSE(Hint->HintPending());
    PumpFor(200);   // past its pause
    EXPECT_FALSE(Hint->IsVisible());
}

TEST_F(SkinHint, TheApplicationShowsControlHintsInTheSkinnedLook)
{
    Application->HintPause = 60;
    Application->HintHidePause = 20000;
    TBlockForm f;
    MoveTo(f.A, 30, 20);
    ASSERT_TRUE(WaitForHint());
    auto* w = dynamic_cast<TspSkinHintWindow*>(Application->GetHintWindow());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->GetSkinInUse(), Skin.get());
    auto shot = WindowShot(w->GetWindowHandle());
    SaveArtefact(shot.get(), "hint-delay");
    EXPECT_EQ(Probe(shot.get(), 2, shot->GetHeight() / 2), cEdge);
    EXPECT_EQ(Probe(shot.get(), 7, 7), cFace);
    EXPECT_FALSE(BoxOf(shot.get(), cText).IsEmpty());
    Application->CancelHint();
}

}  // namespace
