#include "game/scene/Light.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "tests/support/GlContext.h"

namespace quiltRush {
namespace {

TEST(LightGlTest, DrawSetsItsOwnLightAndLeavesTheOtherAsItWas) {
    testSupport::ensureGlContext();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Light light1("light1", GL_LIGHT1, {0, 1, 5}, {0.2f, 0.2f, 0}, {0.3f, 0.3f, 0});
    EXPECT_EQ(light1.getId(), "light1");

    for (bool light0On : {false, true}) {
        glDisable(GL_LIGHTING);
        glDisable(GL_LIGHT1);
        light0On ? glEnable(GL_LIGHT0) : glDisable(GL_LIGHT0);
        light1.draw();
        EXPECT_EQ(glIsEnabled(GL_LIGHT0) == GL_TRUE, light0On);
        EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    }

    GLfloat position[4];
    GLfloat diffuse[4];
    GLfloat ambient[4];
    glGetLightfv(GL_LIGHT1, GL_POSITION, position);
    glGetLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    glGetLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    EXPECT_FLOAT_EQ(position[0], 0.0f);
    EXPECT_FLOAT_EQ(position[1], 1.0f);
    EXPECT_FLOAT_EQ(position[2], 5.0f);
    EXPECT_FLOAT_EQ(position[3], 1.0f);
    EXPECT_FLOAT_EQ(diffuse[0], 0.2f);
    EXPECT_FLOAT_EQ(diffuse[1], 0.2f);
    EXPECT_FLOAT_EQ(diffuse[2], 0.0f);
    EXPECT_FLOAT_EQ(diffuse[3], 1.0f);
    EXPECT_FLOAT_EQ(ambient[0], 0.3f);
    EXPECT_FLOAT_EQ(ambient[2], 0.0f);
    EXPECT_FLOAT_EQ(ambient[3], 1.0f);
}

TEST(LightGlTest, PositionIsTakenInTheCurrentViewCoordinates) {
    testSupport::ensureGlContext();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, 0, -10);  // the camera's view stands loaded when lights draw
    Light light0("light0", GL_LIGHT0, {0, 10, 0}, {1, 1, 1}, {0.4f, 0.4f, 0.4f});
    light0.draw();
    GLfloat position[4];
    glGetLightfv(GL_LIGHT0, GL_POSITION, position);  // stored in eye coordinates
    EXPECT_FLOAT_EQ(position[1], 10.0f);
    EXPECT_FLOAT_EQ(position[2], -10.0f);
    glLoadIdentity();
}

}  // namespace
}  // namespace quiltRush
