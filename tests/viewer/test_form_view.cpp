// The control's form on the class library, through the view the control's
// logic uses: its parts and image lists, pictures as they are painted, the
// picture buttons and the start timer, the chat box and input line, the video
// panel in the form and in the pop-out window, and the host's properties.
#include "ActiveFormXForm.h"
#include "ActiveFormXView.h"
#include "LoopbackServer.h"
#include "Mpeg4Panel.h"
#include "ViewerPictures.h"
#include "test_gtest.h"
#include <memory>

namespace {

// A host window for the form.
struct THostWindow {
    HWND Wnd = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 400, 600,
                               nullptr, nullptr, nullptr, nullptr);
    ~THostWindow() { DestroyWindow(Wnd); }
};

// The form painted into a bitmap, read back as 0x00BBGGRR colours.
class TSnapshot {
public:
    explicit TSnapshot(IActiveFormXView& View) : FWidth(View.Width()), FHeight(View.Height())
    {
        HDC screen = GetDC(nullptr);
        FDC = CreateCompatibleDC(screen);
        FBitmap = CreateCompatibleBitmap(screen, FWidth, FHeight);
        ReleaseDC(nullptr, screen);
        FOld = SelectObject(FDC, FBitmap);
        RECT r = {0, 0, FWidth, FHeight};
        View.PaintTo(FDC, r);
    }
    ~TSnapshot()
    {
        SelectObject(FDC, FOld);
        DeleteObject(FBitmap);
        DeleteDC(FDC);
    }
    COLORREF At(int X, int Y) const { return GetPixel(FDC, X, Y); }

private:
    int FWidth, FHeight;
    HDC FDC;
    HBITMAP FBitmap;
    HGDIOBJ FOld;
};

TEST(ViewerFormView, TheFormHasItsPartsAndPictures)
{
    THostWindow host;
    TActiveFormXForm form(host.Wnd);
    EXPECT_EQ("Client", form.GetCaption());
    EXPECT_EQ(RGBToColor(212, 216, 228), form.GetColor());
    struct { TImageList* List; int Width, Height, Count; } lists[] = {
        {form.ImageList1, 69, 19, 10}, {form.ImageList2, 39, 39, 8}, {form.ImageList3, 71, 23, 2}};
    for (auto& l : lists) {
        EXPECT_EQ(l.Width, l.List->GetWidth());
        EXPECT_EQ(l.Height, l.List->GetHeight());
        EXPECT_EQ(l.Count, l.List->GetCount());
    }
    TImage* buttons[] = {form.ImageSend, form.ImageVideo, form.ImageAudio, form.ImageCall, form.ImagePopup};
    for (TImage* b : buttons) {
        EXPECT_EQ(69, b->GetWidth());
        EXPECT_EQ(19, b->GetHeight());
        EXPECT_EQ(&form, b->GetParent());
    }
    TImage* lamps[] = {form.ImageVideoStatus, form.ImageAudioStatus, form.ImageCallStatus, form.ImagePopupStatus};
    for (TImage* l : lamps) EXPECT_EQ(39, l->GetWidth());
    EXPECT_EQ(71, form.ImageOnLine->GetWidth());
    EXPECT_EQ(23, form.ImageOnLine->GetHeight());
    EXPECT_FALSE(form.ChatView->GetEnabled());
    EXPECT_TRUE(form.InputMessage->GetEnabled());
    EXPECT_EQ(RGBToColor(212, 216, 228), form.ChatView->GetColor());
    EXPECT_EQ(RGBToColor(212, 216, 228), form.InputMessage->GetColor());
    EXPECT_EQ("Send message", form.ActionSend->GetHint());
    EXPECT_EQ(6, form.ActionList1->GetActionCount());
    EXPECT_EQ(20u, form.Timer1->GetInterval());
    EXPECT_FALSE(form.Timer1->GetEnabled()); // the control starts it once its message box is closed
}

TEST(ViewerFormView, PicturesArePaintedFromTheImageLists)
{
    THostWindow host;
    std::unique_ptr<IActiveFormXView> view = CreateActiveFormXView(host.Wnd);
    EXPECT_EQ(host.Wnd, GetParent(view->Handle()));
    RECT lamp = view->PartBounds(fpImageCallStatus);
    // On the lamp's disc, beside its letter.
    const int x = lamp.left + 9, y = lamp.top + 19;
    for (int picture : {4, 5}) {
        view->SetPicture(fpImageCallStatus, picture);
        EXPECT_EQ(picture, view->Picture(fpImageCallStatus));
        TSnapshot shot(*view);
        EXPECT_EQ(static_cast<COLORREF>(ViewerPictures::LampColor(picture)), shot.At(x, y)) << picture;
    }
    // A released and a pressed button differ where the caption is not.
    RECT send = view->PartBounds(fpImageSend);
    view->SetPicture(fpImageSend, 0);
    COLORREF released = TSnapshot(*view).At(send.left + 3, send.top + 3);
    view->SetPicture(fpImageSend, 1);
    COLORREF pressed = TSnapshot(*view).At(send.left + 3, send.top + 3);
    EXPECT_NE(released, pressed);
    EXPECT_EQ(-1, view->Picture(fpImageAudio));
}

TEST(ViewerFormView, ButtonsAndTimerReachTheControl)
{
    THostWindow host;
    std::unique_ptr<IActiveFormXView> view = CreateActiveFormXView(host.Wnd);
    view->SetProp(fpVisible, 1);
    std::vector<std::string> heard;
    view->Actions.ButtonMouse = [&](TFormPart b, bool down) {
        heard.push_back(std::string(down ? "down " : "up ") + std::to_string(b));
    };
    view->Actions.ButtonClick = [&](TFormPart b) { heard.push_back("click " + std::to_string(b)); };
    int ticks = 0;
    view->Actions.Timer1Timer = [&] { ++ticks; };

    struct { TFormPart Part; int Number; } buttons[] = {
        {fpImageSend, 0}, {fpImageVideo, 1}, {fpImageAudio, 2}, {fpImageCall, 3}, {fpImagePopup, 4}};
    for (auto& b : buttons) {
        heard.clear();
        RECT r = view->PartBounds(b.Part);
        LPARAM at = MAKELPARAM(r.left + 10, r.top + 5);
        SendMessageA(view->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(view->Handle(), WM_LBUTTONUP, 0, at);
        std::string n = std::to_string(b.Part);
        EXPECT_EQ((std::vector<std::string>{"down " + n, "click " + n, "up " + n}), heard);
    }
    // A click beside every button is the form's own.
    heard.clear();
    SendMessageA(view->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(view->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(heard.empty());

    EXPECT_FALSE(view->TimerEnabled());
    view->StartTimer(20);
    EXPECT_TRUE(view->TimerEnabled());
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }, 3000));
    view->StopTimer();
    EXPECT_FALSE(view->TimerEnabled());
    int after = ticks;
    PumpFor(150);
    EXPECT_EQ(after, ticks);
}

TEST(ViewerFormView, ChatBoxAndInputLine)
{
    THostWindow host;
    std::unique_ptr<IActiveFormXView> view = CreateActiveFormXView(host.Wnd);
    view->ChatLines()->Add("Enter password");
    view->ChatLines()->Add("Operator: hello");
    EXPECT_EQ(2, view->ChatLines()->GetCount());
    EXPECT_EQ("Operator: hello", view->ChatLines()->Get(1));
    HWND memo = FindWindowExA(view->Handle(), nullptr, "TMemo", nullptr);
    ASSERT_NE(nullptr, memo);
    char text[256] = {0};
    GetWindowTextA(memo, text, sizeof(text));
    EXPECT_STREQ("Enter password\r\nOperator: hello\r\n", text); // each added line ends with its line break
    EXPECT_FALSE(IsWindowEnabled(memo));

    view->SetInputText("typed + sent");
    EXPECT_EQ("typed + sent", view->InputText());
    HWND edit = FindWindowExA(view->Handle(), nullptr, "TEdit", nullptr);
    ASSERT_NE(nullptr, edit);
    GetWindowTextA(edit, text, sizeof(text));
    EXPECT_STREQ("typed + sent", text);
    view->SetInputText("");
    EXPECT_EQ("", view->InputText());
}

TEST(ViewerFormView, VideoPanelInTheFormAndInThePopOutWindow)
{
    THostWindow host;
    std::unique_ptr<IActiveFormXView> view = CreateActiveFormXView(host.Wnd);
    int closes = 0;
    view->Actions.PopupFormClose = [&] { ++closes; };
    std::unique_ptr<CMpeg4Panel> panel(new CMpeg4Panel(160, 120));
    TWinControl* form = FindControl(view->Handle());
    ASSERT_NE(nullptr, form);

    view->InsertPanel(panel.get(), false, 5, 33, 160, 120, false);
    EXPECT_EQ(form, panel->GetParent());
    EXPECT_EQ(5, panel->GetLeft());
    EXPECT_EQ(33, panel->GetTop());

    view->OpenPopup("Solvane video", 328, 267);
    ASSERT_TRUE(view->PopupOpen());
    HWND popup = FindWindowA(nullptr, "Solvane video");
    ASSERT_NE(nullptr, popup);
    EXPECT_TRUE(IsWindowVisible(popup));
    EXPECT_EQ(nullptr, GetParent(popup));
    RECT pr;
    GetWindowRect(popup, &pr);
    EXPECT_EQ(328, pr.right - pr.left);
    EXPECT_EQ(267, pr.bottom - pr.top);
    view->RemovePanel(panel.get());
    EXPECT_EQ(nullptr, panel->GetParent());
    view->InsertPanel(panel.get(), true, 0, 0, 160, 120, true);
    TWinControl* popupForm = FindControl(popup);
    EXPECT_EQ(popupForm, panel->GetParent());
    RECT client;
    GetClientRect(popup, &client);
    EXPECT_EQ(client.right, panel->GetWidth());   // it fills the window
    EXPECT_EQ(client.bottom, panel->GetHeight());

    // The close box: the control hears of it while the window is still there,
    // and the window goes once its close handling is over.
    view->Actions.PopupFormClose = [&] {
        ++closes;
        EXPECT_TRUE(view->PopupOpen());
        view->RemovePanel(panel.get());
        view->InsertPanel(panel.get(), false, 5, 33, 160, 120, false);
    };
    SendMessageA(popup, WM_CLOSE, 0, 0);
    EXPECT_EQ(1, closes);
    EXPECT_FALSE(view->PopupOpen());
    EXPECT_EQ(form, panel->GetParent());
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(popup); }, 3000));

    // The pop-out button closes it from the form.
    view->OpenPopup("Solvane video", 328, 267);
    popup = FindWindowA(nullptr, "Solvane video");
    view->ClosePopup();
    EXPECT_FALSE(view->PopupOpen());
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(1, closes);
    view->RemovePanel(panel.get());
    EXPECT_EQ(nullptr, panel->GetParent());
}

TEST(ViewerFormView, ParkedAndPlacedWithoutANewWindow)
{
    std::unique_ptr<IActiveFormXView> view = CreateActiveFormXView(nullptr);
    HWND form = view->Handle();
    ASSERT_NE(nullptr, form);
    HWND parking = GetParent(form);
    EXPECT_FALSE(IsWindowVisible(parking));
    THostWindow host;
    view->SetParentWindow(host.Wnd);
    view->SetBounds(10, 20, 337, 526);
    view->SetProp(fpVisible, 1);
    EXPECT_EQ(form, view->Handle());
    EXPECT_EQ(host.Wnd, GetParent(form));
    EXPECT_TRUE(IsWindowVisible(form));
    EXPECT_EQ(337, view->Width());
    view->SetProp(fpVisible, 0);
    view->SetParentWindow(nullptr);
    EXPECT_EQ(form, view->Handle());
    EXPECT_EQ(parking, GetParent(form));
}

TEST(ViewerFormView, HostPropertiesReadBackAsSet)
{
    THostWindow host;
    std::unique_ptr<IActiveFormXView> view = CreateActiveFormXView(host.Wnd);
    EXPECT_EQ(static_cast<int>(RGB(212, 216, 228)), view->GetProp(fpColor));
    struct { TFormProp Prop; int Value; } cases[] = {
        {fpColor, static_cast<int>(0x8000000F)}, // the system's button face, as an OLE colour
        {fpColor, static_cast<int>(RGB(1, 2, 3))}, {fpAxBorderStyle, 2}, {fpBorderWidth, 3}, {fpKeyPreview, 1},
        {fpPixelsPerInch, 120}, {fpPrintScale, 2}, {fpScaled, 0}, {fpDropTarget, 1}, {fpDoubleBuffered, 1},
        {fpAutoScroll, 1}, {fpAutoSize, 1}, {fpEnabled, 0}, {fpEnabled, 1}};
    for (auto& c : cases) {
        view->SetProp(c.Prop, c.Value);
        EXPECT_EQ(c.Value, view->GetProp(c.Prop)) << c.Prop;
    }
    view->SetProp(fpColor, static_cast<int>(RGB(10, 20, 30)));
    EXPECT_EQ(RGB(10, 20, 30), TSnapshot(*view).At(view->Width() / 2, 150));
    view->SetText(fpCaption, "Viewer");
    EXPECT_EQ("Viewer", view->GetText(fpCaption));
    LOGFONTA f = {};
    view->GetFont(f);
    f.lfHeight = -15;
    f.lfWeight = FW_BOLD;
    view->SetFont(f);
    LOGFONTA g = {};
    view->GetFont(g);
    EXPECT_EQ(-15, g.lfHeight);
    EXPECT_EQ(FW_BOLD, g.lfWeight);
}

} // namespace
