#include "game/play/Screen.h"

#include <algorithm>

#include "framework/MousePosition.h"
#include "game/play/Cursor.h"
#include "game/play/PictureQuad.h"
#include "game/scene/Texture.h"

namespace quiltRush {

namespace {
constexpr float kSmallestScale = 0.01f;  // a window of zero size still maps clicks to a finite point
}  // namespace

Screen::Screen(const std::string& id) : kiln::Entity(id) {
    loadTexture(background, "assets/menuImages/backGround.bmp");
    loadCursorTexture(cursor, "assets/cursors/menuCursor.bmp");
    takeMousePosition();
}

void Screen::show() {
    state.enabled = true;
    takeMousePosition();
    mouseMoved = false;
}

// A disabled screen hears no mouse event: what it knew is stale by now.
void Screen::takeMousePosition() {
    const kiln::MousePosition* mouse = kiln::MousePosition::instance();
    mouseX = mouse->getX();
    mouseY = mouse->getY();
}

void Screen::update(unsigned long) {
    WindowSize size = windowSize();
    windowWidth = static_cast<int>(size.width);
    windowHeight = static_cast<int>(size.height);
}

void Screen::drawOverlay() {
    drawBackground();
    glDisable(GL_TEXTURE_2D);
    glPushMatrix();
    // Integer halves: the centre of an odd-sized window is the pixel below and left of it.
    glTranslatef(static_cast<float>(windowWidth / 2), static_cast<float>(windowHeight / 2), 0.0f);
    float scale = contentScale();
    glScalef(scale, scale, 1.0f);
    drawContent();
    glPopMatrix();
    drawCursor(cursor, mouseX, mouseY);
}

float Screen::contentScale() const {
    // Laid out for 640 x 480: a smaller window would cut the lower buttons off.
    float across = static_cast<float>(windowWidth) / static_cast<float>(kiln::Application::kDefaultWidth);
    float down = static_cast<float>(windowHeight) / static_cast<float>(kiln::Application::kDefaultHeight);
    return std::max(kSmallestScale, std::min({1.0f, across, down}));
}

void Screen::drawBackground() const {
    bindTexture(background);
    drawPictureQuad(0.0f, static_cast<float>(windowHeight), static_cast<float>(windowWidth), 0.0f);
}

void Screen::onMouseButton(int, int, int, int) {}

void Screen::onMouseMotion(int x, int y) { seeMouseAt(x, y); }

void Screen::onMousePassiveMotion(int x, int y) { seeMouseAt(x, y); }

void Screen::seeMouseAt(int x, int y) {
    mouseX = x;
    mouseY = y;
    mouseMoved = true;
}

}  // namespace quiltRush
