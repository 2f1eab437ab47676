// Known sound, Ogg helpers and file helpers shared by the sound tests.
#pragma once
#include <windows.h>
#include <ogg/ogg.h>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace soundtest {

const double Pi = 3.14159265358979323846;

// A pure tone of 16-bit samples at 8000 per second.
inline std::vector<int16_t> Tone(double hz, int samples, double amplitude = 8000, int rate = 8000)
{
    std::vector<int16_t> v(samples);
    for (int i = 0; i < samples; ++i) v[i] = static_cast<int16_t>(std::lround(amplitude * std::sin(2 * Pi * hz * i / rate)));
    return v;
}

// Speech-like sound: a glottal pulse train with a gliding pitch through two
// formant resonators, in syllables of about 200 ms with short pauses.
inline std::vector<int16_t> SpeechLike(int samples, int rate = 8000, unsigned seed = 1)
{
    std::vector<int16_t> v(samples);
    double y1a = 0, y2a = 0, y1b = 0, y2b = 0, phase = 0;
    auto resonator = [rate](double f, double bw, double& a1, double& a2) {
        double r = std::exp(-Pi * bw / rate);
        a1 = 2 * r * std::cos(2 * Pi * f / rate);
        a2 = -r * r;
    };
    unsigned noise = seed * 2654435761u + 12345;
    for (int i = 0; i < samples; ++i) {
        double t = double(i) / rate;
        int syllable = int(t / 0.25);
        double within = t - syllable * 0.25;
        double env = within < 0.2 ? std::sin(Pi * within / 0.2) : 0.0;
        double pitch = 120 + 40 * std::sin(2 * Pi * 0.7 * t) + 10 * (syllable % 3);
        phase += pitch / rate;
        double excitation = 0;
        if (phase >= 1) {
            phase -= 1;
            excitation = 1;
        }
        noise = noise * 1103515245u + 12345u;
        excitation += ((noise >> 16) & 0x7FFF) / 32768.0 * 0.05 - 0.025;
        double f1 = 500 + 200 * ((syllable * 7) % 5) / 4.0, f2 = 1500 + 600 * ((syllable * 3) % 4) / 3.0;
        double a1, a2, b1, b2;
        resonator(f1, 80, a1, a2);
        resonator(f2, 120, b1, b2);
        double ya = excitation + a1 * y1a + a2 * y2a;
        y2a = y1a;
        y1a = ya;
        double yb = ya + b1 * y1b + b2 * y2b;
        y2b = y1b;
        y1b = yb;
        double s = yb * env * 600;
        if (s > 32767) s = 32767;
        if (s < -32768) s = -32768;
        v[i] = static_cast<int16_t>(s);
    }
    return v;
}

inline std::vector<uint8_t> LittleEndian(const std::vector<int16_t>& s)
{
    std::vector<uint8_t> b(s.size() * 2);
    for (size_t i = 0; i < s.size(); ++i) {
        b[2 * i] = static_cast<uint8_t>(s[i] & 0xFF);
        b[2 * i + 1] = static_cast<uint8_t>((static_cast<uint16_t>(s[i]) >> 8) & 0xFF);
    }
    return b;
}

inline std::vector<int16_t> FromLittleEndian(const std::vector<uint8_t>& b)
{
    std::vector<int16_t> s(b.size() / 2);
    for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<int16_t>(b[2 * i] | (b[2 * i + 1] << 8));
    return s;
}

// Normalised correlation of two signals at the given lag of b behind a.
inline double Correlation(const std::vector<double>& a, const std::vector<double>& b, int lag = 0)
{
    double ab = 0, aa = 0, bb = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        long j = long(i) + lag;
        if (j < 0 || j >= long(b.size())) continue;
        ab += a[i] * b[j];
        aa += a[i] * a[i];
        bb += b[j] * b[j];
    }
    return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0;
}

// Power of one frequency (Goertzel), for "which tone is this".
inline double ToneEnergy(const std::vector<double>& x, double hz, int rate = 8000)
{
    double w = 2 * Pi * hz / rate, c = 2 * std::cos(w), s1 = 0, s2 = 0;
    for (double v : x) {
        double s = v + c * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    return s1 * s1 + s2 * s2 - c * s1 * s2;
}

inline std::vector<double> FromUnsigned8(const std::vector<uint8_t>& u)
{
    std::vector<double> d(u.size());
    for (size_t i = 0; i < u.size(); ++i) d[i] = (int(u[i]) - 128) / 128.0;
    return d;
}

inline std::vector<double> FromSigned16(const std::vector<int16_t>& s)
{
    std::vector<double> d(s.size());
    for (size_t i = 0; i < s.size(); ++i) d[i] = s[i] / 32768.0;
    return d;
}

// ---- files (Windows paths) ----

inline std::vector<uint8_t> ReadFileBytes(const std::string& name)
{
    std::vector<uint8_t> data;
    HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return data;
    DWORD size = GetFileSize(h, nullptr), got = 0;
    if (size != INVALID_FILE_SIZE) {
        data.resize(size);
        if (size && !ReadFile(h, data.data(), size, &got, nullptr)) got = 0;
        data.resize(got);
    }
    CloseHandle(h);
    return data;
}

inline bool WriteFileBytes(const std::string& name, const void* data, size_t size)
{
    HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    bool ok = size == 0 || (WriteFile(h, data, static_cast<DWORD>(size), &put, nullptr) && put == size);
    CloseHandle(h);
    return ok;
}

// The software sound card's files, from the environment the test runner sets
// (Unix paths, reached through Wine's Z: drive).
inline std::string SoftcardPath(const char* var)
{
    char buf[1024];
    DWORD n = GetEnvironmentVariableA(var, buf, sizeof buf);
    if (!n || n >= sizeof buf) return std::string();
    std::string p(buf, n);
    if (p.empty() || p[0] != '/') return p;
    for (char& c : p)
        if (c == '/') c = '\\';
    return "Z:" + p;
}

// ---- Ogg ----

struct Packet {
    std::vector<uint8_t> bytes;
    long long granule = 0;
    long long packetno = 0;
    bool bos = false, eos = false;
};

// Every packet of a sequence of payloads (one logical stream, or the first).
inline std::vector<Packet> PacketsOf(const std::vector<std::vector<uint8_t>>& payloads)
{
    std::vector<Packet> out;
    ogg_sync_state sync;
    ogg_stream_state stream;
    ogg_sync_init(&sync);
    bool streamReady = false;
    for (const auto& p : payloads) {
        char* to = ogg_sync_buffer(&sync, static_cast<long>(p.size()));
        if (!p.empty()) std::memcpy(to, p.data(), p.size());
        ogg_sync_wrote(&sync, static_cast<long>(p.size()));
        ogg_page page;
        while (ogg_sync_pageout(&sync, &page) == 1) {
            if (!streamReady) {
                ogg_stream_init(&stream, ogg_page_serialno(&page));
                streamReady = true;
            }
            if (ogg_stream_pagein(&stream, &page) != 0) continue;
            ogg_packet op;
            int r;
            while ((r = ogg_stream_packetout(&stream, &op)) != 0) {
                if (r < 0) continue;
                Packet k;
                k.bytes.assign(op.packet, op.packet + op.bytes);
                k.granule = op.granulepos;
                k.packetno = op.packetno;
                k.bos = op.b_o_s != 0;
                k.eos = op.e_o_s != 0;
                out.push_back(std::move(k));
            }
        }
    }
    if (streamReady) ogg_stream_clear(&stream);
    ogg_sync_clear(&sync);
    return out;
}

inline uint32_t StampOf(const Packet& p)
{
    return p.bytes.size() >= 4 ? uint32_t(p.bytes[0]) | (uint32_t(p.bytes[1]) << 8) | (uint32_t(p.bytes[2]) << 16) |
                                     (uint32_t(p.bytes[3]) << 24)
                               : 0;
}

// The Vorbis packet type behind the stamp: 1, 3, 5 for the header packets,
// and an even number (low bit 0) for audio.
inline int VorbisTypeOf(const Packet& p) { return p.bytes.size() > 4 ? p.bytes[4] : -1; }

// The same pages with another serial number (checksums set again).
inline std::vector<uint8_t> WithSerial(const std::vector<uint8_t>& pages, int serial)
{
    std::vector<uint8_t> out;
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* to = ogg_sync_buffer(&sync, static_cast<long>(pages.size()));
    if (!pages.empty()) std::memcpy(to, pages.data(), pages.size());
    ogg_sync_wrote(&sync, static_cast<long>(pages.size()));
    ogg_page page;
    while (ogg_sync_pageout(&sync, &page) == 1) {
        for (int i = 0; i < 4; ++i) page.header[14 + i] = static_cast<unsigned char>(serial >> (8 * i));
        ogg_page_checksum_set(&page);
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    }
    ogg_sync_clear(&sync);
    return out;
}

// Writes packets into pages of one logical stream (for hand-made streams).
class PageWriter {
public:
    explicit PageWriter(int serial) { ogg_stream_init(&FStream, serial); }
    ~PageWriter() { ogg_stream_clear(&FStream); }
    void Add(const std::vector<uint8_t>& bytes, long long granule = 0, bool eos = false)
    {
        ogg_packet op;
        std::memset(&op, 0, sizeof op);
        op.packet = const_cast<unsigned char*>(bytes.data());
        op.bytes = static_cast<long>(bytes.size());
        op.b_o_s = FPacketNo == 0;
        op.e_o_s = eos;
        op.granulepos = granule;
        op.packetno = FPacketNo++;
        ogg_stream_packetin(&FStream, &op);
    }
    // Everything pending, as whole pages.
    std::vector<uint8_t> Flush()
    {
        std::vector<uint8_t> out;
        ogg_page page;
        while (ogg_stream_flush(&FStream, &page)) {
            out.insert(out.end(), page.header, page.header + page.header_len);
            out.insert(out.end(), page.body, page.body + page.body_len);
        }
        return out;
    }
    std::vector<uint8_t> PageOut()
    {
        std::vector<uint8_t> out;
        ogg_page page;
        while (ogg_stream_pageout(&FStream, &page)) {
            out.insert(out.end(), page.header, page.header + page.header_len);
            out.insert(out.end(), page.body, page.body + page.body_len);
        }
        return out;
    }

private:
    ogg_stream_state FStream;
    long long FPacketNo = 0;
};

} // namespace soundtest
