#pragma once

#include "framework/Clock.h"

namespace kiln {

/// The real wall clock, to the millisecond.
class SystemClock : public Clock {
public:
    ClockReading now() override;
};

}  // namespace kiln
