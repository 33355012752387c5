#pragma once

#include <GL/gl.h>

#include <string>

#include "framework/Entity.h"
#include "framework/IDrawOverlayListener.h"

namespace quiltRush {

/// The overlay icon of one tack the player still holds: 64 x 64 overlay pixels centred on (x, y).
class Tack : public kiln::Entity, public kiln::IDrawOverlayListener {
public:
    static constexpr int kHalfSize = 32;  // overlay pixels: the icon is 64 x 64

    Tack(const std::string& id, int x, int y);

    void init() override {}
    /// The icon, only while visible; in a window of another size than the
    /// game opens with it keeps its distance from the top-right corner.
    void drawOverlay() override;

    void show() { visible = true; }
    void hide() { visible = false; }
    bool isVisible() const { return visible; }
    int getX() const { return x; }
    int getY() const { return y; }
    /// The icon's centre in a viewport of the given size (overlay pixels).
    int centreX(int viewportWidth) const;
    int centreY(int viewportHeight) const;

private:
    int x;
    int y;
    GLuint texture = 0;
    bool visible = true;
};

}  // namespace quiltRush
