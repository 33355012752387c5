#include "game/play/LevelScreen.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/InputCodes.h"
#include "framework/MousePosition.h"
#include "game/play/BestTimes.h"
#include "game/play/PosixFileSystem.h"
#include "tests/support/ScopedTempDir.h"

namespace quiltRush {
namespace {

using namespace kiln::inputCodes;

const std::string kKeys[] = {std::string(16, 'a'), std::string(16, 'b'), std::string(16, 'c'), std::string(16, 'd')};

std::vector<LevelCard> fourCards() {
    std::vector<LevelCard> cards;
    for (const std::string& key : kKeys) cards.push_back({"level" + key.substr(0, 1), "", key, "no-such-picture.bmp"});
    return cards;
}

TEST(LevelScreenTest, MarksTheFirstLevelThatHasNoBestTime) {
    testSupport::ScopedTempDir folder;
    BestTimes times(folder.path() + "/times.txt", std::make_unique<PosixFileSystem>(), nullptr);
    times.load();
    LevelScreen screen(fourCards(), &times);
    EXPECT_EQ(screen.firstUnfinished(), 0u);
    times.record(kKeys[0], 5000);
    times.record(kKeys[2], 7000);  // a later level finished first skips nothing
    EXPECT_EQ(screen.firstUnfinished(), 1u);
    times.record(kKeys[1], 6000);
    times.record(kKeys[3], 9000);
    times.waitForSave();
    EXPECT_EQ(screen.firstUnfinished(), 4u);
    EXPECT_EQ(screen.bestOf(1), std::optional<std::uint32_t>(6000));
    EXPECT_EQ(LevelScreen(fourCards(), nullptr).firstUnfinished(), 0u);
}

TEST(LevelScreenTest, APressOnACardAsksForItsLevel) {
    LevelScreen screen(fourCards(), nullptr);
    std::vector<std::size_t> asked;
    screen.setChoose([&asked](std::size_t level) { asked.push_back(level); });
    const struct {
        unsigned width, height;
        int x, y;
        std::size_t card;
    } cases[] = {
        {640, 480, 120, 162, 0},      {640, 480, 320 + 92, 162, 1},  // the second card's right edge
        {640, 480, 320 + 93, 162, 4}, {640, 480, 120, 162 + 89, 0},  // its bottom edge
        {640, 480, 120, 162 + 90, 4}, {640, 480, 120, 354, 3},
        {640, 480, 520, 354, 4},  // a fifth card the pack does not have
        {320, 240, 60, 81, 0},    // half the window, half the sizes
        {320, 240, 160 + 46, 81, 1},  {320, 240, 160 + 47, 81, 4},
    };
    for (const auto& c : cases) {
        screen.setWindowSizeSource([&c] { return WindowSize{c.width, c.height}; });
        screen.update(16);
        EXPECT_EQ(screen.cardAt(c.x, c.y), c.card) << c.width << "x" << c.height << " at " << c.x << "," << c.y;
    }
    screen.onMouseButton(kLeftButton, kPressed, 206, 81);
    screen.onMouseButton(kLeftButton, kReleased, 60, 81);
    screen.onMouseButton(kRightButton, kPressed, 60, 81);
    screen.onMouseButton(kLeftButton, kPressed, 300, 10);
    EXPECT_EQ(asked, std::vector<std::size_t>{1});
}

TEST(LevelScreenTest, TheHintFollowsTheMouseOnlyOnceItHasMovedOnTheScreen) {
    LevelScreen screen(fourCards(), nullptr);  // the first level is the next one
    kiln::MousePosition::instance()->set(520, 162);  // where Levels was clicked: over the third card
    screen.show();
    EXPECT_EQ(screen.hintedCard(), 0u);
    screen.onMousePassiveMotion(520, 162);
    EXPECT_EQ(screen.hintedCard(), 2u);
    kiln::MousePosition::instance()->set(0, 0);
}

}  // namespace
}  // namespace quiltRush
