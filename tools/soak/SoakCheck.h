#pragma once

#include <string>

namespace quiltRush {

class Game;

/// The screen or phase the game is in, read from its flags.
enum class GameState { Menu, Manual, Credits, Levels, Running, Finished, Inconsistent };

const char* toString(GameState state);

/// What one tick left behind, as the soak run sees it.
struct TickCheck {
    GameState state = GameState::Inconsistent;
    bool restarted = false;       // the run went back to its start on this tick
    bool allFinite = true;        // every physics sphere at a finite position
    int firstNotFinite = -1;      // else the first that is not, by its place in the engine's list
    std::string problem;          // empty when every check passed
};

/// Reads the game after a tick: its state, consistent with the enabled
/// flags of the screens and play entities; the tack budget against the tack
/// icons and the tacked cloth spheres; every physics sphere finite unless the
/// run restarted on this tick. The first problem found goes into problem.
TickCheck checkTick(const Game& game);

/// The state from the game's flags alone, Inconsistent when they disagree.
GameState readState(const Game& game);

}  // namespace quiltRush
