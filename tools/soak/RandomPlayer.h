#pragma once

#include <random>
#include <vector>

#include "tools/driver/GameDriver.h"
#include "tools/driver/InputTimeline.h"

namespace quiltRush {

class Menu;

/// Seeded random input for a long run of the real game: mouse moves, presses,
/// drags, releases, wheel steps, orbits and zooms, every key of the controls
/// and a few others, menu choices and window reshapes (zero sizes included).
/// It never presses the menu's Exit button, which would end the process.
class RandomPlayer {
public:
    /// Key events with this character carry a special key's GLUT code in x,
    /// for the special-key callbacks.
    static constexpr unsigned char kSpecialKey = 0;

    /// How the player plays: Broad reaches every kind of input; Rough leans
    /// toward what a hurried person does to the cloth: long deep drags, tacks,
    /// orbits and restarts, and few reshapes.
    enum class Style { Broad, Rough };

    explicit RandomPlayer(unsigned seed, Style style = Style::Broad);

    /// The events of one tick, decided one at a time against the menu as it
    /// is when each is delivered (deliver is called for every event).
    /// menuShown tells whether the menu takes clicks now; menu gives its
    /// window size and buttons.
    template <class Deliver, class MenuShown>
    void playTick(const Menu& menu, MenuShown menuShown, Deliver deliver) {
        int count = eventsThisTick();
        for (int i = 0; i < count; ++i) deliver(next(menu, menuShown()));
    }

    /// One event. menuShown: the menu is enabled, so a left press reaches
    /// it; one that would land in the Exit button's box becomes a move.
    InputEvent next(const Menu& menu, bool menuShown);

    /// Whether a left press at window pixel (x, y) would select Exit.
    static bool pressesExit(const Menu& menu, int x, int y);

    int getWidth() const { return width; }
    int getHeight() const { return height; }

private:
    int eventsThisTick();
    InputEvent menuEvent(const Menu& menu);
    InputEvent playEvent();
    InputEvent keyEvent();
    InputEvent reshapeEvent();
    InputEvent buttonEvent(int button);
    InputEvent moveEvent();
    InputEvent wheelEvent();
    int uniform(int low, int high);
    bool chance(double probability);

    std::mt19937 random;
    Style style;
    int width = GameDriver::kWindowWidth;  // the size the player last gave the window
    int height = GameDriver::kWindowHeight;
    int mouseX = GameDriver::kWindowWidth / 2;
    int mouseY = GameDriver::kWindowHeight / 2;
    std::vector<bool> held = std::vector<bool>(3, false);
};

}  // namespace quiltRush
