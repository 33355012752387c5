#pragma once

#include <GL/gl.h>

namespace quiltRush {

constexpr int kCursorSize = 32;  // pixels, square

/// Makes a loaded cursor picture stop at its edges instead of repeating; once,
/// after loading. Needs a GL context.
void clampCursorTexture(GLuint texture);

/// Draws a cursor picture in the overlay pass: a 32 x 32 quad whose top-left
/// corner is at the mouse (mouseX, mouseY in window pixels from the top-left,
/// as GLUT reports them), picture upright. Leaves lighting off and texturing on.
void drawCursor(GLuint texture, int mouseX, int mouseY);

}  // namespace quiltRush
