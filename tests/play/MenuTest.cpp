#include "game/play/Menu.h"

#include <gtest/gtest.h>

#include "framework/InputCodes.h"

namespace quiltRush {
namespace {

using namespace kiln::inputCodes;

class MenuTest : public ::testing::Test {
protected:
    void resize(unsigned int width, unsigned int height) {
        menu.setWindowSizeSource([width, height] { return WindowSize{width, height}; });
        menu.update(16);
    }

    MenuChoice clickAt(int x, int y) {
        menu.show();
        menu.onMouseButton(kLeftButton, kPressed, x, y);
        return menu.getSelection();
    }

    Menu menu;
};

TEST_F(MenuTest, ButtonsAreNewManualCreditsExitDownTheCentre) {
    EXPECT_EQ(menu.getId(), "menu");
    ASSERT_EQ(menu.getButtons().size(), 4u);
    const float centres[] = {76.0f, -8.0f, -92.0f, -176.0f};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(menu.getButtons()[i]->getX(), 0.0f);
        EXPECT_EQ(menu.getButtons()[i]->getY(), centres[i]);
        EXPECT_EQ(menu.getButtons()[i]->getWidth(), 256);
        EXPECT_EQ(menu.getButtons()[i]->getHeight(), 64);
    }
}

TEST_F(MenuTest, ClickableBoxRunsFromTwentyBelowToThirtyAboveAndIs256Wide) {
    resize(640, 480);
    EXPECT_EQ(clickAt(320, 164), MenuChoice::New);   // the centre of New
    EXPECT_EQ(clickAt(320, 134), MenuChoice::New);   // 30 above it
    EXPECT_EQ(clickAt(320, 133), MenuChoice::None);  // 31 above
    EXPECT_EQ(clickAt(448, 164), MenuChoice::New);   // 128 to the right
    EXPECT_EQ(clickAt(449, 164), MenuChoice::None);
    EXPECT_EQ(clickAt(192, 164), MenuChoice::New);  // 128 to the left
    EXPECT_EQ(clickAt(191, 164), MenuChoice::None);
    EXPECT_EQ(clickAt(320, 184), MenuChoice::New);   // 20 below
    EXPECT_EQ(clickAt(320, 185), MenuChoice::None);  // the lower edge of the picture is not clickable
    EXPECT_EQ(clickAt(320, 196), MenuChoice::None);
}

TEST_F(MenuTest, LevelsBesideNewIsClickedWithinItsOwnPicturesWidth) {
    resize(640, 480);
    const struct {
        int x, y;
        MenuChoice choice;
    } cases[] = {
        {menuLayout::levelsClickX(), menuLayout::levelsClickY(), MenuChoice::Levels},
        {552 - 80, 164, MenuChoice::Levels}, {552 + 80, 164, MenuChoice::Levels},
        {552 - 81, 164, MenuChoice::None},   {552, 134, MenuChoice::Levels},
        {552, 133, MenuChoice::None},        {552, 184, MenuChoice::Levels},
        {552, 185, MenuChoice::None},        {448, 164, MenuChoice::New},  // New's box still ends where it did
    };
    for (const auto& c : cases) EXPECT_EQ(clickAt(c.x, c.y), c.choice) << c.x << "," << c.y;
    EXPECT_TRUE(menu.isNewSelected());
    clickAt(552, 164);
    EXPECT_TRUE(menu.isLevelsSelected());
}

TEST_F(MenuTest, ASmallWindowShrinksTheButtonsAndTheirBoxesTogether) {
    const struct {
        unsigned int width, height;
        int x, y;
        MenuChoice choice;
    } cases[] = {
        // 320 x 240: half size, Exit's centre 88 below the window centre.
        {320, 240, 160, 120 + 88, MenuChoice::Exit},
        {320, 240, 160 + 64, 120 + 88, MenuChoice::Exit},      // the box's right edge, halved
        {320, 240, 160 + 65, 120 + 88, MenuChoice::None},
        {320, 240, 160, 120 - 38, MenuChoice::New},
        // Narrow rather than low: 480 wide, three quarters.
        {480, 480, 240, 240 + 132, MenuChoice::Exit},
        // Larger than 640 x 480: pixel sizes as at that size.
        {1280, 960, 640, 480 + 176, MenuChoice::Exit},
        {1280, 960, 640 + 129, 480 + 176, MenuChoice::None},
    };
    for (const auto& c : cases) {
        resize(c.width, c.height);
        EXPECT_EQ(clickAt(c.x, c.y), c.choice) << c.width << "x" << c.height << " at " << c.x << "," << c.y;
    }
}

TEST_F(MenuTest, EachButtonSelectsItsChoice) {
    resize(640, 480);
    EXPECT_EQ(clickAt(320, 240 + 8), MenuChoice::Manual);
    EXPECT_TRUE(menu.isManualSelected());
    EXPECT_EQ(clickAt(320, 240 + 92), MenuChoice::Credits);
    EXPECT_TRUE(menu.isCreditsSelected());
    EXPECT_EQ(clickAt(320, 240 + 176), MenuChoice::Exit);
    EXPECT_TRUE(menu.isExitSelected());
    EXPECT_EQ(clickAt(320, 164), MenuChoice::New);
    EXPECT_TRUE(menu.isNewSelected());
}

TEST_F(MenuTest, ClickOutsideEveryButtonKeepsTheSelection) {
    resize(640, 480);
    clickAt(320, 164);
    menu.onMouseButton(kLeftButton, kPressed, 10, 10);
    EXPECT_EQ(menu.getSelection(), MenuChoice::New);
}

TEST_F(MenuTest, ReleasesAndRightClicksChangeNothing) {
    resize(640, 480);
    menu.show();
    menu.onMouseButton(kLeftButton, kReleased, 320, 164);
    menu.onMouseButton(kRightButton, kPressed, 320, 164);
    menu.onMouseButton(kRightButton, kReleased, 320, 164);
    menu.onMouseButton(1, kPressed, 320, 164);
    EXPECT_EQ(menu.getSelection(), MenuChoice::None);

    menu.onMouseButton(kLeftButton, kPressed, 320, 248);  // Manual
    menu.onMouseButton(kRightButton, kPressed, 320, 416);  // over Exit
    menu.onMouseButton(kLeftButton, kReleased, 320, 416);
    EXPECT_EQ(menu.getSelection(), MenuChoice::Manual);
}

TEST_F(MenuTest, OddWindowSizeCentresOnTheTruncatedHalf) {
    resize(641, 481);  // centre (320, 240)
    EXPECT_EQ(menu.getWindowWidth(), 641);
    EXPECT_EQ(clickAt(448, 134), MenuChoice::New);  // (128, 106): the top-right corner of the box
    EXPECT_EQ(clickAt(449, 134), MenuChoice::None);
    EXPECT_EQ(clickAt(448, 133), MenuChoice::None);
}

TEST_F(MenuTest, ShowResetsTheSelectionAndEnablesHideDisables) {
    resize(640, 480);
    clickAt(320, 164);
    menu.hide();
    EXPECT_FALSE(menu.state.enabled);
    EXPECT_EQ(menu.getSelection(), MenuChoice::New);  // acting on it does not reset it
    menu.show();
    EXPECT_TRUE(menu.state.enabled);
    EXPECT_EQ(menu.getSelection(), MenuChoice::None);
}

TEST_F(MenuTest, MouseMovesAreRecordedWithOrWithoutAButton) {
    menu.onMouseMotion(12, 34);
    EXPECT_EQ(menu.getMouseX(), 12);
    EXPECT_EQ(menu.getMouseY(), 34);
    menu.onMousePassiveMotion(56, 78);
    EXPECT_EQ(menu.getMouseX(), 56);
    EXPECT_EQ(menu.getMouseY(), 78);
}

}  // namespace
}  // namespace quiltRush
