// The recorded way through every level of the pack, replayed in the real game
// with the fixed 16 ms clock on every test run: if a change to the game or a
// level breaks its course, this fails. quiltrush-find-playthrough records a
// new timeline (see docs/levels.md).
#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <sstream>
#include <string>

#include "game/play/FinishScreen.h"
#include "game/play/Game.h"
#include "game/play/InputHandler.h"
#include "game/scene/GameDataReader.h"
#include "tests/playthrough/GameInChild.h"
#include "tools/driver/InputTimeline.h"
#include "tools/driver/OutputCapture.h"

namespace {

using quiltRush::GameDriver;
using quiltRush::InputTimeline;

constexpr int kTicksAfterLastInput = 60 * 1000 / 16;  // a minute of hands-off play at most
constexpr std::size_t kTraceLine = 3 * 9 + 1;          // one position in bitsOf: three words and a line end

std::size_t checkpointCountOf(const std::string& name) {
    quiltRush::GameData level;
    quiltRush::GameDataReader::readFile(testSupport::sourceDir() + "/" + playthroughTest::pack().find(name)->file, level);
    return level.checkpointRecords.size();
}

bool finishShown(const GameDriver& driver) { return !driver.getFinishTicks().empty(); }

/// What one replay showed: the finish screen, the game's printed lines and
/// the ball's path.
struct Replay {
    bool completed = false;
    std::string failure;
    bool finishVisible = false;
    std::string finishText;
    int finishTick = -1;
    unsigned long heldBackDragSteps = 0;
    std::string printed;
    std::string ballBits;
};

// Plays the timeline in a fresh game until the finish screen comes up (or a
// minute after the last input) and reads back what happened.
Replay replay(const InputTimeline& timeline, bool display, const std::string& level) {
    quiltRush::ChildResult result = quiltRush::runInChildProcess([&] {
        quiltRush::OutputCapture printed;
        GameDriver driver(display, level);
        driver.run(timeline, timeline.lastTick() + kTicksAfterLastInput, finishShown);
        std::string lines = printed.finish();
        const quiltRush::FinishScreen& finish = driver.getFinishScreen();
        int finishTick = finishShown(driver) ? driver.getFinishTicks().front() : -1;
        std::ostringstream out;
        out << (finish.isVisible() ? 1 : 0) << ' ' << finishTick << ' ' << driver.getInput().getHeldBackDragSteps()
            << " [" << finish.getText() << "]\n"
            << lines << "--\n"
            << playthroughTest::bitsOf(driver.getBallTrace());
        return out.str();
    });
    Replay seen;
    seen.completed = result.completed;
    if (!result.completed) {
        seen.failure = result.text;
        return seen;
    }
    std::istringstream in(result.text);
    int visible = 0;
    in >> visible >> seen.finishTick >> seen.heldBackDragSteps;
    std::string rest;
    std::getline(in, rest);
    std::size_t open = rest.find('[');
    std::size_t close = rest.rfind(']');
    if (open != std::string::npos && close != std::string::npos && close > open) {
        seen.finishText = rest.substr(open + 1, close - open - 1);
    }
    seen.finishVisible = visible == 1;
    std::string body((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t split = body.find("--\n");
    seen.printed = body.substr(0, split);
    seen.ballBits = split == std::string::npos ? "" : body.substr(split + 3);
    return seen;
}

// Every case runs on every level of the pack, with the level's own recording.
class PlaythroughGlTest : public playthroughTest::GameFolderTest<::testing::TestWithParam<std::string>> {
protected:
    void SetUp() override {
        GameFolderTest::SetUp();
        if (isReady()) timeline = InputTimeline::load(playthroughTest::recordedTimelinePath(level));
    }

    const std::string level = GetParam();
    InputTimeline timeline;
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Pack, PlaythroughGlTest, ::testing::ValuesIn(playthroughTest::packLevelNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

TEST_P(PlaythroughGlTest, ShippedTimelinePassesEveryCheckpointOnceAndFinishes) {
    Replay run = replay(timeline, true, level);
    ASSERT_TRUE(run.completed) << run.failure;

    // The game's own lines: "checkpoint N" once for every checkpoint, nothing else.
    const std::size_t checkpoints = checkpointCountOf(level);
    ASSERT_GE(checkpoints, 1u);
    std::map<std::string, int> lines;
    std::istringstream printed(run.printed);
    for (std::string line; std::getline(printed, line);) ++lines[line];
    for (std::size_t i = 0; i < checkpoints; ++i) {
        EXPECT_EQ(lines["checkpoint " + std::to_string(i)], 1) << "checkpoint " << i << " in:\n" << run.printed;
    }
    EXPECT_EQ(lines.size(), checkpoints) << run.printed;

    // Recorded as a hand drags: every drag step puts the mouse sphere on the point under the mouse.
    EXPECT_EQ(run.heldBackDragSteps, 0u);

    ASSERT_TRUE(run.finishVisible);
    EXPECT_FALSE(run.finishText.empty());
    EXPECT_NE(run.finishText.find('.'), std::string::npos) << run.finishText;
    RecordProperty("finish_time", run.finishText);
    RecordProperty("finish_tick", run.finishTick);
    std::cout << "finishing time " << run.finishText << " s, finish screen after tick " << run.finishTick << "\n";

    // Drawing changes nothing in the game: the search that found the timeline
    // played without it.
    Replay headless = replay(timeline, false, level);
    ASSERT_TRUE(headless.completed) << headless.failure;
    EXPECT_EQ(headless.finishText, run.finishText);
    EXPECT_TRUE(headless.ballBits == run.ballBits) << "the ball took another path without drawing";
}

TEST_P(PlaythroughGlTest, SameTimelineTwiceGivesBitIdenticalBallPositions) {
    Replay first = replay(timeline, false, level);
    Replay second = replay(timeline, false, level);
    ASSERT_TRUE(first.completed) << first.failure;
    ASSERT_TRUE(second.completed) << second.failure;
    // One position a tick up to the finish, with the ball on the move, not at rest.
    EXPECT_GT(first.finishTick, 100);
    EXPECT_EQ(first.ballBits.size(), static_cast<std::size_t>(first.finishTick) * kTraceLine);
    EXPECT_NE(first.ballBits.substr(0, kTraceLine), first.ballBits.substr(first.ballBits.size() - kTraceLine));
    EXPECT_TRUE(first.ballBits == second.ballBits) << "two replays of one timeline went apart";
    EXPECT_EQ(first.printed, second.printed);
    EXPECT_EQ(first.finishTick, second.finishTick);
}

// The ball stays on the course after the finish, so the finish screen stays up
// until the next run begins five seconds later instead of being cut short by a fall.
TEST_P(PlaythroughGlTest, FinishScreenStaysUpUntilTheNextRun) {
    quiltRush::ChildResult result = playthroughTest::withGame(false, [&](GameDriver& driver) {
        quiltRush::OutputCapture quiet;
        driver.run(timeline, timeline.lastTick() + kTicksAfterLastInput, [](const GameDriver& game) {
            return finishShown(game) && !game.getFinishScreen().isVisible();
        });
        quiet.finish();
        return std::to_string(finishShown(driver) ? driver.getFinishTicks().front() : -1) + " " +
               std::to_string(driver.getTick());
    }, level);
    ASSERT_TRUE(result.completed) << result.text;
    std::istringstream in(result.text);
    int finished = -1;
    int hidden = -1;
    in >> finished >> hidden;
    ASSERT_GT(finished, 0);
    EXPECT_GE(hidden - finished, static_cast<int>(quiltRush::Game::kFinishPauseMillis / GameDriver::kTickMillis));
}
