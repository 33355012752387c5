#include "framework/Util.h"

#include <GL/freeglut.h>

namespace kiln {

void Util::drawString(std::string text, double x, double y) {
    glRasterPos2d(x, y);
    for (char c : text) {
        if (c == '\0') break;
        glutBitmapCharacter(GLUT_BITMAP_HELVETICA_10, static_cast<unsigned char>(c));
    }
}

}  // namespace kiln
