#pragma once

#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "game/physics/Ball.h"
#include "game/physics/ClothGrid.h"
#include "game/physics/Patch.h"
#include "game/physics/PhysicsEngine.h"
#include "game/physics/Sphere.h"
#include "game/physics/Spring.h"
#include "game/scene/GameDataRecords.h"

namespace physicsTest {

/// A long, fully scripted physics run without GL: a ball dropped onto a cloth
/// tacked at its corners above a bumpy, walled scene of a few thousand
/// triangles (slopes, blocks with edges and corners, a few slivers and
/// normals that are not of unit length). A scripted mouse drags the cloth,
/// corners are released, the ball is kicked around, and the ticks vary in
/// length. Everything depends on the tick number alone, so two runs of the
/// same build do exactly the same arithmetic.
class ScriptedWorld {
public:
    static constexpr float kBallRadius = quiltRush::Ball::kRadius;
    static constexpr float kBallMass = quiltRush::Ball::kMass;
    static constexpr float kClothRadius = quiltRush::Patch::kSphereRadius;
    static constexpr float kClothMass = quiltRush::Patch::kSphereMass;
    static constexpr float kClothDamping = quiltRush::Patch::kSphereDamping;
    static constexpr float kClothStiffness = 5000.0f;
    static constexpr int kClothSide = 14;
    static constexpr float kClothSize = 3.0f;
    static constexpr float kCell = 0.25f;       // terrain square side
    static constexpr float kHalfWidth = 6.0f;   // the terrain spans -6 .. 6 in x and z
    static constexpr float kWallHeight = 1.5f;  // above the highest terrain point
    static constexpr float kMouseStiffness = 200.0f;

    /// Registers everything with the engine (which should be empty): the
    /// ball first, then the cloth, then the mouse sphere and its spring, then
    /// the scene's polygons.
    ScriptedWorld() {
        ball = addSphere(quiltRush::Vector3(0.3f, 3.4f, -0.2f), kBallRadius, kBallMass, 0.0f);
        addCloth();
        mouse = addSphere(quiltRush::Vector3(), 0.0f, 0.001f, 0.0f);
        mouse->fix();
        springs.push_back(std::make_unique<quiltRush::Spring>(mouse, mouse, kMouseStiffness));
        mouseSpring = springs.back().get();
        mouseSpring->clearRestLength();
        engine().addSpring(mouseSpring);
        addTerrain();
        addWalls();
        addBlocks();
        addOddTriangles();
    }

    /// The length of tick number `tick` in milliseconds: mostly 16 and 17,
    /// with short, empty and stalled ticks mixed in.
    static unsigned long tickMillis(int tick) {
        static constexpr unsigned long kPattern[] = {16, 16, 17, 16, 33, 15, 16, 1, 16, 0, 17, 50, 16, 120, 3, 16};
        return kPattern[static_cast<std::size_t>(tick) % (sizeof kPattern / sizeof kPattern[0])];
    }

    /// Applies the script's events due before tick `tick` and then runs it.
    void runTick(int tick) {
        script(tick);
        engine().update(tickMillis(tick));
    }

    /// The player's actions before tick `tick`: drags, releases and kicks.
    void script(int tick) {
        // A drag of the cloth's middle, round in a circle for two seconds.
        constexpr int kDragStart = 150, kDragEnd = 270;
        quiltRush::Sphere* grabbed = cloth[static_cast<std::size_t>(kClothSide * kClothSide / 2 + kClothSide / 2)];
        if (tick == kDragStart) {
            mouse->setPosition(grabbed->getPosition());
            mouseSpring->setSecond(grabbed);
        }
        if (tick > kDragStart && tick < kDragEnd) {
            float angle = 0.05f * static_cast<float>(tick - kDragStart);
            mouse->setPosition(quiltRush::Vector3(0.6f * std::cos(angle), 3.3f, 0.6f * std::sin(angle)));
        }
        if (tick == kDragEnd) mouseSpring->setSecond(mouse);
        // Two corners let go: the cloth hangs and the ball rolls off onto the scene.
        if (tick == 400) {
            cloth[static_cast<std::size_t>(kCorners[0])]->untack();
            cloth[static_cast<std::size_t>(kCorners[1])]->untack();
        }
        // Kicks that send the ball across slopes, blocks and walls.
        if (tick >= 600 && tick % 350 == 0) {
            float angle = 0.9f * static_cast<float>(tick / 350);
            ball->addVelocity(quiltRush::Vector3(4.0f * std::cos(angle), 1.5f, 4.0f * std::sin(angle)));
        }
    }

    quiltRush::PhysicsEngine& engine() { return *quiltRush::PhysicsEngine::instance(); }

    /// Height of the terrain's surface at (x, z), before the jitter of its corners.
    static float terrainHeight(float x, float z) {
        return 0.35f * std::sin(1.3f * x) * std::cos(0.9f * z) + 0.12f * x + 0.2f * std::sin(0.5f * z + 0.3f * x);
    }

    quiltRush::Sphere* ball = nullptr;
    quiltRush::Sphere* mouse = nullptr;
    quiltRush::Spring* mouseSpring = nullptr;
    std::vector<quiltRush::Sphere*> cloth;
    std::size_t sceneTriangles = 0;

private:
    quiltRush::Sphere* addSphere(const quiltRush::Vector3& position, float radius, float mass, float damping) {
        spheres.push_back(std::make_unique<quiltRush::Sphere>(position, radius, mass, damping));
        engine().addSphere(spheres.back().get());
        return spheres.back().get();
    }

    void addCloth() {
        quiltRush::PatchRecord record;
        record.x = 0.0f;
        record.y = 3.0f;
        record.z = 0.0f;
        record.rows = static_cast<float>(kClothSide);
        record.cols = static_cast<float>(kClothSide);
        record.sizeX = kClothSize;
        record.sizeZ = kClothSize;
        record.stiffness = kClothStiffness;
        std::optional<quiltRush::ClothGrid> grid = quiltRush::ClothGrid::build(record);
        for (const quiltRush::Vector3& position : grid->positions)
            cloth.push_back(addSphere(position, kClothRadius, kClothMass, kClothDamping));
        for (const auto& [first, second] : grid->springs) {
            springs.push_back(std::make_unique<quiltRush::Spring>(cloth[first], cloth[second], grid->stiffness));
            engine().addSpring(springs.back().get());
        }
        for (int index : kCorners) cloth[static_cast<std::size_t>(index)]->tack();
    }

    static constexpr int kCorners[4] = {0, kClothSide - 1, (kClothSide - 1) * kClothSide, kClothSide * kClothSide - 1};

    void addTriangle(const quiltRush::Vector3& a, const quiltRush::Vector3& b, const quiltRush::Vector3& c,
                     float normalScale = 1.0f) {
        quiltRush::Vector3 normal = quiltRush::normalize(quiltRush::cross(b - a, c - a)) * normalScale;
        engine().addPolygon(a, b, c, normal);
        ++sceneTriangles;
    }

    /// A fixed pseudo-random offset in [-amount, amount] for corner (i, j).
    static float jitter(int i, int j, float amount) {
        std::uint32_t h = static_cast<std::uint32_t>(i) * 73856093u ^ static_cast<std::uint32_t>(j) * 19349663u;
        h = (h ^ (h >> 13)) * 1274126177u;
        return amount * (static_cast<float>(h % 2001u) / 1000.0f - 1.0f);
    }

    static quiltRush::Vector3 corner(int i, int j) {
        float x = -kHalfWidth + static_cast<float>(i) * kCell;
        float z = -kHalfWidth + static_cast<float>(j) * kCell;
        return {x, terrainHeight(x, z) + jitter(i, j, 0.03f), z};
    }

    /// Two upward-facing triangles per square, cut alternately along either diagonal.
    void addTerrain() {
        const int squares = static_cast<int>(2.0f * kHalfWidth / kCell);
        for (int i = 0; i < squares; ++i) {
            for (int j = 0; j < squares; ++j) {
                quiltRush::Vector3 a = corner(i, j), b = corner(i, j + 1), c = corner(i + 1, j), d = corner(i + 1, j + 1);
                if ((i + j) % 2 == 0) {
                    addTriangle(a, b, c);
                    addTriangle(d, c, b);
                } else {
                    addTriangle(a, d, c);
                    addTriangle(a, b, d);
                }
            }
        }
    }

    /// Four walls facing inwards, each two triangles, that keep the ball on the terrain.
    void addWalls() {
        const float low = -3.0f;
        const float high = 0.12f * kHalfWidth + 0.6f + kWallHeight;
        const float w = kHalfWidth;
        const quiltRush::Vector3 corners[4] = {{-w, 0, -w}, {w, 0, -w}, {w, 0, w}, {-w, 0, w}};
        for (int side = 0; side < 4; ++side) {
            quiltRush::Vector3 p = corners[side], q = corners[(side + 1) % 4];
            quiltRush::Vector3 pLow(p.x, low, p.z), pHigh(p.x, high, p.z), qLow(q.x, low, q.z), qHigh(q.x, high, q.z);
            // Counter-clockwise seen from inside, so the normal points inwards.
            addTriangle(pLow, qLow, pHigh);
            addTriangle(qHigh, pHigh, qLow);
        }
    }

    /// Small boxes standing on the terrain: top faces, sides, edges and corners to bounce off.
    void addBlocks() {
        const float places[][2] = {{-2.5f, 1.5f}, {2.0f, -2.0f}, {3.5f, 2.5f}, {-1.0f, -3.5f}, {0.5f, 4.0f}};
        for (const auto& place : places) {
            float x = place[0], z = place[1], h = 0.4f, s = 0.3f;
            float base = terrainHeight(x, z) - 0.2f;
            quiltRush::Vector3 p[8];
            for (int k = 0; k < 8; ++k)
                p[k] = quiltRush::Vector3(x + ((k & 1) ? s : -s), base + ((k & 4) ? h + 0.2f : 0.0f), z + ((k & 2) ? s : -s));
            // Top (+y), then the four sides facing out.
            addTriangle(p[4], p[6], p[5]);
            addTriangle(p[7], p[5], p[6]);
            addTriangle(p[0], p[4], p[1]);
            addTriangle(p[5], p[1], p[4]);
            addTriangle(p[3], p[7], p[2]);
            addTriangle(p[6], p[2], p[7]);
            addTriangle(p[2], p[6], p[0]);
            addTriangle(p[4], p[0], p[6]);
            addTriangle(p[1], p[5], p[3]);
            addTriangle(p[7], p[3], p[5]);
        }
    }

    /// Triangles a model file may well hold: slivers and normals longer or
    /// shorter than one, lying where the ball rolls.
    void addOddTriangles() {
        for (int k = 0; k < 12; ++k) {
            float x = -4.0f + 0.7f * static_cast<float>(k);
            float z = 0.5f * std::sin(static_cast<float>(k));
            float y = terrainHeight(x, z) + 0.05f;
            quiltRush::Vector3 a(x, y, z);
            addTriangle(a, a + quiltRush::Vector3(0.0f, 0.0f, 1.5f), a + quiltRush::Vector3(0.6f, 0.01f, 0.0f),
                        k % 3 == 0 ? 0.6f : (k % 3 == 1 ? 1.7f : 1.0f));
            // A sliver, thin or all but flat: nearly collinear corners.
            float thickness = k % 2 == 0 ? 0.02f : 1e-5f;
            addTriangle(a, a + quiltRush::Vector3(1.0f, 0.001f, thickness), a + quiltRush::Vector3(2.0f, 0.0f, 0.0f));
        }
    }

    std::vector<std::unique_ptr<quiltRush::Sphere>> spheres;
    std::vector<std::unique_ptr<quiltRush::Spring>> springs;
};

}  // namespace physicsTest
