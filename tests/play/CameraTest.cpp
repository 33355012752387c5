#include "game/play/Camera.h"

#include <gtest/gtest.h>

#include <cmath>

#include "framework/DebugFile.h"
#include "game/physics/Ball.h"
#include "game/physics/PhysicsEngine.h"
#include "tests/support/ScopedTempDir.h"

namespace quiltRush {
namespace {

constexpr float kTolerance = 1e-4f;

float polarDegrees(const Camera& camera) {
    Vector3 offset = normalize(camera.getEye() - camera.getTarget());
    return static_cast<float>(std::acos(offset.y) * 180.0 / M_PI);
}

Camera levelCamera() { return Camera({0, 0, 5}, {0, 0, 0}, {0, 1, 0}, nullptr); }

WindowSizeSource fixedSize(unsigned int width, unsigned int height) {
    return [width, height] { return WindowSize{width, height}; };
}

TEST(CameraTest, ZoomStopsAtTheNearAndFarLimits) {
    Camera camera = levelCamera();
    camera.zoom(100.0f);
    EXPECT_FLOAT_EQ(length(camera.getEye() - camera.getTarget()), 1.5f);
    camera.zoom(-100.0f);
    EXPECT_FLOAT_EQ(length(camera.getEye() - camera.getTarget()), 20.0f);
}

TEST(CameraTest, ZoomOfZeroMovesNothingAndSmallZoomsMoveExactly) {
    Camera camera = levelCamera();
    camera.zoom(0.0f);
    EXPECT_EQ(camera.getEye(), Vector3(0, 0, 5));
    camera.zoom(1.0f);
    EXPECT_EQ(camera.getEye(), Vector3(0, 0, 4));
    camera.zoom(-2.0f);
    EXPECT_EQ(camera.getEye(), Vector3(0, 0, 6));
}

TEST(CameraTest, PositiveZoomPushesATooNearEyeOutToTheLimit) {
    Camera camera({0, 0, 1}, {0, 0, 0}, {0, 1, 0}, nullptr);
    camera.zoom(0.5f);
    EXPECT_FLOAT_EQ(camera.getEye().z, 1.5f);
}

TEST(CameraTest, YawOfNinetyDegreesTurnsCounterClockwiseSeenFromAbove) {
    Camera camera = levelCamera();
    camera.rotate(90.0f, 0.0f);
    EXPECT_NEAR(camera.getEye().x, 5.0f, kTolerance);
    EXPECT_NEAR(camera.getEye().y, 0.0f, kTolerance);
    EXPECT_NEAR(camera.getEye().z, 0.0f, kTolerance);
    EXPECT_NEAR(length(camera.getEye()), 5.0f, kTolerance);
}

TEST(CameraTest, PitchStopsTenDegreesFromEitherPole) {
    Camera camera = levelCamera();
    camera.rotate(0.0f, 200.0f);
    EXPECT_NEAR(polarDegrees(camera), 170.0f, 1e-3f);
    EXPECT_LT(camera.getEye().y, 0.0f);  // a positive pitch lowers the eye
    EXPECT_NEAR(length(camera.getEye()), 5.0f, kTolerance);

    Camera other = levelCamera();
    other.rotate(0.0f, -200.0f);
    EXPECT_NEAR(polarDegrees(other), 10.0f, 1e-3f);
    EXPECT_GT(other.getEye().y, 0.0f);
    EXPECT_NEAR(length(other.getEye()), 5.0f, kTolerance);
}

TEST(CameraTest, RotationRebuildsAnOrthonormalBasis) {
    Camera camera = levelCamera();
    camera.rotate(30.0f, 20.0f);
    Vector3 direction = normalize(camera.getDirection());
    EXPECT_NEAR(length(camera.getUp()), 1.0f, kTolerance);
    EXPECT_NEAR(length(camera.getRight()), 1.0f, kTolerance);
    EXPECT_NEAR(dot(camera.getUp(), direction), 0.0f, kTolerance);
    EXPECT_NEAR(dot(camera.getRight(), direction), 0.0f, kTolerance);
    EXPECT_GT(camera.getUp().y, 0.0f);
}

// A ball to follow; the engine it registers with is dropped afterwards.
class FollowingCameraTest : public ::testing::Test {
protected:
    ~FollowingCameraTest() override { PhysicsEngine::destroy(); }

    Ball ball{"Ball", Vector3(0, 3, 0)};
};

TEST_F(FollowingCameraTest, TargetStraightAboveGivesZeroBasisWithoutNaN) {
    Camera camera({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, &ball);
    camera.setWindowSizeSource(fixedSize(640, 480));
    camera.update(16);  // the target becomes the ball, straight above the eye
    EXPECT_EQ(camera.getTarget(), Vector3(0, 3, 0));
    EXPECT_EQ(camera.getRight(), Vector3());
    EXPECT_EQ(camera.getUp(), Vector3());

    camera.update(16);
    for (int i = 0; i < 16; ++i) {
        EXPECT_FALSE(std::isnan(camera.getViewMatrix()[i])) << i;
        EXPECT_FALSE(std::isnan(camera.getProjectionMatrix()[i])) << i;
    }
    // A target that moves off the vertical brings the basis back.
    ball.setPosition(Vector3(2, 3, 0));
    camera.update(16);
    EXPECT_NEAR(length(camera.getUp()), 1.0f, kTolerance);
    EXPECT_NEAR(length(camera.getRight()), 1.0f, kTolerance);
}

TEST_F(FollowingCameraTest, ViewShowsTheBallWhereItWasOneTickEarlier) {
    Camera camera({0, 0, -5}, {0, 0, 0}, {0, 1, 0}, &ball);
    camera.setWindowSizeSource(fixedSize(640, 480));
    ball.setPosition(Vector3(1, 0, 0));
    camera.update(16);
    // Built for the old target (the origin): the eye looks along +z.
    EXPECT_NEAR(camera.getViewMatrix()[10], -1.0, 1e-6);
    EXPECT_EQ(camera.getTarget(), Vector3(1, 0, 0));
    camera.update(16);
    Vector3 forward = normalize(Vector3(1, 0, 5));
    EXPECT_NEAR(camera.getViewMatrix()[2], -forward.x, 1e-6);
    EXPECT_NEAR(camera.getViewMatrix()[10], -forward.z, 1e-6);
    EXPECT_EQ(camera.getEye(), Vector3(0, 0, -5));  // following turns the view, never moves the eye
}

TEST_F(FollowingCameraTest, StoppedFollowingKeepsTheTarget) {
    Camera camera({0, 0, -5}, {0, 0, 0}, {0, 1, 0}, &ball);
    camera.setWindowSizeSource(fixedSize(640, 480));
    EXPECT_TRUE(camera.isFollowing());
    camera.stopFollowing();
    camera.update(16);
    EXPECT_EQ(camera.getTarget(), Vector3(0, 0, 0));
    camera.startFollowing();
    camera.update(16);
    EXPECT_EQ(camera.getTarget(), Vector3(0, 3, 0));
}

TEST(CameraTest, RotationFromAVerticalViewLeavesThePoleAtConstantDistance) {
    Camera camera({0, 4, 0}, {0, 0, 0}, {0, 0, 1}, nullptr);
    camera.rotate(0.0f, 0.0f);
    EXPECT_NEAR(polarDegrees(camera), 10.0f, 1e-3f);
    EXPECT_NEAR(length(camera.getEye()), 4.0f, kTolerance);
    EXPECT_NEAR(length(camera.getUp()), 1.0f, kTolerance);
}

TEST(CameraTest, DirectionIsTargetMinusEyeUnnormalised) {
    Camera camera({1, 2, 3}, {4, 6, 3}, {0, 1, 0}, nullptr);
    EXPECT_EQ(camera.getDirection(), Vector3(3, 4, 0));
}

TEST(CameraTest, SetEyeChangesTheViewOnlyAtTheNextUpdate) {
    Camera camera = levelCamera();
    camera.setWindowSizeSource(fixedSize(640, 480));
    camera.update(16);
    double before = camera.getViewMatrix()[14];
    camera.setEye({0, 0, 8});
    EXPECT_EQ(camera.getViewMatrix()[14], before);
    camera.update(16);
    EXPECT_DOUBLE_EQ(camera.getViewMatrix()[14], -8.0);
}

TEST(CameraTest, ZeroHeightWindowKeepsThePreviousProjection) {
    Camera camera = levelCamera();
    WindowSize size{800, 400};
    camera.setWindowSizeSource([&size] { return size; });
    camera.update(16);
    double before[16];
    std::copy(camera.getProjectionMatrix(), camera.getProjectionMatrix() + 16, before);
    EXPECT_NEAR(before[5] / before[0], 2.0, 1e-9);

    size = {800, 0};
    camera.update(16);
    for (int i = 0; i < 16; ++i) {
        EXPECT_TRUE(std::isfinite(camera.getProjectionMatrix()[i])) << i;
        EXPECT_EQ(camera.getProjectionMatrix()[i], before[i]) << i;
    }
    size = {0, 0};
    camera.update(16);
    EXPECT_EQ(camera.getProjectionMatrix()[0], before[0]);

    size = {400, 400};
    camera.update(16);
    EXPECT_NEAR(camera.getProjectionMatrix()[5] / camera.getProjectionMatrix()[0], 1.0, 1e-9);
}

TEST(CameraTest, InitWritesItsLineToTheLog) {
    testSupport::ScopedTempDir directory;
    Camera camera = levelCamera();
    camera.init();
    EXPECT_EQ(directory.read("log.txt"), "Camera created\n");
    kiln::DebugFile::destroy();
}

}  // namespace
}  // namespace quiltRush
