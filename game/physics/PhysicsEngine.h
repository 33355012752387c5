#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "framework/Entity.h"
#include "framework/IDrawOverlayListener.h"
#include "framework/IUpdateListener.h"
#include "framework/Singleton.h"
#include "game/physics/Polygon.h"
#include "game/physics/PolygonTree.h"
#include "game/physics/Sphere.h"
#include "game/physics/SphereArrays.h"
#include "game/physics/Spring.h"

namespace quiltRush {

/// Moves every registered sphere: gravity, springs, the ball's contacts and a
/// semi-implicit Euler step, in substeps of 2 to 3 ms. Sphere 0 is the ball.
/// Holds non-owning pointers; spheres, springs and polygons live until exit.
class PhysicsEngine : public kiln::Entity,
                      public kiln::IUpdateListener,
                      public kiln::IDrawOverlayListener,
                      public kiln::Singleton<PhysicsEngine> {
public:
    static constexpr unsigned long kMaxSimulatedMillis = 50;  // a longer stall is dropped, not caught up

    /// Deletes the collision triangles it made; spheres and springs belong to their makers.
    ~PhysicsEngine() override;

    void init() override {}

    /// Advances by elapsedMillis (at most 50 ms are simulated, in substeps of
    /// 2 to 3 ms; 0 or 1 ms simulates nothing). Called once per tick.
    void update(unsigned long elapsedMillis) override;
    /// The statistics overlay, in debug mode only: run time and object counts.
    void drawOverlay() override;
    /// Where the overlay reads the run time (milliseconds); without one it shows 0.
    void setTimeSource(std::function<float()> source) { timeSource = std::move(source); }

    /// Non-owning: the sphere lives until the program ends. The first one is the ball.
    void addSphere(Sphere* sphere);
    /// Non-owning: the spring lives until the program ends.
    void addSpring(Spring* spring);
    /// Stores one collision triangle; normal must be of unit length.
    void addPolygon(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& normal);

    /// With the broad phase on (the default) the scene pass tests only the
    /// polygons near the ball, found in a tree built at the first pass after
    /// polygons were added (a polygon never changes once added); the results
    /// are the same as testing every polygon.
    void setBroadPhase(bool on) { broadPhase = on; }
    bool isBroadPhaseOn() const { return broadPhase; }

    bool isDebugMode() const { return debugMode; }
    void setDebugMode(bool on) { debugMode = on; }

    const std::vector<Sphere*>& getSpheres() const { return spheres; }
    const std::vector<Spring*>& getSprings() const { return springs; }
    const std::vector<Polygon*>& getPolygons() const { return polygons; }
    Vector3 getGravity() const { return gravity; }

private:
    friend class kiln::Singleton<PhysicsEngine>;
    friend struct PhysicsEngineProbe;  // tests run single contact passes
    PhysicsEngine();

    /// One substep on the arrays; fallNext is the next substep's gravity, added
    /// at the end of this one (zero after the last).
    void step(float dt, bool withPolygons, const Vector3& fallNext);
    /// The ball against the other spheres, read from the arrays (loaded);
    /// the changes gather in the spheres' deltaVelocity.
    void collideBallWithSpheres();
    void collideBallWithPolygons(float dt);
    /// The scene pass over every polygon from index first on.
    void collideWithPolygons(Sphere& ball, std::size_t first, float dt);

    std::vector<Sphere*> spheres;
    std::vector<Spring*> springs;
    std::vector<Polygon*> polygons;
    Vector3 gravity{0.0f, -9.8f, 0.0f};  // world units per second squared
    PolygonTree tree;
    SphereArrays arrays;
    std::vector<std::uint32_t> contacts;  // spheres whose deltaVelocity this substep changed
    bool broadPhase = true;
    bool debugMode = false;
    std::function<float()> timeSource;
};

}  // namespace quiltRush
