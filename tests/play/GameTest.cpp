#include "game/play/Game.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/InputCodes.h"
#include "framework/Manager.h"
#include "game/play/MenuLayout.h"
#include "game/play/BestTimes.h"
#include "game/play/PosixFileSystem.h"
#include "tests/support/ScopedTempDir.h"
#include "tests/play/PlayFixture.h"

namespace playTest {
namespace {

using namespace kiln::inputCodes;

class GameTest : public ::testing::Test {
protected:
    // A left press on the menu's button i, on a 640 x 480 window.
    void clickMenuButton(int i) {
        world.menu.onMouseButton(kLeftButton, kPressed, menuLayout::clickX(i), menuLayout::clickY(i));
    }

    void finishRunAfter(unsigned long millis) {
        world.putBallIn(0);
        world.game.update(0);
        world.putBallIn(1);
        world.game.update(0);
        world.putBallIn(2);
        world.game.update(millis);
    }

    // Wires game to the world with first and then the world's checkpoint 0, and starts a run.
    void wireWith(Game& game, Checkpoint& first) {
        world.wire(game);
        game.addCheckpoint(&first);
        game.addCheckpoint(world.checkpoints[0].get());
        game.restart();
    }

    PlayWorld world;
};

TEST_F(GameTest, CheckpointsPassedInAnyOrderPrintTheirListPositions) {
    testing::internal::CaptureStdout();
    world.putBallIn(2);
    world.game.update(16);
    EXPECT_EQ(world.game.getCheckpointsPassed(), 1u);
    world.putBallIn(0);
    world.game.update(16);
    EXPECT_FALSE(world.finishScreen->isVisible());
    world.putBallIn(1);
    world.game.update(16);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "checkpoint 2\ncheckpoint 0\ncheckpoint 1\n");
    EXPECT_EQ(world.game.getCheckpointsPassed(), 3u);
    EXPECT_TRUE(world.finishScreen->isVisible());
    EXPECT_EQ(world.finishScreen->getText(), "0.048");
    EXPECT_EQ(world.game.getTime(), 0.0f);  // from now on, the time since the finish
}

TEST_F(GameTest, ReachedCheckpointIsNotCountedTwice) {
    testing::internal::CaptureStdout();
    world.putBallIn(1);
    world.game.update(16);
    world.game.update(16);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "checkpoint 1\n");
    EXPECT_EQ(world.game.getCheckpointsPassed(), 1u);
}

TEST_F(GameTest, SeveralCheckpointsInOneTickAreHandledInListOrder) {
    // Two overlapping bubbles, the second of the list being the world's checkpoint 0.
    Checkpoint near0("Near", PlayWorld::checkpointCentre(0) + Vector3(0.4f, 0, 0), 0.5f);
    Game game;
    wireWith(game, near0);
    testing::internal::CaptureStdout();
    world.putBallIn(0);
    game.update(100);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "checkpoint 0\ncheckpoint 1\n");
    EXPECT_EQ(world.finishScreen->getText(), "0.100");
}

TEST_F(GameTest, FinishShowsTheRunTimeAndFiveSecondsLaterANewRunStarts) {
    testing::internal::CaptureStdout();
    finishRunAfter(12345);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(world.finishScreen->getText(), "12.345");
    EXPECT_TRUE(world.finishScreen->isVisible());

    world.camera->setEye(Vector3(1, 2, 3));
    world.game.update(4999);
    EXPECT_TRUE(world.finishScreen->isVisible());
    EXPECT_EQ(world.game.getTime(), 4999.0f);

    world.game.update(1);
    EXPECT_FALSE(world.finishScreen->isVisible());
    EXPECT_EQ(world.ball->getPosition(), Vector3(-3, 7, -3));
    EXPECT_EQ(world.ball->getVelocity(), Vector3());
    EXPECT_EQ(world.camera->getEye(), Vector3(0, 10, -2));
    EXPECT_EQ(world.game.getCheckpointsPassed(), 0u);
    EXPECT_EQ(world.game.getTime(), 0.0f);
    for (auto& checkpoint : world.checkpoints) EXPECT_FALSE(checkpoint->isReached());
}

TEST_F(GameTest, FinishShowsTheBestTimeOfTheLevelAndANewBestOnlyWhenBeaten) {
    testSupport::ScopedTempDir directory;
    // A full path: the last save may still run when the folder is no longer the working one.
    world.game.setBestTimes(std::make_unique<BestTimes>(directory.path() + "/times.txt",
                                                        std::make_unique<PosixFileSystem>(), nullptr),
                            "0123456789abcdef");
    testing::internal::CaptureStdout();
    for (unsigned long millis : {9000, 9500, 8000}) {
        world.game.restart();
        finishRunAfter(millis);
        EXPECT_EQ(world.finishScreen->getText(), FinishScreen::formatTime(millis));
        EXPECT_EQ(world.finishScreen->getBestText(), millis == 9500 ? "9.000" : world.finishScreen->getText());
        EXPECT_EQ(world.finishScreen->isNewBest(), millis != 9500);
    }
    testing::internal::GetCapturedStdout();
}

TEST_F(GameTest, RestartPutsTheRunBackButLeavesTheClothShape) {
    world.ball->addVelocity(Vector3(1, 2, 3));
    world.patch->getSpheres()[0]->tack();
    world.patch->getSpheres()[1]->setPosition(Vector3(5, 5, 5));
    world.game.useTack();
    world.game.update(700);
    world.game.restart();
    EXPECT_EQ(world.ball->getVelocity(), Vector3());
    EXPECT_FALSE(world.patch->getSpheres()[0]->isTacked());
    EXPECT_EQ(world.patch->getSpheres()[1]->getPosition(), Vector3(5, 5, 5));
    EXPECT_EQ(world.game.getTacksUsed(), 0u);
    for (auto& tack : world.tacks) EXPECT_TRUE(tack->isVisible());
    EXPECT_EQ(world.game.getTime(), 0.0f);
}

TEST_F(GameTest, EscapeThenNewResumesTheSameRunWithTheSameTime) {
    testing::internal::CaptureStdout();
    world.putBallIn(1);
    world.game.update(1500);
    testing::internal::GetCapturedStdout();
    world.ball->setPosition(Vector3(4, 5, 6));
    world.ball->addVelocity(Vector3(0.5f, 0, 0));

    world.game.showMenu();  // what Escape does in play
    EXPECT_TRUE(world.game.isInMenu());
    EXPECT_TRUE(world.allPlayEntitiesEnabled(false));
    EXPECT_TRUE(world.menu.state.enabled);
    world.game.update(3000);  // time stands still on the menu
    EXPECT_EQ(world.game.getTime(), 1500.0f);

    clickMenuButton(0);
    world.game.update(3000);
    EXPECT_FALSE(world.game.isInMenu());
    EXPECT_FALSE(world.menu.state.enabled);
    EXPECT_TRUE(world.allPlayEntitiesEnabled(true));
    EXPECT_EQ(world.game.getTime(), 1500.0f);
    EXPECT_EQ(world.ball->getPosition(), Vector3(4, 5, 6));
    EXPECT_EQ(world.ball->getVelocity(), Vector3(0.5f, 0, 0));
    EXPECT_TRUE(world.checkpoints[1]->isReached());
    EXPECT_EQ(world.game.getCheckpointsPassed(), 1u);

    world.game.update(16);
    EXPECT_EQ(world.game.getTime(), 1516.0f);
}

TEST_F(GameTest, EscapeWhileFinishedKeepsTheFinishWaitGoing) {
    testing::internal::CaptureStdout();
    finishRunAfter(9000);
    testing::internal::GetCapturedStdout();
    world.game.update(3000);
    world.game.showMenu();
    world.game.update(10000);
    clickMenuButton(0);
    world.game.update(10000);
    EXPECT_TRUE(world.finishScreen->isVisible());
    EXPECT_TRUE(world.finishScreen->state.enabled);
    world.game.update(1999);
    EXPECT_TRUE(world.finishScreen->isVisible());
    world.game.update(1);
    EXPECT_FALSE(world.finishScreen->isVisible());
}

TEST_F(GameTest, FallBelowMinusFiftyRestartsAtOnceEvenWhenFinished) {
    testing::internal::CaptureStdout();
    finishRunAfter(2000);
    testing::internal::GetCapturedStdout();
    world.game.update(100);
    world.ball->setPosition(Vector3(0, -50.0f, 0));  // exactly at the limit is not below it
    world.game.update(16);
    EXPECT_TRUE(world.finishScreen->isVisible());
    world.ball->setPosition(Vector3(0, -50.001f, 0));
    world.game.update(16);
    EXPECT_FALSE(world.finishScreen->isVisible());
    EXPECT_EQ(world.ball->getPosition(), Vector3(-3, 7, -3));
    EXPECT_EQ(world.game.getTime(), 0.0f);
}

TEST_F(GameTest, ACheckpointAtTheStartIsPassedByTheFreshRunInTheTickOfARestart) {
    // A fall or the end of the finish wait restarts the run, and the same
    // tick's checkpoint test already belongs to the fresh run.
    struct Case {
        const char* what;
        bool finishFirst;
        Vector3 ballBeforeTheTick;
        unsigned long millis;
    };
    const Case cases[] = {{"fall", false, Vector3(0, -51, 0), 16}, {"finish wait over", true, Vector3(0, 3, 0), 5000}};
    for (const Case& c : cases) {
        Checkpoint atStart("AtStart", Vector3(-3, 7, -3), 0.5f);
        Game game;
        wireWith(game, atStart);
        testing::internal::CaptureStdout();
        game.update(16);
        if (c.finishFirst) {
            world.putBallIn(0);
            game.update(16);
        }
        game.update(16);
        world.ball->setPosition(c.ballBeforeTheTick);
        game.update(c.millis);
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  c.finishFirst ? "checkpoint 0\ncheckpoint 1\ncheckpoint 0\n" : "checkpoint 0\ncheckpoint 0\n") << c.what;
        EXPECT_EQ(game.getCheckpointsPassed(), 1u) << c.what;
        EXPECT_TRUE(atStart.isReached()) << c.what;
        EXPECT_FALSE(world.checkpoints[0]->isReached()) << c.what;
        EXPECT_FALSE(world.finishScreen->isVisible()) << c.what;
        EXPECT_EQ(game.getTime(), 0.0f) << c.what;
    }
}

TEST_F(GameTest, BallThatIsNoLongerANumberRestartsTheRun) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    world.game.update(500);
    world.ball->setPosition(Vector3(nan, nan, nan));
    world.game.update(16);
    EXPECT_EQ(world.ball->getPosition(), Vector3(-3, 7, -3));
    EXPECT_EQ(world.game.getTime(), 0.0f);

    // A NaN velocity cannot be cancelled by adding its negation: the ball
    // still comes back at rest, and the next tick keeps the run going.
    world.ball->addVelocity(Vector3(nan, 0, std::numeric_limits<float>::infinity()));
    world.ball->setPosition(Vector3(std::numeric_limits<float>::infinity(), 0, 0));
    world.game.update(16);
    EXPECT_EQ(world.ball->getPosition(), Vector3(-3, 7, -3));
    EXPECT_EQ(world.ball->getVelocity(), Vector3());
    EXPECT_EQ(world.ball->getRadius(), Ball::kRadius);
    EXPECT_EQ(world.ball->getMass(), Ball::kMass);
    world.game.update(16);
    EXPECT_EQ(world.game.getTime(), 16.0f);
}

TEST_F(GameTest, WithoutCheckpointsTheRunRestartsEveryFiveSecondsAndNeverFinishes) {
    Game game;
    world.wire(game);
    game.restart();
    game.update(4999);
    world.ball->setPosition(Vector3(1, 1, 1));
    game.update(1);
    EXPECT_EQ(world.ball->getPosition(), Vector3(-3, 7, -3));
    EXPECT_FALSE(world.finishScreen->isVisible());
}

TEST_F(GameTest, TackIconsHideFromTheLastAndComeBackInReverse) {
    Game& game = world.game;
    EXPECT_TRUE(game.canUseTack());
    game.useTack();
    EXPECT_FALSE(world.tacks[2]->isVisible());
    EXPECT_TRUE(world.tacks[1]->isVisible());
    game.useTack();
    EXPECT_FALSE(world.tacks[1]->isVisible());
    game.useTack();
    EXPECT_FALSE(world.tacks[0]->isVisible());
    EXPECT_FALSE(game.canUseTack());
    EXPECT_EQ(game.getTacksUsed(), 3u);
    game.useTack();  // none left: nothing changes
    EXPECT_EQ(game.getTacksUsed(), 3u);

    game.returnTack();
    EXPECT_TRUE(world.tacks[0]->isVisible());  // the one hidden last
    EXPECT_FALSE(world.tacks[1]->isVisible());
    EXPECT_TRUE(game.canUseTack());
    game.useTack();
    EXPECT_FALSE(world.tacks[0]->isVisible());
}

TEST_F(GameTest, ReturningATackWithNoneInUseKeepsTheCountAtZero) {
    world.game.returnTack();
    EXPECT_EQ(world.game.getTacksUsed(), 0u);
    for (auto& tack : world.tacks) EXPECT_TRUE(tack->isVisible());
    EXPECT_TRUE(world.game.canUseTack());
}

TEST_F(GameTest, ManualAndCreditsChoicesKeepTheirScreenUpUntilEscape) {
    world.game.showMenu();
    clickMenuButton(1);
    world.game.update(16);
    world.game.update(16);
    EXPECT_TRUE(world.game.isInMenu());
    EXPECT_TRUE(world.manual.state.enabled);
    EXPECT_FALSE(world.menu.state.enabled);
    EXPECT_FALSE(world.credits.state.enabled);
    EXPECT_TRUE(world.allPlayEntitiesEnabled(false));

    world.manual.onKeyPressed('x');
    world.game.update(16);
    EXPECT_TRUE(world.manual.state.enabled);

    world.manual.onKeyPressed(27);
    EXPECT_TRUE(world.menu.state.enabled);
    EXPECT_EQ(world.menu.getSelection(), MenuChoice::None);
    EXPECT_FALSE(world.manual.state.enabled);
    world.game.update(16);
    EXPECT_TRUE(world.menu.state.enabled);
    EXPECT_TRUE(world.game.isInMenu());

    clickMenuButton(2);
    world.game.update(16);
    EXPECT_TRUE(world.credits.state.enabled);
    EXPECT_FALSE(world.menu.state.enabled);
    world.credits.onSpecialKeyPressed(27);
    world.credits.onKeyReleased(27);
    EXPECT_TRUE(world.credits.state.enabled);
    world.credits.onKeyPressed(27);
    EXPECT_TRUE(world.menu.state.enabled);
    EXPECT_FALSE(world.credits.state.enabled);
    EXPECT_EQ(world.menu.getSelection(), MenuChoice::None);
}

TEST_F(GameTest, LevelsChoiceKeepsTheLevelScreenUpUntilEscape) {
    std::vector<std::size_t> asked;
    world.levels.setChoose([&asked](std::size_t level) { asked.push_back(level); });
    world.game.showMenu();
    world.menu.onMouseButton(kLeftButton, kPressed, menuLayout::levelsClickX(), menuLayout::levelsClickY());
    world.game.update(16);
    world.game.update(16);
    EXPECT_TRUE(world.levels.state.enabled);
    EXPECT_FALSE(world.menu.state.enabled);
    EXPECT_TRUE(world.game.isInMenu());
    EXPECT_TRUE(world.allPlayEntitiesEnabled(false));
    int cx = 0;
    int cy = 0;
    LevelScreen::cardCentre(1, cx, cy);
    world.levels.onMousePassiveMotion(320 + cx, 240 - cy);
    world.game.update(16);
    EXPECT_EQ(world.levels.hintedCard(), 1u);  // the hover outlives the ticks that keep the screen up
    world.levels.onMouseButton(kLeftButton, kPressed, 320 + cx, 240 - cy);
    EXPECT_EQ(asked, std::vector<std::size_t>{1});  // the application switches levels, not the game

    world.levels.onKeyPressed(27);
    EXPECT_TRUE(world.menu.state.enabled);
    EXPECT_FALSE(world.levels.state.enabled);
    world.game.showManual();
    EXPECT_FALSE(world.levels.state.enabled);
}

TEST_F(GameTest, RestartDoesNotTouchTheScreens) {
    world.game.showMenu();
    clickMenuButton(0);
    world.game.restart();
    EXPECT_FALSE(world.game.isInMenu());
    EXPECT_TRUE(world.menu.state.enabled);
    EXPECT_EQ(world.menu.getSelection(), MenuChoice::New);
}

TEST_F(GameTest, ExitButtonEndsTheProcessWithStatusZero) {
    world.game.showMenu();
    clickMenuButton(3);
    EXPECT_EXIT(world.game.update(16), ::testing::ExitedWithCode(0), "");
}

TEST_F(GameTest, ExitIsActedOnOnlyWhileOnTheMenu) {
    clickMenuButton(3);  // the menu's selection, read only in the screen state
    world.game.update(16);
    EXPECT_EQ(world.game.getTime(), 16.0f);
}

}  // namespace
}  // namespace playTest
