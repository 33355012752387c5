#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Util.h"
#include "game/physics/PhysicsEngine.h"
#include "game/physics/Sphere.h"
#include "game/physics/Spring.h"
#include "tests/support/GlFrame.h"
#include "tests/physics/PhysicsTestSupport.h"
#include "tests/support/GlContext.h"

namespace {

using testSupport::GlFrame;
using quiltRush::Sphere;
using quiltRush::Spring;
using quiltRush::Vector3;

/// The overlay pass on a cleared black frame, drawing white.
class StatisticsOverlay : public physicsTest::FreshEngine {
protected:
    StatisticsOverlay() {
        testSupport::ensureGlContext();
        GlFrame::useOverlayProjection();
        glDisable(GL_TEXTURE_2D);
        GlFrame::clear();
    }

    /// What the overlay should look like, drawn line by line with the same text helper.
    static GlFrame expectedFrame(const std::string& time, const std::string& springs, const std::string& spheres,
                                 const std::string& polygons) {
        GlFrame::clear();
        kiln::Util* util = kiln::Util::instance();
        util->drawString("Time elapsed: ", 15, 140);
        util->drawString(time, 120, 140);
        util->drawString("Patch springs: ", 15, 120);
        util->drawString(springs, 120, 120);
        util->drawString("Patch spheres: ", 15, 100);
        util->drawString(spheres, 120, 100);
        util->drawString("Scene polygons: ", 15, 80);
        util->drawString(polygons, 120, 80);
        GlFrame pixels;
        GlFrame::clear();
        return pixels;
    }
};

TEST_F(StatisticsOverlay, DrawsNothingAndLeavesTheRasterPositionOutsideDebugMode) {
    glRasterPos2d(300, 300);
    GLdouble before[4];
    glGetDoublev(GL_CURRENT_RASTER_POSITION, before);
    engine().drawOverlay();
    GLdouble after[4];
    glGetDoublev(GL_CURRENT_RASTER_POSITION, after);
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[1], before[1]);
    EXPECT_EQ(GlFrame().litCount(), 0);
}

TEST_F(StatisticsOverlay, WritesTheRunTimeInSecondsAndEveryCount) {
    // Fourteen spheres and eighteen springs, as one 3 x 4 grid, the ball and the mouse give.
    std::vector<Sphere> spheres(14, Sphere(Vector3(), 0.1f, 0.1f, 5.0f));
    for (Sphere& sphere : spheres) engine().addSphere(&sphere);
    std::vector<Spring> springs(18, Spring(&spheres[0], &spheres[1], 1.0f));
    for (Spring& spring : springs) engine().addSpring(&spring);
    engine().addPolygon(Vector3(), Vector3(1, 0, 0), Vector3(0, 0, 1), Vector3(0, 1, 0));
    engine().setTimeSource([] { return 12345.0f; });
    engine().setDebugMode(true);
    GlFrame expected = expectedFrame("12.345", "18", "14", "1");
    engine().drawOverlay();
    GlFrame drawn;
    EXPECT_GT(drawn.litCount(), 0);
    EXPECT_TRUE(drawn == expected);
    EXPECT_TRUE(drawn != expectedFrame("12.345", "14", "18", "1"));
}

TEST_F(StatisticsOverlay, LongRunsShowSixSignificantDigits) {
    engine().setTimeSource([] { return 1234567.0f; });
    engine().setDebugMode(true);
    GlFrame expected = expectedFrame("1234.57", "0", "0", "0");
    engine().drawOverlay();
    EXPECT_TRUE(GlFrame() == expected);
}

TEST_F(StatisticsOverlay, WithoutATimeSourceTheTimeIsZero) {
    engine().setDebugMode(true);
    GlFrame expected = expectedFrame("0", "0", "0", "0");
    engine().drawOverlay();
    EXPECT_TRUE(GlFrame() == expected);
}

}  // namespace
