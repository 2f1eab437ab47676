#include "VolHeader.h"

namespace {

class BitReader {
public:
    BitReader(const uint8_t* data, size_t bits) : FData(data), FBits(bits) {}
    uint32_t Read(int n)
    {
        uint32_t v = 0;
        for (int i = 0; i < n; ++i) {
            if (FPos >= FBits) {
                FOverrun = true;
                return 0;
            }
            v = (v << 1) | ((FData[FPos >> 3] >> (7 - (FPos & 7))) & 1u);
            ++FPos;
        }
        return v;
    }
    size_t Pos() const { return FPos; }
    void Seek(size_t pos) { FPos = pos; }
    size_t Left() const { return FPos < FBits ? FBits - FPos : 0; }
    bool Overrun() const { return FOverrun; }
private:
    const uint8_t* FData;
    size_t FBits;
    size_t FPos = 0;
    bool FOverrun = false;
};

class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>& out) : FOut(out) {}
    void Put(uint32_t value, int n)
    {
        for (int i = n - 1; i >= 0; --i) {
            FCur = static_cast<uint8_t>((FCur << 1) | ((value >> i) & 1u));
            if (++FCount == 8) {
                FOut.push_back(FCur);
                FCur = 0;
                FCount = 0;
            }
        }
    }
    // next_start_code(): a zero bit, then ones up to the byte boundary.
    void Stuff()
    {
        Put(0, 1);
        while (FCount != 0) Put(1, 1);
    }
private:
    std::vector<uint8_t>& FOut;
    uint8_t FCur = 0;
    int FCount = 0;
};

bool IsStartCode(const uint8_t* p, size_t left) { return left >= 4 && p[0] == 0 && p[1] == 0 && p[2] == 1; }

const int kAspectExtended = 15;
const int kVbvParameterBits = 79;

} // namespace

bool RewriteKeyFrameHeader(const uint8_t* frame, size_t length, std::vector<uint8_t>& out, int& width, int& height)
{
    // The video object start code (00 00 01 00..1F).
    size_t vo = 0;
    for (;; ++vo) {
        if (vo + 8 > length) return false;
        if (IsStartCode(frame + vo, length - vo) && frame[vo + 3] <= 0x1F) break;
    }
    const uint8_t* vol = frame + vo + 4;
    if (!IsStartCode(vol, length - vo - 4) || (vol[3] & 0xF0) != 0x20) return false;
    size_t fieldsAt = vo + 8;
    size_t fieldsEnd = fieldsAt;
    while (fieldsEnd < length && !IsStartCode(frame + fieldsEnd, length - fieldsEnd)) ++fieldsEnd;
    if (fieldsEnd == fieldsAt) return false;

    // Drop the stuffing that byte-aligns the header: trailing ones and the zero before them.
    uint8_t last = frame[fieldsEnd - 1];
    int ones = 0;
    while (ones < 8 && (last >> ones) & 1u) ++ones;
    if (ones == 8) return false;
    size_t contentBits = (fieldsEnd - fieldsAt) * 8 - static_cast<size_t>(ones) - 1;

    BitReader in(frame + fieldsAt, contentBits);
    uint32_t randomAccess = in.Read(1);
    uint32_t objectType = in.Read(8);
    if (in.Read(1) != 1) return false;          // is_object_layer_identifier
    uint32_t verid = in.Read(4);
    uint32_t priority = in.Read(3);
    uint32_t aspect = in.Read(4);
    if (aspect == kAspectExtended) return false;
    if (in.Read(1)) {                            // vol_control_parameters
        in.Read(2);                              // chroma_format
        in.Read(1);                              // low_delay
        if (in.Read(1)) in.Read(kVbvParameterBits);
    }
    size_t restAt = in.Pos();
    if (in.Read(2) != 0) return false;           // rectangular shape
    in.Read(1);
    in.Read(16);                                 // vop_time_increment_resolution
    in.Read(1);
    if (in.Read(1) != 0) return false;           // fixed_vop_rate
    in.Read(1);
    width = static_cast<int>(in.Read(13));
    in.Read(1);
    height = static_cast<int>(in.Read(13));
    if (in.Overrun()) return false;

    out.clear();
    out.reserve(length);
    out.insert(out.end(), frame + vo, frame + fieldsAt);
    BitWriter w(out);
    w.Put(randomAccess, 1);
    w.Put(objectType, 8);
    w.Put(1, 1);
    w.Put(verid, 4);
    w.Put(priority, 3);
    w.Put(aspect, 4);
    w.Put(0, 1);                                 // no vol_control_parameters
    in.Seek(restAt);
    while (in.Left() > 0) {
        int n = in.Left() >= 16 ? 16 : static_cast<int>(in.Left());
        w.Put(in.Read(n), n);
    }
    w.Stuff();
    out.insert(out.end(), frame + fieldsEnd, frame + length);
    return true;
}
