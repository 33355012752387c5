#include "game/scene/Object.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "game/physics/PhysicsEngine.h"
#include "tests/scene/AseText.h"
#include "tests/scene/BmpBytes.h"
#include "tests/support/GlContext.h"
#include "tests/support/ScopedTempDir.h"

using quiltRush::Object;
using quiltRush::PhysicsEngine;

namespace {

// Opens the mesh lists the way a deriving entity (the cloth) fills them.
class BuiltMesh : public Object {
public:
    BuiltMesh() : Object("Built") {}
    using Object::faces;
    using Object::vertices;
};

// One fed-back vertex: window position and texture coordinate.
struct FedVertex {
    float x, y, z, s, t;
};

class ObjectGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        testSupport::ensureGlContext();
        PhysicsEngine::destroy();
        glViewport(0, 0, 640, 480);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-4.0, 4.0, -4.0, 4.0, -4.0, 4.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_CULL_FACE);
    }
    void TearDown() override { PhysicsEngine::destroy(); }

    // Draws the object in feedback mode: the triangles as GL received them.
    static std::vector<std::vector<FedVertex>> feedback(Object& object) {
        std::vector<GLfloat> buffer(4096);
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
        glRenderMode(GL_FEEDBACK);
        object.draw();
        GLint used = glRenderMode(GL_RENDER);
        std::vector<std::vector<FedVertex>> triangles;
        const int perVertex = 3 + 4 + 4;  // window xyz, RGBA colour, texture strq
        for (GLint i = 0; i < used;) {
            EXPECT_EQ(buffer[i], static_cast<GLfloat>(GL_POLYGON_TOKEN));
            int corners = static_cast<int>(buffer[i + 1]);
            i += 2;
            std::vector<FedVertex> triangle;
            for (int k = 0; k < corners; ++k, i += perVertex) {
                triangle.push_back({buffer[i], buffer[i + 1], buffer[i + 2], buffer[i + 7], buffer[i + 8]});
            }
            triangles.push_back(triangle);
        }
        return triangles;
    }

    testSupport::ScopedTempDir dir;
};

}  // namespace

TEST_F(ObjectGlTest, QuotedBitmapPathLoadsTheTexture) {
    dir.write("assets/models/rock.bmp", testSupport::twoByTwoPicture().build());
    dir.write("assets/models/ground.ase", testSupport::groundAse());
    Object object("Scene");
    object.loadASE("assets/models/ground.ase");
    ASSERT_NE(object.getTexture(), 0u);
    glBindTexture(GL_TEXTURE_2D, object.getTexture());
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 2);
    EXPECT_EQ(PhysicsEngine::instance()->getPolygons().size(), 2u);
}

TEST_F(ObjectGlTest, DrawLeavesLightingOnAndTexturingOff) {
    dir.write("assets/models/rock.bmp", testSupport::twoByTwoPicture().build());
    dir.write("assets/models/ground.ase", testSupport::groundAse());
    Object object("Scene");
    object.loadASE("assets/models/ground.ase");
    glBindTexture(GL_TEXTURE_2D, 0);
    object.draw();
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, static_cast<GLint>(object.getTexture()));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ObjectGlTest, DrawSendsEveryFaceInOrderWithItsTextureCoordinates) {
    dir.write("assets/models/ground.ase", testSupport::groundAse());
    Object object("Scene");
    object.loadASE("assets/models/ground.ase");
    auto triangles = feedback(object);
    ASSERT_EQ(triangles.size(), 2u);
    ASSERT_EQ(triangles[0].size(), 3u);
    // Vertex 0 is (-1, 0, 2): x = (-1 / 4 + 1) * 320, y = (0 / 4 + 1) * 240.
    EXPECT_NEAR(triangles[0][0].x, 240.0f, 1e-3f);
    EXPECT_NEAR(triangles[0][0].y, 240.0f, 1e-3f);
    EXPECT_NEAR(triangles[0][1].x, 400.0f, 1e-3f);  // vertex 1, x = 1
    // Face 1 starts at vertex 3, (1, 0.5, -2).
    EXPECT_NEAR(triangles[1][0].x, 400.0f, 1e-3f);
    EXPECT_NEAR(triangles[1][0].y, 270.0f, 1e-3f);
    EXPECT_EQ(triangles[0][0].s, 0.0f);
    EXPECT_EQ(triangles[0][0].t, 1.0f);
    EXPECT_EQ(triangles[0][1].s, 1.0f);
    EXPECT_EQ(triangles[1][0].s, 1.0f);
    EXPECT_EQ(triangles[1][0].t, 0.0f);
}

// Only the good face is drawn: the others index past the vertices or below
// them, or have a corner that is not a number.
TEST_F(ObjectGlTest, FaceWithABadCornerIsNotDrawn) {
    BuiltMesh mesh;
    mesh.vertices.resize(4);
    mesh.vertices[1].position = {1.0f, 0.0f, 0.0f};
    mesh.vertices[2].position = {0.0f, 1.0f, 0.0f};
    mesh.vertices[3].position = {0.0f, std::numeric_limits<float>::quiet_NaN(), 0.0f};
    quiltRush::Face good;
    good.vertex[1] = 1;
    good.vertex[2] = 2;
    mesh.faces.push_back(good);
    for (auto [corner, index] : {std::pair{2, 4}, {0, -1}, {0, 3}}) {
        quiltRush::Face bad = good;
        bad.vertex[corner] = index;
        mesh.faces.push_back(bad);
    }
    auto triangles = feedback(mesh);
    ASSERT_EQ(triangles.size(), 1u);
    EXPECT_NEAR(triangles[0][1].x, 400.0f, 1e-3f);
}

// What the player sees is what the ball hits: a floor reaching 20 000 units
// out is drawn and collides; a corner beyond the float range is neither.
TEST_F(ObjectGlTest, SceneFacesAreDrawnExactlyWhenTheyCollide) {
    const struct {
        const char* corner;  // x of vertex 3, which only face 1 uses
        std::size_t faces;
    } cases[] = {{"20000.0000", 2}, {"1e39", 1}};
    for (const auto& tried : cases) {
        PhysicsEngine::destroy();
        std::string text = testSupport::groundAse();
        text.replace(text.find("*MESH_VERTEX    3\t1.0000"), 24, std::string("*MESH_VERTEX    3\t") + tried.corner);
        dir.write("far.ase", text);
        Object object("Scene");
        object.loadASE("far.ase");
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-3.0e4, 3.0e4, -3.0e4, 3.0e4, -3.0e4, 3.0e4);  // the whole floor in view: no face is clipped
        glMatrixMode(GL_MODELVIEW);
        EXPECT_EQ(feedback(object).size(), tried.faces) << tried.corner;
        EXPECT_EQ(PhysicsEngine::instance()->getPolygons().size(), tried.faces) << tried.corner;
    }
}
