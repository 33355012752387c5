#pragma once

#include <string>

#include "framework/Singleton.h"

namespace kiln {

/// Drawing helpers that need a current GL context.
class Util : public Singleton<Util> {
public:
    virtual ~Util() = default;

    /// Draws text in GLUT's 10-point Helvetica from raster position (x, y) in the
    /// current projection, stopping at the end or at the first NUL character.
    void drawString(std::string text, double x, double y);

private:
    friend class Singleton<Util>;
    Util() = default;
};

}  // namespace kiln
