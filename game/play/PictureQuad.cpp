#include "game/play/PictureQuad.h"

#include <GL/gl.h>

namespace quiltRush {

void drawPictureQuad(float left, float top, float right, float bottom) {
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(left, top);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(right, top);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(right, bottom);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(left, bottom);
    glEnd();
}

}  // namespace quiltRush
