#include "tools/soak/RandomPlayer.h"

#include "framework/InputCodes.h"
#include "game/play/Menu.h"

namespace quiltRush {

namespace {

using namespace kiln::inputCodes;
constexpr int kOutside = 40;  // pixels a drag may leave the window by
constexpr int kMaxMoveStep = 60;
constexpr unsigned char kControlKeys[] = {27, 13, ' ', 'd', 'D', 'a', 'q', 'x', '1', '\t', 127, 8, 200};
constexpr unsigned char kKeyCount = sizeof kControlKeys;
constexpr int kSpecialKeys[] = {1, 12, 100, 101, 102, 103, 104, 105, 106, 107, 108};  // F1, F12, arrows, pages...

InputEvent make(InputEvent::Kind kind) {
    InputEvent event;
    event.kind = kind;
    return event;
}

}  // namespace

RandomPlayer::RandomPlayer(unsigned seed, Style style) : random(seed), style(style) {}

int RandomPlayer::uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

bool RandomPlayer::chance(double probability) { return std::bernoulli_distribution(probability)(random); }

// Mostly a quiet tick or one event, now and then a burst.
int RandomPlayer::eventsThisTick() {
    if (chance(0.6)) return 0;
    return chance(0.9) ? 1 : uniform(2, 6);
}

bool RandomPlayer::pressesExit(const Menu& menu, int x, int y) {
    return menu.choiceAt(x, y) == MenuChoice::Exit;
}

InputEvent RandomPlayer::next(const Menu& menu, bool menuShown) {
    InputEvent event = menuShown ? menuEvent(menu) : playEvent();
    if (event.kind == InputEvent::Kind::Move) {
        mouseX = event.x;
        mouseY = event.y;
    }
    if (menuShown && event.kind == InputEvent::Kind::Press && event.button == kLeftButton &&
        pressesExit(menu, mouseX, mouseY)) {
        held[kLeftButton] = false;
        event = make(InputEvent::Kind::Move);
        event.x = mouseX;
        event.y = mouseY = menu.getWindowHeight() / 2 - 8;  // between New and Manual's boxes
    }
    if (event.kind == InputEvent::Kind::Reshape) {
        width = event.x;
        height = event.y;
    }
    return event;
}

// On the menu: mostly New (so that most of the time is play), sometimes
// Manual, Credits or Levels (whose cards then get the clicks of play and
// change the level), stray clicks and keys, and moves.
InputEvent RandomPlayer::menuEvent(const Menu& menu) {
    int pick = uniform(0, 99);
    if (pick < 2) {
        InputEvent move = make(InputEvent::Kind::Move);
        move.x = menu.getWindowWidth() / 2 + menuLayout::kLevelsCentreX + uniform(-60, 60);
        move.y = menu.getWindowHeight() / 2 - menuLayout::kLevelsCentreY + uniform(-15, 15);
        return move;
    }
    if (pick < 30) {
        int choice = pick < 26 ? static_cast<int>(MenuChoice::New)
                                : static_cast<int>(pick < 28 ? MenuChoice::Manual : MenuChoice::Credits);
        const Button& button = *menu.getButtons()[choice];
        InputEvent move = make(InputEvent::Kind::Move);
        move.x = menu.getWindowWidth() / 2 + static_cast<int>(button.getX()) + uniform(-100, 100);
        move.y = menu.getWindowHeight() / 2 - static_cast<int>(button.getY()) + uniform(-15, 15);
        return move;
    }
    if (pick < 70) return buttonEvent(kLeftButton);
    if (pick < 80) return keyEvent();
    if (pick < 83) return reshapeEvent();
    return moveEvent();
}

InputEvent RandomPlayer::playEvent() {
    int pick = uniform(0, 999);
    if (style == Style::Rough) {
        // Moves carry the drags; a button changes seldom, so drags and orbits last.
        if (pick < 700) return moveEvent();
        if (pick < 780) return buttonEvent(kLeftButton);
        if (pick < 840) return buttonEvent(kRightButton);
        if (pick < 870) return wheelEvent();
        if (pick < 998) return keyEvent();
        return reshapeEvent();
    }
    if (pick < 400) return moveEvent();
    if (pick < 600) return buttonEvent(kLeftButton);
    if (pick < 700) return buttonEvent(kRightButton);
    if (pick < 730) return buttonEvent(1);
    if (pick < 800) return wheelEvent();
    if (pick < 995) return keyEvent();
    return reshapeEvent();
}

InputEvent RandomPlayer::wheelEvent() {
    InputEvent wheel = make(InputEvent::Kind::Wheel);
    wheel.button = chance(0.5) ? kWheelUp : kWheelDown;
    return wheel;
}

// Presses what is up and releases what is down; a release of a button not
// held happens too, as GLUT can deliver one after a focus change.
InputEvent RandomPlayer::buttonEvent(int button) {
    bool press = held[button] ? chance(0.1) : chance(0.9);
    InputEvent event = make(press ? InputEvent::Kind::Press : InputEvent::Kind::Release);
    event.button = button;
    held[button] = press;
    return event;
}

InputEvent RandomPlayer::moveEvent() {
    InputEvent move = make(InputEvent::Kind::Move);
    bool dragging = held[kLeftButton] || held[kRightButton];
    if (chance(0.1)) {
        // A jump anywhere, a little outside the window while a button is held.
        int margin = dragging ? kOutside : 0;
        move.x = uniform(-margin, width + margin);
        move.y = uniform(-margin, height + margin);
    } else {
        // A rough drag pulls far and fast, mostly downwards as into the course.
        int step = style == Style::Rough && dragging ? 3 * kMaxMoveStep : kMaxMoveStep;
        int downwards = style == Style::Rough && dragging ? step / 2 : 0;
        move.x = mouseX + uniform(-step, step);
        move.y = mouseY + uniform(-step + downwards, step + downwards);
    }
    return move;
}

InputEvent RandomPlayer::keyEvent() {
    int pick = uniform(0, 99);
    InputEvent key = make(InputEvent::Kind::Key);
    if (pick < 8) {
        key.key = kSpecialKey;
        key.x = kSpecialKeys[uniform(0, sizeof kSpecialKeys / sizeof kSpecialKeys[0] - 1)];
        return key;
    }
    if (style == Style::Rough) {
        // Tacks most; restarts, the menu and the debug view now and then.
        key.key = pick < 83 ? kSpace : pick < 89 ? kEnter : pick < 93 ? kEscape : 'd';
        return key;
    }
    // Space and 'd' most, Escape and Enter (which end a drag's run) less, the rest now and then.
    if (pick < 50) {
        key.key = ' ';
    } else if (pick < 55) {
        key.key = 27;
    } else if (pick < 65) {
        key.key = 13;
    } else if (pick < 80) {
        key.key = 'd';
    } else {
        key.key = kControlKeys[uniform(0, kKeyCount - 1)];
    }
    return key;
}

// Back to the usual size most times; otherwise any size, zero width or height included.
InputEvent RandomPlayer::reshapeEvent() {
    InputEvent reshape = make(InputEvent::Kind::Reshape);
    int pick = uniform(0, 9);
    reshape.x = GameDriver::kWindowWidth;
    reshape.y = GameDriver::kWindowHeight;
    if (pick == 0) {
        reshape.y = 0;
    } else if (pick == 1) {
        reshape.x = 0;
    } else if (pick == 2) {
        reshape.x = reshape.y = 0;
    } else if (pick == 3) {
        reshape.x = uniform(1, 2000);
        reshape.y = uniform(1, 1500);
    }
    return reshape;
}

}  // namespace quiltRush
