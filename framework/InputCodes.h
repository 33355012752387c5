#pragma once

#include <GL/freeglut.h>

namespace kiln {

/// GLUT's codes for the mouse buttons, button states and keys the game
/// reacts to, as its callbacks hand them over: the one place they are named.
namespace inputCodes {

constexpr int kLeftButton = GLUT_LEFT_BUTTON;
constexpr int kMiddleButton = GLUT_MIDDLE_BUTTON;
constexpr int kRightButton = GLUT_RIGHT_BUTTON;
constexpr int kPressed = GLUT_DOWN;
constexpr int kReleased = GLUT_UP;
// freeglut reports each wheel step as a press and a release of one of these.
constexpr int kWheelUp = 3;
constexpr int kWheelDown = 4;
// GLUT's keyboard callback gives ASCII codes; freeglut names none of these.
constexpr unsigned char kEnter = 13;
constexpr unsigned char kEscape = 27;
constexpr unsigned char kSpace = 32;

}  // namespace inputCodes
}  // namespace kiln
