#pragma once

#include <string>

#include "framework/IKeyboardEventListener.h"
#include "game/play/Screen.h"

namespace quiltRush {

/// A screen that only shows pictures (the manual, the credits); Escape
/// brings the menu back through the game.
class InfoScreen : public Screen, public kiln::IKeyboardEventListener {
public:
    /// Escape (27): the game shows the menu. Every other key does nothing.
    void onKeyPressed(unsigned char key) override;
    void onKeyReleased(unsigned char) override {}
    void onSpecialKeyPressed(int) override {}
    void onSpecialKeyReleased(int) override {}

protected:
    explicit InfoScreen(const std::string& id) : Screen(id) {}
};

}  // namespace quiltRush
