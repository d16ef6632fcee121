#include "render/KvModelReader.h"

#include <cstring>

namespace {

uint32_t ReadWord(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

float ReadFloat(const uint8_t* bytes) {
    const uint32_t word = ReadWord(bytes);
    float value;
    std::memcpy(&value, &word, sizeof value);
    return value;
}

// A NUL-terminated name within a fixed field; a field without NUL gives all
// of its characters.
std::string ReadName(const uint8_t* field) {
    size_t length = 0;
    while (length < KvModelReader::kNameSize && field[length] != 0) {
        ++length;
    }
    return std::string(reinterpret_cast<const char*>(field), length);
}

}  // namespace

uint64_t KvModelReader::RequiredSize(uint32_t positions, uint32_t texCoords, uint32_t triangles) {
    return kHeaderSize + uint64_t{12} * positions + uint64_t{8} * texCoords + kMaterialSize +
           uint64_t{24} * triangles;
}

bool KvModelReader::ReadHeader(const uint8_t* data, size_t size, KvModelHeader& header) {
    if (data == nullptr || size < kHeaderSize) {
        return false;
    }
    header.magicMatches = std::memcmp(data, kMagic, 6) == 0;
    header.positionCount = ReadWord(data + 16);
    header.texCoordCount = ReadWord(data + 20);
    header.triangleCount = ReadWord(data + 28);
    header.baseTexture = ReadName(data + 32);
    header.detailTexture = ReadName(data + 48);
    return true;
}

KvModelReader::Result KvModelReader::Read(const uint8_t* data, size_t size, KvModelHeader& header,
                                          KvMesh& mesh) {
    if (!ReadHeader(data, size, header)) {
        return Result::TooShort;
    }
    if (header.texCoordCount == 0) {
        return Result::NoTexCoords;
    }
    const uint32_t v = header.positionCount;
    const uint32_t t = header.texCoordCount;
    const uint32_t f = header.triangleCount;
    if (RequiredSize(v, t, f) > size) {
        return Result::CountsExceedFile;
    }

    // Indices first: nothing is allocated for a file that will be refused.
    const uint8_t* indexBytes = data + kHeaderSize + size_t{12} * v + size_t{8} * t + kMaterialSize;
    for (size_t i = 0; i < size_t{6} * f; ++i) {
        const uint32_t index = ReadWord(indexBytes + i * 4);
        const uint32_t limit = (i % 2 == 0) ? v : t;
        if (index < 1 || index > limit) {
            return Result::IndexOutOfRange;
        }
    }

    mesh.Resize(f, v, t);
    const uint8_t* positionBytes = data + kHeaderSize;
    for (size_t i = 0; i < size_t{3} * v; ++i) {
        mesh.positions[i] = ReadFloat(positionBytes + i * 4);
    }
    const uint8_t* texCoordBytes = positionBytes + size_t{12} * v;
    for (size_t i = 0; i < size_t{2} * t; ++i) {
        mesh.texCoords[i] = ReadFloat(texCoordBytes + i * 4);
    }
    for (size_t i = 0; i < size_t{6} * f; ++i) {
        mesh.indices[i] = ReadWord(indexBytes + i * 4) - 1;
    }
    mesh.FillFaces();
    return Result::Ok;
}
