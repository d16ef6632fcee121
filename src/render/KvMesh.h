#pragma once

#include "render/KvFace.h"
#include "render/OVector3.h"

#include <cstdint>
#include <vector>

// The geometry of a model: positions with one normal each, texture
// coordinates, and per triangle six indices (position and texture coordinate
// of each corner, zero-based), with the derived face records, planes and
// neighbour table.
class KvMesh {
public:
    KvMesh() = default;
    KvMesh(const KvMesh&) = delete;
    KvMesh& operator=(const KvMesh&) = delete;
    virtual ~KvMesh() = default;

    // Sizes every array for that many triangles, positions (each with a
    // normal) and texture coordinates. Neighbours start at -1.
    void Resize(uint32_t triangles, uint32_t positions, uint32_t texCoords);

    // Derives the per-triangle vertex indices and face records from the
    // index list. Every index must already be inside its array.
    void FillFaces();
    // Flat: each corner takes its triangle's normal, so a shared position
    // keeps the last triangle's. Smooth: the sum of the normals of all
    // triangles at a position, normalised.
    void ComputeNormals(bool smooth);
    // Each triangle's plane a, b, c, d through its corners, (a, b, c) its unit
    // normal.
    void ComputePlanes();
    // For edge k (corner k to corner k + 1) of every triangle, the triangle
    // across it joining the same two positions, or -1 for an open edge.
    void BuildNeighbours();
    bool HasNeighbours() const { return neighboursBuilt; }
    // Multiplies every position component-wise.
    void Scale(const OVector3& scale);

    OVector3 Position(uint32_t index) const;
    OVector3 FaceNormal(uint32_t triangle) const;
    // Position index of corner 0..2 of a triangle.
    uint32_t Corner(uint32_t triangle, int corner) const {
        return faceVertexIndices[triangle * 3 + corner];
    }
    int32_t Neighbour(uint32_t triangle, int edge) const { return neighbours[triangle * 3 + edge]; }
    const float* Plane(uint32_t triangle) const { return &planes[triangle * 4]; }

    std::vector<uint32_t> faceVertexIndices;
    std::vector<float> planes;
    std::vector<int32_t> neighbours;
    std::vector<float> positions;
    std::vector<float> normals;
    std::vector<float> texCoords;
    std::vector<uint32_t> indices;
    std::vector<KvFace> faces;

    uint32_t positionCount = 0;
    uint32_t normalCount = 0;
    uint32_t texCoordCount = 0;
    uint32_t triangleCount = 0;
    uint32_t indexCount = 0;

private:
    bool neighboursBuilt = false;
};
