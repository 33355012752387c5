#pragma once

#include "game/physics/Vector3.h"

namespace quiltRush {

/// A picking ray; callers give it a unit direction.
struct Ray {
    Vector3 origin;
    Vector3 direction;

    Ray() = default;
    Ray(const Vector3& origin, const Vector3& direction) : origin(origin), direction(direction) {}
    Ray(float ox, float oy, float oz, float dx, float dy, float dz) : origin(ox, oy, oz), direction(dx, dy, dz) {}
};

}  // namespace quiltRush
