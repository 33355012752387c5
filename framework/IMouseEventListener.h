#pragma once

namespace kiln {

/// Receives mouse events from its notifier while its entity is enabled.
/// Not owned through this interface, so it has no virtual destructor.
class IMouseEventListener {
public:
    /// GLUT's button and state codes; window pixels, origin top-left, y downwards.
    virtual void onMouseButton(int button, int state, int x, int y) = 0;
    virtual void onMouseMotion(int x, int y) = 0;
    virtual void onMousePassiveMotion(int x, int y) = 0;

protected:
    ~IMouseEventListener() = default;
};

}  // namespace kiln
