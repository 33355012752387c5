#include "game/physics/PhysicsEngine.h"

namespace quiltRush {

PhysicsEngine::PhysicsEngine() : kiln::Entity("PhysicsEngine") {}

void PhysicsEngine::update(unsigned long) {}
void PhysicsEngine::drawOverlay() {}
void PhysicsEngine::addSphere(Sphere* sphere) { spheres.push_back(sphere); }
void PhysicsEngine::addSpring(Spring* spring) { springs.push_back(spring); }
void PhysicsEngine::addPolygon(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& normal) {
    polygons.push_back(new Polygon{a, b, c, normal});
}

}  // namespace quiltRush
