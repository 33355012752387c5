#pragma once

namespace kiln {

/// Receives keyboard events from its notifier while its entity is enabled.
/// Not owned through this interface, so it has no virtual destructor.
class IKeyboardEventListener {
public:
    /// An ASCII key went down or up.
    virtual void onKeyPressed(unsigned char key) = 0;
    virtual void onKeyReleased(unsigned char key) = 0;
    /// A GLUT special key (function, arrow, page, home, end, insert), by GLUT's code.
    virtual void onSpecialKeyPressed(int key) = 0;
    virtual void onSpecialKeyReleased(int key) = 0;

protected:
    ~IKeyboardEventListener() = default;
};

}  // namespace kiln
