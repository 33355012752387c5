#pragma once

#include <cstddef>

#include "framework/Application.h"

namespace quiltRush {

/// Where the menu's buttons stand: the one home of these numbers for the
/// game, its tools and tests, and (through quiltrush-menu-layout) the scripts.
namespace menuLayout {

constexpr int kButtonWidth = 256;  // pixels
constexpr int kButtonHeight = 64;  // pixels
constexpr std::size_t kButtons = 4;
/// Button centres, pixels above the window's centre, in the order New, Manual, Credits, Exit.
constexpr int kButtonCentreY[kButtons] = {76, -8, -92, -176};
constexpr const char* kButtonNames[kButtons] = {"New", "Manual", "Credits", "Exit"};

/// The window the game opens, in pixels.
constexpr int kWindowWidth = static_cast<int>(kiln::Application::kDefaultWidth);
constexpr int kWindowHeight = static_cast<int>(kiln::Application::kDefaultHeight);

/// The pixel at the centre of button i on that window, as a click gives it
/// (origin top-left, y downwards).
constexpr int clickX(std::size_t) { return kWindowWidth / 2; }
constexpr int clickY(std::size_t i) { return kWindowHeight / 2 - kButtonCentreY[i]; }

constexpr std::size_t kNew = 0;
constexpr std::size_t kManual = 1;
constexpr std::size_t kCredits = 2;
constexpr std::size_t kExit = 3;

}  // namespace menuLayout
}  // namespace quiltRush
