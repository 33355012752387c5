#include "framework/Util.h"

#include <GL/freeglut.h>

#include <utility>

namespace kiln {

void Util::drawString(std::string text, double x, double y) { drawString(std::move(text), x, y, GLUT_BITMAP_HELVETICA_10); }

void Util::drawString(std::string text, double x, double y, void* font) {
    glRasterPos2d(x, y);
    for (char c : text) {
        if (c == '\0') break;
        glutBitmapCharacter(font, static_cast<unsigned char>(c));
    }
}

int Util::stringWidth(const std::string& text, void* font) const {
    return glutBitmapLength(font, reinterpret_cast<const unsigned char*>(text.c_str()));
}

void Util::drawInColour(const std::function<void()>& draw) {
    glPushAttrib(GL_LIGHTING_BIT);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    draw();
    glPopAttrib();
    glColor3f(1.0f, 1.0f, 1.0f);
}

}  // namespace kiln
