#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "game/physics/Vector3.h"
#include "tools/driver/InputTimeline.h"
#include "tools/driver/ScratchFolder.h"

namespace kiln {
class ManualClock;
}

namespace quiltRush {

class Ball;
class Camera;
class FinishScreen;
class Game;
class InputHandler;
class Patch;
class QuiltRushApplication;

/// A checkpoint that became reached, and the tick after which it was seen so.
struct CheckpointPass {
    int index = 0;
    int tick = 0;
};

/// Plays the real game without GLUT's main loop: the whole QuiltRushApplication
/// is started through kiln::Manager::startApp (window, entities, callbacks),
/// with a manual clock that moves exactly 16 ms a tick, and input goes in
/// through the framework's own GLUT callbacks. Nothing comes from the X server
/// or a timer, so the same timeline gives the same game every time.
///
/// Needs an X display and the project root (the game reads assets/ and writes
/// log.txt relative to it) as working directory. The game's best times go to
/// a folder of the driver's own, never to the player's "times.txt" there.
/// One per process: the game's singletons end up owned by the registry and
/// cannot be built twice.
class GameDriver {
public:
    static constexpr std::uint32_t kTickMillis = 16;
    static constexpr int kWindowWidth = static_cast<int>(kiln::Application::kDefaultWidth);
    static constexpr int kWindowHeight = static_cast<int>(kiln::Application::kDefaultHeight);

    /// Builds and starts the game on the pack level named (empty: the plain
    /// start's level); the window then gets its first reshape, as GLUT gives
    /// it when it first shows. display: draw and swap every tick (off makes a
    /// search several times faster; the game plays the same). Throws
    /// std::logic_error for a second driver in one process and
    /// std::invalid_argument for a name the pack does not have.
    explicit GameDriver(bool display = true, const std::string& level = "");
    GameDriver(const GameDriver&) = delete;
    GameDriver& operator=(const GameDriver&) = delete;

    /// Hands one event to the framework's GLUT callbacks, as freeglut would:
    /// a move is a motion event while a button is held, else a passive one;
    /// buttons and keys carry the last mouse position.
    void deliver(const InputEvent& event);
    /// One tick: the clock moves 16 ms, the application updates, and with
    /// display on one frame is drawn and swapped. The first tick only primes
    /// the clock, as in the game.
    void step();
    /// From the current tick on, delivers each tick's events of the timeline
    /// (events of ticks already run are skipped) and steps, until stop returns
    /// true after a tick or tickLimit ticks have run in all. Returns the ticks run in all.
    int run(const InputTimeline& timeline, int tickLimit,
            const std::function<bool(const GameDriver&)>& stop = nullptr);

    /// Builds the pack level named in place of the one played, as a click on
    /// the level screen does, and counts ticks, passes and finishes from 0
    /// again: the next tick only primes the clock, as a fresh game's first.
    /// (A card clicked on the level screen changes the level too; the driver
    /// then goes on counting, and watches the new level's checkpoints.)
    /// Throws std::invalid_argument for a name the pack does not have.
    void switchLevel(const std::string& level);

    /// Ticks run so far (since the last switch of level).
    int getTick() const { return tick; }

    Game& getGame() const;
    Ball& getBall() const;
    FinishScreen& getFinishScreen() const;
    Camera& getCamera() const;
    Patch& getPatch() const;
    InputHandler& getInput() const;
    QuiltRushApplication& getApplication() const { return *application; }

    /// Every checkpoint that became reached, in the order seen (after a
    /// restart the same index can come again).
    const std::vector<CheckpointPass>& getPasses() const { return passes; }
    /// The ball's centre after every tick, from the first on.
    const std::vector<Vector3>& getBallTrace() const { return ballTrace; }
    /// Off: the ball's trace is no longer kept (long runs whose memory is watched).
    void setTracing(bool on) { tracing = on; }
    /// Ticks after which the finish screen had just come up.
    const std::vector<int>& getFinishTicks() const { return finishTicks; }

    /// The window pixel (origin top-left, as a mouse event gives it) at which
    /// the camera's current matrices show a world point; false when the point
    /// is behind the eye, past the far plane or outside the window.
    bool windowPixelOf(const Vector3& point, int& x, int& y) const;

    /// The frame drawn last (the back buffer), as a binary PPM image, rows from the top.
    /// Only with display on; returns false when the file cannot be written.
    bool saveFrame(const std::string& path) const;

private:
    void observe();
    void forgetObservations();

    ScratchFolder saves{"quiltrush-driver"};  // where the game keeps its best times
    QuiltRushApplication* application = nullptr;
    kiln::ManualClock* clock = nullptr;  // owned by the application
    bool display;
    int tick = 0;
    int mouseX = 0;
    int mouseY = 0;
    unsigned buttonsHeld = 0;  // bit per GLUT button
    unsigned worldObserved = 0;  // the application's count of worlds built, when reached was sized
    std::vector<bool> reached;
    bool finishShown = false;
    std::vector<CheckpointPass> passes;
    std::vector<Vector3> ballTrace;
    bool tracing = true;
    std::vector<int> finishTicks;
};

}  // namespace quiltRush
