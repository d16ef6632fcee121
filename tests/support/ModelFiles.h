#pragma once

#include "app/OMessageBox.h"
#include "render/KvModelData.h"
#include "render/KvModelRegistry.h"
#include "render/KvModelWriter.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Model files for tests, as strings of bytes, and a guard that catches the
// message boxes and empties the model cache around a test.
namespace ModelFiles {

inline std::string Bytes(const KvModelWriter& writer) {
    const std::vector<uint8_t> bytes = writer.Build();
    return std::string(bytes.begin(), bytes.end());
}

// Reads a file's bytes into a model's data as a reload does (no textures).
inline bool Read(KvModelData& data, const std::string& file) {
    return data.ReadBytes(reinterpret_cast<const uint8_t*>(file.data()), file.size(), true);
}

// The data of a writer's file, or null when it is refused.
inline std::unique_ptr<KvModelData> Read(const KvModelWriter& writer) {
    auto data = std::make_unique<KvModelData>();
    return Read(*data, Bytes(writer)) ? std::move(data) : nullptr;
}

// Overwrites the little-endian word at offset.
inline void PutWord(std::string& file, size_t offset, uint32_t word) {
    for (int i = 0; i < 4; ++i) {
        file[offset + i] = static_cast<char>((word >> (8 * i)) & 0xFF);
    }
}

// Offset of the index list in a file with these counts.
inline size_t IndexOffset(uint32_t positions, uint32_t texCoords) {
    return 64 + 12 * positions + 8 * texCoords + 60;
}

// Adds a triangle of three positions of its own, every corner on texture
// coordinate 0 (which the caller adds).
inline void AddTriangle(KvModelWriter& writer, const OVector3& a, const OVector3& b,
                        const OVector3& c) {
    const uint32_t first = writer.AddPosition(a.x, a.y, a.z);
    writer.AddPosition(b.x, b.y, b.z);
    writer.AddPosition(c.x, c.y, c.z);
    writer.AddTriangle({first, 0}, {first + 1, 0}, {first + 2, 0});
}

// One triangle (0, 0, 0), (1, 0, 0), (0, 1, 0) with three texture
// coordinates and indices 1, 1, 2, 2, 3, 3.
inline KvModelWriter OneTriangle() {
    KvModelWriter writer;
    writer.AddPosition(0, 0, 0);
    writer.AddPosition(1, 0, 0);
    writer.AddPosition(0, 1, 0);
    writer.AddTexCoord(0, 0);
    writer.AddTexCoord(1, 0);
    writer.AddTexCoord(0, 1);
    writer.AddTriangle({0, 0}, {1, 1}, {2, 2});
    return writer;
}

}  // namespace ModelFiles

class ModelTestGuard {
public:
    ModelTestGuard() {
        KvModelRegistry::Instance().Clear();
        KvModelRegistry::Instance().SetDetail(1);
        OMessageBox::SetHandler(
            [this](const std::string& caption, const std::string& text, OMessageBox::Icon) {
                messages.push_back(caption + ": " + text);
            });
    }
    ~ModelTestGuard() {
        KvModelRegistry::Instance().Clear();
        KvModelRegistry::Instance().SetDetail(1);
        OMessageBox::SetHandler(nullptr);
    }
    ModelTestGuard(const ModelTestGuard&) = delete;
    ModelTestGuard& operator=(const ModelTestGuard&) = delete;

    std::vector<std::string> messages;
};
