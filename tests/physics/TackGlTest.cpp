#include "game/physics/Tack.h"

#include <gtest/gtest.h>

#include "tests/support/GlFrame.h"
#include "tests/scene/BmpBytes.h"
#include "tests/support/GlContext.h"
#include "tests/support/ScopedTempDir.h"

namespace {

using testSupport::GlFrame;
using quiltRush::Tack;

/// A working directory whose tack image is the 2 x 2 test picture (red,
/// green over blue, translucent white), drawn in the overlay pass.
class TackDrawing : public ::testing::Test {
protected:
    TackDrawing() {
        testSupport::ensureGlContext();
        directory.write("assets/gameImages/tack.bmp", testSupport::twoByTwoPicture().build());
        GlFrame::useOverlayProjection();
        GlFrame::clear();
    }

    testSupport::ScopedTempDir directory;
};

TEST_F(TackDrawing, CoversSixtyFourPixelsAroundItsCentre) {
    Tack tack("Tack0", 100, 50);
    tack.drawOverlay();
    GlFrame frame;
    // Pixels 68..131 and 18..81 are inside the quad from 68 to 132 and 18 to 82.
    EXPECT_TRUE(frame.lit(68, 50));
    EXPECT_TRUE(frame.lit(131, 50));
    EXPECT_FALSE(frame.lit(67, 50));
    EXPECT_FALSE(frame.lit(132, 50));
    EXPECT_TRUE(frame.lit(100, 18));
    EXPECT_TRUE(frame.lit(100, 81));
    EXPECT_FALSE(frame.lit(100, 17));
    EXPECT_FALSE(frame.lit(100, 82));
    EXPECT_EQ(frame.litCount(), 64 * 64);
}

TEST_F(TackDrawing, ShowsTheImageUprightWithTextureOffAfterwards) {
    Tack tack("Tack0", 100, 50);
    tack.drawOverlay();
    GlFrame frame;
    // Quarter points of the icon sample the four image pixels; filtering blends
    // in some of the neighbours, but each corner's own colour dominates.
    auto dominant = [](const testSupport::Rgb& rgb, int channel) {
        return rgb[channel] > 2 * rgb[(channel + 1) % 3] && rgb[channel] > 2 * rgb[(channel + 2) % 3];
    };
    EXPECT_TRUE(dominant(frame.at(84, 66), 0));   // top left: red
    EXPECT_TRUE(dominant(frame.at(116, 66), 1));  // top right: green
    EXPECT_TRUE(dominant(frame.at(84, 34), 2));   // bottom left: blue
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
}

TEST_F(TackDrawing, HiddenDrawsNothingAndShowBringsItBackInPlace) {
    Tack tack("Tack0", 100, 50);
    tack.drawOverlay();
    GlFrame shown;
    GlFrame::clear();
    tack.hide();
    EXPECT_FALSE(tack.isVisible());
    tack.drawOverlay();
    EXPECT_EQ(GlFrame().litCount(), 0);
    tack.show();
    tack.drawOverlay();
    EXPECT_TRUE(GlFrame() == shown);
}

TEST_F(TackDrawing, KeepsItsDistanceFromTheTopRightCornerInAResizedWindow) {
    // A 400 x 300 window: the icon made for (600, 440) in 640 x 480 moves to (360, 260).
    glViewport(0, 0, 400, 300);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, 400, 0, 300);
    glMatrixMode(GL_MODELVIEW);
    Tack tack("Tack0", 600, 440);
    tack.drawOverlay();
    glViewport(0, 0, testSupport::kFrameWidth, testSupport::kFrameHeight);
    GlFrame frame;
    EXPECT_TRUE(frame.lit(328, 228));
    EXPECT_TRUE(frame.lit(391, 291));
    EXPECT_FALSE(frame.lit(327, 260));
    EXPECT_FALSE(frame.lit(360, 292));
    EXPECT_EQ(frame.litCount(), 64 * 64);
}

TEST(TackTest, KeepsItsCentreAndStartsVisibleEvenWithoutItsImage) {
    testSupport::ensureGlContext();
    testSupport::ScopedTempDir empty;
    Tack tack("Tack3", 300, 420);
    EXPECT_EQ(tack.getId(), "Tack3");
    EXPECT_EQ(tack.getX(), 300);
    EXPECT_EQ(tack.getY(), 420);
    EXPECT_TRUE(tack.isVisible());
}

}  // namespace
