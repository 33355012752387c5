#include "framework/Application.h"

#include <GL/freeglut.h>

#include <stdexcept>

#include "framework/DebugFile.h"
#include "framework/DebugNotifier.h"
#include "framework/DrawNotifier.h"
#include "framework/DrawOverlayNotifier.h"
#include "framework/Registry.h"
#include "framework/SystemClock.h"
#include "framework/UpdateNotifier.h"

namespace kiln {

Application::Application()
    : title("OpenGL GLUT Application"),
      windowX(100),
      windowY(100),
      width(kDefaultWidth),
      height(kDefaultHeight),
      displayMode(GLUT_DOUBLE | GLUT_DEPTH | GLUT_RGBA),
      timeSource(std::make_unique<SystemClock>()) {}

Application::~Application() = default;

void Application::setClock(std::unique_ptr<Clock> newClock) { timeSource = std::move(newClock); }

void Application::setSize(unsigned int newWidth, unsigned int newHeight) {
    width = newWidth;
    height = newHeight;
}

void Application::init() {
    glShadeModel(GL_SMOOTH);
    try {
        createEntities();
    } catch (std::runtime_error& error) {
        DebugFile::instance()->logException(error);
        throw std::runtime_error(error.what());
    }
    Registry::instance()->initAll();
}

void Application::update() {
    clock = timeSource->now();
    lastTime = currentTime;
    // Unsigned 32-bit arithmetic: the count wraps every 49.7 days and the
    // difference stays right across the wrap.
    currentTime = static_cast<std::uint32_t>(clock.seconds) * 1000u + clock.millis;
    elapsed = currentTime - lastTime;
    if (firstFrame) {
        // The first tick only primes the clock.
        firstFrame = false;
        return;
    }
    DebugNotifier::instance()->debug();
    UpdateNotifier::instance()->update(elapsed);
}

void Application::display() {
    glClearColor(0.1f, 0.1f, 0.1f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    DrawNotifier::instance()->draw();
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    setOverlayProjection();
    DrawOverlayNotifier::instance()->drawOverlay();
    glDisable(GL_BLEND);
}

void Application::setOverlayProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0.0, static_cast<double>(width), 0.0, static_cast<double>(height));
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

}  // namespace kiln
