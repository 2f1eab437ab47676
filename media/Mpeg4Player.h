// The video side of a player: takes timed video payloads out of a queue,
// decodes them with the installed MPEG-4 codec, shows them on its panel and
// paces them by the sound player's clock or, without one, by its queue.
#pragma once
#include "Mpeg4Codec.h"
#include "Mpeg4Panel.h"
#include "MultiThreadClass.h"
#include "SyncFIFO.h"
#include "Thread.h"
#include <cstdint>
#include <memory>

class CMpeg4Player : public TThread {
public:
    // The queue holds player blocks of timed video payloads (a 4-byte
    // little-endian stamp, then one compressed frame); the player frees what it
    // takes, the queue stays the caller's. With paintOnPlayerThread the player
    // thread repaints the panel itself (the viewer control); otherwise it has
    // the GUI thread do it through Synchronize and waits for it.
    CMpeg4Player(int32_t width, int32_t height, CSyncFIFO* queue, bool paintOnPlayerThread = false);
    ~CMpeg4Player() override;

    // The sound player's clock in the units of the stamps; -1: no clock.
    void SetClock(int32_t value);
    int32_t GetClock();
    // Starts playing (the clock starts at -1). False when the thread could not start.
    bool Start();
    // Ends the thread (waiting for it) and closes the codec. Harmless to repeat.
    void Stop();
    CMpeg4Panel* GetPanel() { return FPanel.get(); }

    // The picture size read from the stream (0 until a key frame was read).
    int32_t GetFrameWidth() const { return FFrameWidth; }
    int32_t GetFrameHeight() const { return FFrameHeight; }

    // The pause after a frame when there is no clock: one picture per 100 ms,
    // less the decode time, shortened as the queue fills past half and
    // lengthened as it empties; 30 to 130 ms.
    static int32_t FrameDelay(int32_t decodeMs, int32_t queuePercent);

protected:
    void Execute() override;
    // One repaint of the panel, on the thread the player was made for.
    virtual void RepaintPanel();

private:
    enum class FrameResult { Dropped, NoPicture, Picture };
    bool Prebuffer();
    FrameResult ShowFrame(const uint8_t* frame, int32_t length);
    bool CopyPicture(const uint8_t* picture);

    std::unique_ptr<CMpeg4Panel> FPanel;
    CMultiThreadClass FClockLock;
    int32_t FClock = -1;
    std::unique_ptr<CMpeg4Codec> FDecoder;
    CSyncFIFO* FQueue;
    int32_t FPanelWidth;
    int32_t FPanelHeight;
    int32_t FFrameWidth = 0;
    int32_t FFrameHeight = 0;
    bool FPaintOnPlayerThread;
    // Until a key frame decodes (at the start and after a frame the codec
    // refused) the frames in between are passed over: they would be predicted
    // from a picture the decoder does not have.
    bool FWaitKey = true;
};
