// The search has two phases. First it samples whole plans at random from a
// player's repertoire: most turn the camera down first, so that dragging
// moves the cloth up and down rather than across, then pull a sphere near the
// cloth's +x edge (the side facing the start camera, where the ramp begins)
// and maybe tack it there, and some add a second pull. Then it climbs: small
// random changes to the best plan so far are kept when they score better,
// which mostly shortens the run once a plan finishes. Candidates come in
// rounds made from the best plan known when the round began, so that a round
// can be played on several cores and the search stays the same whatever
// their number.
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
constexpr Range kOrbitWait{60, 200};  // from the click on New: the ball lands within about 60 ticks
constexpr Range kOrbitDx{-40, 40};    // yaw, one degree per pixel
constexpr Range kOrbitDy{-70, 0};     // mouse up lowers the eye
constexpr Range kOrbitMove{5, 30};
constexpr Range kDragWait{5, 80};
constexpr double kFirstRowShare = 0.6;   // rows from here to the last one lie towards the +x edge
constexpr double kFirstColShare = 0.22;  // columns about the middle of that edge
constexpr double kLastColShare = 0.75;
constexpr Range kDragDx{-60, 60};
constexpr Range kDragDy{40, 240};  // mostly down the screen
constexpr Range kDragMove{5, 60};
constexpr Range kDragHold{0, 40};  // a player tacks and lets go: the camera follows the ball only then
constexpr double kOrbitChance = 0.8;
constexpr double kTackChance = 0.6;
constexpr double kSecondDragChance = 0.3;

class PlanSampler {
public:
    explicit PlanSampler(const SearchSettings& settings)
        : random(settings.seed),
          rows{static_cast<int>(settings.gridRows * kFirstRowShare), std::max(0, settings.gridRows - 1)},
          cols{static_cast<int>(settings.gridCols * kFirstColShare),
               std::max(0, static_cast<int>(settings.gridCols * kLastColShare))} {}

    Plan sample() {
        Plan plan;
        if (chance(kOrbitChance)) plan.drags.push_back(orbit());
        plan.drags.push_back(drag());
        if (chance(kSecondDragChance)) plan.drags.push_back(drag());
        return plan;
    }

    // One to three parameters of one step move by up to a quarter of their range.
    Plan mutate(const Plan& plan) {
        Plan changed = plan;
        if (changed.drags.empty()) return sample();
        Drag& step = changed.drags[pick(0, static_cast<int>(changed.drags.size()) - 1)];
        int changes = pick(1, 3);
        for (int i = 0; i < changes; ++i) {
            if (step.row == Drag::kOrbit) {
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
        step.row = pick(rows);
        step.col = pick(cols);
        step.dx = pick(kDragDx);
        step.dy = pick(kDragDy);
        step.moveTicks = pick(kDragMove);
        step.holdTicks = pick(kDragHold);
        step.tack = chance(kTackChance);
        return step;
    }

    void nudgeOrbit(Drag& step) {
        switch (pick(0, 3)) {
            case 0: nudge(step.waitTicks, kOrbitWait); break;
            case 1: nudge(step.dx, kOrbitDx); break;
            case 2: nudge(step.dy, kOrbitDy); break;
            default: nudge(step.moveTicks, kOrbitMove); break;
        }
    }

    void nudgeDrag(Drag& step) {
        switch (pick(0, 8)) {
            case 0: nudge(step.waitTicks, kDragWait); break;
            case 1: nudge(step.row, rows); break;
            case 2: nudge(step.col, cols); break;
            case 3: nudge(step.dx, kDragDx); break;
            case 4: nudge(step.dy, kDragDy); break;
            case 5: nudge(step.moveTicks, kDragMove); break;
            case 6: nudge(step.holdTicks, kDragHold); break;
            default: step.tack = !step.tack; break;
        }
    }

    void nudge(int& value, Range range) {
        int reach = std::max(1, (range.high - range.low) / 4);
        value = std::clamp(value + pick(-reach, reach), range.low, range.high);
    }

    int pick(Range range) { return pick(range.low, range.high); }
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(random) < p; }

    std::mt19937 random;
    Range rows;
    Range cols;
};

}  // namespace

Evaluation searchPlans(const SearchSettings& settings, const RoundEvaluator& evaluateRound,
                       const std::function<void(const Evaluation&)>& onImprove) {
    PlanSampler sampler(settings);
    const int samplingTries = static_cast<int>(settings.tries * kSamplingShare);
    const int roundSize = std::max(1, settings.roundSize);
    Evaluation best;
    std::vector<Plan> round;
    for (int first = 0; first < settings.tries; first += roundSize) {
        round.clear();
        for (int i = first; i < std::min(settings.tries, first + roundSize); ++i) {
            bool climbing = i >= samplingTries && !best.failed;
            round.push_back(climbing ? sampler.mutate(best.plan) : sampler.sample());
        }
        for (const Evaluation& candidate : evaluateRound(round)) {
            if (candidate.failed) continue;
            if (best.failed || candidate.outcome.score() > best.outcome.score()) {
                best = candidate;
                onImprove(best);
            }
        }
    }
    return best;
}

Evaluation searchPlans(const SearchSettings& settings, const std::function<Evaluation(const Plan&)>& evaluate,
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
