#pragma once

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

float dot(const Vector3& a, const Vector3& b);
Vector3 cross(const Vector3& a, const Vector3& b);
float length(const Vector3& a);
/// a / length(a); exactly the zero vector when the length is exactly 0.
Vector3 normalize(const Vector3& a);
/// v rotated right-handedly by angle radians about the unit vector axis.
Vector3 rotateAboutAxis(const Vector3& v, const Vector3& axis, float angle);
Vector3 rotateAboutAxisDegrees(const Vector3& v, const Vector3& axis, float degrees);
/// True when all three components are finite.
bool isFinite(const Vector3& a);

}  // namespace quiltRush
