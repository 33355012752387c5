#include "game/physics/Vector3.h"

#include <cmath>

namespace quiltRush {

constexpr double kRadiansPerDegree = 0.017453292519943295;

Vector3 rotateAboutAxis(const Vector3& v, const Vector3& axis, float angle) {
    float c = std::cos(angle);
    float s = std::sin(angle);
    float t = 1.0f - c;
    float x = axis.x;
    float y = axis.y;
    float z = axis.z;
    return {(x * x * t + c) * v.x + (x * y * t - z * s) * v.y + (x * z * t + y * s) * v.z,
            (x * y * t + z * s) * v.x + (y * y * t + c) * v.y + (y * z * t - x * s) * v.z,
            (x * z * t - y * s) * v.x + (y * z * t + x * s) * v.y + (z * z * t + c) * v.z};
}

Vector3 rotateAboutAxisDegrees(const Vector3& v, const Vector3& axis, float degrees) {
    return rotateAboutAxis(v, axis, static_cast<float>(degrees * kRadiansPerDegree));
}

bool isFinite(const Vector3& a) { return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z); }

}  // namespace quiltRush
