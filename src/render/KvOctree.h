#pragma once

#include "render/KvFace.h"
#include "render/KvOctreeAABB.h"
#include "render/OVector3.h"

#include <memory>
#include <vector>

// A node of the octree over a model's triangles: a box and either eight
// children or the triangles that touch the box. Built for segment queries
// against a model's surface.
class KvOctree {
public:
    // A node splits when it holds more triangles than this ...
    static constexpr size_t kSplitCount = 256;
    // ... and its box is wider than this along x.
    static constexpr float kMinSplitWidth = 16.0f;
    // The root's box is searched within these bounds on each axis.
    static constexpr float kSearchLimit = 1024.0f;
    // z of the point the segment-triangle test returns for no hit.
    static constexpr float kNoHitZ = -16384.0f;
    // Bounds on the work a hostile model can cause (triangles meeting at a
    // point that lies on every octant's border, coordinates far apart): the
    // depth of the tree, and the triangle copies all nodes together hold, as
    // a multiple of the model's triangle count.
    static constexpr int kMaxDepth = 12;
    static constexpr size_t kCopyBudgetPerTriangle = 16;

    // The root over these triangles; its box is their bounds, searched from
    // 1024 down for the minimum and from -1024 up for the maximum.
    explicit KvOctree(const std::vector<KvFace>& triangles);
    // A node over triangles that touch its box, at a depth (the root is 0),
    // splitting while the copy budget lasts.
    KvOctree(std::vector<KvFace> triangles, const KvOctreeAABB& box, int depth, size_t& budget);
    KvOctree(const KvOctree&) = delete;
    KvOctree& operator=(const KvOctree&) = delete;

    // The hit nearest to a of the segment from a to b with any triangle, if
    // there is one.
    bool QuerySegment(const OVector3& a, const OVector3& b, OVector3& hit) const;

    // Where the segment from a to b meets the triangle, or the no-hit point
    // (0, 0, -16384).
    static OVector3 IntersectSegmentTriangle(const OVector3& a, const OVector3& b,
                                             const KvFace& face);
    static bool IsNoHit(const OVector3& point) { return point.z == kNoHitZ; }

    const KvOctreeAABB& GetBox() const { return box; }
    bool HasChildren() const { return children[0] != nullptr; }
    const KvOctree* Child(int index) const { return children[index].get(); }
    const std::vector<KvFace>& Triangles() const { return triangles; }
    size_t TriangleCount() const { return triangles.size(); }
    // Nodes and depth of the whole tree below and including this node.
    size_t NodeCount() const;
    int Depth() const;

private:
    void Build(std::vector<KvFace> belonging, int depth, size_t& budget);
    static bool Touches(const KvOctreeAABB& box, const KvFace& face);
    void NearestHit(const OVector3& a, const OVector3& b, OVector3& best, float& bestDistance,
                    bool& found) const;

    std::unique_ptr<KvOctree> children[8];
    std::vector<KvFace> triangles;
    KvOctreeAABB box;
};
