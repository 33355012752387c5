#include "game/play/InputHandler.h"

#include <gtest/gtest.h>

#include "framework/InputCodes.h"
#include "tests/play/PlayFixture.h"

namespace playTest {
namespace {

using namespace kiln::inputCodes;

// With the mouse point still at the origin (no update has run), the pick ray
// goes from the eye through the origin: from straight above it meets the
// cloth sphere at (0, 1, 0), from (0, 5, 5) it meets none.
const Vector3 kEyeOverSphere(0, 5, 0);
const Vector3 kEyeOverNothing(0, 5, 5);
constexpr int kSphereUnderMouse = 3;

class InputHandlerTest : public ::testing::Test {
protected:
    Sphere* sphere(int i) const { return world.patch->getSpheres()[i]; }

    void pressLeftOver(const Vector3& eye) {
        world.camera->setEye(eye);
        input()->onMouseButton(kLeftButton, kPressed, 0, 0);
    }

    InputHandler* input() const { return world.input; }

    PlayWorld world;
};

TEST_F(InputHandlerTest, ConstructionAddsTheFixedMouseSphereAndItsSlackSpringLast) {
    EXPECT_EQ(input()->getId(), "InputHandler");
    Sphere* mouseSphere = input()->getMouseSphere();
    Spring* mouseSpring = input()->getMouseSpring();
    EXPECT_TRUE(mouseSphere->isFixed());
    EXPECT_EQ(mouseSphere->getRadius(), 0.0f);
    EXPECT_EQ(mouseSphere->getMass(), 0.001f);
    EXPECT_EQ(mouseSphere->getPosition(), Vector3());
    EXPECT_EQ(mouseSpring->getFirst(), mouseSphere);
    EXPECT_EQ(mouseSpring->getSecond(), mouseSphere);
    EXPECT_EQ(mouseSpring->getStiffness(), 5000.0f);
    EXPECT_EQ(mouseSpring->getRestLength(), 0.0f);
    // The world made the ball and the cloth first: the mouse's sphere and spring come after them.
    EXPECT_EQ(PhysicsEngine::instance()->getSpheres().back(), mouseSphere);
    EXPECT_EQ(PhysicsEngine::instance()->getSprings().back(), mouseSpring);
    EXPECT_EQ(input()->getSelected(), nullptr);
    EXPECT_EQ(input()->getCursor(), input()->getArrowCursor());
}

TEST_F(InputHandlerTest, LeftPressPicksAndStartsADragThatReleaseEnds) {
    pressLeftOver(kEyeOverSphere);
    ASSERT_EQ(input()->getSelected(), sphere(kSphereUnderMouse));
    EXPECT_TRUE(input()->isLeftButtonDown());
    EXPECT_EQ(input()->getMouseSpring()->getSecond(), sphere(kSphereUnderMouse));
    EXPECT_EQ(input()->getMouseSphere()->getPosition(), Vector3(0, 1, 0));
    EXPECT_FALSE(world.camera->isFollowing());

    input()->onMouseButton(kLeftButton, kReleased, 0, 0);
    EXPECT_FALSE(input()->isLeftButtonDown());
    EXPECT_EQ(input()->getMouseSpring()->getSecond(), input()->getMouseSphere());
    EXPECT_TRUE(world.camera->isFollowing());
    EXPECT_EQ(input()->getSelected(), sphere(kSphereUnderMouse));  // the marker stays
}

TEST_F(InputHandlerTest, LeftPressWithTheRightButtonHeldNeverPicksAndDetachesTheDrag) {
    input()->onMouseButton(kRightButton, kPressed, 0, 0);
    // A drag hooked up by other means, and the camera not following.
    input()->getMouseSpring()->setSecond(sphere(0));
    world.camera->stopFollowing();

    pressLeftOver(kEyeOverSphere);
    EXPECT_EQ(input()->getSelected(), nullptr);
    EXPECT_TRUE(input()->isLeftButtonDown());
    EXPECT_TRUE(input()->isRightButtonDown());
    EXPECT_EQ(input()->getMouseSpring()->getSecond(), input()->getMouseSphere());
    EXPECT_TRUE(world.camera->isFollowing());
}

TEST_F(InputHandlerTest, RightAndMiddleButtonsReleaseADrag) {
    pressLeftOver(kEyeOverSphere);
    input()->onMouseButton(kRightButton, kPressed, 0, 0);
    EXPECT_EQ(input()->getMouseSpring()->getSecond(), input()->getMouseSphere());
    EXPECT_TRUE(world.camera->isFollowing());
    input()->onMouseButton(kRightButton, kReleased, 0, 0);
    EXPECT_FALSE(input()->isRightButtonDown());
    EXPECT_TRUE(input()->isLeftButtonDown());

    input()->getMouseSpring()->setSecond(sphere(0));
    world.camera->stopFollowing();
    input()->onMouseButton(kMiddleButton, kPressed, 0, 0);
    EXPECT_EQ(input()->getMouseSpring()->getSecond(), input()->getMouseSphere());
    EXPECT_TRUE(world.camera->isFollowing());
}

TEST_F(InputHandlerTest, PressOnEmptySpaceClearsTheSelectionAndNothingElse) {
    pressLeftOver(kEyeOverSphere);
    input()->onMouseButton(kLeftButton, kReleased, 0, 0);
    world.camera->stopFollowing();

    pressLeftOver(kEyeOverNothing);
    EXPECT_EQ(input()->getSelected(), nullptr);
    EXPECT_FALSE(world.camera->isFollowing());
    EXPECT_EQ(input()->getMouseSpring()->getSecond(), input()->getMouseSphere());

    input()->onKeyPressed(' ');  // nothing selected: nothing to tack
    EXPECT_EQ(world.game.getTacksUsed(), 0u);
}

TEST_F(InputHandlerTest, SpaceTacksAndUntacksTheSelectedSphere) {
    pressLeftOver(kEyeOverSphere);
    input()->onMouseButton(kLeftButton, kReleased, 0, 0);
    input()->onKeyPressed(' ');
    EXPECT_TRUE(sphere(kSphereUnderMouse)->isTacked());
    EXPECT_EQ(world.game.getTacksUsed(), 1u);
    EXPECT_FALSE(world.tacks[2]->isVisible());
    input()->onKeyPressed(' ');
    EXPECT_FALSE(sphere(kSphereUnderMouse)->isTacked());
    EXPECT_EQ(world.game.getTacksUsed(), 0u);
    EXPECT_TRUE(world.tacks[2]->isVisible());
}

TEST_F(InputHandlerTest, SpaceWithNoTackLeftDoesNothingButUntackingStillWorks) {
    pressLeftOver(kEyeOverSphere);
    input()->onKeyPressed(' ');
    for (int i = 1; i < PlayWorld::kTacks; ++i) world.game.useTack();
    ASSERT_FALSE(world.game.canUseTack());
    input()->onKeyPressed(' ');  // untacks and gives one back
    EXPECT_FALSE(sphere(kSphereUnderMouse)->isTacked());
    EXPECT_EQ(world.game.getTacksUsed(), 2u);
    world.game.useTack();
    input()->onKeyPressed(' ');  // none left now
    EXPECT_FALSE(sphere(kSphereUnderMouse)->isTacked());
    EXPECT_EQ(world.game.getTacksUsed(), 3u);
}

TEST_F(InputHandlerTest, SpaceOnAFixedSphereDoesNothing) {
    world.patch->fixSphere(kSphereUnderMouse);
    pressLeftOver(kEyeOverSphere);
    ASSERT_EQ(input()->getSelected(), sphere(kSphereUnderMouse));
    input()->onKeyPressed(' ');
    EXPECT_FALSE(sphere(kSphereUnderMouse)->isTacked());
    EXPECT_EQ(world.game.getTacksUsed(), 0u);
    for (auto& tack : world.tacks) EXPECT_TRUE(tack->isVisible());
}

TEST_F(InputHandlerTest, LowerCaseDSwitchesTheDebugViewAndUpperCaseDoesNot) {
    PhysicsEngine* engine = PhysicsEngine::instance();
    ASSERT_FALSE(engine->isDebugMode());
    input()->onKeyPressed('D');
    EXPECT_FALSE(engine->isDebugMode());
    input()->onKeyPressed('d');
    EXPECT_TRUE(engine->isDebugMode());
    input()->onKeyPressed('d');
    EXPECT_FALSE(engine->isDebugMode());
}

TEST_F(InputHandlerTest, EscapeShowsTheMenuAndEnterRestarts) {
    world.game.update(400);
    input()->onKeyPressed(13);
    EXPECT_EQ(world.game.getTime(), 0.0f);
    world.game.update(400);
    input()->onKeyPressed(27);
    EXPECT_TRUE(world.game.isInMenu());
    EXPECT_TRUE(world.menu.state.enabled);
    EXPECT_FALSE(input()->state.enabled);
    EXPECT_EQ(world.game.getTime(), 400.0f);
}

TEST_F(InputHandlerTest, WheelStepZoomsOneUnitWithoutReleasingADrag) {
    pressLeftOver(Vector3(0, 5, 0));  // 5 from the target (the origin)
    ASSERT_NE(input()->getSelected(), nullptr);

    input()->onMouseButton(kWheelUp, kPressed, 0, 0);
    EXPECT_EQ(world.camera->getEye(), Vector3(0, 4, 0));
    input()->onMouseButton(kWheelUp, kReleased, 0, 0);  // the release of a step does nothing
    EXPECT_EQ(world.camera->getEye(), Vector3(0, 4, 0));
    input()->onMouseButton(kWheelDown, kPressed, 0, 0);
    input()->onMouseButton(kWheelDown, kReleased, 0, 0);
    input()->onMouseButton(kWheelDown, kPressed, 0, 0);
    EXPECT_EQ(world.camera->getEye(), Vector3(0, 6, 0));

    EXPECT_TRUE(input()->isLeftButtonDown());
    EXPECT_FALSE(input()->isRightButtonDown());
    EXPECT_EQ(input()->getMouseSpring()->getSecond(), input()->getSelected());
    EXPECT_FALSE(world.camera->isFollowing());
}

TEST_F(InputHandlerTest, WheelZoomStaysWithinTheCameraRange) {
    world.camera->setEye(Vector3(0, 2, 0));
    input()->onMouseButton(kWheelUp, kPressed, 0, 0);
    EXPECT_FLOAT_EQ(world.camera->getEye().y, 1.5f);
    world.camera->setEye(Vector3(0, 19.5f, 0));
    input()->onMouseButton(kWheelDown, kPressed, 0, 0);
    EXPECT_FLOAT_EQ(world.camera->getEye().y, 20.0f);
}

TEST_F(InputHandlerTest, MouseMovesOnlyRecordThePosition) {
    Vector3 eye = world.camera->getEye();
    input()->onMouseMotion(100, 200);
    input()->onMousePassiveMotion(300, 400);
    EXPECT_EQ(world.camera->getEye(), eye);
    EXPECT_EQ(input()->getMouseSpring()->getSecond(), input()->getMouseSphere());
}

}  // namespace
}  // namespace playTest
