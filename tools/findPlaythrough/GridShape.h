#pragma once

#include <cstddef>
#include <vector>

namespace quiltRush {

struct GameData;

/// One cloth grid as a plan addresses it: rows along x, columns along z, and
/// the patch-wide index of its first sphere.
struct GridShape {
    int rows = 0;
    int cols = 0;
    std::size_t firstSphere = 0;
};

/// The grids the game builds from the level's patch records, in file order; a
/// record the cloth leaves out is left out here too, so grid k of a plan is the
/// k-th grid a player sees.
std::vector<GridShape> gridShapes(const GameData& level);

}  // namespace quiltRush
