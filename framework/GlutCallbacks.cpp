#include "framework/GlutCallbacks.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "framework/KeyBuffer.h"
#include "framework/KeyboardEventNotifier.h"
#include "framework/Manager.h"
#include "framework/MouseEventNotifier.h"
#include "framework/MousePosition.h"
#include "framework/ReshapeEventNotifier.h"

namespace kiln {

namespace {

// GLUT is C: an exception must not unwind through it. End the process in an
// orderly way instead (stdio flushed, exit status 1).
template <class Body>
void guarded(Body&& body) {
    try {
        body();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "fatal: %s\n", error.what());
        std::exit(EXIT_FAILURE);
    } catch (...) {
        std::fprintf(stderr, "fatal: unknown exception\n");
        std::exit(EXIT_FAILURE);
    }
}

}  // namespace

void timerCallback(int) {
    guarded([] {
        Manager* manager = Manager::instance();
        // Re-armed first, so a tick is requested every period however long the update takes.
        glutTimerFunc(manager->getTimerPeriod(), timerCallback, 0);
        glutPostRedisplay();
        manager->getApp()->update();
    });
}

void displayCallback() {
    guarded([] {
        Manager::instance()->getApp()->display();
        glutSwapBuffers();
    });
}

void reshapeCallback(int width, int height) {
    guarded([&] {
        glViewport(0, 0, width, height);
        Manager::instance()->getApp()->setSize(static_cast<unsigned int>(width), static_cast<unsigned int>(height));
        ReshapeEventNotifier::instance()->onReshape(width, height);
        glutPostRedisplay();
    });
}

void keyboardCallback(unsigned char key, int, int) {
    guarded([&] {
        KeyBuffer::instance()->setKey(key, true);
        KeyboardEventNotifier::instance()->onKeyPressed(key);
    });
}

void keyboardUpCallback(unsigned char key, int, int) {
    guarded([&] {
        KeyBuffer::instance()->setKey(key, false);
        KeyboardEventNotifier::instance()->onKeyReleased(key);
    });
}

void specialCallback(int key, int, int) {
    guarded([&] {
        KeyBuffer::instance()->setSpecialKey(key, true);
        KeyboardEventNotifier::instance()->onSpecialKeyPressed(key);
    });
}

void specialUpCallback(int key, int, int) {
    guarded([&] {
        KeyBuffer::instance()->setSpecialKey(key, false);
        KeyboardEventNotifier::instance()->onSpecialKeyReleased(key);
    });
}

// The position is recorded before the listeners hear of it, as the keys are.
void mouseCallback(int button, int state, int x, int y) {
    guarded([&] {
        MousePosition::instance()->set(x, y);
        MouseEventNotifier::instance()->onMouseButton(button, state, x, y);
    });
}

void motionCallback(int x, int y) {
    guarded([&] {
        MousePosition::instance()->set(x, y);
        MouseEventNotifier::instance()->onMouseMotion(x, y);
    });
}

void passiveMotionCallback(int x, int y) {
    guarded([&] {
        MousePosition::instance()->set(x, y);
        MouseEventNotifier::instance()->onMousePassiveMotion(x, y);
    });
}

}  // namespace kiln
