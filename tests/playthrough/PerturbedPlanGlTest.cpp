// The recorded plan played as a hand would play it: a few copies with every
// number strayed by a player's margin must still finish the level.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "game/scene/GameDataReader.h"
#include "tests/playthrough/GameInChild.h"
#include "tools/findPlaythrough/PlanPerturbation.h"
#include "tools/findPlaythrough/PlaythroughPlan.h"

namespace {

constexpr int kCopies = 3;
constexpr int kTickLimit = 40 * 1000 / 16;
const std::string kPlanPrefix = "# plan: ";

std::string recordedPlan() {
    std::ifstream in(playthroughTest::recordedTimelinePath());
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(kPlanPrefix, 0) == 0) return line.substr(kPlanPrefix.size());
    }
    return "";
}

TEST(PerturbedPlanGlTest, StrayedCopiesOfTheRecordedPlanStillFinish) {
    if (!playthroughTest::haveDisplay()) GTEST_SKIP() << "no X display";
    playthroughTest::GameFolder folder;
    ASSERT_TRUE(folder.ready());
    const std::string text = recordedPlan();
    ASSERT_FALSE(text.empty()) << "the recorded timeline names no plan";
    const quiltRush::Plan plan = quiltRush::Plan::parse(text);
    quiltRush::GameData level;
    quiltRush::GameDataReader::readFile(testSupport::sourceDir() + "/" + quiltRush::GameDataReader::kLevelFile, level);
    const std::vector<quiltRush::GridShape> grids = quiltRush::gridShapes(level);
    ASSERT_FALSE(grids.empty());
    std::mt19937 random(1);
    for (int copy = 0; copy < kCopies; ++copy) {
        quiltRush::Plan strayed = quiltRush::perturbPlan(plan, quiltRush::Perturbation{}, grids, random);
        quiltRush::ChildResult result = playthroughTest::withGame(false, [&](quiltRush::GameDriver& driver) {
            quiltRush::InputTimeline timeline;
            return quiltRush::playPlan(driver, strayed, kTickLimit, timeline).toText();
        });
        ASSERT_TRUE(result.completed) << result.text;
        EXPECT_TRUE(quiltRush::PlanOutcome::parse(result.text).finished)
            << "plan " << strayed.toText() << ": " << result.text;
    }
}

}  // namespace
