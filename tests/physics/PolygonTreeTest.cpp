#include "game/physics/PolygonTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "game/physics/PhysicsEngine.h"
#include "game/physics/Sphere.h"
#include "tests/physics/PhysicsTestSupport.h"

namespace {

using physicsTest::kBallMass;
using physicsTest::kBallRadius;
using quiltRush::Polygon;
using quiltRush::PolygonTree;
using quiltRush::Vector3;

/// Polygons the tree indexes; owned here, as the engine would own them.
struct Scene {
    void add(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& normal) {
        owned.push_back(std::make_unique<Polygon>(Polygon{a, b, c, normal}));
        polygons.push_back(owned.back().get());
    }
    /// A flat floor of side x side squares of 1 x 1 at y = 0, two triangles each.
    void addFloor(int side) {
        for (int i = 0; i < side; ++i) {
            for (int j = 0; j < side; ++j) {
                Vector3 a(static_cast<float>(i), 0, static_cast<float>(j));
                add(a, a + Vector3(0, 0, 1), a + Vector3(1, 0, 0), Vector3(0, 1, 0));
                add(a + Vector3(1, 0, 1), a + Vector3(1, 0, 0), a + Vector3(0, 0, 1), Vector3(0, 1, 0));
            }
        }
    }

    std::vector<std::unique_ptr<Polygon>> owned;
    std::vector<Polygon*> polygons;
};

std::vector<std::uint32_t> query(PolygonTree& tree, const Vector3& centre, std::size_t first = 0) {
    return tree.query(centre, first);
}

TEST(PolygonTreeTest, ListsOnlyThePolygonsNearTheCentreInAscendingOrder) {
    Scene scene;
    scene.addFloor(20);
    PolygonTree tree;
    tree.build(scene.polygons, kBallRadius);
    EXPECT_EQ(tree.size(), 800u);
    EXPECT_EQ(tree.radius(), kBallRadius);

    // Square (5, 7) is polygons 2 * (5 * 20 + 7) and the next; a centre in
    // the middle of it, 0.1 above, reaches no other square.
    std::vector<std::uint32_t> near = query(tree, Vector3(5.5f, 0.1f, 7.5f));
    EXPECT_EQ(near, (std::vector<std::uint32_t>{214, 215}));

    // Near a corner shared by four squares, all eight of their triangles.
    std::vector<std::uint32_t> corner = query(tree, Vector3(5.0f, 0.1f, 7.0f));
    EXPECT_EQ(corner, (std::vector<std::uint32_t>{172, 173, 174, 175, 212, 213, 214, 215}));
    EXPECT_TRUE(std::is_sorted(corner.begin(), corner.end()));

    // Only indices from `first` on, still ascending.
    EXPECT_EQ(query(tree, Vector3(5.0f, 0.1f, 7.0f), 174), (std::vector<std::uint32_t>{174, 175, 212, 213, 214, 215}));
    EXPECT_EQ(query(tree, Vector3(5.0f, 0.1f, 7.0f), 216), std::vector<std::uint32_t>{});

    // Well above the floor or beside it: nothing.
    EXPECT_TRUE(query(tree, Vector3(5.5f, 0.5f, 7.5f)).empty());
    EXPECT_TRUE(query(tree, Vector3(-0.5f, 0.0f, 7.5f)).empty());
}

TEST(PolygonTreeTest, AnEmptySceneListsNothing) {
    PolygonTree tree;
    tree.build({}, kBallRadius);
    EXPECT_EQ(tree.size(), 0u);
    EXPECT_TRUE(query(tree, Vector3()).empty());
}

TEST(PolygonTreeTest, PolygonsWhoseReachCannotBeBoundedAreListedEverywhereAndThoseWithoutANormalNowhere) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    Scene scene;
    scene.addFloor(2);                                                                        // 0..7
    scene.add(Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 0, 1), Vector3());              // 8: no normal
    scene.add(Vector3(nan, 0, 0), Vector3(1, 0, 0), Vector3(0, 0, 1), Vector3(0, 1, 0));     // 9
    scene.add(Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 0, 1), Vector3(0, inf, 0));     // 10
    scene.add(Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(2, 0, 0), Vector3(0, 1, 0));       // 11: flat
    scene.add(Vector3(0, 0, 0), Vector3(0, 0, 0), Vector3(0, 0, 1), Vector3(0, 1, 0));       // 12: two corners meet
    PolygonTree tree;
    tree.build(scene.polygons, kBallRadius);

    EXPECT_EQ(query(tree, Vector3(500, 500, 500)), (std::vector<std::uint32_t>{9, 10, 11, 12}));
    EXPECT_EQ(query(tree, Vector3(0.5f, 0.1f, 0.5f)), (std::vector<std::uint32_t>{0, 1, 9, 10, 11, 12}));
    EXPECT_EQ(query(tree, Vector3(0.5f, 0.1f, 0.5f), 10), (std::vector<std::uint32_t>{10, 11, 12}));
}

TEST(PolygonTreeTest, AWiderBallReachesFurther) {
    Scene scene;
    scene.addFloor(4);
    PolygonTree tree;
    tree.build(scene.polygons, 0.2f);
    EXPECT_TRUE(query(tree, Vector3(1.5f, 0.5f, 1.5f)).empty());
    tree.build(scene.polygons, 0.6f);
    EXPECT_EQ(tree.radius(), 0.6f);
    // Square (1, 1) and its eight neighbours are within 0.6 of the centre.
    std::vector<std::uint32_t> expected;
    for (std::uint32_t i = 0; i < 3; ++i) {
        for (std::uint32_t j = 0; j < 3; ++j) {
            expected.push_back(2 * (4 * i + j));
            expected.push_back(2 * (4 * i + j) + 1);
        }
    }
    EXPECT_EQ(query(tree, Vector3(1.5f, 0.5f, 1.5f)), expected);
}

TEST(PolygonTreeTest, QueriesAlongAPathMatchThoseOfAFreshTree) {
    // A tree answers from the polygons it gathered around an earlier centre
    // while the centre stays near; a fresh tree has gathered nothing yet.
    Scene scene;
    scene.addFloor(12);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    scene.add(Vector3(3, 0, 3), Vector3(nan, 0, 4), Vector3(4, 0, 3), Vector3(0, 1, 0));      // everywhere
    scene.add(Vector3(2, 0.3f, 2), Vector3(2, 0.3f, 9), Vector3(9, 0.3f, 2), Vector3(0, -1, 0));  // a ceiling
    PolygonTree walked;
    walked.build(scene.polygons, kBallRadius);
    const std::uint32_t floorTriangles = 2 * 12 * 12;
    int overFloor = 0;
    for (int step = 0; step < 400; ++step) {
        float t = 0.025f * static_cast<float>(step);
        Vector3 centre(1.0f + t, 0.1f + 0.08f * std::sin(3.0f * t), 1.0f + 0.5f * t + 0.3f * std::cos(5.0f * t));
        for (std::size_t first : {std::size_t{0}, std::size_t{100}}) {
            PolygonTree fresh;
            fresh.build(scene.polygons, kBallRadius);
            std::vector<std::uint32_t> expected = query(fresh, centre, first);
            ASSERT_EQ(query(walked, centre, first), expected) << "step " << step << ", first " << first;
            if (first == 0 && !expected.empty() && expected.front() < floorTriangles) ++overFloor;
        }
    }
    EXPECT_EQ(overFloor, 400);  // the path stays over the floor, which every query from 0 finds
}

/// Whether one scene pass against this polygon alone changes the ball.
bool acts(const Polygon& polygon, const Vector3& centre, const Vector3& velocity) {
    quiltRush::PhysicsEngine::destroy();
    quiltRush::PhysicsEngine& engine = *quiltRush::PhysicsEngine::instance();
    quiltRush::Sphere ball(centre, kBallRadius, kBallMass, 0.0f);
    ball.addVelocity(velocity);
    engine.addSphere(&ball);
    engine.addPolygon(polygon.a, polygon.b, polygon.c, polygon.normal);
    engine.setBroadPhase(false);
    quiltRush::PhysicsEngineProbe::collideBallWithPolygons(engine, 0.002f);
    Vector3 position = ball.getPosition();
    Vector3 after = ball.getVelocity();
    bool changed = std::memcmp(&position, &centre, sizeof position) != 0 || std::memcmp(&after, &velocity, sizeof after) != 0;
    quiltRush::PhysicsEngine::destroy();
    return changed;
}

TEST(PolygonTreeTest, NeverLeavesOutAPolygonThatActsOnTheBall) {
    // Random triangles of every size and shape, with normals of several
    // lengths, and centres around each of them, many within reach: whenever
    // the pass acts on a ball there, the tree must list the polygon.
    std::mt19937 random(20240607u);
    auto uniform = [&random](float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    };
    Scene scene;
    for (int k = 0; k < 300; ++k) {
        float size = k % 10 == 0 ? 40.0f : (k % 3 == 0 ? 0.05f : 1.5f);
        Vector3 a(uniform(-60, 60), uniform(-5, 5), uniform(-60, 60));
        Vector3 b = a + Vector3(uniform(-size, size), uniform(-size, size), uniform(-size, size));
        Vector3 c = a + Vector3(uniform(-size, size), uniform(-size, size), uniform(-size, size));
        if (k % 7 == 0) c = a + (b - a) * uniform(0.2f, 1.8f) + Vector3(0, uniform(-1e-3f, 1e-3f), 0);  // sliver
        Vector3 normal = quiltRush::normalize(quiltRush::cross(b - a, c - a));
        if (k % 4 == 1) normal = normal * uniform(0.3f, 1.0f);
        if (k % 4 == 2) normal = normal * uniform(1.0f, 3.0f);
        scene.add(a, b, c, normal);
    }
    PolygonTree tree;
    tree.build(scene.polygons, kBallRadius);

    int acting = 0;
    std::size_t listed = 0;
    int queries = 0;
    for (std::uint32_t i = 0; i < scene.polygons.size(); ++i) {
        const Polygon& polygon = *scene.polygons[i];
        Vector3 unit = quiltRush::normalize(polygon.normal);
        for (int n = 0; n < 40; ++n) {
            // A point of the triangle's plane in and around it, lifted by up to
            // two and a half radii.
            float u = uniform(-0.4f, 1.4f);
            float v = uniform(-0.4f, 1.4f - u);
            Vector3 onPlane = polygon.a + (polygon.b - polygon.a) * u + (polygon.c - polygon.a) * v;
            Vector3 centre = onPlane + unit * uniform(-0.05f, 0.5f) +
                             Vector3(uniform(-0.2f, 0.2f), uniform(-0.2f, 0.2f), uniform(-0.2f, 0.2f));
            Vector3 velocity(uniform(-3, 3), uniform(-3, 3), uniform(-3, 3));
            std::vector<std::uint32_t> candidates = query(tree, centre);
            listed += candidates.size();
            ++queries;
            if (!acts(polygon, centre, velocity)) continue;
            ++acting;
            EXPECT_TRUE(std::binary_search(candidates.begin(), candidates.end(), i))
                << "polygon " << i << " acts on a ball at " << centre.x << " " << centre.y << " " << centre.z;
        }
    }
    // Enough contacts to mean something, and the tree does leave most out
    // (the big triangles and the flattest slivers are listed often).
    EXPECT_GT(acting, 1000);
    EXPECT_LT(static_cast<double>(listed) / queries, 0.2 * static_cast<double>(scene.polygons.size()));
}

}  // namespace
