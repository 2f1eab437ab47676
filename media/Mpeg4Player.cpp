#include "Mpeg4Player.h"
#include "MediaTrace.h"
#include "MediaClock.h"
#include "PlayerBlocks.h"
#include "SysUtils.h"
#include <cstring>

namespace {

const int32_t kStampBytes = 4;
const int32_t kStartPercent = 50;     // playing starts once the queue is more than half full
const DWORD kPrebufferSleepMs = 20;
const DWORD kClockWaitMs = 8;
const int32_t kPauseWithClockMs = 10;

// Frees a player block when the pass ends, whatever way it ends.
struct BlockHold {
    void* Block;
    ~BlockHold() { HeapFreeBlock(Block); }
};

} // namespace

CMpeg4Player::CMpeg4Player(int32_t width, int32_t height, CSyncFIFO* queue, bool paintOnPlayerThread)
    : TThread(true), FPanel(new CMpeg4Panel(width, height)), FDecoder(new CMpeg4Codec()), FQueue(queue),
      FPanelWidth(width), FPanelHeight(height), FPaintOnPlayerThread(paintOnPlayerThread)
{
    FreeOnTerminate = false;
}

CMpeg4Player::~CMpeg4Player()
{
    // The thread must be gone before the decoder and the panel it uses.
    Stop();
    FDecoder.reset();
    FPanel.reset();
}

void CMpeg4Player::SetClock(int32_t value)
{
    TLockGuard<CMultiThreadClass> hold(FClockLock);
    FClock = value;
}

int32_t CMpeg4Player::GetClock()
{
    TLockGuard<CMultiThreadClass> hold(FClockLock);
    return FClock;
}

bool CMpeg4Player::Start()
{
    SetClock(-1);
    try {
        Resume();
        return true;
    } catch (...) {
        TraceCaught("video player: starting");
        Stop();
        return false;
    }
}

void CMpeg4Player::Stop()
{
    Terminate();
    if (!Suspended() && !Finished() && GetCurrentThreadId() != ThreadID()) WaitFor();
    try {
        if (FDecoder) FDecoder->Close();
    } catch (const Exception&) {
        TraceCaught("video player: closing the decoder");
    }
}

int32_t CMpeg4Player::FrameDelay(int32_t decodeMs, int32_t queuePercent)
{
    double d = 100.0 - decodeMs - (queuePercent * 0.01 * 2 - 1) * 10;
    int32_t delay = static_cast<int32_t>(d); // truncated toward zero
    if (delay < 30) delay = 30;
    if (delay > 130) delay = 130;
    return delay;
}

void CMpeg4Player::RepaintPanel()
{
    if (FPaintOnPlayerThread)
        FPanel->Repaint();
    else
        Synchronize([this] { FPanel->Repaint(); });
}

bool CMpeg4Player::Prebuffer()
{
    FPanel->SetPercent(0);
    RepaintPanel();
    while (!Terminated()) {
        int32_t percent = FQueue->GetPercent();
        if (percent > kStartPercent) return true;
        FPanel->SetPercent(2 * percent);
        RepaintPanel();
        SleepUnlessTerminated(kPrebufferSleepMs);
    }
    return false;
}

void CMpeg4Player::Execute()
{
    if (!FQueue || !Prebuffer()) return;
    while (!Terminated()) {
        DWORD t0 = GetTickCount();
        int32_t stamp = -1;
        {
            BlockHold block{FQueue->Pop()};
            int32_t size = block.Block ? static_cast<int32_t>(HeapBlockSize(block.Block)) : 0;
            // A block too short to carry its stamp is no frame at all.
            if (size >= kStampBytes) {
                const uint8_t* payload = static_cast<const uint8_t*>(block.Block);
                if (ShowFrame(payload + kStampBytes, size - kStampBytes) != FrameResult::Dropped)
                    stamp = static_cast<int32_t>(GetStamp(payload));
            }
        }
        int32_t spent = static_cast<int32_t>(GetTickCount() - t0);

        // Wait for the sound to reach the frame (both as signed 32-bit numbers).
        for (int32_t clock = GetClock(); clock < stamp && clock != -1; clock = GetClock()) {
            if (Terminated()) return;
            Sleep(kClockWaitMs);
        }
        int32_t delay = kPauseWithClockMs;
        if (GetClock() == -1) delay = FrameDelay(spent, FQueue->GetPercent());
        RepaintPanel();
        SleepUnlessTerminated(static_cast<DWORD>(delay));
    }
}

CMpeg4Player::FrameResult CMpeg4Player::ShowFrame(const uint8_t* frame, int32_t length)
{
    bool key = CMpeg4Codec::IsKeyFrame(frame, length);
    if (key) {
        int32_t w = 0, h = 0;
        // A key frame whose size cannot be read, or is no size a broadcast
        // uses, is not trusted with an allocation: it is dropped, and the frames
        // predicted from it wait for the next key frame.
        if (!CMpeg4Codec::ReadFrameSize(frame, length, w, h)) {
            FWaitKey = true;
            return FrameResult::Dropped;
        }
        if (!FDecoder->IsOpen() || w != FFrameWidth || h != FFrameHeight) {
            // The first key frame opens the decoder; one of another size (the
            // broadcaster changed the size) opens it again. A decoder that does
            // not open simply yields no pictures.
            FFrameWidth = w;
            FFrameHeight = h;
            FDecoder->Open(w, h);
        }
    } else if (FWaitKey) {
        return FrameResult::NoPicture;
    }
    void* picture = FDecoder->Decode(frame, length);
    if (!picture) {
        FWaitKey = true;
        return FrameResult::NoPicture;
    }
    FWaitKey = false;
    bool shown = CopyPicture(static_cast<const uint8_t*>(picture));
    FDecoder->Release(picture);
    return shown ? FrameResult::Picture : FrameResult::NoPicture;
}

bool CMpeg4Player::CopyPicture(const uint8_t* picture)
{
    std::unique_ptr<TBitmap> bitmap(new TBitmap(FFrameWidth, FFrameHeight, pf24bit));
    int32_t rowBytes = CMpeg4Codec::RowBytes(FFrameWidth);
    int32_t copy = std::min(rowBytes, bitmap->RowStride());
    // The decoded picture is bottom-up; the bitmap's scan line 0 is the top row.
    for (int32_t i = 0; i < FFrameHeight; ++i) {
        void* line = bitmap->ScanLine(FFrameHeight - 1 - i);
        if (!line) return false;
        std::memcpy(line, picture + static_cast<size_t>(i) * rowBytes, static_cast<size_t>(copy));
    }
    FPanel->SetFrame(bitmap.get());
    return true;
}
