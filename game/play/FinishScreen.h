#pragma once

#include <GL/gl.h>

#include <string>
#include <utility>

#include "framework/Entity.h"
#include "framework/IDrawOverlayListener.h"
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

    /// Shows the run time, given in milliseconds.
    void show(unsigned int millis);
    void hide() { visible = false; }
    bool isVisible() const { return visible; }
    const std::string& getText() const { return text; }

    /// Seconds, a dot and exactly three digits of thousandths: 12345 -> "12.345", 7 -> "0.007".
    static std::string formatTime(unsigned int millis);

    /// Replaces where the window size is read (tests).
    void setWindowSizeSource(WindowSizeSource source) { windowSize = std::move(source); }

private:
    void drawPicture() const;
    void drawText() const;

    GLuint finishPicture = 0;
    GLuint digits[10] = {};
    GLuint dot = 0;
    std::string text;
    bool visible = false;
    WindowSizeSource windowSize = runningWindowSize;
};

}  // namespace quiltRush
