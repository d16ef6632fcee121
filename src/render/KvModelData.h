#pragma once

#include "render/KvMaterial.h"
#include "render/KvMesh.h"
#include "render/KvModelReader.h"
#include "render/KvOctree.h"
#include "render/OTexture.h"
#include "render/OVector3.h"
#include "render/RCObject.h"

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

// Shared, reference-counted geometry of a model: its mesh, textures, display
// list and octree. Models of one file name share one of these through the
// model registry.
class KvModelData : public RCObject {
public:
    static constexpr const char* kWrongFormatText = "Wrong model format.";
    // The detail texture repeats this many times across the base texture.
    static constexpr float kDetailRepeat = 8.0f;

    KvModelData();
    ~KvModelData() override;

    // Reads a model file from the archive. Unless reloadOnly, also loads the
    // textures it names (OFileNotFound when one is missing). False when the
    // entry is missing or the file is refused; the mesh is then empty.
    bool Read(const std::string& path, bool reloadOnly);
    // The same from bytes in memory.
    bool ReadBytes(const uint8_t* data, size_t size, bool reloadOnly);
    // Drops the display list, octree and mesh, reads the file again without
    // its textures, and rebuilds the list (and octree) when the data had one.
    bool Reload(const std::string& path);

    // Compiles the display list (when a GL context is current) and, when
    // buildOctree is set, builds the octree. hasDisplayList is set either
    // way, so a later RebuildAllLists compiles the list.
    void BuildDisplayList();
    // Deletes the list's GL object (when a context is current); list 0.
    void DeleteDisplayList();
    // Sends every triangle in immediate mode: normal, texture coordinate and
    // position per corner.
    void SendTriangles() const;
    void BuildOctree();
    // Takes scale, flags and material of another data, not its geometry.
    void CopySettingsFrom(const KvModelData& other);

    OTexture* BaseTexture() const { return textures.first; }
    OTexture* DetailTexture() const { return textures.second; }
    const KvOctree* GetOctree() const { return octree.get(); }
    KvModelReader::Result LastResult() const { return lastResult; }

    KvMesh* mesh = nullptr;
    std::pair<OTexture*, OTexture*> textures{nullptr, nullptr};
    GLuint displayList = 0;
    bool hasDisplayList = false;
    OVector3 scale{1.0f, 1.0f, 1.0f};
    bool buildOctree = false;
    bool hasDetailVariants = false;
    bool smoothHigh = false;
    bool smoothLow = false;
    KvMaterial material;
    bool useMaterial = false;

private:
    void LoadTextures(const KvModelHeader& header);
    void ReleaseTextures();
    void CompileList();
    void ApplyMaterial() const;
    bool UseDetailUnit() const;
    void SendDetailTriangles() const;
    void ReportWrongFormat();

    std::unique_ptr<KvOctree> octree;
    KvModelReader::Result lastResult = KvModelReader::Result::Ok;
    bool wrongFormatReported = false;
};
