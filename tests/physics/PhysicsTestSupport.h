#pragma once

#include <gtest/gtest.h>

#include "game/physics/Ball.h"
#include "game/physics/Patch.h"
#include "game/physics/PhysicsEngine.h"

namespace quiltRush {

/// Runs the engine's single contact passes, which the game reaches only through update.
struct PhysicsEngineProbe {
    static void collideBallWithSpheres(PhysicsEngine& engine) {
        engine.arrays.load(engine.spheres, engine.springs, false);
        engine.collideBallWithSpheres();
    }
    static void collideBallWithPolygons(PhysicsEngine& engine, float dt) { engine.collideBallWithPolygons(dt); }
};

}  // namespace quiltRush

namespace physicsTest {

/// The game's ball (no drag) and cloth sphere.
constexpr float kBallRadius = quiltRush::Ball::kRadius;
constexpr float kBallMass = quiltRush::Ball::kMass;
constexpr float kClothRadius = quiltRush::Patch::kSphereRadius;
constexpr float kClothMass = quiltRush::Patch::kSphereMass;
constexpr float kClothDamping = quiltRush::Patch::kSphereDamping;

/// Every case starts from an empty engine and leaves none behind.
class FreshEngine : public ::testing::Test {
protected:
    FreshEngine() { quiltRush::PhysicsEngine::destroy(); }
    ~FreshEngine() override { quiltRush::PhysicsEngine::destroy(); }

    quiltRush::PhysicsEngine& engine() { return *quiltRush::PhysicsEngine::instance(); }
};

}  // namespace physicsTest
