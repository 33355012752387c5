#include "game/scene/Light.h"

namespace quiltRush {

Light::Light(const std::string& id, GLenum light, const Vector3& position, const Vector3& diffuse,
             const Vector3& ambient)
    : kiln::Entity(id),
      light(light),
      position{position.x, position.y, position.z, 1.0f},  // w = 1: a point light, not a direction
      diffuse{diffuse.x, diffuse.y, diffuse.z, 1.0f},
      ambient{ambient.x, ambient.y, ambient.z, 1.0f} {}

void Light::draw() {
    glEnable(GL_LIGHTING);
    glEnable(light);
    glLightfv(light, GL_POSITION, position);
    glLightfv(light, GL_DIFFUSE, diffuse);
    glLightfv(light, GL_AMBIENT, ambient);
}

}  // namespace quiltRush
