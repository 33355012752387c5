#pragma once

namespace kiln {

/// Receives overlay events from its notifier while its entity is enabled.
/// Not owned through this interface, so it has no virtual destructor.
class IDrawOverlayListener {
public:
    /// The 2-D pass: window pixels from the bottom-left, depth test off, blending on.
    virtual void drawOverlay() = 0;

protected:
    ~IDrawOverlayListener() = default;
};

}  // namespace kiln
