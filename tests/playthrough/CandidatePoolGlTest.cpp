// The finder builds one game and plays every candidate on a forked copy of it:
// each copy must play exactly as a freshly started game does, whatever was
// played before it and however many are played at once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/playthrough/GameInChild.h"
#include "tools/findPlaythrough/CandidatePool.h"
#include "tools/findPlaythrough/PlaythroughPlan.h"

namespace {

using quiltRush::Plan;

constexpr int kTickLimit = 40 * 1000 / 16;
constexpr int kJobs = 2;
const char* const kPlans[] = {"60,10,13,0,200,20,30,0", "70,-1,0,30,-50,10,0,0;20,20,10,-30,120,15,5,1"};

// What a played plan amounts to: its outcome and every input, one line after the other.
std::string played(const quiltRush::PlanOutcome& outcome, const std::string& timeline) {
    return outcome.toText() + "\n" + timeline;
}

TEST(CandidatePoolGlTest, EveryCandidatePlaysAsAFreshlyStartedGame) {
    if (!playthroughTest::haveDisplay()) GTEST_SKIP() << "no X display";
    playthroughTest::GameFolder folder;
    ASSERT_TRUE(folder.ready());

    std::vector<std::string> fresh;
    for (const char* text : kPlans) {
        quiltRush::ChildResult result = playthroughTest::withGame(false, [&](quiltRush::GameDriver& driver) {
            quiltRush::InputTimeline timeline;
            quiltRush::PlanOutcome outcome = quiltRush::playPlan(driver, Plan::parse(text), kTickLimit, timeline);
            return played(outcome, timeline.toText());
        });
        ASSERT_TRUE(result.completed) << result.text;
        fresh.push_back(result.text);
    }
    ASSERT_NE(fresh[0], fresh[1]);

    // Each plan twice, interleaved, so that every copy follows another game's play.
    const std::vector<std::size_t> order = {0, 1, 0, 1, 0};
    quiltRush::ChildResult pooled = quiltRush::runInChildProcess([&] {
        quiltRush::CandidatePool pool(kTickLimit, kJobs);
        std::vector<Plan> plans;
        for (std::size_t which : order) plans.push_back(Plan::parse(kPlans[which]));
        std::string all;
        for (const quiltRush::Evaluation& evaluation : pool.evaluate(plans)) {
            all += evaluation.failed ? std::string("failed\n") : played(evaluation.outcome, evaluation.timelineText);
            all += '\x1e';
        }
        return all;
    });
    ASSERT_TRUE(pooled.completed) << pooled.text;
    std::size_t start = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        SCOPED_TRACE(i);
        std::size_t end = pooled.text.find('\x1e', start);
        ASSERT_NE(end, std::string::npos);
        EXPECT_EQ(pooled.text.substr(start, end - start), fresh[order[i]]);
        start = end + 1;
    }
}

}  // namespace
