#include "render/KvModelWriter.h"

#include "render/KvModelReader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

namespace {

void PutWord(std::vector<uint8_t>& out, size_t offset, uint32_t word) {
    for (int i = 0; i < 4; ++i) {
        out[offset + i] = static_cast<uint8_t>(word >> (8 * i));
    }
}

void AppendWord(std::vector<uint8_t>& out, uint32_t word) {
    out.resize(out.size() + 4);
    PutWord(out, out.size() - 4, word);
}

void AppendFloat(std::vector<uint8_t>& out, float value) {
    uint32_t word;
    std::memcpy(&word, &value, sizeof word);
    AppendWord(out, word);
}

void PutName(std::vector<uint8_t>& out, size_t offset, const std::string& name) {
    const size_t length = std::min(name.size(), KvModelReader::kNameSize - 1);
    std::memcpy(out.data() + offset, name.data(), length);
}

constexpr float kPi = 3.14159265358979323846f;

}  // namespace

uint32_t KvModelWriter::AddPosition(float x, float y, float z) {
    positions.emplace_back(x, y, z);
    return static_cast<uint32_t>(positions.size() - 1);
}

uint32_t KvModelWriter::AddTexCoord(float s, float t) {
    texCoords.push_back({s, t});
    return static_cast<uint32_t>(texCoords.size() - 1);
}

void KvModelWriter::AddTriangle(Corner a, Corner b, Corner c) {
    triangles.push_back({a, b, c});
}

void KvModelWriter::SetTextures(const std::string& base, const std::string& detail) {
    baseTexture = base;
    detailTexture = detail;
}

std::vector<uint8_t> KvModelWriter::Build() const {
    std::vector<uint8_t> out(KvModelReader::kHeaderSize, 0);
    std::memcpy(out.data(), KvModelReader::kMagic, 6);
    PutWord(out, 16, static_cast<uint32_t>(positions.size()));
    PutWord(out, 20, static_cast<uint32_t>(texCoords.size()));
    PutWord(out, 28, static_cast<uint32_t>(triangles.size()));
    PutName(out, 32, baseTexture);
    PutName(out, 48, detailTexture);
    for (const OVector3& p : positions) {
        AppendFloat(out, p.x);
        AppendFloat(out, p.y);
        AppendFloat(out, p.z);
    }
    for (const auto& tc : texCoords) {
        AppendFloat(out, tc[0]);
        AppendFloat(out, tc[1]);
    }
    out.resize(out.size() + KvModelReader::kMaterialSize, 0);
    for (const auto& triangle : triangles) {
        for (const Corner& corner : triangle) {
            AppendWord(out, corner.position + 1);
            AppendWord(out, corner.texCoord + 1);
        }
    }
    return out;
}

bool KvModelWriter::Write(const std::string& path, std::string& error) const {
    const std::vector<uint8_t> bytes = Build();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) {
        error = "cannot open " + path + " for writing";
        return false;
    }
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

KvModelWriter KvModelWriter::Cube(float half) {
    KvModelWriter writer;
    // Corner i has x, y, z = +half where bit 2, 1, 0 of i is set.
    for (int i = 0; i < 8; ++i) {
        writer.AddPosition((i & 4) ? half : -half, (i & 2) ? half : -half, (i & 1) ? half : -half);
    }
    const uint32_t st00 = writer.AddTexCoord(0, 0);
    const uint32_t st10 = writer.AddTexCoord(1, 0);
    const uint32_t st11 = writer.AddTexCoord(1, 1);
    const uint32_t st01 = writer.AddTexCoord(0, 1);
    // Each face counter-clockwise seen from outside: lower left, lower right,
    // upper right, upper left.
    const uint32_t faces[6][4] = {
        {1, 5, 7, 3},  // +z
        {4, 0, 2, 6},  // -z
        {5, 4, 6, 7},  // +x
        {0, 1, 3, 2},  // -x
        {3, 7, 6, 2},  // +y
        {0, 4, 5, 1},  // -y
    };
    for (const auto& face : faces) {
        writer.AddTriangle({face[0], st00}, {face[1], st10}, {face[2], st11});
        writer.AddTriangle({face[0], st00}, {face[2], st11}, {face[3], st01});
    }
    return writer;
}

KvModelWriter KvModelWriter::Sphere(float radius, int rings, int segments) {
    KvModelWriter writer;
    rings = std::max(rings, 2);
    segments = std::max(segments, 3);
    // Positions: one at each pole and segments per inner ring, shared by all
    // triangles that meet there, so the mesh is closed. Texture coordinates:
    // a grid of (rings + 1) x (segments + 1), the seam column repeated with
    // s = 1.
    const uint32_t northPole = writer.AddPosition(0.0f, radius, 0.0f);
    for (int r = 1; r < rings; ++r) {
        const float latitude = kPi * static_cast<float>(r) / static_cast<float>(rings);
        for (int s = 0; s < segments; ++s) {
            const float longitude =
                2.0f * kPi * static_cast<float>(s) / static_cast<float>(segments);
            writer.AddPosition(radius * std::sin(latitude) * std::cos(longitude),
                               radius * std::cos(latitude),
                               -radius * std::sin(latitude) * std::sin(longitude));
        }
    }
    const uint32_t southPole = writer.AddPosition(0.0f, -radius, 0.0f);
    for (int r = 0; r <= rings; ++r) {
        for (int s = 0; s <= segments; ++s) {
            writer.AddTexCoord(static_cast<float>(s) / static_cast<float>(segments),
                               1.0f - static_cast<float>(r) / static_cast<float>(rings));
        }
    }
    const auto at = [=](int r, int s) {
        uint32_t position = northPole;
        if (r == rings) {
            position = southPole;
        } else if (r > 0) {
            position = static_cast<uint32_t>(1 + (r - 1) * segments + s % segments);
        }
        return Corner{position, static_cast<uint32_t>(r * (segments + 1) + s)};
    };
    for (int r = 0; r < rings; ++r) {
        for (int s = 0; s < segments; ++s) {
            if (r > 0) {
                writer.AddTriangle(at(r, s), at(r + 1, s), at(r, s + 1));
            }
            if (r < rings - 1) {
                writer.AddTriangle(at(r, s + 1), at(r + 1, s), at(r + 1, s + 1));
            }
        }
    }
    return writer;
}

KvModelWriter KvModelWriter::Plane(float size, int cells) {
    KvModelWriter writer;
    cells = std::max(cells, 1);
    const float step = size / static_cast<float>(cells);
    const float start = -size / 2.0f;
    for (int row = 0; row <= cells; ++row) {
        for (int column = 0; column <= cells; ++column) {
            writer.AddPosition(start + step * static_cast<float>(column), 0.0f,
                               start + step * static_cast<float>(row));
            writer.AddTexCoord(static_cast<float>(column) / static_cast<float>(cells),
                               static_cast<float>(row) / static_cast<float>(cells));
        }
    }
    const auto at = [cells](int row, int column) {
        const uint32_t index = static_cast<uint32_t>(row * (cells + 1) + column);
        return Corner{index, index};
    };
    // Seen from above (+y), x to the right and z towards the viewer, so
    // counter-clockwise runs from larger z to smaller.
    for (int row = 0; row < cells; ++row) {
        for (int column = 0; column < cells; ++column) {
            writer.AddTriangle(at(row + 1, column), at(row + 1, column + 1), at(row, column + 1));
            writer.AddTriangle(at(row + 1, column), at(row, column + 1), at(row, column));
        }
    }
    return writer;
}
