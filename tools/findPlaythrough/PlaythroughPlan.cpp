// A plan is played live: each drag is aimed at its sphere where the camera
// shows it at the moment of the grab, and every input goes into the timeline
// as it is delivered. Because the game is deterministic, replaying that
// timeline later gives exactly the same game.
#include "framework/InputCodes.h"
#include "game/play/MenuLayout.h"
#include "tools/findPlaythrough/PlaythroughPlan.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

#include "game/physics/Ball.h"
#include "game/physics/Checkpoint.h"
#include "game/physics/Patch.h"
#include "game/play/FinishScreen.h"
#include "game/play/Game.h"
#include "game/play/InputHandler.h"
#include "game/scene/QuiltRushApplication.h"
#include "tools/driver/GameDriver.h"

namespace quiltRush {

namespace {

using namespace kiln::inputCodes;

// Nothing of the course lies this low: a ball below it is gone, and the game
// will restart the run once it passes the fall height.
constexpr float kLostHeight = -10.0f;

// After the last input the course takes a rolling ball two or three seconds;
// a ball still short of the finish after this long is stuck.
constexpr int kSettleTicks = 8 * 1000 / 16;

constexpr float kFar = 1.0e9f;  // a gap never measured

constexpr double kFinishScore = 1.0e6;
constexpr double kCheckpointScore = 1.0e3;
constexpr double kNearnessScore = 10.0;  // per world unit of closest approach

std::vector<int> numbersOf(const std::string& text, char separator) {
    std::vector<int> numbers;
    std::istringstream in(text);
    for (std::string word; std::getline(in, word, separator);) {
        std::size_t used = 0;
        int value = 0;
        try {
            value = std::stoi(word, &used);
        } catch (const std::exception&) {
            throw std::invalid_argument("'" + word + "' is not a whole number");
        }
        if (used != word.size()) throw std::invalid_argument("'" + word + "' is not a whole number");
        numbers.push_back(value);
    }
    return numbers;
}

// The running state of one played plan.
class PlanPlayer {
public:
    PlanPlayer(GameDriver& driver, int tickLimit, InputTimeline& timeline)
        : driver(driver),
          tickLimit(tickLimit),
          timeline(timeline),
          grids(gridShapes(driver.getApplication().getGameData())) {}

    PlanOutcome play(const Plan& plan) {
        timeline.move(0, menuLayout::clickX(menuLayout::kNew), menuLayout::clickY(menuLayout::kNew));
        timeline.press(1, kLeftButton);
        timeline.release(2, kLeftButton);
        runTo(3);
        for (const Drag& drag : plan.drags) {
            if (over()) break;
            playDrag(drag);
        }
        // Hands off: the ball has this long to finish the course.
        runTo(driver.getTick() + kSettleTicks);
        return finish();
    }

private:
    void playDrag(const Drag& drag) {
        runTo(driver.getTick() + drag.waitTicks);
        if (over()) return;
        if (drag.row == Drag::kOrbit) {
            playOrbit(drag);
            return;
        }
        int x = 0;
        int y = 0;
        if (!sphereToPixel(drag, x, y)) {
            ++outcome.picksMissed;
            return;
        }
        // The press picks with the mouse point of the tick after the move.
        timeline.move(driver.getTick(), x, y);
        runTo(driver.getTick() + 1);
        if (over()) return;
        timeline.press(driver.getTick(), kLeftButton);
        runTo(driver.getTick() + 1);
        if (driver.getInput().getSelected() == nullptr) ++outcome.picksMissed;
        int moveTicks = std::max(1, drag.moveTicks);
        for (int k = 1; k <= moveTicks; ++k) {
            if (over()) return;
            moveInWindow(x + drag.dx * k / moveTicks, y + drag.dy * k / moveTicks);
            runTo(driver.getTick() + 1);
        }
        runTo(driver.getTick() + drag.holdTicks);
        if (over()) return;
        if (drag.tack) timeline.key(driver.getTick(), kSpace);
        timeline.release(driver.getTick(), kLeftButton);
        runTo(driver.getTick() + 1);
    }

    // The right button held from the window centre: the camera orbits its
    // target one degree per pixel. The first tick with the button held only
    // primes the orbit, so the mouse moves from the tick after.
    void playOrbit(const Drag& drag) {
        const int x = GameDriver::kWindowWidth / 2;
        const int y = GameDriver::kWindowHeight / 2;
        timeline.move(driver.getTick(), x, y);
        timeline.press(driver.getTick(), kRightButton);
        runTo(driver.getTick() + 1);
        int moveTicks = std::max(1, drag.moveTicks);
        for (int k = 1; k <= moveTicks; ++k) {
            if (over()) return;
            moveInWindow(x + drag.dx * k / moveTicks, y + drag.dy * k / moveTicks);
            runTo(driver.getTick() + 1);
        }
        if (over()) return;
        timeline.release(driver.getTick(), kRightButton);
        runTo(driver.getTick() + 1 + drag.holdTicks);
    }

    // A player's mouse stops at the window's edges.
    void moveInWindow(int x, int y) {
        timeline.move(driver.getTick(), std::clamp(x, 0, GameDriver::kWindowWidth - 1),
                      std::clamp(y, 0, GameDriver::kWindowHeight - 1));
    }

    bool sphereToPixel(const Drag& drag, int& x, int& y) const {
        if (drag.grid < 0 || drag.grid >= static_cast<int>(grids.size())) return false;
        const GridShape& grid = grids[static_cast<std::size_t>(drag.grid)];
        if (drag.row < 0 || drag.col < 0 || drag.row >= grid.rows || drag.col >= grid.cols) return false;
        const std::vector<Sphere*>& spheres = driver.getPatch().getSpheres();
        std::size_t index = grid.firstSphere + static_cast<std::size_t>(drag.row) * static_cast<std::size_t>(grid.cols) +
                            static_cast<std::size_t>(drag.col);
        if (index >= spheres.size()) return false;
        return driver.windowPixelOf(spheres[index]->getPosition(), x, y);
    }

    // Runs tick by tick up to the given tick, watching for the end of the game.
    void runTo(int target) {
        target = std::min(target, tickLimit);
        if (over()) return;
        driver.run(timeline, target, [this](const GameDriver& played) {
            watch(played);
            return over();
        });
    }

    void watch(const GameDriver& played) {
        const Ball& ball = played.getBall();
        Vector3 centre = ball.getPosition();
        if (!(centre.y >= kLostHeight)) lost = true;
        const std::vector<Checkpoint*>& checkpoints = played.getGame().getCheckpoints();
        closest.resize(checkpoints.size(), kFar);
        for (std::size_t i = 0; i < checkpoints.size(); ++i) {
            float gap = length(checkpoints[i]->getCenter() - centre) - checkpoints[i]->getRadius() - ball.getRadius();
            closest[i] = std::min(closest[i], std::max(gap, 0.0f));
        }
    }

    bool over() const { return lost || !driver.getFinishTicks().empty() || driver.getTick() >= tickLimit; }

    PlanOutcome finish() {
        outcome.lost = lost;
        outcome.ticks = driver.getTick();
        outcome.checkpointsPassed = static_cast<int>(driver.getPasses().size());
        // How near the ball came to the bubbles it never reached.
        outcome.nearest = kFar;
        const std::vector<Checkpoint*>& checkpoints = driver.getGame().getCheckpoints();
        for (std::size_t i = 0; i < checkpoints.size() && i < closest.size(); ++i) {
            if (!checkpoints[i]->isReached()) outcome.nearest = std::min(outcome.nearest, closest[i]);
        }
        if (outcome.nearest == kFar) outcome.nearest = 0.0f;
        if (!driver.getFinishTicks().empty()) {
            outcome.finished = true;
            outcome.finishTick = driver.getFinishTicks().front();
            outcome.finishText = driver.getFinishScreen().getText();
        }
        return outcome;
    }

    GameDriver& driver;
    int tickLimit;
    InputTimeline& timeline;
    const std::vector<GridShape> grids;  // the level's, read once: every drag aims at one
    PlanOutcome outcome;
    bool lost = false;
    std::vector<float> closest;  // per checkpoint: the smallest gap between ball and bubble so far
};

}  // namespace

std::string Plan::toText() const {
    std::ostringstream out;
    for (std::size_t i = 0; i < drags.size(); ++i) {
        const Drag& d = drags[i];
        if (i > 0) out << ';';
        out << d.waitTicks << ',' << d.row << ',' << d.col << ',' << d.dx << ',' << d.dy << ',' << d.moveTicks << ','
            << d.holdTicks << ',' << (d.tack ? 1 : 0);
        if (d.grid != 0) out << ',' << d.grid;  // plans on one grid read as they always did
    }
    return out.str();
}

Plan Plan::parse(const std::string& text) {
    Plan plan;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, ';');) {
        if (part.empty()) continue;
        std::vector<int> n = numbersOf(part, ',');
        if (n.size() != 8 && n.size() != 9) throw std::invalid_argument("a drag has 8 or 9 numbers: '" + part + "'");
        if (n[0] < 0 || n[5] < 1 || n[6] < 0) throw std::invalid_argument("wait, move and hold ticks: '" + part + "'");
        if (n.size() == 9 && n[8] < 0) throw std::invalid_argument("a grid is counted from 0: '" + part + "'");
        plan.drags.push_back({n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7] != 0, n.size() == 9 ? n[8] : 0});
    }
    return plan;
}

double PlanOutcome::score() const {
    if (finished) return kFinishScore - finishTick;
    return kCheckpointScore * checkpointsPassed - kNearnessScore * nearest;
}

std::string PlanOutcome::toText() const {
    std::ostringstream out;
    out << (finished ? 1 : 0) << ' ' << finishTick << ' ' << (finishText.empty() ? "-" : finishText) << ' '
        << checkpointsPassed << ' ' << (lost ? 1 : 0) << ' ' << ticks << ' ' << nearest << ' ' << picksMissed;
    return out.str();
}

PlanOutcome PlanOutcome::parse(const std::string& text) {
    PlanOutcome outcome;
    std::istringstream in(text);
    int finished = 0;
    int lost = 0;
    in >> finished >> outcome.finishTick >> outcome.finishText >> outcome.checkpointsPassed >> lost >> outcome.ticks >>
        outcome.nearest >> outcome.picksMissed;
    if (!in) throw std::invalid_argument("not an outcome: '" + text + "'");
    outcome.finished = finished != 0;
    outcome.lost = lost != 0;
    if (outcome.finishText == "-") outcome.finishText.clear();
    return outcome;
}

PlanOutcome playPlan(GameDriver& driver, const Plan& plan, int tickLimit, InputTimeline& timeline) {
    PlanPlayer player(driver, tickLimit, timeline);
    return player.play(plan);
}

}  // namespace quiltRush
