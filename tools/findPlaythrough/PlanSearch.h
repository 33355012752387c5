#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/findPlaythrough/GridShape.h"
#include "tools/findPlaythrough/PlaythroughPlan.h"

namespace quiltRush {

struct SearchSettings {
    int tries = 300;           // candidate plans played in all
    unsigned seed = 1;         // the same seed searches the same plans
    int tickLimit = 40 * 1000 / 16;  // ticks a candidate may play: 40 s of game time
    std::vector<GridShape> grids = std::vector<GridShape>(1, GridShape{27, 27, 0});  // the level's cloth grids, which drags aim at
    bool tacks = true;               // false: no plan ever tacks
    int roundSize = 8;               // candidates made from the same best plan, played side by side
};

/// A plan with how it went and the inputs that played it.
struct Evaluation {
    Plan plan;
    PlanOutcome outcome;
    std::string timelineText;
    bool failed = true;  // never played, or its game could not be run
};

/// The best plan found, and how the plans drawn at random fared: the share of
/// them that finished says how hard the level is for a random player.
struct SearchResult {
    Evaluation best;
    int sampled = 0;          // random plans played (the climb's changes not counted)
    int sampledFinished = 0;  // of them, those that finished
};

/// Plays a round of candidates, in any order or all at once, and returns their evaluations in the same order.
using RoundEvaluator = std::function<std::vector<Evaluation>(const std::vector<Plan>&)>;

/// Searches plans: random plans first, then random changes to the best one
/// found before the round; the candidates go to evaluateRound settings.roundSize
/// at a time (fewer in the last round). onImprove hears of each new best, in
/// the candidates' order. The plans tried depend on the settings alone,
/// however the rounds are played.
SearchResult searchPlans(const SearchSettings& settings, const RoundEvaluator& evaluateRound,
                         const std::function<void(const Evaluation&)>& onImprove);
/// The same search with the candidates played one after another.
SearchResult searchPlans(const SearchSettings& settings, const std::function<Evaluation(const Plan&)>& evaluate,
                         const std::function<void(const Evaluation&)>& onImprove);

}  // namespace quiltRush
