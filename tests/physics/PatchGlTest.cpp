#include <gtest/gtest.h>

#include <vector>

#include "game/physics/Patch.h"
#include "game/physics/PhysicsEngine.h"
#include "game/scene/GameDataRecords.h"
#include "tests/support/GlFrame.h"
#include "tests/physics/PhysicsTestSupport.h"
#include "tests/support/GlContext.h"

namespace {

using testSupport::GlFrame;
using quiltRush::Patch;
using quiltRush::PatchRecord;
using quiltRush::Sphere;

/// What one draw sends down the pipeline, read back through GL's feedback mode.
struct Primitives {
    int polygons = 0;
    int lines = 0;
};

template <class Draw>
Primitives feedbackOf(Draw draw) {
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    GLint used = glRenderMode(GL_RENDER);
    EXPECT_GE(used, 0) << "feedback buffer overflow";
    Primitives counted;
    for (GLint i = 0; i < used;) {
        GLint token = static_cast<GLint>(buffer[i]);
        if (token == GL_POLYGON_TOKEN) {
            ++counted.polygons;
            i += 2 + 3 * static_cast<GLint>(buffer[i + 1]);
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            ++counted.lines;
            i += 1 + 2 * 3;
        } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN || token == GL_DRAW_PIXEL_TOKEN ||
                   token == GL_COPY_PIXEL_TOKEN) {
            i += 1 + 3;
        } else {  // GL_PASS_THROUGH_TOKEN
            i += 2;
        }
    }
    return counted;
}

/// A 3 x 4 cloth laid flat in front of the viewer, seen from above.
class PatchDrawing : public physicsTest::FreshEngine {
protected:
    PatchDrawing() {
        testSupport::ensureGlContext();
        GlFrame::useWorldProjection();
        glRotatef(90.0f, 1.0f, 0.0f, 0.0f);  // look down onto the xz plane
        glDisable(GL_CULL_FACE);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        PatchRecord record;
        record.sizeX = 1.5f;
        record.sizeZ = 1.6f;
        record.rows = 3;
        record.cols = 4;
        record.stiffness = 100.0f;
        patch.addGrid(record);
        patch.update(16);
    }
    Patch patch{"Patch", "no-such-image.bmp"};
};

TEST_F(PatchDrawing, DrawsEveryFaceOfTheSheet) {
    Primitives drawn = feedbackOf([this] { patch.draw(); });
    EXPECT_EQ(drawn.polygons, 12);
    EXPECT_EQ(drawn.lines, 0);
}

TEST_F(PatchDrawing, DebugModeDrawsSpringsInsteadOfTriangles) {
    quiltRush::PhysicsEngine::instance()->setDebugMode(true);
    Primitives drawn = feedbackOf([this] { patch.draw(); });
    EXPECT_EQ(drawn.polygons, 0);
    // 17 spring lines, and many more edges of the wire spheres on their first ends.
    EXPECT_GT(drawn.lines, 17);
}

TEST_F(PatchDrawing, DebugModeMarksOnlyFirstEnds) {
    quiltRush::PhysicsEngine::instance()->setDebugMode(true);
    GlFrame::clear();
    glDisable(GL_LIGHTING);
    glColor3f(1, 1, 1);
    patch.draw();
    GlFrame frame;
    // Sphere 11, the last of the grid, is nobody's first end: no wire sphere
    // around it, while sphere 10 beside it has one. Sphere i * 4 + j sits at
    // x = 0.5 i - 0.75, z = 0.4 j - 0.8; seen from above, z grows downwards.
    auto pixelOf = [](float x, float z) {
        return std::pair<int, int>(static_cast<int>((x + 1.0f) * 320.0f), static_cast<int>((1.0f - z) * 240.0f));
    };
    auto [x10, y10] = pixelOf(0.25f, 0.0f);
    auto [x11, y11] = pixelOf(0.25f, 0.4f);
    int markedNear10 = 0, markedNear11 = 0;
    for (int dy = -20; dy <= 20; ++dy) {
        for (int dx = -20; dx <= 20; ++dx) {
            if (dx > -3 && dx < 3) continue;  // skip the springs along the column
            if (dy > -3 && dy < 3) continue;  // and along the row
            markedNear10 += frame.lit(x10 + dx, y10 + dy);
            markedNear11 += frame.lit(x11 + dx, y11 + dy);
        }
    }
    EXPECT_GT(markedNear10, 0);
    EXPECT_EQ(markedNear11, 0);
}

TEST_F(PatchDrawing, RestoresAlphaTestTwoSidedLightingAndTexturing) {
    for (bool debug : {false, true}) {
        quiltRush::PhysicsEngine::instance()->setDebugMode(debug);
        patch.draw();
        EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        GLint twoSided = -1;
        glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &twoSided);
        EXPECT_EQ(twoSided, 0);
    }
}

}  // namespace
