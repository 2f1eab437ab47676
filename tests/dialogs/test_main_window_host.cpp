// The dialogs on the real main window (constructed, not shown): the recording
// belongs to the main window once handed over, and a second start closes the first.
// Winsock first: its headers must precede the C library's.
#include "MainForm.h"
#include "test_gtest.h"
#include "CustomizationForm.h"
#include "DialogTestKit.h"
#include "Settings.h"

using namespace dlgtest;

namespace {

TEST(MainWindowHost, TheMainWindowOwnsEveryRecordingStartedFromTheDialog)
{
    TTestFolder folder("host_recording");
    std::unique_ptr<TForm1> main(new TForm1(Application));
    CMainWindowHost host(main.get());
    std::string first = folder + "first.str", second = folder + "second.str";

    auto startFrom = [&](const std::string& file) {
        std::unique_ptr<TForm3> d(new TForm3(nullptr, &host));
        d->Show();
        TFileDialogHand hand(file);
        d->Button7->ButtonClick();
        hand.WaitFor();
        EXPECT_TRUE(hand.Answered());
        EXPECT_EQ(d->Edit1->GetText(), file);
        // The dialog closes while recording.
        d->Button6Click(d->Button6);
    };
    startFrom(first);
    EXPECT_TRUE(OpenForWriting(first));
    EXPECT_EQ(main->FRecordVideo, 1);
    EXPECT_EQ(main->FRecordAudio, 1);

    // A second start from a later dialog closes the first recording.
    startFrom(second);
    EXPECT_FALSE(OpenForWriting(first));
    EXPECT_TRUE(OpenForWriting(second));

    // Stop Record of yet another dialog closes what the main window writes.
    std::unique_ptr<TForm3> d(new TForm3(nullptr, &host));
    d->Show();
    d->Button8->ButtonClick();
    EXPECT_FALSE(OpenForWriting(second));
    EXPECT_EQ(main->FRecordVideo, 0);
    EXPECT_EQ(main->FRecordAudio, 0);
    d.reset();
    main.reset();
}

TEST(MainWindowHost, TheSizeIndexAndThePortComeFromTheMainWindow)
{
    TTestFolder folder("host_fields");
    std::unique_ptr<TForm1> main(new TForm1(Application));
    CMainWindowHost host(main.get());
    main->FResIndex = 1;
    EXPECT_EQ(host.GetResIndex(), 1);
    host.SetResIndex(0);
    EXPECT_EQ(main->FResIndex, 0);
    host.SetCodecConfigure(true);
    EXPECT_EQ(main->FCodecConfigure, 1);
    host.SetCodecConfigure(false);
    EXPECT_EQ(main->FCodecConfigure, 0);
    // Not listening (never shown): the port the server is set to open.
    EXPECT_EQ(host.ServerPort(), main->ServerSocket1->Port);
}

} // namespace
