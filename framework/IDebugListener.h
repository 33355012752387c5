#pragma once

#include <ostream>

namespace kiln {

/// Receives debug events from its notifier while its entity is enabled.
/// Not owned through this interface, so it has no virtual destructor.
class IDebugListener {
public:
    /// Every tick after the first, just before the update pass; log is log.txt.
    virtual void debug(std::ostream& log) = 0;

protected:
    ~IDebugListener() = default;
};

}  // namespace kiln
