#include "framework/Manager.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "framework/DebugFile.h"
#include "framework/DebugNotifier.h"
#include "framework/DrawNotifier.h"
#include "framework/DrawOverlayNotifier.h"
#include "framework/GlutCallbacks.h"
#include "framework/KeyBuffer.h"
#include "framework/KeyboardEventNotifier.h"
#include "framework/LeakCheck.h"
#include "framework/MouseEventNotifier.h"
#include "framework/MousePosition.h"
#include "framework/Properties.h"
#include "framework/Registry.h"
#include "framework/ReshapeEventNotifier.h"
#include "framework/UpdateNotifier.h"
#include "framework/Util.h"

namespace kiln {

void Manager::runApp(Application* application, int argc, char** argv) {
    startApp(application, argc, argv);
    glutMainLoop();
}

int Manager::runMain(Application* application, int argc, char** argv) {
    try {
        runApp(application, argc, argv);
    } catch (const std::exception& error) {
        // Start-up failed; the log already holds runtime errors from entity creation.
        std::fprintf(stderr, "fatal: %s\n", error.what());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}

void Manager::startApp(Application* application, int argc, char** argv) {
    app = application;
    timerPeriod = kTimerPeriodMillis;

    glutInit(&argc, argv);
    glutInitDisplayMode(app->getDisplayMode());
    glutInitWindowPosition(app->getWindowX(), app->getWindowY());
    glutInitWindowSize(static_cast<int>(app->getWidth()), static_cast<int>(app->getHeight()));
    glutCreateWindow(app->getTitle().c_str());
    checkLeaksBeforeGlutExits();

    app->init();

    glViewport(0, 0, static_cast<GLsizei>(app->getWidth()), static_cast<GLsizei>(app->getHeight()));
    app->setSize(app->getWidth(), app->getHeight());

    glutDisplayFunc(displayCallback);
    glutReshapeFunc(reshapeCallback);
    glutMouseFunc(mouseCallback);
    glutMotionFunc(motionCallback);
    glutPassiveMotionFunc(passiveMotionCallback);
    glutIgnoreKeyRepeat(1);
    glutKeyboardFunc(keyboardCallback);
    glutKeyboardUpFunc(keyboardUpCallback);
    glutSpecialFunc(specialCallback);
    glutSpecialUpFunc(specialUpCallback);

    glutTimerFunc(timerPeriod, timerCallback, 0);
}

void Manager::destroyEntities() {
    // Notifiers go before the registry, so no listener record outlives its entity.
    KeyboardEventNotifier::destroy();
    MouseEventNotifier::destroy();
    ReshapeEventNotifier::destroy();
    UpdateNotifier::destroy();
    DrawNotifier::destroy();
    DrawOverlayNotifier::destroy();
    DebugNotifier::destroy();
    Registry::destroy();
}

void Manager::shutdown() {
    destroyEntities();
    DebugFile::destroy();
    KeyBuffer::destroy();
    MousePosition::destroy();
    Properties::destroy();
    Util::destroy();
    delete app;
    app = nullptr;
    Manager::destroy();
    std::exit(0);
}

}  // namespace kiln
