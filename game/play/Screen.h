#pragma once

#include <GL/gl.h>

#include <string>
#include <utility>

#include "framework/Application.h"
#include "framework/Entity.h"
#include "framework/IDrawOverlayListener.h"
#include "framework/IMouseEventListener.h"
#include "framework/IUpdateListener.h"
#include "game/play/WindowSize.h"

namespace quiltRush {

/// A full-window overlay screen (menu, manual, credits): the background
/// stretched over the window, the screen's content centred on the window
/// centre, and the menu cursor at the mouse. Enabled and disabled by the game.
class Screen : public kiln::Entity,
               public kiln::IUpdateListener,
               public kiln::IDrawOverlayListener,
               public kiln::IMouseEventListener {
public:
    void init() override {}
    /// Enables the screen with its cursor where the mouse was last seen, so the
    /// cursor is in its place from the first frame, before the mouse moves.
    void show();
    /// Takes the current window size.
    void update(unsigned long elapsed) override;
    void drawOverlay() override;

    /// Screens ignore mouse buttons unless they say otherwise.
    void onMouseButton(int button, int state, int x, int y) override;
    void onMouseMotion(int x, int y) override;
    void onMousePassiveMotion(int x, int y) override;

    /// Replaces where update reads the window size (tests).
    void setWindowSizeSource(WindowSizeSource source) { windowSize = std::move(source); }

    int getMouseX() const { return mouseX; }
    int getMouseY() const { return mouseY; }
    int getWindowWidth() const { return windowWidth; }
    int getWindowHeight() const { return windowHeight; }
    /// How much the content is shrunk to fit a window smaller than 640 x 480
    /// (1 at that size and above, where the pictures keep their pixel sizes).
    float contentScale() const;

protected:
    /// Loads the background and the cursor pictures; the cursor starts where
    /// the mouse was last seen.
    explicit Screen(const std::string& id);

    /// The screen's own pictures, in pixels from the window centre, y upwards.
    virtual void drawContent() = 0;

    GLuint background = 0;
    GLuint cursor = 0;
    int mouseX = 0;
    int mouseY = 0;
    // Whether the mouse has moved since the screen was shown: until it does,
    // it still points where the last screen was clicked.
    bool mouseMoved = false;
    // The size the window opens with, until the first update reads the real one.
    int windowWidth = static_cast<int>(kiln::Application::kDefaultWidth);
    int windowHeight = static_cast<int>(kiln::Application::kDefaultHeight);

private:
    void drawBackground() const;
    void takeMousePosition();
    void seeMouseAt(int x, int y);

    WindowSizeSource windowSize = runningWindowSize;
};

}  // namespace quiltRush
