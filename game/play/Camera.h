#pragma once

#include <utility>

#include "framework/Entity.h"
#include "framework/IDrawListener.h"
#include "framework/IUpdateListener.h"
#include "game/physics/Vector3.h"
#include "game/play/WindowSize.h"

namespace quiltRush {

class Ball;

/// The play view: an eye orbiting a target that follows the ball. Builds its
/// perspective and look-at matrices as plain doubles on every update (the same
/// arrays the input handler unprojects with); draw only loads them.
class Camera : public kiln::Entity, public kiln::IUpdateListener, public kiln::IDrawListener {
public:
    static constexpr float kMinDistance = 1.5f;      // world units, eye to target
    static constexpr float kMaxDistance = 20.0f;
    static constexpr float kMinPolarDegrees = 10.0f;  // never nearer the vertical than this
    static constexpr float kMaxPolarDegrees = 170.0f;

    /// up is stored normalised; followed is not owned and may be null (nothing to follow).
    Camera(const Vector3& eye, const Vector3& target, const Vector3& up, Ball* followed);

    /// Writes "Camera created" to the log.
    void init() override;
    /// Rebuilds both matrices from the state as it stands, then moves the target
    /// to the ball: the view shows the ball's position one tick late.
    void update(unsigned long elapsed) override;
    /// Loads the projection and the view; leaves the model-view matrix current.
    void draw() override;

    /// Moves the eye towards the target (positive) or away, keeping the
    /// distance within [kMinDistance, kMaxDistance].
    void zoom(float amount);
    /// Orbits the eye about the target: yaw about the world up axis, then pitch
    /// (positive lowers the eye), keeping the polar angle within [10, 170] degrees.
    void rotate(float yawDegrees, float pitchDegrees);

    Vector3 getEye() const { return eye; }
    /// Overwrites the eye only; the next update rebuilds the matrices.
    void setEye(const Vector3& newEye) { eye = newEye; }
    Vector3 getTarget() const { return target; }
    Vector3 getUp() const { return up; }
    Vector3 getRight() const { return right; }
    /// target - eye, not normalised.
    Vector3 getDirection() const { return target - eye; }

    /// Column-major, in the layout gluUnProject takes.
    const double* getViewMatrix() const { return viewMatrix; }
    const double* getProjectionMatrix() const { return projectionMatrix; }

    void startFollowing() { following = true; }
    void stopFollowing() { following = false; }
    bool isFollowing() const { return following; }

    /// Replaces the window size the projection is built for (tests).
    void setWindowSizeSource(WindowSizeSource source) { windowSize = std::move(source); }

private:
    void updateProjection();
    void updateView();
    void updateBasis();

    Vector3 eye;
    Vector3 target;
    Vector3 up;
    Vector3 right;
    float fieldOfView = 60.0f;  // degrees, vertical
    float nearPlane = 0.1f;
    float farPlane = 50.0f;
    double viewMatrix[16] = {};
    double projectionMatrix[16] = {};
    Ball* followed;
    bool following = true;
    // The last usable width / height: a window with no area keeps the projection it had.
    float aspect = 640.0f / 480.0f;
    WindowSizeSource windowSize = runningWindowSize;
};

}  // namespace quiltRush
