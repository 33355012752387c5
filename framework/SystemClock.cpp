#include "framework/SystemClock.h"

#include <chrono>

namespace kiln {

ClockReading SystemClock::now() {
    auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count();
    ClockReading reading;
    reading.seconds = millis / 1000;
    reading.millis = static_cast<std::uint16_t>(millis % 1000);
    return reading;
}

}  // namespace kiln
