#include "tools/soak/MemoryTrend.h"

#include <algorithm>

namespace quiltRush {

void MemoryTrend::add(double minutes, double kib) {
    if (count == 0) {
        firstTime = minutes;
        lowest = highest = kib;
    }
    lastTime = minutes;
    lowest = std::min(lowest, kib);
    highest = std::max(highest, kib);
    // Times are taken from the first sample's, so the sums stay small and the
    // slope keeps its precision over hours of samples.
    double t = minutes - firstTime;
    ++count;
    sumT += t;
    sumK += kib;
    sumTT += t * t;
    sumTK += t * kib;
}

double MemoryTrend::getRise() const {
    double n = static_cast<double>(count);
    double spread = n * sumTT - sumT * sumT;
    if (count < 2 || spread <= 0.0) return 0.0;
    double slope = (n * sumTK - sumT * sumK) / spread;
    return slope * (lastTime - firstTime);
}

}  // namespace quiltRush
