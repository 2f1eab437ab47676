// The control's logic over a recording view: start, layout placement, lamps,
// buttons, and a full connection to a loopback broadcasting server.
#include "ActiveFormX.h"
#include "Chat.h"
#include "Classes.h"
#include "LoopbackServer.h"
#include "ViewerLayout.h"
#include "test_gtest.h"

namespace {

class TRecordingView : public IActiveFormXView {
public:
    std::vector<std::string> Calls;   // the order of message box and timer calls
    RECT Parts[fpPartCount] = {};
    int Pictures[fpPartCount];
    int W = 0, H = 0;
    int Props[fpPropCount] = {};
    bool Timer = false, Popup = false;
    CMpeg4Panel* Panel = nullptr;
    bool PanelInPopup = false;
    TStringList Chat;
    std::string Input;

    TRecordingView() { std::fill(std::begin(Pictures), std::end(Pictures), -1); }
    HWND Handle() override { return nullptr; }
    void SetParentWindow(HWND) override {}
    void SetBounds(int, int, int Width, int Height) override { W = Width, H = Height; }
    void SetSize(int Width, int Height) override { W = Width, H = Height; }
    int Width() override { return W; }
    int Height() override { return H; }
    void PaintTo(HDC, const RECT&) override {}
    int GetProp(TFormProp p) override { return Props[p]; }
    void SetProp(TFormProp p, int v) override { Props[p] = v; }
    std::string GetText(TFormTextProp) override { return ""; }
    void SetText(TFormTextProp, const std::string&) override {}
    void GetFont(LOGFONTA&) override {}
    void SetFont(const LOGFONTA&) override {}
    void SetPartBounds(TFormPart p, int l, int t, int w, int h) override { SetRect(&Parts[p], l, t, l + w, t + h); }
    void MovePart(TFormPart p, int l, int t) override { OffsetRect(&Parts[p], l - Parts[p].left, t - Parts[p].top); }
    RECT PartBounds(TFormPart p) override { return Parts[p]; }
    void SetPicture(TFormPart p, int i) override { Pictures[p] = i; }
    int Picture(TFormPart p) override { return Pictures[p]; }
    TStrings* ChatLines() override { return &Chat; }
    std::string InputText() override { return Input; }
    void SetInputText(const std::string& t) override { Input = t; }
    void FocusInput() override {}
    void InsertPanel(CMpeg4Panel* p, bool inPopup, int, int, int, int, bool) override
    {
        Panel = p;
        PanelInPopup = inPopup;
    }
    void RemovePanel(CMpeg4Panel* p) override
    {
        if (Panel == p) Panel = nullptr;
    }
    void OpenPopup(const std::string&, int, int) override { Popup = true; }
    void ClosePopup() override { Popup = false; }
    bool PopupOpen() override { return Popup; }
    void StartTimer(UINT) override
    {
        Timer = true;
        Calls.push_back("timer");
    }
    void StopTimer() override { Timer = false; }
    bool TimerEnabled() override { return Timer; }
    void ShowMessage(const std::string& Text) override { Calls.push_back("message " + Text); }
};

// A port on 127.0.0.1 where nothing listens.
int ClosedPort()
{
    CLoopbackServer s([](CServerConn&) {});
    return s.Port();
}

struct Form {
    TRecordingView* view = new TRecordingView;
    TActiveFormX form{std::unique_ptr<IActiveFormXView>(view)};
};

TEST(ViewerForm, MessageBoxComesBeforeTheStartTimer)
{
    Form f;
    EXPECT_EQ((std::vector<std::string>{"message 127.0.0.1:8080", "timer"}), f.view->Calls);
    EXPECT_EQ("127.0.0.1", f.form.GetAddress());
    EXPECT_EQ("prop1.skn", f.form.GetSkin());
    EXPECT_EQ(8080, f.form.GetPort());
}

struct PlaceCase {
    const char* skin;
    int width, height;
    RECT input, chat;
    POINT send, videoLamp, online;
};

TEST(ViewerForm, StartPlacesThePartsByTheLayout)
{
    const PlaceCase cases[] = {
        {"prop3.skn", 337, 526, {5, 440, 170, 466}, {5, 279, 170, 435}, {100, 465}, {182, 388}, {253, 2}},
        {"prop2.skn", 517, 196, {176, 103, 357, 129}, {176, 8, 357, 100}, {287, 132}, {362, 78}, {15, 139}},
        {"prop4.skn", 815, 550, {657, 458, 799, 484}, {657, 182, 799, 453}, {729, 485}, {656, 112}, {562, 5}},
    };
    for (const PlaceCase& c : cases) {
        Form f;
        f.form.SetSkin(c.skin);
        f.form.SetPort(ClosedPort());
        f.form.Timer1Timer();
        EXPECT_TRUE(f.form.Started());
        EXPECT_FALSE(f.view->Timer) << c.skin;
        EXPECT_EQ(std::string(c.skin).substr(0, 5), f.form.GetSkin());
        EXPECT_EQ(c.width, f.view->W) << c.skin;
        EXPECT_EQ(c.height, f.view->H) << c.skin;
        EXPECT_TRUE(EqualRect(&c.input, &f.view->Parts[fpInputMessage])) << c.skin;
        EXPECT_TRUE(EqualRect(&c.chat, &f.view->Parts[fpChatView])) << c.skin;
        EXPECT_EQ(c.send.x, f.view->Parts[fpImageSend].left);
        EXPECT_EQ(c.send.y, f.view->Parts[fpImageSend].top);
        EXPECT_EQ(c.videoLamp.x, f.view->Parts[fpImageVideoStatus].left);
        EXPECT_EQ(c.videoLamp.y, f.view->Parts[fpImageVideoStatus].top);
        EXPECT_EQ(c.online.x, f.view->Parts[fpImageOnLine].left);
        EXPECT_EQ(c.online.y, f.view->Parts[fpImageOnLine].top);
        // Unconnected: no player, no chat; lamps off, on-line indicator on.
        EXPECT_EQ(nullptr, f.form.Player());
        const int lamps[] = {f.view->Pictures[fpImageVideoStatus], f.view->Pictures[fpImageAudioStatus],
                             f.view->Pictures[fpImageCallStatus], f.view->Pictures[fpImagePopupStatus],
                             f.view->Pictures[fpImageOnLine]};
        EXPECT_EQ((std::vector<int>{1, 3, 5, 6, 0}), std::vector<int>(lamps, lamps + 5));
        EXPECT_EQ((std::vector<int>{0, 2, 4, 6, 8}),
                  (std::vector<int>{f.view->Pictures[fpImageSend], f.view->Pictures[fpImageVideo],
                                    f.view->Pictures[fpImageAudio], f.view->Pictures[fpImageCall],
                                    f.view->Pictures[fpImagePopup]}));
    }
}

TEST(ViewerForm, SkinWithoutDotKeepsTheLoadedLayout)
{
    ASSERT_TRUE(LoadSkin("prop3"));
    Form f;
    f.form.SetSkin("prop2");
    f.form.SetPort(ClosedPort());
    f.form.Timer1Timer();
    EXPECT_EQ("", f.form.GetSkin());
    EXPECT_EQ(337, f.view->W);   // prop3, still loaded
}

TEST(ViewerForm, EmptyAddressWaits)
{
    Form f;
    f.form.SetAddress("");
    f.form.Timer1Timer();
    EXPECT_FALSE(f.form.Started());
    EXPECT_TRUE(f.view->Timer);
}

TEST(ViewerForm, ButtonsWithoutConnection)
{
    Form f;
    f.form.SetPort(ClosedPort());
    f.form.Timer1Timer();
    f.form.ActionCallExecute();
    EXPECT_FALSE(f.form.CallActive());
    EXPECT_EQ(5, f.view->Pictures[fpImageCallStatus]);
    f.form.ActionPopupExecute();
    EXPECT_FALSE(f.view->Popup);
    EXPECT_EQ(6, f.view->Pictures[fpImagePopupStatus]);
    f.form.ButtonMouse(fpImageAudio, true);
    EXPECT_EQ(5, f.view->Pictures[fpImageAudio]);
    f.form.ButtonMouse(fpImageAudio, false);
    EXPECT_EQ(4, f.view->Pictures[fpImageAudio]);
}

// A broadcasting server in miniature: stream headers, a key packet on each
// stream, the chat texts, and message requests answered with 200.
TEST(ViewerForm, ConnectsPlaysChatsAndCalls)
{
    const std::string header = "HTTP/1.0 200 OK\r\nContent-Length: 1000000000\r\n\r\n";
    CLoopbackServer server([&](CServerConn& c) {
        if (c.Request.find("/message") != std::string::npos) {
            c.Send("HTTP/1.0 200 OK\r\n");
            c.Close();
            return;
        }
        c.Send(header);
        if (c.Request == "GET /chat HTTP 1.0") c.SendPacket(std::string("Enter password\n", 16), 1);
        else c.SendPacket(std::string(8, '\0'), 1);
        c.Pause(20000);
    });
    Form f;
    f.form.SetSkin("prop1.skn");
    f.form.SetPort(server.Port());
    f.form.Timer1Timer();
    ASSERT_NE(nullptr, f.form.Player());
    ASSERT_NE(nullptr, f.form.Chat());
    EXPECT_TRUE(f.form.Player()->IsVideoRunning());
    EXPECT_TRUE(f.form.Player()->IsAudioRunning());
    EXPECT_NE(nullptr, f.view->Panel);
    EXPECT_EQ(0, f.view->Pictures[fpImageVideoStatus]);
    EXPECT_EQ(2, f.view->Pictures[fpImageAudioStatus]);
    ASSERT_TRUE(PumpUntil([&] { return f.view->Chat.GetCount() == 1; }, 5000));
    EXPECT_EQ("Enter password", f.view->Chat[0]);

    f.form.ActionCallExecute();
    EXPECT_EQ(4, f.view->Pictures[fpImageCallStatus]);
    f.view->Input = "hi there";
    f.form.ActionSendExecute();
    EXPECT_EQ("", f.view->Input);
    f.form.ActionCallExecute();
    EXPECT_EQ(5, f.view->Pictures[fpImageCallStatus]);
    auto messages = [&] {
        std::vector<std::string> m;
        for (const std::string& r : server.Requests())
            if (r.find("/message") != std::string::npos) m.push_back(r);
        return m;
    };
    ASSERT_TRUE(PumpUntil([&] { return messages().size() >= 3; }, 5000));
    EXPECT_EQ((std::vector<std::string>{"GET /message?message=~al_start HTTP 1.0",
                                        "GET /message?message=hi%20there HTTP 1.0",
                                        "GET /message?message=~al_stop HTTP 1.0"}),
              messages());

    // Pop-out and back, by the button and by the window's close box.
    f.form.ActionPopupExecute();
    EXPECT_TRUE(f.view->Popup);
    EXPECT_TRUE(f.view->PanelInPopup);
    EXPECT_EQ(7, f.view->Pictures[fpImagePopupStatus]);
    f.form.PopupFormClose();   // the window closes itself afterwards
    EXPECT_FALSE(f.view->PanelInPopup);
    EXPECT_EQ(6, f.view->Pictures[fpImagePopupStatus]);
    f.view->Popup = false;

    // Video off and on again: a new panel, placed again.
    f.form.ActionVideoExecute();
    EXPECT_EQ(nullptr, f.view->Panel);
    EXPECT_EQ(1, f.view->Pictures[fpImageVideoStatus]);
    f.form.ActionVideoExecute();
    EXPECT_NE(nullptr, f.view->Panel);
    EXPECT_EQ(0, f.view->Pictures[fpImageVideoStatus]);
    f.form.ActionAudioExecute();
    EXPECT_EQ(3, f.view->Pictures[fpImageAudioStatus]);

    f.form.Disconnect();
    EXPECT_EQ(nullptr, f.form.Player());
    EXPECT_EQ(nullptr, f.form.Chat());
    EXPECT_EQ(nullptr, f.view->Panel);
    EXPECT_EQ(1, f.view->Pictures[fpImageVideoStatus]);
}

} // namespace
