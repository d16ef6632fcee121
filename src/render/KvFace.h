#pragma once

// One triangle of a mesh: pointers to its three corners' position, normal and
// texture coordinate, and to its plane (a, b, c, d). They point into the
// arrays of the mesh that made them and stay valid while that mesh lives.
struct KvFace {
    const float* position[3] = {nullptr, nullptr, nullptr};
    const float* normal[3] = {nullptr, nullptr, nullptr};
    const float* texCoord[3] = {nullptr, nullptr, nullptr};
    const float* plane = nullptr;
};
