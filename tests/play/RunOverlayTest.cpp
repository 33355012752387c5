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

TEST(RunOverlayTest, AFallShowsTheNoteForAWhileAndARestartByHandDoesNot) {
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
}

}  // namespace
}  // namespace playTest
