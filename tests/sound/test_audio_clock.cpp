// The clock of the sound being heard, against a device position given by hand:
// which packet's samples the device plays and how far into them it is.
#include "test_gtest.h"
#include "AudioClock.h"
#include <vector>

namespace {

const uint32_t kBytesPerSecond = 8000; // 8-bit mono at 8000 Hz: 8 bytes a millisecond

// One step: a packet written, bytes taken back, a reset, or a device position
// and the clock expected at it.
struct Step {
    enum Kind { Write, Unwrite, Reset, Heard } kind;
    int32_t stamp;   // Write: the packet's stamp; Heard: the clock expected
    uint32_t bytes;  // Write, Unwrite: bytes; Heard: the device position
};

struct Case {
    const char* name;
    std::vector<Step> steps;
};

Step W(int32_t stamp, uint32_t bytes) { return {Step::Write, stamp, bytes}; }
Step U(uint32_t bytes) { return {Step::Unwrite, 0, bytes}; }
Step R() { return {Step::Reset, 0, 0}; }
Step H(uint32_t position, int32_t clock) { return {Step::Heard, clock, position}; }

TEST(AudioClock, FollowsTheDevicePositionThroughThePacketsWritten)
{
    const Case cases[] = {
        {"nothing written", {H(0, -1), H(800, -1)}},
        {"packets of 100 ms: each stamp is the start of its samples",
         {W(1000, 800), W(1100, 800), W(1200, 400), H(0, 1000), H(400, 1050), H(799, 1099), H(800, 1100),
          H(1599, 1199), H(1600, 1200), H(2000, 1250)}},
        {"packets of 32 ms one after the other",
         {W(1000, 256), W(1032, 256), W(1064, 256), H(0, 1000), H(128, 1016), H(256, 1032), H(700, 1087),
          H(768, 1096)}},
        {"a packet written in pieces continues its span",
         {W(1000, 100), W(1000, 156), W(1032, 256), H(100, 1012), H(255, 1031), H(256, 1032)}},
        {"an earlier stamp again after another is a span of its own",
         {W(1000, 400), W(1100, 400), W(1000, 400), H(0, 1000), H(400, 1100), H(800, 1000), H(1200, 1050)}},
        {"the device ahead of what it was given stays at the end of what was written",
         {W(1000, 800), H(5000, 1100), W(1100, 800), H(5000, 1200)}},
        {"written far ahead of the device: the clock is what is heard, not the last stamp",
         {W(1000, 800), W(1100, 800), W(1200, 800), W(1300, 800), H(100, 1012)}},
        {"a packet lost on the way: the clock jumps to the next span",
         {W(1000, 800), W(1500, 800), H(792, 1099), H(800, 1500)}},
        {"part of a packet dropped by the output",
         {W(1000, 800), W(1100, 800), U(300), W(1200, 800), H(1299, 1162), H(1300, 1200), H(2099, 1299)}},
        {"part of a packet written in pieces dropped",
         {W(1000, 256), W(1000, 256), U(100), W(1100, 800), H(0, 1000), H(411, 1051), H(412, 1100), H(812, 1150)}},
        {"a whole packet and more dropped",
         {W(1000, 800), W(1100, 800), W(1150, 400), U(600), W(1300, 800), H(192, 1024), H(1000, 1125),
          H(1400, 1300), H(1800, 1350)}},
        {"a fresh device counts from 0 again",
         {W(1000, 800), H(400, 1050), R(), H(0, -1), W(7000, 800), H(0, 7000), H(80, 7010)}},
        {"sound stamped at the clock's zero", {W(0, 800), H(0, 0), H(400, 50), H(800, 100)}},
        {"stamps near the wrap of the signed clock",
         {W(0x7FFFFF00, 800), H(400, 0x7FFFFF00 + 50), H(800, 0x7FFFFF00 + 100)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CAudioClock clock(kBytesPerSecond);
        int i = 0;
        for (const Step& s : c.steps) {
            SCOPED_TRACE(testing::Message() << "step " << i++);
            switch (s.kind) {
            case Step::Write: clock.Written(s.stamp, s.bytes); break;
            case Step::Unwrite: clock.Unwritten(s.bytes); break;
            case Step::Reset: clock.Reset(); break;
            case Step::Heard: EXPECT_EQ(clock.Heard(s.bytes), s.stamp) << "at byte " << s.bytes; break;
            }
        }
    }
}

// The device's byte position is 32 bits and wraps after about six days of
// sound at this rate; the clock goes on across the wrap.
TEST(AudioClock, DevicePositionWrapsRound)
{
    CAudioClock clock(kBytesPerSecond);
    clock.Written(0, 0xFFFFFF00u);
    clock.Written(5000, 512);
    EXPECT_EQ(clock.WrittenBytes(), 0x100u);
    EXPECT_EQ(clock.Heard(0xFFFFFF00u), 5000);
    EXPECT_EQ(clock.Heard(0x0u), 5032);
    EXPECT_EQ(clock.Heard(0x100u), 5064);
    EXPECT_EQ(clock.Heard(0x200u), 5064) << "ahead of what was written";
}

} // namespace
