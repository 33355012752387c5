#include <GL/glu.h>
#include <gtest/gtest.h>

#include "game/play/Camera.h"
#include "tests/support/GlContext.h"

namespace quiltRush {
namespace {

// GL keeps matrices in single precision: compare to float rounding.
constexpr double kMatrixTolerance = 1e-6;

void readMatrix(GLenum which, double out[16]) { glGetDoublev(which, out); }

TEST(CameraGlTest, FreshCameraMatchesGluLookAtAndGluPerspective) {
    testSupport::ensureGlContext();
    Camera camera({0, 0, -5}, {0, 0, 0}, {0, 1, 0}, nullptr);
    camera.setWindowSizeSource([] { return WindowSize{640, 480}; });
    camera.update(16);

    double expectedProjection[16];
    double expectedView[16];
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 640.0 / 480.0, 0.1, 50.0);
    readMatrix(GL_PROJECTION_MATRIX, expectedProjection);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, -5, 0, 0, 0, 0, 1, 0);
    readMatrix(GL_MODELVIEW_MATRIX, expectedView);

    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(camera.getProjectionMatrix()[i], expectedProjection[i], kMatrixTolerance) << i;
        EXPECT_NEAR(camera.getViewMatrix()[i], expectedView[i], kMatrixTolerance) << i;
    }

    // draw loads exactly those arrays and leaves the model-view matrix current.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    camera.draw();
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    double loadedProjection[16];
    double loadedView[16];
    readMatrix(GL_PROJECTION_MATRIX, loadedProjection);
    readMatrix(GL_MODELVIEW_MATRIX, loadedView);
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(loadedProjection[i], expectedProjection[i], kMatrixTolerance) << i;
        EXPECT_NEAR(loadedView[i], expectedView[i], kMatrixTolerance) << i;
    }
}

TEST(CameraGlTest, RotatedCameraStillMatchesGluLookAt) {
    testSupport::ensureGlContext();
    Camera camera({0, 0, -5}, {1, 0.5f, 0}, {0, 1, 0}, nullptr);
    camera.rotate(35.0f, 25.0f);
    camera.setWindowSizeSource([] { return WindowSize{1024, 300}; });
    camera.update(16);

    Vector3 eye = camera.getEye();
    Vector3 target = camera.getTarget();
    double expectedProjection[16];
    double expectedView[16];
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 1024.0 / 300.0, 0.1, 50.0);
    readMatrix(GL_PROJECTION_MATRIX, expectedProjection);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, 0, 1, 0);
    readMatrix(GL_MODELVIEW_MATRIX, expectedView);
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(camera.getProjectionMatrix()[i], expectedProjection[i], 1e-5) << i;
        EXPECT_NEAR(camera.getViewMatrix()[i], expectedView[i], 1e-5) << i;
    }
}

}  // namespace
}  // namespace quiltRush
