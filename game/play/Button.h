#pragma once

#include <GL/gl.h>

#include <string>

namespace quiltRush {

/// A picture placed on a screen, centred on (x, y) in pixels from the window
/// centre, y upwards; owned by the screen that made it.
class Button {
public:
    static constexpr float kHitHalfWidth = 128.0f;  // pixels either side of the centre
    static constexpr float kHitBelow = 20.0f;       // pixels below the centre
    static constexpr float kHitAbove = 30.0f;       // pixels above the centre

    /// Loads the picture (a missing file leaves it untextured).
    Button(float x, float y, int width, int height, const std::string& fileName);

    /// One width x height quad in window-centre coordinates, picture upright;
    /// leaves texturing off.
    void draw() const;
    /// Whether a point in window-centre coordinates is in the clickable box:
    /// 256 pixels wide and from 20 below to 30 above the centre, whatever the
    /// picture's size, edges included.
    bool contains(float cx, float cy) const;

    float getX() const { return x; }
    float getY() const { return y; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    GLuint getTexture() const { return texture; }

private:
    float x;
    float y;
    GLuint texture = 0;
    int width;
    int height;
};

}  // namespace quiltRush
