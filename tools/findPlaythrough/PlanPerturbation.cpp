// A recorded plan is only worth having if a hand can repeat it: these are the
// small misses of a real player (a grab a row off, a pull a little short, a
// moment late), drawn evenly within their bounds.
#include "tools/findPlaythrough/PlanPerturbation.h"

#include <algorithm>

namespace quiltRush {

namespace {

int strayed(int value, int reach, std::mt19937& random) {
    return value + std::uniform_int_distribution<int>(-reach, reach)(random);
}

}  // namespace

Plan perturbPlan(const Plan& plan, const Perturbation& by, const std::vector<GridShape>& grids, std::mt19937& random) {
    Plan changed = plan;
    for (Drag& drag : changed.drags) {
        drag.waitTicks = std::max(0, strayed(drag.waitTicks, by.ticks, random));
        if (drag.row != Drag::kOrbit) {
            // A drag aimed at a grid the level lacks misses however it strays.
            bool known = drag.grid >= 0 && drag.grid < static_cast<int>(grids.size());
            GridShape grid = known ? grids[static_cast<std::size_t>(drag.grid)] : GridShape{};
            drag.row = strayed(drag.row, by.cells, random);
            drag.col = strayed(drag.col, by.cells, random);
            if (known) {
                drag.row = std::clamp(drag.row, 0, std::max(0, grid.rows - 1));
                drag.col = std::clamp(drag.col, 0, std::max(0, grid.cols - 1));
            }
        }
        drag.dx = strayed(drag.dx, by.pixels, random);
        drag.dy = strayed(drag.dy, by.pixels, random);
        drag.moveTicks = std::max(1, strayed(drag.moveTicks, by.ticks, random));
        drag.holdTicks = std::max(0, strayed(drag.holdTicks, by.ticks, random));
    }
    return changed;
}

}  // namespace quiltRush
