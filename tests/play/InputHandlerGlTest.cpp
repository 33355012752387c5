#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "framework/InputCodes.h"
#include "framework/MousePosition.h"
#include "game/scene/Light.h"
#include "tests/play/PlayFixture.h"
#include "tests/support/GlPixels.h"
#include "tests/support/GlContext.h"
#include "tests/support/ScopedTempDir.h"

namespace playTest {
namespace {

using namespace kiln::inputCodes;
constexpr int kCentreX = 320;
constexpr int kCentreY = 240;
constexpr float kTolerance = 1e-4f;

using testSupport::pixelAt;
using testSupport::Rgb;
using testSupport::solidPicture;
const Rgb kArrowColour{255, 0, 0};
const Rgb kGrabColour{0, 255, 0};
const Rgb kCleared{0, 0, 0};

// A real GL context, the camera at (0, 5, -3) looking at the cloth sphere at
// (0, 1, 0), which therefore sits under the window centre.
class InputHandlerGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        testSupport::ensureGlContext();
        glViewport(0, 0, 640, 480);
        // The camera follows the ball: one update takes the ball's place as
        // the target, the next builds the view of it.
        world.ball->setPosition(kTarget);
        world.camera->setEye(kEye);
        world.camera->update(16);
        world.camera->update(16);
        world.camera->stopFollowing();
    }

    void moveMouse(int x, int y) {
        input()->onMouseMotion(x, y);
        input()->update(16);
    }

    float distance() const { return length(world.camera->getEye() - world.camera->getTarget()); }
    InputHandler* input() const { return world.input; }

    const Vector3 kEye{0, 5, -3};
    const Vector3 kTarget{0, 1, 0};
    PlayWorld world;
};

TEST_F(InputHandlerGlTest, UpdateUnprojectsTheMouseOntoTheNearPlane) {
    moveMouse(kCentreX, kCentreY);
    Vector3 expected = kEye + normalize(kTarget - kEye) * 0.1f;
    Vector3 point = input()->getMousePoint();
    EXPECT_NEAR(point.x, expected.x, kTolerance);
    EXPECT_NEAR(point.y, expected.y, kTolerance);
    EXPECT_NEAR(point.z, expected.z, kTolerance);

    moveMouse(0, 0);  // the top-left corner: up and to the camera's left
    Vector3 corner = input()->getMousePoint() - kEye;
    EXPECT_GT(dot(corner, world.camera->getUp()), 0.0f);
    EXPECT_LT(dot(corner, world.camera->getRight()), 0.0f);
}

TEST_F(InputHandlerGlTest, DragKeepsTheMouseSphereUnderTheMouseAtTheDepthOfTheSphere) {
    moveMouse(kCentreX, kCentreY);
    input()->onMouseButton(kLeftButton, kPressed, kCentreX, kCentreY);
    Sphere* selected = input()->getSelected();
    ASSERT_EQ(selected, world.patch->getSpheres()[3]);

    moveMouse(kCentreX + 40, kCentreY - 25);  // a brisk drag, within the top speed
    EXPECT_EQ(input()->getCursor(), input()->getGrabCursor());
    Vector3 mouseEnd = input()->getMouseSphere()->getPosition();
    Vector3 normal = normalize(kEye - selected->getPosition());
    EXPECT_NEAR(dot(mouseEnd - selected->getPosition(), normal), 0.0f, kTolerance);
    Vector3 ray = normalize(input()->getMousePoint() - kEye);
    Vector3 underMouse = kEye + ray * (dot(normal, selected->getPosition() - kEye) / dot(normal, ray));
    EXPECT_NEAR(length(mouseEnd - underMouse), 0.0f, kTolerance);
    EXPECT_GT(length(mouseEnd - selected->getPosition()), 0.1f);
    EXPECT_EQ(input()->getHeldBackDragSteps(), 0u);
    // A jump across the window in one tick: it heads there at the top speed, 0.8 a 16 ms tick.
    moveMouse(639, 0);
    EXPECT_NEAR(length(input()->getMouseSphere()->getPosition() - mouseEnd), 0.8f, kTolerance);
    EXPECT_EQ(input()->getHeldBackDragSteps(), 1u);

    input()->onMouseButton(kLeftButton, kReleased, 0, 0);
    input()->update(16);
    EXPECT_EQ(input()->getCursor(), input()->getArrowCursor());
}

// The point under the mouse not a number (an eye that is not), or so far that
// the way to it overflows (a sphere flung 1.5e19 ahead): the mouse sphere stays.
TEST_F(InputHandlerGlTest, MouseSphereStaysWhenThePointUnderTheMouseIsNotFinite) {
    const float kNaN = std::numeric_limits<float>::quiet_NaN();
    for (auto [eye, sphere] : {std::pair{Vector3(0, kNaN, -3), kTarget}, {kEye, Vector3(0, 1, 1.5e19f)}}) {
        world.camera->setEye(kEye);
        moveMouse(kCentreX, kCentreY);
        input()->onMouseButton(kLeftButton, kPressed, kCentreX, kCentreY);
        Vector3 before = input()->getMouseSphere()->getPosition();
        world.camera->setEye(eye);
        input()->getSelected()->setPosition(sphere);
        input()->update(16);
        EXPECT_EQ(input()->getMouseSphere()->getPosition(), before) << sphere.z;
        input()->getSelected()->setPosition(kTarget);
    }
    EXPECT_EQ(input()->getHeldBackDragSteps(), 2u);
}

TEST_F(InputHandlerGlTest, PressPicksWhereTheMouseIsEvenBeforeAnUpdateHasSeenTheMove) {
    moveMouse(0, 0);  // off the cloth
    input()->onMouseMotion(kCentreX, kCentreY);
    input()->onMouseButton(kLeftButton, kPressed, kCentreX, kCentreY);
    EXPECT_EQ(input()->getSelected(), world.patch->getSpheres()[3]);
}

TEST_F(InputHandlerGlTest, DragStepIsSkippedWhenTheMouseRayRunsAlongThePlane) {
    moveMouse(kCentreX, kCentreY);
    input()->onMouseButton(kLeftButton, kPressed, kCentreX, kCentreY);
    ASSERT_NE(input()->getSelected(), nullptr);
    // The eye on the dragged sphere: the plane's normal vanishes and N . D is 0.
    world.camera->setEye(input()->getSelected()->getPosition());
    Vector3 before = input()->getMouseSphere()->getPosition();
    input()->update(16);
    EXPECT_EQ(input()->getMouseSphere()->getPosition(), before);
    EXPECT_TRUE(isFinite(input()->getMouseSphere()->getPosition()));
}

TEST_F(InputHandlerGlTest, DragInAWindowOfZeroHeightOrWidthKeepsTheLastMousePoint) {
    moveMouse(kCentreX, kCentreY);
    input()->onMouseButton(kLeftButton, kPressed, kCentreX, kCentreY);
    ASSERT_NE(input()->getSelected(), nullptr);
    moveMouse(kCentreX + 40, kCentreY - 30);
    Vector3 point = input()->getMousePoint();
    Vector3 mouseEnd = input()->getMouseSphere()->getPosition();
    for (auto size : {std::array<int, 2>{640, 0}, std::array<int, 2>{0, 480}, std::array<int, 2>{0, 0}}) {
        glViewport(0, 0, size[0], size[1]);
        moveMouse(kCentreX + 60, kCentreY - 50);
        EXPECT_EQ(input()->getMousePoint(), point) << size[0] << " x " << size[1];
        EXPECT_EQ(input()->getMouseSphere()->getPosition(), mouseEnd) << size[0] << " x " << size[1];
    }
    glViewport(0, 0, 640, 480);
}

TEST_F(InputHandlerGlTest, FirstRightButtonUpdateOnlyPrimesTheOrbit) {
    moveMouse(kCentreX, kCentreY);
    input()->onMouseButton(kRightButton, kPressed, kCentreX, kCentreY);
    input()->onMouseMotion(kCentreX + 30, kCentreY);
    input()->update(16);
    EXPECT_TRUE(input()->isRotationPrimed());
    EXPECT_EQ(world.camera->getEye(), kEye);

    moveMouse(kCentreX + 60, kCentreY);  // 30 pixels right: -30 degrees of yaw
    Vector3 expected = kTarget + rotateAboutAxisDegrees(kEye - kTarget, Vector3(0, 1, 0), -30.0f);
    EXPECT_NEAR(world.camera->getEye().x, expected.x, kTolerance);
    EXPECT_NEAR(world.camera->getEye().y, expected.y, kTolerance);
    EXPECT_NEAR(world.camera->getEye().z, expected.z, kTolerance);
    EXPECT_GT(world.camera->getEye().x, 0.0f);  // clockwise seen from above: from -z towards +x

    // Priming happens once in the program, not once per press.
    input()->onMouseButton(kRightButton, kReleased, 0, 0);
    input()->update(16);
    input()->onMouseButton(kRightButton, kPressed, 0, 0);
    moveMouse(kCentreX + 50, kCentreY);
    EXPECT_NE(world.camera->getEye().x, expected.x);
}

TEST_F(InputHandlerGlTest, VerticalOrbitPitchesTheEye) {
    input()->onMouseButton(kRightButton, kPressed, 0, 0);
    moveMouse(kCentreX, kCentreY);
    float heightBefore = world.camera->getEye().y;
    moveMouse(kCentreX, kCentreY + 20);  // mouse down: the eye rises
    EXPECT_GT(world.camera->getEye().y, heightBefore);
    EXPECT_NEAR(distance(), 5.0f, kTolerance);
}

TEST_F(InputHandlerGlTest, BothButtonsZoomOneUnitPerTenPixelsUpWithinTheRange) {
    moveMouse(kCentreX, kCentreY);
    input()->onMouseButton(kRightButton, kPressed, 0, 0);
    input()->onMouseButton(kLeftButton, kPressed, 0, 0);
    input()->update(16);
    ASSERT_NEAR(distance(), 5.0f, kTolerance);
    moveMouse(kCentreX, kCentreY - 30);
    EXPECT_NEAR(distance(), 2.0f, kTolerance);
    moveMouse(kCentreX, kCentreY + 70);
    EXPECT_NEAR(distance(), 12.0f, kTolerance);
    moveMouse(kCentreX, kCentreY - 100);  // 17 units in, stopped at 1.5
    EXPECT_NEAR(distance(), 1.5f, kTolerance);
    EXPECT_EQ(input()->getSelected(), nullptr);
}

// A handler made after the mouse has moved (a level built anew) starts where the mouse is.
TEST_F(InputHandlerGlTest, CursorIs32PixelsWithItsTopLeftCornerAtTheMouseFromTheStart) {
    testSupport::ScopedTempDir directory;
    directory.write("assets/cursors/cursor1.bmp", solidPicture(kArrowColour));
    directory.write("assets/cursors/cursor2.bmp", solidPicture(kGrabColour));
    kiln::MousePosition::instance()->set(100, 50);
    InputHandler::destroy();
    InputHandler* handler = InputHandler::instance();
    handler->setGame(&world.game);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, 640, 0, 480);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_LIGHTING);
    glColor4f(1, 1, 1, 1);
    handler->drawOverlay();

    // Overlay rows count from the bottom: the mouse row 50 is overlay row 430.
    EXPECT_EQ(pixelAt(100, 429), kArrowColour);
    EXPECT_EQ(pixelAt(131, 398), kArrowColour);
    EXPECT_EQ(pixelAt(99, 429), kCleared);
    EXPECT_EQ(pixelAt(100, 430), kCleared);
    EXPECT_EQ(pixelAt(132, 420), kCleared);
    EXPECT_EQ(pixelAt(120, 397), kCleared);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    glDisable(GL_TEXTURE_2D);
}

TEST_F(InputHandlerGlTest, MarkerIsBlueLitAndLeavesTheMaterialAlone) {
    moveMouse(kCentreX, kCentreY);
    input()->onMouseButton(kLeftButton, kPressed, kCentreX, kCentreY);
    ASSERT_NE(input()->getSelected(), nullptr);
    Light light0("light0", GL_LIGHT0, {0, 10, 0}, {1, 1, 1}, {0.4f, 0.4f, 0.4f});

    auto drawMarker = [&](bool withLight) {
        glDisable(GL_TEXTURE_2D);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        world.camera->draw();
        light0.draw();
        if (!withLight) glDisable(GL_LIGHT0);
        input()->draw();
        glDisable(GL_DEPTH_TEST);
        return pixelAt(kCentreX, kCentreY);
    };

    Rgb lit = drawMarker(true);
    EXPECT_EQ(lit[0], 0);
    EXPECT_EQ(lit[1], 0);
    EXPECT_GT(lit[2], 100);
    Rgb unlit = drawMarker(false);
    EXPECT_LT(unlit[2], lit[2]);  // only the global ambient light: darker

    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
    GLfloat diffuse[4];
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    EXPECT_FLOAT_EQ(diffuse[0], 0.8f);  // GL's default material, as before the marker
    EXPECT_FLOAT_EQ(diffuse[2], 0.8f);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 1.0f);
    glDisable(GL_LIGHTING);
}

TEST_F(InputHandlerGlTest, NoMarkerWithoutASelection) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    world.camera->draw();
    input()->draw();
    EXPECT_EQ(pixelAt(kCentreX, kCentreY), kCleared);
}

}  // namespace
}  // namespace playTest
