// Long runs of whole scenes whose every sphere position and velocity after
// every tick is folded into one checksum. The figures were recorded with the
// plain one-sphere-at-a-time engine; any change to the physics code that is
// meant to leave the motion alone must keep them bit for bit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "game/physics/ClothGrid.h"
#include "game/physics/PhysicsEngine.h"
#include "game/physics/Sphere.h"
#include "game/physics/Spring.h"
#include "game/scene/GameDataRecords.h"
#include "tests/physics/PhysicsTestSupport.h"
#include "tests/physics/ScriptedWorld.h"

namespace {

using physicsTest::ScriptedWorld;
using quiltRush::PhysicsEngine;
using quiltRush::Sphere;
using quiltRush::Spring;
using quiltRush::Vector3;

/// FNV-1a over the bits of every float; all NaNs count as one value, since
/// which NaN an operation returns is the compiler's choice of operand order.
class Checksum {
public:
    void add(float value) {
        std::uint32_t bits = 0x7fc00000u;
        if (!std::isnan(value)) std::memcpy(&bits, &value, sizeof bits);
        for (int k = 0; k < 4; ++k) {
            hash ^= (bits >> (8 * k)) & 0xffu;
            hash *= 0x100000001b3ull;
        }
    }
    void add(const Vector3& v) {
        add(v.x);
        add(v.y);
        add(v.z);
    }
    void addSpheres() {
        for (const Sphere* sphere : PhysicsEngine::instance()->getSpheres()) {
            add(sphere->getPosition());
            add(sphere->getVelocity());
        }
    }
    std::string hex() const {
        char text[19];
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
        return text;
    }

private:
    std::uint64_t hash = 0xcbf29ce484222325ull;
};

/// A ball dropped onto a rows x cols cloth, with whatever the scene's script does to it.
class ClothScene {
public:
    ClothScene(int rows, int cols, float stiffness) : rows(rows), cols(cols) {
        ball = add(Vector3(0.07f, 1.0f, -0.03f), physicsTest::kBallRadius, physicsTest::kBallMass, 0.0f);
        quiltRush::PatchRecord record;
        record.rows = static_cast<float>(rows);
        record.cols = static_cast<float>(cols);
        record.sizeX = 0.15f * static_cast<float>(rows);
        record.sizeZ = 0.15f * static_cast<float>(cols);
        record.stiffness = stiffness;
        std::optional<quiltRush::ClothGrid> grid = quiltRush::ClothGrid::build(record);
        for (const Vector3& position : grid->positions)
            cloth.push_back(add(position, physicsTest::kClothRadius, physicsTest::kClothMass, physicsTest::kClothDamping));
        for (const auto& [first, second] : grid->springs) spring(cloth[first], cloth[second], grid->stiffness);
        for (int corner : {0, cols - 1, (rows - 1) * cols, rows * cols - 1}) cloth[static_cast<std::size_t>(corner)]->fix();
    }

    Sphere* add(const Vector3& position, float radius, float mass, float damping, bool registered = true) {
        spheres.push_back(std::make_unique<Sphere>(position, radius, mass, damping));
        if (registered) PhysicsEngine::instance()->addSphere(spheres.back().get());
        return spheres.back().get();
    }
    Spring* spring(Sphere* first, Sphere* second, float stiffness) {
        springs.push_back(std::make_unique<Spring>(first, second, stiffness));
        PhysicsEngine::instance()->addSpring(springs.back().get());
        return springs.back().get();
    }
    Sphere* at(int row, int col) { return cloth[static_cast<std::size_t>(row * cols + col)]; }

    int rows;
    int cols;
    Sphere* ball = nullptr;
    std::vector<Sphere*> cloth;
    std::vector<std::unique_ptr<Sphere>> spheres;
    std::vector<std::unique_ptr<Spring>> springs;
};

/// Runs ticks of ScriptedWorld's lengths, calling script before each, and sums every tick.
template <typename Script>
std::string run(int ticks, Script script) {
    Checksum sum;
    for (int tick = 0; tick < ticks; ++tick) {
        script(tick);
        PhysicsEngine::instance()->update(ScriptedWorld::tickMillis(tick));
        sum.addSpheres();
    }
    return sum.hex();
}

class TrajectoryChecksumTest : public physicsTest::FreshEngine {};

TEST_F(TrajectoryChecksumTest, ScriptedSceneWithDragsReleasesAndKicks) {
    ScriptedWorld world;
    EXPECT_EQ(run(3000, [&](int tick) { world.script(tick); }), "3d3c92a1224ff215");
}

TEST_F(TrajectoryChecksumTest, ScriptedSceneWithoutTheBroadPhase) {
    ScriptedWorld world;
    world.engine().setBroadPhase(false);
    EXPECT_EQ(run(1200, [&](int tick) { world.script(tick); }), "c490a0880e2e1cbb");
}

// Sizes whose sphere and spring counts leave every remainder of a batch of four.
TEST_F(TrajectoryChecksumTest, BallOnPinnedClothsOfManySizes) {
    const int sizes[][2] = {{2, 2}, {3, 3}, {5, 4}, {7, 6}, {10, 10}, {13, 9}, {32, 32}, {64, 64}};
    std::string sums;
    for (const auto& size : sizes) {
        PhysicsEngine::destroy();
        ClothScene scene(size[0], size[1], 5000.0f);
        sums += run(size[0] >= 32 ? 200 : 600, [](int) {}) + " ";
    }
    EXPECT_EQ(sums, "21b86b808ca266cf 8bfffc336d1f6355 8d0c991469e11d83 45e012a5379dbe9d cee8a21be63c9fb5 5259cf790ef6ddc9 951d503127141b05 94e9e7f47e7b8992 ");
}

// The mouse spring picks one sphere after another and drags it about, tacks
// come and go, a sphere and its spring join late, and one spring holds a
// sphere the engine does not move.
TEST_F(TrajectoryChecksumTest, DragsTacksLateSpheresAndAnOutsideAnchor) {
    ClothScene scene(12, 11, 5000.0f);
    Sphere* outside = scene.add(Vector3(0.3f, 0.8f, 0.2f), 0.1f, 0.1f, 0.0f, false);
    scene.spring(scene.at(3, 4), outside, 800.0f);
    Sphere* mouse = nullptr;
    Spring* mouseSpring = nullptr;
    std::string sum = run(1500, [&](int tick) {
        if (tick == 40) {
            mouse = scene.add(Vector3(), 0.0f, 0.001f, 0.0f);
            mouse->fix();
            mouseSpring = scene.spring(mouse, mouse, 5000.0f);
            mouseSpring->clearRestLength();
        }
        if (tick > 40 && tick % 90 == 0) {
            Sphere* picked = scene.at((tick / 90) % 12, (tick / 7) % 11);
            mouse->setPosition(picked->getPosition());
            mouseSpring->setSecond(picked);
        }
        if (mouse != nullptr && tick % 90 > 0 && tick % 90 < 60) {
            float angle = 0.07f * static_cast<float>(tick);
            mouse->setPosition(Vector3(0.5f * std::cos(angle), 0.4f + 0.3f * std::sin(angle), 0.2f));
        }
        if (mouse != nullptr && tick % 90 == 60) mouseSpring->setSecond(mouse);
        if (tick % 37 == 0) {
            Sphere* sphere = scene.at((tick / 37) % 12, (tick / 37 * 5) % 11);
            if (sphere->isTacked()) sphere->untack();
            else sphere->tack();
        }
        if (tick == 700) scene.ball->fix();
        if (tick % 200 == 100) scene.ball->addVelocity(Vector3(0.8f, 2.0f, -0.5f));
    });
    EXPECT_EQ(sum, "be8943b7aea788bf");
}

// Far too stiff for the substep: the cloth blows up into infinities and NaNs.
TEST_F(TrajectoryChecksumTest, ClothThatBlowsUp) {
    ClothScene scene(9, 9, 5.0e7f);
    EXPECT_EQ(run(300, [](int) {}), "497d36c06f9a5a65");
    EXPECT_FALSE(quiltRush::isFinite(scene.at(4, 4)->getPosition()));
}

}  // namespace
