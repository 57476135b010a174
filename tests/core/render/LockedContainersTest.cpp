#include <gtest/gtest.h>

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

}  // namespace
}  // namespace velunor
