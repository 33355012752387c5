// The springs of one substep pull on the positions the substep began with, so
// their forces can be worked out four at a time: SSE2 square roots and
// divisions are correctly rounded like the scalar ones, and every other
// operation is done in the scalar code's order, without contraction. The
// velocity changes are then added one spring after another, first end before
// second, so every sphere's sum is formed in the same order as before.
//
// Zero additions stand in for no addition at all: a dead spring and a padding
// spring add +0 to a velocity. That changes nothing: x + 0 is x for every x
// but -0, and no velocity is ever -0, since a velocity starts as +0 and only
// ever changes by sums, and a sum is -0 only when both terms are. Pinned
// spheres' velocity lanes may take junk; they are never read or stored.
#include "game/physics/SphereArrays.h"

#if !defined(__SSE2__)
#error "The physics needs SSE2 (part of every x86-64 processor)."
#endif
#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace quiltRush {

namespace {

constexpr std::uint32_t kOutside = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kBatch = 4;
// How a batch of four springs adds its changes.
constexpr std::uint8_t kPlainBatch = 0;    // one end after another
constexpr std::uint8_t kChainBatch = 1;    // end to start: shared ends summed in registers
constexpr std::uint8_t kOutsideBatch = 2;  // an end the engine does not hold

// The largest float that is not above the spring's dead zone once widened to
// double: stretch <= it exactly when Spring's double comparison holds.
const float kDeadZoneFloat = [] {
    float zone = static_cast<float>(Spring::kDeadZone);
    if (static_cast<double>(zone) > Spring::kDeadZone) zone = std::nextafter(zone, 0.0f);
    return zone;
}();

inline __m128 lane(const Vector3& v, float w) { return _mm_setr_ps(v.x, v.y, v.z, w); }

inline Vector3 toVector(__m128 lane) {
    alignas(16) float parts[4];
    _mm_store_ps(parts, lane);
    return {parts[0], parts[1], parts[2]};
}

// Four lanes of one 16-byte vector each, named so that they stay in registers.
struct Four {
    __m128 lane0;
    __m128 lane1;
    __m128 lane2;
    __m128 lane3;
};

[[gnu::always_inline]] inline Four gather(const float* lanes, const std::uint32_t* slots) {
    return {_mm_load_ps(lanes + 4 * slots[0]), _mm_load_ps(lanes + 4 * slots[1]), _mm_load_ps(lanes + 4 * slots[2]),
            _mm_load_ps(lanes + 4 * slots[3])};
}

// Spring::apply for four springs: a and b hold the ends' positions (w: 1 /
// mass), and the velocity changes for the ends come back in a and b (w: 0).
// rest and stiffness hold the four springs' values.
// Inlined so that all twelve vectors stay in registers.
[[gnu::always_inline]] inline void springForces(Four& a, Four& b, __m128 rest, __m128 stiffness, __m128 dt) {
    __m128 ax = a.lane0, ay = a.lane1, az = a.lane2, aInverseMass = a.lane3;
    __m128 bx = b.lane0, by = b.lane1, bz = b.lane2, bInverseMass = b.lane3;
    _MM_TRANSPOSE4_PS(ax, ay, az, aInverseMass);
    _MM_TRANSPOSE4_PS(bx, by, bz, bInverseMass);
    const __m128 x = _mm_sub_ps(ax, bx);
    const __m128 y = _mm_sub_ps(ay, by);
    const __m128 z = _mm_sub_ps(az, bz);
    const __m128 squared = _mm_add_ps(_mm_add_ps(_mm_mul_ps(x, x), _mm_mul_ps(y, y)), _mm_mul_ps(z, z));
    const __m128 stretch = _mm_sqrt_ps(squared);
    const __m128 live = _mm_cmpnle_ps(stretch, _mm_set1_ps(kDeadZoneFloat));  // a NaN stretch is live too
    const __m128 reciprocal = _mm_div_ps(_mm_set1_ps(1.0f), stretch);
    const __m128 size = _mm_mul_ps(_mm_sub_ps(stretch, rest), stiffness);
    const __m128 fx = _mm_mul_ps(_mm_mul_ps(x, reciprocal), size);
    const __m128 fy = _mm_mul_ps(_mm_mul_ps(y, reciprocal), size);
    const __m128 fz = _mm_mul_ps(_mm_mul_ps(z, reciprocal), size);
    const __m128 sign = _mm_set1_ps(-0.0f);
    // first: ((-force) * inverseMass) * dt; second: (force * inverseMass) * dt.
    ax = _mm_and_ps(live, _mm_mul_ps(_mm_mul_ps(_mm_xor_ps(fx, sign), aInverseMass), dt));
    ay = _mm_and_ps(live, _mm_mul_ps(_mm_mul_ps(_mm_xor_ps(fy, sign), aInverseMass), dt));
    az = _mm_and_ps(live, _mm_mul_ps(_mm_mul_ps(_mm_xor_ps(fz, sign), aInverseMass), dt));
    bx = _mm_and_ps(live, _mm_mul_ps(_mm_mul_ps(fx, bInverseMass), dt));
    by = _mm_and_ps(live, _mm_mul_ps(_mm_mul_ps(fy, bInverseMass), dt));
    bz = _mm_and_ps(live, _mm_mul_ps(_mm_mul_ps(fz, bInverseMass), dt));
    aInverseMass = _mm_setzero_ps();
    bInverseMass = _mm_setzero_ps();
    _MM_TRANSPOSE4_PS(ax, ay, az, aInverseMass);
    _MM_TRANSPOSE4_PS(bx, by, bz, bInverseMass);
    a = {ax, ay, az, aInverseMass};
    b = {bx, by, bz, bInverseMass};
}

[[gnu::always_inline]] inline void addTo(float* velocity, std::uint32_t slot, __m128 change) {
    float* v = velocity + 4 * slot;
    _mm_store_ps(v, _mm_add_ps(_mm_load_ps(v), change));
}

[[gnu::always_inline]] inline void addTo(float* velocity, std::uint32_t slot, __m128 earlier, __m128 later) {
    float* v = velocity + 4 * slot;
    _mm_store_ps(v, _mm_add_ps(_mm_add_ps(_mm_load_ps(v), earlier), later));
}

}  // namespace

void SphereArrays::addSphere(const Sphere* sphere) {
    slots.emplace(sphere, static_cast<std::uint32_t>(sphereCount));
    ++sphereCount;
    positions.resize(sphereCount + 1);
    velocities.resize(sphereCount + 1);
    radii.push_back(sphere->getRadius());
    inverseMasses.push_back(sphere->inverseMass);
    dampings.push_back(sphere->getDamping());
    pinned.push_back(0);
    nearList.reserve(sphereCount);
}

void SphereArrays::addSpring() {
    ++springCount;
    const std::size_t padded = (springCount + kBatch - 1) / kBatch * kBatch;
    firsts.resize(padded, kOutside);
    seconds.resize(padded, kOutside);
    restLengths.resize(padded);
    stiffnesses.resize(padded);
    batchKinds.resize(padded / kBatch);
}

std::uint32_t SphereArrays::slotOf(const std::vector<Sphere*>& spheres, const Sphere* sphere,
                                   std::uint32_t cached) const {
    if (cached < sphereCount && spheres[cached] == sphere) return cached;  // as at the last update
    auto found = slots.find(sphere);
    return found == slots.end() ? kOutside : found->second;
}

void SphereArrays::load(const std::vector<Sphere*>& spheres, const std::vector<Spring*>& springs,
                        bool clearContacts) {
    for (std::size_t i = 0; i < sphereCount; ++i) {
        Sphere& sphere = *spheres[i];
        if (clearContacts) sphere.clearDeltaVelocity();
        positions[i] = {sphere.position.x, sphere.position.y, sphere.position.z, inverseMasses[i]};
        velocities[i] = {sphere.velocity.x, sphere.velocity.y, sphere.velocity.z, 0.0f};
        pinned[i] = sphere.isPinned() ? 1 : 0;
    }
    positions[sphereCount] = {0.0f, 0.0f, 0.0f, 0.0f};
    // The springs are read again only when one of them or the spheres changed.
    if (loadedSpringEdits == Spring::editCount() && loadedSpheres == sphereCount && loadedSprings == springCount) return;
    loadedSpringEdits = Spring::editCount();
    loadedSpheres = sphereCount;
    loadedSprings = springCount;
    std::fill(batchKinds.begin(), batchKinds.end(), kPlainBatch);
    const std::uint32_t spare = static_cast<std::uint32_t>(sphereCount);
    for (std::size_t k = 0; k < firsts.size(); ++k) {
        if (k >= springCount) {
            // Padding: both ends on the spare slot, so the spring is dead.
            firsts[k] = seconds[k] = spare;
            restLengths[k] = stiffnesses[k] = 0.0f;
            continue;
        }
        const Spring& spring = *springs[k];
        firsts[k] = slotOf(spheres, spring.getFirst(), firsts[k]);
        seconds[k] = slotOf(spheres, spring.getSecond(), seconds[k]);
        restLengths[k] = spring.getRestLength();
        stiffnesses[k] = spring.getStiffness();
        if (firsts[k] == kOutside || seconds[k] == kOutside) batchKinds[k / kBatch] = kOutsideBatch;
    }
    for (std::size_t batch = 0; batch < batchKinds.size(); ++batch)
        if (batchKinds[batch] == kPlainBatch && isChain(batch)) batchKinds[batch] = kChainBatch;
}

// Springs k0 .. k0 + 3 joined end to start, like a row of the cloth, over
// five different spheres.
bool SphereArrays::isChain(std::size_t batch) const {
    const std::size_t k0 = batch * kBatch;
    std::uint32_t ends[kBatch + 1];
    for (std::size_t k = 0; k < kBatch; ++k) {
        if (k + 1 < kBatch && seconds[k0 + k] != firsts[k0 + k + 1]) return false;
        ends[k] = firsts[k0 + k];
    }
    ends[kBatch] = seconds[k0 + kBatch - 1];
    for (std::size_t i = 0; i <= kBatch; ++i)
        for (std::size_t j = i + 1; j <= kBatch; ++j)
            if (ends[i] == ends[j]) return false;
    return true;
}

void SphereArrays::store(const std::vector<Sphere*>& spheres) const {
    for (std::size_t i = 0; i < sphereCount; ++i) copyOut(i, *spheres[i]);
}

void SphereArrays::copyOut(std::size_t i, Sphere& sphere) const {
    sphere.position = {positions[i].x, positions[i].y, positions[i].z};
    if (!pinned[i]) sphere.velocity = {velocities[i].x, velocities[i].y, velocities[i].z};
}

void SphereArrays::copyIn(std::size_t i, const Sphere& sphere) {
    positions[i] = {sphere.position.x, sphere.position.y, sphere.position.z, inverseMasses[i]};
    if (!pinned[i]) velocities[i] = {sphere.velocity.x, sphere.velocity.y, sphere.velocity.z, 0.0f};
}

void SphereArrays::addVelocity(std::size_t i, const Vector3& change) {
    if (pinned[i]) return;
    Lane& v = velocities[i];
    v = {v.x + change.x, v.y + change.y, v.z + change.z, 0.0f};
}

void SphereArrays::addToAll(const Vector3& change) {
    const __m128 add = lane(change, 0.0f);
    for (std::size_t i = 0; i < sphereCount; ++i) {
        if (pinned[i]) continue;
        float* v = &velocities[i].x;
        _mm_store_ps(v, _mm_add_ps(_mm_load_ps(v), add));
    }
}

void SphereArrays::applySprings(const std::vector<Spring*>& springs, float dt) {
    // Local copies of the array pointers: the stores below could otherwise
    // alias the vectors' own fields and force a reload after each.
    const float* position = &positions[0].x;
    float* velocity = &velocities[0].x;
    const std::uint32_t* first = firsts.data();
    const std::uint32_t* second = seconds.data();
    const __m128 step = _mm_set1_ps(dt);
    const std::size_t batches = batchKinds.size();
    for (std::size_t batch = 0; batch < batches; ++batch) {
        const std::uint8_t kind = batchKinds[batch];
        if (kind == kOutsideBatch) {
            applyBatchWithOutsideEnds(batch, springs, dt);
            continue;
        }
        const std::size_t k0 = batch * kBatch;
        const std::uint32_t* f = first + k0;
        const std::uint32_t* g = second + k0;
        Four a = gather(position, f);
        Four b = gather(position, g);
        springForces(a, b, _mm_loadu_ps(&restLengths[k0]), _mm_loadu_ps(&stiffnesses[k0]), step);
        if (kind == kChainBatch) {
            // Each inner sphere takes the earlier spring's change, then the
            // later one's: the same order, without a trip through memory.
            addTo(velocity, f[0], a.lane0);
            addTo(velocity, f[1], b.lane0, a.lane1);
            addTo(velocity, f[2], b.lane1, a.lane2);
            addTo(velocity, f[3], b.lane2, a.lane3);
            addTo(velocity, g[3], b.lane3);
            continue;
        }
        addTo(velocity, f[0], a.lane0);
        addTo(velocity, g[0], b.lane0);
        addTo(velocity, f[1], a.lane1);
        addTo(velocity, g[1], b.lane1);
        addTo(velocity, f[2], a.lane2);
        addTo(velocity, g[2], b.lane2);
        addTo(velocity, f[3], a.lane3);
        addTo(velocity, g[3], b.lane3);
    }
}

// An end the engine does not hold is read from and added to its sphere, as
// Spring::apply would; it keeps its place in the order.
void SphereArrays::applyBatchWithOutsideEnds(std::size_t batch, const std::vector<Spring*>& springs, float dt) {
    const std::size_t k0 = batch * kBatch;
    auto endLane = [&](std::uint32_t slot, const Sphere* sphere) {
        return slot != kOutside ? _mm_load_ps(&positions[slot].x) : lane(sphere->getPosition(), sphere->inverseMass);
    };
    __m128 ends[2][kBatch];
    for (std::size_t k = 0; k < kBatch; ++k) {
        const bool real = k0 + k < springCount;
        ends[0][k] = endLane(firsts[k0 + k], real ? springs[k0 + k]->getFirst() : nullptr);
        ends[1][k] = endLane(seconds[k0 + k], real ? springs[k0 + k]->getSecond() : nullptr);
    }
    Four a{ends[0][0], ends[0][1], ends[0][2], ends[0][3]};
    Four b{ends[1][0], ends[1][1], ends[1][2], ends[1][3]};
    springForces(a, b, _mm_loadu_ps(&restLengths[k0]), _mm_loadu_ps(&stiffnesses[k0]), _mm_set1_ps(dt));
    const __m128 changes[2][kBatch] = {{a.lane0, a.lane1, a.lane2, a.lane3}, {b.lane0, b.lane1, b.lane2, b.lane3}};
    for (std::size_t k = 0; k < kBatch && k0 + k < springCount; ++k) {
        const Spring& spring = *springs[k0 + k];
        if (firsts[k0 + k] == kOutside) spring.getFirst()->addVelocity(toVector(changes[0][k]));
        else addVelocity(firsts[k0 + k], toVector(changes[0][k]));
        if (seconds[k0 + k] == kOutside) spring.getSecond()->addVelocity(toVector(changes[1][k]));
        else addVelocity(seconds[k0 + k], toVector(changes[1][k]));
    }
}

void SphereArrays::integrate(float dt, const Vector3& fallNext) {
    const __m128 step = _mm_set1_ps(dt);
    const __m128 fall = lane(fallNext, 0.0f);
    const __m128 xyz = _mm_castsi128_ps(_mm_setr_epi32(-1, -1, -1, 0));
    for (std::size_t i = 0; i < sphereCount; ++i) {
        if (pinned[i]) continue;
        float* vp = &velocities[i].x;
        float* pp = &positions[i].x;
        // Drag, then the move; the deltaVelocity was folded in before, and
        // adding its zero would change nothing, as no velocity here is -0.
        __m128 v = _mm_load_ps(vp);
        v = _mm_add_ps(v, _mm_mul_ps(_mm_mul_ps(v, _mm_set1_ps(-dampings[i])), step));
        const __m128 p = _mm_load_ps(pp);
        const __m128 moved = _mm_add_ps(p, _mm_mul_ps(v, step));
        _mm_store_ps(pp, _mm_or_ps(_mm_and_ps(xyz, moved), _mm_andnot_ps(xyz, p)));  // w keeps 1 / mass
        _mm_store_ps(vp, _mm_add_ps(v, fall));
    }
}

const std::vector<std::uint32_t>& SphereArrays::near(const Vector3& centre, float radius, std::size_t first) {
    nearList.clear();
    const __m128 c = lane(centre, 0.0f);
    const __m128 magnitude = _mm_castsi128_ps(_mm_set1_epi32(0x7fffffff));
    for (std::size_t i = first; i < sphereCount; ++i) {
        // The scalar test's first rule: one component at least as long as the
        // reach rules a contact out (a NaN rules nothing out).
        const __m128 offset = _mm_and_ps(_mm_sub_ps(c, _mm_load_ps(&positions[i].x)), magnitude);
        const __m128 far = _mm_cmpge_ps(offset, _mm_set1_ps(radius + radii[i]));
        if ((_mm_movemask_ps(far) & 7) == 0) nearList.push_back(static_cast<std::uint32_t>(i));
    }
    return nearList;
}

}  // namespace quiltRush
