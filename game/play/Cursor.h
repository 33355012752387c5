#pragma once

#include <GL/gl.h>

#include <string>

namespace quiltRush {

constexpr int kCursorSize = 32;  // pixels, square

/// Loads a cursor picture (with the default repeat wrapping: the pictures'
/// outermost pixels are transparent, so no edge shows at the opposite one)
/// and leaves texturing off. Needs a GL context.
void loadCursorTexture(GLuint& texture, const std::string& fileName);

/// Draws a cursor picture in the overlay pass: a 32 x 32 quad whose top-left
/// corner is at the mouse (mouseX, mouseY in window pixels from the top-left,
/// as GLUT reports them), picture upright. Leaves lighting off and texturing on.
void drawCursor(GLuint texture, int mouseX, int mouseY);

}  // namespace quiltRush
