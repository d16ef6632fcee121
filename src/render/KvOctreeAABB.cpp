#include "render/KvOctreeAABB.h"

#include <algorithm>
#include <cmath>

KvOctreeAABB::KvOctreeAABB(const OVector3& low, const OVector3& high) {
    Set(low, high);
}

void KvOctreeAABB::Set(const OVector3& low, const OVector3& high) {
    minimum = low;
    maximum = high;
    centre = (low + high) * 0.5f;
    halfExtents = (high - low) * 0.5f;
}

bool KvOctreeAABB::Contains(const OVector3& p) const {
    return p.x >= minimum.x && p.x <= maximum.x && p.y >= minimum.y && p.y <= maximum.y &&
           p.z >= minimum.z && p.z <= maximum.z;
}

bool KvOctreeAABB::Overlaps(const OVector3& low, const OVector3& high) const {
    return low.x <= maximum.x && high.x >= minimum.x && low.y <= maximum.y && high.y >= minimum.y &&
           low.z <= maximum.z && high.z >= minimum.z;
}

bool KvOctreeAABB::IntersectsSegment(const OVector3& a, const OVector3& b) const {
    // Clips the segment's parameter range [0, 1] against the three slabs.
    const float start[3] = {a.x, a.y, a.z};
    const float delta[3] = {b.x - a.x, b.y - a.y, b.z - a.z};
    const float low[3] = {minimum.x, minimum.y, minimum.z};
    const float high[3] = {maximum.x, maximum.y, maximum.z};
    float enter = 0.0f;
    float leave = 1.0f;
    for (int axis = 0; axis < 3; ++axis) {
        if (delta[axis] == 0.0f) {
            if (!(start[axis] >= low[axis] && start[axis] <= high[axis])) {
                return false;
            }
            continue;
        }
        float t0 = (low[axis] - start[axis]) / delta[axis];
        float t1 = (high[axis] - start[axis]) / delta[axis];
        if (t0 > t1) {
            std::swap(t0, t1);
        }
        enter = std::max(enter, t0);
        leave = std::min(leave, t1);
        if (!(enter <= leave)) {
            return false;
        }
    }
    return true;
}

KvOctreeAABB KvOctreeAABB::Octant(int index) const {
    const bool highX = (index & 4) != 0;
    const bool highY = (index & 2) != 0;
    const bool highZ = (index & 1) != 0;
    const OVector3 low(highX ? centre.x : minimum.x, highY ? centre.y : minimum.y,
                       highZ ? centre.z : minimum.z);
    const OVector3 high(highX ? maximum.x : centre.x, highY ? maximum.y : centre.y,
                        highZ ? maximum.z : centre.z);
    return KvOctreeAABB(low, high);
}
