#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/play/Camera.h"
#include "game/scene/SkyBox.h"
#include "tests/scene/BmpBytes.h"
#include "tests/support/GlContext.h"
#include "tests/support/GlFrame.h"
#include "tests/support/ScopedTempDir.h"

namespace quiltRush {
namespace {

using Rgb = std::array<int, 3>;

const Rgb kBlack{0, 0, 0};
const Rgb kWhite{255, 255, 255};

// A 2 x 2 picture whose top-left pixel names the face; the top-right pixel is
// black and the bottom-left white, so a turned or mirrored face shows.
std::string facePicture(const Rgb& name) {
    testSupport::BmpBytes bmp;
    bmp.width = 2;
    bmp.height = 2;
    auto bgra = [](const Rgb& c) {
        return std::array<std::uint8_t, 4>{static_cast<std::uint8_t>(c[2]), static_cast<std::uint8_t>(c[1]),
                                           static_cast<std::uint8_t>(c[0]), 255};
    };
    for (const Rgb& pixel : {kWhite, kBlack, name, kBlack}) {  // bottom row first
        for (std::uint8_t byte : bgra(pixel)) bmp.pixels.push_back(byte);
    }
    return bmp.build();
}

const Rgb kFront{255, 0, 0};
const Rgb kLeft{0, 255, 0};

void writeFaces(const testSupport::ScopedTempDir& directory) {
    directory.write("assets/skybox/front.bmp", facePicture(kFront));
    directory.write("assets/skybox/back.bmp", facePicture({0, 0, 255}));
    directory.write("assets/skybox/left.bmp", facePicture(kLeft));
    directory.write("assets/skybox/right.bmp", facePicture({255, 255, 0}));
    directory.write("assets/skybox/top.bmp", facePicture({0, 255, 255}));
    directory.write("assets/skybox/bottom.bmp", facePicture({255, 0, 255}));
}

// Window pixel (x from the left, y from the top) of the back buffer.
Rgb pixelAt(int x, int yFromTop) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    std::uint8_t rgb[3] = {0, 0, 0};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, viewport[3] - 1 - yFromTop, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return {rgb[0], rgb[1], rgb[2]};
}

void drawSkyBoxLookingAlong(SkyBox& skyBox, const Vector3& direction) {
    Camera camera({0, 0, 0}, direction, {0, 1, 0}, nullptr);
    skyBox.setCamera(&camera);
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(1, 1, 1);
    skyBox.draw();
    glFinish();
    skyBox.setCamera(nullptr);
}

TEST(SkyBoxGlTest, DrawLeavesDepthWritesOnAndTexturingAndLightingOff) {
    testSupport::ensureGlContext();
    SkyBox skyBox;
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glDepthMask(GL_FALSE);
    skyBox.draw();

    GLboolean depthMask = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
    EXPECT_EQ(depthMask, GL_TRUE);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST(SkyBoxGlTest, LooksAlongTheCameraDirectionFromTheOrigin) {
    testSupport::ensureGlContext();
    SkyBox skyBox;
    Camera camera({4, 5, 6}, {5, 5, 6}, {0, 1, 0}, nullptr);  // looks along +x from far away
    skyBox.setCamera(&camera);
    skyBox.draw();

    double view[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, view);
    // The forward axis (-row 2) is +x and nothing is translated: the box never moves.
    EXPECT_NEAR(view[0 * 4 + 2], -1.0, 1e-6);
    EXPECT_NEAR(view[12], 0.0, 1e-9);
    EXPECT_NEAR(view[13], 0.0, 1e-9);
    EXPECT_NEAR(view[14], 0.0, 1e-9);

    double projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    double cotangent = 1.0 / std::tan(30.0 * M_PI / 180.0);
    EXPECT_NEAR(projection[5], cotangent, 1e-5);
    EXPECT_NEAR(projection[0], cotangent * 3.0 / 4.0, 1e-5);
    EXPECT_NEAR(projection[14], -2.0 * 5.0 * 0.1 / (5.0 - 0.1), 1e-6);
}

TEST(SkyBoxGlTest, FacesShowTheirPicturesUprightAndUnmirrored) {
    testSupport::ensureGlContext();
    testSupport::ScopedTempDir directory;
    writeFaces(directory);
    SkyBox skyBox;

    drawSkyBoxLookingAlong(skyBox, {1, 0, 0});
    EXPECT_EQ(pixelAt(40, 30), kFront);
    EXPECT_EQ(pixelAt(600, 30), kBlack);
    EXPECT_EQ(pixelAt(40, 450), kWhite);

    drawSkyBoxLookingAlong(skyBox, {0, 0, -1});
    EXPECT_EQ(pixelAt(40, 30), kLeft);
    EXPECT_EQ(pixelAt(600, 30), kBlack);
    EXPECT_EQ(pixelAt(40, 450), kWhite);
}

TEST(SkyBoxGlTest, MissingFacePictureLeavesThatFaceUntexturedOnly) {
    testSupport::ensureGlContext();
    testSupport::ScopedTempDir directory;
    writeFaces(directory);
    std::remove("assets/skybox/front.bmp");
    SkyBox skyBox;

    drawSkyBoxLookingAlong(skyBox, {1, 0, 0});
    EXPECT_EQ(pixelAt(40, 30), kWhite);
    EXPECT_EQ(pixelAt(600, 30), kWhite);
    drawSkyBoxLookingAlong(skyBox, {0, 0, -1});
    EXPECT_EQ(pixelAt(40, 30), kLeft);
}

// The sky skips anisotropic sampling, which costs the software renderer dearly
// on every sky pixel. At 640 x 480 the faces are magnified everywhere, so the
// shipped sky must look as it would with the loader's anisotropy, but for the
// rounding of the renderer's two filtering paths (at most 2 of 255). Drawn
// minified, in a 64 x 48 viewport, the same sky differs by up to 6.
TEST(SkyBoxGlTest, ShippedSkyLooksTheSameAsWithTheLoadersAnisotropy) {
    testSupport::ensureGlContext();
    testSupport::ScopedTempDir directory;
    for (const char* face : {"front", "back", "left", "right", "top", "bottom"}) {
        std::string path = std::string("assets/skybox/") + face + ".bmp";
        std::ifstream shipped(testSupport::sourceDir() + "/" + path, std::ios::binary);
        directory.write(path, std::string(std::istreambuf_iterator<char>(shipped), {}));
    }
    GLuint before = 0;
    glGenTextures(1, &before);
    SkyBox skyBox;
    GLuint after = 0;
    glGenTextures(1, &after);
    std::vector<GLuint> faces;
    for (GLuint name = before + 1; name < after; ++name) {
        if (glIsTexture(name)) faces.push_back(name);
    }
    ASSERT_EQ(faces.size(), 6u);
    auto setAnisotropy = [&faces](GLfloat value) {
        for (GLuint face : faces) {
            glBindTexture(GL_TEXTURE_2D, face);
            glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, value);
        }
    };

    // Straight at faces, edges and corners, and a few in between.
    std::vector<Vector3> directions;
    for (int x = -1; x <= 1; ++x) {
        for (int y = -1; y <= 1; ++y) {
            for (int z = -1; z <= 1; ++z) {
                if (x != 0 || z != 0) directions.push_back({float(x), float(y), float(z)});
            }
        }
    }
    directions.push_back({0.01, 1, 0});
    directions.push_back({0.3, -0.9, 0.2});
    directions.push_back({-0.7, 0.25, 0.4});
    for (const Vector3& direction : directions) {
        drawSkyBoxLookingAlong(skyBox, direction);
        testSupport::GlFrame asBuilt;
        setAnisotropy(8.0f);
        drawSkyBoxLookingAlong(skyBox, direction);
        testSupport::GlFrame withAnisotropy;
        setAnisotropy(1.0f);
        EXPECT_LE(asBuilt.largestDifference(withAnisotropy), 2)
            << "looking along " << direction.x << " " << direction.y << " " << direction.z;
    }
}

}  // namespace
}  // namespace quiltRush
