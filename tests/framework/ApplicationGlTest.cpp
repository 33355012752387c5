#include "framework/Application.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <typeinfo>

#include "tests/framework/FrameworkFixture.h"
#include "tests/framework/ScriptedApplication.h"
#include "tests/support/GlContext.h"
#include "tests/support/ThrownMessage.h"

namespace {

using frameworkTest::CallLog;
using frameworkTest::ProbeEntity;
using testSupport::thrownMessage;
using Matrix = std::array<double, 16>;

constexpr double kMatrixTolerance = 1e-6;  // GL keeps its matrices in float
constexpr double kColourTolerance = 1.0 / 255.0;

using frameworkTest::ScriptedApplication;

Matrix currentMatrix(GLenum which) {
    Matrix matrix;
    glGetDoublev(which, matrix.data());
    return matrix;
}

/// gluOrtho2D(0, width, 0, height) in GL's column-major order.
Matrix pixelProjection(double width, double height) {
    return {2.0 / width, 0, 0, 0, 0, 2.0 / height, 0, 0, 0, 0, -1, 0, -1, -1, 0, 1};
}

void expectMatrixNear(const Matrix& actual, const Matrix& expected) {
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i], expected[i], kMatrixTolerance) << "element " << i;
    }
}

bool isOn(GLenum capability) { return glIsEnabled(capability) == GL_TRUE; }

GLint integerState(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

/// GL state opposite to what a frame leaves, so that the checks can fail.
void scrambleGlState() {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(3.0, 4.0, 5.0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-1.0, 1.0, -1.0, 1.0, 1.0, 10.0);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

class ApplicationGlTest : public frameworkTest::FrameworkFixture {
protected:
    void SetUp() override {
        testSupport::ensureGlContext();
        glViewport(0, 0, 640, 480);
        scrambleGlState();
    }
};

TEST_F(ApplicationGlTest, FrameEndsWithDepthTestAndBlendingOffAndThePixelProjection) {
    ScriptedApplication app;

    app.display();

    EXPECT_FALSE(isOn(GL_DEPTH_TEST));
    EXPECT_FALSE(isOn(GL_BLEND));
    EXPECT_EQ(integerState(GL_MATRIX_MODE), GL_MODELVIEW);
    expectMatrixNear(currentMatrix(GL_PROJECTION_MATRIX), pixelProjection(640.0, 480.0));
    Matrix identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    expectMatrixNear(currentMatrix(GL_MODELVIEW_MATRIX), identity);
}

TEST_F(ApplicationGlTest, OverlayProjectionMatchesGluOrtho2D) {
    ScriptedApplication app;
    app.display();
    Matrix afterFrame = currentMatrix(GL_PROJECTION_MATRIX);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0.0, 640.0, 0.0, 480.0);

    expectMatrixNear(afterFrame, currentMatrix(GL_PROJECTION_MATRIX));
}

TEST_F(ApplicationGlTest, OverlayProjectionFollowsTheStoredWindowSize) {
    ScriptedApplication app;
    app.setSize(800, 600);
    app.display();
    expectMatrixNear(currentMatrix(GL_PROJECTION_MATRIX), pixelProjection(800.0, 600.0));
}

TEST_F(ApplicationGlTest, FrameClearsColourAndDepth) {
    ScriptedApplication app;
    glClearDepth(0.25);
    glClear(GL_DEPTH_BUFFER_BIT);
    glClearDepth(1.0);

    app.display();

    GLfloat clearColour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    EXPECT_FLOAT_EQ(clearColour[3], 0.0f);
    glReadBuffer(GL_BACK);
    GLfloat pixel[3];
    glReadPixels(320, 240, 1, 1, GL_RGB, GL_FLOAT, pixel);
    for (GLfloat channel : pixel) EXPECT_NEAR(channel, 0.1, kColourTolerance);
    GLfloat depth = 0.0f;
    glReadPixels(320, 240, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_FLOAT_EQ(depth, 1.0f);
}

TEST_F(ApplicationGlTest, DrawListenersRunWithDepthTestThenOverlayListenersWithBlending) {
    ProbeEntity* first = registeredProbe("first");
    registeredProbe("second");
    bool depthInDraw = false;
    bool depthInOverlay = true;
    bool blendInOverlay = false;
    GLint sourceFactor = 0;
    GLint destinationFactor = 0;
    Matrix overlayProjection{};
    first->action = [&](const std::string& call) {
        if (call == "draw") depthInDraw = isOn(GL_DEPTH_TEST);
        if (call != "drawOverlay") return;
        depthInOverlay = isOn(GL_DEPTH_TEST);
        blendInOverlay = isOn(GL_BLEND);
        sourceFactor = integerState(GL_BLEND_SRC);
        destinationFactor = integerState(GL_BLEND_DST);
        overlayProjection = currentMatrix(GL_PROJECTION_MATRIX);
    };
    glDisable(GL_DEPTH_TEST);

    ScriptedApplication app;
    app.display();

    EXPECT_EQ(log, (CallLog{"first.draw", "second.draw", "first.drawOverlay", "second.drawOverlay"}));
    EXPECT_TRUE(depthInDraw);
    EXPECT_FALSE(depthInOverlay);
    EXPECT_TRUE(blendInOverlay);
    EXPECT_EQ(sourceFactor, GL_SRC_ALPHA);
    EXPECT_EQ(destinationFactor, GL_ONE_MINUS_SRC_ALPHA);
    expectMatrixNear(overlayProjection, pixelProjection(640.0, 480.0));
}

TEST_F(ApplicationGlTest, InitSetsSmoothShadingCreatesTheEntitiesThenInitialisesThemInIdOrder) {
    glShadeModel(GL_FLAT);
    ScriptedApplication app([&] {
        log.push_back("createEntities");
        registeredProbe("b");
        registeredProbe("a");
    });

    app.init();

    EXPECT_EQ(log, (CallLog{"createEntities", "a.init", "b.init"}));
    EXPECT_EQ(integerState(GL_SHADE_MODEL), GL_SMOOTH);
}

TEST_F(ApplicationGlTest, RuntimeErrorFromCreateEntitiesIsLoggedAndThrownOn) {
    ScriptedApplication app([&] {
        registeredProbe("a");
        throw std::runtime_error("msg");
    });

    std::string message;
    try {
        app.init();
        message = "(nothing thrown)";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(typeid(error), typeid(std::runtime_error));
        message = error.what();
    }

    EXPECT_EQ(message, "msg");
    EXPECT_EQ(dir.read("log.txt"), "(EXCEPTION) msg\n");
    // Start-up stopped before the entities were initialised.
    EXPECT_TRUE(log.empty());
}

TEST_F(ApplicationGlTest, DuplicateIdDuringCreateEntitiesStopsStartUpWithTheRegistryMessage) {
    ProbeEntity* twin = ownedProbe("x");
    ScriptedApplication app([&] {
        registeredProbe("x");
        kiln::Registry::instance()->add(twin);
    });

    EXPECT_EQ(thrownMessage<std::runtime_error>([&] { app.init(); }), "[kiln::Registry] entity 'x' already exists.");
    EXPECT_EQ(dir.read("log.txt"), "(EXCEPTION) [kiln::Registry] entity 'x' already exists.\n");
}

TEST_F(ApplicationGlTest, OtherExceptionsFromCreateEntitiesPassUnlogged) {
    ScriptedApplication app([] { throw std::logic_error("not logged"); });

    EXPECT_EQ(thrownMessage<std::logic_error>([&] { app.init(); }), "not logged");
    EXPECT_FALSE(std::filesystem::exists("log.txt"));
}

}  // namespace
