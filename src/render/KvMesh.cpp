#include "render/KvMesh.h"

#include <algorithm>
#include <utility>

void KvMesh::Resize(uint32_t triangles, uint32_t positionTotal, uint32_t texCoordTotal) {
    triangleCount = triangles;
    positionCount = positionTotal;
    normalCount = positionTotal;
    texCoordCount = texCoordTotal;
    indexCount = texCoordTotal > 0 ? triangles * 3 * 2 : 0;
    faceVertexIndices.assign(static_cast<size_t>(triangles) * 3, 0);
    planes.assign(static_cast<size_t>(triangles) * 4, 0.0f);
    neighbours.assign(static_cast<size_t>(triangles) * 3, -1);
    positions.assign(static_cast<size_t>(positionTotal) * 3, 0.0f);
    normals.assign(static_cast<size_t>(positionTotal) * 3, 0.0f);
    texCoords.assign(static_cast<size_t>(texCoordTotal) * 2, 0.0f);
    indices.assign(static_cast<size_t>(triangles) * 6, 0);
    faces.assign(triangles, KvFace());
    neighboursBuilt = false;
}

void KvMesh::FillFaces() {
    for (uint32_t t = 0; t < triangleCount; ++t) {
        KvFace& face = faces[t];
        for (int corner = 0; corner < 3; ++corner) {
            const uint32_t position = indices[t * 6 + corner * 2];
            const uint32_t texCoord = indices[t * 6 + corner * 2 + 1];
            faceVertexIndices[t * 3 + corner] = position;
            face.position[corner] = &positions[static_cast<size_t>(position) * 3];
            face.normal[corner] = &normals[static_cast<size_t>(position) * 3];
            face.texCoord[corner] = &texCoords[static_cast<size_t>(texCoord) * 2];
        }
        face.plane = &planes[static_cast<size_t>(t) * 4];
    }
}

OVector3 KvMesh::Position(uint32_t index) const {
    const float* p = &positions[static_cast<size_t>(index) * 3];
    return {p[0], p[1], p[2]};
}

OVector3 KvMesh::FaceNormal(uint32_t triangle) const {
    const OVector3 p0 = Position(Corner(triangle, 0));
    const OVector3 p1 = Position(Corner(triangle, 1));
    const OVector3 p2 = Position(Corner(triangle, 2));
    OVector3 normal = (p1 - p0).Cross(p2 - p0);
    normal.Normalize();
    return normal;
}

void KvMesh::ComputeNormals(bool smooth) {
    std::fill(normals.begin(), normals.end(), 0.0f);
    for (uint32_t t = 0; t < triangleCount; ++t) {
        const OVector3 n = FaceNormal(t);
        for (int corner = 0; corner < 3; ++corner) {
            float* target = &normals[static_cast<size_t>(Corner(t, corner)) * 3];
            if (smooth) {
                target[0] += n.x;
                target[1] += n.y;
                target[2] += n.z;
            } else {
                target[0] = n.x;
                target[1] = n.y;
                target[2] = n.z;
            }
        }
    }
    for (uint32_t i = 0; i < normalCount; ++i) {
        float* target = &normals[static_cast<size_t>(i) * 3];
        OVector3 n(target[0], target[1], target[2]);
        n.Normalize();
        target[0] = n.x;
        target[1] = n.y;
        target[2] = n.z;
    }
}

void KvMesh::ComputePlanes() {
    for (uint32_t t = 0; t < triangleCount; ++t) {
        const OVector3 n = FaceNormal(t);
        const OVector3 p0 = Position(Corner(t, 0));
        float* plane = &planes[static_cast<size_t>(t) * 4];
        plane[0] = n.x;
        plane[1] = n.y;
        plane[2] = n.z;
        plane[3] = -n.Dot(p0);
    }
}

void KvMesh::BuildNeighbours() {
    // Every edge occurrence keyed by its two positions in either direction;
    // sorting brings the occurrences of one edge together, in triangle order.
    struct EdgeUse {
        uint64_t key;
        uint32_t slot;  // triangle * 3 + edge
    };
    std::vector<EdgeUse> uses;
    uses.reserve(static_cast<size_t>(triangleCount) * 3);
    for (uint32_t t = 0; t < triangleCount; ++t) {
        for (int edge = 0; edge < 3; ++edge) {
            const uint32_t a = Corner(t, edge);
            const uint32_t b = Corner(t, (edge + 1) % 3);
            const uint64_t key = (static_cast<uint64_t>(std::min(a, b)) << 32) | std::max(a, b);
            uses.push_back({key, t * 3 + static_cast<uint32_t>(edge)});
        }
    }
    std::sort(uses.begin(), uses.end(), [](const EdgeUse& left, const EdgeUse& right) {
        return left.key != right.key ? left.key < right.key : left.slot < right.slot;
    });
    std::fill(neighbours.begin(), neighbours.end(), -1);

    // Within one edge, each still-open use is paired with every other use of
    // a triangle at or after its own; later pairings overwrite earlier ones.
    // An edge never pairs with itself, so an edge of one triangle only stays
    // open.
    for (size_t begin = 0; begin < uses.size();) {
        size_t end = begin + 1;
        while (end < uses.size() && uses[end].key == uses[begin].key) {
            ++end;
        }
        for (size_t i = begin; i < end; ++i) {
            const uint32_t slot = uses[i].slot;
            if (neighbours[slot] != -1) {
                continue;
            }
            const uint32_t triangle = slot / 3;
            for (size_t j = begin; j < end; ++j) {
                const uint32_t other = uses[j].slot;
                if (other == slot || other / 3 < triangle) {
                    continue;
                }
                neighbours[slot] = static_cast<int32_t>(other / 3);
                neighbours[other] = static_cast<int32_t>(triangle);
            }
        }
        begin = end;
    }
    neighboursBuilt = true;
}

void KvMesh::Scale(const OVector3& scale) {
    for (size_t i = 0; i + 2 < positions.size(); i += 3) {
        positions[i] *= scale.x;
        positions[i + 1] *= scale.y;
        positions[i + 2] *= scale.z;
    }
}
