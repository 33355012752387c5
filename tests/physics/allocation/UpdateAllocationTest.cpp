// PhysicsEngine::update must not allocate: it runs 60 times a second over
// thousands of spheres and springs. This binary replaces the global operator
// new and delete with counting ones, which is why it is a binary of its own:
// the replacement counts every allocation of the program it is linked into.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <vector>

#include "game/physics/PhysicsEngine.h"
#include "tests/physics/ScriptedWorld.h"

namespace {

long allocations = 0;  // operator new calls since the last reset

void* allocate(std::size_t size) {
    ++allocations;
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (memory == nullptr) throw std::bad_alloc();
    return memory;
}

void* allocateAligned(std::size_t size, std::align_val_t alignment) {
    ++allocations;
    void* memory = nullptr;
    std::size_t align = std::max(static_cast<std::size_t>(alignment), sizeof(void*));
    if (posix_memalign(&memory, align, size == 0 ? 1 : size) != 0) throw std::bad_alloc();
    return memory;
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void* operator new(std::size_t size, std::align_val_t alignment) { return allocateAligned(size, alignment); }
void* operator new[](std::size_t size, std::align_val_t alignment) { return allocateAligned(size, alignment); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, std::align_val_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept { std::free(memory); }

namespace {

using physicsTest::ScriptedWorld;

constexpr int kTicks = 1500;

/// Allocations made by one call of update for the scripted world's tick.
long allocationsOfTick(ScriptedWorld& world, int tick) {
    world.script(tick);
    allocations = 0;
    world.engine().update(ScriptedWorld::tickMillis(tick));
    return allocations;
}

class UpdateAllocationTest : public ::testing::Test {
protected:
    UpdateAllocationTest() { quiltRush::PhysicsEngine::destroy(); }
    ~UpdateAllocationTest() override { quiltRush::PhysicsEngine::destroy(); }
};

TEST_F(UpdateAllocationTest, CountsTheAllocationsOfTheCodeItWatches) {
    allocations = 0;
    auto* numbers = new std::vector<int>(100);
    long counted = allocations;
    delete numbers;
    EXPECT_EQ(counted, 2);  // the vector and its elements
}

TEST_F(UpdateAllocationTest, UpdateAllocatesNothingWithTheBroadPhaseOnceTheSceneIsIndexed) {
    ScriptedWorld world;
    ASSERT_TRUE(world.engine().isBroadPhaseOn());
    // The first scene pass indexes the scene: that tick allocates, once.
    EXPECT_GT(allocationsOfTick(world, 0), 0);

    long total = 0;
    int ticksThatAllocated = 0;
    for (int tick = 1; tick < kTicks; ++tick) {
        long made = allocationsOfTick(world, tick);
        total += made;
        if (made != 0) ++ticksThatAllocated;
    }
    EXPECT_EQ(total, 0) << ticksThatAllocated << " ticks allocated";
}

TEST_F(UpdateAllocationTest, APolygonAddedLaterIsIndexedAtTheNextPassAndThenNothingMoreIsAllocated) {
    ScriptedWorld world;
    allocationsOfTick(world, 0);
    world.engine().addPolygon(quiltRush::Vector3(20, 0, 20), quiltRush::Vector3(20, 0, 21),
                              quiltRush::Vector3(21, 0, 20), quiltRush::Vector3(0, 1, 0));
    EXPECT_GT(allocationsOfTick(world, 1), 0);
    long total = 0;
    for (int tick = 2; tick < 200; ++tick) total += allocationsOfTick(world, tick);
    EXPECT_EQ(total, 0);
}

TEST_F(UpdateAllocationTest, UpdateAllocatesNothingWithoutTheBroadPhase) {
    ScriptedWorld world;
    world.engine().setBroadPhase(false);
    long total = 0;
    for (int tick = 0; tick < kTicks; ++tick) total += allocationsOfTick(world, tick);
    EXPECT_EQ(total, 0);
}

}  // namespace
