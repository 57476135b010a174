#include "music/NamedPlaylist.h"

namespace velunor {

void NamedPlaylist::AppendItem(const std::shared_ptr<PlayerMedia>& media) {
    if (media) {
        m_items.push_back(media);
    }
}

}  // namespace velunor
