#include "tests/support/GlContext.h"

#include <GL/freeglut.h>

#include "framework/LeakCheck.h"

namespace testSupport {

void ensureGlContext() {
    static bool ready = false;
    if (ready) return;
    int argc = 1;
    char name[] = "quiltrush-tests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH | GLUT_RGBA);
    glutInitWindowSize(640, 480);
    glutCreateWindow("quiltrush-tests");
    kiln::checkLeaksBeforeGlutExits();
    glViewport(0, 0, 640, 480);
    ready = true;
}

}  // namespace testSupport
