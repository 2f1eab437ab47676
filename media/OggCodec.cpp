#include "OggCodec.h"
#include "MediaTrace.h"
#include "PlayerBlocks.h"
#include "SysUtils.h"
#include <cstring>

COggCodec::COggCodec(int32_t bufferSize) : FBufferSize(bufferSize > 0 ? bufferSize : 8192)
{
    std::memset(&FInfo, 0, sizeof FInfo);
    std::memset(&FComment, 0, sizeof FComment);
    std::memset(&FDsp, 0, sizeof FDsp);
    std::memset(&FBlock, 0, sizeof FBlock);
    FSamples = static_cast<uint8_t*>(HeapAllocZero(static_cast<size_t>(FBufferSize) * 2));
    // Ready to take headers at once; Init starts over.
    Init();
}

COggCodec::~COggCodec()
{
    Clear();
    HeapFreeBlock(FSamples);
}

bool COggCodec::Init()
{
    Clear();
    vorbis_info_init(&FInfo);
    vorbis_comment_init(&FComment);
    FHeaderState = -1;
    return true;
}

void COggCodec::Clear()
{
    if (FHeaderState == 0) {
        vorbis_block_clear(&FBlock);
        vorbis_dsp_clear(&FDsp);
    }
    // Both are safe on cleared (zeroed) records, so Clear may run again.
    vorbis_comment_clear(&FComment);
    vorbis_info_clear(&FInfo);
    std::memset(&FDsp, 0, sizeof FDsp);
    std::memset(&FBlock, 0, sizeof FBlock);
    FHeaderState = -1;
}

bool COggCodec::HeaderIn(ogg_packet* packet) { return vorbis_synthesis_headerin(&FInfo, &FComment, packet) >= 0; }

uint8_t COggCodec::ToUnsigned8(float x)
{
    // x * 128 - 128 lies in -256..-1 for -1.0 <= x < 1.0, and its low 8 bits
    // are the unsigned sample; out of that range it would wrap round.
    double v = static_cast<double>(x) * 128.0 - 128.0;
    if (!(v > -256.0)) v = -256.0;   // also catches NaN
    if (v > -1.0) v = -1.0;
    return static_cast<uint8_t>(static_cast<int>(v) + 256);
}

void* COggCodec::Decode(ogg_packet* packet)
{
    if (!packet || !packet->packet || packet->bytes <= 0) return nullptr;
    const bool identification = packet->packet[0] == 1;
    if (identification && (FHeaderState == -1 || FHeaderState == 1)) {
        FHeaderState = 1;
        // vorbis_synthesis_headerin refuses an identification header without
        // the beginning-of-stream flag, and those taken from later pages of a
        // running stream do not carry it.
        packet->b_o_s = 1;
    }
    try {
        switch (FHeaderState) {
        case 0:
            return Samples(packet);
        case 1:
            if (HeaderIn(packet))
                FHeaderState = 2;
            else if (identification)
                // A damaged identification header: wait for the next one
                // rather than for a comment header that cannot follow it.
                FHeaderState = -1;
            return nullptr;
        case 2:
            if (HeaderIn(packet)) FHeaderState = 3;
            return nullptr;
        case 3:
            if (HeaderIn(packet)) {
                if (vorbis_synthesis_init(&FDsp, &FInfo) != 0) {
                    Init();
                    return nullptr;
                }
                vorbis_block_init(&FDsp, &FBlock);
                FHeaderState = 0;
            }
            return nullptr;
        default:
            return nullptr;
        }
    } catch (const Exception&) {
        TraceCaught("sound decoder");
        return nullptr;
    }
}

void* COggCodec::Samples(ogg_packet* packet)
{
    const int channels = FInfo.channels > 0 ? FInfo.channels : 1;
    const int chunk = FBufferSize / channels;
    if (vorbis_synthesis(&FBlock, packet) == 0) vorbis_synthesis_blockin(&FDsp, &FBlock);
    uint8_t* result = nullptr;
    size_t resultSize = 0;
    float** pcm = nullptr;
    int n;
    while ((n = vorbis_synthesis_pcmout(&FDsp, &pcm)) > 0) {
        int m = n < chunk ? n : chunk;
        for (int c = 0; c < channels; ++c)
            for (int i = 0; i < m; ++i) FSamples[i * channels + c] = ToUnsigned8(pcm[c][i]);
        size_t add = static_cast<size_t>(channels) * static_cast<size_t>(m);
        uint8_t* grown = static_cast<uint8_t*>(HeapAllocZero(resultSize + add));
        if (!grown) {
            vorbis_synthesis_read(&FDsp, m);
            continue;
        }
        if (result) std::memcpy(grown, result, resultSize);
        std::memcpy(grown + resultSize, FSamples, add);
        HeapFreeBlock(result);
        result = grown;
        resultSize += add;
        vorbis_synthesis_read(&FDsp, m);
    }
    return result;
}
