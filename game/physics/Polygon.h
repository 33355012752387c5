#pragma once

#include "game/physics/Vector3.h"

namespace quiltRush {

/// One scene collision triangle: corners a, b, c and a unit normal. It acts
/// only on a ball whose centre is on the side the normal points to (or on the plane).
struct Polygon {
    Vector3 a;
    Vector3 b;
    Vector3 c;
    Vector3 normal;
};

}  // namespace quiltRush
