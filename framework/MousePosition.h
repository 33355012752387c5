#pragma once

#include "framework/Singleton.h"

namespace kiln {

/// Where the mouse was last seen over the window, in window pixels with the
/// origin at the top-left (as GLUT reports them), written by the GLUT mouse
/// callbacks; (0, 0) until the first mouse event. A listener that starts
/// listening later (a screen shown, an entity made) starts from it.
class MousePosition : public Singleton<MousePosition> {
public:
    virtual ~MousePosition() = default;

    void set(int newX, int newY) {
        x = newX;
        y = newY;
    }
    int getX() const { return x; }
    int getY() const { return y; }

private:
    friend class Singleton<MousePosition>;
    MousePosition() = default;

    int x = 0;
    int y = 0;
};

}  // namespace kiln
