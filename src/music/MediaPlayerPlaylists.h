#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "music/MediaPlayer.h"
#include "music/NamedPlaylist.h"

namespace velunor {

// The playlist half of a media player, as plain data: the lists it makes, the current one and
// its media. A player adds the controls and the settings; it is stopped before another list
// becomes current, so that it never plays on from a list it no longer holds.
class MediaPlayerPlaylists : public MediaPlayer, private PlaylistCollection {
public:
    MediaPlayerPlaylists() : m_current(std::make_shared<NamedPlaylist>("")) {}

    PlaylistCollection& GetPlaylistCollection() override { return *this; }
    std::shared_ptr<PlayerPlaylist> GetCurrentPlaylist() override { return m_current; }
    void SetCurrentPlaylist(const std::shared_ptr<PlayerPlaylist>& playlist) override;
    std::shared_ptr<PlayerMedia> NewMedia(const std::string& path) override;

protected:
    const NamedPlaylist& Current() const { return *m_current; }

private:
    std::shared_ptr<PlayerPlaylist> NewPlaylist(std::string_view name) override;

    std::shared_ptr<NamedPlaylist> m_current;
};

}  // namespace velunor
