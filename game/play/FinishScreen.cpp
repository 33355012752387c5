#include "game/play/FinishScreen.h"

#include <cstdio>

#include "game/play/PictureQuad.h"
#include "game/scene/Texture.h"

namespace quiltRush {

namespace {

constexpr unsigned int kMillisPerSecond = 1000;
constexpr float kTranslucent = 0.9f;  // the play scene shows through a little

// The finish picture, 512 x 256 pixels centred on the window.
constexpr float kPictureHalfWidth = 256.0f;
constexpr float kPictureHalfHeight = 128.0f;
// The row of characters, from 20 below to 12 above the window centre.
constexpr float kTextTop = 12.0f;
constexpr float kTextBottom = -20.0f;

}  // namespace

FinishScreen::FinishScreen() : kiln::Entity("FinishScreen") {
    loadTexture(finishPicture, "assets/gameImages/finish.bmp");
    for (int digit = 0; digit < 10; ++digit) {
        loadTexture(digits[digit], "assets/numbers/" + std::to_string(digit) + ".bmp");
    }
    loadTexture(dot, "assets/numbers/dot.bmp");
}

std::string FinishScreen::formatTime(unsigned int millis) {
    unsigned int seconds = millis / kMillisPerSecond;
    unsigned int thousandths = millis - seconds * kMillisPerSecond;
    char thousandthsText[4];
    std::snprintf(thousandthsText, sizeof thousandthsText, "%03u", thousandths);
    return std::to_string(seconds) + "." + thousandthsText;
}

void FinishScreen::show(unsigned int millis) {
    text = formatTime(millis);
    visible = true;
}

void FinishScreen::drawOverlay() {
    if (!visible) return;
    WindowSize size = windowSize();
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glTranslatef(static_cast<float>(size.width) * 0.5f, static_cast<float>(size.height) * 0.5f, 0.0f);
    glColor4f(1.0f, 1.0f, 1.0f, kTranslucent);
    drawPicture();
    drawText();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glPopMatrix();
}

void FinishScreen::drawPicture() const {
    bindTexture(finishPicture);
    drawPictureQuad(-kPictureHalfWidth, kPictureHalfHeight, kPictureHalfWidth, -kPictureHalfHeight);
}

void FinishScreen::drawText() const {
    // Centred on the window: half the row's width to the left of the centre.
    int left = -(kCharacterSize / 2) * static_cast<int>(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        bindTexture(c == '.' ? dot : digits[c - '0']);
        float x0 = static_cast<float>(left + kCharacterSize * static_cast<int>(i));
        drawPictureQuad(x0, kTextTop, x0 + kCharacterSize, kTextBottom);
    }
}

}  // namespace quiltRush
