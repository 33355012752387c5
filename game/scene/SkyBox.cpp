#include "game/scene/SkyBox.h"

#include <GL/glext.h>
#include <GL/glu.h>

#include "game/play/Camera.h"
#include "game/scene/Texture.h"

namespace quiltRush {

namespace {

// The box has its own lens whatever the window's shape: it only needs to
// surround the viewer, whose eye sits at its centre.
constexpr double kFieldOfViewDegrees = 60.0;
constexpr double kAspect = 4.0 / 3.0;
constexpr double kNearPlane = 0.1;
constexpr double kFarPlane = 5.0;

/// One corner of a face: texture coordinate (s, t), then position.
struct Corner {
    float s, t;
    float x, y, z;
};

// Seen from inside, every face shows its image upright (t = 0 at its top edge)
// and unmirrored.
constexpr Corner kBottom[4] = {{1, 1, 1, -1, 1}, {1, 0, 1, -1, -1}, {0, 0, -1, -1, -1}, {0, 1, -1, -1, 1}};
constexpr Corner kTop[4] = {{1, 0, 1, 1, 1}, {1, 1, 1, 1, -1}, {0, 1, -1, 1, -1}, {0, 0, -1, 1, 1}};
constexpr Corner kLeft[4] = {{0, 1, -1, -1, -1}, {1, 1, 1, -1, -1}, {1, 0, 1, 1, -1}, {0, 0, -1, 1, -1}};
constexpr Corner kRight[4] = {{1, 1, -1, -1, 1}, {0, 1, 1, -1, 1}, {0, 0, 1, 1, 1}, {1, 0, -1, 1, 1}};
constexpr Corner kBack[4] = {{1, 1, -1, -1, -1}, {0, 1, -1, -1, 1}, {0, 0, -1, 1, 1}, {1, 0, -1, 1, -1}};
constexpr Corner kFront[4] = {{0, 1, 1, -1, -1}, {1, 1, 1, -1, 1}, {1, 0, 1, 1, 1}, {0, 0, 1, 1, -1}};

void drawFace(GLuint texture, const Corner (&corners)[4]) {
    bindTexture(texture);
    glBegin(GL_QUADS);
    for (const Corner& corner : corners) {
        glTexCoord2f(corner.s, corner.t);
        glVertex3f(corner.x, corner.y, corner.z);
    }
    glEnd();
}

// At the game's 640 x 480 window and larger the faces are magnified
// everywhere: a pixel steps at most 3 * 2 tan(30 deg) / 480 across a face of
// side 2, which is 0.92 of a 256-texel image's texel even at the box's corners.
// Magnified, anisotropic sampling changes nothing but the renderer's rounding
// (at most 2 of 255), yet Mesa's software renderer pays for it on every pixel
// of the sky, about half of a play frame, so the sky samples plainly.
void loadFace(GLuint& handle, const char* fileName) {
    loadClampedTexture(handle, fileName);
    samplePlainly(handle);
}

}  // namespace

SkyBox::SkyBox() : kiln::Entity("SkyBox") {
    loadFace(frontTexture, "assets/skybox/front.bmp");
    loadFace(backTexture, "assets/skybox/back.bmp");
    loadFace(leftTexture, "assets/skybox/left.bmp");
    loadFace(rightTexture, "assets/skybox/right.bmp");
    loadFace(topTexture, "assets/skybox/top.bmp");
    loadFace(bottomTexture, "assets/skybox/bottom.bmp");
}

void SkyBox::draw() {
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfViewDegrees, kAspect, kNearPlane, kFarPlane);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (camera != nullptr) {
        Vector3 direction = camera->getDirection();
        gluLookAt(0.0, 0.0, 0.0, direction.x, direction.y, direction.z, 0.0, 1.0, 0.0);
    }

    glDepthMask(GL_FALSE);
    drawFaces();
    glDisable(GL_TEXTURE_2D);
    glDepthMask(GL_TRUE);
}

void SkyBox::drawFaces() const {
    drawFace(bottomTexture, kBottom);
    drawFace(topTexture, kTop);
    drawFace(leftTexture, kLeft);
    drawFace(rightTexture, kRight);
    drawFace(backTexture, kBack);
    drawFace(frontTexture, kFront);
}

}  // namespace quiltRush
