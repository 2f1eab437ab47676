// Helpers of the capture tests: pumping the GUI thread, answering the component's
// message boxes from a watcher thread, and reading the test-pattern camera's
// picture.
#pragma once
#include "test_gtest.h"
#include "Forms.h"
#include "SyncObjs.h"
#include "VideoCapture.h"
#include "WaitUntil.h"
#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace capture_test {

const char* const kCameraName = "Test Pattern Camera";

// Watches for message boxes of this process captioned "DirectShow - Capture",
// records their texts and the caption of their first button, and answers them.
class TBoxWatcher : public TThread {
public:
    explicit TBoxWatcher(int Answer = IDOK) : FAnswer(Answer) { Resume(); }
    ~TBoxWatcher() override
    {
        Terminate();
        WaitFor();
    }
    std::vector<std::string> Texts()
    {
        TLockGuard<TCriticalSection> hold(FLock);
        return FTexts;
    }
    std::string FirstButton()
    {
        TLockGuard<TCriticalSection> hold(FLock);
        return FFirstButton;
    }
    void SetAnswer(int Answer) { FAnswer = Answer; }

protected:
    void Execute() override
    {
        while (!Terminated()) {
            HWND box = nullptr;
            while ((box = FindWindowExA(nullptr, box, "#32770", _rsDShowCapture)) != nullptr) {
                DWORD pid = 0;
                GetWindowThreadProcessId(box, &pid);
                if (pid != GetCurrentProcessId() || !IsWindowVisible(box)) continue;
                Record(box);
                PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(FAnswer.load()), 0);
                // Wait for it to go before looking again, so each box counts once.
                for (int i = 0; i < 200 && IsWindow(box) && !Terminated(); ++i) Sleep(10);
                box = nullptr;
            }
            Sleep(15);
        }
    }

private:
    static BOOL CALLBACK CollectStatic(HWND child, LPARAM param)
    {
        char cls[32] = {}, text[1024] = {};
        GetClassNameA(child, cls, sizeof(cls));
        GetWindowTextA(child, text, sizeof(text));
        auto* best = reinterpret_cast<std::string*>(param);
        if (lstrcmpiA(cls, "Static") == 0 && std::string(text).size() > best->size()) *best = text;
        return TRUE;
    }
    void Record(HWND box)
    {
        std::string text;
        EnumChildWindows(box, &TBoxWatcher::CollectStatic, reinterpret_cast<LPARAM>(&text));
        char button[64] = {};
        GetDlgItemTextA(box, IDOK, button, sizeof(button));
        TLockGuard<TCriticalSection> hold(FLock);
        FTexts.push_back(text);
        FFirstButton = button;
    }
    std::atomic<int> FAnswer;
    TCriticalSection FLock;
    std::vector<std::string> FTexts;
    std::string FFirstButton;
};

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

inline Rgb PixelAt(TBitmap* bmp, int x, int y)
{
    const BYTE* row = static_cast<const BYTE*>(bmp->ScanLine(y));
    return {row[x * 3 + 2], row[x * 3 + 1], row[x * 3]};
}

// The camera's picture: the bar colours, left to right.
const Rgb kBars[8] = {{255, 255, 255}, {255, 255, 0}, {0, 255, 255}, {0, 255, 0},
                      {255, 0, 255},   {255, 0, 0},   {0, 0, 255},   {0, 0, 0}};

// The frame number in the bottom strip of 16 cells (most significant bit left);
// -1 when a cell is neither black nor white.
inline int StripCounter(TBitmap* bmp)
{
    const int w = bmp->GetWidth(), h = bmp->GetHeight();
    int n = 0;
    for (int i = 0; i < 16; ++i) {
        Rgb p = PixelAt(bmp, (2 * i + 1) * w / 32, h - h / 24);
        if (p == Rgb{255, 255, 255})
            n = n << 1 | 1;
        else if (p == Rgb{0, 0, 0})
            n <<= 1;
        else
            return -1;
    }
    return n;
}

// Where the moving square of frame n stands: its centre.
inline POINT BoxCentre(int w, int h, int n)
{
    const int u = h / 48 > 0 ? h / 48 : 1;
    const int side = h / 12;
    const int step = w / 80 > 0 ? w / 80 : 1;
    const int x = (n * step) % (w - side);
    return {x + side / 2, h * 2 / 3 + 2 * u + side / 2};
}

inline bool EnvSet(const char* name)
{
    char buf[8];
    return GetEnvironmentVariableA(name, buf, sizeof(buf)) > 0;
}

// These run only where the camera is installed and loadable (the normal run).
#define REQUIRE_CAMERA()                                                              \
    do {                                                                              \
        if (EnvSet("CAPTURE_TEST_NO_DEVICE")) GTEST_SKIP() << "run without devices";   \
    } while (0)

class CameraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_CAMERA();
        Cap.reset(new TVideoCapture(nullptr));
        Cap->WantAudio = false;
        Cap->WantCapture = false;
        Cap->OnBitmapGrabbed = [this](TCapturedBitmap* bmp) {
            ++Grabbed;
            GrabThread = GetCurrentThreadId();
            Last.reset(new TBitmap());
            Last->Assign(bmp);
        };
        ASSERT_TRUE(Cap->Init());
    }
    void TearDown() override
    {
        Cap.reset();
        if (IsSkipped()) return;
        Boxes.Terminate();
        Boxes.WaitFor();
        const auto texts = Boxes.Texts();
        EXPECT_EQ(texts.size(), ExpectedBoxes) << (texts.empty() ? std::string() : texts[0]);
    }
    // The camera's index in the device list.
    int CameraIndex()
    {
        std::unique_ptr<TStringList> names(GetVideoDevicesList(false));
        return names->IndexOf(kCameraName);
    }
    // Asks for one frame and waits for it on the GUI thread.
    bool GrabOne(DWORD timeout = 5000)
    {
        const int before = Grabbed;
        if (!Cap->CaptureFrame()) return false;
        return PumpUntil([&] { return Grabbed > before; }, timeout);
    }

    TBoxWatcher Boxes;
    size_t ExpectedBoxes = 0;          // the boxes a test means to see
    std::unique_ptr<TVideoCapture> Cap;
    int Grabbed = 0;
    DWORD GrabThread = 0;
    std::unique_ptr<TBitmap> Last;
};

} // namespace capture_test
