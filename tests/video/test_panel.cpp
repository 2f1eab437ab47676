// The video panel: the buffering view, the picture stretched to the panel, and
// painting from a player thread while the GUI thread moves the panel.
#include "test_gtest.h"
#include "Controls.h"
#include "Mpeg4Panel.h"
#include "SysUtils.h"
#include "Thread.h"
#include <atomic>
#include <memory>

namespace {

TColor Pixel(TBitmap& b, int x, int y)
{
    const uint8_t* p = static_cast<const uint8_t*>(b.ScanLine(y)) + 3 * x;
    return RGBToColor(p[2], p[1], p[0]);
}

const TColor kGrey = RGBToColor(128, 128, 128);
const TColor kSilver = RGBToColor(192, 192, 192);
const TColor kWhite = RGBToColor(255, 255, 255);

std::unique_ptr<TBitmap> Painted(CMpeg4Panel& panel, int w, int h)
{
    std::unique_ptr<TBitmap> b(new TBitmap(w, h, pf24bit));
    panel.PaintTo(b->GetCanvas(), w, h);
    return b;
}

TEST(Mpeg4Panel, BufferingViewShowsTheBarAndTheText)
{
    struct { int state, w, h; const char* text; } cases[] = {
        {0, 320, 240, "Waiting for first frame ..."},
        {42, 320, 240, "Loading 42 % ..."},
        {50, 320, 240, "Loading 50 % ..."},
        {100, 160, 120, "Loading 100 % ..."},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.text);
        CMpeg4Panel panel(c.w, c.h);
        panel.SetPercent(c.state);
        EXPECT_EQ(panel.GetState(), c.state);
        auto b = Painted(panel, c.w, c.h);
        int barY = c.h - 15;
        int fillEnd = 11 + c.state * (c.w - 22) / 100;   // first pixel after the white part
        EXPECT_EQ(Pixel(*b, 2, 2), kGrey);
        EXPECT_EQ(Pixel(*b, 10, barY), kSilver);
        EXPECT_EQ(Pixel(*b, c.w - 11, barY), kSilver);
        EXPECT_EQ(Pixel(*b, c.w - 10, barY), kGrey);
        EXPECT_EQ(Pixel(*b, 10, c.h - 20), kSilver);
        EXPECT_EQ(Pixel(*b, 10, c.h - 21), kGrey);
        if (c.state > 0) {
            EXPECT_EQ(Pixel(*b, 11, barY), kWhite);
            EXPECT_EQ(Pixel(*b, fillEnd - 1, barY), kWhite);
        }
        if (c.state < 100) {
            EXPECT_EQ(Pixel(*b, fillEnd, barY), kSilver);
        }

        // The text, white on grey at (10, h - 35), as the same canvas draws it.
        std::unique_ptr<TBitmap> want(new TBitmap(c.w, c.h, pf24bit));
        TCanvas* wc = want->GetCanvas();
        wc->GetBrush()->SetColor(kGrey);
        wc->FillRect(TRect(0, 0, c.w, c.h));
        wc->GetFont()->SetColor(kWhite);
        wc->TextOut(10, c.h - 35, c.text);
        int whites = 0, differ = 0;
        for (int y = c.h - 35; y < c.h - 21; ++y)
            for (int x = 0; x < c.w; ++x) {
                if (Pixel(*want, x, y) == kWhite) ++whites;
                if (Pixel(*want, x, y) != Pixel(*b, x, y)) ++differ;
            }
        EXPECT_GT(whites, 20);
        EXPECT_EQ(differ, 0);
    }
}

// A picture: left half black, right half white.
std::unique_ptr<TBitmap> HalfPicture(int w, int h)
{
    std::unique_ptr<TBitmap> b(new TBitmap(w, h, pf24bit));
    for (int y = 0; y < h; ++y) {
        uint8_t* p = static_cast<uint8_t*>(b->ScanLine(y));
        for (int x = 0; x < w * 3; ++x) p[x] = x < (w / 2) * 3 ? 0 : 255;
    }
    return b;
}

TEST(Mpeg4Panel, ShowsThePictureStretchedOnceOneIsSet)
{
    CMpeg4Panel panel(320, 240);
    auto pic = HalfPicture(160, 120);
    panel.SetFrame(pic.get());
    EXPECT_EQ(panel.GetState(), -1);
    panel.SetPercent(30);
    EXPECT_EQ(panel.GetState(), -1) << "a percentage after the first picture changes nothing";

    auto big = Painted(panel, 320, 240);
    EXPECT_EQ(Pixel(*big, 100, 120), RGBToColor(0, 0, 0));
    EXPECT_EQ(Pixel(*big, 220, 120), kWhite);
    EXPECT_EQ(Pixel(*big, 5, 235), RGBToColor(0, 0, 0));
    // At the picture's own size it is shown pixel for pixel.
    auto same = Painted(panel, 160, 120);
    for (int y = 0; y < 120; y += 7)
        for (int x = 0; x < 160; ++x) ASSERT_EQ(Pixel(*same, x, y), Pixel(*pic, x, y)) << x << "," << y;
}

// Paints the panel from its own thread, as the viewer's player thread does.
class Painter : public TThread {
public:
    explicit Painter(CMpeg4Panel& p) : TThread(true), FPanel(p) {}
    std::atomic<int> Paints{0};
protected:
    void Execute() override
    {
        while (!Terminated() && Paints < 5000) {
            FPanel.Repaint();
            ++Paints;
            Sleep(0);
        }
    }
private:
    CMpeg4Panel& FPanel;
};

TEST(Mpeg4Panel, PaintsFromAnotherThreadWhileTheGuiThreadMovesAndRemovesIt)
{
    HWND top = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(top, nullptr);
    std::unique_ptr<TCustomControl> host(new TCustomControl(nullptr));
    host->SetParentWindow(top);
    host->SetBounds(0, 0, 400, 300);
    host->HandleNeeded();
    ShowWindow(host->GetHandle(), SW_SHOW);
    {
        CMpeg4Panel panel(160, 120);
        panel.SetParent(host.get());
        Painter painter(panel);
        painter.Resume();
        for (int i = 0; i < 300; ++i) {
            panel.SetBounds((i * 7) % 200, (i * 3) % 150, 160, 120);
            if (i % 50 == 25) panel.SetParent(nullptr);
            if (i % 50 == 30) panel.SetParent(host.get());
            if (i % 10 == 0) {
                MSG m;
                while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
            }
        }
        panel.SetBounds(40, 30, 160, 120);
        painter.Terminate();
        painter.WaitFor();
        EXPECT_GT(painter.Paints.load(), 0);
        panel.Repaint();
        // What the window shows at the panel's last place is the buffering view.
        HDC dc = GetDC(host->GetHandle());
        EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 40 + 80, 30 + 10)), kGrey);
        EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 40 + 10, 30 + 120 - 15)), kSilver);
        ReleaseDC(host->GetHandle(), dc);
        panel.SetParent(nullptr);
    }
    host.reset();
    DestroyWindow(top);
}

} // namespace
