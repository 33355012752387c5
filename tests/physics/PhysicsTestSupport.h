#pragma once

#include <gtest/gtest.h>

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

/// Ball values: radius 0.2, mass 10, no drag.
constexpr float kBallRadius = 0.2f;
constexpr float kBallMass = 10.0f;
/// Cloth sphere values: radius 0.1, mass 0.1, damping 5.
constexpr float kClothRadius = 0.1f;
constexpr float kClothMass = 0.1f;
constexpr float kClothDamping = 5.0f;

/// Every case starts from an empty engine and leaves none behind.
class FreshEngine : public ::testing::Test {
protected:
    FreshEngine() { quiltRush::PhysicsEngine::destroy(); }
    ~FreshEngine() override { quiltRush::PhysicsEngine::destroy(); }

    quiltRush::PhysicsEngine& engine() { return *quiltRush::PhysicsEngine::instance(); }
};

}  // namespace physicsTest
