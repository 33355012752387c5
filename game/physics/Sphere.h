#pragma once

#include "game/physics/Vector3.h"

namespace quiltRush {

/// A point mass with a contact radius: the physics particle. A sphere that is
/// fixed or tacked is pinned: it ignores forces and velocity changes and is not
/// moved by integration; only setPosition moves it.
class Sphere {
public:
    Sphere(const Vector3& position, float radius, float mass, float damping);

    Vector3 getPosition() const { return position; }
    Vector3 getVelocity() const { return velocity; }
    Vector3 getDeltaVelocity() const { return deltaVelocity; }
    float getRadius() const { return radius; }
    float getMass() const { return mass; }
    float getDamping() const { return damping; }

    void setPosition(const Vector3& newPosition) { position = newPosition; }

    /// Pins the sphere for good.
    void fix() { fixed = true; }
    bool isFixed() const { return fixed; }
    void tack() { tacked = true; }
    void untack() { tacked = false; }
    bool isTacked() const { return tacked; }
    bool isPinned() const { return fixed || tacked; }

    // The per-substep operations are defined here so the engine's loops can inline them.
    void addVelocity(const Vector3& change) {
        if (!isPinned()) velocity = velocity + change;
    }
    /// Gathers a contact's velocity change, folded in by the next integrate.
    void addDeltaVelocity(const Vector3& change) {
        if (!isPinned()) deltaVelocity = deltaVelocity + change;
    }
    void clearDeltaVelocity() { deltaVelocity = Vector3(); }
    /// velocity += force / mass * dt (seconds).
    void applyForce(const Vector3& force, float dt) {
        // Multiplying by the stored 1 / mass is what dividing a vector does anyway.
        if (!isPinned()) velocity = velocity + (force * inverseMass) * dt;
    }
    /// Semi-implicit Euler step of dt seconds with linear drag: contacts first,
    /// then drag on the new velocity, then the position moves with the velocity after drag.
    void integrate(float dt) {
        if (isPinned()) return;
        velocity = velocity + deltaVelocity;
        velocity = velocity + (velocity * -damping) * dt;
        position = position + velocity * dt;
    }

private:
    friend class SphereArrays;  // the engine's working copy reads and writes the state directly

    Vector3 position;
    Vector3 velocity;
    Vector3 deltaVelocity;
    float radius;
    float mass;
    float inverseMass;  // 1 / mass, computed once: forces are applied thousands of times per tick
    float damping;
    bool fixed = false;
    bool tacked = false;
};

}  // namespace quiltRush
