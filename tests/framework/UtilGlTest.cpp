#include "framework/Util.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/support/FrameworkReset.h"
#include "tests/support/GlContext.h"

namespace {

constexpr double kPixelTolerance = 1e-3;  // raster positions go through float matrices

struct RasterPosition {
    double x;
    double y;
    bool valid;
};

RasterPosition rasterPosition() {
    GLdouble position[4];
    glGetDoublev(GL_CURRENT_RASTER_POSITION, position);
    GLboolean valid = GL_FALSE;
    glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    return {position[0], position[1], valid == GL_TRUE};
}

int helveticaWidth(const char* text) {
    return glutBitmapLength(GLUT_BITMAP_HELVETICA_10, reinterpret_cast<const unsigned char*>(text));
}

class UtilGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        testSupport::ensureGlContext();
        // Window pixels from the bottom-left, as in the overlay pass.
        glViewport(0, 0, 640, 480);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluOrtho2D(0.0, 640.0, 0.0, 480.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        // A position far from the ones the tests use.
        glRasterPos2d(600.0, 400.0);
    }
    void TearDown() override { testSupport::resetFramework(); }
};

TEST_F(UtilGlTest, TextMovesTheRasterPositionRightByItsWidth) {
    ASSERT_GT(helveticaWidth("ab"), 0);

    kiln::Util::instance()->drawString("ab", 10.0, 20.0);

    RasterPosition after = rasterPosition();
    EXPECT_TRUE(after.valid);
    EXPECT_NEAR(after.x, 10.0 + helveticaWidth("ab"), kPixelTolerance);
    EXPECT_NEAR(after.y, 20.0, kPixelTolerance);
}

TEST_F(UtilGlTest, LongerTextMovesFurther) {
    kiln::Util::instance()->drawString("ab", 10.0, 20.0);
    double shortEnd = rasterPosition().x;
    kiln::Util::instance()->drawString("abcd", 10.0, 20.0);
    double longEnd = rasterPosition().x;

    EXPECT_GT(longEnd, shortEnd);
    EXPECT_NEAR(longEnd, 10.0 + helveticaWidth("abcd"), kPixelTolerance);
}

TEST_F(UtilGlTest, TextStopsAtAnEmbeddedNul) {
    kiln::Util::instance()->drawString(std::string("ab\0cd", 5), 10.0, 20.0);
    EXPECT_NEAR(rasterPosition().x, 10.0 + helveticaWidth("ab"), kPixelTolerance);
}

TEST_F(UtilGlTest, EmptyTextOnlySetsThePosition) {
    kiln::Util::instance()->drawString("", 37.0, 55.0);

    RasterPosition after = rasterPosition();
    EXPECT_TRUE(after.valid);
    EXPECT_NEAR(after.x, 37.0, kPixelTolerance);
    EXPECT_NEAR(after.y, 55.0, kPixelTolerance);
}

}  // namespace
