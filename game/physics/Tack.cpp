#include "game/physics/Tack.h"

#include "framework/Application.h"
#include "game/scene/Texture.h"

namespace quiltRush {

namespace {
const char* const kImageFile = "assets/gameImages/tack.bmp";
}  // namespace

Tack::Tack(const std::string& id, int x, int y) : kiln::Entity(id), x(x), y(y) {
    loadTexture(texture, kImageFile);
}

// The icons belong to the window's top-right corner: in a resized window they
// keep the distance from it that they have at the start-up size.
int Tack::centreX(int viewportWidth) const {
    return x + viewportWidth - static_cast<int>(kiln::Application::kDefaultWidth);
}

int Tack::centreY(int viewportHeight) const {
    return y + viewportHeight - static_cast<int>(kiln::Application::kDefaultHeight);
}

void Tack::drawOverlay() {
    if (!visible) return;
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    int cx = centreX(viewport[2]);
    int cy = centreY(viewport[3]);
    glDisable(GL_LIGHTING);
    bindTexture(texture);
    // Texture row 0 is the image's top row, so t = 0 goes on the top edge.
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2i(cx - kHalfSize, cy - kHalfSize);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2i(cx + kHalfSize, cy - kHalfSize);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2i(cx + kHalfSize, cy + kHalfSize);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2i(cx - kHalfSize, cy + kHalfSize);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

}  // namespace quiltRush
