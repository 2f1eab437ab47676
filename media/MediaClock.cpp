#include "MediaClock.h"
#include <windows.h>
#include <mmsystem.h>

namespace {
// Taken while the module's static objects are built, i.e. at start-up; winelib
// runs these constructors after the imports are bound, so the call is safe.
const DWORD ClockOrigin = timeGetTime();
}

uint32_t MediaClockMs() { return static_cast<uint32_t>(timeGetTime() - ClockOrigin); }

void PutStamp(uint8_t* to, uint32_t stamp)
{
    to[0] = static_cast<uint8_t>(stamp);
    to[1] = static_cast<uint8_t>(stamp >> 8);
    to[2] = static_cast<uint8_t>(stamp >> 16);
    to[3] = static_cast<uint8_t>(stamp >> 24);
}

uint32_t GetStamp(const uint8_t* from)
{
    return static_cast<uint32_t>(from[0]) | (static_cast<uint32_t>(from[1]) << 8) |
           (static_cast<uint32_t>(from[2]) << 16) | (static_cast<uint32_t>(from[3]) << 24);
}
