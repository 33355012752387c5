#include "game/play/Cursor.h"

#include "game/play/PictureQuad.h"
#include "game/scene/Texture.h"

namespace quiltRush {

void loadCursorTexture(GLuint& texture, const std::string& fileName) {
    loadTexture(texture, fileName);
    glDisable(GL_TEXTURE_2D);
}

void drawCursor(GLuint texture, int mouseX, int mouseY) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    // The mouse counts rows from the top, the overlay from the bottom.
    int top = viewport[3] - mouseY;
    int right = mouseX + kCursorSize;
    int bottom = top - kCursorSize;

    glDisable(GL_LIGHTING);
    bindTexture(texture);
    drawPictureQuad(static_cast<float>(mouseX), static_cast<float>(top), static_cast<float>(right),
                    static_cast<float>(bottom));
}

}  // namespace quiltRush
