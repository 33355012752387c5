// The driver does by hand what GLUT's main loop does for the game: it hands
// input to the framework's callbacks and then runs the tick (update, then the
// redisplay that the tick posts). It never lets GLUT process X events or
// timers, so no real mouse, window manager or wall clock can reach the game.
#include "framework/InputCodes.h"
#include "tools/driver/GameDriver.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "framework/GlutCallbacks.h"
#include "framework/Manager.h"
#include "framework/ManualClock.h"
#include "framework/Registry.h"
#include "game/physics/Ball.h"
#include "game/physics/Checkpoint.h"
#include "game/physics/Patch.h"
#include "game/play/BestTimes.h"
#include "game/play/Camera.h"
#include "game/play/FinishScreen.h"
#include "game/play/Game.h"
#include "game/play/InputHandler.h"
#include "game/scene/QuiltRushApplication.h"

namespace quiltRush {

namespace {

using namespace kiln::inputCodes;

bool driverMade = false;

template <class T>
T& entity(const char* id) {
    T* found = dynamic_cast<T*>(kiln::Registry::instance()->find(id));
    if (found == nullptr) throw std::logic_error(std::string("the game has no entity '") + id + "'");
    return *found;
}

std::size_t packIndexOf(QuiltRushApplication& application, const std::string& level) {
    const LevelPack& pack = application.getPack();
    const PackLevel* found = pack.find(level);
    if (found == nullptr) throw std::invalid_argument("the level pack has no level '" + level + "'");
    return pack.indexOfFile(found->file);
}

}  // namespace

GameDriver::GameDriver(bool display, const std::string& level) : display(display) {
    if (driverMade) throw std::logic_error("the game can be built only once per process");
    application = new QuiltRushApplication();
    // A search's or a replay's finishes are not the player's best times.
    application->setBestTimesFile(saves.path() + "/" + BestTimes::kFileName);
    if (!level.empty()) {
        try {
            application->setLevelFile(application->getPack().getLevels()[packIndexOf(*application, level)].file);
        } catch (...) {
            delete application;
            throw;
        }
    }
    driverMade = true;

    auto manualClock = std::make_unique<kiln::ManualClock>();
    clock = manualClock.get();
    application->setClock(std::move(manualClock));

    int argc = 1;
    char name[] = "quiltrush";
    char* argv[] = {name, nullptr};
    kiln::Manager::instance()->startApp(application, argc, argv);
    kiln::reshapeCallback(kWindowWidth, kWindowHeight);
    forgetObservations();
}

void GameDriver::switchLevel(const std::string& level) {
    application->switchLevel(packIndexOf(*application, level));
    tick = 0;
    forgetObservations();
}

void GameDriver::forgetObservations() {
    worldObserved = application->getWorldsBuilt();
    reached.assign(getGame().getCheckpoints().size(), false);
    finishShown = false;
    passes.clear();
    ballTrace.clear();
    finishTicks.clear();
}

void GameDriver::deliver(const InputEvent& event) {
    switch (event.kind) {
        case InputEvent::Kind::Move:
            mouseX = event.x;
            mouseY = event.y;
            if (buttonsHeld != 0) {
                kiln::motionCallback(mouseX, mouseY);
            } else {
                kiln::passiveMotionCallback(mouseX, mouseY);
            }
            break;
        case InputEvent::Kind::Press:
            buttonsHeld |= 1u << event.button;
            kiln::mouseCallback(event.button, kPressed, mouseX, mouseY);
            break;
        case InputEvent::Kind::Release:
            buttonsHeld &= ~(1u << event.button);
            kiln::mouseCallback(event.button, kReleased, mouseX, mouseY);
            break;
        case InputEvent::Kind::Wheel:
            // A wheel step holds no button: freeglut reports it as a press and a release at once.
            kiln::mouseCallback(event.button, kPressed, mouseX, mouseY);
            kiln::mouseCallback(event.button, kReleased, mouseX, mouseY);
            break;
        case InputEvent::Kind::Key:
            kiln::keyboardCallback(event.key, mouseX, mouseY);
            kiln::keyboardUpCallback(event.key, mouseX, mouseY);
            break;
        case InputEvent::Kind::KeyDown:
            kiln::keyboardCallback(event.key, mouseX, mouseY);
            break;
        case InputEvent::Kind::KeyUp:
            kiln::keyboardUpCallback(event.key, mouseX, mouseY);
            break;
        case InputEvent::Kind::Reshape:
            kiln::reshapeCallback(event.x, event.y);
            break;
    }
}

void GameDriver::step() {
    // The first tick only primes the game's clock, so the clock may move first every time.
    clock->advance(kTickMillis);
    application->update();
    if (display) {
        application->display();
        glutSwapBuffers();
    }
    ++tick;
    observe();
}

// Checkpoints and the finish screen are read after each tick: the printed
// lines are the game's own record, these are the driver's.
void GameDriver::observe() {
    if (application->getWorldsBuilt() != worldObserved) {
        worldObserved = application->getWorldsBuilt();
        reached.assign(getGame().getCheckpoints().size(), false);
        finishShown = false;
    }
    const std::vector<Checkpoint*>& checkpoints = getGame().getCheckpoints();
    for (std::size_t i = 0; i < checkpoints.size(); ++i) {
        bool now = checkpoints[i]->isReached();
        if (now && !reached[i]) passes.push_back({static_cast<int>(i), tick});
        reached[i] = now;
    }
    bool shown = getFinishScreen().isVisible();
    if (shown && !finishShown) finishTicks.push_back(tick);
    finishShown = shown;
    if (tracing) ballTrace.push_back(getBall().getPosition());
}

int GameDriver::run(const InputTimeline& timeline, int tickLimit,
                    const std::function<bool(const GameDriver&)>& stop) {
    const std::vector<InputEvent>& events = timeline.getEvents();
    std::size_t next = 0;
    while (next < events.size() && events[next].tick < tick) ++next;
    while (tick < tickLimit) {
        for (; next < events.size() && events[next].tick == tick; ++next) deliver(events[next]);
        step();
        if (stop && stop(*this)) break;
    }
    return tick;
}

Game& GameDriver::getGame() const { return *application->getGame(); }
Ball& GameDriver::getBall() const { return entity<Ball>("Ball"); }
FinishScreen& GameDriver::getFinishScreen() const { return entity<FinishScreen>("FinishScreen"); }
Camera& GameDriver::getCamera() const { return *getGame().getCamera(); }
Patch& GameDriver::getPatch() const { return *getGame().getPatch(); }
InputHandler& GameDriver::getInput() const { return *InputHandler::instance(); }

bool GameDriver::windowPixelOf(const Vector3& point, int& x, int& y) const {
    const Camera& camera = getCamera();
    GLint viewport[4] = {0, 0, kWindowWidth, kWindowHeight};
    double windowX = 0.0;
    double windowY = 0.0;
    double depth = 0.0;
    if (gluProject(point.x, point.y, point.z, camera.getViewMatrix(), camera.getProjectionMatrix(), viewport,
                   &windowX, &windowY, &depth) != GL_TRUE) {
        return false;
    }
    if (depth < 0.0 || depth > 1.0) return false;  // behind the eye or past the far plane
    // GL's window rows count from the bottom, a mouse event's from the top.
    x = static_cast<int>(std::lround(windowX));
    y = kWindowHeight - static_cast<int>(std::lround(windowY));
    return x >= 0 && x < kWindowWidth && y >= 0 && y < kWindowHeight;
}

bool GameDriver::saveFrame(const std::string& path) const {
    if (!display) return false;
    std::vector<unsigned char> pixels(static_cast<std::size_t>(kWindowWidth) * kWindowHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kWindowWidth, kWindowHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", kWindowWidth, kWindowHeight);
    // GL's rows start at the bottom; an image file's at the top.
    const std::size_t row = static_cast<std::size_t>(kWindowWidth) * 3;
    for (int y = kWindowHeight - 1; y >= 0; --y) std::fwrite(&pixels[static_cast<std::size_t>(y) * row], 1, row, file);
    return std::fclose(file) == 0;
}

}  // namespace quiltRush
