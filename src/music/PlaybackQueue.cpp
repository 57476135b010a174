#include "music/PlaybackQueue.h"

#include <algorithm>

namespace velunor {

std::optional<std::size_t> PlaybackQueue::Start(std::size_t itemCount, int playCount) {
    m_active = itemCount > 0;
    m_playedInPass = false;
    m_index = 0;
    m_passesLeft = std::max(playCount, 1);
    if (!m_active) {
        return std::nullopt;
    }
    return m_index;
}

std::optional<std::size_t> PlaybackQueue::Next(std::size_t itemCount) {
    if (!m_active) {
        return std::nullopt;
    }
    if (m_index + 1 < itemCount) {
        return ++m_index;
    }
    return StartNextPass(itemCount);
}

std::optional<std::size_t> PlaybackQueue::StartNextPass(std::size_t itemCount) {
    --m_passesLeft;
    if (!m_playedInPass || m_passesLeft <= 0 || itemCount == 0) {
        m_active = false;
        return std::nullopt;
    }
    m_playedInPass = false;
    m_index = 0;
    return m_index;
}

}  // namespace velunor
