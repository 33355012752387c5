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
// The best-time plate, 512 x 64 pixels just under the finish picture, and its
// row of 28-pixel characters centred on the plate's cream band (the asset
// generator paints the band there).
constexpr float kPlateTop = -136.0f;
constexpr float kPlateBottom = -200.0f;
constexpr int kBestCharacterSize = 28;
constexpr int kBestRowCentre = 82;
constexpr float kBestTop = -154.0f;
constexpr float kBestBottom = -182.0f;

}  // namespace

FinishScreen::FinishScreen() : kiln::Entity("FinishScreen") {
    loadTexture(finishPicture, "assets/gameImages/finish.bmp");
    for (int digit = 0; digit < 10; ++digit) {
        loadTexture(digits[digit], "assets/numbers/" + std::to_string(digit) + ".bmp");
    }
    loadTexture(dot, "assets/numbers/dot.bmp");
    loadTexture(bestPicture, "assets/gameImages/best.bmp");
    loadTexture(newBestPicture, "assets/gameImages/newBest.bmp");
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
    bestText.clear();  // no best time shown until showBest
    newBest = false;
    visible = true;
}

void FinishScreen::showBest(const BestRun& run) {
    bestText = formatTime(run.best);
    newBest = run.isNew;
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
    if (!bestText.empty()) drawBest();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glPopMatrix();
}

void FinishScreen::drawPicture() const {
    bindTexture(finishPicture);
    drawPictureQuad(-kPictureHalfWidth, kPictureHalfHeight, kPictureHalfWidth, -kPictureHalfHeight);
}

void FinishScreen::drawText() const { drawRow(text, 0, kCharacterSize, kTextTop, kTextBottom); }

// One character picture after another, the row centred on centreX.
void FinishScreen::drawRow(const std::string& row, int centreX, int size, float top, float bottom) const {
    int left = centreX - (size / 2) * static_cast<int>(row.size());
    for (std::size_t i = 0; i < row.size(); ++i) {
        char c = row[i];
        bindTexture(c == '.' ? dot : digits[c - '0']);
        float x0 = static_cast<float>(left + size * static_cast<int>(i));
        drawPictureQuad(x0, top, x0 + size, bottom);
    }
}

void FinishScreen::drawBest() const {
    bindTexture(newBest ? newBestPicture : bestPicture);
    drawPictureQuad(-kPictureHalfWidth, kPlateTop, kPictureHalfWidth, kPlateBottom);
    drawRow(bestText, kBestRowCentre, kBestCharacterSize, kBestTop, kBestBottom);
}

}  // namespace quiltRush
