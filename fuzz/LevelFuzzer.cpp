// Feeds arbitrary text to the level file reader, then builds the cloth grid of
// every patch record as the game would. Records must hold finite numbers;
// an accepted grid must be complete and every index in it inside the grid.
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "game/physics/ClothGrid.h"
#include "game/scene/GameDataReader.h"

using namespace quiltRush;

namespace {

bool finite(const Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

void checkGrid(const PatchRecord& record) {
    std::optional<ClothGrid> grid = ClothGrid::build(record);
    FUZZ_CHECK(grid.has_value() == ClothGrid::accepts(record));
    if (!grid) return;
    const std::uint64_t rows = grid->rows;
    const std::uint64_t cols = grid->cols;
    FUZZ_CHECK(rows >= 2 && cols >= 2 && rows * cols <= ClothGrid::kMaxSpheres);
    const std::uint64_t spheres = rows * cols;
    FUZZ_CHECK(grid->positions.size() == spheres);
    FUZZ_CHECK(grid->springs.size() == (cols - 1) * rows + (rows - 1) * cols);
    FUZZ_CHECK(grid->triangles.size() == 2 * (rows - 1) * (cols - 1));
    FUZZ_CHECK(grid->faceLists.size() == spheres);
    for (const Vector3& position : grid->positions) FUZZ_CHECK(finite(position));
    for (const auto& spring : grid->springs) {
        FUZZ_CHECK(spring.first < spheres && spring.second < spheres && spring.first != spring.second);
    }
    for (const ClothGrid::Triangle& triangle : grid->triangles) {
        for (std::uint32_t vertex : triangle.vertex) FUZZ_CHECK(vertex < spheres);
    }
    for (const auto& faces : grid->faceLists) {
        for (std::uint32_t face : faces) FUZZ_CHECK(face < grid->triangles.size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    GameData level;
    GameDataReader::read(in, level);

    for (const PatchRecord& record : level.patchRecords) {
        FUZZ_CHECK(finite({record.x, record.y, record.z}) && std::isfinite(record.sizeX) &&
                   std::isfinite(record.sizeZ) && std::isfinite(record.rows) && std::isfinite(record.cols) &&
                   std::isfinite(record.stiffness));
        for (float fixed : record.fixed) FUZZ_CHECK(std::isfinite(fixed));
        checkGrid(record);
    }
    for (const CheckpointRecord& record : level.checkpointRecords) {
        FUZZ_CHECK(finite({record.x, record.y, record.z}) && std::isfinite(record.radius));
        FUZZ_CHECK(record.checkpoint == nullptr);
    }
    for (const TackRecord& record : level.tackRecords) FUZZ_CHECK(std::isfinite(record.x) && std::isfinite(record.y));
    return 0;
}
