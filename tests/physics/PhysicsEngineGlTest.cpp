#include <GL/glu.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Util.h"
#include "game/physics/PhysicsEngine.h"
#include "game/physics/Sphere.h"
#include "game/physics/Spring.h"
#include "tests/physics/PhysicsTestSupport.h"
#include "tests/support/GlContext.h"

namespace {

using quiltRush::Sphere;
using quiltRush::Spring;
using quiltRush::Vector3;

constexpr int kWidth = 640;
constexpr int kHeight = 480;

/// The overlay pass's projection in window pixels, on a cleared black frame, drawing white.
class StatisticsOverlay : public physicsTest::FreshEngine {
protected:
    StatisticsOverlay() {
        testSupport::ensureGlContext();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluOrtho2D(0, kWidth, 0, kHeight);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glColor3f(1, 1, 1);
        clear();
    }

    static void clear() {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    static std::vector<unsigned char> frame() {
        std::vector<unsigned char> pixels(kWidth * kHeight * 3);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
    static int litPixels(const std::vector<unsigned char>& pixels) {
        int lit = 0;
        for (unsigned char value : pixels) lit += value != 0;
        return lit;
    }
    /// What the overlay should look like, drawn line by line with the same text helper.
    static std::vector<unsigned char> expectedFrame(const std::string& time, const std::string& springs,
                                                    const std::string& spheres, const std::string& polygons) {
        clear();
        kiln::Util* util = kiln::Util::instance();
        util->drawString("Time elapsed: ", 15, 140);
        util->drawString(time, 120, 140);
        util->drawString("Patch springs: ", 15, 120);
        util->drawString(springs, 120, 120);
        util->drawString("Patch spheres: ", 15, 100);
        util->drawString(spheres, 120, 100);
        util->drawString("Scene polygons: ", 15, 80);
        util->drawString(polygons, 120, 80);
        std::vector<unsigned char> pixels = frame();
        clear();
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
    EXPECT_EQ(litPixels(frame()), 0);
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
    std::vector<unsigned char> expected = expectedFrame("12.345", "18", "14", "1");
    engine().drawOverlay();
    std::vector<unsigned char> drawn = frame();
    EXPECT_GT(litPixels(drawn), 0);
    EXPECT_TRUE(drawn == expected);
    EXPECT_FALSE(drawn == expectedFrame("12.345", "14", "18", "1"));
}

TEST_F(StatisticsOverlay, LongRunsShowSixSignificantDigits) {
    engine().setTimeSource([] { return 1234567.0f; });
    engine().setDebugMode(true);
    std::vector<unsigned char> expected = expectedFrame("1234.57", "0", "0", "0");
    engine().drawOverlay();
    EXPECT_TRUE(frame() == expected);
}

TEST_F(StatisticsOverlay, WithoutATimeSourceTheTimeIsZero) {
    engine().setDebugMode(true);
    std::vector<unsigned char> expected = expectedFrame("0", "0", "0", "0");
    engine().drawOverlay();
    EXPECT_TRUE(frame() == expected);
}

}  // namespace
