#include "game/physics/Ball.h"

#include <gtest/gtest.h>

#include "game/physics/PhysicsEngine.h"
#include "tests/physics/PhysicsTestSupport.h"

namespace {

using quiltRush::Ball;
using quiltRush::Vector3;

using BallTest = physicsTest::FreshEngine;

TEST_F(BallTest, BallIsAHeavyDraglessSphereRegisteredFirst) {
    Ball ball("Ball", Vector3(-3, 2, -3));
    EXPECT_EQ(ball.getId(), "Ball");
    EXPECT_EQ(ball.getPosition(), Vector3(-3, 2, -3));
    EXPECT_EQ(ball.getRadius(), 0.2f);
    EXPECT_EQ(ball.getMass(), 10.0f);
    EXPECT_EQ(ball.getDamping(), 0.0f);
    ASSERT_EQ(engine().getSpheres().size(), 1u);
    EXPECT_EQ(engine().getSpheres()[0], static_cast<quiltRush::Sphere*>(&ball));
}

TEST_F(BallTest, BallFallsWithoutDragOnceRegistered) {
    Ball ball("Ball", Vector3(0, 5, 0));
    ball.addVelocity(Vector3(1, 0, 0));
    engine().update(2);
    EXPECT_EQ(ball.getVelocity().x, 1.0f);
    EXPECT_FLOAT_EQ(ball.getVelocity().y, -9.8f * 0.002f);
}

}  // namespace
