#include "render/KvOctree.h"

#include <algorithm>
#include <cmath>

namespace {

OVector3 Corner(const KvFace& face, int corner) {
    const float* p = face.position[corner];
    return {p[0], p[1], p[2]};
}

constexpr float kTwoPi = 6.28318530717958647692f;

// The angle test below accepts points up to about 0.8 % of an edge's length
// outside the triangle (where an edge is seen under 0.99 of a half turn). A
// point further outside the triangle's bounds than 2 % of their size cannot
// pass, so it is turned away before the costly angles are worked out.
bool NearTriangleBounds(const OVector3& p, const KvFace& face) {
    const float* c0 = face.position[0];
    const float* c1 = face.position[1];
    const float* c2 = face.position[2];
    const float point[3] = {p.x, p.y, p.z};
    float low[3];
    float high[3];
    float size = 0.0f;
    for (int axis = 0; axis < 3; ++axis) {
        low[axis] = std::min({c0[axis], c1[axis], c2[axis]});
        high[axis] = std::max({c0[axis], c1[axis], c2[axis]});
        size = std::max(size, high[axis] - low[axis]);
    }
    const float margin = 0.02f * size + 1e-6f;
    for (int axis = 0; axis < 3; ++axis) {
        if (point[axis] < low[axis] - margin || point[axis] > high[axis] + margin) {
            return false;
        }
    }
    return true;
}

}  // namespace

KvOctree::KvOctree(const std::vector<KvFace>& faces) {
    OVector3 low(kSearchLimit, kSearchLimit, kSearchLimit);
    OVector3 high(-kSearchLimit, -kSearchLimit, -kSearchLimit);
    for (const KvFace& face : faces) {
        for (int corner = 0; corner < 3; ++corner) {
            const OVector3 p = Corner(face, corner);
            low.Set(std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z));
            high.Set(std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z));
        }
    }
    box.Set(low, high);
    std::vector<KvFace> belonging;
    for (const KvFace& face : faces) {
        if (Touches(box, face)) {
            belonging.push_back(face);
        }
    }
    size_t budget = kCopyBudgetPerTriangle * faces.size();
    Build(std::move(belonging), 0, budget);
}

KvOctree::KvOctree(std::vector<KvFace> faces, const KvOctreeAABB& childBox, int depth,
                   size_t& budget)
    : box(childBox) {
    Build(std::move(faces), depth, budget);
}

bool KvOctree::Touches(const KvOctreeAABB& box, const KvFace& face) {
    // A triangle touches the box when its own bounds do; a large triangle
    // that crosses a box with none of its corners inside still counts.
    const OVector3 p0 = Corner(face, 0);
    const OVector3 p1 = Corner(face, 1);
    const OVector3 p2 = Corner(face, 2);
    const OVector3 low(std::min({p0.x, p1.x, p2.x}), std::min({p0.y, p1.y, p2.y}),
                       std::min({p0.z, p1.z, p2.z}));
    const OVector3 high(std::max({p0.x, p1.x, p2.x}), std::max({p0.y, p1.y, p2.y}),
                        std::max({p0.z, p1.z, p2.z}));
    return box.Overlaps(low, high);
}

void KvOctree::Build(std::vector<KvFace> belonging, int depth, size_t& budget) {
    const float width = box.maximum.x - box.minimum.x;
    if (belonging.size() > kSplitCount && width > kMinSplitWidth && depth < kMaxDepth) {
        std::vector<KvFace> octants[8];
        size_t copies = 0;
        size_t largest = 0;
        for (int octant = 0; octant < 8; ++octant) {
            const KvOctreeAABB childBox = box.Octant(octant);
            for (const KvFace& face : belonging) {
                if (Touches(childBox, face)) {
                    octants[octant].push_back(face);
                }
            }
            copies += octants[octant].size();
            largest = std::max(largest, octants[octant].size());
        }
        // Split only when it sorts the triangles apart and the budget allows.
        if (largest < belonging.size() && copies <= budget) {
            budget -= copies;
            for (int octant = 0; octant < 8; ++octant) {
                children[octant] = std::make_unique<KvOctree>(
                    std::move(octants[octant]), box.Octant(octant), depth + 1, budget);
            }
            return;
        }
    }
    triangles = std::move(belonging);
}

OVector3 KvOctree::IntersectSegmentTriangle(const OVector3& a, const OVector3& b,
                                            const KvFace& face) {
    const OVector3 noHit(0.0f, 0.0f, kNoHitZ);
    const OVector3 normal(face.plane[0], face.plane[1], face.plane[2]);
    const float d = face.plane[3];
    const float distanceA = normal.Dot(a) + d;
    const float distanceB = normal.Dot(b) + d;
    // The segment must cross (or touch) the plane, and not lie in it.
    if (!(distanceA * distanceB <= 0.0f) || distanceA == distanceB) {
        return noHit;
    }
    const float along = distanceA / (distanceA - distanceB);
    const OVector3 p = a + (b - a) * along;
    if (!NearTriangleBounds(p, face)) {
        return noHit;
    }

    // Inside when the angles seen from p between consecutive corners add up
    // to a full turn.
    float angleSum = 0.0f;
    for (int corner = 0; corner < 3; ++corner) {
        OVector3 toFirst = Corner(face, corner) - p;
        OVector3 toSecond = Corner(face, (corner + 1) % 3) - p;
        const float lengths = toFirst.Length() * toSecond.Length();
        if (lengths <= 1e-12f) {
            return p;  // p is at a corner
        }
        const float cosine = std::clamp(toFirst.Dot(toSecond) / lengths, -1.0f, 1.0f);
        angleSum += std::acos(cosine);
    }
    if (angleSum >= 0.99f * kTwoPi) {
        return p;
    }
    return noHit;
}

bool KvOctree::QuerySegment(const OVector3& a, const OVector3& b, OVector3& hit) const {
    bool found = false;
    float bestDistance = 0.0f;
    NearestHit(a, b, hit, bestDistance, found);
    return found;
}

void KvOctree::NearestHit(const OVector3& a, const OVector3& b, OVector3& best, float& bestDistance,
                          bool& found) const {
    if (!box.IntersectsSegment(a, b)) {
        return;
    }
    if (HasChildren()) {
        for (const auto& child : children) {
            child->NearestHit(a, b, best, bestDistance, found);
        }
        return;
    }
    for (const KvFace& face : triangles) {
        const OVector3 p = IntersectSegmentTriangle(a, b, face);
        if (IsNoHit(p)) {
            continue;
        }
        const float distance = (p - a).Length();
        if (!found || distance < bestDistance) {
            best = p;
            bestDistance = distance;
            found = true;
        }
    }
}

size_t KvOctree::NodeCount() const {
    size_t count = 1;
    if (HasChildren()) {
        for (const auto& child : children) {
            count += child->NodeCount();
        }
    }
    return count;
}

int KvOctree::Depth() const {
    int deepest = 0;
    if (HasChildren()) {
        for (const auto& child : children) {
            deepest = std::max(deepest, child->Depth());
        }
    }
    return deepest + 1;
}
