#include "render/OCamera.h"

#include <GL/gl.h>
#include <GL/glu.h>

OCamera::OCamera(int16_t width, int16_t height, float fieldOfView, float nearClip, float farClip)
    : nearClip(nearClip),
      farClip(farClip),
      fieldOfView(fieldOfView),
      viewportHeight(static_cast<float>(height)),
      viewportWidth(static_cast<float>(width)) {}

OMatrix4 OCamera::BuildViewMatrix() const {
    const OVector3 axes[3] = {GetRight(), GetUp(), GetBack()};
    const OVector3 position = GetPosition();
    OMatrix4 view;
    for (int row = 0; row < 3; ++row) {
        view.At(row, 0) = axes[row].x;
        view.At(row, 1) = axes[row].y;
        view.At(row, 2) = axes[row].z;
        view.At(row, 3) = -axes[row].Dot(position);
        view.At(3, row) = 0.0f;
    }
    view.At(3, 3) = 1.0f;
    return view;
}

void OCamera::SetUp(int x, int y, int width, int height) {
    viewportWidth = static_cast<float>(width);
    viewportHeight = static_cast<float>(height);
    glViewport(x, y, width, height);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A window minimised to zero height must not divide by zero.
    const double aspect = height > 0 ? static_cast<double>(width) / height : 1.0;
    gluPerspective(fieldOfView, aspect, nearClip, farClip);
    glMatrixMode(GL_MODELVIEW);

    viewMatrix = BuildViewMatrix();
    glLoadMatrixf(viewMatrix.m);
    glGetFloatv(GL_PROJECTION_MATRIX, projectionMatrix.m);
    glEnable(GL_DEPTH_TEST);
}

void OCamera::Set2D(int width, int height) {
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
