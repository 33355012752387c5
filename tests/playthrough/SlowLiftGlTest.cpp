// A player lifting the cloth's pinned far edge slowly, feeling for the pull:
// the mouse sphere stays on the point under the mouse all the way, so the
// spring pulls as hard as its stretch says, well past the 3000 that a leash
// of 0.6 used to allow.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>

#include "framework/InputCodes.h"
#include "game/physics/Patch.h"
#include "game/physics/Sphere.h"
#include "game/play/InputHandler.h"
#include "game/play/MenuLayout.h"
#include "game/scene/QuiltRushApplication.h"
#include "tests/playthrough/GameInChild.h"
#include "tools/driver/GameDriver.h"
#include "tools/driver/InputTimeline.h"

namespace {

using quiltRush::GameDriver;
using quiltRush::InputHandler;
namespace menuLayout = quiltRush::menuLayout;
using namespace kiln::inputCodes;

constexpr int kLandedTick = 120;        // the ball rests in the cloth
constexpr int kLiftPixels = 150;        // up the window, one pixel a tick: about 60 pixels a second
constexpr int kHoldTicks = 1000 / 16;
constexpr float kOldLeashPull = 3000.0f;

using SlowLiftGlTest = playthroughTest::GameFolderTest<>;

TEST_F(SlowLiftGlTest, TheSpringPullsAsItsStretchSays) {
    quiltRush::ChildResult result = playthroughTest::withGame(false, [](GameDriver& driver) {
        quiltRush::InputTimeline timeline;
        timeline.move(0, menuLayout::clickX(menuLayout::kNew), menuLayout::clickY(menuLayout::kNew));
        timeline.press(1, kLeftButton);
        timeline.release(2, kLeftButton);
        driver.run(timeline, kLandedTick);
        // The far edge beside its first pinned corner.
        const quiltRush::PatchRecord& record = driver.getApplication().getGameData().patchRecords.at(0);
        const auto beside = static_cast<std::size_t>(record.fixed[0]) + 1;
        int x = 0;
        int y = 0;
        if (!driver.windowPixelOf(driver.getPatch().getSpheres().at(beside)->getPosition(), x, y)) return std::string("out of view");
        int tick = driver.getTick();
        timeline.move(tick, x, y);
        timeline.press(tick + 1, kLeftButton);
        for (int k = 1; k <= kLiftPixels; ++k) timeline.move(tick + 1 + k, x, y - k);
        const int releaseTick = tick + 2 + kLiftPixels + kHoldTicks;
        timeline.release(releaseTick, kLeftButton);
        float strongest = 0.0f;
        const InputHandler& input = driver.getInput();
        driver.run(timeline, releaseTick, [&](const GameDriver&) {
            if (!input.isLeftButtonDown() || input.getSelected() == nullptr) return false;
            float stretch = length(input.getMouseSphere()->getPosition() - input.getSelected()->getPosition());
            strongest = std::max(strongest, InputHandler::kSpringStiffness * stretch);
            return false;
        });
        std::ostringstream out;
        out << input.getDragSteps() << ' ' << input.getHeldBackDragSteps() << ' ' << strongest;
        return out.str();
    });
    ASSERT_TRUE(result.completed) << result.text;
    std::istringstream in(result.text);
    unsigned long steps = 0;
    unsigned long heldBack = 1;
    float strongest = 0.0f;
    in >> steps >> heldBack >> strongest;
    ASSERT_TRUE(in) << result.text;
    std::printf("slow lift: %lu drag steps, %lu held back, strongest pull %.0f\n", steps, heldBack, strongest);
    EXPECT_GE(steps, static_cast<unsigned long>(kLiftPixels));
    EXPECT_EQ(heldBack, 0u);
    EXPECT_GT(strongest, kOldLeashPull);
}

}  // namespace
