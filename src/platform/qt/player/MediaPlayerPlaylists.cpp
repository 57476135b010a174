#include "MediaPlayerPlaylists.h"

#include "QtPlayerMedia.h"

namespace velunor {

void MediaPlayerPlaylists::SetCurrentPlaylist(const std::shared_ptr<PlayerPlaylist>& playlist) {
    auto ours = std::dynamic_pointer_cast<QtPlayerPlaylist>(playlist);
    if (!ours || ours == m_current) {
        return;
    }
    GetControls().Stop();
    m_current = std::move(ours);
}

std::shared_ptr<PlayerMedia> MediaPlayerPlaylists::NewMedia(const std::string& path) {
    return std::make_shared<QtPlayerMedia>(path);
}

std::shared_ptr<PlayerPlaylist> MediaPlayerPlaylists::NewPlaylist(std::string_view name) {
    return std::make_shared<QtPlayerPlaylist>(std::string(name));
}

}  // namespace velunor
