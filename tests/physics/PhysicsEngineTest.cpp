#include "game/physics/PhysicsEngine.h"

#include <gtest/gtest.h>

#include "game/physics/Sphere.h"
#include "game/physics/Spring.h"
#include "tests/physics/PhysicsTestSupport.h"

namespace {

using physicsTest::FreshEngine;
using quiltRush::Sphere;
using quiltRush::Spring;
using quiltRush::Vector3;

constexpr float kGravity = -9.8f;

/// A sphere far from everything, falling freely without drag.
class FreeFall : public FreshEngine {
protected:
    FreeFall() { engine().addSphere(&sphere); }

    Sphere sphere{Vector3(0, 10, 0), physicsTest::kBallRadius, physicsTest::kBallMass, 0.0f};
};

TEST_F(FreshEngine, StartsEmptyWithGravityAndDebugModeOff) {
    EXPECT_EQ(engine().getId(), "PhysicsEngine");
    EXPECT_TRUE(engine().getSpheres().empty());
    EXPECT_TRUE(engine().getSprings().empty());
    EXPECT_TRUE(engine().getPolygons().empty());
    EXPECT_EQ(engine().getGravity(), Vector3(0, -9.8f, 0));
    EXPECT_FALSE(engine().isDebugMode());
    engine().setDebugMode(true);
    EXPECT_TRUE(engine().isDebugMode());
}

TEST_F(FreshEngine, KeepsRegistrationOrder) {
    Sphere a(Vector3(), 0.1f, 0.1f, 0.0f);
    Sphere b(Vector3(1, 0, 0), 0.1f, 0.1f, 0.0f);
    Spring spring(&a, &b, 1.0f);
    engine().addSphere(&a);
    engine().addSphere(&b);
    engine().addSpring(&spring);
    engine().addPolygon(Vector3(1, 2, 3), Vector3(4, 5, 6), Vector3(7, 8, 9), Vector3(0, 1, 0));
    ASSERT_EQ(engine().getSpheres().size(), 2u);
    EXPECT_EQ(engine().getSpheres()[0], &a);
    EXPECT_EQ(engine().getSpheres()[1], &b);
    EXPECT_EQ(engine().getSprings()[0], &spring);
    ASSERT_EQ(engine().getPolygons().size(), 1u);
    EXPECT_EQ(engine().getPolygons()[0]->b, Vector3(4, 5, 6));
    EXPECT_EQ(engine().getPolygons()[0]->normal, Vector3(0, 1, 0));
}

TEST_F(FreeFall, ZeroAndOneMillisecondSimulateNothingAndAreNotCarriedOver) {
    engine().update(0);
    engine().update(1);
    engine().update(1);
    EXPECT_EQ(sphere.getPosition(), Vector3(0, 10, 0));
    EXPECT_EQ(sphere.getVelocity(), Vector3());
}

TEST_F(FreeFall, OneSubstepMovesVelocityFirstThenPosition) {
    engine().update(2);
    const float dt = 0.002f;
    EXPECT_FLOAT_EQ(sphere.getVelocity().y, kGravity * dt);
    EXPECT_NEAR(sphere.getPosition().y, 10.0f + kGravity * dt * dt, 1e-6f);
    EXPECT_EQ(sphere.getVelocity().x, 0.0f);
    EXPECT_EQ(sphere.getPosition().z, 0.0f);
}

TEST_F(FreeFall, ThreeMillisecondsAreOneSubstepOfThree) {
    engine().update(3);
    EXPECT_FLOAT_EQ(sphere.getVelocity().y, kGravity * 0.003f);
}

// After n substeps of dt from rest, semi-implicit Euler has fallen
// g dt^2 (1 + 2 + ... + n): the drop tells the substep count as well as the sum.
float drop(int substeps, float dt) { return kGravity * dt * dt * substeps * (substeps + 1) / 2.0f; }

TEST_F(FreeFall, SeventeenMillisecondsAreEightSubstepsOfTwoPointOneTwoFive) {
    engine().update(17);
    EXPECT_NEAR(sphere.getVelocity().y, kGravity * 0.017f, 1e-6f);
    EXPECT_NEAR(sphere.getPosition().y - 10.0f, drop(8, 0.002125f), 2e-6f);
}

TEST_F(FreeFall, ALongStallSimulatesFiftyMillisecondsInTwentyFiveSubsteps) {
    engine().update(1000);
    EXPECT_NEAR(sphere.getVelocity().y, kGravity * 0.05f, 1e-5f);
    // 25 substeps drop 0.01274; 50 of 1 ms would drop 0.012495, one of 50 ms 0.0245.
    EXPECT_NEAR(sphere.getPosition().y - 10.0f, drop(25, 0.002f), 2e-6f);
}

TEST_F(FreshEngine, AStallAndFiftyMillisecondsGiveTheSameState) {
    Sphere capped(Vector3(0, 10, 0), 0.2f, 10.0f, 0.0f);
    engine().addSphere(&capped);
    engine().update(1000);
    quiltRush::PhysicsEngine::destroy();
    Sphere exact(Vector3(0, 10, 0), 0.2f, 10.0f, 0.0f);
    engine().addSphere(&exact);
    engine().update(50);
    EXPECT_EQ(capped.getPosition(), exact.getPosition());
    EXPECT_EQ(capped.getVelocity(), exact.getVelocity());
}

TEST_F(FreshEngine, DragSlowsHorizontalMotionByFiveTimesDtPerSubstep) {
    Sphere cloth(Vector3(), physicsTest::kClothRadius, physicsTest::kClothMass, physicsTest::kClothDamping);
    engine().addSphere(&cloth);
    cloth.addVelocity(Vector3(2, 0, -1));
    engine().update(2);
    const float dt = 0.002f;
    EXPECT_FLOAT_EQ(cloth.getVelocity().x, 2.0f * (1.0f - 5.0f * dt));
    EXPECT_FLOAT_EQ(cloth.getVelocity().z, -1.0f * (1.0f - 5.0f * dt));
    // Gravity is added before the drag acts on it.
    EXPECT_FLOAT_EQ(cloth.getVelocity().y, kGravity * dt * (1.0f - 5.0f * dt));
}

TEST_F(FreshEngine, SpringStepGivesEachEndFiveHundredDt) {
    Sphere left(Vector3(10, 0, 0), physicsTest::kClothRadius, physicsTest::kClothMass, 0.0f);
    Sphere right(Vector3(10.5f, 0, 0), physicsTest::kClothRadius, physicsTest::kClothMass, 0.0f);
    Spring spring(&left, &right, 100.0f);
    right.setPosition(Vector3(11, 0, 0));
    engine().addSphere(&left);
    engine().addSphere(&right);
    engine().addSpring(&spring);
    engine().update(2);
    EXPECT_NEAR(left.getVelocity().x, 500.0f * 0.002f, 1e-5f);
    EXPECT_NEAR(right.getVelocity().x, -500.0f * 0.002f, 1e-5f);
}

TEST_F(FreshEngine, PinnedSpheresStayPutThroughGravitySpringsAndContacts) {
    Sphere ball(Vector3(0, 0, 0), physicsTest::kBallRadius, physicsTest::kBallMass, 0.0f);
    Sphere fixed(Vector3(0.25f, 0, 0), physicsTest::kClothRadius, physicsTest::kClothMass, physicsTest::kClothDamping);
    Sphere tacked(Vector3(0.25f, 1, 0), physicsTest::kClothRadius, physicsTest::kClothMass, physicsTest::kClothDamping);
    Sphere free(Vector3(0.25f, 2, 0), physicsTest::kClothRadius, physicsTest::kClothMass, physicsTest::kClothDamping);
    Spring toFixed(&free, &fixed, 1000.0f);
    Spring toTacked(&tacked, &free, 1000.0f);
    ball.addVelocity(Vector3(5, 0, 0));  // heading into the fixed sphere
    fixed.fix();
    tacked.tack();
    free.setPosition(Vector3(0.25f, 3, 0));
    for (Sphere* sphere : {&ball, &fixed, &tacked, &free}) engine().addSphere(sphere);
    engine().addSpring(&toFixed);
    engine().addSpring(&toTacked);
    engine().update(16);
    EXPECT_EQ(fixed.getPosition(), Vector3(0.25f, 0, 0));
    EXPECT_EQ(fixed.getVelocity(), Vector3());
    EXPECT_EQ(tacked.getPosition(), Vector3(0.25f, 1, 0));
    EXPECT_EQ(tacked.getVelocity(), Vector3());
    EXPECT_NE(free.getPosition(), Vector3(0.25f, 3, 0));
    // setPosition still moves a pinned sphere.
    fixed.setPosition(Vector3(1, 1, 1));
    EXPECT_EQ(fixed.getPosition(), Vector3(1, 1, 1));
}

TEST_F(FreshEngine, WithNoSpheresTheContactPassesDoNothing) {
    engine().addPolygon(Vector3(-1, 0, -1), Vector3(-1, 0, 1), Vector3(1, 0, -1), Vector3(0, 1, 0));
    engine().update(50);
    quiltRush::PhysicsEngineProbe::collideBallWithSpheres(engine());
    quiltRush::PhysicsEngineProbe::collideBallWithPolygons(engine(), 0.002f);
    EXPECT_TRUE(engine().getSpheres().empty());
}

/// A ball just above a floor, falling at 1 unit per second: it reaches the
/// floor within a substep or two, but only the scene pass can stop it.
class SceneEveryFifthSubstep : public FreshEngine {
protected:
    SceneEveryFifthSubstep() {
        engine().addSphere(&ball);
        engine().addPolygon(Vector3(-5, 0, -5), Vector3(-5, 0, 5), Vector3(5, 0, -5), Vector3(0, 1, 0));
        ball.addVelocity(Vector3(0, -1, 0));
    }

    Sphere ball{Vector3(-1, 0.2f + 1e-4f, -1), physicsTest::kBallRadius, physicsTest::kBallMass, 0.0f};
};

TEST_F(SceneEveryFifthSubstep, SubstepsOneToFourLeaveTheBallSinking) {
    engine().update(10);  // substeps 0 to 4: the scene test runs only on the first, before contact
    EXPECT_LT(ball.getPosition().y, 0.2f - 0.005f);
    EXPECT_LT(ball.getVelocity().y, 0.0f);
}

TEST_F(SceneEveryFifthSubstep, SubstepFiveCatchesTheBall) {
    engine().update(12);  // substep 5 runs the scene test again
    EXPECT_GT(ball.getPosition().y, 0.2f);
    EXPECT_GT(ball.getVelocity().y, 0.0f);
}

TEST_F(SceneEveryFifthSubstep, EveryTickStartsCountingAtSubstepZero) {
    engine().update(2);   // substep 0 of its tick: not touching yet
    engine().update(10);  // substep 0 of the next tick catches it
    EXPECT_GT(ball.getVelocity().y, 0.0f);
}

}  // namespace
