#pragma once

#include <cstddef>
#include <optional>

namespace velunor {

// Which item of the current playlist plays next. The whole list is played playCount times; a
// pass over the list in which no item produced sound ends the run, so a list of files that cannot
// be played stops after one pass instead of spinning.
class PlaybackQueue {
public:
    // A new run from the first item; nothing when the list is empty.
    std::optional<std::size_t> Start(std::size_t itemCount, int playCount);

    // The current item is audibly playing.
    void MarkPlayed() { m_playedInPass = true; }

    // After the current item ended or failed: the item to play now, or nothing when the run is
    // over. itemCount is the list's size now; it may have changed since the run began.
    std::optional<std::size_t> Next(std::size_t itemCount);

    void Stop() { m_active = false; }
    bool Active() const { return m_active; }

private:
    std::optional<std::size_t> StartNextPass(std::size_t itemCount);

    bool m_active = false;
    bool m_playedInPass = false;
    std::size_t m_index = 0;
    int m_passesLeft = 0;
};

}  // namespace velunor
