#pragma once

#include "render/OVector3.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Builds model files in the ASVM3D layout the model reader takes: for tests,
// tools and modders. Positions and texture coordinates are added separately;
// each triangle names a position and a texture coordinate per corner
// (zero-based here, one-based in the file).
class KvModelWriter {
public:
    struct Corner {
        uint32_t position;
        uint32_t texCoord;
    };

    uint32_t AddPosition(float x, float y, float z);
    uint32_t AddTexCoord(float s, float t);
    void AddTriangle(Corner a, Corner b, Corner c);
    // Names relative to "Data/Textures/", at most 15 characters each; the
    // detail texture is left empty for none.
    void SetTextures(const std::string& base, const std::string& detail = "");

    size_t PositionCount() const { return positions.size(); }
    size_t TexCoordCount() const { return texCoords.size(); }
    size_t TriangleCount() const { return triangles.size(); }

    // The file's bytes.
    std::vector<uint8_t> Build() const;
    // Writes the file; false (with a message) when it cannot.
    bool Write(const std::string& path, std::string& error) const;

    // A cube around the origin with sides 2 * half, 8 shared corners and
    // outward-facing triangles; every face maps the whole texture upright
    // when seen from outside.
    static KvModelWriter Cube(float half);
    // A sphere of latitude rings and longitude segments: 2 * segments *
    // (rings - 1) triangles facing outward.
    static KvModelWriter Sphere(float radius, int rings, int segments);
    // A square in the x-z plane facing +y, cells x cells quads of two
    // triangles, an open mesh.
    static KvModelWriter Plane(float size, int cells);

private:
    std::vector<OVector3> positions;
    std::vector<std::array<float, 2>> texCoords;
    std::vector<std::array<Corner, 3>> triangles;
    std::string baseTexture;
    std::string detailTexture;
};
