#include <gtest/gtest.h>

#include "game/physics/Ball.h"
#include "game/physics/Checkpoint.h"
#include "tests/support/GlFrame.h"
#include "tests/physics/PhysicsTestSupport.h"
#include "tests/support/GlContext.h"

namespace {

using testSupport::GlFrame;
using quiltRush::Ball;
using quiltRush::Checkpoint;
using quiltRush::Vector3;

/// A bubble of radius 0.5 at the origin over a black frame, with lighting and
/// texturing left on by an earlier draw.
class CheckpointDrawing : public physicsTest::FreshEngine {
protected:
    CheckpointDrawing() {
        testSupport::ensureGlContext();
        GlFrame::useWorldProjection();
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_LIGHTING);
        glEnable(GL_TEXTURE_2D);
        GlFrame::clear();
    }

    Checkpoint checkpoint{"Checkpoint0", Vector3(0, 0, 0), 0.5f};
    Ball ball{"Ball", Vector3(0, 0, 0)};
};

TEST_F(CheckpointDrawing, DrawsAHalfTransparentYellowBubble) {
    checkpoint.draw();
    testSupport::Rgb centre = GlFrame().at(320, 240);
    EXPECT_NEAR(centre[0], 128, 2);
    EXPECT_NEAR(centre[1], 128, 2);
    EXPECT_EQ(centre[2], 0);
}

TEST_F(CheckpointDrawing, LeavesLightingTexturingBlendingAndCullingOff) {
    checkpoint.draw();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[3], 1.0f);
    EXPECT_EQ(colour[2], 1.0f);
}

TEST_F(CheckpointDrawing, AReachedBubbleDrawsNothingUntilReset) {
    ASSERT_TRUE(checkpoint.touch(ball));
    checkpoint.draw();
    EXPECT_EQ(GlFrame().litCount(), 0);
    ball.setPosition(Vector3(5, 0, 0));
    checkpoint.draw();
    EXPECT_EQ(GlFrame().litCount(), 0);
    checkpoint.reset();
    checkpoint.draw();
    EXPECT_TRUE(GlFrame().lit(320, 240));
}

}  // namespace
