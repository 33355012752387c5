#include "tools/findPlaythrough/PlaythroughPlan.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using quiltRush::Drag;
using quiltRush::Plan;
using quiltRush::PlanOutcome;

TEST(PlaythroughPlanTest, PlanTextReadsBackToTheSameSteps) {
    const std::string text = "60,-1,0,-40,-55,12,0,0;9,23,14,-45,217,32,127,1";
    Plan plan = Plan::parse(text);
    ASSERT_EQ(plan.drags.size(), 2u);
    const Drag& orbit = plan.drags[0];
    EXPECT_EQ(orbit.row, Drag::kOrbit);
    EXPECT_EQ(orbit.waitTicks, 60);
    EXPECT_EQ(orbit.dx, -40);
    EXPECT_EQ(orbit.dy, -55);
    EXPECT_EQ(orbit.moveTicks, 12);
    EXPECT_FALSE(orbit.tack);
    const Drag& pull = plan.drags[1];
    EXPECT_EQ(pull.waitTicks, 9);
    EXPECT_EQ(pull.row, 23);
    EXPECT_EQ(pull.col, 14);
    EXPECT_EQ(pull.dx, -45);
    EXPECT_EQ(pull.dy, 217);
    EXPECT_EQ(pull.moveTicks, 32);
    EXPECT_EQ(pull.holdTicks, 127);
    EXPECT_TRUE(pull.tack);
    EXPECT_EQ(plan.toText(), text);
}

TEST(PlaythroughPlanTest, ADragOnALaterGridNamesItsGrid) {
    const std::string text = "5,3,4,10,20,6,0,1,2;7,1,1,0,0,1,0,0";
    Plan plan = Plan::parse(text);
    ASSERT_EQ(plan.drags.size(), 2u);
    EXPECT_EQ(plan.drags[0].grid, 2);
    EXPECT_EQ(plan.drags[1].grid, 0);
    EXPECT_EQ(plan.toText(), text);
    EXPECT_EQ(Plan::parse("5,3,4,10,20,6,0,1,0").toText(), "5,3,4,10,20,6,0,1");
}

TEST(PlaythroughPlanTest, AnEmptyPlanHasNoSteps) {
    EXPECT_TRUE(Plan::parse("").drags.empty());
    EXPECT_EQ(Plan().toText(), "");
}

TEST(PlaythroughPlanTest, MalformedPlansAreRefused) {
    EXPECT_THROW(Plan::parse("1,2,3,4,5,6,7"), std::invalid_argument);        // seven numbers
    EXPECT_THROW(Plan::parse("1,2,3,4,5,6,7,0,1,9"), std::invalid_argument);  // ten
    EXPECT_THROW(Plan::parse("1,2,3,4,5,6,7,0,-1"), std::invalid_argument);   // a grid before the first
    EXPECT_THROW(Plan::parse("1,2,3,4,x,6,7,0"), std::invalid_argument);      // not a number
    EXPECT_THROW(Plan::parse("1,2,3,4,5.5,6,7,0"), std::invalid_argument);    // not whole
    EXPECT_THROW(Plan::parse("-1,2,3,4,5,6,7,0"), std::invalid_argument);     // waits back in time
    EXPECT_THROW(Plan::parse("1,2,3,4,5,0,7,0"), std::invalid_argument);      // a move needs a tick
    EXPECT_THROW(Plan::parse("1,2,3,4,5,6,-7,0"), std::invalid_argument);     // a negative hold
}

TEST(PlaythroughPlanTest, OutcomeTextReadsBack) {
    PlanOutcome finished;
    finished.finished = true;
    finished.finishTick = 255;
    finished.finishText = "4.048";
    finished.checkpointsPassed = 4;
    finished.ticks = 255;
    PlanOutcome back = PlanOutcome::parse(finished.toText());
    EXPECT_TRUE(back.finished);
    EXPECT_EQ(back.finishTick, 255);
    EXPECT_EQ(back.finishText, "4.048");
    EXPECT_EQ(back.checkpointsPassed, 4);
    EXPECT_FALSE(back.lost);

    PlanOutcome lost;
    lost.lost = true;
    lost.checkpointsPassed = 1;
    lost.nearest = 0.5f;
    lost.picksMissed = 2;
    back = PlanOutcome::parse(lost.toText());
    EXPECT_FALSE(back.finished);
    EXPECT_EQ(back.finishText, "");
    EXPECT_TRUE(back.lost);
    EXPECT_EQ(back.nearest, 0.5f);
    EXPECT_EQ(back.picksMissed, 2);

    EXPECT_THROW(PlanOutcome::parse("1 2"), std::invalid_argument);
}

TEST(PlaythroughPlanTest, AnEarlierFinishScoresHighestThenCheckpointsThenNearness) {
    PlanOutcome early;
    early.finished = true;
    early.finishTick = 250;
    PlanOutcome late = early;
    late.finishTick = 400;
    PlanOutcome threeNear;
    threeNear.checkpointsPassed = 3;
    threeNear.nearest = 0.1f;
    PlanOutcome threeFar = threeNear;
    threeFar.nearest = 2.0f;
    PlanOutcome none;
    none.nearest = 0.0f;

    EXPECT_GT(early.score(), late.score());
    EXPECT_GT(late.score(), threeNear.score());
    EXPECT_GT(threeNear.score(), threeFar.score());
    EXPECT_GT(threeFar.score(), none.score());
}
