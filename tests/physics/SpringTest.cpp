#include "game/physics/Spring.h"

#include <gtest/gtest.h>

#include "game/physics/Sphere.h"

namespace {

using quiltRush::Sphere;
using quiltRush::Spring;
using quiltRush::Vector3;

constexpr float kDt = 0.002f;

TEST(SpringTest, RestLengthIsTheDistanceAtConstruction) {
    Sphere first(Vector3(0, 0, 0), 0.1f, 0.1f, 0.0f);
    Sphere second(Vector3(3, 4, 0), 0.1f, 0.1f, 0.0f);
    Spring spring(&first, &second, 10.0f);
    EXPECT_EQ(spring.getRestLength(), 5.0f);
    EXPECT_EQ(spring.getStiffness(), 10.0f);
    spring.clearRestLength();
    EXPECT_EQ(spring.getRestLength(), 0.0f);
}

TEST(SpringTest, StretchedSpringPullsBothEndsTogether) {
    Sphere first(Vector3(0, 0, 0), 0.1f, 0.1f, 0.0f);
    Sphere second(Vector3(0.5f, 0, 0), 0.1f, 0.1f, 0.0f);
    Spring spring(&first, &second, 100.0f);
    second.setPosition(Vector3(1, 0, 0));
    spring.apply(kDt);
    // (1 - 0.5) * 100 = 50, over mass 0.1: 500 * dt each, towards the other end.
    EXPECT_NEAR(first.getVelocity().x, 500.0f * kDt, 1e-5f);
    EXPECT_NEAR(second.getVelocity().x, -500.0f * kDt, 1e-5f);
    EXPECT_EQ(first.getVelocity().y, 0.0f);
    EXPECT_EQ(second.getVelocity().z, 0.0f);
}

TEST(SpringTest, CompressedSpringPushesTheEndsApart) {
    Sphere first(Vector3(0, 0, 0), 0.1f, 0.1f, 0.0f);
    Sphere second(Vector3(0, 2, 0), 0.1f, 1.0f, 0.0f);
    Spring spring(&first, &second, 10.0f);
    second.setPosition(Vector3(0, 1, 0));
    spring.apply(0.1f);
    EXPECT_NEAR(first.getVelocity().y, -10.0f, 1e-5f);
    EXPECT_NEAR(second.getVelocity().y, 1.0f, 1e-6f);
}

TEST(SpringTest, PinnedEndTakesNothingAndTheOtherItsFullShare) {
    Sphere first(Vector3(0, 0, 0), 0.1f, 0.1f, 0.0f);
    Sphere second(Vector3(0.5f, 0, 0), 0.1f, 0.1f, 0.0f);
    Spring spring(&first, &second, 100.0f);
    second.setPosition(Vector3(1, 0, 0));
    first.fix();
    spring.apply(kDt);
    EXPECT_EQ(first.getVelocity(), Vector3());
    EXPECT_NEAR(second.getVelocity().x, -500.0f * kDt, 1e-5f);
}

TEST(SpringTest, EndsCloserThanTheDeadZoneExertNothing) {
    Sphere first(Vector3(0, 0, 0), 0.1f, 0.1f, 0.0f);
    Sphere second(Vector3(0, 0, 1), 0.1f, 0.1f, 0.0f);
    Spring spring(&first, &second, 1000.0f);
    second.setPosition(Vector3(0, 0, 0.0005f));
    spring.apply(kDt);
    EXPECT_EQ(first.getVelocity(), Vector3());
    EXPECT_EQ(second.getVelocity(), Vector3());
    // Just outside the dead zone the compressed spring acts.
    second.setPosition(Vector3(0, 0, 0.002f));
    spring.apply(kDt);
    EXPECT_LT(first.getVelocity().z, 0.0f);
}

TEST(SpringTest, IdleMouseSpringWithOneSphereAtBothEndsIsSilent) {
    Sphere mouse(Vector3(1, 1, 1), 0.0f, 0.001f, 0.0f);
    Spring spring(&mouse, &mouse, 5000.0f);
    spring.clearRestLength();
    spring.apply(kDt);
    EXPECT_EQ(mouse.getVelocity(), Vector3());
}

TEST(SpringTest, SetSecondMovesTheSecondEnd) {
    Sphere mouse(Vector3(0, 0, 0), 0.0f, 0.001f, 0.0f);
    Sphere grabbed(Vector3(0, 1, 0), 0.1f, 0.1f, 0.0f);
    Spring spring(&mouse, &mouse, 5000.0f);
    mouse.fix();
    spring.setSecond(&grabbed);
    spring.clearRestLength();
    EXPECT_EQ(spring.getSecond(), &grabbed);
    spring.apply(0.001f);
    // Rest length 0: the whole distance pulls, 1 * 5000 / 0.1 * 0.001 = 50.
    EXPECT_NEAR(grabbed.getVelocity().y, -50.0f, 1e-3f);
}

}  // namespace
