#include "game/play/RunOverlay.h"

#include <gtest/gtest.h>

#include "tests/play/PlayFixture.h"

namespace playTest {
namespace {

TEST(RunOverlayTest, ProgressShowsPassedOfAllAndTenthsCutNotRounded) {
    const struct {
        unsigned int passed;
        std::size_t total;
        std::uint32_t millis;
        const char* text;
    } cases[] = {
        {2, 4, 12345, "2/4  12.3"}, {0, 4, 0, "0/4  0.0"},          {3, 4, 9999, "3/4  9.9"},
        {0, 0, 100, "0/0  0.1"},    {9, 10, 600099, "9/10  600.0"},
    };
    for (const auto& c : cases) EXPECT_EQ(RunOverlay::progressText(c.passed, c.total, c.millis), c.text);
}

TEST(RunOverlayTest, TheHintGoesBelowTheTackIconsItWouldRunInto) {
    // The pack's icons at 640 x 480: three along the top-right corner, 64 pixels each.
    const std::vector<RunOverlay::Box> row = {{568, 408, 632, 472}, {508, 408, 572, 472}, {448, 408, 512, 472}};
    const struct {
        RunOverlay::Box wanted;
        std::vector<RunOverlay::Box> icons;
        int top;
    } cases[] = {
        {{10, 405, 300, 435}, row, 435},                                  // short: clear of the icons
        {{10, 405, 448, 435}, row, 435},                                  // ends where the first icon begins
        {{10, 405, 480, 435}, row, 403},                                  // long: under the row
        {{10, 405, 480, 435}, {}, 435},                                   // no tacks
        {{10, 405, 480, 435}, {{448, 408, 512, 472}, {300, 350, 340, 400}}, 345},  // and under the next one down
        {{10, 300, 480, 330}, row, 330},                                  // already below the row
    };
    for (const auto& c : cases) EXPECT_EQ(RunOverlay::topClearOf(c.wanted, c.icons), c.top);
}

TEST(RunOverlayTest, AFallShowsTheNoteForAWhileAndARestartByHandNeitherShowsNorKeepsIt) {
    PlayWorld world;
    RunOverlay overlay(world.game);
    world.game.update(16);
    overlay.update(16);
    EXPECT_FALSE(overlay.isFallNoteShown());
    world.game.restart();  // Enter: not a fall
    world.game.update(16);
    overlay.update(16);
    EXPECT_FALSE(overlay.isFallNoteShown());

    world.ball->setPosition(Vector3(0, Game::kFallHeight - 1.0f, 0));
    world.game.update(16);
    overlay.update(16);
    EXPECT_EQ(world.game.getFalls(), 1u);
    EXPECT_TRUE(overlay.isFallNoteShown());
    world.game.update(RunOverlay::kFallNoteMillis - 16);
    overlay.update(RunOverlay::kFallNoteMillis - 16);
    EXPECT_TRUE(overlay.isFallNoteShown());
    world.game.update(16);
    overlay.update(16);
    EXPECT_FALSE(overlay.isFallNoteShown());

    world.ball->setPosition(Vector3(0, Game::kFallHeight - 1.0f, 0));
    world.game.update(16);
    overlay.update(16);
    world.game.update(500);
    overlay.update(500);
    world.game.restart();  // Enter while the note is up: the note goes with its run
    world.game.update(16);
    overlay.update(16);
    EXPECT_FALSE(overlay.isFallNoteShown());
}

}  // namespace
}  // namespace playTest
