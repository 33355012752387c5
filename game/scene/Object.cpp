#include "game/scene/Object.h"

#include <fstream>

#include "game/physics/PhysicsEngine.h"
#include "game/scene/AseReader.h"
#include "game/scene/Texture.h"

namespace quiltRush {

Object::Object(const std::string& id) : kiln::Entity(id) {}

void Object::loadASE(const std::string& fileName, const ProblemSink& problems) {
    std::ifstream in(fileName);
    if (!in) return;  // no scenery: the game runs with an empty scene
    AseDiagnostics diagnostics;
    diagnostics.problems = problems;
    AseModel model = AseReader::read(in, problems ? &diagnostics : nullptr);
    if (!model.bitmapPath.empty()) {
        loadTexture(texture, model.bitmapPath);
        samplePlainly(texture);
    }
    vertices = std::move(model.vertices);
    faces = std::move(model.faces);
    // The engine collides with its own copy; the scene never moves, so the
    // two stay in the same world coordinates.
    PhysicsEngine* engine = PhysicsEngine::instance();
    for (const Polygon& polygon : model.polygons) {
        engine->addPolygon(polygon.a, polygon.b, polygon.c, polygon.normal);
    }
}

bool Object::skipToKeyword(std::istream& in, const std::string& keyword) {
    return AseReader::skipToKeyword(in, keyword);
}

void Object::draw() {
    glEnable(GL_LIGHTING);
    bindTexture(texture);
    drawMesh();
    glDisable(GL_TEXTURE_2D);
}

void Object::drawMesh() const {
    const auto vertexCount = static_cast<std::int64_t>(vertices.size());
    glBegin(GL_TRIANGLES);
    for (const Face& face : faces) {
        bool inside = true;
        for (std::int32_t index : face.vertex) inside = inside && index >= 0 && index < vertexCount;
        if (!inside) continue;  // a face pointing past the vertex list cannot be drawn
        // A corner that is not finite (a cloth torn by the physics, for a tick
        // before the run restarts) has no place to be drawn at. The scene's
        // reader never keeps one, so its drawn faces are its collision triangles.
        bool finite = true;
        for (std::int32_t index : face.vertex) finite = finite && isFinite(vertices[index].position);
        if (!finite) continue;
        for (int k = 0; k < 3; ++k) {
            const Vector3& normal = face.normal[k];
            const Vector3& position = vertices[face.vertex[k]].position;
            glNormal3f(normal.x, normal.y, normal.z);
            glTexCoord2f(face.texCoord[k][0], face.texCoord[k][1]);
            glVertex3f(position.x, position.y, position.z);
        }
    }
    glEnd();
}

}  // namespace quiltRush
