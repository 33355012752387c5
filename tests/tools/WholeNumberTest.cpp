#include "tools/driver/WholeNumber.h"

#include <gtest/gtest.h>

using quiltRush::parseWholeNumber;

namespace {

TEST(WholeNumberTest, ReadsWholeNumbersWithinTheRangeIncludingItsEnds) {
    EXPECT_EQ(parseWholeNumber("1", 1, 10), 1);
    EXPECT_EQ(parseWholeNumber("10", 1, 10), 10);
    EXPECT_EQ(parseWholeNumber("0", 0, 5), 0);
    EXPECT_EQ(parseWholeNumber("-3", -5, 5), -3);
}

TEST(WholeNumberTest, RefusesEmptyTrailingOutOfRangeAndOverflowingWords) {
    EXPECT_FALSE(parseWholeNumber("", 0, 10));
    EXPECT_FALSE(parseWholeNumber("abc", 0, 10));
    EXPECT_FALSE(parseWholeNumber("12abc", 0, 100));
    EXPECT_FALSE(parseWholeNumber("1.5", 0, 10));
    EXPECT_FALSE(parseWholeNumber("0", 1, 10));
    EXPECT_FALSE(parseWholeNumber("11", 1, 10));
    EXPECT_FALSE(parseWholeNumber("99999999999999999999999", 0, 100000000));
}

}  // namespace
