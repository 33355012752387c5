#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "game/physics/Polygon.h"
#include "game/physics/Vector3.h"

namespace quiltRush {

/// What the level checker asks of the scene's collision triangles (y-up world
/// units, both faces alike): the nearest triangle to a point, the floor under
/// a point, and the lane a ball rolls across under a point.
class SceneProbe {
public:
    /// The triangles in the model's face order.
    explicit SceneProbe(std::vector<Polygon> polygons);

    struct Nearest {
        std::size_t polygon;  // index in face order
        float distance;
    };
    /// The triangle nearest to point; nothing when there are none.
    std::optional<Nearest> nearest(const Vector3& point) const;

    /// The height of the highest triangle a vertical line through (x, z)
    /// meets at or below top; nothing when it meets none.
    std::optional<float> floorBelow(float x, float z, float top) const;

    /// A lane across: the floor along `across` (a unit horizontal direction)
    /// from offset `from` to `to` (from < 0 < to) of the point it was found under.
    struct Lane {
        Vector3 across;
        float from;
        float to;
    };
    /// The narrowest lane through the floor under (x, z) at or below top: of
    /// the walks along a fan of horizontal directions, the shortest that meets
    /// the lane's end on both sides within kMaxReach, where the floor rises
    /// into a wall or drops away. Nothing when there is no floor or no
    /// direction ends on both sides (open ground).
    std::optional<Lane> laneAcross(float x, float z, float top) const;

    static constexpr float kStep = 0.02f;     // world units between floor samples along a walk
    static constexpr float kMaxReach = 20.0f;  // world units each way; a lane wider than that is open ground
    static constexpr int kDirections = 24;     // walks 7.5 degrees apart over a half turn
    /// A rise steeper than this (height over run) between two samples is a
    /// wall a rolling ball does not climb.
    static constexpr float kWallSlope = 1.7320508f;  // 60 degrees
    // A drop deeper than the ball's radius between two samples is an edge the ball falls off.

private:
    /// How far the floor reaches from (x, z) along the signed direction, or
    /// nothing when it goes on for kMaxReach.
    std::optional<float> walk(float x, float z, float top, const Vector3& direction) const;

    std::vector<Polygon> polygons;
};

}  // namespace quiltRush
