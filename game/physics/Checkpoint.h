#pragma once

#include <string>

#include "framework/Entity.h"
#include "framework/IDrawListener.h"
#include "game/physics/Vector3.h"

namespace quiltRush {

class Ball;

/// A translucent yellow bubble the ball must touch once per run.
class Checkpoint : public kiln::Entity, public kiln::IDrawListener {
public:
    Checkpoint(const std::string& id, const Vector3& center, float radius);

    void init() override {}
    /// The bubble, only while not reached.
    void draw() override;

    /// True, and reached from now on, when the ball touches the bubble (touching counts).
    bool touch(const Ball& ball);
    bool isReached() const { return reached; }
    void reset() { reached = false; }

    Vector3 getCenter() const { return center; }
    float getRadius() const { return radius; }

private:
    Vector3 center;
    float radius;
    bool reached = false;
};

}  // namespace quiltRush
