#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "game/physics/Sphere.h"
#include "game/physics/Spring.h"

namespace quiltRush {

/// The engine's working copy of every registered sphere and spring, in
/// contiguous arrays that the substep loops run over four at a time. It is
/// filled from the spheres by load at the start of an update and written back
/// by store at its end; in between the Sphere objects are stale, except where
/// the engine copies one out for a contact. Every result is bit for bit what
/// the Sphere and Spring operations give one at a time, in the same order.
class SphereArrays {
public:
    /// Registers the next sphere (slot i is the engine's sphere i). Allocates;
    /// nothing else does, so updates allocate nothing.
    void addSphere(const Sphere* sphere);
    void addSpring();

    /// Copies positions, velocities and pinning in, and finds each spring's
    /// ends among the spheres (an end that is not registered stays outside).
    /// With clearContacts every sphere's deltaVelocity is cleared on the way.
    void load(const std::vector<Sphere*>& spheres, const std::vector<Spring*>& springs, bool clearContacts);
    /// Writes positions and (for spheres not pinned) velocities back.
    void store(const std::vector<Sphere*>& spheres) const;

    /// velocity += change for every sphere not pinned.
    void addToAll(const Vector3& change);
    /// Every spring's apply(dt), in the springs' order.
    void applySprings(const std::vector<Spring*>& springs, float dt);
    /// Sphere::integrate(dt) for every sphere not pinned, whose deltaVelocity
    /// was folded in by addVelocity already; then velocity += fallNext.
    void integrate(float dt, const Vector3& fallNext);

    /// Slots from first on whose centre might be within reach of (centre,
    /// radius): none that is left out could touch. Written into a list of its own.
    const std::vector<std::uint32_t>& near(const Vector3& centre, float radius, std::size_t first);

    /// Copies slot i's position and (if not pinned) velocity to its sphere, and back.
    void copyOut(std::size_t i, Sphere& sphere) const;
    void copyIn(std::size_t i, const Sphere& sphere);
    /// velocity += change unless slot i is pinned.
    void addVelocity(std::size_t i, const Vector3& change);

private:
    /// One sphere's vector in a 16-byte lane; w is 1 / mass for positions, 0 for velocities.
    struct alignas(16) Lane {
        float x;
        float y;
        float z;
        float w;
    };

    std::uint32_t slotOf(const std::vector<Sphere*>& spheres, const Sphere* sphere, std::uint32_t cached) const;
    bool isChain(std::size_t batch) const;
    void applyBatchWithOutsideEnds(std::size_t batch, const std::vector<Spring*>& springs, float dt);

    std::size_t sphereCount = 0;
    // Per sphere, plus one spare slot at the end that the padding springs pull on.
    std::vector<Lane> positions = std::vector<Lane>(1);
    std::vector<Lane> velocities = std::vector<Lane>(1);
    std::vector<float> radii;
    std::vector<float> inverseMasses;
    std::vector<float> dampings;
    std::vector<std::uint8_t> pinned;
    std::unordered_map<const Sphere*, std::uint32_t> slots;

    // Per spring, padded to a whole number of batches of four.
    std::size_t springCount = 0;
    std::vector<std::uint32_t> firsts;
    std::vector<std::uint32_t> seconds;
    std::vector<float> restLengths;
    std::vector<float> stiffnesses;
    std::vector<std::uint8_t> batchKinds;
    // What the spring arrays were last read from.
    std::uint64_t loadedSpringEdits = 0;
    std::size_t loadedSpheres = 0;
    std::size_t loadedSprings = 0;

    std::vector<std::uint32_t> nearList;
};

}  // namespace quiltRush
