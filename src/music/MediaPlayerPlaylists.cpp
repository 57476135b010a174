#include "music/MediaPlayerPlaylists.h"

#include "music/FileMedia.h"

namespace velunor {

void MediaPlayerPlaylists::SetCurrentPlaylist(const std::shared_ptr<PlayerPlaylist>& playlist) {
    auto ours = std::dynamic_pointer_cast<NamedPlaylist>(playlist);
    if (!ours || ours == m_current) {
        return;
    }
    GetControls().Stop();
    m_current = std::move(ours);
}

std::shared_ptr<PlayerMedia> MediaPlayerPlaylists::NewMedia(const std::string& path) {
    return std::make_shared<FileMedia>(path);
}

std::shared_ptr<PlayerPlaylist> MediaPlayerPlaylists::NewPlaylist(std::string_view name) {
    return std::make_shared<NamedPlaylist>(std::string(name));
}

}  // namespace velunor
