#pragma once

// Sixteen floats in OpenGL's column-major order, as glLoadMatrixf takes them:
// elements 12, 13 and 14 hold the translation.
struct OMatrix4 {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    void SetIdentity();
    // Element at the given row and column of the mathematical matrix.
    float& At(int row, int column) { return m[column * 4 + row]; }
    float At(int row, int column) const { return m[column * 4 + row]; }
};
