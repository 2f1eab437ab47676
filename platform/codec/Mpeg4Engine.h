// libavcodec's MPEG-4 Part 2 encoder and decoder, fed and drained as 24-bit DIBs.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

// A 24-bit DIB: rows of width * 3 bytes padded to 4, bottom row first unless top-down.
struct DibLayout {
    int Width = 0;
    int Height = 0;
    bool TopDown = false;
    size_t Stride() const { return (static_cast<size_t>(Width) * 3 + 3) & ~static_cast<size_t>(3); }
    size_t Size() const { return Stride() * static_cast<size_t>(Height); }
};

// Picture sizes the driver takes: even (4:2:0 chroma), and within what the
// 13-bit VOL size fields and a sane amount of memory allow.
bool IsCodecFrameSize(int width, int height);

// The VfW quality scale (0 worst .. 10000 best) as an MPEG-4 quantiser (31 .. 1).
int QuantiserForQuality(int quality);

// One key frame in this many; the first frame is always one. At the
// program's 8 frames per second that is one every 2 seconds, so a viewer who
// joins, or a queue that dropped frames, waits at most that long for a picture.
const int kKeyFrameInterval = 16;

class CMpeg4Encoder {
public:
    enum class Result { Ok, TooLarge, Failed };
    CMpeg4Encoder() = default;
    ~CMpeg4Encoder() { End(); }
    CMpeg4Encoder(const CMpeg4Encoder&) = delete;
    CMpeg4Encoder& operator=(const CMpeg4Encoder&) = delete;

    bool Begin(int width, int height);
    void End();
    bool Active() const { return FContext != nullptr; }
    // Compresses one DIB of the begun size into out (at most capacity bytes).
    Result Encode(const uint8_t* dib, bool topDown, int quality, bool forceKey, uint8_t* out, size_t capacity,
                  size_t& written, bool& key);

private:
    AVCodecContext* FContext = nullptr;
    AVFrame* FFrame = nullptr;
    AVPacket* FPacket = nullptr;
    SwsContext* FScaler = nullptr;
    int64_t FPts = 0;
    std::vector<uint8_t> FHeader;
};

class CMpeg4Decoder {
public:
    CMpeg4Decoder() = default;
    ~CMpeg4Decoder() { End(); }
    CMpeg4Decoder(const CMpeg4Decoder&) = delete;
    CMpeg4Decoder& operator=(const CMpeg4Decoder&) = delete;

    bool Begin(int width, int height);
    void End();
    bool Active() const { return FContext != nullptr; }
    // Decodes one compressed frame into a DIB of the begun size. False when no
    // sound picture came out: damaged data, a picture of another size, or a
    // frame that needs a key frame the decoder has not seen (after Begin and
    // after every failure the decoder waits for the next key frame).
    bool Decode(const uint8_t* data, size_t length, uint8_t* dib, bool topDown);

private:
    void Restart();
    AVCodecContext* FContext = nullptr;
    AVFrame* FFrame = nullptr;
    AVPacket* FPacket = nullptr;
    SwsContext* FScaler = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    bool FNeedKey = true;
    std::vector<uint8_t> FInput;
};
