#include "game/physics/Sphere.h"

namespace quiltRush {

Sphere::Sphere(const Vector3& position, float radius, float mass, float damping)
    : position(position), radius(radius), mass(mass), inverseMass(1.0f / mass), damping(damping) {}

}  // namespace quiltRush
