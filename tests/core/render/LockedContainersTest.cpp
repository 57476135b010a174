#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include "render/LockedMap.h"

namespace velunor {
namespace {

TEST(LockedMap, APassActsOnTheValuesOfItsStartInKeyOrderWhileTheActionChangesTheMap) {
    LockedMap<int, int> map;
    for (int key : {30, 10, 20, 40}) {
        EXPECT_TRUE(map.Insert(key, key));
    }
    EXPECT_FALSE(map.Insert(10, 99));  // the first value stays
    std::vector<int> seen;
    map.ForEachValue([&](int value) {
        seen.push_back(value);
        if (value == 10) {
            map.Take(10);  // its own entry
            map.Take(30);  // one still to come: the pass began with it
            // From another thread, which would wait for ever if the pass held the lock.
            std::thread([&] {
                map.Insert(15, 15);
                map.Insert(50, 50);
            }).join();
        }
    });
    EXPECT_EQ(seen, (std::vector<int>{10, 20, 30, 40}));
    seen.clear();
    map.ForEachValue([&](int value) { seen.push_back(value); });
    EXPECT_EQ(seen, (std::vector<int>{15, 20, 40, 50}));
    EXPECT_EQ(map.Take(30), std::nullopt);
}

// Writers keep inserting and taking their own keys while passes run: every pass sees each key at
// most once and in ascending order, and the map ends as the writers left it.
TEST(LockedContainers, MapStaysConsistentWhileManyThreadsInsertAndTakeDuringPasses) {
    constexpr int kWriters = 4;
    constexpr int kKeysEach = 50;
    constexpr int kRounds = 40;
    LockedMap<int, int> map;
    std::atomic<int> writersLeft = kWriters;
    std::vector<std::thread> writers;
    for (int writer = 0; writer < kWriters; ++writer) {
        writers.emplace_back([&, writer] {
            for (int round = 0; round < kRounds; ++round) {
                for (int i = 0; i < kKeysEach; ++i) {
                    map.Insert(writer * kKeysEach + i, writer * kKeysEach + i);
                }
                for (int i = round % 2; i < kKeysEach; i += 2) {
                    map.Take(writer * kKeysEach + i);
                }
            }
            --writersLeft;
        });
    }
    bool ordered = true;
    do {
        std::vector<int> seen;
        map.ForEachValue([&](int value) { seen.push_back(value); });
        ordered = ordered && std::adjacent_find(seen.begin(), seen.end(),
                                                std::greater_equal<int>()) == seen.end();
    } while (writersLeft > 0);
    for (std::thread& writer : writers) {
        writer.join();
    }
    EXPECT_TRUE(ordered);
    // The last round took the odd keys of each writer.
    EXPECT_EQ(map.Size(), std::size_t{kWriters * kKeysEach / 2});
    EXPECT_TRUE(map.Contains(0));
    EXPECT_FALSE(map.Contains(1));
}

}  // namespace
}  // namespace velunor
