#include "ui/O2D.h"

#include <GL/gl.h>

void O2D::SetFrameColor(float r, float g, float b, float a) {
    frameColor[0] = r;
    frameColor[1] = g;
    frameColor[2] = b;
    frameColor[3] = a;
}

void O2D::SetFillColor(float r, float g, float b, float a) {
    fillColor[0] = r;
    fillColor[1] = g;
    fillColor[2] = b;
    fillColor[3] = a;
}

void O2D::DrawBackground() const {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor4fv(fillColor);
    glRectf(x, y, x + width, y + height);
    glEnable(GL_TEXTURE_2D);
}

void O2D::DrawFrame() const {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor4fv(frameColor);
    glLineWidth(lineWidth);
    glBegin(GL_LINE_LOOP);
    glVertex2f(x, y);
    glVertex2f(x + width, y);
    glVertex2f(x + width, y + height);
    glVertex2f(x, y + height);
    glEnd();
    glLineWidth(1.0f);
    glEnable(GL_TEXTURE_2D);
}
