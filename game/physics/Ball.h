#pragma once

#include <string>

#include "framework/Entity.h"
#include "framework/IDrawListener.h"
#include "game/physics/Sphere.h"

namespace quiltRush {

/// The heavy red ball: a sphere of radius 0.2 and mass 10 that draws itself.
/// Its constructor registers it with the physics engine, which must not hold
/// any sphere yet: the engine treats its first sphere as the ball.
class Ball : public Sphere, public kiln::Entity, public kiln::IDrawListener {
public:
    static constexpr float kRadius = 0.2f;  // world units
    static constexpr float kMass = 10.0f;   // mass units

    Ball(const std::string& id, const Vector3& position);

    void init() override {}
    /// A red, lit sphere at the ball's position, shaded to its rim with a white highlight.
    void draw() override;
};

}  // namespace quiltRush
