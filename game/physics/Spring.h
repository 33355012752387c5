#pragma once

#include <cstdint>

namespace quiltRush {

class Sphere;

/// A Hooke spring between two spheres (not owned), without damping of its own.
class Spring {
public:
    /// Ends this close exert nothing: it keeps the idle mouse spring, whose
    /// two ends are the same sphere, silent.
    static constexpr double kDeadZone = 0.001;

    /// The rest length is the distance of the ends now.
    Spring(Sphere* first, Sphere* second, float stiffness);

    /// Pulls a stretched spring's ends together and pushes a compressed one's
    /// apart for dt seconds; ends closer than kDeadZone exert nothing.
    void apply(float dt);

    void setSecond(Sphere* newSecond) {
        second = newSecond;
        ++edits;
    }
    void clearRestLength() {
        restLength = 0.0f;
        ++edits;
    }
    /// Counts every spring made or changed in this process: while it stands
    /// still, no spring's ends, rest length or stiffness have changed.
    static std::uint64_t editCount() { return edits; }

    Sphere* getFirst() const { return first; }
    Sphere* getSecond() const { return second; }
    float getRestLength() const { return restLength; }
    float getStiffness() const { return stiffness; }

private:
    Sphere* first;
    Sphere* second;
    float restLength;
    float stiffness;
    inline static std::uint64_t edits = 0;
};

}  // namespace quiltRush
