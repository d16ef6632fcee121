#pragma once

#include "render/O3D.h"
#include "render/OVector3.h"

// An axis-aligned box of an octree node: its corners, centre and half-extents.
class KvOctreeAABB : public O3D {
public:
    KvOctreeAABB() = default;
    KvOctreeAABB(const OVector3& minimum, const OVector3& maximum);
    ~KvOctreeAABB() override = default;

    void Set(const OVector3& minimum, const OVector3& maximum);
    // Boundaries count as inside.
    bool Contains(const OVector3& point) const;
    // True when the box [low, high] shares at least one point with this one.
    bool Overlaps(const OVector3& low, const OVector3& high) const;
    // True when some point of the segment from a to b lies in the box.
    bool IntersectsSegment(const OVector3& a, const OVector3& b) const;
    // Octant 0..7: x outermost, then y, then z, each low half first.
    KvOctreeAABB Octant(int index) const;

    OVector3 minimum;
    OVector3 maximum;
    OVector3 centre;
    OVector3 halfExtents;
};
