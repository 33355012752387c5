#include "tools/driver/ChildPool.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include "tools/findPlaythrough/PlanSearch.h"

using quiltRush::ChildResult;
using quiltRush::Evaluation;
using quiltRush::Plan;
using quiltRush::runInChildProcesses;

TEST(ChildPoolTest, ResultsComeInTheBodiesOrderAndACrashOrAHangIsAFailureOfItsOwn) {
    std::vector<std::function<std::string()>> bodies;
    for (int i = 0; i < 5; ++i) bodies.push_back([i] { return "answer " + std::to_string(i); });
    bodies.insert(bodies.begin() + 1, []() -> std::string {
        std::raise(SIGABRT);  // a crash the address sanitizer leaves to the default action
        return "never";
    });
    bodies.insert(bodies.begin() + 3, []() -> std::string {
        for (;;) ::pause();
    });
    std::vector<ChildResult> results = runInChildProcesses(bodies, 2, 1.0);
    ASSERT_EQ(results.size(), 7u);
    const char* expected[] = {"answer 0", nullptr, "answer 1", nullptr, "answer 2", "answer 3", "answer 4"};
    for (std::size_t i = 0; i < results.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(results[i].completed, expected[i] != nullptr);
        if (expected[i] != nullptr) {
            EXPECT_EQ(results[i].text, expected[i]);
        }
    }
    EXPECT_EQ(results[1].text, "the child ended with status " + std::to_string(128 + SIGABRT));
    EXPECT_FALSE(results[1].timedOut);
    EXPECT_TRUE(results[3].timedOut);
}

// Candidates judged in child processes: the search must try the same plans
// and find the same best one whatever the number of jobs.
TEST(ChildPoolTest, APlanSearchFindsTheSameWhateverTheNumberOfJobs) {
    auto search = [](int jobs) {
        quiltRush::SearchSettings settings;
        settings.tries = 40;
        settings.seed = 7;
        std::string improvements;
        Evaluation best = quiltRush::searchPlans(
            settings,
            [jobs](const std::vector<Plan>& round) {
                std::vector<std::function<std::string()>> bodies;
                for (const Plan& plan : round)
                    bodies.push_back([&plan] { return std::to_string(plan.drags.back().dy * 7 % 113); });
                std::vector<ChildResult> results = runInChildProcesses(bodies, jobs, 30.0);
                std::vector<Evaluation> evaluations(round.size());
                for (std::size_t i = 0; i < round.size(); ++i) {
                    evaluations[i].plan = round[i];
                    evaluations[i].failed = !results[i].completed;
                    evaluations[i].outcome.checkpointsPassed = results[i].completed ? std::stoi(results[i].text) : 0;
                }
                return evaluations;
            },
            [&](const Evaluation& improved) { improvements += improved.plan.toText() + " | "; }).best;
        return improvements + best.plan.toText();
    };
    std::string alone = search(1);
    EXPECT_EQ(search(3), alone);
    EXPECT_NE(alone.find('|'), std::string::npos);
}
