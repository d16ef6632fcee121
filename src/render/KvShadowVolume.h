#pragma once

#include <cstddef>
#include <vector>

// The geometry of a shadow volume in model coordinates, four floats
// (x, y, z, w) per vertex; w = 0 for points extruded to infinity.
struct KvShadowVolume {
    // Four vertices per silhouette edge.
    std::vector<float> quads;
    // Three vertices per triangle; empty without caps.
    std::vector<float> caps;

    size_t QuadCount() const { return quads.size() / 16; }
    size_t CapTriangleCount() const { return caps.size() / 12; }
};
