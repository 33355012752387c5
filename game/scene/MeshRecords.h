#pragma once

#include <cstdint>
#include <vector>

#include "game/physics/Vector3.h"

namespace quiltRush {

/// A mesh vertex in world coordinates, with the faces that use it (filled by the cloth only).
struct Vertex {
    Vector3 position;
    std::vector<std::int32_t> faceList;
};

/// One triangle: vertex indices of corners A, B, C, the unit face normal, the
/// corner normals used for drawing and the corner texture coordinates (u, v).
struct Face {
    std::int32_t vertex[3] = {0, 0, 0};
    Vector3 faceNormal;
    Vector3 normal[3];
    float texCoord[3][2] = {{0.0f, 0.0f}, {0.0f, 0.0f}, {0.0f, 0.0f}};
};

}  // namespace quiltRush
