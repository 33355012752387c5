#include "tools/driver/GameDriver.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>

#include "framework/InputCodes.h"
#include "game/physics/Ball.h"
#include "game/physics/Patch.h"
#include "game/physics/PhysicsEngine.h"
#include "game/play/FinishScreen.h"
#include "game/play/Game.h"
#include "game/play/InputHandler.h"
#include "game/play/MenuLayout.h"
#include "game/scene/QuiltRushApplication.h"
#include "tests/playthrough/GameInChild.h"
#include "tools/driver/InputTimeline.h"

namespace {

using namespace kiln::inputCodes;

using quiltRush::GameDriver;
using quiltRush::InputEvent;
using quiltRush::InputTimeline;

// The menu's New button on the 640 x 480 window.
InputTimeline clickNew() {
    InputTimeline timeline;
    timeline.move(0, quiltRush::menuLayout::clickX(quiltRush::menuLayout::kNew), quiltRush::menuLayout::clickY(quiltRush::menuLayout::kNew));
    timeline.press(1, kLeftButton);
    timeline.release(2, kLeftButton);
    return timeline;
}

using GameDriverGlTest = playthroughTest::GameFolderTest<>;

}  // namespace

TEST_F(GameDriverGlTest, TheGameOpensOnItsMenuAndNewStartsPlay) {
    quiltRush::ChildResult result = playthroughTest::withGame(false, [](GameDriver& driver) {
        std::ostringstream out;
        out << driver.getGame().isInMenu() << ' ';
        driver.run(clickNew(), 10);
        out << driver.getGame().isInMenu() << ' ' << driver.getTick() << ' ' << driver.getGame().getTime() << ' '
            << (driver.getBall().getPosition().y < 7.0f);
        return out.str();
    });
    ASSERT_TRUE(result.completed) << result.text;
    // The first tick only primes the clock; New acts at tick 1 while the menu
    // is still up; ticks 2 to 9 are eight ticks of play, 128 ms, and the ball falls.
    EXPECT_EQ(result.text, "1 0 10 128 1");
}

TEST_F(GameDriverGlTest, KeysReachTheGameThroughTheFrameworkCallbacks) {
    quiltRush::ChildResult result = playthroughTest::withGame(false, [](GameDriver& driver) {
        InputTimeline timeline = clickNew();
        timeline.key(5, 'd');
        timeline.key(8, kEscape);
        std::ostringstream out;
        driver.run(timeline, 6);
        out << quiltRush::PhysicsEngine::instance()->isDebugMode() << ' ' << driver.getGame().isInMenu() << ' ';
        driver.run(timeline, 9);
        out << driver.getGame().isInMenu();
        return out.str();
    });
    ASSERT_TRUE(result.completed) << result.text;
    EXPECT_EQ(result.text, "1 0 1");
}

TEST_F(GameDriverGlTest, ADragWithTheLeftButtonPullsTheClothAndSpaceTacksIt) {
    quiltRush::ChildResult result = playthroughTest::withGame(false, [](GameDriver& driver) {
        InputTimeline timeline = clickNew();
        driver.run(timeline, 100);  // the ball has landed on the cloth
        // A sphere in open view: a quarter of the way from the far edge, the middle column.
        const quiltRush::PatchRecord& grid = driver.getApplication().getGameData().patchRecords.at(0);
        const int rows = static_cast<int>(grid.rows);
        const int cols = static_cast<int>(grid.cols);
        const quiltRush::Sphere* aimed = driver.getPatch().getSpheres().at((rows / 4) * cols + cols / 2);
        int x = 0;
        int y = 0;
        if (!driver.windowPixelOf(aimed->getPosition(), x, y)) throw std::runtime_error("the sphere is not in view");
        timeline.move(100, x, y);
        timeline.press(101, kLeftButton);
        for (int k = 1; k <= 20; ++k) timeline.move(101 + k, x, y + 5 * k);
        timeline.key(140, kSpace);
        timeline.release(140, kLeftButton);
        driver.run(timeline, 101);
        quiltRush::Vector3 aimedAtPress = aimed->getPosition();
        driver.run(timeline, 102);
        // The pick takes the sphere nearest the eye among those by the mouse ray: the aimed one or a neighbour.
        const quiltRush::InputHandler& input = driver.getInput();
        const quiltRush::Sphere* grabbed = input.getSelected();
        if (grabbed == nullptr) return std::string("no pick");
        quiltRush::Vector3 grabbedAtPress = grabbed->getPosition();
        driver.run(timeline, 141);
        std::ostringstream out;
        out << (length(grabbedAtPress - aimedAtPress) < 0.3f) << ' ' << (length(grabbed->getPosition() - grabbedAtPress) > 0.5f)
            << ' ' << grabbed->isTacked() << ' ' << driver.getGame().getTacksUsed();
        return out.str();
    });
    ASSERT_TRUE(result.completed) << result.text;
    EXPECT_EQ(result.text, "1 1 1 1");
}

TEST_F(GameDriverGlTest, CheckpointPassesAndTheBallPathAreRecordedEveryTick) {
    quiltRush::ChildResult result = playthroughTest::withGame(false, [](GameDriver& driver) {
        InputTimeline timeline = clickNew();
        driver.run(timeline, 30);
        std::ostringstream out;
        out << driver.getBallTrace().size() << ' ' << driver.getPasses().size() << ' '
            << driver.getFinishTicks().size() << ' ' << driver.getBallTrace().front().y;
        // The run stops on the tick the condition first holds.
        driver.run(timeline, 1000, [](const GameDriver& played) { return played.getTick() == 40; });
        out << ' ' << driver.getTick();
        return out.str();
    });
    ASSERT_TRUE(result.completed) << result.text;
    EXPECT_EQ(result.text, "30 0 0 7 40");
}

TEST_F(GameDriverGlTest, SaveFrameWritesTheDrawnMenu) {
    quiltRush::ChildResult result = playthroughTest::withGame(true, [](GameDriver& driver) {
        driver.run(InputTimeline(), 3);
        return std::string(driver.saveFrame("menu.ppm") ? "saved" : "not saved");
    });
    ASSERT_TRUE(result.completed) << result.text;
    ASSERT_EQ(result.text, "saved");
    std::ifstream file("menu.ppm", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::string header = "P6\n640 480\n255\n";
    ASSERT_EQ(bytes.size(), header.size() + 640u * 480u * 3u);
    EXPECT_EQ(bytes.substr(0, header.size()), header);
    // A real picture: the menu's background, title and buttons give many colours.
    std::set<std::string> colours;
    for (std::size_t i = header.size(); i + 3 <= bytes.size(); i += 3 * 97) colours.insert(bytes.substr(i, 3));
    EXPECT_GT(colours.size(), 20u);
}

TEST_F(GameDriverGlTest, WithoutDisplayNoFrameIsSaved) {
    quiltRush::ChildResult result = playthroughTest::withGame(false, [](GameDriver& driver) {
        driver.step();
        return std::string(driver.saveFrame("none.ppm") ? "saved" : "not saved");
    });
    ASSERT_TRUE(result.completed) << result.text;
    EXPECT_EQ(result.text, "not saved");
}

TEST_F(GameDriverGlTest, ASecondGameInOneProcessIsRefused) {
    quiltRush::ChildResult result = playthroughTest::withGame(false, [](GameDriver&) {
        try {
            GameDriver second(false);
        } catch (const std::logic_error& error) {
            return std::string(error.what());
        }
        return std::string("built twice");
    });
    ASSERT_TRUE(result.completed) << result.text;
    EXPECT_EQ(result.text, "the game can be built only once per process");
}

TEST_F(GameDriverGlTest, ThePlayersBestTimesInTheWorkingFolderAreLeftAlone) {
    // A file the game cannot read would be moved aside by a game that loads it.
    const std::string players = "not a file of best times\n";
    { std::ofstream("times.txt") << players; }
    quiltRush::ChildResult result = playthroughTest::withGame(false, [](GameDriver& driver) {
        driver.run(clickNew(), 10);
        return std::string("played");
    });
    ASSERT_TRUE(result.completed) << result.text;
    std::ifstream file("times.txt");
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, players);
    EXPECT_FALSE(std::ifstream("times.txt.bad").is_open());
}
