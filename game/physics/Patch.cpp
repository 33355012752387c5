// The cloth is physics first: the engine moves its spheres, and once per
// update the mesh vertices copy their positions and the normals are rebuilt,
// face normals first, then each corner's as the sum of its vertex's faces, so
// the sheet shades smoothly however it bends.
#include "game/physics/Patch.h"

#include <GL/freeglut.h>

#include <optional>
#include <utility>

#include "framework/Util.h"
#include "game/physics/ClothGrid.h"
#include "game/physics/PhysicsEngine.h"
#include "game/scene/GameDataRecords.h"
#include "game/scene/Texture.h"

namespace quiltRush {

namespace {

constexpr float kPickReach = 0.14f;      // how close to the ray line a sphere's centre must be
constexpr float kPickDistance = 1000.0f;  // nothing farther from the ray origin is picked

constexpr GLfloat kAlphaCutoff = 0.5f;  // the cloth image's holes are see-through
constexpr int kWireSlices = 5;
constexpr int kWireStacks = 5;

// A tacked sphere carries a pin: a steel needle standing up from the cloth
// with a round coral head, world units, big enough to see from the start camera.
constexpr float kPinNeedleLength = 0.4f;
constexpr float kPinNeedleRadius = 0.02f;
constexpr float kPinHeadRadius = 0.1f;
constexpr int kPinSlices = 10;

}  // namespace

// The cloth is part of the 3-D world, which samples plainly on a software renderer (samplePlainly).
Patch::Patch(const std::string& id, const std::string& textureFile) : Object(id) {
    loadTexture(texture, textureFile);
    samplePlainly(texture);
}

Patch::~Patch() {
    for (Spring* spring : springs) delete spring;
    for (Sphere* sphere : spheres) delete sphere;
}

void Patch::addGrid(const PatchRecord& record) {
    std::optional<ClothGrid> grid = ClothGrid::build(record);
    if (!grid) return;  // counts or sizes the cloth cannot be built from
    PhysicsEngine* engine = PhysicsEngine::instance();
    const std::size_t baseS = spheres.size();
    const std::size_t baseV = vertices.size();
    const std::size_t baseF = faces.size();

    for (const Vector3& position : grid->positions) {
        Sphere* sphere = new Sphere(position, kSphereRadius, kSphereMass, kSphereDamping);
        spheres.push_back(sphere);
        engine->addSphere(sphere);
    }
    for (const auto& [first, second] : grid->springs) {
        Spring* spring = new Spring(spheres[baseS + first], spheres[baseS + second], grid->stiffness);
        springs.push_back(spring);
        engine->addSpring(spring);
    }
    for (std::size_t q = 0; q < grid->positions.size(); ++q) {
        links.emplace_back(static_cast<std::uint32_t>(baseS + q), static_cast<std::uint32_t>(baseV + q));
        Vertex vertex;  // placed by the first update
        for (std::uint32_t face : grid->faceLists[q]) vertex.faceList.push_back(static_cast<std::int32_t>(baseF + face));
        vertices.push_back(std::move(vertex));
    }
    for (const ClothGrid::Triangle& triangle : grid->triangles) {
        Face face;
        for (int k = 0; k < 3; ++k) {
            face.vertex[k] = static_cast<std::int32_t>(baseV + triangle.vertex[k]);
            face.texCoord[k][0] = triangle.texCoord[k][0];
            face.texCoord[k][1] = triangle.texCoord[k][1];
        }
        faces.push_back(face);
    }
}

void Patch::fixSphere(unsigned int index) {
    if (index < spheres.size()) spheres[index]->fix();
}

void Patch::releaseTacks() {
    for (Sphere* sphere : spheres) sphere->untack();
}

Sphere* Patch::pick(Ray ray) const {
    float best = kPickDistance;
    Sphere* result = nullptr;
    for (Sphere* sphere : spheres) {
        Vector3 centre = sphere->getPosition();
        // Spheres behind the origin are not excluded: the ray is a whole line.
        float along = dot(ray.direction, centre - ray.origin);
        Vector3 closest = ray.origin + ray.direction * along;
        if (!(length(closest - centre) < kPickReach)) continue;
        float distance = length(centre - ray.origin);
        if (distance < best) {  // strict: on a tie the earlier sphere stays
            result = sphere;
            best = distance;
        }
    }
    return result;
}

void Patch::update(unsigned long) {
    for (const auto& [sphere, vertex] : links) vertices[vertex].position = spheres[sphere]->getPosition();
    for (Face& face : faces) {
        Vector3 p0 = vertices[face.vertex[0]].position;
        Vector3 p1 = vertices[face.vertex[1]].position;
        Vector3 p2 = vertices[face.vertex[2]].position;
        face.faceNormal = normalize(cross(p1 - p0, p2 - p0));
    }
    // Every face normal is final before any corner sums them.
    for (Face& face : faces) {
        for (int k = 0; k < 3; ++k) {
            Vector3 sum;
            for (std::int32_t other : vertices[face.vertex[k]].faceList) sum = sum + faces[other].faceNormal;
            face.normal[k] = normalize(sum);
        }
    }
}

void Patch::draw() {
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, kAlphaCutoff);
    if (PhysicsEngine::instance()->isDebugMode()) {
        drawSprings();
    } else {
        Object::draw();
    }
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    glDisable(GL_ALPHA_TEST);
    drawPins();
}

void Patch::drawPins() const {
    kiln::Util::instance()->drawInColour([this] {
        for (const Sphere* sphere : spheres) {
            if (sphere->isTacked()) drawPin(sphere->getPosition());
        }
    });
}

void Patch::drawPin(const Vector3& base) {
    glPushMatrix();
    glTranslatef(base.x, base.y, base.z);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);  // the cylinder stands along z: make it stand up
    glColor3f(0.75f, 0.75f, 0.8f);
    glutSolidCylinder(kPinNeedleRadius, kPinNeedleLength, kPinSlices, 1);
    glTranslatef(0.0f, 0.0f, kPinNeedleLength);
    glColor3f(0.95f, 0.42f, 0.3f);  // the coral of the tack icons, not the ball's red
    glutSolidSphere(kPinHeadRadius, kPinSlices, kPinSlices);
    glPopMatrix();
}

// Each spring as a line, with a wire sphere on its first end (so the last
// sphere of a grid, never a first end, gets none). The colour is left as it is.
void Patch::drawSprings() const {
    glDisable(GL_TEXTURE_2D);  // lines and wire spheres take no picture; a sampled one only costs time
    for (const Spring* spring : springs) {
        Vector3 first = spring->getFirst()->getPosition();
        Vector3 second = spring->getSecond()->getPosition();
        glBegin(GL_LINES);
        glVertex3f(first.x, first.y, first.z);
        glVertex3f(second.x, second.y, second.z);
        glEnd();
        glPushMatrix();
        glTranslatef(first.x, first.y, first.z);
        glutWireSphere(spring->getFirst()->getRadius(), kWireSlices, kWireStacks);
        glPopMatrix();
    }
}

}  // namespace quiltRush
