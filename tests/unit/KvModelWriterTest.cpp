#include "render/KvModelData.h"
#include "render/KvModelReader.h"
#include "render/KvModelWriter.h"

#include <gtest/gtest.h>

#include "support/ModelFiles.h"

namespace {

std::unique_ptr<KvModelData> Read(const KvModelWriter& writer) {
    auto data = std::make_unique<KvModelData>();
    const std::vector<uint8_t> bytes = writer.Build();
    EXPECT_TRUE(data->ReadBytes(bytes.data(), bytes.size(), true));
    data->mesh->BuildNeighbours();
    return data;
}

// Every triangle faces away from the centre and every edge has a neighbour.
void ExpectClosedAndOutward(const KvMesh& mesh, const char* what) {
    for (uint32_t t = 0; t < mesh.triangleCount; ++t) {
        const OVector3 centroid =
            (mesh.Position(mesh.Corner(t, 0)) + mesh.Position(mesh.Corner(t, 1)) +
             mesh.Position(mesh.Corner(t, 2))) *
            (1.0f / 3.0f);
        EXPECT_GT(mesh.FaceNormal(t).Dot(centroid), 0.0f) << what << " triangle " << t;
        for (int edge = 0; edge < 3; ++edge) {
            EXPECT_GE(mesh.Neighbour(t, edge), 0) << what << " triangle " << t;
        }
    }
}

}  // namespace

TEST(KvModelWriterTest, FilesHaveTheLayoutTheReaderTakes) {
    KvModelWriter writer = ModelFiles::OneTriangle();
    writer.SetTextures("Wood.Tga", "Grain.Tga");
    const std::vector<uint8_t> bytes = writer.Build();
    ASSERT_EQ(bytes.size(), KvModelReader::RequiredSize(3, 3, 1));
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "ASVM3D");
    EXPECT_EQ(bytes[16], 3);
    EXPECT_EQ(bytes[20], 3);
    EXPECT_EQ(bytes[28], 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[32])), "Wood.Tga");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[48])), "Grain.Tga");
    // One-based indices after the material block.
    const size_t indices = ModelFiles::IndexOffset(3, 3);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(bytes[indices + 4 * i], i / 2 + 1) << i;
    }

    // Names longer than the field are cut so they keep their terminator.
    KvModelWriter longName = ModelFiles::OneTriangle();
    longName.SetTextures("ABCDEFGHIJKLMNOPQRST");
    const std::vector<uint8_t> cut = longName.Build();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&cut[32])), "ABCDEFGHIJKLMNO");
}

TEST(KvModelWriterTest, GeneratedShapesAreSoundMeshes) {
    auto cube = Read(KvModelWriter::Cube(1.5f));
    EXPECT_EQ(cube->mesh->triangleCount, 12u);
    EXPECT_EQ(cube->mesh->positionCount, 8u);
    ExpectClosedAndOutward(*cube->mesh, "cube");

    auto sphere = Read(KvModelWriter::Sphere(3.0f, 10, 16));
    EXPECT_EQ(sphere->mesh->triangleCount, 2u * 16u * 9u);
    ExpectClosedAndOutward(*sphere->mesh, "sphere");
    for (uint32_t i = 0; i < sphere->mesh->positionCount; ++i) {
        EXPECT_NEAR(sphere->mesh->Position(i).Length(), 3.0f, 1e-4f);
    }

    auto plane = Read(KvModelWriter::Plane(2.0f, 3));
    EXPECT_EQ(plane->mesh->triangleCount, 18u);
    size_t open = 0;
    for (uint32_t t = 0; t < plane->mesh->triangleCount; ++t) {
        const OVector3 n = plane->mesh->FaceNormal(t);
        EXPECT_NEAR(n.y, 1.0f, 1e-6f);
        for (int edge = 0; edge < 3; ++edge) {
            open += plane->mesh->Neighbour(t, edge) < 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(open, 12u);
}
