// The preview window: a recording started and stopped from the Customization
// dialog, written as the main window writes one, plays back in the window with
// its picture following the sound; and the window's start and close paths.
#include "test_gtest.h"
#include "CustomizationForm.h"
#include "DialogTestKit.h"
#include "MediaClock.h"
#include "Mpeg4Panel.h"
#include "OggEncoder.h"
#include "PreviewForm.h"
#include "Settings.h"
#include "SoundFixtures.h"
#include "VideoTestSupport.h"
#include <algorithm>
#include <cstdlib>
#include <map>

using namespace dlgtest;

namespace {

const int kW = 320, kH = 240;

// Frame i of the broadcast is a flat picture of grey level LevelOf(i), so the
// picture on the panel tells which frame, and so which stamp, it shows.
int LevelOf(int frame) { return 40 + 6 * frame; }

struct Broadcast {
    std::map<int, uint32_t> StampOfLevel;
    int Frames = 0;
    int SoundRecords = 0;
    int HeaderRecords = 0;
};

// Writes into the recording the dialog handed over what the main window writes
// while it broadcasts, in real time: a frame every 125 ms, each 100 ms of sound
// encoded and its pages collected with a flush, and every 2 s the Vorbis
// headers again as a flagged sound record (empty when no page was ready).
Broadcast RecordBroadcast(CVideo& rec, DWORD ms)
{
    Broadcast b;
    videotest::TestCompressor compressor;
    EXPECT_TRUE(compressor.Open(kW, kH));
    COggEncoder encoder;
    EXPECT_TRUE(encoder.Init(1, 8000, 16, -0.1f));
    std::vector<uint8_t> tone = soundtest::LittleEndian(soundtest::Tone(440, 8000 * 10, 8000));
    size_t toneAt = 0;
    auto pages = [&](bool flush, int flag) {
        uint8_t* data = nullptr;
        int32_t length = 0;
        bool got = encoder.GetPages(flush, data, length);
        if (flag || (got && length > 0)) {
            rec.Write(got ? length : 0, data, kRecordAudio, static_cast<uint8_t>(flag));
            (flag ? b.HeaderRecords : b.SoundRecords)++;
        }
        std::free(data);
    };
    DWORD t0 = GetTickCount(), nextFrame = 0, nextSound = 100, nextHeader = 0;
    for (DWORD t = 0; t < ms; t = GetTickCount() - t0) {
        if (t >= nextHeader) {
            encoder.WriteHeaders();
            pages(false, 1);
            nextHeader += 2000;
        }
        if (t >= nextSound) {
            encoder.Encode(tone.data() + toneAt, 1600);
            toneAt += 1600;
            pages(true, 0);
            nextSound += 100;
        }
        if (t >= nextFrame) {
            int level = LevelOf(b.Frames);
            std::vector<uint8_t> dib = videotest::Flat(kW, kH, static_cast<uint8_t>(level));
            videotest::CompressedFrame f;
            if (compressor.Compress(dib.data(), 7500, f) == ICERR_OK) {
                uint32_t stamp = MediaClockMs();
                std::vector<uint8_t> payload(4 + f.Data.size());
                PutStamp(payload.data(), stamp);
                std::copy(f.Data.begin(), f.Data.end(), payload.begin() + 4);
                rec.Write(static_cast<int32_t>(payload.size()), payload.data(), kRecordVideo, f.Key ? 1 : 0);
                b.StampOfLevel[level] = stamp;
            }
            ++b.Frames;
            nextFrame += 125;
        }
        Sleep(2);
    }
    return b;
}

// The grey level in the middle of what the panel shows now.
int PanelLevel(CMpeg4Panel* panel)
{
    TBitmap bmp(kW, kH, pf24bit);
    panel->PaintTo(bmp.GetCanvas(), kW, kH);
    const uint8_t* p = static_cast<const uint8_t*>(bmp.ScanLine(kH / 2)) + 3 * (kW / 2);
    return (p[0] + p[1] + p[2]) / 3;
}

struct Sample {
    DWORD Wall;
    int32_t Clock;
    int32_t Stamp;
};

TEST(Preview, ARecordingMadeFromTheDialogPlaysWithPictureAndSoundInStep)
{
    TTestFolder folder("preview_e2e");
    std::string outFile = soundtest::SoftcardPath("SOFTCARD_OUT");
    ASSERT_FALSE(outFile.empty()) << "SOFTCARD_OUT is not set: run through ctest";
    DeleteFileA(outFile.c_str());

    // Start Record in the dialog, the broadcast, Stop Record.
    TFakeHost host;
    std::unique_ptr<TForm3> dialog(new TForm3(nullptr, &host));
    dialog->Show();
    std::string file = folder + "broadcast.str";
    {
        TFileDialogHand hand(file);
        dialog->Button7->ButtonClick();
        hand.WaitFor();
    }
    ASSERT_TRUE(host.Recorder);
    Broadcast b = RecordBroadcast(*host.Recorder, 4000);
    dialog->Button8->ButtonClick();
    ASSERT_FALSE(host.Recorder);
    ASSERT_GE(b.Frames, 28);
    ASSERT_GE(b.SoundRecords, 30);
    ASSERT_GE(b.HeaderRecords, 2);
    ASSERT_EQ(dialog->Edit1->GetText(), file);

    // Play: the preview window, modal, sampled while it plays.
    std::vector<Sample> samples;
    bool panelPlaced = false;
    int32_t lastClock = 0;
    DWORD endSeen = 0;
    TModalStep watch(
        [&] {
            auto* window = dynamic_cast<TForm4*>(ModalForm());
            CAVFilePlayer* player = FilePlayer;
            if (!window || !player) return false;
            CMpeg4Panel* panel = player->GetPanel();
            if (!panel) return false;
            panelPlaced = panelPlaced || (panel->GetParent() == window && panel->GetLeft() == 0 && panel->GetTop() == 0);
            int32_t clock = player->GetSoundClock();
            if (panel->GetState() == -1 && clock != -1) {
                int level = PanelLevel(panel);
                auto match = b.StampOfLevel.lower_bound(level - 3);
                if (match != b.StampOfLevel.end() && std::abs(match->first - level) <= 3)
                    samples.push_back({GetTickCount(), clock, static_cast<int32_t>(match->second)});
            }
            // Played to the end: the sound has run dry for a while.
            if (!samples.empty() && clock == -1) {
                if (!endSeen) endSeen = GetTickCount();
                return GetTickCount() - endSeen > 800;
            }
            endSeen = 0;
            lastClock = clock;
            return false;
        },
        20000, [] {
            if (TCustomForm* m = ModalForm()) m->Close();
        });
    dialog->Button12->ButtonClick();
    EXPECT_TRUE(watch.Done());
    EXPECT_EQ(FilePlayer, nullptr);
    EXPECT_TRUE(panelPlaced);

    ASSERT_GE(samples.size(), 40u) << "too few pictures seen while the sound played";
    // The pictures shown span most of the recording.
    int32_t firstStamp = samples.front().Stamp, lastStamp = samples.back().Stamp;
    EXPECT_GE(lastStamp - firstStamp, 2000);
    // Each picture is the one of the sound's moment: at most about a frame and
    // a sound packet apart, never drifting. The first moments are left out: the
    // video starts after its own pre-buffering while the sound already plays,
    // and catches up without dropping frames.
    std::vector<int32_t> gaps;
    for (const Sample& s : samples) {
        if (s.Wall - samples.front().Wall < 300) continue;
        int32_t gap = s.Stamp - s.Clock;
        gaps.push_back(std::abs(gap));
        // A picture this far from its sound means the players have come apart.
        EXPECT_LE(std::abs(gap), 600) << "picture " << s.Stamp << " with the sound at " << s.Clock;
    }
    ASSERT_FALSE(gaps.empty());
    std::sort(gaps.begin(), gaps.end());
    EXPECT_LE(gaps[gaps.size() / 2], 150);
    // On a busy machine a picture may come one paint late now and then; nearly all
    // stay within about a frame and a sound packet.
    EXPECT_LE(gaps[gaps.size() * 95 / 100], 300);
    // The sound clock runs at the pace of the device.
    const Sample& a = samples[samples.size() / 5];
    const Sample& z = samples[samples.size() * 4 / 5];
    double rate = double(z.Clock - a.Clock) / double(z.Wall - a.Wall);
    EXPECT_GT(rate, 0.7);
    EXPECT_LT(rate, 1.3);

    // What the device played is the recorded tone.
    std::vector<int16_t> played = soundtest::FromLittleEndian(soundtest::ReadFileBytes(outFile));
    size_t sounding = std::count_if(played.begin(), played.end(), [](int16_t v) { return std::abs(v) > 500; });
    EXPECT_GT(sounding, 8000u);
    std::vector<double> x = soundtest::FromSigned16(played);
    EXPECT_GT(soundtest::ToneEnergy(x, 440), 20 * soundtest::ToneEnergy(x, 1000));
    (void)lastClock;
}

TEST(Preview, AFileThatDoesNotPlayLeavesTheWindowEmptyAndClosesNormally)
{
    TTestFolder folder("preview_missing");
    TForm4 window(nullptr);
    window.FileName = folder + "absent.str";
    int controls = -1;
    bool hadPlayer = false;
    TModalStep close([&] {
        if (ModalForm() != &window) return false;
        controls = window.GetControlCount();
        hadPlayer = FilePlayer != nullptr;
        window.Close();
        return true;
    }, 10000, [&] {
        if (ModalForm() == &window) window.Close();
    });
    window.ShowModal();
    EXPECT_EQ(controls, 0);
    EXPECT_TRUE(hadPlayer);
    EXPECT_EQ(FilePlayer, nullptr);
    EXPECT_EQ(window.GetCaption(), "Player");
    EXPECT_EQ(window.GetClientWidth(), 315);
    EXPECT_EQ(window.GetClientHeight(), 240);
}

TEST(Preview, ClosingTheWindowDuringPrebufferingStopsEverythingAtOnce)
{
    TTestFolder folder("preview_early");
    // A header record and one key frame: neither queue ever fills.
    TFakeHost host;
    {
        CVideo rec(folder + "short.str", true);
        videotest::TestCompressor compressor;
        ASSERT_TRUE(compressor.Open(kW, kH));
        videotest::CompressedFrame f;
        std::vector<uint8_t> dib = videotest::Flat(kW, kH, 100);
        ASSERT_EQ(compressor.Compress(dib.data(), 7500, f), ICERR_OK);
        std::vector<uint8_t> payload(4 + f.Data.size());
        PutStamp(payload.data(), MediaClockMs());
        std::copy(f.Data.begin(), f.Data.end(), payload.begin() + 4);
        rec.Write(0, nullptr, kRecordAudio, 1);
        rec.Write(static_cast<int32_t>(payload.size()), payload.data(), kRecordVideo, 1);
    }
    TForm4 window(nullptr);
    window.FileName = folder + "short.str";
    DWORD closedAt = 0, seenAt = 0;
    int state = 1000;
    TModalStep close([&] {
        if (ModalForm() != &window || !FilePlayer || !FilePlayer->GetPanel()) return false;
        if (!seenAt) seenAt = GetTickCount();
        if (GetTickCount() - seenAt < 300) return false;
        state = FilePlayer->GetPanel()->GetState();
        closedAt = GetTickCount();
        window.Close();
        return true;
    }, 10000, [&] {
        if (ModalForm() == &window) window.Close();
    });
    window.ShowModal();
    ASSERT_NE(closedAt, 0u);
    EXPECT_GE(state, 0);   // still buffering
    EXPECT_LT(GetTickCount() - closedAt, 3000u);
    EXPECT_EQ(FilePlayer, nullptr);
}

} // namespace
