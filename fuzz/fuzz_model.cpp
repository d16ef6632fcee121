// Feeds arbitrary bytes to the model reader, then runs everything that walks
// the geometry it accepted: normals and planes (both kinds), neighbours,
// shadow flags and volume, the octree and a segment query.
#include "app/OMessageBox.h"
#include "render/KvModel.h"
#include "render/KvModelData.h"
#include "render/KvModelReader.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = [] {
        OMessageBox::SetHandler([](const std::string&, const std::string&, OMessageBox::Icon) {});
        return true;
    }();
    (void)quiet;
    if (size == 0) {
        return 0;
    }
    // The first byte picks flat or smooth normals; the rest is the file.
    const bool smooth = (data[0] & 1) != 0;
    KvModel model;
    KvModelData& modelData = *model.GetData();
    modelData.smoothHigh = smooth;
    modelData.buildOctree = true;
    const bool read = modelData.ReadBytes(data + 1, size - 1, true);
    const KvMesh& mesh = *modelData.mesh;
    if (!read) {
        if (mesh.triangleCount != 0 || mesh.positionCount != 0) {
            __builtin_trap();  // a refused file leaves an empty mesh
        }
        return 0;
    }
    if (KvModelReader::RequiredSize(mesh.positionCount, mesh.texCoordCount, mesh.triangleCount) >
        size - 1) {
        __builtin_trap();
    }
    model.BuildNeighbours();
    for (uint32_t t = 0; t < mesh.triangleCount; ++t) {
        for (int edge = 0; edge < 3; ++edge) {
            const int32_t across = mesh.Neighbour(t, edge);
            if (across < -1 || across >= static_cast<int32_t>(mesh.triangleCount)) {
                __builtin_trap();
            }
        }
    }
    const OVector3 light(3.0f, 7.0f, -5.0f);
    model.UpdateShadow(light);
    KvShadowVolume volume;
    model.BuildShadowVolume(light, true, volume);
    if (volume.CapTriangleCount() != mesh.triangleCount) {
        __builtin_trap();
    }
    modelData.BuildDisplayList();
    OVector3 hit;
    modelData.GetOctree()->QuerySegment({-50, -40, -30}, {60, 45, 35}, hit);
    return 0;
}
