#include "QtPlayerPlaylist.h"

namespace velunor {

void QtPlayerPlaylist::AppendItem(const std::shared_ptr<PlayerMedia>& media) {
    if (media) {
        m_items.push_back(media);
    }
}

}  // namespace velunor
