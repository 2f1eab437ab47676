// Vorbis decoder of the sound player: header packets in, 8-bit PCM out.
#pragma once
#include <ogg/ogg.h>
#include <vorbis/codec.h>
#include <cstdint>

class COggCodec {
public:
    // bufferSize: bytes of 8-bit samples converted per step.
    explicit COggCodec(int32_t bufferSize);
    ~COggCodec();
    COggCodec(const COggCodec&) = delete;
    COggCodec& operator=(const COggCodec&) = delete;

    bool Init();
    void Clear();
    // A packet whose stamp is already removed -> a player block of 8-bit
    // samples (the caller frees it with HeapFreeBlock), or null.
    void* Decode(ogg_packet* packet);
    bool HeaderIn(ogg_packet* packet);

    // -1 waiting for an identification header; 1, 2, 3 the header expected
    // next; 0 decoding.
    int32_t HeaderState() const { return FHeaderState; }
    int Channels() const { return FInfo.channels; }
    long Rate() const { return FInfo.rate; }

    // One float sample as an unsigned 8-bit sample; loud samples are clamped
    // to the extremes rather than wrapped round to the opposite one.
    static uint8_t ToUnsigned8(float x);

private:
    void* Samples(ogg_packet* packet);

    vorbis_info FInfo;
    vorbis_comment FComment;
    vorbis_dsp_state FDsp;
    vorbis_block FBlock;
    int32_t FHeaderState = -1;
    uint8_t* FSamples = nullptr;   // player block of twice the buffer size
    int32_t FBufferSize;
};
