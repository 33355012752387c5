// A change of level takes the whole world down and builds the next one the
// way start-up does: nothing of the level left may reach the one played.
#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <malloc.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "framework/InputCodes.h"
#include "game/play/Game.h"
#include "game/play/LevelScreen.h"
#include "game/play/MenuLayout.h"
#include "game/scene/QuiltRushApplication.h"
#include "game/scene/LevelPack.h"
#include "tests/playthrough/GameInChild.h"
#include "tools/driver/InputTimeline.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
// The address sanitizer's own count of the heap in use (GCC ships no header for it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

using quiltRush::GameDriver;

constexpr int kSwitches = 200;
constexpr long kHeapSlackBytes = 1 << 20;
constexpr int kTicksOnTheOtherLevel = 120;

long heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long>(__sanitizer_get_current_allocated_bytes());
#else
    struct mallinfo2 info = mallinfo2();
    return static_cast<long>(info.uordblks + info.hblkhd);
#endif
}

using playthroughTest::pack;

// The fourth level when the pack has one, else its last.
std::string otherLevel() { return pack().getLevels()[std::min<std::size_t>(3, pack().size() - 1)].name; }

// The recorded way through level 1 until the finish: where each bubble was
// passed, when the finish came and what it showed.
std::string playLevelOne(GameDriver& driver) {
    quiltRush::InputTimeline timeline = quiltRush::InputTimeline::load(playthroughTest::recordedTimelinePath());
    driver.run(timeline, timeline.lastTick() + 60 * 1000 / 16,
               [](const GameDriver& played) { return !played.getFinishTicks().empty(); });
    std::ostringstream out;
    for (const quiltRush::CheckpointPass& pass : driver.getPasses()) out << pass.index << '@' << pass.tick << ' ';
    out << "finish " << (driver.getFinishTicks().empty() ? -1 : driver.getFinishTicks().front());
    return out.str();
}

class LevelSwitchGlTest : public playthroughTest::GameFolderTest<> {};

// The way a player changes level: Levels beside Play, then a card; the level
// is built at the next tick and played at once.
TEST_F(LevelSwitchGlTest, ACardOfTheLevelScreenStartsARunOnItsLevel) {
    if (!isReady()) return;
    const std::size_t chosen = pack().size() - 1;
    int cx = 0;
    int cy = 0;
    quiltRush::LevelScreen::cardCentre(chosen, cx, cy);
    namespace layout = quiltRush::menuLayout;
    quiltRush::InputTimeline clicks;
    clicks.move(1, layout::levelsClickX(), layout::levelsClickY());
    clicks.press(2, kiln::inputCodes::kLeftButton);
    clicks.release(3, kiln::inputCodes::kLeftButton);
    clicks.move(5, layout::kWindowWidth / 2 + cx, layout::kWindowHeight / 2 - cy);
    clicks.press(6, kiln::inputCodes::kLeftButton);
    clicks.release(7, kiln::inputCodes::kLeftButton);
    quiltRush::ChildResult result = playthroughTest::withGame(false, [&](GameDriver& driver) {
        std::string before = driver.getApplication().getLevelFile();
        driver.run(clicks, 7);  // the press at tick 6 asks, and the level is built as tick 6 begins
        return before + " " + driver.getApplication().getLevelFile() + " " +
               (driver.getGame().isInMenu() ? "menu" : "play");
    });
    ASSERT_TRUE(result.completed) << result.text;
    EXPECT_EQ(result.text, pack().getLevels().front().file + " " + pack().getLevels()[chosen].file + " play");
}

TEST_F(LevelSwitchGlTest, LevelOnePlaysAsFromAFreshStartAfterAnotherLevel) {
    if (!isReady()) return;
    ASSERT_FALSE(pack().empty());
    const std::string first = pack().getLevels().front().name;
    quiltRush::ChildResult fresh = playthroughTest::withGame(false, playLevelOne);
    quiltRush::ChildResult switched = playthroughTest::withGame(false, [&](GameDriver& driver) {
        driver.switchLevel(otherLevel());
        for (int i = 0; i < kTicksOnTheOtherLevel; ++i) driver.step();
        driver.switchLevel(first);
        driver.getGame().showMenu();  // the recording starts at the menu
        return playLevelOne(driver);
    });
    ASSERT_TRUE(fresh.completed) << fresh.text;
    ASSERT_TRUE(switched.completed) << switched.text;
    EXPECT_NE(fresh.text.find("finish "), std::string::npos);
    EXPECT_EQ(fresh.text.find("finish -1"), std::string::npos) << fresh.text;
    EXPECT_EQ(switched.text, fresh.text);
}

// Every switch frees what the one before built: the heap after the last is
// where it was after the first, and nothing is lost on the way.
TEST_F(LevelSwitchGlTest, SwitchesLeaveTheHeapAsTheFirstOneDid) {
    if (!isReady()) return;
    quiltRush::ChildResult result = playthroughTest::withGame(false, [&](GameDriver& driver) {
        const std::string first = pack().getLevels().front().name;
        // Each level is drawn as the game draws it: a texture deleted after
        // it was drawn may keep more than one never drawn.
        auto stepAndDraw = [&] {
            driver.step();
            driver.getApplication().display();
            glutSwapBuffers();
        };
        driver.switchLevel(otherLevel());
        stepAndDraw();
        long afterFirst = heapInUse();
        for (int i = 1; i < kSwitches; ++i) {
            driver.switchLevel(i % 2 == 0 ? otherLevel() : first);
            stepAndDraw();
        }
        driver.switchLevel(otherLevel());
        stepAndDraw();
        int leaks = 0;
#if defined(__SANITIZE_ADDRESS__)
        leaks = __lsan_do_recoverable_leak_check();
#endif
        return std::to_string(heapInUse() - afterFirst) + " " + std::to_string(leaks);
    });
    ASSERT_TRUE(result.completed) << result.text;
    std::istringstream in(result.text);
    long grown = 0;
    int leaks = 0;
    in >> grown >> leaks;
    std::printf("heap in use after %d switches: %+ld bytes against after the first\n", kSwitches, grown);
    EXPECT_LT(grown, kHeapSlackBytes) << "bytes more in use after " << kSwitches << " switches";
    EXPECT_EQ(leaks, 0);
}

}  // namespace
