#pragma once

#include <cmath>

namespace quiltRush {

/// Three 32-bit floats: the one vector type of the game (positions, velocities,
/// forces, normals). Every operation returns a new value.
struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Vector3() = default;
    Vector3(float x, float y, float z) : x(x), y(y), z(z) {}

    /// 0, 1, 2 for x, y, z.
    float operator[](int index) const { return index == 0 ? x : (index == 1 ? y : z); }
    float& operator[](int index) { return index == 0 ? x : (index == 1 ? y : z); }

    Vector3 operator+(const Vector3& other) const { return {x + other.x, y + other.y, z + other.z}; }
    Vector3 operator-(const Vector3& other) const { return {x - other.x, y - other.y, z - other.z}; }
    Vector3 operator-() const { return {-x, -y, -z}; }
    Vector3 operator*(float scale) const { return {x * scale, y * scale, z * scale}; }
    /// One division, three multiplications; dividing by 0 gives infinities.
    Vector3 operator/(float divisor) const {
        float reciprocal = 1.0f / divisor;
        return {x * reciprocal, y * reciprocal, z * reciprocal};
    }
    bool operator==(const Vector3& other) const { return x == other.x && y == other.y && z == other.z; }
    bool operator!=(const Vector3& other) const { return !(*this == other); }
};

// The physics calls these hundreds of thousands of times per tick: inline.
inline float dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vector3 cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float length(const Vector3& a) { return std::sqrt(dot(a, a)); }
/// a / length(a); exactly the zero vector when the length is exactly 0.
inline Vector3 normalize(const Vector3& a) {
    float size = length(a);
    // Only an exact zero is special: any other length, however small, divides
    // (and a NaN length takes the dividing path too).
    if (size == 0.0f) return Vector3();
    return a / size;
}
/// v rotated right-handedly by angle radians about the unit vector axis.
Vector3 rotateAboutAxis(const Vector3& v, const Vector3& axis, float angle);
Vector3 rotateAboutAxisDegrees(const Vector3& v, const Vector3& axis, float degrees);
/// True when all three components are finite.
bool isFinite(const Vector3& a);

}  // namespace quiltRush
