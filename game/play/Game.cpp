#include "game/play/Game.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <utility>

#include "framework/Manager.h"
#include "game/physics/Ball.h"
#include "game/physics/Checkpoint.h"
#include "game/physics/Patch.h"
#include "game/physics/Tack.h"
#include "game/play/BestTimes.h"
#include "game/play/Camera.h"
#include "game/play/Credits.h"
#include "game/play/FinishScreen.h"
#include "game/play/LevelScreen.h"
#include "game/play/Manual.h"
#include "game/play/Menu.h"

namespace quiltRush {

namespace {

const Vector3 kStartEye(0.0f, 10.0f, -2.0f);
const Vector3 kStartBall(-3.0f, 7.0f, -3.0f);

}  // namespace

Game::Game() : kiln::Entity("Game") {}

Game::~Game() = default;

void Game::setBestTimes(std::unique_ptr<BestTimes> times, std::string key) {
    bestTimes = std::move(times);
    levelKey = std::move(key);
}

void Game::init() {
    // The game draws its own cursor pictures from here on.
    glutSetCursor(GLUT_CURSOR_NONE);
    restart();
    showMenu();
}

void Game::update(unsigned long millis) {
    if (bestTimes != nullptr) bestTimes->writeNotes();  // what the saving thread had to say
    if (inMenu) {
        actOnMenu();
        return;
    }
    play(static_cast<std::uint32_t>(millis));
}

// Runs on every tick of the screen state: the selection stays until the next
// showMenu, so a Manual or Credits choice keeps its screen up.
void Game::actOnMenu() {
    if (menu->isExitSelected()) {
        kiln::Manager::instance()->shutdown();
    }
    if (menu->isNewSelected() || menu->isManualSelected() || menu->isCreditsSelected() ||
        (menu->isLevelsSelected() && levels != nullptr)) {
        applyMenuChoice();
    }
}

// The physics engine is updated before the game, so the ball is where this
// tick's step left it.
void Game::play(std::uint32_t millis) {
    elapsed += millis;
    if (ballIsLost()) {
        ++falls;
        sounds->play(Sound::Fall);
        restart();
    }
    if (checkpointsPassed == checkpoints.size() && elapsed >= kFinishPauseMillis) restart();
    passCheckpoints();
}

bool Game::ballIsLost() const {
    // A position that is no longer a number can never come back by itself.
    Vector3 position = ball->getPosition();
    return !isFinite(position) || position.y < kFallHeight;
}

void Game::passCheckpoints() {
    for (std::size_t i = 0; i < checkpoints.size(); ++i) {
        Checkpoint* checkpoint = checkpoints[i];
        if (checkpoint->isReached() || !checkpoint->touch(*ball)) continue;
        std::printf("checkpoint %d\n", static_cast<int>(i));
        std::fflush(stdout);  // a reader on a pipe sees each line as it happens
        sounds->play(Sound::Chime, checkpointsPassed);  // each one of the run rings higher
        ++checkpointsPassed;
        if (checkpointsPassed == checkpoints.size()) {
            finishScreen->show(elapsed);
            sounds->play(Sound::Fanfare);
            if (bestTimes != nullptr) finishScreen->showBest(bestTimes->record(levelKey, elapsed));
            elapsed = 0;  // from now on the time since the finish
        }
    }
}

void Game::restart() {
    inMenu = false;
    enablePlayEntities(true);
    finishScreen->hide();
    camera->setEye(kStartEye);
    resetBall();
    checkpointsPassed = 0;
    for (Checkpoint* checkpoint : checkpoints) checkpoint->reset();
    tacksUsed = 0;
    for (Tack* tack : tacks) tack->show();
    patch->releaseTacks();
    elapsed = 0;
}

void Game::resetBall() {
    ball->setPosition(kStartBall);
    ball->addVelocity(-ball->getVelocity());
    if (!isFinite(ball->getVelocity()) || !isFinite(ball->getDeltaVelocity())) {
        // Cancelling an infinite or NaN velocity leaves NaN: give the ball a
        // fresh body at the start point instead.
        Sphere& body = *ball;
        body = Sphere(kStartBall, body.getRadius(), body.getMass(), body.getDamping());
    }
}

void Game::enablePlayEntities(bool on) {
    for (kiln::Entity* entity : entities) entity->state.enabled = on;
}

void Game::suspend() {
    inMenu = true;
    menu->state.enabled = false;
    manual->state.enabled = false;
    credits->state.enabled = false;
    if (levels != nullptr) levels->state.enabled = false;
    enablePlayEntities(false);
}

void Game::showMenu() {
    suspend();
    menu->show();
}

void Game::showManual() {
    suspend();
    manual->show();
}

void Game::showCredits() {
    suspend();
    credits->show();
}

// The Levels choice is applied again on every tick it stays: only the first
// opens the screen afresh, the others keep it up as the player left it.
void Game::showLevels() {
    bool up = levels != nullptr && levels->state.enabled;
    suspend();
    if (levels == nullptr) return;
    if (up) {
        levels->state.enabled = true;
    } else {
        levels->show();
    }
}

void Game::leaveMenu() {
    inMenu = false;
    if (menu->isNewSelected()) {
        enablePlayEntities(true);
    } else if (menu->isManualSelected()) {
        showManual();
    } else if (menu->isCreditsSelected()) {
        showCredits();
    } else if (menu->isLevelsSelected()) {
        showLevels();
    }
}

void Game::applyMenuChoice() {
    leaveMenu();
    menu->hide();
}

bool Game::canUseTack() const { return tacksUsed < tacks.size(); }

// Icons go from the last towards the first, and come back in the opposite order.
void Game::useTack() {
    if (!canUseTack()) return;
    tacks[tacks.size() - tacksUsed - 1]->hide();
    ++tacksUsed;
}

void Game::returnTack() {
    if (tacksUsed == 0) return;  // nothing to give back: the count never goes below zero
    tacks[tacks.size() - tacksUsed]->show();
    --tacksUsed;
}

}  // namespace quiltRush
