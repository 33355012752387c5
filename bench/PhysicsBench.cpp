// One game tick of the physics (update(16): 8 substeps, two of them with the
// scene test) for the two loads that grow: the cloth, and the scene the ball
// rolls on, with and without the scene's broad phase. Every case is built
// without GL and settles for a second before it is timed, so the ball is in
// contact as it would be in play.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "game/physics/Ball.h"
#include "game/physics/ClothGrid.h"
#include "game/physics/Patch.h"
#include "game/physics/PhysicsEngine.h"
#include "game/scene/GameDataRecords.h"

namespace {

using quiltRush::ClothGrid;
using quiltRush::PhysicsEngine;
using quiltRush::Sphere;
using quiltRush::Spring;
using quiltRush::Vector3;

constexpr unsigned long kTickMillis = 16;
constexpr int kSettleTicks = 1000 / 16;
constexpr float kBallRadius = quiltRush::Ball::kRadius;
constexpr float kBallMass = quiltRush::Ball::kMass;
constexpr float kClothRadius = quiltRush::Patch::kSphereRadius;
constexpr float kClothMass = quiltRush::Patch::kSphereMass;
constexpr float kClothDamping = quiltRush::Patch::kSphereDamping;
constexpr float kClothSpacing = 0.15f;
constexpr float kClothStiffness = 5000.0f;

/// Owns what the engine only points at, for the length of one benchmark run.
struct World {
    World() { PhysicsEngine::destroy(); }
    ~World() { PhysicsEngine::destroy(); }

    Sphere* addSphere(const Vector3& position, float radius, float mass, float damping) {
        spheres.push_back(std::make_unique<Sphere>(position, radius, mass, damping));
        PhysicsEngine::instance()->addSphere(spheres.back().get());
        return spheres.back().get();
    }
    void settle() {
        for (int tick = 0; tick < kSettleTicks; ++tick) PhysicsEngine::instance()->update(kTickMillis);
    }

    std::vector<std::unique_ptr<Sphere>> spheres;
    std::vector<std::unique_ptr<Spring>> springs;
};

/// A side x side cloth pinned at its corners with the ball lying in its middle.
void buildCloth(World& world, int side) {
    world.addSphere(Vector3(0, kBallRadius + kClothRadius, 0), kBallRadius, kBallMass, 0.0f);
    quiltRush::PatchRecord record;
    record.rows = static_cast<float>(side);
    record.cols = static_cast<float>(side);
    record.sizeX = side * kClothSpacing;
    record.sizeZ = side * kClothSpacing;
    record.stiffness = kClothStiffness;
    std::optional<ClothGrid> grid = ClothGrid::build(record);
    std::vector<Sphere*> cloth;
    for (const Vector3& position : grid->positions)
        cloth.push_back(world.addSphere(position, kClothRadius, kClothMass, kClothDamping));
    for (const auto& [first, second] : grid->springs) {
        world.springs.push_back(std::make_unique<Spring>(cloth[first], cloth[second], grid->stiffness));
        PhysicsEngine::instance()->addSpring(world.springs.back().get());
    }
    const int last = side - 1;
    for (int corner : {0, last, last * side, last * side + last}) cloth[corner]->fix();
}

/// A flat floor of exactly `triangles` triangles (rows x cols squares cut in
/// two, as near square as the count allows) with the ball resting on it: the
/// ball is within reach of every triangle's plane, the costliest case.
void buildScene(World& world, int triangles) {
    world.addSphere(Vector3(0.05f, kBallRadius, 0.05f), kBallRadius, kBallMass, 0.0f);
    const int squares = triangles / 2;
    int rows = static_cast<int>(std::sqrt(static_cast<double>(squares)));
    while (squares % rows != 0) --rows;
    const int cols = squares / rows;
    const float cell = 0.5f;
    PhysicsEngine* engine = PhysicsEngine::instance();
    const Vector3 up(0, 1, 0);
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < cols; ++j) {
            Vector3 a((i - 0.5f * rows) * cell, 0, (j - 0.5f * cols) * cell);
            Vector3 b = a + Vector3(0, 0, cell);
            Vector3 c = a + Vector3(cell, 0, 0);
            Vector3 d = a + Vector3(cell, 0, cell);
            engine->addPolygon(a, b, c, up);
            engine->addPolygon(d, c, b, up);
        }
    }
}

void reportWorld(benchmark::State& state) {
    PhysicsEngine* engine = PhysicsEngine::instance();
    state.counters["spheres"] = static_cast<double>(engine->getSpheres().size());
    state.counters["springs"] = static_cast<double>(engine->getSprings().size());
    state.counters["polygons"] = static_cast<double>(engine->getPolygons().size());
    state.counters["ballY"] = engine->getSpheres()[0]->getPosition().y;
    if (!quiltRush::isFinite(engine->getSpheres()[0]->getPosition())) state.SkipWithError("the ball left the world");
}

void BM_ClothTick(benchmark::State& state) {
    World world;
    buildCloth(world, static_cast<int>(state.range(0)));
    world.settle();
    PhysicsEngine* engine = PhysicsEngine::instance();
    for (auto _ : state) engine->update(kTickMillis);
    reportWorld(state);
}
BENCHMARK(BM_ClothTick)->ArgName("side")->Arg(10)->Arg(32)->Arg(64)->Arg(128)->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)->ReportAggregatesOnly(true);

void BM_SceneTick(benchmark::State& state) {
    World world;
    buildScene(world, static_cast<int>(state.range(0)));
    PhysicsEngine::instance()->setBroadPhase(state.range(1) != 0);
    world.settle();
    PhysicsEngine* engine = PhysicsEngine::instance();
    for (auto _ : state) engine->update(kTickMillis);
    reportWorld(state);
}
// broadPhase:0 tests every polygon on each scene pass, broadPhase:1 only those
// the tree finds near the ball (the game's setting); both give the same motion.
BENCHMARK(BM_SceneTick)->ArgNames({"triangles", "broadPhase"})->ArgsProduct({{100, 10000, 100000}, {0, 1}})
    ->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
