#include "framework/GlutCallbacks.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "framework/Manager.h"
#include "framework/ReshapeEventNotifier.h"
#include "tests/framework/FrameworkFixture.h"
#include "tests/framework/ScriptedApplication.h"

namespace {

int frames = 0;
void countFrame() { ++frames; }

char programName[] = "quiltrush";
char* arguments[] = {programName, nullptr};

using GlutCallbacksGlTest = frameworkTest::FrameworkFixture;

TEST_F(GlutCallbacksGlTest, ReshapeSetsTheViewportStoresTheSizeTellsTheListenersAndPostsARedisplay) {
    // The manager deletes its application only when it shuts the process down.
    frameworkTest::ScriptedApplication application;
    kiln::Manager::instance()->startApp(&application, 1, arguments);
    kiln::Application* app = kiln::Manager::instance()->getApp();
    probeListeningTo<kiln::ReshapeEventNotifier>("shape");
    glutDisplayFunc(countFrame);
    const std::array<int, 2> sizes[] = {{800, 600}, {1, 1}, {0, 0}, {0, 480}, {640, 0}, {640, 480}};
    for (const auto& [width, height] : sizes) {
        glutMainLoopEvent();  // draws what was posted, so nothing is pending
        frames = 0;
        kiln::reshapeCallback(width, height);
        std::array<GLint, 4> viewport{};
        glGetIntegerv(GL_VIEWPORT, viewport.data());
        EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, width, height}));
        EXPECT_EQ(app->getWidth(), static_cast<unsigned>(width));
        EXPECT_EQ(app->getHeight(), static_cast<unsigned>(height));
        EXPECT_EQ(log.back(), "shape.onReshape(" + std::to_string(width) + "," + std::to_string(height) + ")");
        glutMainLoopEvent();
        EXPECT_EQ(frames, 1) << width << " x " << height;
    }
}

}  // namespace
