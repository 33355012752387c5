#include "framework/GlutCallbacks.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/InputCodes.h"
#include "framework/MouseEventNotifier.h"
#include "framework/MousePosition.h"
#include "tests/framework/FrameworkFixture.h"

namespace {

using frameworkTest::CallLog;
using frameworkTest::ProbeEntity;

class GlutCallbacksTest : public frameworkTest::FrameworkFixture {
protected:
    ProbeEntity* mouseProbe(const std::string& id) { return probeListeningTo<kiln::MouseEventNotifier>(id); }
};

TEST_F(GlutCallbacksTest, MouseEventsAreForwardedUnchangedIncludingWheelButtons) {
    mouseProbe("mouse");
    constexpr int kWheelUp = kiln::inputCodes::kWheelUp;  // freeglut reports wheel steps as further buttons

    kiln::mouseCallback(GLUT_LEFT_BUTTON, GLUT_DOWN, 10, 470);
    kiln::motionCallback(11, 469);
    kiln::mouseCallback(GLUT_LEFT_BUTTON, GLUT_UP, 12, 468);
    kiln::passiveMotionCallback(-5, 900);
    kiln::mouseCallback(kWheelUp, GLUT_DOWN, 0, 0);

    EXPECT_EQ(log, (CallLog{"mouse.onMouseButton(0,0,10,470)", "mouse.onMouseMotion(11,469)",
                            "mouse.onMouseButton(0,1,12,468)", "mouse.onMousePassiveMotion(-5,900)",
                            "mouse.onMouseButton(3,0,0,0)"}));
}

// Screens shown later and entities made later start from it.
TEST_F(GlutCallbacksTest, EveryMouseEventLeavesItsPositionAsTheLastKnown) {
    kiln::motionCallback(11, 469);
    EXPECT_EQ(kiln::MousePosition::instance()->getX(), 11);
    kiln::passiveMotionCallback(-5, 900);
    EXPECT_EQ(kiln::MousePosition::instance()->getY(), 900);
    kiln::mouseCallback(GLUT_LEFT_BUTTON, GLUT_DOWN, 320, 164);
    EXPECT_EQ(kiln::MousePosition::instance()->getX(), 320);
    EXPECT_EQ(kiln::MousePosition::instance()->getY(), 164);
}

TEST_F(GlutCallbacksTest, EveryEnabledListenerGetsTheEventInRegistrationOrder) {
    mouseProbe("second");
    ProbeEntity* off = mouseProbe("off");
    mouseProbe("first");
    off->state.enabled = false;

    kiln::motionCallback(1, 2);

    EXPECT_EQ(log, (CallLog{"second.onMouseMotion(1,2)", "first.onMouseMotion(1,2)"}));
}

TEST_F(GlutCallbacksTest, ExceptionFromAListenerEndsTheProcessWithStatusOne) {
    EXPECT_EXIT(
        {
            ProbeEntity* thrower = mouseProbe("thrower");
            thrower->action = [](const std::string&) { throw std::runtime_error("boom"); };
            kiln::mouseCallback(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0);
        },
        ::testing::ExitedWithCode(1), "fatal: boom");
    // The child wrote the log into the shared working directory before it ended.
    EXPECT_EQ(dir.read("log.txt"), "(EXCEPTION) boom\n");
}

}  // namespace
