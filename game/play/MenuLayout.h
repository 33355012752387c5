#pragma once

#include <cstddef>

#include "framework/Application.h"

namespace quiltRush {

/// Button i of the menu stands for choice i; the Levels button stands beside them.
enum class MenuChoice { New = 0, Manual = 1, Credits = 2, Exit = 3, None = 4, Levels = 5 };

/// Where the menu's buttons stand: the one home of these numbers for the
/// game, its tools and tests, and (through quiltrush-menu-layout) the scripts.
namespace menuLayout {

constexpr int kButtonWidth = 256;  // pixels
constexpr int kButtonHeight = 64;  // pixels
constexpr std::size_t kButtons = 4;
/// Button centres, pixels above the window's centre, in the order New, Manual, Credits, Exit.
constexpr int kButtonCentreY[kButtons] = {76, -8, -92, -176};
constexpr const char* kButtonNames[kButtons] = {"New", "Manual", "Credits", "Exit"};

/// The Levels button, beside New: its picture and its clickable box, which
/// like the others' runs from 20 below to 30 above its centre.
constexpr int kLevelsWidth = 160;
constexpr int kLevelsCentreX = 232;
constexpr int kLevelsCentreY = kButtonCentreY[0];

/// The window the game opens, in pixels.
constexpr int kWindowWidth = static_cast<int>(kiln::Application::kDefaultWidth);
constexpr int kWindowHeight = static_cast<int>(kiln::Application::kDefaultHeight);

/// The pixel at the centre of button i on that window, as a click gives it
/// (origin top-left, y downwards).
constexpr int clickX(std::size_t) { return kWindowWidth / 2; }
constexpr int clickY(std::size_t i) { return kWindowHeight / 2 - kButtonCentreY[i]; }
constexpr int levelsClickX() { return kWindowWidth / 2 + kLevelsCentreX; }
constexpr int levelsClickY() { return kWindowHeight / 2 - kLevelsCentreY; }

constexpr std::size_t kNew = static_cast<std::size_t>(MenuChoice::New);
constexpr std::size_t kManual = static_cast<std::size_t>(MenuChoice::Manual);
constexpr std::size_t kCredits = static_cast<std::size_t>(MenuChoice::Credits);
constexpr std::size_t kExit = static_cast<std::size_t>(MenuChoice::Exit);

}  // namespace menuLayout
}  // namespace quiltRush
