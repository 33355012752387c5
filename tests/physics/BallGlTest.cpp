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

TEST_F(BallDrawing, IsRedShadedToItsRimWithAWhiteHighlight) {
    ball.draw();
    GlFrame frame;
    // Light and eye look the same way: the highlight sits at the centre.
    testSupport::Rgb centre = frame.at(320, 240);
    for (int channel = 0; channel < 3; ++channel) EXPECT_GT(centre[channel], 200) << channel;
    // The radius 0.2 spans 64 pixels across. Between highlight and rim the
    // ball is red, and not driven to full red: the shading shows.
    testSupport::Rgb body = frame.at(320 + 40, 240);
    EXPECT_GT(body[0], 120);
    EXPECT_LT(body[0], 250);
    EXPECT_LT(body[1], body[0] / 4);
    EXPECT_LT(body[2], body[0] / 4);
    // Near the rim the light grazes the surface.
    testSupport::Rgb rim = frame.at(320 + 60, 240);
    EXPECT_LT(rim[0], body[0] - 30);
    EXPECT_FALSE(frame.lit(320 + 70, 240));
}

TEST_F(BallDrawing, FollowsTheBallsPosition) {
    ball.setPosition(Vector3(0.5f, 0, 0));
    ball.draw();
    GlFrame frame;
    EXPECT_FALSE(frame.lit(320, 240));
    EXPECT_GT(frame.at(480 + 30, 240)[0], 120);
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
