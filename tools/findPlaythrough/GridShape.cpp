#include "tools/findPlaythrough/GridShape.h"

#include "game/physics/ClothGrid.h"
#include "game/scene/GameDataRecords.h"

namespace quiltRush {

std::vector<GridShape> gridShapes(const GameData& level) {
    std::vector<GridShape> shapes;
    std::size_t next = 0;
    for (const PatchRecord& record : level.patchRecords) {
        if (!ClothGrid::accepts(record)) continue;
        GridShape shape{static_cast<int>(record.rows), static_cast<int>(record.cols), next};
        next += static_cast<std::size_t>(shape.rows) * static_cast<std::size_t>(shape.cols);
        shapes.push_back(shape);
    }
    return shapes;
}

}  // namespace quiltRush
