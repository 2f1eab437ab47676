// Built while the media engine has no video and sound players to pair with
// the stream readers: the control then starts without media.
#include "AVSocketPlayer.h"

std::unique_ptr<CAVPlayer> CreateSocketPlayer() { return nullptr; }
