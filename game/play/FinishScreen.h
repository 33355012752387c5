#pragma once

#include <GL/gl.h>

#include <string>
#include <utility>

#include "framework/Entity.h"
#include "framework/IDrawOverlayListener.h"
#include "game/play/BestTimes.h"
#include "game/play/WindowSize.h"

namespace quiltRush {

/// The finish picture at the window centre with the run time written under it
/// in digit pictures, over the play scene, from the end of a run until the
/// next restart.
class FinishScreen : public kiln::Entity, public kiln::IDrawOverlayListener {
public:
    static constexpr int kCharacterSize = 32;  // pixels, each digit or dot picture

    /// Id "FinishScreen"; loads the finish picture, the digits 0 to 9 and the dot.
    FinishScreen();

    void init() override {}
    /// Only while visible: nothing at all is drawn or changed otherwise.
    void drawOverlay() override;

    /// Shows the run time, given in milliseconds, without a best time.
    void show(unsigned int millis);
    /// Adds the best time under the finish picture, on the "new best" plate
    /// when this run set it. Only after show.
    void showBest(const BestRun& run);
    void hide() { visible = false; }
    bool isVisible() const { return visible; }
    const std::string& getText() const { return text; }
    /// Empty while no best time is shown.
    const std::string& getBestText() const { return bestText; }
    bool isNewBest() const { return newBest; }

    /// Seconds, a dot and exactly three digits of thousandths: 12345 -> "12.345", 7 -> "0.007".
    static std::string formatTime(unsigned int millis);

    /// Replaces where the window size is read (tests).
    void setWindowSizeSource(WindowSizeSource source) { windowSize = std::move(source); }

private:
    void drawPicture() const;
    void drawText() const;
    void drawBest() const;
    void drawRow(const std::string& row, int centreX, int size, float top, float bottom) const;

    GLuint finishPicture = 0;
    GLuint digits[10] = {};
    GLuint dot = 0;
    GLuint bestPicture = 0;
    GLuint newBestPicture = 0;
    std::string text;
    std::string bestText;
    bool newBest = false;
    bool visible = false;
    WindowSizeSource windowSize = runningWindowSize;
};

}  // namespace quiltRush
