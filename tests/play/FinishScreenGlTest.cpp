#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "game/play/FinishScreen.h"
#include "tests/support/GlPixels.h"
#include "tests/support/GlContext.h"
#include "tests/support/ScopedTempDir.h"

namespace quiltRush {
namespace {

using testSupport::pixelAt;
using testSupport::Rgb;
using testSupport::solidPicture;

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kCentreX = kWidth / 2;
constexpr int kCentreY = kHeight / 2;
const Rgb kCleared{0, 0, 0};
const Rgb kFinish{0, 0, 255};
const Rgb kDot{255, 0, 255};
const Rgb kBest{0, 200, 0};
const Rgb kNewBest{200, 200, 0};

Rgb digitColour(int digit) { return {30 + 20 * digit, 100, 50}; }

// Each picture one plain colour, so a pixel tells which picture covers it.
void writePictures(const testSupport::ScopedTempDir& directory) {
    directory.write("assets/gameImages/finish.bmp", solidPicture(kFinish));
    for (int digit = 0; digit < 10; ++digit) {
        directory.write("assets/numbers/" + std::to_string(digit) + ".bmp", solidPicture(digitColour(digit)));
    }
    directory.write("assets/numbers/dot.bmp", solidPicture(kDot));
    directory.write("assets/gameImages/best.bmp", solidPicture(kBest));
    directory.write("assets/gameImages/newBest.bmp", solidPicture(kNewBest));
}

void beginOverlayFrame() {
    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, kWidth, 0, kHeight);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_BLEND);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
}

// Overlay pixel: x from the left, y from the bottom.
Rgb characterColour(char c) { return c == '.' ? kDot : digitColour(c - '0'); }

class FinishScreenGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        testSupport::ensureGlContext();
        writePictures(directory);
        screen = std::make_unique<FinishScreen>();
        screen->setWindowSizeSource([] { return WindowSize{kWidth, kHeight}; });
        beginOverlayFrame();
    }

    // Every character cell, its first and last pixel columns and the finish
    // picture just outside the row.
    void expectRow(const std::string& text) {
        int n = static_cast<int>(text.size());
        int left = kCentreX - 16 * n;
        int y = kCentreY - 4;
        for (int i = 0; i < n; ++i) {
            Rgb expected = characterColour(text[i]);
            EXPECT_EQ(pixelAt(left + 32 * i, y), expected) << "first column of character " << i;
            EXPECT_EQ(pixelAt(left + 32 * i + 31, y), expected) << "last column of character " << i;
        }
        EXPECT_EQ(pixelAt(left - 1, y), kFinish);
        EXPECT_EQ(pixelAt(left + 32 * n, y), kFinish);
        // The row spans from 20 below to 12 above the centre.
        EXPECT_EQ(pixelAt(left, kCentreY - 20), characterColour(text[0]));
        EXPECT_EQ(pixelAt(left, kCentreY - 21), kFinish);
        EXPECT_EQ(pixelAt(left, kCentreY + 11), characterColour(text[0]));
        EXPECT_EQ(pixelAt(left, kCentreY + 12), kFinish);
    }

    testSupport::ScopedTempDir directory;
    std::unique_ptr<FinishScreen> screen;
};

TEST_F(FinishScreenGlTest, TwelveSecondsDrawSixCharactersFromMinus96To96) {
    screen->show(12345);
    screen->drawOverlay();
    expectRow("12.345");
    EXPECT_EQ(kCentreX - 96, kCentreX - 16 * 6);
}

TEST_F(FinishScreenGlTest, LongestTimeDrawsElevenCharactersFromMinus176To176) {
    screen->show(4294967295u);
    screen->drawOverlay();
    expectRow("4294967.295");
    EXPECT_EQ(pixelAt(kCentreX - 176, kCentreY), digitColour(4));
    EXPECT_EQ(pixelAt(kCentreX + 175, kCentreY), digitColour(5));
}

TEST_F(FinishScreenGlTest, FinishPictureIs512By256AroundTheCentre) {
    screen->show(7);
    screen->drawOverlay();
    expectRow("0.007");
    EXPECT_EQ(pixelAt(kCentreX - 256, kCentreY + 127), kFinish);
    EXPECT_EQ(pixelAt(kCentreX + 255, kCentreY - 128), kFinish);
    EXPECT_EQ(pixelAt(kCentreX - 257, kCentreY), kCleared);
    EXPECT_EQ(pixelAt(kCentreX + 256, kCentreY), kCleared);
    EXPECT_EQ(pixelAt(kCentreX, kCentreY + 128), kCleared);
    EXPECT_EQ(pixelAt(kCentreX, kCentreY - 129), kCleared);
}

// The best time: a 512 x 64 plate from 136 to 200 below the centre, its
// 28-pixel characters centred 82 right of the centre, from 154 to 182 below it.
TEST_F(FinishScreenGlTest, BestTimeSitsOnItsPlateUnderThePictureAndAPlainShowDropsIt) {
    for (bool isNew : {false, true}) {
        screen->show(12345);
        screen->showBest({9876, isNew});
        beginOverlayFrame();
        screen->drawOverlay();
        expectRow("12.345");
        Rgb plate = isNew ? kNewBest : kBest;
        EXPECT_EQ(pixelAt(kCentreX - 256, kCentreY - 137), plate);
        EXPECT_EQ(pixelAt(kCentreX + 255, kCentreY - 200), plate);
        EXPECT_EQ(pixelAt(kCentreX, kCentreY - 201), kCleared);
        EXPECT_EQ(pixelAt(kCentreX, kCentreY - 128), kFinish);
        EXPECT_EQ(pixelAt(kCentreX, kCentreY - 132), kCleared);
        int left = kCentreX + 82 - 14 * 5;
        EXPECT_EQ(pixelAt(left - 1, kCentreY - 168), plate);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(pixelAt(left + 28 * i + 27, kCentreY - 155), characterColour("9.876"[i]));
        EXPECT_EQ(pixelAt(left, kCentreY - 183), plate);
    }
    screen->show(7);
    beginOverlayFrame();
    screen->drawOverlay();
    EXPECT_EQ(pixelAt(kCentreX, kCentreY - 168), kCleared);
}

TEST_F(FinishScreenGlTest, DrawingLeavesLightingOffTexturingOnAndOpaqueWhite) {
    glEnable(GL_LIGHTING);
    screen->show(0);
    screen->drawOverlay();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[3], 1.0f);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    expectRow("0.000");
}

TEST_F(FinishScreenGlTest, HiddenScreenDrawsNothingAndChangesNoState) {
    screen->show(12345);
    screen->hide();
    glEnable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.25f, 0.5f, 0.75f, 0.5f);
    screen->drawOverlay();
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 0.25f);
    EXPECT_FLOAT_EQ(colour[3], 0.5f);
    EXPECT_EQ(pixelAt(kCentreX, kCentreY), kCleared);
    glDisable(GL_LIGHTING);
}

}  // namespace
}  // namespace quiltRush
