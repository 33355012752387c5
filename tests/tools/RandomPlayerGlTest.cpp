#include <gtest/gtest.h>

#include "framework/InputCodes.h"
#include "game/play/Menu.h"
#include "tests/support/GlContext.h"
#include "tools/soak/RandomPlayer.h"

namespace {

using namespace kiln::inputCodes;

using quiltRush::InputEvent;
using quiltRush::Menu;
using quiltRush::RandomPlayer;
using quiltRush::WindowSize;
constexpr int kEvents = 20000;

// The menu of a window of the given size, as its first update leaves it.
class RandomPlayerGlTest : public ::testing::Test {
protected:
    void SetUp() override { testSupport::ensureGlContext(); }

    void resize(unsigned width, unsigned height) {
        menu.setWindowSizeSource([=] { return WindowSize{width, height}; });
        menu.update(16);
    }

    Menu menu;
};

TEST_F(RandomPlayerGlTest, ExitBoxFollowsTheMenusWindowSize) {
    resize(640, 480);
    EXPECT_TRUE(RandomPlayer::pressesExit(menu, 320, 416));
    EXPECT_TRUE(RandomPlayer::pressesExit(menu, 192, 426));  // the box's lower-left corner
    EXPECT_FALSE(RandomPlayer::pressesExit(menu, 320, 164));  // New
    EXPECT_FALSE(RandomPlayer::pressesExit(menu, 191, 416));
    resize(1000, 800);
    EXPECT_FALSE(RandomPlayer::pressesExit(menu, 320, 416));
    EXPECT_TRUE(RandomPlayer::pressesExit(menu, 500, 576));
}

// Every event goes to the menu as the framework would hand it on; Exit must
// never become its selection, while the other buttons do.
TEST_F(RandomPlayerGlTest, MenuNeverSeesAPressOnExitButSeesTheOthers) {
    for (RandomPlayer::Style style : {RandomPlayer::Style::Broad, RandomPlayer::Style::Rough}) {
        RandomPlayer player(3, style);
        resize(640, 480);
        int x = 0;
        int y = 0;
        int chosen[static_cast<int>(quiltRush::MenuChoice::Levels) + 1] = {};
        for (int i = 0; i < kEvents; ++i) {
            InputEvent event = player.next(menu, true);
            if (event.kind == InputEvent::Kind::Move) {
                x = event.x;
                y = event.y;
            } else if (event.kind == InputEvent::Kind::Reshape) {
                resize(static_cast<unsigned>(event.x), static_cast<unsigned>(event.y));
            } else if (event.kind == InputEvent::Kind::Press || event.kind == InputEvent::Kind::Release) {
                menu.onMouseButton(event.button, event.kind == InputEvent::Kind::Press ? kPressed : kReleased, x, y);
            }
            ASSERT_FALSE(menu.isExitSelected()) << "event " << i << " at " << x << ", " << y;
            if (menu.getSelection() != quiltRush::MenuChoice::None) {
                ++chosen[static_cast<int>(menu.getSelection())];
                menu.show();
            }
        }
        EXPECT_GT(chosen[0], 0);
        EXPECT_GT(chosen[1], 0);
        EXPECT_GT(chosen[2], 0);
    }
}

// In play, the rough player keeps the left button down for more events and
// presses space (a tack) for more of its keys than the broad one.
TEST_F(RandomPlayerGlTest, RoughPlayerDragsLongerAndTacksMore) {
    struct Lean {
        double eventsPerHold = 0;
        double spaceShare = 0;
    };
    auto measure = [&](RandomPlayer::Style style) {
        RandomPlayer player(5, style);
        int held = 0, holds = 0, keys = 0, spaces = 0;
        bool down = false;
        for (int i = 0; i < kEvents; ++i) {
            InputEvent event = player.next(menu, false);
            if (event.kind == InputEvent::Kind::Press && event.button == kLeftButton && !down) ++holds;
            if (event.button == kLeftButton && event.kind == InputEvent::Kind::Press) down = true;
            if (event.button == kLeftButton && event.kind == InputEvent::Kind::Release) down = false;
            held += down ? 1 : 0;
            if (event.kind == InputEvent::Kind::Key && event.key != RandomPlayer::kSpecialKey) {
                ++keys;
                spaces += event.key == ' ' ? 1 : 0;
            }
        }
        return Lean{static_cast<double>(held) / holds, static_cast<double>(spaces) / keys};
    };
    Lean broad = measure(RandomPlayer::Style::Broad);
    Lean rough = measure(RandomPlayer::Style::Rough);
    EXPECT_GT(rough.eventsPerHold, 2 * broad.eventsPerHold);
    EXPECT_GT(rough.spaceShare, 0.75);
    EXPECT_LT(broad.spaceShare, 0.6);
}

TEST_F(RandomPlayerGlTest, SameSeedSameEventsOtherSeedOthers) {
    RandomPlayer first(11);
    RandomPlayer again(11);
    RandomPlayer other(12);
    int differences = 0;
    for (int i = 0; i < 1000; ++i) {
        InputEvent event = first.next(menu, i % 7 == 0);
        ASSERT_EQ(event, again.next(menu, i % 7 == 0)) << "event " << i;
        differences += event == other.next(menu, i % 7 == 0) ? 0 : 1;
    }
    EXPECT_GT(differences, 100);
}

TEST_F(RandomPlayerGlTest, PlayInputReachesEveryKindAndZeroSizedWindows) {
    RandomPlayer player(5);
    bool kinds[8] = {};
    bool zeroWidth = false;
    bool zeroHeight = false;
    bool special = false;
    bool rightPress = false;
    for (int i = 0; i < kEvents; ++i) {
        InputEvent event = player.next(menu, false);
        kinds[static_cast<int>(event.kind)] = true;
        if (event.kind == InputEvent::Kind::Reshape) {
            zeroWidth = zeroWidth || event.x == 0;
            zeroHeight = zeroHeight || event.y == 0;
        }
        special = special || (event.kind == InputEvent::Kind::Key && event.key == RandomPlayer::kSpecialKey);
        rightPress = rightPress || (event.kind == InputEvent::Kind::Press && event.button == 2);
    }
    for (InputEvent::Kind kind : {InputEvent::Kind::Move, InputEvent::Kind::Press, InputEvent::Kind::Release,
                                  InputEvent::Kind::Key, InputEvent::Kind::Wheel, InputEvent::Kind::Reshape}) {
        EXPECT_TRUE(kinds[static_cast<int>(kind)]) << static_cast<int>(kind);
    }
    EXPECT_TRUE(zeroWidth);
    EXPECT_TRUE(zeroHeight);
    EXPECT_TRUE(special);
    EXPECT_TRUE(rightPress);
}

}  // namespace
