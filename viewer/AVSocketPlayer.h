// The viewer's network player: a player whose video and sound come from the
// broadcasting program's streams, each a stream reader paired with its player.
#pragma once
#include "AVPlayer.h"
#include <cstdint>
#include <memory>
#include <string>

// The start record of the network player (the caller's, read during the call).
struct AVSocketPlayerData {
    std::string address;
    int32_t port;
    int32_t width;
    int32_t height;
};

// A new network player (suspended, nothing running); null where this build
// has no video and sound players to pair with the readers.
std::unique_ptr<CAVPlayer> CreateSocketPlayer();
