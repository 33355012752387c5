// Plain geometry over every triangle: a level has tens to thousands of them
// and the checker asks a few thousand questions, so no index is needed.
#include "tools/checkLevel/SceneProbe.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "game/physics/Ball.h"

namespace quiltRush {

namespace {

constexpr float kPi = 3.14159265f;

// The point of triangle abc nearest to p, by the region of the triangle p
// projects into (corner, edge or face).
Vector3 nearestPoint(const Vector3& p, const Vector3& a, const Vector3& b, const Vector3& c) {
    Vector3 ab = b - a, ac = c - a, ap = p - a;
    float d1 = dot(ab, ap), d2 = dot(ac, ap);
    if (d1 <= 0.0f && d2 <= 0.0f) return a;
    Vector3 bp = p - b;
    float d3 = dot(ab, bp), d4 = dot(ac, bp);
    if (d3 >= 0.0f && d4 <= d3) return b;
    float vc = d1 * d4 - d3 * d2;
    if (vc <= 0.0f && d1 >= 0.0f && d3 <= 0.0f) return a + ab * (d1 / (d1 - d3));
    Vector3 cp = p - c;
    float d5 = dot(ab, cp), d6 = dot(ac, cp);
    if (d6 >= 0.0f && d5 <= d6) return c;
    float vb = d5 * d2 - d1 * d6;
    if (vb <= 0.0f && d2 >= 0.0f && d6 <= 0.0f) return a + ac * (d2 / (d2 - d6));
    float va = d3 * d6 - d5 * d4;
    if (va <= 0.0f && d4 - d3 >= 0.0f && d5 - d6 >= 0.0f) return b + (c - b) * ((d4 - d3) / ((d4 - d3) + (d5 - d6)));
    float total = va + vb + vc;
    if (total == 0.0f) return a;  // a degenerate triangle: its corner will do
    return a + ab * (vb / total) + ac * (vc / total);
}

// Where the vertical line through (x, z) meets triangle abc (edges included);
// nothing for a triangle seen edge-on from above.
std::optional<float> heightAt(float x, float z, const Polygon& t) {
    float ux = t.b.x - t.a.x, uz = t.b.z - t.a.z;
    float vx = t.c.x - t.a.x, vz = t.c.z - t.a.z;
    float area = ux * vz - uz * vx;
    if (std::fabs(area) < 1e-9f) return std::nullopt;  // a wall: a vertical line never lands on it
    float px = x - t.a.x, pz = z - t.a.z;
    float u = (px * vz - pz * vx) / area;
    float v = (ux * pz - uz * px) / area;
    if (u < 0.0f || v < 0.0f || u + v > 1.0f) return std::nullopt;
    return t.a.y + (t.b.y - t.a.y) * u + (t.c.y - t.a.y) * v;
}

}  // namespace

SceneProbe::SceneProbe(std::vector<Polygon> polygons) : polygons(std::move(polygons)) {}

std::optional<SceneProbe::Nearest> SceneProbe::nearest(const Vector3& point) const {
    std::optional<Nearest> best;
    for (std::size_t i = 0; i < polygons.size(); ++i) {
        const Polygon& t = polygons[i];
        float distance = length(point - nearestPoint(point, t.a, t.b, t.c));
        if (!best || distance < best->distance) best = Nearest{i, distance};
    }
    return best;
}

std::optional<float> SceneProbe::floorBelow(float x, float z, float top) const {
    std::optional<float> floor;
    for (const Polygon& t : polygons) {
        std::optional<float> y = heightAt(x, z, t);
        if (y && *y <= top && (!floor || *y > *floor)) floor = y;
    }
    return floor;
}

std::optional<float> SceneProbe::walk(float x, float z, float top, const Vector3& direction) const {
    std::optional<float> last = floorBelow(x, z, top);
    const int steps = static_cast<int>(kMaxReach / kStep);
    for (int k = 1; k <= steps; ++k) {
        float s = static_cast<float>(k) * kStep;
        std::optional<float> floor = floorBelow(x + direction.x * s, z + direction.z * s, top);
        bool wall = floor && *floor - *last > kWallSlope * kStep;
        bool edge = !floor || *last - *floor > Ball::kRadius;
        if (wall || edge) return s - kStep / 2;  // the end lies between the two samples
        last = floor;
    }
    return std::nullopt;
}

std::optional<SceneProbe::Lane> SceneProbe::laneAcross(float x, float z, float top) const {
    if (!floorBelow(x, z, top)) return std::nullopt;
    std::optional<Lane> narrowest;
    for (int d = 0; d < kDirections; ++d) {
        float angle = kPi * static_cast<float>(d) / static_cast<float>(kDirections);
        Vector3 across(std::cos(angle), 0.0f, std::sin(angle));
        std::optional<float> ahead = walk(x, z, top, across);
        std::optional<float> behind = ahead ? walk(x, z, top, -across) : std::nullopt;
        if (!behind) continue;
        if (!narrowest || *ahead + *behind < narrowest->to - narrowest->from) narrowest = Lane{across, -*behind, *ahead};
    }
    return narrowest;
}

}  // namespace quiltRush
