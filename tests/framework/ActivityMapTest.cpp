#include "framework/ActivityMap.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/ThrownMessage.h"

namespace {

using testSupport::thrownMessage;

/// An element that counts its deletions.
struct Tracked {
    explicit Tracked(int& deletions) : deletions(deletions) {}
    ~Tracked() { ++deletions; }
    int& deletions;
};

std::vector<int> valuesOf(const kiln::ActivityMap<int>& map) {
    std::vector<int> values;
    for (const int* element : map.elements()) values.push_back(*element);
    return values;
}

class ActivityMapTest : public ::testing::Test {
protected:
    int one = 1;
    int two = 2;
    int three = 3;
    kiln::ActivityMap<int> map;
};

TEST_F(ActivityMapTest, KeepsInsertionOrderNotNameOrder) {
    map.add("z", &one);
    map.add("a", &two);
    map.add("m", &three);
    EXPECT_EQ(valuesOf(map), (std::vector<int>{1, 2, 3}));
}

TEST_F(ActivityMapTest, RemoveAllDuringAWalkLetsTheWalkFinishThenEmptiesTheMap) {
    map.add("a", &one);
    map.add("b", &two);
    map.add("c", &three);

    std::vector<int> visited;
    map.lock();
    const auto& elements = map.elements();
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (i == 0) map.removeAll();
        visited.push_back(*elements[i]);
    }
    EXPECT_EQ(map.size(), 3u);
    map.unlock();

    EXPECT_EQ(visited, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(map.size(), 0u);
    // The names are free again.
    map.add("a", &three);
    EXPECT_EQ(valuesOf(map), std::vector<int>{3});
}

TEST_F(ActivityMapTest, ChangesRequestedWhileLockedApplyInRequestOrder) {
    map.add("a", &one);
    map.lock();
    map.removeAll();
    map.add("b", &two);
    map.unlock();
    EXPECT_EQ(valuesOf(map), std::vector<int>{2});

    map.lock();
    map.add("c", &three);
    map.removeAll();
    map.unlock();
    EXPECT_EQ(map.size(), 0u);
}

TEST_F(ActivityMapTest, AddingATakenNameUnlockedThrowsRuntimeErrorAndKeepsTheFirst) {
    map.add("n", &one);
    EXPECT_EQ(thrownMessage<std::runtime_error>([&] { map.add("n", &two); }),
              "[kiln::ActivityMap] element 'n' already exists.");
    EXPECT_EQ(valuesOf(map), std::vector<int>{1});
}

TEST_F(ActivityMapTest, SecondAddOfTheSameNameWhileLockedThrowsInvalidArgument) {
    map.lock();
    map.add("n", &one);
    EXPECT_EQ(thrownMessage<std::invalid_argument>([&] { map.add("n", &two); }),
              "[kiln::CommandQueue] element 'n' already exists.");
    EXPECT_EQ(map.size(), 0u);

    // The rejected addition leaves nothing behind to fail at unlock.
    map.unlock();
    EXPECT_EQ(valuesOf(map), std::vector<int>{1});

    // Pending names are forgotten at unlock: the next walk may add a new name.
    map.lock();
    map.add("m", &three);
    map.unlock();
    EXPECT_EQ(valuesOf(map), (std::vector<int>{1, 3}));
}

TEST_F(ActivityMapTest, DestroyAllDuringAWalkDeletesTheElementsAtUnlock) {
    int deletions = 0;
    kiln::ActivityMap<Tracked> tracked;
    tracked.add("a", new Tracked(deletions));
    tracked.add("b", new Tracked(deletions));

    tracked.lock();
    tracked.destroyAll();
    EXPECT_EQ(deletions, 0);
    EXPECT_EQ(tracked.size(), 2u);
    tracked.unlock();

    EXPECT_EQ(deletions, 2);
    EXPECT_EQ(tracked.size(), 0u);
}

TEST_F(ActivityMapTest, RemoveAllForgetsWithoutDeleting) {
    int deletions = 0;
    Tracked kept(deletions);
    {
        kiln::ActivityMap<Tracked> tracked;
        tracked.add("kept", &kept);
        tracked.removeAll();
        EXPECT_EQ(tracked.size(), 0u);
    }
    EXPECT_EQ(deletions, 0);
}

void deleteTracked(Tracked* element) { delete element; }

TEST_F(ActivityMapTest, AHandedOverElementWhoseQueuedAdditionFailsAtUnlockIsDiscarded) {
    int deletions = 0;
    {
        kiln::ActivityMap<Tracked> tracked;
        tracked.add("a", new Tracked(deletions), &deleteTracked);
        tracked.lock();
        tracked.add("a", new Tracked(deletions), &deleteTracked);
        EXPECT_EQ(deletions, 0);
        EXPECT_EQ(thrownMessage<std::runtime_error>([&] { tracked.unlock(); }),
                  "[kiln::ActivityMap] element 'a' already exists.");
        EXPECT_EQ(deletions, 1);
        EXPECT_EQ(tracked.size(), 1u);
        tracked.destroyAll();
    }
    EXPECT_EQ(deletions, 2);
}

TEST_F(ActivityMapTest, AHandedOverElementRejectedAtOnceIsDiscarded) {
    int deletions = 0;
    kiln::ActivityMap<Tracked> tracked;
    tracked.add("a", new Tracked(deletions), &deleteTracked);
    EXPECT_THROW(tracked.add("a", new Tracked(deletions), &deleteTracked), std::runtime_error);
    EXPECT_EQ(deletions, 1);
    tracked.lock();
    tracked.add("b", new Tracked(deletions), &deleteTracked);
    EXPECT_THROW(tracked.add("b", new Tracked(deletions), &deleteTracked), std::invalid_argument);
    EXPECT_EQ(deletions, 2);
    tracked.unlock();
    EXPECT_EQ(tracked.size(), 2u);
    tracked.destroyAll();
    EXPECT_EQ(deletions, 4);
}

TEST_F(ActivityMapTest, AHandedOverElementStillQueuedWhenTheMapGoesIsDiscarded) {
    int deletions = 0;
    {
        kiln::ActivityMap<Tracked> tracked;
        tracked.lock();
        tracked.add("a", new Tracked(deletions), &deleteTracked);
    }
    EXPECT_EQ(deletions, 1);
}

}  // namespace
