#pragma once

#include "render/KvMesh.h"
#include "render/KvModelHeader.h"

#include <cstddef>
#include <cstdint>

// Reads the bytes of a model file (magic "ASVM3D", little-endian counts,
// positions, texture coordinates, a 60-byte material block and six one-based
// indices per triangle) into a mesh. It never reads past the bytes it is
// given: a file whose counts do not fit its length, with no texture
// coordinates, or with an index outside its counts is refused.
class KvModelReader {
public:
    static constexpr size_t kHeaderSize = 64;
    static constexpr size_t kMaterialSize = 60;
    static constexpr const char kMagic[7] = "ASVM3D";
    static constexpr size_t kNameSize = 16;

    // Missing is for callers whose file could not be read at all.
    enum class Result { Ok, Missing, TooShort, NoTexCoords, CountsExceedFile, IndexOutOfRange };

    // Reads the header; false when there are fewer than 64 bytes.
    static bool ReadHeader(const uint8_t* data, size_t size, KvModelHeader& header);
    // Checks the whole file and, when it is sound, fills the mesh with its
    // positions, texture coordinates and zero-based indices, and the face
    // records. Normals and planes are left to the caller.
    static Result Read(const uint8_t* data, size_t size, KvModelHeader& header, KvMesh& mesh);

    // Bytes a file with these counts needs.
    static uint64_t RequiredSize(uint32_t positions, uint32_t texCoords, uint32_t triangles);
};
