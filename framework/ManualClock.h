#pragma once

#include <cstdint>

#include "framework/Clock.h"

namespace kiln {

/// A clock that moves only when told to: the same ticks give the same run every time.
class ManualClock : public Clock {
public:
    explicit ManualClock(ClockReading start = {}) : current(start) {}

    ClockReading now() override { return current; }
    void set(ClockReading reading) { current = reading; }
    /// Moves the reading forward by the given milliseconds.
    void advance(std::uint64_t millis);

private:
    ClockReading current;
};

}  // namespace kiln
