// The finder builds one game and plays every candidate on a forked copy of it:
// each copy must play exactly as a freshly started game does, whatever was
// played before it and however many are played at once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/playthrough/GameInChild.h"
#include "tools/findPlaythrough/CandidatePool.h"

namespace {

using quiltRush::Plan;

constexpr int kTickLimit = 40 * 1000 / 16;
const std::vector<std::string> kPlans = {"60,10,13,0,200,20,30,0", "70,-1,0,30,-50,10,0,0;20,20,10,-30,120,15,5,1"};
const std::vector<std::size_t> kOrder = {0, 1, 0, 1, 0};  // every copy follows another game's play

TEST(CandidatePoolGlTest, EveryCandidatePlaysAsAFreshlyStartedGame) {
    if (!playthroughTest::haveDisplay()) GTEST_SKIP() << "no X display";
    playthroughTest::GameFolder folder;
    ASSERT_TRUE(folder.ready());
    std::vector<std::string> fresh;
    for (const std::string& text : kPlans) {
        quiltRush::ChildResult result = playthroughTest::withGame(false, [&](quiltRush::GameDriver& driver) {
            quiltRush::InputTimeline timeline;
            std::string outcome = quiltRush::playPlan(driver, Plan::parse(text), kTickLimit, timeline).toText();
            return outcome + "\n" + timeline.toText();
        });
        ASSERT_TRUE(result.completed) << result.text;
        fresh.push_back(result.text + '\x1e');
    }
    ASSERT_NE(fresh[0], fresh[1]);

    quiltRush::ChildResult pooled = quiltRush::runInChildProcess([&] {
        quiltRush::CandidatePool pool(kTickLimit, 2);
        std::vector<Plan> plans;
        for (std::size_t which : kOrder) plans.push_back(Plan::parse(kPlans[which]));
        std::string all;
        for (const quiltRush::Evaluation& played : pool.evaluate(plans))
            all += (played.failed ? "failed" : played.outcome.toText() + "\n" + played.timelineText) + '\x1e';
        return all;
    });
    ASSERT_TRUE(pooled.completed) << pooled.text;
    std::string expected;
    for (std::size_t which : kOrder) expected += fresh[which];
    EXPECT_EQ(pooled.text, expected);
}

}  // namespace
