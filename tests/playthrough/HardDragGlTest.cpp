// The hardest drags a player can make on each level of the pack: a grab under or
// beside the resting ball, yanked across the whole window at a person's
// fastest (10 ticks) or in one tick, and held there for five seconds. The
// cloth must hold the ball (its centre never passes through a cell of the
// sheet) and come back untangled once let go; a drag by hand is never held back.
#include <gtest/gtest.h>

#include <algorithm>
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
    std::size_t base = 0;  // the grid's first sphere among the cloth's
    const std::vector<quiltRush::Sphere*>* spheres = nullptr;
    Vector3 at(int i, int j) const { return (*spheres)[base + static_cast<std::size_t>(i * cols + j)]->getPosition(); }
};
using Grids = std::vector<Grid>;

// Every grid of the level's cloth, in the order the cloth's spheres are made.
Grids gridsOf(const GameDriver& driver) {
    Grids grids;
    std::size_t base = 0;
    for (const quiltRush::PatchRecord& record : driver.getApplication().getGameData().patchRecords) {
        grids.push_back({static_cast<int>(record.rows), static_cast<int>(record.cols), base, &driver.getPatch().getSpheres()});
        base += static_cast<std::size_t>(record.rows * record.cols);
    }
    return grids;
}

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

// Calls cell(a, b, c, d) with the corners of every cell of every grid: a and b
// along a row, c and d the next row's.
template <class Cell>
void forEachCell(const Grids& grids, Cell&& cell) {
    for (const Grid& g : grids) {
        for (int i = 0; i + 1 < g.rows; ++i) {
            for (int j = 0; j + 1 < g.cols; ++j) cell(g.at(i, j), g.at(i, j + 1), g.at(i + 1, j), g.at(i + 1, j + 1));
        }
    }
}

// Cells folded over inside themselves: the two triangles of the cell face
// more than a right angle apart, a spike or a knot, never a smooth fold.
int crossedCells(const Grids& grids) {
    int crossed = 0;
    forEachCell(grids, [&](const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& d) {
        if (dot(cross(b - a, c - a), cross(c - d, b - d)) < 0.0f) ++crossed;
    });
    return crossed;
}

bool ballCrossedSheet(const Grids& grids, const Vector3& from, const Vector3& to) {
    bool crossed = false;
    forEachCell(grids, [&](const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& d) {
        crossed = crossed || crosses(from, to, a, b, c) || crosses(from, to, d, c, b);
    });
    return crossed;
}

float widestCell(const Grids& grids) {
    float widest = 0.0f;
    forEachCell(grids, [&](const Vector3& a, const Vector3& b, const Vector3& c, const Vector3&) {
        widest = std::max({widest, length(b - a), length(c - a)});
    });
    return widest;
}

// Plays one drag; the text: "crossings foldedBefore foldedAfter widestCell
// heldBack": the folded cells when the ball has landed (a cloth may hang in
// folds of its own) and after the drag, the widest cell side seen while held,
// in world units, and the drag steps held back.
std::string play(const HardDrag& drag, GameDriver& driver) {
    InputTimeline timeline;
    timeline.move(0, menuLayout::clickX(menuLayout::kNew), menuLayout::clickY(menuLayout::kNew));
    timeline.press(1, kLeftButton);
    timeline.release(2, kLeftButton);
    driver.run(timeline, kLandedTick);

    // The cloth sphere nearest below or above the ball, on whichever grid it lies.
    const Grids grids = gridsOf(driver);
    Vector3 ball = driver.getBall().getPosition();
    const Grid* on = nullptr;
    int under = 0;
    float nearest = 1e9f;
    for (const Grid& g : grids) {
        for (int k = 0; k < g.rows * g.cols; ++k) {
            Vector3 offset = g.at(k / g.cols, k % g.cols) - ball;
            float across = offset.x * offset.x + offset.z * offset.z;
            if (across < nearest) nearest = across, under = k, on = &g;
        }
    }
    if (on == nullptr) return "no cloth";
    int row = std::clamp(under / on->cols + drag.rowOffset, 0, on->rows - 1);
    int col = std::clamp(under % on->cols + drag.colOffset, 0, on->cols - 1);
    int x = 0;
    int y = 0;
    if (!driver.windowPixelOf(on->at(row, col), x, y)) return "grab point out of view";

    const int foldedBefore = crossedCells(grids);
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
        if (!restarted && ballCrossedSheet(grids, last, now)) ++crossings;
        last = now;
        widest = std::max(widest, widestCell(grids));
        return false;
    });
    char text[64];
    std::snprintf(text, sizeof text, "%d %d %d %.2f %lu", crossings, foldedBefore, crossedCells(grids), widest,
                  driver.getInput().getHeldBackDragSteps());
    return text;
}

// A drag on a level of the pack.
struct LevelDrag {
    std::string level;
    HardDrag drag;
};

// Every drag on the first level; the six yanks at a person's fastest on every other.
std::vector<LevelDrag> levelDrags() {
    const std::vector<std::string> levels = playthroughTest::packLevelNames();
    std::vector<LevelDrag> all;
    for (const std::string& level : levels) {
        for (const HardDrag& drag : kDrags) {
            if (level == levels.front() || drag.moveTicks == kFastestTicks) all.push_back({level, drag});
        }
    }
    return all;
}

using HardDragGlTest = playthroughTest::GameFolderTest<::testing::TestWithParam<LevelDrag>>;

TEST_P(HardDragGlTest, TheClothHoldsTheBallAndComesBackUntangled) {
    const LevelDrag& param = GetParam();
    const HardDrag& drag = param.drag;
    quiltRush::ChildResult result =
        playthroughTest::withGame(false, [&](GameDriver& driver) { return play(drag, driver); }, param.level);
    ASSERT_TRUE(result.completed) << result.text;
    std::istringstream in(result.text);
    int crossings = -1;
    int foldedBefore = -1;
    int foldedAfter = -1;
    float widest = 0.0f;
    unsigned long heldBack = 0;
    in >> crossings >> foldedBefore >> foldedAfter >> widest >> heldBack;
    ASSERT_TRUE(in) << drag.name << ": " << result.text;
    std::printf("%s, %s: widest cell side while held %.2f, %lu drag steps held back\n", param.level.c_str(), drag.name,
                widest, heldBack);
    EXPECT_EQ(crossings, 0) << drag.name << ": the ball went through the sheet (" << result.text << ")";
    EXPECT_LE(foldedAfter, foldedBefore) << drag.name << ": cells still crossed after letting go (" << result.text << ")";
    // At a person's fastest the mouse sphere may lag behind the mouse; slower, never.
    EXPECT_TRUE(drag.moveTicks <= kFastestTicks || heldBack == 0) << drag.name << ": a drag by hand was held back";
}

void PrintTo(const LevelDrag& param, std::ostream* out) { *out << param.level << ", " << param.drag.name; }

INSTANTIATE_TEST_SUITE_P(Yanks, HardDragGlTest, ::testing::ValuesIn(levelDrags()),
                         [](const ::testing::TestParamInfo<LevelDrag>& info) {
                             return info.param.level + "_drag" + std::to_string(info.index);
                         });

}  // namespace
