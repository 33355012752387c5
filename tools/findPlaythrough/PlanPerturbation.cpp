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

Plan perturbPlan(const Plan& plan, const Perturbation& by, int rows, int cols, std::mt19937& random) {
    Plan changed = plan;
    for (Drag& drag : changed.drags) {
        drag.waitTicks = std::max(0, strayed(drag.waitTicks, by.ticks, random));
        if (drag.row != Drag::kOrbit) {
            drag.row = std::clamp(strayed(drag.row, by.cells, random), 0, std::max(0, rows - 1));
            drag.col = std::clamp(strayed(drag.col, by.cells, random), 0, std::max(0, cols - 1));
        }
        drag.dx = strayed(drag.dx, by.pixels, random);
        drag.dy = strayed(drag.dy, by.pixels, random);
        drag.moveTicks = std::max(1, strayed(drag.moveTicks, by.ticks, random));
        drag.holdTicks = std::max(0, strayed(drag.holdTicks, by.ticks, random));
    }
    return changed;
}

}  // namespace quiltRush
