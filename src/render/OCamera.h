#pragma once

#include "render/O3D.h"
#include "render/OMatrix4.h"

#include <cstdint>

// Prepares each frame: a perspective projection over the whole window
// (SetUp), then the 2D projection of the virtual screen (Set2D).
class OCamera : public O3D {
public:
    OCamera(int16_t width, int16_t height, float fieldOfView, float nearClip, float farClip);

    // Viewport over the whole window, perspective projection, and the view
    // matrix built from the camera's transform as the model-view matrix.
    void SetUp(int width, int height) { SetUp(0, 0, width, height); }
    // The same over a part of the window whose lower-left corner is (x, y).
    void SetUp(int x, int y, int width, int height);
    // Orthographic projection in which (0, 0) is the window's lower-left and
    // (width, height) its upper-right corner.
    void Set2D(int width, int height);

    // The inverse of the camera's rigid transform (no GL needed).
    OMatrix4 BuildViewMatrix() const;

    const OMatrix4& GetViewMatrix() const { return viewMatrix; }
    const OMatrix4& GetProjectionMatrix() const { return projectionMatrix; }
    float GetWidth() const { return viewportWidth; }
    float GetHeight() const { return viewportHeight; }
    float GetFieldOfView() const { return fieldOfView; }
    float GetNear() const { return nearClip; }
    float GetFar() const { return farClip; }

private:
    OMatrix4 viewMatrix;
    OMatrix4 projectionMatrix;
    float nearClip;
    float farClip;
    float fieldOfView;
    float viewportHeight;
    float viewportWidth;
};
