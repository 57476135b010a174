#include "platform/win32/player/CreateMediaPlayer.h"

#include "platform/win32/player/DirectShowPlayer.h"
#include "platform/win32/player/WmpMediaPlayer.h"

namespace velunor {

std::unique_ptr<MediaPlayer> CreateMediaPlayer() {
    if (auto player = WmpMediaPlayer::Create()) {
        return player;
    }
    return std::make_unique<DirectShowPlayer>();
}

}  // namespace velunor
