#include "game/physics/Ball.h"

#include <GL/freeglut.h>

#include "game/physics/PhysicsEngine.h"

namespace quiltRush {

namespace {
constexpr float kNoDrag = 0.0f;
constexpr int kSlices = 30;
constexpr int kStacks = 30;
// A red that the scene's two lights cannot drive to full intensity, so the
// ball keeps its shading from the lit side to the rim, and a small white
// highlight that shows it round.
constexpr GLfloat kDiffuse[] = {0.78f, 0.04f, 0.03f, 1.0f};
constexpr GLfloat kAmbient[] = {0.35f, 0.02f, 0.02f, 1.0f};
constexpr GLfloat kSpecular[] = {0.9f, 0.9f, 0.9f, 1.0f};
constexpr GLfloat kShininess = 48.0f;
}  // namespace

Ball::Ball(const std::string& id, const Vector3& position)
    : Sphere(position, kRadius, kMass, kNoDrag), kiln::Entity(id) {
    PhysicsEngine::instance()->addSphere(this);
}

void Ball::draw() {
    // The ball is drawn with lighting on, where a plain colour is ignored: it
    // gets a material of its own for this draw, and the material is given back
    // unchanged afterwards.
    glPushAttrib(GL_LIGHTING_BIT);
    glDisable(GL_COLOR_MATERIAL);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, kAmbient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, kDiffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, kSpecular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, kShininess);
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
