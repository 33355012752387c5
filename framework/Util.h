#pragma once

#include <functional>
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
    /// The same in another of GLUT's bitmap fonts.
    void drawString(std::string text, double x, double y, void* font);
    /// How many pixels drawString moves right for this text in that font.
    int stringWidth(const std::string& text, void* font) const;
    /// Runs draw with the current colour driving the ambient and diffuse
    /// material (under lighting a plain colour is ignored), then gives the
    /// lighting state back and leaves the colour white.
    void drawInColour(const std::function<void()>& draw);

private:
    friend class Singleton<Util>;
    Util() = default;
};

}  // namespace kiln
