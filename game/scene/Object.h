#pragma once

#include <GL/gl.h>

#include <istream>
#include <string>
#include <vector>

#include "framework/Entity.h"
#include "framework/IDrawListener.h"
#include "game/scene/MeshRecords.h"
#include "game/scene/ReadProblem.h"

namespace quiltRush {

/// A textured, lit triangle mesh entity: the scenery, and the base of the cloth patch.
class Object : public kiln::Entity, public kiln::IDrawListener {
public:
    explicit Object(const std::string& id);

    void init() override {}
    /// Draws every face with lighting and the texture, in world coordinates.
    void draw() override;

    /// Reads the first material bitmap and the first mesh of an ASE model (z-up,
    /// turned to y-up), loads the texture and hands every face to the physics
    /// engine as a collision polygon. A missing file leaves the object empty;
    /// a damaged one keeps only its sound entries (AseReader says which) and
    /// reports what is wrong with it to problems, when given.
    void loadASE(const std::string& fileName, const ProblemSink& problems = nullptr);

    /// Reads words until one equals keyword exactly; false at the end of the stream.
    static bool skipToKeyword(std::istream& in, const std::string& keyword);

    const std::vector<Vertex>& getVertices() const { return vertices; }
    const std::vector<Face>& getFaces() const { return faces; }
    GLuint getTexture() const { return texture; }

protected:
    /// The mesh itself, without touching any other GL state.
    void drawMesh() const;

    std::vector<Vertex> vertices;
    std::vector<Face> faces;
    GLuint texture = 0;
};

}  // namespace quiltRush
