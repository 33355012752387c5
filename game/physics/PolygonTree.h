#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "game/physics/Polygon.h"
#include "game/physics/Vector3.h"

namespace quiltRush {

/// The broad phase of the ball's scene pass: a bounding-volume tree over the
/// collision triangles that tells which of them a ball of a given radius can
/// touch from a given centre. It never leaves out a polygon that could act on
/// the ball there; it may keep some that cannot.
class PolygonTree {
public:
    /// Indexes the polygons for a ball of the given radius (world units).
    /// Allocates: call it when the scene has changed, never per substep.
    void build(const std::vector<Polygon*>& polygons, float radius);

    /// Number of polygons indexed by the last build.
    std::size_t size() const { return indexedCount; }
    /// The ball radius the last build was made for.
    float radius() const { return builtRadius; }

    /// The indices, ascending and all at least `first`, of the polygons that
    /// a ball centred at `centre` (finite) may touch. The list is the tree's
    /// own and is overwritten by the next query; a query never allocates.
    const std::vector<std::uint32_t>& query(const Vector3& centre, std::size_t first);

private:
    /// A box of the tree. An inner node's first child follows it; `second`
    /// is the index of the other child. A leaf holds `count` > 0 polygons from
    /// slot `start` on.
    struct Node {
        Vector3 low;
        Vector3 high;
        std::uint32_t start = 0;
        std::uint32_t count = 0;
        std::uint32_t second = 0;
    };
    /// One polygon in a leaf, with the box where the ball's centre must be
    /// for the polygon to act.
    struct Slot {
        Vector3 low;
        Vector3 high;
        std::uint32_t polygon = 0;
    };

    std::uint32_t buildNode(std::size_t begin, std::size_t end);
    /// Fills `nearby` for the region around centre.
    void gatherNearby(const Vector3& centre);

    std::vector<Node> nodes;
    std::vector<Slot> slots;
    std::vector<std::uint32_t> everywhere;  // polygons whose reach cannot be bounded: always candidates
    // The polygons whose boxes meet the region around the centre of the last
    // walk down the tree, in ascending order; a centre inside the region
    // needs only these. Capacity for every polygon, so it never grows.
    std::vector<Slot> nearby;
    Vector3 regionLow;
    Vector3 regionHigh;
    bool regionValid = false;
    std::vector<std::uint32_t> candidates;  // capacity for every polygon, so a query never grows it
    std::size_t indexedCount = 0;
    float builtRadius = 0.0f;
};

}  // namespace quiltRush
