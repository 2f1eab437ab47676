// Trace channels: one per subsystem, off by default. Every place that swallows
// an error (a catch that goes on, a failed call that is only skipped) writes one
// line to its channel, so a failure can be made visible without a debugger.
//
// ORVANTA_TRACE switches channels on: a comma-separated list of channel names
// ("media,server"), or "all". Lines go to standard error, or, when
// ORVANTA_TRACE_FILE names a file, are appended to it.
#pragma once
#include <string>

namespace Trace {
// Channels of the subsystems.
extern const char* const Media;
extern const char* const Server;
extern const char* const Viewer;
extern const char* const Skin;
extern const char* const ClassLib;

bool Enabled(const char* channel);
// Writes "channel: text" (with a time stamp in milliseconds since start-up)
// when the channel is on. Never throws.
void Line(const char* channel, const std::string& text);
// The same, for a failed call with its result code (HRESULT, Win32 error ...).
void Failure(const char* channel, const std::string& what, long code);
// Inside a catch block: "where: " and the message of the exception being
// handled (or "unknown exception"). Never throws.
void Caught(const char* channel, const std::string& where);
} // namespace Trace
