// Feeds arbitrary text to the level file reader, once as the game reads
// (silent) and once as the level checker does (with diagnostics), then builds
// the cloth grid of every patch record as the game would. Records must hold
// finite numbers and both readings must agree; an accepted grid must be
// complete and every index in it inside the grid.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
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

template <class Record>
void checkSameRecords(const std::vector<Record>& a, const std::vector<Record>& b,
                      const std::vector<std::vector<WordPlace>>& places, std::size_t valueCount, int lines) {
    FUZZ_CHECK(a.size() == b.size());
    FUZZ_CHECK(places.size() == a.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        FUZZ_CHECK(std::memcmp(&a[i], &b[i], sizeof(Record)) == 0);
        FUZZ_CHECK(places[i].size() == valueCount);
        for (const WordPlace& place : places[i]) FUZZ_CHECK(place.line >= 1 && place.line <= lines && !place.word.empty());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream silentIn(text);
    GameData level;
    const bool complete = GameDataReader::read(silentIn, level);

    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    GameDataDiagnostics diagnostics;
    bool problems = false;
    diagnostics.problems = [lines, &problems](const WordPlace& place, const std::string& message) {
        FUZZ_CHECK(place.line >= 1 && place.line <= lines);
        FUZZ_CHECK(!message.empty());
        problems = true;
    };
    std::istringstream checkedIn(text);
    GameData checked;
    FUZZ_CHECK(GameDataReader::read(checkedIn, checked, &diagnostics) == complete);
    FUZZ_CHECK(complete || problems);  // an incomplete file always says why
    checkSameRecords(level.patchRecords, checked.patchRecords, diagnostics.places.patchRecords, 12, lines);
    checkSameRecords(level.checkpointRecords, checked.checkpointRecords, diagnostics.places.checkpointRecords, 4, lines);
    checkSameRecords(level.tackRecords, checked.tackRecords, diagnostics.places.tackRecords, 2, lines);
    FUZZ_CHECK(level.scene.modelFile == checked.scene.modelFile);
    FUZZ_CHECK(level.scene.patchTexture == checked.scene.patchTexture);

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
