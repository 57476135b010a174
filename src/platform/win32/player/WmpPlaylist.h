#pragma once

#include <wmp.h>

#include <memory>
#include <utility>

#include "music/MediaPlayer.h"
#include "platform/win32/Handles.h"
#include "platform/win32/player/WmpMedia.h"

namespace velunor {

// A playlist of Windows Media Player. A call the player refuses changes nothing; the break goes
// on without that music.
class WmpPlaylist : public PlayerPlaylist {
public:
    explicit WmpPlaylist(ComRef<IWMPPlaylist> playlist) : m_playlist(std::move(playlist)) {}

    void Clear() override {
        if (m_playlist) {
            m_playlist->clear();
        }
    }
    void AppendItem(const std::shared_ptr<PlayerMedia>& media) override {
        const auto* ours = dynamic_cast<const WmpMedia*>(media.get());
        if (m_playlist && ours != nullptr && ours->Get() != nullptr) {
            m_playlist->appendItem(ours->Get());
        }
    }
    IWMPPlaylist* Get() const { return m_playlist.Get(); }

private:
    ComRef<IWMPPlaylist> m_playlist;
};

}  // namespace velunor
