#include "game/physics/Checkpoint.h"

#include <GL/freeglut.h>

#include "game/physics/Ball.h"

namespace quiltRush {

namespace {
constexpr float kBubbleAlpha = 0.5f;
constexpr int kSlices = 30;
constexpr int kStacks = 30;
}  // namespace

Checkpoint::Checkpoint(const std::string& id, const Vector3& center, float radius)
    : kiln::Entity(id), center(center), radius(radius) {
    reset();
}

bool Checkpoint::touch(const Ball& ball) {
    float distance = length(center - ball.getPosition());
    bool touching = distance <= ball.getRadius() + radius;  // touching counts
    if (touching) reached = true;
    return touching;
}

void Checkpoint::draw() {
    if (reached) return;
    // Lighting and texturing stay off afterwards: the draws that follow enable what they need.
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glPushMatrix();
    glTranslatef(center.x, center.y, center.z);
    glColor4f(1.0f, 1.0f, 0.0f, kBubbleAlpha);
    glutSolidSphere(radius, kSlices, kStacks);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glPopMatrix();
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
}

}  // namespace quiltRush
