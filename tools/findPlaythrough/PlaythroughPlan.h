#pragma once

#include <string>
#include <vector>

#include "tools/driver/InputTimeline.h"
#include "tools/findPlaythrough/GridShape.h"

namespace quiltRush {

class GameDriver;

/// One drag of a cloth sphere, as a player does it: after waitTicks, move the
/// mouse onto the sphere (row along x, column along z of the level's grid
/// number grid, counted from 0 in file order), press the left button, move
/// the mouse (dx, dy) pixels in a straight line over moveTicks, hold
/// holdTicks, tack the sphere there with space if tack, release.
/// A row of kOrbit makes the step an orbit instead: the right button is held
/// at the window centre and the mouse moves (dx, dy) over moveTicks, turning
/// the camera about its target (the column, hold and tack are not used).
struct Drag {
    static constexpr int kOrbit = -1;

    int waitTicks = 0;
    int row = 0;
    int col = 0;
    int dx = 0;
    int dy = 0;
    int moveTicks = 1;
    int holdTicks = 0;
    bool tack = false;
    int grid = 0;
};

/// A whole strategy: the menu's New button at the start, the drags one after
/// another, then hands off.
struct Plan {
    std::vector<Drag> drags;

    /// "wait,row,col,dx,dy,move,hold,tack" per drag, drags separated by ';';
    /// a drag on a grid other than the first adds ",grid".
    std::string toText() const;
    /// Reads toText()'s form; throws std::invalid_argument for anything else.
    static Plan parse(const std::string& text);
};

/// How a played plan ended.
struct PlanOutcome {
    bool finished = false;
    int finishTick = -1;       // tick after which the finish screen came up
    std::string finishText;    // the time it shows
    int checkpointsPassed = 0; // in the first run, before any fall
    bool lost = false;         // the ball fell off the course
    int ticks = 0;             // ticks played
    float nearest = 0.0f;      // closest approach of the ball's surface to an unreached bubble's surface
    int picksMissed = 0;       // drags whose press found no cloth sphere

    /// Higher is better: a finish beats everything and an earlier one more;
    /// then more checkpoints; then a nearer approach to the next one.
    double score() const;
    std::string toText() const;
    static PlanOutcome parse(const std::string& text);
};

/// Plays a plan on a fresh driver (at tick 0) as a player would, aiming each
/// drag at its sphere where the camera shows it at that moment, and records
/// every input in timeline. Plays on until the finish screen comes up, the
/// ball is lost, eight seconds have passed since the last input or tickLimit
/// ticks have run.
PlanOutcome playPlan(GameDriver& driver, const Plan& plan, int tickLimit, InputTimeline& timeline);

}  // namespace quiltRush
