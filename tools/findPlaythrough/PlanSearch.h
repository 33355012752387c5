#pragma once

#include <functional>
#include <string>

#include "tools/findPlaythrough/PlaythroughPlan.h"

namespace quiltRush {

struct SearchSettings {
    int tries = 300;           // candidate plans played in all
    unsigned seed = 1;         // the same seed searches the same plans
    int tickLimit = 40 * 1000 / 16;  // ticks a candidate may play: 40 s of game time
    int gridRows = 27;               // the level's first cloth grid: spheres along x
    int gridCols = 27;               // and along z
};

/// A plan with how it went and the inputs that played it.
struct Evaluation {
    Plan plan;
    PlanOutcome outcome;
    std::string timelineText;
    bool failed = true;  // never played, or its game could not be run
};

/// Searches plans: random plans first, then random changes to the best one
/// found so far; every candidate goes through evaluate. onImprove hears of
/// each new best. Returns the best evaluation.
Evaluation searchPlans(const SearchSettings& settings, const std::function<Evaluation(const Plan&)>& evaluate,
                       const std::function<void(const Evaluation&)>& onImprove);

}  // namespace quiltRush
