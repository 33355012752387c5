#include "game/play/Camera.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <ostream>

#include "framework/DebugFile.h"
#include "game/physics/Ball.h"

namespace quiltRush {

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kOneOverPi = 0.3183098861837907;
const Vector3 kWorldUp(0.0f, 1.0f, 0.0f);
// Side axis for a view that looks straight up or down, where the cross product
// with the world up axis vanishes.
const Vector3 kFallbackSide(1.0f, 0.0f, 0.0f);

}  // namespace

Camera::Camera(const Vector3& eye, const Vector3& target, const Vector3& up, Ball* followed)
    : kiln::Entity("Camera"), eye(eye), target(target), up(normalize(up)), followed(followed) {}

void Camera::init() { kiln::DebugFile::instance()->stream << "Camera created" << std::endl; }

void Camera::update(unsigned long) {
    updateProjection();
    updateView();
    // The matrices above used the old target: the ball shows one tick late.
    if (following && followed != nullptr) {
        target = followed->getPosition();
        updateBasis();
    }
}

void Camera::draw() {
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(projectionMatrix);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(viewMatrix);
}

void Camera::updateProjection() {
    WindowSize size = windowSize();
    if (size.width > 0 && size.height > 0) {
        aspect = static_cast<float>(size.width) / static_cast<float>(size.height);
    }
    double n = nearPlane;
    double f = farPlane;
    double top = n * std::tan(fieldOfView * kRadiansPerDegree * 0.5);
    double bottom = -top;
    double rightEdge = aspect * top;
    double leftEdge = -rightEdge;

    std::fill(projectionMatrix, projectionMatrix + 16, 0.0);
    projectionMatrix[0] = 2.0 * n / (rightEdge - leftEdge);
    projectionMatrix[5] = 2.0 * n / (top - bottom);
    projectionMatrix[8] = (rightEdge + leftEdge) / (rightEdge - leftEdge);
    projectionMatrix[9] = (top + bottom) / (top - bottom);
    projectionMatrix[10] = -(f + n) / (f - n);
    projectionMatrix[11] = -1.0;
    projectionMatrix[14] = -2.0 * f * n / (f - n);
}

void Camera::updateView() {
    Vector3 forward = normalize(target - eye);
    // The side vector is not normalised and up is taken as stored: updateBasis
    // keeps them orthonormal whenever the view direction changes.
    Vector3 side = cross(forward, up);
    double* m = viewMatrix;
    m[0] = side.x;
    m[4] = side.y;
    m[8] = side.z;
    m[12] = -dot(side, eye);
    m[1] = up.x;
    m[5] = up.y;
    m[9] = up.z;
    m[13] = -dot(up, eye);
    m[2] = -forward.x;
    m[6] = -forward.y;
    m[10] = -forward.z;
    m[14] = dot(forward, eye);
    m[3] = m[7] = m[11] = 0.0;
    m[15] = 1.0;
}

void Camera::updateBasis() {
    Vector3 direction = target - eye;
    // Looking straight up or down both come out as zero vectors (normalising
    // zero gives zero); the next rotation or target move restores them.
    right = normalize(cross(direction, kWorldUp));
    up = normalize(cross(right, direction));
}

void Camera::zoom(float amount) {
    float distance = length(eye - target);
    if (amount > 0.0f && distance - amount < kMinDistance) {
        amount = distance - kMinDistance;
    } else if (amount < 0.0f && distance - amount > kMaxDistance) {
        amount = distance - kMaxDistance;
    }
    eye = eye + normalize(target - eye) * amount;
}

void Camera::rotate(float yawDegrees, float pitchDegrees) {
    Vector3 offset = eye - target;
    offset = rotateAboutAxisDegrees(offset, kWorldUp, yawDegrees);

    // Rounding can put the cosine a hair outside [-1, 1], where acos has no value.
    float cosine = std::clamp(normalize(offset).y, -1.0f, 1.0f);
    float polar = static_cast<float>(std::acos(cosine) * 180.0 * kOneOverPi);
    if (polar + pitchDegrees < kMinPolarDegrees) {
        pitchDegrees = kMinPolarDegrees - polar;
    } else if (polar + pitchDegrees > kMaxPolarDegrees) {
        pitchDegrees = kMaxPolarDegrees - polar;
    }

    // The pitch axis is the side of the view before this call's yaw.
    Vector3 side = normalize(cross(target - eye, kWorldUp));
    // A view straight along the vertical has no side: a zero axis would shrink
    // the offset instead of turning it, so any horizontal axis takes its place.
    if (side == Vector3()) side = kFallbackSide;
    offset = rotateAboutAxisDegrees(offset, side, pitchDegrees);

    eye = target + offset;
    updateBasis();
}

}  // namespace quiltRush
