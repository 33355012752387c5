#pragma once

#include <cstddef>

namespace quiltRush {

/// Resident-memory samples taken at even steps of a long run, summed as they
/// come: the lowest and highest sample and the least-squares line through
/// them. A leak shows as a steady slope, while the allocator's top of heap
/// moving up and down only widens the band around a flat line.
class MemoryTrend {
public:
    /// One sample: kibibytes of memory at a time in minutes.
    void add(double minutes, double kib);

    std::size_t getCount() const { return count; }
    double getLowest() const { return lowest; }
    double getHighest() const { return highest; }
    /// KiB the fitted line rises from the first sample's time to the last's;
    /// 0 with fewer than two samples or all at one time.
    double getRise() const;

private:
    std::size_t count = 0;
    double firstTime = 0.0;
    double lastTime = 0.0;
    double sumT = 0.0;
    double sumK = 0.0;
    double sumTT = 0.0;
    double sumTK = 0.0;
    double lowest = 0.0;
    double highest = 0.0;
};

}  // namespace quiltRush
