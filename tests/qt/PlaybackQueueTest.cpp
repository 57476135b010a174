#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "PlaybackQueue.h"

namespace velunor {
namespace {

using Items = std::vector<std::size_t>;

// The items a run plays from start to end, where only the playable ones make a sound.
Items Played(std::size_t items, int playCount, const std::set<std::size_t>& playable) {
    PlaybackQueue queue;
    Items played;
    for (std::optional<std::size_t> item = queue.Start(items, playCount);
         item && played.size() < 100; item = queue.Next(items)) {
        played.push_back(*item);
        if (playable.contains(*item)) {
            queue.MarkPlayed();
        }
    }
    EXPECT_FALSE(queue.Active());
    return played;
}

TEST(PlaybackQueueTest, PlaysTheWholeListCountTimesUntilAPassMakesNoSound) {
    EXPECT_EQ(Played(0, 5, {}), Items{});
    EXPECT_EQ(Played(2, 2, {0, 1}), (Items{0, 1, 0, 1}));
    EXPECT_EQ(Played(2, 0, {0, 1}), (Items{0, 1}));
    EXPECT_EQ(Played(2, 3, {1}), (Items{0, 1, 0, 1, 0, 1}));
    EXPECT_EQ(Played(3, 100'000'000, {}), (Items{0, 1, 2}));
}

}  // namespace
}  // namespace velunor
