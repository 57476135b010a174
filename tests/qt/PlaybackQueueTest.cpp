#include <gtest/gtest.h>

#include "PlaybackQueue.h"

namespace velunor {
namespace {

using Index = std::optional<std::size_t>;

TEST(PlaybackQueueTest, EmptyListPlaysNothing) {
    PlaybackQueue queue;
    EXPECT_EQ(queue.Start(0, 5), Index());
    EXPECT_FALSE(queue.Active());
}

TEST(PlaybackQueueTest, PlaysTheListInOrderAsManyTimesAsAsked) {
    PlaybackQueue queue;
    EXPECT_EQ(queue.Start(2, 2), Index(0));
    queue.MarkPlayed();
    EXPECT_EQ(queue.Next(2), Index(1));
    EXPECT_EQ(queue.Next(2), Index(0));
    queue.MarkPlayed();
    EXPECT_EQ(queue.Next(2), Index(1));
    EXPECT_EQ(queue.Next(2), Index());
    EXPECT_FALSE(queue.Active());
}

TEST(PlaybackQueueTest, CountBelowOnePlaysTheListOnce) {
    PlaybackQueue queue;
    EXPECT_EQ(queue.Start(1, 0), Index(0));
    queue.MarkPlayed();
    EXPECT_EQ(queue.Next(1), Index());
}

TEST(PlaybackQueueTest, PassWithoutSoundEndsTheRunWhateverTheCount) {
    PlaybackQueue queue;
    EXPECT_EQ(queue.Start(3, 100'000'000), Index(0));
    EXPECT_EQ(queue.Next(3), Index(1));
    EXPECT_EQ(queue.Next(3), Index(2));
    EXPECT_EQ(queue.Next(3), Index());
    EXPECT_FALSE(queue.Active());
}

TEST(PlaybackQueueTest, OnePlayableItemKeepsTheRepeatsGoing) {
    PlaybackQueue queue;
    queue.Start(2, 3);
    EXPECT_EQ(queue.Next(2), Index(1));  // the first failed
    queue.MarkPlayed();
    EXPECT_EQ(queue.Next(2), Index(0));
    EXPECT_EQ(queue.Next(2), Index(1));
    queue.MarkPlayed();
    EXPECT_EQ(queue.Next(2), Index(0));
}

TEST(PlaybackQueueTest, ItemsAppendedDuringTheRunAreReached) {
    PlaybackQueue queue;
    queue.Start(1, 1);
    queue.MarkPlayed();
    EXPECT_EQ(queue.Next(2), Index(1));
}

TEST(PlaybackQueueTest, ClearedListEndsTheRun) {
    PlaybackQueue queue;
    queue.Start(2, 5);
    queue.MarkPlayed();
    EXPECT_EQ(queue.Next(0), Index());
    EXPECT_FALSE(queue.Active());
}

TEST(PlaybackQueueTest, StoppedQueueGoesNowhere) {
    PlaybackQueue queue;
    queue.Start(2, 5);
    queue.Stop();
    EXPECT_EQ(queue.Next(2), Index());
}

}  // namespace
}  // namespace velunor
