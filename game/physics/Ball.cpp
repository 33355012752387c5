#include "game/physics/Ball.h"

#include <GL/freeglut.h>

#include "game/physics/PhysicsEngine.h"

namespace quiltRush {

namespace {
constexpr float kNoDrag = 0.0f;
constexpr int kSlices = 30;
constexpr int kStacks = 30;
}  // namespace

Ball::Ball(const std::string& id, const Vector3& position)
    : Sphere(position, kRadius, kMass, kNoDrag), kiln::Entity(id) {
    PhysicsEngine::instance()->addSphere(this);
}

void Ball::draw() {
    // The ball is drawn with lighting on, where a plain colour is ignored: let
    // the colour drive the material for this draw only, and give the material
    // back unchanged afterwards.
    glPushAttrib(GL_LIGHTING_BIT);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glPushMatrix();
    Vector3 centre = getPosition();
    glTranslatef(centre.x, centre.y, centre.z);
    glColor3f(1.0f, 0.0f, 0.0f);
    glutSolidSphere(getRadius(), kSlices, kStacks);
    glPopMatrix();
    glPopAttrib();
    glColor3f(1.0f, 1.0f, 1.0f);
}

}  // namespace quiltRush
