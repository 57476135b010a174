#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "render/LockedList.h"
#include "render/LockedMap.h"

namespace velunor {
namespace {

TEST(LockedList, HandsValuesOutFirstInFirstOut) {
    LockedList<int> list;
    EXPECT_EQ(list.TakeFront(), std::nullopt);
    for (int value : {3, 1, 2}) {
        list.Append(value);
    }
    EXPECT_EQ(list.TakeFront(), 3);

    // A drain acts with no lock held: the action may append, and what it appends comes out too.
    std::vector<int> drained;
    list.Drain([&](int value) {
        drained.push_back(value);
        if (value == 2) {
            list.Append(7);
        }
    });
    EXPECT_EQ(drained, (std::vector<int>{1, 2, 7}));
    EXPECT_EQ(list.Size(), 0u);
}

TEST(LockedMap, KeepsUniqueKeysAndFindsAndTakesThem) {
    LockedMap<int, char> map;
    EXPECT_TRUE(map.Insert(2, 'b'));
    EXPECT_TRUE(map.Insert(1, 'a'));
    EXPECT_FALSE(map.Insert(2, 'x'));  // the first value stays
    EXPECT_EQ(map.Find(2), 'b');
    EXPECT_EQ(map.Find(3), std::nullopt);

    EXPECT_EQ(map.Take(2), 'b');
    EXPECT_EQ(map.Take(2), std::nullopt);
    EXPECT_FALSE(map.Contains(2));
    EXPECT_EQ(map.Size(), 1u);
}

TEST(LockedMap, PassActsOnTheValuesOfItsStartInKeyOrderWhileTheActionChangesTheMap) {
    LockedMap<int, int> map;
    int visits = 0;
    map.ForEachValue([&](int) { ++visits; });
    EXPECT_EQ(visits, 0);  // an empty map: nothing to act on

    for (int key : {30, 10, 20, 40}) {
        map.Insert(key, key);
    }
    std::vector<int> seen;
    map.ForEachValue([&](int value) {
        seen.push_back(value);
        if (value == 10) {
            map.Take(10);  // its own entry
            map.Take(30);  // one still to come: the pass began with it
            map.Insert(15, 15);
            map.Insert(50, 50);  // added during the pass: for the next pass only
        }
    });
    EXPECT_EQ(seen, (std::vector<int>{10, 20, 30, 40}));

    seen.clear();
    map.ForEachValue([&](int value) { seen.push_back(value); });
    EXPECT_EQ(seen, (std::vector<int>{15, 20, 40, 50}));
}

TEST(LockedContainers, DestroyingThemLeavesWhatTheValuesPointToAlive) {
    auto object = std::make_shared<int>(5);
    {
        LockedMap<int, int*> map;
        LockedList<int*> list;
        map.Insert(1, object.get());
        list.Append(object.get());
    }
    EXPECT_EQ(*object, 5);
    EXPECT_EQ(object.use_count(), 1);
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

// Producers append while consumers take from the front: nothing is lost or handed out twice, and
// one producer's values come out in the order it appended them.
TEST(LockedContainers, ListHandsEveryValueOutOnceWhileManyThreadsAppendAndTake) {
    constexpr int kProducers = 4;
    constexpr int kConsumers = 4;
    constexpr int kValuesEach = 2000;
    LockedList<int> list;
    std::atomic<int> taken = 0;
    std::vector<std::vector<int>> takenBy(kConsumers);
    std::vector<std::thread> threads;
    for (int producer = 0; producer < kProducers; ++producer) {
        threads.emplace_back([&, producer] {
            for (int i = 0; i < kValuesEach; ++i) {
                list.Append(producer * kValuesEach + i);
            }
        });
    }
    for (int consumer = 0; consumer < kConsumers; ++consumer) {
        threads.emplace_back([&, consumer] {
            while (taken < kProducers * kValuesEach) {
                if (std::optional<int> value = list.TakeFront()) {
                    takenBy[consumer].push_back(*value);
                    ++taken;
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    std::vector<int> all;
    for (const std::vector<int>& values : takenBy) {
        for (std::size_t i = 1; i < values.size(); ++i) {
            if (values[i] / kValuesEach == values[i - 1] / kValuesEach) {
                EXPECT_LT(values[i - 1], values[i]);
            }
        }
        all.insert(all.end(), values.begin(), values.end());
    }
    std::sort(all.begin(), all.end());
    std::vector<int> expected(kProducers * kValuesEach);
    for (int i = 0; i < int(expected.size()); ++i) {
        expected[i] = i;
    }
    EXPECT_EQ(all, expected);
}

}  // namespace
}  // namespace velunor
