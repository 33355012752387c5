#pragma once

#include <cstdint>

namespace kiln {

/// One wall-clock reading: whole seconds since the epoch and the milliseconds within that second.
struct ClockReading {
    std::int64_t seconds = 0;
    std::uint16_t millis = 0;
};

/// The one source of time of an application; tests and tools replace it to
/// drive ticks with chosen elapsed times.
class Clock {
public:
    virtual ~Clock() = default;
    virtual ClockReading now() = 0;
};

}  // namespace kiln
