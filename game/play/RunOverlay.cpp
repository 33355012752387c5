#include "game/play/RunOverlay.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "framework/Util.h"
#include "game/physics/Tack.h"
#include "game/play/Game.h"

namespace quiltRush {

namespace {

void* const kFont = GLUT_BITMAP_HELVETICA_18;
constexpr int kMargin = 10;        // window pixels from the top-left corner
constexpr int kPanelWidth = 104;   // holds "10/10  999.9"
constexpr int kPanelHeight = 30;
constexpr int kTextInset = 9;      // from the panel's left and bottom edges
constexpr int kNoteWidth = 250;
constexpr const char* kFallNote = "The ball fell: a new run";
constexpr GLfloat kPanelAlpha = 0.55f;

void drawText(const std::string& text, int x, int y) { kiln::Util::instance()->drawString(text, x, y, kFont); }

int textWidth(const std::string& text) { return kiln::Util::instance()->stringWidth(text, kFont); }

}  // namespace

RunOverlay::RunOverlay(const Game& game) : kiln::Entity("RunOverlay"), game(game) {}

void RunOverlay::setLevel(std::size_t number, const PackLevel& level) {
    levelText = std::to_string(number) + "  " + LevelPack::displayName(level.name);
    hint = level.hint;
}

void RunOverlay::update(unsigned long elapsed) {
    float runTime = game.getTime();
    bool restartedByHand = runTime < lastRunTime;  // the note would speak of a run already left
    lastRunTime = runTime;
    if (game.getFalls() != fallsSeen) {
        fallsSeen = game.getFalls();
        fallNoteLeft = kFallNoteMillis;
        return;
    }
    if (restartedByHand) fallNoteLeft = 0;
    fallNoteLeft = elapsed >= fallNoteLeft ? 0 : fallNoteLeft - static_cast<std::uint32_t>(elapsed);
}

std::string RunOverlay::progressText(unsigned int passed, std::size_t total, std::uint32_t millis) {
    char text[48];
    std::snprintf(text, sizeof text, "%u/%zu  %u.%u", passed, total, millis / 1000, millis % 1000 / 100);
    return text;
}

void RunOverlay::drawOverlay() {
    std::size_t total = game.getCheckpoints().size();
    if (total != 0 && game.getCheckpointsPassed() == total) return;
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    int top = viewport[3] - kMargin;
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    drawPanel(kMargin, top, kPanelWidth, kPanelHeight);
    glColor3f(1.0f, 1.0f, 1.0f);
    std::string progress = progressText(game.getCheckpointsPassed(), total, static_cast<std::uint32_t>(game.getTime()));
    drawText(progress.c_str(), kMargin + kTextInset, top - kPanelHeight + kTextInset);
    drawLevel(top, viewport[2], viewport[3]);
    if (isFallNoteShown()) {
        int left = viewport[2] / 2 - kNoteWidth / 2;
        int noteTop = top - kPanelHeight - kMargin;
        drawPanel(left, noteTop, kNoteWidth, kPanelHeight);
        glColor3f(1.0f, 0.85f, 0.3f);
        drawText(kFallNote, left + kTextInset + 12, noteTop - kPanelHeight + kTextInset);
    }
    glColor3f(1.0f, 1.0f, 1.0f);
}

// The level's name beside the run's panel; under them its hint while the run
// is young, unless the note of a fall takes that place.
void RunOverlay::drawLevel(int top, int viewportWidth, int viewportHeight) const {
    if (levelText.empty()) return;
    int left = kMargin + kPanelWidth + kMargin / 2;
    drawPanel(left, top, textWidth(levelText) + 2 * kTextInset, kPanelHeight);
    glColor3f(1.0f, 0.85f, 0.3f);
    drawText(levelText, left + kTextInset, top - kPanelHeight + kTextInset);
    if (hint.empty() || isFallNoteShown() || game.getTime() >= static_cast<float>(kHintMillis)) return;
    // Every icon counts, used or not, so that the hint stays put while tacks come and go.
    std::vector<Box> icons;
    for (const Tack* tack : game.getTacks()) {
        int x = tack->centreX(viewportWidth);
        int y = tack->centreY(viewportHeight);
        icons.push_back({x - Tack::kHalfSize, y - Tack::kHalfSize, x + Tack::kHalfSize, y + Tack::kHalfSize});
    }
    int width = textWidth(hint) + 2 * kTextInset;
    int wantedTop = top - kPanelHeight - kMargin / 2;
    int hintTop = topClearOf({kMargin, wantedTop - kPanelHeight, kMargin + width, wantedTop}, icons);
    drawPanel(kMargin, hintTop, width, kPanelHeight);
    glColor3f(1.0f, 1.0f, 1.0f);
    drawText(hint, kMargin + kTextInset, hintTop - kPanelHeight + kTextInset);
}

int RunOverlay::topClearOf(const Box& wanted, const std::vector<Box>& obstacles) {
    int height = wanted.top - wanted.bottom;
    int top = wanted.top;
    // A move puts the box below the obstacle it met, which it never meets
    // again, so the search ends after at most one move per obstacle.
    bool moved = true;
    while (moved) {
        moved = false;
        for (const Box& box : obstacles) {
            if (wanted.left < box.right && box.left < wanted.right && top - height < box.top && box.bottom < top) {
                top = box.bottom - kMargin / 2;
                moved = true;
            }
        }
    }
    return top;
}

// A dark, see-through box behind the text: white letters alone are lost on the clouds.
void RunOverlay::drawPanel(int left, int top, int width, int height) const {
    glColor4f(0.05f, 0.07f, 0.2f, kPanelAlpha);
    glRecti(left, top - height, left + width, top);
}

}  // namespace quiltRush
