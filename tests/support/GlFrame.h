#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <vector>

namespace testSupport {

/// The test window's size in pixels.
constexpr int kFrameWidth = 640;
constexpr int kFrameHeight = 480;

using Rgb = std::array<int, 3>;

/// The whole back buffer, bottom row first, three bytes per pixel.
class GlFrame {
public:
    static void clear() {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    /// The overlay pass's projection: window pixels from the bottom-left, blending on.
    static void useOverlayProjection() {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluOrtho2D(0, kFrameWidth, 0, kFrameHeight);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(1, 1, 1, 1);
    }

    /// World units -1..1 across the window (both axes), looking down -z.
    static void useWorldProjection() {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1, 1, -1, 1, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    GlFrame() : pixels(kFrameWidth * kFrameHeight * 3) {
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kFrameWidth, kFrameHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    }

    Rgb at(int x, int y) const {
        const unsigned char* p = &pixels[(y * kFrameWidth + x) * 3];
        return {p[0], p[1], p[2]};
    }
    bool lit(int x, int y) const {
        Rgb rgb = at(x, y);
        return rgb[0] + rgb[1] + rgb[2] > 0;
    }
    int litCount() const {
        int count = 0;
        for (int y = 0; y < kFrameHeight; ++y)
            for (int x = 0; x < kFrameWidth; ++x) count += lit(x, y);
        return count;
    }
    /// The largest difference of one colour channel between this frame and another.
    int largestDifference(const GlFrame& other) const {
        int largest = 0;
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            largest = std::max(largest, std::abs(pixels[i] - other.pixels[i]));
        }
        return largest;
    }
    bool operator==(const GlFrame& other) const { return pixels == other.pixels; }
    bool operator!=(const GlFrame& other) const { return pixels != other.pixels; }

private:
    std::vector<unsigned char> pixels;
};

}  // namespace testSupport
