#pragma once

#include <random>
#include <vector>

#include "tools/findPlaythrough/PlaythroughPlan.h"

namespace quiltRush {

/// How far a player's hand strays from a plan: every pixel number by up to
/// pixels, every tick count by up to ticks, the grabbed sphere by up to cells
/// rows and columns.
struct Perturbation {
    int pixels = 15;
    int ticks = 5;
    int cells = 1;
};

/// The plan as a player might play it: each number moved at random within the
/// perturbation, kept playable (at least one move tick, no negative wait or
/// hold, the sphere inside its grid of the level's grids). Orbits stay
/// orbits, a drag stays on its grid and a tack stays a tack.
Plan perturbPlan(const Plan& plan, const Perturbation& by, const std::vector<GridShape>& grids, std::mt19937& random);

}  // namespace quiltRush
