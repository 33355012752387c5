#include "game/physics/Sphere.h"

namespace quiltRush {

Sphere::Sphere(const Vector3& position, float radius, float mass, float damping)
    : position(position), radius(radius), mass(mass), damping(damping) {}

void Sphere::addVelocity(const Vector3& change) {
    if (!isPinned()) velocity = velocity + change;
}

void Sphere::addDeltaVelocity(const Vector3& change) {
    if (!isPinned()) deltaVelocity = deltaVelocity + change;
}

void Sphere::applyForce(const Vector3& force, float dt) {
    if (!isPinned()) velocity = velocity + (force / mass) * dt;
}

// Semi-implicit Euler: contacts first, then drag on the new velocity, then
// the position moves with the velocity after drag.
void Sphere::integrate(float dt) {
    if (isPinned()) return;
    velocity = velocity + deltaVelocity;
    velocity = velocity + (velocity * -damping) * dt;
    position = position + velocity * dt;
}

}  // namespace quiltRush
