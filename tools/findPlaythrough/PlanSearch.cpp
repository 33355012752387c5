// The search has two phases. First it samples whole plans at random from a
// player's repertoire, the same on every level: one to three pulls of a cloth
// sphere anywhere on any grid, in any direction across the screen, each
// maybe tacked where it ends, and before a pull maybe a turn of the camera
// (a first turn is likelier: a player looks around before acting). A player
// watches the ball land before the first move, so nothing happens in the
// first second. Then it climbs: small random changes to the best plan so far
// are kept when they score better, which mostly shortens the run once a plan
// finishes. Candidates come in rounds made from the best plan known when the
// round began, so that a round can be played on several cores and the search
// stays the same whatever their number.
#include "tools/findPlaythrough/PlanSearch.h"

#include <algorithm>
#include <random>

namespace quiltRush {

namespace {

// Share of the tries spent sampling before the climb starts.
constexpr double kSamplingShare = 0.5;

struct Range {
    int low;
    int high;
};

// The repertoire, in ticks of 16 ms and window pixels.
constexpr Range kFirstWait{60, 200};  // from the click on New: the ball lands within about 60 ticks
constexpr Range kOrbitWait{5, 80};
constexpr Range kOrbitDx{-180, 180};  // yaw, one degree per pixel: half a turn either way
constexpr Range kOrbitDy{-70, 30};    // mouse up lowers the eye
constexpr Range kOrbitMove{5, 40};
constexpr Range kDragWait{5, 80};
constexpr Range kDragDx{-240, 240};
constexpr Range kDragDy{-240, 240};
constexpr Range kDragMove{5, 60};
constexpr Range kDragHold{0, 40};  // a player tacks and lets go: the camera follows the ball only then
constexpr double kFirstOrbitChance = 0.6;
constexpr double kLaterOrbitChance = 0.25;
constexpr double kTackChance = 0.5;
constexpr double kSecondDragChance = 0.5;
constexpr double kThirdDragChance = 0.4;  // given a second
constexpr double kAppendChance = 0.2;     // a climbing change that adds a pull at the end
constexpr long kMostPulls = 5;

class PlanSampler {
public:
    explicit PlanSampler(const SearchSettings& settings)
        : random(settings.seed), grids(settings.grids), tacks(settings.tacks) {
        if (grids.empty()) grids.push_back(GridShape{1, 1, 0});  // every drag then misses, as it would in the game
    }

    Plan sample() {
        Plan plan;
        int pulls = 1;
        if (chance(kSecondDragChance)) pulls += chance(kThirdDragChance) ? 2 : 1;
        for (int k = 0; k < pulls; ++k) {
            if (chance(k == 0 ? kFirstOrbitChance : kLaterOrbitChance)) plan.drags.push_back(orbit());
            plan.drags.push_back(drag());
        }
        plan.drags.front().waitTicks = pick(kFirstWait);
        return plan;
    }

    // One to three parameters of one step move by up to a quarter of their range.
    Plan mutate(const Plan& plan) {
        Plan changed = plan;
        if (changed.drags.empty()) return sample();
        const long pulls = std::count_if(changed.drags.begin(), changed.drags.end(),
                                         [](const Drag& d) { return d.row != Drag::kOrbit; });
        if (pulls < kMostPulls && chance(kAppendChance)) {
            changed.drags.push_back(drag());
            return changed;
        }
        int index = pick(0, static_cast<int>(changed.drags.size()) - 1);
        Drag& step = changed.drags[static_cast<std::size_t>(index)];
        const Range wait = index == 0 ? kFirstWait : step.row == Drag::kOrbit ? kOrbitWait : kDragWait;
        int changes = pick(1, 3);
        for (int i = 0; i < changes; ++i) {
            if (pick(0, 4) == 0) {
                nudge(step.waitTicks, wait);
            } else if (step.row == Drag::kOrbit) {
                nudgeOrbit(step);
            } else {
                nudgeDrag(step);
            }
        }
        return changed;
    }

private:
    Drag orbit() {
        Drag step;
        step.row = Drag::kOrbit;
        step.waitTicks = pick(kOrbitWait);
        step.dx = pick(kOrbitDx);
        step.dy = pick(kOrbitDy);
        step.moveTicks = pick(kOrbitMove);
        return step;
    }

    Drag drag() {
        Drag step;
        step.waitTicks = pick(kDragWait);
        step.grid = pick(0, static_cast<int>(grids.size()) - 1);
        step.row = pick(rowsOf(step));
        step.col = pick(colsOf(step));
        step.dx = pick(kDragDx);
        step.dy = pick(kDragDy);
        step.moveTicks = pick(kDragMove);
        step.holdTicks = pick(kDragHold);
        step.tack = tacks && chance(kTackChance);
        return step;
    }

    void nudgeOrbit(Drag& step) {
        switch (pick(0, 2)) {
            case 0: nudge(step.dx, kOrbitDx); break;
            case 1: nudge(step.dy, kOrbitDy); break;
            default: nudge(step.moveTicks, kOrbitMove); break;
        }
    }

    void nudgeDrag(Drag& step) {
        switch (pick(0, 8)) {
            case 0: nudge(step.row, rowsOf(step)); break;
            case 1: nudge(step.col, colsOf(step)); break;
            case 2: nudge(step.dx, kDragDx); break;
            case 3: nudge(step.dy, kDragDy); break;
            case 4: nudge(step.moveTicks, kDragMove); break;
            case 5: nudge(step.holdTicks, kDragHold); break;
            case 7: moveToGrid(step, pick(0, static_cast<int>(grids.size()) - 1)); break;
            default: step.tack = tacks && !step.tack; break;
        }
    }

    // The same place on another grid, as near as its size allows.
    void moveToGrid(Drag& step, int grid) {
        step.grid = grid;
        step.row = std::clamp(step.row, 0, rowsOf(step).high);
        step.col = std::clamp(step.col, 0, colsOf(step).high);
    }

    Range rowsOf(const Drag& step) const { return {0, std::max(0, grids[static_cast<std::size_t>(step.grid)].rows - 1)}; }
    Range colsOf(const Drag& step) const { return {0, std::max(0, grids[static_cast<std::size_t>(step.grid)].cols - 1)}; }

    void nudge(int& value, Range range) {
        int reach = std::max(1, (range.high - range.low) / 4);
        value = std::clamp(value + pick(-reach, reach), range.low, range.high);
    }

    int pick(Range range) { return pick(range.low, range.high); }
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(random) < p; }

    std::mt19937 random;
    std::vector<GridShape> grids;
    bool tacks;
};

}  // namespace

SearchResult searchPlans(const SearchSettings& settings, const RoundEvaluator& evaluateRound,
                         const std::function<void(const Evaluation&)>& onImprove) {
    PlanSampler sampler(settings);
    const int samplingTries = static_cast<int>(settings.tries * kSamplingShare);
    const int roundSize = std::max(1, settings.roundSize);
    SearchResult result;
    Evaluation& best = result.best;
    std::vector<Plan> round;
    std::vector<bool> sampled;
    for (int first = 0; first < settings.tries; first += roundSize) {
        round.clear();
        sampled.clear();
        for (int i = first; i < std::min(settings.tries, first + roundSize); ++i) {
            bool climbing = i >= samplingTries && !best.failed;
            round.push_back(climbing ? sampler.mutate(best.plan) : sampler.sample());
            sampled.push_back(!climbing);
        }
        std::vector<Evaluation> played = evaluateRound(round);
        for (std::size_t k = 0; k < played.size(); ++k) {
            const Evaluation& candidate = played[k];
            if (sampled[k]) {
                ++result.sampled;
                if (!candidate.failed && candidate.outcome.finished) ++result.sampledFinished;
            }
            if (candidate.failed) continue;
            if (best.failed || candidate.outcome.score() > best.outcome.score()) {
                best = candidate;
                onImprove(best);
            }
        }
    }
    return result;
}

SearchResult searchPlans(const SearchSettings& settings, const std::function<Evaluation(const Plan&)>& evaluate,
                         const std::function<void(const Evaluation&)>& onImprove) {
    return searchPlans(
        settings,
        [&](const std::vector<Plan>& round) {
            std::vector<Evaluation> evaluations;
            for (const Plan& plan : round) evaluations.push_back(evaluate(plan));
            return evaluations;
        },
        onImprove);
}

}  // namespace quiltRush
