#pragma once

namespace kiln {

/// Receives draw events from its notifier while its entity is enabled.
/// Not owned through this interface, so it has no virtual destructor.
class IDrawListener {
public:
    /// The 3-D pass of a frame, depth test on.
    virtual void draw() = 0;

protected:
    ~IDrawListener() = default;
};

}  // namespace kiln
