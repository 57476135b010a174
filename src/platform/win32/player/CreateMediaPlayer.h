#pragma once

#include <memory>

#include "music/MediaPlayer.h"

namespace velunor {

// The break music player of this system: Windows Media Player where it exists and takes
// playlists, DirectShow with playlists of its own where it does not. Made on the user-interface
// thread after COM was initialised there.
std::unique_ptr<MediaPlayer> CreateMediaPlayer();

}  // namespace velunor
