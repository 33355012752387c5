#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <string>

#include "tests/scene/BmpBytes.h"
#include "tests/support/GlFrame.h"

namespace testSupport {

/// A one-pixel BMP of the given colour, for a picture that draws in one colour.
inline std::string solidPicture(const Rgb& colour) {
    BmpBytes bmp;
    bmp.pixels = {static_cast<std::uint8_t>(colour[2]), static_cast<std::uint8_t>(colour[1]),
                  static_cast<std::uint8_t>(colour[0]), 255};
    return bmp.build();
}

/// One pixel of the back buffer, counted from the bottom-left, once drawing has finished.
inline Rgb pixelAt(int x, int y) {
    std::uint8_t rgb[3] = {0, 0, 0};
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return {rgb[0], rgb[1], rgb[2]};
}

}  // namespace testSupport
