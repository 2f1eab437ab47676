// Ogg Vorbis encoder of the broadcast sound. Every Vorbis packet, the header
// packets included, is prefixed with a 4-byte little-endian time stamp (the
// shared media clock) before it enters the Ogg stream: the timed audio payload
// that the sound player strips again and uses as the audio clock.
//
// An audio packet's stamp is the moment its first sample was captured, so a
// viewer that plays the packet from that stamp on hears each sound beside the
// picture taken with it. The packet leaves the encoder a good deal later than
// that (libvorbis holds back a block or more of look-ahead, and the sound
// card hands over whole buffers), so the stamp is worked out from the
// packet's granule position: the sample position where its decoded sound
// ends, less the samples it decodes to, gives the position of its first
// sample, and the input counted so far, which ends at the capture moment the
// caller gives, maps that position to the clock. Header packets carry no
// sound and keep the clock at the moment they are written.
#pragma once
#include <ogg/ogg.h>
#include <vorbis/codec.h>
#include <cstdint>

class COggEncoder {
public:
    COggEncoder();
    ~COggEncoder();
    COggEncoder(const COggEncoder&) = delete;
    COggEncoder& operator=(const COggEncoder&) = delete;

    // Variable bit rate at the given quality (the program uses 1, 8000, 16, -0.1).
    bool Init(int32_t channels, int32_t sampleRate, int32_t bitsPerSample, float quality);
    bool Close();
    // Puts the identification, comment and setup packets into the stream again.
    bool WriteHeaders();
    // Interleaved PCM of 8 or 16 bits; length 0 ends the Vorbis stream. The
    // input is sound captured up to now (the usual case: a sound-input buffer
    // handed over as it fills), or up to capturedEnd on the media clock.
    bool Encode(const uint8_t* data, int32_t length);
    bool Encode(const uint8_t* data, int32_t length, uint32_t capturedEnd);
    // Collects the pages that are ready (all pending packets with flush) into
    // one malloc block, which the caller frees. False, null and 0 when none.
    bool GetPages(bool flush, uint8_t*& data, int32_t& length);
    // Moves a packet into a malloc copy behind the current time stamp.
    bool StampPacket(ogg_packet& packet);
    // The same behind a given stamp.
    bool StampPacket(ogg_packet& packet, uint32_t stamp);

    // The capture moment of an audio packet's first sample: the packet ends at
    // sample position endGranule and decodes to sampleCount samples; the input
    // so far holds capturedSamples samples, the last of them captured just
    // before capturedEnd. Never below the clock's zero.
    static uint32_t AudioPacketStamp(int64_t endGranule, int64_t sampleCount, int64_t capturedSamples,
                                     uint32_t capturedEnd, int32_t sampleRate);
    bool FreePacket(ogg_packet& packet);

    // Input samples as the encoder sees them.
    static float Sample8(uint8_t b) { return (static_cast<int>(b) - 128) / 128.0f; }
    static float Sample16(const uint8_t* le) { return static_cast<int16_t>(le[0] | (le[1] << 8)) / 32768.0f; }

    bool Ready() const { return FReady != 0; }
    int32_t Channels() const { return FChannels; }
    int32_t SampleRate() const { return FSampleRate; }
    int32_t BitsPerSample() const { return FBitsPerSample; }
    int SerialNo() const { return FStream.serialno; }

private:
    void PacketIn(ogg_packet& packet, uint32_t stamp);

    ogg_stream_state FStream;
    ogg_page FPage;
    ogg_packet FPacket;
    vorbis_info FInfo;
    vorbis_comment FComment;
    vorbis_dsp_state FDsp;
    vorbis_block FBlock;
    int32_t FChannels = 0;
    int32_t FSampleRate = 0;
    int32_t FBitsPerSample = 0;
    uint8_t FReady = 0;
    // Samples handed to libvorbis since Init, and where the last audio packet
    // ended (its granule position): the next packet's sound starts there.
    int64_t FInputSamples = 0;
    int64_t FLastGranule = 0;
};
