// Without any capture device the component says so (Init), reports a device that
// is chosen all the same with its own box, and the caller runs on without video.
// This runs as its own ctest entry (capture_no_device_tests), whose environment
// takes the device enumerator out of the process's reach.
#include "CaptureTestSupport.h"
#include "GraphConfig.h"

using namespace capture_test;

namespace {

// The broadcasting program's way in: list, init, choose the
// first device; then everything a caller may still do must be harmless.
void RunOnWithoutVideo(TVideoCapture& cap, int device)
{
    cap.WantAudio = false;
    cap.WantCapture = false;
    cap.ChooseDevices(device, -1, true);
    EXPECT_FALSE(cap.GraphBuilt());
    EXPECT_FALSE(cap.StartPreview());
    EXPECT_FALSE(cap.Previewing());
    EXPECT_FALSE(cap.CaptureFrame());
    EXPECT_FALSE(cap.StartCapture(false));
    EXPECT_FALSE(cap.StopPreview());
    EXPECT_EQ(cap.GetVCapModeCount(), 0);
    EXPECT_EQ(cap.GetVCapModeIdx(), -1);
    EXPECT_FALSE(cap.SetVCapMode(0));
    TGraphConfig cfg;
    cap.SaveGraph(&cfg);
    EXPECT_EQ(cfg.VCapSource, "");
    PumpFor(200);
}

TEST(NoDevice, NoDeviceIsListedAndChoosingOneIsReported)
{
    if (!EnvSet("CAPTURE_TEST_NO_DEVICE")) GTEST_SKIP() << "runs as capture_no_device_tests";
    std::unique_ptr<TStringList> names(GetVideoDevicesList(true));
    EXPECT_EQ(names->Count(), 0);
    TBoxWatcher boxes;
    {
        TVideoCapture cap(nullptr);
        EXPECT_FALSE(cap.Init());
        // Choosing "no device" when there is none changes nothing and says nothing.
        cap.ChooseDevices(0, -1);
        EXPECT_TRUE(boxes.Texts().empty());
        RunOnWithoutVideo(cap, 0);
        // The program's configuration names the first listed device: none.
        TGraphConfig cfg;
        cfg.WantPreview = cfg.WantBitmaps = true;
        cap.RestoreGraph(&cfg);
        EXPECT_FALSE(cap.Previewing());
        EXPECT_FALSE(cap.CaptureFrame());
    }
    boxes.Terminate();
    boxes.WaitFor();
    ASSERT_EQ(boxes.Texts().size(), 2u);
    for (const auto& text : boxes.Texts())
        EXPECT_EQ(text, "Error 0.\r\nCan't create video capture filter - propably you havn't video capture device!");
}

} // namespace
