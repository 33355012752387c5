#include "game/physics/Patch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "game/physics/Ball.h"
#include "game/physics/PhysicsEngine.h"
#include "game/scene/GameDataRecords.h"
#include "tests/physics/PhysicsTestSupport.h"

namespace {

using quiltRush::Ball;
using quiltRush::Patch;
using quiltRush::PatchRecord;
using quiltRush::Ray;
using quiltRush::Sphere;
using quiltRush::Vector3;

PatchRecord grid(float rows, float cols, float sizeX = 2.0f, float sizeZ = 2.0f, float y = 1.0f) {
    PatchRecord record;
    record.y = y;
    record.sizeX = sizeX;
    record.sizeZ = sizeZ;
    record.rows = rows;
    record.cols = cols;
    record.stiffness = 100.0f;
    return record;
}

/// The ball first, as in the game, then an empty patch whose image does not
/// exist (so no GL is needed).
class PatchTest : public physicsTest::FreshEngine {
protected:
    std::size_t pinnedCount() const {
        return std::count_if(patch.getSpheres().begin(), patch.getSpheres().end(),
                             [](const Sphere* sphere) { return sphere->isFixed(); });
    }

    Ball ball{"Ball", Vector3(0, 50, 0)};
    Patch patch{"Patch", "no-such-image.bmp"};
};

TEST_F(PatchTest, ThreeByFourGridBuildsAndRegistersEverything) {
    patch.addGrid(grid(3, 4));
    EXPECT_EQ(patch.getSpheres().size(), 12u);
    EXPECT_EQ(patch.getSprings().size(), 17u);
    EXPECT_EQ(patch.getVertices().size(), 12u);
    EXPECT_EQ(patch.getFaces().size(), 12u);
    ASSERT_EQ(engine().getSpheres().size(), 13u);
    EXPECT_EQ(engine().getSpheres()[0], static_cast<Sphere*>(&ball));
    EXPECT_TRUE(std::equal(patch.getSpheres().begin(), patch.getSpheres().end(), engine().getSpheres().begin() + 1));
    EXPECT_EQ(engine().getSprings(), patch.getSprings());
}

TEST_F(PatchTest, TwoByTwoExample) {
    patch.addGrid(grid(2, 2));
    const std::vector<Sphere*>& spheres = patch.getSpheres();
    ASSERT_EQ(spheres.size(), 4u);
    EXPECT_EQ(spheres[0]->getPosition(), Vector3(-1, 1, -1));
    EXPECT_EQ(spheres[1]->getPosition(), Vector3(-1, 1, 0));
    EXPECT_EQ(spheres[2]->getPosition(), Vector3(0, 1, -1));
    EXPECT_EQ(spheres[3]->getPosition(), Vector3(0, 1, 0));
    for (const Sphere* sphere : spheres) {
        EXPECT_EQ(sphere->getRadius(), 0.1f);
        EXPECT_EQ(sphere->getMass(), 0.1f);
        EXPECT_EQ(sphere->getDamping(), 5.0f);
        EXPECT_FALSE(sphere->isFixed());
    }
    const int ends[4][2] = {{0, 1}, {2, 3}, {0, 2}, {1, 3}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(patch.getSprings()[k]->getFirst(), spheres[ends[k][0]]);
        EXPECT_EQ(patch.getSprings()[k]->getSecond(), spheres[ends[k][1]]);
        EXPECT_EQ(patch.getSprings()[k]->getRestLength(), 1.0f);
        EXPECT_EQ(patch.getSprings()[k]->getStiffness(), 100.0f);
    }
    const quiltRush::Face& first = patch.getFaces()[0];
    const quiltRush::Face& second = patch.getFaces()[1];
    EXPECT_EQ((std::vector<int>{first.vertex[0], first.vertex[1], first.vertex[2]}), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ((std::vector<int>{second.vertex[0], second.vertex[1], second.vertex[2]}), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(second.texCoord[0][0], 1.0f);
    EXPECT_EQ(second.texCoord[1][0], 0.0f);
    EXPECT_EQ(patch.getVertices()[1].faceList, (std::vector<std::int32_t>{0, 1}));
    EXPECT_EQ(first.faceNormal, Vector3());  // until the first update
}

TEST_F(PatchTest, SecondGridContinuesTheListsAndPinIndicesArePatchWide) {
    patch.addGrid(grid(2, 2));
    patch.addGrid(grid(2, 3, 2.0f, 3.0f, 5.0f));
    ASSERT_EQ(patch.getSpheres().size(), 10u);
    EXPECT_EQ(patch.getSprings().size(), 4u + 7u);
    EXPECT_EQ(patch.getVertices().size(), 10u);
    ASSERT_EQ(patch.getFaces().size(), 2u + 4u);
    EXPECT_EQ(patch.getSpheres()[4]->getPosition(), Vector3(-1, 5, -1.5f));
    EXPECT_EQ(patch.getSprings()[4]->getFirst(), patch.getSpheres()[4]);
    // The second grid's first face is (a, a + 1, c) = (4, 5, 7), listed by vertex 4 as face 2.
    EXPECT_EQ(patch.getFaces()[2].vertex[0], 4);
    EXPECT_EQ(patch.getFaces()[2].vertex[2], 7);
    EXPECT_EQ(patch.getVertices()[4].faceList, (std::vector<std::int32_t>{2}));
    patch.fixSphere(1);
    patch.fixSphere(6);
    EXPECT_TRUE(patch.getSpheres()[1]->isFixed());
    EXPECT_TRUE(patch.getSpheres()[6]->isFixed());
    EXPECT_EQ(pinnedCount(), 2u);
    patch.update(16);
    EXPECT_EQ(patch.getVertices()[6].position, patch.getSpheres()[6]->getPosition());
}

TEST_F(PatchTest, UnusableRecordsAddNothingAndLaterPinsCountOnlyRealGrids) {
    patch.addGrid(grid(2, 2));
    PatchRecord soft = grid(3, 3);
    soft.stiffness = -1.0f;
    for (const PatchRecord& bad : {grid(1.5f, 3), grid(1, 3), grid(300, 300), grid(3, 3, NAN), soft})
        patch.addGrid(bad);
    EXPECT_EQ(patch.getSpheres().size(), 4u);
    EXPECT_EQ(patch.getSprings().size(), 4u);
    EXPECT_EQ(patch.getVertices().size(), 4u);
    EXPECT_EQ(patch.getFaces().size(), 2u);
    EXPECT_EQ(engine().getSpheres().size(), 5u);
    patch.addGrid(grid(2, 2, 2.0f, 2.0f, 7.0f));
    patch.fixSphere(4);  // the first sphere of the grid after the bad records
    EXPECT_EQ(patch.getSpheres()[4]->getPosition().y, 7.0f);
    EXPECT_TRUE(patch.getSpheres()[4]->isFixed());
}

TEST_F(PatchTest, PinIndicesBeyondTheSpheresAreIgnored) {
    patch.addGrid(grid(2, 2));
    patch.fixSphere(4);
    patch.fixSphere(static_cast<unsigned>(-1));  // a negative level value
    EXPECT_EQ(pinnedCount(), 0u);
}

TEST_F(PatchTest, ReleaseTacksUntacksEverySphereButKeepsFixedOnes) {
    patch.addGrid(grid(2, 2));
    patch.fixSphere(0);
    for (Sphere* sphere : patch.getSpheres()) sphere->tack();
    patch.releaseTacks();
    for (const Sphere* sphere : patch.getSpheres()) EXPECT_FALSE(sphere->isTacked());
    EXPECT_TRUE(patch.getSpheres()[0]->isFixed());
}

TEST_F(PatchTest, PickWithNothingNearTheRayIsNull) {
    patch.addGrid(grid(2, 2));
    EXPECT_EQ(patch.pick(Ray(5, 5, 5, 0, -1, 0)), nullptr);
    // Just beyond 0.14 from the line is too far; just within is near enough.
    EXPECT_EQ(patch.pick(Ray(-1.1401f, 5, -1, 0, -1, 0)), nullptr);
    EXPECT_EQ(patch.pick(Ray(-1.1399f, 5, -1, 0, -1, 0)), patch.getSpheres()[0]);
}

TEST_F(PatchTest, PickTakesTheNearerOfTwoSpheresOnTheRay) {
    patch.addGrid(grid(2, 2));
    // Along +x through spheres 1 (-1, 1, 0) and 3 (0, 1, 0).
    EXPECT_EQ(patch.pick(Ray(-3, 1, 0.05f, 1, 0, 0)), patch.getSpheres()[1]);
    EXPECT_EQ(patch.pick(Ray(3, 1, 0.05f, -1, 0, 0)), patch.getSpheres()[3]);
}

TEST_F(PatchTest, PickOnATieKeepsTheEarlierSphere) {
    patch.addGrid(grid(2, 2));
    // From between spheres 0 and 2, along their line: both lie 0.5 away.
    EXPECT_EQ(patch.pick(Ray(-0.5f, 1, -1, 1, 0, 0)), patch.getSpheres()[0]);
    EXPECT_EQ(patch.pick(Ray(-0.5f, 1, -1, -1, 0, 0)), patch.getSpheres()[0]);
}

TEST_F(PatchTest, PickIgnoresSpheresAThousandAwayButNotBehindTheOrigin) {
    patch.addGrid(grid(2, 2));
    EXPECT_EQ(patch.pick(Ray(-1, 1001, -1, 0, 1, 0)), nullptr);
    EXPECT_EQ(patch.pick(Ray(-1, 900, -1, 0, 1, 0)), patch.getSpheres()[0]);
}

TEST_F(PatchTest, UnbentSheetHasUpwardNormalsEverywhere) {
    patch.addGrid(grid(3, 4));
    patch.update(16);
    for (std::size_t k = 0; k < patch.getVertices().size(); ++k)
        EXPECT_EQ(patch.getVertices()[k].position, patch.getSpheres()[k]->getPosition());
    for (const quiltRush::Face& face : patch.getFaces()) {
        EXPECT_EQ(face.faceNormal, Vector3(0, 1, 0));
        for (const Vector3& normal : face.normal) EXPECT_EQ(normal, Vector3(0, 1, 0));
    }
}

TEST_F(PatchTest, BentSheetSmoothsCornerNormalsOverNeighbouringFaces) {
    patch.addGrid(grid(2, 2));
    patch.getSpheres()[3]->setPosition(Vector3(0, 2, 0));  // lift the far corner by one
    patch.update(16);
    const quiltRush::Face& flat = patch.getFaces()[0];
    const quiltRush::Face& tilted = patch.getFaces()[1];
    EXPECT_EQ(flat.faceNormal, Vector3(0, 1, 0));
    const float half = std::sqrt(1.0f / 3.0f);
    EXPECT_NEAR(tilted.faceNormal.x, -half, 1e-6f);
    EXPECT_NEAR(tilted.faceNormal.y, half, 1e-6f);
    EXPECT_NEAR(tilted.faceNormal.z, -half, 1e-6f);
    // Vertex 1 is shared by both faces; vertex 0 only by the flat one.
    Vector3 shared = quiltRush::normalize(flat.faceNormal + tilted.faceNormal);
    EXPECT_EQ(flat.normal[1], shared);
    EXPECT_EQ(tilted.normal[2], shared);
    EXPECT_EQ(flat.normal[0], Vector3(0, 1, 0));
    EXPECT_NEAR(tilted.normal[0].x, -half, 1e-6f);
    EXPECT_NEAR(tilted.normal[0].y, half, 1e-6f);
}

}  // namespace

namespace {

// A whole run: a 16 x 16 cloth, 0.15 apart and pinned at its four corners,
// catches a ball dropped from one unit above its middle.
TEST_F(PatchTest, ClothPinnedAtItsCornersCatchesADroppedBall) {
    PatchRecord cloth = grid(16, 16, 2.4f, 2.4f, 0.0f);
    cloth.stiffness = 5000.0f;
    patch.addGrid(cloth);
    for (unsigned corner : {0u, 15u, 240u, 255u}) patch.fixSphere(corner);
    const float middle = -1.2f + 7.5f * 0.15f;  // between spheres 7 and 8 both ways
    ball.setPosition(Vector3(middle, 1.0f, middle));
    const int ticks = 10000 / 16;  // ten seconds of 16 ms ticks
    const int settledFrom = ticks - 2000 / 16;  // the last two seconds
    float settledLow = 1.0f, settledHigh = -1.0f;
    for (int tick = 0; tick < ticks; ++tick) {
        engine().update(16);
        patch.update(16);
        float clothLowest = 0.0f;
        bool finite = quiltRush::isFinite(ball.getPosition());
        for (const Sphere* sphere : patch.getSpheres()) {
            clothLowest = std::min(clothLowest, sphere->getPosition().y);
            finite = finite && quiltRush::isFinite(sphere->getPosition());
        }
        ASSERT_TRUE(finite) << "tick " << tick;
        // Never through the sheet: the ball stays at least its radius above the lowest cloth sphere.
        ASSERT_GT(ball.getPosition().y, clothLowest + ball.getRadius()) << "tick " << tick;
        if (tick >= settledFrom) {
            settledLow = std::min(settledLow, ball.getPosition().y);
            settledHigh = std::max(settledHigh, ball.getPosition().y);
        }
    }
    // Resting in the sag: below the pinned corners (height 0), less than one unit down,
    // still over the middle, and no longer moving.
    EXPECT_LT(ball.getPosition().y, 0.0f);
    EXPECT_GT(ball.getPosition().y, -1.0f);
    EXPECT_NEAR(ball.getPosition().x, middle, 0.01f);
    EXPECT_NEAR(ball.getPosition().z, middle, 0.01f);
    EXPECT_LT(settledHigh - settledLow, 0.01f);
    EXPECT_LT(quiltRush::length(ball.getVelocity()), 0.01f);
}

}  // namespace
