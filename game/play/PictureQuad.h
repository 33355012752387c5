#pragma once

namespace quiltRush {

/// One textured quad in the current 2-D coordinates (y upwards) with the
/// picture upright: texture t = 0 (the picture's top row) at the top edge.
void drawPictureQuad(float left, float top, float right, float bottom);

}  // namespace quiltRush
