#pragma once

namespace kiln {

/// Receives reshape events from its notifier while its entity is enabled.
/// Not owned through this interface, so it has no virtual destructor.
class IReshapeEventListener {
public:
    /// The window now has this size in pixels (either may be 0).
    virtual void onReshape(int width, int height) = 0;

protected:
    ~IReshapeEventListener() = default;
};

}  // namespace kiln
