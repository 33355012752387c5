#include "game/play/FinishScreen.h"

#include <gtest/gtest.h>

namespace quiltRush {
namespace {

TEST(FinishScreenTest, TimeIsSecondsDotAndThreeDigitsOfThousandths) {
    EXPECT_EQ(FinishScreen::formatTime(12345), "12.345");
    EXPECT_EQ(FinishScreen::formatTime(12045), "12.045");
    EXPECT_EQ(FinishScreen::formatTime(7), "0.007");
    EXPECT_EQ(FinishScreen::formatTime(0), "0.000");
    EXPECT_EQ(FinishScreen::formatTime(1000), "1.000");
    EXPECT_EQ(FinishScreen::formatTime(4294967295u), "4294967.295");
}

TEST(FinishScreenTest, ShowReplacesTheTextAndHideOnlyHides) {
    FinishScreen screen;
    EXPECT_EQ(screen.getId(), "FinishScreen");
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(screen.getText(), "");
    screen.show(12345);
    EXPECT_TRUE(screen.isVisible());
    EXPECT_EQ(screen.getText(), "12.345");
    screen.show(7);
    EXPECT_EQ(screen.getText(), "0.007");
    screen.hide();
    EXPECT_FALSE(screen.isVisible());
}

}  // namespace
}  // namespace quiltRush
