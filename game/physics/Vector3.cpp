#include "game/physics/Vector3.h"

#include <cmath>

namespace quiltRush {

constexpr double kRadiansPerDegree = 0.017453292519943295;

float dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vector3 cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float length(const Vector3& a) { return std::sqrt(dot(a, a)); }

Vector3 normalize(const Vector3& a) {
    float size = length(a);
    // Only an exact zero is special: any other length, however small, divides
    // (and a NaN length takes the dividing path too).
    if (size == 0.0f) return Vector3();
    return a / size;
}

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
