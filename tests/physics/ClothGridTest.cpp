#include "game/physics/ClothGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "game/scene/GameDataRecords.h"

namespace {

using quiltRush::ClothGrid;
using quiltRush::PatchRecord;
using quiltRush::Vector3;
using Pair = std::pair<std::uint32_t, std::uint32_t>;

PatchRecord record(float rows, float cols, float sizeX = 2.0f, float sizeZ = 2.0f) {
    PatchRecord result;
    result.y = 1.0f;
    result.sizeX = sizeX;
    result.sizeZ = sizeZ;
    result.rows = rows;
    result.cols = cols;
    result.stiffness = 100.0f;
    return result;
}

TEST(ClothGridTest, ThreeByFourCounts) {
    std::optional<ClothGrid> grid = ClothGrid::build(record(3, 4));
    ASSERT_TRUE(grid.has_value());
    EXPECT_EQ(grid->rows, 3u);
    EXPECT_EQ(grid->cols, 4u);
    EXPECT_EQ(grid->positions.size(), 12u);
    EXPECT_EQ(grid->springs.size(), 17u);  // (4 - 1) * 3 + (3 - 1) * 4
    EXPECT_EQ(grid->triangles.size(), 12u);
    EXPECT_EQ(grid->faceLists.size(), 12u);
    EXPECT_EQ(grid->stiffness, 100.0f);
}

TEST(ClothGridTest, TwoByTwoPositionsAreSpacedBySizeOverCountAroundThePosition) {
    std::optional<ClothGrid> grid = ClothGrid::build(record(2, 2));
    ASSERT_TRUE(grid.has_value());
    EXPECT_EQ(grid->positions,
              (std::vector<Vector3>{Vector3(-1, 1, -1), Vector3(-1, 1, 0), Vector3(0, 1, -1), Vector3(0, 1, 0)}));
}

TEST(ClothGridTest, RowsRunAlongXAndColumnsAlongZ) {
    PatchRecord wide = record(4, 2, 4.0f, 1.0f);
    wide.x = 10.0f;
    wide.z = -5.0f;
    std::optional<ClothGrid> grid = ClothGrid::build(wide);
    ASSERT_TRUE(grid.has_value());
    // dx = 4 / 4 = 1 and dz = 1 / 2 = 0.5; sphere i * cols + j.
    EXPECT_EQ(grid->positions[0], Vector3(8, 1, -5.5f));
    EXPECT_EQ(grid->positions[1], Vector3(8, 1, -5));
    EXPECT_EQ(grid->positions[2], Vector3(9, 1, -5.5f));
    EXPECT_EQ(grid->positions[7], Vector3(11, 1, -5));
}

TEST(ClothGridTest, TwoByTwoSpringsAlongZFirstThenAlongX) {
    std::optional<ClothGrid> grid = ClothGrid::build(record(2, 2));
    ASSERT_TRUE(grid.has_value());
    EXPECT_EQ(grid->springs, (std::vector<Pair>{{0, 1}, {2, 3}, {0, 2}, {1, 3}}));
}

TEST(ClothGridTest, ThreeByFourSpringOrder) {
    std::optional<ClothGrid> grid = ClothGrid::build(record(3, 4));
    ASSERT_TRUE(grid.has_value());
    EXPECT_EQ(grid->springs[0], Pair(0, 1));
    EXPECT_EQ(grid->springs[2], Pair(2, 3));
    EXPECT_EQ(grid->springs[3], Pair(4, 5));
    EXPECT_EQ(grid->springs[8], Pair(10, 11));
    EXPECT_EQ(grid->springs[9], Pair(0, 4));
    EXPECT_EQ(grid->springs[16], Pair(7, 11));
}

TEST(ClothGridTest, TwoByTwoTrianglesCornersAndTextureCoordinates) {
    std::optional<ClothGrid> grid = ClothGrid::build(record(2, 2));
    ASSERT_TRUE(grid.has_value());
    ASSERT_EQ(grid->triangles.size(), 2u);
    const ClothGrid::Triangle& first = grid->triangles[0];
    const ClothGrid::Triangle& second = grid->triangles[1];
    EXPECT_EQ(std::vector<std::uint32_t>(first.vertex, first.vertex + 3), (std::vector<std::uint32_t>{0, 1, 2}));
    EXPECT_EQ(std::vector<std::uint32_t>(second.vertex, second.vertex + 3), (std::vector<std::uint32_t>{3, 2, 1}));
    // (column fraction, row fraction) at each corner.
    const float firstUv[3][2] = {{0, 0}, {1, 0}, {0, 1}};
    const float secondUv[3][2] = {{1, 1}, {0, 1}, {1, 0}};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(first.texCoord[k][0], firstUv[k][0]);
        EXPECT_EQ(first.texCoord[k][1], firstUv[k][1]);
        EXPECT_EQ(second.texCoord[k][0], secondUv[k][0]);
        EXPECT_EQ(second.texCoord[k][1], secondUv[k][1]);
    }
    using List = std::vector<std::uint32_t>;
    EXPECT_EQ(grid->faceLists, (std::vector<List>{{0}, {0, 1}, {0, 1}, {1}}));
}

TEST(ClothGridTest, TextureSpansTheGridOnce) {
    std::optional<ClothGrid> grid = ClothGrid::build(record(3, 5));
    ASSERT_TRUE(grid.has_value());
    // Cell (1, 2): a = 1 * 5 + 2 = 7, faces 2 * (1 * 4 + 2) = 12 and 13.
    const ClothGrid::Triangle& face = grid->triangles[12];
    EXPECT_EQ(face.vertex[0], 7u);
    EXPECT_EQ(face.texCoord[0][0], 0.5f);
    EXPECT_EQ(face.texCoord[0][1], 0.5f);
    EXPECT_EQ(face.texCoord[1][0], 0.75f);
    EXPECT_EQ(face.texCoord[2][1], 1.0f);
    EXPECT_EQ(grid->triangles[13].vertex[0], 13u);
}

TEST(ClothGridTest, FlatSheetTrianglesFaceUp) {
    std::optional<ClothGrid> grid = ClothGrid::build(record(4, 3));
    ASSERT_TRUE(grid.has_value());
    for (const ClothGrid::Triangle& triangle : grid->triangles) {
        const Vector3& p0 = grid->positions[triangle.vertex[0]];
        Vector3 normal = quiltRush::cross(grid->positions[triangle.vertex[1]] - p0,
                                          grid->positions[triangle.vertex[2]] - p0);
        EXPECT_GT(normal.y, 0.0f);
    }
}

TEST(ClothGridTest, AcceptsExactlyTheLargestGrid) {
    std::optional<ClothGrid> grid = ClothGrid::build(record(256, 256));
    ASSERT_TRUE(grid.has_value());
    EXPECT_EQ(grid->positions.size(), 65536u);
    EXPECT_FALSE(ClothGrid::accepts(record(256, 257)));
}

TEST(ClothGridTest, RejectsCountsThatAreNotWholeNumbersOfAtLeastTwo) {
    EXPECT_FALSE(ClothGrid::build(record(1.5f, 4)).has_value());
    EXPECT_FALSE(ClothGrid::build(record(4, 2.5f)).has_value());
    EXPECT_FALSE(ClothGrid::build(record(1, 4)).has_value());
    EXPECT_FALSE(ClothGrid::build(record(4, 0)).has_value());
    EXPECT_FALSE(ClothGrid::build(record(-3, 4)).has_value());
    EXPECT_FALSE(ClothGrid::build(record(NAN, 4)).has_value());
    EXPECT_FALSE(ClothGrid::build(record(INFINITY, 4)).has_value());
}

TEST(ClothGridTest, RejectsMoreThan65536Spheres) {
    EXPECT_FALSE(ClothGrid::build(record(300, 300)).has_value());
    EXPECT_FALSE(ClothGrid::build(record(1e30f, 1e30f)).has_value());
}

TEST(ClothGridTest, RejectsSizesStiffnessAndPositionsThatAreNotUsable) {
    EXPECT_FALSE(ClothGrid::accepts(record(3, 3, NAN, 2)));
    EXPECT_FALSE(ClothGrid::accepts(record(3, 3, 2, 0)));
    EXPECT_FALSE(ClothGrid::accepts(record(3, 3, -2, 2)));
    EXPECT_FALSE(ClothGrid::accepts(record(3, 3, 2, INFINITY)));
    PatchRecord soft = record(3, 3);
    soft.stiffness = -5.0f;
    EXPECT_FALSE(ClothGrid::accepts(soft));
    soft.stiffness = 0.0f;
    EXPECT_FALSE(ClothGrid::accepts(soft));
    PatchRecord lost = record(3, 3);
    lost.z = NAN;
    EXPECT_FALSE(ClothGrid::accepts(lost));
    EXPECT_TRUE(ClothGrid::accepts(record(3, 3)));
}

}  // namespace
