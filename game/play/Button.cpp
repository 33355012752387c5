#include "game/play/Button.h"

#include "game/play/PictureQuad.h"
#include "game/scene/Texture.h"

namespace quiltRush {

Button::Button(float x, float y, int width, int height, const std::string& fileName)
    : x(x), y(y), width(width), height(height) {
    loadTexture(texture, fileName);
}

void Button::draw() const {
    // Integer halves keep the corners on whole pixels when the centre is on one.
    int halfWidth = width / 2;
    int halfHeight = height / 2;
    bindTexture(texture);
    drawPictureQuad(x - halfWidth, y + halfHeight, x + halfWidth, y - halfHeight);
    glDisable(GL_TEXTURE_2D);
}

bool Button::contains(float cx, float cy) const {
    return x - kHitHalfWidth <= cx && cx <= x + kHitHalfWidth && y - kHitBelow <= cy && cy <= y + kHitAbove;
}

}  // namespace quiltRush
