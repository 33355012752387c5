#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "game/physics/PhysicsEngine.h"
#include "game/physics/Sphere.h"
#include "tests/physics/PhysicsTestSupport.h"
#include "tests/physics/ScriptedWorld.h"

namespace {

using physicsTest::FreshEngine;
using physicsTest::kBallMass;
using physicsTest::kBallRadius;
using physicsTest::ScriptedWorld;
using quiltRush::PhysicsEngineProbe;
using quiltRush::Sphere;
using quiltRush::Vector3;

constexpr int kScenarioTicks = 2500;
constexpr float kDt = 0.002f;

void appendState(std::vector<float>& out, const Sphere& sphere) {
    for (const Vector3& v : {sphere.getPosition(), sphere.getVelocity()}) {
        out.push_back(v.x);
        out.push_back(v.y);
        out.push_back(v.z);
    }
}

/// What one run of the scripted scenario leaves behind, tick by tick.
struct ScenarioRun {
    std::vector<float> states;  // every sphere's position and velocity after every tick
    std::size_t floatsPerTick = 0;
    float lowestBallY = std::numeric_limits<float>::max();
    float ballTravel = 0.0f;  // horizontal path length
    bool ballTouchedCloth = false;
    std::size_t triangles = 0;
};

ScenarioRun runScenario(bool broadPhase) {
    quiltRush::PhysicsEngine::destroy();
    ScenarioRun run;
    {
        ScriptedWorld world;
        world.engine().setBroadPhase(broadPhase);
        run.triangles = world.sceneTriangles;
        Vector3 previous = world.ball->getPosition();
        for (int tick = 0; tick < kScenarioTicks; ++tick) {
            world.runTick(tick);
            std::size_t before = run.states.size();
            for (const Sphere* sphere : world.engine().getSpheres()) appendState(run.states, *sphere);
            run.floatsPerTick = run.states.size() - before;
            Vector3 at = world.ball->getPosition();
            run.lowestBallY = std::min(run.lowestBallY, at.y);
            run.ballTravel += std::hypot(at.x - previous.x, at.z - previous.z);
            previous = at;
            for (const Sphere* piece : world.cloth) {
                if (quiltRush::length(piece->getPosition() - at) < kBallRadius + ScriptedWorld::kClothRadius)
                    run.ballTouchedCloth = true;
            }
        }
    }
    quiltRush::PhysicsEngine::destroy();
    return run;
}

TEST(BroadPhaseTest, ScriptedRunOnABumpySceneIsBitForBitTheSameWithAndWithoutIt) {
    ScenarioRun full = runScenario(false);
    ScenarioRun pruned = runScenario(true);

    // The scenario is worth comparing: the ball met the cloth, rolled a long
    // way over the scene and never fell through it.
    ASSERT_GT(full.triangles, 4000u);
    EXPECT_TRUE(full.ballTouchedCloth);
    EXPECT_GT(full.ballTravel, 10.0f);
    EXPECT_GT(full.lowestBallY, -2.0f);

    ASSERT_EQ(full.states.size(), pruned.states.size());
    ASSERT_GT(full.floatsPerTick, 0u);
    if (std::memcmp(full.states.data(), pruned.states.data(), full.states.size() * sizeof(float)) != 0) {
        std::size_t at = 0;
        while (std::memcmp(&full.states[at], &pruned.states[at], sizeof(float)) == 0) ++at;
        FAIL() << "first difference at tick " << at / full.floatsPerTick << ", sphere "
               << at % full.floatsPerTick / 6 << ": " << full.states[at] << " without, " << pruned.states[at]
               << " with the broad phase";
    }
}

/// One ball alone with a scene, run tick by tick; returns the ball's position
/// after every tick (and after the scene was built by `addScene`).
template <typename AddScene>
std::vector<Vector3> throwBall(AddScene addScene, const Vector3& from, const Vector3& velocity, int ticks,
                               bool broadPhase) {
    quiltRush::PhysicsEngine::destroy();
    quiltRush::PhysicsEngine& engine = *quiltRush::PhysicsEngine::instance();
    Sphere ball(from, kBallRadius, kBallMass, 0.0f);
    ball.addVelocity(velocity);
    engine.addSphere(&ball);
    addScene(engine);
    engine.setBroadPhase(broadPhase);
    std::vector<Vector3> path;
    for (int tick = 0; tick < ticks; ++tick) {
        engine.update(16);
        path.push_back(ball.getPosition());
    }
    quiltRush::PhysicsEngine::destroy();
    return path;
}

bool sameBits(const std::vector<Vector3>& left, const std::vector<Vector3>& right) {
    return left.size() == right.size() && std::memcmp(left.data(), right.data(), left.size() * sizeof(Vector3)) == 0;
}

TEST(BroadPhaseTest, BallRestsOnAFloorWhoseNormalLeansOneDegree) {
    // Two 20-unit triangles at y = 0 whose given normal leans 1 degree towards
    // +x, as an exporter may write it: the pass holds the ball on the leaning
    // plane through each first corner, up to 0.28 above the triangles.
    const float lean = 1.0f * static_cast<float>(M_PI) / 180.0f;
    auto floor = [lean](quiltRush::PhysicsEngine& engine) {
        Vector3 normal(std::sin(lean), std::cos(lean), 0);
        engine.addPolygon(Vector3(-10, 0, -10), Vector3(-10, 0, 10), Vector3(10, 0, -10), normal);
        engine.addPolygon(Vector3(10, 0, 10), Vector3(10, 0, -10), Vector3(-10, 0, 10), normal);
    };
    const int ticks = 250;  // four seconds: a missed floor leaves the ball far below
    std::vector<Vector3> full = throwBall(floor, Vector3(-6, 2, 8), Vector3(), ticks, false);
    std::vector<Vector3> pruned = throwBall(floor, Vector3(-6, 2, 8), Vector3(), ticks, true);
    EXPECT_GT(full.back().y, 0.3f);
    EXPECT_TRUE(sameBits(full, pruned)) << "the ball ends at x " << full.back().x << " y " << full.back().y << " without, x "
                                        << pruned.back().x << " y " << pruned.back().y
                                        << " with the broad phase";
}

TEST(BroadPhaseTest, RandomScenesWithNormalsLeaningAnyWayAreBitForBitTheSameWithAndWithoutIt) {
    // Each scene: a floor of big triangles leaning a little, and small
    // triangles scattered above it whose normals lean 0.1, 1, 10, 45 or 89
    // degrees from their own, or point any way at all. Balls are thrown at
    // each scene from many places and followed for ten seconds.
    const int kScenes = 24;
    const int kBallsPerScene = 8;
    const int kTicks = 600;
    const float kLeans[] = {0.0f, 0.1f, 1.0f, 10.0f, 45.0f, 89.0f};
    std::mt19937 random(1207u);
    auto uniform = [&random](float low, float high) { return std::uniform_real_distribution<float>(low, high)(random); };
    auto direction = [&]() { return quiltRush::normalize(Vector3(uniform(-1, 1), uniform(-1, 1), uniform(-1, 1))); };
    auto leaning = [&](const Vector3& a, const Vector3& b, const Vector3& c, float degrees) {
        Vector3 own = quiltRush::normalize(quiltRush::cross(b - a, c - a));
        Vector3 aside = quiltRush::normalize(quiltRush::cross(own, direction()));
        float angle = degrees * static_cast<float>(M_PI) / 180.0f;
        return quiltRush::normalize(own * std::cos(angle) + aside * std::sin(angle));
    };
    int runs = 0;
    int touched = 0;
    for (int scene = 0; scene < kScenes; ++scene) {
        std::vector<quiltRush::Polygon> polygons;
        for (float x : {-8.0f, 0.0f}) {
            for (float z : {-8.0f, 0.0f}) {
                Vector3 a(x, uniform(-0.5f, 0.5f), z), b(x, uniform(-0.5f, 0.5f), z + 8), c(x + 8, uniform(-0.5f, 0.5f), z);
                Vector3 d(x + 8, uniform(-0.5f, 0.5f), z + 8);
                polygons.push_back({a, b, c, leaning(a, b, c, uniform(0, 3))});
                polygons.push_back({d, c, b, leaning(d, c, b, uniform(0, 3))});
            }
        }
        for (int k = 0; k < 60; ++k) {
            Vector3 a(uniform(-7, 7), uniform(0.3f, 4), uniform(-7, 7));
            float size = uniform(0.3f, 3.0f);
            Vector3 b = a + direction() * size, c = a + direction() * size;
            Vector3 normal = k % 7 == 6 ? direction() : leaning(a, b, c, kLeans[k % 6]);
            polygons.push_back({a, b, c, normal});
        }
        auto addScene = [&polygons](quiltRush::PhysicsEngine& engine) {
            for (const quiltRush::Polygon& p : polygons) engine.addPolygon(p.a, p.b, p.c, p.normal);
        };
        for (int throwIndex = 0; throwIndex < kBallsPerScene; ++throwIndex) {
            Vector3 from(uniform(-6, 6), uniform(0.5f, 6), uniform(-6, 6));
            Vector3 velocity(uniform(-6, 6), uniform(-4, 4), uniform(-6, 6));
            std::vector<Vector3> full = throwBall(addScene, from, velocity, kTicks, false);
            std::vector<Vector3> pruned = throwBall(addScene, from, velocity, kTicks, true);
            std::vector<Vector3> free = throwBall([](quiltRush::PhysicsEngine&) {}, from, velocity, kTicks, false);
            ++runs;
            if (!sameBits(full, free)) ++touched;
            ASSERT_TRUE(sameBits(full, pruned)) << "scene " << scene << ", throw " << throwIndex;
        }
    }
    EXPECT_GT(touched, runs * 3 / 4);  // most balls hit something, so the comparisons mean something
}

/// One scene pass at a time, once with the broad phase and once without.
class BroadPhasePass : public FreshEngine {
protected:
    BroadPhasePass() { engine().addSphere(&ball); }

    /// Runs one pass from the given state with the broad phase on or off and
    /// returns the ball's position and velocity after it.
    std::vector<float> passFrom(const Vector3& position, const Vector3& velocity, bool broadPhase) {
        ball.setPosition(position);
        ball.addVelocity(velocity - ball.getVelocity());
        engine().setBroadPhase(broadPhase);
        PhysicsEngineProbe::collideBallWithPolygons(engine(), kDt);
        std::vector<float> state;
        appendState(state, ball);
        return state;
    }
    /// Both passes from the same state must agree to the bit.
    void expectSameBothWays(const Vector3& position, const Vector3& velocity) {
        std::vector<float> full = passFrom(position, velocity, false);
        std::vector<float> pruned = passFrom(position, velocity, true);
        EXPECT_EQ(std::memcmp(full.data(), pruned.data(), full.size() * sizeof(float)), 0)
            << "full pass: " << full[0] << " " << full[1] << " " << full[2] << ", broad phase: " << pruned[0] << " "
            << pruned[1] << " " << pruned[2];
    }

    Sphere ball{Vector3(), kBallRadius, kBallMass, 0.0f};
};

TEST_F(BroadPhasePass, FindsAPolygonThatAnEarlierOneOfTheSamePassPushedTheBallInto) {
    // The floor lifts a ball lying almost on it by nearly a radius, into
    // reach of a ceiling that was out of reach where the pass began; the
    // ceiling then pushes it back down.
    engine().addPolygon(Vector3(-10, 0, -10), Vector3(-10, 0, 30), Vector3(30, 0, -10), Vector3(0, 1, 0));
    engine().addPolygon(Vector3(-5, 0.35f, -5), Vector3(5, 0.35f, -5), Vector3(-5, 0.35f, 5), Vector3(0, -1, 0));
    std::vector<float> pruned = passFrom(Vector3(-2, 0.001f, -2), Vector3(0, -1, 0), true);
    EXPECT_NEAR(pruned[1], 0.15f, 1e-6f);
    expectSameBothWays(Vector3(-2, 0.001f, -2), Vector3(0, -1, 0));
}

TEST_F(BroadPhasePass, ReachesFurtherForANormalShorterThanOne) {
    // With |N| = 0.5 the pass measures half the distance: a centre 0.3 above
    // the plane is 0.15 "away" and is pushed.
    engine().addPolygon(Vector3(-1, 0, -1), Vector3(-1, 0, 1), Vector3(1, 0, -1), Vector3(0, 0.5f, 0));
    std::vector<float> pruned = passFrom(Vector3(-0.5f, 0.3f, -0.5f), Vector3(), true);
    EXPECT_NE(pruned[1], 0.3f);
    expectSameBothWays(Vector3(-0.5f, 0.3f, -0.5f), Vector3());
}

TEST_F(BroadPhasePass, PolygonWithANonFiniteCornerActsAsInTheFullPass) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    engine().addPolygon(Vector3(-1, 0, -1), Vector3(-1, 0, 1), Vector3(1, 0, -1), Vector3(0, 1, 0));
    engine().addPolygon(Vector3(100, 0, 100), Vector3(nan, 0, 101), Vector3(101, 0, 100), Vector3(0, 1, 0));
    expectSameBothWays(Vector3(-0.5f, 0.1f, -0.5f), Vector3(0, -1, 0));
    // Within a radius of its plane, far from the floor: the full pass takes
    // its edge for a contact and the ball is no longer finite.
    std::vector<float> pruned = passFrom(Vector3(50, 0.1f, 50), Vector3(1, 0, 0), true);
    EXPECT_TRUE(std::isnan(pruned[0]));
    expectSameBothWays(Vector3(50, 0.1f, 50), Vector3(1, 0, 0));
}

TEST_F(BroadPhasePass, BallThatIsNoLongerFiniteGetsTheFullPass) {
    engine().addPolygon(Vector3(-1, 0, -1), Vector3(-1, 0, 1), Vector3(1, 0, -1), Vector3(0, 1, 0));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    expectSameBothWays(Vector3(nan, 0.1f, 0), Vector3(1, 0, 0));
    expectSameBothWays(Vector3(0, inf, 0), Vector3(1, 0, 0));
}

TEST_F(BroadPhasePass, PolygonsAddedAfterAPassAreSeenByTheNext) {
    engine().addPolygon(Vector3(-1, 0, -1), Vector3(-1, 0, 1), Vector3(1, 0, -1), Vector3(0, 1, 0));
    std::vector<float> first = passFrom(Vector3(5.5f, 0.1f, 5.5f), Vector3(), true);
    EXPECT_EQ(first[1], 0.1f);  // nothing under the ball yet
    engine().addPolygon(Vector3(5, 0, 5), Vector3(5, 0, 7), Vector3(7, 0, 5), Vector3(0, 1, 0));
    std::vector<float> second = passFrom(Vector3(5.5f, 0.1f, 5.5f), Vector3(), true);
    EXPECT_NEAR(second[1], kBallRadius, 1e-6f);
}

TEST_F(BroadPhasePass, SwitchesOffAndOn) {
    EXPECT_TRUE(engine().isBroadPhaseOn());
    engine().setBroadPhase(false);
    EXPECT_FALSE(engine().isBroadPhaseOn());
    engine().setBroadPhase(true);
    EXPECT_TRUE(engine().isBroadPhaseOn());
}

}  // namespace
