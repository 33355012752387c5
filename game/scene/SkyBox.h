#pragma once

#include <GL/gl.h>

#include "framework/Entity.h"
#include "framework/IDrawListener.h"

namespace quiltRush {

class Camera;

/// A textured cube around the viewer, drawn first of the frame with its own
/// projection and without writing depth, so everything later covers it. It
/// turns with the camera but never moves.
class SkyBox : public kiln::Entity, public kiln::IDrawListener {
public:
    /// Loads the six faces from assets/skybox/, each clamped to its edges.
    SkyBox();

    void init() override {}
    /// Leaves its own projection and view loaded, lighting and texturing off
    /// and the depth mask on.
    void draw() override;

    /// Not owned. Without a camera the box is drawn looking along -z.
    void setCamera(Camera* newCamera) { camera = newCamera; }

private:
    void drawFaces() const;

    Camera* camera = nullptr;
    GLuint frontTexture = 0;   // x = +1
    GLuint backTexture = 0;    // x = -1
    GLuint leftTexture = 0;    // z = -1
    GLuint rightTexture = 0;   // z = +1
    GLuint topTexture = 0;     // y = +1
    GLuint bottomTexture = 0;  // y = -1
};

}  // namespace quiltRush
