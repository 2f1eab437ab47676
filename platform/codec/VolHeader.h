// Reshapes the start of the encoder's key frames into the layout the players
// read the picture size from.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The players read the picture size at fixed byte positions of a key frame:
// a video object start code, a video object layer start code, then the VOL
// fields with an object layer identifier and no VOL control parameters (or
// with a full set of VBV parameters). libavcodec starts its key frames with a
// visual object sequence header and writes VOL control parameters without VBV
// parameters, which those positions would misread. This rewrites such a
// frame: everything before the video object start code goes, and the VOL
// header loses its control parameters (the decoder then assumes low delay,
// which holds for a simple-profile stream without B-frames).
//
// Returns false when the frame does not have the expected structure; on
// success `out` holds the whole rewritten frame and width/height the sizes
// found in the VOL header.
bool RewriteKeyFrameHeader(const uint8_t* frame, size_t length, std::vector<uint8_t>& out, int& width,
                           int& height);
