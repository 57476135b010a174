#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "music/MediaPlayer.h"

namespace velunor {

// A named list of media. The player reads it item by item while it plays, so items appended
// during playback are reached in their turn.
class NamedPlaylist : public PlayerPlaylist {
public:
    explicit NamedPlaylist(std::string name) : m_name(std::move(name)) {}

    void Clear() override { m_items.clear(); }
    void AppendItem(const std::shared_ptr<PlayerMedia>& media) override;

    const std::string& Name() const { return m_name; }
    std::size_t ItemCount() const { return m_items.size(); }
    const std::string& PathAt(std::size_t index) const { return m_items.at(index)->Path(); }

private:
    std::string m_name;
    std::vector<std::shared_ptr<PlayerMedia>> m_items;
};

}  // namespace velunor
