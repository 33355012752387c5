#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "framework/MousePosition.h"
#include "game/play/Credits.h"
#include "game/play/Manual.h"
#include "game/play/Menu.h"
#include "tests/support/GlPixels.h"
#include "tests/support/GlContext.h"
#include "tests/support/ScopedTempDir.h"

namespace quiltRush {
namespace {

using testSupport::pixelAt;
using testSupport::Rgb;
using testSupport::solidPicture;

const Rgb kBackground{40, 40, 40};
const Rgb kCursor{255, 255, 0};
const Rgb kTitle{200, 0, 0};
const Rgb kNew{0, 200, 0};
const Rgb kExit{0, 0, 200};
const Rgb kKeys{10, 100, 200};
const Rgb kFix{200, 100, 10};
const Rgb kCredits{100, 10, 200};

// Overlay pixel: x from the left, y from the bottom.
class ScreensGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        testSupport::ensureGlContext();
        directory.write("assets/menuImages/backGround.bmp", solidPicture(kBackground));
        directory.write("assets/cursors/menuCursor.bmp", solidPicture(kCursor));
        directory.write("assets/menuImages/title.bmp", solidPicture(kTitle));
        directory.write("assets/buttons/new.bmp", solidPicture(kNew));
        directory.write("assets/buttons/exit.bmp", solidPicture(kExit));
        directory.write("assets/menuImages/keys.bmp", solidPicture(kKeys));
        directory.write("assets/menuImages/fix.bmp", solidPicture(kFix));
        directory.write("assets/menuImages/credits.bmp", solidPicture(kCredits));
    }

    // The overlay pass as the framework sets it up for a window of this size.
    static void drawFrame(Screen& screen, int width, int height) {
        screen.setWindowSizeSource([width, height] {
            return WindowSize{static_cast<unsigned int>(width), static_cast<unsigned int>(height)};
        });
        screen.update(16);
        glViewport(0, 0, width, height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluOrtho2D(0, width, 0, height);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_BLEND);
        glColor4f(1, 1, 1, 1);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        screen.drawOverlay();
    }

    testSupport::ScopedTempDir directory;
};

TEST_F(ScreensGlTest, MenuShowsBackgroundTitleButtonsAndCursor) {
    Menu menu;
    menu.onMousePassiveMotion(500, 300);
    drawFrame(menu, 640, 480);

    EXPECT_EQ(pixelAt(0, 0), kBackground);
    EXPECT_EQ(pixelAt(639, 479), kBackground);
    // Title from (-256, 102) to (256, 230) about the centre (320, 240).
    EXPECT_EQ(pixelAt(64, 342), kTitle);
    EXPECT_EQ(pixelAt(575, 469), kTitle);
    EXPECT_EQ(pixelAt(63, 400), kBackground);
    EXPECT_EQ(pixelAt(320, 470), kBackground);
    // New: 256 x 64 centred on (0, 76); Exit on (0, -176).
    EXPECT_EQ(pixelAt(192, 284), kNew);
    EXPECT_EQ(pixelAt(447, 347), kNew);
    EXPECT_EQ(pixelAt(320, 283), kBackground);
    EXPECT_EQ(pixelAt(448, 316), kBackground);
    EXPECT_EQ(pixelAt(320, 64), kExit);
    // Cursor: 32 x 32, its top-left corner at the mouse (500, 300 from the top).
    EXPECT_EQ(pixelAt(500, 179), kCursor);
    EXPECT_EQ(pixelAt(531, 148), kCursor);
    EXPECT_EQ(pixelAt(500, 180), kBackground);
    EXPECT_EQ(pixelAt(532, 160), kBackground);

    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    glDisable(GL_TEXTURE_2D);
}

TEST_F(ScreensGlTest, OddWindowCentresTheContentOnTheTruncatedHalf) {
    Menu menu;
    drawFrame(menu, 641, 481);  // centre (320, 240)
    EXPECT_EQ(pixelAt(192, 284), kNew);
    EXPECT_EQ(pixelAt(191, 300), kBackground);
    EXPECT_EQ(pixelAt(447, 347), kNew);
    EXPECT_EQ(pixelAt(448, 300), kBackground);
    glDisable(GL_TEXTURE_2D);
}

TEST_F(ScreensGlTest, ManualPlacesItsFivePicturesAroundTheCentre) {
    Manual manual;
    EXPECT_EQ(manual.getId(), "manual");
    ASSERT_EQ(manual.getPictures().size(), 5u);
    drawFrame(manual, 640, 480);
    // Keys at the centre, 200 x 200, with nothing above them between the upper
    // pictures; fix at (200, -150).
    EXPECT_EQ(pixelAt(220, 140), kKeys);
    EXPECT_EQ(pixelAt(419, 339), kKeys);
    EXPECT_EQ(pixelAt(320, 340), kBackground);
    EXPECT_EQ(pixelAt(320, 469), kBackground);
    EXPECT_EQ(pixelAt(420, 90), kFix);
    EXPECT_EQ(pixelAt(619, 0), kFix);
    glDisable(GL_TEXTURE_2D);
}

TEST_F(ScreensGlTest, CreditsShowsItsPictureAtTheCentre) {
    Credits credits;
    EXPECT_EQ(credits.getId(), "Credits");
    drawFrame(credits, 640, 480);
    EXPECT_EQ(pixelAt(220, 140), kCredits);
    EXPECT_EQ(pixelAt(419, 339), kCredits);
    EXPECT_EQ(pixelAt(219, 240), kBackground);
    EXPECT_EQ(pixelAt(320, 340), kBackground);
    glDisable(GL_TEXTURE_2D);
}

// The manual and the credits hear no mouse while hidden; shown (or made),
// their cursor is where the mouse was last seen, from the first frame on.
TEST_F(ScreensGlTest, ManualAndCreditsShowTheCursorWhereTheMouseIsFromTheFirstFrame) {
    kiln::MousePosition::instance()->set(620, 200);  // right of every picture
    Manual manual;
    Credits credits;
    for (Screen* screen : {static_cast<Screen*>(&manual), static_cast<Screen*>(&credits)}) {
        drawFrame(*screen, 640, 480);
        EXPECT_EQ(pixelAt(625, 279), kCursor) << screen->getId();
        screen->state.enabled = false;
        kiln::MousePosition::instance()->set(100, 60);
        screen->show();
        drawFrame(*screen, 640, 480);
        EXPECT_EQ(pixelAt(100, 419), kCursor) << screen->getId();
        EXPECT_EQ(pixelAt(625, 279), kBackground) << screen->getId();
    }
    glDisable(GL_TEXTURE_2D);
}

}  // namespace
}  // namespace quiltRush
