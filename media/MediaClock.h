// The one clock that stamps sound packets and video frames, so the video
// player can wait for the audio clock.
#pragma once
#include <cstdint>

// Milliseconds elapsed since the program (or the module holding this code)
// was loaded; from timeGetTime, never clock(), which counts CPU time here.
// Stamps are compared as signed 32-bit numbers.
uint32_t MediaClockMs();

// Writes a stamp as 4 little-endian bytes, and reads one back.
void PutStamp(uint8_t* to, uint32_t stamp);
uint32_t GetStamp(const uint8_t* from);
