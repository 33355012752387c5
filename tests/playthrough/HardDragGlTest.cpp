// The hardest drags a player can make on the shipped level: a grab under or
// beside the resting ball, yanked across the whole window at a person's
// fastest (10 ticks) or in one tick, and held there for five seconds. The
// cloth must hold the ball (its centre never passes through a cell of the
// sheet) and come back untangled once let go; a drag by hand is never held back.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "game/physics/Ball.h"
#include "game/physics/Patch.h"
#include "game/physics/Sphere.h"
#include "game/play/InputHandler.h"
#include "framework/InputCodes.h"
#include "game/play/MenuLayout.h"
#include "game/scene/QuiltRushApplication.h"
#include "tests/playthrough/GameInChild.h"
#include "tools/driver/GameDriver.h"
#include "tools/driver/InputTimeline.h"

namespace {

using quiltRush::GameDriver;
using quiltRush::InputTimeline;
using quiltRush::Vector3;
namespace menuLayout = quiltRush::menuLayout;

using namespace kiln::inputCodes;
constexpr int kLandedTick = 120;           // the ball rests in the cloth
constexpr int kHoldTicks = 5000 / 16;      // the yank is held five seconds
constexpr int kSettleTicks = 3000 / 16;    // then the cloth has three to recover
constexpr float kRestartJump = 2.0f;       // farther than a falling ball moves in a tick
constexpr int kFastestTicks = 10;          // across the window by hand

struct HardDrag {
    const char* name;
    int rowOffset;  // the grabbed sphere, counted from the one under the ball
    int colOffset;
    int toX;  // where the mouse ends its move, in a straight line over moveTicks
    int toY;
    int moveTicks;
};

// Under the ball and two cells off it on each side, each yanked to an edge
// or corner of the 640 x 480 window on the far side from where it starts.
// Then the same in one tick each, and the far edge beside its pinned corner
// (row 0, column 25) lifted 150 pixels in 150 ticks.
const HardDrag kDrags[] = {
    {"under the ball, down", 0, 0, 320, 479, kFastestTicks},
    {"under the ball, up", 0, 0, 320, 0, kFastestTicks},
    {"towards the flap, to the bottom-left", 2, 0, 0, 479, kFastestTicks},
    {"towards the far edge, to the top-right", -2, 0, 639, 0, kFastestTicks},
    {"beside, to the left", 0, 2, 0, 240, kFastestTicks},
    {"beside, to the right", 0, -2, 639, 240, kFastestTicks},
    {"jump: under the ball, down", 0, 0, 320, 479, 1},
    {"jump: under the ball, up", 0, 0, 320, 0, 1},
    {"jump: towards the flap, to the bottom-left", 2, 0, 0, 479, 1},
    {"jump: towards the far edge, to the top-right", -2, 0, 639, 0, 1},
    {"jump: beside, to the left", 0, 2, 0, 240, 1},
    {"jump: beside, to the right", 0, -2, 639, 240, 1},
    {"slow lift of the far edge", -11, 12, 156, 10, 150},
};

struct Grid {
    int rows = 0;
    int cols = 0;
    const std::vector<quiltRush::Sphere*>* spheres = nullptr;
    Vector3 at(int i, int j) const { return (*spheres)[static_cast<std::size_t>(i * cols + j)]->getPosition(); }
};

// Does the segment from p to q pass through the triangle abc?
bool crosses(const Vector3& p, const Vector3& q, const Vector3& a, const Vector3& b, const Vector3& c) {
    Vector3 d = q - p;
    Vector3 e1 = b - a;
    Vector3 e2 = c - a;
    Vector3 h = cross(d, e2);
    float det = dot(e1, h);
    if (det > -1e-9f && det < 1e-9f) return false;
    Vector3 s = p - a;
    float u = dot(s, h) / det;
    if (u < 0.0f || u > 1.0f) return false;
    Vector3 r = cross(s, e1);
    float v = dot(d, r) / det;
    if (v < 0.0f || u + v > 1.0f) return false;
    float t = dot(e2, r) / det;
    return t >= 0.0f && t <= 1.0f;
}

// Cells folded over inside themselves: the two triangles of the cell face
// more than a right angle apart, a spike or a knot, never a smooth fold.
int crossedCells(const Grid& g) {
    int crossed = 0;
    for (int i = 0; i + 1 < g.rows; ++i) {
        for (int j = 0; j + 1 < g.cols; ++j) {
            Vector3 a = g.at(i, j), b = g.at(i, j + 1), c = g.at(i + 1, j), d = g.at(i + 1, j + 1);
            if (dot(cross(b - a, c - a), cross(c - d, b - d)) < 0.0f) ++crossed;
        }
    }
    return crossed;
}

bool ballCrossedSheet(const Grid& g, const Vector3& from, const Vector3& to) {
    for (int i = 0; i + 1 < g.rows; ++i) {
        for (int j = 0; j + 1 < g.cols; ++j) {
            Vector3 a = g.at(i, j), b = g.at(i, j + 1), c = g.at(i + 1, j), d = g.at(i + 1, j + 1);
            if (crosses(from, to, a, b, c) || crosses(from, to, d, c, b)) return true;
        }
    }
    return false;
}

// Plays one drag; the text: "crossings tangledCells widestCell heldBack" with
// the widest cell side seen while held, in world units, and the drag steps held back.
std::string play(const HardDrag& drag, GameDriver& driver) {
    InputTimeline timeline;
    timeline.move(0, menuLayout::clickX(menuLayout::kNew), menuLayout::clickY(menuLayout::kNew));
    timeline.press(1, kLeftButton);
    timeline.release(2, kLeftButton);
    driver.run(timeline, kLandedTick);

    const quiltRush::PatchRecord& record = driver.getApplication().getGameData().patchRecords.at(0);
    Grid grid{static_cast<int>(record.rows), static_cast<int>(record.cols), &driver.getPatch().getSpheres()};
    Vector3 ball = driver.getBall().getPosition();
    int under = 0;
    float nearest = 1e9f;
    for (int k = 0; k < grid.rows * grid.cols; ++k) {
        Vector3 offset = (*grid.spheres)[static_cast<std::size_t>(k)]->getPosition() - ball;
        float across = offset.x * offset.x + offset.z * offset.z;
        if (across < nearest) nearest = across, under = k;
    }
    int row = under / grid.cols + drag.rowOffset;
    int col = under % grid.cols + drag.colOffset;
    int x = 0;
    int y = 0;
    if (!driver.windowPixelOf(grid.at(row, col), x, y)) return "grab point out of view";

    int tick = driver.getTick();
    timeline.move(tick, x, y);
    timeline.press(tick + 1, kLeftButton);
    for (int k = 1; k <= drag.moveTicks; ++k) {
        timeline.move(tick + 1 + k, x + (drag.toX - x) * k / drag.moveTicks, y + (drag.toY - y) * k / drag.moveTicks);
    }
    const int releaseTick = tick + 1 + drag.moveTicks + kHoldTicks;
    timeline.release(releaseTick, kLeftButton);
    int crossings = 0;
    float widest = 0.0f;
    Vector3 last = driver.getBall().getPosition();
    driver.run(timeline, releaseTick + kSettleTicks, [&](const GameDriver& played) {
        Vector3 now = played.getBall().getPosition();
        // A ball lost over the side comes back at the start point: a jump, not a crossing.
        bool restarted = length(now - last) > kRestartJump;
        if (!restarted && ballCrossedSheet(grid, last, now)) ++crossings;
        last = now;
        for (int i = 0; i + 1 < grid.rows; ++i) {
            for (int j = 0; j + 1 < grid.cols; ++j) {
                widest = std::max({widest, length(grid.at(i, j + 1) - grid.at(i, j)), length(grid.at(i + 1, j) - grid.at(i, j))});
            }
        }
        return false;
    });
    char text[64];
    std::snprintf(text, sizeof text, "%d %d %.2f %lu", crossings, crossedCells(grid), widest,
                  driver.getInput().getHeldBackDragSteps());
    return text;
}

using HardDragGlTest = playthroughTest::GameFolderTest<::testing::TestWithParam<HardDrag>>;

TEST_P(HardDragGlTest, TheClothHoldsTheBallAndComesBackUntangled) {
    const HardDrag drag = GetParam();
    quiltRush::ChildResult result = playthroughTest::withGame(false, [&](GameDriver& driver) { return play(drag, driver); });
    ASSERT_TRUE(result.completed) << result.text;
    std::istringstream in(result.text);
    int crossings = -1;
    int tangled = -1;
    float widest = 0.0f;
    unsigned long heldBack = 0;
    in >> crossings >> tangled >> widest >> heldBack;
    ASSERT_TRUE(in) << drag.name << ": " << result.text;
    std::printf("%s: widest cell side while held %.2f, %lu drag steps held back\n", drag.name, widest, heldBack);
    EXPECT_EQ(crossings, 0) << drag.name << ": the ball went through the sheet (" << result.text << ")";
    EXPECT_EQ(tangled, 0) << drag.name << ": cells still crossed after letting go (" << result.text << ")";
    EXPECT_TRUE(drag.moveTicks < kFastestTicks || heldBack == 0) << drag.name << ": a drag by hand was held back";
}

INSTANTIATE_TEST_SUITE_P(Yanks, HardDragGlTest, ::testing::ValuesIn(kDrags),
                         [](const ::testing::TestParamInfo<HardDrag>& info) { return "drag" + std::to_string(info.index); });

}  // namespace
