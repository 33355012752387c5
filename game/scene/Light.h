#pragma once

#include <GL/gl.h>

#include <string>

#include "framework/Entity.h"
#include "framework/IDrawListener.h"
#include "game/physics/Vector3.h"

namespace quiltRush {

/// One positional OpenGL light, set every frame. Registered after the camera,
/// so its position is in world coordinates.
class Light : public kiln::Entity, public kiln::IDrawListener {
public:
    /// light is GL_LIGHT0, GL_LIGHT1, ...; colours are r, g, b with alpha 1.
    Light(const std::string& id, GLenum light, const Vector3& position, const Vector3& diffuse,
          const Vector3& ambient);

    void init() override {}
    /// Enables lighting and this light, then sets its position, diffuse and
    /// ambient colours; no other light is touched.
    void draw() override;

private:
    GLenum light;
    GLfloat position[4];
    GLfloat diffuse[4];
    GLfloat ambient[4];
};

}  // namespace quiltRush
