#include "game/physics/Tack.h"

#include "game/scene/Texture.h"

namespace quiltRush {

namespace {
const char* const kImageFile = "assets/gameImages/tack.bmp";
constexpr int kHalfSize = 32;  // overlay pixels: the icon is 64 x 64
}  // namespace

Tack::Tack(const std::string& id, int x, int y) : kiln::Entity(id), x(x), y(y) {
    loadTexture(texture, kImageFile);
}

void Tack::drawOverlay() {
    if (!visible) return;
    glDisable(GL_LIGHTING);
    bindTexture(texture);
    // Texture row 0 is the image's top row, so t = 0 goes on the top edge.
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2i(x - kHalfSize, y - kHalfSize);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2i(x + kHalfSize, y - kHalfSize);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2i(x + kHalfSize, y + kHalfSize);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2i(x - kHalfSize, y + kHalfSize);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

}  // namespace quiltRush
