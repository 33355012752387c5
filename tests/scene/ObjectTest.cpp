#include "game/scene/Object.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "game/physics/PhysicsEngine.h"
#include "tests/scene/AseText.h"
#include "tests/support/ScopedTempDir.h"

using quiltRush::Object;
using quiltRush::PhysicsEngine;

namespace {

// The models here name bitmaps that do not exist, so no GL call is made.
class ObjectTest : public ::testing::Test {
protected:
    void SetUp() override { PhysicsEngine::destroy(); }
    void TearDown() override { PhysicsEngine::destroy(); }

    testSupport::ScopedTempDir dir;
};

}  // namespace

TEST_F(ObjectTest, NewObjectIsEmptyWithItsId) {
    Object object("Scene");
    EXPECT_EQ(object.getId(), "Scene");
    EXPECT_TRUE(object.getVertices().empty());
    EXPECT_TRUE(object.getFaces().empty());
    EXPECT_EQ(object.getTexture(), 0u);
}

TEST_F(ObjectTest, LoadAseFillsTheMeshAndHandsEveryFaceToTheEngineInFaceOrder) {
    dir.write("assets/models/ground.ase", testSupport::groundAse());
    Object object("Scene");
    object.loadASE("assets/models/ground.ase");
    ASSERT_EQ(object.getVertices().size(), 4u);
    ASSERT_EQ(object.getFaces().size(), 2u);
    EXPECT_EQ(object.getTexture(), 0u);  // the bitmap is missing: silently untextured

    const auto& polygons = PhysicsEngine::instance()->getPolygons();
    ASSERT_EQ(polygons.size(), object.getFaces().size());
    for (std::size_t f = 0; f < polygons.size(); ++f) {
        const quiltRush::Face& face = object.getFaces()[f];
        EXPECT_EQ(polygons[f]->a, object.getVertices()[face.vertex[0]].position) << f;
        EXPECT_EQ(polygons[f]->b, object.getVertices()[face.vertex[1]].position) << f;
        EXPECT_EQ(polygons[f]->c, object.getVertices()[face.vertex[2]].position) << f;
        EXPECT_EQ(polygons[f]->normal, face.faceNormal) << f;
    }
    EXPECT_EQ(polygons[1]->a, quiltRush::Vector3(1.0f, 0.5f, -2.0f));
}

TEST_F(ObjectTest, MissingModelLeavesTheObjectEmptyAndRegistersNothing) {
    Object object("Scene");
    testing::internal::CaptureStdout();
    object.loadASE("assets/models/missing.ase");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(object.getVertices().empty());
    EXPECT_TRUE(object.getFaces().empty());
    EXPECT_EQ(object.getTexture(), 0u);
    EXPECT_TRUE(PhysicsEngine::instance()->getPolygons().empty());
}

TEST_F(ObjectTest, DamagedMeshRegistersOnlyItsSoundFaces) {
    std::string text = testSupport::groundAse();
    text.replace(text.find("A:    3"), 7, "A:    9");
    dir.write("bad.ase", text);
    Object object("Scene");
    object.loadASE("bad.ase");
    EXPECT_EQ(object.getFaces().size(), 1u);
    EXPECT_EQ(PhysicsEngine::instance()->getPolygons().size(), 1u);
}

TEST_F(ObjectTest, SkipToKeywordIsTheReadersWholeWordSearch) {
    std::istringstream in("*MESH_FACE_LIST { *MESH_FACE 0: A: 1");
    ASSERT_TRUE(Object::skipToKeyword(in, "*MESH_FACE"));
    std::string label;
    in >> label;
    EXPECT_EQ(label, "0:");
    EXPECT_FALSE(Object::skipToKeyword(in, "*MESH_FACE"));
}
