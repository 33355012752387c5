// A grid of rows x cols spheres spaced size / count apart (not size / (count - 1)),
// centred on the record's position in x and z and flat at its height.
#include "game/physics/ClothGrid.h"

#include <cmath>

#include "game/scene/GameDataRecords.h"

namespace quiltRush {

namespace {

constexpr float kMinCount = 2.0f;  // a grid needs at least one cell

bool isWholeCount(float count) { return std::isfinite(count) && count == std::trunc(count) && count >= kMinCount; }

bool isPositive(float value) { return std::isfinite(value) && value > 0.0f; }

void addPositions(ClothGrid& grid, const PatchRecord& record) {
    const Vector3 origin(record.x, record.y, record.z);
    const float rows = record.rows;
    const float cols = record.cols;
    const Vector3 step = ClothGrid::spacing(record);
    const float dx = step.x;
    const float dz = step.z;
    grid.positions.reserve(static_cast<std::size_t>(rows * cols));
    // Whole counts make these float counters exact.
    for (float i = 0.0f; i < rows; i += 1.0f)
        for (float j = 0.0f; j < cols; j += 1.0f)
            grid.positions.push_back(origin + Vector3(i * dx - 0.5f * rows * dx, 0.0f, j * dz - 0.5f * cols * dz));
}

void addSprings(ClothGrid& grid) {
    const std::uint32_t rows = grid.rows;
    const std::uint32_t cols = grid.cols;
    grid.springs.reserve((cols - 1) * rows + (rows - 1) * cols);
    for (std::uint32_t i = 0; i < rows; ++i)
        for (std::uint32_t j = 0; j + 1 < cols; ++j) grid.springs.emplace_back(i * cols + j, i * cols + j + 1);
    for (std::uint32_t i = 0; i + 1 < rows; ++i)
        for (std::uint32_t j = 0; j < cols; ++j) grid.springs.emplace_back(i * cols + j, (i + 1) * cols + j);
}

struct Corner {
    std::uint32_t vertex;
    float u;
    float v;
};

void addTriangle(ClothGrid& grid, const Corner& c0, const Corner& c1, const Corner& c2) {
    const std::uint32_t index = static_cast<std::uint32_t>(grid.triangles.size());
    ClothGrid::Triangle triangle{};
    const Corner* corners[3] = {&c0, &c1, &c2};
    for (int k = 0; k < 3; ++k) {
        triangle.vertex[k] = corners[k]->vertex;
        triangle.texCoord[k][0] = corners[k]->u;
        triangle.texCoord[k][1] = corners[k]->v;
        grid.faceLists[corners[k]->vertex].push_back(index);
    }
    grid.triangles.push_back(triangle);
}

// The texture spans the grid once: u follows the columns, v the rows.
void addTriangles(ClothGrid& grid) {
    const std::uint32_t rows = grid.rows;
    const std::uint32_t cols = grid.cols;
    auto u = [cols](std::uint32_t j) { return static_cast<float>(j) / static_cast<float>(cols - 1); };
    auto v = [rows](std::uint32_t i) { return static_cast<float>(i) / static_cast<float>(rows - 1); };
    grid.faceLists.resize(static_cast<std::size_t>(rows) * cols);
    grid.triangles.reserve(2 * (rows - 1) * (cols - 1));
    for (std::uint32_t i = 0; i + 1 < rows; ++i) {
        for (std::uint32_t j = 0; j + 1 < cols; ++j) {
            Corner a{i * cols + j, u(j), v(i)};
            Corner a1{a.vertex + 1, u(j + 1), v(i)};
            Corner c{(i + 1) * cols + j, u(j), v(i + 1)};
            Corner c1{c.vertex + 1, u(j + 1), v(i + 1)};
            addTriangle(grid, a, a1, c);
            addTriangle(grid, c1, c, a1);
        }
    }
}

}  // namespace

ClothGrid::Fault ClothGrid::check(const PatchRecord& record) {
    if (!isWholeCount(record.rows)) return Fault::rowsNotWhole;
    if (!isWholeCount(record.cols)) return Fault::colsNotWhole;
    if (static_cast<double>(record.rows) * record.cols > kMaxSpheres) return Fault::tooManySpheres;
    if (!isPositive(record.sizeX)) return Fault::sizeXNotPositive;
    if (!isPositive(record.sizeZ)) return Fault::sizeZNotPositive;
    if (!isPositive(record.stiffness)) return Fault::stiffnessNotPositive;
    if (!isFinite(Vector3(record.x, record.y, record.z))) return Fault::positionNotFinite;
    return Fault::none;
}

bool ClothGrid::accepts(const PatchRecord& record) { return check(record) == Fault::none; }

std::optional<ClothGrid> ClothGrid::build(const PatchRecord& record) {
    if (!accepts(record)) return std::nullopt;
    ClothGrid grid;
    grid.rows = static_cast<std::uint32_t>(record.rows);
    grid.cols = static_cast<std::uint32_t>(record.cols);
    grid.stiffness = record.stiffness;
    addPositions(grid, record);
    addSprings(grid);
    addTriangles(grid);
    return grid;
}

Vector3 ClothGrid::spacing(const PatchRecord& record) {
    return Vector3(record.sizeX / record.rows, 0.0f, record.sizeZ / record.cols);
}

}  // namespace quiltRush
