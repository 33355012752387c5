#include "tools/soak/MemoryTrend.h"

#include <gtest/gtest.h>

#include <cmath>

using quiltRush::MemoryTrend;

namespace {

// A leak of a steady 2 KiB a minute under a saw-tooth band of 3 MiB (the top
// of the heap moving up and down) still shows as its 118 KiB over the hour,
// while the band's own ups and downs fit to a flat line.
TEST(MemoryTrendTest, SeparatesASteadyLeakFromAWideFlatBand) {
    MemoryTrend leaking;
    MemoryTrend flat;
    for (int i = 0; i <= 354; ++i) {
        double minutes = 1.0 + i / 6.0;
        double band = (i % 12 < 6) ? 0.0 : 3072.0;
        leaking.add(minutes, 120000.0 + band + 2.0 * (minutes - 1.0));
        flat.add(minutes, 120000.0 + band);
    }
    EXPECT_NEAR(leaking.getRise(), 118.0, 60.0);
    EXPECT_NEAR(flat.getRise(), 0.0, 60.0);
    EXPECT_NEAR(leaking.getRise() - flat.getRise(), 118.0, 1e-6);
    EXPECT_EQ(flat.getLowest(), 120000.0);
    EXPECT_EQ(flat.getHighest(), 123072.0);
    EXPECT_EQ(flat.getCount(), 355u);
}

TEST(MemoryTrendTest, RiseIsTheFittedLineAcrossTheSampledTime) {
    MemoryTrend trend;
    trend.add(1.0, 100.0);
    trend.add(2.0, 110.0);
    trend.add(3.0, 120.0);
    EXPECT_DOUBLE_EQ(trend.getRise(), 20.0);

    MemoryTrend falling;
    falling.add(10.0, 500.0);
    falling.add(40.0, 440.0);
    EXPECT_DOUBLE_EQ(falling.getRise(), -60.0);
}

TEST(MemoryTrendTest, TooFewSamplesOrOneInstantRiseByNothing) {
    MemoryTrend empty;
    EXPECT_EQ(empty.getRise(), 0.0);
    EXPECT_EQ(empty.getCount(), 0u);

    MemoryTrend one;
    one.add(5.0, 700.0);
    EXPECT_EQ(one.getRise(), 0.0);
    EXPECT_EQ(one.getLowest(), 700.0);
    EXPECT_EQ(one.getHighest(), 700.0);

    MemoryTrend sameTime;
    sameTime.add(5.0, 700.0);
    sameTime.add(5.0, 900.0);
    EXPECT_EQ(sameTime.getRise(), 0.0);
    EXPECT_TRUE(std::isfinite(sameTime.getRise()));
}

}  // namespace
