#include "game/physics/Sphere.h"

#include <gtest/gtest.h>

namespace {

using quiltRush::Sphere;
using quiltRush::Vector3;

TEST(SphereTest, StartsAtRestAndUnpinned) {
    Sphere sphere(Vector3(1, 2, 3), 0.1f, 0.1f, 5.0f);
    EXPECT_EQ(sphere.getPosition(), Vector3(1, 2, 3));
    EXPECT_EQ(sphere.getVelocity(), Vector3());
    EXPECT_EQ(sphere.getDeltaVelocity(), Vector3());
    EXPECT_EQ(sphere.getRadius(), 0.1f);
    EXPECT_EQ(sphere.getMass(), 0.1f);
    EXPECT_FALSE(sphere.isFixed());
    EXPECT_FALSE(sphere.isTacked());
}

TEST(SphereTest, ApplyForceAddsForceOverMassTimesDt) {
    Sphere sphere(Vector3(), 0.1f, 0.5f, 0.0f);
    sphere.applyForce(Vector3(0, 2, -4), 0.25f);
    EXPECT_EQ(sphere.getVelocity(), Vector3(0, 1, -2));
}

TEST(SphereTest, IntegrateFoldsInContactsThenDragsThenMoves) {
    Sphere sphere(Vector3(), 0.1f, 0.1f, 5.0f);
    sphere.addVelocity(Vector3(1, 0, 0));
    sphere.addDeltaVelocity(Vector3(1, 0, 0));
    sphere.integrate(0.01f);
    // 1 + 1 = 2, less 2 * 5 * 0.01 of drag, then the position moves with 1.9.
    EXPECT_FLOAT_EQ(sphere.getVelocity().x, 1.9f);
    EXPECT_FLOAT_EQ(sphere.getPosition().x, 0.019f);
}

TEST(SphereTest, IntegrateKeepsTheGatheredDeltaUntilCleared) {
    Sphere sphere(Vector3(), 0.1f, 0.1f, 0.0f);
    sphere.addDeltaVelocity(Vector3(0, 0, 2));
    sphere.integrate(0.5f);
    EXPECT_EQ(sphere.getDeltaVelocity(), Vector3(0, 0, 2));
    sphere.clearDeltaVelocity();
    EXPECT_EQ(sphere.getDeltaVelocity(), Vector3());
    EXPECT_EQ(sphere.getPosition(), Vector3(0, 0, 1));
}

void expectUnmoved(Sphere& sphere) {
    sphere.addVelocity(Vector3(1, 1, 1));
    sphere.addDeltaVelocity(Vector3(1, 1, 1));
    sphere.applyForce(Vector3(5, 5, 5), 1.0f);
    sphere.integrate(1.0f);
    EXPECT_EQ(sphere.getVelocity(), Vector3());
    EXPECT_EQ(sphere.getDeltaVelocity(), Vector3());
    EXPECT_EQ(sphere.getPosition(), Vector3(1, 2, 3));
}

TEST(SphereTest, FixedSphereIgnoresEveryChangeButSetPosition) {
    Sphere sphere(Vector3(1, 2, 3), 0.1f, 0.1f, 5.0f);
    sphere.fix();
    EXPECT_TRUE(sphere.isFixed());
    expectUnmoved(sphere);
    sphere.setPosition(Vector3(4, 5, 6));
    EXPECT_EQ(sphere.getPosition(), Vector3(4, 5, 6));
}

TEST(SphereTest, TackedSphereIsPinnedUntilUntacked) {
    Sphere sphere(Vector3(1, 2, 3), 0.1f, 0.1f, 0.0f);
    sphere.tack();
    EXPECT_TRUE(sphere.isTacked());
    expectUnmoved(sphere);
    sphere.untack();
    EXPECT_FALSE(sphere.isTacked());
    sphere.addVelocity(Vector3(1, 0, 0));
    EXPECT_EQ(sphere.getVelocity(), Vector3(1, 0, 0));
}

TEST(SphereTest, UntackDoesNotFreeAFixedSphere) {
    Sphere sphere(Vector3(1, 2, 3), 0.1f, 0.1f, 0.0f);
    sphere.fix();
    sphere.tack();
    sphere.untack();
    EXPECT_TRUE(sphere.isFixed());
    expectUnmoved(sphere);
}

}  // namespace
