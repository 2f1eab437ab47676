// For runs that nobody watches (tests, benchmarks): closes every message box
// of the host's own thread after a short look and writes its text to the log.
// A thread timer does it: its procedure is called from any message loop of
// the thread, the modal loop of a message box included, so a box that a
// control shows while it is being created (before the host pumps a message)
// is closed as well.
#pragma once
#include <windows.h>
#include "HostLog.h"

namespace BoxCloser {

// Starts watching on the calling thread; a box is closed once it has been
// shown for LookMs milliseconds. Calling it again changes the log and the delay.
void Start(THostLog& Log, DWORD LookMs);
void Stop();

} // namespace BoxCloser
