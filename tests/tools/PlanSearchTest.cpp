#include "tools/findPlaythrough/PlanSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

using quiltRush::Drag;
using quiltRush::Evaluation;
using quiltRush::GridShape;
using quiltRush::Plan;
using quiltRush::SearchSettings;
using quiltRush::searchPlans;

namespace {

// A stand-in for playing a plan: the pull "finishes" when its last drag goes
// down the screen by about 150 pixels, sooner the nearer; otherwise it gets
// nearer to the next checkpoint the nearer it is.
Evaluation judge(const Plan& plan) {
    Evaluation evaluation;
    evaluation.plan = plan;
    evaluation.failed = false;
    const Drag& pull = plan.drags.back();
    int miss = std::abs(pull.dy - 150);
    if (miss <= 10) {
        evaluation.outcome.finished = true;
        evaluation.outcome.finishTick = 300 + miss;
    } else {
        evaluation.outcome.checkpointsPassed = 3;
        evaluation.outcome.nearest = static_cast<float>(miss) / 100.0f;
    }
    return evaluation;
}

// Every cloth drag of the plan aims inside one of the grids.
void expectDragsInside(const Plan& plan, const std::vector<GridShape>& grids) {
    for (const Drag& step : plan.drags) {
        if (step.row == Drag::kOrbit) continue;
        ASSERT_GE(step.grid, 0);
        ASSERT_LT(step.grid, static_cast<int>(grids.size()));
        EXPECT_GE(step.row, 0);
        EXPECT_LT(step.row, grids[static_cast<std::size_t>(step.grid)].rows);
        EXPECT_GE(step.col, 0);
        EXPECT_LT(step.col, grids[static_cast<std::size_t>(step.grid)].cols);
        EXPECT_GE(step.moveTicks, 1);
        EXPECT_GE(step.holdTicks, 0);
    }
}

SearchSettings settings(int tries, unsigned seed) {
    SearchSettings chosen;
    chosen.tries = tries;
    chosen.seed = seed;
    return chosen;
}

}  // namespace

TEST(PlanSearchTest, PlaysEveryTryAndKeepsTheBest) {
    int played = 0;
    double bestSeen = -1.0e18;
    std::vector<double> improvements;
    Evaluation best = searchPlans(
        settings(120, 3),
        [&](const Plan& plan) {
            ++played;
            Evaluation evaluation = judge(plan);
            if (evaluation.outcome.score() > bestSeen) bestSeen = evaluation.outcome.score();
            return evaluation;
        },
        [&](const Evaluation& improved) { improvements.push_back(improved.outcome.score()); }).best;
    EXPECT_EQ(played, 120);
    ASSERT_FALSE(best.failed);
    EXPECT_EQ(best.outcome.score(), bestSeen);
    ASSERT_FALSE(improvements.empty());
    for (std::size_t i = 1; i < improvements.size(); ++i) EXPECT_GT(improvements[i], improvements[i - 1]);
    EXPECT_EQ(improvements.back(), best.outcome.score());
}

TEST(PlanSearchTest, FindsAPlanThatFinishes) {
    Evaluation best = searchPlans(settings(300, 1), judge, [](const Evaluation&) {}).best;
    ASSERT_TRUE(best.outcome.finished);
    EXPECT_LE(best.outcome.finishTick, 310);
    EXPECT_NEAR(best.plan.drags.back().dy, 150, 10);
}

TEST(PlanSearchTest, DragsAimAtEveryGridOfTheLevel) {
    SearchSettings twoGrids = settings(100, 4);
    twoGrids.grids = {GridShape{5, 4, 0}, GridShape{3, 9, 20}};
    std::set<int> used;
    searchPlans(twoGrids, [&](const Plan& plan) {
        expectDragsInside(plan, twoGrids.grids);
        for (const Drag& step : plan.drags) if (step.row != Drag::kOrbit) used.insert(step.grid);
        return judge(plan);
    }, [](const Evaluation&) {});
    EXPECT_EQ(used, (std::set<int>{0, 1}));
}

TEST(PlanSearchTest, EveryPlanEndsWithAClothDragInsideTheGrid) {
    searchPlans(settings(200, 5), [](const Plan& plan) {
        EXPECT_FALSE(plan.drags.empty());
        expectDragsInside(plan, {GridShape{27, 27, 0}});
        EXPECT_NE(plan.drags.back().row, Drag::kOrbit);
        return judge(plan);
    }, [](const Evaluation&) {});
}

// Random plans and the climb's changes alike, tacks or none.
TEST(PlanSearchTest, TacksComeOnlyWhenAllowed) {
    for (bool allowed : {true, false}) {
        SearchSettings chosen = settings(200, 6);
        chosen.tacks = allowed;
        int tacked = 0;
        searchPlans(chosen, [&](const Plan& plan) {
            for (const Drag& step : plan.drags) tacked += step.tack ? 1 : 0;
            return judge(plan);
        }, [](const Evaluation&) {});
        EXPECT_EQ(tacked > 0, allowed);
    }
}

// A player watches the ball land before the first move; the climb keeps it so.
TEST(PlanSearchTest, TheFirstMoveWaitsForTheBallToLand) {
    searchPlans(settings(200, 7), [](const Plan& plan) {
        EXPECT_GE(plan.drags.front().waitTicks, 60) << plan.toText();
        return judge(plan);
    }, [](const Evaluation&) {});
}

// A plan that gets nearer with every pull: the sampler makes at most three,
// the climb adds more.
TEST(PlanSearchTest, TheClimbTriesOneMorePull) {
    auto pulls = [](const Plan& plan) {
        return std::count_if(plan.drags.begin(), plan.drags.end(), [](const Drag& d) { return d.row != Drag::kOrbit; });
    };
    Evaluation best = searchPlans(settings(300, 8), [&](const Plan& plan) {
        Evaluation evaluation;
        evaluation.plan = plan;
        evaluation.failed = false;
        evaluation.outcome.nearest = 10.0f - static_cast<float>(pulls(plan));
        return evaluation;
    }, [](const Evaluation&) {}).best;
    EXPECT_GT(pulls(best.plan), 3) << best.plan.toText();
}

// The share of random plans that finish is counted over the sampling phase
// only: the climb's changes of a finished plan would inflate it.
TEST(PlanSearchTest, CountsTheRandomPlansThatFinished) {
    int played = 0;
    int finishedWhileSampling = 0;
    quiltRush::SearchResult result = searchPlans(settings(300, 1), [&](const Plan& plan) {
        Evaluation evaluation = judge(plan);
        if (++played <= 150 && evaluation.outcome.finished) ++finishedWhileSampling;
        return evaluation;
    }, [](const Evaluation&) {});
    EXPECT_EQ(result.sampled, 150);
    EXPECT_EQ(result.sampledFinished, finishedWhileSampling);
    EXPECT_GT(result.sampledFinished, 0);
}

TEST(PlanSearchTest, TheSameSeedSearchesTheSamePlans) {
    std::vector<std::string> first;
    std::vector<std::string> second;
    searchPlans(settings(60, 9), [&](const Plan& plan) { first.push_back(plan.toText()); return judge(plan); },
                [](const Evaluation&) {});
    searchPlans(settings(60, 9), [&](const Plan& plan) { second.push_back(plan.toText()); return judge(plan); },
                [](const Evaluation&) {});
    EXPECT_EQ(first, second);
}

TEST(PlanSearchTest, FailedCandidatesAreNeverTheBest) {
    int calls = 0;
    Evaluation best = searchPlans(settings(20, 2), [&](const Plan& plan) {
        Evaluation evaluation = judge(plan);
        evaluation.failed = ++calls % 2 == 1;  // every other game could not be run
        if (evaluation.failed) evaluation.outcome.finished = true;  // and must not count as a finish
        if (evaluation.failed) evaluation.outcome.finishTick = 0;
        return evaluation;
    }, [](const Evaluation& improved) { EXPECT_FALSE(improved.failed); }).best;
    EXPECT_FALSE(best.failed);
    EXPECT_NE(best.outcome.finishTick, 0);

    Evaluation none = searchPlans(settings(5, 2), [](const Plan& plan) {
        Evaluation evaluation = judge(plan);
        evaluation.failed = true;
        return evaluation;
    }, [](const Evaluation&) { ADD_FAILURE() << "a failed candidate was reported"; }).best;
    EXPECT_TRUE(none.failed);
}
