#include "framework/ManualClock.h"

namespace kiln {

void ManualClock::advance(std::uint64_t millis) {
    std::uint64_t total = current.millis + millis;
    current.seconds += static_cast<std::int64_t>(total / 1000);
    current.millis = static_cast<std::uint16_t>(total % 1000);
}

}  // namespace kiln
