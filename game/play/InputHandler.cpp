#include "game/play/InputHandler.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>

#include "framework/InputCodes.h"
#include "framework/MousePosition.h"
#include "framework/Util.h"
#include "game/physics/Patch.h"
#include "game/physics/PhysicsEngine.h"
#include "game/physics/Ray.h"
#include "game/physics/Sphere.h"
#include "game/physics/Spring.h"
#include "game/play/Camera.h"
#include "game/play/Cursor.h"
#include "game/play/Game.h"
#include "game/scene/Texture.h"

namespace quiltRush {

namespace {

using namespace kiln::inputCodes;

constexpr unsigned char kDebugKey = 'd';  // lower case only

// The mouse sphere only carries the spring's end: no size, and fixed.
constexpr float kMouseSphereMass = 0.001f;
constexpr float kSecondsPerMilli = 0.001f;

constexpr double kMarkerRadius = 0.05;
constexpr int kMarkerSlices = 20;
constexpr int kMarkerStacks = 20;

}  // namespace

InputHandler::InputHandler() : kiln::Entity("InputHandler") {
    mouseSphere = new Sphere(Vector3(), 0.0f, kMouseSphereMass, 0.0f);
    mouseSphere->fix();
    mouseSpring = new Spring(mouseSphere, mouseSphere, kSpringStiffness);
    mouseSpring->clearRestLength();
    PhysicsEngine* engine = PhysicsEngine::instance();
    engine->addSphere(mouseSphere);
    engine->addSpring(mouseSpring);

    loadCursorTexture(arrowCursor, "assets/cursors/cursor1.bmp");
    loadCursorTexture(grabCursor, "assets/cursors/cursor2.bmp");
    cursor = arrowCursor;

    // Made after the mouse has moved (a level built anew), it starts where the mouse is.
    const kiln::MousePosition* mouse = kiln::MousePosition::instance();
    mouseX = previousX = mouse->getX();
    mouseY = previousY = mouse->getY();
}

InputHandler::~InputHandler() {
    delete mouseSpring;
    delete mouseSphere;
}

void InputHandler::update(unsigned long elapsed) {
    unprojectMouse();
    Camera* camera = game->getCamera();
    if (leftButtonDown && rightButtonDown) {
        camera->zoom(kZoomPerPixel * static_cast<float>(previousY - mouseY));  // mouse up: nearer
    } else if (leftButtonDown) {
        if (selected != nullptr) {
            dragStep(elapsed);
            cursor = grabCursor;
        }
    } else if (rightButtonDown) {
        // The first orbit update of the program has no trustworthy previous position.
        if (rotationPrimed) {
            camera->rotate(static_cast<float>(-(mouseX - previousX)), static_cast<float>(-(mouseY - previousY)));
        } else {
            rotationPrimed = true;
        }
    } else {
        cursor = arrowCursor;
    }
    previousX = mouseX;
    previousY = mouseY;
}

// The world point under the mouse on the near plane, with exactly the
// matrices the camera drew with.
void InputHandler::unprojectMouse() {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    Camera* camera = game->getCamera();
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    // A camera that has not built its matrices yet cannot unproject: keep the
    // last point. Nor can a window of zero width or height (minimised): the
    // point would not be a number, and a drag would carry it into the cloth,
    // which no restart mends.
    if (gluUnProject(mouseX, viewport[3] - mouseY, 0.0, camera->getViewMatrix(), camera->getProjectionMatrix(),
                     viewport, &x, &y, &z) == GL_TRUE) {
        Vector3 point(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
        if (isFinite(point)) mousePoint = point;
    }
}

// The press may come in the same tick as the move that brought the mouse
// there (a quick click, or any scripted one): the point of the last update is
// then where the mouse was before, off the cloth when it is small on screen.
// The pick therefore looks where the mouse is now.
void InputHandler::pick() {
    unprojectMouse();
    Camera* camera = game->getCamera();
    Vector3 origin = camera->getEye();
    Vector3 direction = normalize(mousePoint - origin);
    selected = game->getPatch()->pick(Ray(origin, direction));
    if (selected == nullptr) return;
    mouseSphere->setPosition(selected->getPosition());  // the spring starts slack
    mouseSpring->setSecond(selected);
    camera->stopFollowing();
    sounds->play(Sound::Grab);
}

// The spring's both ends on the fixed mouse sphere: it pulls nothing. The
// selection stays, so space still acts on the last picked sphere.
void InputHandler::release() {
    mouseSpring->setSecond(mouseSphere);
    game->getCamera()->startFollowing();
}

// Keeps the mouse sphere under the mouse in the plane through the dragged
// sphere that faces the eye. A jump of the mouse across the window in one
// tick would put the spring's end metres away at once, and the pull would
// tear the grabbed sphere out of the sheet: cells open wider than the ball and
// fold into knots. So the mouse sphere follows no faster than kMaxMouseSpeed,
// which no drag by hand reaches at the start camera: there it is always the
// point under the mouse, and the spring pulls as hard as its stretch says.
void InputHandler::dragStep(unsigned long elapsed) {
    ++dragSteps;
    Vector3 origin = game->getCamera()->getEye();
    Vector3 direction = normalize(mousePoint - origin);
    Vector3 point = selected->getPosition();
    Vector3 normal = normalize(origin - point);
    float facing = dot(normal, direction);
    if (facing == 0.0f) return;  // the mouse ray runs along the plane: no point to take
    float t = (dot(normal, point) - dot(normal, origin)) / facing;
    Vector3 target = origin + direction * t;
    Vector3 from = mouseSphere->getPosition();
    float distance = length(target - from);
    // Over the time the physics simulates this tick: a stalled tick moves it no farther.
    unsigned long millis = std::min(elapsed, PhysicsEngine::kMaxSimulatedMillis);
    float reach = kMaxMouseSpeed * static_cast<float>(millis) * kSecondsPerMilli;
    // Written so that a distance that is not a number is held back too.
    if (!(distance <= reach)) {
        ++heldBackDragSteps;
        // A point at infinity, or not a number, has no way towards it: the end stays.
        if (!std::isfinite(distance)) return;
        target = from + (target - from) * (reach / distance);
    }
    mouseSphere->setPosition(target);
}

void InputHandler::onMouseButton(int button, int state, int, int) {
    if (button == kWheelUp || button == kWheelDown) {
        onWheel(button, state);
        return;
    }
    bool pressed = state == kPressed;
    if (button == kLeftButton) {
        leftButtonDown = pressed;
        if (pressed && !rightButtonDown) {
            pick();
        } else {
            release();
        }
    } else if (button == kRightButton) {
        rightButtonDown = pressed;
        release();
    } else if (button == kMiddleButton) {
        release();
    }
}

// A wheel step zooms and is nothing else: it neither holds a button nor
// releases a drag.
void InputHandler::onWheel(int button, int state) {
    if (state != kPressed) return;
    float amount = button == kWheelUp ? kZoomPerWheelStep : -kZoomPerWheelStep;
    game->getCamera()->zoom(amount);
}

void InputHandler::onMouseMotion(int x, int y) {
    mouseX = x;
    mouseY = y;
}

void InputHandler::onMousePassiveMotion(int x, int y) {
    mouseX = x;
    mouseY = y;
}

void InputHandler::onKeyPressed(unsigned char key) {
    if (key == kEscape) {
        game->showMenu();
    } else if (key == kEnter) {
        game->restart();
    } else if (key == kDebugKey) {
        PhysicsEngine* engine = PhysicsEngine::instance();
        engine->setDebugMode(!engine->isDebugMode());
    } else if (key == kSpace) {
        toggleTack();
    }
}

void InputHandler::toggleTack() {
    if (selected == nullptr || selected->isFixed()) return;
    if (selected->isTacked()) {
        game->returnTack();
        selected->untack();
        sounds->play(Sound::TackFreed);
    } else if (game->canUseTack()) {
        game->useTack();
        selected->tack();
        sounds->play(Sound::TackPinned);
    }
}

void InputHandler::draw() {
    if (selected == nullptr) return;
    Vector3 position = selected->getPosition();
    kiln::Util::instance()->drawInColour([&position] {
        glColor3f(0.0f, 0.0f, 1.0f);
        glPushMatrix();
        glTranslatef(position.x, position.y, position.z);
        glutSolidSphere(kMarkerRadius, kMarkerSlices, kMarkerStacks);
        glPopMatrix();
    });
}

void InputHandler::drawOverlay() { drawCursor(cursor, mouseX, mouseY); }

}  // namespace quiltRush
