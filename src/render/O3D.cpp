#include "render/O3D.h"

#include <GL/gl.h>

namespace {
constexpr float kAxisLength = 4.25f;
}

O3D::O3D() {
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            transform[row][column] = (row == column) ? 1.0f : 0.0f;
        }
    }
}

OVector3 O3D::Row(int row) const {
    return {transform[row][0], transform[row][1], transform[row][2]};
}

void O3D::SetPosition(const OVector3& position) {
    transform[3][0] = position.x;
    transform[3][1] = position.y;
    transform[3][2] = position.z;
}

void O3D::DrawAxes() {
    const GLboolean lightingWasOn = glIsEnabled(GL_LIGHTING);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glEnable(GL_LINE_SMOOTH);
    glLineWidth(1.0f);

    const OVector3 origin = GetPosition();
    const OVector3 ends[3] = {origin + GetRight() * kAxisLength, origin + GetUp() * kAxisLength,
                              origin + GetBack() * kAxisLength};
    const float colours[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    glBegin(GL_LINES);
    for (int axis = 0; axis < 3; ++axis) {
        glColor3fv(colours[axis]);
        glVertex3f(origin.x, origin.y, origin.z);
        glVertex3f(ends[axis].x, ends[axis].y, ends[axis].z);
    }
    glEnd();

    glDisable(GL_BLEND);
    if (lightingWasOn) {
        glEnable(GL_LIGHTING);
    }
    glEnable(GL_TEXTURE_2D);
}
