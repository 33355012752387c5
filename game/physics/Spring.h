#pragma once

namespace quiltRush {

class Sphere;

/// A Hooke spring between two spheres (not owned), without damping of its own.
class Spring {
public:
    /// The rest length is the distance of the ends now.
    Spring(Sphere* first, Sphere* second, float stiffness);

    /// Pulls a stretched spring's ends together and pushes a compressed one's
    /// apart for dt seconds; ends closer than 0.001 exert nothing.
    void apply(float dt);

    void setSecond(Sphere* newSecond) { second = newSecond; }
    void clearRestLength() { restLength = 0.0f; }

    Sphere* getFirst() const { return first; }
    Sphere* getSecond() const { return second; }
    float getRestLength() const { return restLength; }
    float getStiffness() const { return stiffness; }

private:
    Sphere* first;
    Sphere* second;
    float restLength;
    float stiffness;
};

}  // namespace quiltRush
