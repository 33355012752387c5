#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "framework/IUpdateListener.h"
#include "game/physics/Ray.h"
#include "game/physics/Sphere.h"
#include "game/physics/Spring.h"
#include "game/scene/Object.h"

namespace quiltRush {

struct PatchRecord;

/// The cloth: rectangular grids of spheres joined by structural springs, drawn
/// as a textured mesh whose vertices follow the spheres. The patch owns its
/// spheres and springs; the physics engine steps them through its own
/// pointers, so the engine must not step again once the patch is gone.
class Patch : public Object, public kiln::IUpdateListener {
public:
    // Every cloth sphere is alike; the level only chooses the springs' stiffness.
    static constexpr float kSphereRadius = 0.1f;   // world units
    static constexpr float kSphereMass = 0.1f;     // mass units
    static constexpr float kSphereDamping = 5.0f;  // per second: the cloth's only loss of energy

    Patch(const std::string& id, const std::string& textureFile);
    /// Deletes the spheres and springs it made.
    ~Patch() override;

    /// Appends one grid from a level record (its pin indices are the caller's).
    /// A record with counts that are not whole numbers of at least 2, more than
    /// 65 536 spheres, sizes or stiffness not finite and positive, or a position
    /// that is not finite adds nothing.
    void addGrid(const PatchRecord& record);
    /// Fixes spheres[index] (counted over all grids); an index not below the sphere count is ignored.
    void fixSphere(unsigned int index);
    /// Untacks every sphere (a run restarts).
    void releaseTacks();
    /// The sphere nearest the ray origin among those within 0.14 of the ray's
    /// line (and nearer than 1000); the earlier one on a tie; null if none.
    Sphere* pick(Ray ray) const;

    /// Copies sphere positions into the mesh and recomputes the normals.
    void update(unsigned long elapsed) override;
    /// The sheet, or in debug mode its springs and wire spheres; a pin on every tacked sphere.
    void draw() override;

    const std::vector<Sphere*>& getSpheres() const { return spheres; }
    const std::vector<Spring*>& getSprings() const { return springs; }

private:
    /// Debug view: each spring as a line and a wire sphere on its first end.
    void drawSprings() const;
    void drawPins() const;
    static void drawPin(const Vector3& base);

    std::vector<Sphere*> spheres;
    std::vector<Spring*> springs;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> links;
};

}  // namespace quiltRush
