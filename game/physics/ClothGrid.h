#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "game/physics/Vector3.h"

namespace quiltRush {

struct PatchRecord;

/// The layout of one cloth grid, computed from a level record without GL or
/// the physics engine: sphere positions, spring ends and triangles, all as
/// indices local to the grid (sphere k is mesh vertex k). Plain data, so the
/// cloth, tests and the level fuzzer share it.
struct ClothGrid {
    /// One triangle: local vertex indices of its corners and their (u, v).
    struct Triangle {
        std::uint32_t vertex[3];
        float texCoord[3][2];
    };

    static constexpr float kMaxSpheres = 65536.0f;  // per grid; keeps every index small and the build bounded

    /// Why a record cannot be built, in the order the checks are made.
    enum class Fault {
        none,
        rowsNotWhole,          // rows not a whole number of at least 2
        colsNotWhole,          // cols not a whole number of at least 2
        tooManySpheres,        // rows * cols above kMaxSpheres
        sizeXNotPositive,      // not finite and positive
        sizeZNotPositive,
        stiffnessNotPositive,
        positionNotFinite,
    };

    /// The first fault of the record; Fault::none when it can be built.
    static Fault check(const PatchRecord& record);
    /// True when the counts are whole numbers of at least 2 with at most
    /// kMaxSpheres spheres, the sizes and stiffness finite and positive and
    /// the position finite.
    static bool accepts(const PatchRecord& record);
    /// The grid of an accepted record; nothing otherwise.
    static std::optional<ClothGrid> build(const PatchRecord& record);
    /// The distance between neighbouring spheres: along x in x, along z in z (y is 0).
    static Vector3 spacing(const PatchRecord& record);

    std::uint32_t rows = 0;  // spheres along x
    std::uint32_t cols = 0;  // spheres along z
    float stiffness = 0.0f;
    /// Row by row: sphere i * cols + j sits at row i (along x), column j (along z).
    std::vector<Vector3> positions;
    /// Neighbours along z first, then along x, each as (first, second).
    std::vector<std::pair<std::uint32_t, std::uint32_t>> springs;
    /// Two per cell, facing +y while the sheet is flat.
    std::vector<Triangle> triangles;
    /// For each vertex, the triangles that use it, in the order they were made.
    std::vector<std::vector<std::uint32_t>> faceLists;
};

}  // namespace quiltRush
