// The media engine's one way of making a swallowed error visible: a line on
// the media trace channel for the exception being handled.
#pragma once

// Call only inside a catch block. A capture error keeps the HRESULT of the
// DirectShow call that failed.
void TraceCaught(const char* Where) noexcept;
