// Each polygon gets the box where the ball's centre must lie for the scene
// pass to act on it. Both kinds of contact need the centre in the slab
// 0 <= dot(N, P - a) < r along the given normal N. An edge contact also needs
// the centre within r of an edge, so inside the corners' box grown by r. A
// face contact needs the foot P - N dot(N, P - a) to fall inside the triangle
// as the pass measures it (by its orthogonal shadow on the triangle's plane).
// Those centres are the image of the prism "triangle x [0, r)" under an affine
// map, so the box of the prism's six mapped corners holds them all. When N is
// the triangle's own unit normal that is the triangle lifted by up to r; when
// N leans, the slab crosses the triangle's plane and the region shears along
// the true normal by up to tan(lean) times the triangle's size.
//
// The pass works in floats, so its point-in-triangle test can call a point a
// little outside "inside" and its side test can be off by a little. The error
// grows with the coordinates and with how badly shaped the triangle is (its
// barycentric system's conditioning), so the prism is widened by many times
// the worst rounding before it is mapped. A triangle too thin for any sound
// margin, a normal lying almost in the triangle's plane (whose region shears
// without bound), or a coordinate or normal that is not finite (where the pass
// does arbitrary things) makes the polygon a candidate everywhere.
//
// The ball moves little from one scene pass to the next, so a walk down the
// tree gathers the polygons for a region a few radii around the centre, and
// later queries from inside that region only test those few boxes: the cost
// of a pass then hardly depends on the size of the scene.
#include "game/physics/PolygonTree.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quiltRush {

namespace {

constexpr std::size_t kLeafSize = 4;      // polygons per leaf: a few box tests beat another level
constexpr std::size_t kMaxDepth = 64;     // halving splits keep the depth under 32 for any count
constexpr double kRoundingMargin = 1e-4;  // times the scale of the numbers, over the conditioning
constexpr double kMinConditioning = 1e-6; // below this a triangle's inside test is guesswork
constexpr double kMinFacing = 0.1;        // cosine of the steepest lean bounded (about 84 degrees)
constexpr float kRegionRadii = 2.0f;      // half the side of a gathered region, in ball radii

enum class Reach { Never, Bounded, Everywhere };

struct PolygonReach {
    Reach kind = Reach::Never;
    Vector3 low;
    Vector3 high;
};

bool finite(const Polygon& polygon) {
    return isFinite(polygon.a) && isFinite(polygon.b) && isFinite(polygon.c) && isFinite(polygon.normal);
}

struct Double3 {
    double x = 0.0, y = 0.0, z = 0.0;
};

Double3 toDouble(const Vector3& v) { return {v.x, v.y, v.z}; }
Double3 operator+(const Double3& u, const Double3& v) { return {u.x + v.x, u.y + v.y, u.z + v.z}; }
Double3 operator-(const Double3& u, const Double3& v) { return {u.x - v.x, u.y - v.y, u.z - v.z}; }
Double3 operator*(const Double3& u, double k) { return {u.x * k, u.y * k, u.z * k}; }
double dot(const Double3& u, const Double3& v) { return u.x * v.x + u.y * v.y + u.z * v.z; }
Double3 cross(const Double3& u, const Double3& v) {
    return {u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
}

// sin^2 of the angle at corner a, the conditioning of the pass's barycentric
// system (1 for a right angle at a, 0 for a flat triangle), from the edges a-c and a-b.
double conditioning(const Double3& e0, const Double3& e1) {
    double d00 = dot(e0, e0);
    double d11 = dot(e1, e1);
    double d01 = dot(e0, e1);
    if (d00 == 0.0 || d11 == 0.0) return 0.0;
    return (d00 * d11 - d01 * d01) / (d00 * d11);
}

/// A box in doubles, grown one point at a time.
struct DoubleBox {
    Double3 low{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
                std::numeric_limits<double>::infinity()};
    Double3 high{-low.x, -low.y, -low.z};

    void add(const Double3& p) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
    void grow(double by) {
        low = low - Double3{by, by, by};
        high = high + Double3{by, by, by};
    }
    double largest() const {
        return std::max({std::fabs(low.x), std::fabs(low.y), std::fabs(low.z), std::fabs(high.x), std::fabs(high.y),
                         std::fabs(high.z)});
    }
};

/// The triangle in doubles, with the pieces of the map from (u, v, s) to the
/// centre whose foot has barycentric coordinates (u, v) and whose side is s.
struct FaceMap {
    Double3 a, e0, e1, normal;
    Double3 unit;    // the triangle's own unit normal
    Double3 across;  // the part of the given normal along the triangle's plane
    double facing = 0.0;  // dot(normal, unit)

    explicit FaceMap(const Polygon& polygon)
        : a(toDouble(polygon.a)), e0(toDouble(polygon.c) - a), e1(toDouble(polygon.b) - a),
          normal(toDouble(polygon.normal)) {
        Double3 perpendicular = cross(e0, e1);
        unit = perpendicular * (1.0 / std::sqrt(dot(perpendicular, perpendicular)));
        facing = dot(normal, unit);
        across = normal - unit * facing;
    }
    // The foot is a + u e0 + v e1 plus some multiple of the true normal; the
    // centre adds s N and the multiple that makes its side s.
    Double3 centre(double u, double v, double s) const {
        Double3 inPlane = e0 * u + e1 * v;
        double lift = (s - dot(normal, inPlane) - s * dot(across, across)) / facing;
        return a + inPlane + across * s + unit * lift;
    }
    void addPrism(DoubleBox& box, double widen, double sideLow, double sideHigh) const {
        for (double s : {sideLow, sideHigh}) {
            box.add(centre(-widen, -widen, s));
            box.add(centre(1.0 + 2.0 * widen, -widen, s));
            box.add(centre(-widen, 1.0 + 2.0 * widen, s));
        }
    }
};

PolygonReach reachOf(const Polygon& polygon, double radius) {
    PolygonReach reach;
    if (polygon.normal == Vector3()) return reach;  // the pass skips a polygon without a normal
    reach.kind = Reach::Everywhere;
    if (!finite(polygon)) return reach;
    FaceMap face(polygon);  // a flat triangle gives it no unit normal, but is turned away first
    double shape = conditioning(face.e0, face.e1);
    if (shape < kMinConditioning) return reach;
    double normalLength = std::sqrt(dot(face.normal, face.normal));
    if (std::fabs(face.facing) < kMinFacing * normalLength) return reach;

    DoubleBox corners;
    for (const Vector3& corner : {polygon.a, polygon.b, polygon.c}) corners.add(toDouble(corner));
    double shortest = std::sqrt(std::min({dot(face.e0, face.e0), dot(face.e1, face.e1),
                                          dot(face.e1 - face.e0, face.e1 - face.e0)}));
    // The rounding grows with the numbers the pass sees, which the exact region bounds.
    DoubleBox exact = corners;
    exact.grow(radius);
    face.addPrism(exact, 0.0, 0.0, radius);
    double scale = exact.largest() + radius;
    double absolute = kRoundingMargin * scale * (1.0 + normalLength);
    double widen = kRoundingMargin * (scale * (1.0 + normalLength) / shortest + 1.0) / shape;
    double sideSlack = kRoundingMargin * scale * normalLength;

    DoubleBox box = corners;
    box.grow(radius);
    face.addPrism(box, widen, -sideSlack, radius + sideSlack);
    box.grow(absolute);
    if (!std::isfinite(box.largest())) return reach;
    reach.kind = Reach::Bounded;
    reach.low = Vector3(static_cast<float>(box.low.x), static_cast<float>(box.low.y), static_cast<float>(box.low.z));
    reach.high = Vector3(static_cast<float>(box.high.x), static_cast<float>(box.high.y), static_cast<float>(box.high.z));
    return reach;
}

bool contains(const Vector3& low, const Vector3& high, const Vector3& point) {
    return point.x >= low.x && point.x <= high.x && point.y >= low.y && point.y <= high.y && point.z >= low.z &&
           point.z <= high.z;
}

bool overlaps(const Vector3& low, const Vector3& high, const Vector3& otherLow, const Vector3& otherHigh) {
    return low.x <= otherHigh.x && otherLow.x <= high.x && low.y <= otherHigh.y && otherLow.y <= high.y &&
           low.z <= otherHigh.z && otherLow.z <= high.z;
}

}  // namespace

void PolygonTree::build(const std::vector<Polygon*>& polygons, float radius) {
    nodes.clear();
    slots.clear();
    everywhere.clear();
    candidates.clear();
    candidates.reserve(polygons.size());
    nearby.clear();
    nearby.reserve(polygons.size());
    regionValid = false;
    double reachRadius = std::max(static_cast<double>(radius), 0.0);
    for (std::size_t i = 0; i < polygons.size(); ++i) {
        PolygonReach reach = reachOf(*polygons[i], reachRadius);
        auto index = static_cast<std::uint32_t>(i);
        if (reach.kind == Reach::Everywhere) everywhere.push_back(index);
        if (reach.kind == Reach::Bounded) slots.push_back({reach.low, reach.high, index});
    }
    nodes.reserve(2 * (slots.size() / kLeafSize + 1));
    if (!slots.empty()) buildNode(0, slots.size());
    indexedCount = polygons.size();
    builtRadius = radius;
}

std::uint32_t PolygonTree::buildNode(std::size_t begin, std::size_t end) {
    Node node;
    node.low = slots[begin].low;
    node.high = slots[begin].high;
    Vector3 centreLow = (slots[begin].low + slots[begin].high) * 0.5f;
    Vector3 centreHigh = centreLow;
    for (std::size_t s = begin; s < end; ++s) {
        Vector3 centre = (slots[s].low + slots[s].high) * 0.5f;
        for (int axis = 0; axis < 3; ++axis) {
            node.low[axis] = std::min(node.low[axis], slots[s].low[axis]);
            node.high[axis] = std::max(node.high[axis], slots[s].high[axis]);
            centreLow[axis] = std::min(centreLow[axis], centre[axis]);
            centreHigh[axis] = std::max(centreHigh[axis], centre[axis]);
        }
    }
    auto index = static_cast<std::uint32_t>(nodes.size());
    if (end - begin <= kLeafSize) {
        node.start = static_cast<std::uint32_t>(begin);
        node.count = static_cast<std::uint32_t>(end - begin);
        // Leaves list their polygons in the scene's order, which the pass keeps.
        std::sort(slots.begin() + begin, slots.begin() + end,
                  [](const Slot& left, const Slot& right) { return left.polygon < right.polygon; });
        nodes.push_back(node);
        return index;
    }
    nodes.push_back(node);
    Vector3 spread = centreHigh - centreLow;
    int axis = spread.x >= spread.y && spread.x >= spread.z ? 0 : (spread.y >= spread.z ? 1 : 2);
    // Splitting at the median by count keeps the tree balanced whatever the
    // boxes, even when many share a centre.
    std::size_t middle = begin + (end - begin) / 2;
    std::nth_element(slots.begin() + begin, slots.begin() + middle, slots.begin() + end,
                     [axis](const Slot& left, const Slot& right) {
                         return left.low[axis] + left.high[axis] < right.low[axis] + right.high[axis];
                     });
    buildNode(begin, middle);
    std::uint32_t second = buildNode(middle, end);
    nodes[index].second = second;
    return index;
}

const std::vector<std::uint32_t>& PolygonTree::query(const Vector3& centre, std::size_t first) {
    if (!regionValid || !contains(regionLow, regionHigh, centre)) gatherNearby(centre);
    // Any box that holds a centre inside the region meets the region, so it is among the nearby.
    candidates.clear();
    auto from = std::lower_bound(nearby.begin(), nearby.end(), first,
                                 [](const Slot& slot, std::size_t index) { return slot.polygon < index; });
    for (auto slot = from; slot != nearby.end(); ++slot) {
        if (contains(slot->low, slot->high, centre)) candidates.push_back(slot->polygon);
    }
    return candidates;
}

void PolygonTree::gatherNearby(const Vector3& centre) {
    float margin = kRegionRadii * builtRadius;
    regionLow = centre - Vector3(margin, margin, margin);
    regionHigh = centre + Vector3(margin, margin, margin);
    regionValid = true;
    nearby.clear();
    if (!nodes.empty()) {
        std::uint32_t stack[kMaxDepth];
        std::size_t top = 0;
        stack[top++] = 0;
        while (top > 0) {
            std::uint32_t index = stack[--top];
            const Node& node = nodes[index];
            if (!overlaps(node.low, node.high, regionLow, regionHigh)) continue;
            if (node.count == 0) {
                stack[top++] = node.second;
                stack[top++] = index + 1;
                continue;
            }
            for (std::uint32_t s = node.start; s < node.start + node.count; ++s) {
                if (overlaps(slots[s].low, slots[s].high, regionLow, regionHigh)) nearby.push_back(slots[s]);
            }
        }
    }
    const float infinity = std::numeric_limits<float>::infinity();
    for (std::uint32_t polygon : everywhere) {
        nearby.push_back({Vector3(-infinity, -infinity, -infinity), Vector3(infinity, infinity, infinity), polygon});
    }
    std::sort(nearby.begin(), nearby.end(), [](const Slot& left, const Slot& right) { return left.polygon < right.polygon; });
}

}  // namespace quiltRush
