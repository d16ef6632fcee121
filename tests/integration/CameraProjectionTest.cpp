#include "render/OCamera.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "support/GLTestWindow.h"
#include "support/PixelCheck.h"

namespace {

void FillRect(float left, float bottom, float right, float top) {
    glBegin(GL_QUADS);
    glVertex2f(left, bottom);
    glVertex2f(right, bottom);
    glVertex2f(right, top);
    glVertex2f(left, top);
    glEnd();
}

}  // namespace

TEST(OCameraDrawing, VirtualScreenFillsTheWindowAtEverySize) {
    for (auto size : {std::pair<int, int>{640, 480}, {800, 600}, {1024, 768}}) {
        GLTestWindow window(size.first, size.second);
        const int w = window.width, h = window.height;
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        OCamera camera(static_cast<int16_t>(w), static_cast<int16_t>(h), 60, 1, 1024);
        camera.SetUp(w, h);
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], w);
        EXPECT_EQ(viewport[3], h);
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));

        camera.Set2D(800, 600);
        EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
        window.Clear(0, 0, 0);
        glDisable(GL_TEXTURE_2D);
        // Small squares in the four corners of the virtual screen.
        glColor3f(1, 0, 0);
        FillRect(790, 590, 800, 600);
        glColor3f(0, 1, 0);
        FillRect(0, 0, 10, 10);
        glColor3f(0, 0, 1);
        FillRect(0, 590, 10, 600);
        window.Snapshot("projection-" + std::to_string(w));

        EXPECT_TRUE(ColourNear(window.Pixel(w - 1, h - 1), 255, 0, 0)) << "top right";
        EXPECT_TRUE(ColourNear(window.Pixel(0, 0), 0, 255, 0)) << "bottom left";
        EXPECT_TRUE(ColourNear(window.Pixel(0, h - 1), 0, 0, 255)) << "top left";
        // 10 virtual units are w / 80 pixels; just beyond them is background.
        const int beyond = w * 10 / 800 + 2;
        EXPECT_TRUE(ColourNear(window.Pixel(w - 1 - beyond, h - 1), 0, 0, 0));
        EXPECT_TRUE(ColourNear(window.Pixel(w / 2, h / 2), 0, 0, 0));

        // A quad over the whole virtual screen covers every corner pixel.
        glColor3f(1, 1, 1);
        FillRect(0, 0, 800, 600);
        for (auto corner : {std::pair<int, int>{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}) {
            EXPECT_TRUE(ColourNear(window.Pixel(corner.first, corner.second), 255, 255, 255));
        }
    }
}

// The matrices themselves are checked without a window (RenderMathTest):
// here SetUp must hand them to OpenGL.
TEST(OCameraDrawing, SetUpLoadsTheViewMatrixOfTheCameraPlacement) {
    GLTestWindow window(800, 600);
    OCamera camera(800, 600, 45, 1, 256);
    camera.SetPosition(OVector3(0, 0, 22));
    camera.SetUp(800, 600);
    float modelView[16] = {};
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    EXPECT_FLOAT_EQ(modelView[14], -22.0f);
    EXPECT_FLOAT_EQ(modelView[0], 1.0f);
    // The projection copy is OpenGL's perspective matrix: w' = -z, and at
    // 45 degrees vertically element 5 is cot(22.5 degrees).
    EXPECT_FLOAT_EQ(camera.GetProjectionMatrix().m[11], -1.0f);
    EXPECT_FLOAT_EQ(camera.GetProjectionMatrix().m[15], 0.0f);
    EXPECT_NEAR(camera.GetProjectionMatrix().m[5], 2.41421f, 1e-4);
}
