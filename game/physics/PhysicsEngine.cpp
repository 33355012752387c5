// The integrator works in fixed substeps of 2 to 3 ms whatever the frame rate,
// so the stiff cloth springs stay stable. Each substep runs gravity, springs,
// the ball's contacts and then a semi-implicit Euler step per sphere. An
// update works on the engine's own contiguous copy of the spheres (see
// SphereArrays) and writes them back at its end; a contact copies the two
// spheres it concerns out to their objects first.
//
// Only the ball (sphere 0) takes part in contacts. Its contacts with other
// spheres gather velocity changes in deltaVelocity, folded in by integrate at
// the end of the substep, so every pair sees the velocities the substep began
// with, whatever the list order. Contacts with the scene act at once, and the
// scene test runs only on every fifth substep. It visits the polygons in the
// scene's order, but with the broad phase on it skips those that a box test
// shows cannot reach the ball, which changes nothing in the outcome.
#include "game/physics/PhysicsEngine.h"

#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>

#include "framework/Util.h"

namespace quiltRush {

namespace {

constexpr unsigned long kMillisPerSubstep = 2;     // substeps last 2 to 3 ms
constexpr double kSecondsPerMilli = 0.001;
constexpr unsigned kPolygonPassEvery = 5;  // the scene test is the costly one
constexpr float kRestitution = 0.5f;       // a scene contact keeps half the normal speed
constexpr float kSlideDamping = 0.5f;      // per second of substep, face contacts only

// Statistics overlay layout, in window pixels from the bottom-left corner.
constexpr double kLabelX = 15.0;
constexpr double kValueX = 120.0;
constexpr double kTimeY = 140.0;
constexpr double kSpringsY = 120.0;
constexpr double kSpheresY = 100.0;
constexpr double kPolygonsY = 80.0;
constexpr float kSecondsPerMilliF = 0.001f;

// A point strictly inside triangle (a, b, c), by barycentric coordinates; a
// point on an edge or corner is outside, and so is any point of a degenerate
// triangle.
bool insideTriangle(const Vector3& q, const Vector3& a, const Vector3& b, const Vector3& c) {
    Vector3 e0 = c - a;
    Vector3 e1 = b - a;
    Vector3 e2 = q - a;
    float d00 = dot(e0, e0);
    float d01 = dot(e0, e1);
    float d02 = dot(e0, e2);
    float d11 = dot(e1, e1);
    float d12 = dot(e1, e2);
    float denominator = d00 * d11 - d01 * d01;
    if (denominator == 0.0f) return false;
    float k = 1.0f / denominator;
    float u = (d11 * d02 - d01 * d12) * k;
    float v = (d00 * d12 - d01 * d02) * k;
    return u > 0.0f && v > 0.0f && u + v < 1.0f;
}

// Restitution impulse along a unit direction, written with the ball's mass so
// that it reads as an impulse; for a unit direction it is V += -1.5 (V . n) n.
void bounce(Sphere& ball, const Vector3& direction) {
    float mass = ball.getMass();
    float impulse = (dot(direction, ball.getVelocity()) * -(1.0f + kRestitution)) /
                    ((1.0f / mass) * dot(direction, direction));
    ball.addVelocity(direction * impulse / mass);
}

// The ball's contact with the segment e0-e1 (corners included); centre is the
// ball's position at the start of the polygon's test.
void collideWithEdge(Sphere& ball, const Vector3& centre, const Vector3& e0, const Vector3& e1) {
    Vector3 along = normalize(e1 - e0);
    float edgeLength = length(e1 - e0);
    float t = dot(along, centre - e0);
    if (t < 0.0f || t > edgeLength) return;
    Vector3 nearest = e0 + along * t;
    Vector3 push = normalize(centre - nearest);
    float distance = length(centre - nearest);
    float radius = ball.getRadius();
    if (distance > radius) return;  // touching at exactly r is a contact here
    if (push == Vector3()) return;  // the centre on the edge itself has no direction to push in
    ball.setPosition(centre + push * (radius - distance));
    bounce(ball, push);
}

// The ball against one scene triangle; each polygon sees where the previous
// ones left the ball.
void collideWithPolygon(Sphere& ball, const Polygon& polygon, float dt) {
    const Vector3& normal = polygon.normal;
    if (normal == Vector3()) return;  // a polygon without a normal cannot push
    float radius = ball.getRadius();
    Vector3 centre = ball.getPosition();
    float side = dot(normal, centre - polygon.a);
    if (side < 0.0f) return;  // behind the plane; on the plane counts as in front
    float distance = std::fabs(side);
    if (distance >= radius) return;
    Vector3 projected = centre - normal * distance;
    if (insideTriangle(projected, polygon.a, polygon.b, polygon.c)) {
        ball.setPosition(centre + normal * (radius - distance));
        Vector3 velocity = ball.getVelocity();
        Vector3 sliding = velocity - normal * dot(velocity, normal);
        // The impulse ignores the sign of the normal speed: a ball already
        // leaving the plane is turned back towards it too.
        bounce(ball, normal);
        ball.addVelocity(-sliding * kSlideDamping * dt);
    } else {
        // All three edges test the centre as it was; the last push wins,
        // the impulses add up.
        collideWithEdge(ball, centre, polygon.a, polygon.b);
        collideWithEdge(ball, centre, polygon.b, polygon.c);
        collideWithEdge(ball, centre, polygon.c, polygon.a);
    }
}

}  // namespace

PhysicsEngine::PhysicsEngine() : kiln::Entity("PhysicsEngine") {}

PhysicsEngine::~PhysicsEngine() {
    for (Polygon* polygon : polygons) delete polygon;
}

void PhysicsEngine::update(unsigned long elapsedMillis) {
    unsigned long ms = elapsedMillis < kMaxSimulatedMillis ? elapsedMillis : kMaxSimulatedMillis;
    unsigned long substeps = ms / kMillisPerSubstep;
    if (substeps == 0) return;  // 0 or 1 ms: the time is dropped, not carried over
    float dt = static_cast<float>((static_cast<double>(ms) / static_cast<double>(substeps)) * kSecondsPerMilli);
    arrays.load(spheres, springs, true);
    contacts.clear();
    Vector3 fall = gravity * dt;
    arrays.addToAll(fall);
    for (unsigned long i = 0; i < substeps; ++i)
        step(dt, i % kPolygonPassEvery == 0, i + 1 < substeps ? fall : Vector3());
    arrays.store(spheres);
}

void PhysicsEngine::step(float dt, bool withPolygons, const Vector3& fallNext) {
    for (std::uint32_t j : contacts) spheres[j]->clearDeltaVelocity();
    contacts.clear();
    arrays.applySprings(springs, dt);
    collideBallWithSpheres();
    if (withPolygons && !spheres.empty()) {
        // The ball was copied out for the sphere pass, which leaves its slot alone.
        collideBallWithPolygons(dt);
        arrays.copyIn(0, *spheres[0]);
    }
    // Only these spheres have a deltaVelocity that is not zero to fold in.
    for (std::uint32_t j : contacts) arrays.addVelocity(j, spheres[j]->getDeltaVelocity());
    arrays.integrate(dt, fallNext);
}

void PhysicsEngine::collideBallWithSpheres() {
    if (spheres.empty()) return;
    Sphere& ball = *spheres[0];
    arrays.copyOut(0, ball);
    Vector3 centre = ball.getPosition();
    Vector3 velocity = ball.getVelocity();
    float radius = ball.getRadius();
    float inverseMass = 1.0f / ball.getMass();
    // Most of the cloth is far away: the arrays rule out at once every sphere
    // with one component of the offset at least as long as the reach.
    for (std::uint32_t j : arrays.near(centre, radius, 1)) {
        Sphere& other = *spheres[j];
        arrays.copyOut(j, other);
        Vector3 offset = centre - other.getPosition();
        float reach = radius + other.getRadius();
        if (length(offset) >= reach) continue;  // touching is not a contact
        Vector3 n = normalize(offset);
        float approach = dot(velocity - other.getVelocity(), n);
        // Resting or separating overlaps are left alone (this also covers
        // coincident centres, whose direction n is zero).
        if (approach >= 0.0f) continue;
        float otherInverseMass = 1.0f / other.getMass();
        float impulse = -approach / ((inverseMass + otherInverseMass) * dot(n, n));
        if (contacts.empty()) contacts.push_back(0);
        ball.addDeltaVelocity(n * impulse * inverseMass);
        other.addDeltaVelocity(-n * impulse * otherInverseMass);
        contacts.push_back(j);
    }
}

void PhysicsEngine::collideBallWithPolygons(float dt) {
    if (spheres.empty()) return;
    Sphere& ball = *spheres[0];
    Vector3 centre = ball.getPosition();
    float radius = ball.getRadius();
    // A ball that is no longer finite defeats every box test, while the full
    // pass still acts on it: keep the full pass's result for it.
    if (!broadPhase || !isFinite(centre) || !std::isfinite(radius)) {
        collideWithPolygons(ball, 0, dt);
        return;
    }
    if (tree.size() != polygons.size() || tree.radius() != radius) tree.build(polygons, radius);
    // A push moves the ball by up to one radius, and any number of polygons
    // may push within one pass, so no fixed margin bounds where the ball can
    // be by the time a later polygon is tested. The candidates are asked for
    // again after every move instead, from the new centre and for the
    // polygons after the one that moved the ball: each polygon is tested,
    // in the scene's order, whenever it could act on the centre it would see
    // in the full pass.
    // The list is the tree's own: each query rewrites it in place.
    const std::vector<std::uint32_t>& candidates = tree.query(centre, 0);
    std::size_t next = 0;
    while (next < candidates.size()) {
        std::uint32_t index = candidates[next++];
        collideWithPolygon(ball, *polygons[index], dt);
        Vector3 moved = ball.getPosition();
        if (moved == centre) continue;
        if (!isFinite(moved)) {
            collideWithPolygons(ball, index + 1, dt);
            return;
        }
        centre = moved;
        tree.query(centre, index + 1);
        next = 0;
    }
}

void PhysicsEngine::collideWithPolygons(Sphere& ball, std::size_t first, float dt) {
    for (std::size_t i = first; i < polygons.size(); ++i) collideWithPolygon(ball, *polygons[i], dt);
}

void PhysicsEngine::drawOverlay() {
    if (!debugMode) return;
    float millis = timeSource ? timeSource() : 0.0f;
    std::ostringstream seconds;
    seconds << millis * kSecondsPerMilliF;
    kiln::Util* util = kiln::Util::instance();
    util->drawString("Time elapsed: ", kLabelX, kTimeY);
    util->drawString(seconds.str(), kValueX, kTimeY);
    util->drawString("Patch springs: ", kLabelX, kSpringsY);
    util->drawString(std::to_string(static_cast<int>(springs.size())), kValueX, kSpringsY);
    util->drawString("Patch spheres: ", kLabelX, kSpheresY);
    util->drawString(std::to_string(static_cast<int>(spheres.size())), kValueX, kSpheresY);
    util->drawString("Scene polygons: ", kLabelX, kPolygonsY);
    util->drawString(std::to_string(static_cast<int>(polygons.size())), kValueX, kPolygonsY);
}

void PhysicsEngine::addSphere(Sphere* sphere) {
    spheres.push_back(sphere);
    arrays.addSphere(sphere);
    contacts.reserve(spheres.size());  // so that no update allocates
}

void PhysicsEngine::addSpring(Spring* spring) {
    springs.push_back(spring);
    arrays.addSpring();
}

void PhysicsEngine::addPolygon(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& normal) {
    polygons.push_back(new Polygon{a, b, c, normal});
}

}  // namespace quiltRush
