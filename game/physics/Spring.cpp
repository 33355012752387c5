#include "game/physics/Spring.h"

#include "game/physics/Sphere.h"

namespace quiltRush {

Spring::Spring(Sphere* first, Sphere* second, float stiffness)
    : first(first),
      second(second),
      restLength(length(first->getPosition() - second->getPosition())),
      stiffness(stiffness) {
    ++edits;
}

void Spring::apply(float dt) {
    Vector3 between = first->getPosition() - second->getPosition();
    float stretch = length(between);
    if (static_cast<double>(stretch) <= kDeadZone) return;
    // between / stretch is normalize(between) without measuring the length twice.
    Vector3 force = (between / stretch) * ((stretch - restLength) * stiffness);
    first->applyForce(-force, dt);
    second->applyForce(force, dt);
}

}  // namespace quiltRush
