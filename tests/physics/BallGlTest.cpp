#include <gtest/gtest.h>

#include "game/physics/Ball.h"
#include "tests/support/GlFrame.h"
#include "tests/physics/PhysicsTestSupport.h"
#include "tests/support/GlContext.h"

namespace {

using testSupport::GlFrame;
using quiltRush::Ball;
using quiltRush::Vector3;

/// A lit scene: the default white light shining down the view direction.
class BallDrawing : public physicsTest::FreshEngine {
protected:
    BallDrawing() {
        testSupport::ensureGlContext();
        GlFrame::useWorldProjection();
        glEnable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
        glShadeModel(GL_SMOOTH);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        GlFrame::clear();
    }

    Ball ball{"Ball", Vector3(0, 0, 0)};
};

TEST_F(BallDrawing, IsRedLitAndShadedAtItsPosition) {
    ball.draw();
    GlFrame frame;
    testSupport::Rgb centre = frame.at(320, 240);
    EXPECT_GT(centre[0], 200);
    EXPECT_EQ(centre[1], 0);
    EXPECT_EQ(centre[2], 0);
    // The radius 0.2 spans 64 pixels across; near the rim the light grazes the surface.
    testSupport::Rgb rim = frame.at(320 + 60, 240);
    EXPECT_GT(rim[0], 0);
    EXPECT_LT(rim[0], centre[0] - 50);
    EXPECT_EQ(rim[1], 0);
    EXPECT_FALSE(frame.lit(320 + 70, 240));
}

TEST_F(BallDrawing, FollowsTheBallsPosition) {
    ball.setPosition(Vector3(0.5f, 0, 0));
    ball.draw();
    GlFrame frame;
    EXPECT_FALSE(frame.lit(320, 240));
    EXPECT_GT(frame.at(480, 240)[0], 200);
}

TEST_F(BallDrawing, LeavesTheMaterialColourTrackingAndMatrixAsTheyWere) {
    GLfloat diffuseBefore[4];
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuseBefore);
    ball.draw();
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    GLfloat diffuseAfter[4];
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuseAfter);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(diffuseAfter[i], diffuseBefore[i]);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], 1.0f);
    EXPECT_EQ(colour[1], 1.0f);
    EXPECT_EQ(colour[2], 1.0f);
    GLfloat modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    EXPECT_EQ(modelview[12], 0.0f);
}

}  // namespace
