#include "framework/Manager.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <stdexcept>

#include "tests/framework/FrameworkFixture.h"
#include "tests/framework/ScriptedApplication.h"

namespace {

using frameworkTest::ScriptedApplication;

char programName[] = "quiltrush";
char* arguments[] = {programName, nullptr};

using ManagerGlTest = frameworkTest::FrameworkFixture;

TEST_F(ManagerGlTest, AStartUpFailureSaysFatalOnStandardErrorAndEndsWithStatusOne) {
    EXPECT_EXIT(std::exit(kiln::Manager::instance()->runMain(
                    new ScriptedApplication([] { throw std::runtime_error("no level"); }), 1, arguments)),
                ::testing::ExitedWithCode(1), "^fatal: no level\n$");
}

TEST_F(ManagerGlTest, HeldKeysDoNotRepeat) {
    // A held space would otherwise toggle the tack on every repeat.
    ScriptedApplication application;  // the manager deletes it only when it shuts the process down
    kiln::Manager::instance()->startApp(&application, 1, arguments);
    EXPECT_EQ(glutDeviceGet(GLUT_DEVICE_IGNORE_KEY_REPEAT), 1);
}

}  // namespace
