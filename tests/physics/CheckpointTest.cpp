#include "game/physics/Checkpoint.h"

#include <gtest/gtest.h>

#include <cmath>

#include "game/physics/Ball.h"
#include "tests/physics/PhysicsTestSupport.h"

namespace {

using quiltRush::Ball;
using quiltRush::Checkpoint;
using quiltRush::Vector3;

/// A bubble of radius 0.5 at the origin and the ball (radius 0.2).
class CheckpointTest : public physicsTest::FreshEngine {
protected:
    Checkpoint checkpoint{"Checkpoint0", Vector3(0, 0, 0), 0.5f};
    Ball ball{"Ball", Vector3(5, 0, 0)};
};

TEST_F(CheckpointTest, StartsUnreached) {
    EXPECT_FALSE(checkpoint.isReached());
    EXPECT_EQ(checkpoint.getId(), "Checkpoint0");
    EXPECT_EQ(checkpoint.getCenter(), Vector3(0, 0, 0));
    EXPECT_EQ(checkpoint.getRadius(), 0.5f);
}

TEST_F(CheckpointTest, TouchingAtExactlyTheSumOfTheRadiiCounts) {
    ball.setPosition(Vector3(0.7f, 0, 0));
    EXPECT_TRUE(checkpoint.touch(ball));
    EXPECT_TRUE(checkpoint.isReached());
}

TEST_F(CheckpointTest, JustBeyondIsNoTouch) {
    ball.setPosition(Vector3(0.71f, 0, 0));
    EXPECT_FALSE(checkpoint.touch(ball));
    EXPECT_FALSE(checkpoint.isReached());
}

TEST_F(CheckpointTest, StaysReachedWhenTheBallMovesAwayUntilReset) {
    ball.setPosition(Vector3(0, 0.3f, 0));
    ASSERT_TRUE(checkpoint.touch(ball));
    ball.setPosition(Vector3(3, 0, 0));
    EXPECT_FALSE(checkpoint.touch(ball));
    EXPECT_TRUE(checkpoint.isReached());
    checkpoint.reset();
    EXPECT_FALSE(checkpoint.isReached());
}

TEST_F(CheckpointTest, ABallLostToNaNTouchesNothing) {
    ball.setPosition(Vector3(NAN, 0, 0));
    EXPECT_FALSE(checkpoint.touch(ball));
    EXPECT_FALSE(checkpoint.isReached());
}

}  // namespace
