#include <gtest/gtest.h>

#include <algorithm>

#include "game/physics/PhysicsEngine.h"
#include "game/physics/Sphere.h"
#include "tests/physics/PhysicsTestSupport.h"

namespace {

using physicsTest::kBallMass;
using physicsTest::kBallRadius;
using physicsTest::kClothMass;
using physicsTest::kClothRadius;
using quiltRush::PhysicsEngineProbe;
using quiltRush::Sphere;
using quiltRush::Vector3;

constexpr float kDt = 0.002f;

/// The ball against scene triangles, one pass at a time.
class BallOnPolygons : public physicsTest::FreshEngine {
protected:
    BallOnPolygons() { engine().addSphere(&ball); }

    void place(const Vector3& position, const Vector3& velocity) {
        ball.setPosition(position);
        ball.addVelocity(velocity - ball.getVelocity());
    }
    void addFloor() {
        engine().addPolygon(Vector3(-10, 0, -10), Vector3(-10, 0, 30), Vector3(30, 0, -10), Vector3(0, 1, 0));
    }
    /// A triangle in the plane y = 0 with its edge a-b along the x axis and c on the +z side.
    void addSmallTriangle() {
        engine().addPolygon(Vector3(-1, 0, 0), Vector3(1, 0, 0), Vector3(0, 0, 1), Vector3(0, 1, 0));
    }
    void pass() { PhysicsEngineProbe::collideBallWithPolygons(engine(), kDt); }
    void expectUntouched(const Vector3& position, const Vector3& velocity) {
        EXPECT_EQ(ball.getPosition(), position);
        EXPECT_EQ(ball.getVelocity(), velocity);
    }

    Sphere ball{Vector3(), kBallRadius, kBallMass, 0.0f};
};

TEST_F(BallOnPolygons, FaceContactLiftsToTheSurfaceHalvesTheBounceAndDampsSliding) {
    addFloor();
    place(Vector3(0.5f, 0.15f, 0.5f), Vector3(1, -2, 0));
    pass();
    EXPECT_NEAR(ball.getPosition().y, 0.2f, 1e-6f);
    EXPECT_EQ(ball.getPosition().x, 0.5f);
    EXPECT_NEAR(ball.getVelocity().x, 1.0f - 0.5f * kDt, 1e-6f);
    EXPECT_NEAR(ball.getVelocity().y, 1.0f, 1e-5f);
    EXPECT_EQ(ball.getVelocity().z, 0.0f);
}

TEST_F(BallOnPolygons, FaceContactTurnsARisingBallDownToo) {
    addFloor();
    place(Vector3(0.5f, 0.15f, 0.5f), Vector3(0, 2, 0));
    pass();
    EXPECT_NEAR(ball.getPosition().y, 0.2f, 1e-6f);
    EXPECT_NEAR(ball.getVelocity().y, -1.0f, 1e-5f);
}

TEST_F(BallOnPolygons, CentreExactlyOneRadiusAboveIsNoContact) {
    addFloor();
    place(Vector3(0.5f, kBallRadius, 0.5f), Vector3(1, -2, 0));
    pass();
    expectUntouched(Vector3(0.5f, kBallRadius, 0.5f), Vector3(1, -2, 0));
}

TEST_F(BallOnPolygons, CentreBehindThePlaneIsIgnoredEvenByAHair) {
    addFloor();
    place(Vector3(0.5f, -1e-6f, 0.5f), Vector3(0, -2, 0));
    pass();
    expectUntouched(Vector3(0.5f, -1e-6f, 0.5f), Vector3(0, -2, 0));
}

TEST_F(BallOnPolygons, EachPolygonSeesWhereThePreviousOneLeftTheBall) {
    addFloor();
    addFloor();  // the copy finds the ball already resting on the surface
    place(Vector3(0.5f, 0.15f, 0.5f), Vector3(0, -2, 0));
    pass();
    EXPECT_NEAR(ball.getVelocity().y, 1.0f, 1e-5f);
}

TEST_F(BallOnPolygons, CentreInThePlaneOneRadiusOutsideAnEdgeBouncesWithoutAPush) {
    addSmallTriangle();
    place(Vector3(0, 0, -kBallRadius), Vector3(0, 0, 1));
    pass();
    EXPECT_EQ(ball.getPosition(), Vector3(0, 0, -kBallRadius));
    EXPECT_NEAR(ball.getVelocity().z, -0.5f, 1e-6f);
    EXPECT_EQ(ball.getVelocity().x, 0.0f);
}

TEST_F(BallOnPolygons, BeyondOneRadiusFromEveryEdgeIsNoContact) {
    addSmallTriangle();
    place(Vector3(0, 0, -0.201f), Vector3(0, 0, 1));
    pass();
    expectUntouched(Vector3(0, 0, -0.201f), Vector3(0, 0, 1));
}

TEST_F(BallOnPolygons, EdgeContactPushesAwayFromTheNearestEdgePoint) {
    addSmallTriangle();
    // Above a point just outside edge a-b, 0.1414 from its nearest point (0, 0, 0).
    place(Vector3(0.3f, 0.1f, -0.1f), Vector3(0, -1, 0));
    pass();
    const float diagonal = 0.70710678f;
    EXPECT_NEAR(ball.getPosition().x, 0.3f, 1e-6f);
    EXPECT_NEAR(ball.getPosition().y, kBallRadius * diagonal, 1e-6f);
    EXPECT_NEAR(ball.getPosition().z, -kBallRadius * diagonal, 1e-6f);
    // V += -1.5 (V . n) n with n = (0, 0.7071, -0.7071).
    EXPECT_NEAR(ball.getVelocity().y, -0.25f, 1e-6f);
    EXPECT_NEAR(ball.getVelocity().z, -0.75f, 1e-6f);
}

TEST_F(BallOnPolygons, EdgeEndsAreInclusive) {
    addSmallTriangle();
    // In the plane, beside corner b: the nearest point of edge a-b is its very end.
    place(Vector3(1, 0, -0.15f), Vector3(0, 0, 1));
    pass();
    EXPECT_NEAR(ball.getPosition().z, -kBallRadius, 1e-6f);
    EXPECT_EQ(ball.getPosition().x, 1.0f);
    EXPECT_NEAR(ball.getVelocity().z, -0.5f, 1e-6f);
}

TEST_F(BallOnPolygons, PolygonWithoutANormalIsSkipped) {
    engine().addPolygon(Vector3(-10, 0, -10), Vector3(-10, 0, 30), Vector3(30, 0, -10), Vector3());
    place(Vector3(0.5f, 0.0f, 0.5f), Vector3(1, -2, 0));
    pass();
    expectUntouched(Vector3(0.5f, 0.0f, 0.5f), Vector3(1, -2, 0));
}

TEST_F(BallOnPolygons, CentreExactlyOnAnEdgeIsSkippedWithoutNaN) {
    addSmallTriangle();
    place(Vector3(0, 0, 0), Vector3(0, -1, 0));
    pass();
    expectUntouched(Vector3(0, 0, 0), Vector3(0, -1, 0));
}

TEST_F(BallOnPolygons, DegenerateTriangleHasNoInside) {
    // All corners on one line: only its edges can touch the ball.
    engine().addPolygon(Vector3(-1, 0, 0), Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0));
    place(Vector3(0.5f, 0.1f, 0.5f), Vector3(0, -1, 0));
    pass();
    expectUntouched(Vector3(0.5f, 0.1f, 0.5f), Vector3(0, -1, 0));
}

/// The ball against other spheres: contacts gather in deltaVelocity.
class BallOnSpheres : public physicsTest::FreshEngine {
protected:
    BallOnSpheres() {
        engine().addSphere(&ball);
        engine().addSphere(&cloth);
    }
    void pass() { PhysicsEngineProbe::collideBallWithSpheres(engine()); }

    Sphere ball{Vector3(), kBallRadius, kBallMass, 0.0f};
    Sphere cloth{Vector3(0.25f, 0, 0), kClothRadius, kClothMass, 0.0f};
};

TEST_F(BallOnSpheres, InelasticImpulseEqualsTheNormalSpeeds) {
    ball.addVelocity(Vector3(1, 0, 0));
    pass();
    const float impulse = 1.0f / 10.1f;
    EXPECT_NEAR(ball.getDeltaVelocity().x, -impulse / kBallMass, 1e-7f);
    EXPECT_NEAR(cloth.getDeltaVelocity().x, impulse / kClothMass, 1e-6f);
    EXPECT_EQ(ball.getVelocity(), Vector3(1, 0, 0));  // applied only by integrate
    ball.integrate(kDt);
    cloth.integrate(kDt);
    EXPECT_NEAR(ball.getVelocity().x, cloth.getVelocity().x, 1e-6f);
    EXPECT_NEAR(ball.getVelocity().x, 0.990099f, 1e-6f);
}

TEST_F(BallOnSpheres, PinnedSphereTakesNothingButStillCountsWithItsMass) {
    cloth.fix();
    ball.addVelocity(Vector3(1, 0, 0));
    pass();
    EXPECT_NEAR(ball.getDeltaVelocity().x, -1.0f / 10.1f / kBallMass, 1e-7f);
    EXPECT_EQ(cloth.getDeltaVelocity(), Vector3());
}

TEST_F(BallOnSpheres, SeparatingOverlapIsLeftAlone) {
    ball.addVelocity(Vector3(-1, 0, 0));
    pass();
    EXPECT_EQ(ball.getDeltaVelocity(), Vector3());
    EXPECT_EQ(cloth.getDeltaVelocity(), Vector3());
}

TEST_F(BallOnSpheres, ExactlyTouchingIsNoContactButAHairCloserIs) {
    ball.addVelocity(Vector3(1, 0, 0));
    cloth.setPosition(Vector3(kBallRadius + kClothRadius, 0, 0));
    pass();
    EXPECT_EQ(ball.getDeltaVelocity(), Vector3());
    cloth.setPosition(Vector3(0.2999f, 0, 0));
    pass();
    EXPECT_LT(ball.getDeltaVelocity().x, 0.0f);
}

TEST_F(BallOnSpheres, CoincidentCentresGiveNoImpulseAndNoNaN) {
    cloth.setPosition(Vector3());
    ball.addVelocity(Vector3(1, 0, 0));
    pass();
    EXPECT_EQ(ball.getDeltaVelocity(), Vector3());
    EXPECT_EQ(cloth.getDeltaVelocity(), Vector3());
}

TEST_F(BallOnSpheres, EverySphereSeesTheVelocitiesThePassBeganWith) {
    Sphere twin(Vector3(-0.25f, 0, 0), kClothRadius, kClothMass, 0.0f);
    engine().addSphere(&twin);
    twin.addVelocity(Vector3(2, 0, 0));  // closing in from behind
    ball.addVelocity(Vector3(1, 0, 0));
    pass();
    // Both impulses come from the same starting speeds, so they cancel on the ball.
    EXPECT_NEAR(ball.getDeltaVelocity().x, 0.0f, 1e-7f);
    EXPECT_NEAR(twin.getDeltaVelocity().x, -1.0f / 10.1f / kClothMass, 1e-6f);
}

}  // namespace

namespace {

// A whole run: a ball dropped onto a floor of two triangles settles on it and stays.
TEST_F(BallOnPolygons, DroppedBallComesToRestOnAFloorOfTwoTriangles) {
    engine().addPolygon(Vector3(-2, 0, -2), Vector3(-2, 0, 2), Vector3(2, 0, -2), Vector3(0, 1, 0));
    engine().addPolygon(Vector3(2, 0, 2), Vector3(2, 0, -2), Vector3(-2, 0, 2), Vector3(0, 1, 0));
    place(Vector3(0.3f, 1.2f, 0.5f), Vector3());
    const int ticks = 10000 / 16;  // ten seconds of 16 ms ticks
    float lowest = 1.0f;
    float settledLowest = 1.0f;
    float settledHighest = 0.0f;
    for (int tick = 0; tick < ticks; ++tick) {
        engine().update(16);
        float height = ball.getPosition().y;
        lowest = std::min(lowest, height);
        if (tick >= ticks - 3000 / 16) {  // the last three seconds
            settledLowest = std::min(settledLowest, height);
            settledHighest = std::max(settledHighest, height);
        }
    }
    // The scene test runs every 10 ms at most, so a resting ball dips by a
    // fraction of a millimetre between tests and is lifted back each time.
    const float tolerance = 1e-3f;
    EXPECT_GT(lowest, kBallRadius - tolerance);
    EXPECT_GT(settledLowest, kBallRadius - tolerance);
    EXPECT_LT(settledHighest, kBallRadius + tolerance);
    EXPECT_EQ(ball.getPosition().x, 0.3f);
    EXPECT_EQ(ball.getPosition().z, 0.5f);
}

}  // namespace
