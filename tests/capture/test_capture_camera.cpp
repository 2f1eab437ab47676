// The capture component against the test-pattern camera registered in the prefix:
// the device list, the modes, frames grabbed on the GUI thread, the frame rate,
// the saved configuration, capture into a file and the component's own boxes.
#include "CaptureTestSupport.h"
#include "GraphConfig.h"
#include <memory>

using namespace capture_test;

namespace {

// The test-pattern camera registered a second time in the video input category,
// under another instance name but the same friendly name, while it lives.
class TSecondCamera {
public:
    // By default the camera itself; with another class, a device that cannot be made.
    explicit TSecondCamera(const char* Name = kCameraName, const CLSID& Clsid = kCameraClsid)
        : FName(Name), FClsid(Clsid)
    {
        if (FAILED(CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                    FMapper.PutVoid())))
            return;
        Unregister();
        REGPINTYPES type = {&MEDIATYPE_Video, &MEDIASUBTYPE_RGB24};
        REGFILTERPINS2 pin = {};
        pin.dwFlags = REG_PINFLAG_B_OUTPUT;
        pin.cInstances = 1;
        pin.nMediaTypes = 1;
        pin.lpMediaType = &type;
        pin.clsPinCategory = &PIN_CATEGORY_CAPTURE;
        REGFILTER2 rf = {};
        rf.dwVersion = 2;
        rf.dwMerit = MERIT_DO_NOT_USE;
        rf.cPins2 = 1;
        rf.rgPins2 = &pin;
        TWideString name = AnsiToWide(FName);
        TWideString instance = AnsiToWide(kInstance);
        Registered = SUCCEEDED(FMapper->RegisterFilter(FClsid, name.c_str(), nullptr,
                                                       &CLSID_VideoInputDeviceCategory, instance.c_str(), &rf));
    }
    ~TSecondCamera() { Unregister(); }
    bool Registered = false;
private:
    void Unregister()
    {
        if (FMapper) FMapper->UnregisterFilter(&CLSID_VideoInputDeviceCategory, AnsiToWide(kInstance).c_str(), FClsid);
    }
    static constexpr const char* kInstance = "Test Pattern Camera, second";
    static constexpr CLSID kCameraClsid = {0x3a64e357, 0x708c, 0x4668, {0xbf, 0xce, 0xa1, 0xc3, 0xeb, 0xdf, 0xf4, 0xb1}};
    std::string FName;
    CLSID FClsid;
    TComPtr<IFilterMapper2> FMapper;
};

// A class that no server provides.
constexpr CLSID kNoServerClsid = {0x5b7d2f61, 0x3c1e, 0x4d2a, {0x9e, 0x44, 0x0b, 0x6f, 0x21, 0xc8, 0x7d, 0x90}};

TEST_F(CameraTest, CameraIsListedAndChosenByIndexAndName)
{
    std::unique_ptr<TStringList> names(GetVideoDevicesList(true));
    const int i = names->IndexOf(kCameraName);
    ASSERT_GE(i, 0);
    Cap->ChooseDevices(i, -1);
    EXPECT_TRUE(Cap->Previewing());
    EXPECT_EQ(Cap->GetVCapSource(), kCameraName);
    EXPECT_EQ(Cap->GetVCapSourceIdx(), i);
    EXPECT_EQ(Cap->VideoDeviceName(), kCameraName);
    EXPECT_EQ(Cap->GetACapSource(), "");
    EXPECT_EQ(Cap->GetACapSourceIdx(), -1);

    int changes = 0;
    Cap->OnChangeDevice = [&](TObject*) { ++changes; };
    Cap->ChooseDevices(kCameraName, "", true);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(Cap->Previewing());
    EXPECT_EQ(Cap->GetVCapSource(), kCameraName);
}

TEST_F(CameraTest, SameFriendlyNamesGetNumbersAndTheSecondIsFoundByName)
{
    TSecondCamera second;
    ASSERT_TRUE(second.Registered);
    std::unique_ptr<TStringList> names(GetVideoDevicesList(true));
    const int first = names->IndexOf(kCameraName);
    const int other = names->IndexOf(std::string(kCameraName) + " (2)");
    ASSERT_GE(first, 0);
    ASSERT_GE(other, 0);
    EXPECT_EQ(names->Count(), 2);

    // A saved configuration naming the second form finds the second device.
    TGraphConfig cfg;
    cfg.WantPreview = cfg.WantBitmaps = true;
    cfg.VCapSource = std::string(kCameraName) + " (2)";
    Cap->RestoreGraph(&cfg);
    EXPECT_TRUE(Cap->Previewing());
    EXPECT_EQ(Cap->GetVCapSourceIdx(), other);
    EXPECT_EQ(Cap->GetVCapSource(), cfg.VCapSource);
    ASSERT_TRUE(GrabOne());
    Cap->ChooseDevices(first, -1);
    EXPECT_EQ(Cap->GetVCapSourceIdx(), first);
    EXPECT_EQ(Cap->GetVCapSource(), kCameraName);
}

TEST_F(CameraTest, ListedDeviceThatCannotBeMadeIsReportedAndTheCallerRunsOn)
{
    TSecondCamera unplugged("Unplugged Camera", kNoServerClsid);
    ASSERT_TRUE(unplugged.Registered);
    std::unique_ptr<TStringList> names(GetVideoDevicesList(true));
    const int i = names->IndexOf("Unplugged Camera");
    ASSERT_GE(i, 0);
    Cap->ChooseDevices(i, -1);
    EXPECT_FALSE(Cap->GraphBuilt());
    EXPECT_FALSE(Cap->StartPreview());
    EXPECT_FALSE(Cap->CaptureFrame());
    EXPECT_EQ(Cap->GetVCapModeCount(), 0);
    ASSERT_EQ(Boxes.Texts().size(), 1u);
    // The code is the binding's (class not registered).
    EXPECT_EQ(Boxes.Texts()[0],
              "Error 80040154.\r\nCan't create video capture filter - propably you havn't video capture device!");
    ExpectedBoxes = 1;
    // The working camera is still there for the same component.
    Cap->ChooseDevices(names->IndexOf(kCameraName), -1);
    EXPECT_TRUE(Cap->Previewing());
    EXPECT_TRUE(GrabOne());
}

TEST_F(CameraTest, ModesAreListedWithTheirRates)
{
    Cap->ChooseDevices(CameraIndex(), -1);
    ASSERT_FALSE(Cap->GetIsDVSource());
    ASSERT_EQ(Cap->GetVCapModeCount(), 3);
    const char* texts[] = {"640x480x24b (RGB24)", "320x240x24b (RGB24)", "160x120x24b (RGB24)"};
    for (int i = 0; i < 3; ++i) {
        TVCapMode m;
        Cap->GetVCapModes(i, m);
        EXPECT_EQ(GetModeString(m), texts[i]);
        EXPECT_TRUE(IsEqualGUID(m.MajorType, MEDIATYPE_Video));
        EXPECT_DOUBLE_EQ(m.FrameRate, 10000000.0 / 333333);
        EXPECT_DOUBLE_EQ(m.MinFrameRate, 1.0);
        EXPECT_DOUBLE_EQ(m.MaxFrameRate, 10000000.0 / 333333);
    }
    TVCapMode none;
    Cap->GetVCapModes(3, none);
    EXPECT_EQ(none.Width, 0);
    Cap->GetVCapModes(-1, none);
    EXPECT_EQ(none.Width, 0);
    // A fresh camera starts in its first mode; the current mode has no rates.
    TVCapMode cur;
    Cap->GetVCapMode(cur);
    EXPECT_EQ(GetModeString(cur), texts[0]);
    EXPECT_EQ(cur.FrameRate, 0.0);
    EXPECT_EQ(Cap->GetVCapModeIdx(), 0);
    EXPECT_EQ(Cap->GetACapModeCount(), 0);
}

TEST_F(CameraTest, ModeChosenByIndexAndByRecord)
{
    Cap->ChooseDevices(CameraIndex(), -1);
    int changes = 0;
    Cap->OnChangeVCapMode = [&](TObject*) { ++changes; };

    // By index: the graph is left torn down for the caller to start again.
    ASSERT_TRUE(Cap->SetVCapMode(2));
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(Cap->GraphBuilt());
    EXPECT_FALSE(Cap->Previewing());
    EXPECT_EQ(Cap->GetVCapModeIdx(), 2);
    EXPECT_FALSE(Cap->SetVCapMode(3));
    EXPECT_FALSE(Cap->SetVCapMode(-1));
    EXPECT_EQ(changes, 1);

    // By record: the first equal mode of the list is set.
    TVCapMode m320;
    Cap->GetVCapModes(1, m320);
    ASSERT_TRUE(Cap->SetVCapMode(m320));
    EXPECT_EQ(Cap->GetVCapModeIdx(), 1);
    EXPECT_EQ(changes, 2);

    // The current mode by record: true without tearing the graph down.
    ASSERT_TRUE(Cap->StartPreview());
    ASSERT_TRUE(Cap->SetVCapMode(m320));
    EXPECT_TRUE(Cap->Previewing());
    EXPECT_EQ(changes, 2);

    TVCapMode odd = m320;
    odd.Width = 333;
    EXPECT_FALSE(Cap->SetVCapMode(odd));
}

TEST_F(CameraTest, GrabbedFrameArrivesOnGuiThreadWithSizeAndPattern)
{
    Cap->ChooseDevices(CameraIndex(), -1);
    const struct {
        int Index, W, H;
    } modes[] = {{2, 160, 120}, {1, 320, 240}, {0, 640, 480}};
    for (const auto& mode : modes) {
        SCOPED_TRACE(mode.W);
        ASSERT_TRUE(Cap->SetVCapMode(mode.Index));
        ASSERT_TRUE(Cap->StartPreview());
        ASSERT_TRUE(GrabOne());
        EXPECT_EQ(GrabThread, MainThreadID);
        ASSERT_EQ(Last->GetWidth(), mode.W);
        ASSERT_EQ(Last->GetHeight(), mode.H);
        for (int k = 0; k < 8; ++k) {
            EXPECT_EQ(PixelAt(Last.get(), k * mode.W / 8 + mode.W / 16, mode.H / 3), kBars[k]) << "bar " << k;
            EXPECT_EQ(PixelAt(Last.get(), k * mode.W / 8 + 1, 1), kBars[k]) << "bar " << k << " top";
        }
        const int n = StripCounter(Last.get());
        ASSERT_GE(n, 0);
        POINT box = BoxCentre(mode.W, mode.H, n);
        EXPECT_EQ(PixelAt(Last.get(), box.x, box.y), (Rgb{255, 255, 255}));
        // The band is dark grey above the square.
        EXPECT_EQ(PixelAt(Last.get(), box.x, mode.H * 2 / 3 + mode.H / 48), (Rgb{64, 64, 64}));
    }
}

TEST_F(CameraTest, FramesMoveAndCountInRealTime)
{
    Cap->ChooseDevices(CameraIndex(), -1);
    ASSERT_TRUE(Cap->SetVCapMode(1));
    ASSERT_TRUE(Cap->StartPreview());
    ASSERT_TRUE(GrabOne());
    const int n1 = StripCounter(Last.get());
    const DWORD t1 = GetTickCount();
    PumpFor(700);
    ASSERT_TRUE(GrabOne());
    const int n2 = StripCounter(Last.get());
    const DWORD elapsed = GetTickCount() - t1;
    ASSERT_GE(n1, 0);
    ASSERT_GT(n2, n1);
    // Paced: never more frames than 30 a second allow (one of slack each end).
    EXPECT_LE(n2 - n1, static_cast<int>(elapsed * 30 / 1000) + 2);
    POINT a = BoxCentre(320, 240, n1), b = BoxCentre(320, 240, n2);
    EXPECT_NE(a.x, b.x);
    EXPECT_EQ(PixelAt(Last.get(), b.x, b.y), (Rgb{255, 255, 255}));
}

TEST_F(CameraTest, FrameRateIsAppliedToTheCamera)
{
    Cap->UseFrameRate = true;
    Cap->SetFrameRate(10);
    Cap->ChooseDevices(CameraIndex(), -1);
    ASSERT_TRUE(Cap->Previewing());
    ASSERT_TRUE(GrabOne());
    const int n1 = StripCounter(Last.get());
    const DWORD t1 = GetTickCount();
    PumpFor(1000);
    ASSERT_TRUE(GrabOne());
    const int n2 = StripCounter(Last.get());
    const DWORD elapsed = GetTickCount() - t1;
    EXPECT_GT(n2, n1);
    EXPECT_LE(n2 - n1, static_cast<int>(elapsed * 10 / 1000) + 2);
}

TEST_F(CameraTest, CaptureFrameBeforePreviewArmsNothing)
{
    Cap->WantPreview = false;
    Cap->ChooseDevices(CameraIndex(), -1);
    EXPECT_TRUE(Cap->GraphBuilt());
    EXPECT_FALSE(Cap->Previewing());
    EXPECT_FALSE(Cap->CaptureFrame());
    ASSERT_TRUE(Cap->StartPreview());
    PumpFor(400);
    EXPECT_EQ(Grabbed, 0);
}

TEST_F(CameraTest, ArmingTwiceDeliversOneFrame)
{
    int rendered = 0;
    Cap->OnFrameRendered = [&](TObject*) { ++rendered; };
    Cap->ChooseDevices(CameraIndex(), -1);
    ASSERT_TRUE(Cap->CaptureFrame());
    ASSERT_TRUE(Cap->CaptureFrame());
    ASSERT_TRUE(PumpUntil([&] { return Grabbed > 0; }, 5000));
    PumpFor(400);
    EXPECT_EQ(Grabbed, 1);
    EXPECT_GT(rendered, 1);
}

TEST_F(CameraTest, FrameRateSetterTable)
{
    const struct {
        double In, Stored;
    } cases[] = {{0.5, 25}, {60, 25}, {1, 1}, {50, 50}, {12.5, 12.5}, {0, 25}, {-3, 25}};
    for (const auto& c : cases) {
        Cap->SetFrameRate(c.In);
        EXPECT_EQ(Cap->GetFrameRate(), c.Stored) << c.In;
    }
}

TEST_F(CameraTest, ConfigurationSavedAsTextRestoresTheSameSetUp)
{
    Cap->SetCaptureFileName("take one.avi");
    Cap->SetTempCaptureFileName("scratch.avi");
    Cap->ChooseDevices(CameraIndex(), -1);
    ASSERT_TRUE(Cap->SetVCapMode(1));
    ASSERT_TRUE(Cap->StartPreview());
    TGraphConfig saved;
    Cap->SaveGraph(&saved);
    const std::string text = saved.SaveGraph();
    EXPECT_NE(text.find("\"VCapSource=Test Pattern Camera\""), std::string::npos) << text;
    EXPECT_NE(text.find("VCapModeMediaSubType=7DEB36E44F52CE119F530020AF0BA770"), std::string::npos) << text;
    EXPECT_NE(text.find("VCapModeWidth=320,VCapModeHeight=240,VCapModeBits=24"), std::string::npos) << text;
    EXPECT_EQ(text.find("WantPreview=0"), std::string::npos);
    EXPECT_NE(text.find("WantCapture=0"), std::string::npos);
    EXPECT_NE(text.find("WantAudio=0"), std::string::npos);
    EXPECT_NE(text.find("\"CaptureFileName=take one.avi\""), std::string::npos);

    // Another component, set up differently, follows the text.
    Cap.reset();
    TVideoCapture other(nullptr);
    other.WantAudio = true;
    other.WantBitmaps = false;
    int grabbed = 0, w = 0, h = 0;
    other.OnBitmapGrabbed = [&](TCapturedBitmap* bmp) {
        ++grabbed;
        w = bmp->GetWidth();
        h = bmp->GetHeight();
    };
    TGraphConfig restored;
    restored.RestoreGraph(text);
    other.RestoreGraph(&restored);
    EXPECT_TRUE(other.Previewing());
    EXPECT_FALSE(other.WantAudio);
    EXPECT_TRUE(other.WantBitmaps);
    EXPECT_EQ(other.GetVCapSource(), kCameraName);
    EXPECT_EQ(other.GetVCapModeIdx(), 1);
    TGraphConfig again;
    other.SaveGraph(&again);
    EXPECT_EQ(again.SaveGraph(), text);
    ASSERT_TRUE(other.CaptureFrame());
    ASSERT_TRUE(PumpUntil([&] { return grabbed > 0; }, 5000));
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 240);
}

TEST_F(CameraTest, ConfigurationNamingAMissingDeviceReportsIt)
{
    TGraphConfig cfg;
    cfg.WantPreview = true;
    cfg.WantBitmaps = true;
    cfg.VCapSource = "No Such Camera";
    Cap->RestoreGraph(&cfg);
    EXPECT_FALSE(Cap->Previewing());
    EXPECT_FALSE(Cap->CaptureFrame());
    ASSERT_TRUE(PumpUntil([&] { return Boxes.Texts().size() >= 1; }, 3000));
    EXPECT_EQ(Boxes.Texts()[0],
              "Error 0.\r\nCan't create video capture filter - propably you havn't video capture device!");
    ExpectedBoxes = 1;
}

TEST_F(CameraTest, DestroyingWhilePreviewingReleasesTheCamera)
{
    for (int round = 0; round < 3; ++round) {
        Cap.reset(new TVideoCapture(nullptr));
        Cap->WantAudio = false;
        Cap->WantCapture = false;
        Cap->ChooseDevices(CameraIndex(), -1);
        ASSERT_TRUE(Cap->Previewing()) << round;
        PumpFor(100);
    }
    Cap.reset();
}

TEST_F(CameraTest, PreviewIsAChildWindowThatFollowsTheComponentsSize)
{
    HWND host = CreateWindowExA(0, "STATIC", "capture host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                                0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    Cap->SetParentWindow(host);
    Cap->SetBounds(10, 10, 200, 150);
    EXPECT_EQ(GetParent(Cap->GetHandle()), host);
    EXPECT_TRUE(IsWindowVisible(Cap->GetHandle()));
    Cap->ChooseDevices(CameraIndex(), -1);
    ASSERT_TRUE(Cap->Previewing());
    HWND video = GetWindow(Cap->GetHandle(), GW_CHILD);
    ASSERT_NE(video, nullptr);
    RECT r;
    GetWindowRect(video, &r);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 150);
    Cap->SetBounds(0, 0, 320, 240);
    PumpFor(50);
    GetWindowRect(video, &r);
    EXPECT_EQ(r.right - r.left, 320);
    EXPECT_EQ(r.bottom - r.top, 240);
    // The host may go first: the component lives on without its window.
    DestroyWindow(host);
    EXPECT_FALSE(Cap->HandleAllocated());
    EXPECT_TRUE(Cap->CaptureFrame());
    PumpFor(100);
    EXPECT_EQ(Grabbed, 0);
}

TEST_F(CameraTest, ShowDialogNeedsAnAvailableDialogAndNoCapture)
{
    Cap->ChooseDevices(CameraIndex(), -1);
    // The camera brings no property pages and no Video for Windows dialogs.
    EXPECT_TRUE(Cap->AvailableDialogs().Empty());
    for (int d = 0; d < CaptureDialogCount; ++d) EXPECT_FALSE(Cap->ShowDialog(static_cast<TCaptureDialog>(d)));
    EXPECT_TRUE(Cap->Previewing());
}

} // namespace
