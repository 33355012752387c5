#pragma once

namespace kiln {

/// Receives update events from its notifier while its entity is enabled.
/// Not owned through this interface, so it has no virtual destructor.
class IUpdateListener {
public:
    /// Milliseconds since the previous tick (unsigned 32-bit); never the first tick.
    virtual void update(unsigned long elapsed) = 0;

protected:
    ~IUpdateListener() = default;
};

}  // namespace kiln
