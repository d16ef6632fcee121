#include "render/KvModelReader.h"

#include <gtest/gtest.h>

#include "support/ModelFiles.h"

// The layout itself is proven by the reader tests reading the writer's files
// and by the modeltool end-to-end test checking counts, names and length.
TEST(KvModelWriterTest, NamesLongerThanTheFieldAreCutSoTheyKeepTheirTerminator) {
    KvModelWriter writer = ModelFiles::OneTriangle();
    writer.SetTextures("ABCDEFGHIJKLMNOPQRST", "Grain.Tga");
    const std::vector<uint8_t> bytes = writer.Build();
    ASSERT_EQ(bytes.size(), KvModelReader::RequiredSize(3, 3, 1));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[32])), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[48])), "Grain.Tga");
}

TEST(KvModelWriterTest, GeneratedShapesAreClosedOutwardOrFlatMeshes) {
    struct Case {
        const char* what;
        KvModelWriter shape;
        uint32_t triangles;
        size_t openEdges;
        float radius;  // of every position; 0 for a shape that is no sphere
    };
    const Case cases[] = {{"cube", KvModelWriter::Cube(1.5f), 12, 0, 0},
                          {"sphere", KvModelWriter::Sphere(3.0f, 10, 16), 2 * 16 * 9, 0, 3},
                          {"plane", KvModelWriter::Plane(2.0f, 3), 18, 12, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto data = ModelFiles::Read(c.shape);
        ASSERT_NE(data, nullptr);
        KvMesh& mesh = *data->mesh;
        mesh.BuildNeighbours();
        EXPECT_EQ(mesh.triangleCount, c.triangles);
        size_t open = 0;
        for (uint32_t t = 0; t < mesh.triangleCount; ++t) {
            // Closed shapes face away from their centre; the plane faces up.
            const OVector3 centroid =
                (mesh.Position(mesh.Corner(t, 0)) + mesh.Position(mesh.Corner(t, 1)) +
                 mesh.Position(mesh.Corner(t, 2)));
            if (c.openEdges == 0) {
                EXPECT_GT(mesh.FaceNormal(t).Dot(centroid), 0.0f) << t;
            } else {
                EXPECT_NEAR(mesh.FaceNormal(t).y, 1.0f, 1e-6f) << t;
            }
            for (int edge = 0; edge < 3; ++edge) {
                // The triangle across an edge has it the other way round and
                // points back.
                const int32_t across = mesh.Neighbour(t, edge);
                open += across < 0 ? 1 : 0;
                bool pointsBack = across < 0;
                for (int m = 0; m < 3 && across >= 0 && across != static_cast<int32_t>(t); ++m) {
                    pointsBack |= mesh.Corner(across, m) == mesh.Corner(t, (edge + 1) % 3) &&
                                  mesh.Corner(across, (m + 1) % 3) == mesh.Corner(t, edge) &&
                                  mesh.Neighbour(across, m) == static_cast<int32_t>(t);
                }
                EXPECT_TRUE(pointsBack) << t << " edge " << edge;
            }
        }
        EXPECT_EQ(open, c.openEdges);
        for (uint32_t i = 0; c.radius > 0 && i < mesh.positionCount; ++i) {
            EXPECT_NEAR(mesh.Position(i).Length(), c.radius, 1e-4f);
        }
    }
    EXPECT_EQ(KvModelWriter::Cube(1.5f).PositionCount(), 8u) << "shared corners";
}
