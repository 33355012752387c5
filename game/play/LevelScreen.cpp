#include "game/play/LevelScreen.h"

#include <GL/freeglut.h>

#include "framework/InputCodes.h"
#include "framework/Util.h"
#include "game/play/BestTimes.h"
#include "game/play/FinishScreen.h"
#include "game/play/PictureQuad.h"
#include "game/scene/LevelPack.h"
#include "game/scene/Texture.h"

namespace quiltRush {

namespace {

using namespace kiln::inputCodes;

void* const kTitleFont = GLUT_BITMAP_TIMES_ROMAN_24;
void* const kNameFont = GLUT_BITMAP_HELVETICA_18;
void* const kSmallFont = GLUT_BITMAP_HELVETICA_12;
constexpr const char* kTitle = "Choose a level";
constexpr const char* kNotFinished = "not finished yet";
constexpr const char* kNextTag = "next";
constexpr int kTitleY = 200;
constexpr int kHintY = -226;
constexpr int kPictureTop = 84;  // pixels above the card's centre
constexpr int kNameY = -56;      // baselines, from the card's centre
constexpr int kBestY = -76;
constexpr int kFrame = 3;  // pixels of the marked card's frame

void drawCentred(const std::string& text, int cx, int y, void* font) {
    kiln::Util* util = kiln::Util::instance();
    util->drawString(text, cx - util->stringWidth(text, font) / 2, y, font);
}

void drawBox(int left, int bottom, int right, int top, float r, float g, float b, float a) {
    glColor4f(r, g, b, a);
    glRecti(left, bottom, right, top);
}

}  // namespace

LevelScreen::LevelScreen(const std::vector<LevelCard>& levelCards, const BestTimes* bests)
    : InfoScreen("levels"), cards(levelCards), bests(bests) {
    if (cards.size() > kMaxCards) cards.resize(kMaxCards);
    for (LevelCard& card : cards) loadTexture(card.picture, card.pictureFile);
    glDisable(GL_TEXTURE_2D);
}

void LevelScreen::cardCentre(std::size_t i, int& cx, int& cy) {
    int column = static_cast<int>(i % kColumns);
    int row = static_cast<int>(i / kColumns);
    cx = (column - (kColumns - 1) / 2) * kColumnStep;
    cy = kFirstRowY - row * kRowStep;
}

std::size_t LevelScreen::cardAt(int x, int y) const {
    float scale = contentScale();
    float cx = static_cast<float>(x - windowWidth / 2) / scale;
    float cy = static_cast<float>(windowHeight / 2 - y) / scale;  // the mouse counts rows downwards
    for (std::size_t i = 0; i < cards.size(); ++i) {
        int centreX = 0;
        int centreY = 0;
        cardCentre(i, centreX, centreY);
        if (cx >= centreX - kCardWidth / 2 && cx <= centreX + kCardWidth / 2 && cy >= centreY - kCardHeight / 2 &&
            cy <= centreY + kCardHeight / 2) {
            return i;
        }
    }
    return cards.size();
}

void LevelScreen::onMouseButton(int button, int buttonState, int x, int y) {
    if (button != kLeftButton || buttonState != kPressed) return;
    std::size_t card = cardAt(x, y);
    if (card == cards.size()) return;
    sounds->play(Sound::MenuChoice);
    if (choose) choose(card);
}

std::optional<std::uint32_t> LevelScreen::bestOf(std::size_t i) const {
    if (bests == nullptr || i >= cards.size()) return std::nullopt;
    return bests->bestOf(cards[i].bestKey);
}

std::size_t LevelScreen::firstUnfinished() const {
    for (std::size_t i = 0; i < cards.size(); ++i) {
        if (!bestOf(i)) return i;
    }
    return cards.size();
}

std::size_t LevelScreen::hoveredCard() const {
    return mouseMoved ? cardAt(mouseX, mouseY) : cards.size();
}

std::size_t LevelScreen::hintedCard() const {
    std::size_t hovered = hoveredCard();
    return hovered < cards.size() ? hovered : firstUnfinished();
}

void LevelScreen::drawContent() {
    glDisable(GL_LIGHTING);
    glColor3f(1.0f, 0.95f, 0.8f);
    drawCentred(kTitle, 0, kTitleY, kTitleFont);
    std::size_t marked = firstUnfinished();
    std::size_t hovered = hoveredCard();
    for (std::size_t i = 0; i < cards.size(); ++i) drawCard(i, i == marked, i == hovered);
    std::size_t hinted = hintedCard();
    if (hinted < cards.size()) {
        glColor3f(1.0f, 1.0f, 1.0f);
        drawCentred(cards[hinted].hint, 0, kHintY, kNameFont);
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void LevelScreen::drawCard(std::size_t i, bool marked, bool hovered) const {
    int cx = 0;
    int cy = 0;
    cardCentre(i, cx, cy);
    int left = cx - kCardWidth / 2;
    int right = cx + kCardWidth / 2;
    int bottom = cy - kCardHeight / 2;
    int top = cy + kCardHeight / 2;
    glDisable(GL_TEXTURE_2D);
    // The next level to play wears a gold frame; the card under the mouse lightens.
    if (marked) drawBox(left - kFrame, bottom - kFrame, right + kFrame, top + kFrame, 1.0f, 0.8f, 0.2f, 0.95f);
    float shade = hovered ? 0.32f : 0.18f;
    drawBox(left, bottom, right, top, 0.05f, 0.07f, shade, 0.8f);

    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    bindTexture(cards[i].picture);
    int pictureTop = cy + kPictureTop;
    drawPictureQuad(static_cast<float>(cx - kPictureWidth / 2), static_cast<float>(pictureTop),
                    static_cast<float>(cx + kPictureWidth / 2), static_cast<float>(pictureTop - kPictureHeight));
    glDisable(GL_TEXTURE_2D);

    glColor3f(1.0f, 1.0f, 1.0f);
    drawCentred(std::to_string(i + 1) + "  " + LevelPack::displayName(cards[i].name), cx, cy + kNameY, kNameFont);
    std::optional<std::uint32_t> best = bestOf(i);
    if (best) {
        glColor3f(0.6f, 1.0f, 0.6f);
        drawCentred("best " + FinishScreen::formatTime(*best), cx, cy + kBestY, kSmallFont);
    } else if (marked) {
        glColor3f(1.0f, 0.8f, 0.2f);
        drawCentred(std::string(kNextTag) + ": " + kNotFinished, cx, cy + kBestY, kSmallFont);
    } else {
        glColor3f(0.85f, 0.85f, 0.85f);
        drawCentred(kNotFinished, cx, cy + kBestY, kSmallFont);
    }
}

}  // namespace quiltRush
