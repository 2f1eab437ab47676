#include "OggEncoder.h"
#include "MediaClock.h"
#include <vorbis/vorbisenc.h>
#include <cstdlib>
#include <cstring>
#include <ctime>

COggEncoder::COggEncoder()
{
    std::memset(&FStream, 0, sizeof FStream);
    std::memset(&FPage, 0, sizeof FPage);
    std::memset(&FPacket, 0, sizeof FPacket);
    std::memset(&FInfo, 0, sizeof FInfo);
    std::memset(&FComment, 0, sizeof FComment);
    std::memset(&FDsp, 0, sizeof FDsp);
    std::memset(&FBlock, 0, sizeof FBlock);
}

COggEncoder::~COggEncoder()
{
    if (FReady) Close();
}

bool COggEncoder::Init(int32_t channels, int32_t sampleRate, int32_t bitsPerSample, float quality)
{
    if (FReady) Close();
    FChannels = channels;
    FSampleRate = sampleRate;
    FBitsPerSample = bitsPerSample;
    vorbis_info_init(&FInfo);
    if (channels < 1 || vorbis_encode_init_vbr(&FInfo, channels, sampleRate, quality) != 0) {
        vorbis_info_clear(&FInfo);
        return false;
    }
    vorbis_comment_init(&FComment);
    vorbis_comment_add_tag(&FComment, "ENCODER", "Orvanta_TM");
    vorbis_analysis_init(&FDsp, &FInfo);
    vorbis_block_init(&FDsp, &FBlock);
    FInputSamples = 0;
    FLastGranule = 0;
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    ogg_stream_init(&FStream, std::rand() & 0x7FFF);
    FReady = 1;
    return true;
}

bool COggEncoder::Close()
{
    if (!FReady) return true;
    FReady = 0;
    FChannels = FSampleRate = FBitsPerSample = 0;
    ogg_stream_clear(&FStream);
    vorbis_block_clear(&FBlock);
    vorbis_dsp_clear(&FDsp);
    vorbis_comment_clear(&FComment);
    vorbis_info_clear(&FInfo);
    return true;
}

bool COggEncoder::StampPacket(ogg_packet& packet) { return StampPacket(packet, MediaClockMs()); }

bool COggEncoder::StampPacket(ogg_packet& packet, uint32_t stamp)
{
    long bytes = packet.bytes > 0 ? packet.bytes : 0;
    uint8_t* stamped = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(bytes) + 4));
    if (!stamped) return false;
    PutStamp(stamped, stamp);
    if (bytes) std::memcpy(stamped + 4, packet.packet, static_cast<size_t>(bytes));
    // The bytes the packet pointed at belong to libvorbis and stay where they are.
    packet.packet = stamped;
    packet.bytes = bytes + 4;
    return true;
}

bool COggEncoder::FreePacket(ogg_packet& packet)
{
    std::free(packet.packet);
    std::memset(&packet, 0, sizeof packet);
    return true;
}

uint32_t COggEncoder::AudioPacketStamp(int64_t endGranule, int64_t sampleCount, int64_t capturedSamples,
                                       uint32_t capturedEnd, int32_t sampleRate)
{
    if (sampleRate <= 0) return capturedEnd;
    int64_t first = endGranule - (sampleCount > 0 ? sampleCount : 0);
    if (first < 0) first = 0;
    // How long before the end of the input the packet's first sample came.
    int64_t before = capturedSamples - first;
    if (before <= 0) return capturedEnd;
    int64_t ms = (before * 1000 + sampleRate / 2) / sampleRate;
    // Stamps are signed milliseconds; sound from before the clock's zero is
    // stamped at the zero (a negative stamp would read as "no clock").
    int32_t end = static_cast<int32_t>(capturedEnd);
    if (end >= 0 && ms > end) return 0;
    return capturedEnd - static_cast<uint32_t>(ms);
}

void COggEncoder::PacketIn(ogg_packet& packet, uint32_t stamp)
{
    if (StampPacket(packet, stamp)) {
        ogg_stream_packetin(&FStream, &packet);
        FreePacket(packet);
    }
}

bool COggEncoder::WriteHeaders()
{
    if (!FReady) return false;
    ogg_packet id, comment, setup;
    if (vorbis_analysis_headerout(&FDsp, &FComment, &id, &comment, &setup) != 0) return false;
    // Header packets carry no sound: the clock of the moment they are written.
    uint32_t now = MediaClockMs();
    PacketIn(id, now);
    PacketIn(comment, now);
    PacketIn(setup, now);
    return true;
}

bool COggEncoder::Encode(const uint8_t* data, int32_t length) { return Encode(data, length, MediaClockMs()); }

bool COggEncoder::Encode(const uint8_t* data, int32_t length, uint32_t capturedEnd)
{
    if (!FReady) return false;
    if (FBitsPerSample != 8 && FBitsPerSample != 16) return false;
    int n = 0;
    if (length >= 1 && data) {
        const int ch = FChannels;
        n = FBitsPerSample == 8 ? length / ch : length / (2 * ch);
        // Less than one sample frame carries no sound; handing libvorbis 0 for it
        // would end the stream for good.
        if (n == 0) return true;
        float** buffer = vorbis_analysis_buffer(&FDsp, n);
        if (FBitsPerSample == 8) {
            for (int i = 0; i < n; ++i)
                for (int c = 0; c < ch; ++c) buffer[c][i] = Sample8(data[i * ch + c]);
        } else {
            for (int i = 0; i < n; ++i)
                for (int c = 0; c < ch; ++c) buffer[c][i] = Sample16(data + 2 * (i * ch + c));
        }
    }
    // An empty input (n = 0) tells libvorbis that the input has ended.
    vorbis_analysis_wrote(&FDsp, n);
    FInputSamples += n;
    while (vorbis_analysis_blockout(&FDsp, &FBlock) == 1) {
        vorbis_analysis(&FBlock, nullptr);
        vorbis_bitrate_addblock(&FBlock);
        while (vorbis_bitrate_flushpacket(&FDsp, &FPacket)) {
            // The packet decodes to the samples between the previous audio
            // packet's end and its own (none for the first, which only primes
            // the decoder; the last may end short of a whole block).
            int64_t end = FPacket.granulepos >= 0 ? FPacket.granulepos : FLastGranule;
            int64_t count = end > FLastGranule ? end - FLastGranule : 0;
            FLastGranule = end;
            PacketIn(FPacket, AudioPacketStamp(end, count, FInputSamples, capturedEnd, FSampleRate));
        }
    }
    return true;
}

bool COggEncoder::GetPages(bool flush, uint8_t*& data, int32_t& length)
{
    data = nullptr;
    length = 0;
    if (!FReady) return false;
    for (;;) {
        int got = flush ? ogg_stream_flush(&FStream, &FPage) : ogg_stream_pageout(&FStream, &FPage);
        if (!got) break;
        int32_t add = static_cast<int32_t>(FPage.header_len + FPage.body_len);
        uint8_t* grown = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(length + add)));
        if (!grown) break;
        if (data) std::memcpy(grown, data, static_cast<size_t>(length));
        std::memcpy(grown + length, FPage.header, static_cast<size_t>(FPage.header_len));
        std::memcpy(grown + length + FPage.header_len, FPage.body, static_cast<size_t>(FPage.body_len));
        std::free(data);
        data = grown;
        length += add;
    }
    return data != nullptr;
}
